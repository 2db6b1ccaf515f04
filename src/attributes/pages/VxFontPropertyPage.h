#pragma once
// The "Text" page: the font through the font dialog, the rotation, and the
// text colour and alignment, which it edits on the "Other" page.

#include "attributes/VxFontGraphicProperty.h"
#include "attributes/pages/VxPropertyPage.h"

#include <memory>

class CVxDocumentContext;
class QLineEdit;
class QToolButton;

class CVxFontPropertyPage : public CVxPropertyPage {
public:
    static constexpr int kMaxDegrees = 359;

    // shown: the gathered font; only its definite members are shown. pContext
    // converts heights between picture units and screen pixels (null: 1:1).
    CVxFontPropertyPage(const CVxFontGraphicProperty& shown, CVxDocumentContext* pContext);

    // What the user set on the page: only those members carry state 1.
    const CVxFontGraphicProperty& GetTouched() const { return *m_pTouched; }
    // What the page shows: members not definite are mixed or unset.
    const CVxFontGraphicProperty& GetShown() const { return *m_pShown; }
    // A rotation typed but not a number keeps the page open.
    bool OnKillActive() override;

    // The font dialog with the page's definite members; OK sets what it set.
    void OnFont();

private:
    // Sets one member on what is shown and what is read back.
    template <typename T, typename V>
    void Touch(BOOL (CVxFontGraphicProperty::*pSet)(T), const V& value);
    void ShowRotation();
    void OnRotationEdited();
    void StepRotation(int nStep);
    void UpdateSample();

    // Both set values by the setting rule (gathering clear).
    std::unique_ptr<CVxFontGraphicProperty> m_pShown;
    std::unique_ptr<CVxFontGraphicProperty> m_pTouched;
    CVxDocumentContext* m_pContext;
    QLineEdit* m_pRotation;
    bool m_bRotationWasEmpty;
};
