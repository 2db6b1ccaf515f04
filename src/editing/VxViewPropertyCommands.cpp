// The Properties sheet: the attribute pages of the selection, opened on the
// page last used or on the page of a Format command; OK is one undo step.

#include "editing/VxView.h"

#include "attributes/pages/VxDocPropertyPage.h"
#include "attributes/pages/VxPropertySheet.h"
#include "editing/VxEditDialogs.h"
#include "platform/framework/TkCmdUI.h"
#include "platform/framework/TkMessageService.h"
#include "platform/framework/TkStrings.h"
#include "resources/VxResourceIds.h"

namespace {

struct PageCommand {
    unsigned nID;
    unsigned nPage;
    const char* pszGroup;
};

constexpr PageCommand kPageCommands[] = {
    {ID_FORMAT_LINE, IDD_LINE_PAGE, "Pen"},          {ID_FORMAT_FILL, IDD_FILL_PAGE, "Brush"},
    {ID_FORMAT_POSITION, IDD_POSITION_PAGE, "Position"}, {ID_FORMAT_FONT, IDD_TEXT_PAGE, "Font"},
    {ID_FORMAT_OTHER, IDD_OTHER_PAGE, "Global"},
};

const PageCommand* FindPageCommand(unsigned nID)
{
    for (const PageCommand& command : kPageCommands) {
        if (command.nID == nID) return &command;
    }
    return nullptr;
}

}  // namespace

void CVxView::OnEditProperties() { RunPropertySheet(m_nLastPropertyPage); }

void CVxView::OnUpdateEditProperties(CTkCmdUI& cmdUI) { cmdUI.Enable(!m_bCapture); }

void CVxView::OnFormatPage(unsigned nID)
{
    const PageCommand* pCommand = FindPageCommand(nID);
    if (pCommand && m_selection.HasProperty(pCommand->pszGroup)) RunPropertySheet(pCommand->nPage);
}

void CVxView::OnUpdateFormatPage(CTkCmdUI& cmdUI)
{
    const PageCommand* pCommand = FindPageCommand(cmdUI.GetID());
    cmdUI.Enable(pCommand && !m_bCapture && m_selection.HasProperty(pCommand->pszGroup));
}

void CVxView::RunPropertySheet(unsigned nPage)
{
    CVxPropertySheet sheet([this] { m_doc.SaveUndoState(); },
                           QString::fromStdString(TkLoadString(IDS_PROPERTIES)), this);
    sheet.SetColorDialog([](COLORREF& color) { return VxGetEditDialogs().RunColor(color); });
    sheet.SetFillPalette(&GetFillPalette());
    m_selection.AddPropertyPages(&sheet);
    CVxDocPropertyPage::AddPage(sheet, m_doc);
    if (nPage != 0) sheet.SetActivePage(nPage);
    const int nResult = sheet.DoModal();
    if (const unsigned nActive = sheet.GetActivePageId()) m_nLastPropertyPage = nActive;
    if (nResult == IDOK) {
        InvalidateHandles();
        m_selection.ApplyPropertyPages(&sheet);
        CVxDocPropertyPage::ReadPage(sheet, m_doc);
        // A moved or scaled selection needs new handles; the colour targets
        // show the new colours.
        m_bManipulatorStale = true;
        InvalidateHandles();
        OnSelectionChanged();
    }
    m_selection.RemovePropertyPages(&sheet);
    sheet.RemovePage(IDD_PICTURE_PAGE);
}
