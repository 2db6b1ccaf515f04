#include "graphics/VxEllipse.h"

#include "graphics/VxShapeDrawing.h"
#include "platform/framework/TkStrings.h"
#include "platform/gdi/TkDC.h"

TK_IMPLEMENT_SERIAL(CVxEllipse, CVxGraphicWithOutlineAndFill, 0)

namespace {
constexpr unsigned kTypeNameId = 5015;  // "Ellipse"
}

CVxEllipse::CVxEllipse(const RECT& rect) : CVxGraphicWithOutlineAndFill(rect) {}

std::string CVxEllipse::GetTypeName() const
{
    return TkLoadString(kTypeNameId);
}

void CVxEllipse::DrawShape(CTkDC* pDC, BOOL /*bContinue*/)
{
    const RECT b = VxBoxForContext(pDC, GetNormalizedRect());
    pDC->Ellipse(b.left, b.top, b.right, b.bottom);
}

std::unique_ptr<CVxGraphic> CVxEllipse::Clone()
{
    return CloneAs<CVxEllipse>();
}
