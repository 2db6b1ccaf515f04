#include "platform/gdi/TkWmfPlayerObjects.h"

#include "platform/gdi/TkCodePage.h"
#include "platform/gdi/TkGdiObjects.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Bitmap16 of a pattern brush: type, width, height, width in bytes, planes and
// bits per pixel (a byte each), and a 4-byte bits pointer of the writer's, then
// 18 reserved bytes before the rows.
constexpr std::size_t kPatternBitsOffset = 14 + 18;
// A 16-bit LOGFONT: five 16-bit values and eight bytes before the face name.
constexpr std::size_t kFontFaceOffset = 18;
constexpr std::size_t kFontFixedWords = kFontFaceOffset / 2;
constexpr std::size_t kPaletteEntryBytes = 4;

// 16-bit GDI knows the pen styles up to PS_INSIDEFRAME; a later style bit pattern
// would be refused, so it draws solid, as a pen of an unknown style does there.
UINT PlainPenStyle(WORD style)
{
    const UINT kind = style & PS_STYLE_MASK;
    return kind <= PS_INSIDEFRAME ? style : (style & ~PS_STYLE_MASK) | PS_SOLID;
}

}  // namespace

HPEN TkWmfCreatePen(const CTkWmfPlayerRecord& record)
{
    if (!record.Has(5))
        return 0;
    const LOGPEN pen{PlainPenStyle(record.Word(0)), {std::abs(LONG(record.Short(1))), 0},
                     record.DWord(3)};
    return CreatePenIndirect(&pen);
}

HBRUSH TkWmfCreateBrush(const CTkWmfPlayerRecord& record)
{
    if (!record.Has(4))
        return 0;
    const UINT style = record.Word(0);
    const std::uint32_t hatch = style == BS_HATCHED ? record.Word(3) : 0;
    // Pattern styles cannot come without their bitmap: CreateBrushIndirect refuses them.
    const LOGBRUSH brush{style, record.DWord(1), hatch};
    return CreateBrushIndirect(&brush);
}

HBRUSH TkWmfCreateDibPatternBrush(const CTkWmfPlayerRecord& record)
{
    if (!record.Has(2))
        return 0;
    // A BS_PATTERN brush carries its DIB with RGB colours whatever the usage says.
    const UINT usage = record.Word(0) == BS_PATTERN ? DIB_RGB_COLORS : record.Word(1);
    if (usage != DIB_RGB_COLORS && usage != DIB_PAL_COLORS)
        return 0;
    // The DIB's header, colour table and bits are measured against the record.
    return CreateDIBPatternBrushPt(record.BytesFrom(4), usage);
}

HBRUSH TkWmfCreatePatternBrush(const CTkWmfPlayerRecord& record)
{
    if (!record.Has(5))
        return 0;
    const int width = record.Short(1);
    const int height = record.Short(2);
    const UINT planes = record.Word(4) & 0xFF;
    const UINT bitsPixel = record.Word(4) >> 8;
    if (width <= 0 || height <= 0)
        return 0;
    // Rows are padded to 16 bits, whatever the width in bytes says.
    const std::size_t stride = (std::size_t(width) * bitsPixel + 15) / 16 * 2;
    const auto rows = record.Bytes(kPatternBitsOffset, stride * std::size_t(height));
    if (!rows.has_value())
        return 0;
    const HBITMAP bitmap = CreateBitmap(width, height, planes, bitsPixel, *rows);
    if (bitmap == 0)
        return 0;
    const HBRUSH brush = CreatePatternBrush(bitmap);  // it keeps a copy of the pattern
    DeleteObject(bitmap);
    return brush;
}

HFONT TkWmfCreateFont(const CTkWmfPlayerRecord& record)
{
    if (!record.Has(kFontFixedWords))
        return 0;
    LOGFONTW font{};
    font.lfHeight = record.Short(0);
    font.lfWidth = record.Short(1);
    font.lfEscapement = record.Short(2);
    font.lfOrientation = record.Short(3);
    font.lfWeight = record.Short(4);
    const std::span<const BYTE> flags = *record.Bytes(10, 8);
    font.lfItalic = flags[0];
    font.lfUnderline = flags[1];
    font.lfStrikeOut = flags[2];
    font.lfCharSet = flags[3];
    font.lfOutPrecision = flags[4];
    font.lfClipPrecision = flags[5];
    font.lfQuality = flags[6];
    font.lfPitchAndFamily = flags[7];

    std::span<const BYTE> face = record.BytesFrom(kFontFaceOffset);
    face = face.first(std::min<std::size_t>(face.size(), LF_FACESIZE));
    face = face.first(std::size_t(std::ranges::find(face, BYTE(0)) - face.begin()));
    // A symbol font's name is still plain text; only its glyphs move.
    const BYTE charSet = font.lfCharSet == SYMBOL_CHARSET ? ANSI_CHARSET : font.lfCharSet;
    const std::u16string name = TkCodePageToUtf16(
        std::string_view(reinterpret_cast<const char*>(face.data()), face.size()), charSet);
    std::copy_n(name.begin(), std::min<std::size_t>(name.size(), LF_FACESIZE - 1),
                font.lfFaceName);
    return CreateFontIndirectW(&font);
}

HPALETTE TkWmfCreatePalette(const CTkWmfPlayerRecord& record)
{
    if (!record.Has(2))
        return 0;
    const std::size_t count = record.Word(1);
    const auto bytes = record.Bytes(4, count * kPaletteEntryBytes);
    if (!bytes.has_value())
        return 0;
    std::vector<PALETTEENTRY> entries(count);
    for (std::size_t i = 0; i < count; ++i) {
        const BYTE* e = bytes->data() + i * kPaletteEntryBytes;
        entries[i] = {e[0], e[1], e[2], e[3]};
    }
    return CreatePalette(entries);
}
