#pragma once
// The font dialog of the Text page: face, style, size, strike-out and
// underline, each shown only when the selection agrees on it (the effects as
// three-state boxes), and set on OK only when the user gave it a value.

#include "attributes/VxFontGraphicProperty.h"

#include <QDialog>

#include <array>
#include <cstdint>

class QCheckBox;
class QComboBox;
class QLabel;

struct VxFontDialogData {
    // Height and width in screen pixels at actual size.
    LOGFONTW logFont{};
    // Per member: VX_STATE_DEFINED when it holds a value (in) or was set (out).
    std::array<std::uint32_t, CVxFontGraphicProperty::ValueCount> states{};
    // Out, with the height: the size chosen, in points.
    int nPointSize = 0;
    QString strSample;
};

class CVxFontDialog : public QDialog {
public:
    static constexpr int kMinPointSize = 1;
    static constexpr int kMaxPointSize = 9999;

    CVxFontDialog(const VxFontDialogData& data, QWidget* pParent);

    // IDOK or IDCANCEL.
    int DoModal();
    // After OK: only the members the user gave a value carry state 1.
    VxFontDialogData GetData() const { return m_result; }

protected:
    // A size that is not an integer in range keeps the dialog open.
    void accept() override;

private:
    bool IsDefined(CVxFontGraphicProperty::Value v) const;
    void UpdateSample();

    VxFontDialogData m_data;
    VxFontDialogData m_result;
    QString m_strShownSize;  // what the size box showed at first
    bool m_bStyleChosen = false;
    QComboBox* m_pFace;
    QComboBox* m_pStyle;
    QComboBox* m_pSize;
    QCheckBox* m_pStrikeOut;
    QCheckBox* m_pUnderline;
    QLabel* m_pSample;
};
