#include "GraphicTestSupport.h"
#include "TestGraphics.h"

#include "attributes/VxGlobalGraphicProperty.h"
#include "graphics/VxArc.h"
#include "graphics/VxGraphicClasses.h"
#include "platform/framework/TkArchive.h"
#include "platform/gdi/EmfRecordTypes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

class VxArcTest : public ::testing::Test {
protected:
    void SetUp() override { VxRegisterGraphicClasses(); }
};

constexpr RECT kBox{0, 0, 200, 100};  // centre (100, 50), radii 100 and 50

double Angle(POINT from, POINT to)
{
    return std::atan2(double(to.y) - from.y, double(to.x) - from.x);
}

// How far p lies from the ellipse of box, in units of the radii.
double EllipseResidual(const RECT& box, POINT p)
{
    const double cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
    const double rx = std::abs(box.right - cx), ry = std::abs(box.top - cy);
    return std::abs(std::hypot((p.x - cx) / rx, (p.y - cy) / ry) - 1.0);
}

}  // namespace

TEST_F(VxArcTest, FarRadialPointsLandWhereTheirRayMeetsTheEllipse)
{
    const POINT centre{100, 50};
    CVxArc arc(kBox, POINT{1100, -450}, POINT{100, -1000}, FALSE, POINT{0, 0});
    const POINT start = arc.GetArcStart();
    EXPECT_EQ(start, (POINT{170, 14})) << "(100 + 70.7, 50 - 35.4), truncated";
    // The arc drawn from the stored point starts on the ray it was given for.
    EXPECT_NEAR(Angle(centre, start), Angle(centre, POINT{1100, -450}), 0.02);
    EXPECT_LT(EllipseResidual(kBox, start), 0.02);
    EXPECT_EQ(arc.GetArcEnd(), (POINT{100, 0}));

    // Points on the axes and on the ellipse stay put.
    EXPECT_EQ(arc.ProjectOntoEllipse({-5000, 50}), (POINT{0, 50}));
    EXPECT_EQ(arc.ProjectOntoEllipse({100, 51}), (POINT{100, 100}));
    // A projected point projects onto itself.
    EXPECT_EQ(arc.ProjectOntoEllipse(start), start);
}

TEST_F(VxArcTest, ProjectingAProjectedPointLeavesItWhereItIs)
{
    // Truncated, a point on the ellipse lies a little inside or outside it, and
    // on a ray of its own: projecting it again must not move it on.
    const RECT boxes[] = {kBox, RECT{6099, 11178, 19309, 27945}, RECT{-1233, -77, -3, 1290},
                          RECT{300, 900, -41, 17}, RECT{0, 0, 20001, 3}};
    for (const RECT& box : boxes) {
        CVxArc arc(box);
        const POINT c = arc.GetCenter();
        int nMoved = 0;
        for (int k = 0; k < 720; ++k) {
            const double a = k * std::acos(-1.0) / 360;
            const POINT far{c.x + int(std::lround(100000 * std::cos(a))),
                            c.y + int(std::lround(100000 * std::sin(a)))};
            const POINT once = arc.ProjectOntoEllipse(far);
            const POINT twice = arc.ProjectOntoEllipse(once);
            EXPECT_EQ(twice, once) << box.left << "," << box.top << " angle " << k;
            nMoved += once != far;
        }
        EXPECT_EQ(nMoved, 720) << "far points are all brought onto the ellipse";
    }
    // Off the ellipse by more than truncation: projected, not kept.
    CVxArc arc(kBox);
    EXPECT_EQ(arc.ProjectOntoEllipse({160, 20}), (POINT{170, 14}));
    EXPECT_EQ(arc.ProjectOntoEllipse({180, 10}), (POINT{170, 14}));
}

TEST_F(VxArcTest, AZeroWidthBoxProjectsEveryPointOntoItsCentreLine)
{
    CVxArc arc(RECT{50, 0, 50, 100}, POINT{80, 10}, POINT{50, -500}, FALSE, POINT{0, 0});
    EXPECT_EQ(arc.GetArcStart(), (POINT{50, 50}));
    EXPECT_EQ(arc.GetArcEnd(), (POINT{50, 0}));
    for (POINT p : {POINT{20, 90}, POINT{-3000, 50}, POINT{50, 700}, POINT{50, 50}})
        EXPECT_EQ(arc.ProjectOntoEllipse(p).x, 50) << p.x << "," << p.y;
    EXPECT_EQ(arc.ProjectOntoEllipse({50, 700}), (POINT{50, 100}));

    CVxArc point(RECT{7, 7, 7, 7});
    EXPECT_EQ(point.ProjectOntoEllipse({100, -100}), (POINT{7, 7}));

    // A zero-height box sends the rays off its line to the centre, and the
    // centre stays there when projected again.
    CVxArc flat(RECT{0, 50, 100, 50}, POINT{10, 80}, POINT{-700, 50}, FALSE, POINT{0, 0});
    EXPECT_EQ(flat.GetArcStart(), (POINT{50, 50}));
    EXPECT_EQ(flat.GetArcEnd(), (POINT{0, 50}));
    EXPECT_EQ(flat.ProjectOntoEllipse(flat.GetArcStart()), (POINT{50, 50}));
}

TEST_F(VxArcTest, AConnectedArcStartsAndIsBoundedAtItsCurrentPosition)
{
    CVxArc arc(kBox, POINT{200, 50}, POINT{0, 50}, TRUE, POINT{500, -300});
    EXPECT_EQ(arc.GetTypeName(), "ArcTo");
    EXPECT_EQ(arc.GetStartPoint(), (POINT{500, -300}));
    EXPECT_EQ(arc.GetBounds(), (RECT{0, -300, 500, 100}));
    EXPECT_EQ(arc.GetDrawBounds(), (RECT{-1, -301, 501, 101})) << "pen of width 0 counts as 1";
    EXPECT_EQ(arc.GetHandleCount(), 11);
    EXPECT_EQ(arc.GetHandlePoint(10), (POINT{500, -300}));

    // The joining line's start does not follow a drag.
    POINT p{0, 0};
    EXPECT_TRUE(arc.ConstrainHandlePoint(10, p));
    EXPECT_EQ(p, (POINT{500, -300}));
    arc.MoveHandle(10, {0, 0});
    EXPECT_EQ(arc.GetCurrentPoint(), (POINT{500, -300}));
    EXPECT_EQ(arc.GetArcEnd(), (POINT{0, 50}));
}

TEST_F(VxArcTest, DrawsWithItsDirectionAndTheAdjustedBox)
{
    CVxArc arc(kBox);
    dynamic_cast<CVxGlobalGraphicProperty&>(*arc.LookupProperty("Global"))
        .SetArcDirection(AD_CLOCKWISE);
    {
        CRecordingPass pass;
        arc.Draw(pass.DC());
        EXPECT_EQ(pass.Shapes(), (std::vector<std::string>{"Arc 0 0 200 100 0 50 100 0"}));
        EXPECT_EQ(pass.Log().Count("SetArcDirection 2"), 1) << pass.Log().Text();
        EXPECT_EQ(pass.DC()->GetArcDirection(), AD_CLOCKWISE);
    }
    CRecordingPass pass(OBJ_ENHMETADC);
    arc.Draw(pass.DC());
    EXPECT_EQ(pass.Last(), "Arc 0 0 201 101 0 50 100 0") << "the radial points stay";
}

TEST_F(VxArcTest, ScalingMapsTheRadialPointsWithTheBoxWithoutProjectingAgain)
{
    // A circle of radius 50 with its start at 45 degrees: (85, 14).
    CVxArc arc(RECT{0, 0, 100, 100}, POINT{100, 0}, POINT{0, 50}, FALSE, POINT{0, 0});
    ASSERT_EQ(arc.GetArcStart(), (POINT{85, 14}));
    arc.Scale(300, 100, 100, 100);
    EXPECT_EQ(arc.GetRect(), (RECT{-100, 0, 200, 100}));
    EXPECT_EQ(arc.GetArcStart(), (POINT{155, 14})) << "projecting again would give (154, 14)";
    EXPECT_EQ(arc.GetArcEnd(), (POINT{-100, 50}));
}

