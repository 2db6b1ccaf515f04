#include "app/VxMainFrame.h"

#include "app/VxCommandActions.h"
#include "document/VxDoc.h"
#include "editing/VxView.h"
#include "platform/framework/TkMessageService.h"
#include "platform/framework/TkStrings.h"
#include "resources/VxMenus.h"
#include "resources/VxResourceIds.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QUrl>

#include <array>

namespace {

// The framework's idle update of the command states.
constexpr int kIdleUpdateMs = 200;

// The panes right of the message pane, filled by their update handlers.
constexpr std::array<unsigned, 3> kPaneIds{ID_INDICATOR_COORDINATE, ID_INDICATOR_SIZE,
                                           ID_INDICATOR_SELECTION};

const auto kCommands = std::to_array<CTkCmdEntry<CVxMainFrame>>({
    TkOnCommand(ID_VIEW_STATUS_BAR, &CVxMainFrame::OnViewStatusBar,
                &CVxMainFrame::OnUpdateViewStatusBar),
});

QString LoadQString(unsigned nID)
{
    return QString::fromStdString(TkLoadString(nID));
}

// The first local file of a drop; empty when it holds none.
QString DroppedFile(const QMimeData* pData)
{
    if (!pData || !pData->hasUrls()) return {};
    for (const QUrl& url : pData->urls()) {
        if (url.isLocalFile()) return url.toLocalFile();
    }
    return {};
}

}  // namespace

CVxMainFrame::CVxMainFrame(CVxDoc& doc, QWidget* pParent) : QMainWindow(pParent), m_doc(doc)
{
    m_pView = new CVxView(m_doc, this);
    setCentralWidget(m_pView);
    m_pActions = new CVxCommandActions(*this, *this);
    m_pActions->SetAfterCommand([this] { UpdateFrame(); });
    m_pActions->BuildMenuBar(*menuBar(), VxGetMainMenuRows());
    m_pContextMenu = new QMenu(this);
    m_pActions->BuildMenu(*m_pContextMenu, VxGetContextMenuRows());
    m_pView->SetContextMenu(m_pContextMenu);
    m_pMessagePane = new QLabel(LoadQString(IDS_IDLE_PROMPT), this);
    statusBar()->addWidget(m_pMessagePane, 1);
    for (std::size_t i = 0; i < kPaneIds.size(); ++i) {
        m_panes[i] = new QLabel(this);
        m_panes[i]->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000.00, 0000.00 cm.")));
        statusBar()->addPermanentWidget(m_panes[i]);
    }
    m_pView->SetMessageSink([this](const std::string& text) {
        m_pMessagePane->setText(QString::fromStdString(text));
    });
    setAcceptDrops(true);
    m_pIdleTimer = new QTimer(this);
    connect(m_pIdleTimer, &QTimer::timeout, this, [this] { UpdateFrame(); });
    m_pIdleTimer->start(kIdleUpdateMs);
    resize(960, 720);
    UpdateFrame();
}

CVxMainFrame::~CVxMainFrame() = default;

void CVxMainFrame::SetAppTarget(CTkCmdTarget* pApp)
{
    m_pAppTarget = pApp;
    UpdateFrame();
}

QAction* CVxMainFrame::GetCommand(unsigned nID) const
{
    return m_pActions->GetAction(nID);
}

QString CVxMainFrame::GetMessageText() const
{
    return m_pMessagePane->text();
}

bool CVxMainFrame::OnCmdMsg(unsigned nID, CTkCmdUI* pCmdUI)
{
    return m_pView->OnCmdMsg(nID, pCmdUI) || m_doc.OnCmdMsg(nID, pCmdUI) ||
           Dispatch<CVxMainFrame>(*this, kCommands, nID, pCmdUI) ||
           (m_pAppTarget && m_pAppTarget->OnCmdMsg(nID, pCmdUI));
}

void CVxMainFrame::UpdateFrame()
{
    m_pActions->UpdateAll();
    UpdatePanes();
    const QString title = QString::fromStdString(m_doc.m_strTitle) + QStringLiteral(" - ") +
                          QString::fromStdString(TkExtractSubString(
                              TkLoadString(IDS_DOCUMENT_STRING), kDocStringAppTitle));
    if (windowTitle() != title) setWindowTitle(title);
}

bool CVxMainFrame::event(QEvent* pEvent)
{
    // A command's prompt while the pointer is on it, the idle prompt after.
    if (pEvent->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent*>(pEvent)->tip();
        m_pMessagePane->setText(tip.isEmpty() ? LoadQString(IDS_IDLE_PROMPT) : tip);
        return true;
    }
    return QMainWindow::event(pEvent);
}

// --- Status bar

void CVxMainFrame::UpdatePanes()
{
    for (std::size_t i = 0; i < kPaneIds.size(); ++i) {
        CTkCmdUI cmdUI(kPaneIds[i]);
        OnCmdMsg(kPaneIds[i], &cmdUI);
        const QString text = QString::fromStdString(cmdUI.GetText().value_or(std::string()));
        if (m_panes[i]->text() != text) m_panes[i]->setText(text);
        m_panes[i]->setEnabled(cmdUI.IsEnabled());
    }
}

QString CVxMainFrame::GetPaneText(unsigned nID) const
{
    for (std::size_t i = 0; i < kPaneIds.size(); ++i) {
        if (kPaneIds[i] == nID) return m_panes[i]->text();
    }
    return {};
}

void CVxMainFrame::OnViewStatusBar()
{
    statusBar()->setVisible(statusBar()->isHidden());
}

void CVxMainFrame::OnUpdateViewStatusBar(CTkCmdUI& cmdUI)
{
    cmdUI.SetCheck(statusBar()->isHidden() ? 0 : 1);
}

// --- Files

bool CVxMainFrame::SaveModified()
{
    if (!m_doc.IsModified()) return true;
    const int answer = TkGetMessageService().ShowMessage(
        IDS_ASK_TO_SAVE, MB_YESNOCANCEL | MB_ICONEXCLAMATION, {m_doc.m_strTitle});
    if (answer == IDNO) return true;
    if (answer != IDYES) return false;
    m_doc.OnFileSave();
    // A failed or cancelled save leaves the picture modified.
    return !m_doc.IsModified();
}

bool CVxMainFrame::OpenDocumentFile(const std::string& strPath, bool* pbCancelled)
{
    const bool bCancelled = !SaveModified();
    if (pbCancelled) *pbCancelled = bCancelled;
    if (bCancelled) return false;
    const bool bOpened = m_doc.OnOpenDocument(strPath);
    UpdateFrame();
    return bOpened;
}

void CVxMainFrame::closeEvent(QCloseEvent* pEvent)
{
    if (SaveModified()) {
        pEvent->accept();
    } else {
        pEvent->ignore();
    }
}

void CVxMainFrame::dragEnterEvent(QDragEnterEvent* pEvent)
{
    if (!DroppedFile(pEvent->mimeData()).isEmpty()) pEvent->acceptProposedAction();
}

// A folder or a file that is no metafile gets the open's own message.
void CVxMainFrame::dropEvent(QDropEvent* pEvent)
{
    const QString path = DroppedFile(pEvent->mimeData());
    if (path.isEmpty()) return;
    pEvent->acceptProposedAction();
    activateWindow();
    OpenDocumentFile(path.toStdString());
}
