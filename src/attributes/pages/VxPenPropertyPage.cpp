#include "attributes/pages/VxPenPropertyPage.h"

#include "attributes/pages/VxColorButton.h"
#include "attributes/pages/VxGlobalPropertyPage.h"
#include "attributes/pages/VxPageSample.h"
#include "attributes/pages/VxPropertySheet.h"
#include "graphics/VxLine.h"
#include "resources/VxResourceIds.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>

namespace {
using P = CVxPenGraphicProperty;

// In the order of the low four bits of the pen style.
constexpr const char* kStyles[] = {"Solid", "Dash", "Dot", "Dash Dot", "Dash Dot Dot", "No Line"};
}  // namespace

CVxPenPropertyPage::CVxPenPropertyPage(const CVxPenGraphicProperty& pen)
    : CVxPropertyPage(IDD_LINE_PAGE),
      m_pStyle(new QComboBox(this)),
      m_pWidth(new QLineEdit(this)),
      m_pColor(new CVxColorButton(tr("&Color..."), this)),
      m_pSample(nullptr)
{
    LoadValues(pen, std::make_unique<P>(TRUE));
    m_pStyle->setObjectName(QString::number(IDC_PEN_STYLE));
    m_pWidth->setObjectName(QString::number(IDC_PEN_WIDTH));
    m_pColor->setObjectName(QString::number(IDC_PEN_COLOR));
    m_pSample = new CVxPageSample([this](const VxSampleArea& area) { return BuildSample(area); },
                                  GetDocument(), this);
    m_pSample->setObjectName(QString::number(IDC_PEN_SAMPLE));
    for (const char* pszStyle : kStyles) m_pStyle->addItem(tr(pszStyle));

    const P& shown = Shown<P>();
    m_pStyle->setCurrentIndex(IsDefined<P>(P::Style) ? int(shown.GetStyle() & PS_STYLE_MASK) : -1);
    if (IsDefined<P>(P::Width)) m_pWidth->setText(QString::number(shown.GetWidth()));
    m_strLoadedWidth = m_pWidth->text();
    if (IsDefined<P>(P::Color)) m_pColor->SetColor(shown.GetColor());
    m_pColor->SetSolidFlag(shown.IsSolidColor());

    auto* pLayout = new QFormLayout(this);
    pLayout->addRow(tr("&Style:"), m_pStyle);
    pLayout->addRow(tr("&Width:"), m_pWidth);
    pLayout->addRow(QString(), m_pColor);
    pLayout->addRow(tr("Sample:"), m_pSample);

    connect(m_pStyle, &QComboBox::activated, this, [this](int n) { OnStyleSelected(n); });
    connect(m_pWidth, &QLineEdit::textEdited, this, [this](const QString& s) { OnWidthEdited(s); });
    connect(m_pColor, &QPushButton::clicked, this, [this] { OnColorClicked(); });
}

void CVxPenPropertyPage::OnStyleSelected(int nIndex)
{
    if (nIndex < 0) return;
    // The flags above the low four bits stay: they come from the metafile.
    const UINT nUpper = IsDefined<P>(P::Style) ? Shown<P>().GetStyle() & ~UINT(PS_STYLE_MASK) : 0;
    SetValue<P>(P::Style, [&](P& pen) { pen.SetStyle(nUpper | UINT(nIndex)); });
}

void CVxPenPropertyPage::OnWidthEdited(const QString& strText)
{
    bool bOk = false;
    const int nWidth = strText.trimmed().toInt(&bOk);
    if (bOk && nWidth >= 0 && nWidth <= kMaxWidth)
        SetValue<P>(P::Width, [&](P& pen) { pen.SetWidth(nWidth); });
    else
        ForgetValue<P>(P::Width);
}

void CVxPenPropertyPage::OnColorClicked()
{
    COLORREF color = IsDefined<P>(P::Color) ? Shown<P>().GetColor() : RGB(0, 0, 0);
    if (!RunColorDialog(color)) return;
    SetValue<P>(P::Color, [&](P& pen) { pen.SetColor(color); });
}

void CVxPenPropertyPage::OnValuesChanged()
{
    const P& shown = Shown<P>();
    if (IsDefined<P>(P::Color)) m_pColor->SetColor(shown.GetColor());
    m_pColor->SetSolidFlag(shown.IsSolidColor());
    m_pSample->update();
}

bool CVxPenPropertyPage::OnKillActive()
{
    // A field left as it was loaded (blank when mixed) sets nothing.
    if (m_pWidth->text() == m_strLoadedWidth) return true;
    int nWidth = 0;
    return ReadIntegerField(m_pWidth, 0, kMaxWidth, nWidth);
}

std::unique_ptr<CVxGraphic> CVxPenPropertyPage::BuildSample(const VxSampleArea& area) const
{
    if (!IsDefined<P>(P::Style) || !IsDefined<P>(P::Width) || !IsDefined<P>(P::Color)) return nullptr;
    const int y = (area.rcInside.top + area.rcInside.bottom) / 2;
    auto pLine = std::make_unique<CVxLine>(RECT{area.rcInset.left, y, area.rcInset.right, y});
    pLine->ApplyProperty(Shown<P>());
    CVxGlobalPropertyPage::SetSampleBackground(*this, *pLine);
    return pLine;
}
