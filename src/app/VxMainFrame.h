#pragma once
// The editor's main window: the view of the one document, the menus made from
// the menu rows, the ten toolbars, the status bar with its panes, a title
// naming the document, and files dropped on it. Commands are routed view,
// document, frame, then the application. Its members are split by topic over
// VxMainFrame*.cpp.

#include "platform/framework/TkCmdTarget.h"

#include <QMainWindow>

#include <string>
#include <vector>

class CVxBrushPatternToolBar;
class CVxColorToolBar;
class CVxCommandActions;
class CVxDoc;
class CVxStatusBar;
class CVxToolBar;
class CVxView;
class QAction;
class QComboBox;
class QLineEdit;
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
    // Coordinate, Size and Selection Status: show or hide the pane.
    void OnViewPane(unsigned nID);
    void OnUpdateViewPane(CTkCmdUI& cmdUI);
    CVxStatusBar& GetStatusBar() { return *m_pStatusBar; }

    // --- toolbars (VxMainFrameToolBars.cpp)
    // A list of the bars at the pointer, each shown or hidden by a click.
    void OnViewToolBars();
    // In creation order: Standard, Text, Draw, Color, Fill, Line, Zoom,
    // Format, Grid, Polygon.
    const std::vector<CVxToolBar*>& GetToolBars() const { return m_toolBars; }
    CVxToolBar* GetToolBar(unsigned nFrameId) const;
    CVxColorToolBar& GetColorToolBar() { return *m_pColorBar; }
    // The box of a toolbar control id (600-603), null for another id.
    QWidget* GetToolBarBox(unsigned nID) const;
    // What the Options sheet's "Toolbars" page changes, at once.
    void ApplyButtonSize(bool bLarge);
    void SetAutoWrap(bool bAutoWrap);
    // Re-packs the docked bars so that none runs past the window's edge.
    void RecalcLayout();
    // Restores the window's placement from "WindowPos" and keeps it and the
    // bar layout at close. Only for a start that shows the window (not one
    // that prints, registers or unregisters).
    void RestorePlacement();
    void SavePlacement();

    // Brings every command's state and the title up to date.
    void UpdateFrame();

    bool OnCmdMsg(unsigned nID, CTkCmdUI* pCmdUI) override;

protected:
    bool event(QEvent* pEvent) override;
    void closeEvent(QCloseEvent* pEvent) override;
    void resizeEvent(QResizeEvent* pEvent) override;
    void dragEnterEvent(QDragEnterEvent* pEvent) override;
    void dropEvent(QDropEvent* pEvent) override;

private:
    void UpdatePanes();
    void CreateToolBars();
    QWidget* MakeToolBarBox(unsigned nID, CVxToolBar& bar);
    void ConnectPaletteSignals();
    void UpdateToolBarBoxes();
    void CommitToolBarBox(unsigned nID, const QString& text);
    void RepackArea(Qt::ToolBarArea area);
    void LoadBarState();

    CVxDoc& m_doc;
    CTkCmdTarget* m_pAppTarget = nullptr;
    CVxView* m_pView = nullptr;  // the rest are owned by the frame as Qt children
    CVxCommandActions* m_pActions = nullptr;
    QMenu* m_pContextMenu = nullptr;
    CVxStatusBar* m_pStatusBar = nullptr;
    QTimer* m_pIdleTimer = nullptr;
    std::vector<CVxToolBar*> m_toolBars;
    CVxColorToolBar* m_pColorBar = nullptr;
    CVxBrushPatternToolBar* m_pFillBar = nullptr;
    struct ToolBarBox {
        unsigned nID;
        QWidget* pWidget;  // enabled and disabled as a whole
        QLineEdit* pEdit;  // where the text is
    };
    std::vector<ToolBarBox> m_boxes;
    bool m_bAutoWrap = true;
    bool m_bRepacking = false;
    bool m_bKeepsPlacement = false;
};
