// GradientFill on the painting backend: a rectangle shades along its axis and
// leaves out its right column, a triangle's centre blends its corners evenly,
// bad meshes are refused and far-off fills neither overflow nor hang.

#include "platform/qt/TkQtPaintTest.h"

namespace {

using TkQtPaintGradientTest = TkQtPaintTest;

TEST_F(TkQtPaintGradientTest, RectanglesAndTrianglesShade)
{
    // Red, green and blue corners, green across from red, then two far-off blacks.
    const TRIVERTEX vertices[] = {{0, 0, 0xFF00, 0, 0, 0},      {30, 0, 0, 0xFF00, 0, 0},
                                  {0, 30, 0, 0, 0xFF00, 0},      {30, 30, 0, 0xFF00, 0, 0},
                                  {2000000000, 2000000000, 0, 0, 0, 0},
                                  {-2000000000, -2000000000, 0, 0, 0, 0}};
    const ULONG rect[] = {0, 2}, box[] = {0, 3}, triangle[] = {0, 1, 2}, bad[] = {0, 6},
                huge[] = {5, 4};
    ASSERT_TRUE(dc().GradientFill(vertices, rect, GRADIENT_FILL_RECT_H));
    EXPECT_EQ(Count(kWhite), 32 * 32);  // no width
    ASSERT_TRUE(dc().GradientFill(vertices, box, GRADIENT_FILL_RECT_V));
    EXPECT_GT(qRed(At(5, 0)), 230);
    EXPECT_GT(qGreen(At(5, 29)), 230);
    EXPECT_EQ(At(30, 5), kWhite);

    Reset(32, 32, kWhite);
    ASSERT_TRUE(dc().GradientFill(vertices, triangle, GRADIENT_FILL_TRIANGLE));
    for (const int channel : {qRed(At(10, 10)), qGreen(At(10, 10)), qBlue(At(10, 10))})
        EXPECT_NEAR(channel, 85, 12);
    EXPECT_EQ(At(25, 25), kWhite);

    EXPECT_FALSE(dc().GradientFill(vertices, bad, GRADIENT_FILL_RECT_H));
    EXPECT_FALSE(dc().GradientFill(vertices, std::span(bad, 1), GRADIENT_FILL_RECT_H));
    EXPECT_FALSE(dc().GradientFill(vertices, triangle, 3));
    ASSERT_TRUE(dc().GradientFill(vertices, huge, GRADIENT_FILL_RECT_V));
    EXPECT_EQ(Count(kBlack), 32 * 32);
}

}  // namespace
