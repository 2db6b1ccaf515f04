// Placement of the metafile into the picture: header, window, the two stages.

#include "import/VxEmfToVxConverter.h"

#include "graphics/VxRectangle.h"
#include "import/ConverterTestSupport.h"
#include "platform/gdi/EmfRecordTypes.h"
#include "platform/gdi/TkGdiObjects.h"
#include "support/EmfBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

POINT Mapped(CVxEmfToVxConverter& converter, POINT point)
{
    converter.TransformPoints(&point, 1);
    return point;
}

// A frame larger than the bounds shrinks with its aspect kept, by the side that
// limits it; a smaller one sits at the bounds' corner at 1:1. Logical units are
// the frame's hundredths of a millimetre, scaled alike.
TEST(VxEmfToVxConverterPlacement, FrameIsPlacedIntoTheBounds)
{
    const struct {
        RECT bounds;
        RECT frame;
        RECT placed;
        POINT logical;
        POINT mapped;
    } cases[] = {
        // 8191.5 rounds away from zero.
        {{0, 0, 16383, 16383}, {0, 0, 300000, 200000}, {0, 0, 16383, 10922}, {150000, 100000},
         {8192, 5461}},
        {{0, 0, 1000, 1000}, {0, 0, 2000, 4000}, {0, 0, 500, 1000}, {2000, 4000}, {500, 1000}},
        {{100, 200, 16383, 16383}, {0, 0, 2000, 1000}, {100, 200, 2100, 1200}, {10, 20},
         {110, 220}},
    };
    for (const auto& c : cases) {
        CVxEmfToVxConverter converter(c.bounds.left, c.bounds.top, c.bounds.right,
                                      c.bounds.bottom, TRUE);
        ASSERT_EQ(converter.OnHeader(MakeHeader(c.frame)), 0);
        EXPECT_EQ(converter.GetFrameRect(), c.placed);
        EXPECT_EQ(Mapped(converter, c.logical), c.mapped);
    }
}

// The window maps onto the frame; a point that maps to -1 keeps it, and only a
// window that cannot scale falls back.
TEST(VxEmfToVxConverterPlacement, WindowExtentAndOriginMapOntoTheFrame)
{
    CVxEmfToVxConverter converter(0, 0, 16383, 16383, TRUE);
    converter.OnHeader(MakeHeader({0, 0, 2000, 1000}));
    converter.OnSetWindowExtEx(200, 100);
    EXPECT_EQ(Mapped(converter, {100, 50}), (POINT{1000, 500}));
    converter.OnSetWindowOrgEx(50, 50);
    EXPECT_EQ(Mapped(converter, {100, 50}), (POINT{500, 0}));
    // Distances do not move with the origin.
    EXPECT_EQ(converter.TransformDistance(10, -5), (SIZE{100, -50}));

    converter.OnSetWindowExtEx(2000, 1000);
    converter.OnSetWindowOrgEx(1, 1);
    EXPECT_EQ(Mapped(converter, {0, 0}), (POINT{-1, -1}));
    converter.OnSetWindowExtEx(0, 0);
    EXPECT_EQ(Mapped(converter, {10, 10}), (POINT{0, 0}));
}

TEST(VxEmfToVxConverterHeader, SecondHeaderDiscardsEverythingBefore)
{
    CVxEmfToVxConverter converter(0, 0, 16383, 16383, TRUE);
    converter.OnHeader(MakeHeader({0, 0, 2000, 1000}, 4));
    converter.OnRectangle({0, 0, 10, 10});
    converter.OnCreatePen(1, LOGPEN{PS_SOLID, {1, 0}, 0});
    converter.OnSetWindowExtEx(10, 10);
    ASSERT_EQ(converter.GetGraphics().GetCount(), 1);

    converter.OnHeader(MakeHeader({0, 0, 500, 500}, 2));
    EXPECT_EQ(converter.GetGraphics().GetCount(), 0);
    EXPECT_EQ(converter.GetTableObject(1), 0u);
    EXPECT_EQ(converter.OnCreatePen(2, LOGPEN{}), 2);  // table now has 2 entries
    EXPECT_EQ(converter.OnCreatePen(1, LOGPEN{}), 0);
    EXPECT_EQ(Mapped(converter, {100, 100}).x, 100);
}

TEST(VxEmfToVxConverterDispatch, MiterLimitBelowOneOrNotANumberIsRaised)
{
    const struct {
        float stored;
        float expected;
    } cases[] = {{0.5f, 1.0f}, {4.0f, 4.0f}, {NAN, 1.0f}, {-3.0f, 1.0f}, {INFINITY, 1.0f}};
    for (const auto& c : cases) {
        CVxEmfToVxConverter converter(0, 0, 16383, 16383, TRUE);
        EmfBuilder builder;
        std::uint32_t raw;
        std::memcpy(&raw, &c.stored, sizeof raw);
        builder.Record(EMR_SETMITERLIMIT, {raw});
        EXPECT_EQ(RunRecords(converter, builder.Finish()), (std::vector<int>{0, 0, 0}));
        EXPECT_FLOAT_EQ(converter.GetMiterLimit(), c.expected) << c.stored;
    }
}

TEST(VxEmfToVxConverterDispatch, UnknownTypesAndMalformedFields)
{
    CVxEmfToVxConverter converter(0, 0, 16383, 16383, TRUE);
    EmfBuilder builder;
    builder.Record(EMR_STRETCHBLT, {0, 0, 0, 0});  // a cut bitmap costs only itself
    builder.Record(EMR_INTERSECTCLIPRECT, {0, 0, 1, 1});
    builder.Record(EMR_RECTANGLE, {1, 2});  // too short for its box
    EXPECT_EQ(RunRecords(converter, builder.Finish()), (std::vector<int>{0, 1, -1, 2}));
}

}  // namespace
