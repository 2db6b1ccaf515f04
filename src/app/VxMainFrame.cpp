#include "app/VxMainFrame.h"

#include "app/VxCommandActions.h"
#include "app/VxStatusBar.h"
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
#include <QResizeEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QUrl>

#include <array>
#include <utility>

namespace {

// The framework's idle update of the command states.
constexpr int kIdleUpdateMs = 200;

// The panes right of the message pane, filled by their update handlers.
constexpr std::array<unsigned, 3> kPaneIds{ID_INDICATOR_COORDINATE, ID_INDICATOR_SIZE,
                                           ID_INDICATOR_SELECTION};

const auto kCommands = std::to_array<CTkCmdEntry<CVxMainFrame>>({
    TkOnCommand(ID_VIEW_STATUS_BAR, &CVxMainFrame::OnViewStatusBar,
                &CVxMainFrame::OnUpdateViewStatusBar),
    TkOnCommand(ID_VIEW_TOOLBAR, &CVxMainFrame::OnViewToolBars),
    TkOnCommandRange(ID_VIEW_COORDINATE_STATUS, ID_VIEW_SELECTION_STATUS, &CVxMainFrame::OnViewPane,
                     &CVxMainFrame::OnUpdateViewPane),
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
    m_pStatusBar = new CVxStatusBar(this);
    setStatusBar(m_pStatusBar);
    m_pView->SetMessageSink([this](const std::string& text) {
        m_pStatusBar->GetMessagePane().setText(QString::fromStdString(text));
    });
    CreateToolBars();
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
    return m_pStatusBar->GetMessagePane().text();
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
    UpdateToolBarBoxes();
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
        m_pStatusBar->GetMessagePane().setText(tip.isEmpty() ? LoadQString(IDS_IDLE_PROMPT) : tip);
        return true;
    }
    return QMainWindow::event(pEvent);
}

// --- Status bar

void CVxMainFrame::UpdatePanes()
{
    for (unsigned nID : kPaneIds) {
        CTkCmdUI cmdUI(nID);
        OnCmdMsg(nID, &cmdUI);
        m_pStatusBar->SetPaneText(nID, QString::fromStdString(cmdUI.GetText().value_or(std::string())),
                                  cmdUI.IsEnabled());
    }
}

QString CVxMainFrame::GetPaneText(unsigned nID) const
{
    return m_pStatusBar->GetPaneText(nID);
}

void CVxMainFrame::OnViewPane(unsigned nID)
{
    const unsigned nPane = ID_INDICATOR_COORDINATE + (nID - ID_VIEW_COORDINATE_STATUS);
    m_pStatusBar->SetPaneShown(nPane, !m_pStatusBar->IsPaneShown(nPane));
}

void CVxMainFrame::OnUpdateViewPane(CTkCmdUI& cmdUI)
{
    const unsigned nPane = ID_INDICATOR_COORDINATE + (cmdUI.GetID() - ID_VIEW_COORDINATE_STATUS);
    cmdUI.Enable();
    cmdUI.SetCheck(m_pStatusBar->IsPaneShown(nPane) ? 1 : 0);
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
    if (!SaveModified()) {
        pEvent->ignore();
        return;
    }
    if (m_bKeepsPlacement) SavePlacement();
    pEvent->accept();
}

void CVxMainFrame::resizeEvent(QResizeEvent* pEvent)
{
    QMainWindow::resizeEvent(pEvent);
    RecalcLayout();
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
