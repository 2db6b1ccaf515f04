#pragma once
// The layout of a packed device-independent bitmap (a BITMAPINFOHEADER or
// BITMAPCOREHEADER, its colour masks and colour table, then the bits), measured
// from untrusted bytes before anything reads the bitmap.

#include "platform/gdi/GdiTypes.h"

#include <cstddef>
#include <cstdint>
#include <span>

constexpr DWORD BI_RGB = 0;
constexpr DWORD BI_RLE8 = 1;
constexpr DWORD BI_RLE4 = 2;
constexpr DWORD BI_BITFIELDS = 3;
constexpr DWORD BI_JPEG = 4;
constexpr DWORD BI_PNG = 5;

struct TkPackedDibLayout {
    std::size_t headerSize = 0;      // 12 for a core header, otherwise biSize
    std::size_t colorTableSize = 0;  // colour masks and colour table, in bytes
    std::size_t bitsSize = 0;
    LONG width = 0;
    LONG height = 0;  // negative: top-down rows
    WORD bitCount = 0;
    DWORD compression = BI_RGB;

    std::size_t BitsOffset() const { return headerSize + colorTableSize; }
    std::size_t TotalSize() const { return BitsOffset() + bitsSize; }
};

// Fills *pLayout and returns true when dib starts with a well-formed packed DIB
// that fits in it; usage (DIB_RGB_COLORS, DIB_PAL_COLORS or DIB_PAL_INDICES) sets
// the size of a colour-table entry.
bool TkMeasurePackedDib(std::span<const std::uint8_t> dib, UINT usage,
                        TkPackedDibLayout* pLayout);
