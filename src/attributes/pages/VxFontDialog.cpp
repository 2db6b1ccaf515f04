#include "attributes/pages/VxFontDialog.h"

#include "platform/framework/TkMessageService.h"
#include "platform/gdi/MulDiv.h"
#include "platform/qt/TkQtModal.h"
#include "resources/VxResourceIds.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdlib>

namespace {

using Font = CVxFontGraphicProperty;

constexpr int kScreenDpi = 96;
constexpr int kPointsPerInch = 72;

// The style box's choices: weight and italic together.
struct VxFontStyle {
    const char* pszName;
    LONG nWeight;
    BYTE nItalic;
};
constexpr VxFontStyle kStyles[] = {
    {"Regular", FW_NORMAL, 0}, {"Italic", FW_NORMAL, 1}, {"Bold", FW_BOLD, 0}, {"Bold Italic", FW_BOLD, 1}};
constexpr int kSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

int StyleIndex(const LOGFONTW& lf)
{
    return (lf.lfWeight >= (FW_NORMAL + FW_BOLD) / 2 ? 2 : 0) + (lf.lfItalic ? 1 : 0);
}

QString FaceName(const LOGFONTW& lf)
{
    const auto* pEnd = std::find(lf.lfFaceName, lf.lfFaceName + LF_FACESIZE, u'\0');
    return QString::fromUtf16(lf.lfFaceName, pEnd - lf.lfFaceName);
}

void SetFaceName(LOGFONTW& lf, const QString& name)
{
    std::fill(std::begin(lf.lfFaceName), std::end(lf.lfFaceName), u'\0');
    const qsizetype n = std::min<qsizetype>(name.size(), LF_FACESIZE - 1);
    std::copy_n(name.utf16(), n, lf.lfFaceName);
}

QCheckBox* ThreeStateBox(const QString& text, bool bDefined, BYTE value, QWidget* pParent)
{
    auto* pBox = new QCheckBox(text, pParent);
    pBox->setTristate(true);
    pBox->setCheckState(!bDefined ? Qt::PartiallyChecked : value ? Qt::Checked : Qt::Unchecked);
    return pBox;
}

}  // namespace

CVxFontDialog::CVxFontDialog(const VxFontDialogData& data, QWidget* pParent)
    : QDialog(pParent),
      m_data(data),
      m_pFace(new QComboBox(this)),
      m_pStyle(new QComboBox(this)),
      m_pSize(new QComboBox(this)),
      m_pStrikeOut(ThreeStateBox(tr("Stri&keout"), IsDefined(Font::StrikeOut),
                                 data.logFont.lfStrikeOut, this)),
      m_pUnderline(ThreeStateBox(tr("&Underline"), IsDefined(Font::Underline),
                                 data.logFont.lfUnderline, this)),
      m_pSample(new QLabel(data.strSample, this))
{
    setWindowTitle(tr("Font"));
    const LOGFONTW& lf = data.logFont;
    // A face that is not installed is kept by name; the box takes any text.
    m_pFace->setEditable(true);
    m_pFace->setMinimumContentsLength(24);
    m_pFace->addItems(QFontDatabase::families());
    m_pFace->setEditText(IsDefined(Font::FaceName) ? FaceName(lf) : QString());
    for (const VxFontStyle& style : kStyles) m_pStyle->addItem(tr(style.pszName));
    m_pStyle->setCurrentIndex(IsDefined(Font::Weight) && IsDefined(Font::Italic) ? StyleIndex(lf) : -1);
    m_pSize->setEditable(true);
    for (int n : kSizes) m_pSize->addItem(QString::number(n));
    // 0: the device's default size, or under half a point; left blank.
    const int nShownSize = MulDiv(std::abs(lf.lfHeight), kPointsPerInch, kScreenDpi);
    if (IsDefined(Font::Height) && nShownSize > 0) m_strShownSize = QString::number(nShownSize);
    m_pSize->setEditText(m_strShownSize);

    auto* pForm = new QFormLayout;
    pForm->addRow(tr("&Font:"), m_pFace);
    pForm->addRow(tr("F&ont style:"), m_pStyle);
    pForm->addRow(tr("&Size:"), m_pSize);
    auto* pEffects = new QGroupBox(tr("Effects"), this);
    auto* pEffectsLayout = new QVBoxLayout(pEffects);
    pEffectsLayout->addWidget(m_pStrikeOut);
    pEffectsLayout->addWidget(m_pUnderline);
    auto* pSampleBox = new QGroupBox(tr("Sample"), this);
    auto* pSampleLayout = new QVBoxLayout(pSampleBox);
    m_pSample->setAlignment(Qt::AlignCenter);
    m_pSample->setMinimumSize(200, 60);
    pSampleLayout->addWidget(m_pSample);
    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pForm);
    pLayout->addWidget(pEffects);
    pLayout->addWidget(pSampleBox);
    pLayout->addWidget(pButtons);

    connect(m_pStyle, &QComboBox::activated, this, [this] {
        m_bStyleChosen = true;
        UpdateSample();
    });
    connect(m_pFace, &QComboBox::currentTextChanged, this, [this] { UpdateSample(); });
    connect(m_pSize, &QComboBox::currentTextChanged, this, [this] { UpdateSample(); });
    for (QCheckBox* pBox : {m_pStrikeOut, m_pUnderline})
        connect(pBox, &QCheckBox::stateChanged, this, [this] { UpdateSample(); });
    UpdateSample();
}

bool CVxFontDialog::IsDefined(CVxFontGraphicProperty::Value v) const
{
    return m_data.states[v] == VX_STATE_DEFINED;
}

int CVxFontDialog::DoModal()
{
    return TkRunModal(*this) == QDialog::Accepted ? IDOK : IDCANCEL;
}

// The sample shows what is chosen so far; what is not chosen looks plain.
void CVxFontDialog::UpdateSample()
{
    QFont font(m_pFace->currentText().isEmpty() ? QString("Arial") : m_pFace->currentText());
    bool bOk = false;
    const int nSize = m_pSize->currentText().trimmed().toInt(&bOk);
    font.setPointSize(bOk && nSize >= kMinPointSize && nSize <= 72 ? nSize : 10);
    const int nStyle = m_pStyle->currentIndex();
    font.setBold(nStyle >= 2);
    font.setItalic(nStyle == 1 || nStyle == 3);
    font.setStrikeOut(m_pStrikeOut->checkState() == Qt::Checked);
    font.setUnderline(m_pUnderline->checkState() == Qt::Checked);
    m_pSample->setFont(font);
}

void CVxFontDialog::accept()
{
    VxFontDialogData result = m_data;
    result.states.fill(VX_STATE_NONE);
    LOGFONTW& lf = result.logFont;
    const QString face = m_pFace->currentText().trimmed();
    if (!face.isEmpty()) {
        SetFaceName(lf, face);
        result.states[Font::FaceName] = VX_STATE_DEFINED;
    }
    // A style shown but not chosen may stand for another weight (light,
    // semibold): it is set only when the user picks one.
    if (m_bStyleChosen && m_pStyle->currentIndex() >= 0) {
        const VxFontStyle& style = kStyles[m_pStyle->currentIndex()];
        lf.lfWeight = style.nWeight;
        lf.lfItalic = style.nItalic;
        result.states[Font::Weight] = result.states[Font::Italic] = VX_STATE_DEFINED;
    }
    // The size as shown is rounded to whole points: only a new one is set.
    const QString size = m_pSize->currentText().trimmed();
    if (size != m_strShownSize) {
        bool bOk = false;
        const int nSize = size.toInt(&bOk);
        if (!bOk || nSize < kMinPointSize || nSize > kMaxPointSize) {
            TkGetMessageService().ShowMessage(
                IDS_ENTER_INTEGER, MB_OK | MB_ICONEXCLAMATION,
                {std::to_string(kMinPointSize), std::to_string(kMaxPointSize)});
            m_pSize->setFocus();
            return;
        }
        lf.lfHeight = -MulDiv(nSize, kScreenDpi, kPointsPerInch);
        result.nPointSize = nSize;
        result.states[Font::Height] = VX_STATE_DEFINED;
    }
    const std::pair<QCheckBox*, Font::Value> effects[] = {{m_pStrikeOut, Font::StrikeOut},
                                                          {m_pUnderline, Font::Underline}};
    for (const auto& [pBox, value] : effects) {
        if (pBox->checkState() == Qt::PartiallyChecked) continue;
        (value == Font::StrikeOut ? lf.lfStrikeOut : lf.lfUnderline) = pBox->isChecked() ? 1 : 0;
        result.states[value] = VX_STATE_DEFINED;
    }
    m_result = result;
    QDialog::accept();
}
