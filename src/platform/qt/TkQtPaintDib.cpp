#include "platform/qt/TkQtPaintDib.h"

#include "platform/gdi/TkPackedDib.h"
#include "platform/qt/TkQtDibImageCache.h"

#include <algorithm>
#include <bit>
#include <tuple>
#include <utility>
#include <limits>

namespace {

constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kMasksSize = 12;

std::uint32_t ReadLE(std::span<const std::uint8_t> bytes, std::size_t offset, int count)
{
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | bytes[offset + std::size_t(i)];
    return value;
}

// One colour channel of a bit-field pixel, widened to 8 bits.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint32_t max = 0;

    explicit Channel(std::uint32_t m) : mask(m)
    {
        if (m != 0) {
            shift = std::countr_zero(m);
            max = m >> shift;
        }
    }
    int Of(std::uint32_t pixel) const
    {
        return max == 0 ? 0 : int(std::uint64_t((pixel & mask) >> shift) * 255u / max);
    }
};

struct Masks {
    Channel red;
    Channel green;
    Channel blue;

    QRgb Of(std::uint32_t pixel) const
    {
        return qRgb(red.Of(pixel), green.Of(pixel), blue.Of(pixel));
    }
};

// A colour premultiplied by a that a writer did not premultiply is held to a.
QRgb WithAlpha(QRgb c, int a)
{
    return qRgba(std::min(qRed(c), a), std::min(qGreen(c), a), std::min(qBlue(c), a), a);
}

class CDibReader {
public:
    CDibReader(std::span<const std::uint8_t> dib, UINT usage, const TkPackedDibLayout& layout,
               const TkQtDibColours& colours)
        : m_dib(dib), m_usage(usage), m_layout(layout), m_colours(colours)
    {
    }

    QImage Decode();
    // Run-length coded rows, always bottom-up; pixels the runs skip keep the
    // first colour of the table.
    QImage DecodeRle();

private:
    QRgb Colour(std::size_t index) const
    {
        return index < m_table.size() ? m_table[index] : qRgb(0, 0, 0);
    }
    bool ReadTable();
    bool ReadMasks();
    QRgb Pixel(std::size_t rowOffset, LONG x) const;

    std::span<const std::uint8_t> m_dib;
    UINT m_usage;
    const TkPackedDibLayout& m_layout;
    const TkQtDibColours& m_colours;
    std::vector<QRgb> m_table;
    Masks m_masks{Channel(0x7C00), Channel(0x03E0), Channel(0x001F)};
};

bool CDibReader::ReadTable()
{
    if (m_layout.bitCount == 1 && !m_colours.bMonoFromTable) {
        // A monochrome pattern takes the DC's colours, whatever the table says.
        m_table = {m_colours.textColour, m_colours.bkColour};
        return true;
    }
    if (m_layout.bitCount > 8)
        return true;
    const bool core = m_layout.headerSize < kInfoHeaderSize;
    const std::size_t entrySize = m_usage == DIB_PAL_COLORS ? 2 : (core ? 3 : 4);
    const std::size_t count = m_layout.colorTableSize / entrySize;
    const std::size_t start = m_layout.headerSize;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = start + i * entrySize;
        if (m_usage == DIB_PAL_COLORS) {
            const std::size_t index = ReadLE(m_dib, at, 2);
            const auto& palette = m_colours.palette;
            m_table.push_back(index < palette.size() ? palette[index] : qRgb(0, 0, 0));
        } else {
            m_table.push_back(qRgb(m_dib[at + 2], m_dib[at + 1], m_dib[at]));
        }
    }
    return true;
}

bool CDibReader::ReadMasks()
{
    if (m_layout.compression != BI_BITFIELDS) {
        if (m_layout.bitCount == 32)
            m_masks = {Channel(0x00FF0000), Channel(0x0000FF00), Channel(0x000000FF)};
        return true;
    }
    // The masks follow a plain info header and sit inside the larger ones; either
    // way they must lie before the bits.
    if (kInfoHeaderSize + kMasksSize > m_layout.BitsOffset())
        return false;
    m_masks = {Channel(ReadLE(m_dib, 40, 4)), Channel(ReadLE(m_dib, 44, 4)),
               Channel(ReadLE(m_dib, 48, 4))};
    return true;
}

QRgb CDibReader::Pixel(std::size_t row, LONG x) const
{
    const auto bits = std::size_t(m_layout.bitCount);
    const std::size_t bitOffset = std::size_t(x) * bits;
    const std::size_t at = row + bitOffset / 8;
    switch (bits) {
    case 1:
    case 4:
    case 8: {
        const unsigned shift = unsigned(8 - bits - bitOffset % 8);
        return Colour((m_dib[at] >> shift) & ((1u << bits) - 1));
    }
    case 16: return m_masks.Of(ReadLE(m_dib, at, 2));
    case 24: return qRgb(m_dib[at + 2], m_dib[at + 1], m_dib[at]);
    default: return m_masks.Of(ReadLE(m_dib, at, 4));
    }
}

QImage CDibReader::Decode()
{
    if (!ReadTable() || !ReadMasks())
        return {};
    const LONG width = m_layout.width;
    const LONG height = m_layout.height < 0 ? -m_layout.height : m_layout.height;
    const std::size_t stride = (std::size_t(width) * m_layout.bitCount + 31) / 32 * 4;
    const bool alpha = m_colours.bAlpha && m_layout.bitCount == 32;
    QImage image(width, height, alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    if (image.isNull())
        return {};
    for (LONG y = 0; y < height; ++y) {
        // Rows are stored bottom-up unless the height is negative.
        const LONG stored = m_layout.height < 0 ? y : height - 1 - y;
        const std::size_t row = m_layout.BitsOffset() + std::size_t(stored) * stride;
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (LONG x = 0; x < width; ++x)
            line[x] = alpha ? WithAlpha(Pixel(row, x), m_dib[row + std::size_t(x) * 4 + 3])
                            : Pixel(row, x);
    }
    return image;
}

QImage CDibReader::DecodeRle()
{
    if (m_layout.height < 0 || !ReadTable())
        return {};
    QImage image(m_layout.width, m_layout.height, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    image.fill(Colour(0));
    const auto bits = m_dib.subspan(m_layout.BitsOffset(), m_layout.bitsSize);
    const bool b4 = m_layout.compression == BI_RLE4;
    const auto nibble = [b4](unsigned byte, std::int64_t k) {
        return b4 ? (k % 2 == 0 ? byte >> 4 : byte & 15u) : byte;
    };
    std::int64_t x = 0, y = 0;  // y counts stored rows from the bottom
    const auto put = [&](unsigned index) {
        if (x < image.width() && y < image.height())
            reinterpret_cast<QRgb*>(image.scanLine(int(image.height() - 1 - y)))[x] = Colour(index);
        ++x;
    };
    for (std::size_t i = 0; i + 1 < bits.size() && y < image.height();) {
        const unsigned count = bits[i], value = bits[i + 1];
        i += 2;
        if (count > 0) {  // a run of one index, or of two alternating nibbles
            for (unsigned k = 0; k < count && x < image.width(); ++k)
                put(b4 ? nibble(value, k) : value);
        } else if (value == 0) {  // end of row
            x = 0, ++y;
        } else if (value == 1) {  // end of bitmap
            break;
        } else if (value == 2) {  // move right and up
            if (i + 1 >= bits.size())
                break;
            x += bits[i], y += bits[i + 1];
            i += 2;
        } else {  // value literal indexes, padded to a whole word
            const std::size_t bytes = b4 ? (value + 1) / 2 : value;
            if (bytes > bits.size() - i)
                break;
            for (unsigned k = 0; k < value; ++k)
                put(b4 ? nibble(bits[i + k / 2], k) : bits[i + k]);
            i += (bytes + 1) / 2 * 2;
        }
    }
    return image;
}

}  // namespace

QImage TkQtDecodePackedDib(std::span<const std::uint8_t> dib, UINT usage,
                           const TkQtDibColours& colours, std::int64_t maxPixels)
{
    TkPackedDibLayout layout;
    if (!TkMeasurePackedDib(dib, usage, &layout))
        return {};
    const std::int64_t rows = layout.height < 0 ? -std::int64_t(layout.height) : layout.height;
    if (std::int64_t(layout.width) * rows > maxPixels)
        return {};
    if (layout.compression == BI_PNG || layout.compression == BI_JPEG) {
        const auto bits = dib.subspan(layout.BitsOffset(), layout.bitsSize);
        if (bits.size() > std::size_t(std::numeric_limits<int>::max()))
            return {};
        const QImage image = QImage::fromData(bits.data(), int(bits.size()));
        // The header's size is the one the picture was laid out for.
        if (image.width() != layout.width || image.height() != rows)
            return {};
        return image.convertToFormat(QImage::Format_RGB32);
    }
    if (layout.compression == BI_RLE8 || layout.compression == BI_RLE4)
        return CDibReader(dib, usage, layout, colours).DecodeRle();
    if (layout.compression != BI_RGB && layout.compression != BI_BITFIELDS)
        return {};
    return CDibReader(dib, usage, layout, colours).Decode();
}

QImage TkQtDecodeBlitDib(const TkDibBlit& blit, const TkQtDibColours& colours,
                         bool* pbBottomUp)
{
    TkQtDibColours own = colours;
    own.bMonoFromTable = true;
    std::vector<std::uint8_t> joined;
    std::span<const std::uint8_t> dib{blit.bmi.data(), blit.bmi.size() + blit.bits.size()};
    if (blit.bmi.data() + blit.bmi.size() != blit.bits.data()) {
        joined.assign(blit.bmi.begin(), blit.bmi.end());
        joined.insert(joined.end(), blit.bits.begin(), blit.bits.end());
        dib = joined;
    }
    TkPackedDibLayout layout;
    if (!TkMeasurePackedDib(dib, blit.usage, &layout))
        return {};
    *pbBottomUp = layout.height > 0;
    return TkQtDecodePackedDib(dib, blit.usage, own, kTkQtMaxBitmapPixels);
}

namespace {

// What the image of a blit depends on besides its bytes.
std::uint64_t VariantOf(const TkDibBlit& blit)
{
    const std::uint64_t parameter =
        blit.call == TkDibBlitCall::AlphaBlend       ? (blit.blendFunction >> 24) & AC_SRC_ALPHA
        : blit.call == TkDibBlitCall::TransparentBlt ? blit.transparentColour
                                                     : 0;
    return std::uint64_t(blit.call) << 48 | std::uint64_t(blit.usage) << 32 | parameter;
}

QImage Decode(const TkDibBlit& blit, TkQtDibColours colours, bool* pbBottomUp)
{
    colours.bAlpha = blit.call == TkDibBlitCall::AlphaBlend &&
                     ((blit.blendFunction >> 24) & AC_SRC_ALPHA) != 0;
    QImage image = TkQtDecodeBlitDib(blit, colours, pbBottomUp);
    if (image.isNull() || blit.call != TkDibBlitCall::TransparentBlt)
        return image;
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const COLORREF c = blit.transparentColour;
    const QRgb key = qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        std::replace(line, line + image.width(), key, QRgb(0));
    }
    return image;
}

}  // namespace

QImage TkQtBlitImage(const TkDibBlit& blit, const TkQtDibColours& colours, bool* pbBottomUp)
{
    // Palette colours depend on the DC: only bitmaps with their own colours are kept.
    const bool keep = blit.owner && blit.usage == DIB_RGB_COLORS;
    CTkQtDibImageCache& cache = CTkQtDibImageCache::Instance();
    if (keep) {
        const CTkQtDibImageCache::Image kept = cache.Find(blit.owner, VariantOf(blit));
        if (!kept.image.isNull()) {
            *pbBottomUp = kept.bBottomUp;
            return kept.image;
        }
    }
    QImage image = Decode(blit, colours, pbBottomUp);
    if (keep && !image.isNull())
        cache.Store(blit.owner, VariantOf(blit), {image, *pbBottomUp});
    return image;
}

QRect TkQtBlitSourceRect(const TkDibBlit& blit, int imageHeight, bool bBottomUp)
{
    bBottomUp = bBottomUp && (blit.call == TkDibBlitCall::StretchDIBits ||
                              blit.call == TkDibBlitCall::SetDIBitsToDevice);
    const auto span = [](std::int64_t from, std::int64_t extent) {
        return std::pair(std::min(from, from + extent), std::max(from, from + extent));
    };
    const auto [x0, x1] = span(blit.xSrc, blit.cxSrc);
    auto [y0, y1] = span(blit.ySrc, blit.cySrc);
    if (bBottomUp)
        std::tie(y0, y1) = std::pair(imageHeight - y1, imageHeight - y0);
    const auto clamp = [](std::int64_t v) {
        return int(std::clamp<std::int64_t>(v, -kTkQtMaxBitmapPixels, kTkQtMaxBitmapPixels));
    };
    return QRect(QPoint(clamp(x0), clamp(y0)), QPoint(clamp(x1) - 1, clamp(y1) - 1));
}
