#include "editing/VxTextTool.h"

#include "document/VxDoc.h"
#include "editing/IVxToolView.h"
#include "graphics/VxText.h"
#include "resources/VxResourceIds.h"

namespace {

std::unique_ptr<CVxGraphic> MakeText(const RECT& rect)
{
    return std::make_unique<CVxText>(rect);
}

}  // namespace

CVxTextTool::CVxTextTool() : CVxShapeTool(&MakeText) {}

bool CVxTextTool::OnLButtonUp(IVxToolView& view, UINT nFlags, POINT point)
{
    auto* pText = dynamic_cast<CVxText*>(GetGraphic());
    if (!pText) return CVxShapeTool::OnLButtonUp(view, nFlags, point);
    // Never a click: the press always makes a text.
    view.ReleaseCapture();
    view.SelectOnly(*pText);
    CVxDoc& doc = view.GetDocument();
    const void* pBookmark = doc.GetUndoState();
    m_bInDialog = true;
    view.EditGraphic(*pText);
    m_bInDialog = false;
    if (pText->GetText().empty()) {
        view.SelectNone();
        AbortGraphic(view);
        return true;
    }
    // The dialog's own undo step goes: making and typing the text are one.
    doc.DiscardUndoStatesUntil(pBookmark);
    KeepGraphic(view);
    return true;
}

bool CVxTextTool::OnSetCursor(IVxToolView& view)
{
    view.SetCursor(IDC_IBEAM);
    return true;
}

bool CVxTextTool::Cancel(IVxToolView& view)
{
    // The dialog takes the focus from the view, which cancels; the text it
    // edits must stay until it closes.
    if (m_bInDialog) return false;
    return CVxShapeTool::Cancel(view);
}
