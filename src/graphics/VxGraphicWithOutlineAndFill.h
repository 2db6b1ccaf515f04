#pragma once
// A graphic drawn with a pen and filled with a brush: adds "Brush".

#include "graphics/VxGraphicWithOutline.h"

class CVxGraphicWithOutlineAndFill : public CVxGraphicWithOutline {
    TK_DECLARE_DYNAMIC(CVxGraphicWithOutlineAndFill)
public:
    CVxGraphicWithOutlineAndFill();
    // Adds "Brush" after "Pen".
    explicit CVxGraphicWithOutlineAndFill(const RECT& rect);
};
