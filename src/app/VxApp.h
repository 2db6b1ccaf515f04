#pragma once
// The application: its settings, message boxes, file dialogs and font engine,
// the import filters, the command line, the recent-file list, the one document
// with its window, and the commands that belong to no document: New, Open, the
// recent files, Options, About and Exit.

#include "app/VxAppSettings.h"
#include "app/VxCommandLineInfo.h"
#include "app/VxQtFileDialogService.h"
#include "editing/VxQtEditDialogs.h"
#include "editing/VxQtTextDialogService.h"
#include "import/VxImportFilterList.h"
#include "platform/framework/TkCmdTarget.h"
#include "platform/framework/TkRecentFileList.h"
#include "platform/framework/TkVersionInfo.h"
#include "platform/qt/TkQtClipboard.h"
#include "platform/qt/TkQtFontEngine.h"
#include "platform/qt/TkQtMessageService.h"
#include "platform/qt/TkQtSettings.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class CVxDoc;
class CVxMainFrame;
class QSplashScreen;

class CVxApp : public CTkCmdTarget {
public:
    static constexpr std::size_t kRecentFiles = 4;

    // Needs the QApplication. bQtDialogs false leaves the message boxes and
    // file dialogs to services the caller installed (tests).
    explicit CVxApp(bool bQtDialogs = true);
    ~CVxApp() override;
    CVxApp(const CVxApp&) = delete;
    CVxApp& operator=(const CVxApp&) = delete;

    // The start-up with the arguments after the program's name. False when the
    // program ends at once, with GetExitCode.
    bool InitInstance(const std::vector<std::string>& args);
    int GetExitCode() const { return m_nExitCode; }

    CVxMainFrame* GetMainFrame() { return m_pMainFrame.get(); }
    CVxDoc* GetDocument() { return m_pDoc.get(); }
    const CVxCommandLineInfo& GetCommandLineInfo() const { return m_cmdInfo; }
    const VxAppSettings& GetSettings() const { return m_appSettings; }
    const CTkRecentFileList& GetRecentFileList() const { return m_recentFiles; }
    QString GetSettingsFilePath() const { return m_settings.GetFilePath(); }
    bool WasSplashShown() const { return m_bSplashShown; }

    void OnFileNew();
    void OnFileOpen();
    void OnOpenRecentFile(unsigned nID);
    void OnUpdateRecentFile(CTkCmdUI& cmdUI);
    void OnToolsOptions();
    void OnAppAbout();
    void OnAppExit();
    bool OnCmdMsg(unsigned nID, CTkCmdUI* pCmdUI) override;

private:
    void InstallServices();
    // False when the program is to end (register, unregister).
    bool ProcessShellCommand();
    // -p and -pt: the file on one page of the printer, no window shown.
    void PrintFromCommandLine();
    void OpenMostRecentFile();
    void WarnIfSettingsReadOnly();
    // Stores the Options values that changed, with what each change asks for.
    void ApplyOptions(const VxAppSettings& chosen);
    void ExitInstance();

    CTkVersionInfo m_version;
    CTkQtSettings m_settings;
    CTkQtMessageService m_messages;
    CTkQtClipboard m_clipboard;
    CVxQtFileDialogService m_fileDialogs;
    CVxQtEditDialogs m_editDialogs;
    std::optional<CVxEditDialogsGuard> m_editDialogsGuard;
    CVxQtTextDialogService m_textDialogs;
    CTkQtFontEngine m_fonts;
    CVxImportFilterList m_filters;
    CVxCommandLineInfo m_cmdInfo;
    VxAppSettings m_appSettings;
    CTkRecentFileList m_recentFiles{kRecentFiles};
    unsigned m_nOptionsPageId = 0;
    std::unique_ptr<QSplashScreen> m_pSplash;
    std::unique_ptr<CVxDoc> m_pDoc;
    std::unique_ptr<CVxMainFrame> m_pMainFrame;
    int m_nExitCode = 0;
    bool m_bQtDialogs;
    bool m_bSplashShown = false;
    bool m_bStarted = false;
};
