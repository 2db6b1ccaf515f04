#pragma once
// The file open and save dialogs, reached through an interface so that the
// editor shows a real dialog and tests and the command-line tool answer it.

#include "platform/gdi/GdiTypes.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

constexpr DWORD OFN_READONLY = 0x00000001;
constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;

// One entry of a dialog's file-type list: the text shown and its patterns
// ("*.wmf;*.emf").
struct VxFileFilter {
    std::string strText;
    std::string strPattern;
    friend bool operator==(const VxFileFilter&, const VxFileFilter&) = default;
};

struct VxFileDialogRequest {
    bool bOpenFileDialog = false;
    std::string strTitle;
    DWORD flags = 0;
    std::vector<VxFileFilter> filters;
    int nFilterIndex = 1;          // 1-based; the chosen filter on return
    std::string strInitialFolder;  // empty: the dialog's own choice
    std::string strFileName;       // proposed; the chosen path on return
};

class IVxFileDialogService {
public:
    virtual ~IVxFileDialogService() = default;
    // Shows the dialog; false when it was cancelled (the request then unchanged).
    virtual bool ShowFileDialog(VxFileDialogRequest& request) = 0;
};

// Answers from a script: each queued answer is a chosen path (and filter
// index), or cancel; with none left the dialog is cancelled. Keeps every request.
class CVxScriptedFileDialogService : public IVxFileDialogService {
public:
    bool ShowFileDialog(VxFileDialogRequest& request) override;

    void QueueFileName(std::string strPath, int nFilterIndex = 0);
    void QueueCancel() { m_answers.emplace_back(std::nullopt); }
    const std::vector<VxFileDialogRequest>& GetRequests() const { return m_requests; }
    void Reset();

private:
    struct Answer {
        std::string strPath;
        int nFilterIndex = 0;  // 0: keep the request's
    };
    std::deque<std::optional<Answer>> m_answers;
    std::vector<VxFileDialogRequest> m_requests;
};

// The process-wide file dialog; a scripted one until another is installed.
IVxFileDialogService& VxGetFileDialogService();
// Installs pService (not owned; null restores the scripted one).
void VxSetFileDialogService(IVxFileDialogService* pService);
