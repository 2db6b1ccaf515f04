#include "app/VxGeneralOptionsPage.h"

#include "resources/VxResourceIds.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

template <typename T>
T* Control(QWidget* pParent, unsigned nID, const char* pszText)
{
    auto* pControl = new T(QString::fromUtf8(pszText), pParent);
    pControl->setObjectName(QString::number(nID));
    return pControl;
}

}  // namespace

CVxGeneralOptionsPage::CVxGeneralOptionsPage(const VxAppSettings& settings)
    : CVxPropertyPage(IDD_OPTIONS_GENERAL),
      m_pCopyright(Control<QCheckBox>(this, IDC_DISPLAY_COPYRIGHT,
                                      "Display &program information on startup")),
      m_pOpenMru(Control<QCheckBox>(this, IDC_OPEN_MRU_FILE,
                                    "&Open most recently used file on startup")),
      m_pIgnoredRecords(Control<QCheckBox>(this, IDC_DISPLAY_IGNORED_RECORDS,
                                           "&Display ignored metafile record warnings")),
      m_pIgnoreSpacing(Control<QCheckBox>(this, IDC_IGNORE_SPACING_TABLES,
                                          "&Ignore text character spacing tables")),
      m_pMaxUndos(new QLineEdit(this)),
      m_pDragObjects(Control<QRadioButton>(this, IDC_DRAG_OBJECTS, "Actual objects (&WYSIWYG)")),
      m_pDragOutlines(Control<QRadioButton>(this, IDC_DRAG_OUTLINES, "Object outlines (&Fast)"))
{
    m_pMaxUndos->setObjectName(QString::number(IDC_MAX_UNDOS));
    m_pCopyright->setChecked(settings.bDisplayCopyrightOnStartup);
    m_pOpenMru->setChecked(settings.bOpenMruFileOnStartup);
    m_pIgnoredRecords->setChecked(settings.bDisplayUnhandledMetafileRecordWarnings);
    m_pIgnoreSpacing->setChecked(settings.bIgnoreTextCharacterSpacingTables);
    m_pMaxUndos->setText(QString::number(settings.nMaxNumberOfUndos));
    (settings.nDragObjectOutlines ? m_pDragOutlines : m_pDragObjects)->setChecked(true);

    auto* pUndos = new QFormLayout;
    pUndos->addRow(tr("&Maximum number of undos:"), m_pMaxUndos);
    auto* pDrag = new QGroupBox(tr("Drag"), this);
    auto* pDragLayout = new QVBoxLayout(pDrag);
    pDragLayout->addWidget(m_pDragObjects);
    pDragLayout->addWidget(m_pDragOutlines);
    auto* pLayout = new QVBoxLayout(this);
    for (QWidget* pBox : {static_cast<QWidget*>(m_pCopyright), static_cast<QWidget*>(m_pOpenMru),
                          static_cast<QWidget*>(m_pIgnoredRecords),
                          static_cast<QWidget*>(m_pIgnoreSpacing)})
        pLayout->addWidget(pBox);
    pLayout->addLayout(pUndos);
    pLayout->addWidget(pDrag);
    pLayout->addStretch();
}

bool CVxGeneralOptionsPage::ReadMaxUndos(int& nValue) const
{
    bool bOk = false;
    nValue = m_pMaxUndos->text().trimmed().toInt(&bOk);
    return bOk && nValue >= 0 && nValue <= VxAppSettings::kMaxUndosLimit;
}

bool CVxGeneralOptionsPage::OnKillActive()
{
    int nValue = 0;
    return ReadIntegerField(m_pMaxUndos, 0, VxAppSettings::kMaxUndosLimit, nValue);
}

void CVxGeneralOptionsPage::Read(VxAppSettings& settings) const
{
    settings.bDisplayCopyrightOnStartup = m_pCopyright->isChecked();
    settings.bOpenMruFileOnStartup = m_pOpenMru->isChecked();
    settings.bDisplayUnhandledMetafileRecordWarnings = m_pIgnoredRecords->isChecked();
    settings.bIgnoreTextCharacterSpacingTables = m_pIgnoreSpacing->isChecked();
    int nValue = settings.nMaxNumberOfUndos;
    if (ReadMaxUndos(nValue)) settings.nMaxNumberOfUndos = nValue;
    settings.nDragObjectOutlines = m_pDragOutlines->isChecked() ? 1 : 0;
}
