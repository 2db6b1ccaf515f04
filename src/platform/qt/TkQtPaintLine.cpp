#include "platform/qt/TkQtPaintLine.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <numeric>
#include <utility>

#include <QTransform>

namespace {

// Products of two 32-bit coordinate differences need more than 64 bits.
__extension__ using Wide = __int128;

// round(numerator / denominator) with halves towards +infinity; denominator > 0.
std::int64_t RoundedQuotient(Wide numerator, Wide denominator)
{
    const Wide twice = 2 * numerator + denominator;
    const Wide doubled = 2 * denominator;
    Wide q = twice / doubled;
    if (twice % doubled != 0 && twice < 0)
        --q;  // floor, not truncation
    return std::int64_t(q);
}

constexpr double kFine = 16;

QPoint Rounded(QPointF p)
{
    const auto round = [](double v) {
        return int(std::clamp<double>(std::round(v / kFine), INT_MIN, INT_MAX));
    };
    return {round(p.x()), round(p.y())};
}

// The distance along each axis, which may not fit an int.
std::int64_t Apart(int a, int b) { return std::abs(std::int64_t(a) - b); }

bool AreNeighbours(QPoint a, QPoint b)
{
    return Apart(a.x(), b.x()) <= 1 && Apart(a.y(), b.y()) <= 1;
}

bool AreDiagonal(QPoint a, QPoint b)
{
    return Apart(a.x(), b.x()) == 1 && Apart(a.y(), b.y()) == 1;
}

// Leaves out the middle pixel of an L-shaped step, which a curve passes by.
QPolygon Thinned(const QPolygon& points)
{
    QPolygon thin;
    for (qsizetype i = 0; i < points.size(); ++i) {
        const bool inner = i > 0 && i + 1 < points.size() && !thin.isEmpty();
        if (inner && AreNeighbours(thin.back(), points[i]) &&
            AreNeighbours(points[i], points[i + 1]) && AreDiagonal(thin.back(), points[i + 1]))
            continue;
        thin.push_back(points[i]);
    }
    return thin;
}

void AppendPoint(QPolygon& points, QPoint p)
{
    if (points.isEmpty() || points.back() != p)
        points.push_back(p);
}

QPolygon PixelFigure(const QPainterPath& subpath, bool curved)
{
    QPolygon points;
    for (const QPolygonF& flat : subpath.toSubpathPolygons(QTransform::fromScale(kFine, kFine))) {
        for (const QPointF& p : flat)
            AppendPoint(points, Rounded(p));
    }
    return curved ? Thinned(points) : points;
}

// Past this the pixels of an ellipse are too many to walk one by one.
constexpr double kMaxEllipseRadius = 1 << 12;
// Mirrored coordinates must fit an int.
constexpr double kMaxMirrored = 1 << 29;

}  // namespace

std::optional<QPolygon> CTkQtPaintLine::RoundedFigure(const QRectF& outline, double rx,
                                                      double ry)
{
    const QRectF reach(-kMaxMirrored, -kMaxMirrored, 2 * kMaxMirrored, 2 * kMaxMirrored);
    if (!(rx <= kMaxEllipseRadius && ry <= kMaxEllipseRadius) || !reach.contains(outline))
        return std::nullopt;
    // Twice the centre is a whole number, so mirrored pixels are whole too.
    const int cx2 = int(std::lround(outline.left() + outline.right()));
    const int cy2 = int(std::lround(outline.top() + outline.bottom()));
    const double cornerX = outline.right() - rx;
    const double cornerY = outline.top() + ry;
    // The top right corner from 3 o'clock to 12 o'clock, in steps under a pixel.
    QPolygon quarter;
    const int steps = int(std::ceil(4 * (rx + ry))) + 4;
    for (int i = 0; i <= steps; ++i) {
        const double t = std::numbers::pi / 2 * i / steps;
        AppendPoint(quarter, QPoint(int(std::lround(cornerX + rx * std::cos(t))),
                                    int(std::lround(cornerY - ry * std::sin(t)))));
    }
    quarter = Thinned(quarter);
    const auto mirror = [&](QPoint p, bool x, bool y) {
        return QPoint(x ? cx2 - p.x() : p.x(), y ? cy2 - p.y() : p.y());
    };
    QPolygon ring;
    for (qsizetype i = 0; i < quarter.size(); ++i)  // right to top
        AppendPoint(ring, quarter[i]);
    for (qsizetype i = quarter.size() - 1; i >= 0; --i)  // top to left
        AppendPoint(ring, mirror(quarter[i], true, false));
    for (qsizetype i = 0; i < quarter.size(); ++i)  // left to bottom
        AppendPoint(ring, mirror(quarter[i], true, true));
    for (qsizetype i = quarter.size() - 1; i >= 0; --i)  // bottom to right
        AppendPoint(ring, mirror(quarter[i], false, true));
    AppendPoint(ring, ring.front());
    return ring;
}

std::vector<QPolygon> CTkQtPaintLine::PixelFigures(const QPainterPath& figures)
{
    std::vector<QPolygon> result;
    QPainterPath subpath;
    bool curved = false;
    const auto flush = [&] {
        if (!subpath.isEmpty())
            result.push_back(PixelFigure(subpath, curved));
        subpath = QPainterPath();
        curved = false;
    };
    for (int i = 0; i < figures.elementCount(); ++i) {
        const QPainterPath::Element e = figures.elementAt(i);
        if (e.isMoveTo()) {
            flush();
            subpath.moveTo(e);
        } else if (e.isLineTo()) {
            subpath.lineTo(e);
        } else if (e.isCurveTo() && i + 2 < figures.elementCount()) {
            subpath.cubicTo(e, figures.elementAt(i + 1), figures.elementAt(i + 2));
            curved = true;
            i += 2;
        }
    }
    flush();
    return result;
}

CTkQtPaintLine::CTkQtPaintLine(const QRect& bounds, std::vector<int> runs, Visit visit)
    : m_bounds(bounds), m_runs(std::move(runs)), m_visit(std::move(visit))
{
    std::erase_if(m_runs, [](int run) { return run < 0; });
    m_period = std::accumulate(m_runs.begin(), m_runs.end(), std::int64_t(0));
    if (m_period == 0)
        m_runs.clear();
}

bool CTkQtPaintLine::IsDash(std::int64_t step) const
{
    if (m_runs.empty())
        return true;
    std::int64_t at = step % m_period;
    for (std::size_t i = 0; i < m_runs.size(); ++i) {
        if (at < m_runs[i])
            return i % 2 == 0;
        at -= m_runs[i];
    }
    return true;
}

void CTkQtPaintLine::Figure(const QPolygon& points)
{
    for (qsizetype i = 1; i < points.size(); ++i)
        Segment(points[i - 1], points[i]);
}

void CTkQtPaintLine::Segment(QPoint from, QPoint to)
{
    const std::int64_t dx = std::int64_t(to.x()) - from.x();
    const std::int64_t dy = std::int64_t(to.y()) - from.y();
    const std::int64_t n = std::max(std::abs(dx), std::abs(dy));
    if (n == 0)
        return;
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const std::int64_t majorStart = xMajor ? from.x() : from.y();
    const std::int64_t minorStart = xMajor ? from.y() : from.x();
    const std::int64_t minorDelta = xMajor ? dy : dx;
    const int step = (xMajor ? dx : dy) > 0 ? 1 : -1;
    // Only the steps whose major coordinate lies in the bounds can set a pixel.
    const std::int64_t low = xMajor ? m_bounds.left() : m_bounds.top();
    const std::int64_t high = xMajor ? m_bounds.right() : m_bounds.bottom();
    std::int64_t first = step > 0 ? low - majorStart : majorStart - high;
    std::int64_t last = step > 0 ? high - majorStart : majorStart - low;
    first = std::max<std::int64_t>(first, 0);
    last = std::min(last, n - 1);
    for (std::int64_t k = first; k <= last; ++k) {
        const std::int64_t major = majorStart + step * k;
        const std::int64_t minor = minorStart + RoundedQuotient(Wide(k) * minorDelta, n);
        const std::int64_t x = xMajor ? major : minor;
        const std::int64_t y = xMajor ? minor : major;
        if (x >= m_bounds.left() && x <= m_bounds.right() && y >= m_bounds.top() &&
            y <= m_bounds.bottom())
            m_visit(int(x), int(y), IsDash(m_phase + k));
    }
    m_phase += n;
}
