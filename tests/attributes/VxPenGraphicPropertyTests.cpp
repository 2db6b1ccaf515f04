#include "attributes/VxPenGraphicProperty.h"
#include "platform/gdi/TkGdiObjects.h"

#include <gtest/gtest.h>

using P = CVxPenGraphicProperty;

namespace {
LOGPEN Pen(UINT style, int width, COLORREF color = RGB(0, 0, 0))
{
    return LOGPEN{style, {width, 0}, color};
}
}  // namespace

TEST(Pen, NeedsGeometricForWideDashesAndWideFlaggedStyles)
{
    EXPECT_FALSE(P::PenNeedsGeometric(Pen(PS_DASH, 1)));
    EXPECT_TRUE(P::PenNeedsGeometric(Pen(PS_DASH, 2)));
    EXPECT_TRUE(P::PenNeedsGeometric(Pen(PS_DASHDOTDOT, 5)));
    EXPECT_FALSE(P::PenNeedsGeometric(Pen(PS_SOLID, 5)));
    EXPECT_FALSE(P::PenNeedsGeometric(Pen(PS_NULL, 5)));
    EXPECT_FALSE(P::PenNeedsGeometric(Pen(PS_INSIDEFRAME, 5)));
    EXPECT_TRUE(P::PenNeedsGeometric(Pen(PS_GEOMETRIC | PS_SOLID, 2)));
    EXPECT_FALSE(P::PenNeedsGeometric(Pen(PS_GEOMETRIC | PS_DASH, 1)));
    EXPECT_FALSE(P::PenNeedsGeometric(Pen(PS_DOT, 0)));
}

TEST(Pen, ThinDashedPenIsAPlainPen)
{
    HPEN hPen = P::CreatePenFromLogPen(Pen(PS_DASH, 1, RGB(1, 2, 3)));
    ASSERT_EQ(GetObjectType(hPen), OBJ_PEN);
    LOGPEN made{};
    ASSERT_EQ(GetObject(hPen, sizeof(made), &made), int(sizeof(made)));
    EXPECT_EQ(made.lopnStyle, PS_DASH);
    EXPECT_EQ(made.lopnWidth.x, 1);
    EXPECT_EQ(made.lopnColor, RGB(1, 2, 3));
    DeleteObject(hPen);
}

TEST(Pen, FlagsOfAThinPenAreDroppedForThePlainPen)
{
    HPEN hPen = P::CreatePenFromLogPen(Pen(PS_GEOMETRIC | PS_ENDCAP_FLAT | PS_DOT, 1));
    ASSERT_EQ(GetObjectType(hPen), OBJ_PEN);
    LOGPEN made{};
    GetObject(hPen, sizeof(made), &made);
    EXPECT_EQ(made.lopnStyle, PS_DOT);
    DeleteObject(hPen);
}

TEST(Pen, WideDashedPenIsGeometricWithSquareCapsAndMitreJoins)
{
    HPEN hPen = P::CreatePenFromLogPen(Pen(PS_DASH, 2, RGB(4, 5, 6)));
    ASSERT_EQ(GetObjectType(hPen), OBJ_EXTPEN);
    EXTLOGPEN made{};
    ASSERT_GT(GetObject(hPen, sizeof(made), &made), 0);
    EXPECT_EQ(made.elpPenStyle, PS_DASH | 0x12100u);
    EXPECT_EQ(made.elpWidth, 2u);
    EXPECT_EQ(made.elpBrushStyle, BS_SOLID);
    EXPECT_EQ(made.elpColor, RGB(4, 5, 6));
    EXPECT_EQ(made.elpNumEntries, 0u);
    DeleteObject(hPen);
}

TEST(Pen, StoredGeometricFlagsAreKeptAsTheyAre)
{
    const UINT style = PS_GEOMETRIC | PS_ENDCAP_FLAT | PS_JOIN_BEVEL | PS_SOLID;
    HPEN hPen = P::CreatePenFromLogPen(Pen(style, 8));
    ASSERT_EQ(GetObjectType(hPen), OBJ_EXTPEN);
    EXTLOGPEN made{};
    GetObject(hPen, sizeof(made), &made);
    EXPECT_EQ(made.elpPenStyle, style);
    EXPECT_EQ(made.elpWidth, 8u);
    DeleteObject(hPen);
}

TEST(Pen, WideCapsAndJoinsWithoutTheGeometricFlagBecomeAGeometricPen)
{
    // As a Windows metafile gives them: square caps and mitre joins, 10 wide.
    const UINT style = PS_ENDCAP_SQUARE | PS_JOIN_MITER | PS_SOLID;
    HPEN hPen = P::CreatePenFromLogPen(Pen(style, 10));
    ASSERT_EQ(GetObjectType(hPen), OBJ_EXTPEN);
    EXTLOGPEN made{};
    GetObject(hPen, sizeof(made), &made);
    EXPECT_EQ(made.elpPenStyle, style | PS_GEOMETRIC);
    EXPECT_EQ(made.elpWidth, 10u);
    DeleteObject(hPen);
}

TEST(Pen, ScaleKeepsWideLinesAtLeastTwoAndLeavesThinOnes)
{
    struct Case {
        int width, yNum, yDenom, expected;
    };
    const Case cases[] = {
        {3, 1, 2, 2},      // 1.5 rounds to 2
        {3, 1, 4, 2},      // 0.75 would be 1: kept at 2
        {1, 1, 10, 1},     // thin lines are left alone
        {0, 5, 1, 0},      // ... and so is 0
        {1, 10, 1, 1},     // ... even when enlarged
        {4, 3, 2, 6},      // 6
        {5, 1, 2, 3},      // 2.5 rounds away from zero
        {10, -1, 1, 10},   // a flip keeps the width
        {10, 1, -2, 5},    // magnitudes of both
        {10, 3, 0, 10},    // no old height: nothing to scale by
    };
    for (const Case& c : cases) {
        P pen;
        pen.SetWidth(c.width);
        pen.Scale(100, c.yNum, 1, c.yDenom);
        EXPECT_EQ(pen.GetWidth(), c.expected)
            << c.width << " * " << c.yNum << " / " << c.yDenom;
    }
}

TEST(Pen, ScaleIgnoresTheHorizontalFactors)
{
    P pen;
    pen.SetWidth(4);
    pen.Scale(1, 1, 100, 1);
    EXPECT_EQ(pen.GetWidth(), 4);
}

TEST(Pen, SolidColourFlagClearsOnlyForADefiniteGeometricPen)
{
    P pen;
    EXPECT_TRUE(pen.IsSolidColor());
    pen.SetStyle(PS_DOT);
    EXPECT_TRUE(pen.IsSolidColor());  // width 1: a cosmetic pen
    pen.SetWidth(3);
    EXPECT_FALSE(pen.IsSolidColor());
    pen.SetStyle(PS_SOLID);
    EXPECT_TRUE(pen.IsSolidColor());

    P gathered(TRUE);
    gathered.SetStyle(PS_DOT);
    gathered.SetWidth(3);
    EXPECT_TRUE(gathered.IsSolidColor());  // the colour is not known yet
    gathered.SetColor(RGB(9, 9, 9));
    EXPECT_FALSE(gathered.IsSolidColor());
}

TEST(Pen, ApplyRecomputesTheSolidColourFlag)
{
    P pen;
    P source(TRUE);
    source.SetStyle(PS_DASH);
    source.SetWidth(2);
    EXPECT_TRUE(pen.Apply(source));
    EXPECT_EQ(pen.GetColor(), RGB(0, 0, 0));
    EXPECT_FALSE(pen.IsSolidColor());
}

TEST(Pen, MergeGathersTheSolidColourFlagToo)
{
    P gathered(TRUE);
    P thin;
    P wideDashed;
    wideDashed.SetStyle(PS_DASH);
    wideDashed.SetWidth(4);
    gathered.Merge(thin);
    gathered.Merge(wideDashed);
    EXPECT_EQ(gathered.GetState(P::SolidColor), VX_STATE_MIXED);
    EXPECT_EQ(gathered.GetState(P::Style), VX_STATE_MIXED);
}
