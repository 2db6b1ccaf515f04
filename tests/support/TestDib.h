#pragma once
// Packed DIBs built field by field for tests.

#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/TkPackedDib.h"

#include <cstdint>
#include <utility>
#include <vector>

// A packed DIB with a 40-byte header: table entries as 0x00RRGGBB (or palette
// indices for DIB_PAL_COLORS), rows in stored order, each padded to 32 bits.
inline std::vector<std::uint8_t> TestDib(LONG width, LONG height, WORD bitCount,
                                         const std::vector<std::uint32_t>& table,
                                         const std::vector<std::vector<std::uint8_t>>& rows,
                                         DWORD compression = BI_RGB, UINT usage = DIB_RGB_COLORS)
{
    std::vector<std::uint8_t> b;
    const auto put = [&b](std::uint32_t value, int count) {
        for (int i = 0; i < count; ++i)
            b.push_back(std::uint8_t(value >> (8 * i)));
    };
    // Bit-field masks stand where the table would; they are not colours.
    const auto colours = compression == BI_BITFIELDS ? 0 : std::uint32_t(table.size());
    using Field = std::pair<std::uint32_t, int>;  // value, bytes
    for (const auto& [value, count] :
         {Field{40, 4}, Field{std::uint32_t(width), 4}, Field{std::uint32_t(height), 4},
          Field{1, 2}, Field{bitCount, 2}, Field{compression, 4}, Field{0, 4}, Field{0, 4},
          Field{0, 4}, Field{colours, 4}, Field{0, 4}})
        put(value, count);
    for (const std::uint32_t entry : table)
        put(entry, usage == DIB_PAL_COLORS ? 2 : 4);
    for (auto row : rows) {
        row.resize((row.size() + 3) / 4 * 4);
        b.insert(b.end(), row.begin(), row.end());
    }
    return b;
}
