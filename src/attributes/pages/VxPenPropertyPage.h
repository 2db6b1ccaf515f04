#pragma once
// The "Line" page: style, width and colour of the selection's lines, with a
// sample line drawn as the picture will draw it.

#include "attributes/VxPenGraphicProperty.h"
#include "attributes/pages/VxPageSample.h"
#include "attributes/pages/VxPropertyPage.h"

class CVxColorButton;
class CVxGraphic;
class QComboBox;
class QLineEdit;

class CVxPenPropertyPage : public CVxPropertyPage {
public:
    explicit CVxPenPropertyPage(const CVxPenGraphicProperty& pen);

    bool OnKillActive() override;

    // Widths a page accepts: what a 16-bit metafile record can hold.
    static constexpr int kMaxWidth = 32767;

protected:
    void OnValuesChanged() override;

private:
    void OnStyleSelected(int nIndex);
    void OnWidthEdited(const QString& strText);
    void OnColorClicked();
    std::unique_ptr<CVxGraphic> BuildSample(const VxSampleArea& area) const;

    QComboBox* m_pStyle;
    QLineEdit* m_pWidth;
    CVxColorButton* m_pColor;
    CVxPageSample* m_pSample;
    QString m_strLoadedWidth;
};
