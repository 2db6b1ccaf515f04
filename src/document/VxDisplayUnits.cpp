#include "document/VxDisplayUnits.h"

#include "platform/framework/TkSettings.h"

#include <cmath>

int VxLoadUnits()
{
    const int nUnits = TkGetSettings().GetProfileInt("Application", "Units", kVxUnitsPicture);
    return nUnits >= kVxUnitsPicture && nUnits <= kVxUnitsCm ? nUnits : kVxUnitsPicture;
}

void VxSaveUnits(int nUnits) { TkGetSettings().WriteProfileInt("Application", "Units", nUnits); }

double VxToShownUnits(int nValue, double dScale)
{
    return std::round(nValue / dScale * 10000.0) / 10000.0;
}

int VxFromShownUnits(double dValue, double dScale) { return int(std::lround(dValue * dScale)); }
