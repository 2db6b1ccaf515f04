// The tool's commands render and measure text, which needs a QGuiApplication
// and a font engine for the whole test run (gtest_main owns main()).

#include "platform/qt/TkQtFontEngine.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

#include <memory>

namespace {

class CCliTestEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        m_app = std::make_unique<QGuiApplication>(s_argc, s_argv);
        m_fonts = std::make_unique<CTkQtFontEngine>();
        TkSetFontEngine(m_fonts.get());
    }
    void TearDown() override
    {
        TkSetFontEngine(nullptr);
        m_fonts.reset();
        m_app.reset();
    }

private:
    static inline int s_argc = 1;
    static inline char s_name[] = "glyphar_cli_tests";
    static inline char* s_argv[] = {s_name, nullptr};
    std::unique_ptr<QGuiApplication> m_app;
    std::unique_ptr<CTkQtFontEngine> m_fonts;
};

[[maybe_unused]] ::testing::Environment* const g_pEnvironment =
    ::testing::AddGlobalTestEnvironment(new CCliTestEnvironment);

}  // namespace
