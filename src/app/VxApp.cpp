#include "app/VxApp.h"

#include "app/VxAboutBox.h"
#include "app/VxIgnoredMetafileRecordsDialog.h"
#include "app/VxMainFrame.h"
#include "app/VxShellRegistration.h"
#include "document/VxDoc.h"
#include "editing/VxView.h"
#include "import/VxIgnoredMetafileRecords.h"
#include "platform/framework/TkMessageService.h"
#include "platform/framework/TkClipboard.h"
#include "platform/framework/TkWaitCursor.h"
#include "platform/qt/TkQtModal.h"
#include "resources/VxResourceIds.h"

#include <QApplication>
#include <QPrinter>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSplashScreen>

namespace {

QString VersionValue(const CTkVersionInfo& version, const char* pszName)
{
    return QString::fromStdString(version.GetValue(pszName));
}

void BeginWaitCursor()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void EndWaitCursor()
{
    QApplication::restoreOverrideCursor();
}

}  // namespace

CVxApp::CVxApp(bool bQtDialogs)
    : m_settings(VersionValue(m_version, "CompanyName"), VersionValue(m_version, "ProductName")),
      m_messages(VersionValue(m_version, "ProductName")),
      m_bQtDialogs(bQtDialogs)
{
    QCoreApplication::setOrganizationName(VersionValue(m_version, "CompanyName"));
    QCoreApplication::setApplicationName(VersionValue(m_version, "ProductName"));
    QCoreApplication::setApplicationVersion(VersionValue(m_version, "ProductVersion"));
}

CVxApp::~CVxApp()
{
    if (m_bStarted) ExitInstance();
    // The window and the document go before the services they use.
    m_pMainFrame.reset();
    m_pDoc.reset();
    CVxIgnoredMetafileRecords::SetDisplay({});
    CTkWaitCursor::SetDisplay(nullptr, nullptr);
    TkSetRecentFileList(nullptr);
    if (m_bQtDialogs) {
        m_editDialogsGuard.reset();
        VxSetTextDialogService(nullptr);
        VxSetFileDialogService(nullptr);
        TkSetClipboard(nullptr);
        TkSetMessageService(nullptr);
    }
    TkSetSettings(nullptr);
    TkSetFontEngine(nullptr);
    CTkCmdTarget::SetCommandLineFlags(0);
}

void CVxApp::InstallServices()
{
    TkSetSettings(&m_settings);
    TkSetFontEngine(&m_fonts);
    if (m_bQtDialogs) {
        TkSetMessageService(&m_messages);
        TkSetClipboard(&m_clipboard);
        VxSetFileDialogService(&m_fileDialogs);
        m_editDialogsGuard.emplace(m_editDialogs);
        VxSetTextDialogService(&m_textDialogs);
    }
    TkSetRecentFileList(&m_recentFiles);
    CTkWaitCursor::SetDisplay(&BeginWaitCursor, &EndWaitCursor);
    CVxIgnoredMetafileRecords::SetDisplay([this](const CVxIgnoredMetafileRecords& records) {
        CVxIgnoredMetafileRecordsDialog dialog(records, m_pMainFrame.get());
        TkRunModal(dialog);
    });
}

bool CVxApp::InitInstance(const std::vector<std::string>& args)
{
    m_cmdInfo.ParseCommandLine(args);
    InstallServices();
    m_bStarted = true;
    CTkCmdTarget::SetCommandLineFlags(m_cmdInfo.m_nFlags);
    m_appSettings.Load();
    if (m_cmdInfo.m_bShowSplash && m_appSettings.bDisplayCopyrightOnStartup) {
        m_pSplash = CVxAboutBox::ShowSplash();
        m_bSplashShown = true;
    }
    m_recentFiles.ReadList();
    // There is no embedding container on this platform to serve.
    if (m_cmdInfo.m_bRunEmbedded || m_cmdInfo.m_bRunAutomated) return false;
    m_pDoc = std::make_unique<CVxDoc>();
    m_pMainFrame = std::make_unique<CVxMainFrame>(*m_pDoc);
    m_pMainFrame->SetAppTarget(this);
    m_messages.SetParent(m_pMainFrame.get());
    m_fileDialogs.SetParent(m_pMainFrame.get());
    m_editDialogs.SetParent(m_pMainFrame.get());
    const bool bGoOn = ProcessShellCommand();
    m_pSplash.reset();
    return bGoOn;
}

bool CVxApp::ProcessShellCommand()
{
    if (m_cmdInfo.m_bRegister && m_cmdInfo.m_nShellCommand == CVxCommandLineInfo::FileNew) {
        if (!CVxShellRegistration::Register()) {
            TkGetMessageService().ShowMessage(IDS_FILE_NOT_WRITTEN, MB_OK | MB_ICONSTOP);
            m_nExitCode = 1;
        }
        return false;
    }
    if (m_cmdInfo.m_bUnregister && m_cmdInfo.m_nShellCommand == CVxCommandLineInfo::FileNew)
        return false;  // the work is done at exit
    if (m_cmdInfo.m_nShellCommand == CVxCommandLineInfo::FilePrint ||
        m_cmdInfo.m_nShellCommand == CVxCommandLineInfo::FilePrintTo) {
        PrintFromCommandLine();
        return false;
    }
    m_pMainFrame->RestorePlacement();
    m_pMainFrame->show();
    WarnIfSettingsReadOnly();
    if (!m_cmdInfo.m_strFileName.empty()) {
        m_pMainFrame->OpenDocumentFile(m_cmdInfo.m_strFileName);
    } else if (m_appSettings.bOpenMruFileOnStartup) {
        OpenMostRecentFile();
    }
    if (m_cmdInfo.m_bUnrecognizedOption) {
        TkGetMessageService().ShowMessage(IDS_UNRECOGNIZED_OPTION, MB_OK | MB_ICONINFORMATION,
                                          {m_cmdInfo.m_strUnrecognizedOption});
    }
    return true;
}

void CVxApp::PrintFromCommandLine()
{
    m_nExitCode = 1;
    if (!m_pMainFrame->OpenDocumentFile(m_cmdInfo.m_strFileName)) return;
    QPrinter printer(QPrinter::HighResolution);
    const std::string strName =
        m_cmdInfo.m_nShellCommand == CVxCommandLineInfo::FilePrintTo ? m_cmdInfo.m_strPrinterName
                                                                     : std::string();
    if (!VxGetEditDialogs().ChoosePrinter(printer, strName)) {
        TkGetMessageService().ShowMessage(IDS_NO_PRINTER, MB_OK | MB_ICONSTOP);
        return;
    }
    m_pMainFrame->GetView().PrintDirect(printer);
    m_nExitCode = 0;
}

// As the first recent-file command: a file that is gone has been reported and
// loses its entry, and the program starts with the empty picture.
void CVxApp::OpenMostRecentFile()
{
    if (!m_recentFiles.Get(0).empty()) OnOpenRecentFile(ID_FILE_MRU_FIRST);
}

void CVxApp::WarnIfSettingsReadOnly()
{
    const QFileInfo file(m_settings.GetFilePath());
    const bool bWritable = file.exists() ? file.isWritable()
                                         : QDir().mkpath(file.absolutePath()) &&
                                               QFileInfo(file.absolutePath()).isWritable();
    if (!bWritable) {
        TkGetMessageService().ShowMessage(IDS_SETTINGS_NOT_SAVED, MB_OK | MB_ICONINFORMATION,
                                          {file.absoluteFilePath().toStdString()});
    }
}

void CVxApp::ExitInstance()
{
    m_bStarted = false;
    m_recentFiles.WriteList();
    if (!m_cmdInfo.m_bUnregister) return;
    CVxShellRegistration::Unregister();
    const QFileInfo file(m_settings.GetFilePath());
    QFile::remove(file.absoluteFilePath());
    // The company's folder goes too when nothing else is left in it.
    QDir().rmdir(file.absolutePath());
}
