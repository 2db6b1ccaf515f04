#pragma once
// The grid of the view: its eight settings in section "View", snapping, and
// the conversion of its lengths to the units the Grid Settings dialog shows.

#include "document/VxDisplayUnits.h"
#include "platform/framework/TkPair.h"
#include "platform/gdi/GdiTypes.h"

constexpr int kVxGridDots = 0;
constexpr int kVxGridLines = 1;

struct VxGridSettingsData {
    int nGridType = kVxGridDots;
    BOOL bDisplayGrid = FALSE;
    BOOL bSnapToGrid = FALSE;
    COLORREF crGridColor = 0xC0C0C0;
    POINT ptOrigin{0, 0};
    SIZE sizeSpacing{200, 200};
    // 0 picture units, 1 inches, 2 centimetres: how the dialog shows lengths.
    int nUnits = 0;
    // Picture units per inch and per centimetre, for the dialog's conversions.
    CTkPair<double> unitsPerInch{1.0, 1.0};
    CTkPair<double> unitsPerCm{1.0, 1.0};

    // Reads the eight settings; a spacing that is not positive (a hand-edited
    // file) becomes the default, since drawing and snapping divide by it.
    static VxGridSettingsData Load();
    void Save() const;
    SIZE GetUsableSpacing() const;

    // Picture units per shown unit on each axis for nUnits.
    CTkPair<double> GetUnitScale() const;
};

// The grid point nearest v on one axis, ties going up.
int VxSnapToGrid(int v, int nOrigin, int nSpacing);
