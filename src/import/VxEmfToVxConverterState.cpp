// The playback state of CVxEmfToVxConverter that records save and restore, and
// the world transform that maps world space onto the page.

#include "import/VxEmfToVxConverter.h"

#include "graphics/VxPath.h"
#include "platform/gdi/TkGdiObjects.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>

namespace {

constexpr DWORD kStockFlag = 0x80000000u;
// Saves beyond this depth are ignored, so a file of nothing but saves cannot
// take memory out of proportion.
constexpr std::size_t kMaxSavedStates = 4096;

// a applied first, then b.
XFORM Combine(const XFORM& a, const XFORM& b)
{
    const auto f = [](double value) { return float(value); };
    return {f(double(a.eM11) * b.eM11 + double(a.eM12) * b.eM21),
            f(double(a.eM11) * b.eM12 + double(a.eM12) * b.eM22),
            f(double(a.eM21) * b.eM11 + double(a.eM22) * b.eM21),
            f(double(a.eM21) * b.eM12 + double(a.eM22) * b.eM22),
            f(double(a.eDx) * b.eM11 + double(a.eDy) * b.eM21 + b.eDx),
            f(double(a.eDx) * b.eM12 + double(a.eDy) * b.eM22 + b.eDy)};
}

bool IsUsable(const XFORM& x)
{
    const double determinant = double(x.eM11) * x.eM22 - double(x.eM12) * x.eM21;
    return std::isfinite(x.eM11) && std::isfinite(x.eM12) && std::isfinite(x.eM21) &&
           std::isfinite(x.eM22) && std::isfinite(x.eDx) && std::isfinite(x.eDy) &&
           std::isfinite(determinant) && determinant != 0;
}

// A state's own copy of a path, so that drawing the current one after a save
// leaves the saved one whole.
std::unique_ptr<CVxPath> CopyOfPath(CVxPath* pPath)
{
    std::unique_ptr<CVxGraphic> pClone = pPath ? pPath->Clone() : nullptr;
    auto* pCopy = dynamic_cast<CVxPath*>(pClone.get());
    if (pCopy == nullptr)
        return nullptr;
    pClone.release();
    return std::unique_ptr<CVxPath>(pCopy);
}

}  // namespace

int CVxEmfToVxConverter::RoundToInt(double value)
{
    if (std::isnan(value))
        return 0;
    return int(std::lround(std::clamp(value, double(INT_MIN), double(INT_MAX))));
}

CVxEmfToVxConverter::PlaybackState CVxEmfToVxConverter::CaptureState() const
{
    return {m_xform,
            m_recorded,
            m_nMapMode,
            {m_nWindowOrgX, m_nWindowOrgY, m_nWindowExtCx, m_nWindowExtCy, m_nViewportOrgX,
             m_nViewportOrgY, m_nViewportExtCx, m_nViewportExtCy},
            m_selected,
            m_crBkColor,
            m_nArcDirection,
            m_nBkMode,
            m_nPolyFillMode,
            m_nRop2,
            m_nTextAlign,
            m_nTextCharacterExtra,
            m_crTextColor,
            m_fMiterLimit,
            GetCurrentPosition(),
            CopyOfPath(m_pPath.get()),
            m_bInPath,
            {m_nFigureStartX, m_nFigureStartY}};
}

void CVxEmfToVxConverter::ApplyState(const PlaybackState& state)
{
    m_xform = state.xform;
    m_recorded = state.recorded;
    m_nMapMode = state.nMapMode;
    const std::array<int, 8>& m = state.mapping;
    m_nWindowOrgX = m[0];
    m_nWindowOrgY = m[1];
    m_nWindowExtCx = m[2];
    m_nWindowExtCy = m[3];
    m_nViewportOrgX = m[4];
    m_nViewportOrgY = m[5];
    m_nViewportExtCx = m[6];
    m_nViewportExtCy = m[7];
    ComputeIdentityFlags();
    RestoreSelection(state.selected);
    m_crBkColor = state.crBkColor;
    m_nArcDirection = state.nArcDirection;
    m_nBkMode = state.nBkMode;
    m_nPolyFillMode = state.nPolyFillMode;
    m_nRop2 = state.nRop2;
    m_nTextAlign = state.nTextAlign;
    m_nTextCharacterExtra = state.nTextCharacterExtra;
    m_crTextColor = state.crTextColor;
    m_fMiterLimit = state.fMiterLimit;
    m_nCurrentX = state.current.x;
    m_nCurrentY = state.current.y;
    m_pPath = CopyOfPath(state.pPath.get());
    m_bInPath = state.bInPath;
    m_nFigureStartX = state.figureStart.x;
    m_nFigureStartY = state.figureStart.y;
}

// An object deleted since the save (or its index taken by another kind of object)
// gives way to the context's default, as a fresh context would have it.
void CVxEmfToVxConverter::RestoreSelection(const std::array<LONG, 13>& selected)
{
    const auto defaultOf = [](DWORD type) -> LONG {
        switch (type) {
        case OBJ_PEN: return LONG(kStockFlag | BLACK_PEN);
        case OBJ_BRUSH: return LONG(kStockFlag | WHITE_BRUSH);
        case OBJ_PAL: return LONG(kStockFlag | DEFAULT_PALETTE);
        case OBJ_FONT: return LONG(kStockFlag | SYSTEM_FONT);
        default: return -1;
        }
    };
    for (DWORD type = 1; type <= selected.size(); ++type) {
        const LONG slot = selected[type - 1];
        m_selected[type - 1] = slot;
        if (slot == -1 || (DWORD(slot) & kStockFlag) != 0)
            continue;
        const HGDIOBJ hObject = GetTableObject(DWORD(slot));
        if (hObject == 0 || GetObjectType(hObject) != type)
            m_selected[type - 1] = type == OBJ_EXTPEN ? -1 : defaultOf(type);
    }
    // A pen whose extended twin vanished still needs one of the two.
    if (m_selected[OBJ_PEN - 1] == -1 && m_selected[OBJ_EXTPEN - 1] == -1)
        m_selected[OBJ_PEN - 1] = defaultOf(OBJ_PEN);
}

int CVxEmfToVxConverter::OnSaveDC()
{
    if (m_savedStates.size() >= kMaxSavedStates)
        return kNotHandled;
    m_savedStates.push_back(CaptureState());
    return kHandled;
}

int CVxEmfToVxConverter::OnRestoreDC(int nSavedDC)
{
    const std::int64_t depth = std::int64_t(m_savedStates.size());
    const std::int64_t target = nSavedDC < 0 ? depth + nSavedDC : std::int64_t(nSavedDC) - 1;
    if (nSavedDC == 0 || target < 0 || target >= depth)
        return kNotHandled;
    ApplyState(m_savedStates[std::size_t(target)]);
    m_savedStates.resize(std::size_t(target));
    return kHandled;
}

int CVxEmfToVxConverter::AcceptWorldTransform(const XFORM& xform)
{
    if (!IsUsable(xform))
        return kNotHandled;
    m_xform = xform;
    return kHandled;
}

int CVxEmfToVxConverter::OnSetWorldTransform(const XFORM& xform)
{
    return AcceptWorldTransform(xform);
}

int CVxEmfToVxConverter::OnModifyWorldTransform(const XFORM& xform, DWORD mode)
{
    switch (mode) {
    case MWT_IDENTITY: return AcceptWorldTransform(XFORM{1, 0, 0, 1, 0, 0});
    case MWT_LEFTMULTIPLY:
        return IsUsable(xform) ? AcceptWorldTransform(Combine(xform, m_xform)) : kNotHandled;
    case MWT_RIGHTMULTIPLY:
        return IsUsable(xform) ? AcceptWorldTransform(Combine(m_xform, xform)) : kNotHandled;
    case MWT_SET: return AcceptWorldTransform(xform);
    default: return kNotHandled;
    }
}

int CVxEmfToVxConverter::WorldLength(int length) const
{
    if (IsWorldIdentity())
        return length;
    return RoundToInt(length * std::hypot(double(m_xform.eM11), double(m_xform.eM12)));
}

bool CVxEmfToVxConverter::IsWorldIdentity() const
{
    return m_xform.eM11 == 1 && m_xform.eM12 == 0 && m_xform.eM21 == 0 && m_xform.eM22 == 1 &&
           m_xform.eDx == 0 && m_xform.eDy == 0;
}

bool CVxEmfToVxConverter::IsWorldRotated() const
{
    return m_xform.eM12 != 0 || m_xform.eM21 != 0;
}

bool CVxEmfToVxConverter::IsWorldMirrored() const
{
    return double(m_xform.eM11) * m_xform.eM22 < double(m_xform.eM12) * m_xform.eM21;
}

// The world transform and the window-to-viewport stage in one step, so that
// fractions of page units are not rounded away before the window scales them.
void CVxEmfToVxConverter::MapPoint(POINT& point, bool bWorld) const
{
    if (bWorld && !IsWorldIdentity()) {
        point = PlaceWorldPoint(point.x, point.y);
        return;
    }
    if (!m_bStage1Identity)
        Stage1(point);
    if (!m_bStage2Identity)
        Stage2(point);
}

POINT CVxEmfToVxConverter::PlaceWorldPoint(double x, double y) const
{
    const XFORM& w = m_xform;
    const double pageX = x * w.eM11 + y * w.eM21 + w.eDx;
    const double pageY = x * w.eM12 + y * w.eM22 + w.eDy;
    const auto stage1 = [](double value, int windowOrg, int windowExt, int viewportOrg,
                           int viewportExt) {
        const double scaled = windowExt == 0 ? 0.0 : (value - windowOrg) * viewportExt / windowExt;
        return RoundToInt(viewportOrg + scaled);
    };
    POINT point{stage1(pageX, m_nWindowOrgX, m_nWindowExtCx, m_nViewportOrgX, m_nViewportExtCx),
                stage1(pageY, m_nWindowOrgY, m_nWindowExtCy, m_nViewportOrgY, m_nViewportExtCy)};
    if (!m_bStage2Identity)
        Stage2(point);
    return point;
}

// The picture's y axis points down, so counter-clockwise is the negative y.
int CVxEmfToVxConverter::WorldEscapement() const
{
    if (!IsWorldRotated() && m_xform.eM11 > 0)
        return 0;
    const double sx = m_nWindowExtCx == 0 ? 1.0 : double(m_nViewportExtCx) / m_nWindowExtCx;
    const double sy = m_nWindowExtCy == 0 ? 1.0 : double(m_nViewportExtCy) / m_nWindowExtCy;
    const double without = std::atan2(0.0, sx);
    const double with = std::atan2(-double(m_xform.eM12) * sy, double(m_xform.eM11) * sx);
    const double tenths = std::remainder((with - without) * 1800 / std::numbers::pi, 3600.0);
    return RoundToInt(tenths);
}
