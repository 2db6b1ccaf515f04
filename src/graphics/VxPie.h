#pragma once
// An elliptic arc closed by the two radii to its ends, drawn with GDI's Pie.

#include "graphics/VxClosedArc.h"

class CVxPie : public CVxClosedArc {
    TK_DECLARE_SERIAL(CVxPie)
public:
    CVxPie() = default;
    explicit CVxPie(const RECT& rect) : CVxClosedArc(rect) {}
    CVxPie(const RECT& rect, POINT ptStart, POINT ptEnd) : CVxClosedArc(rect, ptStart, ptEnd) {}

    std::string GetTypeName() const override;
    std::unique_ptr<CVxGraphic> Clone() override;

protected:
    DrawCall GetDrawCall() const override;
};
