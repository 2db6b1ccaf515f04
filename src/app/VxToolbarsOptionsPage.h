#pragma once
// The Options sheet's "Toolbars" page: button size and wrapping.

#include "app/VxAppSettings.h"
#include "attributes/pages/VxPropertyPage.h"

class QCheckBox;

class CVxToolbarsOptionsPage : public CVxPropertyPage {
public:
    // bInPlace: wrapping is the container's business then, so it is disabled.
    CVxToolbarsOptionsPage(const VxAppSettings& settings, bool bInPlace);

    void Read(VxAppSettings& settings) const;

private:
    QCheckBox* m_pAutoWrap;
    QCheckBox* m_pLargeButtons;
};
