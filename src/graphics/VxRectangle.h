#pragma once
// A box drawn with GDI's Rectangle; m_rect keeps the corners as given.

#include "graphics/VxGraphicWithOutlineAndFill.h"

class CVxRectangle : public CVxGraphicWithOutlineAndFill {
    TK_DECLARE_SERIAL(CVxRectangle)
public:
    CVxRectangle() = default;
    explicit CVxRectangle(const RECT& rect);

    std::string GetTypeName() const override;
    void DrawShape(CTkDC* pDC, BOOL bContinue) override;
    std::unique_ptr<CVxGraphic> Clone() override;
};
