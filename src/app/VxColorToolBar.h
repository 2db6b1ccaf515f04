#pragma once
// The "Color" bar: the four colour targets, each showing the selection's
// colour for it, the nine palette colours as swatches, and Custom Color.

#include "app/VxToolBar.h"
#include "platform/gdi/GdiTypes.h"

#include <array>

class CVxColorToolBar : public CVxToolBar {
public:
    using CVxToolBar::CVxToolBar;

    // A target's colour (32951-32954), shown on its button.
    void SetTargetColor(unsigned nID, COLORREF color);
    COLORREF GetTargetColor(unsigned nID) const;
    // Whether a target's colour is shown as the nearest solid colour; every
    // colour is solid on a true-colour screen, so this is kept only.
    void SetTargetSolidFlag(unsigned nID, bool bSolid);
    void SetCurrentTarget(unsigned nID);
    unsigned GetCurrentTarget() const { return m_nCurrentTarget; }
    // A palette button's colour (32900-32908).
    void SetPaletteColor(unsigned nID, COLORREF color);

private:
    std::array<COLORREF, 4> m_targetColors{};
    std::array<bool, 4> m_solidFlags{};
    unsigned m_nCurrentTarget = 32952;  // the fill colour, as the view starts
};
