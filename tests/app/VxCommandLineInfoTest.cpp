#include "app/VxCommandLineInfo.h"

#include <gtest/gtest.h>

namespace {

CVxCommandLineInfo Parse(const std::vector<std::string>& args)
{
    CVxCommandLineInfo info;
    info.ParseCommandLine(args);
    return info;
}

TEST(VxCommandLineInfo, AFileNameIsOpenedAndASlashStartsAPath)
{
    const CVxCommandLineInfo info = Parse({"/home/u/a.emf"});
    EXPECT_EQ(info.m_nShellCommand, CVxCommandLineInfo::FileOpen);
    EXPECT_EQ(info.m_strFileName, "/home/u/a.emf");
    EXPECT_FALSE(info.m_bUnrecognizedOption);
    EXPECT_TRUE(info.m_bShowSplash);
    EXPECT_EQ(Parse({}).m_nShellCommand, CVxCommandLineInfo::FileNew);
}

TEST(VxCommandLineInfo, TheXSwitchGivesItsLeadingNumber)
{
    EXPECT_EQ(Parse({"-x1", "a.emf"}).m_nFlags, 1);
    EXPECT_EQ(Parse({"-x1", "a.emf"}).m_strFileName, "a.emf");
    EXPECT_EQ(Parse({"-x12abc"}).m_nFlags, 12);
    EXPECT_EQ(Parse({"-x-3"}).m_nFlags, -3);
    EXPECT_EQ(Parse({"-x"}).m_nFlags, 0);
    EXPECT_EQ(Parse({"-xyz"}).m_nFlags, 0);
    EXPECT_EQ(Parse({"-x99999999999"}).m_nFlags, 2147483647);
    // Only the lower-case letter is the switch.
    const CVxCommandLineInfo upper = Parse({"-X1"});
    EXPECT_EQ(upper.m_nFlags, 0);
    EXPECT_TRUE(upper.m_bUnrecognizedOption);
    EXPECT_EQ(upper.m_strUnrecognizedOption, "X1");
}

TEST(VxCommandLineInfo, RegisterAndUnregisterInAnyCaseTurnTheSplashOff)
{
    const CVxCommandLineInfo reg = Parse({"-rEgIsTeR"});
    EXPECT_TRUE(reg.m_bRegister);
    EXPECT_FALSE(reg.m_bShowSplash);
    EXPECT_TRUE(Parse({"-REGSERVER"}).m_bRegister);
    const CVxCommandLineInfo unreg = Parse({"-unregserver"});
    EXPECT_TRUE(unreg.m_bUnregister);
    EXPECT_FALSE(unreg.m_bRegister);
    EXPECT_FALSE(unreg.m_bShowSplash);
    EXPECT_FALSE(unreg.m_bUnrecognizedOption);
}

TEST(VxCommandLineInfo, TheLastUnrecognizedSwitchIsKept)
{
    const CVxCommandLineInfo info = Parse({"-foo", "a.emf", "-bar"});
    EXPECT_TRUE(info.m_bUnrecognizedOption);
    EXPECT_EQ(info.m_strUnrecognizedOption, "bar");
    EXPECT_EQ(info.m_strFileName, "a.emf");
    EXPECT_EQ(info.m_nShellCommand, CVxCommandLineInfo::FileOpen);
}

TEST(VxCommandLineInfo, PrintSwitchesAndEmbedding)
{
    const CVxCommandLineInfo print = Parse({"-P", "a.emf"});
    EXPECT_EQ(print.m_nShellCommand, CVxCommandLineInfo::FilePrint);
    EXPECT_EQ(print.m_strFileName, "a.emf");
    const CVxCommandLineInfo printTo = Parse({"-pt", "a.emf", "Printer", "Driver", "Port"});
    EXPECT_EQ(printTo.m_nShellCommand, CVxCommandLineInfo::FilePrintTo);
    EXPECT_EQ(printTo.m_strPrinterName, "Printer");
    EXPECT_EQ(printTo.m_strDriverName, "Driver");
    EXPECT_EQ(printTo.m_strPortName, "Port");
    const CVxCommandLineInfo embedded = Parse({"-Embedding"});
    EXPECT_TRUE(embedded.m_bRunEmbedded);
    EXPECT_FALSE(embedded.m_bShowSplash);
    EXPECT_TRUE(Parse({"-automation"}).m_bRunAutomated);
    EXPECT_FALSE(Parse({"-Embedding"}).m_bUnrecognizedOption);
}

}  // namespace
