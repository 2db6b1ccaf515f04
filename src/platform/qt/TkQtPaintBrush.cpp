#include "platform/qt/TkQtPaintBrush.h"

#include "platform/gdi/TkBitmapDib.h"
#include "platform/qt/TkQtPaintColours.h"
#include "platform/qt/TkQtPaintDib.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kHatchSize = 8;

// The hatches of the metafile formats beyond the six line patterns are solid
// colours: the brush's, the text's or the background's.
constexpr std::uint32_t HS_SOLIDCLR = 6;
constexpr std::uint32_t HS_DITHEREDCLR = 7;
constexpr std::uint32_t HS_SOLIDTEXTCLR = 8;
constexpr std::uint32_t HS_DITHEREDTEXTCLR = 9;
constexpr std::uint32_t HS_SOLIDBKCLR = 10;
constexpr std::uint32_t HS_DITHEREDBKCLR = 11;

// Every hatch line passes through the brush origin, so moving the origin moves
// the hatch by as much.
bool IsHatchPixel(int hatch, int x, int y)
{
    const bool horizontal = y == 0;
    const bool vertical = x == 0;
    const bool forward = x == y;                   // top left to bottom right
    const bool backward = x + y == kHatchSize - 1;  // bottom left to top right
    switch (hatch) {
    case HS_HORIZONTAL: return horizontal;
    case HS_VERTICAL: return vertical;
    case HS_FDIAGONAL: return forward;
    case HS_BDIAGONAL: return backward;
    case HS_CROSS: return horizontal || vertical;
    case HS_DIAGCROSS: return forward || backward;
    default: return false;
    }
}

std::optional<QBrush> HatchBrush(const LOGBRUSH& lb, const CTkQtPaintColours& colours,
                                 int nHatchSize)
{
    const QRgb colour = colours.Of(lb.lbColor);
    switch (lb.lbHatch) {
    case HS_SOLIDCLR:
    case HS_DITHEREDCLR: return QBrush(QColor(colour));
    case HS_SOLIDTEXTCLR:
    case HS_DITHEREDTEXTCLR: return QBrush(QColor(colours.Text()));
    case HS_SOLIDBKCLR:
    case HS_DITHEREDBKCLR: return QBrush(QColor(colours.Background()));
    default: break;
    }
    if (lb.lbHatch > HS_DIAGCROSS)
        return std::nullopt;
    const auto gaps = colours.IsOpaque() ? std::optional<QRgb>(colours.Background()) : std::nullopt;
    return QBrush(TkQtHatchTile(int(lb.lbHatch), colour, gaps, nHatchSize));
}

std::optional<QBrush> PatternBrush(const CTkGdiObject& object, const CTkQtPaintColours& colours)
{
    TkQtDibColours dibColours{colours.Text(), colours.Background(), colours.Palette()};
    QImage pattern;
    if (!object.dib.empty()) {
        pattern = TkQtDecodePackedDib(object.dib, object.dibUsage, dibColours);
    } else {
        const std::vector<BYTE> dib = TkBitmapToPackedDib(object.bitmap, object.bits);
        pattern = TkQtDecodePackedDib(dib, DIB_RGB_COLORS, dibColours);
    }
    if (pattern.isNull())
        return std::nullopt;
    return QBrush(pattern);
}

}  // namespace

QImage TkQtHatchTile(int hatch, QRgb colour, std::optional<QRgb> gaps, int nSize)
{
    nSize = std::max(nSize, 1);
    QImage tile(nSize, nSize, QImage::Format_ARGB32_Premultiplied);
    const QRgb gap = gaps ? qRgb(qRed(*gaps), qGreen(*gaps), qBlue(*gaps)) : 0;
    const QRgb ink = qRgb(qRed(colour), qGreen(colour), qBlue(colour));
    // Each tile pixel takes the pattern pixel it falls in.
    const auto pattern = [nSize](int v) { return v * kHatchSize / nSize; };
    for (int y = 0; y < nSize; ++y) {
        auto* line = reinterpret_cast<QRgb*>(tile.scanLine(y));
        for (int x = 0; x < nSize; ++x)
            line[x] = IsHatchPixel(hatch, pattern(x), pattern(y)) ? ink : gap;
    }
    return tile;
}

int TkQtPaperHatchSize(int nDpi)
{
    constexpr int kScreenDpi = 96;
    // Beyond this a tile would take more memory than a hatch is worth.
    constexpr int kMaxSize = 1024;
    return std::clamp(int(std::lround(double(kHatchSize) * nDpi / kScreenDpi)), kHatchSize,
                      kMaxSize);
}

std::optional<QBrush> TkQtMakeBrush(const CTkGdiObject& object, const CTkQtPaintColours& colours,
                                    int nHatchSize)
{
    const LOGBRUSH& lb = object.brush;
    switch (lb.lbStyle) {
    case BS_SOLID: return QBrush(QColor(colours.Of(lb.lbColor)));
    case BS_HATCHED: return HatchBrush(lb, colours, nHatchSize);
    case BS_PATTERN:
    case BS_PATTERN8X8:
    case BS_MONOPATTERN:
    case BS_DIBPATTERN:
    case BS_DIBPATTERNPT:
    case BS_DIBPATTERN8X8: return PatternBrush(object, colours);
    default: return std::nullopt;  // hollow, and styles no DC draws with
    }
}
