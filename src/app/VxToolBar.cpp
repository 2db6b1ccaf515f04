#include "app/VxToolBar.h"

#include "app/VxCommandActions.h"
#include "app/VxToolBarImages.h"
#include "platform/framework/TkStrings.h"
#include "resources/VxResourceIds.h"

#include <QAction>

CVxToolBar::CVxToolBar(const VxToolBarLayout& layout, CVxCommandActions& actions,
                       const ControlFactory& makeControl, QWidget* pParent)
    : QToolBar(QString::fromStdString(TkLoadString(layout.nTitleId)), pParent),
      m_layout(layout),
      m_actions(actions)
{
    // The name Qt's saved layout knows the bar by.
    setObjectName(QString::number(layout.nFrameId));
    setAllowedAreas(layout.bTopBottomOnly ? Qt::TopToolBarArea | Qt::BottomToolBarArea
                                          : Qt::AllToolBarAreas);
    for (unsigned nID : layout.buttons) {
        if (nID == 0) {
            addSeparator();
        } else if (nID >= IDC_FONT_FACE_NAME && nID <= IDC_CUSTOM_ZOOM) {
            if (QWidget* pControl = makeControl(nID, *this)) addWidget(pControl);
        } else {
            QAction& action = actions.GetOrMakeAction(nID);
            if (action.icon().isNull()) action.setIcon(VxToolBarIcon(nID));
            addAction(&action);
        }
    }
    ApplyButtonSize(false);
}

void CVxToolBar::ApplyButtonSize(bool bLarge)
{
    m_bLarge = bLarge;
    const int nImage = bLarge ? 24 : 16;
    setIconSize(QSize(nImage, nImage));
}

QAction* CVxToolBar::ActionOf(unsigned nID) const
{
    return m_actions.GetAction(nID);
}

QWidget* CVxToolBar::GetButton(unsigned nID) const
{
    QAction* pAction = m_actions.GetAction(nID);
    return pAction ? widgetForAction(pAction) : nullptr;
}
