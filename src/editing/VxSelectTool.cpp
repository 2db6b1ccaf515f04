#include "editing/VxSelectTool.h"

#include "editing/IVxToolView.h"
#include "platform/gdi/TkDC.h"
#include "resources/VxResourceIds.h"

#include <algorithm>
#include <cstdlib>

namespace {
constexpr LONG kClickPixels = 4;
}

LONG CVxSelectTool::s_nArrowStep = 1;

bool CVxSelectTool::OnKeyDown(IVxToolView& view, UINT nChar, UINT, UINT)
{
    // No menu item carries Escape: it cancels a drag here.
    if (nChar == VK_ESCAPE) return view.HasCapture() && Cancel(view);
    // The keyboard stands in for the mouse: Enter double-clicks, Space clicks.
    if (nChar == VK_RETURN || nChar == VK_SPACE) {
        using Message = IVxToolView::MouseMessage;
        const POINT pt = view.GetCursorPos();
        const UINT nFlags = view.GetModifierFlags();
        view.SendMouseMessage(Message::LButtonDown, nFlags | MK_LBUTTON, pt);
        view.SendMouseMessage(Message::LButtonUp, nFlags, pt);
        if (nChar == VK_RETURN) {
            view.SendMouseMessage(Message::LButtonDblClk, nFlags | MK_LBUTTON, pt);
            view.SendMouseMessage(Message::LButtonUp, nFlags, pt);
        }
        return true;
    }
    if (nChar == VK_DELETE) {
        view.SendCommand(ID_EDIT_DELETE);
        return true;
    }
    if (nChar < VK_LEFT || nChar > VK_DOWN) return false;
    POINT pt = view.GetCursorPos();
    const LONG nStep = s_nArrowStep++;
    pt.x += nChar == VK_LEFT ? -nStep : nChar == VK_RIGHT ? nStep : 0;
    pt.y += nChar == VK_UP ? -nStep : nChar == VK_DOWN ? nStep : 0;
    const SIZE client = view.GetClientExtent();
    pt.x = std::clamp<LONG>(pt.x, 0, std::max<LONG>(0, client.cx - 1));
    pt.y = std::clamp<LONG>(pt.y, 0, std::max<LONG>(0, client.cy - 1));
    view.SetCursorPos(pt);
    return true;
}

bool CVxSelectTool::OnKeyUp(IVxToolView&, UINT, UINT, UINT)
{
    s_nArrowStep = 1;
    return false;
}

void CVxSelectTool::Record(IVxToolView& view, POINT point)
{
    m_ptCurrent = view.GetMousePoint(point);
    if (!view.HasCapture()) m_ptOrigin = m_ptCurrent;
}

void CVxSelectTool::ToggleBand(IVxToolView& view)
{
    const std::unique_ptr<CTkDC> dc = view.GetClientDC();
    dc->DrawFocusRect(&m_rcBand);
    m_bBandShown = !m_bBandShown;
}

void CVxSelectTool::EndBand(IVxToolView& view)
{
    if (m_bBandShown) ToggleBand(view);
    view.ReleaseCapture();
}

bool CVxSelectTool::OnLButtonDown(IVxToolView& view, UINT, POINT point)
{
    Record(view, point);
    m_ptDownClient = point;
    view.SetCapture();
    return true;
}

bool CVxSelectTool::OnMouseMove(IVxToolView& view, UINT, POINT point)
{
    Record(view, point);
    if (!view.HasCapture()) return true;
    if (m_bBandShown) ToggleBand(view);
    const POINT a = view.ClientToPicture(m_ptDownClient);
    const POINT b = view.ClientToPicture(point);
    m_rcBand = {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
    ToggleBand(view);
    return true;
}

bool CVxSelectTool::OnLButtonUp(IVxToolView& view, UINT nFlags, POINT point)
{
    if (!view.HasCapture()) return true;
    EndBand(view);
    Record(view, point);
    const bool bToggle = (nFlags & MK_SHIFT) != 0;
    // A hand that shook by less than a handle still clicked.
    if (std::abs(point.x - m_ptDownClient.x) <= kClickPixels &&
        std::abs(point.y - m_ptDownClient.y) <= kClickPixels) {
        view.SelectAtPoint(view.ClientToPicture(m_ptDownClient), bToggle);
        return true;
    }
    const POINT a = view.ClientToPicture(m_ptDownClient);
    const POINT b = view.ClientToPicture(point);
    view.SelectInRect({std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)},
                      bToggle);
    return true;
}

bool CVxSelectTool::OnLButtonDblClk(IVxToolView& view, UINT, POINT point)
{
    Record(view, point);
    return true;
}

bool CVxSelectTool::OnContextMenu(IVxToolView& view, POINT) { return view.HasCapture(); }

bool CVxSelectTool::OnSetCursor(IVxToolView& view)
{
    view.SetCursor(IDC_ARROW);
    return true;
}

bool CVxSelectTool::Cancel(IVxToolView& view)
{
    EndBand(view);
    return true;
}

bool CVxSelectTool::GetCurrentPoint(POINT& point) const
{
    point = m_ptCurrent;
    return true;
}

bool CVxSelectTool::GetCurrentSize(SIZE& size) const
{
    size = {m_ptCurrent.x - m_ptOrigin.x, m_ptCurrent.y - m_ptOrigin.y};
    return true;
}
