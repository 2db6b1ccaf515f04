#include "graphics/VxGeometry.h"

#include <algorithm>
#include <limits>
#include <utility>

int VxClampToInt(std::int64_t value)
{
    return int(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                        std::numeric_limits<int>::max()));
}

int VxMidpoint(int a, int b)
{
    // The halved 64-bit sum always fits; C++ division truncates toward zero.
    return int((std::int64_t(a) + b) / 2);
}

int VxExtent(int from, int to)
{
    return VxClampToInt(std::int64_t(to) - from);
}

RECT VxNormalizeRect(const RECT& rect)
{
    RECT result = rect;
    if (result.left > result.right)
        std::swap(result.left, result.right);
    if (result.top > result.bottom)
        std::swap(result.top, result.bottom);
    return result;
}

RECT VxBoundsOf(std::span<const POINT> points)
{
    if (points.empty())
        return {0, 0, 0, 0};
    RECT r{points[0].x, points[0].y, points[0].x, points[0].y};
    for (const POINT& p : points) {
        r.left = std::min(r.left, p.x);
        r.top = std::min(r.top, p.y);
        r.right = std::max(r.right, p.x);
        r.bottom = std::max(r.bottom, p.y);
    }
    return r;
}
