#include "graphics/VxClosedArc.h"

#include "attributes/VxBrushGraphicProperty.h"
#include "platform/framework/TkArchive.h"
#include "platform/gdi/TkDC.h"

TK_IMPLEMENT_DYNAMIC(CVxClosedArc, CVxArc)

CVxClosedArc::CVxClosedArc(const RECT& rect) : CVxArc(rect)
{
    AddFill();
}

CVxClosedArc::CVxClosedArc(const RECT& rect, POINT ptStart, POINT ptEnd)
    : CVxArc(rect, ptStart, ptEnd, FALSE, POINT{0, 0})
{
    AddFill();
}

void CVxClosedArc::AddFill()
{
    m_properties.SetAt(std::make_unique<CVxBrushGraphicProperty>());
}

void CVxClosedArc::Serialize(CTkArchive& ar)
{
    CVxArc::Serialize(ar);
    if (!ar.IsStoring() && IsArcTo())
        throw CTkArchiveException(CTkArchiveException::generic);
}

void CVxClosedArc::DrawShape(CTkDC* pDC, BOOL /*bContinue*/)
{
    const RECT b = SelectArcGeometry(pDC);
    const POINT start = GetArcStart();
    const POINT end = GetArcEnd();
    (pDC->*GetDrawCall())(b.left, b.top, b.right, b.bottom, start.x, start.y, end.x, end.y);
}
