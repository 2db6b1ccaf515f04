#include "GraphicTestSupport.h"
#include "TestGraphics.h"

#include "graphics/VxGeometry.h"
#include "graphics/VxBezier.h"
#include "graphics/VxPoly.h"
#include "platform/framework/TkArchive.h"
#include "platform/gdi/EmfRecordTypes.h"
#include "platform/gdi/WmfRecordTypes.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

namespace {

using Points = std::vector<POINT>;
using Counts = std::vector<int>;
using Calls = std::vector<std::string>;

Points PointsOf(const CVxPoly& poly)
{
    Points points;
    for (int i = 0; i < poly.GetPointCount(); ++i)
        points.push_back(poly.GetPoint(i));
    return points;
}

Counts CountsOf(const CVxPoly& poly)
{
    Counts counts;
    for (int j = 0; j < poly.GetSubPolygonCount(); ++j)
        counts.push_back(poly.GetSubPolygonPointCount(j));
    return counts;
}

void Build(CVxPoly& poly, Points points, std::vector<INT> counts)
{
    ASSERT_TRUE(poly.AppendPolyPolygon(points, counts));
}

// A square (0, 0)-(100, 80), then a triangle to its right.
void BuildSquareAndTriangle(CVxPoly& poly)
{
    Build(poly, {{0, 0}, {100, 0}, {100, 80}, {0, 80}, {200, 0}, {300, 0}, {250, 50}}, {4, 3});
}

Calls DrawnBy(CVxPoly& poly)
{
    CRecordingPass pass;
    poly.DrawShape(pass.DC(), FALSE);
    return pass.Log().Calls();
}

}  // namespace

TEST(VxPolyBuild, ClosedOrOpenDecidesTheBrushAndBadCountsChangeNothing)
{
    CVxPoly polygon(RECT{1, 2, 3, 4}, TRUE);
    CVxPoly polyline(RECT{1, 2, 3, 4}, FALSE);
    EXPECT_TRUE(polygon.HasProperty("Brush"));
    EXPECT_FALSE(polyline.HasProperty("Brush"));
    EXPECT_EQ(polygon.GetTypeName(), "Polygon");
    EXPECT_EQ(polyline.GetTypeName(), "Polyline");
    EXPECT_EQ(CountsOf(polygon), Counts{0}) << "one empty sub-polygon";

    CVxPoly loaded;  // as made on load: no sub-polygon to append to
    EXPECT_FALSE(loaded.AppendPoint({1, 1}, TRUE));
    EXPECT_FALSE(loaded.InsertSubPolygon(0));
    EXPECT_EQ(loaded.GetPointCount(), 0);

    // Counts it cannot hold are refused and change nothing.
    const POINT points[] = {{0, 0}, {10, 0}, {10, 10}};
    const INT negative[] = {2, -1, 2};
    const INT tooMany[] = {2, 2};
    EXPECT_FALSE(polyline.AppendPolyPolygon(points, negative));
    EXPECT_FALSE(polyline.AppendPolyPolygon(points, tooMany));
    EXPECT_EQ(CountsOf(polyline), Counts{0});
    EXPECT_EQ(polyline.GetPointCapacity(), 0);
}

TEST(VxPolyBuild, PolyPolygonWithAnEmptyMiddleFigure)
{
    CVxPoly poly(RECT{}, TRUE);
    const Points points = {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {20, 20}, {30, 20}, {25, -5}};
    Build(poly, points, {4, 0, 3});
    EXPECT_EQ(CountsOf(poly), (Counts{4, 0, 3}));
    EXPECT_EQ(PointsOf(poly), points);
    EXPECT_EQ(poly.GetSubPolygonFirstPoint(2), 4);
    EXPECT_EQ(poly.GetSubPolygonOfPoint(4), 2) << "the empty figure holds no point";
    EXPECT_EQ(poly.GetCurrentSubPolygon(), 2);
    EXPECT_EQ(poly.GetRect(), (RECT{0, -5, 30, 20}));
    EXPECT_EQ(poly.GetHandleCount(), 15);
    EXPECT_EQ(poly.GetHandlePoint(14), (POINT{25, -5}));
    EXPECT_EQ(poly.GetHandlePoint(15), (POINT{0, 0})) << "no such handle";
}

TEST(VxPolyDuplicates, RefusedUnlessAllowed)
{
    CVxPoly refusing(RECT{}, FALSE);
    EXPECT_TRUE(refusing.AppendPoint({5, 5}, FALSE));
    EXPECT_FALSE(refusing.AppendPoint({5, 5}, FALSE));
    EXPECT_EQ(refusing.GetPointCount(), 1);
    CVxPoly allowing(RECT{}, FALSE);
    EXPECT_TRUE(allowing.AppendPoint({5, 5}, TRUE));
    EXPECT_TRUE(allowing.AppendPoint({5, 5}, TRUE));
    EXPECT_EQ(allowing.GetPointCount(), 2);

    // In front of an equal point, and behind one.
    CVxPoly poly(RECT{}, FALSE);
    Build(poly, {{0, 0}, {10, 0}, {20, 0}}, {3});
    EXPECT_FALSE(poly.InsertPoint(1, {10, 0}, FALSE));
    EXPECT_FALSE(poly.InsertPoint(1, {0, 0}, FALSE));
    EXPECT_TRUE(poly.InsertPoint(1, {10, 0}, TRUE));
    EXPECT_TRUE(poly.InsertPoint(1, {5, 5}, FALSE));
    EXPECT_EQ(PointsOf(poly), (Points{{0, 0}, {5, 5}, {10, 0}, {10, 0}, {20, 0}}));
    EXPECT_FALSE(poly.InsertPoint(6, {1, 1}, TRUE)) << "beyond the end";
}

TEST(VxPolyPoints, DeletingFromAThreePointFigureRemovesTheFigure)
{
    CFakeDocument doc;
    CVxPoly poly(RECT{}, TRUE);
    BuildSquareAndTriangle(poly);
    poly.SetDocument(&doc);
    poly.SetCurrentSubPolygon(1);
    ASSERT_TRUE(poly.DeletePoint(5));
    EXPECT_EQ(CountsOf(poly), Counts{4});
    EXPECT_EQ(PointsOf(poly), (Points{{0, 0}, {100, 0}, {100, 80}, {0, 80}}));
    EXPECT_EQ(poly.GetHandleCount(), 12);
    EXPECT_EQ(poly.GetRect(), (RECT{0, 0, 100, 80}));
    EXPECT_EQ(poly.GetCurrentSubPolygon(), 0);
    EXPECT_EQ(doc.m_modifiedCalls.back(), true);

    ASSERT_TRUE(poly.DeletePoint(2));
    EXPECT_EQ(PointsOf(poly), (Points{{0, 0}, {100, 0}, {0, 80}}));
    EXPECT_FALSE(poly.DeletePoint(0)) << "a closed poly keeps three points";

    CVxPoly line(RECT{}, FALSE);
    Build(line, {{0, 0}, {10, 0}}, {2});
    EXPECT_FALSE(line.CanDeletePoint(0)) << "an open one two";
}

TEST(VxPolySubPolygons, DeletingAFigureKeepsTheCurrentOneAndTheBounds)
{
    CVxPoly poly(RECT{}, TRUE);
    BuildSquareAndTriangle(poly);
    poly.SetCurrentSubPolygon(1);
    EXPECT_FALSE(poly.DeleteSubPolygon(2));
    ASSERT_TRUE(poly.DeleteSubPolygon(0));
    EXPECT_EQ(PointsOf(poly), (Points{{200, 0}, {300, 0}, {250, 50}}));
    EXPECT_EQ(poly.GetRect(), (RECT{200, 0, 300, 50}));
    EXPECT_EQ(poly.GetCurrentSubPolygon(), 0) << "followed its figure down";
    EXPECT_FALSE(poly.DeleteSubPolygon(0)) << "the last figure stays";

    // Removing the first figure while it is current keeps appending possible.
    CVxPoly other(RECT{}, TRUE);
    BuildSquareAndTriangle(other);
    other.SetCurrentSubPolygon(0);
    ASSERT_TRUE(other.DeleteSubPolygon(0));
    EXPECT_EQ(other.GetCurrentSubPolygon(), 0);
    EXPECT_TRUE(other.AppendPoint({260, 60}, FALSE));
    EXPECT_EQ(CountsOf(other), Counts{4});
}

TEST(VxPolyHandles, PointHandlesAreThePointsWithinTheLimits)
{
    CVxPoly poly(RECT{}, FALSE);
    Build(poly, {{0, 0}, {10, 0}, {10, 20}}, {3});
    const RECT& limits = CVxGraphic::GetCoordinateLimitRect();
    POINT inside{limits.right - 1, limits.top};
    EXPECT_FALSE(poly.ConstrainHandlePoint(9, inside));
    POINT outside{limits.right, 0};
    EXPECT_TRUE(poly.ConstrainHandlePoint(9, outside)) << "right edge excluded";
    EXPECT_EQ(outside, (POINT{10, 0}));
    POINT crossing{-5, 0};
    EXPECT_TRUE(poly.ConstrainHandlePoint(VX_HANDLE_RIGHT, crossing));
    EXPECT_EQ(crossing, (POINT{1, 0}));

    poly.MoveHandle(10, {30, 40});
    EXPECT_EQ(poly.GetPoint(2), (POINT{30, 40}));
    EXPECT_EQ(poly.GetRect(), (RECT{0, 0, 30, 40}));
    // A box handle resizes the points with the box.
    poly.MoveHandle(VX_HANDLE_BOTTOM_RIGHT, {60, 80});
    EXPECT_EQ(poly.GetRect(), (RECT{0, 0, 60, 80}));
    EXPECT_EQ(PointsOf(poly), (Points{{0, 0}, {20, 0}, {60, 80}}));
}

TEST(VxPolyTransform, MappingTruncatesTowardZeroAndSaturates)
{
    CVxTransform t;
    t.ScaleBy(0.5, 0.5);
    EXPECT_EQ(t.Apply(POINT{-3, 3}), (POINT{-1, 1}));
    t.Reset();
    EXPECT_TRUE(t.IsIdentity());
    t.Translate(10, 20);
    t.ScaleBy(2, 3);  // scales the translation too
    EXPECT_EQ(t.Apply(POINT{1, 1}), (POINT{22, 63}));

    // Quarter turns about a centre land on whole numbers, which truncation keeps.
    CVxTransform about;
    about.Translate(-5, -10);
    about.Rotate(90);
    about.Translate(5, 10);
    EXPECT_EQ(about.Apply(POINT{0, 0}), (POINT{15, 5}));
    about.Rotate(-270);
    about.Rotate(540);
    EXPECT_EQ(about.Apply(POINT{0, 0}), (POINT{5, -15})) << "a quarter turn, then a half";

    CVxTransform sizes;
    sizes.ScaleBySizes(30, 5, 10, 0);
    EXPECT_EQ(sizes.Apply(POINT{4, 99}), (POINT{12, 0}));

    CVxTransform huge;
    huge.ScaleBy(1e10, -1e10);
    EXPECT_EQ(huge.Apply(POINT{1, 1}),
              (POINT{std::numeric_limits<int>::max(), std::numeric_limits<int>::min()}));
    huge.ScaleBy(1e300, 1);
    huge.ScaleBy(1e300, 1);  // infinite
    huge.ScaleBy(0, 1);      // not a number
    EXPECT_EQ(huge.Apply(POINT{1, 0}).x, 0);
}

TEST(VxPolyTransform, ScaleResizesAboutTheCentreAndMirrorsWithANegativeSize)
{
    CFakeDocument doc;
    CVxPoly poly(RECT{}, FALSE);
    Build(poly, {{0, 0}, {10, 0}, {10, 4}}, {3});
    poly.SetDocument(&doc);
    poly.Scale(10, 4, 10, 4);
    EXPECT_TRUE(doc.m_modifiedCalls.empty() && doc.m_updates.empty()) << "same size: no change";

    poly.Scale(-1, 1, 1, 1);
    EXPECT_EQ(PointsOf(poly), (Points{{10, 0}, {0, 0}, {0, 4}}));
    EXPECT_EQ(poly.GetRect(), (RECT{0, 0, 10, 4})) << "the box stays normalised";
    poly.Scale(1, -1, 1, 1);
    EXPECT_EQ(PointsOf(poly), (Points{{10, 4}, {0, 4}, {0, 0}}));

    CVxPenGraphicProperty& pen = PenOf(poly);
    pen.SetWidth(4);
    CVxGraphic::s_bScaleAttributes = TRUE;
    poly.Scale(20, 8, 10, 4);  // about the centre (5, 2)
    CVxGraphic::s_bScaleAttributes = FALSE;
    EXPECT_EQ(PointsOf(poly), (Points{{15, 6}, {-5, 6}, {-5, -2}}));
    EXPECT_EQ(pen.GetWidth(), 8);

    // From width 0 the horizontal factor is 0: the points meet on the centre line.
    poly.Scale(50, 8, 0, 8);
    EXPECT_EQ(PointsOf(poly), (Points{{5, 6}, {5, 6}, {5, -2}}));
    EXPECT_EQ(poly.GetRect(), (RECT{5, -2, 5, 6}));
}

TEST(VxPolyDraw, OpenOrClosedTimesOneOrSeveralFiguresPicksTheCall)
{
    CVxPoly polygon(RECT{}, TRUE);
    EXPECT_TRUE(DrawnBy(polygon).empty()) << "no points";
    Build(polygon, {{0, 0}, {10, 0}, {5, 5}}, {3});
    EXPECT_EQ(DrawnBy(polygon), Calls{"Polygon 3: 0 0 10 0 5 5"});

    CVxPoly polyline(RECT{}, FALSE);
    Build(polyline, {{0, 0}, {10, 0}, {5, 5}}, {3});
    EXPECT_EQ(DrawnBy(polyline), Calls{"Polyline 3: 0 0 10 0 5 5"});

    CVxPoly polyPolygon(RECT{}, TRUE);
    Build(polyPolygon, {{0, 0}, {10, 0}, {5, 5}, {1, 1}, {2, 2}}, {3, 2});
    EXPECT_EQ(DrawnBy(polyPolygon), Calls{"PolyPolygon counts=3,2: 0 0 10 0 5 5 1 1 2 2"});
    polyPolygon.DeleteSubPolygon(1);
    polyPolygon.Offset(100, 200);
    EXPECT_EQ(DrawnBy(polyPolygon), Calls{"Polygon 3: 100 200 110 200 105 205"});
    EXPECT_FALSE(polyPolygon.GetTransform().IsIdentity()) << "drawing does not bake";

    CVxPoly polyPolyline(RECT{}, FALSE);
    Build(polyPolyline, {{0, 0}, {10, 0}, {1, 1}, {2, 2}, {3, 3}}, {2, 3});
    EXPECT_EQ(DrawnBy(polyPolyline), Calls{"PolyPolyline counts=2,3: 0 0 10 0 1 1 2 2 3 3"});
}

namespace {

// Two curves: anchors 0, 3 and 6.
const POINT a{0, 0}, c1{10, -20}, c2{30, -20}, b{40, 0}, d1{50, 20}, d2{70, 20}, e{80, 0}, g{1, 2};
const Points kTwo{a, c1, c2, b, d1, d2, e};

}  // namespace

TEST(VxBezierTest, PointsComeAndGoACurveAtATime)
{
    const struct {
        int nInsert, nDelete;  // -1: not done
        Points expected;
    } cases[] = {
        {3, -1, {a, c1, c2, g, g, g, b, d1, d2, e}},  // at an anchor: a curve ending on g
        {2, -1, {a, a, a, a, c1, c2, b, d1, d2, e}},  // at a control: zero-length, shape kept
        {-1, 0, {b, d1, d2, e}},                      // the first curve
        {-1, 3, {a, d1, d2, e}},                      // an anchor, with the controls before it
        {-1, 4, {a, c1, c2, b}},                      // a control, with its curve's end
    };
    for (const auto& c : cases) {
        CVxBezier bezier(kTwo, FALSE, FALSE);
        EXPECT_TRUE(c.nInsert >= 0 ? bezier.InsertPoint(c.nInsert, g, FALSE)
                                   : bezier.DeletePoint(c.nDelete));
        EXPECT_EQ(PointsOf(bezier), c.expected) << c.nInsert << " " << c.nDelete;
    }
    EXPECT_FALSE(CVxBezier({kTwo.data(), 4}, FALSE, FALSE).DeletePoint(2)) << "one curve stays";
    for (std::size_t n : {1u, 3u, 5u, 6u}) {
        CVxBezier none({kTwo.data(), n}, FALSE, FALSE);
        EXPECT_FALSE(none.InsertPoint(0, g, TRUE) || none.GetPointCount() != 0) << n;
    }
}

TEST(VxBezierTest, FlipsMoveThePointsAndStoredRunsThatMakeNoCurvesAreRefused)
{
    CVxBezier bezier(kTwo, FALSE, TRUE);
    bezier.MoveHandle(VX_HANDLE_FIRST_POINT + 4, {50, 60});
    bezier.Scale(-1, 1, 1, 1);  // Flip Horizontal, about x = 40
    EXPECT_EQ(bezier.GetPoint(4), (POINT{30, 60}));

    CVxPoly five(RECT{}, FALSE);
    for (int k = 0; k < 5; ++k) five.InsertPoint(k, {k, k}, TRUE);
    std::vector<std::uint8_t> bytes = StoreBare(five);
    bytes.push_back(0);
    EXPECT_THROW(LoadBare(bezier, bytes), CTkArchiveException);
}

TEST(VxBezierTest, WritesCurveRecordsAndFlattensThemForWindowsMetafiles)
{
    Points far = kTwo;
    far[6] = {80000, 0};
    CVxBezier from(far, FALSE, TRUE);
    const EmfFile emfFrom = RecordEmf([&](CTkDC& dc) { from.Draw(&dc); });
    EXPECT_EQ(emfFrom.Only(EMR_MOVETOEX).Point(8), a);
    EXPECT_EQ(emfFrom.Only(EMR_POLYBEZIERTO).PolyPoints(),
              (Points(far.begin() + 1, far.end())));

    CVxBezier closed(kTwo, TRUE, FALSE);
    const EmfFile emf = RecordEmf([&](CTkDC& dc) { closed.Draw(&dc); });
    for (DWORD type : {EMR_BEGINPATH, EMR_CLOSEFIGURE, EMR_STROKEANDFILLPATH})
        EXPECT_EQ(emf.Find(type).size(), 1u) << type;
    EXPECT_EQ(emf.Only(EMR_POLYBEZIER16).PolyPoints(), kTwo);

    const WmfFile wmf = RecordWmf([&](CTkDC& dc) { closed.Draw(&dc); });
    ASSERT_EQ(wmf.Find(META_POLYGON).size(), 1u);
    const WmfRecord& polygon = *wmf.Find(META_POLYGON)[0];
    const int n = polygon.Short(0);
    EXPECT_GT(n, 7) << "flattened";
    EXPECT_EQ((POINT{polygon.Short(2 * n - 1), polygon.Short(2 * n)}), e);
}
