// The application's commands: New, Open, the recent files, Options, About, Exit.

#include "app/VxAboutBox.h"
#include "app/VxApp.h"
#include "app/VxGeneralOptionsPage.h"
#include "app/VxMainFrame.h"
#include "app/VxToolbarsOptionsPage.h"
#include "attributes/pages/VxPropertySheet.h"
#include "document/VxDoc.h"
#include "document/VxDocManager.h"
#include "platform/framework/TkMessageService.h"
#include "platform/framework/TkStrings.h"
#include "platform/qt/TkQtModal.h"
#include "resources/VxResourceIds.h"

#include <array>

namespace {

const auto kCommands = std::to_array<CTkCmdEntry<CVxApp>>({
    TkOnCommand(ID_FILE_NEW, &CVxApp::OnFileNew),
    TkOnCommand(ID_FILE_OPEN, &CVxApp::OnFileOpen),
    TkOnCommandRange(ID_FILE_MRU_FIRST, ID_FILE_MRU_LAST, &CVxApp::OnOpenRecentFile,
                     &CVxApp::OnUpdateRecentFile),
    TkOnCommand(ID_TOOLS_OPTIONS, &CVxApp::OnToolsOptions),
    TkOnCommand(ID_APP_ABOUT, &CVxApp::OnAppAbout),
    TkOnCommand(ID_APP_EXIT, &CVxApp::OnAppExit),
});

// "&1 path", with the path's own '&' shown as such.
std::string RecentFileText(std::size_t nIndex, const std::string& path)
{
    std::string text = "&";
    text += std::to_string(nIndex + 1);
    text += ' ';
    for (const char c : path) {
        text += c;
        if (c == '&') text += '&';
    }
    return text;
}

}  // namespace

bool CVxApp::OnCmdMsg(unsigned nID, CTkCmdUI* pCmdUI)
{
    return m_pMainFrame && Dispatch<CVxApp>(*this, kCommands, nID, pCmdUI);
}

void CVxApp::OnFileNew()
{
    if (!m_pMainFrame->SaveModified()) return;
    m_pDoc->DeleteContents();
    m_pDoc->SetModifiedFlag(false);
    m_pDoc->m_strPathName.clear();
    m_pDoc->m_strTitle =
        TkExtractSubString(TkLoadString(IDS_DOCUMENT_STRING), kDocStringNewName);
}

void CVxApp::OnFileOpen()
{
    std::string strPath;
    if (!CVxDocManager(m_filters).DoPromptFileName(strPath, IDS_OPEN_TITLE,
                                                   OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, true))
        return;
    m_pMainFrame->OpenDocumentFile(strPath);
}

void CVxApp::OnOpenRecentFile(unsigned nID)
{
    const std::size_t nIndex = nID - ID_FILE_MRU_FIRST;
    const std::string path = m_recentFiles.Get(nIndex);
    if (path.empty()) return;
    bool bCancelled = false;
    // A file that can no longer be read has been reported; its entry goes.
    if (!m_pMainFrame->OpenDocumentFile(path, &bCancelled) && !bCancelled)
        m_recentFiles.Remove(nIndex);
}

void CVxApp::OnUpdateRecentFile(CTkCmdUI& cmdUI)
{
    const std::size_t nIndex = cmdUI.GetID() - ID_FILE_MRU_FIRST;
    const std::string& path = m_recentFiles.Get(nIndex);
    if (path.empty()) {
        // The first entry stands, disabled, for an empty list.
        cmdUI.Enable(false);
        cmdUI.Show(nIndex == 0);
        cmdUI.SetText(TkLoadString(IDS_RECENT_FILE));
        return;
    }
    cmdUI.SetText(RecentFileText(nIndex, path));
}

void CVxApp::OnToolsOptions()
{
    CVxPropertySheet sheet({}, QString::fromStdString(TkLoadString(IDS_OPTIONS)),
                           m_pMainFrame.get());
    auto pGeneral = std::make_unique<CVxGeneralOptionsPage>(m_appSettings);
    auto pToolbars = std::make_unique<CVxToolbarsOptionsPage>(m_appSettings, false);
    const CVxGeneralOptionsPage& general = *pGeneral;
    const CVxToolbarsOptionsPage& toolbars = *pToolbars;
    sheet.AddPage(std::move(pGeneral));
    sheet.AddPage(std::move(pToolbars));
    sheet.SetActivePage(m_nOptionsPageId);
    const int nResult = sheet.DoModal();
    m_nOptionsPageId = sheet.GetActivePageId();
    if (nResult == IDOK) {
        VxAppSettings chosen = m_appSettings;
        general.Read(chosen);
        toolbars.Read(chosen);
        ApplyOptions(chosen);
    }
    sheet.RemovePage(IDD_OPTIONS_GENERAL);
    sheet.RemovePage(IDD_OPTIONS_TOOLBARS);
}

void CVxApp::ApplyOptions(const VxAppSettings& chosen)
{
    bool bStored = true;
    auto store = [&]<typename V>(const char* key, V VxAppSettings::*pValue) {
        if (chosen.*pValue == m_appSettings.*pValue) return false;
        m_appSettings.*pValue = chosen.*pValue;
        bStored = VxAppSettings::Write(key, int(chosen.*pValue)) && bStored;
        return true;
    };
    store("DisplayCopyrightOnStartup", &VxAppSettings::bDisplayCopyrightOnStartup);
    store("OpenMruFileOnStartup", &VxAppSettings::bOpenMruFileOnStartup);
    store("DisplayUnhandledMetafileRecordWarnings",
          &VxAppSettings::bDisplayUnhandledMetafileRecordWarnings);
    store("IgnoreTextCharacterSpacingTables", &VxAppSettings::bIgnoreTextCharacterSpacingTables);
    store("DragObjectOutlines", &VxAppSettings::nDragObjectOutlines);
    // The bars change at once, without a restart.
    if (store("UseLargeToolBarButtons", &VxAppSettings::bUseLargeToolBarButtons))
        m_pMainFrame->ApplyButtonSize(chosen.bUseLargeToolBarButtons);
    if (store("AutoWrapToolBars", &VxAppSettings::bAutoWrapToolBars))
        m_pMainFrame->SetAutoWrap(chosen.bAutoWrapToolBars);
    // The history keeps its capacity until the next start.
    if (store("MaxNumberOfUndos", &VxAppSettings::nMaxNumberOfUndos))
        TkGetMessageService().ShowMessage(IDS_MAX_UNDOS_NEXT_START, MB_OK | MB_ICONINFORMATION);
    if (!bStored) {
        TkGetMessageService().ShowMessage(IDS_SETTINGS_NOT_SAVED, MB_OK | MB_ICONEXCLAMATION,
                                          {GetSettingsFilePath().toStdString()});
    }
}

void CVxApp::OnAppAbout()
{
    CVxAboutBox about(m_pMainFrame.get());
    TkRunModal(about);
}

void CVxApp::OnAppExit()
{
    m_pMainFrame->close();
}
