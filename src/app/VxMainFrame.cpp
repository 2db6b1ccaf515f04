#include "app/VxMainFrame.h"

#include "app/VxCommandIds.h"
#include "document/VxDoc.h"
#include "document/VxDocManager.h"
#include "editing/VxView.h"
#include "platform/framework/TkMessageService.h"
#include "platform/framework/TkStrings.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>

namespace {

constexpr UINT IDS_DOCUMENT_STRING = 2;
constexpr int kDocStringAppTitle = 0;
constexpr int kDocStringNewName = 1;
// The framework's idle update of the command states.
constexpr int kIdleUpdateMs = 200;

QString AppTitle()
{
    return QString::fromStdString(
        TkExtractSubString(TkLoadString(IDS_DOCUMENT_STRING), kDocStringAppTitle));
}

}  // namespace

CVxMainFrame::CVxMainFrame(CVxDoc& doc, const CVxImportFilterList& filters, QWidget* pParent)
    : QMainWindow(pParent), m_doc(doc), m_filters(filters)
{
    m_pView = new CVxView(m_doc, this);
    setCentralWidget(m_pView);
    CreateMenus();
    statusBar()->showMessage(QString::fromStdString(TkLoadString(IDS_IDLE_PROMPT)));
    m_pIdleTimer = new QTimer(this);
    connect(m_pIdleTimer, &QTimer::timeout, this, [this] { UpdateFrame(); });
    m_pIdleTimer->start(kIdleUpdateMs);
    resize(960, 720);
    UpdateFrame();
}

CVxMainFrame::~CVxMainFrame() = default;

QAction* CVxMainFrame::AddCommand(QMenu* pMenu, UINT nId, const QString& strText,
                                  const QKeySequence& shortcut, void (CVxMainFrame::*pfnHandler)())
{
    QAction* pAction = pMenu->addAction(strText);
    pAction->setShortcut(shortcut);
    const std::string prompt = TkExtractSubString(TkLoadString(nId), 0);
    if (!prompt.empty()) pAction->setStatusTip(QString::fromStdString(prompt));
    connect(pAction, &QAction::triggered, this, [this, pfnHandler] {
        (this->*pfnHandler)();
        UpdateFrame();
    });
    m_commands[nId] = pAction;
    return pAction;
}

void CVxMainFrame::CreateMenus()
{
    QMenu* pFile = menuBar()->addMenu(tr("&File"));
    AddCommand(pFile, ID_FILE_NEW, tr("&New"), QKeySequence::New, &CVxMainFrame::OnFileNew);
    AddCommand(pFile, ID_FILE_OPEN, tr("&Open..."), QKeySequence::Open, &CVxMainFrame::OnFileOpen);
    AddCommand(pFile, ID_FILE_SAVE, tr("&Save"), QKeySequence::Save, &CVxMainFrame::OnFileSave);
    AddCommand(pFile, ID_FILE_SAVE_AS, tr("Save &As..."), QKeySequence::SaveAs,
               &CVxMainFrame::OnFileSaveAs);
    pFile->addSeparator();
    AddCommand(pFile, ID_APP_EXIT, tr("E&xit"), QKeySequence::Quit, &CVxMainFrame::OnAppExit);

    QMenu* pEdit = menuBar()->addMenu(tr("&Edit"));
    AddCommand(pEdit, ID_EDIT_UNDO, tr("&Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z),
               &CVxMainFrame::OnEditUndo);
    AddCommand(pEdit, ID_EDIT_REDO, tr("&Redo"), QKeySequence(Qt::CTRL | Qt::Key_Y),
               &CVxMainFrame::OnEditRedo);

    QMenu* pView = menuBar()->addMenu(tr("&View"));
    AddCommand(pView, ID_VIEW_ZOOM_IN, tr("Zoom &In"), QKeySequence::ZoomIn,
               &CVxMainFrame::OnViewZoomIn);
    AddCommand(pView, ID_VIEW_ZOOM_OUT, tr("Zoom &Out"), QKeySequence::ZoomOut,
               &CVxMainFrame::OnViewZoomOut);
    AddCommand(pView, ID_VIEW_ACTUAL_SIZE, tr("&Actual Size"), QKeySequence(),
               &CVxMainFrame::OnViewActualSize)
        ->setCheckable(true);
    AddCommand(pView, ID_VIEW_FULL_PAGE, tr("&Full Page"), QKeySequence(),
               &CVxMainFrame::OnViewFullPage)
        ->setCheckable(true);

    // Commands are brought up to date when their menu opens, as well as when idle.
    for (QMenu* pMenu : {pFile, pEdit, pView})
        connect(pMenu, &QMenu::aboutToShow, this, [this] { UpdateFrame(); });
}

QAction* CVxMainFrame::GetCommand(UINT nId) const
{
    const auto it = m_commands.find(nId);
    return it == m_commands.end() ? nullptr : it->second;
}

void CVxMainFrame::UpdateFrame()
{
    const CVxView& view = *m_pView;
    const bool bActualSize = !view.IsFullPage() && view.GetZoom() == CVxView::kActualSize;
    m_commands[ID_EDIT_UNDO]->setEnabled(m_doc.IsUndoEnabled());
    m_commands[ID_EDIT_REDO]->setEnabled(m_doc.IsRedoEnabled());
    m_commands[ID_VIEW_ZOOM_IN]->setEnabled(view.CanZoomIn());
    m_commands[ID_VIEW_ZOOM_OUT]->setEnabled(view.CanZoomOut());
    m_commands[ID_VIEW_ACTUAL_SIZE]->setChecked(bActualSize);
    m_commands[ID_VIEW_FULL_PAGE]->setChecked(view.IsFullPage());
    const QString title = QString::fromStdString(m_doc.m_strTitle) + QStringLiteral(" - ") +
                          AppTitle();
    if (windowTitle() != title) setWindowTitle(title);
}

// --- File

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

bool CVxMainFrame::OpenDocumentFile(const std::string& strPath)
{
    if (!SaveModified()) return false;
    const bool bOpened = m_doc.OnOpenDocument(strPath);
    UpdateFrame();
    return bOpened;
}

void CVxMainFrame::OnFileNew()
{
    if (!SaveModified()) return;
    m_doc.DeleteContents();
    m_doc.SetModifiedFlag(false);
    m_doc.m_strPathName.clear();
    m_doc.m_strTitle = TkExtractSubString(TkLoadString(IDS_DOCUMENT_STRING), kDocStringNewName);
}

void CVxMainFrame::OnFileOpen()
{
    std::string strPath;
    if (!CVxDocManager(m_filters).DoPromptFileName(
            strPath, IDS_OPEN_TITLE, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, true))
        return;
    OpenDocumentFile(strPath);
}

void CVxMainFrame::OnFileSave() { m_doc.OnFileSave(); }

void CVxMainFrame::OnFileSaveAs() { m_doc.DoSave(nullptr, true); }

void CVxMainFrame::OnAppExit() { close(); }

void CVxMainFrame::closeEvent(QCloseEvent* pEvent)
{
    if (SaveModified()) {
        pEvent->accept();
    } else {
        pEvent->ignore();
    }
}

// --- Edit

// The document ignores these with nothing to undo or redo, as when the x1
// switch enables them regardless.
void CVxMainFrame::OnEditUndo() { m_doc.OnEditUndo(); }
void CVxMainFrame::OnEditRedo() { m_doc.OnEditRedo(); }

// --- View

void CVxMainFrame::OnViewZoomIn() { m_pView->OnZoomIn(); }
void CVxMainFrame::OnViewZoomOut() { m_pView->OnZoomOut(); }
void CVxMainFrame::OnViewActualSize() { m_pView->OnViewActualSize(); }
void CVxMainFrame::OnViewFullPage() { m_pView->OnViewFullPage(); }
