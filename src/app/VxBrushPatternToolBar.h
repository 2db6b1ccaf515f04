#pragma once
// The "Fill" bar: solid, none, the six hatches and two bitmap patterns, each
// button showing its palette entry's pattern.

#include "app/VxToolBar.h"
#include "platform/gdi/GdiTypes.h"

class CVxBrushPatternToolBar : public CVxToolBar {
public:
    using CVxToolBar::CVxToolBar;

    // A palette entry (32960-32969) changed.
    void SetPaletteBrush(unsigned nID, const LOGBRUSH& brush);
};
