// Ellipses, arcs, pies, chords and rounded rectangles under a world transform
// that turns or shears: their outlines become Bezier curves worked out in world
// space, which the transform maps exactly.

#include "import/VxEmfToVxConverter.h"

#include "graphics/VxBezier.h"
#include "graphics/VxCloseFigure.h"
#include "graphics/VxPath.h"

#include <cmath>
#include <numbers>
#include <vector>

namespace {

constexpr double kPi = std::numbers::pi;

struct WorldPoint {
    double x;
    double y;
};

// An ellipse in its own parameter: x = cx + a cos t, y = cy + b sin t. With y
// growing downwards, counter-clockwise is a falling t.
struct Ellipse {
    double cx, cy, a, b;

    WorldPoint At(double t) const { return {cx + a * std::cos(t), cy + b * std::sin(t)}; }
    // The parameter where the ray from the centre through p meets the ellipse.
    double AngleOf(POINT p) const { return std::atan2((p.y - cy) / b, (p.x - cx) / a); }
};

Ellipse EllipseOf(double left, double top, double right, double bottom)
{
    return {(left + right) / 2, (top + bottom) / 2, std::fabs(right - left) / 2,
            std::fabs(bottom - top) / 2};
}

// Appends the curve from e.At(t0) (already the last point) turning by sweep, in
// pieces of at most a quarter turn.
void AppendArc(std::vector<WorldPoint>& points, const Ellipse& e, double t0, double sweep)
{
    const int pieces = std::max(1, int(std::ceil(std::fabs(sweep) / (kPi / 2) - 1e-9)));
    const double step = sweep / pieces;
    const double k = 4.0 / 3.0 * std::tan(step / 4);
    for (int i = 0; i < pieces; ++i) {
        const double t1 = t0 + step * i;
        const double t2 = t1 + step;
        points.push_back({e.cx + e.a * (std::cos(t1) - k * std::sin(t1)),
                          e.cy + e.b * (std::sin(t1) + k * std::cos(t1))});
        points.push_back({e.cx + e.a * (std::cos(t2) + k * std::sin(t2)),
                          e.cy + e.b * (std::sin(t2) - k * std::cos(t2))});
        points.push_back(e.At(t2));
    }
}

// A straight piece: its control points sit on its ends.
void AppendLine(std::vector<WorldPoint>& points, WorldPoint to)
{
    const WorldPoint from = points.back();
    points.insert(points.end(), {from, to, to});
}

// How far an arc turns from t0 to t1 in the given direction; the same ray both
// times is the whole ellipse.
double SweepOf(double t0, double t1, int direction)
{
    double turn = std::fmod(direction == AD_COUNTERCLOCKWISE ? t0 - t1 : t1 - t0, 2 * kPi);
    if (turn <= 1e-12)
        turn += 2 * kPi;
    return direction == AD_COUNTERCLOCKWISE ? -turn : turn;
}

}  // namespace

// A closed figure is a path of its curve and a close, so that it reads back as
// it is written. The close stands where reading puts it: at the figure's start,
// since a curve does not move the current position.
int CVxEmfToVxConverter::AddClosedCurve(std::vector<POINT> points)
{
    const POINT start = points.front();
    auto pCurve = std::make_unique<CVxBezier>(points, FALSE, FALSE);
    auto pClose = std::make_unique<CVxCloseFigure>(RECT{start.x, start.y, start.x, start.y});
    if (m_bInPath && m_pPath) {
        AddShape(std::move(pCurve));
        m_pPath->AddChildTail(pClose.release());
        return kHandled;
    }
    auto pPath = std::make_unique<CVxPath>();
    pPath->AddChildTail(pCurve.release());
    pPath->AddChildTail(pClose.release());
    ApplyCurrentAttributes(*pPath);
    pPath->SetPathMode(CVxPath::StrokeAndFill);
    m_graphics.AddTail(pPath.release());
    return kHandled;
}

int CVxEmfToVxConverter::MakeTurnedArc(const RECT& box, POINT start, POINT end, TurnedArc kind)
{
    const Ellipse e = EllipseOf(box.left, box.top, box.right, box.bottom);
    if (e.a == 0 || e.b == 0)
        return kNotHandled;
    const double t0 = kind == TurnedArc::Ellipse ? 0.0 : e.AngleOf(start);
    const double sweep = kind == TurnedArc::Ellipse
                             ? -2 * kPi
                             : SweepOf(t0, e.AngleOf(end), m_nArcDirection);
    std::vector<WorldPoint> points;
    if (kind == TurnedArc::Pie) {
        points.push_back({e.cx, e.cy});
        AppendLine(points, e.At(t0));
    } else {
        points.push_back(e.At(t0));
    }
    AppendArc(points, e, t0, sweep);

    std::vector<POINT> placed;
    placed.reserve(points.size() + 3);
    if (kind == TurnedArc::ArcTo)
        placed.insert(placed.end(), 2, GetCurrentPosition());
    for (const WorldPoint& p : points)
        placed.push_back(PlaceWorldPoint(p.x, p.y));
    if (kind == TurnedArc::ArcTo) {
        placed.insert(placed.begin() + 2, placed[2]);  // the line's control points
        m_nCurrentX = placed.back().x;
        m_nCurrentY = placed.back().y;
    }
    if (kind == TurnedArc::Pie || kind == TurnedArc::Chord || kind == TurnedArc::Ellipse)
        return AddClosedCurve(std::move(placed));
    return AddShape(std::make_unique<CVxBezier>(placed, FALSE, kind == TurnedArc::ArcTo));
}

// Four sides and four quarter ellipses of the corner's size, clockwise from the
// top side's left end.
int CVxEmfToVxConverter::MakeTurnedRoundRect(const RECT& box, SIZE corner)
{
    const Ellipse whole = EllipseOf(box.left, box.top, box.right, box.bottom);
    const double rx = std::min(std::fabs(corner.cx / 2.0), whole.a);
    const double ry = std::min(std::fabs(corner.cy / 2.0), whole.b);
    const double left = whole.cx - whole.a;
    const double top = whole.cy - whole.b;
    const double right = whole.cx + whole.a;
    const double bottom = whole.cy + whole.b;
    const Ellipse corners[4] = {{right - rx, top + ry, rx, ry},
                                {right - rx, bottom - ry, rx, ry},
                                {left + rx, bottom - ry, rx, ry},
                                {left + rx, top + ry, rx, ry}};
    std::vector<WorldPoint> points{corners[3].At(-kPi / 2)};
    for (int i = 0; i < 4; ++i) {
        const double t = -kPi / 2 + i * kPi / 2;
        AppendLine(points, corners[i].At(t));
        AppendArc(points, corners[i], t, kPi / 2);
    }
    std::vector<POINT> placed;
    placed.reserve(points.size());
    for (const WorldPoint& p : points)
        placed.push_back(PlaceWorldPoint(p.x, p.y));
    return AddClosedCurve(std::move(placed));
}
