#include "editing/VxSelectTool.h"

#include "editing/IVxToolView.h"

namespace {
constexpr UINT kArrowCursor = 32512;  // IDC_ARROW
}

void CVxSelectTool::Record(IVxToolView& view, POINT point)
{
    m_ptCurrent = view.GetMousePoint(point);
    if (!view.HasCapture()) m_ptOrigin = m_ptCurrent;
}

bool CVxSelectTool::OnLButtonDown(IVxToolView& view, UINT, POINT point)
{
    Record(view, point);
    view.SetCapture();
    return true;
}

bool CVxSelectTool::OnMouseMove(IVxToolView& view, UINT, POINT point)
{
    Record(view, point);
    return true;
}

bool CVxSelectTool::OnLButtonUp(IVxToolView& view, UINT, POINT point)
{
    view.ReleaseCapture();
    Record(view, point);
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
    view.SetCursor(kArrowCursor);
    return true;
}

bool CVxSelectTool::Cancel(IVxToolView& view)
{
    view.ReleaseCapture();
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
