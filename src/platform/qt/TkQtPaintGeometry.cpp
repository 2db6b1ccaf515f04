#include "platform/qt/TkQtPaintGeometry.h"

#include "platform/gdi/TkDC.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// QRect holds ints whose differences must fit too; no device is larger.
constexpr LONG kDeviceLimit = 1 << 29;

LONG Limited(LONG value) { return std::clamp(value, -kDeviceLimit, kDeviceLimit); }

RECT DeviceBox(const CTkDC& dc, const RECT& logical)
{
    RECT r = logical;
    dc.LPtoDP(&r);
    return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
            std::max(r.top, r.bottom)};
}

double Scale(LONG viewport, LONG window) { return std::fabs(double(viewport) / window); }

// The ellipse's own angle of the point where the ray from its centre towards p
// meets it, in degrees counter-clockwise on the device.
double AngleOf(const QRectF& ellipse, QPointF p)
{
    const QPointF c = ellipse.center();
    const double a = ellipse.width() / 2;
    const double b = ellipse.height() / 2;
    const double dx = p.x() - c.x();
    const double dy = c.y() - p.y();  // device y points down
    if (dx == 0 && dy == 0)
        return 0;
    return std::atan2(dy * a, dx * b) * 180 / std::numbers::pi;
}

// The positive sweep from one angle to the next, a whole turn for equal angles.
double SweepBetween(double from, double to)
{
    double sweep = std::fmod(to - from, 360.0);
    if (sweep < 0)
        sweep += 360;
    return sweep < 1e-9 ? 360 : sweep;
}

}  // namespace

QPointF TkQtToDevice(const CTkDC& dc, POINT p)
{
    dc.LPtoDP(&p);
    return {double(p.x), double(p.y)};
}

QRect TkQtRect(const RECT& device)
{
    const LONG left = Limited(std::min(device.left, device.right));
    const LONG top = Limited(std::min(device.top, device.bottom));
    return {left, top, Limited(std::max(device.left, device.right)) - left,
            Limited(std::max(device.top, device.bottom)) - top};
}

QRect TkQtDeviceRect(const CTkDC& dc, const RECT& logical)
{
    return TkQtRect(DeviceBox(dc, logical));
}

std::optional<QRectF> TkQtOutlineBox(const CTkDC& dc, const RECT& logical, double inset)
{
    const RECT r = DeviceBox(dc, logical);
    const double left = r.left + inset;
    const double top = r.top + inset;
    const double right = double(r.right) - 1 - inset;
    const double bottom = double(r.bottom) - 1 - inset;
    if (right < left || bottom < top)
        return std::nullopt;
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

QPainterPath TkQtRectanglePath(const QRectF& outline)
{
    QPainterPath path;
    path.addRect(outline);
    return path;
}

QSizeF TkQtRoundRectRadii(const CTkDC& dc, const QRectF& outline, SIZE corner)
{
    const SIZE& v = dc.GetViewportExt();
    const SIZE& w = dc.GetWindowExt();
    const double rx = std::fabs(double(corner.cx)) * Scale(v.cx, w.cx) / 2;
    const double ry = std::fabs(double(corner.cy)) * Scale(v.cy, w.cy) / 2;
    return {std::min(rx, outline.width() / 2), std::min(ry, outline.height() / 2)};
}

QPainterPath TkQtRoundRectPath(const CTkDC& dc, const QRectF& outline, SIZE corner)
{
    const QSizeF radii = TkQtRoundRectRadii(dc, outline, corner);
    QPainterPath path;
    path.addRoundedRect(outline, radii.width(), radii.height());
    return path;
}

QPainterPath TkQtEllipsePath(const QRectF& outline)
{
    QPainterPath path;
    path.addEllipse(outline);
    return path;
}

TkQtArc TkQtArcOf(const CTkDC& dc, const QRectF& outline, POINT start, POINT end)
{
    const double from = AngleOf(outline, TkQtToDevice(dc, start));
    const double to = AngleOf(outline, TkQtToDevice(dc, end));
    const double sweep = dc.GetArcDirection() == AD_CLOCKWISE ? -SweepBetween(to, from)
                                                                : SweepBetween(from, to);
    return {outline, from, sweep};
}

void TkQtAppendArc(QPainterPath& path, const TkQtArc& arc, bool connect)
{
    if (!connect)
        path.arcMoveTo(arc.ellipse, arc.startDegrees);
    path.arcTo(arc.ellipse, arc.startDegrees, arc.sweepDegrees);
}

void TkQtAppendPolyline(QPainterPath& path, const CTkDC& dc, const POINT* logical, int count,
                        bool connect)
{
    path.reserve(path.elementCount() + count);
    for (int i = 0; i < count; ++i) {
        const QPointF p = TkQtToDevice(dc, logical[i]);
        if ((i == 0 && !connect) || path.elementCount() == 0)
            path.moveTo(p);
        else if (path.currentPosition() != p)
            path.lineTo(p);
    }
}
