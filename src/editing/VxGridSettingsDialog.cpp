#include "editing/VxGridSettingsDialog.h"

#include "platform/framework/TkStrings.h"
#include "resources/VxResourceIds.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QPushButton>
#include <QRadioButton>

namespace {

// The limits of origin and spacing, in picture units.
constexpr int kLimits[4][2] = {{0, 1000}, {0, 1000}, {10, 10000}, {10, 10000}};

QColor ToQColor(COLORREF cr) { return QColor(cr & 0xFF, (cr >> 8) & 0xFF, (cr >> 16) & 0xFF); }

COLORREF ToColorRef(const QColor& c)
{
    return COLORREF(c.red()) | COLORREF(c.green()) << 8 | COLORREF(c.blue()) << 16;
}

}  // namespace

CVxGridSettingsDialog::CVxGridSettingsDialog(const VxGridSettingsData& data, QWidget* pParent)
    : QDialog(pParent), m_data(data)
{
    setWindowTitle(QString::fromStdString(TkLoadString(IDD_GRID_SETTINGS)));
    auto* pForm = new QFormLayout(this);
    m_pDots = new QRadioButton(tr("Do&ts"), this);
    m_pLines = new QRadioButton(tr("&Lines"), this);
    (data.nGridType == kVxGridLines ? m_pLines : m_pDots)->setChecked(true);
    pForm->addRow(m_pDots, m_pLines);
    const char* labels[4] = {"Origin &X:", "Origin &Y:", "Spacing X:", "Spacing Y:"};
    for (int i = 0; i < 4; ++i) {
        m_pLengths[i] = new QDoubleSpinBox(this);
        pForm->addRow(tr(labels[i]), m_pLengths[i]);
    }
    m_pUnits = new QComboBox(this);
    for (unsigned id : {IDS_UNITS_PU, IDS_UNITS_IN, IDS_UNITS_CM})
        m_pUnits->addItem(QString::fromStdString(TkLoadString(id)));
    m_pUnits->setCurrentIndex(data.nUnits >= 0 && data.nUnits <= 2 ? data.nUnits : 0);
    m_data.nUnits = m_pUnits->currentIndex();
    pForm->addRow(tr("&Units:"), m_pUnits);
    m_pSnap = new QCheckBox(tr("S&nap to grid"), this);
    m_pSnap->setChecked(data.bSnapToGrid);
    m_pDisplay = new QCheckBox(tr("&Display grid"), this);
    m_pDisplay->setChecked(data.bDisplayGrid);
    pForm->addRow(m_pSnap, m_pDisplay);
    m_pColor = new QPushButton(tr("&Color..."), this);
    m_pColor->setEnabled(m_pLines->isChecked());
    pForm->addRow(m_pColor);
    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    pForm->addRow(pButtons);
    connect(pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_pLines, &QRadioButton::toggled, m_pColor, &QWidget::setEnabled);
    connect(m_pColor, &QPushButton::clicked, this, [this] { OnChooseColor(); });
    connect(m_pUnits, &QComboBox::currentIndexChanged, this, [this](int n) { OnUnitsChanged(n); });
    ShowLengths();
}

void CVxGridSettingsDialog::ShowLengths()
{
    const CTkPair<double> scale = m_data.GetUnitScale();
    const int values[4] = {m_data.ptOrigin.x, m_data.ptOrigin.y, m_data.sizeSpacing.cx,
                           m_data.sizeSpacing.cy};
    for (int i = 0; i < 4; ++i) {
        const double dScale = i % 2 == 0 ? scale.x : scale.y;
        m_pLengths[i]->setDecimals(m_data.nUnits == 0 ? 0 : 4);
        m_pLengths[i]->setRange(VxToShownUnits(kLimits[i][0], dScale),
                                VxToShownUnits(kLimits[i][1], dScale));
        m_pLengths[i]->setValue(VxToShownUnits(values[i], dScale));
    }
}

void CVxGridSettingsDialog::StoreLengths()
{
    const CTkPair<double> scale = m_data.GetUnitScale();
    int values[4];
    for (int i = 0; i < 4; ++i)
        values[i] = VxFromShownUnits(m_pLengths[i]->value(), i % 2 == 0 ? scale.x : scale.y);
    m_data.ptOrigin = {values[0], values[1]};
    m_data.sizeSpacing = {values[2], values[3]};
}

void CVxGridSettingsDialog::OnUnitsChanged(int nUnits)
{
    StoreLengths();
    m_data.nUnits = nUnits;
    ShowLengths();
}

void CVxGridSettingsDialog::OnChooseColor()
{
    const QColor color = QColorDialog::getColor(ToQColor(m_data.crGridColor), this);
    if (color.isValid()) m_data.crGridColor = ToColorRef(color);
}

VxGridSettingsData CVxGridSettingsDialog::GetData()
{
    StoreLengths();
    m_data.nGridType = m_pLines->isChecked() ? kVxGridLines : kVxGridDots;
    m_data.bSnapToGrid = m_pSnap->isChecked();
    m_data.bDisplayGrid = m_pDisplay->isChecked();
    return m_data;
}
