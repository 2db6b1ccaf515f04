#pragma once
// Rewriting the colours of a packed DIB without decoding it into an image:
// through its colour table where it has one, pixel by pixel where its pixels
// are plain 24- or 32-bit colours.

#include "platform/gdi/GdiTypes.h"

#include <functional>
#include <optional>
#include <span>
#include <vector>

struct TkDibColour {
    BYTE red = 0;
    BYTE green = 0;
    BYTE blue = 0;
    BYTE alpha = 255;  // the fourth byte of a 32-bit pixel; 255 for table colours

    COLORREF Ref() const { return RGB(red, green, blue); }
};

// A copy of dib (whole, DIB_RGB_COLORS) with every colour passed through map:
// the table of a 1-, 4- or 8-bit bitmap (run-length coded too), the pixels of
// an uncompressed 24- or 32-bit one (whose fourth byte comes back 0). nullopt
// for other forms and malformed bytes. The result's alpha is not used.
std::optional<std::vector<BYTE>> TkMapDibColours(
    std::span<const BYTE> dib, const std::function<TkDibColour(TkDibColour)>& map);

// A DIB_PAL_COLORS bitmap (whole) as a DIB_RGB_COLORS one: each 16-bit entry of
// its table becomes the palette colour it names (black past the palette's end).
// nullopt for a malformed bitmap or one deeper than 8 bits.
std::optional<std::vector<BYTE>> TkResolvePaletteColours(std::span<const BYTE> dib,
                                                         std::span<const PALETTEENTRY> palette);

// The box (x, y, width, height, counted from the top row) of a 24- or 32-bit
// uncompressed source as a top-down 32-bit DIB with premultiplied alpha: opaque
// where the 1-bit mask, from maskOrigin, is shown, empty elsewhere. A mask
// pixel is set where its table colour is light; bShowWhereSet picks which of
// the two shows. nullopt for other forms, or a box outside either bitmap.
std::optional<std::vector<BYTE>> TkMaskedDib(std::span<const BYTE> source, const RECT& box,
                                             std::span<const BYTE> mask, POINT maskOrigin,
                                             bool bShowWhereSet);
