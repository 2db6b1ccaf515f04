// Mix modes and raster operations give their truth tables' results, whichever
// way the backend paints them.

#include "platform/qt/TkQtPaintTest.h"

#include "platform/qt/TkQtPaintRop.h"

namespace {

constexpr QRgb kColour = 0x00FFFFFF;

// Each code's own formula, written out rather than read from a table.
QRgb Expected(int rop, QRgb pen, QRgb dest)
{
    const QRgb p = pen & kColour;
    const QRgb d = dest & kColour;
    QRgb r = 0;
    switch (rop) {
    case R2_BLACK: r = 0; break;
    case R2_NOTMERGEPEN: r = ~(p | d); break;
    case R2_MASKNOTPEN: r = ~p & d; break;
    case R2_NOTCOPYPEN: r = ~p; break;
    case R2_MASKPENNOT: r = p & ~d; break;
    case R2_NOT: r = ~d; break;
    case R2_XORPEN: r = p ^ d; break;
    case R2_NOTMASKPEN: r = ~(p & d); break;
    case R2_MASKPEN: r = p & d; break;
    case R2_NOTXORPEN: r = ~(p ^ d); break;
    case R2_NOP: r = d; break;
    case R2_MERGENOTPEN: r = ~p | d; break;
    case R2_COPYPEN: r = p; break;
    case R2_MERGEPENNOT: r = p | ~d; break;
    case R2_MERGEPEN: r = p | d; break;
    case R2_WHITE: r = kColour; break;
    }
    return (r & kColour) | 0xFF000000;
}

const QRgb kBackgrounds[] = {0xFF000000, 0xFFFFFFFF, 0xFF336699, 0xFFA5F00F};
const COLORREF kPens[] = {RGB(0xFF, 0x00, 0xFF), RGB(0xC3, 0x5A, 0x0F)};

QRgb QtOf(COLORREF c) { return qRgb(GetRValue(c), GetGValue(c), GetBValue(c)); }

class TkQtPaintRopTest : public TkQtPaintTest {
protected:
    // Four columns of eight pixels, one per background.
    void Stripes()
    {
        Reset(32, 40, kWhite);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 32; ++x)
                image().setPixel(x, y, kBackgrounds[x / 8]);
    }
    void ExpectRow(int y, int rop, COLORREF pen, int x0 = 0, int x1 = 31)
    {
        for (int x = x0; x <= x1; ++x)
            ASSERT_EQ(At(x, y), Expected(rop, QtOf(pen), kBackgrounds[x / 8]))
                << "rop " << rop << " at " << x << "," << y;
    }
};

// The sixteen codes are pinned through the lines and fills below.
TEST_F(TkQtPaintRopTest, UnknownCodesLeaveTheDestination)
{
    EXPECT_EQ(TkApplyRop2(0, 0xFF123456, 0xFF654321), 0xFF654321u);
    EXPECT_EQ(TkApplyRop2(17, 0xFF123456, 0xFF654321), 0xFF654321u);
}

TEST_F(TkQtPaintRopTest, ThinLinesMixEveryCode)
{
    for (const COLORREF pen : kPens) {
        Stripes();
        Use(CreatePen(PS_SOLID, 0, pen));
        for (int rop = R2_BLACK; rop <= R2_WHITE; ++rop) {
            dc().SetROP2(rop);
            dc().MoveTo(0, rop);
            dc().LineTo(32, rop);
            ExpectRow(rop, rop, pen);
        }
    }
}

TEST_F(TkQtPaintRopTest, FillsMixEveryCode)
{
    // A fill alone goes through QPainter's raster operations; a fill with an
    // outline is mixed as one layer.
    for (const bool outlined : {false, true}) {
        const COLORREF pen = kPens[1];
        Stripes();
        Use(CreateSolidBrush(pen));
        if (outlined)
            Use(CreatePen(PS_SOLID, 0, pen));
        else
            dc().SelectObject(GetStockObject(NULL_PEN));
        for (int rop = R2_BLACK; rop <= R2_WHITE; ++rop) {
            dc().SetROP2(rop);
            dc().Rectangle(0, 2 * rop, 33, 2 * rop + 2);  // without a pen: one row
            ExpectRow(2 * rop, rop, pen);
            if (outlined)
                ExpectRow(2 * rop + 1, rop, pen);
        }
    }
}

TEST_F(TkQtPaintRopTest, DevicesThatCannotBeReadMixWithWhitePaper)
{
    // An image format the backend does not combine stands for a printer.
    QImage paper(8, 8, QImage::Format_RGB16);
    paper.fill(Qt::black);
    {
        const auto dc = TkCreateImageDC(paper);
        dc->SetROP2(R2_XORPEN);
        const HPEN pen = CreatePen(PS_SOLID, 0, RGB(255, 0, 255));
        dc->SelectObject(pen);
        dc->MoveTo(0, 2);
        dc->LineTo(8, 2);
        dc->SetROP2(R2_NOP);
        dc->MoveTo(0, 4);
        dc->LineTo(8, 4);
        dc->SelectObject(GetStockObject(BLACK_PEN));
        DeleteObject(pen);
    }
    EXPECT_EQ(paper.pixel(3, 2), qRgb(0, 255, 0));  // magenta on white paper
    EXPECT_EQ(paper.pixel(3, 4), qRgb(0, 0, 0));    // R2_NOP draws nothing
}

TEST_F(TkQtPaintRopTest, InvertRectAndFocusRect)
{
    Reset(16, 16, qRgb(0x12, 0x34, 0x56));
    const RECT r{2, 3, 10, 8};
    EXPECT_TRUE(dc().InvertRect(&r));
    EXPECT_EQ(At(2, 3), qRgb(0xED, 0xCB, 0xA9));
    EXPECT_EQ(At(10, 7), qRgb(0x12, 0x34, 0x56));  // right and bottom are outside
    EXPECT_EQ(At(9, 8), qRgb(0x12, 0x34, 0x56));
    dc().InvertRect(&r);
    EXPECT_EQ(Count(qRgb(0x12, 0x34, 0x56)), 256);

    Reset(16, 16, kWhite);
    const RECT focus{2, 2, 12, 9};
    EXPECT_TRUE(dc().DrawFocusRect(&focus));
    EXPECT_EQ(Row(2, 2, 12), "#.#.#.#.#..");
    EXPECT_EQ(Column(2, 2, 9), "#.#.#.#.");
    EXPECT_EQ(Column(11, 2, 9), ".#.#.#..");
    EXPECT_EQ(Row(5, 3, 10), "........");  // the inside is left alone
    dc().DrawFocusRect(&focus);
    EXPECT_EQ(Count(kWhite), 256);
}

TEST_F(TkQtPaintRopTest, SetPixelMixesAndHonoursTheClip)
{
    EXPECT_EQ(dc().SetPixel(3, 4, RGB(10, 20, 30)), RGB(10, 20, 30));
    EXPECT_EQ(At(3, 4), qRgb(10, 20, 30));
    // A palette index: entry 13 of the default palette is red.
    EXPECT_EQ(dc().SetPixel(5, 5, 0x0100000D), RGB(255, 0, 0));
    EXPECT_EQ(At(5, 5), qRgb(255, 0, 0));
    // Set pixels go through the mix too.
    dc().SetROP2(R2_XORPEN);
    EXPECT_EQ(dc().SetPixel(5, 5, RGB(255, 255, 255)), RGB(255, 255, 255));
    EXPECT_EQ(At(5, 5), qRgb(0, 255, 255));

    dc().IntersectClipRect(0, 0, 4, 4);
    EXPECT_EQ(dc().SetPixel(6, 6, RGB(1, 1, 1)), COLORREF(CLR_INVALID));
    EXPECT_EQ(At(6, 6), kWhite);
    EXPECT_EQ(dc().SetPixel(40, 1, RGB(1, 1, 1)), COLORREF(CLR_INVALID));
}

TEST_F(TkQtPaintRopTest, TernaryOperations)
{
    const QRgb p = 0xFF0F0F0F;
    const QRgb s = 0xFF3355AA;
    const QRgb d = 0xFFC0C0C0;
    const struct {
        DWORD rop;
        QRgb result;
        bool source;
        bool pattern;
    } cases[] = {
        {SRCCOPY, s, true, false},
        {PATCOPY, p, false, true},
        {DSTINVERT, 0xFF3F3F3F, false, false},
        {PATINVERT, 0xFFCFCFCF, false, true},
        {0x00660046, 0xFFF3956A, true, false},  // SRCINVERT
        {0x008800C6, 0xFF004080, true, false},  // SRCAND
        {0x00C000CA, 0xFF03050A, true, true},   // MERGECOPY
        {BLACKNESS, 0xFF000000, false, false},
        {WHITENESS, 0xFFFFFFFF, false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TkApplyRop3(c.rop, p, s, d), c.result) << std::hex << c.rop;
        EXPECT_EQ(TkRop3UsesSource(c.rop), c.source) << std::hex << c.rop;
        EXPECT_EQ(TkRop3UsesPattern(c.rop), c.pattern) << std::hex << c.rop;
    }
}

}  // namespace
