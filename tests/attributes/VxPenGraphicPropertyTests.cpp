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

TEST(Pen, WideDashesAndCapsMakeAGeometricPenAndThinPensDropTheirFlags)
{
    struct Case {
        UINT style;
        int width;
        DWORD type;
        UINT made;
    };
    const Case cases[] = {
        {PS_DASH, 1, OBJ_PEN, PS_DASH},
        {PS_GEOMETRIC | PS_ENDCAP_FLAT | PS_DOT, 1, OBJ_PEN, PS_DOT},
        // Square caps and mitre joins.
        {PS_DASH, 2, OBJ_EXTPEN, PS_DASH | 0x12100u},
        // As a Windows metafile gives them: caps and joins without the flag.
        {PS_ENDCAP_SQUARE | PS_JOIN_MITER | PS_SOLID, 10, OBJ_EXTPEN,
         PS_ENDCAP_SQUARE | PS_JOIN_MITER | PS_SOLID | PS_GEOMETRIC},
    };
    for (const Case& c : cases) {
        const HPEN hPen = P::CreatePenFromLogPen(Pen(c.style, c.width, RGB(4, 5, 6)));
        ASSERT_EQ(GetObjectType(hPen), c.type) << c.style;
        const CTkGdiObject* pPen = TkLookupGdiObject(hPen);
        if (c.type == OBJ_PEN) {
            EXPECT_EQ(pPen->pen.lopnStyle, c.made);
            EXPECT_EQ(pPen->pen.lopnColor, RGB(4, 5, 6));
        } else {
            EXPECT_EQ(pPen->extPen.elpPenStyle, c.made);
            EXPECT_EQ(pPen->extPen.elpWidth, DWORD(c.width));
            EXPECT_EQ(pPen->extPen.elpColor, RGB(4, 5, 6));
        }
        DeleteObject(hPen);
    }
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

