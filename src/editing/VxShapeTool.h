#pragma once
// The tools that draw a shape by dragging from one corner to the other
// (line, rectangle, ellipse, arc). The new graphic takes the current
// attributes, is added with one undo step and selected; a press released
// within a few pixels is a click that selects instead and leaves no trace.

#include "editing/VxSelectTool.h"
#include "editing/VxUndoCheckpoint.h"

#include <memory>
#include <optional>

class CVxGraphic;

class CVxShapeTool : public CVxSelectTool {
public:
    // Makes the shape on a rectangle with both corners at one point.
    using Factory = std::unique_ptr<CVxGraphic> (*)(const RECT& rect);
    explicit CVxShapeTool(Factory pfnCreate) : m_pfnCreate(pfnCreate) {}

    bool OnLButtonDown(IVxToolView& view, UINT nFlags, POINT point) override;
    bool OnMouseMove(IVxToolView& view, UINT nFlags, POINT point) override;
    bool OnLButtonUp(IVxToolView& view, UINT nFlags, POINT point) override;
    bool OnSetCursor(IVxToolView& view) override;
    bool Cancel(IVxToolView& view) override;
    bool GetCurrentSize(SIZE& size) const override;

    // Takes the shape being drawn out of the document and the undo history.
    void AbortGraphic(IVxToolView& view);

private:
    Factory m_pfnCreate;
    CVxGraphic* m_pGraphic = nullptr;  // owned by the document while drawn
    POINT m_ptDown{};                  // client pixels
    std::optional<CVxUndoCheckpoint> m_checkpoint;
};
