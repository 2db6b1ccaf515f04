#pragma once
// The enhanced-metafile records that carry a bitmap: EMR_BITBLT, EMR_STRETCHBLT,
// EMR_STRETCHDIBITS, EMR_SETDIBITSTODEVICE, EMR_ALPHABLEND, EMR_TRANSPARENTBLT,
// EMR_MASKBLT and EMR_PLGBLT, parsed from untrusted record bytes.
// Only the record's own offsets are checked here; the bitmap is measured where it
// is used (TkMeasurePackedDib).

#include "platform/gdi/TkDibBlit.h"

#include <cstdint>
#include <optional>
#include <span>

struct TkEmrDibBlit {
    TkDibBlit blit;  // bmi and bits point into the record; either may be empty
    // The source's world transform (BitBlt and StretchBlt only): eM11, eM12,
    // eM21, eM22, eDx, eDy.
    float xformSrc[6] = {1, 0, 0, 1, 0, 0};
    DWORD type = 0;  // the record's type
    // EMR_MASKBLT (blit.rop is its ROP4) and EMR_PLGBLT: the mask's areas, empty
    // when there is none, and its origin.
    std::span<const BYTE> maskBmi;
    std::span<const BYTE> maskBits;
    UINT maskUsage = DIB_RGB_COLORS;
    int xMask = 0;
    int yMask = 0;
    // EMR_PLGBLT: the destination's upper-left, upper-right and lower-left corners;
    // blit has the source box and no destination.
    POINT parallelogram[3] = {};
};

// nullopt for another record type or a malformed record.
std::optional<TkEmrDibBlit> TkParseEmrDibBlit(std::span<const std::uint8_t> record);
