#include "import/VxEmfToVxConverter.h"

#include "graphics/VxGeometry.h"
#include "graphics/VxGraphic.h"
#include "graphics/VxPath.h"
#include "platform/gdi/MulDiv.h"
#include "platform/gdi/TkGdiObjects.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <limits>
#include <optional>

namespace {

// A mode record only updates the playback state.
template <typename T>
int Keep(T& field, T value)
{
    field = value;
    return kHandled;
}

int ClampToInt(std::int64_t value)
{
    return int(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                        std::numeric_limits<int>::max()));
}

// MulDiv answers -1 both for a failure and for a genuine -1; only a zero divisor
// or a quotient outside 32 bits is a failure, which leaves the value at 0.
int ScaleOrZero(int value, int numerator, int denominator)
{
    if (denominator == 0)
        return 0;
    const std::int64_t product = std::int64_t(value) * numerator;
    if (std::llabs(product) / std::llabs(std::int64_t(denominator)) >
        std::numeric_limits<int>::max())
        return 0;
    return MulDiv(value, numerator, denominator);
}

constexpr int kMicronsPerFrameUnit = 10;
constexpr std::size_t kHeaderWithMicrons = 108;

// Hundredths of a millimetre per logical unit of a fixed map mode, as a fraction.
struct FixedUnit {
    int num;
    int den;
};

std::optional<FixedUnit> FixedModeUnit(int mode)
{
    switch (mode) {
    case MM_LOMETRIC: return FixedUnit{10, 1};
    case MM_HIMETRIC: return FixedUnit{1, 1};
    case MM_LOENGLISH: return FixedUnit{127, 5};
    case MM_HIENGLISH: return FixedUnit{127, 50};
    case MM_TWIPS: return FixedUnit{127, 72};
    default: return std::nullopt;
    }
}

}  // namespace

CVxEmfToVxConverter::CVxEmfToVxConverter(int left, int top, int right, int bottom,
                                         BOOL bIgnoreTextSpacing)
    : m_rcBounds{left, top, right, bottom}, m_bIgnoreTextSpacing(bIgnoreTextSpacing)
{
    m_graphics.m_bOwnsGraphics = TRUE;
    Reset();
}

CVxEmfToVxConverter::~CVxEmfToVxConverter() { Reset(); }

int CVxEmfToVxConverter::PreviewRecord(const TkEmfRecord&) { return 1; }

void CVxEmfToVxConverter::Reset()
{
    m_header = ENHMETAHEADER{};
    m_nWindowOrgX = m_nWindowOrgY = m_nViewportOrgX = m_nViewportOrgY = 0;
    m_nWindowExtCx = m_nWindowExtCy = m_nViewportExtCx = m_nViewportExtCy = 1;
    ComputeStage2();
    ComputeIdentityFlags();
    m_recorded = RecordedMapping{};
    m_bDeviceMapping = FALSE;
    m_sizeDevicePixels = m_sizeDeviceMicrons = m_sizeFrame = SIZE{0, 0};
    m_ptFrameOrigin = POINT{0, 0};

    m_selected.fill(-1);
    m_selected[OBJ_PEN - 1] = LONG(0x80000000u | BLACK_PEN);
    m_selected[OBJ_BRUSH - 1] = LONG(0x80000000u | WHITE_BRUSH);
    m_selected[OBJ_PAL - 1] = LONG(0x80000000u | DEFAULT_PALETTE);
    m_selected[OBJ_FONT - 1] = LONG(0x80000000u | SYSTEM_FONT);

    m_fMiterLimit = 10.0f;
    m_nMapMode = MM_TEXT;
    m_crBkColor = 0xFFFFFF;
    m_nArcDirection = AD_COUNTERCLOCKWISE;
    m_nBkMode = OPAQUE;
    m_nPolyFillMode = ALTERNATE;
    m_nRop2 = R2_COPYPEN;
    m_nTextAlign = 0;
    m_nTextCharacterExtra = 0;
    m_crTextColor = 0;

    DeleteObjects();
    m_graphics.RemoveAllGraphics();
    for (HBITMAP hBitmap : m_bitmaps)
        DeleteObject(hBitmap);
    m_bitmaps.clear();
    m_globals.clear();
    m_pPath.reset();
    m_bInPath = FALSE;
    m_savedStates.clear();
    m_xform = XFORM{1, 0, 0, 1, 0, 0};
}

void CVxEmfToVxConverter::DeleteObjects()
{
    for (HGDIOBJ hObject : m_pObjects) {
        if (hObject != 0)
            DeleteObject(hObject);
    }
    m_pObjects.clear();
}

// The frame keeps its aspect ratio when it has to shrink to fit the bounds.
void CVxEmfToVxConverter::ComputeStage2()
{
    m_nOffsetX = ClampToInt(std::int64_t(m_rcBounds.left) - m_nViewportOrgX);
    m_nOffsetY = ClampToInt(std::int64_t(m_rcBounds.top) - m_nViewportOrgY);
    const std::int64_t width = std::int64_t(m_rcBounds.right) - m_rcBounds.left;
    const std::int64_t height = std::int64_t(m_rcBounds.bottom) - m_rcBounds.top;
    const std::int64_t cx = m_nViewportExtCx;
    const std::int64_t cy = m_nViewportExtCy;
    if (cx <= width && cy <= height) {
        m_nScaleNum = m_nScaleDenom = 1;
        return;
    }
    // height / width > cy / cx, without dividing by a zero extent
    const bool bWidthLimits =
        width > 0 && cx > 0 ? height * cx > cy * width : cx > width;
    m_nScaleNum = ClampToInt(bWidthLimits ? width : height);
    m_nScaleDenom = bWidthLimits ? m_nViewportExtCx : m_nViewportExtCy;
}

void CVxEmfToVxConverter::ComputeIdentityFlags()
{
    m_bStage1Identity = m_nViewportOrgX == m_nWindowOrgX && m_nViewportOrgY == m_nWindowOrgY &&
                        m_nViewportExtCx == m_nWindowExtCx &&
                        m_nViewportExtCy == m_nWindowExtCy;
    m_bStage2Identity =
        m_nScaleNum == 1 && m_nScaleDenom == 1 && m_nOffsetX == 0 && m_nOffsetY == 0;
}

void CVxEmfToVxConverter::Stage1(POINT& point) const
{
    const int dx = ClampToInt(std::int64_t(point.x) - m_nWindowOrgX);
    const int dy = ClampToInt(std::int64_t(point.y) - m_nWindowOrgY);
    point.x = ClampToInt(std::int64_t(m_nViewportOrgX) +
                         ScaleOrZero(dx, m_nViewportExtCx, m_nWindowExtCx));
    point.y = ClampToInt(std::int64_t(m_nViewportOrgY) +
                         ScaleOrZero(dy, m_nViewportExtCy, m_nWindowExtCy));
}

void CVxEmfToVxConverter::Stage2(POINT& point) const
{
    point.x = ClampToInt(std::int64_t(ScaleOrZero(point.x, m_nScaleNum, m_nScaleDenom)) +
                         m_nOffsetX);
    point.y = ClampToInt(std::int64_t(ScaleOrZero(point.y, m_nScaleNum, m_nScaleDenom)) +
                         m_nOffsetY);
}

void CVxEmfToVxConverter::TransformPoints(POINT* pPoints, std::size_t count) const
{
    for (std::size_t i = 0; i < count; ++i)
        MapPoint(pPoints[i], true);
}

// Lengths along the axes: the world transform stretches them, its turn does not.
SIZE CVxEmfToVxConverter::TransformDistance(int dx, int dy, bool bWorld) const
{
    POINT points[2] = {{dx, dy}, {0, 0}};
    if (bWorld && !IsWorldIdentity()) {
        const auto stretch = [](int value, float along, float across) {
            const double factor = std::copysign(std::hypot(double(along), double(across)),
                                                along != 0 ? double(along) : 1.0);
            return RoundToInt(value * factor);
        };
        points[0] = {stretch(dx, m_xform.eM11, m_xform.eM12),
                     stretch(dy, m_xform.eM22, m_xform.eM21)};
    }
    MapPoint(points[0], false);
    MapPoint(points[1], false);
    return {ClampToInt(std::int64_t(points[0].x) - points[1].x),
            ClampToInt(std::int64_t(points[0].y) - points[1].y)};
}

// Under a turning world transform, the bounds of the turned box.
RECT CVxEmfToVxConverter::TransformBox(const RECT& box) const
{
    if (IsWorldRotated()) {
        POINT corners[4] = {{box.left, box.top}, {box.right, box.top},
                            {box.right, box.bottom}, {box.left, box.bottom}};
        TransformPoints(corners, 4);
        return VxBoundsOf(corners);
    }
    POINT corners[2] = {{box.left, box.top}, {box.right, box.bottom}};
    TransformPoints(corners, 2);
    return {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

int CVxEmfToVxConverter::OnHeader(const TkEmrHeader& header)
{
    Reset();
    m_pObjects.assign(header.header.nHandles, 0);
    const RECT& frame = header.header.rclFrame;
    m_nWindowExtCx = m_nViewportExtCx = ClampToInt(std::int64_t(frame.right) - frame.left);
    m_nWindowExtCy = m_nViewportExtCy = ClampToInt(std::int64_t(frame.bottom) - frame.top);
    ComputeStage2();
    ComputeIdentityFlags();

    m_header = header.header;
    POINT corners[2] = {{frame.left, frame.top}, {frame.right, frame.bottom}};
    m_bDeviceMapping = !m_bFromWmf && !m_bFromWindowsBits && m_nWindowExtCx > 0 && m_nWindowExtCy > 0 &&
                       ReadReferenceDevice(header.header, header.fixedSize);
    if (m_bDeviceMapping) {
        // The picture's page begins at the frame's top-left corner.
        m_ptFrameOrigin = {frame.left, frame.top};
        m_sizeFrame = {m_nWindowExtCx, m_nWindowExtCy};
        corners[0] = {0, 0};
        corners[1] = {m_sizeFrame.cx, m_sizeFrame.cy};
        ComputeDeviceMapping();
    }
    if (!m_bStage2Identity) {
        Stage2(corners[0]);
        Stage2(corners[1]);
    }
    m_header.rclFrame = {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
    return 0;
}

// Without a usable reference device logical units stay the frame's hundredths of a
// millimetre, as metafiles that set their own window expect.
bool CVxEmfToVxConverter::ReadReferenceDevice(const ENHMETAHEADER& header,
                                              std::size_t fixedSize)
{
    constexpr int kMaxPixels = std::numeric_limits<int>::max() / kMicronsPerFrameUnit;
    constexpr int kMaxMillimetres = std::numeric_limits<int>::max() / 1000;
    const SIZE pixels = header.szlDevice;
    if (pixels.cx <= 0 || pixels.cy <= 0 || pixels.cx > kMaxPixels || pixels.cy > kMaxPixels)
        return false;
    SIZE microns = fixedSize >= kHeaderWithMicrons ? header.szlMicrometers : SIZE{0, 0};
    if (microns.cx <= 0 || microns.cy <= 0) {
        const SIZE mm = header.szlMillimeters;
        if (mm.cx <= 0 || mm.cy <= 0 || mm.cx > kMaxMillimetres || mm.cy > kMaxMillimetres)
            return false;
        microns = {mm.cx * 1000, mm.cy * 1000};
    }
    m_sizeDevicePixels = pixels;
    m_sizeDeviceMicrons = microns;
    return true;
}

int CVxEmfToVxConverter::PixelsToFrame(int pixels, bool bVertical) const
{
    return bVertical ? ScaleOrZero(pixels, m_sizeDeviceMicrons.cy,
                                   kMicronsPerFrameUnit * m_sizeDevicePixels.cy)
                     : ScaleOrZero(pixels, m_sizeDeviceMicrons.cx,
                                   kMicronsPerFrameUnit * m_sizeDevicePixels.cx);
}

// Reference pixels are coarser than the frame's units: a viewport within a pixel
// (or a thousandth) of the frame is the frame, so that a picture whose viewport
// covers its frame maps exactly as if only its window were set.
int CVxEmfToVxConverter::ViewportExtentToFrame(int pixels, bool bVertical) const
{
    const int frame = bVertical ? m_sizeFrame.cy : m_sizeFrame.cx;
    const int extent = PixelsToFrame(pixels, bVertical);
    const std::int64_t tolerance = std::int64_t(PixelsToFrame(1, bVertical)) + 1 + frame / 1024;
    return std::llabs(std::int64_t(extent) - frame) <= tolerance ? frame : extent;
}

// Logical units go through the map mode to reference pixels, whose size gives the
// frame's units; the results are stage 1's window and viewport.
void CVxEmfToVxConverter::ComputeDeviceMapping()
{
    const RecordedMapping& r = m_recorded;
    const std::optional<FixedUnit> unit = FixedModeUnit(m_nMapMode);
    const bool bOntoViewport = !unit && r.bWindowExt;
    m_nWindowOrgX = r.windowOrg.x;
    m_nWindowOrgY = r.windowOrg.y;
    m_nViewportOrgX = m_nViewportOrgY = 0;
    if (r.bViewportOrg || !bOntoViewport) {
        m_nViewportOrgX =
            ClampToInt(std::int64_t(PixelsToFrame(r.viewportOrg.x, false)) - m_ptFrameOrigin.x);
        m_nViewportOrgY =
            ClampToInt(std::int64_t(PixelsToFrame(r.viewportOrg.y, true)) - m_ptFrameOrigin.y);
    }
    if (unit) {
        // Fixed units, y growing upwards.
        m_nWindowExtCx = m_nWindowExtCy = unit->den;
        m_nViewportExtCx = unit->num;
        m_nViewportExtCy = -unit->num;
    } else if (bOntoViewport) {
        // The viewport is the frame until the metafile sets it.
        m_nWindowExtCx = r.windowExt.cx;
        m_nWindowExtCy = r.windowExt.cy;
        m_nViewportExtCx = r.bViewportExt ? ViewportExtentToFrame(r.viewportExt.cx, false)
                                          : m_sizeFrame.cx;
        m_nViewportExtCy = r.bViewportExt ? ViewportExtentToFrame(r.viewportExt.cy, true)
                                          : m_sizeFrame.cy;
    } else {
        // Logical units are reference pixels.
        m_nWindowExtCx = kMicronsPerFrameUnit * m_sizeDevicePixels.cx;
        m_nWindowExtCy = kMicronsPerFrameUnit * m_sizeDevicePixels.cy;
        m_nViewportExtCx = m_sizeDeviceMicrons.cx;
        m_nViewportExtCy = m_sizeDeviceMicrons.cy;
    }
    ComputeIdentityFlags();
}

RECT CVxEmfToVxConverter::GetFrameRect() const { return m_header.rclFrame; }

// The caller frees them from now on; Reset must not.
void CVxEmfToVxConverter::HandOverPatterns(std::vector<HBITMAP>& bitmaps,
                                           std::vector<PackedDib>& globals)
{
    bitmaps.insert(bitmaps.end(), m_bitmaps.begin(), m_bitmaps.end());
    m_bitmaps.clear();
    std::move(m_globals.begin(), m_globals.end(), std::back_inserter(globals));
    m_globals.clear();
    Reset();
}

void CVxEmfToVxConverter::HandOver(CVxGraphic& picture, std::vector<HBITMAP>& bitmaps,
                                   std::vector<PackedDib>& globals)
{
    for (auto pos = m_graphics.GetHeadPosition(); pos != nullptr;)
        picture.AddChildTail(m_graphics.GetNextGraphic(pos));
    m_graphics.RemoveAll();
    HandOverPatterns(bitmaps, globals);
}

void CVxEmfToVxConverter::HandOver(CVxGraphicList& graphics, std::vector<HBITMAP>& bitmaps,
                                   std::vector<PackedDib>& globals)
{
    graphics.AddTail(m_graphics);
    m_graphics.RemoveAll();
    HandOverPatterns(bitmaps, globals);
}

int CVxEmfToVxConverter::OnSetWindowExtEx(int cx, int cy)
{
    m_recorded.windowExt = {cx, cy};
    m_recorded.bWindowExt = true;
    if (m_bDeviceMapping) {
        ComputeDeviceMapping();
        return 0;
    }
    m_nWindowExtCx = cx;
    m_nWindowExtCy = cy;
    ComputeIdentityFlags();
    return 0;
}

int CVxEmfToVxConverter::OnSetWindowOrgEx(int x, int y)
{
    m_recorded.windowOrg = {x, y};
    if (m_bDeviceMapping) {
        ComputeDeviceMapping();
        return 0;
    }
    m_nWindowOrgX = x;
    m_nWindowOrgY = y;
    ComputeIdentityFlags();
    return 0;
}

// Without a reference device the viewport stays the frame: only the window maps
// logical units onto it.
int CVxEmfToVxConverter::OnSetViewportExtEx(int cx, int cy)
{
    m_recorded.viewportExt = {cx, cy};
    m_recorded.bViewportExt = true;
    if (m_bDeviceMapping)
        ComputeDeviceMapping();
    return 0;
}

int CVxEmfToVxConverter::OnSetViewportOrgEx(int x, int y)
{
    m_recorded.viewportOrg = {x, y};
    m_recorded.bViewportOrg = true;
    if (m_bDeviceMapping)
        ComputeDeviceMapping();
    return 0;
}

int CVxEmfToVxConverter::OnSetMapMode(int mode)
{
    m_nMapMode = mode;
    if (m_bDeviceMapping)
        ComputeDeviceMapping();
    return kHandled;
}

int CVxEmfToVxConverter::OnSetArcDirection(int direction) { return Keep(m_nArcDirection, direction); }

int CVxEmfToVxConverter::OnSetBkColor(COLORREF color) { return Keep(m_crBkColor, color); }

int CVxEmfToVxConverter::OnSetBkMode(int mode) { return Keep(m_nBkMode, mode); }

int CVxEmfToVxConverter::OnSetMiterLimit(float limit) { return Keep(m_fMiterLimit, limit); }

int CVxEmfToVxConverter::OnSetPolyFillMode(int mode) { return Keep(m_nPolyFillMode, mode); }

int CVxEmfToVxConverter::OnSetRop2(int mode) { return Keep(m_nRop2, mode); }

int CVxEmfToVxConverter::OnSetTextAlign(UINT mode) { return Keep(m_nTextAlign, mode); }

int CVxEmfToVxConverter::OnSetTextCharacterExtra(int extra) { return Keep(m_nTextCharacterExtra, extra); }

int CVxEmfToVxConverter::OnSetTextColor(COLORREF color) { return Keep(m_crTextColor, color); }

int CVxEmfToVxConverter::OnEof() { return kHandled; }
int CVxEmfToVxConverter::OnRealizePalette() { return kHandled; }
// Clipping is not kept.
int CVxEmfToVxConverter::OnExtSelectClipRgn(std::span<const std::uint8_t>, DWORD) { return 0; }
