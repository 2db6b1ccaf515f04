#pragma once
// The figures drawn inside a path bracket on a 16-bit metafile DC, which has no
// path records: they are kept as line points in logical coordinates (curves
// flattened) so that the path can be written as polygons or polylines when it is
// filled or stroked.

#include "platform/gdi/GdiTypes.h"

#include <span>
#include <vector>

class CTkDC;

class CTkPathFigures {
public:
    void Clear();
    // The open figure ends; the next line starts a figure of its own.
    void MoveTo() { m_bOpen = false; }
    void CloseFigure();

    // The drawing calls, with the DC's current position as from. increasing: an
    // arc's angle grows (see TkFlattenArc).
    void LineTo(POINT from, POINT to) { Continue(from, {&to, 1}); }
    void PolylineTo(POINT from, std::span<const POINT> pts) { Continue(from, pts); }
    void PolyBezierTo(POINT from, std::span<const POINT> pts);
    void ArcTo(POINT from, const RECT& box, POINT start, POINT end, bool increasing);
    void Polyline(std::span<const POINT> pts) { Add(pts, false); }
    void Polygon(std::span<const POINT> pts) { Add(pts, true); }
    void PolyBezier(std::span<const POINT> pts);
    void Arc(const RECT& box, POINT start, POINT end, bool increasing);
    void Rectangle(const RECT& box);
    void Ellipse(const RECT& box, bool increasing);
    void PolyPolyline(const POINT* pts, std::span<const DWORD> counts);
    void PolyPolygon(const POINT* pts, std::span<const INT> counts);

    // The figures of two points or more, one after another with their point
    // counts; closeClosed repeats the first point of each closed figure at its end.
    void Gather(bool closeClosed, std::vector<POINT>* pPoints, std::vector<INT>* pCounts) const;

private:
    struct Figure {
        std::vector<POINT> points;
        bool closed = false;
    };
    // Lines from `from` through pts: they go on with the open figure when it ends
    // at `from`, else they begin a new one there.
    void Continue(POINT from, std::span<const POINT> pts);
    // A figure of its own.
    void Add(std::span<const POINT> pts, bool closed);

    std::vector<Figure> m_figures;
    bool m_bOpen = false;
};

// The line points of the arc of the ellipse in box from the ray through start to
// the ray through end (the whole ellipse when they meet). increasing: the angle
// grows, which is clockwise where y grows downwards.
std::vector<POINT> TkFlattenArc(const RECT& box, POINT start, POINT end, bool increasing);

// Whether the DC's arcs run with a growing angle in logical coordinates: its arc
// direction is counterclockwise on the device unless set otherwise, and a mapping
// that turns one axis turns the direction too.
bool TkArcAngleIncreases(const CTkDC& dc);
