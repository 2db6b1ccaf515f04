#pragma once
// The "Grid Settings" form: grid type, origin and spacing in the chosen units,
// snapping, display and the colour of a lines grid.

#include "editing/VxGridSettings.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QPushButton;
class QRadioButton;

class CVxGridSettingsDialog : public QDialog {
public:
    CVxGridSettingsDialog(const VxGridSettingsData& data, QWidget* pParent);
    // What the user chose, lengths back in picture units.
    VxGridSettingsData GetData();

private:
    // Shows the lengths and their limits in the dialog's units.
    void ShowLengths();
    void StoreLengths();
    void OnUnitsChanged(int nUnits);
    void OnChooseColor();

    VxGridSettingsData m_data;
    QRadioButton* m_pDots = nullptr;
    QRadioButton* m_pLines = nullptr;
    QDoubleSpinBox* m_pLengths[4] = {};  // origin x, y, spacing x, y
    QComboBox* m_pUnits = nullptr;
    QCheckBox* m_pSnap = nullptr;
    QCheckBox* m_pDisplay = nullptr;
    QPushButton* m_pColor = nullptr;
};
