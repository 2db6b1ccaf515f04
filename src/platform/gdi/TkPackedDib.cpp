#include "platform/gdi/TkPackedDib.h"

namespace {

constexpr std::size_t kCoreHeaderSize = 12;
constexpr std::size_t kInfoHeaderSize = 40;

std::uint32_t ReadLE(std::span<const std::uint8_t> bytes, std::size_t offset, int count)
{
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | bytes[offset + i];
    return value;
}

bool IsValidBitCount(WORD bitCount)
{
    switch (bitCount) {
    case 1: case 4: case 8: case 16: case 24: case 32:
        return true;
    default:
        return false;
    }
}

bool IsValidCompression(DWORD compression, WORD bitCount)
{
    switch (compression) {
    case BI_RGB: return IsValidBitCount(bitCount);
    case BI_RLE8: return bitCount == 8;
    case BI_RLE4: return bitCount == 4;
    case BI_BITFIELDS: return bitCount == 16 || bitCount == 32;
    case BI_JPEG: case BI_PNG: return bitCount == 0;
    default: return false;
    }
}

// Header fields as they are laid out in both header forms.
struct HeaderFields {
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint32_t planes = 0;
    WORD bitCount = 0;
    DWORD compression = BI_RGB;
    std::uint64_t sizeImage = 0;
    std::uint64_t colorsUsed = 0;
};

bool ReadHeader(std::span<const std::uint8_t> dib, std::size_t headerSize, HeaderFields* p)
{
    if (headerSize == kCoreHeaderSize) {
        p->width = ReadLE(dib, 4, 2);
        p->height = ReadLE(dib, 6, 2);
        p->planes = ReadLE(dib, 8, 2);
        p->bitCount = WORD(ReadLE(dib, 10, 2));
        return true;
    }
    if (headerSize < kInfoHeaderSize)
        return false;
    p->width = std::int32_t(ReadLE(dib, 4, 4));
    p->height = std::int32_t(ReadLE(dib, 8, 4));
    p->planes = ReadLE(dib, 12, 2);
    p->bitCount = WORD(ReadLE(dib, 14, 2));
    p->compression = ReadLE(dib, 16, 4);
    p->sizeImage = ReadLE(dib, 20, 4);
    p->colorsUsed = ReadLE(dib, 32, 4);
    return true;
}

}  // namespace

bool TkMeasurePackedDib(std::span<const std::uint8_t> dib, UINT usage,
                        TkPackedDibLayout* pLayout)
{
    if (pLayout == nullptr || dib.size() < 4 || usage > DIB_PAL_INDICES)
        return false;
    const std::size_t headerSize = ReadLE(dib, 0, 4);
    if (headerSize > dib.size())
        return false;
    HeaderFields h;
    if (!ReadHeader(dib, headerSize, &h))
        return false;
    if (h.width <= 0 || h.height == 0 || h.planes != 1 ||
        !IsValidCompression(h.compression, h.bitCount))
        return false;

    const bool core = headerSize == kCoreHeaderSize;
    std::uint64_t entries = h.colorsUsed;
    if (entries == 0 && h.bitCount != 0 && h.bitCount <= 8)  // JPEG and PNG have none
        entries = std::uint64_t(1) << h.bitCount;
    // DIB_PAL_INDICES bitmaps have no colour table at all.
    const std::uint64_t entrySize =
        usage == DIB_PAL_INDICES ? 0 : usage == DIB_PAL_COLORS ? 2 : (core ? 3 : 4);
    // A plain info header keeps the three colour masks in front of the table.
    const std::uint64_t masks =
        (h.compression == BI_BITFIELDS && headerSize == kInfoHeaderSize) ? 12 : 0;
    const std::uint64_t tableSize = masks + entries * entrySize;

    const std::uint64_t available = dib.size() - headerSize;
    std::uint64_t bitsSize = h.sizeImage;
    if (h.compression == BI_RGB || h.compression == BI_BITFIELDS) {
        const std::uint64_t stride = (std::uint64_t(h.width) * h.bitCount + 31) / 32 * 4;
        const std::uint64_t rows = std::uint64_t(h.height < 0 ? -h.height : h.height);
        if (stride > available / rows)
            return false;
        bitsSize = stride * rows;
    } else if (bitsSize == 0) {
        return false;
    }
    if (tableSize > available || bitsSize > available - tableSize)
        return false;

    pLayout->headerSize = headerSize;
    pLayout->colorTableSize = std::size_t(tableSize);
    pLayout->bitsSize = std::size_t(bitsSize);
    pLayout->width = LONG(h.width);
    pLayout->height = LONG(h.height);
    pLayout->bitCount = h.bitCount;
    pLayout->compression = h.compression;
    return true;
}
