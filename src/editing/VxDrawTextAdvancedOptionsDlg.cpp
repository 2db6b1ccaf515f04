#include "editing/VxDrawTextAdvancedOptionsDlg.h"

#include "platform/framework/TkStrings.h"
#include "resources/VxResourceIds.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QVBoxLayout>

CVxDrawTextAdvancedOptionsDlg::CVxDrawTextAdvancedOptionsDlg(const VxTextDialogData& data,
                                                             QWidget* pParent)
    : QDialog(pParent),
      m_pClip(new QCheckBox(tr("&Clip to rectangle"), this)),
      m_pOpaque(new QCheckBox(tr("&Draw opaque rectangle"), this)),
      m_pSizeToFit(new QCheckBox(tr("&Size rectangle to fit text"), this))
{
    setWindowTitle(QString::fromStdString(TkLoadString(IDD_ADVANCED_TEXT)));
    auto* pLayout = new QVBoxLayout(this);
    m_pClip->setChecked(data.bClip);
    m_pOpaque->setChecked(data.bOpaque);
    m_pSizeToFit->setChecked(data.bSizeToFit);
    for (QCheckBox* pBox : {m_pClip, m_pOpaque, m_pSizeToFit}) pLayout->addWidget(pBox);
    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    pLayout->addWidget(pButtons);
    connect(pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

VxTextDialogData CVxDrawTextAdvancedOptionsDlg::GetData(VxTextDialogData data) const
{
    data.bClip = m_pClip->isChecked();
    data.bOpaque = m_pOpaque->isChecked();
    data.bSizeToFit = m_pSizeToFit->isChecked();
    return data;
}
