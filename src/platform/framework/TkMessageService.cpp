#include "platform/framework/TkMessageService.h"

#include "platform/framework/TkFormat.h"
#include "platform/framework/TkServiceSlot.h"
#include "platform/framework/TkStrings.h"

#include <iterator>

std::string TkFormatMessage(UINT nIdMessage, const std::vector<std::string>& args)
{
    const std::vector<CTkFormatArg> formatArgs(args.begin(), args.end());
    return TkFormatString(TkLoadString(nIdMessage), formatArgs);
}

int ITkMessageService::ShowMessage(UINT nIdMessage, UINT nType,
                                   const std::vector<std::string>& args)
{
    return ShowMessageText(nIdMessage, nType, TkFormatMessage(nIdMessage, args));
}

int TkDefaultAnswer(UINT nType)
{
    static constexpr int kButtons[][3] = {
        {IDOK, IDOK, IDOK},             // MB_OK
        {IDOK, IDCANCEL, IDCANCEL},     // MB_OKCANCEL
        {IDABORT, IDRETRY, IDIGNORE},   // MB_ABORTRETRYIGNORE
        {IDYES, IDNO, IDCANCEL},        // MB_YESNOCANCEL
        {IDYES, IDNO, IDNO},            // MB_YESNO
        {IDRETRY, IDCANCEL, IDCANCEL},  // MB_RETRYCANCEL
    };
    const UINT buttons = nType & MB_TYPEMASK;
    const UINT defButton = (nType & MB_DEFMASK) >> 8;
    if (buttons >= std::size(kButtons) || defButton > 2) return IDOK;
    return kButtons[buttons][defButton];
}

int CTkScriptedMessageService::ShowMessageText(UINT nIdMessage, UINT nType,
                                               const std::string& strText)
{
    m_shown.push_back({nIdMessage, nType, strText});
    if (m_answers.empty()) return m_nDefaultAnswer ? m_nDefaultAnswer : TkDefaultAnswer(nType);
    const int nAnswer = m_answers.front();
    m_answers.pop_front();
    return nAnswer;
}

void CTkScriptedMessageService::Reset()
{
    m_answers.clear();
    m_nDefaultAnswer = 0;
    m_shown.clear();
}

namespace {

CTkServiceSlot<ITkMessageService, CTkScriptedMessageService>& Slot()
{
    static CTkServiceSlot<ITkMessageService, CTkScriptedMessageService> s_slot;
    return s_slot;
}

}  // namespace

ITkMessageService& TkGetMessageService()
{
    return Slot().Get();
}

void TkSetMessageService(ITkMessageService* pService)
{
    Slot().Set(pService);
}
