#pragma once
// The "Advanced Text Options" form: whether the text clips to its rectangle,
// fills it, and fits the rectangle to the text. The three are independent.

#include "graphics/VxTextDialogService.h"

#include <QDialog>

class QCheckBox;

class CVxDrawTextAdvancedOptionsDlg : public QDialog {
public:
    CVxDrawTextAdvancedOptionsDlg(const VxTextDialogData& data, QWidget* pParent);
    // data with the three ticks as the user left them.
    VxTextDialogData GetData(VxTextDialogData data) const;

private:
    QCheckBox* m_pClip;
    QCheckBox* m_pOpaque;
    QCheckBox* m_pSizeToFit;
};
