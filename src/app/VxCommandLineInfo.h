#pragma once
// What the command line asks for: a file to open, the shell commands (print,
// print to a printer, register, unregister, run embedded) and the flags value
// of the "x" switch. Switches start with '-'.

#include <cstdint>
#include <string>
#include <vector>

class CVxCommandLineInfo {
public:
    enum ShellCommand { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE };

    // Every argument after the program's name, in order.
    void ParseCommandLine(const std::vector<std::string>& args);
    // One argument; bFlag when it was a switch, given without its '-'.
    void ParseParam(const std::string& strParam, bool bFlag, bool bLast);

    // The framework's part.
    ShellCommand m_nShellCommand = FileNew;
    std::string m_strFileName;
    std::string m_strPrinterName;
    std::string m_strDriverName;
    std::string m_strPortName;
    bool m_bShowSplash = true;
    bool m_bRunEmbedded = false;
    bool m_bRunAutomated = false;

    // The program's own.
    bool m_bRegister = false;
    bool m_bUnregister = false;
    bool m_bUnrecognizedOption = false;
    std::string m_strUnrecognizedOption;  // the last one seen, without its '-'
    std::int32_t m_nFlags = 0;

private:
    void ParseFrameworkFlag(const std::string& strParam);
    void ParseNotFlag(const std::string& strParam);
};
