#include "editing/VxGraphicManipulator.h"

#include "document/VxDoc.h"
#include "editing/IVxToolView.h"
#include "graphics/VxGeometry.h"
#include "graphics/VxGraphic.h"
#include "graphics/VxPicture.h"
#include "graphics/VxSelection.h"
#include "platform/framework/TkMessageService.h"
#include "platform/framework/TkSettings.h"
#include "platform/gdi/TkDC.h"
#include "platform/gdi/TkGdiObjects.h"
#include "resources/VxResourceIds.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {

// Pixels from a handle's point to the edge of its square.
constexpr int kHandlePixels = 4;

// The box handles' cursors, by handle number.
constexpr std::array<UINT, 8> kBoxCursors = {IDC_SIZENS,   IDC_SIZEWE,   IDC_SIZENS,
                                             IDC_SIZEWE,   IDC_SIZENESW, IDC_SIZENESW,
                                             IDC_SIZENWSE, IDC_SIZENWSE};

bool Contains(const RECT& r, POINT p)
{
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

}  // namespace

CVxGraphicManipulator::CVxGraphicManipulator(CVxGraphic& graphic, IVxToolView& view)
    : m_pGraphic(&graphic), m_pView(&view)
{
    const int nOutlines = TkGetSettings().GetProfileInt("Application", "DragObjectOutlines", 0);
    m_nDragMode = nOutlines > 0 ? kDragOutline : kDragLive;
}

CVxGraphicManipulator::~CVxGraphicManipulator()
{
    if (IsDragging()) m_pView->ReleaseCapture();
    if (IsEditingPoints()) m_pView->SetMessageString(IDS_IDLE_PROMPT);
}

int CVxGraphicManipulator::GetFirstHandle() const
{
    return IsEditingPoints() ? VX_HANDLE_FIRST_POINT : VX_HANDLE_TOP;
}

int CVxGraphicManipulator::GetLastHandle() const
{
    return IsEditingPoints() ? VX_HANDLE_FIRST_POINT + GetPointCount() - 1 : VX_HANDLE_BOTTOM_RIGHT;
}

bool CVxGraphicManipulator::IsValidHandle(int nHandle) const
{
    return m_pGraphic->IsValidHandle(nHandle) != FALSE;
}

SIZE CVxGraphicManipulator::GetHandleSize() const
{
    const RECT r = VxNormalizeRect(m_pView->ClientToPicture(RECT{0, 0, kHandlePixels, kHandlePixels}));
    return {std::max<LONG>(2, r.right - r.left), std::max<LONG>(2, r.bottom - r.top)};
}

RECT CVxGraphicManipulator::GetHandleRect(int nHandle) const
{
    const POINT p = m_pGraphic->GetHandlePoint(nHandle);
    SIZE half = GetHandleSize();
    if (!IsValidHandle(nHandle)) half = {std::max<LONG>(1, half.cx / 2), std::max<LONG>(1, half.cy / 2)};
    return {p.x - half.cx, p.y - half.cy, p.x + half.cx, p.y + half.cy};
}

int CVxGraphicManipulator::HitTest(POINT point) const
{
    for (int nHandle = GetLastHandle(); nHandle >= GetFirstHandle(); --nHandle) {
        if (IsValidHandle(nHandle) && Contains(GetHandleRect(nHandle), point)) return nHandle;
    }
    RECT bounds = VxNormalizeRect(m_pGraphic->GetBounds());
    if (bounds.left == 0 && bounds.top == 0 && bounds.right == 0 && bounds.bottom == 0)
        return VX_HANDLE_NONE;
    const SIZE size = GetHandleSize();
    bounds = {bounds.left - size.cx, bounds.top - size.cy, bounds.right + size.cx, bounds.bottom + size.cy};
    return Contains(bounds, point) ? VX_HANDLE_BODY : VX_HANDLE_NONE;
}

UINT CVxGraphicManipulator::GetHandleCursor(int nHandle, bool bCtrl) const
{
    if (nHandle == VX_HANDLE_BODY) return bCtrl ? IDC_MOVE_COPY : IDC_MOVE;
    if (nHandle >= VX_HANDLE_FIRST_POINT) return bCtrl ? IDC_POINT_COPY : IDC_POINT;
    if (nHandle < 0) return IDC_ARROW;
    UINT nCursor = kBoxCursors[std::size_t(nHandle)];
    // A box flipped on one axis turns its diagonals round.
    const RECT r = m_pGraphic->GetRect();
    if ((r.right < r.left) != (r.bottom < r.top) && nHandle >= VX_HANDLE_TOP_RIGHT)
        nCursor = nCursor == IDC_SIZENESW ? IDC_SIZENWSE : IDC_SIZENESW;
    return nCursor;
}

void CVxGraphicManipulator::DrawHandles(CTkDC& dc)
{
    const HPEN hPen = CreatePen(PS_SOLID, 0, RGB(255, 255, 255));
    const int nOldRop = dc.SetROP2(R2_XORPEN);
    const int nOldBkMode = dc.SetBkMode(TRANSPARENT);
    const HGDIOBJ hOldPen = dc.SelectObject(hPen);
    const HGDIOBJ hOldBrush = dc.SelectObject(GetStockObject(NULL_BRUSH));
    for (int nHandle = GetFirstHandle(); nHandle <= GetLastHandle(); ++nHandle) {
        const RECT r = GetHandleRect(nHandle);
        // While editing points only the current one stands out.
        if (IsValidHandle(nHandle) && (!IsEditingPoints() || IsCurrentHandle(nHandle)))
            dc.InvertRect(&r);
        else
            dc.Rectangle(r.left, r.top, r.right, r.bottom);
    }
    dc.SelectObject(hOldBrush);
    dc.SelectObject(hOldPen);
    dc.SetBkMode(nOldBkMode);
    dc.SetROP2(nOldRop);
    DeleteObject(hPen);
    // A repaint during a drag keeps the feedback, so the next XOR erases it.
    if (IsDragging()) DrawDragFeedback(dc);
}

POINT CVxGraphicManipulator::SnapDragPoint(int nHandle, POINT point) const
{
    if (nHandle != VX_HANDLE_BODY) return m_pView->SnapPoint(point);
    RECT r = m_pGraphic->GetBounds();
    const LONG dx = point.x - m_ptDragCurrent.x;
    const LONG dy = point.y - m_ptDragCurrent.y;
    r = {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
    const std::array<POINT, 4> corners = {
        POINT{r.left, r.top}, POINT{r.right, r.top}, POINT{r.right, r.bottom}, POINT{r.left, r.bottom}};
    SIZE best{};
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const POINT snapped = m_pView->SnapPoint(corners[i]);
        const SIZE fix{snapped.x - corners[i].x, snapped.y - corners[i].y};
        // Ties keep the earlier corner.
        if (i == 0 || std::abs(fix.cx) + std::abs(fix.cy) < std::abs(best.cx) + std::abs(best.cy))
            best = fix;
    }
    return {point.x + best.cx, point.y + best.cy};
}

POINT CVxGraphicManipulator::ClampToLimits(POINT point)
{
    const RECT& limits = CVxGraphic::GetCoordinateLimitRect();
    return {std::clamp(point.x, limits.left, limits.right), std::clamp(point.y, limits.top, limits.bottom)};
}

void CVxGraphicManipulator::ToggleFeedback()
{
    if (m_nDragMode == kDragLive) return;
    const std::unique_ptr<CTkDC> dc = m_pView->GetClientDC();
    DrawDragFeedback(*dc);
}

void CVxGraphicManipulator::BeginDrag()
{
    m_bDragging = true;
    m_rcOld = m_pGraphic->GetBounds();
    // Feedback drags keep the views still until the drop.
    if (m_nDragMode != kDragLive) m_pGraphic->SetUpdateViews(FALSE);
    ToggleFeedback();
    m_pView->SetCapture();
}

void CVxGraphicManipulator::FinishDrag()
{
    ToggleFeedback();
    m_bDragging = false;
    m_pView->ReleaseCapture();
    if (m_nDragMode != kDragLive) m_pGraphic->SetUpdateViews(TRUE);
}

void CVxGraphicManipulator::DrawDragFeedback(CTkDC& dc)
{
    if (m_nDragMode == kDragLive) return;
    if (m_nDragMode == kDragRect) {
        const RECT r = m_pGraphic->GetBounds();
        dc.Rectangle(r.left, r.top, r.right, r.bottom);
        return;
    }
    const HPEN hPen = CreatePen(PS_DOT, 0, RGB(255, 255, 255));
    const int nOldRop = dc.SetROP2(R2_XORPEN);
    const int nOldBkMode = dc.SetBkMode(TRANSPARENT);
    const HGDIOBJ hOldPen = dc.SelectObject(hPen);
    const HGDIOBJ hOldBrush = dc.SelectObject(GetStockObject(NULL_BRUSH));
    m_pGraphic->DrawOutline(&dc);
    dc.SelectObject(hOldBrush);
    dc.SelectObject(hOldPen);
    dc.SetBkMode(nOldBkMode);
    dc.SetROP2(nOldRop);
    DeleteObject(hPen);
}

void CVxGraphicManipulator::TakeCheckpoint()
{
    if (m_checkpoint->IsTaken()) return;
    m_checkpoint->Take();
    if (!IsEditingPoints() || m_pSavedGraphic) return;
    m_pSavedGraphic = m_pGraphic->Clone();
    m_editCheckpoint = *m_checkpoint;
}

void CVxGraphicManipulator::DragHandleTo(POINT point)
{
    TakeCheckpoint();
    m_pGraphic->Invalidate();
    m_pGraphic->MoveHandle(m_nHitHandle, point);
    m_pGraphic->SetModified(TRUE);
    m_ptDragCurrent = m_pGraphic->GetHandlePoint(m_nHitHandle);
}

bool CVxGraphicManipulator::OnLButtonDown(IVxToolView& view, UINT nFlags, POINT point)
{
    const POINT ptPicture = view.ClientToPicture(point);
    m_nHitHandle = HitTest(ptPicture);
    if (m_nHitHandle == VX_HANDLE_NONE) return false;
    m_bCtrl = (nFlags & MK_CONTROL) != 0;
    m_checkpoint.emplace(view.GetDocument());
    const bool bPoint = IsEditingPoints() && m_nHitHandle != VX_HANDLE_BODY;
    if (bPoint) SetCurrentPoint(m_pGraphic->HandleToPointIndex(m_nHitHandle));
    m_bObjectsCopied = false;
    m_bPointCopied = false;
    if (m_bCtrl && bPoint && CanInsertPoint()) {
        TakeCheckpoint();
        // The copy stays behind; the point dragged away is the current one.
        m_pGraphic->InsertPoint(m_nCurrentPoint, m_pGraphic->GetHandlePoint(m_nHitHandle), TRUE);
        m_pGraphic->SetModified(TRUE);
        m_bPointCopied = true;
    } else if (m_bCtrl && m_nHitHandle == VX_HANDLE_BODY) {
        TakeCheckpoint();
        DuplicateSelection();
        m_bObjectsCopied = true;
    }
    m_ptDragStart = m_ptDragCurrent = m_pGraphic->GetHandlePoint(m_nHitHandle);
    BeginDrag();
    m_grabOffset = {m_ptDragStart.x - ptPicture.x, m_ptDragStart.y - ptPicture.y};
    return true;
}

bool CVxGraphicManipulator::OnMouseMove(IVxToolView& view, UINT, POINT point)
{
    if (!IsDragging()) {
        m_ptHover = point;
        return false;
    }
    const POINT ptPicture = view.ClientToPicture(point);
    POINT p = ClampToLimits({ptPicture.x + m_grabOffset.cx, ptPicture.y + m_grabOffset.cy});
    p = SnapDragPoint(m_nHitHandle, p);
    m_pGraphic->ConstrainHandlePoint(m_nHitHandle, p);
    if (p.x == m_ptDragCurrent.x && p.y == m_ptDragCurrent.y) return true;
    ToggleFeedback();
    DragHandleTo(p);
    ToggleFeedback();
    return true;
}

bool CVxGraphicManipulator::OnLButtonUp(IVxToolView& view, UINT nFlags, POINT point)
{
    if (!IsDragging()) return false;
    FinishDrag();
    const bool bChanged = m_checkpoint->IsTaken();
    m_checkpoint.reset();
    if (!bChanged) {
        // In point editing a click only picks the current point.
        if (!IsEditingPoints()) view.SelectAtPoint(view.ClientToPicture(point), (nFlags & MK_SHIFT) != 0);
        return true;
    }
    // Feedback drags left the picture as it was until now.
    if (m_nDragMode != kDragLive) m_pView->InvalidatePictureRect(m_rcOld);
    m_pGraphic->Invalidate();
    const bool bAtStart = m_ptDragCurrent.x == m_ptDragStart.x && m_ptDragCurrent.y == m_ptDragStart.y;
    if (m_bObjectsCopied && bAtStart)
        TkGetMessageService().ShowMessage(IDS_OBJECTS_COPIED, MB_OK | MB_ICONINFORMATION);
    if (m_bPointCopied && bAtStart)
        TkGetMessageService().ShowMessage(IDS_POINT_COPIED, MB_OK | MB_ICONINFORMATION);
    return true;
}

void CVxGraphicManipulator::DuplicateSelection()
{
    CVxPicture& picture = m_pView->GetDocument().GetPicture();
    CVxSelection& selection = m_pView->GetSelection();
    for (auto pos = selection.GetFirstChildPosition(); pos;) {
        CVxGraphic* pGraphic = selection.GetNextChild(pos);
        const auto found = picture.FindChild(pGraphic);
        if (!found) continue;
        std::unique_ptr<CVxGraphic> pCopy = pGraphic->Clone();
        picture.InsertChildBefore(found, pCopy.release());
    }
    m_pView->GetDocument().SetModifiedFlag();
}

bool CVxGraphicManipulator::OnKeyDown(IVxToolView& view, UINT nChar, UINT, UINT)
{
    if (nChar == VK_ESCAPE) return Cancel(view);
    if (nChar == VK_CONTROL) {
        m_bCtrl = true;
        OnSetCursor(view);
        return true;
    }
    if (!IsEditingPoints()) return false;
    return OnPointKey(nChar, (view.GetModifierFlags() & (MK_CONTROL | MK_SHIFT)) == (MK_CONTROL | MK_SHIFT));
}

bool CVxGraphicManipulator::OnLButtonDblClk(IVxToolView& view, UINT, POINT)
{
    if (IsDragging() || !m_pGraphic->CanEdit()) return false;
    view.EditGraphic(*m_pGraphic);
    return true;
}

bool CVxGraphicManipulator::OnContextMenu(IVxToolView& view, POINT point)
{
    return !IsDragging() && view.TrackContextMenu(point);
}

bool CVxGraphicManipulator::OnKeyUp(IVxToolView& view, UINT nChar, UINT, UINT)
{
    if (nChar != VK_CONTROL) return false;
    m_bCtrl = false;
    OnSetCursor(view);
    return true;
}

bool CVxGraphicManipulator::OnSetCursor(IVxToolView& view)
{
    if (!IsDragging()) m_nHitHandle = HitTest(view.ClientToPicture(m_ptHover));
    if (m_nHitHandle == VX_HANDLE_NONE) return false;
    view.SetCursor(GetHandleCursor(m_nHitHandle, m_bCtrl));
    return true;
}

bool CVxGraphicManipulator::Cancel(IVxToolView& view)
{
    if (!IsDragging() && !IsEditingPoints()) return false;
    if (IsDragging()) FinishDrag();
    if (IsEditingPoints()) {
        // The graphic is put back by hand, so this manipulator lives on.
        m_checkpoint.reset();
        RestoreSavedGraphic();
        SetEditPoints(false);
        return true;
    }
    if (m_checkpoint && m_checkpoint->IsTaken()) view.RollBackLater(*m_checkpoint);
    m_checkpoint.reset();
    return true;
}

bool CVxGraphicManipulator::GetCurrentPoint(POINT& point) const
{
    if (!IsDragging()) return false;
    point = m_ptDragCurrent;
    return true;
}

bool CVxGraphicManipulator::GetCurrentSize(SIZE& size) const
{
    const RECT r = m_pGraphic->GetBounds();
    size = {r.right - r.left, r.bottom - r.top};
    return true;
}
