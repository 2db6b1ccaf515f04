#include "app/VxIgnoredMetafileRecordsDialog.h"

#include "import/VxIgnoredMetafileRecords.h"
#include "platform/framework/TkStrings.h"
#include "resources/VxResourceIds.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

CVxIgnoredMetafileRecordsDialog::CVxIgnoredMetafileRecordsDialog(
    const CVxIgnoredMetafileRecords& records, QWidget* pParent)
    : QDialog(pParent), m_pList(new QListWidget(this))
{
    setWindowTitle(QString::fromStdString(TkLoadString(IDD_IGNORED_RECORDS)));
    m_pList->setObjectName(QString::number(IDC_IGNORED_RECORD_LIST));
    for (const DWORD type : records.GetTypes())
        m_pList->addItem(QString::fromStdString(CVxIgnoredMetafileRecords::GetRecordName(type)));
    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(new QLabel(tr("The following metafile records were ignored:"), this));
    pLayout->addWidget(m_pList);
    pLayout->addWidget(pButtons);
}
