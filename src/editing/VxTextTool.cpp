#include "editing/VxTextTool.h"

#include "attributes/VxFontGraphicProperty.h"
#include "document/VxDoc.h"
#include "editing/IVxToolView.h"
#include "graphics/VxSelection.h"
#include "graphics/VxText.h"
#include "resources/VxResourceIds.h"

namespace {

// An empty text placed at the press.
std::unique_ptr<CVxGraphic> MakeText(const RECT& rect)
{
    return std::make_unique<CVxText>(std::u16string(), rect.left, rect.top, 0, std::span<const INT>(), rect);
}

}  // namespace

CVxTextTool::CVxTextTool() : CVxShapeTool(&MakeText) {}

bool CVxTextTool::OnLButtonDown(IVxToolView& view, UINT nFlags, POINT point)
{
    CVxShapeTool::OnLButtonDown(view, nFlags, point);
    auto* pText = dynamic_cast<CVxText*>(GetGraphic());
    const auto* pFont = pText ? dynamic_cast<CVxFontGraphicProperty*>(pText->LookupProperty("Font")) : nullptr;
    // A selection without a font (a shape) gives none: the new text takes the
    // default font's size in this document's units rather than none at all.
    if (pFont && pFont->GetLogFont().lfHeight == 0) {
        if (const CVxGraphicProperty* pDefault = view.GetSelection().GetDefaultPropertyMap().Lookup("Font"))
            pText->ApplyProperty(*pDefault);
    }
    return true;
}

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
