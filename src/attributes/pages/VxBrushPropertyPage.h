#pragma once
// The "Fill" page: the fill pattern and colour of the selection, with a
// sample filled as the picture will fill it.

#include "attributes/VxBrushGraphicProperty.h"
#include "attributes/pages/VxPageSample.h"
#include "attributes/pages/VxPropertyPage.h"

class CVxColorButton;
class CVxGraphic;
class QComboBox;

class CVxBrushPropertyPage : public CVxPropertyPage {
public:
    explicit CVxBrushPropertyPage(const CVxBrushGraphicProperty& brush);

protected:
    void OnValuesChanged() override;
    void OnInitPage() override;

private:
    // The list index of the view's fill pattern that the values show; -1 when
    // they are mixed or the sheet has no view.
    int FindPattern() const;
    void OnPatternSelected(int nIndex);
    void OnColorClicked();
    std::unique_ptr<CVxGraphic> BuildSample(const VxSampleArea& area) const;

    QComboBox* m_pPattern;
    CVxColorButton* m_pColor;
    CVxPageSample* m_pSample;
};
