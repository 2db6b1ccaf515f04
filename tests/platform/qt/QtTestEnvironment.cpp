// One QApplication for the whole Qt test executable (a QApplication, since
// some tests make widgets), made before the first test and destroyed after the
// last, since gtest_main owns main().

#include <QApplication>

#include <gtest/gtest.h>

#include <memory>

namespace {

class CQtTestEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        // Run by hand the tests still need no display.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        // Another fixture may already have made the application.
        if (QCoreApplication::instance() == nullptr)
            m_app = std::make_unique<QApplication>(s_argc, s_argv);
    }
    void TearDown() override { m_app.reset(); }

private:
    static inline int s_argc = 1;
    static inline char s_name[] = "glyphar_qt_tests";
    static inline char* s_argv[] = {s_name, nullptr};
    std::unique_ptr<QApplication> m_app;
};

// gtest owns and deletes the environment.
[[maybe_unused]] ::testing::Environment* const g_pEnvironment =
    ::testing::AddGlobalTestEnvironment(new CQtTestEnvironment);

}  // namespace
