#include "attributes/VxBrushGraphicProperty.h"

#include <gtest/gtest.h>

using B = CVxBrushGraphicProperty;

TEST(Brush, EqualityIgnoresWhatTheStyleDoesNotUse)
{
    const auto eq = [](LOGBRUSH a, LOGBRUSH b) { return B::BrushEquals(a, b); };
    // Solid: colour counts, hatch does not.
    EXPECT_TRUE(eq({BS_SOLID, 0x112233, 1}, {BS_SOLID, 0x112233, 5}));
    EXPECT_FALSE(eq({BS_SOLID, 0x112233, 1}, {BS_SOLID, 0x112234, 1}));
    // Hollow: neither counts.
    EXPECT_TRUE(eq({BS_HOLLOW, 0x111111, 1}, {BS_HOLLOW, 0x222222, 4}));
    // Hatched: both count.
    EXPECT_FALSE(eq({BS_HATCHED, 0, HS_CROSS}, {BS_HATCHED, 0, HS_VERTICAL}));
    EXPECT_FALSE(eq({BS_HATCHED, 0, HS_CROSS}, {BS_HATCHED, 1, HS_CROSS}));
    EXPECT_TRUE(eq({BS_HATCHED, 7, HS_CROSS}, {BS_HATCHED, 7, HS_CROSS}));
    // Pattern: the bitmap counts, the colour does not.
    EXPECT_TRUE(eq({BS_PATTERN, 0x010101, 42}, {BS_PATTERN, 0x020202, 42}));
    EXPECT_FALSE(eq({BS_PATTERN, 0, 42}, {BS_PATTERN, 0, 43}));
    // Different styles never match.
    EXPECT_FALSE(eq({BS_SOLID, 0, 0}, {BS_HOLLOW, 0, 0}));
}

TEST(Brush, SolidColourFlagClearsOnlyForADefiniteSolidBrush)
{
    B brush;
    brush.SetStyle(BS_SOLID);
    EXPECT_FALSE(brush.IsSolidColor());
    brush.SetStyle(BS_HATCHED);
    EXPECT_TRUE(brush.IsSolidColor());

    B gathered(TRUE);
    gathered.SetStyle(BS_SOLID);
    gathered.SetColor(RGB(1, 2, 3));
    EXPECT_TRUE(gathered.IsSolidColor());  // hatch not known
    gathered.SetHatch(0);
    EXPECT_FALSE(gathered.IsSolidColor());
}

TEST(Brush, ApplyTakesDefiniteValuesInTheirOwnOrder)
{
    B brush;
    B source(TRUE);
    source.SetHatch(HS_CROSS);
    EXPECT_TRUE(brush.Apply(source));
    EXPECT_EQ(brush.GetHatch(), std::uint32_t(HS_CROSS));
    EXPECT_EQ(brush.GetStyle(), BS_HOLLOW);

    source.SetStyle(BS_SOLID);
    EXPECT_TRUE(brush.Apply(source));
    EXPECT_FALSE(brush.IsSolidColor());
    EXPECT_FALSE(brush.Apply(source));
}
