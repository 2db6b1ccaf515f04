#pragma once
// Drawing steps that several graphics share.

#include "platform/gdi/GdiTypes.h"

class CTkDC;

// The box a rectangle, ellipse or arc hands to GDI. An enhanced-metafile
// recorder leaves out the right and bottom edge, one device unit, so boxes read
// from such a file come in one unit short; adding that unit back here makes
// them come out again as they were read. Other contexts get the box unchanged.
RECT VxBoxForContext(CTkDC* pDC, const RECT& box);

// The feedback of a dragged composite or text: its box as a dotted white
// rectangle in exclusive-or, with the context's state put back afterwards.
void VxDrawOutlineRect(CTkDC* pDC, const RECT& rect);
