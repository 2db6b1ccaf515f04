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

RECT FrameOf(const CVxEmfToVxConverter& converter) { return converter.GetFrameRect(); }

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
        EXPECT_EQ(FrameOf(converter), c.placed);
        POINT point = c.logical;
        converter.TransformPoints(&point, 1);
        EXPECT_EQ(point, c.mapped);
    }
}

TEST(VxEmfToVxConverterPlacement, WindowExtentMapsOntoTheFrame)
{
    CVxEmfToVxConverter converter(0, 0, 16383, 16383, TRUE);
    converter.OnHeader(MakeHeader({0, 0, 2000, 1000}));
    converter.OnSetWindowExtEx(200, 100);
    POINT point{100, 50};
    converter.TransformPoints(&point, 1);
    EXPECT_EQ(point, (POINT{1000, 500}));

    converter.OnSetWindowOrgEx(50, 50);
    point = {100, 50};
    converter.TransformPoints(&point, 1);
    EXPECT_EQ(point, (POINT{500, 0}));
    // Distances do not move with the origin.
    const SIZE distance = converter.TransformDistance(10, -5);
    EXPECT_EQ(distance, (SIZE{100, -50}));
}

// A point that maps to -1 keeps it; only a failed scaling falls back.
TEST(VxEmfToVxConverterPlacement, PointMappingToMinusOneIsKept)
{
    CVxEmfToVxConverter converter(0, 0, 16383, 16383, TRUE);
    converter.OnHeader(MakeHeader({0, 0, 2000, 1000}));
    converter.OnSetWindowOrgEx(1, 1);
    POINT point{0, 0};
    converter.TransformPoints(&point, 1);
    EXPECT_EQ(point, (POINT{-1, -1}));

    converter.OnSetWindowExtEx(0, 0);  // a zero window cannot scale
    point = {10, 10};
    converter.TransformPoints(&point, 1);
    EXPECT_EQ(point, (POINT{0, 0}));
}

TEST(VxEmfToVxConverterPlacement, HostileCoordinatesSaturateInsteadOfOverflowing)
{
    CVxEmfToVxConverter converter(0, 0, 16383, 16383, TRUE);
    converter.OnHeader(MakeHeader({-2147483647 - 1, 0, 2147483647, 1000}));
    converter.OnSetWindowOrgEx(2147483647, 0);
    POINT point{-2147483647 - 1, 5};
    converter.TransformPoints(&point, 1);
    SUCCEED();  // the sanitizers catch any overflow on the way
    const SIZE distance = converter.TransformDistance(2147483647, 0);
    EXPECT_GE(distance.cx, 0);
}

TEST(VxEmfToVxConverterHeader, SecondHeaderDiscardsEverythingBefore)
{
    CVxEmfToVxConverter converter(0, 0, 16383, 16383, TRUE);
    converter.OnHeader(MakeHeader({0, 0, 2000, 1000}, 4));
    converter.OnRectangle({0, 0, 10, 10});
    converter.OnCreatePen(1, LOGPEN{PS_SOLID, {1, 0}, 0});
    converter.OnSetTextColor(0x123456);
    converter.OnSetWindowExtEx(10, 10);
    ASSERT_EQ(converter.GetGraphics().GetCount(), 1);

    converter.OnHeader(MakeHeader({0, 0, 500, 500}, 2));
    EXPECT_EQ(converter.GetGraphics().GetCount(), 0);
    EXPECT_EQ(converter.GetTableObject(1), 0u);
    EXPECT_EQ(converter.OnCreatePen(2, LOGPEN{}), 2);  // table now has 2 entries
    EXPECT_EQ(converter.OnCreatePen(1, LOGPEN{}), 0);
    POINT point{100, 100};
    converter.TransformPoints(&point, 1);
    EXPECT_EQ(point.x, 100);
}

TEST(VxEmfToVxConverterHeader, ResetRestoresTheDefaultSelections)
{
    CVxEmfToVxConverter converter(0, 0, 16383, 16383, TRUE);
    EXPECT_EQ(DWORD(converter.GetSelectedObject(OBJ_PEN)), 0x80000007u);
    EXPECT_EQ(DWORD(converter.GetSelectedObject(OBJ_BRUSH)), 0x80000000u);
    EXPECT_EQ(DWORD(converter.GetSelectedObject(OBJ_PAL)), 0x8000000Fu);
    EXPECT_EQ(DWORD(converter.GetSelectedObject(OBJ_FONT)), 0x8000000Du);
    EXPECT_EQ(converter.GetSelectedObject(OBJ_EXTPEN), -1);
    EXPECT_FLOAT_EQ(converter.GetMiterLimit(), 10.0f);
}

TEST(VxEmfToVxConverterHandOver, GraphicsAndPatternsMoveToTheCaller)
{
    CVxEmfToVxConverter converter(0, 0, 16383, 16383, TRUE);
    converter.OnHeader(MakeHeader({0, 0, 2000, 1000}));
    converter.OnRectangle({0, 0, 10, 10});
    converter.OnEllipse({5, 5, 10, 10});
    const std::vector<std::uint8_t> bmi = [] {
        std::vector<std::uint8_t> b(40 + 8, 0);
        b[0] = 40;
        b[4] = 8;   // width
        b[8] = 8;   // height
        b[12] = 1;  // planes
        b[14] = 1;  // bit count
        return b;
    }();
    const std::vector<std::uint8_t> bits(32, 0xAA);
    ASSERT_EQ(converter.OnCreateDibPatternBrushPt(1, DIB_RGB_COLORS, bmi, bits), 0);
    ASSERT_EQ(converter.OnCreateMonoBrush(2, DIB_RGB_COLORS, bmi, bits), 0);

    CVxGraphicList list;
    list.m_bOwnsGraphics = TRUE;
    std::vector<HBITMAP> bitmaps;
    std::vector<CVxEmfToVxConverter::PackedDib> globals;
    converter.HandOver(list, bitmaps, globals);
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_NE(dynamic_cast<CVxRectangle*>(GraphicAt(list, 0)), nullptr);
    ASSERT_EQ(bitmaps.size(), 1u);
    EXPECT_EQ(GetObjectType(bitmaps[0]), OBJ_BITMAP);  // still alive: the caller owns it
    ASSERT_EQ(globals.size(), 1u);
    // The block outlives the converter's reset, with the packed DIB in it.
    EXPECT_EQ(globals[0].Bytes().size(), bmi.size() + bits.size());
    EXPECT_EQ(TkGlobalBytes(globals[0].Get()).size(), bmi.size() + bits.size());
    EXPECT_EQ(converter.GetGraphics().GetCount(), 0);
    for (HBITMAP hBitmap : bitmaps)
        DeleteObject(hBitmap);
}

TEST(VxEmfToVxConverterDispatch, MiterLimitBelowOneOrNotANumberIsRaised)
{
    struct Case {
        float stored;
        float expected;
    } cases[] = {{0.5f, 1.0f}, {4.0f, 4.0f}, {NAN, 1.0f}, {-3.0f, 1.0f}, {INFINITY, 1.0f}};
    for (const Case& c : cases) {
        CVxEmfToVxConverter converter(0, 0, 16383, 16383, TRUE);
        EmfBuilder builder;
        std::uint32_t raw;
        std::memcpy(&raw, &c.stored, sizeof raw);
        builder.Record(EMR_SETMITERLIMIT, {raw});
        const std::vector<int> answers = RunRecords(converter, builder.Finish());
        EXPECT_EQ(answers, (std::vector<int>{0, 0, 0}));
        EXPECT_FLOAT_EQ(converter.GetMiterLimit(), c.expected) << c.stored;
    }
}

TEST(VxEmfToVxConverterDispatch, UnknownTypesAndMalformedFields)
{
    CVxEmfToVxConverter converter(0, 0, 16383, 16383, TRUE);
    EmfBuilder builder;
    builder.Record(EMR_STRETCHBLT, {0, 0, 0, 0});
    builder.Record(EMR_SAVEDC);
    builder.Record(EMR_RECTANGLE, {1, 2});  // too short for its box
    const std::vector<int> answers = RunRecords(converter, builder.Finish());
    EXPECT_EQ(answers, (std::vector<int>{0, -1, -1, 2}));
}

}  // namespace
