#pragma once
// A view for tools and manipulators that maps one pixel to one picture unit,
// snaps to an optional grid and records what it is asked to do.

#include "document/VxDoc.h"
#include "editing/IVxToolView.h"
#include "editing/VxGridSettings.h"
#include "editing/VxUndoCheckpoint.h"
#include "graphics/VxGraphic.h"
#include "graphics/VxSelection.h"
#include "platform/gdi/TkDC.h"

#include <optional>
#include <vector>

class FakeToolView : public IVxToolView {
public:
    explicit FakeToolView(CVxDoc& doc) : m_doc(doc) {}

    CVxDoc& GetDocument() override { return m_doc; }
    CVxSelection& GetSelection() override { return m_selection; }
    POINT ClientToPicture(POINT point) const override { return point; }
    RECT ClientToPicture(const RECT& rect) const override { return rect; }
    POINT SnapPoint(POINT point) const override
    {
        if (m_nGrid == 0) return point;
        return {VxSnapToGrid(point.x, 0, m_nGrid), VxSnapToGrid(point.y, 0, m_nGrid)};
    }
    POINT GetMousePoint(POINT point) const override { return SnapPoint(point); }
    void SetCapture() override { m_bCapture = true; }
    void ReleaseCapture() override { m_bCapture = false; }
    bool HasCapture() const override { return m_bCapture; }
    void SetCursor(UINT nCursorID) override { m_nCursor = nCursorID; }
    POINT GetCursorPos() const override { return m_ptCursor; }
    void SetCursorPos(POINT point) override { m_ptCursor = point; }
    SIZE GetClientExtent() const override { return {100, 80}; }
    void SetTimer(UINT, UINT) override {}
    void KillTimer(UINT) override {}
    std::unique_ptr<CTkDC> GetClientDC() override { return std::make_unique<CTkDC>(); }
    void InvalidateGraphic(CVxGraphic&) override {}
    void InvalidatePictureRect(const RECT&) override {}
    void InvalidateSelection() override {}
    void SetMessageString(UINT) override {}
    void SelectAtPoint(POINT point, bool bToggle) override { m_clicks.push_back({point, bToggle}); }
    void SelectInRect(const RECT&, bool) override {}
    void SelectOnly(CVxGraphic& graphic) override
    {
        m_selection.RemoveAllChildren();
        m_selection.AddChildTail(&graphic);
    }
    void RollBackLater(const CVxUndoCheckpoint& checkpoint) override { m_rollBack = checkpoint; }
    void SelectNone() override { m_selection.RemoveAllChildren(); }
    void EditGraphic(CVxGraphic& graphic) override
    {
        m_pEdited = &graphic;
        graphic.Edit(nullptr);
    }
    bool TrackContextMenu(POINT) override { return true; }
    UINT GetModifierFlags() const override { return m_nModifiers; }
    void SendMouseMessage(MouseMessage message, UINT nFlags, POINT point) override
    {
        m_sent.push_back({message, nFlags, point});
    }
    void SendCommand(UINT nID) override { m_commands.push_back(nID); }

    struct Click {
        POINT point;
        bool bToggle;
    };
    struct Sent {
        MouseMessage message;
        UINT nFlags;
        POINT point;
    };
    CVxDoc& m_doc;
    CVxSelection m_selection;
    LONG m_nGrid = 0;
    bool m_bCapture = false;
    UINT m_nCursor = 0;
    POINT m_ptCursor{};
    std::vector<Click> m_clicks;
    std::optional<CVxUndoCheckpoint> m_rollBack;
    UINT m_nModifiers = 0;
    std::vector<Sent> m_sent;
    std::vector<UINT> m_commands;
    CVxGraphic* m_pEdited = nullptr;
};
