#pragma once
// The "Select Similar" form: one check box per filter, grouped as line, fill,
// font and other; a filter the selection does not share stays disabled.

#include "editing/VxSelectSimilar.h"

#include <QDialog>

#include <array>

class QCheckBox;

class CTkSelectSimilarDialog : public QDialog {
public:
    CTkSelectSimilarDialog(const VxSelectSimilarData& data, QWidget* pParent);
    VxSelectSimilarData GetData() const;

private:
    VxSelectSimilarData m_data;
    std::array<QCheckBox*, kVxSimilarFilterCount> m_checks{};
};
