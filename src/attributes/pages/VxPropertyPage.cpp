#include "attributes/pages/VxPropertyPage.h"

#include "attributes/pages/VxPropertySheet.h"
#include "platform/framework/TkStrings.h"

CVxPropertyPage::CVxPropertyPage(unsigned nIdTemplate) : m_nIdTemplate(nIdTemplate) {}

QString CVxPropertyPage::GetCaption() const
{
    return QString::fromStdString(TkLoadString(m_nIdTemplate));
}

CVxPropertySheet* CVxPropertyPage::GetSheet() const
{
    for (QWidget* pParent = parentWidget(); pParent; pParent = pParent->parentWidget()) {
        if (auto* pSheet = dynamic_cast<CVxPropertySheet*>(pParent)) return pSheet;
    }
    return nullptr;
}
