// Text lands where GDI puts it: aligned on the reference point, glyphs at the
// summed advances, scaled and turned by the DC and the font.

#include "platform/qt/TkQtPaintTest.h"

#include "support/TestFontEngine.h"

#include <string_view>

namespace {

LOGFONTW Font(LONG height, LONG escapement = 0)
{
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfEscapement = escapement;
    lf.lfWeight = FW_NORMAL;
    const std::u16string_view face = u"Arial";
    std::copy(face.begin(), face.end(), lf.lfFaceName);
    return lf;
}

class TkQtPaintTextTest : public TkQtPaintTest {
protected:
    void SetUp() override { Reset(120, 80, kWhite); }
    void Select(const LOGFONTW& lf) { Use(CreateFontIndirectW(&lf)); }
    BOOL Text(int x, int y, std::u16string_view s, const INT* dx = nullptr, UINT options = 0,
              const RECT* pRect = nullptr)
    {
        return dc().ExtTextOutW(x, y, options, pRect, s.data(), UINT(s.size()), dx);
    }
};

TEST_F(TkQtPaintTextTest, CellsAlignOnTheReferencePoint)
{
    CTestFontEngineScope engine;  // ascent 20, descent 5, advance 10 at -20
    const QRgb blue = qRgb(0, 0, 255);
    const struct {
        UINT align;
        int extra;  // spacing added to each character's advance
        QRect cell;
    } cases[] = {
        {TA_LEFT | TA_TOP, 0, QRect(50, 30, 30, 25)},
        {TA_RIGHT | TA_BOTTOM, 0, QRect(20, 5, 30, 25)},
        {TA_CENTER | TA_BASELINE, 1, QRect(34, 10, 33, 25)},  // half of 33 is 16
        {TA_LEFT | TA_TOP, 3, QRect(50, 30, 39, 25)},
    };
    for (const auto& c : cases) {
        Reset(120, 80, kWhite);
        Select(Font(-20));
        dc().SetBkColor(RGB(0, 0, 255));
        dc().SetTextAlign(c.align);
        dc().SetTextCharacterExtra(c.extra);
        Text(50, 30, u"III");  // narrow letters: their ink stays in their cells
        EXPECT_EQ(BoundsOf(blue), c.cell) << c.align << " " << c.extra;
        EXPECT_EQ(InkBounds(), c.cell) << c.align << " " << c.extra;
    }
}

TEST_F(TkQtPaintTextTest, TransparentTextHasNoBox)
{
    CTestFontEngineScope engine;
    Select(Font(-20));
    dc().SetTextColor(RGB(255, 0, 0));
    dc().SetBkColor(RGB(0, 0, 255));
    dc().SetBkMode(TRANSPARENT);
    Text(10, 10, u"H");
    EXPECT_EQ(Count(qRgb(0, 0, 255)), 0);
    EXPECT_GT(Count(qRgb(255, 0, 0)), 10);  // solid red in the strokes of the H
}

TEST_F(TkQtPaintTextTest, OpaqueAndClippingRectangles)
{
    CTestFontEngineScope engine;
    Select(Font(-20));
    dc().SetBkMode(TRANSPARENT);
    dc().SetBkColor(RGB(0, 255, 0));
    const RECT box{5, 5, 25, 15};
    EXPECT_TRUE(Text(0, 0, u"", nullptr, ETO_OPAQUE, &box));
    EXPECT_EQ(BoundsOf(qRgb(0, 255, 0)), QRect(5, 5, 20, 10));

    Reset(120, 80, kWhite);
    Select(Font(-20));
    dc().SetBkMode(TRANSPARENT);
    const RECT clip{0, 0, 60, 12};
    Text(40, 0, u"HHHH", nullptr, ETO_CLIPPED, &clip);
    const QRect ink = InkBounds();
    EXPECT_LE(ink.right(), 59);
    EXPECT_LE(ink.bottom(), 11);
    EXPECT_GE(ink.right(), 50);
}

TEST_F(TkQtPaintTextTest, AdvanceArraysPlaceEachGlyph)
{
    Select(Font(-20));
    dc().SetBkMode(TRANSPARENT);
    const INT dx[] = {40, 40};
    Text(10, 10, u"II", dx);
    const int first = InkBounds().left();
    // The second I is the first one 40 pixels on, and nothing lies between.
    for (int x = first; x < first + 8; ++x)
        EXPECT_EQ(Column(x, 0, 79), Column(x + 40, 0, 79)) << x;
    for (int x = first + 8; x < first + 40; ++x)
        EXPECT_EQ(Column(x, 0, 79), std::string(80, '.')) << x;
}

// The font's height and the advance array are logical units: at a scale of
// two, half of each draws the same pixels.
TEST_F(TkQtPaintTextTest, FontHeightAndAdvancesGoThroughTheMapping)
{
    Select(Font(-20));
    dc().SetBkMode(TRANSPARENT);
    const INT dx[] = {30, 30};
    Text(10, 10, u"Hg");
    Text(10, 40, u"Hg", dx);
    const QImage direct = image().copy();

    Reset(120, 80, kWhite);
    dc().SetMapMode(MM_ANISOTROPIC);
    dc().SetWindowExt(10, 10);
    dc().SetViewportExt(20, 20);
    Select(Font(-10));
    dc().SetBkMode(TRANSPARENT);
    const INT half[] = {15, 15};
    Text(5, 5, u"Hg");
    Text(5, 20, u"Hg", half);
    EXPECT_EQ(image(), direct);
}

TEST_F(TkQtPaintTextTest, EscapementTurnsCounterClockwise)
{
    Select(Font(-20, 900));
    dc().SetTextAlign(TA_LEFT | TA_BASELINE);
    dc().SetBkMode(TRANSPARENT);
    Text(40, 70, u"HHHH");
    const QRect ink = InkBounds();
    EXPECT_GT(ink.height(), 2 * ink.width());  // the text runs upwards
    EXPECT_LE(ink.bottom(), 70);
    EXPECT_LE(ink.right(), 40);  // the letters stand left of their baseline
    EXPECT_GE(ink.right(), 38);
}

}  // namespace
