#pragma once
// The "Text" form of a text graphic: the text itself, and the button to the
// advanced options. OK waits for at least one character.

#include "graphics/VxTextDialogService.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

class CVxDrawTextDlg : public QDialog {
public:
    CVxDrawTextDlg(const VxTextDialogData& data, QWidget* pParent);
    VxTextDialogData GetData() const;

private:
    void OnAdvancedOptions();
    void UpdateOk();

    VxTextDialogData m_data;  // the flags; the text lives in the field
    QLineEdit* m_pText;
    QPushButton* m_pOk = nullptr;
};
