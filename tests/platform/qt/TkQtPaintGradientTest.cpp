// GradientFill on the painting backend: rectangles shade linearly along their
// axis, triangles blend their corners, and the right and bottom edges stay out.

#include "platform/qt/TkQtPaintTest.h"

namespace {

using TkQtPaintGradientTest = TkQtPaintTest;

constexpr TRIVERTEX kRed{0, 0, 0xFF00, 0, 0, 0};
constexpr TRIVERTEX kBlue{30, 20, 0, 0, 0xFF00, 0};

TEST_F(TkQtPaintGradientTest, RectanglesShadeAlongTheirAxis)
{
    const TRIVERTEX vertices[] = {kRed, kBlue};
    const ULONG mesh[] = {0, 1};
    const struct {
        ULONG mode;
        QPoint near, far;  // a pixel by the first vertex, one by the second
    } cases[] = {
        {GRADIENT_FILL_RECT_H, {0, 10}, {29, 10}},
        {GRADIENT_FILL_RECT_V, {15, 0}, {15, 19}},
    };
    for (const auto& c : cases) {
        Reset(32, 32, kWhite);
        ASSERT_TRUE(dc().GradientFill(vertices, mesh, c.mode));
        EXPECT_GT(qRed(At(c.near.x(), c.near.y())), 230) << c.mode;
        EXPECT_LT(qBlue(At(c.near.x(), c.near.y())), 25) << c.mode;
        EXPECT_GT(qBlue(At(c.far.x(), c.far.y())), 230) << c.mode;
        EXPECT_EQ(At(30, 10), kWhite);
        EXPECT_EQ(At(10, 20), kWhite);
    }
}

// The centre of a triangle is the even blend of its corners.
TEST_F(TkQtPaintGradientTest, TrianglesBlendTheirCorners)
{
    const TRIVERTEX vertices[] = {{0, 0, 0xFF00, 0, 0, 0}, {30, 0, 0, 0xFF00, 0, 0},
                                  {0, 30, 0, 0, 0xFF00, 0}};
    const ULONG mesh[] = {0, 1, 2};
    ASSERT_TRUE(dc().GradientFill(vertices, mesh, GRADIENT_FILL_TRIANGLE));
    const QRgb centre = At(10, 10);
    for (const int channel : {qRed(centre), qGreen(centre), qBlue(centre)})
        EXPECT_NEAR(channel, 85, 12);
    EXPECT_GT(qRed(At(1, 1)), 200);
    EXPECT_EQ(At(25, 25), kWhite);
}

// Meshes that do not fit are refused; far-off fills neither overflow nor hang.
TEST_F(TkQtPaintGradientTest, BadMeshesAreRefusedAndHugeFillsClipped)
{
    const TRIVERTEX vertices[] = {{-2000000000, -2000000000, 0, 0, 0, 0},
                                  {2000000000, 2000000000, 0, 0, 0, 0},
                                  {-2000000000, 2000000000, 0, 0, 0, 0}};
    const ULONG bad[] = {0, 3};
    EXPECT_FALSE(dc().GradientFill(vertices, bad, GRADIENT_FILL_RECT_H));
    EXPECT_FALSE(dc().GradientFill(vertices, std::span(bad, 1), GRADIENT_FILL_RECT_H));
    const ULONG triangle[] = {0, 1, 2};
    EXPECT_FALSE(dc().GradientFill(vertices, triangle, 3));
    EXPECT_EQ(Count(kWhite), 32 * 32);
    EXPECT_TRUE(dc().GradientFill(vertices, triangle, GRADIENT_FILL_TRIANGLE));
    EXPECT_TRUE(dc().GradientFill(vertices, std::span(triangle, 2), GRADIENT_FILL_RECT_V));
    EXPECT_EQ(Count(kBlack), 32 * 32);
}

}  // namespace
