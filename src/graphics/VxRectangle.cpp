#include "graphics/VxRectangle.h"

#include "graphics/VxShapeDrawing.h"
#include "platform/framework/TkStrings.h"
#include "platform/gdi/TkDC.h"

TK_IMPLEMENT_SERIAL(CVxRectangle, CVxGraphicWithOutlineAndFill, 0)

namespace {
constexpr unsigned kTypeNameId = 5014;  // "Rectangle"
}

CVxRectangle::CVxRectangle(const RECT& rect) : CVxGraphicWithOutlineAndFill(rect) {}

std::string CVxRectangle::GetTypeName() const
{
    return TkLoadString(kTypeNameId);
}

void CVxRectangle::DrawShape(CTkDC* pDC, BOOL /*bContinue*/)
{
    const RECT b = VxBoxForContext(pDC, GetNormalizedRect());
    pDC->Rectangle(b.left, b.top, b.right, b.bottom);
}

std::unique_ptr<CVxGraphic> CVxRectangle::Clone()
{
    return CloneAs<CVxRectangle>();
}
