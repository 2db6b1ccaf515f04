#include "GraphicTestSupport.h"

#include "graphics/VxBezier.h"
#include "graphics/VxGeometry.h"
#include "graphics/VxGraphicClasses.h"
#include "platform/framework/TkArchive.h"
#include "platform/gdi/EmfRecordTypes.h"
#include "platform/gdi/WmfRecordTypes.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class VxBezierTest : public ::testing::Test {
protected:
    void SetUp() override { VxRegisterGraphicClasses(); }
};

// Two curves: anchors 0, 3, 6.
const std::vector<POINT> kTwo{{0, 0},   {10, -20}, {30, -20}, {40, 0},
                              {50, 20}, {70, 20},  {80, 0}};

std::vector<POINT> PointsOf(const CVxBezier& bezier)
{
    std::vector<POINT> points;
    for (int k = 0; k < bezier.GetPointCount(); ++k)
        points.push_back(bezier.GetPoint(k));
    return points;
}

}  // namespace

TEST_F(VxBezierTest, PointsComeAndGoACurveAtATime)
{
    const POINT a{0, 0}, c1{10, -20}, c2{30, -20}, b{40, 0}, d1{50, 20}, d2{70, 20}, e{80, 0};
    struct Case {
        const char* what;
        bool bInsert;
        int nPoint;
        std::vector<POINT> expected;
    } cases[] = {
        {"insert at an anchor: the given point, a curve ending on it", true, 3,
         {a, c1, c2, {123, 456}, {123, 456}, {123, 456}, b, d1, d2, e}},
        {"insert at a control point: a zero-length curve at its curve's start", true, 2,
         {a, a, a, a, c1, c2, b, d1, d2, e}},
        {"insert at the end", true, 7, {a, c1, c2, b, d1, d2, e, {9, 9}, {9, 9}, {9, 9}}},
        {"delete the first point: the first curve goes", false, 0, {b, d1, d2, e}},
        {"delete an anchor: with the controls before it", false, 3, {a, d1, d2, e}},
        {"delete a control point: with its curve's end", false, 4, {a, c1, c2, b}},
        {"delete the last point", false, 6, {a, c1, c2, b}},
    };
    for (const Case& c : cases) {
        CVxBezier bezier(kTwo, FALSE, FALSE);
        const POINT given = c.nPoint == 7 ? POINT{9, 9} : POINT{123, 456};
        EXPECT_TRUE(c.bInsert ? bezier.InsertPoint(c.nPoint, given, FALSE)
                              : bezier.DeletePoint(c.nPoint))
            << c.what;
        EXPECT_EQ(PointsOf(bezier), c.expected) << c.what;
        EXPECT_EQ(bezier.GetRect(), VxBoundsOf(c.expected)) << c.what;
    }
    CVxBezier one({kTwo.data(), 4}, FALSE, FALSE);
    EXPECT_FALSE(one.CanDeletePoint(0)) << "one curve always stays";
    EXPECT_FALSE(one.DeletePoint(2));
    EXPECT_FALSE(one.CanInsertSubPolygon(0));
    EXPECT_FALSE(one.InsertSubPolygon(0));
    EXPECT_EQ(one.GetPointCount(), 4);
}

TEST_F(VxBezierTest, OnlyCountsOfThreeCurvePointsAndAStartMakeACurve)
{
    for (std::size_t n : {0u, 1u, 2u, 3u, 5u, 6u})
        EXPECT_EQ(CVxBezier({kTwo.data(), n}, FALSE, FALSE).GetPointCount(), 0) << n;
    EXPECT_EQ(CVxBezier({kTwo.data(), 4}, FALSE, FALSE).GetPointCount(), 4);
    // Equal neighbours are kept: a control point often sits on its anchor.
    const std::vector<POINT> same(4, POINT{5, 5});
    EXPECT_EQ(CVxBezier(same, FALSE, FALSE).GetPointCount(), 4);
}

TEST_F(VxBezierTest, HandlesScalingAndFlipsMoveThePoints)
{
    CVxBezier bezier(kTwo, FALSE, FALSE);
    EXPECT_EQ(bezier.GetRect(), (RECT{0, -20, 80, 20}));
    EXPECT_EQ(bezier.GetHandleCount(), VX_HANDLE_FIRST_POINT + 7);
    EXPECT_EQ(bezier.GetHandlePoint(VX_HANDLE_FIRST_POINT + 4), (POINT{50, 20}));
    bezier.MoveHandle(VX_HANDLE_FIRST_POINT + 4, {50, 60});
    EXPECT_EQ(bezier.GetRect(), (RECT{0, -20, 80, 60}));

    bezier.Scale(-1, 1, 1, 1);  // Flip Horizontal, about the centre x = 40
    EXPECT_EQ(bezier.GetPoint(0), (POINT{80, 0}));
    EXPECT_EQ(bezier.GetPoint(1), (POINT{70, -20}));
    bezier.MoveHandle(VX_HANDLE_RIGHT, {160, 20});
    EXPECT_EQ(bezier.GetRect(), (RECT{0, -20, 160, 60}));
    EXPECT_EQ(bezier.GetPoint(0), (POINT{160, 0}));
    EXPECT_EQ(bezier.GetPoint(6), (POINT{0, 0}));
}

TEST_F(VxBezierTest, StoresItsKindAndRefusesPointsThatMakeNoCurves)
{
    CVxBezier bezier(kTwo, FALSE, TRUE);
    bezier.Offset(5, 5);
    const std::unique_ptr<CVxGraphic> pLoaded = LoadObject(StoreObject(bezier));
    auto* pBezier = dynamic_cast<CVxBezier*>(pLoaded.get());
    ASSERT_NE(pBezier, nullptr);
    EXPECT_TRUE(pBezier->IsFromCurrent());
    EXPECT_FALSE(pBezier->IsClosed());
    EXPECT_EQ(PointsOf(*pBezier), PointsOf(bezier));
    EXPECT_EQ(pBezier->GetTypeName(), "Bezier");

    CVxBezier closed(kTwo, TRUE, TRUE);
    EXPECT_FALSE(closed.IsFromCurrent()) << "a closed figure starts where it is";
    EXPECT_EQ(closed.Clone()->GetTypeName(), "Closed Bezier");
    EXPECT_EQ(PropertyNames(closed), (std::vector<std::string>{"Global", "Position", "Pen", "Brush"}));

    // A stored run of five points: the archive is refused, nothing is drawn from it.
    CVxPoly five(RECT{}, FALSE);
    five.InsertPoint(0, {0, 0}, TRUE);
    for (int k = 1; k < 5; ++k)
        five.InsertPoint(k, {k, k}, TRUE);
    CVxBezier target;
    EXPECT_THROW(LoadBare(target, [&] {
                     std::vector<std::uint8_t> bytes = StoreBare(five);
                     bytes.push_back(0);
                     return bytes;
                 }()),
                 CTkArchiveException);
}

TEST_F(VxBezierTest, WritesTheCurveRecordsAndFlattensThemForWindowsMetafiles)
{
    CVxBezier open(kTwo, FALSE, FALSE);
    const EmfFile emf = RecordEmf([&](CTkDC& dc) { open.Draw(&dc); });
    EXPECT_EQ(emf.Only(EMR_POLYBEZIER16).PolyPoints(), kTwo);

    std::vector<POINT> far = kTwo;
    far[6] = {80000, 0};
    CVxBezier from(far, FALSE, TRUE);
    const EmfFile emfFrom = RecordEmf([&](CTkDC& dc) { from.Draw(&dc); });
    EXPECT_EQ(emfFrom.Only(EMR_MOVETOEX).Point(8), (POINT{0, 0}));
    EXPECT_EQ(emfFrom.Only(EMR_POLYBEZIERTO).PolyPoints(),
              (std::vector<POINT>(far.begin() + 1, far.end())))
        << "32-bit points where one does not fit in 16";

    CVxBezier closed(kTwo, TRUE, FALSE);
    const EmfFile emfClosed = RecordEmf([&](CTkDC& dc) { closed.Draw(&dc); });
    std::vector<std::string> names = emfClosed.Names();
    names.erase(std::remove_if(names.begin(), names.end(),
                               [](const std::string& n) {
                                   return n.find("OBJECT") != std::string::npos ||
                                          n.find("CREATE") != std::string::npos ||
                                          n.find("SET") != std::string::npos;
                               }),
                names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"EMR_HEADER", "EMR_BEGINPATH", "EMR_POLYBEZIER16",
                                               "EMR_CLOSEFIGURE", "EMR_ENDPATH",
                                               "EMR_STROKEANDFILLPATH", "EMR_EOF"}));

    const WmfFile wmfClosed = RecordWmf([&](CTkDC& dc) { closed.Draw(&dc); });
    const auto polygons = wmfClosed.Find(META_POLYGON);
    ASSERT_EQ(polygons.size(), 1u);
    const WmfRecord& polygon = *polygons[0];
    const int n = polygon.Short(0);
    EXPECT_GT(n, 7) << "flattened into more points than the curve has";
    EXPECT_EQ((POINT{polygon.Short(1), polygon.Short(2)}), (POINT{0, 0}));
    EXPECT_EQ((POINT{polygon.Short(2 * n - 1), polygon.Short(2 * n)}), (POINT{80, 0}));
    const WmfFile wmfOpen = RecordWmf([&](CTkDC& dc) { open.Draw(&dc); });
    EXPECT_EQ(wmfOpen.Find(META_POLYLINE).size(), 1u);
    EXPECT_TRUE(wmfOpen.Find(META_POLYGON).empty());
}
