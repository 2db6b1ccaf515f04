#include "attributes/pages/VxPropertySheet.h"

#include "attributes/pages/VxAttributePages.h"
#include "attributes/pages/VxPropertyPage.h"
#include "platform/framework/TkMessageService.h"
#include "platform/qt/TkQtModal.h"
#include "resources/VxResourceIds.h"

#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>
#include <utility>

CVxPropertySheet::CVxPropertySheet(std::function<void()> saveUndoState,
                                   const QString& strCaption, QWidget* pParent)
    : QDialog(pParent), m_pTabs(new QTabWidget(this)), m_saveUndoState(std::move(saveUndoState))
{
    setWindowTitle(strCaption);
    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(m_pTabs);
    pLayout->addWidget(pButtons);
}

namespace {

// Tabs stand in this order whatever order the selection's properties come in,
// so that the same page is always found in the same place.
int TabRank(unsigned nIdTemplate)
{
    constexpr unsigned kOrder[] = {IDD_LINE_PAGE,     IDD_FILL_PAGE,  IDD_TEXT_PAGE,
                                   IDD_POSITION_PAGE, IDD_OTHER_PAGE, IDD_PICTURE_PAGE};
    const auto* pFound = std::find(std::begin(kOrder), std::end(kOrder), nIdTemplate);
    return int(pFound - std::begin(kOrder));
}

}  // namespace

void CVxPropertySheet::AddPage(std::unique_ptr<CVxPropertyPage> pPage)
{
    const QString caption = pPage->GetCaption();
    const int nRank = TabRank(pPage->GetTemplateId());
    int nAt = 0;
    while (nAt < m_pTabs->count() &&
           TabRank(static_cast<CVxPropertyPage*>(m_pTabs->widget(nAt))->GetTemplateId()) <= nRank)
        ++nAt;
    // The tab widget takes the page as its child.
    CVxPropertyPage* pAdded = pPage.release();
    m_pTabs->insertTab(nAt, pAdded, caption);
    pAdded->OnInitPage();
}

CVxPropertyPage* CVxPropertySheet::FindPage(unsigned nIdTemplate) const
{
    for (int i = 0; i < m_pTabs->count(); ++i) {
        auto* pPage = static_cast<CVxPropertyPage*>(m_pTabs->widget(i));
        if (pPage->GetTemplateId() == nIdTemplate) return pPage;
    }
    return nullptr;
}

int CVxPropertySheet::GetPageCount() const
{
    return m_pTabs->count();
}

bool CVxPropertySheet::HasPage(unsigned nIdTemplate) const
{
    return FindPage(nIdTemplate) != nullptr;
}

void CVxPropertySheet::RemovePage(unsigned nIdTemplate)
{
    CVxPropertyPage* pPage = FindPage(nIdTemplate);
    if (!pPage) return;
    m_pTabs->removeTab(m_pTabs->indexOf(pPage));
    delete pPage;
}

void CVxPropertySheet::SaveUndoStateOnce()
{
    if (!m_saveUndoState || m_bUndoSaved) return;
    m_saveUndoState();
    m_bUndoSaved = true;
}

void CVxPropertySheet::AddPropertyPage(unsigned nIdTemplate, const CVxGraphicProperty& property)
{
    if (std::unique_ptr<CVxPropertyPage> pPage = VxCreateAttributePage(nIdTemplate, property))
        AddPage(std::move(pPage));
}

const CVxGraphicProperty* CVxPropertySheet::GetPageValues(unsigned nIdTemplate) const
{
    const CVxPropertyPage* pPage = FindPage(nIdTemplate);
    return pPage ? pPage->GetUserValues() : nullptr;
}

void CVxPropertySheet::SetActivePage(unsigned nIdTemplate)
{
    if (CVxPropertyPage* pPage = FindPage(nIdTemplate)) m_pTabs->setCurrentWidget(pPage);
}

unsigned CVxPropertySheet::GetActivePageId() const
{
    const auto* pPage = static_cast<const CVxPropertyPage*>(m_pTabs->currentWidget());
    return pPage ? pPage->GetTemplateId() : 0;
}

int CVxPropertySheet::DoModal()
{
    return TkRunModal(*this) == QDialog::Accepted ? IDOK : IDCANCEL;
}

void CVxPropertySheet::accept()
{
    for (int i = 0; i < m_pTabs->count(); ++i) {
        auto* pPage = static_cast<CVxPropertyPage*>(m_pTabs->widget(i));
        if (!pPage->OnKillActive()) {
            m_pTabs->setCurrentWidget(pPage);
            return;
        }
    }
    QDialog::accept();
}
