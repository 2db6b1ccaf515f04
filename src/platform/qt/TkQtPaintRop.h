#pragma once
// Raster operations as GDI defines them: the binary mix modes (R2_*) that combine
// a pen or brush colour with the destination, and the ternary ones (the ROP3 codes
// of PatBlt and BitBlt) that also take a source pixel. Colours are QRgb values;
// only the 24 colour bits take part, the result is always opaque.

#include "platform/gdi/GdiTypes.h"

#include <QPainter>
#include <QRgb>

#include <optional>

// The mix of pen colour and destination for R2_BLACK .. R2_WHITE; an unknown code
// leaves the destination as it is.
QRgb TkApplyRop2(int rop, QRgb pen, QRgb dest);

// The ternary raster operation (its code in bits 16..23 of rop) of pattern, source
// and destination.
QRgb TkApplyRop3(DWORD rop, QRgb pattern, QRgb source, QRgb dest);

// Whether the ternary operation reads the pattern or the source at all.
bool TkRop3UsesPattern(DWORD rop);
bool TkRop3UsesSource(DWORD rop);

// QPainter's own raster operation for a mix mode, or nothing for R2_NOP, R2_COPYPEN
// and unknown codes, which are not raster operations there.
std::optional<QPainter::CompositionMode> TkRop2CompositionMode(int rop);
