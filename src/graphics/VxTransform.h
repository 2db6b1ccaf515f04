#pragma once
// A pending 2-D affine transform, kept in doubles so that moves, resizes and
// rotations of a poly add up without rounding its points at every step.
// (x, y) maps to (x*m11 + y*m21 + dx, x*m12 + y*m22 + dy).

#include "platform/gdi/GdiTypes.h"

#include <span>

class CVxTransform {
public:
    void Reset();
    void Translate(double tx, double ty);
    void ScaleBy(double sx, double sy);
    // The factors new/old; an old size of 0 gives the factor 0.
    void ScaleBySizes(int nw, int nh, int ow, int oh);
    void Rotate(double degrees);

    BOOL IsIdentity() const { return m_bIdentity; }
    // Truncated toward zero, saturated at the 32-bit range.
    POINT Apply(POINT point) const;
    void Apply(std::span<POINT> points) const;

private:
    double m11 = 1.0;
    double m12 = 0.0;
    double m21 = 0.0;
    double m22 = 1.0;
    double dx = 0.0;
    double dy = 0.0;
    BOOL m_bIdentity = TRUE;
};
