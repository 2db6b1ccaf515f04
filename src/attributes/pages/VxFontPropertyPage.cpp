#include "attributes/pages/VxFontPropertyPage.h"

#include "attributes/VxDocumentContext.h"
#include "attributes/VxGlobalGraphicProperty.h"
#include "attributes/pages/VxColorButton.h"
#include "attributes/pages/VxFontDialog.h"
#include "attributes/pages/VxGlobalPropertyPage.h"
#include "attributes/pages/VxPageSample.h"
#include "attributes/pages/VxPropertySheet.h"
#include "document/VxDoc.h"
#include "graphics/VxText.h"
#include "platform/framework/TkMessageService.h"
#include "platform/gdi/TkDC.h"
#include "platform/gdi/TkFontMetrics.h"
#include "resources/VxResourceIds.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

using Font = CVxFontGraphicProperty;
using G = CVxGlobalGraphicProperty;

constexpr const char16_t* kSampleText = u"AaBbYyZz";
constexpr UINT kHorizontal[3] = {TA_LEFT, TA_CENTER, TA_RIGHT};

// Screen pixels at actual size per picture unit, vertically: the document's
// page on the fixed reference display.
double PixelsPerUnitY(const CVxDocumentContext* pDocument)
{
    if (!pDocument) return 1.0;
    CTkDC reference;
    return CVxDoc::GetDeviceUnitsPerMetre(&reference).cy / 100.0 / pDocument->GetUnitsPerCm().y;
}

template <typename T>
T* Named(T* pWidget, unsigned nId)
{
    pWidget->setObjectName(QString::number(nId));
    return pWidget;
}

}  // namespace

CVxFontPropertyPage::CVxFontPropertyPage(const CVxFontGraphicProperty& font)
    : CVxPropertyPage(IDD_TEXT_PAGE),
      m_pRotation(Named(new QLineEdit(this), IDC_TEXT_ROTATION)),
      m_pColor(Named(new CVxColorButton(tr("C&olor..."), this), IDC_TEXT_COLOR)),
      m_pAlign{Named(new QRadioButton(tr("&Left"), this), IDC_TEXT_ALIGN_LEFT),
               Named(new QRadioButton(tr("&Center"), this), IDC_TEXT_ALIGN_CENTER),
               Named(new QRadioButton(tr("&Right"), this), IDC_TEXT_ALIGN_RIGHT)},
      m_pSample(nullptr)
{
    LoadValues(font, std::make_unique<Font>(TRUE));
    m_pSample = Named(new CVxPageSample([this](const VxSampleArea& area) { return BuildSample(area); },
                                        GetDocument(), this),
                      IDC_TEXT_SAMPLE);
    m_pColor->SetSolidFlag(TRUE);
    if (IsDefined<Font>(Font::Escapement))
        m_pRotation->setText(QString::number(Shown<Font>().GetLogFont().lfEscapement / 10));
    m_bRotationWasEmpty = m_pRotation->text().isEmpty();

    auto* pFont = Named(new QPushButton(tr("&Font..."), this), IDC_TEXT_FONT);
    auto* pUp = Named(new QToolButton(this), IDC_TEXT_ROTATION_SPIN);
    auto* pDown = new QToolButton(this);
    pUp->setArrowType(Qt::UpArrow);
    pDown->setArrowType(Qt::DownArrow);
    auto* pAlignBox = new QGroupBox(tr("Align"), this);
    auto* pAlignLayout = new QVBoxLayout(pAlignBox);
    auto* pAlignGroup = new QButtonGroup(pAlignBox);
    for (int i = 0; i < 3; ++i) {
        m_pAlign[i]->setParent(pAlignBox);
        pAlignLayout->addWidget(m_pAlign[i]);
        pAlignGroup->addButton(m_pAlign[i]);
        connect(m_pAlign[i], &QRadioButton::clicked, this, [this, i] { OnAlign(kHorizontal[i]); });
    }
    auto* pLayout = new QGridLayout(this);
    pLayout->addWidget(pFont, 0, 0);
    pLayout->addWidget(m_pColor, 0, 1, 1, 3);
    pLayout->addWidget(pAlignBox, 1, 0, 2, 1);
    auto* pRotationLabel = new QLabel(tr("Ro&tation (degrees):"), this);
    pRotationLabel->setBuddy(m_pRotation);
    pLayout->addWidget(pRotationLabel, 1, 1, 1, 3);
    pLayout->addWidget(m_pRotation, 2, 1);
    pLayout->addWidget(pUp, 2, 2);
    pLayout->addWidget(pDown, 2, 3);
    pLayout->addWidget(new QLabel(tr("Sample:"), this), 3, 0);
    pLayout->addWidget(m_pSample, 4, 0, 1, 4);
    pLayout->setRowStretch(4, 1);

    connect(pFont, &QPushButton::clicked, this, [this] { OnFont(); });
    connect(m_pColor, &QPushButton::clicked, this, [this] { OnColor(); });
    connect(m_pRotation, &QLineEdit::textEdited, this, [this] { OnRotationEdited(); });
    for (auto [pButton, nStep] : {std::pair{pUp, 1}, std::pair{pDown, -1}}) {
        pButton->setAutoRepeat(true);
        connect(pButton, &QToolButton::clicked, this, [this, nStep = nStep] { StepRotation(nStep); });
    }
}

CVxGlobalPropertyPage* CVxFontPropertyPage::OtherPage() const
{
    CVxPropertySheet* pSheet = GetSheet();
    return pSheet ? dynamic_cast<CVxGlobalPropertyPage*>(pSheet->FindPage(IDD_OTHER_PAGE)) : nullptr;
}

void CVxFontPropertyPage::ShowOtherValues()
{
    const CVxGlobalPropertyPage* pOther = OtherPage();
    const G* pGlobal = pOther ? &pOther->GetValues() : nullptr;
    const bool bAlign = pGlobal && pGlobal->GetState(G::TextAlign) == VX_STATE_DEFINED;
    for (int i = 0; i < 3; ++i) {
        const bool bChecked = bAlign && (pGlobal->GetTextAlign() & TA_CENTER) == kHorizontal[i];
        // Mixed: none of the three.
        m_pAlign[i]->group()->setExclusive(false);
        m_pAlign[i]->setChecked(bChecked);
        m_pAlign[i]->group()->setExclusive(true);
    }
    if (pGlobal && pGlobal->GetState(G::TextColor) == VX_STATE_DEFINED)
        m_pColor->SetColor(pGlobal->GetTextColor());
    m_pSample->update();
}

void CVxFontPropertyPage::showEvent(QShowEvent* pEvent)
{
    ShowOtherValues();
    CVxPropertyPage::showEvent(pEvent);
}

void CVxFontPropertyPage::OnValuesChanged() { m_pSample->update(); }

void CVxFontPropertyPage::OnAlign(UINT nHorizontal)
{
    CVxGlobalPropertyPage* pOther = OtherPage();
    if (!pOther) return;
    const G& global = pOther->GetValues();
    // The vertical bits stay; mixed ones take the baseline, as new texts do.
    const UINT nRest = global.GetState(G::TextAlign) == VX_STATE_DEFINED
                           ? global.GetTextAlign() & ~TA_CENTER
                           : TA_BASELINE;
    pOther->SetTextAlign(nRest | nHorizontal);
    m_pSample->update();
}

void CVxFontPropertyPage::OnColor()
{
    CVxGlobalPropertyPage* pOther = OtherPage();
    if (!pOther) return;
    const G& global = pOther->GetValues();
    COLORREF color = global.GetState(G::TextColor) == VX_STATE_DEFINED ? global.GetTextColor() : 0;
    if (!RunColorDialog(color)) return;
    pOther->SetTextColor(color);
    m_pColor->SetColor(color);
    m_pSample->update();
}

// A number is taken as it is typed, reduced to a turn; what is not a number
// is not applied.
void CVxFontPropertyPage::OnRotationEdited()
{
    const QString text = m_pRotation->text();
    bool bOk = false;
    const int n = text.trimmed().toInt(&bOk);
    if (!bOk) {
        ForgetValue<Font>(Font::Escapement);
        return;
    }
    const int nDegrees = std::clamp(n % 360, -kMaxDegrees, kMaxDegrees);
    SetValue<Font>(Font::Escapement, [&](Font& font) { font.SetEscapement(nDegrees * 10); });
    const QString shown = QString::number(nDegrees);
    if (shown != text) {
        const int nCursor = m_pRotation->cursorPosition();
        m_pRotation->setText(shown);
        m_pRotation->setCursorPosition(std::min<int>(nCursor, shown.size()));
    }
}

void CVxFontPropertyPage::StepRotation(int nStep)
{
    bool bOk = false;
    const int n = m_pRotation->text().trimmed().toInt(&bOk);
    m_pRotation->setText(QString::number(std::clamp((bOk ? n : 0) + nStep, -kMaxDegrees, kMaxDegrees)));
    m_pRotation->setModified(true);
    OnRotationEdited();
}

bool CVxFontPropertyPage::OnKillActive()
{
    // A field left empty as it came (mixed rotations) keeps each rotation.
    if (!m_pRotation->isModified() || IsDefined<Font>(Font::Escapement) ||
        (m_bRotationWasEmpty && m_pRotation->text().trimmed().isEmpty()))
        return true;
    int nDegrees = 0;
    return ReadIntegerField(m_pRotation, -kMaxDegrees, kMaxDegrees, nDegrees);
}

void CVxFontPropertyPage::OnFont()
{
    VxFontDialogData data;
    data.logFont = Shown<Font>().GetLogFont();
    for (int v = 0; v < Font::ValueCount; ++v)
        data.states[v] = IsDefined<Font>(Font::Value(v)) ? VX_STATE_DEFINED : VX_STATE_NONE;
    data.logFont.lfHeight = LONG(std::lround(data.logFont.lfHeight * PixelsPerUnitY(GetDocument())));
    data.strSample = QString::fromUtf16(kSampleText);
    CVxFontDialog dialog(data, this);
    if (dialog.DoModal() != IDOK) return;
    const VxFontDialogData result = dialog.GetData();
    const LOGFONTW& lf = result.logFont;
    auto set = [&](Font::Value v, auto apply) {
        if (result.states[v] == VX_STATE_DEFINED) SetValue<Font>(v, apply);
    };
    set(Font::FaceName, [&](Font& font) {
        const auto* pEnd = std::find(lf.lfFaceName, lf.lfFaceName + LF_FACESIZE, u'\0');
        font.SetFaceName(std::u16string(lf.lfFaceName, pEnd));
    });
    // Whole points straight to picture units, not through rounded pixels.
    const CVxDocumentContext* pDocument = GetDocument();
    const LONG nHeight = pDocument ? -pDocument->PointsToLogicalY(result.nPointSize) : lf.lfHeight;
    set(Font::Height, [&](Font& font) { font.SetHeight(nHeight); });
    set(Font::Weight, [&](Font& font) { font.SetWeight(lf.lfWeight); });
    set(Font::Italic, [&](Font& font) { font.SetItalic(lf.lfItalic); });
    set(Font::Underline, [&](Font& font) { font.SetUnderline(lf.lfUnderline); });
    set(Font::StrikeOut, [&](Font& font) { font.SetStrikeOut(lf.lfStrikeOut); });
}

std::unique_ptr<CVxGraphic> CVxFontPropertyPage::BuildSample(const VxSampleArea& area) const
{
    const CVxGlobalPropertyPage* pOther = OtherPage();
    if (!pOther) return nullptr;
    const G& global = pOther->GetValues();
    for (int v = 0; v < Font::ValueCount; ++v) {
        if (!IsDefined<Font>(Font::Value(v))) return nullptr;
    }
    if (global.GetState(G::TextColor) != VX_STATE_DEFINED ||
        global.GetState(G::TextAlign) != VX_STATE_DEFINED)
        return nullptr;
    const LOGFONTW& lf = Shown<Font>().GetLogFont();
    const UINT nHorizontal = global.GetTextAlign() & TA_CENTER;
    const RECT& rc = area.rcInset;
    const int x = nHorizontal == TA_CENTER ? (rc.left + rc.right) / 2
                  : nHorizontal == TA_RIGHT ? rc.right
                                            : rc.left;
    // The character cell centred vertically.
    TEXTMETRICW tm{};
    if (ITkFontEngine* pEngine = TkGetFontEngine()) pEngine->GetTextMetrics(lf, &tm);
    const int y = (rc.top + rc.bottom) / 2 + tm.tmHeight / 2 - tm.tmDescent;
    auto pText = std::make_unique<CVxText>(kSampleText, x, y, 0, std::span<const INT>{}, RECT{});
    pText->ApplyProperty(Shown<Font>());
    if (auto* pGlobal = dynamic_cast<G*>(pText->LookupProperty("Global"))) {
        pGlobal->SetTextColor(global.GetTextColor());
        pGlobal->SetTextAlign(nHorizontal | TA_BASELINE);
    }
    CVxGlobalPropertyPage::SetSampleBackground(*this, *pText);
    return pText;
}
