#include "document/VxFileDialogService.h"

#include "platform/framework/TkServiceSlot.h"

#include <utility>

namespace {

CTkServiceSlot<IVxFileDialogService, CVxScriptedFileDialogService>& Slot()
{
    static CTkServiceSlot<IVxFileDialogService, CVxScriptedFileDialogService> s_slot;
    return s_slot;
}

}  // namespace

bool CVxScriptedFileDialogService::ShowFileDialog(VxFileDialogRequest& request)
{
    m_requests.push_back(request);
    if (m_answers.empty()) return false;
    const std::optional<Answer> answer = std::move(m_answers.front());
    m_answers.pop_front();
    if (!answer) return false;
    request.strFileName = answer->strPath;
    if (answer->nFilterIndex > 0) request.nFilterIndex = answer->nFilterIndex;
    return true;
}

void CVxScriptedFileDialogService::QueueFileName(std::string strPath, int nFilterIndex)
{
    m_answers.emplace_back(Answer{std::move(strPath), nFilterIndex});
}

void CVxScriptedFileDialogService::Reset()
{
    m_answers.clear();
    m_requests.clear();
}

IVxFileDialogService& VxGetFileDialogService()
{
    return Slot().Get();
}

void VxSetFileDialogService(IVxFileDialogService* pService)
{
    Slot().Set(pService);
}
