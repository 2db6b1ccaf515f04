#include "attributes/pages/VxDocPropertyPage.h"

#include "attributes/pages/VxPropertySheet.h"
#include "document/VxDisplayUnits.h"
#include "document/VxDoc.h"
#include "platform/framework/TkMessageService.h"
#include "platform/framework/TkStrings.h"
#include "resources/VxResourceIds.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>

#include <cmath>
#include <memory>

namespace {

constexpr LONG kMinPictureSize = 100;

QString FormatShown(double dValue, bool bDecimal)
{
    return bDecimal ? QString::number(dValue, 'g', 15) : QString::number(std::llround(dValue));
}

}  // namespace

CVxDocPropertyPage::CVxDocPropertyPage(CVxDoc& doc)
    : CVxPropertyPage(IDD_PICTURE_PAGE),
      m_doc(doc),
      m_size(doc.GetPictureSize()),
      m_nUnits(VxLoadUnits()),
      m_pWidth(new QLineEdit(this)),
      m_pHeight(new QLineEdit(this)),
      m_pUnits(new QComboBox(this)),
      m_pResize(new QCheckBox(tr("&Resize objects with picture"), this))
{
    m_pWidth->setObjectName(QString::number(IDC_PICTURE_WIDTH));
    m_pHeight->setObjectName(QString::number(IDC_PICTURE_HEIGHT));
    m_pUnits->setObjectName(QString::number(IDC_PICTURE_UNITS));
    m_pResize->setObjectName(QString::number(IDC_PICTURE_RESIZE_OBJECTS));
    for (unsigned id : {IDS_UNITS_PU, IDS_UNITS_IN, IDS_UNITS_CM})
        m_pUnits->addItem(QString::fromStdString(TkLoadString(id)));
    m_pUnits->setCurrentIndex(m_nUnits);
    m_pResize->setChecked(true);
    auto* pForm = new QFormLayout(this);
    pForm->addRow(tr("&Width:"), m_pWidth);
    pForm->addRow(tr("&Height:"), m_pHeight);
    pForm->addRow(tr("&Units:"), m_pUnits);
    pForm->addRow(m_pResize);
    ShowSize();
    connect(m_pUnits, &QComboBox::currentIndexChanged, this, [this](int n) { OnUnitsChanged(n); });
}

void CVxDocPropertyPage::AddPage(CVxPropertySheet& sheet, CVxDoc& doc)
{
    sheet.AddPage(std::make_unique<CVxDocPropertyPage>(doc));
}

void CVxDocPropertyPage::ReadPage(CVxPropertySheet& sheet, CVxDoc& doc)
{
    const auto* pPage = dynamic_cast<CVxDocPropertyPage*>(sheet.FindPage(IDD_PICTURE_PAGE));
    if (!pPage) return;
    const SIZE size = pPage->GetPictureSize();
    const SIZE old = doc.GetPictureSize();
    if ((size.cx != old.cx || size.cy != old.cy) && doc.IsValidPictureSize(size)) {
        sheet.SaveUndoStateOnce();
        doc.SetPictureSize(size, pPage->GetResizeObjects());
    }
    VxSaveUnits(pPage->GetUnits());
}

bool CVxDocPropertyPage::GetResizeObjects() const { return m_pResize->isChecked(); }

bool CVxDocPropertyPage::OnKillActive() { return ReadSize(); }

CTkPair<double> CVxDocPropertyPage::GetUnitScale() const
{
    switch (m_nUnits) {
    case kVxUnitsInches: return m_doc.GetUnitsPerInch();
    case kVxUnitsCm: return m_doc.GetUnitsPerCm();
    default: return {1.0, 1.0};
    }
}

void CVxDocPropertyPage::ShowSize()
{
    const CTkPair<double> scale = GetUnitScale();
    const bool bDecimal = m_nUnits != kVxUnitsPicture;
    m_pWidth->setText(FormatShown(VxToShownUnits(m_size.cx, scale.x), bDecimal));
    m_pHeight->setText(FormatShown(VxToShownUnits(m_size.cy, scale.y), bDecimal));
    m_pWidth->setModified(false);
    m_pHeight->setModified(false);
}

bool CVxDocPropertyPage::ReadSize()
{
    const RECT bounds = m_doc.GetSafePictureBounds();
    const CTkPair<double> scale = GetUnitScale();
    SIZE size = m_size;
    if (!ReadField(m_pWidth, scale.x, bounds.right, size.cx) ||
        !ReadField(m_pHeight, scale.y, bounds.bottom, size.cy))
        return false;
    m_size = size;
    return true;
}

// A field the user has not edited keeps its exact value: the shown one is
// rounded to 0.0001 of an inch or centimetre.
bool CVxDocPropertyPage::ReadField(QLineEdit* pField, double dScale, LONG nMax, LONG& nValue)
{
    if (!pField->isModified()) return true;
    const QString text = pField->text().trimmed();
    bool bOk = false;
    if (m_nUnits == kVxUnitsPicture) {
        const qlonglong n = text.toLongLong(&bOk);
        if (bOk && n >= kMinPictureSize && n <= nMax) {
            nValue = LONG(n);
            return true;
        }
        TkGetMessageService().ShowMessage(IDS_ENTER_INTEGER, MB_OK | MB_ICONEXCLAMATION,
                                          {std::to_string(kMinPictureSize), std::to_string(nMax)});
    } else {
        const double dMin = VxToShownUnits(kMinPictureSize, dScale);
        const double dMax = VxToShownUnits(nMax, dScale);
        const double d = text.toDouble(&bOk);
        if (bOk && d >= dMin && d <= dMax) {
            // The limits were rounded for showing; the size must hold in picture units too.
            const int n = VxFromShownUnits(d, dScale);
            if (n >= kMinPictureSize && n <= nMax) {
                nValue = n;
                return true;
            }
        }
        TkGetMessageService().ShowMessage(
            IDS_ENTER_NUMBER, MB_OK | MB_ICONEXCLAMATION,
            {FormatShown(dMin, true).toStdString(), FormatShown(dMax, true).toStdString()});
    }
    pField->setFocus();
    pField->selectAll();
    return false;
}

void CVxDocPropertyPage::OnUnitsChanged(int nUnits)
{
    if (!ReadSize()) {
        // The fields stay as typed, in the units they were typed in.
        const QSignalBlocker block(m_pUnits);
        m_pUnits->setCurrentIndex(m_nUnits);
        return;
    }
    m_nUnits = nUnits;
    ShowSize();
}
