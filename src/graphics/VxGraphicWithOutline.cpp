#include "graphics/VxGraphicWithOutline.h"

#include "attributes/VxPenGraphicProperty.h"
#include "graphics/VxGeometry.h"

TK_IMPLEMENT_DYNAMIC(CVxGraphicWithOutline, CVxGraphic)

CVxGraphicWithOutline::CVxGraphicWithOutline() = default;

CVxGraphicWithOutline::CVxGraphicWithOutline(const RECT& rect) : CVxGraphic(rect)
{
    m_properties.SetAt(std::make_unique<CVxPenGraphicProperty>());
}

RECT CVxGraphicWithOutline::GetDrawBounds(CTkDC* /*pDC*/)
{
    RECT bounds = GetBounds();
    const auto* pPen = dynamic_cast<const CVxPenGraphicProperty*>(LookupProperty("Pen"));
    // A zero width is still drawn one pixel wide.
    int width = pPen ? pPen->GetWidth() : 0;
    if (width == 0)
        width = 1;
    bounds.left = VxClampToInt(std::int64_t(bounds.left) - width);
    bounds.top = VxClampToInt(std::int64_t(bounds.top) - width);
    bounds.right = VxClampToInt(std::int64_t(bounds.right) + width);
    bounds.bottom = VxClampToInt(std::int64_t(bounds.bottom) + width);
    return bounds;
}
