// The records of CVxEmfToVxConverter that draw on from the current position:
// PolylineTo, PolyDraw and AngleArc, and boxes turned by the world transform.

#include "import/VxEmfToVxConverter.h"

#include "graphics/VxBezier.h"
#include "graphics/VxCloseFigure.h"
#include "graphics/VxLine.h"
#include "graphics/VxPath.h"
#include "graphics/VxPoly.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>
#include <utility>

namespace {

BYTE KindOf(BYTE type) { return BYTE(type & ~PT_CLOSEFIGURE); }

// Every point a move, a line or a Bezier point, and the Bezier points in threes;
// otherwise nothing of the record is drawn.
bool IsValidPolyDraw(std::span<const BYTE> types)
{
    for (std::size_t i = 0; i < types.size(); ++i) {
        if (KindOf(types[i]) == PT_BEZIERTO) {
            if (types.size() - i < 3 || KindOf(types[i + 1]) != PT_BEZIERTO ||
                KindOf(types[i + 2]) != PT_BEZIERTO)
                return false;
            i += 2;
        } else if (types[i] != PT_MOVETO && KindOf(types[i]) != PT_LINETO) {
            return false;
        }
    }
    return true;
}

}  // namespace

// A turned rectangle is the polygon of its four turned corners.
int CVxEmfToVxConverter::MakeRotatedBox(const RECT& box)
{
    const POINT corners[4] = {{box.left, box.top}, {box.right, box.top},
                              {box.right, box.bottom}, {box.left, box.bottom}};
    const DWORD count = 4;
    return MakePoly(corners, {&count, 1}, TRUE);
}

// Inside a path, segments keep the figure open where a polyline would start anew.
int CVxEmfToVxConverter::AddPathLines(std::span<const POINT> points)
{
    for (std::size_t i = 1; i < points.size(); ++i) {
        const POINT a = points[i - 1];
        const POINT b = points[i];
        AddShape(std::make_unique<CVxLine>(RECT{a.x, a.y, b.x, b.y}));
    }
    return kHandled;
}

// points are placed already; the first is where the figure goes on from.
int CVxEmfToVxConverter::AddPolylineFrom(std::vector<POINT> points)
{
    if (points.size() < 2)
        return kHandled;
    if (m_bInPath)
        return AddPathLines(points);
    auto pPoly = std::make_unique<CVxPoly>(RECT{0, 0, 0, 0}, FALSE);
    ApplyCurrentAttributes(*pPoly);
    const INT count = INT(points.size());
    pPoly->AppendPolyPolygon(points, {&count, 1});
    AddGraphic(std::move(pPoly));
    return kHandled;
}

int CVxEmfToVxConverter::OnPolylineTo(std::span<const POINT> points)
{
    std::vector<POINT> figure{GetCurrentPosition()};
    figure.insert(figure.end(), points.begin(), points.end());
    TransformPoints(figure.data() + 1, points.size());
    m_nCurrentX = figure.back().x;
    m_nCurrentY = figure.back().y;
    return AddPolylineFrom(std::move(figure));
}

// Runs of lines become polylines and runs of Bezier points curves, each going on
// from where the one before ended; a closing point draws back to the figure's start.
int CVxEmfToVxConverter::OnPolyDraw(std::span<const POINT> points, std::span<const BYTE> types)
{
    if (points.size() != types.size() || !IsValidPolyDraw(types))
        return kNotHandled;
    std::vector<POINT> placed(points.begin(), points.end());
    TransformPoints(placed.data(), placed.size());
    std::vector<POINT> run{GetCurrentPosition()};
    bool bCurveRun = false;
    const auto flush = [&] {
        if (run.size() > 1)
            bCurveRun ? AddCurveFrom(run) : AddPolylineFrom(run);
        run.assign(1, GetCurrentPosition());
    };
    const auto advance = [&](POINT p, bool bCurve) {
        if (bCurve != bCurveRun)
            flush();
        bCurveRun = bCurve;
        run.push_back(p);
        m_nCurrentX = p.x;
        m_nCurrentY = p.y;
    };
    for (std::size_t i = 0; i < placed.size(); ++i) {
        const BYTE kind = KindOf(types[i]);
        if (kind == PT_MOVETO) {
            flush();
            m_nCurrentX = m_nFigureStartX = placed[i].x;
            m_nCurrentY = m_nFigureStartY = placed[i].y;
            run.assign(1, placed[i]);
            continue;
        }
        const bool bCurve = kind == PT_BEZIERTO;
        const std::size_t last = bCurve ? i + 2 : i;
        for (; i <= last; ++i)
            advance(placed[i], bCurve);
        --i;
        if ((types[i] & PT_CLOSEFIGURE) == 0)
            continue;
        const POINT start{m_nFigureStartX, m_nFigureStartY};
        if (m_bInPath && m_pPath) {
            flush();
            m_pPath->AddChildTail(new CVxCloseFigure(RECT{m_nCurrentX, m_nCurrentY, start.x, start.y}));
            m_nCurrentX = start.x;
            m_nCurrentY = start.y;
            run.assign(1, start);
        } else {
            advance(start, false);
        }
    }
    flush();
    return kHandled;
}

// An arc of a circle with its line from the current position; a positive sweep
// turns counter-clockwise whatever the arc direction.
int CVxEmfToVxConverter::OnAngleArc(POINT center, DWORD radius, float startAngle,
                                    float sweepAngle)
{
    if (!std::isfinite(startAngle) || !std::isfinite(sweepAngle) || radius > DWORD(INT_MAX))
        return kNotHandled;
    const std::int64_t r = radius;
    if (center.x - r < INT_MIN || center.x + r > INT_MAX || center.y - r < INT_MIN ||
        center.y + r > INT_MAX)
        return kNotHandled;
    if (radius == 0)
        return OnLineTo(center.x, center.y);
    const RECT box{LONG(center.x - r), LONG(center.y - r), LONG(center.x + r), LONG(center.y + r)};
    // The radials only give directions: far out, they give them precisely.
    const double reach = std::max(double(radius), 4096.0);
    const auto ray = [&](double degrees) {
        const double radians = degrees * std::numbers::pi / 180;
        return POINT{RoundToInt(center.x + reach * std::cos(radians)),
                     RoundToInt(center.y - reach * std::sin(radians))};
    };
    const POINT start = ray(startAngle);
    const POINT end = std::fabs(sweepAngle) >= 360 ? start : ray(double(startAngle) + sweepAngle);
    const int saved = std::exchange(m_nArcDirection,
                                    sweepAngle >= 0 ? AD_COUNTERCLOCKWISE : AD_CLOCKWISE);
    const int answer = MakeArc(box, start, end, true);
    m_nArcDirection = saved;
    return answer;
}

int CVxEmfToVxConverter::AddCurveFrom(std::vector<POINT> points)
{
    return AddShape(std::make_unique<CVxBezier>(points, FALSE, TRUE));
}
