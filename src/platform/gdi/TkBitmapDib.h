#pragma once
// Device-dependent bitmaps as packed DIBs, the form in which metafiles carry the
// pattern of a pattern brush.

#include "platform/gdi/GdiTypes.h"

#include <span>
#include <vector>

// A bottom-up packed DIB (BITMAPINFOHEADER, colour table, rows padded to 32 bits)
// of a bitmap whose rows are top-down, bmWidthBytes apart. A monochrome bitmap gets
// a black and white colour table; 16, 24 and 32 bits per pixel need none. Other
// depths and empty bitmaps give an empty result. Rows missing from bits are zero.
std::vector<BYTE> TkBitmapToPackedDib(const BITMAP& bitmap, std::span<const BYTE> bits);
