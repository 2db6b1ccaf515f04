#include "editing/VxShapeTool.h"

#include "attributes/VxGraphicProperty.h"
#include "document/VxDoc.h"
#include "editing/IVxToolView.h"
#include "graphics/VxGraphic.h"
#include "graphics/VxPicture.h"
#include "graphics/VxSelection.h"
#include "platform/framework/TkMessageService.h"
#include "resources/VxResourceIds.h"

#include <cstdlib>
#include <new>

namespace {

// A press released this close (pixels) was a click.
constexpr LONG kClickPixels = 4;

void ApplyCurrentAttributes(CVxGraphic& graphic, CVxSelection& selection)
{
    const CVxPropertyMap& map = selection.GetPropertyMap();
    for (auto pos = map.GetStartPosition(); pos;) {
        const CVxGraphicProperty* pProperty = map.GetNext(pos);
        if (graphic.HasProperty(pProperty->GetName())) graphic.ApplyProperty(*pProperty);
    }
}

}  // namespace

bool CVxShapeTool::BeginGraphic(IVxToolView& view, POINT point)
{
    const POINT pt = view.GetMousePoint(point);
    CVxDoc& doc = view.GetDocument();
    std::unique_ptr<CVxGraphic> pGraphic;
    try {
        pGraphic = m_pfnCreate(RECT{pt.x, pt.y, pt.x, pt.y});
        if (pGraphic) ApplyCurrentAttributes(*pGraphic, view.GetSelection());
    } catch (const std::bad_alloc&) {
        pGraphic.reset();
    }
    if (!pGraphic) {
        TkGetMessageService().ShowMessage(IDS_NO_MEMORY_OBJECT, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    m_checkpoint.emplace(doc);
    m_checkpoint->Take();
    m_pGraphic = pGraphic.release();
    doc.GetPicture().AddChildTail(m_pGraphic);
    m_pGraphic->SetModified(TRUE);
    m_ptDown = point;
    view.SetCapture();
    return true;
}

void CVxShapeTool::KeepGraphic(IVxToolView& view)
{
    CVxGraphic& graphic = *std::exchange(m_pGraphic, nullptr);
    m_checkpoint.reset();
    view.SelectOnly(graphic);
    if (m_bEditWhenDrawn) view.EditGraphic(graphic);
}

bool CVxShapeTool::OnLButtonDown(IVxToolView& view, UINT, POINT point)
{
    if (m_pGraphic) AbortGraphic(view);
    BeginGraphic(view, point);
    return true;
}

bool CVxShapeTool::OnMouseMove(IVxToolView& view, UINT nFlags, POINT point)
{
    if (!m_pGraphic || !view.HasCapture()) return CVxSelectTool::OnMouseMove(view, nFlags, point);
    const POINT pt = view.GetMousePoint(point);
    m_pGraphic->Invalidate();
    m_pGraphic->MoveHandle(VX_HANDLE_BOTTOM_RIGHT, pt);
    m_pGraphic->SetModified(TRUE);
    return true;
}

bool CVxShapeTool::OnLButtonUp(IVxToolView& view, UINT nFlags, POINT point)
{
    if (!m_pGraphic) return CVxSelectTool::OnLButtonUp(view, nFlags, point);
    view.ReleaseCapture();
    if (std::abs(point.x - m_ptDown.x) <= kClickPixels && std::abs(point.y - m_ptDown.y) <= kClickPixels) {
        AbortGraphic(view);
        view.SelectAtPoint(view.ClientToPicture(m_ptDown), (nFlags & MK_SHIFT) != 0);
        return true;
    }
    KeepGraphic(view);
    return true;
}

void CVxShapeTool::AbortGraphic(IVxToolView& view)
{
    if (!m_pGraphic) return;
    std::unique_ptr<CVxGraphic> pGraphic(std::exchange(m_pGraphic, nullptr));
    pGraphic->Invalidate();
    view.GetDocument().GetPicture().RemoveChild(pGraphic.get());
    m_checkpoint->Drop();
    m_checkpoint.reset();
}

bool CVxShapeTool::OnSetCursor(IVxToolView& view)
{
    view.SetCursor(IDC_DRAW_CROSS);
    return true;
}

bool CVxShapeTool::Cancel(IVxToolView& view)
{
    AbortGraphic(view);
    return CVxSelectTool::Cancel(view);
}

bool CVxShapeTool::GetCurrentSize(SIZE& size) const
{
    if (!m_pGraphic) return CVxSelectTool::GetCurrentSize(size);
    const RECT r = m_pGraphic->GetBounds();
    size = {r.right - r.left, r.bottom - r.top};
    return true;
}
