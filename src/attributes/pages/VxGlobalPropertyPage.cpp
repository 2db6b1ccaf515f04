#include "attributes/pages/VxGlobalPropertyPage.h"

#include "attributes/pages/VxColorButton.h"
#include "attributes/pages/VxPropertySheet.h"
#include "graphics/VxGraphic.h"
#include "resources/VxResourceIds.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
using G = CVxGlobalGraphicProperty;

template <typename T>
T* Control(QWidget* pParent, unsigned nID, const QString& strText)
{
    auto* pControl = new T(strText, pParent);
    pControl->setObjectName(QString::number(nID));
    return pControl;
}

void SetGlobal(G& global, G::Value v, int n)
{
    if (v == G::BkMode)
        global.SetBkMode(n);
    else
        global.SetArcDirection(n);
}

int GetGlobal(const G& global, G::Value v)
{
    return v == G::BkMode ? global.GetBkMode() : global.GetArcDirection();
}
}  // namespace

CVxGlobalPropertyPage::CVxGlobalPropertyPage(const CVxGlobalGraphicProperty& global)
    : CVxPropertyPage(IDD_OTHER_PAGE),
      m_pTextColor(Control<CVxColorButton>(this, IDC_OTHER_TEXT_COLOR, tr("&Text and Bitmap Fill Color..."))),
      m_pBkColor(Control<CVxColorButton>(this, IDC_OTHER_BK_COLOR, tr("&Background Color...")))
{
    LoadValues(global, std::make_unique<G>(TRUE));
    // Both swatches show the nearest solid colour.
    m_pTextColor->SetSolidFlag(TRUE);
    m_pBkColor->SetSolidFlag(TRUE);
    OnValuesChanged();

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(m_pTextColor);
    pLayout->addWidget(m_pBkColor);
    AddChoice(pLayout, G::BkMode, Control<QRadioButton>(this, IDC_OTHER_TRANSPARENT, tr("T&ransparent")),
              TRANSPARENT, Control<QRadioButton>(this, IDC_OTHER_OPAQUE, tr("&Opaque")), OPAQUE);
    AddChoice(pLayout, G::ArcDirection, Control<QRadioButton>(this, IDC_OTHER_CLOCKWISE, tr("&Clockwise")),
              AD_CLOCKWISE, Control<QRadioButton>(this, IDC_OTHER_COUNTERCLOCKWISE, tr("Cou&nterclockwise")),
              AD_COUNTERCLOCKWISE);
    pLayout->addStretch();

    connect(m_pTextColor, &QPushButton::clicked, this, [this] { OnColorClicked(G::TextColor); });
    connect(m_pBkColor, &QPushButton::clicked, this, [this] { OnColorClicked(G::BkColor); });
}

void CVxGlobalPropertyPage::AddChoice(QBoxLayout* pLayout, G::Value v, QRadioButton* pFirst, int nFirst,
                                      QRadioButton* pSecond, int nSecond)
{
    auto* pBox = new QGroupBox(v == G::BkMode ? tr("Background Mode") : tr("Arc Direction"), this);
    auto* pBoxLayout = new QVBoxLayout(pBox);
    auto* pGroup = new QButtonGroup(pBox);
    for (auto [pButton, n] : {std::pair{pFirst, nFirst}, std::pair{pSecond, nSecond}}) {
        pButton->setParent(pBox);
        pBoxLayout->addWidget(pButton);
        pGroup->addButton(pButton);
        // Mixed: neither button.
        pButton->setChecked(IsDefined<G>(v) && GetGlobal(GetValues(), v) == n);
        connect(pButton, &QRadioButton::clicked, this,
                [this, v, n = n] { SetValue<G>(v, [&](G& global) { SetGlobal(global, v, n); }); });
    }
    pLayout->addWidget(pBox);
}

void CVxGlobalPropertyPage::OnColorClicked(G::Value v)
{
    const bool bText = v == G::TextColor;
    COLORREF color = 0;
    if (IsDefined<G>(v)) color = bText ? GetValues().GetTextColor() : GetValues().GetBkColor();
    if (!RunColorDialog(color)) return;
    SetValue<G>(v, [&](G& global) { bText ? global.SetTextColor(color) : global.SetBkColor(color); });
}

void CVxGlobalPropertyPage::SetTextColor(COLORREF color)
{
    SetValue<G>(G::TextColor, [&](G& global) { global.SetTextColor(color); });
}

void CVxGlobalPropertyPage::SetTextAlign(UINT nAlign)
{
    SetValue<G>(G::TextAlign, [&](G& global) { global.SetTextAlign(nAlign); });
}

void CVxGlobalPropertyPage::OnValuesChanged()
{
    if (IsDefined<G>(G::TextColor)) m_pTextColor->SetColor(GetValues().GetTextColor());
    if (IsDefined<G>(G::BkColor)) m_pBkColor->SetColor(GetValues().GetBkColor());
    // The samples of the other pages draw on this background.
    if (CVxPropertySheet* pSheet = GetSheet()) pSheet->update();
}

const CVxGlobalPropertyPage* CVxGlobalPropertyPage::Find(const CVxPropertyPage& page)
{
    const CVxPropertySheet* pSheet = page.GetSheet();
    return pSheet ? dynamic_cast<const CVxGlobalPropertyPage*>(pSheet->FindPage(IDD_OTHER_PAGE)) : nullptr;
}

void CVxGlobalPropertyPage::SetSampleBackground(const CVxPropertyPage& page, CVxGraphic& sample)
{
    auto* pGlobal = dynamic_cast<G*>(sample.LookupProperty("Global"));
    if (!pGlobal) return;
    const CVxGlobalPropertyPage* pOther = Find(page);
    const bool bColor = pOther && pOther->IsDefined<G>(G::BkColor);
    const bool bMode = pOther && pOther->IsDefined<G>(G::BkMode);
    pGlobal->SetBkColor(bColor ? pOther->GetValues().GetBkColor() : RGB(255, 255, 255));
    pGlobal->SetBkMode(bMode ? pOther->GetValues().GetBkMode() : OPAQUE);
}
