#include "editing/VxPictureManipulator.h"

#include "graphics/VxPicture.h"
#include "graphics/VxShapeDrawing.h"
#include "platform/framework/TkSettings.h"

CVxPictureManipulator::CVxPictureManipulator(CVxPicture& picture, IVxToolView& view)
    : CVxGraphicManipulator(picture, view), m_pPicture(&picture)
{
}

int CVxPictureManipulator::GetFirstHandle() const
{
    return m_pPicture->HasNoChildren() ? VX_HANDLE_NONE : 0;
}

int CVxPictureManipulator::GetLastHandle() const
{
    return m_pPicture->HasNoChildren() ? VX_HANDLE_NONE - 1 : VX_HANDLE_BOTTOM_RIGHT;
}

bool CVxPictureManipulator::IsValidHandle(int nHandle) const
{
    return nHandle <= VX_HANDLE_BOTTOM_RIGHT;
}

void CVxPictureManipulator::DrawDragFeedback(CTkDC& dc)
{
    if (GetDragMode() != kDragOutline) {
        CVxGraphicManipulator::DrawDragFeedback(dc);
        return;
    }
    const ITkSettings& settings = TkGetSettings();
    const int nCount = m_pPicture->GetChildCount();
    if (nCount < settings.GetProfileInt("Application", "DragObjectRectsThreshold", 5)) {
        CVxGraphicManipulator::DrawDragFeedback(dc);
        return;
    }
    if (nCount >= settings.GetProfileInt("Application", "DragPictureRectThreshold", 10)) {
        VxDrawOutlineRect(&dc, m_pPicture->GetBounds());
        return;
    }
    auto pos = m_pPicture->GetFirstChildPosition();
    while (pos) VxDrawOutlineRect(&dc, m_pPicture->GetNextChild(pos)->GetBounds());
}
