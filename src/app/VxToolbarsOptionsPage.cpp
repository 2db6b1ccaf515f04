#include "app/VxToolbarsOptionsPage.h"

#include "resources/VxResourceIds.h"

#include <QCheckBox>
#include <QVBoxLayout>

CVxToolbarsOptionsPage::CVxToolbarsOptionsPage(const VxAppSettings& settings, bool bInPlace)
    : CVxPropertyPage(IDD_OPTIONS_TOOLBARS),
      m_pAutoWrap(new QCheckBox(tr("&Auto-wrap toolbars"), this)),
      m_pLargeButtons(new QCheckBox(tr("&Large buttons"), this))
{
    m_pAutoWrap->setObjectName(QString::number(IDC_AUTO_WRAP_TOOLBARS));
    m_pLargeButtons->setObjectName(QString::number(IDC_LARGE_BUTTONS));
    m_pAutoWrap->setChecked(settings.bAutoWrapToolBars);
    m_pAutoWrap->setEnabled(!bInPlace);
    m_pLargeButtons->setChecked(settings.bUseLargeToolBarButtons);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(m_pLargeButtons);
    pLayout->addWidget(m_pAutoWrap);
    pLayout->addStretch();
}

void CVxToolbarsOptionsPage::Read(VxAppSettings& settings) const
{
    settings.bUseLargeToolBarButtons = m_pLargeButtons->isChecked();
    // A disabled box keeps the value it was given.
    settings.bAutoWrapToolBars = m_pAutoWrap->isChecked();
}
