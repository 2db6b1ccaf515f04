#include "attributes/pages/VxBrushPropertyPage.h"

#include "attributes/VxGlobalGraphicProperty.h"
#include "attributes/VxPenGraphicProperty.h"
#include "attributes/pages/VxColorButton.h"
#include "attributes/pages/VxGlobalPropertyPage.h"
#include "attributes/pages/VxPageSample.h"
#include "attributes/pages/VxPropertySheet.h"
#include "graphics/VxRectangle.h"
#include "resources/VxResourceIds.h"

#include <QComboBox>
#include <QFormLayout>

namespace {
using B = CVxBrushGraphicProperty;

// In the order of the view's fill patterns (the fill commands).
constexpr const char* kPatterns[] = {"Solid",          "Hollow",           "Horizontal",       "Vertical",
                                     "Forward Diagonal", "Backward Diagonal", "Cross",          "Diagonal Cross",
                                     "Bitmap Pattern 1", "Bitmap Pattern 2"};

bool HatchMatters(UINT nStyle) { return nStyle != BS_SOLID && nStyle != BS_HOLLOW; }
}  // namespace

CVxBrushPropertyPage::CVxBrushPropertyPage(const CVxBrushGraphicProperty& brush)
    : CVxPropertyPage(IDD_FILL_PAGE),
      m_pPattern(new QComboBox(this)),
      m_pColor(new CVxColorButton(tr("&Color..."), this)),
      m_pSample(nullptr)
{
    LoadValues(brush, std::make_unique<B>(TRUE));
    m_pPattern->setObjectName(QString::number(IDC_FILL_PATTERN));
    m_pColor->setObjectName(QString::number(IDC_FILL_COLOR));
    m_pSample = new CVxPageSample([this](const VxSampleArea& area) { return BuildSample(area); },
                                  GetDocument(), this);
    m_pSample->setObjectName(QString::number(IDC_FILL_SAMPLE));
    for (const char* pszPattern : kPatterns) m_pPattern->addItem(tr(pszPattern));
    m_pPattern->setCurrentIndex(-1);
    if (IsDefined<B>(B::Color)) m_pColor->SetColor(Shown<B>().GetColor());
    OnValuesChanged();

    auto* pLayout = new QFormLayout(this);
    pLayout->addRow(tr("&Pattern:"), m_pPattern);
    pLayout->addRow(QString(), m_pColor);
    pLayout->addRow(tr("Sample:"), m_pSample);

    connect(m_pPattern, &QComboBox::activated, this, [this](int n) { OnPatternSelected(n); });
    connect(m_pColor, &QPushButton::clicked, this, [this] { OnColorClicked(); });
}

void CVxBrushPropertyPage::OnInitPage()
{
    // The view's patterns are known once the page is on its sheet.
    m_pPattern->setCurrentIndex(FindPattern());
}

int CVxBrushPropertyPage::FindPattern() const
{
    const CVxPropertySheet* pSheet = GetSheet();
    const CTkPalette<LOGBRUSH>* pPatterns = pSheet ? pSheet->GetFillPalette() : nullptr;
    if (!pPatterns || !IsDefined<B>(B::Style)) return -1;
    const B& shown = Shown<B>();
    for (int i = 0; i < int(std::size(kPatterns)) && i < pPatterns->GetCount(); ++i) {
        if (pPatterns->IsFree(i)) continue;
        const LOGBRUSH entry = pPatterns->GetAt(i);
        if (entry.lbStyle != shown.GetStyle()) continue;
        if (!HatchMatters(entry.lbStyle) || (IsDefined<B>(B::Hatch) && entry.lbHatch == shown.GetHatch()))
            return i;
    }
    return -1;
}

void CVxBrushPropertyPage::OnPatternSelected(int nIndex)
{
    const CVxPropertySheet* pSheet = GetSheet();
    const CTkPalette<LOGBRUSH>* pPatterns = pSheet ? pSheet->GetFillPalette() : nullptr;
    if (!pPatterns || nIndex < 0) return;
    const LOGBRUSH entry = pPatterns->GetAt(nIndex < int(std::size(kPatterns)) ? nIndex : 0);
    SetValue<B>(B::Style, [&](B& brush) { brush.SetStyle(entry.lbStyle); });
    if (HatchMatters(entry.lbStyle)) SetValue<B>(B::Hatch, [&](B& brush) { brush.SetHatch(entry.lbHatch); });
}

void CVxBrushPropertyPage::OnColorClicked()
{
    COLORREF color = IsDefined<B>(B::Color) ? Shown<B>().GetColor() : RGB(0, 0, 0);
    if (!RunColorDialog(color)) return;
    SetValue<B>(B::Color, [&](B& brush) { brush.SetColor(color); });
}

void CVxBrushPropertyPage::OnValuesChanged()
{
    const B& shown = Shown<B>();
    if (IsDefined<B>(B::Color)) m_pColor->SetColor(shown.GetColor());
    m_pColor->SetSolidFlag(shown.IsSolidColor());
    // A hollow fill has no colour to choose.
    m_pColor->setEnabled(!IsDefined<B>(B::Style) || shown.GetStyle() != BS_HOLLOW);
    m_pSample->update();
}

std::unique_ptr<CVxGraphic> CVxBrushPropertyPage::BuildSample(const VxSampleArea& area) const
{
    const B& shown = Shown<B>();
    const bool bHatch = IsDefined<B>(B::Hatch) || (IsDefined<B>(B::Style) && !HatchMatters(shown.GetStyle()));
    if (!IsDefined<B>(B::Style) || !bHatch || !IsDefined<B>(B::Color)) return nullptr;
    auto pRect = std::make_unique<CVxRectangle>(area.rcInside);
    if (auto* pPen = dynamic_cast<CVxPenGraphicProperty*>(pRect->LookupProperty("Pen")))
        pPen->SetStyle(PS_NULL);
    B fill(FALSE);
    fill.SetStyle(shown.GetStyle());
    fill.SetColor(shown.GetColor());
    fill.SetHatch(IsDefined<B>(B::Hatch) ? shown.GetHatch() : 0);
    pRect->ApplyProperty(fill);
    CVxGlobalPropertyPage::SetSampleBackground(*this, *pRect);
    // The set bits of a bitmap pattern take the text colour.
    if (auto* pGlobal = dynamic_cast<CVxGlobalGraphicProperty*>(pRect->LookupProperty("Global")))
        if (shown.GetStyle() == BS_PATTERN) pGlobal->SetTextColor(shown.GetColor());
    return pRect;
}
