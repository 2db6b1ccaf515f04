#include "editing/TkSelectSimilarDialog.h"

#include "platform/framework/TkStrings.h"
#include "resources/VxResourceIds.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct Group {
    const char* pszTitle;
    std::size_t nFirst;  // filters nFirst .. nLast - 1
    std::size_t nLast;
};

// Labels in the order of the filters.
constexpr const char* kLabels[kVxSimilarFilterCount] = {
    "St&yle", "C&olor",      "&Width",     "&Pattern",           "Co&lor",   "&Name",
    "&Size",  "&Bold",       "&Italic",    "Un&derline",         "&Color",   "&Alignment",
    "&Rotation", "Bac&kground color", "Obj&ect type", "&Transparency",
};

constexpr Group kGroups[] = {
    {"Line", 0, 3}, {"Fill", 3, 5}, {"Font", 5, 13}, {"Other", 13, 16}};

}  // namespace

CTkSelectSimilarDialog::CTkSelectSimilarDialog(const VxSelectSimilarData& data, QWidget* pParent)
    : QDialog(pParent), m_data(data)
{
    setWindowTitle(QString::fromStdString(TkLoadString(IDD_SELECT_SIMILAR)));
    auto* pLayout = new QVBoxLayout(this);
    for (const Group& group : kGroups) {
        auto* pBox = new QGroupBox(tr(group.pszTitle), this);
        auto* pGrid = new QGridLayout(pBox);
        bool bAny = false;
        for (std::size_t i = group.nFirst; i < group.nLast; ++i) {
            auto* pCheck = new QCheckBox(tr(kLabels[i]), pBox);
            pCheck->setEnabled(data.offered[i]);
            pCheck->setChecked(data.offered[i] && data.checked[i]);
            const int n = int(i - group.nFirst);
            pGrid->addWidget(pCheck, n / 3, n % 3);
            m_checks[i] = pCheck;
            bAny = bAny || data.offered[i];
        }
        pBox->setEnabled(bAny);
        pLayout->addWidget(pBox);
    }
    auto* pUncheck = new QPushButton(tr("&Uncheck All Filters"), this);
    connect(pUncheck, &QPushButton::clicked, this, [this] {
        for (QCheckBox* pCheck : m_checks) pCheck->setChecked(false);
    });
    pLayout->addWidget(pUncheck);
    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    pLayout->addWidget(pButtons);
}

VxSelectSimilarData CTkSelectSimilarDialog::GetData() const
{
    VxSelectSimilarData data = m_data;
    for (std::size_t i = 0; i < kVxSimilarFilterCount; ++i)
        data.checked[i] = data.offered[i] && m_checks[i]->isChecked();
    return data;
}
