#pragma once
// A property sheet: a dialog of pages on tabs, with OK and Cancel. It owns its
// pages; it opens on a chosen page and tells which page was active at the end.

#include "attributes/IVxPropertySheet.h"

#include <QDialog>

#include <functional>
#include <memory>

class CVxPropertyPage;
class QTabWidget;

class CVxPropertySheet : public QDialog, public IVxPropertySheet {
public:
    // saveUndoState takes the view's snapshot (empty: the sheet has no view).
    CVxPropertySheet(std::function<void()> saveUndoState, const QString& strCaption,
                     QWidget* pParent = nullptr);

    void AddPage(std::unique_ptr<CVxPropertyPage> pPage);
    // The first page with this dialog id, or null.
    CVxPropertyPage* FindPage(unsigned nIdTemplate) const;
    int GetPageCount() const;

    bool HasPage(unsigned nIdTemplate) const override;
    void RemovePage(unsigned nIdTemplate) override;
    void SaveUndoStateOnce() override;

    // Nothing when there is no such page.
    void SetActivePage(unsigned nIdTemplate);
    // 0 without pages.
    unsigned GetActivePageId() const;

    // IDOK or IDCANCEL.
    int DoModal();

protected:
    // OK closes the sheet only when every page accepts its fields.
    void accept() override;

private:
    QTabWidget* m_pTabs;  // owned by the dialog
    std::function<void()> m_saveUndoState;
    bool m_bUndoSaved = false;
};
