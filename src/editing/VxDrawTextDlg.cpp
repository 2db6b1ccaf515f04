#include "editing/VxDrawTextDlg.h"

#include "editing/VxDrawTextAdvancedOptionsDlg.h"
#include "platform/framework/TkStrings.h"
#include "resources/VxResourceIds.h"

#include <QDialogButtonBox>
#include <QFont>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

CVxDrawTextDlg::CVxDrawTextDlg(const VxTextDialogData& data, QWidget* pParent)
    : QDialog(pParent), m_data(data), m_pText(new QLineEdit(QString::fromStdU16String(data.strText), this))
{
    setWindowTitle(QString::fromStdString(TkLoadString(IDD_TEXT)));
    // A font with wide coverage, so that most scripts can be typed and seen.
    QFont font(QStringLiteral("Arial Unicode MS"));
    font.setPixelSize(12);
    m_pText->setFont(font);
    m_pText->setMinimumWidth(320);
    auto* pForm = new QFormLayout(this);
    pForm->addRow(tr("&Text:"), m_pText);
    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* pAdvanced = pButtons->addButton(tr("&Advanced Options..."), QDialogButtonBox::ActionRole);
    m_pOk = pButtons->button(QDialogButtonBox::Ok);
    pForm->addRow(pButtons);
    connect(pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(pAdvanced, &QPushButton::clicked, this, &CVxDrawTextDlg::OnAdvancedOptions);
    connect(m_pText, &QLineEdit::textChanged, this, &CVxDrawTextDlg::UpdateOk);
    UpdateOk();
}

VxTextDialogData CVxDrawTextDlg::GetData() const
{
    VxTextDialogData data = m_data;
    data.strText = m_pText->text().toStdU16String();
    return data;
}

void CVxDrawTextDlg::OnAdvancedOptions()
{
    CVxDrawTextAdvancedOptionsDlg dialog(m_data, this);
    if (dialog.exec() == QDialog::Accepted) m_data = dialog.GetData(m_data);
}

void CVxDrawTextDlg::UpdateOk()
{
    m_pOk->setEnabled(!m_pText->text().isEmpty());
}
