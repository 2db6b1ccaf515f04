#pragma once
// An ellipse drawn with GDI's Ellipse; m_rect is its bounding box as given.

#include "graphics/VxGraphicWithOutlineAndFill.h"

class CVxEllipse : public CVxGraphicWithOutlineAndFill {
    TK_DECLARE_SERIAL(CVxEllipse)
public:
    CVxEllipse() = default;
    explicit CVxEllipse(const RECT& rect);

    std::string GetTypeName() const override;
    void DrawShape(CTkDC* pDC, BOOL bContinue) override;
    std::unique_ptr<CVxGraphic> Clone() override;
};
