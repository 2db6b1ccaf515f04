#include "graphics/VxTransform.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace {

// A mapped coordinate may lie outside what a POINT holds (or be NaN after
// factors ran to infinity); converting such a double to int is undefined.
LONG ToCoordinate(double value)
{
    if (std::isnan(value))
        return 0;
    constexpr double kMin = std::numeric_limits<LONG>::min();
    constexpr double kMax = std::numeric_limits<LONG>::max();
    if (value <= kMin)
        return std::numeric_limits<LONG>::min();
    if (value >= kMax)
        return std::numeric_limits<LONG>::max();
    return LONG(value);
}

// Quarter turns are taken exactly: cos 90 degrees in doubles is 6e-17, not 0,
// and truncation would turn the 14.999... that leaves into 14, so a turn and
// its inverse would drift by more than the centres' rounding.
void SinCos(double degrees, double& si, double& co)
{
    const double quarters = degrees / 90.0;
    if (quarters == std::trunc(quarters) && std::abs(quarters) < 1e9) {
        static constexpr double kSin[] = {0.0, 1.0, 0.0, -1.0};
        static constexpr double kCos[] = {1.0, 0.0, -1.0, 0.0};
        const int q = ((int(quarters) % 4) + 4) % 4;
        si = kSin[q];
        co = kCos[q];
        return;
    }
    const double a = degrees * std::numbers::pi / 180.0;
    si = std::sin(a);
    co = std::cos(a);
}

void RotatePair(double& a, double& b, double co, double si)
{
    const double rotatedA = a * co - b * si;
    b = b * co + a * si;
    a = rotatedA;
}

}  // namespace

void CVxTransform::Reset()
{
    *this = CVxTransform();
}

void CVxTransform::Translate(double tx, double ty)
{
    dx += tx;
    dy += ty;
    m_bIdentity = FALSE;
}

void CVxTransform::ScaleBy(double sx, double sy)
{
    m11 *= sx;
    m21 *= sx;
    dx *= sx;
    m12 *= sy;
    m22 *= sy;
    dy *= sy;
    m_bIdentity = FALSE;
}

void CVxTransform::ScaleBySizes(int nw, int nh, int ow, int oh)
{
    const double sx = ow != 0 ? double(nw) / ow : 0.0;
    const double sy = oh != 0 ? double(nh) / oh : 0.0;
    ScaleBy(sx, sy);
}

void CVxTransform::Rotate(double degrees)
{
    double si = 0.0;
    double co = 1.0;
    SinCos(degrees, si, co);
    RotatePair(m11, m12, co, si);
    RotatePair(m21, m22, co, si);
    RotatePair(dx, dy, co, si);
    m_bIdentity = FALSE;
}

POINT CVxTransform::Apply(POINT point) const
{
    const double x = point.x;
    const double y = point.y;
    return {ToCoordinate(x * m11 + y * m21 + dx), ToCoordinate(x * m12 + y * m22 + dy)};
}

void CVxTransform::Apply(std::span<POINT> points) const
{
    for (POINT& point : points)
        point = Apply(point);
}
