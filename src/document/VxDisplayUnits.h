#pragma once
// The units sizes are shown and typed in (the "Units" setting): picture units,
// inches or centimetres, and how a length is rounded for showing in them.

constexpr int kVxUnitsPicture = 0;
constexpr int kVxUnitsInches = 1;
constexpr int kVxUnitsCm = 2;

// The "Units" setting of section "Application"; anything else reads as picture
// units, since it indexes the unit names.
int VxLoadUnits();
void VxSaveUnits(int nUnits);

// A length in picture units as shown with dScale picture units per shown unit
// (to 0.0001), and a shown value back, rounded to the nearest picture unit.
double VxToShownUnits(int nValue, double dScale);
int VxFromShownUnits(double dValue, double dScale);
