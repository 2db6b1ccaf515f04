#pragma once
// The toolbar buttons' images, drawn in code at 16 and 24 pixels: the tools as
// their shapes, the fills as their hatches, the commands as small pictures.

#include "platform/gdi/GdiTypes.h"

#include <QIcon>
#include <QPixmap>

// A null icon for an id without an image.
QIcon VxToolBarIcon(unsigned nID);
// A palette button: the colour as a framed swatch.
QIcon VxColorSwatchIcon(COLORREF color);
// A colour target button: its sign above a bar of the target's colour.
QIcon VxColorTargetIcon(unsigned nID, COLORREF color);
// A fill button: a square filled with the brush's pattern.
QIcon VxFillIcon(const LOGBRUSH& brush);
