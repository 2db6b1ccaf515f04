#pragma once
// Packed DIBs built field by field for tests.

#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/TkPackedDib.h"

#include <cstdint>
#include <vector>

// A packed DIB with a 40-byte header: table entries as 0x00RRGGBB (or palette
// indices for DIB_PAL_COLORS), rows in stored order, each padded to 32 bits.
std::vector<std::uint8_t> TestDib(LONG width, LONG height, WORD bitCount,
                                  const std::vector<std::uint32_t>& table,
                                  const std::vector<std::vector<std::uint8_t>>& rows,
                                  DWORD compression = BI_RGB, UINT usage = DIB_RGB_COLORS);
