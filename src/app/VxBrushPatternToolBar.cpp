#include "app/VxBrushPatternToolBar.h"

#include "app/VxToolBarImages.h"
#include "resources/VxResourceIds.h"

#include <QAction>

void CVxBrushPatternToolBar::SetPaletteBrush(unsigned nID, const LOGBRUSH& brush)
{
    if (nID < ID_FILL_FIRST || nID > ID_FILL_LAST) return;
    if (QAction* pAction = ActionOf(nID)) pAction->setIcon(VxFillIcon(brush));
}
