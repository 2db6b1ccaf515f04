#include "attributes/pages/VxPropertyPage.h"

#include "attributes/VxPropertyOwner.h"
#include "attributes/pages/VxPropertySheet.h"
#include "platform/framework/TkMessageService.h"
#include "platform/framework/TkStrings.h"
#include "resources/VxResourceIds.h"

#include <QLineEdit>

#include <string>
#include <utility>

CVxPropertyPage::CVxPropertyPage(unsigned nIdTemplate) : m_nIdTemplate(nIdTemplate) {}

CVxPropertyPage::~CVxPropertyPage() = default;

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

bool CVxPropertyPage::ReadIntegerField(QLineEdit* pField, int nMin, int nMax, int& nValue)
{
    bool bOk = false;
    const int n = pField->text().trimmed().toInt(&bOk);
    if (bOk && n >= nMin && n <= nMax) {
        nValue = n;
        return true;
    }
    TkGetMessageService().ShowMessage(IDS_ENTER_INTEGER, MB_OK | MB_ICONEXCLAMATION,
                                      {std::to_string(nMin), std::to_string(nMax)});
    pField->setFocus();
    pField->selectAll();
    return false;
}

void CVxPropertyPage::LoadValues(const CVxGraphicProperty& property,
                                 std::unique_ptr<CVxGraphicProperty> pUnset)
{
    const IVxPropertyOwner* pOwner = property.GetOwner();
    m_pDocument = pOwner ? pOwner->GetOwnerDocument() : nullptr;
    m_pShown = property.Clone();
    m_pUserValues = std::move(pUnset);
}

bool CVxPropertyPage::RunColorDialog(COLORREF& color) const
{
    const CVxPropertySheet* pSheet = GetSheet();
    return pSheet && pSheet->RunColorDialog(color);
}
