#pragma once
// What the view offers the selection's manipulator and then the current tool:
// the mouse and key messages in Windows terms. Each operation answers whether
// it took the message; the view passes a message on only when it was not taken.

#include "platform/gdi/GdiTypes.h"

// Key flags of mouse messages.
constexpr UINT MK_LBUTTON = 0x0001;
constexpr UINT MK_RBUTTON = 0x0002;
constexpr UINT MK_SHIFT = 0x0004;
constexpr UINT MK_CONTROL = 0x0008;
constexpr UINT MK_MBUTTON = 0x0010;

// Virtual keys the editor reacts to.
constexpr UINT VK_BACK = 0x08;
constexpr UINT VK_TAB = 0x09;
constexpr UINT VK_RETURN = 0x0D;
constexpr UINT VK_SHIFT = 0x10;
constexpr UINT VK_CONTROL = 0x11;
constexpr UINT VK_MENU = 0x12;
constexpr UINT VK_ESCAPE = 0x1B;
constexpr UINT VK_SPACE = 0x20;
constexpr UINT VK_PRIOR = 0x21;
constexpr UINT VK_NEXT = 0x22;
constexpr UINT VK_END = 0x23;
constexpr UINT VK_HOME = 0x24;
constexpr UINT VK_LEFT = 0x25;
constexpr UINT VK_UP = 0x26;
constexpr UINT VK_RIGHT = 0x27;
constexpr UINT VK_DOWN = 0x28;
constexpr UINT VK_INSERT = 0x2D;
constexpr UINT VK_DELETE = 0x2E;

class IVxToolView;

class IVxInputHandler {
public:
    virtual ~IVxInputHandler() = default;
    virtual bool OnLButtonDown(IVxToolView& view, UINT nFlags, POINT point) = 0;
    virtual bool OnMouseMove(IVxToolView& view, UINT nFlags, POINT point) = 0;
    virtual bool OnLButtonUp(IVxToolView& view, UINT nFlags, POINT point) = 0;
    virtual bool OnLButtonDblClk(IVxToolView& view, UINT nFlags, POINT point) = 0;
    virtual bool OnChar(IVxToolView& view, UINT nChar, UINT nRepCnt, UINT nFlags) = 0;
    virtual bool OnKeyDown(IVxToolView& view, UINT nChar, UINT nRepCnt, UINT nFlags) = 0;
    virtual bool OnKeyUp(IVxToolView& view, UINT nChar, UINT nRepCnt, UINT nFlags) = 0;
    virtual bool OnContextMenu(IVxToolView& view, POINT point) = 0;
    // Sets the cursor through the view when it takes the message.
    virtual bool OnSetCursor(IVxToolView& view) = 0;
    virtual bool OnTimer(IVxToolView& view, UINT nIDEvent) = 0;
    // Abandons a gesture in progress; false when there was none to cancel.
    virtual bool Cancel(IVxToolView& view) = 0;
    // The point and size the status panes show.
    virtual bool GetCurrentPoint(POINT& point) const = 0;
    virtual bool GetCurrentSize(SIZE& size) const = 0;
};
