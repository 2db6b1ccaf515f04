#pragma once
// One-pixel (cosmetic) lines rasterised as GDI does it: each segment sets the
// pixels from its start towards its end along the axis it moves most on, leaving
// out the end itself, so that a polyline sets each pixel of its joints once and a
// line drawn backwards covers its start but not its end. The style (runs of dash
// and gap pixels) advances one step per pixel and goes on across the segments
// and figures of one call. Only pixels inside the bounds are visited, so that
// coordinates far outside the device cost nothing. The pixels of a segment are
// handed over together: one call per pixel would cost more than setting it.

#include <QPainterPath>
#include <QPoint>
#include <QPolygon>
#include <QRect>

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

class CTkQtPaintLine {
public:
    // A pixel the lines set; dash is false for the gaps of a styled line.
    struct CPixel {
        int x;
        int y;
        bool dash;
    };
    // Called with the pixels of each segment, in drawing order.
    using Visit = std::function<void(std::span<const CPixel> pixels)>;

    // runs: dash and gap lengths in pixels, dash first; empty for a solid line.
    CTkQtPaintLine(const QRect& bounds, std::vector<int> runs, Visit visit);

    // A figure of connected segments through points (device pixels).
    void Figure(const QPolygon& points);

    // The figures of a path (device pixels at integer points) as the pixels to
    // join: curves flattened finely so that their pixels are those nearest the
    // true curve, the same on both sides of a symmetric shape, and thinned where
    // a step would set both pixels of a corner.
    static std::vector<QPolygon> PixelFigures(const QPainterPath& figures);
    // The closed figure of a rectangle through the outline's edges whose corners
    // are quarters of an ellipse of radii rx and ry (half the outline's size: an
    // ellipse), built from one corner mirrored so that it is symmetric about both
    // axes; nothing for corners too large to walk pixel by pixel.
    static std::optional<QPolygon> RoundedFigure(const QRectF& outline, double rx, double ry);

private:
    void Segment(QPoint from, QPoint to);
    // Steps first..last of a segment of n steps: step k is at major coordinate
    // majorStart + step * k and minor coordinate minorStart + round(k * minorDelta / n).
    struct CWalk {
        std::int64_t first, last;
        bool xMajor;
        int step;
        std::int64_t majorStart, minorStart, minorDelta, n;
    };
    // The walk's pixels into m_pixels; SolidSteps when all are inside and
    // dashes, answering the first of m_pixels it wrote.
    void Steps(const CWalk& walk);
    std::span<const CPixel> SolidSteps(const CWalk& walk);
    bool IsDash(std::int64_t step) const;

    QRect m_bounds;
    std::vector<int> m_runs;
    std::int64_t m_period = 0;
    Visit m_visit;
    std::int64_t m_phase = 0;  // pixels of the style used so far
    std::vector<CPixel> m_pixels;
};
