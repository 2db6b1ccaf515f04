#include "platform/gdi/TkDC.h"

#include "platform/gdi/MulDiv.h"
#include "platform/gdi/TkGdiObjects.h"
#include "platform/gdi/TkGradientFill.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <utility>

namespace {

LONG Saturate(std::int64_t value)
{
    return LONG(std::clamp<std::int64_t>(value, std::numeric_limits<LONG>::min(),
                                         std::numeric_limits<LONG>::max()));
}

LONG Saturate(double value)
{
    if (std::isnan(value))
        return 0;
    return LONG(std::llround(std::clamp<double>(value, std::numeric_limits<LONG>::min(),
                                                std::numeric_limits<LONG>::max())));
}

// (value - fromOrg) * toExt / fromExt + toOrg, rounded to the nearest with halves
// away from zero. |value - fromOrg| < 2^32 and |toExt| <= 2^31, so the product
// fits 64 bits.
LONG MapCoordinate(LONG value, LONG fromOrg, LONG fromExt, LONG toOrg, LONG toExt)
{
    if (fromExt == 0)
        return toOrg;
    const std::int64_t product = (std::int64_t(value) - fromOrg) * toExt;
    std::int64_t quotient = product / fromExt;
    const std::int64_t remainder = product % fromExt;
    if (2 * std::abs(remainder) >= std::abs(std::int64_t(fromExt)))
        quotient += (product < 0) != (fromExt < 0) ? -1 : 1;
    return Saturate(quotient + toOrg);
}

bool InRange(int value, int first, int last) { return value >= first && value <= last; }

bool IsEmpty(const RECT& r) { return r.left >= r.right || r.top >= r.bottom; }

RECT Normalized(const RECT& r)
{
    return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
            std::max(r.top, r.bottom)};
}

RECT Intersection(const RECT& a, const RECT& b)
{
    const RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                 std::min(a.bottom, b.bottom)};
    return IsEmpty(r) ? RECT{0, 0, 0, 0} : r;
}

// The clip box that remains when e is cut out of c, as far as a box can say it;
// complex is set when the true remainder is not a box.
RECT ExcludedBox(const RECT& c, const RECT& e, bool* pComplex)
{
    if (IsEmpty(Intersection(c, e)))
        return c;
    const bool coversX = e.left <= c.left && e.right >= c.right;
    const bool coversY = e.top <= c.top && e.bottom >= c.bottom;
    RECT r = c;
    if (coversX && coversY)
        return {0, 0, 0, 0};
    if (coversY && e.left <= c.left)
        r.left = e.right;
    else if (coversY && e.right >= c.right)
        r.right = e.left;
    else if (coversX && e.top <= c.top)
        r.top = e.bottom;
    else if (coversX && e.bottom >= c.bottom)
        r.bottom = e.top;
    else
        *pComplex = true;
    return r;
}

// A scaled extent, or false when a factor is zero or the result leaves 32 bits.
bool ScaledExtent(SIZE ext, int xNum, int xDenom, int yNum, int yDenom, SIZE* pResult)
{
    if (xNum == 0 || xDenom == 0 || yNum == 0 || yDenom == 0)
        return false;
    const std::int64_t cx = std::int64_t(ext.cx) * xNum / xDenom;
    const std::int64_t cy = std::int64_t(ext.cy) * yNum / yDenom;
    if (cx == 0 || cy == 0 || cx != Saturate(cx) || cy != Saturate(cy))
        return false;
    *pResult = {LONG(cx), LONG(cy)};
    return true;
}

// An extent scaled down so that a logical unit is as large in both directions;
// it keeps its sign and never becomes zero.
LONG ShrunkExtent(LONG ext, double ratio)
{
    const LONG shrunk = Saturate(double(ext) * ratio);
    return shrunk != 0 ? shrunk : (ext < 0 ? -1 : 1);
}

// The advance of a text drawn with a character-advance array; with ETO_PDY the
// array holds x and y advances in pairs.
SIZE TextAdvance(UINT options, UINT count, const INT* dx)
{
    std::int64_t x = 0;
    std::int64_t y = 0;
    const bool pairs = (options & ETO_PDY) != 0;
    for (UINT i = 0; i < count; ++i) {
        x += pairs ? dx[2 * i] : dx[i];
        y += pairs ? dx[2 * i + 1] : 0;
    }
    return {Saturate(x), Saturate(y)};
}

}  // namespace

double TkArcAngle(const RECT& box, POINT end)
{
    const double cx = (double(box.left) + box.right) / 2;
    const double cy = (double(box.top) + box.bottom) / 2;
    const double a = std::fabs(double(box.right) - box.left) / 2;
    const double b = std::fabs(double(box.bottom) - box.top) / 2;
    const double dx = end.x - cx;
    const double dy = end.y - cy;
    // atan2(dy / b, dx / a) scaled by a * b, which also gives the limit of a flat
    // ellipse, unless the ray runs along the flat ellipse itself.
    double y = dy * a;
    double x = dx * b;
    if (x == 0 && y == 0) {
        x = dx;
        y = dy;
    }
    return std::atan2(y, x);
}

POINT TkArcEndPoint(const RECT& box, POINT end)
{
    const double cx = (double(box.left) + box.right) / 2;
    const double cy = (double(box.top) + box.bottom) / 2;
    const double a = std::fabs(double(box.right) - box.left) / 2;
    const double b = std::fabs(double(box.bottom) - box.top) / 2;
    const double angle = TkArcAngle(box, end);
    return {Saturate(cx + a * std::cos(angle)), Saturate(cy + b * std::sin(angle))};
}

CTkDC::CTkDC(std::unique_ptr<CTkDCBackend> backend, DWORD objectType, const TkDeviceCaps& caps)
    : m_backend(std::move(backend)),
      m_objectType(objectType),
      m_caps(caps),
      m_deviceRect{0, 0, caps.horzRes, caps.vertRes}
{
    m_state.pen = GetStockObject(BLACK_PEN);
    m_state.brush = GetStockObject(WHITE_BRUSH);
    m_state.font = GetStockObject(SYSTEM_FONT);
    m_state.palette = GetStockObject(DEFAULT_PALETTE);
    m_state.clip = m_deviceRect;
}

CTkDC::~CTkDC() = default;

void CTkDC::Changed(TkDCState what)
{
    if (HasBackend())
        m_backend->OnStateChanged(*this, what);
}

template <typename Call>
BOOL CTkDC::Forward(Call call)
{
    return HasBackend() ? call(*m_backend) : TRUE;
}

int CTkDC::GetDeviceCaps(int index) const
{
    switch (index) {
    case TECHNOLOGY: return m_caps.technology;
    case HORZSIZE: return m_caps.horzSizeMm;
    case VERTSIZE: return m_caps.vertSizeMm;
    case HORZRES:
    case PHYSICALWIDTH: return m_caps.horzRes;
    case VERTRES:
    case PHYSICALHEIGHT: return m_caps.vertRes;
    case LOGPIXELSX: return m_caps.logPixelsX;
    case LOGPIXELSY: return m_caps.logPixelsY;
    case BITSPIXEL: return m_caps.bitsPixel;
    case PLANES: return m_caps.planes;
    case LINECAPS: return m_caps.lineCaps;
    case NUMCOLORS: {
        const int bits = m_caps.bitsPixel * m_caps.planes;
        return bits <= 8 ? 1 << bits : -1;
    }
    case ASPECTX:
    case ASPECTY: return 36;
    case ASPECTXY: return 51;
    case PHYSICALOFFSETX: return m_caps.physicalOffsetX;
    case PHYSICALOFFSETY: return m_caps.physicalOffsetY;
    default: return 0;
    }
}

// Mapping

bool CTkDC::IsScalable() const
{
    return m_state.mapMode == MM_ISOTROPIC || m_state.mapMode == MM_ANISOTROPIC;
}

void CTkDC::SetFixedMapping(int mode)
{
    struct Scale {
        int num;
        int denom;
    };
    Scale scale{1, 1};
    switch (mode) {
    case MM_LOMETRIC: scale = {10, 1}; break;
    case MM_HIMETRIC: scale = {100, 1}; break;
    case MM_LOENGLISH: scale = {1000, 254}; break;
    case MM_HIENGLISH: scale = {10000, 254}; break;
    case MM_TWIPS: scale = {14400, 254}; break;
    default:
        m_state.windowExt = {1, 1};
        m_state.viewportExt = {1, 1};
        return;
    }
    m_state.windowExt = {MulDiv(m_caps.horzSizeMm, scale.num, scale.denom),
                         MulDiv(m_caps.vertSizeMm, scale.num, scale.denom)};
    m_state.viewportExt = {m_caps.horzRes, -m_caps.vertRes};
}

void CTkDC::AdjustIsotropic()
{
    if (m_state.mapMode != MM_ISOTROPIC)
        return;
    SIZE& v = m_state.viewportExt;
    const SIZE& w = m_state.windowExt;
    // Millimetres per logical unit along each axis.
    const double xUnit = std::fabs(double(v.cx) * m_caps.horzSizeMm /
                                   (double(m_caps.horzRes) * w.cx));
    const double yUnit = std::fabs(double(v.cy) * m_caps.vertSizeMm /
                                   (double(m_caps.vertRes) * w.cy));
    if (!std::isfinite(xUnit) || !std::isfinite(yUnit) || xUnit == 0 || yUnit == 0)
        return;
    if (xUnit > yUnit)
        v.cx = ShrunkExtent(v.cx, yUnit / xUnit);
    else if (yUnit > xUnit)
        v.cy = ShrunkExtent(v.cy, xUnit / yUnit);
}

int CTkDC::SetMapMode(int mode)
{
    if (!InRange(mode, MM_TEXT, MM_ANISOTROPIC))
        return 0;
    const int old = std::exchange(m_state.mapMode, mode);
    if (mode == MM_ISOTROPIC) {
        if (old != MM_ISOTROPIC)
            SetFixedMapping(MM_LOMETRIC);
    } else if (mode != MM_ANISOTROPIC) {
        SetFixedMapping(mode);
    }
    Changed(TkDCState::MapMode);
    return old;
}

POINT CTkDC::SetWindowOrg(int x, int y)
{
    const POINT old = std::exchange(m_state.windowOrg, POINT{x, y});
    Changed(TkDCState::WindowOrg);
    return old;
}

POINT CTkDC::OffsetWindowOrg(int dx, int dy)
{
    const POINT old = m_state.windowOrg;
    return SetWindowOrg(Saturate(std::int64_t(old.x) + dx), Saturate(std::int64_t(old.y) + dy));
}

SIZE CTkDC::SetWindowExt(int cx, int cy)
{
    if (!IsScalable() || cx == 0 || cy == 0)
        return m_state.windowExt;
    const SIZE old = std::exchange(m_state.windowExt, SIZE{cx, cy});
    AdjustIsotropic();
    Changed(TkDCState::WindowExt);
    return old;
}

SIZE CTkDC::ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom)
{
    SIZE scaled;
    if (!IsScalable() || !ScaledExtent(m_state.windowExt, xNum, xDenom, yNum, yDenom, &scaled))
        return m_state.windowExt;
    return SetWindowExt(scaled.cx, scaled.cy);
}

POINT CTkDC::SetViewportOrg(int x, int y)
{
    const POINT old = std::exchange(m_state.viewportOrg, POINT{x, y});
    Changed(TkDCState::ViewportOrg);
    return old;
}

POINT CTkDC::OffsetViewportOrg(int dx, int dy)
{
    const POINT old = m_state.viewportOrg;
    return SetViewportOrg(Saturate(std::int64_t(old.x) + dx),
                          Saturate(std::int64_t(old.y) + dy));
}

SIZE CTkDC::SetViewportExt(int cx, int cy)
{
    if (!IsScalable() || cx == 0 || cy == 0)
        return m_state.viewportExt;
    const SIZE old = std::exchange(m_state.viewportExt, SIZE{cx, cy});
    AdjustIsotropic();
    Changed(TkDCState::ViewportExt);
    return old;
}

SIZE CTkDC::ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom)
{
    SIZE scaled;
    if (!IsScalable() ||
        !ScaledExtent(m_state.viewportExt, xNum, xDenom, yNum, yDenom, &scaled))
        return m_state.viewportExt;
    return SetViewportExt(scaled.cx, scaled.cy);
}

void CTkDC::LPtoDP(POINT* pts, int count) const
{
    if (pts == nullptr)
        return;
    const State& s = m_state;
    for (int i = 0; i < count; ++i) {
        pts[i] = {MapCoordinate(pts[i].x, s.windowOrg.x, s.windowExt.cx, s.viewportOrg.x,
                                s.viewportExt.cx),
                  MapCoordinate(pts[i].y, s.windowOrg.y, s.windowExt.cy, s.viewportOrg.y,
                                s.viewportExt.cy)};
    }
}

void CTkDC::LPtoDP(RECT* rect) const
{
    if (rect == nullptr)
        return;
    POINT corners[2] = {{rect->left, rect->top}, {rect->right, rect->bottom}};
    LPtoDP(corners, 2);
    *rect = {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

void CTkDC::DPtoLP(POINT* pts, int count) const
{
    if (pts == nullptr)
        return;
    const State& s = m_state;
    for (int i = 0; i < count; ++i) {
        pts[i] = {MapCoordinate(pts[i].x, s.viewportOrg.x, s.viewportExt.cx, s.windowOrg.x,
                                s.windowExt.cx),
                  MapCoordinate(pts[i].y, s.viewportOrg.y, s.viewportExt.cy, s.windowOrg.y,
                                s.windowExt.cy)};
    }
}

void CTkDC::DPtoLP(RECT* rect) const
{
    if (rect == nullptr)
        return;
    POINT corners[2] = {{rect->left, rect->top}, {rect->right, rect->bottom}};
    DPtoLP(corners, 2);
    *rect = {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

// Current position

POINT CTkDC::MoveTo(int x, int y)
{
    const POINT p{x, y};
    if (HasBackend())
        m_backend->MoveTo(*this, p);
    return std::exchange(m_state.currentPosition, p);
}

void CTkDC::AdjustCP(int cx)
{
    if ((m_state.textAlign & TA_UPDATECP) != 0)
        m_state.currentPosition.x = Saturate(std::int64_t(m_state.currentPosition.x) + cx);
}

// Modes and colours

COLORREF CTkDC::SetBkColor(COLORREF color)
{
    const COLORREF old = std::exchange(m_state.bkColor, color);
    Changed(TkDCState::BkColor);
    return old;
}

int CTkDC::SetBkMode(int mode)
{
    if (!InRange(mode, TRANSPARENT, OPAQUE))
        return 0;
    const int old = std::exchange(m_state.bkMode, mode);
    Changed(TkDCState::BkMode);
    return old;
}

COLORREF CTkDC::SetTextColor(COLORREF color)
{
    const COLORREF old = std::exchange(m_state.textColor, color);
    Changed(TkDCState::TextColor);
    return old;
}

UINT CTkDC::SetTextAlign(UINT align)
{
    const UINT old = std::exchange(m_state.textAlign, align);
    Changed(TkDCState::TextAlign);
    return old;
}

int CTkDC::SetROP2(int rop)
{
    if (!InRange(rop, R2_BLACK, R2_WHITE))
        return 0;
    const int old = std::exchange(m_state.rop2, rop);
    Changed(TkDCState::Rop2);
    return old;
}

int CTkDC::SetArcDirection(int direction)
{
    if (!InRange(direction, AD_COUNTERCLOCKWISE, AD_CLOCKWISE))
        return 0;
    const int old = std::exchange(m_state.arcDirection, direction);
    Changed(TkDCState::ArcDirection);
    return old;
}

int CTkDC::SetPolyFillMode(int mode)
{
    if (!InRange(mode, ALTERNATE, WINDING))
        return 0;
    const int old = std::exchange(m_state.polyFillMode, mode);
    Changed(TkDCState::PolyFillMode);
    return old;
}

BOOL CTkDC::SetMiterLimit(float limit, float* pOld)
{
    if (!(limit >= 1.0f))  // also refuses NaN
        return FALSE;
    const float old = std::exchange(m_state.miterLimit, limit);
    if (pOld != nullptr)
        *pOld = old;
    Changed(TkDCState::MiterLimit);
    return TRUE;
}

int CTkDC::SetTextCharacterExtra(int extra)
{
    const int old = std::exchange(m_state.textCharacterExtra, extra);
    Changed(TkDCState::TextCharacterExtra);
    return old;
}

POINT CTkDC::SetBrushOrg(int x, int y)
{
    const POINT old = std::exchange(m_state.brushOrg, POINT{x, y});
    Changed(TkDCState::BrushOrg);
    return old;
}

int CTkDC::SetGraphicsMode(int mode)
{
    if (!InRange(mode, GM_COMPATIBLE, GM_ADVANCED))
        return 0;
    const int old = std::exchange(m_state.graphicsMode, mode);
    Changed(TkDCState::GraphicsMode);
    return old;
}

int CTkDC::SetStretchBltMode(int mode)
{
    if (!InRange(mode, BLACKONWHITE, HALFTONE))
        return 0;
    const int old = std::exchange(m_state.stretchBltMode, mode);
    Changed(TkDCState::StretchBltMode);
    return old;
}

// Objects

HGDIOBJ CTkDC::SelectObject(HGDIOBJ hObject)
{
    HGDIOBJ* pSlot = nullptr;
    switch (::GetObjectType(hObject)) {
    case OBJ_PEN:
    case OBJ_EXTPEN: pSlot = &m_state.pen; break;
    case OBJ_BRUSH: pSlot = &m_state.brush; break;
    case OBJ_FONT: pSlot = &m_state.font; break;
    case OBJ_PAL: pSlot = &m_state.palette; break;
    case OBJ_BITMAP:
        if (m_objectType == OBJ_MEMDC)
            pSlot = &m_state.bitmap;
        break;
    default: break;
    }
    if (pSlot == nullptr)
        return 0;
    const HGDIOBJ previous = std::exchange(*pSlot, hObject);
    if (HasBackend())
        m_backend->OnSelectObject(*this, hObject, previous);
    return previous;
}

HGDIOBJ CTkDC::GetCurrentObject(UINT type) const
{
    switch (type) {
    case OBJ_PEN:
    case OBJ_EXTPEN: return m_state.pen;
    case OBJ_BRUSH: return m_state.brush;
    case OBJ_FONT: return m_state.font;
    case OBJ_PAL: return m_state.palette;
    case OBJ_BITMAP: return m_state.bitmap;
    default: return 0;
    }
}

// Saving and clipping

int CTkDC::SaveDC()
{
    m_saved.push_back(m_state);
    if (HasBackend())
        m_backend->OnSaveDC(*this);
    return int(m_saved.size());
}

BOOL CTkDC::RestoreDC(int nSavedDC)
{
    const int level = int(m_saved.size());
    const int target = nSavedDC > 0 ? nSavedDC : level + nSavedDC + 1;
    if (nSavedDC == 0 || target < 1 || target > level)
        return FALSE;
    if (HasBackend())
        m_backend->OnRestoreDC(*this, nSavedDC);
    m_state = m_saved[std::size_t(target - 1)];
    m_saved.resize(std::size_t(target - 1));
    return TRUE;
}

int CTkDC::ClipResult() const
{
    if (IsEmpty(m_state.clip))
        return NULLREGION;
    return m_state.clipComplex ? COMPLEXREGION : SIMPLEREGION;
}

RECT CTkDC::LogicalToDeviceBox(int left, int top, int right, int bottom) const
{
    RECT r{left, top, right, bottom};
    LPtoDP(&r);
    return Normalized(r);
}

int CTkDC::GetClipBox(RECT* pRect) const
{
    if (pRect == nullptr)
        return ERROR;
    if (IsEmpty(m_state.clip)) {
        *pRect = {0, 0, 0, 0};
        return NULLREGION;
    }
    RECT r = m_state.clip;
    DPtoLP(&r);
    *pRect = Normalized(r);
    return ClipResult();
}

int CTkDC::IntersectClipRect(int left, int top, int right, int bottom)
{
    m_state.clip = Intersection(m_state.clip, LogicalToDeviceBox(left, top, right, bottom));
    if (IsEmpty(m_state.clip))
        m_state.clipComplex = false;
    if (HasBackend())
        m_backend->OnIntersectClipRect(*this, RECT{left, top, right, bottom});
    return ClipResult();
}

int CTkDC::ExcludeClipRect(int left, int top, int right, int bottom)
{
    m_state.clip = ExcludedBox(m_state.clip, LogicalToDeviceBox(left, top, right, bottom),
                               &m_state.clipComplex);
    if (IsEmpty(m_state.clip))
        m_state.clipComplex = false;
    if (HasBackend())
        m_backend->OnExcludeClipRect(*this, RECT{left, top, right, bottom});
    return ClipResult();
}

int CTkDC::SelectClipRect(const RECT* pDeviceRect)
{
    m_state.clip = pDeviceRect == nullptr
                       ? m_deviceRect
                       : Intersection(Normalized(*pDeviceRect), m_deviceRect);
    m_state.clipComplex = false;
    if (HasBackend())
        m_backend->OnSelectClipRect(*this, pDeviceRect);
    return ClipResult();
}

void CTkDC::SetDeviceRect(const RECT& rect)
{
    m_deviceRect = rect;
    m_state.clip = rect;
    m_state.clipComplex = false;
}

// Drawing

BOOL CTkDC::LineTo(int x, int y)
{
    const POINT p{x, y};
    const BOOL ok = Forward([&](CTkDCBackend& b) { return b.LineTo(*this, p); });
    if (ok)
        m_state.currentPosition = p;
    return ok;
}

BOOL CTkDC::Rectangle(int left, int top, int right, int bottom)
{
    return Forward(
        [&](CTkDCBackend& b) { return b.Rectangle(*this, RECT{left, top, right, bottom}); });
}

BOOL CTkDC::RoundRect(int left, int top, int right, int bottom, int width, int height)
{
    return Forward([&](CTkDCBackend& b) {
        return b.RoundRect(*this, RECT{left, top, right, bottom}, SIZE{width, height});
    });
}

BOOL CTkDC::Ellipse(int left, int top, int right, int bottom)
{
    return Forward(
        [&](CTkDCBackend& b) { return b.Ellipse(*this, RECT{left, top, right, bottom}); });
}

BOOL CTkDC::Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
                int yEnd)
{
    return Forward([&](CTkDCBackend& b) {
        return b.Arc(*this, RECT{left, top, right, bottom}, POINT{xStart, yStart},
                     POINT{xEnd, yEnd});
    });
}

BOOL CTkDC::ArcTo(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
                  int yEnd)
{
    const RECT box{left, top, right, bottom};
    const POINT end{xEnd, yEnd};
    const BOOL ok = Forward(
        [&](CTkDCBackend& b) { return b.ArcTo(*this, box, POINT{xStart, yStart}, end); });
    if (ok)
        m_state.currentPosition = TkArcEndPoint(box, end);
    return ok;
}

BOOL CTkDC::Chord(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
                  int yEnd)
{
    return Forward([&](CTkDCBackend& b) {
        return b.Chord(*this, RECT{left, top, right, bottom}, POINT{xStart, yStart},
                       POINT{xEnd, yEnd});
    });
}

BOOL CTkDC::Pie(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
                int yEnd)
{
    return Forward([&](CTkDCBackend& b) {
        return b.Pie(*this, RECT{left, top, right, bottom}, POINT{xStart, yStart},
                     POINT{xEnd, yEnd});
    });
}

BOOL CTkDC::Polyline(const POINT* pts, int count)
{
    if (pts == nullptr || count < 2)
        return FALSE;
    return Forward([&](CTkDCBackend& b) { return b.Polyline(*this, pts, count); });
}

BOOL CTkDC::PolylineTo(const POINT* pts, int count)
{
    if (pts == nullptr || count < 1)
        return FALSE;
    const BOOL ok = Forward([&](CTkDCBackend& b) { return b.PolylineTo(*this, pts, count); });
    if (ok)
        m_state.currentPosition = pts[count - 1];
    return ok;
}

BOOL CTkDC::Polygon(const POINT* pts, int count)
{
    if (pts == nullptr || count < 2)
        return FALSE;
    return Forward([&](CTkDCBackend& b) { return b.Polygon(*this, pts, count); });
}

namespace {

// Every figure has at least two points and the total fits an int.
template <typename Count>
bool AreValidPolyCounts(const POINT* pts, const Count* counts, int polys)
{
    if (pts == nullptr || counts == nullptr || polys < 1)
        return false;
    std::int64_t total = 0;
    for (int i = 0; i < polys; ++i) {
        if (std::int64_t(counts[i]) < 2)
            return false;
        total += std::int64_t(counts[i]);
        if (total > std::numeric_limits<int>::max())
            return false;
    }
    return true;
}

}  // namespace

BOOL CTkDC::PolyPolyline(const POINT* pts, const DWORD* counts, int polys)
{
    if (!AreValidPolyCounts(pts, counts, polys))
        return FALSE;
    return Forward([&](CTkDCBackend& b) { return b.PolyPolyline(*this, pts, counts, polys); });
}

BOOL CTkDC::PolyPolygon(const POINT* pts, const INT* counts, int polys)
{
    if (!AreValidPolyCounts(pts, counts, polys))
        return FALSE;
    return Forward([&](CTkDCBackend& b) { return b.PolyPolygon(*this, pts, counts, polys); });
}

BOOL CTkDC::PolyBezier(const POINT* pts, int count)
{
    if (pts == nullptr || count < 1 || (count - 1) % 3 != 0)
        return FALSE;
    return Forward([&](CTkDCBackend& b) { return b.PolyBezier(*this, pts, count); });
}

BOOL CTkDC::PolyBezierTo(const POINT* pts, int count)
{
    if (pts == nullptr || count < 3 || count % 3 != 0)
        return FALSE;
    const BOOL ok = Forward([&](CTkDCBackend& b) { return b.PolyBezierTo(*this, pts, count); });
    if (ok)
        m_state.currentPosition = pts[count - 1];
    return ok;
}

BOOL CTkDC::ExtTextOutW(int x, int y, UINT options, const RECT* pRect, const WCHAR* text,
                        UINT count, const INT* dx)
{
    if (count > 0 && text == nullptr)
        return FALSE;
    const bool updateCP = (m_state.textAlign & TA_UPDATECP) != 0;
    const POINT p = updateCP ? m_state.currentPosition : POINT{x, y};
    const BOOL ok = Forward(
        [&](CTkDCBackend& b) { return b.ExtTextOutW(*this, p, options, pRect, text, count, dx); });
    if (!ok || !updateCP || dx == nullptr)
        return ok;
    // Left-aligned text leaves the position after it, right-aligned before it,
    // centred text where it was.
    const UINT horizontal = m_state.textAlign & TA_CENTER;
    if (horizontal == TA_CENTER)
        return ok;
    const SIZE advance = TextAdvance(options, count, dx);
    const int sign = horizontal == TA_RIGHT ? -1 : 1;
    m_state.currentPosition = {Saturate(std::int64_t(p.x) + sign * std::int64_t(advance.cx)),
                               Saturate(std::int64_t(p.y) + sign * std::int64_t(advance.cy))};
    return ok;
}

BOOL CTkDC::TextOutW(int x, int y, const WCHAR* text, int count)
{
    if (count < 0)
        return FALSE;
    return ExtTextOutW(x, y, 0, nullptr, text, UINT(count), nullptr);
}

BOOL CTkDC::GdiComment(UINT size, const BYTE* data)
{
    if (size > 0 && data == nullptr)
        return FALSE;
    return Forward([&](CTkDCBackend& b) { return b.GdiComment(*this, size, data); });
}

BOOL CTkDC::BeginPath()
{
    const BOOL ok = Forward([&](CTkDCBackend& b) { return b.BeginPath(*this); });
    if (ok)
        m_bInPath = TRUE;
    return ok;
}

BOOL CTkDC::EndPath()
{
    if (!m_bInPath)
        return FALSE;
    m_bInPath = FALSE;
    return Forward([&](CTkDCBackend& b) { return b.EndPath(*this); });
}

BOOL CTkDC::CloseFigure()
{
    if (!m_bInPath)
        return FALSE;
    return Forward([&](CTkDCBackend& b) { return b.CloseFigure(*this); });
}

BOOL CTkDC::AbortPath()
{
    m_bInPath = FALSE;
    return Forward([&](CTkDCBackend& b) { return b.AbortPath(*this); });
}

BOOL CTkDC::StrokePath()
{
    m_bInPath = FALSE;
    return Forward([&](CTkDCBackend& b) { return b.StrokePath(*this); });
}

BOOL CTkDC::FillPath()
{
    m_bInPath = FALSE;
    return Forward([&](CTkDCBackend& b) { return b.FillPath(*this); });
}

BOOL CTkDC::StrokeAndFillPath()
{
    m_bInPath = FALSE;
    return Forward([&](CTkDCBackend& b) { return b.StrokeAndFillPath(*this); });
}

COLORREF CTkDC::SetPixel(int x, int y, COLORREF color)
{
    return HasBackend() ? m_backend->SetPixel(*this, POINT{x, y}, color) : color;
}

BOOL CTkDC::InvertRect(const RECT* pRect)
{
    if (pRect == nullptr)
        return FALSE;
    return Forward([&](CTkDCBackend& b) { return b.InvertRect(*this, *pRect); });
}

BOOL CTkDC::DrawFocusRect(const RECT* pRect)
{
    if (pRect == nullptr)
        return FALSE;
    return Forward([&](CTkDCBackend& b) { return b.DrawFocusRect(*this, *pRect); });
}

BOOL CTkDC::FillRect(const RECT* pRect, HBRUSH hBrush)
{
    if (pRect == nullptr || ::GetObjectType(hBrush) != OBJ_BRUSH)
        return FALSE;
    return Forward([&](CTkDCBackend& b) { return b.FillRect(*this, *pRect, hBrush); });
}

BOOL CTkDC::PatBlt(int x, int y, int width, int height, DWORD rop)
{
    const RECT rect{x, y, Saturate(std::int64_t(x) + width), Saturate(std::int64_t(y) + height)};
    return Forward([&](CTkDCBackend& b) { return b.PatBlt(*this, rect, rop); });
}

BOOL CTkDC::BitBlt(int x, int y, int width, int height, CTkDC* pSource, int xSource,
                   int ySource, DWORD rop)
{
    if (pSource == nullptr)
        return FALSE;
    const RECT dest{x, y, Saturate(std::int64_t(x) + width), Saturate(std::int64_t(y) + height)};
    return Forward([&](CTkDCBackend& b) {
        return b.BitBlt(*this, dest, *pSource, POINT{xSource, ySource}, rop);
    });
}

BOOL CTkDC::DibBlit(const TkDibBlit& blit)
{
    return Forward([&](CTkDCBackend& b) { return b.DibBlit(*this, blit); });
}

BOOL CTkDC::GradientFill(std::span<const TRIVERTEX> vertices, std::span<const ULONG> mesh,
                         ULONG mode)
{
    if (!TkIsValidGradientFill(vertices, mesh, mode))
        return FALSE;
    if (!HasBackend())
        return TRUE;
    if (m_backend->CanShadeGradients())
        return m_backend->GradientFill(*this, vertices, mesh, mode);
    return DrawGradientPieces(vertices, mesh, mode);
}

// Bands and small triangles without an outline; a brush is made only when the
// colour changes.
BOOL CTkDC::DrawGradientPieces(std::span<const TRIVERTEX> vertices, std::span<const ULONG> mesh,
                               ULONG mode)
{
    constexpr int kMaxSteps = 64;
    const HGDIOBJ hOldPen = SelectObject(GetStockObject(NULL_PEN));
    const HGDIOBJ hOldBrush = GetCurrentObject(OBJ_BRUSH);
    HBRUSH hBrush = 0;
    COLORREF current = 0;
    BOOL ok = TRUE;
    TkForEachGradientPiece(vertices, mesh, mode, kMaxSteps,
                           [&](std::span<const POINT> polygon, COLORREF color) {
                               if (hBrush == 0 || color != current) {
                                   const HBRUSH hNew = CreateSolidBrush(color);
                                   SelectObject(hNew);
                                   if (hBrush != 0)
                                       DeleteObject(hBrush);
                                   hBrush = hNew;
                                   current = color;
                               }
                               ok = Polygon(polygon.data(), int(polygon.size())) && ok;
                           });
    SelectObject(hOldBrush);
    SelectObject(hOldPen);
    if (hBrush != 0)
        DeleteObject(hBrush);
    return ok;
}
