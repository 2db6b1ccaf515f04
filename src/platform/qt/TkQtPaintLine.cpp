#include "platform/qt/TkQtPaintLine.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <numeric>
#include <unordered_map>
#include <utility>

#include <QTransform>

namespace {

// Products of two 32-bit coordinate differences need more than 64 bits.
__extension__ using Wide = __int128;

// floor(numerator / denominator) and what remains; denominator > 0.
std::pair<std::int64_t, std::int64_t> FlooredDivision(Wide numerator, std::int64_t denominator)
{
    // Coordinates on a device fit 64 bits, where division is far cheaper.
    if (numerator >= INT64_MIN && numerator <= INT64_MAX) {
        const auto n = std::int64_t(numerator);
        const std::int64_t q = n / denominator;
        const std::int64_t r = n % denominator;
        return r < 0 ? std::pair(q - 1, r + denominator) : std::pair(q, r);
    }
    Wide q = numerator / denominator;
    Wide r = numerator % denominator;
    if (r < 0) {
        --q;
        r += denominator;
    }
    return {std::int64_t(q), std::int64_t(r)};
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
    thin.reserve(points.size());
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

// The figure of elements [begin, end) of figures, which has curves.
QPolygon CurvedFigure(const QPainterPath& figures, int begin, int end)
{
    QPainterPath subpath(figures.elementAt(begin));
    for (int i = begin + 1; i < end; ++i) {
        const QPainterPath::Element e = figures.elementAt(i);
        if (e.isLineTo()) {
            subpath.lineTo(e);
        } else if (e.isCurveTo() && i + 2 < end) {
            subpath.cubicTo(e, figures.elementAt(i + 1), figures.elementAt(i + 2));
            i += 2;
        }
    }
    QPolygon points;
    for (const QPolygonF& flat : subpath.toSubpathPolygons(QTransform::fromScale(kFine, kFine))) {
        for (const QPointF& p : flat)
            AppendPoint(points, Rounded(p));
    }
    return Thinned(points);
}

// The figure of elements [begin, end) of figures, all of them straight: its
// points rounded as a flattened curve's would be.
QPolygon StraightFigure(const QPainterPath& figures, int begin, int end)
{
    QPolygon points;
    points.reserve(end - begin);
    for (int i = begin; i < end; ++i) {
        const QPainterPath::Element e = figures.elementAt(i);
        AppendPoint(points, Rounded(QPointF(e.x * kFine, e.y * kFine)));
    }
    return points;
}

// Cosine and sine of a quarter turn in steps: the same for every ellipse of
// that many steps, so kept rather than computed again for each one.
const std::vector<std::pair<double, double>>& QuarterTurn(int steps)
{
    constexpr std::size_t kMaxKept = 1 << 20;
    thread_local std::unordered_map<int, std::vector<std::pair<double, double>>> kept;
    thread_local std::size_t nKept = 0;
    if (const auto it = kept.find(steps); it != kept.end())
        return it->second;
    if (nKept > kMaxKept) {
        kept.clear();
        nKept = 0;
    }
    std::vector<std::pair<double, double>> turn;
    turn.reserve(std::size_t(steps) + 1);
    for (int i = 0; i <= steps; ++i) {
        const double t = std::numbers::pi / 2 * i / steps;
        turn.emplace_back(std::cos(t), std::sin(t));
    }
    nKept += turn.size();
    return kept.emplace(steps, std::move(turn)).first->second;
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
    quarter.reserve(steps + 1);
    for (const auto& [cos, sin] : QuarterTurn(steps)) {
        AppendPoint(quarter, QPoint(int(std::lround(cornerX + rx * cos)),
                                    int(std::lround(cornerY - ry * sin))));
    }
    quarter = Thinned(quarter);
    const auto mirror = [&](QPoint p, bool x, bool y) {
        return QPoint(x ? cx2 - p.x() : p.x(), y ? cy2 - p.y() : p.y());
    };
    QPolygon ring;
    ring.reserve(4 * quarter.size() + 1);
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
    const int count = figures.elementCount();
    for (int begin = 0; begin < count;) {
        int end = begin + 1;
        bool curved = false;
        for (; end < count && !figures.elementAt(end).isMoveTo(); ++end)
            curved = curved || figures.elementAt(end).isCurveTo();
        // A lone move sets no pixel.
        if (end - begin > 1)
            result.push_back(curved ? CurvedFigure(figures, begin, end)
                                    : StraightFigure(figures, begin, end));
        begin = end;
    }
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
    if (first <= last) {
        // The minor coordinate of step k is round(k * minorDelta / n), halves up:
        // floor((2 k minorDelta + n) / 2n), followed step by step through its
        // remainder.
        const std::int64_t period = 2 * n;
        const auto minorAt = [&](std::int64_t k) {
            return FlooredDivision(2 * Wide(k) * minorDelta + n, period);
        };
        const std::int64_t minorLow = xMajor ? m_bounds.top() : m_bounds.left();
        const std::int64_t minorHigh = xMajor ? m_bounds.bottom() : m_bounds.right();
        // The minor coordinate moves one way, so its ends tell whether every
        // step lies inside the bounds.
        const std::int64_t minorFirst = minorStart + minorAt(first).first;
        const std::int64_t minorLast = minorStart + minorAt(last).first;
        const bool inside = std::min(minorFirst, minorLast) >= minorLow &&
                            std::max(minorFirst, minorLast) <= minorHigh;
        const CWalk walk{first, last, xMajor, step, majorStart, minorStart, minorDelta, n};
        if (inside && m_runs.empty()) {
            m_visit(SolidSteps(walk));
        } else {
            m_pixels.clear();
            Steps(walk);
            if (!m_pixels.empty())
                m_visit(m_pixels);
        }
    }
    m_phase += n;
}

void CTkQtPaintLine::Steps(const CWalk& walk)
{
    const auto [first, last, xMajor, step, majorStart, minorStart, minorDelta, n] = walk;
    const std::int64_t period = 2 * n;
    const std::int64_t advance = 2 * minorDelta;
    auto [quotient, remainder] = FlooredDivision(2 * Wide(first) * minorDelta + n, period);
    for (std::int64_t k = first; k <= last; ++k) {
        const std::int64_t major = majorStart + step * k;
        const std::int64_t minor = minorStart + quotient;
        const std::int64_t x = xMajor ? major : minor;
        const std::int64_t y = xMajor ? minor : major;
        if (x >= m_bounds.left() && x <= m_bounds.right() && y >= m_bounds.top() &&
            y <= m_bounds.bottom())
            m_pixels.push_back({int(x), int(y), IsDash(m_phase + k)});
        remainder += advance;
        if (remainder >= period) {
            remainder -= period;
            ++quotient;
        } else if (remainder < 0) {
            remainder += period;
            --quotient;
        }
    }
}

std::span<const CTkQtPaintLine::CPixel> CTkQtPaintLine::SolidSteps(const CWalk& walk)
{
    const auto [first, last, xMajor, step, majorStart, minorStart, minorDelta, n] = walk;
    // Every step is inside and a dash: the same pixels as Steps, without its
    // tests.
    const std::int64_t period = 2 * n;
    const std::int64_t advance = 2 * minorDelta;
    auto [quotient, remainder] = FlooredDivision(2 * Wide(first) * minorDelta + n, period);
    // The buffer only grows: filling it anew for each segment would cost as
    // much as the walk.
    const auto count = std::size_t(last - first + 1);
    if (m_pixels.size() < count)
        m_pixels.resize(count);
    // Inside the bounds every coordinate fits an int.
    const auto fill = [&](auto place) {
        CPixel* pOut = m_pixels.data();
        int major = int(majorStart + step * first);
        int minor = int(minorStart + quotient);
        for (std::int64_t k = first; k <= last; ++k, ++pOut, major += step) {
            *pOut = place(major, minor);
            remainder += advance;
            const int carry = (remainder >= period ? 1 : 0) - (remainder < 0 ? 1 : 0);
            minor += carry;
            remainder -= carry * period;
        }
    };
    if (xMajor)
        fill([](int major, int minor) { return CPixel{major, minor, true}; });
    else
        fill([](int major, int minor) { return CPixel{minor, major, true}; });
    return {m_pixels.data(), count};
}
