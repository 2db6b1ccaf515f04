#pragma once
// The selection tool: a click selects the graphic under it, a drag draws a
// rubber band that selects the graphics wholly inside it; Shift adds to or
// takes from the selection.

#include "editing/IVxInputHandler.h"

class CTkDC;

class CVxSelectTool : public IVxInputHandler {
public:
    bool OnLButtonDown(IVxToolView& view, UINT nFlags, POINT point) override;
    bool OnMouseMove(IVxToolView& view, UINT nFlags, POINT point) override;
    bool OnLButtonUp(IVxToolView& view, UINT nFlags, POINT point) override;
    bool OnLButtonDblClk(IVxToolView& view, UINT nFlags, POINT point) override;
    bool OnChar(IVxToolView&, UINT, UINT, UINT) override { return false; }
    // The keyboard as a mouse: the arrow keys move the cursor, faster while
    // a key is held; Enter double-clicks and Space clicks at the cursor;
    // Delete runs the Delete command.
    bool OnKeyDown(IVxToolView& view, UINT nChar, UINT nRepCnt, UINT nFlags) override;
    bool OnKeyUp(IVxToolView& view, UINT nChar, UINT nRepCnt, UINT nFlags) override;
    bool OnContextMenu(IVxToolView& view, POINT point) override;
    bool OnSetCursor(IVxToolView& view) override;
    bool OnTimer(IVxToolView&, UINT) override { return false; }
    bool Cancel(IVxToolView& view) override;
    bool GetCurrentPoint(POINT& point) const override;
    bool GetCurrentSize(SIZE& size) const override;

private:
    void Record(IVxToolView& view, POINT point);
    // Draws the band in XOR; drawing it again erases it.
    void ToggleBand(IVxToolView& view);
    void EndBand(IVxToolView& view);

    POINT m_ptOrigin{};   // picture units, where the drag started
    POINT m_ptCurrent{};  // picture units
    POINT m_ptDownClient{};
    RECT m_rcBand{};      // picture units, as drawn
    bool m_bBandShown = false;

    // Pixels the next arrow key moves the cursor; shared by every tool.
    static LONG s_nArrowStep;
};
