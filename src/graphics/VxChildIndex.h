#pragma once
// The areas of a large picture's children, kept so that painting a small part
// of the window or picking at a point tests a flat array instead of asking
// every child for its bounds. Every graphic notes its changes in a short
// process-wide log (see VxNoteGraphicChange); the index takes up the noted
// children again when next used, and measures all of them anew when the log ran
// over or its owner changed.

#include "graphics/VxGraphicList.h"
#include "platform/gdi/GdiTypes.h"

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

class CTkDC;
class CVxGraphic;

// Called by a graphic whenever it changes or is about to.
void VxNoteGraphicChange(const CVxGraphic* pGraphic);

class CVxChildIndex {
public:
    // Fewer children than this are simply walked.
    static constexpr int kMinChildren = 256;

    // The children changed as a list (added, removed, reordered, replaced).
    void Reset();

    // The DC's clip box in picture units, widened by a few device pixels so
    // that rounding in the mapping hides nothing a child would paint; false
    // when there is no clip box to test against. pClip, if given, receives the
    // clip box itself.
    static bool GetClipArea(CTkDC& dc, RECT& area, RECT* pClip = nullptr);

    // Calls f(child, bInside) on each child, in drawing order, whose area may
    // meet rect (picture units, normalised); every child when the list is
    // small. bInside tells that the child's whole area lies in *pInside, so
    // that a test of it against that rectangle cannot fail; it is false where
    // that is not known. The areas are measured on pDC where a child's depend
    // on the device.
    template <typename F>
    void ForEachNear(const CVxGraphicList& children, const CVxGraphic& owner, const RECT& rect,
                     CTkDC* pDC, F f, const RECT* pInside = nullptr)
    {
        if (!BringUpToDate(children, owner, pDC)) {
            ForEachChild(children, [&f](CVxGraphic* pChild) { f(pChild, false); });
            return;
        }
        for (const Entry& entry : m_entries) {
            if (entry.bAlways)
                f(entry.pGraphic, false);
            else if (Meets(entry.rcArea, rect))
                f(entry.pGraphic, pInside != nullptr && Contains(*pInside, entry.rcArea));
        }
    }

private:
    struct Entry {
        CVxGraphic* pGraphic;
        RECT rcArea;
        // The area depends on the device or on children: always tested exactly.
        bool bAlways;
    };

    static bool Meets(const RECT& a, const RECT& b)
    {
        return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
    }
    static bool Contains(const RECT& outer, const RECT& inner)
    {
        return outer.left <= inner.left && inner.right <= outer.right && outer.top <= inner.top &&
               inner.bottom <= outer.bottom;
    }
    static Entry Measure(CVxGraphic* pGraphic, CTkDC* pDC);
    template <typename F>
    static void ForEachChild(const CVxGraphicList& children, F f);
    // False when the list is too small to index.
    bool BringUpToDate(const CVxGraphicList& children, const CVxGraphic& owner, CTkDC* pDC);
    void Rebuild(const CVxGraphicList& children, CTkDC* pDC);

    std::vector<Entry> m_entries;
    // Built on the first change noted after a rebuild.
    std::unordered_map<const CVxGraphic*, std::size_t> m_places;
    std::uint64_t m_nSeen = 0;
    bool m_bValid = false;
};

template <typename F>
void CVxChildIndex::ForEachChild(const CVxGraphicList& children, F f)
{
    for (CVxGraphicList::POSITION pos = children.GetHeadPosition(); pos;)
        f(children.GetNextGraphic(pos));
}
