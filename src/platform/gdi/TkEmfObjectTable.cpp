#include "platform/gdi/TkEmfObjectTable.h"

#include "platform/gdi/EmfRecordTypes.h"
#include "platform/gdi/TkBitmapDib.h"
#include "platform/gdi/TkEmfRecordBuffer.h"
#include "platform/gdi/TkPackedDib.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>

namespace {

// Indices live in the header's 16-bit nHandles.
constexpr DWORD kMaxIndex = 0xFFFE;

constexpr DWORD kFontDesignVectorSignature = 0x08007664;

// A packed DIB split into its BITMAPINFO (header, masks, colour table) and bits,
// as records carry it: the info at the end of the fixed fields, the bits after
// it on a 4-byte boundary.
struct DibParts {
    std::span<const std::uint8_t> info;
    std::span<const std::uint8_t> bits;

    std::size_t BitsOffset(std::size_t fixed) const { return fixed + (info.size() + 3) / 4 * 4; }
    bool Fits(std::size_t fixed) const
    {
        return BitsOffset(fixed) + bits.size() <= CTkEmfRecordBuffer::kMaxSize;
    }
    void Write(CTkEmfRecordBuffer& out) const
    {
        out.Bytes(info);
        out.Pad4();
        out.Bytes(bits);
    }
};

std::optional<DibParts> SplitPackedDib(std::span<const std::uint8_t> dib, UINT usage)
{
    TkPackedDibLayout layout;
    if (!TkMeasurePackedDib(dib, usage, &layout))
        return std::nullopt;
    return DibParts{dib.first(layout.BitsOffset()),
                    dib.subspan(layout.BitsOffset(), layout.bitsSize)};
}

// The packed DIB that a pattern brush or pen records: its own DIB, or the bitmap
// it was made from (kept in the object) converted to one. Empty when it has none.
std::vector<std::uint8_t> PatternDib(const CTkGdiObject& object, UINT brushStyle)
{
    const bool dibPattern = brushStyle == BS_DIBPATTERN || brushStyle == BS_DIBPATTERNPT;
    if (dibPattern || (brushStyle == BS_PATTERN && !object.dib.empty()))
        return object.dib;
    if (brushStyle == BS_PATTERN)
        return TkBitmapToPackedDib(object.bitmap, object.bits);
    return {};
}

UINT PatternUsage(const CTkGdiObject& object, UINT brushStyle)
{
    return brushStyle == BS_PATTERN ? DIB_RGB_COLORS : object.dibUsage;
}

bool IsMonochromeBitmapPattern(const CTkGdiObject& object)
{
    return object.dib.empty() && object.bitmap.bmBitsPixel == 1 && object.bitmap.bmPlanes == 1;
}

void WriteCreatePen(CTkEmfRecordBuffer& out, DWORD index, const LOGPEN& pen)
{
    out.Begin(EMR_CREATEPEN);
    out.U32(index);
    out.U32(pen.lopnStyle);
    out.Point(pen.lopnWidth);
    out.U32(pen.lopnColor);
    out.End();
}

bool WriteExtCreatePen(CTkEmfRecordBuffer& out, DWORD index, const CTkGdiObject& object)
{
    const EXTLOGPEN& pen = object.extPen;
    const bool pattern = pen.elpBrushStyle == BS_PATTERN ||
                         pen.elpBrushStyle == BS_DIBPATTERN ||
                         pen.elpBrushStyle == BS_DIBPATTERNPT;
    const std::vector<std::uint8_t> dib = PatternDib(object, pen.elpBrushStyle);
    const std::optional<DibParts> parts =
        SplitPackedDib(dib, PatternUsage(object, pen.elpBrushStyle));
    if (pattern && !parts)
        return false;
    const std::size_t fixed = 52 + 4 * object.styleEntries.size();
    if (parts && !parts->Fits(fixed))
        return false;

    out.Begin(EMR_EXTCREATEPEN);
    out.U32(index);
    out.U32(parts ? DWORD(fixed) : 0);
    out.U32(parts ? DWORD(parts->info.size()) : 0);
    out.U32(parts ? DWORD(parts->BitsOffset(fixed)) : 0);
    out.U32(parts ? DWORD(parts->bits.size()) : 0);
    out.U32(pen.elpPenStyle);
    out.U32(pen.elpWidth);
    out.U32(pen.elpBrushStyle);
    out.U32(pen.elpColor);
    out.U32(pattern ? 0 : pen.elpHatch);  // a pattern's handle means nothing in a file
    out.U32(DWORD(object.styleEntries.size()));
    for (DWORD entry : object.styleEntries)
        out.U32(entry);
    if (parts)
        parts->Write(out);
    out.End();
    return true;
}

void WriteCreateBrushIndirect(CTkEmfRecordBuffer& out, DWORD index, const LOGBRUSH& brush)
{
    out.Begin(EMR_CREATEBRUSHINDIRECT);
    out.U32(index);
    out.U32(brush.lbStyle);
    out.U32(brush.lbColor);
    out.U32(brush.lbHatch);
    out.End();
}

// EMR_CREATEMONOBRUSH and EMR_CREATEDIBPATTERNBRUSHPT share their layout.
bool WritePatternBrush(CTkEmfRecordBuffer& out, DWORD type, DWORD index, UINT usage,
                       std::span<const std::uint8_t> dib)
{
    constexpr std::size_t fixed = 32;
    const std::optional<DibParts> parts = SplitPackedDib(dib, usage);
    if (!parts || !parts->Fits(fixed))
        return false;
    out.Begin(type);
    out.U32(index);
    out.U32(usage);
    out.U32(fixed);
    out.U32(DWORD(parts->info.size()));
    out.U32(DWORD(parts->BitsOffset(fixed)));
    out.U32(DWORD(parts->bits.size()));
    parts->Write(out);
    out.End();
    return true;
}

bool WriteBrush(CTkEmfRecordBuffer& out, DWORD index, const CTkGdiObject& object)
{
    const UINT style = object.brush.lbStyle;
    if (style == BS_DIBPATTERN || style == BS_DIBPATTERNPT)
        return WritePatternBrush(out, EMR_CREATEDIBPATTERNBRUSHPT, index, object.dibUsage,
                                 object.dib);
    if (style == BS_PATTERN) {
        const DWORD type = IsMonochromeBitmapPattern(object) ? EMR_CREATEMONOBRUSH
                                                             : EMR_CREATEDIBPATTERNBRUSHPT;
        return WritePatternBrush(out, type, index, DIB_RGB_COLORS,
                                 PatternDib(object, BS_PATTERN));
    }
    WriteCreateBrushIndirect(out, index, object.brush);
    return true;
}

// Written as the LOGFONTW of an ENUMLOGFONTEXDV with empty names and no design
// axes, the form GDI records. The face name is cut at its terminator so that
// whatever followed it in the caller's buffer does not reach the file.
void WriteFont(CTkEmfRecordBuffer& out, DWORD index, const LOGFONTW& font)
{
    out.Begin(EMR_EXTCREATEFONTINDIRECTW);
    out.U32(index);
    out.I32(font.lfHeight);
    out.I32(font.lfWidth);
    out.I32(font.lfEscapement);
    out.I32(font.lfOrientation);
    out.I32(font.lfWeight);
    for (BYTE b : {font.lfItalic, font.lfUnderline, font.lfStrikeOut, font.lfCharSet,
                   font.lfOutPrecision, font.lfClipPrecision, font.lfQuality,
                   font.lfPitchAndFamily})
        out.U8(b);
    bool ended = false;
    for (WCHAR c : font.lfFaceName) {
        ended = ended || c == 0;
        out.U16(ended ? 0 : WORD(c));
    }
    out.Zeros((64 + 32 + 32) * sizeof(WCHAR));  // full name, style, script
    out.U32(kFontDesignVectorSignature);
    out.U32(0);  // no axes
    out.End();
}

bool WritePalette(CTkEmfRecordBuffer& out, DWORD index, const std::vector<PALETTEENTRY>& entries)
{
    if (entries.size() > 0xFFFF)
        return false;
    out.Begin(EMR_CREATEPALETTE);
    out.U32(index);
    out.U16(0x300);  // LOGPALETTE version
    out.U16(WORD(entries.size()));
    for (const PALETTEENTRY& e : entries) {
        out.U8(e.peRed);
        out.U8(e.peGreen);
        out.U8(e.peBlue);
        out.U8(e.peFlags);
    }
    out.End();
    return true;
}

bool WriteCreateRecord(CTkEmfRecordBuffer& out, DWORD index, const CTkGdiObject& object)
{
    switch (object.type) {
    case OBJ_PEN:
        WriteCreatePen(out, index, object.pen);
        return true;
    case OBJ_EXTPEN:
        return WriteExtCreatePen(out, index, object);
    case OBJ_BRUSH:
        return WriteBrush(out, index, object);
    case OBJ_FONT:
        WriteFont(out, index, object.font);
        return true;
    case OBJ_PAL:
        return WritePalette(out, index, object.palette);
    default:
        return false;
    }
}

}  // namespace

CTkEmfObjectTable::CTkEmfObjectTable() : m_used(1, true) {}

DWORD CTkEmfObjectTable::IndexOf(HGDIOBJ hObject) const
{
    const auto it = m_indexOf.find(hObject);
    return it == m_indexOf.end() ? 0 : it->second;
}

DWORD CTkEmfObjectTable::LowestFree() const
{
    const auto it = std::find(m_used.begin(), m_used.end(), false);
    return DWORD(it - m_used.begin());
}

DWORD CTkEmfObjectTable::Add(CTkEmfRecordBuffer& out, HGDIOBJ hObject,
                             const CTkGdiObject& object)
{
    const DWORD index = LowestFree();
    if (index > kMaxIndex || !WriteCreateRecord(out, index, object))
        return 0;
    if (index == m_used.size())
        m_used.push_back(true);
    else
        m_used[index] = true;
    m_indexOf[hObject] = index;
    m_highest = std::max(m_highest, index);
    return index;
}

DWORD CTkEmfObjectTable::Remove(HGDIOBJ hObject)
{
    const auto it = m_indexOf.find(hObject);
    if (it == m_indexOf.end())
        return 0;
    const DWORD index = it->second;
    m_used[index] = false;
    m_indexOf.erase(it);
    return index;
}
