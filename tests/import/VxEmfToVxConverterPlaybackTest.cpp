// Saved states, world transforms and the records that draw on from the current
// position.

#include "import/VxEmfToVxConverter.h"

#include "attributes/VxFontGraphicProperty.h"
#include "attributes/VxGlobalGraphicProperty.h"
#include "attributes/VxPenGraphicProperty.h"
#include "graphics/VxArc.h"
#include "graphics/VxBezier.h"
#include "graphics/VxPath.h"
#include "graphics/VxPoly.h"
#include "graphics/VxText.h"
#include "import/ConverterTestSupport.h"
#include "platform/gdi/EmfRecordTypes.h"
#include "support/EmfBuilder.h"
#include "support/TestFontEngine.h"

#include <bit>
#include <cmath>
#include <limits>

namespace {

class ConverterPlayback : public ::testing::Test {
protected:
    ConverterPlayback() { m_converter.OnHeader(MakeHeader({0, 0, 2000, 1000})); }

    CVxGraphic* At(int index) const { return GraphicAt(m_converter.GetGraphics(), index); }
    std::vector<POINT> PointsOf(int index) const { return PointsOfPoly(At(index)); }
    static std::vector<POINT> PointsOfPoly(CVxGraphic* pGraphic)
    {
        std::vector<POINT> points;
        if (auto* pPoly = dynamic_cast<CVxPoly*>(pGraphic))
            for (int i = 0; i < pPoly->GetPointCount(); ++i)
                points.push_back(pPoly->GetPoint(i));
        return points;
    }

    CTestFontEngineScope m_engine;
    CVxEmfToVxConverter m_converter{0, 0, 16383, 16383, TRUE};
};

std::uint32_t Bits(float value) { return std::bit_cast<std::uint32_t>(value); }

// cos 30° = 0.8660254, sin 30° = 0.5: (100, 0), (100, 50) and (0, 50) go to
// (86.6, 50), (86.6 - 25, 50 + 43.3) and (-25, 43.3). Turned a quarter, (x, y)
// goes to (-y, x); the ellipse's curve starts at its right end and runs
// counter-clockwise, its first control point 0.5523 * 50 = 27.6 along the tangent.
TEST_F(ConverterPlayback, WorldTransformTurnsBoxesTextsAndEllipses)
{
    const float c = 0.8660254f;
    ASSERT_EQ(m_converter.OnSetWorldTransform({c, 0.5f, -0.5f, c, 0, 0}), 0);
    m_converter.OnRectangle({0, 0, 100, 50});
    m_converter.OnExtTextOut(100, 0, 0, {}, u"A", {});
    EXPECT_EQ(At(0)->GetTypeName(), "Polygon");
    EXPECT_EQ(PointsOf(0), (std::vector<POINT>{{0, 0}, {87, 50}, {62, 93}, {-25, 43}}));
    auto* pText = dynamic_cast<CVxText*>(At(1));
    ASSERT_NE(pText, nullptr);
    EXPECT_EQ(pText->GetRefPoint(), (POINT{87, 50}));
    // Down the page is clockwise.
    EXPECT_EQ(PropertyOf<CVxFontGraphicProperty>(pText, "Font")->GetLogFont().lfEscapement, -300);

    ASSERT_EQ(m_converter.OnSetWorldTransform({0, 1, -1, 0, 0, 0}), 0);
    m_converter.OnEllipse({-100, -50, 100, 50});
    auto* pPath = dynamic_cast<CVxPath*>(At(2));
    ASSERT_TRUE(pPath != nullptr && pPath->GetChildCount() == 2);
    const std::vector<POINT> points = PointsOfPoly(pPath->GetFirstChild());
    ASSERT_EQ(points.size(), 13u);
    EXPECT_EQ(std::vector<POINT>(points.begin(), points.begin() + 4),
              (std::vector<POINT>{{0, 100}, {28, 100}, {50, 55}, {50, 0}}));
    EXPECT_EQ(points[6], (POINT{0, -100}));
    EXPECT_EQ(points[12], (POINT{0, 100}));

    // Scale and move keep a box a box; a left multiplication scales first.
    m_converter.OnSetWorldTransform({1, 0, 0, 1, 10, 20});
    ASSERT_EQ(m_converter.OnModifyWorldTransform({2, 0, 0, 3, 0, 0}, MWT_LEFTMULTIPLY), 0);
    m_converter.OnRectangle({0, 0, 100, 50});
    EXPECT_EQ(At(3)->GetRect(), (RECT{10, 20, 210, 170}));
}

// Transforms that cannot be inverted or are not numbers are refused one by one;
// the transform before them stays.
TEST_F(ConverterPlayback, UnusableTransformRecordsAreIgnored)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct { DWORD type; float m11, m12, m21, m22, dx; DWORD mode; int answer; } cases[] = {
        {EMR_SETWORLDTRANSFORM, 0, 0, 0, 0, 0, 0, 1},
        {EMR_SETWORLDTRANSFORM, 1, 2, 2, 4, 0, 0, 1},  // rows in proportion
        {EMR_SETWORLDTRANSFORM, nan, 0, 0, 1, 0, 0, 1},
        {EMR_MODIFYWORLDTRANSFORM, 1, 0, 0, 1, std::numeric_limits<float>::infinity(), MWT_SET, 1},
        {EMR_MODIFYWORLDTRANSFORM, 1e30f, 0, 0, 1e30f, 0, MWT_LEFTMULTIPLY, 1},  // overflows
        {EMR_MODIFYWORLDTRANSFORM, 1, 0, 0, 1, 0, 7, 1},
        {EMR_MODIFYWORLDTRANSFORM, nan, nan, nan, nan, nan, MWT_IDENTITY, 0},
    };
    for (const auto& c : cases) {
        CVxEmfToVxConverter converter(0, 0, 16383, 16383, TRUE);
        EmfBuilder builder;
        builder.Record(EMR_SETWORLDTRANSFORM, {Bits(2), 0, 0, Bits(1e30f), 0, 0});
        builder.Record(c.type, {Bits(c.m11), Bits(c.m12), Bits(c.m21), Bits(c.m22), Bits(c.dx), 0,
                                c.mode});
        EXPECT_EQ(RunRecords(converter, builder.Finish()), (std::vector<int>{0, 0, c.answer, 0}))
            << c.type << " " << c.m11;
        EXPECT_EQ(converter.GetWorldTransform().eM11, c.answer == 0 ? 1 : 2) << c.m11;
    }
}

TEST_F(ConverterPlayback, RestoreBringsBackPenMappingAndPosition)
{
    m_converter.OnCreatePen(1, {PS_SOLID, {1, 0}, 0x0000FF});
    m_converter.OnCreatePen(2, {PS_DASH, {1, 0}, 0xFF0000});
    m_converter.OnSelectObject(1);
    m_converter.OnMoveToEx(5, 6);
    ASSERT_EQ(m_converter.OnSaveDC(), 0);
    m_converter.OnSelectObject(2);
    m_converter.OnSetWindowExtEx(200, 100);
    m_converter.OnSetWorldTransform({2, 0, 0, 2, 0, 0});
    m_converter.OnMoveToEx(50, 50);
    m_converter.OnRectangle({0, 0, 10, 10});
    ASSERT_EQ(m_converter.OnRestoreDC(-1), 0);
    m_converter.OnRectangle({0, 0, 10, 10});
    EXPECT_EQ(PropertyOf<CVxPenGraphicProperty>(At(0), "Pen")->GetColor(), 0xFF0000u);
    EXPECT_EQ(At(0)->GetRect(), (RECT{0, 0, 200, 200}));
    EXPECT_EQ(PropertyOf<CVxPenGraphicProperty>(At(1), "Pen")->GetColor(), 0x0000FFu);
    EXPECT_EQ(At(1)->GetRect(), (RECT{0, 0, 10, 10}));
    EXPECT_EQ(m_converter.GetCurrentPosition(), (POINT{5, 6}));

    // A saved pen deleted since gives way to the default pen.
    m_converter.OnSaveDC();
    m_converter.OnSelectObject(0x80000000u | WHITE_PEN);
    m_converter.OnDeleteObject(1);
    m_converter.OnRestoreDC(-1);
    EXPECT_EQ(m_converter.GetSelectedObject(OBJ_PEN), LONG(0x80000000u | BLACK_PEN));
}

// Saves with the background colours 1, 2 and 3, then colour 4 current.
TEST_F(ConverterPlayback, RelativeAbsoluteAndOutOfRangeRestores)
{
    const struct { int restore, answer; COLORREF color; std::size_t depth; } cases[] = {
        {-1, 0, 3, 2}, {-2, 0, 2, 1}, {-3, 0, 1, 0}, {1, 0, 1, 0}, {2, 0, 2, 1},
        {-4, 1, 4, 3}, {0, 1, 4, 3},  {4, 1, 4, 3},  {INT_MIN, 1, 4, 3},
    };
    for (const auto& c : cases) {
        CVxEmfToVxConverter converter(0, 0, 16383, 16383, TRUE);
        converter.OnHeader(MakeHeader({0, 0, 2000, 1000}));
        for (COLORREF color = 1; color <= 3; ++color) {
            converter.OnSetBkColor(color);
            converter.OnSaveDC();
        }
        converter.OnSetBkColor(4);
        EXPECT_EQ(converter.OnRestoreDC(c.restore), c.answer) << c.restore;
        converter.OnRectangle({0, 0, 1, 1});
        auto* pGraphic = GraphicAt(converter.GetGraphics(), 0);
        EXPECT_EQ(PropertyOf<CVxGlobalGraphicProperty>(pGraphic, "Global")->GetBkColor(), c.color);
        EXPECT_EQ(converter.GetSavedStateCount(), c.depth) << c.restore;
    }
}

// Outside a path a polyline from the current position; inside, one line per
// segment, so the figure stays open.
TEST_F(ConverterPlayback, PolylineToAndAngleArcGoOnFromTheCurrentPosition)
{
    const POINT points[] = {{20, 10}, {20, 20}};
    m_converter.OnMoveToEx(10, 10);
    ASSERT_EQ(m_converter.OnPolylineTo(points), 0);
    EXPECT_EQ(PointsOf(0), (std::vector<POINT>{{10, 10}, {20, 10}, {20, 20}}));
    m_converter.OnBeginPath();
    m_converter.OnPolylineTo(points);
    m_converter.OnEndPath();
    EXPECT_EQ(m_converter.GetPath()->GetChildCount(), 2);

    // A negative sweep turns clockwise: from the top round the right to the bottom.
    ASSERT_EQ(m_converter.OnAngleArc({100, 100}, 50, 90, -180), 0);
    auto* pArc = dynamic_cast<CVxArc*>(At(1));
    ASSERT_NE(pArc, nullptr);
    EXPECT_EQ(pArc->GetArcStart(), (POINT{100, 50}));
    EXPECT_EQ(PropertyOf<CVxGlobalGraphicProperty>(pArc, "Global")->GetArcDirection(), AD_CLOCKWISE);
    EXPECT_EQ(m_converter.GetCurrentPosition(), (POINT{100, 150}));
    EXPECT_EQ(m_converter.OnAngleArc({0, 0}, 5, std::nanf(""), 90), 1);
    EXPECT_EQ(m_converter.OnAngleArc({INT_MAX - 1, 0}, 5, 0, 90), 1);
}

TEST_F(ConverterPlayback, PolyDrawSplitsByPointTypes)
{
    const POINT points[] = {{10, 0}, {20, 0}, {20, 10}, {50, 50}, {60, 50}, {70, 50}, {70, 60}, {60, 60}};
    const BYTE types[] = {PT_LINETO, PT_MOVETO,   PT_LINETO | PT_CLOSEFIGURE, PT_MOVETO,
                          PT_LINETO, PT_BEZIERTO, PT_BEZIERTO, PT_BEZIERTO | PT_CLOSEFIGURE};
    ASSERT_EQ(m_converter.OnPolyDraw(points, types), 0);
    const struct { const char* type; std::vector<POINT> points; } expected[] = {
        {"Polyline", {{0, 0}, {10, 0}}},   {"Polyline", {{20, 0}, {20, 10}, {20, 0}}},
        {"Polyline", {{50, 50}, {60, 50}}}, {"Bezier", {{60, 50}, {70, 50}, {70, 60}, {60, 60}}},
        {"Polyline", {{60, 60}, {50, 50}}}};
    ASSERT_EQ(m_converter.GetGraphics().GetCount(), int(std::size(expected)));
    for (int i = 0; i < int(std::size(expected)); ++i) {
        EXPECT_EQ(At(i)->GetTypeName(), expected[i].type) << i;
        EXPECT_EQ(PointsOf(i), expected[i].points) << i;
    }
    // A stray type, Bezier points not in threes or a closing move leave the record undrawn.
    for (const auto& [at, type] : {std::pair{1, 0x08}, {6, PT_LINETO}, {3, PT_MOVETO | 1}}) {
        BYTE bad[std::size(types)];
        std::ranges::copy(types, bad);
        bad[at] = BYTE(type);
        EXPECT_EQ(m_converter.OnPolyDraw(points, bad), 1) << at;
    }
    EXPECT_EQ(m_converter.GetGraphics().GetCount(), 5);
}

}  // namespace

// A restore brings back the path and its open bracket as they were at the save,
// though the path was drawn and used up in between.
TEST_F(ConverterPlayback, RestoreBringsBackThePathBracket)
{
    auto& c = m_converter;
    c.OnSetWindowExtEx(2000, 1000);
    c.OnBeginPath();
    c.OnLineTo(10, 0);
    ASSERT_EQ(c.OnSaveDC(), 0);
    c.OnLineTo(10, 10);
    c.OnEndPath();
    c.OnFillPath();
    ASSERT_EQ(c.OnRestoreDC(-1), 0);
    c.OnLineTo(0, 10);
    c.OnEndPath();
    ASSERT_EQ(c.OnStrokePath(), 0);
    ASSERT_EQ(c.GetGraphics().GetCount(), 2);
    const RECT lastLines[] = {{10, 0, 10, 10}, {10, 0, 0, 10}};
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(At(i)->GetChildCount(), 2) << i;
        EXPECT_EQ(At(i)->GetLastChild()->GetRect(), lastLines[i]) << i;
    }
}

// Pens take the world transform in force when they draw, not when they were made;
// a cosmetic pen keeps its width.
TEST_F(ConverterPlayback, PenWidthsStretchWithTheWorldTransformTheyDrawIn)
{
    const LOGBRUSH solid{BS_SOLID, 0, 0};
    const DWORD dashes[] = {3, 1};
    auto& c = m_converter;
    c.OnSetWindowExtEx(2000, 1000);
    c.OnCreatePen(1, LOGPEN{PS_SOLID, {3, 0}, 0});
    c.OnExtCreatePen(2, PS_GEOMETRIC | PS_USERSTYLE, 4, solid, dashes, {}, {});
    c.OnExtCreatePen(3, PS_COSMETIC, 1, solid, {}, {}, {});
    ASSERT_EQ(c.OnSetWorldTransform({2, 0, 0, 2, 0, 0}), 0);
    const struct {
        DWORD pen;
        int width;
        std::vector<DWORD> dashes;
    } cases[] = {{1, 6, {}}, {2, 8, {6, 2}}, {3, 1, {}}};
    for (const auto& row : cases) {
        c.OnSelectObject(row.pen);
        c.OnRectangle({0, 0, 10, 10});
        auto& pen = dynamic_cast<CVxPenGraphicProperty&>(
            *At(c.GetGraphics().GetCount() - 1)->LookupProperty("Pen"));
        EXPECT_EQ(pen.GetWidth(), row.width) << row.pen;
        EXPECT_EQ(pen.GetStyleEntries(), row.dashes) << row.pen;
    }
}
