// The curve records: Bézier runs, rounded rectangles, pies and chords.

#include "import/VxEmfToVxConverter.h"

#include "graphics/VxBezier.h"
#include "graphics/VxChord.h"
#include "graphics/VxPath.h"
#include "graphics/VxPie.h"
#include "graphics/VxRoundRect.h"
#include "import/ConverterTestSupport.h"
#include "platform/gdi/EmfRecordTypes.h"
#include "support/EmfBuilder.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

std::vector<POINT> PointsOf(const CVxGraphic* pGraphic)
{
    const auto* pBezier = dynamic_cast<const CVxBezier*>(pGraphic);
    std::vector<POINT> points;
    for (int k = 0; pBezier && k < pBezier->GetPointCount(); ++k)
        points.push_back(pBezier->GetPoint(k));
    return points;
}

struct Converted {
    std::vector<int> answers;
    std::unique_ptr<CVxEmfToVxConverter> pConverter;
};

// The records in the frame's own units.
Converted Convert(const std::function<void(EmfBuilder&)>& records)
{
    Converted out{{}, std::make_unique<CVxEmfToVxConverter>(0, 0, 16383, 16383, TRUE)};
    EmfBuilder builder;
    builder.Record(EMR_SETWINDOWEXTEX, {2000, 1000});
    records(builder);
    out.answers = RunRecords(*out.pConverter, builder.Finish());
    return out;
}

}  // namespace

TEST(ConverterCurves, ABezierToInsideAPathContinuesTheFigureFromTheCurrentPosition)
{
    const POINT curve[] = {{10, 0}, {20, 30}, {40, 40}};
    const Converted c = Convert([&](EmfBuilder& b) {
        b.Record(EMR_BEGINPATH);
        b.Record(EMR_MOVETOEX, {5, 5});
        b.Poly(EMR_POLYBEZIERTO16, curve);
        b.Record(EMR_LINETO, {0, 40});
        b.Record(EMR_ENDPATH);
        b.Record(EMR_STROKEPATH, {0, 0, 0, 0});
    });
    EXPECT_EQ(c.answers, std::vector<int>(9, 0));
    ASSERT_EQ(c.pConverter->GetGraphics().GetCount(), 1);
    auto* pPath = dynamic_cast<CVxPath*>(GraphicAt(c.pConverter->GetGraphics(), 0));
    ASSERT_NE(pPath, nullptr);
    ASSERT_EQ(pPath->GetChildCount(), 2);
    auto* pBezier = dynamic_cast<CVxBezier*>(pPath->GetFirstChild());
    ASSERT_NE(pBezier, nullptr);
    EXPECT_TRUE(pBezier->IsFromCurrent());
    EXPECT_EQ(PointsOf(pBezier), (std::vector<POINT>{{5, 5}, {10, 0}, {20, 30}, {40, 40}}));
    EXPECT_EQ(pPath->GetLastChild()->GetRect(), (RECT{40, 40, 0, 40})) << "the line goes on from its end";
}

TEST(ConverterCurves, EachRecordGivesItsShapeAndBadCurveCountsAreOnlyIgnored)
{
    const POINT five[] = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}};
    const POINT four32[] = {{0, 0}, {100000, 0}, {100000, 100}, {0, 100}};
    const Converted c = Convert([&](EmfBuilder& b) {
        b.Poly(EMR_POLYBEZIER16, five);                     // 3n+2: ignored
        b.Poly(EMR_POLYBEZIERTO, std::span(five).first(4));  // 3n+1 after the start: ignored
        b.Poly(EMR_POLYBEZIER16, std::span(five).first(1));  // no curve at all
        b.Poly(EMR_POLYBEZIER, four32);
        b.Record(EMR_ROUNDRECT, {10, 20, 110, 70, 30, 15});
        b.Record(EMR_PIE, {0, 0, 200, 100, 200, 50, 100, 0});
        b.Record(EMR_CHORD, {0, 0, 200, 100, 200, 50, 100, 0});
    });
    EXPECT_EQ(c.answers, (std::vector<int>{0, 0, 1, 1, 1, 0, 0, 0, 0, 0}));
    const CVxGraphicList& graphics = c.pConverter->GetGraphics();
    ASSERT_EQ(graphics.GetCount(), 4);
    EXPECT_EQ(PointsOf(GraphicAt(graphics, 0)),
              (std::vector<POINT>(std::begin(four32), std::end(four32))));
    EXPECT_EQ(c.pConverter->GetCurrentPosition(), (POINT{0, 0})) << "PolyBezier leaves it";

    auto* pRoundRect = dynamic_cast<CVxRoundRect*>(GraphicAt(graphics, 1));
    ASSERT_NE(pRoundRect, nullptr);
    EXPECT_EQ(pRoundRect->GetRect(), (RECT{10, 20, 110, 70}));
    EXPECT_EQ(pRoundRect->GetCornerSize(), (SIZE{30, 15}));
    auto* pPie = dynamic_cast<CVxPie*>(GraphicAt(graphics, 2));
    auto* pChord = dynamic_cast<CVxChord*>(GraphicAt(graphics, 3));
    ASSERT_TRUE(pPie && pChord);
    EXPECT_EQ(pPie->GetArcStart(), (POINT{200, 50}));
    EXPECT_EQ(pChord->GetArcEnd(), (POINT{100, 0}));
    EXPECT_EQ(pChord->GetRect(), (RECT{0, 0, 200, 100}));
}
