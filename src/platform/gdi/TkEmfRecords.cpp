#include "platform/gdi/TkEmfRecords.h"

#include "platform/gdi/EmfRecordTypes.h"
#include "platform/gdi/TkGradientFill.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cstring>
#include <initializer_list>

// Fixed structures are copied byte for byte from the record.
static_assert(std::endian::native == std::endian::little);

namespace {

using Bytes = std::span<const std::uint8_t>;

constexpr std::size_t kHeaderBase = 88;   // up to szlMillimeters
constexpr std::size_t kHeaderExt1 = 100;  // cbPixelFormat, offPixelFormat, bOpenGL
constexpr std::size_t kHeaderExt2 = 108;  // szlMicrometers
constexpr std::size_t kPolyFixed = 28;
constexpr std::size_t kPolyPolyFixed = 32;
constexpr std::size_t kTextFixed = 76;
constexpr std::size_t kFontData = 12;
constexpr std::size_t kLogFontPanoseSize = 320;
constexpr std::size_t kLogFontExSize = 348;
constexpr std::size_t kDesignVectorHead = 8;
constexpr DWORD kMaxDesignAxes = 16;
constexpr std::size_t kExtCreatePenFixed = 52;
constexpr std::size_t kDibBrushFixed = 32;

DWORD TypeOf(const CTkEmfFieldReader& r)
{
    return r.Has(0, 8) ? r.U32(0) : 0;
}

// 8 for the 32-bit form of a point record, 4 for the 16-bit form, 0 for neither.
std::size_t PointSize(DWORD type, std::initializer_list<DWORD> wide,
                      std::initializer_list<DWORD> narrow)
{
    if (std::ranges::find(wide, type) != wide.end())
        return 8;
    if (std::ranges::find(narrow, type) != narrow.end())
        return 4;
    return 0;
}

std::vector<POINT> ReadPoints(const CTkEmfFieldReader& r, std::size_t offset,
                              std::size_t count, std::size_t pointSize)
{
    std::vector<POINT> points(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = offset + i * pointSize;
        points[i] = pointSize == 8 ? r.Point(at) : r.Point16(at);
    }
    return points;
}

std::vector<LONG> ReadLongs(const CTkEmfFieldReader& r, std::size_t offset, std::size_t count,
                            std::size_t stride)
{
    std::vector<LONG> values(count);
    for (std::size_t i = 0; i < count; ++i)
        values[i] = r.I32(offset + i * stride);
    return values;
}

// A part of the record named by (offset, length) that must lie after the fixed
// fields; a zero length is an absent part, whatever its offset.
std::optional<Bytes> Part(const CTkEmfFieldReader& r, DWORD offset, DWORD length,
                          std::size_t fixedEnd)
{
    if (length == 0)
        return Bytes{};
    if (offset < fixedEnd || !r.Has(offset, length))
        return std::nullopt;
    return r.Bytes(offset, length);
}

template <class T>
T CopyStruct(const CTkEmfFieldReader& r, std::size_t offset)
{
    T value{};
    const Bytes bytes = r.Bytes(offset, sizeof(T));
    if (bytes.size() == sizeof(T))
        std::memcpy(&value, bytes.data(), sizeof(T));
    return value;
}

// The header form, or 0 when the description or the pixel format lies outside the
// record. A description or pixel format that starts inside the optional fields
// cuts the form short, as the format rules.
std::size_t HeaderForm(const CTkEmfFieldReader& r)
{
    const DWORD nDescription = r.U32(60);
    const DWORD offDescription = r.U32(64);
    std::size_t limit = r.Size();
    if (nDescription != 0) {
        if (offDescription < kHeaderBase || !r.HasArray(offDescription, nDescription, 2))
            return 0;
        limit = offDescription;
    }
    if (limit >= kHeaderExt1) {
        const DWORD cbPixelFormat = r.U32(88);
        const DWORD offPixelFormat = r.U32(92);
        if (cbPixelFormat != 0) {
            if (offPixelFormat < kHeaderBase || !r.Has(offPixelFormat, cbPixelFormat))
                return 0;
            limit = std::min<std::size_t>(limit, offPixelFormat);
        }
    }
    if (limit >= kHeaderExt2)
        return kHeaderExt2;
    return limit >= kHeaderExt1 ? kHeaderExt1 : kHeaderBase;
}

}  // namespace

// ---- CTkEmfFieldReader ----

bool CTkEmfFieldReader::HasArray(std::size_t offset, std::uint64_t count,
                                 std::size_t elementSize) const
{
    if (!Has(offset, 0))
        return false;
    const std::uint64_t room = m_bytes.size() - offset;
    return elementSize == 0 || count <= room / elementSize;
}

BYTE CTkEmfFieldReader::U8(std::size_t offset) const
{
    assert(Has(offset, 1));
    return Has(offset, 1) ? m_bytes[offset] : 0;
}

WORD CTkEmfFieldReader::U16(std::size_t offset) const
{
    assert(Has(offset, 2));
    if (!Has(offset, 2))
        return 0;
    return WORD(m_bytes[offset] | m_bytes[offset + 1] << 8);
}

DWORD CTkEmfFieldReader::U32(std::size_t offset) const
{
    assert(Has(offset, 4));
    if (!Has(offset, 4))
        return 0;
    return DWORD(m_bytes[offset]) | DWORD(m_bytes[offset + 1]) << 8 |
           DWORD(m_bytes[offset + 2]) << 16 | DWORD(m_bytes[offset + 3]) << 24;
}

float CTkEmfFieldReader::F32(std::size_t offset) const
{
    return std::bit_cast<float>(U32(offset));
}

RECT CTkEmfFieldReader::Rect(std::size_t offset) const
{
    return {I32(offset), I32(offset + 4), I32(offset + 8), I32(offset + 12)};
}

std::span<const std::uint8_t> CTkEmfFieldReader::Bytes(std::size_t offset,
                                                       std::size_t length) const
{
    assert(Has(offset, length));
    return Has(offset, length) ? m_bytes.subspan(offset, length)
                               : std::span<const std::uint8_t>{};
}

// ---- header and simple records ----

std::optional<TkEmrHeader> TkParseEmrHeader(Bytes record)
{
    const CTkEmfFieldReader r(record);
    if (!r.Has(0, kHeaderBase) || r.U32(0) != EMR_HEADER || r.U32(40) != ENHMETA_SIGNATURE)
        return std::nullopt;
    const std::size_t form = HeaderForm(r);
    if (form == 0)
        return std::nullopt;
    TkEmrHeader h;
    h.fixedSize = form;
    std::memcpy(&h.header, record.data(), form);
    const std::size_t offDescription = h.header.offDescription;
    h.description.resize(h.header.nDescription);
    for (std::size_t i = 0; i < h.description.size(); ++i)
        h.description[i] = char16_t(r.U16(offDescription + 2 * i));
    return h;
}

std::optional<DWORD> TkParseEmrValue(Bytes record)
{
    const CTkEmfFieldReader r(record);
    return r.Has(8, 4) ? std::optional(r.U32(8)) : std::nullopt;
}

std::optional<float> TkParseEmrMiterLimit(Bytes record)
{
    const CTkEmfFieldReader r(record);
    return r.Has(8, 4) ? std::optional(r.F32(8)) : std::nullopt;
}

std::optional<POINT> TkParseEmrPoint(Bytes record)
{
    const CTkEmfFieldReader r(record);
    return r.Has(8, 8) ? std::optional(r.Point(8)) : std::nullopt;
}

std::optional<SIZE> TkParseEmrSize(Bytes record)
{
    const CTkEmfFieldReader r(record);
    return r.Has(8, 8) ? std::optional(r.Size(8)) : std::nullopt;
}

std::optional<RECT> TkParseEmrRect(Bytes record)
{
    const CTkEmfFieldReader r(record);
    return r.Has(8, 16) ? std::optional(r.Rect(8)) : std::nullopt;
}

std::optional<TkEmrScaleExt> TkParseEmrScaleExt(Bytes record)
{
    const CTkEmfFieldReader r(record);
    if (!r.Has(8, 16))
        return std::nullopt;
    return TkEmrScaleExt{r.I32(8), r.I32(12), r.I32(16), r.I32(20)};
}

std::optional<TkEmrRoundRect> TkParseEmrRoundRect(Bytes record)
{
    const CTkEmfFieldReader r(record);
    if (!r.Has(8, 24))
        return std::nullopt;
    return TkEmrRoundRect{r.Rect(8), r.Size(24)};
}

// The fixed part runs to cbBitsSrc at offset 96.
std::optional<TkEmrBitBlt> TkParseEmrBitBlt(Bytes record)
{
    const CTkEmfFieldReader r(record);
    if (!r.Has(8, 92))
        return std::nullopt;
    return TkEmrBitBlt{r.I32(24), r.I32(28), r.I32(32), r.I32(36), r.U32(40),
                       r.U32(88) != 0 || r.U32(96) != 0};
}

std::optional<TkEmrArc> TkParseEmrArc(Bytes record)
{
    const CTkEmfFieldReader r(record);
    if (!r.Has(8, 32))
        return std::nullopt;
    return TkEmrArc{r.Rect(8), r.Point(24), r.Point(32)};
}

// ---- point records ----

std::optional<TkEmrPoly> TkParseEmrPoly(Bytes record)
{
    const CTkEmfFieldReader r(record);
    const std::size_t pointSize =
        PointSize(TypeOf(r),
                  {EMR_POLYBEZIER, EMR_POLYGON, EMR_POLYLINE, EMR_POLYBEZIERTO, EMR_POLYLINETO},
                  {EMR_POLYBEZIER16, EMR_POLYGON16, EMR_POLYLINE16, EMR_POLYBEZIERTO16,
                   EMR_POLYLINETO16});
    if (pointSize == 0 || !r.Has(0, kPolyFixed))
        return std::nullopt;
    const DWORD count = r.U32(24);
    if (!r.HasArray(kPolyFixed, count, pointSize))
        return std::nullopt;
    return TkEmrPoly{r.Rect(8), ReadPoints(r, kPolyFixed, count, pointSize)};
}

std::optional<TkEmrPolyPoly> TkParseEmrPolyPoly(Bytes record)
{
    const CTkEmfFieldReader r(record);
    const std::size_t pointSize = PointSize(TypeOf(r), {EMR_POLYPOLYLINE, EMR_POLYPOLYGON},
                                            {EMR_POLYPOLYLINE16, EMR_POLYPOLYGON16});
    if (pointSize == 0 || !r.Has(0, kPolyPolyFixed))
        return std::nullopt;
    const DWORD nPolys = r.U32(24);
    const DWORD nPoints = r.U32(28);
    if (!r.HasArray(kPolyPolyFixed, nPolys, 4))
        return std::nullopt;
    const std::size_t pointsAt = kPolyPolyFixed + 4 * std::size_t(nPolys);
    if (!r.HasArray(pointsAt, nPoints, pointSize))
        return std::nullopt;
    TkEmrPolyPoly p;
    p.counts.resize(nPolys);
    std::uint64_t sum = 0;
    for (std::size_t i = 0; i < nPolys; ++i) {
        p.counts[i] = r.U32(kPolyPolyFixed + 4 * i);
        sum += p.counts[i];
    }
    if (sum != nPoints)
        return std::nullopt;
    p.bounds = r.Rect(8);
    p.points = ReadPoints(r, pointsAt, nPoints, pointSize);
    return p;
}

std::optional<TkEmrPolyDraw> TkParseEmrPolyDraw(Bytes record)
{
    const CTkEmfFieldReader r(record);
    const std::size_t pointSize = PointSize(TypeOf(r), {EMR_POLYDRAW}, {EMR_POLYDRAW16});
    if (pointSize == 0 || !r.Has(0, kPolyFixed))
        return std::nullopt;
    const DWORD count = r.U32(24);
    if (!r.HasArray(kPolyFixed, count, pointSize + 1))  // each point and its type byte
        return std::nullopt;
    const Bytes types = r.Bytes(kPolyFixed + count * pointSize, count);
    return TkEmrPolyDraw{r.Rect(8), ReadPoints(r, kPolyFixed, count, pointSize),
                         std::vector<BYTE>(types.begin(), types.end())};
}

std::optional<TkEmrWorldTransform> TkParseEmrWorldTransform(Bytes record)
{
    const CTkEmfFieldReader r(record);
    const bool bModify = TypeOf(r) == EMR_MODIFYWORLDTRANSFORM;
    if (!r.Has(8, bModify ? 28 : 24))
        return std::nullopt;
    const XFORM xform{r.F32(8), r.F32(12), r.F32(16), r.F32(20), r.F32(24), r.F32(28)};
    return TkEmrWorldTransform{xform, bModify ? r.U32(32) : 0};
}

std::optional<TkEmrAngleArc> TkParseEmrAngleArc(Bytes record)
{
    const CTkEmfFieldReader r(record);
    if (!r.Has(8, 20))
        return std::nullopt;
    return TkEmrAngleArc{r.Point(8), r.U32(16), r.F32(20), r.F32(24)};
}

// ---- text and blobs ----

namespace {

bool ReadString(const CTkEmfFieldReader& r, bool bWide, TkEmrExtTextOut* p)
{
    const DWORD offString = r.U32(48);
    if (p->nChars == 0)
        return true;
    if (offString < kTextFixed || !r.HasArray(offString, p->nChars, bWide ? 2 : 1))
        return false;
    if (!bWide) {
        const Bytes text = r.Bytes(offString, p->nChars);
        p->ansiText.assign(text.begin(), text.end());
        return true;
    }
    p->text.resize(p->nChars);
    for (std::size_t i = 0; i < p->nChars; ++i)
        p->text[i] = char16_t(r.U16(offString + 2 * i));
    return true;
}

bool ReadAdvances(const CTkEmfFieldReader& r, TkEmrExtTextOut* p)
{
    const DWORD offDx = r.U32(72);
    if (offDx == 0 || p->nChars == 0)
        return true;
    const bool bPairs = (p->options & ETO_PDY) != 0;
    const std::uint64_t values = std::uint64_t(p->nChars) * (bPairs ? 2 : 1);
    if (offDx < kTextFixed || !r.HasArray(offDx, values, 4))
        return false;
    const std::size_t stride = bPairs ? 8 : 4;
    p->dx = ReadLongs(r, offDx, p->nChars, stride);
    if (bPairs)
        p->dy = ReadLongs(r, offDx + 4, p->nChars, stride);
    return true;
}

}  // namespace

std::optional<TkEmrExtTextOut> TkParseEmrExtTextOut(Bytes record)
{
    const CTkEmfFieldReader r(record);
    const DWORD type = TypeOf(r);
    if ((type != EMR_EXTTEXTOUTW && type != EMR_EXTTEXTOUTA) || !r.Has(0, kTextFixed))
        return std::nullopt;
    TkEmrExtTextOut t;
    t.bounds = r.Rect(8);
    t.iGraphicsMode = r.U32(24);
    t.exScale = r.F32(28);
    t.eyScale = r.F32(32);
    t.reference = r.Point(36);
    t.nChars = r.U32(44);
    t.options = r.U32(52);
    t.rect = r.Rect(56);
    if (!ReadString(r, type == EMR_EXTTEXTOUTW, &t) || !ReadAdvances(r, &t))
        return std::nullopt;
    return t;
}

std::optional<TkEmrSmallTextOut> TkParseEmrSmallTextOut(Bytes record)
{
    constexpr std::size_t kFixed = 36;
    const CTkEmfFieldReader r(record);
    if (TypeOf(r) != EMR_SMALLTEXTOUT || !r.Has(0, kFixed))
        return std::nullopt;
    TkEmrSmallTextOut t;
    t.reference = r.Point(8);
    const DWORD nChars = r.U32(16);
    t.options = r.U32(20);
    const bool bRect = (t.options & ETO_NO_RECT) == 0;
    const std::size_t offString = kFixed + (bRect ? 16 : 0);
    const bool bSmall = (t.options & ETO_SMALL_CHARS) != 0;
    if (!r.Has(0, offString) || !r.HasArray(offString, nChars, bSmall ? 1 : 2))
        return std::nullopt;
    if (bRect)
        t.rect = r.Rect(kFixed);
    t.text.resize(nChars);
    for (std::size_t i = 0; i < nChars; ++i)
        t.text[i] = bSmall ? char16_t(r.U8(offString + i)) : char16_t(r.U16(offString + 2 * i));
    return t;
}

std::optional<std::span<const std::uint8_t>> TkParseEmrGdiComment(Bytes record)
{
    const CTkEmfFieldReader r(record);
    if (!r.Has(8, 4) || !r.Has(12, r.U32(8)))
        return std::nullopt;
    return r.Bytes(12, r.U32(8));
}

std::optional<TkEmrExtSelectClipRgn> TkParseEmrExtSelectClipRgn(Bytes record)
{
    const CTkEmfFieldReader r(record);
    if (!r.Has(8, 8) || !r.Has(16, r.U32(8)))
        return std::nullopt;
    return TkEmrExtSelectClipRgn{r.U32(12), r.Bytes(16, r.U32(8))};
}

// ---- object records ----

std::optional<TkEmrCreatePen> TkParseEmrCreatePen(Bytes record)
{
    const CTkEmfFieldReader r(record);
    if (!r.Has(8, 4 + sizeof(LOGPEN)))
        return std::nullopt;
    return TkEmrCreatePen{r.U32(8), CopyStruct<LOGPEN>(r, 12)};
}

std::optional<TkEmrCreateBrushIndirect> TkParseEmrCreateBrushIndirect(Bytes record)
{
    const CTkEmfFieldReader r(record);
    if (!r.Has(8, 4 + sizeof(LOGBRUSH)))
        return std::nullopt;
    return TkEmrCreateBrushIndirect{r.U32(8), CopyStruct<LOGBRUSH>(r, 12)};
}

std::optional<TkEmrCreatePalette> TkParseEmrCreatePalette(Bytes record)
{
    const CTkEmfFieldReader r(record);
    if (!r.Has(8, 8))
        return std::nullopt;
    const WORD count = r.U16(14);
    if (!r.HasArray(16, count, sizeof(PALETTEENTRY)))
        return std::nullopt;
    TkEmrCreatePalette p{r.U32(8), r.U16(12), std::vector<PALETTEENTRY>(count)};
    for (std::size_t i = 0; i < count; ++i)
        p.entries[i] = CopyStruct<PALETTEENTRY>(r, 16 + 4 * i);
    return p;
}

std::optional<TkEmrExtCreatePen> TkParseEmrExtCreatePen(Bytes record)
{
    const CTkEmfFieldReader r(record);
    if (!r.Has(0, kExtCreatePenFixed))
        return std::nullopt;
    TkEmrExtCreatePen p;
    p.ihPen = r.U32(8);
    p.elp = CopyStruct<EXTLOGPEN>(r, 28);
    if (!r.HasArray(kExtCreatePenFixed, p.elp.elpNumEntries, 4))
        return std::nullopt;
    const auto bmi = Part(r, r.U32(12), r.U32(16), kExtCreatePenFixed);
    const auto bits = Part(r, r.U32(20), r.U32(24), kExtCreatePenFixed);
    if (!bmi || !bits)
        return std::nullopt;
    p.bmi = *bmi;
    p.bits = *bits;
    p.styleEntries.resize(p.elp.elpNumEntries);
    for (std::size_t i = 0; i < p.styleEntries.size(); ++i)
        p.styleEntries[i] = r.U32(kExtCreatePenFixed + 4 * i);
    return p;
}

std::optional<TkEmrDibBrush> TkParseEmrDibBrush(Bytes record)
{
    const CTkEmfFieldReader r(record);
    if (!r.Has(0, kDibBrushFixed))
        return std::nullopt;
    const auto bmi = Part(r, r.U32(16), r.U32(20), kDibBrushFixed);
    const auto bits = Part(r, r.U32(24), r.U32(28), kDibBrushFixed);
    if (!bmi || !bits)
        return std::nullopt;
    return TkEmrDibBrush{r.U32(8), r.U32(12), *bmi, *bits};
}

std::optional<TkEmrExtCreateFont> TkParseEmrExtCreateFont(Bytes record)
{
    const CTkEmfFieldReader r(record);
    if (!r.Has(kFontData, sizeof(LOGFONTW)))
        return std::nullopt;
    TkEmrExtCreateFont f;
    f.ihFont = r.U32(8);
    f.lf = CopyStruct<LOGFONTW>(r, kFontData);
    if (r.Size() - kFontData <= kLogFontPanoseSize)
        return f;
    // ENUMLOGFONTEXDV: the ENUMLOGFONTEXW names, then a DESIGNVECTOR.
    constexpr std::size_t vectorAt = kFontData + kLogFontExSize;
    if (!r.Has(vectorAt, kDesignVectorHead))
        return std::nullopt;
    const DWORD axes = r.U32(vectorAt + 4);
    if (axes > kMaxDesignAxes || !r.HasArray(vectorAt + kDesignVectorHead, axes, 4))
        return std::nullopt;
    f.bExtended = true;
    f.fullName = CopyStruct<decltype(f.fullName)>(r, kFontData + sizeof(LOGFONTW));
    f.style = CopyStruct<decltype(f.style)>(r, kFontData + sizeof(LOGFONTW) + 128);
    f.script = CopyStruct<decltype(f.script)>(r, kFontData + sizeof(LOGFONTW) + 192);
    f.designValues = ReadLongs(r, vectorAt + kDesignVectorHead, axes, 4);
    return f;
}

std::optional<TkEmrSetPixelV> TkParseEmrSetPixelV(Bytes record)
{
    const CTkEmfFieldReader r(record);
    if (!r.Has(8, 12))
        return std::nullopt;
    return TkEmrSetPixelV{r.Point(8), r.U32(16)};
}

std::optional<TkEmrGradientFill> TkParseEmrGradientFill(Bytes record)
{
    constexpr std::size_t kFixed = 36;
    constexpr std::size_t kVertexSize = 16;
    const CTkEmfFieldReader r(record);
    if (!r.Has(8, kFixed - 8))
        return std::nullopt;
    TkEmrGradientFill g;
    g.bounds = r.Rect(8);
    const DWORD nVer = r.U32(24);
    const DWORD nTri = r.U32(28);
    g.mode = r.U32(32);
    const std::size_t per = TkGradientIndicesPerItem(g.mode);
    if (per == 0 || !r.HasArray(kFixed, nVer, kVertexSize))
        return std::nullopt;
    const std::size_t meshAt = kFixed + std::size_t(nVer) * kVertexSize;
    if (!r.HasArray(meshAt, std::uint64_t(nTri) * per, 4))
        return std::nullopt;
    g.vertices.resize(nVer);
    for (std::size_t i = 0; i < nVer; ++i) {
        const std::size_t at = kFixed + i * kVertexSize;
        const POINT p = r.Point(at);
        g.vertices[i] = {p.x, p.y, r.U16(at + 8), r.U16(at + 10), r.U16(at + 12),
                         r.U16(at + 14)};
    }
    g.mesh.resize(std::size_t(nTri) * per);
    for (std::size_t i = 0; i < g.mesh.size(); ++i)
        g.mesh[i] = r.U32(meshAt + 4 * i);
    if (!TkIsValidGradientFill(g.vertices, g.mesh, g.mode))
        return std::nullopt;
    return g;
}
