#pragma once
// A box with rounded corners drawn with GDI's RoundRect: m_rect keeps the
// corners as given, m_sizeCorner the width and height of the ellipse that
// rounds them.

#include "graphics/VxGraphicWithOutlineAndFill.h"

class CVxRoundRect : public CVxGraphicWithOutlineAndFill {
    TK_DECLARE_SERIAL(CVxRoundRect)
public:
    CVxRoundRect() = default;
    explicit CVxRoundRect(const RECT& rect);
    // Negative sizes are taken as their magnitude, as GDI does.
    CVxRoundRect(const RECT& rect, SIZE sizeCorner);

    void Serialize(CTkArchive& ar) override;
    std::string GetTypeName() const override;
    // The corners grow and shrink with the box, but a flip does not turn them inside out.
    void Scale(int nw, int nh, int ow, int oh) override;
    void DrawShape(CTkDC* pDC, BOOL bContinue) override;
    void CopyFrom(CVxGraphic& source) override;
    std::unique_ptr<CVxGraphic> Clone() override;

    SIZE GetCornerSize() const { return m_sizeCorner; }

private:
    SIZE m_sizeCorner{0, 0};
};
