#pragma once
// The handles of one graphic in a view: drawn inverted, hit-tested under the
// mouse, dragged with XOR feedback (or live), one undo step per drag, and a
// cancelled drag puts the graphic back. In point editing the handles are the
// graphic's points, one of them current, edited from the keyboard too.

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

    virtual int GetFirstHandle() const;
    virtual int GetLastHandle() const;
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
    bool OnLButtonDblClk(IVxToolView& view, UINT nFlags, POINT point) override;
    bool OnChar(IVxToolView&, UINT, UINT, UINT) override { return false; }
    bool OnKeyDown(IVxToolView& view, UINT nChar, UINT nRepCnt, UINT nFlags) override;
    bool OnKeyUp(IVxToolView& view, UINT nChar, UINT nRepCnt, UINT nFlags) override;
    bool OnContextMenu(IVxToolView& view, POINT point) override;
    bool OnSetCursor(IVxToolView& view) override;
    bool OnTimer(IVxToolView&, UINT) override { return false; }
    bool Cancel(IVxToolView& view) override;
    bool GetCurrentPoint(POINT& point) const override;
    bool GetCurrentSize(SIZE& size) const override;

    // --- point editing (VxGraphicManipulatorPoints.cpp)
    bool IsEditingPoints() const { return m_nEditPoints > 0; }
    // Only for graphics with points; turning it off keeps the edits made.
    void SetEditPoints(bool bOn);
    // Point editing as an undo brings it back, without a redraw.
    void RestoreEditPoints(int nEditPoints, int nCurrentPoint);
    int GetEditPoints() const { return m_nEditPoints; }
    int GetCurrentPoint() const { return m_nCurrentPoint; }
    // An index outside the points is ignored.
    void SetCurrentPoint(int nPoint);
    virtual int GetPointCount() const;
    bool CanEditPoints() const { return GetPointCount() > 0; }
    bool CanNextPoint() const { return IsEditingPoints() && GetPointCount() > 1; }
    bool CanPreviousPoint() const { return CanNextPoint(); }
    bool CanInsertPoint() const;
    bool CanDeletePoint() const;
    bool CanNextSubpolygon() const;
    bool CanPreviousSubpolygon() const { return CanNextSubpolygon(); }
    bool CanInsertSubpolygon() const;
    bool CanDeleteSubpolygon() const;
    // Next and previous wrap round.
    void NextPoint();
    void PreviousPoint();
    // A copy of the current point, just after it.
    void InsertPoint();
    void DeletePoint();
    void NextSubpolygon();
    void PreviousSubpolygon();
    void InsertSubpolygon();
    void DeleteSubpolygon();

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
    // The drag's undo snapshot, once; the first one of a point-editing
    // session also keeps the graphic as it was, for cancelling the session.
    void TakeCheckpoint();
    // Puts the graphic back as it was before point editing changed it and
    // drops the snapshots taken since, leaving no undo step.
    void RestoreSavedGraphic();
    bool IsCurrentHandle(int nHandle) const;
    // The point keys; false for other keys.
    bool OnPointKey(UINT nChar, bool bSub);
    // Current point moves to the first point of the sub-polygon nStep away.
    void StepSubpolygon(int nStep);
    void SetFirstPointOf(int nSubPolygon);
    void Redraw();
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
    bool m_bPointCopied = false;
    int m_nEditPoints = 0;
    int m_nCurrentPoint = 0;
    bool m_bDragging = false;
    RECT m_rcOld{};  // the graphic's bounds when the drag began
    std::optional<CVxUndoCheckpoint> m_checkpoint;
    // Point editing's first change: the graphic before it and the checkpoint.
    std::unique_ptr<CVxGraphic> m_pSavedGraphic;
    std::optional<CVxUndoCheckpoint> m_editCheckpoint;
};
