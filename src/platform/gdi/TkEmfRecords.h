#pragma once
// Typed views of the enhanced-metafile records the converter turns into graphics,
// parsed from untrusted record bytes by the published [MS-EMF] layouts.
//
// Every parser takes one record as the enumerator hands it over (type and size
// included; the span's length is the record's size) and answers nullopt when the
// record is malformed: too short for its fixed fields, a count or an offset that
// reaches outside the record, or counts that contradict each other. A field is
// read only after the bytes under it were checked. Arrays are copied into vectors,
// so nothing allocated is larger than the record; spans point into the record and
// live as long as its bytes. Trailing bytes after the described fields are allowed.

#include "platform/gdi/GdiTypes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// Little-endian fields of one record. Callers check with Has or HasArray before
// reading; a read outside the bytes answers 0.
class CTkEmfFieldReader {
public:
    explicit CTkEmfFieldReader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    std::size_t Size() const { return m_bytes.size(); }
    bool Has(std::size_t offset, std::size_t length) const
    {
        return offset <= m_bytes.size() && length <= m_bytes.size() - offset;
    }
    // count elements of elementSize bytes at offset, without overflow
    bool HasArray(std::size_t offset, std::uint64_t count, std::size_t elementSize) const;

    BYTE U8(std::size_t offset) const;
    WORD U16(std::size_t offset) const;
    DWORD U32(std::size_t offset) const;
    LONG I32(std::size_t offset) const { return LONG(U32(offset)); }
    SHORT I16(std::size_t offset) const { return SHORT(U16(offset)); }
    float F32(std::size_t offset) const;
    POINT Point(std::size_t offset) const { return {I32(offset), I32(offset + 4)}; }
    POINT Point16(std::size_t offset) const { return {I16(offset), I16(offset + 2)}; }
    SIZE Size(std::size_t offset) const { return {I32(offset), I32(offset + 4)}; }
    RECT Rect(std::size_t offset) const;
    std::span<const std::uint8_t> Bytes(std::size_t offset, std::size_t length) const;

private:
    std::span<const std::uint8_t> m_bytes;
};

// The header record's fields up to szlMicrometers, as GDI's ENHMETAHEADER.
struct ENHMETAHEADER {
    DWORD iType;
    DWORD nSize;
    RECTL rclBounds;
    RECTL rclFrame;
    DWORD dSignature;
    DWORD nVersion;
    DWORD nBytes;
    DWORD nRecords;
    WORD nHandles;
    WORD sReserved;
    DWORD nDescription;
    DWORD offDescription;
    DWORD nPalEntries;
    SIZEL szlDevice;
    SIZEL szlMillimeters;
    DWORD cbPixelFormat;
    DWORD offPixelFormat;
    DWORD bOpenGL;
    SIZEL szlMicrometers;
};
static_assert(sizeof(ENHMETAHEADER) == 108);

// EMR_HEADER. The header has three forms: 88 bytes, 100 with the pixel-format
// fields, 108 with szlMicrometers. The form is the largest that fits before the
// end of the record, the description and the pixel format; fields of a shorter
// form are zero in header.
struct TkEmrHeader {
    ENHMETAHEADER header{};
    std::size_t fixedSize = 0;  // 88, 100 or 108
    std::u16string description;  // nDescription characters, nulls included
};
// Type 1, " EMF" signature, size at least the fixed fields, description and pixel
// format inside the record.
std::optional<TkEmrHeader> TkParseEmrHeader(std::span<const std::uint8_t> record);

// Records of a single 32-bit value at offset 8: the mode and colour setters,
// SELECTOBJECT, DELETEOBJECT, SELECTPALETTE, SETARCDIRECTION, RESTOREDC (signed),
// SELECTCLIPPATH.
std::optional<DWORD> TkParseEmrValue(std::span<const std::uint8_t> record);
// EMR_SETMITERLIMIT: GDI stores a FLOAT. Returned as stored, whatever its value.
std::optional<float> TkParseEmrMiterLimit(std::span<const std::uint8_t> record);
// A POINTL at offset 8: SETWINDOWORGEX, SETVIEWPORTORGEX, SETBRUSHORGEX, MOVETOEX,
// LINETO, OFFSETCLIPRGN.
std::optional<POINT> TkParseEmrPoint(std::span<const std::uint8_t> record);
// A SIZEL at offset 8: SETWINDOWEXTEX, SETVIEWPORTEXTEX.
std::optional<SIZE> TkParseEmrSize(std::span<const std::uint8_t> record);
// A RECTL at offset 8: RECTANGLE, ELLIPSE, INTERSECTCLIPRECT, EXCLUDECLIPRECT, and
// the bounds of FILLPATH, STROKEPATH, STROKEANDFILLPATH.
std::optional<RECT> TkParseEmrRect(std::span<const std::uint8_t> record);

// EMR_SCALEVIEWPORTEXTEX, EMR_SCALEWINDOWEXTEX.
struct TkEmrScaleExt {
    LONG xNum = 0;
    LONG xDenom = 0;
    LONG yNum = 0;
    LONG yDenom = 0;
};
std::optional<TkEmrScaleExt> TkParseEmrScaleExt(std::span<const std::uint8_t> record);

// EMR_ROUNDRECT.
struct TkEmrRoundRect {
    RECT box{};
    SIZE corner{};
};
std::optional<TkEmrRoundRect> TkParseEmrRoundRect(std::span<const std::uint8_t> record);

// EMR_BITBLT: where it paints, its raster operation and whether a source bitmap
// comes with it (a pattern blit has none).
struct TkEmrBitBlt {
    LONG xDest = 0;
    LONG yDest = 0;
    LONG cxDest = 0;
    LONG cyDest = 0;
    DWORD rop = 0;
    bool bSource = false;
};
std::optional<TkEmrBitBlt> TkParseEmrBitBlt(std::span<const std::uint8_t> record);

// EMR_ARC, EMR_ARCTO, EMR_CHORD, EMR_PIE.
struct TkEmrArc {
    RECT box{};
    POINT start{};
    POINT end{};
};
std::optional<TkEmrArc> TkParseEmrArc(std::span<const std::uint8_t> record);

// EMR_POLYBEZIER, POLYGON, POLYLINE, POLYBEZIERTO, POLYLINETO and their 16-bit
// forms (chosen by the record's type; 16-bit points are widened).
struct TkEmrPoly {
    RECT bounds{};
    std::vector<POINT> points;
};
std::optional<TkEmrPoly> TkParseEmrPoly(std::span<const std::uint8_t> record);

// EMR_POLYPOLYLINE, POLYPOLYGON and their 16-bit forms. The counts add up to the
// number of points.
struct TkEmrPolyPoly {
    RECT bounds{};
    std::vector<DWORD> counts;  // points of each figure
    std::vector<POINT> points;
};
std::optional<TkEmrPolyPoly> TkParseEmrPolyPoly(std::span<const std::uint8_t> record);

// EMR_POLYDRAW and EMR_POLYDRAW16: one PT_ type byte per point.
struct TkEmrPolyDraw {
    RECT bounds{};
    std::vector<POINT> points;
    std::vector<BYTE> types;
};
std::optional<TkEmrPolyDraw> TkParseEmrPolyDraw(std::span<const std::uint8_t> record);

// EMR_SETWORLDTRANSFORM and EMR_MODIFYWORLDTRANSFORM (whose mode is 0 for the
// former). The values are as stored: they may be infinite or not numbers.
struct TkEmrWorldTransform {
    XFORM xform{};
    DWORD mode = 0;
};
std::optional<TkEmrWorldTransform> TkParseEmrWorldTransform(std::span<const std::uint8_t> record);

// EMR_ANGLEARC; angles in degrees as stored.
struct TkEmrAngleArc {
    POINT center{};
    DWORD radius = 0;
    float startAngle = 0;
    float sweepAngle = 0;
};
std::optional<TkEmrAngleArc> TkParseEmrAngleArc(std::span<const std::uint8_t> record);

// EMR_EXTTEXTOUTW and EMR_EXTTEXTOUTA. The rectangle field is always present, as
// GDI writes it.
struct TkEmrExtTextOut {
    RECT bounds{};
    DWORD iGraphicsMode = 0;
    float exScale = 0;
    float eyScale = 0;
    POINT reference{};
    DWORD nChars = 0;
    DWORD options = 0;
    RECT rect{};
    std::u16string text;    // EMR_EXTTEXTOUTW: nChars UTF-16 units
    std::string ansiText;   // EMR_EXTTEXTOUTA: nChars bytes in the font's code page
    // Empty when the record has no advances (offDx 0). Otherwise nChars each: with
    // ETO_PDY the stored pairs are split into dx and dy, without it dy stays empty.
    std::vector<LONG> dx;
    std::vector<LONG> dy;
};
std::optional<TkEmrExtTextOut> TkParseEmrExtTextOut(std::span<const std::uint8_t> record);

// EMR_SMALLTEXTOUT: a text without advances. Its box is stored unless ETO_NO_RECT
// is set; with ETO_SMALL_CHARS each character is one byte, the low byte of its
// UTF-16 unit, whatever the font.
struct TkEmrSmallTextOut {
    POINT reference{};
    DWORD options = 0;
    RECT rect{};  // empty when not stored
    std::u16string text;
};
std::optional<TkEmrSmallTextOut> TkParseEmrSmallTextOut(std::span<const std::uint8_t> record);

// EMR_GDICOMMENT: the cbData bytes of the comment.
std::optional<std::span<const std::uint8_t>> TkParseEmrGdiComment(
    std::span<const std::uint8_t> record);

// EMR_EXTSELECTCLIPRGN: the mode and the RGNDATA bytes (empty for a reset).
struct TkEmrExtSelectClipRgn {
    DWORD iMode = 0;
    std::span<const std::uint8_t> rgnData;
};
std::optional<TkEmrExtSelectClipRgn> TkParseEmrExtSelectClipRgn(
    std::span<const std::uint8_t> record);

// EMR_CREATEPEN.
struct TkEmrCreatePen {
    DWORD ihPen = 0;
    LOGPEN lopn{};
};
std::optional<TkEmrCreatePen> TkParseEmrCreatePen(std::span<const std::uint8_t> record);

// EMR_CREATEBRUSHINDIRECT.
struct TkEmrCreateBrushIndirect {
    DWORD ihBrush = 0;
    LOGBRUSH lb{};
};
std::optional<TkEmrCreateBrushIndirect> TkParseEmrCreateBrushIndirect(
    std::span<const std::uint8_t> record);

// EMR_CREATEPALETTE.
struct TkEmrCreatePalette {
    DWORD ihPal = 0;
    WORD palVersion = 0;
    std::vector<PALETTEENTRY> entries;
};
std::optional<TkEmrCreatePalette> TkParseEmrCreatePalette(std::span<const std::uint8_t> record);

// EMR_EXTCREATEPEN: the pen, its user style, and the BITMAPINFO and bits of a DIB
// pattern (empty spans when the record carries none).
struct TkEmrExtCreatePen {
    DWORD ihPen = 0;
    EXTLOGPEN elp{};
    std::vector<DWORD> styleEntries;  // elp.elpNumEntries values
    std::span<const std::uint8_t> bmi;
    std::span<const std::uint8_t> bits;
};
std::optional<TkEmrExtCreatePen> TkParseEmrExtCreatePen(std::span<const std::uint8_t> record);

// EMR_CREATEMONOBRUSH and EMR_CREATEDIBPATTERNBRUSHPT. Only the record's offsets
// are checked here; the bitmap itself is measured where it is made into an object
// (TkMeasurePackedDib).
struct TkEmrDibBrush {
    DWORD ihBrush = 0;
    DWORD iUsage = 0;
    std::span<const std::uint8_t> bmi;
    std::span<const std::uint8_t> bits;
};
std::optional<TkEmrDibBrush> TkParseEmrDibBrush(std::span<const std::uint8_t> record);

// EMR_EXTCREATEFONTINDIRECTW. Up to 320 bytes of font data is a plain LOGFONTW
// (whatever follows it is ignored); more is an ENUMLOGFONTEXDV whose design vector
// must fit the record.
struct TkEmrExtCreateFont {
    DWORD ihFont = 0;
    LOGFONTW lf{};  // the face name is kept as stored, ended or not
    bool bExtended = false;  // the fields below were present
    std::array<WCHAR, 64> fullName{};
    std::array<WCHAR, 32> style{};
    std::array<WCHAR, 32> script{};
    std::vector<LONG> designValues;
};
std::optional<TkEmrExtCreateFont> TkParseEmrExtCreateFont(std::span<const std::uint8_t> record);

// EMR_SETPIXELV.
struct TkEmrSetPixelV {
    POINT point{};
    COLORREF color = 0;
};
std::optional<TkEmrSetPixelV> TkParseEmrSetPixelV(std::span<const std::uint8_t> record);

// EMR_GRADIENTFILL: nVer vertices, then the mesh as a flat list of indices (two
// per rectangle, three per triangle); nullopt when the counts overflow the record,
// an index lies past the vertices or the mode is unknown. Padding after the mesh
// is ignored.
struct TkEmrGradientFill {
    RECT bounds{};
    ULONG mode = 0;
    std::vector<TRIVERTEX> vertices;
    std::vector<ULONG> mesh;
};
std::optional<TkEmrGradientFill> TkParseEmrGradientFill(std::span<const std::uint8_t> record);
