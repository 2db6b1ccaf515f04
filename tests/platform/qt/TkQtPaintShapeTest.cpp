// Lines and shapes land on the pixels GDI's rasteriser sets.

#include "platform/qt/TkQtPaintTest.h"

namespace {

using TkQtPaintShapeTest = TkQtPaintTest;

TEST_F(TkQtPaintShapeTest, ThinLineLeavesOutItsLastPixel)
{
    dc().MoveTo(0, 0);
    EXPECT_TRUE(dc().LineTo(10, 0));
    EXPECT_EQ(Row(0, 0, 12), "##########...");
    EXPECT_EQ(Count(kBlack), 10);

    // Backwards too: the end point (2, 5) stays clear, the start (12, 5) is set.
    dc().MoveTo(12, 5);
    dc().LineTo(2, 5);
    EXPECT_EQ(Row(5, 0, 13), "...##########.");

    // A line of no length sets nothing.
    dc().MoveTo(20, 20);
    dc().LineTo(20, 20);
    EXPECT_EQ(At(20, 20), kWhite);
}

// Each step takes the nearest pixel across the line, halves going down the
// screen, whichever way the line runs along its long axis.
TEST_F(TkQtPaintShapeTest, SlopedLinesRoundHalfStepsDownTheScreen)
{
    const struct {
        POINT from, to;
        int y;  // the rows y, y + 1, y + 2 show the line
        const char* rows[3];
    } cases[] = {
        {{0, 4}, {8, 6}, 4, {"##.......", "..####...", "......##."}},
        {{0, 12}, {8, 10}, 10, {".......#.", "...####..", "###......"}},
        {{8, 20}, {0, 22}, 20, {".......##", "...####..", ".##......"}},
    };
    for (const auto& c : cases) {
        dc().MoveTo(c.from.x, c.from.y);
        dc().LineTo(c.to.x, c.to.y);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(Row(c.y + i, 0, 8), c.rows[i]) << c.from.x << "," << c.from.y;
    }
}

// An outline runs through the box's last row and column, a fill without a pen
// stops one pixel short of them; reversed corners are normalised; a wide
// inside-frame pen stays in the box, a wide plain one straddles its outline.
TEST_F(TkQtPaintShapeTest, BoxesAndTheirEdges)
{
    const struct {
        BOOL (CTkDC::*draw)(int, int, int, int);
        int penStyle;
        int penWidth;  // -1: no pen, and a black fill
        RECT box;
        QRect ink;
        int y;
        const char* row;  // pixels 0..26 of row y
    } cases[] = {
        {&CTkDC::Rectangle, PS_SOLID, 0, {0, 0, 10, 10}, QRect(0, 0, 10, 10), 5,
         "#........#................."},
        {&CTkDC::Rectangle, PS_SOLID, -1, {2, 2, 12, 12}, QRect(2, 2, 9, 9), 5,
         "..#########................"},
        {&CTkDC::Rectangle, PS_SOLID, -1, {12, 12, 2, 2}, QRect(2, 2, 9, 9), 5,
         "..#########................"},
        {&CTkDC::Ellipse, PS_SOLID, -1, {0, 0, 11, 11}, QRect(0, 0, 10, 10), 5,
         "##########................."},
        {&CTkDC::Rectangle, PS_INSIDEFRAME, 5, {5, 5, 25, 25}, QRect(5, 5, 20, 20), 15,
         ".....#####..........#####.."},
        {&CTkDC::Rectangle, PS_SOLID, 5, {5, 5, 25, 25}, QRect(3, 3, 24, 24), 15,
         "...#####..............#####"},
    };
    for (const auto& c : cases) {
        Reset(32, 32, kWhite);
        if (c.penWidth < 0) {
            dc().SelectObject(GetStockObject(NULL_PEN));
            dc().SelectObject(GetStockObject(BLACK_BRUSH));
        } else {
            Use(CreatePen(c.penStyle, c.penWidth, RGB(0, 0, 0)));
            dc().SelectObject(GetStockObject(NULL_BRUSH));
        }
        EXPECT_TRUE((dc().*c.draw)(c.box.left, c.box.top, c.box.right, c.box.bottom));
        EXPECT_EQ(InkBounds(), c.ink) << c.box.left << " " << c.penStyle << " " << c.penWidth;
        EXPECT_EQ(Row(c.y, 0, 26), c.row) << c.box.left << " " << c.penStyle << " " << c.penWidth;
    }
}

// Two squares, the inner one wound the same way or the other: ALTERNATE
// always leaves it empty, WINDING fills it only when wound the same way.
TEST_F(TkQtPaintShapeTest, PolygonFillModes)
{
    const POINT same[] = {{2, 2}, {22, 2}, {22, 22}, {2, 22}, {2, 2},
                          {8, 8}, {16, 8}, {16, 16}, {8, 16}, {8, 8}};
    const POINT reversed[] = {{2, 2}, {22, 2}, {22, 22}, {2, 22}, {2, 2},
                              {8, 8}, {8, 16}, {16, 16}, {16, 8}, {8, 8}};
    const INT counts[] = {5, 5};
    const struct {
        int mode;
        const POINT* pts;
        QRgb inner;
    } cases[] = {
        {ALTERNATE, same, kWhite},
        {WINDING, same, kBlack},
        {WINDING, reversed, kWhite},
    };
    for (const auto& c : cases) {
        Reset(32, 32, kWhite);
        dc().SelectObject(GetStockObject(NULL_PEN));
        dc().SelectObject(GetStockObject(BLACK_BRUSH));
        dc().SetPolyFillMode(c.mode);
        dc().PolyPolygon(c.pts, counts, 2);
        EXPECT_EQ(At(12, 12), c.inner) << c.mode;
        // Left and top edges in, right and bottom out, as for a rectangle.
        EXPECT_EQ(InkBounds(), QRect(2, 2, 20, 20)) << c.mode;
    }
}

TEST_F(TkQtPaintShapeTest, PolygonOutlineIsClosed)
{
    dc().SelectObject(GetStockObject(NULL_BRUSH));
    const POINT pts[] = {{2, 2}, {12, 2}, {12, 8}};
    dc().Polygon(pts, 3);
    // The closing edge from (12, 8) back to (2, 2) is drawn: the middle of it.
    EXPECT_EQ(At(7, 5), kBlack);
    dc().SetROP2(R2_XORPEN);
    Use(CreatePen(PS_SOLID, 0, RGB(255, 255, 255)));
    dc().Polygon(pts, 3);
    EXPECT_EQ(Count(kBlack), 0);  // each pixel was drawn once, so XOR removes all
}

// From 3 o'clock to 9 o'clock: counter-clockwise over the top as the device
// shows it (y down), clockwise under the bottom.
TEST_F(TkQtPaintShapeTest, ArcDirectionsCoverComplementaryHalves)
{
    const struct {
        int direction;
        QRgb top, bottom;
    } cases[] = {{AD_COUNTERCLOCKWISE, kBlack, kWhite}, {AD_CLOCKWISE, kWhite, kBlack}};
    for (const auto& c : cases) {
        Reset(48, 48, kWhite);
        dc().SetArcDirection(c.direction);
        dc().Arc(0, 0, 41, 41, 40, 20, 0, 20);
        EXPECT_EQ(At(20, 0), c.top) << c.direction;
        EXPECT_EQ(At(20, 40), c.bottom) << c.direction;
        // Nothing of the other half but the pixels at the ends.
        const QRect ink = InkBounds();
        EXPECT_TRUE(c.top == kBlack ? ink.bottom() < 22 : ink.top() > 18) << c.direction;
    }
}

TEST_F(TkQtPaintShapeTest, PieAndChordAreClosedAndFilled)
{
    dc().SelectObject(GetStockObject(BLACK_BRUSH));
    // The quarter from 12 o'clock to 9 o'clock, counter-clockwise.
    dc().Pie(0, 0, 41, 41, 20, 0, 0, 20);
    EXPECT_EQ(At(10, 10), kBlack);  // inside the top-left quarter
    EXPECT_EQ(At(30, 10), kWhite);
    EXPECT_EQ(At(10, 30), kWhite);

    Reset(48, 48, kWhite);
    dc().SelectObject(GetStockObject(BLACK_BRUSH));
    dc().Chord(0, 0, 41, 41, 20, 0, 0, 20);
    EXPECT_EQ(At(8, 8), kBlack);     // between the arc and the chord
    EXPECT_EQ(At(14, 14), kWhite);   // beyond the chord, towards the centre
}

TEST_F(TkQtPaintShapeTest, MappingIsAppliedBeforeRounding)
{
    // Ten logical units are three pixels, y up from the bottom.
    dc().SetMapMode(MM_ANISOTROPIC);
    dc().SetWindowExt(10, 10);
    dc().SetViewportExt(3, -3);
    dc().SetViewportOrg(0, 30);
    dc().SelectObject(GetStockObject(NULL_PEN));
    dc().SelectObject(GetStockObject(BLACK_BRUSH));
    dc().Rectangle(0, 0, 35, 35);  // device (0, 30) - (11, 19): 10.5 rounds away from 0
    EXPECT_EQ(InkBounds(), QRect(0, 19, 10, 10));
}

TEST_F(TkQtPaintShapeTest, GeometricPensScaleCosmeticPensDoNot)
{
    dc().SetMapMode(MM_ANISOTROPIC);
    dc().SetWindowExt(1, 1);
    dc().SetViewportExt(4, 2);
    Use(CreatePen(PS_SOLID, 0, RGB(0, 0, 0)));
    dc().MoveTo(1, 2);
    dc().LineTo(6, 2);
    EXPECT_EQ(Column(10, 0, 8), "....#....");  // one pixel at any zoom

    Reset(32, 32, kWhite);
    dc().SetMapMode(MM_ANISOTROPIC);
    dc().SetWindowExt(2, 1);
    dc().SetViewportExt(5, 2);
    LOGBRUSH lb{BS_SOLID, RGB(0, 0, 0), 0};
    Use(ExtCreatePen(PS_GEOMETRIC | PS_ENDCAP_FLAT, 3, &lb, 0, nullptr));
    dc().MoveTo(2, 8);
    dc().LineTo(12, 8);
    // Three logical units are 7.5 pixels across the x scale, rounded to 8,
    // centred on y 16.
    EXPECT_EQ(Column(10, 10, 21), "..########..");
    EXPECT_EQ(Row(16, 3, 31), ".." + std::string(25, '#') + "..");
}

TEST_F(TkQtPaintShapeTest, EndCapsAndJoins)
{
    LOGBRUSH lb{BS_SOLID, RGB(0, 0, 0), 0};
    const auto line = [&](DWORD style) {
        Reset(40, 40, kWhite);
        Use(ExtCreatePen(PS_GEOMETRIC | style, 6, &lb, 0, nullptr));
        dc().MoveTo(10, 10);
        dc().LineTo(30, 10);
        return Row(10, 0, 39);
    };
    const auto run = [](int before, int ink) {
        const int after = 40 - before - ink;
        return std::string(before, '.') + std::string(ink, '#') + std::string(after, '.');
    };
    EXPECT_EQ(line(PS_ENDCAP_FLAT), run(10, 20));
    EXPECT_EQ(line(PS_ENDCAP_SQUARE), run(7, 26));  // three more, half the width, each end

    // A sharp corner: mitred it reaches far beyond the bevel; past the mitre
    // limit it is bevelled.
    const POINT corner[] = {{2, 30}, {20, 5}, {38, 30}};
    const auto tip = [&](float limit) {
        Reset(40, 40, kWhite);
        dc().SetMiterLimit(limit);
        Use(ExtCreatePen(PS_GEOMETRIC | PS_JOIN_MITER | PS_ENDCAP_FLAT, 6, &lb, 0, nullptr));
        dc().Polyline(corner, 3);
        return InkBounds().top();
    };
    EXPECT_LT(tip(10.0f), 1);
    EXPECT_GE(tip(1.0f), 2);
}

// Cosmetic styles run on along the line; opaque gaps take the background
// colour but leave out the last pixel as the ink does; wide old-style pens are
// solid whatever their style.
TEST_F(TkQtPaintShapeTest, PenStylesAndTheBackground)
{
    const QRgb red = qRgb(255, 0, 0);
    const struct {
        int style;
        int width;
        int bkMode;
        const char* row;  // '.' the paper: red when opaque, else white
    } cases[] = {
        {PS_DOT, 0, TRANSPARENT, "###...###...###...###...###...#."},
        {PS_DOT, 0, OPAQUE, "###...###...###...###...###...#?"},
        {PS_DASH, 0, TRANSPARENT, "##################......#######."},
        {PS_DASH, 3, TRANSPARENT, "################################"},
    };
    for (const auto& c : cases) {
        Reset(32, 32, kWhite);
        Use(CreatePen(c.style, c.width, RGB(0, 0, 0)));
        dc().SetBkColor(RGB(255, 0, 0));
        dc().SetBkMode(c.bkMode);
        dc().MoveTo(0, 5);
        dc().LineTo(31, 5);
        EXPECT_EQ(Row(5, 0, 31, kBlack, c.bkMode == OPAQUE ? red : kWhite), c.row)
            << c.style << " " << c.width << " " << c.bkMode;
    }
}

TEST_F(TkQtPaintShapeTest, ClippingFollowsTheDC)
{
    dc().SelectObject(GetStockObject(NULL_PEN));
    dc().SelectObject(GetStockObject(BLACK_BRUSH));
    dc().SaveDC();
    dc().IntersectClipRect(4, 4, 20, 20);
    dc().ExcludeClipRect(8, 8, 12, 12);
    dc().Rectangle(0, 0, 33, 33);
    EXPECT_EQ(InkBounds(), QRect(4, 4, 16, 16));
    EXPECT_EQ(At(10, 10), kWhite);  // the excluded hole, not just the box
    EXPECT_EQ(At(10, 6), kBlack);
    dc().RestoreDC(-1);
    dc().Rectangle(0, 0, 33, 33);
    EXPECT_EQ(Count(kBlack), 32 * 32);
}

TEST_F(TkQtPaintShapeTest, PathBracket)
{
    dc().SelectObject(GetStockObject(BLACK_BRUSH));
    ASSERT_TRUE(dc().BeginPath());
    dc().Rectangle(2, 2, 12, 12);
    dc().MoveTo(20, 2);
    dc().LineTo(30, 2);
    dc().LineTo(30, 12);
    EXPECT_TRUE(dc().CloseFigure());
    EXPECT_EQ(Count(kBlack), 0);  // nothing is drawn while the path is collected
    ASSERT_TRUE(dc().EndPath());
    EXPECT_TRUE(dc().StrokePath());
    EXPECT_EQ(Row(2, 0, 12), "..##########.");  // outline of (2, 2) - (11, 11)
    EXPECT_EQ(At(25, 7), kBlack);  // the closing segment of the open figure
    EXPECT_FALSE(dc().StrokePath());  // the path is used up

    Reset(32, 32, kWhite);
    dc().SelectObject(GetStockObject(BLACK_BRUSH));
    dc().BeginPath();
    dc().Rectangle(2, 2, 12, 12);
    dc().EndPath();
    EXPECT_TRUE(dc().FillPath());
    EXPECT_EQ(InkBounds(), QRect(2, 2, 9, 9));  // as the rectangle's own fill

    Reset(32, 32, kWhite);
    dc().BeginPath();
    dc().Rectangle(2, 2, 12, 12);
    EXPECT_FALSE(dc().StrokePath());  // the bracket was never closed
}

// Far-off and huge shapes neither overflow nor wrap round onto the device.
TEST_F(TkQtPaintShapeTest, HugeCoordinatesAreClippedToTheDevice)
{
    dc().Ellipse(2000000000, 2000000000, 2000000010, 2000000010);
    dc().RoundRect(-2000000000, 5, -1999999990, 15, 4, 4);
    dc().Ellipse(-2147483647, -2147483647, -2147483640, -2147483640);
    EXPECT_EQ(Count(kWhite), 32 * 32);
    dc().SelectObject(GetStockObject(GRAY_BRUSH));
    dc().Rectangle(-2000000000, -2000000000, 2000000000, 2000000000);
    EXPECT_EQ(Count(qRgb(128, 128, 128)), 32 * 32);
    dc().MoveTo(-2000000000, 5);
    dc().LineTo(2000000000, 5);
    EXPECT_EQ(Row(5, 0, 31, kBlack, qRgb(128, 128, 128)), std::string(32, '#'));
    dc().Ellipse(-2000000000, -2000000000, 2000000000, 2000000000);
    dc().MoveTo(0, 0);
    dc().LineTo(-2000000000, -1000000000);
    EXPECT_EQ(At(0, 0), kBlack);
}

}  // namespace
