#include "attributes/pages/VxPropertySheet.h"

#include "attributes/pages/VxAttributePages.h"
#include "attributes/pages/VxPropertyPage.h"
#include "platform/framework/TkMessageService.h"
#include "platform/qt/TkQtModal.h"

#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

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

void CVxPropertySheet::AddPage(std::unique_ptr<CVxPropertyPage> pPage)
{
    const QString caption = pPage->GetCaption();
    // The tab widget takes the page as its child.
    CVxPropertyPage* pAdded = pPage.release();
    m_pTabs->addTab(pAdded, caption);
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
