#pragma once
// An elliptic arc closed by the line between its ends, drawn with GDI's Chord.

#include "graphics/VxClosedArc.h"

class CVxChord : public CVxClosedArc {
    TK_DECLARE_SERIAL(CVxChord)
public:
    CVxChord() = default;
    explicit CVxChord(const RECT& rect) : CVxClosedArc(rect) {}
    CVxChord(const RECT& rect, POINT ptStart, POINT ptEnd) : CVxClosedArc(rect, ptStart, ptEnd) {}

    std::string GetTypeName() const override;
    std::unique_ptr<CVxGraphic> Clone() override;

protected:
    DrawCall GetDrawCall() const override;
};
