// Brushes: hatches on the brush origin and in hatched pens, bitmap and DIB
// patterns with the DC's colours, and the calls that fill and copy rectangles.

#include "platform/qt/TkQtPaintTest.h"

#include "platform/gdi/TkPackedDib.h"
#include "platform/qt/TkQtPaintBrush.h"
#include "platform/qt/TkQtPaintColours.h"
#include "platform/qt/TkQtPaintDib.h"
#include "platform/qt/TkQtPaintPen.h"
#include "support/TestDib.h"

#include <cstdint>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

class TkQtPaintBrushTest : public TkQtPaintTest {
protected:
    void FillAll()
    {
        dc().SelectObject(GetStockObject(NULL_PEN));
        dc().Rectangle(0, 0, image().width() + 1, image().height() + 1);
    }
};

TEST_F(TkQtPaintBrushTest, HatchRepeatsEveryEightPixelsFromTheBrushOrigin)
{
    Use(CreateHatchBrush(HS_VERTICAL, RGB(0, 0, 0)));
    dc().SetBkMode(TRANSPARENT);
    dc().SetBrushOrg(3, 0);
    FillAll();
    EXPECT_EQ(Row(5, 0, 31), "...#.......#.......#.......#....");
}

TEST_F(TkQtPaintBrushTest, TheSixHatches)
{
    struct Case {
        int hatch;
        int count;  // set pixels in one tile
        QPoint set[2];
    };
    const Case cases[] = {
        {HS_HORIZONTAL, 8, {{3, 0}, {7, 0}}},  {HS_VERTICAL, 8, {{0, 3}, {0, 7}}},
        {HS_FDIAGONAL, 8, {{1, 1}, {6, 6}}},   {HS_BDIAGONAL, 8, {{7, 0}, {0, 7}}},
        {HS_CROSS, 15, {{5, 0}, {0, 5}}},      {HS_DIAGCROSS, 16, {{2, 2}, {5, 2}}},
    };
    for (const Case& c : cases) {
        Reset(8, 8, kWhite);
        Use(CreateHatchBrush(c.hatch, RGB(0, 0, 0)));
        FillAll();
        EXPECT_EQ(Count(kBlack), c.count) << "hatch " << c.hatch;
        for (const QPoint& p : c.set)
            EXPECT_EQ(At(p.x(), p.y()), kBlack) << "hatch " << c.hatch << " at " << p.x();
    }
}

TEST(TkQtHatchTileTest, PaperTilesScaleTheEightPixelPattern)
{
    // 600 dpi: 50 pixels, each pattern pixel 6 or 7 of them.
    ASSERT_EQ(TkQtPaperHatchSize(600), 50);
    EXPECT_EQ(TkQtPaperHatchSize(96), 8);
    EXPECT_EQ(TkQtPaperHatchSize(72), 8);
    const QImage tile = TkQtHatchTile(HS_BDIAGONAL, qRgb(0, 0, 0), qRgb(255, 255, 255), 50);
    ASSERT_EQ(tile.size(), QSize(50, 50));
    std::string top;
    for (int x = 0; x < 50; ++x)
        top += tile.pixel(x, 0) == 0xFF000000 ? '#' : '.';
    EXPECT_EQ(top, std::string(44, '.') + std::string(6, '#'));
    EXPECT_EQ(tile.pixel(0, 49), 0xFF000000);
    EXPECT_EQ(tile.pixel(49, 49), 0xFFFFFFFF);
}

// Paper asks for larger hatch tiles; a hatched pen's must grow with a brush's.
TEST_F(TkQtPaintBrushTest, HatchedPensTakeTheTileSizeOfTheDevice)
{
    const LOGBRUSH hatch{BS_HATCHED, RGB(0, 0, 0), HS_CROSS};
    Use(ExtCreatePen(PS_GEOMETRIC | PS_SOLID, 10, &hatch, 0, nullptr));
    const CTkQtPaintColours colours(dc());
    EXPECT_EQ(CTkQtPaintPen(dc(), colours, 50).MakePen().brush().textureImage().size(),
              QSize(50, 50));
    EXPECT_EQ(CTkQtPaintPen(dc(), colours).MakePen().brush().textureImage().size(), QSize(8, 8));
}

TEST_F(TkQtPaintBrushTest, HatchGapsShowTheBackgroundOnlyWhenOpaque)
{
    const QRgb grey = qRgb(100, 100, 100);
    const struct {
        int bkMode;
        QRgb gap;
    } cases[] = {{OPAQUE, qRgb(0, 0, 255)}, {TRANSPARENT, grey}};
    for (const auto& c : cases) {
        Reset(16, 16, grey);
        Use(CreateHatchBrush(HS_HORIZONTAL, RGB(255, 0, 0)));
        dc().SetBkColor(RGB(0, 0, 255));
        dc().SetBkMode(c.bkMode);
        FillAll();
        EXPECT_EQ(At(3, 8), qRgb(255, 0, 0)) << c.bkMode;
        EXPECT_EQ(At(3, 9), c.gap) << c.bkMode;
        EXPECT_EQ(Count(qRgb(255, 0, 0)) + Count(c.gap), 16 * 16) << c.bkMode;
    }
}

// A monochrome pattern shows the background colour for set bits and the text
// colour for clear ones, whatever the background mode and the DIB's own table.
// Both patterns have a top row of 0xF0 and a second of 0x0F; the DIB stores
// its rows bottom-up.
TEST_F(TkQtPaintBrushTest, MonochromePatternsTakeTheDCColours)
{
    Bytes bits;
    for (int row = 0; row < 8; ++row)
        bits.insert(bits.end(), {std::uint8_t(row % 2 == 0 ? 0xF0 : 0x0F), 0});
    const HBITMAP bitmap = HBITMAP(Keep(CreateBitmap(8, 8, 1, 1, bits)));
    const Bytes dib = TestDib(8, 2, 1, {0x00FF00FF, 0x0000FFFF}, {{0x0F}, {0xF0}});
    const QRgb text = qRgb(255, 0, 0);
    const QRgb back = qRgb(0, 0, 255);
    const HBRUSH brushes[] = {CreatePatternBrush(bitmap),
                              CreateDIBPatternBrushPt(dib, DIB_RGB_COLORS)};
    for (const HBRUSH brush : brushes) {
        Reset(32, 32, kWhite);
        Use(brush);
        dc().SetTextColor(RGB(255, 0, 0));
        dc().SetBkColor(RGB(0, 0, 255));
        dc().SetBkMode(TRANSPARENT);
        FillAll();
        EXPECT_EQ(At(0, 0), back);
        EXPECT_EQ(At(4, 0), text);
        EXPECT_EQ(At(0, 1), text);
        EXPECT_EQ(At(4, 1), back);
        EXPECT_EQ(At(8, 2), back);  // the pattern repeats
    }
}

TEST_F(TkQtPaintBrushTest, ColourDibPatternsKeepTheirColours)
{
    // 24 bits, top-down (negative height): blue-green-red bytes.
    const Bytes dib24 = TestDib(2, -1, 24, {}, {{0x30, 0x20, 0x10, 0x60, 0x50, 0x40}});
    Use(CreateDIBPatternBrushPt(dib24, DIB_RGB_COLORS));
    FillAll();
    EXPECT_EQ(At(0, 0), qRgb(0x10, 0x20, 0x30));
    EXPECT_EQ(At(1, 5), qRgb(0x40, 0x50, 0x60));

    // 8 bits with palette indices: the default palette's 13 is red, 16 blue.
    Reset(32, 32, kWhite);
    const Bytes pal = TestDib(2, 1, 8, {13, 16}, {{0, 1}}, BI_RGB, DIB_PAL_COLORS);
    Use(CreateDIBPatternBrushPt(pal, DIB_PAL_COLORS));
    FillAll();
    EXPECT_EQ(At(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(At(1, 0), qRgb(0, 0, 255));
}

TEST_F(TkQtPaintBrushTest, DibDecoderRefusesWhatItCannotRead)
{
    const TkQtDibColours colours;
    const Bytes good = TestDib(2, 1, 24, {}, {{1, 2, 3, 4, 5, 6}});
    EXPECT_FALSE(TkQtDecodePackedDib(good, DIB_RGB_COLORS, colours).isNull());
    const Bytes truncated(good.begin(), good.end() - 1);
    EXPECT_TRUE(TkQtDecodePackedDib(truncated, DIB_RGB_COLORS, colours).isNull());
    EXPECT_TRUE(TkQtDecodePackedDib({}, DIB_RGB_COLORS, colours).isNull());
    const Bytes rle = TestDib(2, 1, 8, {0, 0}, {{0, 2, 1, 0}}, BI_RLE8);
    EXPECT_TRUE(TkQtDecodePackedDib(rle, DIB_RGB_COLORS, colours).isNull());
    // Four thousand rows of one byte each hold more pixels than any pattern may.
    const Bytes huge = TestDib(4096, 4096, 1, {0, 0}, std::vector<Bytes>(4096, Bytes(512, 0)));
    EXPECT_TRUE(TkQtDecodePackedDib(huge, DIB_RGB_COLORS, colours).isNull());

    // 16-bit bit fields, 5-6-5: the masks follow the header.
    Bytes fields = TestDib(1, 1, 16, {0xF800, 0x07E0, 0x001F}, {{0x00, 0xF8}}, BI_BITFIELDS);
    const QImage red = TkQtDecodePackedDib(fields, DIB_RGB_COLORS, colours);
    ASSERT_FALSE(red.isNull());
    EXPECT_EQ(red.pixel(0, 0), qRgb(255, 0, 0));
    // An index past a short colour table reads as black.
    const Bytes shortTable = TestDib(2, 1, 4, {0x00FFFFFF}, {{0x01}});
    const QImage indexed = TkQtDecodePackedDib(shortTable, DIB_RGB_COLORS, colours);
    ASSERT_FALSE(indexed.isNull());
    EXPECT_EQ(indexed.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(indexed.pixel(1, 0), qRgb(0, 0, 0));
}

TEST_F(TkQtPaintBrushTest, DibDecoderSurvivesDamagedHeaders)
{
    // Every header byte of several well-formed DIBs set to values that break
    // sizes and counts: each result is a null image or one of the DIB's size.
    const TkQtDibColours colours;
    const std::vector<Bytes> dibs = {
        TestDib(3, 2, 1, {0, 0}, {{0xA0}, {0x40}}),
        TestDib(3, -2, 8, {1, 2, 3}, {{0, 1, 2}, {2, 1, 0}}),
        TestDib(2, 2, 32, {0xFF0000, 0xFF00, 0xFF}, {Bytes(8, 7), Bytes(8, 9)}, BI_BITFIELDS),
    };
    const std::uint8_t values[] = {0x00, 0x01, 0x7F, 0x80, 0xFF};
    for (const Bytes& dib : dibs) {
        for (std::size_t at = 0; at < 52 && at < dib.size(); ++at) {
            for (const std::uint8_t v : values) {
                Bytes damaged = dib;
                damaged[at] = v;
                const QImage image = TkQtDecodePackedDib(damaged, DIB_RGB_COLORS, colours);
                const QImage pal = TkQtDecodePackedDib(damaged, DIB_PAL_COLORS, colours);
                EXPECT_TRUE(image.isNull() || image.width() * image.height() <= 1 << 22);
                EXPECT_TRUE(pal.isNull() || pal.width() * pal.height() <= 1 << 22);
            }
        }
    }
}

TEST_F(TkQtPaintBrushTest, BitBltCopiesFromAnotherImage)
{
    QImage sourceImage(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            sourceImage.setPixel(x, y, qRgb(x * 30, y * 30, 7));
    const auto source = TkCreateImageDC(sourceImage);
    EXPECT_TRUE(dc().BitBlt(10, 10, 3, 2, source.get(), 4, 5, SRCCOPY));
    EXPECT_EQ(At(10, 10), qRgb(120, 150, 7));
    EXPECT_EQ(At(12, 11), qRgb(180, 180, 7));
    EXPECT_EQ(InkBounds(), QRect(10, 10, 3, 2));

    dc().BitBlt(10, 10, 1, 1, source.get(), 4, 5, 0x00660046);  // SRCINVERT: XOR
    EXPECT_EQ(At(10, 10), kBlack);

    // Four logical units of the source are eight of its pixels: the copy shrinks.
    source->SetMapMode(MM_ANISOTROPIC);
    source->SetWindowExt(1, 1);
    source->SetViewportExt(2, 2);
    dc().BitBlt(20, 20, 4, 4, source.get(), 0, 0, SRCCOPY);
    EXPECT_EQ(At(20, 20), qRgb(0, 0, 7));
    EXPECT_EQ(At(23, 23), qRgb(180, 180, 7));

    CTkDC plain;
    EXPECT_FALSE(dc().BitBlt(0, 0, 2, 2, &plain, 0, 0, SRCCOPY));
}

TEST_F(TkQtPaintBrushTest, BitBltReadsOnlyTheSourceThatExists)
{
    QImage sourceImage(8, 8, QImage::Format_RGB32);
    sourceImage.fill(qRgb(1, 2, 3));
    const auto source = TkCreateImageDC(sourceImage);
    // Half the source rectangle lies left of the image: that half is not copied.
    dc().BitBlt(0, 0, 8, 8, source.get(), -4, 0, SRCCOPY);
    EXPECT_EQ(BoundsOf(qRgb(1, 2, 3)), QRect(4, 0, 4, 8));
    // Rectangles far beyond both surfaces cost nothing and change nothing.
    dc().BitBlt(-2000000000, -2000000000, 2000000000, 2000000000, source.get(), 1000000000,
                1000000000, SRCCOPY);
    dc().BitBlt(0, 0, 2000000000, 2000000000, source.get(), -2000000000, 0, 0x00660046);
    EXPECT_EQ(BoundsOf(qRgb(1, 2, 3)), QRect(4, 0, 4, 8));
}

// StretchDIBits from a 2 x 2 bottom-up 24-bit DIB (red, blue over green, white),
// a one-bit DIB, which keeps its own table's colours, and a run-length coded one.
TEST_F(TkQtPaintBrushTest, StretchDibitsDrawsTheSourcePartTurnedBySigns)
{
    const QRgb red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255), green = qRgb(0, 255, 0);
    const Bytes rgb = TestDib(2, 2, 24, {}, {{0, 255, 0, 255, 255, 255}, {0, 0, 255, 255, 0, 0}});
    const Bytes mono = TestDib(8, 1, 1, {0x0000FF, 0xFFFF00}, {{0xF0}});
    // Three literal indexes padded to a word, then the end of the bitmap.
    Bytes rle = TestDib(3, 1, 8, {0x0000FF, 0xFFFF00}, {{0, 3, 1, 0, 1, 0, 0, 1}}, BI_RLE8);
    rle[20] = 8;  // biSizeImage
    const auto draw = [&](const Bytes& dib, RECT dest, RECT src) {
        TkPackedDibLayout layout;
        ASSERT_TRUE(TkMeasurePackedDib(dib, DIB_RGB_COLORS, &layout));
        const std::span<const BYTE> all(dib);
        const TkDibBlit b{TkDibBlitCall::StretchDIBits, int(dest.left), int(dest.top),
                          int(dest.right), int(dest.bottom), int(src.left), int(src.top),
                          int(src.right), int(src.bottom), SRCCOPY, DIB_RGB_COLORS, 0, 0,
                          all.first(layout.BitsOffset()), all.subspan(layout.BitsOffset()),
                          0, 0, {}};
        EXPECT_TRUE(dc().DibBlit(b));
    };
    draw(rgb, {0, 0, 4, 4}, {0, 0, 2, 2});
    EXPECT_EQ((std::vector<QRgb>{At(0, 0), At(3, 1), At(1, 3), At(2, 2)}),
              (std::vector<QRgb>{red, blue, green, kWhite}));
    draw(rgb, {12, 0, -4, 4}, {0, 0, 2, 2});  // mirrored into x 8..11
    EXPECT_EQ((std::vector<QRgb>{At(8, 0), At(11, 0)}), (std::vector<QRgb>{blue, red}));
    draw(rgb, {16, 0, 2, 2}, {1, 1, 1, 1});  // y counts from the stored bottom row
    EXPECT_EQ(At(17, 1), blue);
    draw(rgb, {20, 0, 2, 1}, {-1, 1, 2, 1});  // half outside: only the inside is drawn
    EXPECT_EQ(Row(0, 20, 21, red), ".#");
    dc().SetTextColor(RGB(0, 255, 0));
    draw(mono, {0, 8, 8, 1}, {0, 0, 8, 1});
    EXPECT_EQ(Row(8, 0, 7, qRgb(255, 255, 0), blue), "####....");
    draw(rle, {0, 9, 3, 1}, {0, 0, 3, 1});
    EXPECT_EQ(Row(9, 0, 2, qRgb(255, 255, 0), blue), "#.#");
}

}  // namespace
