#include "app/VxCommandLineInfo.h"

#include <algorithm>
#include <cctype>
#include <climits>

namespace {

bool SameNoCase(const std::string& a, const char* b)
{
    const std::string other(b);
    return a.size() == other.size() &&
           std::equal(a.begin(), a.end(), other.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

// The leading decimal number of text, with an optional sign: 0 when there is
// none, the nearest 32-bit value when it does not fit.
std::int32_t LeadingNumber(const std::string& text)
{
    std::size_t i = 0;
    bool bNegative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) bNegative = text[i++] == '-';
    std::int64_t value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        value = std::min<std::int64_t>(value * 10 + (text[i] - '0'), std::int64_t(INT_MAX) + 1);
    if (bNegative) value = -value;
    return std::int32_t(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX));
}

}  // namespace

void CVxCommandLineInfo::ParseCommandLine(const std::vector<std::string>& args)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool bFlag = arg.size() > 1 && arg[0] == '-';
        ParseParam(bFlag ? arg.substr(1) : arg, bFlag, i + 1 == args.size());
    }
}

void CVxCommandLineInfo::ParseParam(const std::string& strParam, bool bFlag, bool bLast)
{
    if (!bFlag) {
        ParseNotFlag(strParam);
    } else if (SameNoCase(strParam, "Register") || SameNoCase(strParam, "REGSERVER")) {
        m_bRegister = true;
        m_bShowSplash = false;
    } else if (SameNoCase(strParam, "Unregister") || SameNoCase(strParam, "UNREGSERVER")) {
        m_bUnregister = true;
        m_bShowSplash = false;
    } else if (strParam.starts_with('x')) {
        m_nFlags = LeadingNumber(strParam.substr(1));
    } else if (SameNoCase(strParam, "p") || SameNoCase(strParam, "pt") ||
               SameNoCase(strParam, "dde") || SameNoCase(strParam, "Embedding") ||
               SameNoCase(strParam, "Automation")) {
        ParseFrameworkFlag(strParam);
    } else {
        m_bUnrecognizedOption = true;
        m_strUnrecognizedOption = strParam;
    }
    if (bLast && m_nShellCommand == FileNew && !m_strFileName.empty()) m_nShellCommand = FileOpen;
}

void CVxCommandLineInfo::ParseFrameworkFlag(const std::string& strParam)
{
    if (SameNoCase(strParam, "p")) {
        m_nShellCommand = FilePrint;
    } else if (SameNoCase(strParam, "pt")) {
        m_nShellCommand = FilePrintTo;
    } else if (SameNoCase(strParam, "dde")) {
        m_nShellCommand = FileDDE;
    } else if (SameNoCase(strParam, "Embedding")) {
        m_bRunEmbedded = true;
        m_bShowSplash = false;
    } else {
        m_bRunAutomated = true;
        m_bShowSplash = false;
    }
}

void CVxCommandLineInfo::ParseNotFlag(const std::string& strParam)
{
    if (m_strFileName.empty()) {
        m_strFileName = strParam;
    } else if (m_nShellCommand == FilePrintTo && m_strPrinterName.empty()) {
        m_strPrinterName = strParam;
    } else if (m_nShellCommand == FilePrintTo && m_strDriverName.empty()) {
        m_strDriverName = strParam;
    } else if (m_nShellCommand == FilePrintTo && m_strPortName.empty()) {
        m_strPortName = strParam;
    }
}
