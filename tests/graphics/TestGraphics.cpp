#include "TestGraphics.h"

#include "graphics/VxGeometry.h"
#include "platform/gdi/TkDC.h"

TK_IMPLEMENT_DYNAMIC(CTestPlain, CVxGraphic)
TK_IMPLEMENT_DYNAMIC(CTestPoints, CVxGraphicWithOutline)

CTestPlain::~CTestPlain()
{
    if (m_pDestroyed)
        m_pDestroyed->push_back(m_nId);
}

CTestPoints::CTestPoints(std::vector<POINT> points)
    : CVxGraphicWithOutline(VxBoundsOf(points)), m_points(std::move(points))
{
}

POINT CTestPoints::GetHandlePoint(int nHandle)
{
    const int i = HandleToPointIndex(nHandle);
    return i >= 0 && i < int(m_points.size()) ? m_points[i] : CVxGraphic::GetHandlePoint(nHandle);
}

void CTestPoints::MoveHandle(int nHandle, POINT point)
{
    const int i = HandleToPointIndex(nHandle);
    if (i < 0 || i >= int(m_points.size())) {
        CVxGraphic::MoveHandle(nHandle, point);
        return;
    }
    m_points[i] = point;
    m_rect = VxBoundsOf(m_points);
}
