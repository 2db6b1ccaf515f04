#include "attributes/TkPalette.h"

#include <gtest/gtest.h>

namespace {
// A tick count that advances by one at every reading.
CTkPalette<COLORREF>::Clock Counter(std::uint32_t start = 0)
{
    return [t = start]() mutable { return t++; };
}

// The colour palette as a view reset leaves it for an empty picture.
void ResetColors(CTkPalette<COLORREF>& palette)
{
    palette.Clear();
    for (COLORREF c : {0x000000u, 0xFFFFFFu, 0x808080u})
        palette.Add(c, TRUE);
    for (COLORREF c : {0x0000FFu, 0x0080FFu, 0x00FFFFu, 0x008000u, 0xFF0000u, 0x808000u,
                       0xFF80FFu})
        if (palette.GetFreeCount() > 0)
            palette.Add(c, FALSE);
}
}  // namespace

TEST(Palette, ColourResetLocksBlackWhiteGreyThenAddsDefaults)
{
    CTkPalette<COLORREF> palette(9, Counter());
    ResetColors(palette);
    const COLORREF expected[9] = {0x000000, 0xFFFFFF, 0x808080, 0x0000FF, 0x0080FF,
                                  0x00FFFF, 0x008000, 0xFF0000, 0x808000};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(palette.GetAt(i), expected[i]) << i;
        EXPECT_EQ(palette.IsLocked(i), i < 3 ? TRUE : FALSE) << i;
    }
    EXPECT_EQ(palette.IndexOf(0xFF80FF), -1);  // no room for the last default
    EXPECT_EQ(palette.GetFreeCount(), 0);
}

TEST(Palette, NewColoursReplaceTheLeastRecentlyUsedUnlockedEntry)
{
    CTkPalette<COLORREF> palette(9, Counter());
    ResetColors(palette);
    palette.Touch(palette.IndexOf(0x0000FF));  // entry 3 is now recent
    EXPECT_EQ(palette.Add(0x123456, FALSE), 4);  // 0080FF was the oldest
    EXPECT_EQ(palette.Add(0x654321, FALSE), 5);
    EXPECT_EQ(palette.Add(0x123456, FALSE), -1);  // present: only touched
    for (COLORREF c = 1; c <= 20; ++c)
        palette.Add(c, FALSE);
    EXPECT_EQ(palette.GetAt(0), 0x000000u);
    EXPECT_EQ(palette.GetAt(1), 0xFFFFFFu);
    EXPECT_EQ(palette.GetAt(2), 0x808080u);
}

TEST(Palette, AFullyLockedPaletteTakesNothing)
{
    CTkPalette<COLORREF> palette(2, Counter());
    palette.Add(1, TRUE);
    palette.Add(2, TRUE);
    EXPECT_EQ(palette.FindSlot(), -1);
    EXPECT_EQ(palette.Add(3, FALSE), -1);
    EXPECT_EQ(palette.IndexOf(3), -1);
}

TEST(Palette, LeastRecentlyUsedSurvivesTheTickCountWrapping)
{
    CTkPalette<COLORREF> palette(2, Counter(0xFFFFFFFEu));
    palette.Add(1, FALSE);  // stamped 0xFFFFFFFE
    palette.Add(2, FALSE);  // stamped 0xFFFFFFFF
    palette.Touch(1);       // stamped 0 after wrapping: the most recent
    EXPECT_EQ(palette.Add(3, FALSE), 0);
}

TEST(Palette, FillPatternResetLeavesEightLockedBrushesAndTwoFreeEntries)
{
    CTkPalette<LOGBRUSH> palette(10, Counter());
    const LOGBRUSH table[9] = {
        {BS_SOLID, 0, 0},       {BS_HOLLOW, 0, 0},      {BS_HATCHED, 0, HS_HORIZONTAL},
        {BS_HATCHED, 0, HS_HORIZONTAL}, {BS_HATCHED, 0, 1}, {BS_HATCHED, 0, 2},
        {BS_HATCHED, 0, 3},     {BS_HATCHED, 0, 4},     {BS_HATCHED, 0, 5},
    };
    palette.Clear();
    std::vector<int> added;
    for (const LOGBRUSH& brush : table)
        added.push_back(palette.Add(brush, TRUE));
    EXPECT_EQ(added, (std::vector<int>{0, 1, 2, -1, 3, 4, 5, 6, 7}));
    for (int i = 0; i < 8; ++i)
        EXPECT_TRUE(palette.IsLocked(i)) << i;
    EXPECT_EQ(palette.GetAt(7).lbHatch, std::uint32_t(HS_DIAGCROSS));
    EXPECT_TRUE(palette.IsFree(8));
    EXPECT_TRUE(palette.IsFree(9));

    // Entries compare byte for byte: a coloured solid brush is a new entry.
    EXPECT_EQ(palette.IndexOf(LOGBRUSH{BS_SOLID, 0x0000FF, 0}), -1);
    EXPECT_EQ(palette.Add(LOGBRUSH{BS_PATTERN, 0, 77}, FALSE), 8);
}
