#pragma once
// The figures of the GDI drawing calls in device space, where a pixel is an
// integer point, as GDI rasterises them: a closed shape's box loses its right
// column and bottom row (Rectangle(0, 0, 10, 10) outlines pixels 0..9), and arcs
// run counter-clockwise or clockwise as the device shows them, y pointing down.
// The painting backend moves these figures onto Qt's pixel centres to draw them.

#include "platform/gdi/GdiTypes.h"

#include <QPainterPath>
#include <QRect>

class CTkDC;

// Where Qt must draw a figure given in integer device points: on the pixel
// centres, a little up and left so that points on a figure's left and top edges
// are inside it and those on its right and bottom edges outside, as GDI fills.
constexpr double kTkQtPixelCentre = 0.5 - 1.0 / 64;

#include <optional>

QPointF TkQtToDevice(const CTkDC& dc, POINT p);

// A device rectangle as a QRect: normalised, right and bottom exclusive, and kept
// inside the range a QRect can hold.
QRect TkQtRect(const RECT& device);

// A logical rectangle as the device pixels it covers, as TkQtRect gives them.
QRect TkQtDeviceRect(const CTkDC& dc, const RECT& logical);

// The outline of a closed shape's box: its corner pixels (left, top) and
// (right - 1, bottom - 1), moved inwards by inset; nothing when the box covers no
// pixel.
std::optional<QRectF> TkQtOutlineBox(const CTkDC& dc, const RECT& logical, double inset);

QPainterPath TkQtRectanglePath(const QRectF& outline);
// corner is the logical width and height of the ellipse that rounds the corners;
// its radii on the device are at most half the outline.
QSizeF TkQtRoundRectRadii(const CTkDC& dc, const QRectF& outline, SIZE corner);
QPainterPath TkQtRoundRectPath(const CTkDC& dc, const QRectF& outline, SIZE corner);
QPainterPath TkQtEllipsePath(const QRectF& outline);

// The elliptic arc of an Arc, ArcTo, Chord or Pie call in Qt's terms: it starts
// where the ray from the centre through start meets the ellipse and ends on the
// ray through end, going the DC's arc direction; equal rays give the full ellipse.
struct TkQtArc {
    QRectF ellipse;
    double startDegrees;  // counter-clockwise on the device from 3 o'clock
    double sweepDegrees;  // positive: counter-clockwise
};
TkQtArc TkQtArcOf(const CTkDC& dc, const QRectF& outline, POINT start, POINT end);

// Appends the arc to path, with a line from path's current point to its start
// when connect is set, otherwise as a new figure.
void TkQtAppendArc(QPainterPath& path, const TkQtArc& arc, bool connect);

// Appends logical points on the device as one figure, continuing path's current
// figure when connect is set, and leaving out points that repeat the one before
// (a segment of no length draws nothing in GDI).
void TkQtAppendPolyline(QPainterPath& path, const CTkDC& dc, const POINT* logical, int count,
                        bool connect);
