#include "cli/VxCliMessageService.h"

#include "document/VxDoc.h"

namespace {

bool IsQuestion(UINT nType)
{
    const UINT buttons = nType & MB_TYPEMASK;
    return buttons == MB_YESNO || buttons == MB_YESNOCANCEL;
}

}  // namespace

std::string VxCliOneLine(const std::string& strText)
{
    std::string line;
    line.reserve(strText.size());
    for (char c : strText) {
        const bool bBreak = c == '\n' || c == '\r';
        if (!bBreak)
            line += c;
        else if (!line.empty() && line.back() != ' ')
            line += ' ';
    }
    return line;
}

int CVxCliMessageService::ShowMessageText(UINT nIdMessage, UINT nType,
                                          const std::string& strText)
{
    if (IsQuestion(nType)) {
        const bool bYes = nIdMessage == IDS_FIT_SIZE_FOR_WMF && m_bFitSizeForWmf;
        m_err << "glyphar-cli: warning: " << VxCliOneLine(strText) << " [answered "
              << (bYes ? "Yes" : "No") << "]\n";
        return bYes ? IDYES : IDNO;
    }
    if ((nType & MB_ICONMASK) == MB_ICONINFORMATION)
        m_err << "glyphar-cli: " << VxCliOneLine(strText) << '\n';
    else
        Error(strText);
    return (nType & MB_TYPEMASK) == MB_OK ? IDOK : TkDefaultAnswer(nType);
}

void CVxCliMessageService::Error(const std::string& strText)
{
    m_err << "glyphar-cli: error: " << VxCliOneLine(strText) << '\n';
    ++m_nErrors;
}
