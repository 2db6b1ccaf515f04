#include "graphics/VxCloseFigure.h"

#include "platform/framework/TkStrings.h"
#include "platform/gdi/TkDC.h"

TK_IMPLEMENT_SERIAL(CVxCloseFigure, CVxGraphic, 0)

namespace {
constexpr unsigned kTypeNameId = 5025;  // "Close Figure"
}

CVxCloseFigure::CVxCloseFigure(const RECT& rect) : CVxGraphic(rect) {}

std::string CVxCloseFigure::GetTypeName() const
{
    return TkLoadString(kTypeNameId);
}

void CVxCloseFigure::DrawShape(CTkDC* pDC, BOOL bContinue)
{
    if (bContinue)
        pDC->CloseFigure();
}

std::unique_ptr<CVxGraphic> CVxCloseFigure::Clone()
{
    return CloneAs<CVxCloseFigure>();
}
