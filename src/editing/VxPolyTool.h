#pragma once
// The polyline and polygon tools: the first press starts the poly, every
// press adds a point that then follows the mouse, and a press held for a
// moment draws freehand until the button is let go. A double-click or Enter
// finishes, Backspace takes the last point back, Escape forgets the poly.

#include "editing/VxShapeTool.h"

class CVxPoly;

class CVxPolyTool : public CVxShapeTool {
public:
    // The view's timer that switches to freehand drawing.
    static constexpr UINT kFreehandTimer = 1;

    // pfnCreate makes an open or a closed CVxPoly.
    explicit CVxPolyTool(Factory pfnCreate) : CVxShapeTool(pfnCreate) {}

    bool OnLButtonDown(IVxToolView& view, UINT nFlags, POINT point) override;
    bool OnMouseMove(IVxToolView& view, UINT nFlags, POINT point) override;
    bool OnLButtonUp(IVxToolView& view, UINT nFlags, POINT point) override;
    bool OnLButtonDblClk(IVxToolView& view, UINT nFlags, POINT point) override;
    bool OnKeyDown(IVxToolView& view, UINT nChar, UINT nRepCnt, UINT nFlags) override;
    bool OnSetCursor(IVxToolView& view) override;
    bool OnTimer(IVxToolView& view, UINT nIDEvent) override;
    bool Cancel(IVxToolView& view) override;

    bool IsBuilding() const { return m_pPoly != nullptr; }
    bool IsFreehand() const { return m_bFreehand; }

private:
    // Appends point; the appended point is the one that follows the mouse.
    void AddPoint(POINT point);
    void MoveCurrentPoint(POINT point);
    void StopFreehand(IVxToolView& view);
    // Keeps the poly, or drops it when it has too few points to be drawn.
    void Finish(IVxToolView& view);

    CVxPoly* m_pPoly = nullptr;  // the graphic being drawn, while a poly is built
    int m_nCurrentPoint = 0;     // the point that follows the mouse
    POINT m_ptMouse{};           // picture units, snapped
    bool m_bFreehand = false;
};
