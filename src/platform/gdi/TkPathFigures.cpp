#include "platform/gdi/TkPathFigures.h"

#include "platform/gdi/TkDC.h"
#include "platform/gdi/TkMetaFileRecorder.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace {

constexpr int kMaxArcSteps = 128;

LONG Round(double v)
{
    return LONG(std::lround(std::clamp(v, -2147483648.0, 2147483647.0)));
}

}  // namespace

void CTkPathFigures::Clear()
{
    m_figures.clear();
    m_bOpen = false;
}

void CTkPathFigures::Continue(POINT from, std::span<const POINT> pts)
{
    const POINT* pLast = m_bOpen && !m_figures.empty() ? &m_figures.back().points.back() : nullptr;
    const bool joins = pLast != nullptr && pLast->x == from.x && pLast->y == from.y;
    if (!joins) {
        m_figures.push_back({{from}, false});
        m_bOpen = true;
    }
    auto& points = m_figures.back().points;
    points.insert(points.end(), pts.begin(), pts.end());
}

void CTkPathFigures::PolyBezierTo(POINT from, std::span<const POINT> pts)
{
    const std::vector<POINT> line = TkFlattenBeziers(from, pts);
    Continue(from, std::span<const POINT>(line).subspan(1));
}

void CTkPathFigures::ArcTo(POINT from, const RECT& box, POINT start, POINT end, bool increasing)
{
    // A line to the arc's start, then the arc.
    Continue(from, TkFlattenArc(box, start, end, increasing));
}

void CTkPathFigures::PolyBezier(std::span<const POINT> pts)
{
    if (!pts.empty())
        Add(TkFlattenBeziers(pts[0], pts.subspan(1)), false);
}

void CTkPathFigures::Arc(const RECT& box, POINT start, POINT end, bool increasing)
{
    Add(TkFlattenArc(box, start, end, increasing), false);
}

void CTkPathFigures::Rectangle(const RECT& box)
{
    const POINT corners[] = {{box.left, box.top},
                             {box.right, box.top},
                             {box.right, box.bottom},
                             {box.left, box.bottom}};
    Add(corners, true);
}

void CTkPathFigures::Ellipse(const RECT& box, bool increasing)
{
    const POINT right{box.right, LONG((std::int64_t(box.top) + box.bottom) / 2)};
    Add(TkFlattenArc(box, right, right, increasing), true);
}

void CTkPathFigures::PolyPolyline(const POINT* pts, std::span<const DWORD> counts)
{
    for (DWORD n : counts) {
        Add({pts, n}, false);
        pts += n;
    }
}

void CTkPathFigures::PolyPolygon(const POINT* pts, std::span<const INT> counts)
{
    for (INT n : counts) {
        Add({pts, std::size_t(n)}, true);
        pts += n;
    }
}

void CTkPathFigures::Gather(bool closeClosed, std::vector<POINT>* pPoints,
                            std::vector<INT>* pCounts) const
{
    for (const Figure& f : m_figures) {
        if (f.points.size() < 2)
            continue;
        pPoints->insert(pPoints->end(), f.points.begin(), f.points.end());
        const bool repeat = closeClosed && f.closed;
        if (repeat)
            pPoints->push_back(f.points.front());
        pCounts->push_back(INT(f.points.size() + (repeat ? 1 : 0)));
    }
}

void CTkPathFigures::Add(std::span<const POINT> pts, bool closed)
{
    if (pts.empty())
        return;
    m_figures.push_back({{pts.begin(), pts.end()}, closed});
    m_bOpen = !closed;
}

void CTkPathFigures::CloseFigure()
{
    if (m_bOpen && !m_figures.empty())
        m_figures.back().closed = true;
    m_bOpen = false;
}

std::vector<POINT> TkFlattenArc(const RECT& box, POINT start, POINT end, bool increasing)
{
    const double cx = (double(box.left) + box.right) / 2;
    const double cy = (double(box.top) + box.bottom) / 2;
    const double a = std::fabs(double(box.right) - box.left) / 2;
    const double b = std::fabs(double(box.bottom) - box.top) / 2;
    constexpr double kTurn = 2 * std::numbers::pi;
    const double from = TkArcAngle(box, start);
    double sweep = TkArcAngle(box, end) - from;
    if (!increasing)
        sweep = -sweep;
    sweep = std::fmod(sweep + 2 * kTurn, kTurn);
    if (sweep == 0)
        sweep = kTurn;
    // Enough segments that the curve looks smooth at the size it is drawn.
    const double length = sweep * (a + b) / 2;
    const int steps = std::clamp(int(std::ceil(std::sqrt(length) * 2)), 2, kMaxArcSteps);
    const double direction = increasing ? 1 : -1;
    std::vector<POINT> out;
    out.reserve(std::size_t(steps) + 1);
    for (int s = 0; s <= steps; ++s) {
        const double t = from + direction * sweep * s / steps;
        out.push_back({Round(cx + a * std::cos(t)), Round(cy + b * std::sin(t))});
    }
    // The ends where the DC puts them, so that lines drawn on from there join.
    out.front() = TkArcEndPoint(box, start);
    out.back() = TkArcEndPoint(box, end);
    return out;
}

bool TkArcAngleIncreases(const CTkDC& dc)
{
    const SIZE w = dc.GetWindowExt();
    const SIZE v = dc.GetViewportExt();
    const bool flipped = (double(w.cx) * v.cx < 0) != (double(w.cy) * v.cy < 0);
    return (dc.GetArcDirection() == AD_CLOCKWISE) != flipped;
}
