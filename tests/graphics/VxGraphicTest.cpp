#include "TestGraphics.h"

#include "attributes/VxPenGraphicProperty.h"
#include "graphics/VxLine.h"
#include "graphics/VxRectangle.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr int kMin = std::numeric_limits<int>::min();
constexpr int kMax = std::numeric_limits<int>::max();

struct Drag {
    RECT from;
    int h;
    POINT to;
    RECT expected;
};

}  // namespace

TEST(VxGraphicGeometry, OrientationCentreHandlesAndArea)
{
    CVxLine line(RECT{10, 5, 0, 0});
    EXPECT_EQ(line.GetNormalizedRect(), (RECT{0, 0, 10, 5}));
    EXPECT_EQ(line.GetStartPoint(), (POINT{10, 5}));
    EXPECT_EQ(CVxLine(RECT{-3, -3, 0, 0}).GetCenter(), (POINT{-1, -1}));
    EXPECT_EQ(CVxLine(RECT{kMin, kMax, kMax, kMax}).GetCenter(), (POINT{0, kMax}));
    EXPECT_EQ(CVxLine(RECT{kMin, kMin, kMax, kMax}).GetArea(),
              std::numeric_limits<std::uint32_t>::max());

    CVxRectangle rect(RECT{-3, 0, 4, 7});  // centre (0, 3)
    const POINT handles[] = {{0, 0}, {4, 3}, {0, 7}, {-3, 3}, {4, 0}, {-3, 7}, {-3, 0}, {4, 7}};
    for (int h = 0; h < 8; ++h)
        EXPECT_EQ(rect.GetHandlePoint(h), handles[h]) << "handle " << h;
    EXPECT_EQ(rect.GetHandlePoint(-1), (POINT{0, 3}));
}

TEST(VxGraphicHandles, NoCrossStopsShortOfTheOppositeSide)
{
    CVxRectangle rect(RECT{0, 0, 10, 10});
    struct Case {
        int h;
        POINT in, out;
    };
    const Case cases[] = {
        {1, {-5, 3}, {1, 3}},   {4, {0, 10}, {1, 9}},    {7, {0, 0}, {1, 1}},
        {5, {10, 0}, {9, 1}},   {6, {10, 10}, {9, 9}},   {7, {11, 11}, {11, 11}},
        {-1, {-50, 9}, {-50, 9}}, {8, {-5, -5}, {-5, -5}},
    };
    for (const Case& c : cases) {
        POINT p = c.in;
        EXPECT_EQ(rect.ConstrainHandleNoCross(c.h, p), c.out != c.in) << "handle " << c.h;
        EXPECT_EQ(p, c.out) << "handle " << c.h;
    }
    CVxLine flat(RECT{0, 0, 0, 10});  // may close up to zero, not turn over
    POINT p{-3, 4};
    EXPECT_TRUE(flat.ConstrainHandleNoCross(1, p));
    EXPECT_EQ(p, (POINT{0, 4}));
}

TEST(VxGraphicMoveHandle, TheOppositeSideStaysWhereItWas)
{
    const Drag cases[] = {
        {{-10, -10, 0, 0}, 7, {5, 5}, {-10, -10, 5, 5}},
        {{0, 0, 10, 10}, 6, {-5, -3}, {-5, -3, 10, 10}},
        {{0, 0, 10, 10}, 3, {-7, 5}, {-7, 0, 10, 10}},
        {{0, 0, 10, 10}, 5, {-1, 13}, {-1, 0, 10, 13}},
        {{0, 0, 10, 10}, -1, {8, 9}, {3, 4, 13, 14}},
        {{10, 0, 0, 4}, 1, {-5, 2}, {10, 0, -5, 4}},  // stored right to left
        {{0, 0, 10, 10}, 9, {50, 50}, {0, 0, 10, 10}},
    };
    for (const Drag& c : cases) {
        CVxRectangle rect(c.from);
        rect.MoveHandle(c.h, c.to);
        EXPECT_EQ(rect.GetRect(), c.expected) << "handle " << c.h;
    }
}

TEST(VxGraphicOffset, MovesRectangleAndPointHandlesAndSaturates)
{
    CTestPoints poly({{0, 0}, {10, 4}, {4, 2}});
    poly.Offset(3, -2);
    EXPECT_EQ(poly.GetRect(), (RECT{3, -2, 13, 2}));
    EXPECT_EQ(poly.m_points, (std::vector<POINT>{{3, -2}, {13, 2}, {7, 0}}));

    CVxRectangle rect(RECT{kMax - 5, 0, kMax, 10});
    rect.Offset(10, 0);
    EXPECT_EQ(rect.GetRect(), (RECT{kMax, 0, kMax, 10}));
}

TEST(VxGraphicScale, NegativeFactorsMirrorAboutTheCentre)
{
    CVxLine line(RECT{0, 0, 10, 4});
    line.Scale(-1, 1, 1, 1);
    EXPECT_EQ(line.GetRect(), (RECT{10, 0, 0, 4}));
    CVxRectangle rect(RECT{0, 0, 10, 4});
    rect.Scale(1, -1, 1, 1);
    EXPECT_EQ(rect.GetRect(), (RECT{0, 4, 10, 0}));

    CTestPoints poly({{0, 0}, {10, 4}, {4, 2}});
    poly.Scale(-1, 1, 1, 1);
    EXPECT_EQ(poly.m_points, (std::vector<POINT>{{10, 0}, {0, 4}, {6, 2}}));
}

TEST(VxGraphicScale, RoundsWithMulDivAndHalvesTowardZero)
{
    struct Case {
        RECT from;
        int nw, nh, ow, oh;
        RECT expected;
    };
    const Case cases[] = {
        {{0, 0, 5, 5}, 1, 1, 2, 2, {1, 1, 4, 4}},          // 2.5 rounds to 3
        {{0, 0, 5, 5}, -1, 1, 2, 2, {3, 1, 0, 4}},         // -2.5 to -3, -3 / 2 to -1
        {{0, 0, 10, 4}, 30, 7, 10, 5, {-10, -1, 20, 5}},   // width as old: taken as is
        {{0, 0, 10, 4}, 30, 8, 0, 0, {5, 2, 5, 2}},        // no old size: collapses
        {{kMin, 0, kMax, 10}, 1, 1, 2, 2, {-536870912, 3, 536870912, 8}},
    };
    for (const Case& c : cases) {
        CVxRectangle rect(c.from);
        rect.Scale(c.nw, c.nh, c.ow, c.oh);
        EXPECT_EQ(rect.GetRect(), c.expected);
    }
    // A zero extent gives nothing to scale points by: they stay in that direction.
    CTestPoints vertical({{5, 0}, {5, 10}});
    vertical.Scale(20, 20, 10, 10);
    EXPECT_EQ(vertical.m_points, (std::vector<POINT>{{5, -5}, {5, 15}}));
}

