#pragma once
// The close-figure call inside a path. Its rectangle runs from where the figure
// was closed (left, top) to the figure's start (right, bottom), so that its
// bounds cover the closing segment.

#include "graphics/VxGraphic.h"

class CVxCloseFigure : public CVxGraphic {
    TK_DECLARE_SERIAL(CVxCloseFigure)
public:
    CVxCloseFigure() = default;
    explicit CVxCloseFigure(const RECT& rect);

    std::string GetTypeName() const override;
    // Only inside an open figure of a path; elsewhere there is nothing to close.
    void DrawShape(CTkDC* pDC, BOOL bContinue) override;
    std::unique_ptr<CVxGraphic> Clone() override;
};
