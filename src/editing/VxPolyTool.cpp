#include "editing/VxPolyTool.h"

#include "editing/IVxToolView.h"
#include "graphics/VxPoly.h"
#include "platform/framework/TkSettings.h"
#include "resources/VxResourceIds.h"

#include <algorithm>

namespace {

UINT FreehandInterval()
{
    const int nMilliseconds = TkGetSettings().GetProfileInt("Application", "SwitchToFreehandTimerInterval", 500);
    return UINT(std::max(1, nMilliseconds));
}

}  // namespace

void CVxPolyTool::AddPoint(POINT point)
{
    m_pPoly->Invalidate();
    // A point on top of the one before adds nothing; the poly itself tells
    // the user when there is no memory for another.
    m_pPoly->AppendPoint(point, FALSE);
    // That message took the focus, which cancels the poly.
    if (!m_pPoly) return;
    m_nCurrentPoint = m_pPoly->GetPointCount() - 1;
}

void CVxPolyTool::MoveCurrentPoint(POINT point)
{
    m_pPoly->Invalidate();
    m_pPoly->MoveHandle(VX_HANDLE_FIRST_POINT + m_nCurrentPoint, point);
}

void CVxPolyTool::StopFreehand(IVxToolView& view)
{
    view.KillTimer(kFreehandTimer);
    m_bFreehand = false;
}

bool CVxPolyTool::OnLButtonDown(IVxToolView& view, UINT, POINT point)
{
    m_ptMouse = view.GetMousePoint(point);
    if (!m_pPoly) {
        if (!BeginGraphic(view, point)) return true;
        m_pPoly = dynamic_cast<CVxPoly*>(GetGraphic());
        if (!m_pPoly) return Cancel(view);
        view.SetMessageString(IDS_ADDING_POINTS);
        AddPoint(m_ptMouse);
        if (!m_pPoly) return true;
    }
    // One unit aside, so the new segment is never empty.
    AddPoint({m_ptMouse.x + 1, m_ptMouse.y});
    if (!m_pPoly) return true;
    StopFreehand(view);
    view.SetTimer(kFreehandTimer, FreehandInterval());
    view.SetCapture();
    return true;
}

bool CVxPolyTool::OnMouseMove(IVxToolView& view, UINT nFlags, POINT point)
{
    if (!m_pPoly) return CVxSelectTool::OnMouseMove(view, nFlags, point);
    m_ptMouse = view.GetMousePoint(point);
    if (!view.HasCapture()) return true;
    if ((nFlags & MK_LBUTTON) && m_bFreehand) {
        // The stroke's newest point follows the mouse once the button is up.
        AddPoint(m_ptMouse);
        view.SetCursor(IDC_PENCIL);
    } else {
        MoveCurrentPoint(m_ptMouse);
        view.SetCursor(IDC_DRAW_CROSS);
    }
    return true;
}

bool CVxPolyTool::OnLButtonUp(IVxToolView& view, UINT nFlags, POINT point)
{
    if (!m_pPoly) return CVxSelectTool::OnLButtonUp(view, nFlags, point);
    // The view keeps the mouse between clicks.
    view.ReleaseCapture();
    view.SetCapture();
    StopFreehand(view);
    return true;
}

bool CVxPolyTool::OnLButtonDblClk(IVxToolView& view, UINT nFlags, POINT point)
{
    if (!m_pPoly) return CVxSelectTool::OnLButtonDblClk(view, nFlags, point);
    Finish(view);
    return true;
}

void CVxPolyTool::Finish(IVxToolView& view)
{
    StopFreehand(view);
    // The double-click's own press added a point that is not wanted.
    if (m_pPoly->CanDeletePoint(m_nCurrentPoint)) m_pPoly->DeletePoint(m_nCurrentPoint);
    const bool bDegenerate = m_pPoly->IsDegenerate();
    m_pPoly = nullptr;
    view.SetMessageString(IDS_IDLE_PROMPT);
    if (bDegenerate)
        AbortGraphic(view);
    else
        KeepGraphic(view);
    view.ReleaseCapture();
}

bool CVxPolyTool::OnKeyDown(IVxToolView& view, UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!m_pPoly || (nChar != VK_BACK && nChar != VK_DELETE))
        return CVxShapeTool::OnKeyDown(view, nChar, nRepCnt, nFlags);
    // The last placed point is taken back and follows the mouse again.
    if (m_pPoly->DeletePoint(m_nCurrentPoint)) {
        m_nCurrentPoint = std::max(0, m_nCurrentPoint - 1);
        MoveCurrentPoint(m_ptMouse);
    }
    return true;
}

bool CVxPolyTool::OnSetCursor(IVxToolView& view)
{
    view.SetCursor(m_bFreehand ? IDC_PENCIL : IDC_DRAW_CROSS);
    return true;
}

bool CVxPolyTool::OnTimer(IVxToolView& view, UINT nIDEvent)
{
    if (nIDEvent != kFreehandTimer || !m_pPoly) return false;
    view.KillTimer(kFreehandTimer);
    m_bFreehand = true;
    view.SetCursor(IDC_PENCIL);
    return true;
}

bool CVxPolyTool::Cancel(IVxToolView& view)
{
    if (m_pPoly) {
        m_pPoly = nullptr;
        StopFreehand(view);
        view.SetMessageString(IDS_IDLE_PROMPT);
    }
    return CVxShapeTool::Cancel(view);
}
