#pragma once
// A graphic drawn with a pen: adds "Pen", and its draw bounds reach as far as
// the pen's width.

#include "graphics/VxGraphic.h"

class CVxGraphicWithOutline : public CVxGraphic {
    TK_DECLARE_DYNAMIC(CVxGraphicWithOutline)
public:
    CVxGraphicWithOutline();
    // Adds "Pen" after the base properties.
    explicit CVxGraphicWithOutline(const RECT& rect);

    RECT GetDrawBounds(CTkDC* pDC = nullptr) override;
};
