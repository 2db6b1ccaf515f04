#include "graphics/VxLine.h"

#include "platform/framework/TkStrings.h"
#include "platform/gdi/TkDC.h"

TK_IMPLEMENT_SERIAL(CVxLine, CVxGraphicWithOutline, 0)

namespace {
constexpr unsigned kTypeNameId = 5012;  // "Line"
}

CVxLine::CVxLine(const RECT& rect) : CVxGraphicWithOutline(rect) {}

std::string CVxLine::GetTypeName() const
{
    return TkLoadString(kTypeNameId);
}

void CVxLine::DrawShape(CTkDC* pDC, BOOL bContinue)
{
    if (!bContinue)
        pDC->MoveTo(m_rect.left, m_rect.top);
    pDC->LineTo(m_rect.right, m_rect.bottom);
}

std::unique_ptr<CVxGraphic> CVxLine::Clone()
{
    return CloneAs<CVxLine>();
}
