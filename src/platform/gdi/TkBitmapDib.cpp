#include "platform/gdi/TkBitmapDib.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr DWORD kInfoHeaderSize = 40;
// Refuse patterns larger than any record could carry.
constexpr std::uint64_t kMaxBitsSize = std::uint64_t(1) << 30;

void PutLE(std::vector<BYTE>& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(BYTE(value >> (8 * i)));
}

}  // namespace

std::vector<BYTE> TkBitmapToPackedDib(const BITMAP& bitmap, std::span<const BYTE> bits)
{
    const unsigned depth = unsigned(bitmap.bmBitsPixel) * bitmap.bmPlanes;
    if (bitmap.bmWidth <= 0 || bitmap.bmHeight <= 0 || bitmap.bmWidthBytes < 0 ||
        (depth != 1 && depth != 16 && depth != 24 && depth != 32))
        return {};
    const std::uint64_t stride = (std::uint64_t(bitmap.bmWidth) * depth + 31) / 32 * 4;
    const std::uint64_t rows = std::uint64_t(bitmap.bmHeight);
    if (stride * rows > kMaxBitsSize)
        return {};

    std::vector<BYTE> dib;
    PutLE(dib, kInfoHeaderSize, 4);
    PutLE(dib, std::uint32_t(bitmap.bmWidth), 4);
    PutLE(dib, std::uint32_t(bitmap.bmHeight), 4);  // positive: bottom-up rows
    PutLE(dib, 1, 2);                                // planes
    PutLE(dib, depth, 2);
    PutLE(dib, 0, 4);  // BI_RGB
    PutLE(dib, std::uint32_t(stride * rows), 4);
    dib.resize(dib.size() + 16, 0);  // resolution, colours used and important
    if (depth == 1) {
        PutLE(dib, RGB(0, 0, 0), 4);
        PutLE(dib, RGB(255, 255, 255), 4);
    }

    const std::size_t source = std::size_t(bitmap.bmWidthBytes);
    const std::size_t copied = std::min<std::size_t>(source, std::size_t(stride));
    for (std::uint64_t row = rows; row-- > 0;) {
        const std::size_t start = dib.size();
        dib.resize(start + std::size_t(stride), 0);
        const std::uint64_t from = row * source;
        if (from < bits.size()) {
            const std::size_t n = std::min<std::size_t>(copied, bits.size() - std::size_t(from));
            std::copy_n(bits.begin() + std::ptrdiff_t(from), n,
                        dib.begin() + std::ptrdiff_t(start));
        }
    }
    return dib;
}
