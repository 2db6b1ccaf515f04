#include "app/VxApp.h"

#include "app/VxMainFrame.h"
#include "document/VxDoc.h"
#include "platform/framework/TkSettings.h"
#include "support/ScopedEnvironment.h"
#include "support/TestPictures.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>

namespace {

// The settings file goes to a folder of the test's own.
class VxAppTest : public ::testing::Test {
protected:
    ~VxAppTest() override { CVxDoc::SetCommandLineFlags(0); }

    std::string PictureFile()
    {
        const std::vector<std::uint8_t> bytes = BlackRectangleEmf();
        const std::string path = (m_folder.path() + "/start.emf").toStdString();
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return path;
    }

    QTemporaryDir m_folder;
    CScopedEnvironment m_config{"XDG_CONFIG_HOME", m_folder.path().toStdString()};
};

TEST_F(VxAppTest, StartsOnTheFileOfTheCommandLineWithItsFlagsAndSettings)
{
    const ITkSettings* pBefore = &TkGetSettings();
    {
        CVxApp app;
        ASSERT_TRUE(app.InitInstance({"-x1", PictureFile()}));
        ASSERT_NE(app.GetMainFrame(), nullptr);
        EXPECT_TRUE(app.GetMainFrame()->isVisible());
        EXPECT_EQ(app.GetMainFrame()->windowTitle(), "start.emf - Glyphar");
        EXPECT_EQ(app.GetDocument()->GetPicture().GetChildCount(), 1);
        EXPECT_EQ(CVxDoc::GetCommandLineFlags(), 1);
        // The settings in use are the file in the configuration folder.
        EXPECT_TRUE(TkGetSettings().WriteProfileInt("Application", "Units", 2));
        EXPECT_TRUE(QFile::exists(m_folder.path() + "/Glyphar/Glyphar.conf"));
    }
    // Gone with the application.
    EXPECT_EQ(&TkGetSettings(), pBefore);
}

TEST_F(VxAppTest, EmbeddedRunsEndAtOnceWithoutAWindow)
{
    CVxApp app;
    EXPECT_FALSE(app.InitInstance({"-Embedding"}));
    EXPECT_EQ(app.GetExitCode(), 0);
    EXPECT_EQ(app.GetMainFrame(), nullptr);
}

}  // namespace
