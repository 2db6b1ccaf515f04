#pragma once
// The handles of one graphic in a view: drawn inverted, hit-tested under the
// mouse, dragged with XOR feedback (or live), one undo step per drag, and a
// cancelled drag puts the graphic back.

#include "editing/IVxInputHandler.h"
#include "editing/VxUndoCheckpoint.h"

#include <memory>
#include <optional>

class CTkDC;
class CVxGraphic;

class CVxGraphicManipulator : public IVxInputHandler {
public:
    enum DragMode { kDragRect = 0, kDragOutline = 1, kDragLive = 2 };

    // The drag mode follows the "DragObjectOutlines" setting.
    CVxGraphicManipulator(CVxGraphic& graphic, IVxToolView& view);
    ~CVxGraphicManipulator() override;
    CVxGraphicManipulator(const CVxGraphicManipulator&) = delete;
    CVxGraphicManipulator& operator=(const CVxGraphicManipulator&) = delete;

    int GetDragMode() const { return m_nDragMode; }
    void SetDragMode(int nMode) { m_nDragMode = nMode; }
    bool IsDragging() const { return m_bDragging; }

    virtual int GetFirstHandle() const { return 0; }
    virtual int GetLastHandle() const { return 7; }
    virtual bool IsValidHandle(int nHandle) const;
    // Centred on the handle's point, in picture units.
    RECT GetHandleRect(int nHandle) const;
    // A handle, VX_HANDLE_BODY, or VX_HANDLE_NONE; point in picture units.
    int HitTest(POINT point) const;
    UINT GetHandleCursor(int nHandle, bool bCtrl) const;
    void DrawHandles(CTkDC& dc);
    // Snaps a handle's point, or moves the body so that its corner nearest
    // to a grid point lands on it.
    POINT SnapDragPoint(int nHandle, POINT point) const;

    bool OnLButtonDown(IVxToolView& view, UINT nFlags, POINT point) override;
    bool OnMouseMove(IVxToolView& view, UINT nFlags, POINT point) override;
    bool OnLButtonUp(IVxToolView& view, UINT nFlags, POINT point) override;
    bool OnLButtonDblClk(IVxToolView&, UINT, POINT) override { return false; }
    bool OnChar(IVxToolView&, UINT, UINT, UINT) override { return false; }
    bool OnKeyDown(IVxToolView& view, UINT nChar, UINT nRepCnt, UINT nFlags) override;
    bool OnKeyUp(IVxToolView& view, UINT nChar, UINT nRepCnt, UINT nFlags) override;
    bool OnContextMenu(IVxToolView&, POINT) override { return false; }
    bool OnSetCursor(IVxToolView& view) override;
    bool OnTimer(IVxToolView&, UINT) override { return false; }
    bool Cancel(IVxToolView& view) override;
    bool GetCurrentPoint(POINT& point) const override;
    bool GetCurrentSize(SIZE& size) const override;

protected:
    virtual void DrawDragFeedback(CTkDC& dc);
    CVxGraphic& GetGraphic() const { return *m_pGraphic; }

private:
    // The handle size in picture units, at least 2.
    SIZE GetHandleSize() const;
    void BeginDrag();
    // Draws the feedback through a client DC held only while drawing, so
    // the view can repaint its screen between moves.
    void ToggleFeedback();
    // Erases the feedback and lets go of the mouse.
    void FinishDrag();
    void DragHandleTo(POINT point);
    // Copies each selected graphic of the picture just behind itself, so the
    // originals, still selected, are dragged off their copies.
    void DuplicateSelection();
    // Keeps a dragged point inside the coordinate limits.
    static POINT ClampToLimits(POINT point);

    CVxGraphic* m_pGraphic;
    IVxToolView* m_pView;
    int m_nDragMode = kDragLive;
    int m_nHitHandle = -2;
    POINT m_ptHover{};     // client pixels, the last move without a drag
    POINT m_ptDragStart{}; // picture units
    POINT m_ptDragCurrent{};
    SIZE m_grabOffset{};
    bool m_bCtrl = false;
    bool m_bObjectsCopied = false;
    bool m_bDragging = false;
    RECT m_rcOld{};  // the graphic's bounds when the drag began
    std::optional<CVxUndoCheckpoint> m_checkpoint;
};
