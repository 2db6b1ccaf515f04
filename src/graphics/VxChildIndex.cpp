#include "graphics/VxChildIndex.h"

#include "graphics/VxGeometry.h"
#include "graphics/VxGraphic.h"
#include "platform/gdi/TkDC.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {

// Graphics change one at a time in an edit; an edit of more than this many
// (a whole selection moved) is taken as a change of all.
constexpr std::uint64_t kLogSize = 1024;
std::array<const CVxGraphic*, kLogSize> s_changeLog{};
std::uint64_t s_nChanges = 0;

// Device pixels added round the clip: more than the rounding of two mappings.
constexpr int kClipSlackPixels = 3;

RECT UnionOf(const RECT& a, const RECT& b)
{
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

}  // namespace

void VxNoteGraphicChange(const CVxGraphic* pGraphic)
{
    s_changeLog[s_nChanges % kLogSize] = pGraphic;
    ++s_nChanges;
}

void CVxChildIndex::Reset()
{
    m_bValid = false;
}

bool CVxChildIndex::GetClipArea(CTkDC& dc, RECT& area, RECT* pClip)
{
    RECT clip{};
    const int nKind = dc.GetClipBox(&clip);
    if (nKind == ERROR || nKind == NULLREGION)
        return false;
    if (pClip != nullptr)
        *pClip = clip;
    POINT slack[2] = {{0, 0}, {kClipSlackPixels, kClipSlackPixels}};
    dc.DPtoLP(slack, 2);
    const std::int64_t dx = std::llabs(std::int64_t(slack[1].x) - slack[0].x) + 1;
    const std::int64_t dy = std::llabs(std::int64_t(slack[1].y) - slack[0].y) + 1;
    area = {VxClampToInt(clip.left - dx), VxClampToInt(clip.top - dy),
            VxClampToInt(clip.right + dx), VxClampToInt(clip.bottom + dy)};
    return true;
}

CVxChildIndex::Entry CVxChildIndex::Measure(CVxGraphic* pGraphic, CTkDC* pDC)
{
    // The drawn area for painting, the bounds for picking: the index keeps both.
    const RECT area = UnionOf(VxNormalizeRect(pGraphic->GetDrawBounds(pDC)),
                              VxNormalizeRect(pGraphic->GetBounds()));
    const bool bAlways = !pGraphic->HasNoChildren() || pGraphic->HasDeviceDrawBounds();
    return {pGraphic, area, bAlways};
}

bool CVxChildIndex::BringUpToDate(const CVxGraphicList& children, const CVxGraphic& owner,
                                  CTkDC* pDC)
{
    if (children.GetCount() < kMinChildren) {
        m_bValid = false;
        m_entries.clear();
        m_places.clear();
        return false;
    }
    const std::uint64_t nNow = s_nChanges;
    if (!m_bValid || nNow - m_nSeen > kLogSize) {
        Rebuild(children, pDC);
        return true;
    }
    for (std::uint64_t n = m_nSeen; n < nNow; ++n) {
        const CVxGraphic* pChanged = s_changeLog[n % kLogSize];
        // Measuring may itself note changes; past the log's length the
        // entry read may be a later one.
        if (pChanged == &owner || s_nChanges - n > kLogSize) {
            Rebuild(children, pDC);
            return true;
        }
        if (m_places.empty()) {
            m_places.reserve(m_entries.size());
            for (std::size_t i = 0; i < m_entries.size(); ++i)
                m_places.emplace(m_entries[i].pGraphic, i);
        }
        if (const auto it = m_places.find(pChanged); it != m_places.end())
            m_entries[it->second] = Measure(m_entries[it->second].pGraphic, pDC);
    }
    m_nSeen = nNow;
    return true;
}

void CVxChildIndex::Rebuild(const CVxGraphicList& children, CTkDC* pDC)
{
    m_nSeen = s_nChanges;
    m_places.clear();
    m_entries.clear();
    m_entries.reserve(std::size_t(children.GetCount()));
    ForEachChild(children, [&](CVxGraphic* pGraphic) { m_entries.push_back(Measure(pGraphic, pDC)); });
    m_bValid = true;
}
