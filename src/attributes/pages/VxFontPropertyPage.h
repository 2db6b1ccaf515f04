#pragma once
// The "Text" page: the font through the font dialog, the rotation, and the
// text colour and alignment, which it edits on the "Other" page.

#include "attributes/VxFontGraphicProperty.h"
#include "attributes/pages/VxPropertyPage.h"

#include <memory>

class CVxColorButton;
class CVxGlobalPropertyPage;
class CVxGraphic;
class CVxPageSample;
class QLineEdit;
class QRadioButton;
struct VxSampleArea;

class CVxFontPropertyPage : public CVxPropertyPage {
public:
    static constexpr int kMaxDegrees = 359;

    explicit CVxFontPropertyPage(const CVxFontGraphicProperty& font);

    // A rotation typed but not a number keeps the page open.
    bool OnKillActive() override;
    void OnInitPage() override { ShowOtherValues(); }

protected:
    void OnValuesChanged() override;
    // The Other page may have changed the colour or alignment meanwhile.
    void showEvent(QShowEvent* pEvent) override;

private:
    // The font dialog with the page's definite members; OK sets what it set.
    void OnFont();
    void OnColor();
    void OnAlign(UINT nHorizontal);
    void OnRotationEdited();
    void StepRotation(int nStep);
    void ShowOtherValues();
    CVxGlobalPropertyPage* OtherPage() const;
    std::unique_ptr<CVxGraphic> BuildSample(const VxSampleArea& area) const;

    QLineEdit* m_pRotation;
    CVxColorButton* m_pColor;
    QRadioButton* m_pAlign[3];  // left, centre, right
    CVxPageSample* m_pSample;
    bool m_bRotationWasEmpty;
};
