#include "attributes/pages/VxFontPropertyPage.h"

#include "attributes/VxDocumentContext.h"
#include "attributes/pages/VxFontDialog.h"
#include "document/VxDoc.h"
#include "platform/framework/TkMessageService.h"
#include "platform/gdi/TkDC.h"
#include "resources/VxResourceIds.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <algorithm>
#include <cmath>

namespace {

using Font = CVxFontGraphicProperty;

constexpr const char16_t* kSampleText = u"AaBbYyZz";

// Screen pixels at actual size per picture unit, vertically: the document's
// page on the fixed reference display.
double PixelsPerUnitY(const CVxDocumentContext* pContext)
{
    if (!pContext) return 1.0;
    CTkDC reference;
    return CVxDoc::GetDeviceUnitsPerMetre(&reference).cy / 100.0 / pContext->GetUnitsPerCm().y;
}

template <typename T>
T* Named(T* pWidget, unsigned nId)
{
    pWidget->setObjectName(QString::number(nId));
    return pWidget;
}

}  // namespace

CVxFontPropertyPage::CVxFontPropertyPage(const CVxFontGraphicProperty& shown,
                                         CVxDocumentContext* pContext)
    : CVxPropertyPage(IDD_TEXT_PAGE),
      m_pShown(std::make_unique<Font>()),
      m_pTouched(std::make_unique<Font>()),
      m_pContext(pContext),
      m_pRotation(Named(new QLineEdit(this), IDC_TEXT_ROTATION))
{
    m_pShown->SetLogFont(shown.GetLogFont());
    for (int v = 0; v < Font::ValueCount; ++v) {
        m_pShown->SetState(Font::Value(v), shown.GetState(Font::Value(v)));
        m_pTouched->SetState(Font::Value(v), VX_STATE_NONE);
    }
    auto* pFont = Named(new QPushButton(tr("&Font..."), this), IDC_TEXT_FONT);
    auto* pUp = Named(new QToolButton(this), IDC_TEXT_ROTATION_SPIN);
    auto* pDown = new QToolButton(this);
    pUp->setArrowType(Qt::UpArrow);
    pDown->setArrowType(Qt::DownArrow);
    for (QToolButton* pButton : {pUp, pDown}) pButton->setAutoRepeat(true);
    auto* pLayout = new QGridLayout(this);
    pLayout->addWidget(pFont, 0, 0);
    pLayout->addWidget(new QLabel(tr("Rotation (degrees):"), this), 1, 0);
    pLayout->addWidget(m_pRotation, 1, 1);
    pLayout->addWidget(pUp, 1, 2);
    pLayout->addWidget(pDown, 1, 3);
    pLayout->setRowStretch(2, 1);
    ShowRotation();
    m_bRotationWasEmpty = m_pRotation->text().isEmpty();
    connect(pFont, &QPushButton::clicked, this, [this] { OnFont(); });
    connect(m_pRotation, &QLineEdit::textEdited, this, [this] { OnRotationEdited(); });
    connect(pUp, &QToolButton::clicked, this, [this] { StepRotation(1); });
    connect(pDown, &QToolButton::clicked, this, [this] { StepRotation(-1); });
}

template <typename T, typename V>
void CVxFontPropertyPage::Touch(BOOL (CVxFontGraphicProperty::*pSet)(T), const V& value)
{
    (m_pShown.get()->*pSet)(value);
    (m_pTouched.get()->*pSet)(value);
}

void CVxFontPropertyPage::ShowRotation()
{
    const bool bDefined = m_pShown->GetState(Font::Escapement) == VX_STATE_DEFINED;
    m_pRotation->setText(bDefined ? QString::number(m_pShown->GetLogFont().lfEscapement / 10)
                                  : QString());
}

// A number is taken as it is typed, reduced to a turn; what is not a number
// is not applied.
void CVxFontPropertyPage::OnRotationEdited()
{
    const QString text = m_pRotation->text();
    bool bOk = false;
    const int n = text.trimmed().toInt(&bOk);
    if (!bOk) {
        m_pShown->SetState(Font::Escapement, VX_STATE_MIXED);
        m_pTouched->SetState(Font::Escapement, VX_STATE_NONE);
        UpdateSample();
        return;
    }
    const int nDegrees = std::clamp(n % 360, -kMaxDegrees, kMaxDegrees);
    Touch(&Font::SetEscapement, LONG(nDegrees * 10));
    const QString shown = QString::number(nDegrees);
    if (shown != text) {
        const int nCursor = m_pRotation->cursorPosition();
        m_pRotation->setText(shown);
        m_pRotation->setCursorPosition(std::min<int>(nCursor, shown.size()));
    }
    UpdateSample();
}

void CVxFontPropertyPage::StepRotation(int nStep)
{
    bool bOk = false;
    const int n = m_pRotation->text().trimmed().toInt(&bOk);
    const int nDegrees = std::clamp((bOk ? n : 0) + nStep, -kMaxDegrees, kMaxDegrees);
    m_pRotation->setText(QString::number(nDegrees));
    OnRotationEdited();
}

bool CVxFontPropertyPage::OnKillActive()
{
    const bool bNotApplied = m_pTouched->GetState(Font::Escapement) != VX_STATE_DEFINED;
    // A field left empty as it came (mixed rotations) keeps each rotation.
    if (!m_pRotation->isModified() || !bNotApplied ||
        (m_bRotationWasEmpty && m_pRotation->text().trimmed().isEmpty()))
        return true;
    TkGetMessageService().ShowMessage(IDS_ENTER_INTEGER, MB_OK | MB_ICONEXCLAMATION,
                                      {std::to_string(-kMaxDegrees), std::to_string(kMaxDegrees)});
    m_pRotation->setFocus();
    m_pRotation->selectAll();
    return false;
}

void CVxFontPropertyPage::OnFont()
{
    VxFontDialogData data;
    data.logFont = m_pShown->GetLogFont();
    for (int v = 0; v < Font::ValueCount; ++v)
        data.states[v] = m_pShown->GetState(Font::Value(v)) == VX_STATE_DEFINED ? VX_STATE_DEFINED
                                                                              : VX_STATE_NONE;
    const double dPixels = PixelsPerUnitY(m_pContext);
    data.logFont.lfHeight = LONG(std::lround(data.logFont.lfHeight * dPixels));
    data.strSample = QString::fromUtf16(kSampleText);
    CVxFontDialog dialog(data, this);
    if (dialog.DoModal() != IDOK) return;
    const VxFontDialogData result = dialog.GetData();
    const LOGFONTW& lf = result.logFont;
    auto set = [&](Font::Value v) { return result.states[v] == VX_STATE_DEFINED; };
    if (set(Font::FaceName)) {
        const auto* pEnd = std::find(lf.lfFaceName, lf.lfFaceName + LF_FACESIZE, u'\0');
        Touch(&Font::SetFaceName, std::u16string(lf.lfFaceName, pEnd));
    }
    if (set(Font::Height)) {
        // Whole points straight to picture units, not through rounded pixels.
        Touch(&Font::SetHeight, LONG(m_pContext ? -m_pContext->PointsToLogicalY(result.nPointSize)
                                                 : lf.lfHeight));
    }
    if (set(Font::Weight)) Touch(&Font::SetWeight, lf.lfWeight);
    if (set(Font::Italic)) Touch(&Font::SetItalic, lf.lfItalic);
    if (set(Font::Underline)) Touch(&Font::SetUnderline, lf.lfUnderline);
    if (set(Font::StrikeOut)) Touch(&Font::SetStrikeOut, lf.lfStrikeOut);
    UpdateSample();
}

void CVxFontPropertyPage::UpdateSample() {}
