#include "platform/gdi/TkGdiObjects.h"
#include "platform/gdi/TkGlobalBlock.h"
#include "platform/gdi/TkPackedDib.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

void PutLE(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value, int count)
{
    for (int i = 0; i < count; ++i)
        bytes[offset + i] = std::uint8_t(value >> (8 * i));
}

// A packed DIB with a BITMAPINFOHEADER: header, colour table, then rows.
std::vector<std::uint8_t> InfoDib(int width, int height, int bitCount, std::size_t tableBytes,
                                  std::size_t bitsBytes, DWORD compression = BI_RGB,
                                  DWORD sizeImage = 0, DWORD colorsUsed = 0)
{
    std::vector<std::uint8_t> dib(40 + tableBytes + bitsBytes, 0);
    PutLE(dib, 0, 40, 4);
    PutLE(dib, 4, std::uint32_t(width), 4);
    PutLE(dib, 8, std::uint32_t(height), 4);
    PutLE(dib, 12, 1, 2);
    PutLE(dib, 14, std::uint32_t(bitCount), 2);
    PutLE(dib, 16, compression, 4);
    PutLE(dib, 20, sizeImage, 4);
    PutLE(dib, 32, colorsUsed, 4);
    return dib;
}

// 8 x 8 monochrome: two RGBQUADs and eight 4-byte rows.
std::vector<std::uint8_t> MonoDib8x8() { return InfoDib(8, 8, 1, 8, 32); }

std::u16string FaceOf(const LOGFONTW& font) { return std::u16string(font.lfFaceName); }

struct StockBrush {
    int index;
    UINT style;
    COLORREF color;
};

class CountingObserver : public ITkGdiObjectObserver {
public:
    void OnDeleteObject(HGDIOBJ hObject) override
    {
        deleted.push_back(hObject);
        typeSeen = GetObjectType(hObject);
    }
    std::vector<HGDIOBJ> deleted;
    DWORD typeSeen = 0;
};

}  // namespace

TEST(GdiObjectsTest, StockBrushesHaveWindowsColours)
{
    const StockBrush brushes[] = {
        {WHITE_BRUSH, BS_SOLID, 0xFFFFFF}, {LTGRAY_BRUSH, BS_SOLID, 0xC0C0C0},
        {GRAY_BRUSH, BS_SOLID, 0x808080},  {DKGRAY_BRUSH, BS_SOLID, 0x404040},
        {BLACK_BRUSH, BS_SOLID, 0x000000}, {NULL_BRUSH, BS_NULL, 0},
        {DC_BRUSH, BS_SOLID, 0xFFFFFF},
    };
    for (const StockBrush& expected : brushes) {
        SCOPED_TRACE(expected.index);
        const HGDIOBJ h = GetStockObject(expected.index);
        ASSERT_NE(h, 0u);
        EXPECT_EQ(GetObjectType(h), OBJ_BRUSH);
        LOGBRUSH brush{};
        ASSERT_EQ(GetObject(h, sizeof brush, &brush), int(sizeof brush));
        EXPECT_EQ(brush.lbStyle, expected.style);
        EXPECT_EQ(brush.lbColor, expected.color);
        EXPECT_EQ(TkLookupGdiObject(h)->stockIndex, expected.index);
    }
}

TEST(GdiObjectsTest, StockPensFontsAndPalette)
{
    LOGPEN pen{};
    ASSERT_EQ(GetObject(GetStockObject(WHITE_PEN), sizeof pen, &pen), 16);
    EXPECT_EQ(pen.lopnStyle, PS_SOLID);
    EXPECT_EQ(pen.lopnColor, 0xFFFFFFu);
    ASSERT_EQ(GetObject(GetStockObject(BLACK_PEN), sizeof pen, &pen), 16);
    EXPECT_EQ(pen.lopnColor, 0u);
    ASSERT_EQ(GetObject(GetStockObject(NULL_PEN), sizeof pen, &pen), 16);
    EXPECT_EQ(pen.lopnStyle, PS_NULL);
    EXPECT_EQ(GetObjectType(GetStockObject(DC_PEN)), OBJ_PEN);

    LOGFONTW font{};
    ASSERT_EQ(GetObject(GetStockObject(SYSTEM_FONT), sizeof font, &font), 92);
    EXPECT_EQ(FaceOf(font), u"System");
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    EXPECT_GT(font.lfHeight, 0);
    ASSERT_EQ(GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font), 92);
    EXPECT_EQ(font.lfHeight, -11);
    EXPECT_EQ(font.lfWeight, FW_NORMAL);
    EXPECT_EQ(font.lfCharSet, DEFAULT_CHARSET);
    for (int index : {OEM_FIXED_FONT, ANSI_FIXED_FONT, ANSI_VAR_FONT, DEVICE_DEFAULT_FONT,
                      SYSTEM_FIXED_FONT})
        EXPECT_EQ(GetObjectType(GetStockObject(index)), OBJ_FONT) << index;

    const HGDIOBJ palette = GetStockObject(DEFAULT_PALETTE);
    WORD entries = 0;
    ASSERT_EQ(GetObject(palette, sizeof entries, &entries), 2);
    EXPECT_EQ(entries, 20);
    const auto& colors = TkLookupGdiObject(palette)->palette;
    EXPECT_EQ(colors[7].peRed, 192);
    EXPECT_EQ(colors[19].peBlue, 255);
    EXPECT_EQ(colors[0].peRed + colors[0].peGreen + colors[0].peBlue, 0);
}

TEST(GdiObjectsTest, StockHandlesAreStableAndOnlyDefinedIndicesExist)
{
    EXPECT_EQ(GetStockObject(BLACK_PEN), GetStockObject(BLACK_PEN));
    EXPECT_NE(GetStockObject(BLACK_PEN), GetStockObject(WHITE_PEN));
    EXPECT_EQ(GetStockObject(9), 0u);  // no stock object has number 9
    EXPECT_EQ(GetStockObject(-1), 0u);
    EXPECT_EQ(GetStockObject(STOCK_LAST + 1), 0u);
}

TEST(GdiObjectsTest, StockObjectsAreNeverDeleted)
{
    const std::size_t before = TkGdiObjectCount();
    CountingObserver observer;
    TkAddGdiObjectObserver(&observer);
    const HGDIOBJ h = GetStockObject(GRAY_BRUSH);
    EXPECT_EQ(DeleteObject(h), TRUE);
    EXPECT_EQ(GetObjectType(h), OBJ_BRUSH);
    EXPECT_TRUE(observer.deleted.empty());
    EXPECT_EQ(TkGdiObjectCount(), before);
    TkRemoveGdiObjectObserver(&observer);
}

TEST(GdiObjectsTest, GetObjectAnswersSizesAndRefusesSmallBuffers)
{
    const HPEN pen = CreatePen(PS_DASH, 3, RGB(1, 2, 3));
    const HBRUSH brush = CreateSolidBrush(RGB(4, 5, 6));
    const HBITMAP bitmap = CreateBitmap(8, 8, 1, 1, {});
    const LOGBRUSH solid{BS_SOLID, 0, 0};
    const DWORD style[] = {4, 2, 1};
    const HPEN extPen = ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE, 5, &solid, 3, style);

    EXPECT_EQ(GetObject(pen, 0, nullptr), 16);
    EXPECT_EQ(GetObject(brush, 0, nullptr), 12);
    EXPECT_EQ(GetObject(GetStockObject(SYSTEM_FONT), 0, nullptr), 92);
    EXPECT_EQ(GetObject(bitmap, 0, nullptr), int(sizeof(BITMAP)));
    EXPECT_EQ(GetObject(GetStockObject(DEFAULT_PALETTE), 0, nullptr), 2);
    EXPECT_EQ(GetObject(extPen, 0, nullptr), int(sizeof(EXTLOGPEN) + 3 * sizeof(DWORD)));

    LOGPEN logPen{99, {99, 99}, 99};
    EXPECT_EQ(GetObject(pen, 15, &logPen), 0);
    EXPECT_EQ(logPen.lopnStyle, 99u);  // untouched
    EXPECT_EQ(GetObject(pen, -1, &logPen), 0);
    ASSERT_EQ(GetObject(pen, 64, &logPen), 16);  // a larger buffer is fine
    EXPECT_EQ(logPen.lopnStyle, PS_DASH);
    EXPECT_EQ(logPen.lopnWidth.x, 3);
    EXPECT_EQ(logPen.lopnColor, RGB(1, 2, 3));

    EXPECT_EQ(GetObject(0, 16, &logPen), 0);
    EXPECT_EQ(GetObject(0xDEADBEEF, 16, &logPen), 0);
    EXPECT_EQ(GetObjectType(0), 0u);
    EXPECT_EQ(GetObjectType(0xDEADBEEF), 0u);

    for (HGDIOBJ h : {pen, brush, bitmap, extPen})
        EXPECT_EQ(DeleteObject(h), TRUE);
}

TEST(GdiObjectsTest, ExtCreatePenKeepsBrushAndUserStyle)
{
    const LOGBRUSH hatch{BS_HATCHED, RGB(0, 0, 255), HS_DIAGCROSS};
    const DWORD style[] = {6, 3};
    const DWORD penStyle = PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT | PS_JOIN_MITER;
    const HPEN h = ExtCreatePen(penStyle, 7, &hatch, 2, style);
    ASSERT_NE(h, 0u);
    EXPECT_EQ(GetObjectType(h), OBJ_EXTPEN);
    const CTkGdiObject* p = TkLookupGdiObject(h);
    EXPECT_EQ(p->brush.lbStyle, BS_HATCHED);
    EXPECT_EQ(p->brush.lbHatch, std::uint32_t(HS_DIAGCROSS));
    EXPECT_EQ(p->styleEntries, (std::vector<DWORD>{6, 3}));

    std::vector<std::uint8_t> buffer(sizeof(EXTLOGPEN) + 2 * sizeof(DWORD));
    ASSERT_EQ(GetObject(h, int(buffer.size()), buffer.data()), int(buffer.size()));
    EXTLOGPEN ext{};
    std::memcpy(&ext, buffer.data(), sizeof ext);
    EXPECT_EQ(ext.elpPenStyle, penStyle);
    EXPECT_EQ(ext.elpWidth, 7u);
    EXPECT_EQ(ext.elpBrushStyle, BS_HATCHED);
    EXPECT_EQ(ext.elpColor, RGB(0, 0, 255));
    EXPECT_EQ(ext.elpNumEntries, 2u);
    DWORD second = 0;
    std::memcpy(&second, buffer.data() + sizeof(EXTLOGPEN) + sizeof(DWORD), sizeof second);
    EXPECT_EQ(second, 3u);
    DeleteObject(h);
}

TEST(GdiObjectsTest, ExtCreatePenIgnoresEntriesOfOtherStyles)
{
    // Real files give style entries with solid pens; they mean nothing there.
    const LOGBRUSH solid{BS_SOLID, 0, 0};
    const DWORD style[] = {1, 2, 3, 4};
    const HPEN h = ExtCreatePen(PS_GEOMETRIC | PS_SOLID, 150, &solid, 4, style);
    ASSERT_NE(h, 0u);
    EXPECT_EQ(TkLookupGdiObject(h)->extPen.elpNumEntries, 0u);
    EXPECT_EQ(GetObject(h, 0, nullptr), int(sizeof(EXTLOGPEN)));
    DeleteObject(h);
}

TEST(GdiObjectsTest, ExtCreatePenRefusesBadInput)
{
    const LOGBRUSH solid{BS_SOLID, 0, 0};
    const DWORD style[17] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    const DWORD user = PS_GEOMETRIC | PS_USERSTYLE;
    EXPECT_EQ(ExtCreatePen(PS_GEOMETRIC, 1, nullptr, 0, nullptr), 0u);
    EXPECT_EQ(ExtCreatePen(user, 1, &solid, 0, style), 0u);
    EXPECT_EQ(ExtCreatePen(user, 1, &solid, 17, style), 0u);
    EXPECT_EQ(ExtCreatePen(user, 1, &solid, 2, nullptr), 0u);
    EXPECT_EQ(ExtCreatePen(0x00020000, 1, &solid, 0, nullptr), 0u);       // unknown type
    EXPECT_EQ(ExtCreatePen(PS_COSMETIC, 2, &solid, 0, nullptr), 0u);      // cosmetic is thin
    EXPECT_EQ(ExtCreatePen(PS_GEOMETRIC | PS_ALTERNATE, 1, &solid, 0, nullptr), 0u);
    EXPECT_EQ(ExtCreatePen(PS_GEOMETRIC | 9, 1, &solid, 0, nullptr), 0u);
    EXPECT_EQ(ExtCreatePen(PS_GEOMETRIC | 0x300, 1, &solid, 0, nullptr), 0u);  // end cap
    const LOGBRUSH badHatch{BS_HATCHED, 0, 12};
    EXPECT_EQ(ExtCreatePen(PS_GEOMETRIC, 4, &badHatch, 0, nullptr), 0u);
    const LOGBRUSH noBitmap{BS_PATTERN, 0, 0xDEADBEEF};
    EXPECT_EQ(ExtCreatePen(PS_GEOMETRIC, 4, &noBitmap, 0, nullptr), 0u);
    const LOGBRUSH dibBrush{BS_DIBPATTERNPT, DIB_RGB_COLORS, 0};
    std::vector<std::uint8_t> dib = MonoDib8x8();
    dib.pop_back();
    EXPECT_EQ(ExtCreatePen(PS_GEOMETRIC, 4, &dibBrush, 0, nullptr, dib), 0u);
    EXPECT_EQ(ExtCreatePen(PS_GEOMETRIC, 4, &dibBrush, 0, nullptr), 0u);
}

TEST(GdiObjectsTest, PatternsSurviveTheirBitmap)
{
    const std::vector<std::uint8_t> rows(16, 0xAA);
    const HBITMAP bitmap = CreateBitmap(8, 8, 1, 1, rows);
    const HBRUSH brush = CreatePatternBrush(bitmap);
    const LOGBRUSH pattern{BS_PATTERN, 0, bitmap};
    const HPEN pen = ExtCreatePen(PS_GEOMETRIC, 10, &pattern, 0, nullptr);
    ASSERT_NE(brush, 0u);
    ASSERT_NE(pen, 0u);
    LOGBRUSH logBrush{};
    GetObject(brush, sizeof logBrush, &logBrush);
    EXPECT_EQ(logBrush.lbStyle, BS_PATTERN);
    EXPECT_EQ(logBrush.lbHatch, bitmap);

    EXPECT_EQ(DeleteObject(bitmap), TRUE);
    for (HGDIOBJ h : {brush, pen}) {
        const CTkGdiObject* p = TkLookupGdiObject(h);
        EXPECT_EQ(p->bitmap.bmWidth, 8);
        EXPECT_EQ(p->bits, rows);
        DeleteObject(h);
    }
    EXPECT_EQ(CreatePatternBrush(bitmap), 0u);  // deleted by now
    EXPECT_EQ(CreatePatternBrush(GetStockObject(BLACK_PEN)), 0u);
}

TEST(GdiObjectsTest, ExtCreatePenTakesAPackedDib)
{
    std::vector<std::uint8_t> dib = MonoDib8x8();
    dib.resize(dib.size() + 5, 0xEE);  // whatever follows the bitmap is not part of it
    const LOGBRUSH dibBrush{BS_DIBPATTERNPT, DIB_RGB_COLORS, 0};
    const HPEN h = ExtCreatePen(PS_GEOMETRIC | PS_SOLID, 20, &dibBrush, 0, nullptr, dib);
    ASSERT_NE(h, 0u);
    const CTkGdiObject* p = TkLookupGdiObject(h);
    EXPECT_EQ(p->dib.size(), 80u);
    EXPECT_EQ(p->brush.lbStyle, BS_DIBPATTERNPT);
    EXPECT_EQ(p->extPen.elpBrushStyle, BS_DIBPATTERNPT);
    DeleteObject(h);
}

TEST(GdiObjectsTest, BrushesAndTheirRefusals)
{
    const HBRUSH hatch = CreateHatchBrush(HS_CROSS, RGB(9, 8, 7));
    LOGBRUSH brush{};
    ASSERT_EQ(GetObject(hatch, sizeof brush, &brush), 12);
    EXPECT_EQ(brush.lbStyle, BS_HATCHED);
    EXPECT_EQ(brush.lbColor, RGB(9, 8, 7));
    EXPECT_EQ(brush.lbHatch, std::uint32_t(HS_CROSS));
    DeleteObject(hatch);

    // The metafile formats also define hatches 6 to 11; anything beyond is refused.
    const HBRUSH extended = CreateHatchBrush(11, 0);
    EXPECT_NE(extended, 0u);
    DeleteObject(extended);
    EXPECT_EQ(CreateHatchBrush(12, 0), 0u);
    EXPECT_EQ(CreateHatchBrush(-1, 0), 0u);
    EXPECT_EQ(CreateBrushIndirect(nullptr), 0u);
    const LOGBRUSH dib{BS_DIBPATTERNPT, 0, 0};
    EXPECT_EQ(CreateBrushIndirect(&dib), 0u);
    const LOGBRUSH unknown{99, 0, 0};
    EXPECT_EQ(CreateBrushIndirect(&unknown), 0u);
}

TEST(GdiObjectsTest, DibPatternBrushChecksEveryPartOfThePackedDib)
{
    const std::vector<std::uint8_t> dib = MonoDib8x8();
    const HBRUSH h = CreateDIBPatternBrushPt(dib, DIB_RGB_COLORS);
    ASSERT_NE(h, 0u);
    EXPECT_EQ(TkLookupGdiObject(h)->dib, dib);
    LOGBRUSH brush{};
    GetObject(h, sizeof brush, &brush);
    EXPECT_EQ(brush.lbStyle, BS_DIBPATTERNPT);
    DeleteObject(h);

    for (std::size_t size : {std::size_t(0), std::size_t(3), std::size_t(39), std::size_t(47),
                             std::size_t(79)}) {
        const std::span<const std::uint8_t> cut(dib.data(), size);
        EXPECT_EQ(CreateDIBPatternBrushPt(cut, DIB_RGB_COLORS), 0u) << size;
    }
    EXPECT_EQ(CreateDIBPatternBrushPt(dib, 2), 0u);  // no such usage
}

// A LOGBRUSH of a DIB pattern names a global block, so the brush can be made
// again from the LOGBRUSH alone, as long as the block lives.
TEST(GdiObjectsTest, DibPatternBrushesAreMadeFromTheGlobalBlockTheirLogBrushNames)
{
    const std::size_t before = TkGdiObjectCount();
    std::vector<std::uint8_t> bytes = MonoDib8x8();
    bytes.resize(bytes.size() + 3, 0xEE);  // the block may be longer than its DIB
    auto pBlock = std::make_unique<CTkGlobalBlock>(bytes);
    const HGLOBAL hBlock = pBlock->Get();
    ASSERT_NE(hBlock, 0u);
    EXPECT_EQ(TkGdiObjectCount(), before + 1);
    EXPECT_EQ(std::vector<std::uint8_t>(pBlock->Bytes().begin(), pBlock->Bytes().end()), bytes);
    // A block is no GDI object.
    EXPECT_EQ(GetObjectType(hBlock), 0u);
    EXPECT_EQ(DeleteObject(hBlock), FALSE);
    EXPECT_EQ(TkLookupGdiObject(hBlock), nullptr);
    EXPECT_EQ(TkGlobalBytes(hBlock).size(), bytes.size());

    for (UINT style : {BS_DIBPATTERN, BS_DIBPATTERNPT}) {
        const LOGBRUSH logBrush{style, 0x00120000 | DIB_RGB_COLORS, hBlock};
        const HBRUSH h = CreateBrushIndirect(&logBrush);
        ASSERT_NE(h, 0u) << style;
        const CTkGdiObject* p = TkLookupGdiObject(h);
        EXPECT_EQ(p->dib, MonoDib8x8());
        EXPECT_EQ(p->dibUsage, DIB_RGB_COLORS);
        LOGBRUSH read{};
        ASSERT_EQ(GetObject(h, sizeof read, &read), 12);
        EXPECT_EQ(read.lbStyle, style);
        EXPECT_EQ(read.lbColor, logBrush.lbColor);
        EXPECT_EQ(read.lbHatch, hBlock);
        DeleteObject(h);
    }
    const HBRUSH made = CreateDIBPatternBrush(hBlock, DIB_RGB_COLORS);
    ASSERT_NE(made, 0u);
    LOGBRUSH read{};
    GetObject(made, sizeof read, &read);
    EXPECT_EQ(read.lbStyle, BS_DIBPATTERN);
    EXPECT_EQ(read.lbHatch, hBlock);
    EXPECT_EQ(CreateDIBPatternBrush(hBlock, 2), 0u);  // no such usage

    // The brush keeps its pattern; the freed handle names nothing again.
    pBlock.reset();
    EXPECT_EQ(TkLookupGdiObject(made)->dib, MonoDib8x8());
    EXPECT_TRUE(TkGlobalBytes(hBlock).empty());
    EXPECT_EQ(TkGlobalFree(hBlock), FALSE);
    EXPECT_EQ(CreateBrushIndirect(&read), 0u);
    const CTkGlobalBlock next(bytes);
    EXPECT_NE(next.Get(), hBlock);
    DeleteObject(made);
    EXPECT_EQ(TkGdiObjectCount(), before + 1);
}

TEST(GdiObjectsTest, DibPatternBrushRefusesABlockWithoutAWholeDib)
{
    const std::vector<std::uint8_t> dib = MonoDib8x8();
    const CTkGlobalBlock cut(std::span<const std::uint8_t>(dib).first(dib.size() - 1));
    const LOGBRUSH fromCut{BS_DIBPATTERN, DIB_RGB_COLORS, cut.Get()};
    EXPECT_EQ(CreateBrushIndirect(&fromCut), 0u);
    const CTkGlobalBlock empty(std::span<const std::uint8_t>{});
    EXPECT_EQ(CreateDIBPatternBrush(empty.Get(), DIB_RGB_COLORS), 0u);
    // A GDI object is no block.
    const HBITMAP bitmap = CreateBitmap(8, 8, 1, 1, {});
    EXPECT_EQ(CreateDIBPatternBrush(bitmap, DIB_RGB_COLORS), 0u);
    EXPECT_TRUE(TkGlobalBytes(bitmap).empty());
    EXPECT_EQ(TkGlobalFree(bitmap), FALSE);
    EXPECT_EQ(GetObjectType(bitmap), DWORD(OBJ_BITMAP));
    DeleteObject(bitmap);
}

TEST(GdiObjectsTest, GlobalBlockOwnershipMovesWithTheOwner)
{
    const std::vector<std::uint8_t> bytes{1, 2, 3};
    CTkGlobalBlock a(bytes);
    const HGLOBAL h = a.Get();
    CTkGlobalBlock b(std::move(a));
    EXPECT_EQ(b.Get(), h);
    EXPECT_EQ(a.Get(), 0u);  // NOLINT(bugprone-use-after-move): moved-from is empty
    CTkGlobalBlock c(bytes);
    const HGLOBAL hc = c.Get();
    c = std::move(b);  // frees what c held
    EXPECT_TRUE(TkGlobalBytes(hc).empty());
    EXPECT_EQ(c.Get(), h);
    EXPECT_EQ(TkGlobalBytes(h).size(), 3u);
}

TEST(GdiObjectsTest, MeasurePackedDibLayouts)
{
    TkPackedDibLayout layout;
    // Palette indices are 16-bit: the same header with a shorter table.
    const std::vector<std::uint8_t> pal = InfoDib(8, 8, 1, 4, 32);
    ASSERT_TRUE(TkMeasurePackedDib(pal, DIB_PAL_COLORS, &layout));
    EXPECT_EQ(layout.colorTableSize, 4u);
    EXPECT_EQ(layout.TotalSize(), 76u);
    EXPECT_FALSE(TkMeasurePackedDib(pal, DIB_RGB_COLORS, &layout));
    // DIB_PAL_INDICES bitmaps carry no table at all; usages beyond it are refused.
    ASSERT_TRUE(TkMeasurePackedDib(pal, DIB_PAL_INDICES, &layout));
    EXPECT_EQ(layout.colorTableSize, 0u);
    EXPECT_EQ(layout.BitsOffset(), 40u);
    EXPECT_FALSE(TkMeasurePackedDib(pal, DIB_PAL_INDICES + 1, &layout));

    // Top-down 24-bit rows are padded to 4 bytes: 3 pixels = 9 -> 12 bytes.
    ASSERT_TRUE(TkMeasurePackedDib(InfoDib(3, -2, 24, 0, 24), DIB_RGB_COLORS, &layout));
    EXPECT_EQ(layout.bitsSize, 24u);
    EXPECT_EQ(layout.height, -2);

    // Bit fields with a plain header keep three masks before the bits.
    ASSERT_TRUE(TkMeasurePackedDib(InfoDib(2, 1, 16, 12, 4, BI_BITFIELDS), DIB_RGB_COLORS,
                                   &layout));
    EXPECT_EQ(layout.BitsOffset(), 52u);

    // biClrUsed sets the table length.
    ASSERT_TRUE(TkMeasurePackedDib(InfoDib(4, 1, 8, 12, 4, BI_RGB, 0, 3), DIB_RGB_COLORS,
                                   &layout));
    EXPECT_EQ(layout.colorTableSize, 12u);

    // Compressed bits are as long as biSizeImage says, which must be given.
    ASSERT_TRUE(TkMeasurePackedDib(InfoDib(4, 4, 8, 1024, 10, BI_RLE8, 10), DIB_RGB_COLORS,
                                   &layout));
    EXPECT_EQ(layout.bitsSize, 10u);
    EXPECT_FALSE(TkMeasurePackedDib(InfoDib(4, 4, 8, 1024, 10, BI_RLE8, 0), DIB_RGB_COLORS,
                                    &layout));

    // A core header: 3-byte colour entries, 16-bit sizes.
    std::vector<std::uint8_t> core(12 + 6 + 32, 0);
    PutLE(core, 0, 12, 4);
    PutLE(core, 4, 8, 2);
    PutLE(core, 6, 8, 2);
    PutLE(core, 8, 1, 2);
    PutLE(core, 10, 1, 2);
    ASSERT_TRUE(TkMeasurePackedDib(core, DIB_RGB_COLORS, &layout));
    EXPECT_EQ(layout.TotalSize(), 50u);
}

TEST(GdiObjectsTest, MeasurePackedDibRefusesMalformedHeaders)
{
    TkPackedDibLayout layout;
    const auto refused = [&](std::vector<std::uint8_t> dib) {
        return !TkMeasurePackedDib(dib, DIB_RGB_COLORS, &layout);
    };
    EXPECT_TRUE(refused(InfoDib(0, 8, 1, 8, 32)));    // no width
    EXPECT_TRUE(refused(InfoDib(-8, 8, 1, 8, 32)));   // negative width
    EXPECT_TRUE(refused(InfoDib(8, 0, 1, 8, 32)));    // no height
    EXPECT_TRUE(refused(InfoDib(8, 8, 3, 8, 32)));    // no such bit count
    EXPECT_TRUE(refused(InfoDib(8, 8, 8, 8, 32, 7)));  // unknown compression
    EXPECT_TRUE(refused(InfoDib(8, 8, 4, 8, 32, BI_RLE8, 4)));  // RLE8 needs 8 bits
    // Sizes whose product would wrap 64 bits must not pass.
    EXPECT_TRUE(refused(InfoDib(0x7FFFFFFF, 0x7FFFFFFF, 32, 0, 64)));
    EXPECT_TRUE(refused(InfoDib(8, INT32_MIN, 32, 0, 64)));
    std::vector<std::uint8_t> huge = MonoDib8x8();
    PutLE(huge, 0, 0xFFFFFFFF, 4);  // header larger than the buffer
    EXPECT_TRUE(refused(huge));
    std::vector<std::uint8_t> odd = MonoDib8x8();
    PutLE(odd, 0, 20, 4);  // neither header form
    EXPECT_TRUE(refused(odd));
    std::vector<std::uint8_t> planes = MonoDib8x8();
    PutLE(planes, 12, 2, 2);
    EXPECT_TRUE(refused(planes));
    std::vector<std::uint8_t> colors = MonoDib8x8();
    PutLE(colors, 32, 0xFFFFFFFF, 4);  // a colour table far beyond the buffer
    EXPECT_TRUE(refused(colors));
    EXPECT_FALSE(TkMeasurePackedDib(MonoDib8x8(), DIB_RGB_COLORS, nullptr));
}

TEST(GdiObjectsTest, CreateBitmapRowsAndRefusals)
{
    const HBITMAP zeros = CreateBitmap(10, 3, 1, 1, {});
    ASSERT_NE(zeros, 0u);
    BITMAP bm{};
    ASSERT_EQ(GetObject(zeros, sizeof bm, &bm), int(sizeof bm));
    EXPECT_EQ(bm.bmWidth, 10);
    EXPECT_EQ(bm.bmHeight, 3);
    EXPECT_EQ(bm.bmWidthBytes, 2);  // rows padded to 16 bits
    EXPECT_EQ(bm.bmBitsPixel, 1);
    EXPECT_EQ(TkLookupGdiObject(zeros)->bits, std::vector<std::uint8_t>(6, 0));
    DeleteObject(zeros);

    const std::vector<std::uint8_t> rows{1, 2, 3, 4, 5, 6, 7, 8, 9};
    const HBITMAP colour = CreateBitmap(1, 2, 1, 24, rows);  // 3 bytes -> 4 per row
    ASSERT_NE(colour, 0u);
    EXPECT_EQ(TkLookupGdiObject(colour)->bits, (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6, 7, 8}));
    DeleteObject(colour);

    const std::vector<std::uint8_t> shortRows(7, 0);
    EXPECT_EQ(CreateBitmap(1, 2, 1, 24, shortRows), 0u);
    EXPECT_EQ(CreateBitmap(-1, 2, 1, 1, {}), 0u);
    EXPECT_EQ(CreateBitmap(1, -2, 1, 1, {}), 0u);
    EXPECT_EQ(CreateBitmap(8, 8, 2, 1, {}), 0u);
    EXPECT_EQ(CreateBitmap(8, 8, 1, 3, {}), 0u);
    EXPECT_EQ(CreateBitmap(0x7FFFFFFF, 0x7FFFFFFF, 1, 32, {}), 0u);

    const HBITMAP empty = CreateBitmap(0, 5, 1, 32, {});
    ASSERT_NE(empty, 0u);
    GetObject(empty, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 1);
    EXPECT_EQ(bm.bmHeight, 1);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    DeleteObject(empty);
}

TEST(GdiObjectsTest, PensFontsAndPalettesValidateInput)
{
    EXPECT_EQ(CreatePen(PS_SOLID, -1, 0), 0u);
    EXPECT_EQ(CreatePen(PS_USERSTYLE, 1, 0), 0u);
    EXPECT_EQ(CreatePenIndirect(nullptr), 0u);
    const HPEN frame = CreatePen(PS_INSIDEFRAME, 0, RGB(1, 1, 1));
    EXPECT_EQ(GetObjectType(frame), OBJ_PEN);
    DeleteObject(frame);

    EXPECT_EQ(CreateFontIndirectW(nullptr), 0u);
    LOGFONTW font{};
    font.lfHeight = -12;
    for (WCHAR& c : font.lfFaceName)
        c = u'x';
    const HFONT h = CreateFontIndirectW(&font);
    ASSERT_NE(h, 0u);
    const LOGFONTW& stored = TkLookupGdiObject(h)->font;
    EXPECT_EQ(stored.lfHeight, -12);
    EXPECT_EQ(stored.lfFaceName[LF_FACESIZE - 1], 0);  // a face name always ends
    EXPECT_EQ(FaceOf(stored).size(), std::size_t(LF_FACESIZE - 1));
    DeleteObject(h);

    EXPECT_EQ(CreatePalette({}), 0u);
    const PALETTEENTRY entries[3] = {{1, 2, 3, 0}, {4, 5, 6, 0}, {7, 8, 9, 0}};
    const HPALETTE palette = CreatePalette(entries);
    WORD count = 0;
    ASSERT_EQ(GetObject(palette, sizeof count, &count), 2);
    EXPECT_EQ(count, 3);
    DeleteObject(palette);
}

TEST(GdiObjectsTest, DeleteTellsObserversFirstAndNeverReusesHandles)
{
    const std::size_t before = TkGdiObjectCount();
    CountingObserver first;
    CountingObserver second;
    TkAddGdiObjectObserver(&first);
    TkAddGdiObjectObserver(&first);  // added once only
    TkAddGdiObjectObserver(&second);

    const HPEN pen = CreatePen(PS_SOLID, 1, 0);
    ASSERT_NE(pen, 0u);
    EXPECT_EQ(TkGdiObjectCount(), before + 1);
    EXPECT_EQ(DeleteObject(pen), TRUE);
    EXPECT_EQ(first.deleted, std::vector<HGDIOBJ>{pen});
    EXPECT_EQ(first.typeSeen, OBJ_PEN);  // still there while observers are told
    EXPECT_EQ(second.deleted, std::vector<HGDIOBJ>{pen});
    EXPECT_EQ(GetObjectType(pen), 0u);
    EXPECT_EQ(TkGdiObjectCount(), before);

    EXPECT_EQ(DeleteObject(pen), FALSE);
    EXPECT_EQ(DeleteObject(0), FALSE);
    EXPECT_EQ(DeleteObject(0xDEADBEEF), FALSE);
    EXPECT_EQ(first.deleted.size(), 1u);

    TkRemoveGdiObjectObserver(&second);
    const HPEN next = CreatePen(PS_SOLID, 1, 0);
    EXPECT_NE(next, pen);
    DeleteObject(next);
    EXPECT_EQ(first.deleted.size(), 2u);
    EXPECT_EQ(second.deleted.size(), 1u);
    TkRemoveGdiObjectObserver(&first);
}

TEST(GdiObjectsTest, ObserverMayRemoveAnotherWhileBeingTold)
{
    struct Remover : ITkGdiObjectObserver {
        ITkGdiObjectObserver* pOther = nullptr;
        void OnDeleteObject(HGDIOBJ) override { TkRemoveGdiObjectObserver(pOther); }
    };
    CountingObserver removed;
    Remover remover;
    remover.pOther = &removed;
    TkAddGdiObjectObserver(&remover);
    TkAddGdiObjectObserver(&removed);
    DeleteObject(CreateSolidBrush(0));
    EXPECT_TRUE(removed.deleted.empty());
    TkRemoveGdiObjectObserver(&remover);
}
