#pragma once
// The tool that has the input until the drawing tools arrive: it keeps the
// capture of a drag so the view routes consistently, and changes nothing.

#include "editing/IVxInputHandler.h"

class CVxSelectTool : public IVxInputHandler {
public:
    bool OnLButtonDown(IVxToolView& view, UINT nFlags, POINT point) override;
    bool OnMouseMove(IVxToolView& view, UINT nFlags, POINT point) override;
    bool OnLButtonUp(IVxToolView& view, UINT nFlags, POINT point) override;
    bool OnLButtonDblClk(IVxToolView& view, UINT nFlags, POINT point) override;
    bool OnChar(IVxToolView&, UINT, UINT, UINT) override { return false; }
    bool OnKeyDown(IVxToolView&, UINT, UINT, UINT) override { return false; }
    bool OnKeyUp(IVxToolView&, UINT, UINT, UINT) override { return false; }
    bool OnContextMenu(IVxToolView& view, POINT point) override;
    bool OnSetCursor(IVxToolView& view) override;
    bool OnTimer(IVxToolView&, UINT) override { return false; }
    bool Cancel(IVxToolView& view) override;
    bool GetCurrentPoint(POINT& point) const override;
    bool GetCurrentSize(SIZE& size) const override;

private:
    void Record(IVxToolView& view, POINT point);

    POINT m_ptOrigin{};   // picture units, where the drag started
    POINT m_ptCurrent{};  // picture units
};
