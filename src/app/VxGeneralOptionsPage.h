#pragma once
// The Options sheet's "General" page: start-up, import and undo settings and
// how objects are dragged. Each control is named by its id.

#include "app/VxAppSettings.h"
#include "attributes/pages/VxPropertyPage.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

class CVxGeneralOptionsPage : public CVxPropertyPage {
public:
    explicit CVxGeneralOptionsPage(const VxAppSettings& settings);

    // The page's values into settings (call after OnKillActive accepted).
    void Read(VxAppSettings& settings) const;
    // The undo count must be an integer from 0 to 32767.
    bool OnKillActive() override;

private:
    bool ReadMaxUndos(int& nValue) const;

    QCheckBox* m_pCopyright;
    QCheckBox* m_pOpenMru;
    QCheckBox* m_pIgnoredRecords;
    QCheckBox* m_pIgnoreSpacing;
    QLineEdit* m_pMaxUndos;
    QRadioButton* m_pDragObjects;
    QRadioButton* m_pDragOutlines;
};
