#pragma once
// A straight segment: its start in (left, top) of m_rect, its end in
// (right, bottom).

#include "graphics/VxGraphicWithOutline.h"

class CVxLine : public CVxGraphicWithOutline {
    TK_DECLARE_SERIAL(CVxLine)
public:
    CVxLine() = default;
    explicit CVxLine(const RECT& rect);

    std::string GetTypeName() const override;
    // Inside a path the position already stands at the start: only the line-to.
    void DrawShape(CTkDC* pDC, BOOL bContinue) override;
    std::unique_ptr<CVxGraphic> Clone() override;
};
