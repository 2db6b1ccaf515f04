#pragma once
// The enhanced-metafile records that carry a bitmap: EMR_BITBLT, EMR_STRETCHBLT,
// EMR_STRETCHDIBITS and EMR_SETDIBITSTODEVICE, parsed from untrusted record bytes.
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
};

// nullopt for another record type or a malformed record.
std::optional<TkEmrDibBlit> TkParseEmrDibBlit(std::span<const std::uint8_t> record);
