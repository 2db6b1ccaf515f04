#pragma once
// The editor's main window: the view of the one document, the menus made from
// the menu rows, the status bar's message pane, a title naming the document,
// and files dropped on it. Commands are routed view, document, frame, then the
// application.

#include "platform/framework/TkCmdTarget.h"

#include <QMainWindow>

#include <array>
#include <string>

class CVxCommandActions;
class CVxDoc;
class CVxView;
class QAction;
class QLabel;
class QMenu;
class QTimer;

class CVxMainFrame : public QMainWindow, public CTkCmdTarget {
public:
    // doc must outlive the frame.
    explicit CVxMainFrame(CVxDoc& doc, QWidget* pParent = nullptr);
    ~CVxMainFrame() override;
    CVxMainFrame(const CVxMainFrame&) = delete;
    CVxMainFrame& operator=(const CVxMainFrame&) = delete;

    CVxView& GetView() { return *m_pView; }
    CVxDoc& GetDocument() { return m_doc; }
    // The last stop of the route (the application); not owned, may be null.
    void SetAppTarget(CTkCmdTarget* pApp);
    // The action of a command id (null for an id the menus lack).
    QAction* GetCommand(unsigned nID) const;
    CVxCommandActions& GetCommandActions() { return *m_pActions; }
    QMenu& GetContextMenu() { return *m_pContextMenu; }
    // The text of the status bar's message pane.
    QString GetMessageText() const;
    // The text of the Coordinate, Size or Selection pane.
    QString GetPaneText(unsigned nID) const;

    // Opens strPath once the user has had the chance to save the open picture.
    // A file that cannot be read leaves the open picture as it was. pbCancelled
    // tells whether the user cancelled before the file was tried.
    bool OpenDocumentFile(const std::string& strPath, bool* pbCancelled = nullptr);
    // Asks whether to save a modified picture; false when the user cancelled
    // or the save failed.
    bool SaveModified();
    void OnViewStatusBar();
    void OnUpdateViewStatusBar(CTkCmdUI& cmdUI);

    // Brings every command's state and the title up to date.
    void UpdateFrame();

    bool OnCmdMsg(unsigned nID, CTkCmdUI* pCmdUI) override;

protected:
    bool event(QEvent* pEvent) override;
    void closeEvent(QCloseEvent* pEvent) override;
    void dragEnterEvent(QDragEnterEvent* pEvent) override;
    void dropEvent(QDropEvent* pEvent) override;

private:
    void UpdatePanes();

    CVxDoc& m_doc;
    CTkCmdTarget* m_pAppTarget = nullptr;
    CVxView* m_pView = nullptr;  // the rest are owned by the frame as Qt children
    CVxCommandActions* m_pActions = nullptr;
    QMenu* m_pContextMenu = nullptr;
    QLabel* m_pMessagePane = nullptr;
    std::array<QLabel*, 3> m_panes{};  // Coordinate, Size, Selection
    QTimer* m_pIdleTimer = nullptr;
};
