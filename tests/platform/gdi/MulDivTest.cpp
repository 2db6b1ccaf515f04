#include "platform/gdi/MulDiv.h"

#include <gtest/gtest.h>

#include <climits>

TEST(MulDivTest, RoundsHalvesAwayFromZeroAndAnswersMinusOneOnFailure)
{
    struct Case {
        int number, numerator, denominator, result;
    };
    const Case cases[] = {
        {5, 1, 2, 3},           {-5, 1, 2, -3},          {5, -1, 2, -3},
        {5, 1, -2, -3},         {-5, -1, -2, -3},        {-5, 1, -2, 3},
        {7, 1, 2, 4},           {-7, 1, 2, -4},          {1, 1, 3, 0},
        {2, 1, 3, 1},           {-2, 1, 3, -1},          {286, 1000, 254, 1126},  // 1125.98
        // The full 64-bit product is kept.
        {INT_MAX, INT_MAX, INT_MAX, INT_MAX},            {100000, 100000, 1000, 10000000},
        {INT_MIN, INT_MIN, INT_MIN, INT_MIN},            {INT_MIN, -1, -1, INT_MIN},
        // A zero divisor, or a result outside 32 bits.
        {5, 1, 0, -1},          {0, 0, 0, -1},           {INT_MAX, 2, 1, -1},
        {INT_MIN, -1, 1, -1},   {INT_MIN, 1, -1, -1},    {INT_MIN, INT_MIN, -INT_MAX, -1},
        // 4294967295 / 2 = 2147483647.5: away from zero is 2^31, one too many;
        // -2147483647.5 rounds to INT_MIN, which fits; -2147483648.5 does not.
        {65535, 65537, 2, -1},  {-65535, 65537, 2, INT_MIN},  {-641, 6700417, 2, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MulDiv(c.number, c.numerator, c.denominator), c.result)
            << c.number << " * " << c.numerator << " / " << c.denominator;
}
