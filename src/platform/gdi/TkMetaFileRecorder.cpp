#include "platform/gdi/TkMetaFileRecorder.h"

#include "platform/gdi/TkBitmapDib.h"
#include "platform/gdi/TkCodePage.h"
#include "platform/gdi/TkDibColours.h"
#include "platform/gdi/WmfRecordTypes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace {

// Point, character and polygon counts are signed 16-bit in the records.
constexpr std::size_t kMaxCount = 0x7FFF;
// Object slots are numbered by 16-bit values.
constexpr std::size_t kMaxSlots = 0xFFFF;
constexpr std::size_t kMaxCommentBytes = 0xFFFF;
constexpr WORD kPaletteVersion = 0x0300;
constexpr int kMaxBezierSteps = 64;

void PutWord(std::vector<BYTE>& out, WORD value)
{
    out.push_back(BYTE(value));
    out.push_back(BYTE(value >> 8));
}

void PutDWord(std::vector<BYTE>& out, DWORD value)
{
    PutWord(out, WORD(value));
    PutWord(out, WORD(value >> 16));
}

// The parameters of one record, little-endian 16-bit words.
class Params {
public:
    Params& Word(WORD value)
    {
        PutWord(m_bytes, value);
        return *this;
    }
    // A 16-bit signed value, saturated.
    Params& Coord(std::int64_t value)
    {
        return Word(WORD(SHORT(std::clamp<std::int64_t>(value, -32768, 32767))));
    }
    Params& DWord(DWORD value)
    {
        PutDWord(m_bytes, value);
        return *this;
    }
    // A PointS: x before y.
    Params& Point(POINT p) { return Coord(p.x).Coord(p.y); }
    // Padded with a zero byte to a whole word.
    Params& Bytes(std::span<const BYTE> bytes)
    {
        m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
        if (bytes.size() % 2 != 0)
            m_bytes.push_back(0);
        return *this;
    }
    // Many records keep a rectangle as bottom, right, top, left.
    Params& ReversedBox(const RECT& box)
    {
        return Coord(box.bottom).Coord(box.right).Coord(box.top).Coord(box.left);
    }

    std::span<const BYTE> View() const { return m_bytes; }

private:
    std::vector<BYTE> m_bytes;
};

struct Creation {
    WORD function = 0;
    Params params;
};

// A plain pen keeps only the styles that CreatePenIndirect knows.
WORD PlainPenStyle(UINT style)
{
    const UINT kind = style & PS_STYLE_MASK;
    switch (kind) {
    case PS_USERSTYLE: return WORD(PS_DASH);  // its dash lengths cannot be written
    case PS_ALTERNATE: return WORD(PS_DOT);
    default: return WORD(kind <= PS_INSIDEFRAME ? kind : PS_SOLID);
    }
}

Creation PenCreation(WORD style, std::int64_t width, COLORREF color)
{
    Creation c{META_CREATEPENINDIRECT, {}};
    c.params.Word(style).Coord(width).Coord(0).DWord(color);
    return c;
}

Creation ExtPenCreation(const EXTLOGPEN& pen)
{
    const UINT brush = pen.elpBrushStyle;
    // A pen painted with a hollow brush draws nothing; a pattern has no one colour.
    const WORD style = brush == BS_NULL ? WORD(PS_NULL) : PlainPenStyle(pen.elpPenStyle);
    const bool coloured = brush == BS_SOLID || brush == BS_HATCHED;
    return PenCreation(style, pen.elpWidth, coloured ? pen.elpColor : RGB(0, 0, 0));
}

bool BrushCreation(const CTkGdiObject& object, Creation* pOut)
{
    const LOGBRUSH& brush = object.brush;
    if (brush.lbStyle == BS_PATTERN) {
        const std::vector<BYTE> dib = TkBitmapToPackedDib(object.bitmap, object.bits);
        if (dib.empty())
            return false;
        pOut->function = META_DIBCREATEPATTERNBRUSH;
        pOut->params.Word(WORD(BS_PATTERN)).Word(WORD(DIB_RGB_COLORS)).Bytes(dib);
        return true;
    }
    if (brush.lbStyle == BS_DIBPATTERN || brush.lbStyle == BS_DIBPATTERNPT) {
        if (object.dib.empty())
            return false;
        pOut->function = META_DIBCREATEPATTERNBRUSH;
        pOut->params.Word(WORD(brush.lbStyle)).Word(WORD(object.dibUsage)).Bytes(object.dib);
        return true;
    }
    pOut->function = META_CREATEBRUSHINDIRECT;
    const WORD hatch = brush.lbStyle == BS_HATCHED ? WORD(brush.lbHatch) : 0;
    pOut->params.Word(WORD(brush.lbStyle)).DWord(brush.lbColor).Word(hatch);
    return true;
}

Creation FontCreation(const LOGFONTW& font)
{
    Creation c{META_CREATEFONTINDIRECT, {}};
    c.params.Coord(font.lfHeight)
        .Coord(font.lfWidth)
        .Coord(font.lfEscapement)
        .Coord(font.lfOrientation)
        .Coord(font.lfWeight);
    const std::array<BYTE, 8> flags{font.lfItalic,        font.lfUnderline,
                                    font.lfStrikeOut,     font.lfCharSet,
                                    font.lfOutPrecision,  font.lfClipPrecision,
                                    font.lfQuality,       font.lfPitchAndFamily};
    c.params.Bytes(flags);
    // Face names are in the font's code page (a symbol font's name is still plain
    // text); whatever follows the terminator stays out of the file, and a
    // double-byte character that does not fit whole is left out.
    const WCHAR* face = font.lfFaceName;
    const std::u16string_view name(face, std::find(face, face + LF_FACESIZE, u'\0') - face);
    const BYTE charSet = font.lfCharSet == SYMBOL_CHARSET ? ANSI_CHARSET : font.lfCharSet;
    std::vector<std::size_t> sources;
    const std::string coded = TkUtf16ToCodePage(name, charSet, &sources);
    std::size_t length = std::min<std::size_t>(coded.size(), LF_FACESIZE - 1);
    if (length < coded.size() && length > 0 && sources[length] == sources[length - 1])
        --length;
    std::array<BYTE, LF_FACESIZE> bytes{};
    std::copy_n(coded.begin(), length, bytes.begin());
    c.params.Bytes(bytes);
    return c;
}

bool PaletteCreation(const std::vector<PALETTEENTRY>& entries, Creation* pOut)
{
    if (entries.size() > 0xFFFF)
        return false;
    pOut->function = META_CREATEPALETTE;
    pOut->params.Word(kPaletteVersion).Word(WORD(entries.size()));
    for (const PALETTEENTRY& e : entries) {
        const std::array<BYTE, 4> bytes{e.peRed, e.peGreen, e.peBlue, e.peFlags};
        pOut->params.Bytes(bytes);
    }
    return true;
}

bool MakeCreation(const CTkGdiObject& object, Creation* pOut)
{
    switch (object.type) {
    case OBJ_PEN:
        *pOut = PenCreation(PlainPenStyle(object.pen.lopnStyle), object.pen.lopnWidth.x,
                            object.pen.lopnColor);
        return true;
    case OBJ_EXTPEN: *pOut = ExtPenCreation(object.extPen); return true;
    case OBJ_BRUSH: return BrushCreation(object, pOut);
    case OBJ_FONT: *pOut = FontCreation(object.font); return true;
    case OBJ_PAL: return PaletteCreation(object.palette, pOut);
    default: return false;
    }
}

// Enough segments that a curve looks smooth at the size it is drawn.
int BezierSteps(const POINT* q)
{
    double length = 0;
    for (int i = 0; i < 3; ++i)
        length += std::hypot(double(q[i + 1].x) - q[i].x, double(q[i + 1].y) - q[i].y);
    return std::clamp(int(std::ceil(std::sqrt(length))), 1, kMaxBezierSteps);
}

// first, then each cubic of three further points, as line points.
std::vector<POINT> FlattenBeziers(POINT first, std::span<const POINT> rest)
{
    std::vector<POINT> out{first};
    for (std::size_t i = 0; i + 3 <= rest.size(); i += 3) {
        const POINT q[4] = {out.back(), rest[i], rest[i + 1], rest[i + 2]};
        const int steps = BezierSteps(q);
        for (int s = 1; s <= steps; ++s) {
            const double t = double(s) / steps;
            const double u = 1 - t;
            const double w[4] = {u * u * u, 3 * u * u * t, 3 * u * t * t, t * t * t};
            double x = 0;
            double y = 0;
            for (int k = 0; k < 4; ++k) {
                x += w[k] * q[k].x;
                y += w[k] * q[k].y;
            }
            out.push_back({LONG(std::lround(x)), LONG(std::lround(y))});
        }
        out.back() = q[3];
    }
    return out;
}

// The x advance of UTF-16 unit i; with ETO_PDY the array holds x, y pairs.
std::int64_t Advance(const INT* dx, UINT options, std::size_t i)
{
    return (options & ETO_PDY) != 0 ? dx[2 * i] : dx[i];
}

}  // namespace

std::vector<POINT> TkFlattenBeziers(POINT first, std::span<const POINT> rest)
{
    return FlattenBeziers(first, rest);
}

CTkMetaFileRecorder::CTkMetaFileRecorder() { TkAddGdiObjectObserver(this); }

CTkMetaFileRecorder::~CTkMetaFileRecorder() { TkRemoveGdiObjectObserver(this); }

TkDeviceCaps CTkMetaFileRecorder::DeviceCaps()
{
    TkDeviceCaps caps = TkDeviceCaps::ReferenceDevice();
    caps.technology = DT_METAFILE;
    return caps;
}

std::unique_ptr<CTkMetaFile> CTkMetaFileRecorder::Close()
{
    if (m_bClosed)
        return nullptr;
    Emit(META_EOF, {});
    m_bClosed = true;
    TkRemoveGdiObjectObserver(this);

    std::vector<BYTE> bits;
    bits.reserve(kMetaHeaderBytes + m_records.size());
    PutWord(bits, kMetaTypeMemory);
    PutWord(bits, kMetaHeaderWords);
    PutWord(bits, kMetaVersion300);
    PutDWord(bits, DWORD(kMetaHeaderWords + m_records.size() / 2));
    PutWord(bits, WORD(m_objects.size()));
    PutDWord(bits, m_maxRecordWords);
    PutWord(bits, 0);  // no members
    bits.insert(bits.end(), m_records.begin(), m_records.end());
    m_records = {};
    m_objects = {};
    return std::make_unique<CTkMetaFile>(std::move(bits));
}

void CTkMetaFileRecorder::Emit(WORD function, std::span<const BYTE> params)
{
    if (m_bClosed)
        return;
    const DWORD words = DWORD(3 + params.size() / 2);
    PutDWord(m_records, words);
    PutWord(m_records, function);
    m_records.insert(m_records.end(), params.begin(), params.end());
    m_maxRecordWords = std::max(m_maxRecordWords, words);
}

void CTkMetaFileRecorder::WritePoint(WORD function, POINT p)
{
    Emit(function, Params().Coord(p.y).Coord(p.x).View());
}

void CTkMetaFileRecorder::WriteBox(WORD function, const RECT& box)
{
    Emit(function, Params().ReversedBox(box).View());
}

void CTkMetaFileRecorder::WriteArc(WORD function, const CTkDC& dc, const RECT& box, POINT start,
                                   POINT end)
{
    // Played arcs run counterclockwise; a clockwise one is the same curve reversed.
    if (dc.GetArcDirection() == AD_CLOCKWISE)
        std::swap(start, end);
    Params params;
    params.Coord(end.y).Coord(end.x).Coord(start.y).Coord(start.x).ReversedBox(box);
    Emit(function, params.View());
}

bool CTkMetaFileRecorder::WritePoints(WORD function, std::span<const POINT> pts)
{
    if (pts.size() > kMaxCount)
        return false;
    Params params;
    params.Word(WORD(pts.size()));
    for (const POINT& p : pts)
        params.Point(p);
    Emit(function, params.View());
    return true;
}

void CTkMetaFileRecorder::WritePatBlt(const RECT& rect, DWORD rop)
{
    Params params;
    params.DWord(rop)
        .Coord(std::int64_t(rect.bottom) - rect.top)
        .Coord(std::int64_t(rect.right) - rect.left)
        .Coord(rect.top)
        .Coord(rect.left);
    Emit(META_PATBLT, params.View());
}

// Objects

int CTkMetaFileRecorder::SlotFor(HGDIOBJ hObject)
{
    if (m_bClosed || hObject == 0)
        return -1;
    const auto found = std::find(m_objects.begin(), m_objects.end(), hObject);
    if (found != m_objects.end())
        return int(found - m_objects.begin());
    const CTkGdiObject* pObject = TkLookupGdiObject(hObject);
    Creation creation;
    const auto vacant = std::find(m_objects.begin(), m_objects.end(), HGDIOBJ(0));
    const std::size_t slot = std::size_t(vacant - m_objects.begin());
    if (pObject == nullptr || slot >= kMaxSlots || !MakeCreation(*pObject, &creation))
        return -1;
    Emit(creation.function, creation.params.View());
    if (slot == m_objects.size())
        m_objects.push_back(hObject);
    else
        m_objects[slot] = hObject;
    return int(slot);
}

bool CTkMetaFileRecorder::Select(HGDIOBJ hObject)
{
    const int slot = SlotFor(hObject);
    if (slot < 0)
        return false;
    const bool palette = GetObjectType(hObject) == OBJ_PAL;
    Emit(palette ? META_SELECTPALETTE : META_SELECTOBJECT, Params().Word(WORD(slot)).View());
    return true;
}

void CTkMetaFileRecorder::OnSelectObject(CTkDC&, HGDIOBJ hObject, HGDIOBJ)
{
    Select(hObject);
}

void CTkMetaFileRecorder::OnDeleteObject(HGDIOBJ hObject)
{
    const auto found = std::find(m_objects.begin(), m_objects.end(), hObject);
    if (m_bClosed || hObject == 0 || found == m_objects.end())
        return;
    Emit(META_DELETEOBJECT, Params().Word(WORD(found - m_objects.begin())).View());
    *found = 0;
}

// State

void CTkMetaFileRecorder::OnStateChanged(CTkDC& dc, TkDCState what)
{
    const auto word = [this](WORD function, UINT value) {
        Emit(function, Params().Word(WORD(value)).View());
    };
    const auto colour = [this](WORD function, COLORREF value) {
        Emit(function, Params().DWord(value).View());
    };
    switch (what) {
    case TkDCState::MapMode: word(META_SETMAPMODE, dc.GetMapMode()); break;
    case TkDCState::WindowOrg: WritePoint(META_SETWINDOWORG, dc.GetWindowOrg()); break;
    case TkDCState::WindowExt:
        WritePoint(META_SETWINDOWEXT, POINT{dc.GetWindowExt().cx, dc.GetWindowExt().cy});
        break;
    case TkDCState::ViewportOrg: WritePoint(META_SETVIEWPORTORG, dc.GetViewportOrg()); break;
    case TkDCState::ViewportExt:
        WritePoint(META_SETVIEWPORTEXT, POINT{dc.GetViewportExt().cx, dc.GetViewportExt().cy});
        break;
    case TkDCState::BkColor: colour(META_SETBKCOLOR, dc.GetBkColor()); break;
    case TkDCState::BkMode: word(META_SETBKMODE, dc.GetBkMode()); break;
    case TkDCState::TextColor: colour(META_SETTEXTCOLOR, dc.GetTextColor()); break;
    case TkDCState::TextAlign: word(META_SETTEXTALIGN, dc.GetTextAlign()); break;
    case TkDCState::Rop2: word(META_SETROP2, dc.GetROP2()); break;
    case TkDCState::PolyFillMode: word(META_SETPOLYFILLMODE, dc.GetPolyFillMode()); break;
    case TkDCState::TextCharacterExtra:
        Emit(META_SETTEXTCHAREXTRA, Params().Coord(dc.GetTextCharacterExtra()).View());
        break;
    case TkDCState::StretchBltMode: word(META_SETSTRETCHBLTMODE, dc.GetStretchBltMode()); break;
    case TkDCState::ArcDirection:
    case TkDCState::MiterLimit:
    case TkDCState::BrushOrg:
    case TkDCState::GraphicsMode:
        break;  // no such records
    }
}

void CTkMetaFileRecorder::OnSaveDC(CTkDC&)
{
    Emit(META_SAVEDC, {});
    ++m_saveLevel;
}

void CTkMetaFileRecorder::OnRestoreDC(CTkDC&, int nSavedDC)
{
    const int target = nSavedDC > 0 ? nSavedDC : m_saveLevel + nSavedDC + 1;
    if (nSavedDC == 0 || target < 1 || target > m_saveLevel)
        return;
    // Written relative: a player that saved its own state first still finds the level.
    Emit(META_RESTOREDC, Params().Coord(target - m_saveLevel - 1).View());
    m_saveLevel = target - 1;
}

void CTkMetaFileRecorder::OnIntersectClipRect(CTkDC&, const RECT& rect)
{
    WriteBox(META_INTERSECTCLIPRECT, rect);
}

void CTkMetaFileRecorder::OnExcludeClipRect(CTkDC&, const RECT& rect)
{
    WriteBox(META_EXCLUDECLIPRECT, rect);
}

// A device-unit clip has no meaning where the metafile is played.
void CTkMetaFileRecorder::OnSelectClipRect(CTkDC&, const RECT*) {}

// Drawing

BOOL CTkMetaFileRecorder::MoveTo(CTkDC&, POINT p)
{
    if (m_bInPath) {
        m_path.MoveTo();
        return TRUE;
    }
    WritePoint(META_MOVETO, p);
    return !m_bClosed;
}

BOOL CTkMetaFileRecorder::LineTo(CTkDC& dc, POINT p)
{
    if (m_bInPath) {
        m_path.LineTo(dc.GetCurrentPosition(), p);
        return TRUE;
    }
    WritePoint(META_LINETO, p);
    return !m_bClosed;
}

BOOL CTkMetaFileRecorder::Rectangle(CTkDC&, const RECT& box)
{
    if (m_bInPath) {
        m_path.Rectangle(box);
        return TRUE;
    }
    WriteBox(META_RECTANGLE, box);
    return !m_bClosed;
}

BOOL CTkMetaFileRecorder::RoundRect(CTkDC&, const RECT& box, SIZE corner)
{
    Emit(META_ROUNDRECT, Params().Coord(corner.cy).Coord(corner.cx).ReversedBox(box).View());
    return !m_bClosed;
}

BOOL CTkMetaFileRecorder::Ellipse(CTkDC& dc, const RECT& box)
{
    if (m_bInPath) {
        m_path.Ellipse(box, TkArcAngleIncreases(dc));
        return TRUE;
    }
    WriteBox(META_ELLIPSE, box);
    return !m_bClosed;
}

BOOL CTkMetaFileRecorder::Arc(CTkDC& dc, const RECT& box, POINT start, POINT end)
{
    if (m_bInPath) {
        m_path.Arc(box, start, end, TkArcAngleIncreases(dc));
        return TRUE;
    }
    WriteArc(META_ARC, dc, box, start, end);
    return !m_bClosed;
}

BOOL CTkMetaFileRecorder::ArcTo(CTkDC& dc, const RECT& box, POINT start, POINT end)
{
    if (m_bInPath) {
        m_path.ArcTo(dc.GetCurrentPosition(), box, start, end, TkArcAngleIncreases(dc));
        return TRUE;
    }
    WritePoint(META_LINETO, TkArcEndPoint(box, start));
    WriteArc(META_ARC, dc, box, start, end);
    WritePoint(META_MOVETO, TkArcEndPoint(box, end));
    return !m_bClosed;
}

BOOL CTkMetaFileRecorder::Chord(CTkDC& dc, const RECT& box, POINT start, POINT end)
{
    WriteArc(META_CHORD, dc, box, start, end);
    return !m_bClosed;
}

BOOL CTkMetaFileRecorder::Pie(CTkDC& dc, const RECT& box, POINT start, POINT end)
{
    WriteArc(META_PIE, dc, box, start, end);
    return !m_bClosed;
}

BOOL CTkMetaFileRecorder::Polyline(CTkDC&, const POINT* pts, int count)
{
    if (m_bInPath) {
        m_path.Polyline({pts, std::size_t(count)});
        return TRUE;
    }
    return !m_bClosed && WritePoints(META_POLYLINE, {pts, std::size_t(count)});
}

BOOL CTkMetaFileRecorder::PolylineTo(CTkDC& dc, const POINT* pts, int count)
{
    if (m_bInPath) {
        m_path.PolylineTo(dc.GetCurrentPosition(), {pts, std::size_t(count)});
        return TRUE;
    }
    std::vector<POINT> line{dc.GetCurrentPosition()};
    line.insert(line.end(), pts, pts + count);
    if (m_bClosed || !WritePoints(META_POLYLINE, line))
        return FALSE;
    // A polyline leaves the played position where it was.
    WritePoint(META_MOVETO, line.back());
    return TRUE;
}

BOOL CTkMetaFileRecorder::Polygon(CTkDC&, const POINT* pts, int count)
{
    if (m_bInPath) {
        m_path.Polygon({pts, std::size_t(count)});
        return TRUE;
    }
    return !m_bClosed && WritePoints(META_POLYGON, {pts, std::size_t(count)});
}

BOOL CTkMetaFileRecorder::PolyPolyline(CTkDC&, const POINT* pts, const DWORD* counts, int polys)
{
    if (m_bInPath) {
        m_path.PolyPolyline(pts, {counts, std::size_t(polys)});
        return TRUE;
    }
    const std::span<const DWORD> sizes(counts, std::size_t(polys));
    if (m_bClosed || std::ranges::any_of(sizes, [](DWORD n) { return n > kMaxCount; }))
        return FALSE;
    for (DWORD n : sizes) {
        WritePoints(META_POLYLINE, {pts, n});
        pts += n;
    }
    return TRUE;
}

BOOL CTkMetaFileRecorder::PolyPolygon(CTkDC&, const POINT* pts, const INT* counts, int polys)
{
    if (m_bInPath) {
        m_path.PolyPolygon(pts, {counts, std::size_t(polys)});
        return TRUE;
    }
    const std::span<const INT> sizes(counts, std::size_t(polys));
    if (m_bClosed || sizes.size() > kMaxCount ||
        std::ranges::any_of(sizes, [](INT n) { return std::size_t(n) > kMaxCount; }))
        return FALSE;
    Params params;
    params.Word(WORD(sizes.size()));
    std::size_t total = 0;
    for (INT n : sizes) {
        params.Word(WORD(n));
        total += std::size_t(n);
    }
    for (const POINT& p : std::span<const POINT>(pts, total))
        params.Point(p);
    Emit(META_POLYPOLYGON, params.View());
    return TRUE;
}

BOOL CTkMetaFileRecorder::PolyBezier(CTkDC&, const POINT* pts, int count)
{
    if (m_bInPath) {
        m_path.PolyBezier({pts, std::size_t(count)});
        return TRUE;
    }
    if (count == 1)
        return !m_bClosed;  // a start point alone draws nothing
    const std::span<const POINT> rest(pts + 1, std::size_t(count - 1));
    return !m_bClosed && WritePoints(META_POLYLINE, FlattenBeziers(pts[0], rest));
}

BOOL CTkMetaFileRecorder::PolyBezierTo(CTkDC& dc, const POINT* pts, int count)
{
    if (m_bInPath) {
        m_path.PolyBezierTo(dc.GetCurrentPosition(), {pts, std::size_t(count)});
        return TRUE;
    }
    const std::vector<POINT> line =
        FlattenBeziers(dc.GetCurrentPosition(), {pts, std::size_t(count)});
    if (m_bClosed || !WritePoints(META_POLYLINE, line))
        return FALSE;
    WritePoint(META_MOVETO, line.back());
    return TRUE;
}

BOOL CTkMetaFileRecorder::ExtTextOutW(CTkDC& dc, POINT p, UINT options, const RECT* pRect,
                                      const WCHAR* text, UINT count, const INT* dx)
{
    // Glyph indices mean nothing once the text is 8-bit.
    if (m_bClosed || (options & ETO_GLYPH_INDEX) != 0)
        return FALSE;
    const std::u16string_view units(text, count);
    std::vector<std::size_t> sources;
    const std::string bytes = TkUtf16ToCodePage(units, TkSelectedCharSet(dc), &sources);
    if (bytes.size() > kMaxCount)
        return FALSE;
    const bool hasRect = pRect != nullptr && (options & (ETO_OPAQUE | ETO_CLIPPED)) != 0;
    UINT written = options & ~ETO_PDY;
    if (!hasRect)
        written &= ~(ETO_OPAQUE | ETO_CLIPPED);

    Params params;
    params.Coord(p.y).Coord(p.x).Word(WORD(bytes.size())).Word(WORD(written));
    if (hasRect)
        params.Coord(pRect->left).Coord(pRect->top).Coord(pRect->right).Coord(pRect->bottom);
    params.Bytes({reinterpret_cast<const BYTE*>(bytes.data()), bytes.size()});
    // One advance per byte: a character advances on its first byte by all its
    // UTF-16 units, the trail byte of a double-byte character by nothing.
    for (std::size_t i = 0; dx != nullptr && i < sources.size(); ++i) {
        const bool trail = i > 0 && sources[i - 1] == sources[i];
        std::size_t next = i + 1;
        while (next < sources.size() && sources[next] == sources[i])
            ++next;
        const std::size_t end = trail                   ? sources[i]
                                : next < sources.size() ? sources[next]
                                                        : units.size();
        std::int64_t advance = 0;
        for (std::size_t unit = sources[i]; unit < end; ++unit)
            advance += Advance(dx, options, unit);
        params.Coord(advance);
    }
    Emit(META_EXTTEXTOUT, params.View());
    return TRUE;
}

BOOL CTkMetaFileRecorder::GdiComment(CTkDC&, UINT size, const BYTE* data)
{
    if (m_bClosed || size > kMaxCommentBytes)
        return FALSE;
    Params params;
    params.Word(MFCOMMENT).Word(WORD(size)).Bytes({data, size});
    Emit(META_ESCAPE, params.View());
    return TRUE;
}

// 16-bit metafiles have no paths: the figures are kept until the path is drawn.
BOOL CTkMetaFileRecorder::BeginPath(CTkDC&)
{
    m_path.Clear();
    m_bInPath = !m_bClosed;
    m_bPathEnded = false;
    return m_bInPath;
}

BOOL CTkMetaFileRecorder::EndPath(CTkDC&)
{
    m_bPathEnded = m_bInPath;
    m_bInPath = false;
    return m_bPathEnded;
}

BOOL CTkMetaFileRecorder::CloseFigure(CTkDC&)
{
    m_path.CloseFigure();
    return m_bInPath;
}

BOOL CTkMetaFileRecorder::AbortPath(CTkDC&)
{
    m_path.Clear();
    m_bInPath = false;
    m_bPathEnded = false;
    return !m_bClosed;
}

bool CTkMetaFileRecorder::TakePath(std::vector<POINT>* pPoints, std::vector<INT>* pCounts,
                                   bool closeClosed)
{
    const bool ended = m_bPathEnded && !m_bClosed;
    if (ended)
        m_path.Gather(closeClosed, pPoints, pCounts);
    m_path.Clear();
    m_bInPath = false;
    m_bPathEnded = false;
    return ended;
}

BOOL CTkMetaFileRecorder::StrokePath(CTkDC& dc)
{
    std::vector<POINT> pts;
    std::vector<INT> counts;
    if (!TakePath(&pts, &counts, true))
        return FALSE;
    const std::vector<DWORD> sizes(counts.begin(), counts.end());
    return PolyPolyline(dc, pts.data(), sizes.data(), int(sizes.size()));
}

BOOL CTkMetaFileRecorder::FillPath(CTkDC& dc)
{
    std::vector<POINT> pts;
    std::vector<INT> counts;
    if (!TakePath(&pts, &counts, false) || counts.size() > kMaxCount ||
        std::ranges::any_of(counts, [](INT n) { return std::size_t(n) > kMaxCount; }))
        return FALSE;
    if (counts.empty())
        return TRUE;
    // A fill has no outline, but the player draws polygons with its pen.
    const HGDIOBJ pen = dc.GetCurrentObject(OBJ_PEN);
    const HGDIOBJ nullPen = GetStockObject(NULL_PEN);
    if (pen != nullPen && !Select(nullPen))
        return FALSE;
    const BOOL written = PolyPolygon(dc, pts.data(), counts.data(), int(counts.size()));
    if (pen != nullPen)
        Select(pen);
    return written;
}

BOOL CTkMetaFileRecorder::StrokeAndFillPath(CTkDC& dc)
{
    std::vector<POINT> pts;
    std::vector<INT> counts;
    if (!TakePath(&pts, &counts, false))
        return FALSE;
    return counts.empty() || PolyPolygon(dc, pts.data(), counts.data(), int(counts.size()));
}

COLORREF CTkMetaFileRecorder::SetPixel(CTkDC&, POINT p, COLORREF color)
{
    if (m_bClosed)
        return COLORREF(CLR_INVALID);
    Emit(META_SETPIXEL, Params().DWord(color).Coord(p.y).Coord(p.x).View());
    return color;
}

BOOL CTkMetaFileRecorder::InvertRect(CTkDC&, const RECT& rect)
{
    WritePatBlt(rect, DSTINVERT);
    return !m_bClosed;
}

// A focus rectangle is for the screen only.
BOOL CTkMetaFileRecorder::DrawFocusRect(CTkDC&, const RECT&) { return FALSE; }

BOOL CTkMetaFileRecorder::FillRect(CTkDC& dc, const RECT& rect, HBRUSH hBrush)
{
    const HGDIOBJ current = dc.GetCurrentObject(OBJ_BRUSH);
    if (!Select(hBrush))
        return FALSE;
    WritePatBlt(rect, PATCOPY);
    // The played DC must go on with the brush this DC still has.
    if (current != hBrush)
        Select(current);
    return TRUE;
}

BOOL CTkMetaFileRecorder::PatBlt(CTkDC&, const RECT& rect, DWORD rop)
{
    WritePatBlt(rect, rop);
    return !m_bClosed;
}

// Copying pixels out of another DC is not recorded.
BOOL CTkMetaFileRecorder::BitBlt(CTkDC&, const RECT&, CTkDC&, POINT, DWORD) { return FALSE; }

// A stretched DIB is META_STRETCHDIB with its BITMAPINFO and bits after the
// fields. WMF has no transparent or blended blits: TransparentBlt becomes the
// mask pair (a mask, white where the colour is, ANDed; then the source, black
// there, ORed), AlphaBlend the source composited on white, or the mask pair
// when each pixel is opaque or empty; a bitmap whose colours cannot be
// rewritten so is drawn opaque. The other blits are not
// recorded.
BOOL CTkMetaFileRecorder::DibBlit(CTkDC&, const TkDibBlit& blit)
{
    if (m_bClosed)
        return FALSE;
    // The bits follow the header and table unpadded, whatever their length.
    std::vector<BYTE> dib(blit.bmi.begin(), blit.bmi.end());
    dib.insert(dib.end(), blit.bits.begin(), blit.bits.end());
    switch (blit.call) {
    case TkDibBlitCall::StretchDIBits: WriteStretchDib(blit, dib, blit.rop); return TRUE;
    case TkDibBlitCall::TransparentBlt: WriteTransparentDib(blit, dib); return TRUE;
    case TkDibBlitCall::AlphaBlend: WriteBlendedDib(blit, dib); return TRUE;
    default: return FALSE;
    }
}

void CTkMetaFileRecorder::WriteStretchDib(const TkDibBlit& blit, std::span<const BYTE> dib,
                                          DWORD rop)
{
    Params params;
    params.DWord(rop)
        .Word(WORD(blit.usage))
        .Coord(blit.cySrc)
        .Coord(blit.cxSrc)
        .Coord(blit.ySrc)
        .Coord(blit.xSrc)
        .Coord(blit.cyDest)
        .Coord(blit.cxDest)
        .Coord(blit.yDest)
        .Coord(blit.xDest);
    params.Bytes(dib);
    Emit(META_STRETCHDIB, params.View());
}

// Returns false, writing nothing, when the bitmap's colours cannot be rewritten.
bool CTkMetaFileRecorder::WriteMaskPair(const TkDibBlit& blit, std::span<const BYTE> dib,
                                        const std::function<bool(TkDibColour)>& isHidden)
{
    const TkDibColour white{255, 255, 255, 255}, black{0, 0, 0, 255};
    const auto mask = TkMapDibColours(dib, [&](TkDibColour c) {
        return isHidden(c) ? white : black;
    });
    const auto source = TkMapDibColours(dib, [&](TkDibColour c) {
        return isHidden(c) ? black : c;
    });
    if (!mask || !source || blit.usage != DIB_RGB_COLORS)
        return false;
    WriteStretchDib(blit, *mask, SRCAND);
    WriteStretchDib(blit, *source, SRCPAINT);
    return true;
}

void CTkMetaFileRecorder::WriteTransparentDib(const TkDibBlit& blit, std::span<const BYTE> dib)
{
    const COLORREF key = blit.transparentColour & 0xFFFFFF;
    if (!WriteMaskPair(blit, dib, [key](TkDibColour c) { return c.Ref() == key; }))
        WriteStretchDib(blit, dib, SRCCOPY);
}

void CTkMetaFileRecorder::WriteBlendedDib(const TkDibBlit& blit, std::span<const BYTE> dib)
{
    const unsigned constant = (blit.blendFunction >> 16) & 0xFF;
    const bool perPixel = ((blit.blendFunction >> 24) & AC_SRC_ALPHA) != 0;
    if (constant == 255 && !perPixel) {
        WriteStretchDib(blit, dib, SRCCOPY);
        return;
    }
    // Pixels either opaque or empty (a mask made alpha) keep what lies under
    // them through the mask pair.
    bool bBinary = constant == 255 && perPixel;
    TkMapDibColours(dib, [&](TkDibColour c) {
        bBinary = bBinary && (c.alpha == 0 || c.alpha == 255);
        return c;
    });
    if (bBinary && WriteMaskPair(blit, dib, [](TkDibColour c) { return c.alpha == 0; }))
        return;
    // Premultiplied source over white: c * k + 255 - a * k, with k the constant
    // alpha and a the pixel's alpha (255 without per-pixel alpha).
    const auto over = [&](BYTE c, BYTE a) {
        const unsigned coverage = (perPixel ? a : 255u) * constant / 255;
        return BYTE(std::min(255u, c * constant / 255 + 255 - coverage));
    };
    const auto blended = TkMapDibColours(dib, [&](TkDibColour c) {
        return TkDibColour{over(c.red, c.alpha), over(c.green, c.alpha), over(c.blue, c.alpha)};
    });
    WriteStretchDib(blit, blended ? std::span<const BYTE>(*blended) : dib, SRCCOPY);
}

std::unique_ptr<CTkDC> CreateMetaFileW(const WCHAR* pszFile)
{
    if (pszFile != nullptr)
        return nullptr;
    return std::make_unique<CTkDC>(std::make_unique<CTkMetaFileRecorder>(), OBJ_METADC,
                                   CTkMetaFileRecorder::DeviceCaps());
}

std::unique_ptr<CTkMetaFile> CloseMetaFile(CTkDC* pDC)
{
    auto* pRecorder = pDC != nullptr ? dynamic_cast<CTkMetaFileRecorder*>(pDC->GetBackend())
                                     : nullptr;
    return pRecorder != nullptr ? pRecorder->Close() : nullptr;
}
