#pragma once
// Packed DIBs (the patterns of pattern brushes, which come from files) decoded
// into images for painting. The bytes are measured before anything reads them.

#include "platform/gdi/GdiTypes.h"

#include <QImage>

#include <cstdint>
#include <span>
#include <vector>

// What a DIB's colours depend on besides its own bytes.
struct TkQtDibColours {
    // Monochrome patterns take their colours from the DC, as GDI draws them:
    // 0 bits in the text colour, 1 bits in the background colour.
    QRgb textColour = 0xFF000000;
    QRgb bkColour = 0xFFFFFFFF;
    // The DC's palette, for DIB_PAL_COLORS colour tables.
    std::vector<QRgb> palette;
};

// Patterns larger than this many pixels are refused rather than decoded.
constexpr std::int64_t kTkQtMaxPatternPixels = std::int64_t(1) << 22;

// The DIB as an opaque RGB32 image with its top row first, or a null image when
// the bytes are not a DIB this can draw (malformed, compressed, too large).
QImage TkQtDecodePackedDib(std::span<const std::uint8_t> dib, UINT usage,
                           const TkQtDibColours& colours);
