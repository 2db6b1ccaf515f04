#include "app/VxCommandLineInfo.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// What a command line asks for, in a few words.
std::string Parsed(const std::vector<std::string>& args)
{
    CVxCommandLineInfo info;
    info.ParseCommandLine(args);
    static const char* const kCommands[] = {"new", "open", "print", "printto", "dde"};
    std::ostringstream out;
    out << kCommands[info.m_nShellCommand];
    if (!info.m_strFileName.empty()) out << ' ' << info.m_strFileName;
    if (info.m_nFlags != 0) out << " x" << info.m_nFlags;
    if (info.m_bUnrecognizedOption) out << " ?" << info.m_strUnrecognizedOption;
    if (!info.m_strPrinterName.empty())
        out << " to " << info.m_strPrinterName << ',' << info.m_strDriverName << ','
            << info.m_strPortName;
    if (!info.m_bShowSplash) out << " nosplash";
    if (info.m_bRegister) out << " register";
    if (info.m_bUnregister) out << " unregister";
    if (info.m_bRunEmbedded) out << " embedded";
    if (info.m_bRunAutomated) out << " automated";
    return out.str();
}

TEST(VxCommandLineInfo, SwitchesAndNames)
{
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{}, "new"},
        {{"/home/u/a.emf"}, "open /home/u/a.emf"},  // a slash starts a path
        // -x gives its leading number; only the lower-case letter is the switch.
        {{"-x1", "a.emf"}, "open a.emf x1"},
        {{"-x12abc"}, "new x12"},
        {{"-x-3"}, "new x-3"},
        {{"-x"}, "new"},
        {{"-xyz"}, "new"},
        {{"-x99999999999"}, "new x2147483647"},
        {{"-X1"}, "new ?X1"},
        // Registering in any case turns the splash off.
        {{"-rEgIsTeR"}, "new nosplash register"},
        {{"-REGSERVER"}, "new nosplash register"},
        {{"-unregserver"}, "new nosplash unregister"},
        // The last unrecognized switch is kept.
        {{"-foo", "a.emf", "-bar"}, "open a.emf ?bar"},
        {{"-P", "a.emf"}, "print a.emf"},
        {{"-pt", "a.emf", "Printer", "Driver", "Port"}, "printto a.emf to Printer,Driver,Port"},
        {{"-Embedding"}, "new nosplash embedded"},
        {{"-automation"}, "new nosplash automated"},
    };
    for (const auto& [args, expected] : cases) EXPECT_EQ(Parsed(args), expected);
}

}  // namespace
