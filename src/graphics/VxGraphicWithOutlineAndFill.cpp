#include "graphics/VxGraphicWithOutlineAndFill.h"

#include "attributes/VxBrushGraphicProperty.h"

TK_IMPLEMENT_DYNAMIC(CVxGraphicWithOutlineAndFill, CVxGraphicWithOutline)

CVxGraphicWithOutlineAndFill::CVxGraphicWithOutlineAndFill() = default;

CVxGraphicWithOutlineAndFill::CVxGraphicWithOutlineAndFill(const RECT& rect)
    : CVxGraphicWithOutline(rect)
{
    m_properties.SetAt(std::make_unique<CVxBrushGraphicProperty>());
}
