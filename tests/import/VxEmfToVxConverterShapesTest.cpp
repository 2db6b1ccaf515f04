// The drawing records: shapes, polys, text, comments and path brackets.

#include "import/VxEmfToVxConverter.h"

#include "attributes/VxBrushGraphicProperty.h"
#include "attributes/VxGlobalGraphicProperty.h"
#include "attributes/VxPenGraphicProperty.h"
#include "graphics/VxArc.h"
#include "graphics/VxBezier.h"
#include "graphics/VxCloseFigure.h"
#include "graphics/VxComment.h"
#include "graphics/VxEllipse.h"
#include "graphics/VxLine.h"
#include "graphics/VxPath.h"
#include "graphics/VxPoly.h"
#include "graphics/VxRectangle.h"
#include "graphics/VxRoundRect.h"
#include "graphics/VxText.h"
#include "import/ConverterTestSupport.h"
#include "platform/gdi/EmfRecordTypes.h"
#include "support/EmfBuilder.h"
#include "support/TestFontEngine.h"

#include <gtest/gtest.h>

namespace {

class ConverterShapes : public ::testing::Test {
protected:
    ConverterShapes() { m_converter.OnHeader(MakeHeader({0, 0, 2000, 1000})); }

    CVxGraphic* At(int index) const { return GraphicAt(m_converter.GetGraphics(), index); }

    CTestFontEngineScope m_engine;
    CVxEmfToVxConverter m_converter{0, 0, 16383, 16383, TRUE};
};

// Every drawing record gives one graphic of its kind, mapped through the window.
TEST_F(ConverterShapes, DrawingRecordsGiveTheirGraphicsMapped)
{
    m_converter.OnSetWindowExtEx(200, 100);
    const POINT points[] = {{0, 0}, {10, 0}, {10, 10}, {20, 20}, {30, 20}, {30, 30}};
    const DWORD counts[] = {3, 3};
    EXPECT_EQ(m_converter.OnRectangle({10, 10, 20, 30}), 0);
    EXPECT_EQ(m_converter.OnEllipse({0, 0, 100, 50}), 0);
    m_converter.OnMoveToEx(10, 10);
    m_converter.OnLineTo(20, 10);
    m_converter.OnLineTo(20, 20);
    EXPECT_EQ(m_converter.OnPolyPolygon(points, counts), 0);
    EXPECT_EQ(m_converter.OnPolyline(std::span(points).first(2)), 0);
    EXPECT_EQ(m_converter.OnRoundRect({10, 10, 20, 30}, {4, -2}), 0);
    EXPECT_EQ(m_converter.OnPie({0, 0, 100, 50}, 100, 25, 50, 0), 0);
    EXPECT_EQ(m_converter.OnChord({0, 0, 100, 50}, 100, 25, 50, 0), 0);
    EXPECT_EQ(m_converter.OnPolyBezier(std::span(points).first(4)), 0);
    const struct {
        const char* type;
        RECT rect;
    } expected[] = {{"Rectangle", {100, 100, 200, 300}}, {"Ellipse", {0, 0, 1000, 500}},
                    {"Line", {100, 100, 200, 100}},      {"Line", {200, 100, 200, 200}},
                    {"Polygon", {0, 0, 300, 300}},       {"Polyline", {0, 0, 100, 0}},
                    {"Rounded Rectangle", {100, 100, 200, 300}},
                    {"Pie", {0, 0, 1000, 500}},          {"Chord", {0, 0, 1000, 500}},
                    {"Bezier", {0, 0, 200, 200}}};
    ASSERT_EQ(m_converter.GetGraphics().GetCount(), int(std::size(expected)));
    for (int i = 0; i < int(std::size(expected)); ++i) {
        EXPECT_EQ(At(i)->GetTypeName(), expected[i].type) << i;
        EXPECT_EQ(At(i)->GetNormalizedRect(), expected[i].rect) << i;
    }
    EXPECT_EQ(m_converter.GetCurrentPosition(), (POINT{200, 200}));
    auto* pPolygon = dynamic_cast<CVxPoly*>(At(4));
    ASSERT_NE(pPolygon, nullptr);
    EXPECT_EQ(pPolygon->GetSubPolygonCount(), 2);
    EXPECT_EQ(pPolygon->GetPoint(4), (POINT{300, 200}));
    EXPECT_EQ(dynamic_cast<CVxRoundRect&>(*At(6)).GetCornerSize(), (SIZE{40, 20}));
    EXPECT_EQ(dynamic_cast<CVxArc&>(*At(7)).GetArcStart(), (POINT{1000, 250}));
}

TEST_F(ConverterShapes, WindowsMetafileBoxesGrowByOneAndMoveByOne)
{
    m_converter.m_bFromWmf = TRUE;
    m_converter.OnRectangle({10, 10, 20, 20});
    m_converter.OnArc({10, 10, 20, 20}, 20, 15, 10, 15);
    EXPECT_EQ(At(0)->GetRect(), (RECT{11, 11, 22, 22}));
    // The radial points move with the box: from the right middle round to the
    // left middle still, on the centre line y = 16. (21, 16) is within
    // truncation of the ellipse already and stays.
    auto* pArc = dynamic_cast<CVxArc*>(At(1));
    ASSERT_NE(pArc, nullptr);
    EXPECT_EQ(pArc->GetRect(), (RECT{11, 11, 22, 22}));
    EXPECT_EQ(pArc->GetArcStart(), (POINT{21, 16}));
    EXPECT_EQ(pArc->GetArcEnd(), (POINT{10, 16}));
    m_converter.m_bFromWmf = FALSE;
    m_converter.OnRectangle({10, 10, 20, 20});
    EXPECT_EQ(At(2)->GetRect(), (RECT{10, 10, 20, 20}));
}

TEST_F(ConverterShapes, ArcToStartsAtTheCurrentPositionAndEndsOnTheEllipse)
{
    m_converter.OnMoveToEx(0, 50);
    EXPECT_EQ(m_converter.OnArcTo({0, 0, 100, 100}, 0, 50, 200, 50), 0);
    auto* pArc = dynamic_cast<CVxArc*>(At(0));
    ASSERT_NE(pArc, nullptr);
    EXPECT_TRUE(pArc->IsArcTo());
    EXPECT_EQ(pArc->GetCurrentPoint(), (POINT{0, 50}));
    // The end point is kept on the ellipse, and the position follows it.
    EXPECT_EQ(m_converter.GetCurrentPosition(), pArc->GetArcEnd());
    EXPECT_EQ(pArc->GetArcEnd().x, 100);
}

// Empty polys are skipped; counts that do not agree with the points stop.
TEST_F(ConverterShapes, EmptyOrBrokenPolyRecords)
{
    const struct {
        const char* what;
        DWORD type;
        std::vector<DWORD> counts;  // poly-polys only
        std::vector<POINT> points;
        std::size_t countOffset;  // 0: leave the count
        int expected;
    } cases[] = {
        {"POLYGON16 without points", EMR_POLYGON16, {}, {}, 0, 1},
        {"POLYGON16 with count -1", EMR_POLYGON16, {}, {{1, 1}}, 24, 2},
        {"POLYLINE without points", EMR_POLYLINE, {}, {}, 0, 1},
        {"POLYGON16 with one point", EMR_POLYGON16, {}, {{1, 1}}, 0, 0},
        {"no figures, no points", EMR_POLYPOLYGON16, {}, {}, 0, 1},
        {"figures without points", EMR_POLYPOLYGON16, {0, 0}, {}, 0, 2},
        {"two figures", EMR_POLYPOLYGON16, {2, 1}, {{0, 0}, {1, 1}, {2, 2}}, 0, 0},
        // Curves need a start and three points each: other counts are only ignored.
        {"POLYBEZIER16 with 3n+2 points", EMR_POLYBEZIER16, {}, {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}},
         0, 1},
        {"POLYBEZIERTO with 3n+1 points", EMR_POLYBEZIERTO, {}, {{0, 0}, {1, 1}, {2, 2}, {3, 3}},
         0, 1},
        {"POLYBEZIER16 with one point", EMR_POLYBEZIER16, {}, {{1, 1}}, 0, 1},
    };
    for (const auto& c : cases) {
        CVxEmfToVxConverter converter(0, 0, 16383, 16383, TRUE);
        EmfBuilder builder;
        const std::size_t at = c.type == EMR_POLYPOLYGON16
                                   ? builder.PolyPoly(c.type, c.counts, c.points)
                                   : builder.Poly(c.type, c.points);
        std::vector<std::uint8_t> bytes = builder.Finish();
        if (c.countOffset != 0) bytes = Patched(bytes, {c.what, at + c.countOffset, 0xFFFFFFFF});
        const std::vector<int> answers = RunRecords(converter, bytes);
        ASSERT_GE(answers.size(), 2u) << c.what;
        EXPECT_EQ(answers[1], c.expected) << c.what;
    }
}

// A blit without a source that copies the brush paints the brush alone: a
// rectangle without an outline. Every other blit is left to the ignored list.
TEST_F(ConverterShapes, PatternBlitBecomesAnUnoutlinedRectangle)
{
    struct Case {
        const char* what;
        DWORD rop;
        std::uint32_t cbBmiSrc;
        bool bTruncated;
        int expected;
    } cases[] = {
        {"pattern copy", PATCOPY, 0, false, 0},
        {"source copy", SRCCOPY, 0, false, 1},
        {"with a source bitmap", PATCOPY, 40, false, 1},
        {"record too short", PATCOPY, 0, true, 1},
    };
    ASSERT_EQ(m_converter.OnCreateBrushIndirect(1, LOGBRUSH{BS_SOLID, RGB(9, 8, 7), 0}), 0);
    ASSERT_EQ(m_converter.OnSelectObject(1), 0);
    for (const Case& c : cases) {
        // bounds, destination, rop, source origin, identity transform, colour,
        // usage and the source bitmap's offsets and sizes
        std::vector<std::uint32_t> fields{0, 0, 0, 0, 10, 20, 100, 50, c.rop, 0, 0,
                                          0x3F800000, 0, 0, 0x3F800000, 0, 0,
                                          0, 0, 0, c.cbBmiSrc, 0, 0};
        if (c.bTruncated) fields.resize(20);
        std::vector<std::uint8_t> record(8 + 4 * fields.size());
        SetU32(record, 0, EMR_BITBLT);
        SetU32(record, 4, std::uint32_t(record.size()));
        for (std::size_t i = 0; i < fields.size(); ++i) SetU32(record, 8 + 4 * i, fields[i]);
        EXPECT_EQ(VxDispatchEmfRecord(m_converter, {EMR_BITBLT, record}), c.expected) << c.what;
    }
    ASSERT_EQ(m_converter.GetGraphics().GetCount(), 1);
    auto* pRect = dynamic_cast<CVxRectangle*>(At(0));
    ASSERT_NE(pRect, nullptr);
    EXPECT_EQ(pRect->GetRect(), (RECT{10, 20, 110, 70}));
    EXPECT_EQ(PropertyOf<CVxPenGraphicProperty>(pRect, "Pen")->GetStyle(), PS_NULL);
    EXPECT_EQ(PropertyOf<CVxBrushGraphicProperty>(pRect, "Brush")->GetColor(), RGB(9, 8, 7));
}

TEST_F(ConverterShapes, TextSpacingIsDroppedOrTransformedBySetting)
{
    const LONG spacing[] = {10, 12, 14};
    m_converter.OnSetWindowExtEx(200, 100);
    m_converter.OnExtTextOut(10, 20, 0, {}, u"abc", spacing);
    auto* pText = dynamic_cast<CVxText*>(At(0));
    ASSERT_NE(pText, nullptr);
    EXPECT_EQ(pText->GetText(), u"abc");
    EXPECT_EQ(pText->GetRefPoint(), (POINT{100, 200}));
    EXPECT_TRUE(pText->GetSpacing().empty());

    CVxEmfToVxConverter keeping(0, 0, 16383, 16383, FALSE);
    keeping.OnHeader(MakeHeader({0, 0, 2000, 1000}));
    keeping.OnSetWindowExtEx(200, 100);
    keeping.OnExtTextOut(10, 20, ETO_CLIPPED, {0, 0, 10, 10}, u"abc", spacing);
    auto* pKept = dynamic_cast<CVxText*>(GraphicAt(keeping.GetGraphics(), 0));
    ASSERT_NE(pKept, nullptr);
    EXPECT_EQ(pKept->GetSpacing(), (std::vector<INT>{100, 120, 140}));
    EXPECT_EQ(pKept->GetRect(), (RECT{0, 0, 100, 100}));
}

TEST_F(ConverterShapes, PathBracketGivesOneGraphicPerDrawingRecord)
{
    CVxEmfToVxConverter converter(0, 0, 16383, 16383, TRUE);
    EmfBuilder builder;
    // The frame's own units, whatever the reference device.
    builder.Record(EMR_SETWINDOWEXTEX, {2000, 1000});
    builder.Record(EMR_BEGINPATH);
    builder.Record(EMR_MOVETOEX, {0, 0});
    builder.Record(EMR_LINETO, {100, 0});
    const POINT curve[] = {{110, 10}, {120, 30}, {130, 50}};
    builder.Poly(EMR_POLYBEZIERTO16, curve);
    builder.Record(EMR_LINETO, {100, 100});
    builder.Record(EMR_CLOSEFIGURE);
    builder.Record(EMR_ENDPATH);
    builder.Record(EMR_FILLPATH, {0, 0, 0, 0});
    // The fill used the path up: a second drawing of it draws nothing.
    builder.Record(EMR_STROKEPATH, {0, 0, 0, 0});
    builder.Record(EMR_ABORTPATH);
    std::vector<int> expected(13, 0);
    expected[10] = 1;
    EXPECT_EQ(RunRecords(converter, builder.Finish()), expected);

    const CVxGraphicList& graphics = converter.GetGraphics();
    ASSERT_EQ(graphics.GetCount(), 1);
    const int modes[] = {CVxPath::Fill};
    for (int i = 0; i < 1; ++i) {
        auto* pPath = dynamic_cast<CVxPath*>(GraphicAt(graphics, i));
        ASSERT_NE(pPath, nullptr);
        EXPECT_EQ(pPath->GetPathMode(), modes[i]);
        ASSERT_EQ(pPath->GetChildCount(), 4);
        EXPECT_NE(dynamic_cast<CVxLine*>(pPath->GetFirstChild()), nullptr);
        // A curve inside the bracket goes on from the current position.
        auto pos = pPath->GetFirstChildPosition();
        pPath->GetNextChild(pos);
        auto* pCurve = dynamic_cast<CVxBezier*>(pPath->GetNextChild(pos));
        ASSERT_TRUE(pCurve && pCurve->IsFromCurrent());
        EXPECT_EQ(pCurve->GetPoint(0), (POINT{100, 0}));
        EXPECT_EQ(pPath->GetNextChild(pos)->GetRect(), (RECT{130, 50, 100, 100}));
        auto* pClose = dynamic_cast<CVxCloseFigure*>(pPath->GetLastChild());
        ASSERT_NE(pClose, nullptr);
        EXPECT_EQ(pClose->GetRect(), (RECT{100, 100, 0, 0}));
    }
    EXPECT_EQ(converter.GetCurrentPosition().x, 0);
}

// Bracket records out of order stop the load. Files written by other programs
// stroke or fill with no path open; GDI draws nothing for them and goes on.
TEST_F(ConverterShapes, PathRecordsOutOfOrder)
{
    EXPECT_EQ(m_converter.OnEndPath(), 2);
    EXPECT_EQ(m_converter.OnCloseFigure(), 2);
    EXPECT_EQ(m_converter.OnAbortPath(), 0);
    EXPECT_EQ(m_converter.OnStrokePath(), 1);
    EXPECT_EQ(m_converter.OnFillPath(), 1);
    EXPECT_EQ(m_converter.OnStrokeAndFillPath(), 1);
    ASSERT_EQ(m_converter.OnBeginPath(), 0);
    EXPECT_EQ(m_converter.OnBeginPath(), 2);
    m_converter.OnRectangle({0, 0, 5, 5});
    EXPECT_EQ(m_converter.GetGraphics().GetCount(), 0);  // into the path
    EXPECT_EQ(m_converter.OnFillPath(), 1);              // the bracket is open
    EXPECT_EQ(m_converter.OnAbortPath(), 0);
    EXPECT_EQ(m_converter.GetPath(), nullptr);
    EXPECT_FALSE(m_converter.IsInPath());
}

TEST_F(ConverterShapes, CommentsStayTopLevelInsidePaths)
{
    const std::uint8_t data[] = {1, 2, 3, 4};
    m_converter.OnBeginPath();
    EXPECT_EQ(m_converter.OnGdiComment(data), 0);
    m_converter.OnEndPath();
    ASSERT_EQ(m_converter.GetGraphics().GetCount(), 1);
    EXPECT_NE(dynamic_cast<CVxComment*>(At(0)), nullptr);
    EXPECT_EQ(m_converter.GetPath()->GetChildCount(), 0);
}

// Every graphic takes the modes current when it is drawn; a text keeps its
// point, since drawn again with TA_UPDATECP it would go wherever the position stands.
TEST_F(ConverterShapes, GraphicsTakeTheCurrentModes)
{
    m_converter.OnSetRop2(R2_NOT);
    m_converter.OnSetBkMode(TRANSPARENT);
    m_converter.OnSetPolyFillMode(WINDING);
    m_converter.OnSetTextColor(0x00FF00);
    m_converter.OnSetBkColor(0x0000FF);
    m_converter.OnSetArcDirection(AD_CLOCKWISE);
    m_converter.OnSetMiterLimit(3.0f);
    m_converter.OnSetTextAlign(TA_UPDATECP | TA_RIGHT | TA_BASELINE);
    m_converter.OnRectangle({0, 0, 10, 10});
    m_converter.OnExtTextOut(40, 30, 0, RECT{}, u"ab", {});
    const auto* pGlobal = PropertyOf<CVxGlobalGraphicProperty>(At(0), "Global");
    const auto* pText = PropertyOf<CVxGlobalGraphicProperty>(At(1), "Global");
    ASSERT_TRUE(pGlobal && pText);
    EXPECT_EQ(pGlobal->GetRop2(), R2_NOT);
    EXPECT_EQ(pGlobal->GetBkMode(), TRANSPARENT);
    EXPECT_EQ(pGlobal->GetPolyFillMode(), WINDING);
    EXPECT_EQ(pGlobal->GetTextColor(), 0x00FF00u);
    EXPECT_EQ(pGlobal->GetBkColor(), 0x0000FFu);
    EXPECT_EQ(pGlobal->GetArcDirection(), AD_CLOCKWISE);
    EXPECT_FLOAT_EQ(pGlobal->GetMiterLimit(), 3.0f);
    EXPECT_EQ(pGlobal->GetTextAlign(), UINT(TA_UPDATECP | TA_RIGHT | TA_BASELINE));
    EXPECT_EQ(pText->GetTextAlign(), UINT(TA_RIGHT | TA_BASELINE));
}

}  // namespace
