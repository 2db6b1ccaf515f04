#pragma once
// Packed DIBs (the patterns of pattern brushes, which come from files) decoded
// into images for painting. The bytes are measured before anything reads them.

#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/TkDibBlit.h"

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
    // A bitmap that is drawn rather than used as a pattern keeps the colours of
    // its own table, whatever its depth.
    bool bMonoFromTable = false;
    // 32-bit pixels keep their fourth byte as premultiplied alpha (AlphaBlend
    // with AC_SRC_ALPHA): the image is then ARGB32_Premultiplied.
    bool bAlpha = false;
};

// Patterns larger than this many pixels are refused rather than decoded.
constexpr std::int64_t kTkQtMaxPatternPixels = std::int64_t(1) << 22;
// And bitmaps drawn by a blit larger than this (128 MB as an image).
constexpr std::int64_t kTkQtMaxBitmapPixels = std::int64_t(1) << 25;

// The DIB as an opaque RGB32 image with its top row first, or a null image when
// the bytes are not a DIB this can draw (malformed, larger than maxPixels).
// Run-length coded bitmaps are decoded too, PNG and JPEG ones by Qt.
QImage TkQtDecodePackedDib(std::span<const std::uint8_t> dib, UINT usage,
                           const TkQtDibColours& colours,
                           std::int64_t maxPixels = kTkQtMaxPatternPixels);

// The whole bitmap of a blit, whose BITMAPINFO and bits may lie apart, drawn in
// the colours of its own table; a null image as above. *pbBottomUp tells how
// its rows were stored.
QImage TkQtDecodeBlitDib(const TkDibBlit& blit, const TkQtDibColours& colours,
                         bool* pbBottomUp);

// The image a blit draws: decoded as above, with per-pixel alpha for AlphaBlend
// with AC_SRC_ALPHA and the transparent colour cleared for TransparentBlt (both
// ARGB32_Premultiplied). Kept and reused while blit.owner lives.
QImage TkQtBlitImage(const TkDibBlit& blit, const TkQtDibColours& colours, bool* pbBottomUp);

// The blit's source rectangle in that image (top row first): StretchDIBits and
// SetDIBitsToDevice count y from the last stored row of a bottom-up bitmap, the
// blits from a source DC from its top. It may reach outside the image.
QRect TkQtBlitSourceRect(const TkDibBlit& blit, int imageHeight, bool bBottomUp);
