#pragma once
// The "Other" page: text and bitmap-fill colour, background colour and mode,
// arc direction. The other pages' samples take their background from it.

#include "attributes/VxGlobalGraphicProperty.h"
#include "attributes/pages/VxPropertyPage.h"

class CVxColorButton;
class CVxGraphic;
class QRadioButton;

class CVxGlobalPropertyPage : public CVxPropertyPage {
public:
    explicit CVxGlobalPropertyPage(const CVxGlobalGraphicProperty& global);

    const CVxGlobalGraphicProperty& GetValues() const { return Shown<CVxGlobalGraphicProperty>(); }
    // The Other page on the sheet of page; null when there is none.
    static const CVxGlobalPropertyPage* Find(const CVxPropertyPage& page);
    // A sample of page draws on the Other page's background colour and mode
    // where they are definite, else on white, opaque.
    static void SetSampleBackground(const CVxPropertyPage& page, CVxGraphic& sample);
    // The Text page sets the text colour and alignment here.
    void SetTextColor(COLORREF color);
    void SetTextAlign(UINT nAlign);

protected:
    void OnValuesChanged() override;

private:
    void OnColorClicked(CVxGlobalGraphicProperty::Value v);
    // Makes the radio pair of a value: the first sets nFirst, the second nSecond.
    void AddChoice(class QBoxLayout* pLayout, CVxGlobalGraphicProperty::Value v, QRadioButton* pFirst,
                   int nFirst, QRadioButton* pSecond, int nSecond);

    CVxColorButton* m_pTextColor;
    CVxColorButton* m_pBkColor;
};
