#pragma once
// The editor's main window: the view of the one document, the File, Edit and
// View menus, and a title naming the document.

#include "platform/gdi/GdiTypes.h"

#include <QMainWindow>

#include <map>
#include <string>

class CVxDoc;
class CVxImportFilterList;
class CVxView;
class QAction;
class QMenu;
class QTimer;

class CVxMainFrame : public QMainWindow {
public:
    // doc and filters must outlive the frame.
    CVxMainFrame(CVxDoc& doc, const CVxImportFilterList& filters, QWidget* pParent = nullptr);
    ~CVxMainFrame() override;
    CVxMainFrame(const CVxMainFrame&) = delete;
    CVxMainFrame& operator=(const CVxMainFrame&) = delete;

    CVxView& GetView() { return *m_pView; }
    // The menu command with this id (null for an id the menus lack).
    QAction* GetCommand(UINT nId) const;

    // Opens strPath once the user has had the chance to save the open picture.
    // A file that cannot be read leaves the open picture as it was.
    bool OpenDocumentFile(const std::string& strPath);
    void OnFileNew();
    void OnFileOpen();
    void OnFileSave();
    void OnFileSaveAs();
    void OnEditUndo();
    void OnEditRedo();
    void OnAppExit();
    void OnViewZoomIn();
    void OnViewZoomOut();
    void OnViewActualSize();
    void OnViewFullPage();
    // Asks whether to save a modified picture; false when the user cancelled
    // or the save failed.
    bool SaveModified();

    // Enables and checks every command by the document's and the view's state,
    // and shows the document's title.
    void UpdateFrame();

protected:
    void closeEvent(QCloseEvent* pEvent) override;

private:
    QAction* AddCommand(QMenu* pMenu, UINT nId, const QString& strText,
                        const QKeySequence& shortcut, void (CVxMainFrame::*pfnHandler)());
    void CreateMenus();

    CVxDoc& m_doc;
    const CVxImportFilterList& m_filters;
    CVxView* m_pView = nullptr;  // owned by the frame as its central widget
    std::map<UINT, QAction*> m_commands;
    QTimer* m_pIdleTimer = nullptr;
};
