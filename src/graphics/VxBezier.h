#pragma once
// A run of cubic Bézier curves: a start point and three points per curve (the
// two control points and the end), so always 3n+1 points. Open, it is drawn
// with PolyBezier, or from the current position with PolyBezierTo when it was
// read from such a record (its first point is then that position); closed, it
// is a filled figure.
//
// It keeps its points as a poly does (moves, resizes and flips stay pending in
// the transform), but points are inserted and deleted a curve at a time.

#include "graphics/VxPoly.h"

class CVxBezier : public CVxPoly {
    TK_DECLARE_SERIAL(CVxBezier)
public:
    CVxBezier() = default;
    CVxBezier(const RECT& rect, BOOL bClosed);
    // The points as given, equal neighbours kept; nothing is added unless
    // there are 3n+1 of them with n >= 1.
    CVxBezier(std::span<const POINT> points, BOOL bClosed, BOOL bFromCurrent);

    // A count that is not 3n+1 cannot draw.
    static bool IsCurveCount(std::size_t nPoints) { return nPoints >= 4 && nPoints % 3 == 1; }

    void Serialize(CTkArchive& ar) override;
    POINT GetStartPoint() override;
    void DrawShape(CTkDC* pDC, BOOL bContinue) override;
    void CopyFrom(CVxGraphic& source) override;

    // A zero-length curve at the anchor at or before nPoint (at the end when
    // nPoint is the point count), so the figure keeps its shape; the given
    // point is used only at an anchor. Control points may coincide with
    // anchors, so duplicates are always allowed.
    BOOL CanInsertPoint(int nPoint) const override;
    BOOL InsertPoint(int nPoint, POINT point, BOOL bAllowDuplicate) override;
    // Removes the curve the point belongs to: an anchor goes with the control
    // points before it, a control point with its curve's end; the first point
    // with the first curve. One curve always stays.
    BOOL CanDeletePoint(int nPoint) const override;
    BOOL DeletePoint(int nPoint) override;
    BOOL CanInsertSubPolygon(int nSubPolygon) const override;

    std::unique_ptr<CVxGraphic> Clone() override;
    std::string GetTypeName() const override;

    BOOL IsFromCurrent() const { return m_bFromCurrent; }

private:
    void DrawClosed(CTkDC* pDC, std::span<const POINT> points);

    // Drawn with PolyBezierTo from its first point.
    BOOL m_bFromCurrent = FALSE;
};
