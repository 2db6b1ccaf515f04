#include "platform/gdi/TkDibColours.h"

#include "platform/gdi/TkPackedDib.h"

namespace {

constexpr std::size_t kInfoHeaderSize = 40;

// Bytes per entry of an RGB colour table: RGBTRIPLE after a core header.
std::size_t RgbEntrySize(const TkPackedDibLayout& layout)
{
    return layout.headerSize < kInfoHeaderSize ? 3 : 4;
}

void MapTable(std::vector<BYTE>& dib, const TkPackedDibLayout& layout,
              const std::function<TkDibColour(TkDibColour)>& map)
{
    const std::size_t entry = RgbEntrySize(layout);
    for (std::size_t at = layout.headerSize; at + entry <= layout.BitsOffset(); at += entry) {
        const TkDibColour c = map({dib[at + 2], dib[at + 1], dib[at], 255});
        dib[at] = c.blue;
        dib[at + 1] = c.green;
        dib[at + 2] = c.red;
    }
}

void MapPixels(std::vector<BYTE>& dib, const TkPackedDibLayout& layout,
               const std::function<TkDibColour(TkDibColour)>& map)
{
    const std::size_t bytes = layout.bitCount / 8u;
    const std::size_t width = std::size_t(layout.width);
    const std::size_t stride = (width * layout.bitCount + 31) / 32 * 4;
    const std::size_t rows = stride == 0 ? 0 : layout.bitsSize / stride;
    for (std::size_t y = 0; y < rows; ++y) {
        BYTE* p = dib.data() + layout.BitsOffset() + y * stride;
        for (std::size_t x = 0; x < width; ++x, p += bytes) {
            const TkDibColour c = map({p[2], p[1], p[0], bytes == 4 ? p[3] : BYTE(255)});
            p[0] = c.blue;
            p[1] = c.green;
            p[2] = c.red;
            if (bytes == 4)
                p[3] = 0;
        }
    }
}

}  // namespace

std::optional<std::vector<BYTE>> TkMapDibColours(
    std::span<const BYTE> dib, const std::function<TkDibColour(TkDibColour)>& map)
{
    TkPackedDibLayout layout;
    if (!TkMeasurePackedDib(dib, DIB_RGB_COLORS, &layout) || layout.TotalSize() != dib.size())
        return std::nullopt;
    std::vector<BYTE> out(dib.begin(), dib.end());
    const bool indexed = layout.bitCount >= 1 && layout.bitCount <= 8;
    if (indexed && layout.compression != BI_BITFIELDS)
        MapTable(out, layout, map);
    else if ((layout.bitCount == 24 || layout.bitCount == 32) && layout.compression == BI_RGB)
        MapPixels(out, layout, map);
    else
        return std::nullopt;
    return out;
}

std::optional<std::vector<BYTE>> TkResolvePaletteColours(std::span<const BYTE> dib,
                                                         std::span<const PALETTEENTRY> palette)
{
    TkPackedDibLayout layout;
    if (!TkMeasurePackedDib(dib, DIB_PAL_COLORS, &layout) || layout.TotalSize() != dib.size() ||
        layout.bitCount > 8)
        return std::nullopt;
    const std::size_t entry = RgbEntrySize(layout);
    std::vector<BYTE> out(dib.begin(), dib.begin() + std::ptrdiff_t(layout.headerSize));
    for (std::size_t at = layout.headerSize; at + 2 <= layout.BitsOffset(); at += 2) {
        const std::size_t index = dib[at] | std::size_t(dib[at + 1]) << 8;
        const PALETTEENTRY c = index < palette.size() ? palette[index] : PALETTEENTRY{};
        out.insert(out.end(), {c.peBlue, c.peGreen, c.peRed});
        if (entry == 4)
            out.push_back(0);
    }
    out.insert(out.end(), dib.begin() + std::ptrdiff_t(layout.BitsOffset()), dib.end());
    return out;
}

namespace {

// Where row y (counted from the top) of a measured DIB starts.
std::size_t RowAt(const TkPackedDibLayout& layout, std::int64_t y)
{
    const std::size_t stride = (std::size_t(layout.width) * layout.bitCount + 31) / 32 * 4;
    const std::int64_t rows = layout.height < 0 ? -std::int64_t(layout.height) : layout.height;
    const std::int64_t stored = layout.height < 0 ? y : rows - 1 - y;
    return layout.BitsOffset() + std::size_t(stored) * stride;
}

bool Holds(const TkPackedDibLayout& layout, std::int64_t x, std::int64_t y, std::int64_t cx,
           std::int64_t cy)
{
    const std::int64_t rows = layout.height < 0 ? -std::int64_t(layout.height) : layout.height;
    return x >= 0 && y >= 0 && cx > 0 && cy > 0 && x + cx <= layout.width && y + cy <= rows;
}

void PutU32(std::vector<BYTE>& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(BYTE(v >> (8 * i)));
}

}  // namespace

std::optional<std::vector<BYTE>> TkMaskedDib(std::span<const BYTE> source, const RECT& box,
                                             std::span<const BYTE> mask, POINT maskOrigin,
                                             bool bShowWhereSet)
{
    TkPackedDibLayout src, msk;
    if (!TkMeasurePackedDib(source, DIB_RGB_COLORS, &src) ||
        !TkMeasurePackedDib(mask, DIB_RGB_COLORS, &msk) || src.compression != BI_RGB ||
        (src.bitCount != 24 && src.bitCount != 32) || msk.compression != BI_RGB ||
        msk.bitCount != 1 || msk.headerSize < kInfoHeaderSize || msk.colorTableSize < 8 ||
        !Holds(src, box.left, box.top, box.right, box.bottom) ||
        !Holds(msk, maskOrigin.x, maskOrigin.y, box.right, box.bottom))
        return std::nullopt;
    const auto light = [&](std::size_t index) {
        const std::size_t at = msk.headerSize + 4 * index;
        return mask[at] + mask[at + 1] + mask[at + 2] >= 384;
    };
    const bool shown[2] = {light(0) == bShowWhereSet, light(1) == bShowWhereSet};
    std::vector<BYTE> out;
    out.reserve(kInfoHeaderSize + std::size_t(box.right) * std::size_t(box.bottom) * 4);
    for (std::uint32_t v : {40u, std::uint32_t(box.right), std::uint32_t(-box.bottom),
                            1u | 32u << 16, 0u, 0u, 0u, 0u, 0u, 0u})
        PutU32(out, v);
    const std::size_t bytes = src.bitCount / 8u;
    for (LONG y = 0; y < box.bottom; ++y) {
        const std::size_t s = RowAt(src, box.top + y), m = RowAt(msk, maskOrigin.y + y);
        for (LONG x = 0; x < box.right; ++x) {
            const std::size_t mx = std::size_t(maskOrigin.x + x);
            const BYTE* p = source.data() + s + std::size_t(box.left + x) * bytes;
            if (shown[(mask[m + mx / 8] >> (7 - mx % 8)) & 1])
                out.insert(out.end(), {p[0], p[1], p[2], 255});
            else
                out.insert(out.end(), {0, 0, 0, 0});
        }
    }
    return out;
}
