#pragma once
// The view as the tools and manipulators see it: conversions, snapping,
// capture, cursor, timers, a client DC over the screen image and the
// selection. No Qt here, so tools can be tested on a fake view.

#include "platform/gdi/GdiTypes.h"

#include <memory>

class CTkDC;
class CVxDoc;
class CVxGraphic;
class CVxSelection;
class CVxUndoCheckpoint;

class IVxToolView {
public:
    virtual ~IVxToolView() = default;

    virtual CVxDoc& GetDocument() = 0;
    virtual CVxSelection& GetSelection() = 0;

    // Client pixels to picture units.
    virtual POINT ClientToPicture(POINT point) const = 0;
    virtual RECT ClientToPicture(const RECT& rect) const = 0;
    // The nearest grid point while snapping is on, else point unchanged.
    virtual POINT SnapPoint(POINT point) const = 0;
    // A mouse position as tools record it: converted, then snapped.
    virtual POINT GetMousePoint(POINT clientPoint) const = 0;

    virtual void SetCapture() = 0;
    virtual void ReleaseCapture() = 0;
    virtual bool HasCapture() const = 0;
    virtual void SetCursor(UINT nCursorID) = 0;
    // The mouse cursor in client pixels, and the client area's size.
    virtual POINT GetCursorPos() const = 0;
    virtual void SetCursorPos(POINT point) = 0;
    virtual SIZE GetClientExtent() const = 0;
    virtual void SetTimer(UINT nIDEvent, UINT nElapse) = 0;
    virtual void KillTimer(UINT nIDEvent) = 0;

    // Draws straight into the screen image, mapped like a paint; what it
    // touches is shown at the next event-loop turn. XOR drawn twice erases.
    virtual std::unique_ptr<CTkDC> GetClientDC() = 0;
    virtual void InvalidateGraphic(CVxGraphic& graphic) = 0;
    // An area of the picture (picture units), repainted at the next paint.
    virtual void InvalidatePictureRect(const RECT& rect) = 0;
    virtual void InvalidateSelection() = 0;
    // The frame's message pane shows string nID (5029, 5030, or the idle prompt).
    virtual void SetMessageString(UINT nID) = 0;

    // Selects the front-most graphic that paints near point (picture units),
    // or nothing; with bToggle that graphic is added to or taken from the
    // selection instead.
    virtual void SelectAtPoint(POINT point, bool bToggle) = 0;
    // Selects graphic alone (a graphic just drawn).
    virtual void SelectOnly(CVxGraphic& graphic) = 0;
    // Selects the graphics wholly inside rect (picture units), or toggles them.
    virtual void SelectInRect(const RECT& rect, bool bToggle) = 0;
    // Rolls the document back once the current message is done: rolling back
    // replaces the graphics the caller is still working on.
    virtual void RollBackLater(const CVxUndoCheckpoint& checkpoint) = 0;

    // Shows the editing context menu at point (screen pixels); false when
    // there is none to show.
    virtual bool TrackContextMenu(POINT /*screenPoint*/) { return false; }
    // Empties the selection.
    virtual void SelectNone() = 0;
    // Runs graphic's Edit with this view (the text dialog, point editing).
    virtual void EditGraphic(CVxGraphic& graphic) = 0;
    // MK_SHIFT and MK_CONTROL as the last key or mouse message had them.
    virtual UINT GetModifierFlags() const = 0;
    // A left-button message at point (client pixels), routed as if the mouse
    // had made it: the keyboard's stand-in for the mouse.
    enum class MouseMessage { LButtonDown, LButtonUp, LButtonDblClk };
    virtual void SendMouseMessage(MouseMessage message, UINT nFlags, POINT point) = 0;
    // Runs one of the view's commands, as its menu item would.
    virtual void SendCommand(UINT nID) = 0;
};
