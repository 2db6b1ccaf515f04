#pragma once
// The tools that draw a shape by dragging from one corner to the other
// (line, rectangle, ellipse, arc), and the base of the text and poly tools.
// The new graphic takes the current attributes, is added with one undo step
// and selected; a press released within a few pixels is a click that selects
// instead and leaves no trace.

#include "editing/VxSelectTool.h"
#include "editing/VxUndoCheckpoint.h"

#include <memory>
#include <optional>

class CVxGraphic;

class CVxShapeTool : public CVxSelectTool {
public:
    // Makes the shape on a rectangle with both corners at one point; may
    // return null when there is no memory for it.
    using Factory = std::unique_ptr<CVxGraphic> (*)(const RECT& rect);
    // With bEditWhenDrawn the new graphic's Edit runs once it is drawn, so an
    // arc can be given its angles at once.
    explicit CVxShapeTool(Factory pfnCreate, bool bEditWhenDrawn = false)
        : m_pfnCreate(pfnCreate), m_bEditWhenDrawn(bEditWhenDrawn)
    {
    }

    bool OnLButtonDown(IVxToolView& view, UINT nFlags, POINT point) override;
    bool OnMouseMove(IVxToolView& view, UINT nFlags, POINT point) override;
    bool OnLButtonUp(IVxToolView& view, UINT nFlags, POINT point) override;
    bool OnSetCursor(IVxToolView& view) override;
    bool Cancel(IVxToolView& view) override;
    bool GetCurrentSize(SIZE& size) const override;

    // Takes the shape being drawn out of the document and the undo history.
    void AbortGraphic(IVxToolView& view);

protected:
    // Makes the graphic at the snapped point, adds it to the document as one
    // undo step and captures the mouse; false, the user told, when it cannot
    // be made.
    bool BeginGraphic(IVxToolView& view, POINT point);
    // The new graphic stays in the document, alone selected.
    void KeepGraphic(IVxToolView& view);
    CVxGraphic* GetGraphic() const { return m_pGraphic; }

private:
    Factory m_pfnCreate;
    bool m_bEditWhenDrawn;
    CVxGraphic* m_pGraphic = nullptr;  // owned by the document while drawn
    POINT m_ptDown{};                  // client pixels
    std::optional<CVxUndoCheckpoint> m_checkpoint;
};
