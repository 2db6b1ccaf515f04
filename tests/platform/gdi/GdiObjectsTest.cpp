#include "platform/gdi/TkGdiObjects.h"
#include "platform/gdi/TkGlobalBlock.h"
#include "platform/gdi/TkPackedDib.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

void PutLE(Bytes& bytes, std::size_t offset, std::uint32_t value, int count)
{
    for (int i = 0; i < count; ++i)
        bytes[offset + i] = std::uint8_t(value >> (8 * i));
}

// A packed DIB with a BITMAPINFOHEADER: header, colour table, then rows.
Bytes InfoDib(int width, int height, int bitCount, std::size_t tableBytes, std::size_t bitsBytes,
              DWORD compression = BI_RGB, DWORD sizeImage = 0, DWORD colorsUsed = 0)
{
    Bytes dib(40 + tableBytes + bitsBytes, 0);
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
Bytes MonoDib8x8() { return InfoDib(8, 8, 1, 8, 32); }

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

TEST(GdiObjectsTest, StockObjectsHaveWindowsValuesAndAreNeverDeleted)
{
    const std::pair<int, COLORREF> brushes[] = {
        {WHITE_BRUSH, 0xFFFFFF}, {LTGRAY_BRUSH, 0xC0C0C0}, {GRAY_BRUSH, 0x808080},
        {DKGRAY_BRUSH, 0x404040}, {BLACK_BRUSH, 0}};
    for (const auto& [index, color] : brushes) {
        LOGBRUSH brush{};
        ASSERT_EQ(GetObject(GetStockObject(index), sizeof brush, &brush), int(sizeof brush));
        EXPECT_EQ(brush.lbColor, color) << index;
    }
    EXPECT_EQ(TkLookupGdiObject(GetStockObject(DEFAULT_PALETTE))->palette.size(), 20u);
    EXPECT_EQ(GetStockObject(9), 0u);  // no stock object has number 9
    EXPECT_EQ(GetStockObject(STOCK_LAST + 1), 0u);

    const std::size_t before = TkGdiObjectCount();
    EXPECT_EQ(DeleteObject(GetStockObject(GRAY_BRUSH)), TRUE);
    EXPECT_EQ(GetObjectType(GetStockObject(GRAY_BRUSH)), OBJ_BRUSH);
    EXPECT_EQ(TkGdiObjectCount(), before);
}

TEST(GdiObjectsTest, GetObjectAnswersSizesAndRefusesSmallBuffers)
{
    const HPEN pen = CreatePen(PS_DASH, 3, RGB(1, 2, 3));
    const LOGBRUSH hatch{BS_HATCHED, RGB(0, 0, 255), HS_DIAGCROSS};
    const DWORD style[] = {4, 2, 1};
    const HPEN extPen = ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE, 5, &hatch, 3, style);
    EXPECT_EQ(GetObject(pen, 0, nullptr), 16);
    EXPECT_EQ(GetObject(extPen, 0, nullptr), int(sizeof(EXTLOGPEN) + 3 * sizeof(DWORD)));
    EXPECT_EQ(TkLookupGdiObject(extPen)->styleEntries, (std::vector<DWORD>{4, 2, 1}));

    LOGPEN logPen{99, {99, 99}, 99};
    EXPECT_EQ(GetObject(pen, 15, &logPen), 0);
    EXPECT_EQ(logPen.lopnStyle, 99u);  // untouched
    ASSERT_EQ(GetObject(pen, 64, &logPen), 16);  // a larger buffer is fine
    EXPECT_EQ(logPen.lopnColor, RGB(1, 2, 3));
    EXPECT_EQ(GetObject(0xDEADBEEF, 16, &logPen), 0);
    EXPECT_EQ(GetObjectType(0xDEADBEEF), 0u);
    for (HGDIOBJ h : {pen, extPen})
        EXPECT_EQ(DeleteObject(h), TRUE);

    // Real files give style entries with solid pens; they mean nothing there.
    const HPEN solid = ExtCreatePen(PS_GEOMETRIC | PS_SOLID, 150, &hatch, 3, style);
    EXPECT_EQ(GetObject(solid, 0, nullptr), int(sizeof(EXTLOGPEN)));
    DeleteObject(solid);
}

TEST(GdiObjectsTest, BadPensAndBrushesAreRefused)
{
    const LOGBRUSH solid{BS_SOLID, 0, 0};
    const DWORD style[17] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    const DWORD user = PS_GEOMETRIC | PS_USERSTYLE;
    const LOGBRUSH badHatch{BS_HATCHED, 0, 12};
    const LOGBRUSH noBitmap{BS_PATTERN, 0, 0xDEADBEEF};
    const LOGBRUSH dibBrush{BS_DIBPATTERNPT, DIB_RGB_COLORS, 0};
    const LOGBRUSH unknown{99, 0, 0};
    Bytes cutDib = MonoDib8x8();
    cutDib.pop_back();
    const HGDIOBJ refused[] = {
        ExtCreatePen(PS_GEOMETRIC, 1, nullptr, 0, nullptr),
        ExtCreatePen(user, 1, &solid, 0, style),
        ExtCreatePen(user, 1, &solid, 17, style),
        ExtCreatePen(user, 1, &solid, 2, nullptr),
        ExtCreatePen(0x00020000, 1, &solid, 0, nullptr),  // unknown type
        ExtCreatePen(PS_COSMETIC, 2, &solid, 0, nullptr),  // cosmetic is thin
        ExtCreatePen(PS_GEOMETRIC | PS_ALTERNATE, 1, &solid, 0, nullptr),
        ExtCreatePen(PS_GEOMETRIC | 0x300, 1, &solid, 0, nullptr),  // end cap
        ExtCreatePen(PS_GEOMETRIC, 4, &badHatch, 0, nullptr),
        ExtCreatePen(PS_GEOMETRIC, 4, &noBitmap, 0, nullptr),
        ExtCreatePen(PS_GEOMETRIC, 4, &dibBrush, 0, nullptr, cutDib),
        CreatePen(PS_SOLID, -1, 0),
        CreatePen(PS_USERSTYLE, 1, 0),
        CreateHatchBrush(12, 0),  // the metafile formats define hatches up to 11
        CreateBrushIndirect(&dibBrush),
        CreateBrushIndirect(&unknown),
        CreatePatternBrush(GetStockObject(BLACK_PEN)),
        CreateDIBPatternBrushPt(MonoDib8x8(), 2),  // no such usage
        CreatePalette({}),
    };
    for (std::size_t i = 0; i < std::size(refused); ++i)
        EXPECT_EQ(refused[i], 0u) << i;
    const HBRUSH extended = CreateHatchBrush(11, 0);
    EXPECT_NE(extended, 0u);
    DeleteObject(extended);
}

TEST(GdiObjectsTest, PatternsKeepTheirBitsWhateverHappensToTheirSource)
{
    const Bytes rows(16, 0xAA);
    const HBITMAP bitmap = CreateBitmap(8, 8, 1, 1, rows);
    const HBRUSH brush = CreatePatternBrush(bitmap);
    const LOGBRUSH pattern{BS_PATTERN, 0, bitmap};
    const HPEN pen = ExtCreatePen(PS_GEOMETRIC, 10, &pattern, 0, nullptr);
    EXPECT_EQ(DeleteObject(bitmap), TRUE);
    for (HGDIOBJ h : {brush, pen}) {
        ASSERT_NE(h, 0u);
        EXPECT_EQ(TkLookupGdiObject(h)->bits, rows);
        DeleteObject(h);
    }
    EXPECT_EQ(CreatePatternBrush(bitmap), 0u);  // deleted by now

    const Bytes dib = MonoDib8x8();
    for (std::size_t size : {0, 3, 39, 47, 79}) {
        const std::span<const std::uint8_t> cut(dib.data(), size);
        EXPECT_EQ(CreateDIBPatternBrushPt(cut, DIB_RGB_COLORS), 0u) << size;
    }
}

// A LOGBRUSH of a DIB pattern names a global block, so the brush can be made
// again from the LOGBRUSH alone, as long as the block lives.
TEST(GdiObjectsTest, DibPatternBrushesAreMadeFromTheGlobalBlockTheirLogBrushNames)
{
    const std::size_t before = TkGdiObjectCount();
    Bytes bytes = MonoDib8x8();
    bytes.resize(bytes.size() + 3, 0xEE);  // the block may be longer than its DIB
    auto pBlock = std::make_unique<CTkGlobalBlock>(bytes);
    const HGLOBAL hBlock = pBlock->Get();
    ASSERT_NE(hBlock, 0u);
    EXPECT_EQ(DeleteObject(hBlock), FALSE);  // a block is no GDI object

    for (UINT style : {BS_DIBPATTERN, BS_DIBPATTERNPT}) {
        const LOGBRUSH logBrush{style, 0x00120000 | DIB_RGB_COLORS, hBlock};
        const HBRUSH h = CreateBrushIndirect(&logBrush);
        ASSERT_NE(h, 0u) << style;
        EXPECT_EQ(TkLookupGdiObject(h)->dib, MonoDib8x8());
        LOGBRUSH read{};
        ASSERT_EQ(GetObject(h, sizeof read, &read), 12);
        EXPECT_EQ(read.lbColor, logBrush.lbColor);
        EXPECT_EQ(read.lbHatch, hBlock);
        DeleteObject(h);
    }
    const HBRUSH made = CreateDIBPatternBrush(hBlock, DIB_RGB_COLORS);
    ASSERT_NE(made, 0u);

    // The brush keeps its pattern; the freed handle names nothing again.
    pBlock.reset();
    EXPECT_EQ(TkLookupGdiObject(made)->dib, MonoDib8x8());
    EXPECT_TRUE(TkGlobalBytes(hBlock).empty());
    EXPECT_EQ(CreateDIBPatternBrush(hBlock, DIB_RGB_COLORS), 0u);
    DeleteObject(made);
    EXPECT_EQ(TkGdiObjectCount(), before);

    const CTkGlobalBlock cut(std::span<const std::uint8_t>(bytes).first(79));
    EXPECT_EQ(CreateDIBPatternBrush(cut.Get(), DIB_RGB_COLORS), 0u);
    const HBITMAP bitmap = CreateBitmap(8, 8, 1, 1, {});
    EXPECT_EQ(CreateDIBPatternBrush(bitmap, DIB_RGB_COLORS), 0u);  // a GDI object is no block
    EXPECT_EQ(TkGlobalFree(bitmap), FALSE);
    DeleteObject(bitmap);
}

TEST(GdiObjectsTest, MeasurePackedDibLayouts)
{
    struct Case {
        Bytes dib;
        UINT usage;
        std::size_t total, bitsOffset;
    };
    std::vector<std::uint8_t> core(12 + 6 + 32, 0);  // 3-byte colours, 16-bit sizes
    PutLE(core, 0, 12, 4);
    PutLE(core, 4, 8, 2);
    PutLE(core, 6, 8, 2);
    PutLE(core, 8, 1, 2);
    PutLE(core, 10, 1, 2);
    const Case cases[] = {
        {InfoDib(8, 8, 1, 4, 32), DIB_PAL_COLORS, 76, 44},  // 16-bit palette indices
        {InfoDib(3, -2, 24, 0, 24), DIB_RGB_COLORS, 64, 40},  // rows of 9 padded to 12
        {InfoDib(2, 1, 16, 12, 4, BI_BITFIELDS), DIB_RGB_COLORS, 56, 52},  // three masks
        {InfoDib(4, 1, 8, 12, 4, BI_RGB, 0, 3), DIB_RGB_COLORS, 56, 52},   // biClrUsed
        {InfoDib(4, 4, 8, 1024, 10, BI_RLE8, 10), DIB_RGB_COLORS, 1074, 1064},  // biSizeImage
        {core, DIB_RGB_COLORS, 50, 18},
        {InfoDib(8, 8, 1, 4, 32), DIB_PAL_INDICES, 72, 40},  // no colour table at all
    };
    for (const Case& c : cases) {
        TkPackedDibLayout layout;
        ASSERT_TRUE(TkMeasurePackedDib(c.dib, c.usage, &layout)) << c.total;
        EXPECT_EQ(layout.TotalSize(), c.total);
        EXPECT_EQ(layout.BitsOffset(), c.bitsOffset);
    }
    TkPackedDibLayout layout;
    EXPECT_FALSE(TkMeasurePackedDib(InfoDib(8, 8, 1, 4, 32), DIB_PAL_INDICES + 1, &layout));
}

TEST(GdiObjectsTest, MeasurePackedDibRefusesMalformedHeaders)
{
    const auto with = [](std::size_t offset, std::uint32_t value, int count) {
        Bytes dib = MonoDib8x8();
        PutLE(dib, offset, value, count);
        return dib;
    };
    const Bytes refused[] = {
        InfoDib(0, 8, 1, 8, 32),                   // no width
        InfoDib(-8, 8, 1, 8, 32),                  // negative width
        InfoDib(8, 0, 1, 8, 32),                   // no height
        InfoDib(8, 8, 3, 8, 32),                   // no such bit count
        InfoDib(8, 8, 8, 8, 32, 7),                // unknown compression
        InfoDib(8, 8, 4, 8, 32, BI_RLE8, 4),       // RLE8 needs 8 bits
        InfoDib(4, 4, 8, 1024, 10, BI_RLE8, 0),    // compressed without a size
        InfoDib(0x7FFFFFFF, 0x7FFFFFFF, 32, 0, 64),  // a product past 64 bits
        InfoDib(8, INT32_MIN, 32, 0, 64),
        InfoDib(8, 8, 1, 4, 32),                   // an RGB table too short
        with(0, 0xFFFFFFFF, 4),                    // header larger than the buffer
        with(0, 20, 4),                            // neither header form
        with(12, 2, 2),                            // two planes
        with(32, 0xFFFFFFFF, 4),                   // a colour table beyond the buffer
    };
    TkPackedDibLayout layout;
    for (std::size_t i = 0; i < std::size(refused); ++i)
        EXPECT_FALSE(TkMeasurePackedDib(refused[i], DIB_RGB_COLORS, &layout)) << i;
}

TEST(GdiObjectsTest, CreateBitmapRowsAndRefusals)
{
    const HBITMAP zeros = CreateBitmap(10, 3, 1, 1, {});
    BITMAP bm{};
    ASSERT_EQ(GetObject(zeros, sizeof bm, &bm), int(sizeof bm));
    EXPECT_EQ(bm.bmWidthBytes, 2);  // rows padded to 16 bits
    EXPECT_EQ(TkLookupGdiObject(zeros)->bits, Bytes(6, 0));
    DeleteObject(zeros);

    const HBITMAP colour = CreateBitmap(1, 2, 1, 24, Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9});
    EXPECT_EQ(TkLookupGdiObject(colour)->bits, (Bytes{1, 2, 3, 4, 5, 6, 7, 8}));
    DeleteObject(colour);

    EXPECT_EQ(CreateBitmap(1, 2, 1, 24, Bytes(7, 0)), 0u);  // rows of 4 bytes: too short
    EXPECT_EQ(CreateBitmap(1, -2, 1, 1, {}), 0u);
    EXPECT_EQ(CreateBitmap(8, 8, 2, 1, {}), 0u);
    EXPECT_EQ(CreateBitmap(8, 8, 1, 3, {}), 0u);
    EXPECT_EQ(CreateBitmap(0x7FFFFFFF, 0x7FFFFFFF, 1, 32, {}), 0u);
    const HBITMAP empty = CreateBitmap(0, 5, 1, 32, {});
    GetObject(empty, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth * bm.bmHeight * bm.bmBitsPixel, 1);
    DeleteObject(empty);
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
    EXPECT_EQ(DeleteObject(pen), TRUE);
    EXPECT_EQ(first.deleted, std::vector<HGDIOBJ>{pen});
    EXPECT_EQ(first.typeSeen, OBJ_PEN);  // still there while observers are told
    EXPECT_EQ(second.deleted, std::vector<HGDIOBJ>{pen});
    EXPECT_EQ(GetObjectType(pen), 0u);
    EXPECT_EQ(TkGdiObjectCount(), before);
    EXPECT_EQ(DeleteObject(pen), FALSE);

    TkRemoveGdiObjectObserver(&second);
    const HPEN next = CreatePen(PS_SOLID, 1, 0);
    EXPECT_NE(next, pen);
    DeleteObject(next);
    EXPECT_EQ(first.deleted.size(), 2u);
    EXPECT_EQ(second.deleted.size(), 1u);
    TkRemoveGdiObjectObserver(&first);
}
