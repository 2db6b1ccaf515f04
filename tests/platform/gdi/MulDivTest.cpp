#include "platform/gdi/MulDiv.h"

#include <gtest/gtest.h>

#include <climits>

TEST(MulDivTest, RoundsHalvesAwayFromZeroWhateverTheSigns)
{
    EXPECT_EQ(MulDiv(5, 1, 2), 3);
    EXPECT_EQ(MulDiv(-5, 1, 2), -3);
    EXPECT_EQ(MulDiv(5, -1, 2), -3);
    EXPECT_EQ(MulDiv(5, 1, -2), -3);
    EXPECT_EQ(MulDiv(-5, -1, 2), 3);
    EXPECT_EQ(MulDiv(-5, 1, -2), 3);
    EXPECT_EQ(MulDiv(-5, -1, -2), -3);
    EXPECT_EQ(MulDiv(7, 1, 2), 4);
    EXPECT_EQ(MulDiv(-7, 1, 2), -4);
}

TEST(MulDivTest, RoundsToNearestBelowAndAboveHalf)
{
    EXPECT_EQ(MulDiv(1, 1, 3), 0);
    EXPECT_EQ(MulDiv(2, 1, 3), 1);
    EXPECT_EQ(MulDiv(-1, 1, 3), 0);
    EXPECT_EQ(MulDiv(-2, 1, 3), -1);
    EXPECT_EQ(MulDiv(286, 1000, 254), 1126);  // 1125.98
    EXPECT_EQ(MulDiv(0, 5, 7), 0);
}

TEST(MulDivTest, KeepsTheFull64BitProduct)
{
    EXPECT_EQ(MulDiv(INT_MAX, INT_MAX, INT_MAX), INT_MAX);
    EXPECT_EQ(MulDiv(100000, 100000, 1000), 10000000);
    EXPECT_EQ(MulDiv(INT_MIN, INT_MIN, INT_MIN), INT_MIN);
    EXPECT_EQ(MulDiv(INT_MIN, 3, 3), INT_MIN);
    EXPECT_EQ(MulDiv(INT_MIN, -1, -1), INT_MIN);
    EXPECT_EQ(MulDiv(INT_MIN, 1, 1), INT_MIN);
}

TEST(MulDivTest, AnswersMinusOneForZeroDivisor)
{
    EXPECT_EQ(MulDiv(5, 1, 0), -1);
    EXPECT_EQ(MulDiv(0, 0, 0), -1);
    EXPECT_EQ(MulDiv(INT_MIN, INT_MIN, 0), -1);
}

TEST(MulDivTest, AnswersMinusOneWhenTheResultLeaves32Bits)
{
    EXPECT_EQ(MulDiv(INT_MAX, 2, 1), -1);
    EXPECT_EQ(MulDiv(INT_MIN, -1, 1), -1);
    EXPECT_EQ(MulDiv(INT_MIN, 1, -1), -1);
    EXPECT_EQ(MulDiv(-1, INT_MIN, 1), -1);
    EXPECT_EQ(MulDiv(INT_MIN, INT_MIN, 1), -1);
    EXPECT_EQ(MulDiv(INT_MIN, INT_MIN, -INT_MAX), -1);
}

TEST(MulDivTest, RoundingAtTheEdgeOfTheRange)
{
    // 4294967295 / 2 = 2147483647.5: away from zero is 2^31, one too many.
    EXPECT_EQ(MulDiv(65535, 65537, 2), -1);
    // -4294967295 / 2 = -2147483647.5 rounds to INT_MIN, which fits.
    EXPECT_EQ(MulDiv(-65535, 65537, 2), INT_MIN);
    // -4294967297 / 2 = -2147483648.5 rounds past INT_MIN.
    EXPECT_EQ(MulDiv(-641, 6700417, 2), -1);
}
