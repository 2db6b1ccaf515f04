#pragma once
// A property sheet: a dialog of pages on tabs, with OK and Cancel. It owns its
// pages; it opens on a chosen page and tells which page was active at the end.

#include "attributes/IVxPropertySheet.h"
#include "attributes/TkPalette.h"
#include "platform/gdi/GdiTypes.h"

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
    void AddPropertyPage(unsigned nIdTemplate, const CVxGraphicProperty& property) override;
    const CVxGraphicProperty* GetPageValues(unsigned nIdTemplate) const override;

    // What the attribute pages use of the view: its colour dialog and its
    // fill patterns (null: the sheet has no view).
    void SetColorDialog(std::function<bool(COLORREF&)> runColor) { m_runColor = std::move(runColor); }
    // False when cancelled or there is no dialog.
    bool RunColorDialog(COLORREF& color) const { return m_runColor && m_runColor(color); }
    void SetFillPalette(const CTkPalette<LOGBRUSH>* pPalette) { m_pFillPalette = pPalette; }
    const CTkPalette<LOGBRUSH>* GetFillPalette() const { return m_pFillPalette; }

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
    std::function<bool(COLORREF&)> m_runColor;
    const CTkPalette<LOGBRUSH>* m_pFillPalette = nullptr;
};
