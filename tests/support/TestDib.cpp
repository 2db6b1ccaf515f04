#include "support/TestDib.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void PutLE(Bytes& b, std::uint32_t value, int count)
{
    for (int i = 0; i < count; ++i)
        b.push_back(std::uint8_t(value >> (8 * i)));
}

}  // namespace

Bytes TestDib(LONG width, LONG height, WORD bitCount, const std::vector<std::uint32_t>& table,
              const std::vector<Bytes>& rows, DWORD compression, UINT usage)
{
    Bytes b;
    PutLE(b, 40, 4);
    PutLE(b, std::uint32_t(width), 4);
    PutLE(b, std::uint32_t(height), 4);
    PutLE(b, 1, 2);
    PutLE(b, bitCount, 2);
    PutLE(b, compression, 4);
    PutLE(b, 0, 4);
    PutLE(b, 0, 4);
    PutLE(b, 0, 4);
    // Bit-field masks stand where the table would; they are not colours.
    PutLE(b, compression == BI_BITFIELDS ? 0 : std::uint32_t(table.size()), 4);
    PutLE(b, 0, 4);
    for (const std::uint32_t entry : table)
        PutLE(b, entry, usage == DIB_PAL_COLORS ? 2 : 4);
    for (Bytes row : rows) {
        row.resize((row.size() + 3) / 4 * 4);
        b.insert(b.end(), row.begin(), row.end());
    }
    return b;
}
