#pragma once
// GDI brushes as Qt brushes: solid colours, the hatches (an 8-pixel tile whose
// gaps show the background colour in OPAQUE mode and are left alone in
// TRANSPARENT mode), and bitmap and DIB patterns. Tiles are laid from the
// painter's brush origin, which the caller sets to the DC's.

#include "platform/gdi/TkGdiObjects.h"

#include <QBrush>
#include <QImage>

#include <optional>

class CTkQtPaintColours;

// The brush behind a LOGBRUSH, the brush's own or an extended pen's (the object
// also carries the pattern); nothing for a hollow brush or a pattern that cannot
// be drawn. nHatchSize is the side of a hatch tile in device pixels: 8 on the
// screen, more on paper so that hatches keep their spacing on the page.
std::optional<QBrush> TkQtMakeBrush(const CTkGdiObject& object, const CTkQtPaintColours& colours,
                                    int nHatchSize = 8);

// The tile of hatch HS_*, nSize pixels square: the 8 x 8 pattern, scaled; hatch
// pixels in colour, the others in gaps or transparent without one.
QImage TkQtHatchTile(int hatch, QRgb colour, std::optional<QRgb> gaps, int nSize = 8);

// The side of a hatch tile on a device of nDpi pixels per inch: the size the
// 8-pixel tile has on a 96-dpi screen.
int TkQtPaperHatchSize(int nDpi);
