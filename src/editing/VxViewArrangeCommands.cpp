// Selecting the next, previous or similar graphics, the stacking order, the
// flips and trimming the picture to its graphics.

#include "editing/VxView.h"

#include "editing/VxEditDialogs.h"
#include "editing/VxSelectSimilar.h"
#include "graphics/VxGeometry.h"
#include "graphics/VxGraphic.h"
#include "graphics/VxGraphicList.h"
#include "platform/framework/TkCmdUI.h"
#include "platform/framework/TkMessageService.h"
#include "platform/framework/TkWaitCursor.h"

#include <unordered_set>

void CVxView::OnEditSelectNext()
{
    CVxPicture& picture = m_doc.GetPicture();
    if (picture.HasNoChildren()) return;
    auto pos = m_selection.HasNoChildren() ? nullptr : picture.FindChild(m_selection.GetLastChild());
    if (pos) picture.GetNextChild(pos);
    if (!pos) pos = picture.GetFirstChildPosition();
    Select(picture.GetChildAt(pos), false);
}

void CVxView::OnEditSelectPrevious()
{
    CVxPicture& picture = m_doc.GetPicture();
    if (picture.HasNoChildren()) return;
    auto pos = m_selection.HasNoChildren() ? nullptr : picture.FindChild(m_selection.GetFirstChild());
    if (pos) picture.GetPrevChild(pos);
    if (!pos) pos = picture.GetLastChildPosition();
    Select(picture.GetChildAt(pos), false);
}

void CVxView::OnEditSelectSimilar()
{
    if (m_selection.HasNoChildren()) return;
    const CVxSelectSimilar similar(m_selection);
    VxSelectSimilarData data = similar.GetData();
    if (!VxGetEditDialogs().RunSelectSimilar(data)) return;
    CTkWaitCursor wait;
    const std::unordered_set<const CVxGraphic*> selected = GetSelectedSet();
    CVxGraphicList added;
    CVxPicture& picture = m_doc.GetPicture();
    for (auto pos = picture.GetFirstChildPosition(); pos;) {
        CVxGraphic* pGraphic = picture.GetNextChild(pos);
        if (!selected.contains(pGraphic) && similar.Matches(*pGraphic, data)) added.AddTail(pGraphic);
    }
    AddToSelection(added);
}

void CVxView::MoveSelectionInOrder(bool bToFront)
{
    if (m_selection.HasNoChildren()) return;
    m_doc.SaveUndoState();
    const std::unordered_set<const CVxGraphic*> selected = GetSelectedSet();
    CVxPicture& picture = m_doc.GetPicture();
    CVxGraphicList moved;
    // One notice for the whole move, not one per graphic.
    picture.SetUpdateViews(FALSE);
    for (auto pos = picture.GetFirstChildPosition(); pos;) {
        const auto at = pos;
        CVxGraphic* pGraphic = picture.GetNextChild(pos);
        if (!selected.contains(pGraphic)) continue;
        picture.RemoveChildAt(at);
        moved.AddTail(pGraphic);
    }
    if (bToFront)
        picture.AddChildrenTail(moved);
    else
        picture.AddChildrenHead(moved);
    picture.SetUpdateViews(TRUE);
    InvalidateSelection();
}

void CVxView::OnArrangeBringToFront()
{
    MoveSelectionInOrder(true);
}

void CVxView::OnArrangeSendToBack()
{
    MoveSelectionInOrder(false);
}

void CVxView::OnArrangeFlip(unsigned nID)
{
    if (m_selection.HasNoChildren()) return;
    m_doc.SaveUndoState();
    const int x = nID == ID_ARRANGE_FLIP_VERTICAL ? 1 : -1;
    const int y = nID == ID_ARRANGE_FLIP_HORIZONTAL ? 1 : -1;
    InvalidateHandles();
    m_selection.Scale(x, y, 1, 1);
    m_bManipulatorStale = true;
    InvalidateHandles();
}

void CVxView::OnEditTrimPicture()
{
    CVxPicture& picture = m_doc.GetPicture();
    if (picture.HasNoChildren()) return;
    const RECT bounds = VxNormalizeRect(picture.GetBounds());
    // 64 bits: bounds near the coordinate limits must not wrap.
    const long long w = (long long)bounds.right - bounds.left;
    const long long h = (long long)bounds.bottom - bounds.top;
    const long long cx = w + 2 * (w / 100);
    const long long cy = h + 2 * (h / 100);
    const SIZE size = m_doc.GetPictureSize();
    const long long xCentre = ((long long)bounds.left + bounds.right) / 2;
    const long long yCentre = ((long long)bounds.top + bounds.bottom) / 2;
    const bool bResize = cx != size.cx || cy != size.cy;
    const bool bMove = xCentre != size.cx / 2 || yCentre != size.cy / 2;
    const bool bValid = cx <= INT32_MAX && cy <= INT32_MAX && m_doc.IsValidPictureSize({LONG(cx), LONG(cy)});
    if (bResize && !bValid) {
        TkGetMessageService().ShowMessage(IDS_CANNOT_RESIZE, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (!bResize && !bMove) return;
    m_doc.SaveUndoState();
    if (bResize) m_doc.SetPictureSize({LONG(cx), LONG(cy)}, FALSE);
    picture.Offset(int(cx / 2 - xCentre), int(cy / 2 - yCentre));
    m_bManipulatorStale = true;
    InvalidateAll();
}
