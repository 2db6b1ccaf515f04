#include "app/VxColorToolBar.h"

#include "app/VxToolBarImages.h"
#include "resources/VxResourceIds.h"

#include <QAction>

namespace {

bool IsTarget(unsigned nID)
{
    return nID >= ID_COLOR_TARGET_LINE && nID <= ID_COLOR_TARGET_BACKGROUND;
}

}  // namespace

void CVxColorToolBar::SetTargetColor(unsigned nID, COLORREF color)
{
    if (!IsTarget(nID)) return;
    m_targetColors[nID - ID_COLOR_TARGET_LINE] = color;
    if (QAction* pAction = ActionOf(nID)) pAction->setIcon(VxColorTargetIcon(nID, color));
}

COLORREF CVxColorToolBar::GetTargetColor(unsigned nID) const
{
    return IsTarget(nID) ? m_targetColors[nID - ID_COLOR_TARGET_LINE] : 0;
}

void CVxColorToolBar::SetTargetSolidFlag(unsigned nID, bool bSolid)
{
    if (IsTarget(nID)) m_solidFlags[nID - ID_COLOR_TARGET_LINE] = bSolid;
}

void CVxColorToolBar::SetCurrentTarget(unsigned nID)
{
    if (IsTarget(nID)) m_nCurrentTarget = nID;
}

void CVxColorToolBar::SetPaletteColor(unsigned nID, COLORREF color)
{
    if (nID < ID_COLOR_FIRST || nID > ID_COLOR_LAST) return;
    if (QAction* pAction = ActionOf(nID)) pAction->setIcon(VxColorSwatchIcon(color));
}
