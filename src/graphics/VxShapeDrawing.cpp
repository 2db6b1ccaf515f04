#include "graphics/VxShapeDrawing.h"

#include "graphics/VxGeometry.h"
#include "platform/gdi/TkDC.h"
#include "platform/gdi/TkEnhMetaFileRecorder.h"
#include "platform/gdi/TkGdiObjects.h"

RECT VxBoxForContext(CTkDC* pDC, const RECT& box)
{
    // The recorder only trims in the compatible graphics mode; undo exactly that.
    if (pDC->GetObjectType() != OBJ_ENHMETADC || pDC->GetGraphicsMode() != GM_COMPATIBLE)
        return box;
    const SIZE unit = TkDeviceUnitInLogical(*pDC);
    RECT adjusted = box;
    adjusted.right = VxClampToInt(std::int64_t(box.right) + unit.cx);
    adjusted.bottom = VxClampToInt(std::int64_t(box.bottom) + unit.cy);
    return adjusted;
}

void VxDrawOutlineRect(CTkDC* pDC, const RECT& rect)
{
    const HPEN hPen = CreatePen(PS_DOT, 0, RGB(255, 255, 255));
    const int oldRop = pDC->SetROP2(R2_XORPEN);
    const int oldBkMode = pDC->SetBkMode(TRANSPARENT);
    const HGDIOBJ hOldPen = pDC->SelectObject(hPen);
    const HGDIOBJ hOldBrush = pDC->SelectObject(GetStockObject(NULL_BRUSH));
    pDC->Rectangle(rect.left, rect.top, rect.right, rect.bottom);
    pDC->SelectObject(hOldBrush);
    pDC->SelectObject(hOldPen);
    pDC->SetBkMode(oldBkMode);
    pDC->SetROP2(oldRop);
    DeleteObject(hPen);
}
