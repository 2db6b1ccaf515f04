#include "platform/gdi/TkEnhMetaFileRecorder.h"

#include "platform/gdi/EmfRecordTypes.h"
#include "platform/gdi/MulDiv.h"
#include "platform/gdi/TkEmfRecorderUnits.h"
#include "platform/gdi/TkFontMetrics.h"
#include "platform/gdi/TkGradientFill.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <numeric>

using namespace TkEmfRecording;

namespace {

constexpr std::size_t kHeaderSize = 108;
constexpr std::size_t kExtTextOutFixedSize = 76;

// Header field offsets that are filled in when the recording closes; the frame
// follows the bounds.
constexpr std::size_t kHeaderBounds = 8;
constexpr std::size_t kHeaderBytes = 48;
constexpr std::size_t kHeaderRecords = 52;
constexpr std::size_t kHeaderHandles = 56;

constexpr DWORD kRdhRectangles = 1;

bool FitsIn16(POINT p)
{
    constexpr LONG lo = std::numeric_limits<SHORT>::min();
    constexpr LONG hi = std::numeric_limits<SHORT>::max();
    return p.x >= lo && p.x <= hi && p.y >= lo && p.y <= hi;
}

bool AllFitIn16(std::span<const POINT> pts)
{
    return std::all_of(pts.begin(), pts.end(), [](POINT p) { return FitsIn16(p); });
}

int Magnitude(LONG v)
{
    return int(std::min<std::int64_t>(std::abs(std::int64_t(v)), std::numeric_limits<int>::max()));
}

// A logical length along x or y in device units; 0 when the mapping is degenerate.
int LengthToDevice(int length, LONG windowExt, LONG viewportExt)
{
    return std::max(0, MulDiv(length, Magnitude(viewportExt), Magnitude(windowExt)));
}

int WidthToDevice(const CTkDC& dc, int width)
{
    return LengthToDevice(width, dc.GetWindowExt().cx, dc.GetViewportExt().cx);
}

int HeightToDevice(const CTkDC& dc, int height)
{
    return LengthToDevice(height, dc.GetWindowExt().cy, dc.GetViewportExt().cy);
}

CTkEmfBounds DeviceBox(const CTkDC& dc, std::span<const POINT> pts)
{
    CTkEmfBounds box;
    for (POINT p : pts)
        box.Add(ToDevice(dc, p));
    return box;
}

// How far a stroke reaches beyond its outline, in device units: half the width
// of a wide pen, 0 for thin and null pens and, on box shapes, inside-frame pens.
int PenReach(const CTkDC& dc, bool boxShape)
{
    const CTkGdiObject* pPen = TkLookupGdiObject(dc.GetCurrentObject(OBJ_PEN));
    if (!pPen)
        return 0;
    UINT style = 0;
    LONG width = 0;
    if (pPen->type == OBJ_PEN) {
        style = pPen->pen.lopnStyle;
        width = pPen->pen.lopnWidth.x;
    } else if (pPen->type == OBJ_EXTPEN) {
        style = pPen->extPen.elpPenStyle;
        if ((style & PS_TYPE_MASK) == PS_GEOMETRIC)
            width = LONG(std::min<DWORD>(pPen->extPen.elpWidth, DWORD(INT32_MAX)));
    }
    const UINT kind = style & PS_STYLE_MASK;
    if (kind == PS_NULL || (boxShape && kind == PS_INSIDEFRAME))
        return 0;
    return WidthToDevice(dc, Magnitude(width)) / 2;
}

// The scale of a text record: device units to hundredths of a millimetre.
float HundredthsOfMmPerPixel(int millimetres, int pixels)
{
    return pixels > 0 ? float(100.0 * millimetres / pixels) : 0.0f;
}

}  // namespace

// ---- CTkEmfBounds ----

void CTkEmfBounds::Add(POINT p)
{
    Add(RECT{p.x, p.y, p.x, p.y});
}

void CTkEmfBounds::Add(const RECT& r)
{
    if (r.right < r.left || r.bottom < r.top)
        return;
    if (m_bEmpty) {
        m_rect = r;
        m_bEmpty = false;
        return;
    }
    m_rect = {std::min(m_rect.left, r.left), std::min(m_rect.top, r.top),
              std::max(m_rect.right, r.right), std::max(m_rect.bottom, r.bottom)};
}

void CTkEmfBounds::Add(const CTkEmfBounds& other)
{
    if (!other.m_bEmpty)
        Add(other.m_rect);
}

void CTkEmfBounds::Inflate(int by)
{
    if (m_bEmpty || by == 0)
        return;
    m_rect = {ClampToLong(std::int64_t(m_rect.left) - by), ClampToLong(std::int64_t(m_rect.top) - by),
              ClampToLong(std::int64_t(m_rect.right) + by),
              ClampToLong(std::int64_t(m_rect.bottom) + by)};
}

void CTkEmfBounds::Intersect(const RECT& r)
{
    if (m_bEmpty)
        return;
    const RECT i{std::max(m_rect.left, r.left), std::max(m_rect.top, r.top),
                 std::min(m_rect.right, r.right), std::min(m_rect.bottom, r.bottom)};
    *this = CTkEmfBounds{};
    Add(i);
}

// ---- creation and closing ----

CTkEnhMetaFileRecorder::CTkEnhMetaFileRecorder(const TkDeviceCaps& refCaps, const RECT* pFrame,
                                               std::u16string_view description)
    : m_refCaps(refCaps)
{
    if (pFrame)
        m_frame = *pFrame;
    WriteHeader(refCaps, description);
    TkAddGdiObjectObserver(this);
    m_bObserving = true;
}

CTkEnhMetaFileRecorder::~CTkEnhMetaFileRecorder()
{
    StopObserving();
}

void CTkEnhMetaFileRecorder::StopObserving()
{
    if (m_bObserving)
        TkRemoveGdiObjectObserver(this);
    m_bObserving = false;
}

void CTkEnhMetaFileRecorder::WriteHeader(const TkDeviceCaps& refCaps,
                                         std::u16string_view description)
{
    m_out.Begin(EMR_HEADER);
    m_out.Rect({0, 0, -1, -1});  // bounds, frame: filled in by Close
    m_out.Rect({0, 0, 0, 0});
    m_out.U32(ENHMETA_SIGNATURE);
    m_out.U32(ENHMETA_VERSION);
    m_out.U32(0);  // nBytes, nRecords, nHandles: filled in by Close
    m_out.U32(0);
    m_out.U32(0);
    m_out.U32(DWORD(description.size()));
    m_out.U32(description.empty() ? 0 : DWORD(kHeaderSize));
    m_out.U32(0);  // nPalEntries
    m_out.Size({refCaps.horzRes, refCaps.vertRes});
    m_out.Size({refCaps.horzSizeMm, refCaps.vertSizeMm});
    m_out.U32(0);  // cbPixelFormat, offPixelFormat, bOpenGL
    m_out.U32(0);
    m_out.U32(0);
    m_out.Size({refCaps.horzSizeMm * 1000, refCaps.vertSizeMm * 1000});
    for (char16_t c : description)
        m_out.U16(WORD(c));
    m_out.End();
}

// The bounds converted point by point to hundredths of a millimetre on the
// reference device; an empty picture has an empty frame.
RECT CTkEnhMetaFileRecorder::FrameFromBounds() const
{
    if (m_bounds.IsEmpty())
        return {0, 0, 0, 0};
    const RECT b = m_bounds.Get();
    const int mmX = m_refCaps.horzSizeMm * 100;
    const int mmY = m_refCaps.vertSizeMm * 100;
    return {MulDiv(b.left, mmX, m_refCaps.horzRes), MulDiv(b.top, mmY, m_refCaps.vertRes),
            MulDiv(b.right, mmX, m_refCaps.horzRes), MulDiv(b.bottom, mmY, m_refCaps.vertRes)};
}

std::unique_ptr<CTkEnhMetaFile> CTkEnhMetaFileRecorder::Close()
{
    if (m_bClosed)
        return nullptr;
    m_bClosed = true;
    StopObserving();

    m_out.Begin(EMR_EOF);
    m_out.U32(0);   // nPalEntries
    m_out.U32(16);  // offPalEntries
    m_out.U32(20);  // nSizeLast
    m_out.End();
    if (!FitsRecord(m_out.Position()))
        return nullptr;

    const RECT bounds = m_bounds.Get();
    const RECT frame = m_frame ? *m_frame : FrameFromBounds();
    const LONG fields[] = {bounds.left, bounds.top, bounds.right, bounds.bottom,
                           frame.left,  frame.top,  frame.right,  frame.bottom};
    for (std::size_t i = 0; i < std::size(fields); ++i)
        m_out.PatchU32(kHeaderBounds + 4 * i, DWORD(fields[i]));
    m_out.PatchU32(kHeaderBytes, DWORD(m_out.Position()));
    m_out.PatchU32(kHeaderRecords, m_out.RecordCount());
    m_out.PatchU32(kHeaderHandles, m_objects.HandleCount());  // and the reserved WORD 0
    return std::make_unique<CTkEnhMetaFile>(m_out.Take());
}

std::unique_ptr<CTkDC> CreateEnhMetaFileW(const CTkDC* pRefDC, const RECT* pFrame,
                                          std::u16string_view description)
{
    const TkDeviceCaps caps = pRefDC ? pRefDC->GetCaps() : TkDeviceCaps::ReferenceDevice();
    return std::make_unique<CTkDC>(
        std::make_unique<CTkEnhMetaFileRecorder>(caps, pFrame, description), OBJ_ENHMETADC,
        caps);
}

std::unique_ptr<CTkEnhMetaFile> CloseEnhMetaFile(CTkDC* pDC)
{
    auto* pRecorder = pDC ? dynamic_cast<CTkEnhMetaFileRecorder*>(pDC->GetBackend()) : nullptr;
    return pRecorder ? pRecorder->Close() : nullptr;
}

SIZE TkDeviceUnitInLogical(const CTkDC& dc)
{
    const SIZE window = dc.GetWindowExt();
    const SIZE viewport = dc.GetViewportExt();
    return {std::max(0, MulDiv(1, Magnitude(window.cx), Magnitude(viewport.cx))),
            std::max(0, MulDiv(1, Magnitude(window.cy), Magnitude(viewport.cy)))};
}

// ---- small records ----

void CTkEnhMetaFileRecorder::WriteEmptyRecord(DWORD type)
{
    m_out.Begin(type);
    m_out.End();
}

void CTkEnhMetaFileRecorder::WriteU32Record(DWORD type, DWORD value)
{
    m_out.Begin(type);
    m_out.U32(value);
    m_out.End();
}

void CTkEnhMetaFileRecorder::WritePointRecord(DWORD type, POINT p)
{
    m_out.Begin(type);
    m_out.Point(p);
    m_out.End();
}

void CTkEnhMetaFileRecorder::WriteRectRecord(DWORD type, const RECT& rect)
{
    m_out.Begin(type);
    m_out.Rect(rect);
    m_out.End();
}

// ---- state ----

void CTkEnhMetaFileRecorder::OnStateChanged(CTkDC& dc, TkDCState what)
{
    if (m_bClosed)
        return;
    switch (what) {
    case TkDCState::MapMode:
        return WriteU32Record(EMR_SETMAPMODE, DWORD(dc.GetMapMode()));
    case TkDCState::WindowOrg:
        return WritePointRecord(EMR_SETWINDOWORGEX, dc.GetWindowOrg());
    case TkDCState::WindowExt:
        return WritePointRecord(EMR_SETWINDOWEXTEX,
                                {dc.GetWindowExt().cx, dc.GetWindowExt().cy});
    case TkDCState::ViewportOrg:
        return WritePointRecord(EMR_SETVIEWPORTORGEX, dc.GetViewportOrg());
    case TkDCState::ViewportExt:
        return WritePointRecord(EMR_SETVIEWPORTEXTEX,
                                {dc.GetViewportExt().cx, dc.GetViewportExt().cy});
    case TkDCState::BkColor:
        return WriteU32Record(EMR_SETBKCOLOR, dc.GetBkColor());
    case TkDCState::BkMode:
        return WriteU32Record(EMR_SETBKMODE, DWORD(dc.GetBkMode()));
    case TkDCState::TextColor:
        return WriteU32Record(EMR_SETTEXTCOLOR, dc.GetTextColor());
    case TkDCState::TextAlign:
        return WriteU32Record(EMR_SETTEXTALIGN, dc.GetTextAlign());
    case TkDCState::Rop2:
        return WriteU32Record(EMR_SETROP2, DWORD(dc.GetROP2()));
    case TkDCState::ArcDirection:
        return WriteU32Record(EMR_SETARCDIRECTION, DWORD(dc.GetArcDirection()));
    case TkDCState::PolyFillMode:
        return WriteU32Record(EMR_SETPOLYFILLMODE, DWORD(dc.GetPolyFillMode()));
    case TkDCState::MiterLimit:
        m_out.Begin(EMR_SETMITERLIMIT);
        m_out.F32(dc.GetMiterLimit());  // GDI stores a FLOAT here
        return m_out.End();
    case TkDCState::BrushOrg:
        return WritePointRecord(EMR_SETBRUSHORGEX, dc.GetBrushOrg());
    case TkDCState::StretchBltMode:
        return WriteU32Record(EMR_SETSTRETCHBLTMODE, DWORD(dc.GetStretchBltMode()));
    case TkDCState::TextCharacterExtra:  // folded into the advances of text
    case TkDCState::GraphicsMode:        // carried by each text record
        return;
    }
}

void CTkEnhMetaFileRecorder::OnSelectObject(CTkDC&, HGDIOBJ hObject, HGDIOBJ)
{
    const CTkGdiObject* pObject = TkLookupGdiObject(hObject);
    if (m_bClosed || !pObject || pObject->type == OBJ_BITMAP)
        return;
    DWORD ref = 0;
    if (pObject->stockIndex >= 0)
        ref = ENHMETA_STOCK_OBJECT | DWORD(pObject->stockIndex);
    else if ((ref = m_objects.IndexOf(hObject)) == 0 &&
             (ref = m_objects.Add(m_out, hObject, *pObject)) == 0)
        return;
    WriteU32Record(pObject->type == OBJ_PAL ? EMR_SELECTPALETTE : EMR_SELECTOBJECT, ref);
}

void CTkEnhMetaFileRecorder::OnDeleteObject(HGDIOBJ hObject)
{
    if (m_bClosed)
        return;
    if (const DWORD index = m_objects.Remove(hObject))
        WriteU32Record(EMR_DELETEOBJECT, index);
}

void CTkEnhMetaFileRecorder::OnSaveDC(CTkDC&)
{
    if (m_bClosed)
        return;
    ++m_saveDepth;
    WriteEmptyRecord(EMR_SAVEDC);
}

// The record holds a relative level; an absolute one is converted, and a level
// that names no saved state (which GDI refuses) is not written.
void CTkEnhMetaFileRecorder::OnRestoreDC(CTkDC&, int nSavedDC)
{
    if (m_bClosed || nSavedDC == 0)
        return;
    const std::int64_t relative = nSavedDC < 0 ? nSavedDC : std::int64_t(nSavedDC) - m_saveDepth - 1;
    if (relative >= 0 || -relative > m_saveDepth)
        return;
    m_saveDepth += int(relative);
    WriteU32Record(EMR_RESTOREDC, DWORD(LONG(relative)));
}

void CTkEnhMetaFileRecorder::OnIntersectClipRect(CTkDC&, const RECT& rect)
{
    if (!m_bClosed)
        WriteRectRecord(EMR_INTERSECTCLIPRECT, rect);
}

void CTkEnhMetaFileRecorder::OnExcludeClipRect(CTkDC&, const RECT& rect)
{
    if (!m_bClosed)
        WriteRectRecord(EMR_EXCLUDECLIPRECT, rect);
}

// A device rectangle as a one-rectangle region; none resets the clipping.
void CTkEnhMetaFileRecorder::OnSelectClipRect(CTkDC&, const RECT* pDeviceRect)
{
    if (m_bClosed)
        return;
    m_out.Begin(EMR_EXTSELECTCLIPRGN);
    m_out.U32(pDeviceRect ? 48 : 0);
    m_out.U32(RGN_COPY);
    if (pDeviceRect) {
        m_out.U32(32);  // RGNDATAHEADER: dwSize, iType, nCount, nRgnSize, rcBound
        m_out.U32(kRdhRectangles);
        m_out.U32(1);
        m_out.U32(16);
        m_out.Rect(*pDeviceRect);
        m_out.Rect(*pDeviceRect);
    }
    m_out.End();
}

// ---- drawing ----

void CTkEnhMetaFileRecorder::Drawn(const CTkEmfBounds& bounds)
{
    (m_path == PathState::Open ? m_pathBounds : m_bounds).Add(bounds);
}

CTkEmfBounds CTkEnhMetaFileRecorder::Stroked(const CTkDC& dc, CTkEmfBounds bounds,
                                             bool boxShape) const
{
    if (m_path != PathState::Open)  // a path is stroked when it is drawn
        bounds.Inflate(PenReach(dc, boxShape));
    return bounds;
}

BOOL CTkEnhMetaFileRecorder::MoveTo(CTkDC&, POINT p)
{
    if (m_bClosed)
        return FALSE;
    WritePointRecord(EMR_MOVETOEX, p);
    return TRUE;
}

BOOL CTkEnhMetaFileRecorder::LineTo(CTkDC& dc, POINT p)
{
    if (m_bClosed)
        return FALSE;
    const POINT ends[] = {dc.GetCurrentPosition(), p};
    WritePointRecord(EMR_LINETO, p);
    Drawn(Stroked(dc, DeviceBox(dc, ends), false));
    return TRUE;
}

std::optional<RECT> CTkEnhMetaFileRecorder::RecordedBox(const CTkDC& dc, const RECT& box) const
{
    RECT r = Normalized(box);
    if (r.left == r.right || r.top == r.bottom)
        return std::nullopt;
    if (dc.GetGraphicsMode() == GM_COMPATIBLE) {
        const SIZE unit = TkDeviceUnitInLogical(dc);
        // A box narrower than one device unit keeps a width of zero rather than turning over.
        r.right = std::max(r.left, LONG(std::int64_t(r.right) - unit.cx));
        r.bottom = std::max(r.top, LONG(std::int64_t(r.bottom) - unit.cy));
    }
    return r;
}

BOOL CTkEnhMetaFileRecorder::WriteBoxShape(CTkDC& dc, DWORD type, const RECT& box,
                                           std::span<const POINT> tail,
                                           bool fromCurrentPosition)
{
    const std::optional<RECT> recorded = m_bClosed ? std::nullopt : RecordedBox(dc, box);
    if (!recorded)
        return FALSE;
    m_out.Begin(type);
    m_out.Rect(*recorded);
    for (POINT p : tail)
        m_out.Point(p);
    m_out.End();

    const POINT corners[] = {{recorded->left, recorded->top},
                             {recorded->right, recorded->bottom}};
    CTkEmfBounds bounds = DeviceBox(dc, corners);
    if (fromCurrentPosition)
        bounds.Add(ToDevice(dc, dc.GetCurrentPosition()));
    Drawn(Stroked(dc, bounds, !fromCurrentPosition));
    return TRUE;
}

BOOL CTkEnhMetaFileRecorder::Rectangle(CTkDC& dc, const RECT& box)
{
    return WriteBoxShape(dc, EMR_RECTANGLE, box, {}, false);
}

BOOL CTkEnhMetaFileRecorder::RoundRect(CTkDC& dc, const RECT& box, SIZE corner)
{
    const POINT tail[] = {{corner.cx, corner.cy}};
    return WriteBoxShape(dc, EMR_ROUNDRECT, box, tail, false);
}

BOOL CTkEnhMetaFileRecorder::Ellipse(CTkDC& dc, const RECT& box)
{
    return WriteBoxShape(dc, EMR_ELLIPSE, box, {}, false);
}

BOOL CTkEnhMetaFileRecorder::Arc(CTkDC& dc, const RECT& box, POINT start, POINT end)
{
    const POINT tail[] = {start, end};
    return WriteBoxShape(dc, EMR_ARC, box, tail, false);
}

BOOL CTkEnhMetaFileRecorder::ArcTo(CTkDC& dc, const RECT& box, POINT start, POINT end)
{
    const POINT tail[] = {start, end};
    return WriteBoxShape(dc, EMR_ARCTO, box, tail, true);
}

BOOL CTkEnhMetaFileRecorder::Chord(CTkDC& dc, const RECT& box, POINT start, POINT end)
{
    const POINT tail[] = {start, end};
    return WriteBoxShape(dc, EMR_CHORD, box, tail, false);
}

BOOL CTkEnhMetaFileRecorder::Pie(CTkDC& dc, const RECT& box, POINT start, POINT end)
{
    const POINT tail[] = {start, end};
    return WriteBoxShape(dc, EMR_PIE, box, tail, false);
}

BOOL CTkEnhMetaFileRecorder::WritePoly(CTkDC& dc, DWORD type32, DWORD type16,
                                       std::span<const POINT> pts, bool fromCurrentPosition)
{
    const bool small = AllFitIn16(pts);
    if (!FitsRecord(28 + std::uint64_t(pts.size()) * (small ? 4 : 8)))
        return FALSE;
    CTkEmfBounds bounds = DeviceBox(dc, pts);
    if (fromCurrentPosition)
        bounds.Add(ToDevice(dc, dc.GetCurrentPosition()));
    bounds = Stroked(dc, bounds, false);

    m_out.Begin(small ? type16 : type32);
    m_out.Rect(bounds.Get());
    m_out.U32(DWORD(pts.size()));
    for (POINT p : pts)
        small ? m_out.Point16(p) : m_out.Point(p);
    m_out.End();
    Drawn(bounds);
    return TRUE;
}

BOOL CTkEnhMetaFileRecorder::Polyline(CTkDC& dc, const POINT* pts, int count)
{
    if (m_bClosed || !pts || count < 2)
        return FALSE;
    return WritePoly(dc, EMR_POLYLINE, EMR_POLYLINE16, {pts, std::size_t(count)}, false);
}

BOOL CTkEnhMetaFileRecorder::PolylineTo(CTkDC& dc, const POINT* pts, int count)
{
    if (m_bClosed || !pts || count < 1)
        return FALSE;
    return WritePoly(dc, EMR_POLYLINETO, EMR_POLYLINETO16, {pts, std::size_t(count)}, true);
}

BOOL CTkEnhMetaFileRecorder::Polygon(CTkDC& dc, const POINT* pts, int count)
{
    if (m_bClosed || !pts || count < 2)
        return FALSE;
    return WritePoly(dc, EMR_POLYGON, EMR_POLYGON16, {pts, std::size_t(count)}, false);
}

// A Bézier run is a start point and three points per curve.
BOOL CTkEnhMetaFileRecorder::PolyBezier(CTkDC& dc, const POINT* pts, int count)
{
    if (m_bClosed || !pts || count < 4 || (count - 1) % 3 != 0)
        return FALSE;
    return WritePoly(dc, EMR_POLYBEZIER, EMR_POLYBEZIER16, {pts, std::size_t(count)}, false);
}

BOOL CTkEnhMetaFileRecorder::PolyBezierTo(CTkDC& dc, const POINT* pts, int count)
{
    if (m_bClosed || !pts || count < 3 || count % 3 != 0)
        return FALSE;
    return WritePoly(dc, EMR_POLYBEZIERTO, EMR_POLYBEZIERTO16, {pts, std::size_t(count)}, true);
}

BOOL CTkEnhMetaFileRecorder::WritePolyPoly(CTkDC& dc, DWORD type32, DWORD type16,
                                           const POINT* pts, std::span<const DWORD> counts)
{
    const std::uint64_t total = std::accumulate(counts.begin(), counts.end(), std::uint64_t(0));
    if (m_bClosed || !pts || counts.empty() || total > CTkEmfRecordBuffer::kMaxSize / 8 ||
        std::find(counts.begin(), counts.end(), 0u) != counts.end())
        return FALSE;
    const std::span<const POINT> points{pts, std::size_t(total)};
    const bool small = AllFitIn16(points);
    if (!FitsRecord(32 + 4 * std::uint64_t(counts.size()) + total * (small ? 4 : 8)))
        return FALSE;
    const CTkEmfBounds bounds = Stroked(dc, DeviceBox(dc, points), false);

    m_out.Begin(small ? type16 : type32);
    m_out.Rect(bounds.Get());
    m_out.U32(DWORD(counts.size()));
    m_out.U32(DWORD(total));
    for (DWORD n : counts)
        m_out.U32(n);
    for (POINT p : points)
        small ? m_out.Point16(p) : m_out.Point(p);
    m_out.End();
    Drawn(bounds);
    return TRUE;
}

BOOL CTkEnhMetaFileRecorder::PolyPolyline(CTkDC& dc, const POINT* pts, const DWORD* counts,
                                          int polys)
{
    if (!counts || polys < 1)
        return FALSE;
    return WritePolyPoly(dc, EMR_POLYPOLYLINE, EMR_POLYPOLYLINE16, pts,
                         {counts, std::size_t(polys)});
}

BOOL CTkEnhMetaFileRecorder::PolyPolygon(CTkDC& dc, const POINT* pts, const INT* counts,
                                         int polys)
{
    if (!counts || polys < 1 || std::any_of(counts, counts + polys, [](INT n) { return n < 0; }))
        return FALSE;
    const std::vector<DWORD> sizes(counts, counts + polys);
    return WritePolyPoly(dc, EMR_POLYPOLYGON, EMR_POLYPOLYGON16, pts, sizes);
}

// ---- text ----

namespace {

// One advance per character: its extent in the selected font, which includes
// the character extra (the format has no record for it).
bool MeasureAdvances(CTkDC& dc, const WCHAR* text, UINT count, std::vector<INT>* pAdvances)
{
    pAdvances->resize(count);
    for (UINT i = 0; i < count; ++i) {
        SIZE extent{};
        if (!GetTextExtentPoint32W(&dc, &text[i], 1, &extent))
            return false;
        (*pAdvances)[i] = extent.cx;
    }
    return true;
}

// Device pixels of the text cell: its width from the advances and the font's
// height, placed by the text alignment; text runs left to right on the device.
CTkEmfBounds TextBounds(CTkDC& dc, POINT p, UINT options, const RECT* pRect, LONG width)
{
    const UINT align = dc.GetTextAlign();
    TEXTMETRICW tm{};
    if (!GetTextMetricsW(&dc, &tm))
        tm = TEXTMETRICW{};
    const POINT ref = ToDevice(dc, p);
    const int w = WidthToDevice(dc, Magnitude(width));
    const int h = HeightToDevice(dc, Magnitude(tm.tmHeight));
    const int ascent = HeightToDevice(dc, Magnitude(tm.tmAscent));

    LONG left = ref.x;
    if ((align & TA_CENTER) == TA_CENTER)
        left -= w / 2;
    else if (align & TA_RIGHT)
        left -= w;
    LONG top = ref.y;
    if ((align & TA_BASELINE) == TA_BASELINE)
        top -= ascent;
    else if (align & TA_BOTTOM)
        top -= h;

    CTkEmfBounds bounds;
    if (w > 0 && h > 0)
        bounds.Add(RECT{left, top, left + w - 1, top + h - 1});
    if (pRect) {
        const RECT r = DevicePixels(dc, *pRect);
        if (options & ETO_CLIPPED)
            bounds.Intersect(r);
        if (options & ETO_OPAQUE)
            bounds.Add(r);
    }
    return bounds;
}

}  // namespace

BOOL CTkEnhMetaFileRecorder::ExtTextOutW(CTkDC& dc, POINT p, UINT options, const RECT* pRect,
                                         const WCHAR* text, UINT count, const INT* dx)
{
    if (m_bClosed || (count > 0 && !text))
        return FALSE;
    const bool pairs = dx && (options & ETO_PDY);
    std::vector<INT> advances;
    if (dx) {
        advances.assign(dx, dx + std::size_t(count) * (pairs ? 2 : 1));
    } else {
        if (!MeasureAdvances(dc, text, count, &advances))
            return FALSE;
        options &= ~ETO_PDY;  // the measured array has no vertical advances
    }
    const std::size_t offDx = kExtTextOutFixedSize + Pad4(2 * std::size_t(count));
    if (!FitsRecord(offDx + 4 * std::uint64_t(advances.size())))
        return FALSE;

    std::int64_t width = 0;
    for (std::size_t i = 0; i < advances.size(); i += pairs ? 2 : 1)
        width += advances[i];
    const CTkEmfBounds bounds = TextBounds(dc, p, options, pRect, ClampToLong(width));
    const bool compatible = dc.GetGraphicsMode() == GM_COMPATIBLE;

    m_out.Begin(EMR_EXTTEXTOUTW);
    m_out.Rect(bounds.Get());
    m_out.U32(DWORD(dc.GetGraphicsMode()));
    m_out.F32(compatible ? HundredthsOfMmPerPixel(m_refCaps.horzSizeMm, m_refCaps.horzRes) : 0);
    m_out.F32(compatible ? HundredthsOfMmPerPixel(m_refCaps.vertSizeMm, m_refCaps.vertRes) : 0);
    m_out.Point(p);
    m_out.U32(count);
    m_out.U32(DWORD(kExtTextOutFixedSize));
    m_out.U32(options);
    m_out.Rect(pRect ? *pRect : RECT{0, 0, -1, -1});
    m_out.U32(DWORD(offDx));
    for (UINT i = 0; i < count; ++i)
        m_out.U16(WORD(text[i]));
    m_out.Pad4();
    for (INT advance : advances)
        m_out.I32(advance);
    m_out.End();
    Drawn(bounds);
    return TRUE;
}

// ---- comments, paths, pixels ----

BOOL CTkEnhMetaFileRecorder::GdiComment(CTkDC&, UINT size, const BYTE* data)
{
    if (m_bClosed || (size > 0 && !data) || !FitsRecord(12 + Pad4(size)))
        return FALSE;
    m_out.Begin(EMR_GDICOMMENT);
    m_out.U32(size);
    m_out.Bytes({data, size});
    m_out.End();
    return TRUE;
}

// A new bracket discards any path not yet drawn.
BOOL CTkEnhMetaFileRecorder::BeginPath(CTkDC&)
{
    if (m_bClosed)
        return FALSE;
    m_path = PathState::Open;
    m_pathBounds = CTkEmfBounds{};
    WriteEmptyRecord(EMR_BEGINPATH);
    return TRUE;
}

BOOL CTkEnhMetaFileRecorder::EndPath(CTkDC&)
{
    if (m_bClosed || m_path != PathState::Open)
        return FALSE;
    m_path = PathState::Closed;
    WriteEmptyRecord(EMR_ENDPATH);
    return TRUE;
}

BOOL CTkEnhMetaFileRecorder::CloseFigure(CTkDC&)
{
    if (m_bClosed || m_path != PathState::Open)
        return FALSE;
    WriteEmptyRecord(EMR_CLOSEFIGURE);
    return TRUE;
}

BOOL CTkEnhMetaFileRecorder::AbortPath(CTkDC&)
{
    if (m_bClosed)
        return FALSE;
    m_path = PathState::None;
    m_pathBounds = CTkEmfBounds{};
    WriteEmptyRecord(EMR_ABORTPATH);
    return TRUE;
}

// Drawing a path uses it up; only a closed bracket can be drawn.
BOOL CTkEnhMetaFileRecorder::WritePathDrawing(CTkDC& dc, DWORD type, bool stroke)
{
    if (m_bClosed || m_path != PathState::Closed)
        return FALSE;
    m_path = PathState::None;
    const CTkEmfBounds bounds = stroke ? Stroked(dc, m_pathBounds, false) : m_pathBounds;
    m_pathBounds = CTkEmfBounds{};
    WriteRectRecord(type, bounds.Get());
    Drawn(bounds);
    return TRUE;
}

BOOL CTkEnhMetaFileRecorder::StrokePath(CTkDC& dc)
{
    return WritePathDrawing(dc, EMR_STROKEPATH, true);
}

BOOL CTkEnhMetaFileRecorder::FillPath(CTkDC& dc)
{
    return WritePathDrawing(dc, EMR_FILLPATH, false);
}

BOOL CTkEnhMetaFileRecorder::StrokeAndFillPath(CTkDC& dc)
{
    return WritePathDrawing(dc, EMR_STROKEANDFILLPATH, true);
}

COLORREF CTkEnhMetaFileRecorder::SetPixel(CTkDC& dc, POINT p, COLORREF color)
{
    if (m_bClosed)
        return COLORREF(CLR_INVALID);
    m_out.Begin(EMR_SETPIXELV);
    m_out.Point(p);
    m_out.U32(color);
    m_out.End();
    CTkEmfBounds bounds;
    bounds.Add(ToDevice(dc, p));
    Drawn(bounds);
    return color;
}

BOOL CTkEnhMetaFileRecorder::InvertRect(CTkDC&, const RECT&)
{
    return FALSE;
}

BOOL CTkEnhMetaFileRecorder::DrawFocusRect(CTkDC&, const RECT&)
{
    return FALSE;
}

BOOL CTkEnhMetaFileRecorder::FillRect(CTkDC&, const RECT&, HBRUSH)
{
    return FALSE;
}

BOOL CTkEnhMetaFileRecorder::GradientFill(CTkDC& dc, std::span<const TRIVERTEX> vertices,
                                          std::span<const ULONG> mesh, ULONG mode)
{
    const std::size_t per = TkGradientIndicesPerItem(mode);
    if (m_bClosed || per == 0 || vertices.empty() ||
        !FitsRecord(36 + std::uint64_t(vertices.size()) * 16 + std::uint64_t(mesh.size()) * 4 +
                    (per == 2 ? mesh.size() * 2 : 0)))
        return FALSE;
    CTkEmfBounds bounds;
    for (const TRIVERTEX& v : vertices)
        bounds.Add(ToDevice(dc, {v.x, v.y}));
    m_out.Begin(EMR_GRADIENTFILL);
    m_out.Rect(bounds.Get());
    m_out.U32(DWORD(vertices.size()));
    m_out.U32(DWORD(mesh.size() / per));
    m_out.U32(mode);
    for (const TRIVERTEX& v : vertices) {
        m_out.Point({v.x, v.y});
        for (const COLOR16 channel : {v.Red, v.Green, v.Blue, v.Alpha})
            m_out.U16(channel);
    }
    for (const ULONG index : mesh)
        m_out.U32(index);
    if (per == 2)
        m_out.Zeros(mesh.size() * 2);
    m_out.End();
    Drawn(bounds);
    return TRUE;
}
