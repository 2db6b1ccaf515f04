#include "platform/qt/TkQtSettings.h"

#include "support/ScopedEnvironment.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// XDG_CONFIG_HOME pointed at a fresh folder for the test, restored afterwards.
class TkQtSettingsTest : public ::testing::Test {
protected:
    QString ExpectedPath() const { return m_folder.path() + "/Glyphar/Glyphar.conf"; }

    QTemporaryDir m_folder;
    CScopedEnvironment m_config{"XDG_CONFIG_HOME", m_folder.path().toStdString()};
};

TEST_F(TkQtSettingsTest, ValuesComeBackBySectionFromTheFileInTheConfigFolder)
{
    {
        CTkQtSettings settings("Glyphar", "Glyphar");
        EXPECT_EQ(settings.GetFilePath(), ExpectedPath());
        EXPECT_TRUE(settings.WriteProfileInt("Application", "MaxNumberOfUndos", 32767));
        EXPECT_TRUE(settings.WriteProfileInt("View", "MaxNumberOfUndos", -5));
        EXPECT_TRUE(settings.WriteProfileString("Application", "LastFileDirectory",
                                                "/home/a b/Bilder, alt/\xC3\xA4"));
    }
    ASSERT_TRUE(QFile::exists(ExpectedPath()));
    const CTkQtSettings reread("Glyphar", "Glyphar");
    EXPECT_EQ(reread.GetProfileInt("Application", "MaxNumberOfUndos", 16), 32767);
    EXPECT_EQ(reread.GetProfileInt("View", "MaxNumberOfUndos", 16), -5);
    EXPECT_EQ(reread.GetProfileString("Application", "LastFileDirectory"),
              "/home/a b/Bilder, alt/\xC3\xA4");
    // Values are text: an integer reads as its decimal string.
    EXPECT_EQ(reread.GetProfileString("View", "MaxNumberOfUndos"), "-5");
}

TEST_F(TkQtSettingsTest, AFileThatCannotBeWrittenIsReported)
{
    // The settings file's folder is taken by a plain file.
    QFile blocker(m_folder.path() + "/Glyphar");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    CTkQtSettings settings("Glyphar", "Glyphar");
    EXPECT_FALSE(settings.WriteProfileInt("Application", "Units", 1));
}

}  // namespace
