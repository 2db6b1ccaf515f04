#include "app/VxApp.h"

#include "app/VxMainFrame.h"
#include "document/VxDoc.h"
#include "platform/framework/TkMessageService.h"

#include <QCoreApplication>

namespace {

constexpr UINT IDS_UNRECOGNIZED_OPTION = 4210;

}  // namespace

CVxApp::CVxApp()
    : m_settings(QString::fromLatin1(kCompanyName), QString::fromLatin1(kProductName)),
      m_messages(QString::fromLatin1(kProductName))
{
    QCoreApplication::setOrganizationName(QString::fromLatin1(kCompanyName));
    QCoreApplication::setApplicationName(QString::fromLatin1(kProductName));
}

CVxApp::~CVxApp()
{
    // The window and the document go before the services they use.
    m_pMainFrame.reset();
    m_pDoc.reset();
    VxSetFileDialogService(nullptr);
    TkSetMessageService(nullptr);
    TkSetSettings(nullptr);
    TkSetFontEngine(nullptr);
}

bool CVxApp::InitInstance(const std::vector<std::string>& args)
{
    m_cmdInfo.ParseCommandLine(args);
    TkSetSettings(&m_settings);
    TkSetMessageService(&m_messages);
    VxSetFileDialogService(&m_fileDialogs);
    TkSetFontEngine(&m_fonts);
    CVxDoc::SetCommandLineFlags(m_cmdInfo.m_nFlags);
    // There is no embedding container on this platform to serve.
    if (m_cmdInfo.m_bRunEmbedded || m_cmdInfo.m_bRunAutomated) {
        m_nExitCode = 0;
        return false;
    }
    m_pDoc = std::make_unique<CVxDoc>();
    m_pMainFrame = std::make_unique<CVxMainFrame>(*m_pDoc, m_filters);
    m_messages.SetParent(m_pMainFrame.get());
    m_fileDialogs.SetParent(m_pMainFrame.get());
    m_pMainFrame->show();
    ProcessShellCommand();
    if (m_cmdInfo.m_bUnrecognizedOption) {
        TkGetMessageService().ShowMessage(IDS_UNRECOGNIZED_OPTION, MB_OK | MB_ICONINFORMATION,
                                          {m_cmdInfo.m_strUnrecognizedOption});
    }
    return true;
}

void CVxApp::ProcessShellCommand()
{
    // A file that cannot be read has been reported; the empty picture stays.
    if (!m_cmdInfo.m_strFileName.empty()) m_pMainFrame->OpenDocumentFile(m_cmdInfo.m_strFileName);
}
