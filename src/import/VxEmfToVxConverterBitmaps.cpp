// The bitmap records of CVxEmfToVxConverter: every blit that carries a source
// bitmap becomes one bitmap graphic, drawn with StretchDIBits, blended or with a
// transparent colour. Palette colours are resolved here, so that the graphic
// keeps its colours whatever DC draws it.

#include "import/VxEmfToVxConverter.h"

#include "graphics/VxBitmap.h"
#include "platform/gdi/EmfRecordTypes.h"
#include "platform/gdi/TkDibColours.h"
#include "platform/gdi/TkEmfBlitRecords.h"
#include "platform/gdi/TkGdiObjects.h"
#include "platform/gdi/TkPackedDib.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace {

// The operations that combine only the source with the destination: a bitmap
// graphic holds no brush for the others to read.
constexpr std::array<DWORD, 7> kSourceRops = {
    0x00CC0020,  // SRCCOPY
    0x00EE0086,  // SRCPAINT
    0x008800C6,  // SRCAND
    0x00660046,  // SRCINVERT
    0x00440328,  // SRCERASE
    0x00330008,  // NOTSRCCOPY
    0x001100A6,  // NOTSRCERASE
};

bool FitsInt(double value)
{
    return std::isfinite(value) && value >= std::numeric_limits<int>::min() &&
           value <= std::numeric_limits<int>::max();
}

// A blit's source origin and size are in the source DC's device units, whose
// transform only scales and moves here; nullopt for a rotation, shear, mirror
// or a value out of range.
std::optional<RECT> SourceThroughTransform(const TkEmrDibBlit& e)
{
    const float* m = e.xformSrc;
    if (m[1] != 0 || m[2] != 0 || !(m[0] > 0) || !(m[3] > 0))
        return std::nullopt;
    const TkDibBlit& b = e.blit;
    const double v[4] = {std::round(b.xSrc * double(m[0]) + m[4]),
                         std::round(b.ySrc * double(m[3]) + m[5]),
                         std::round(b.cxSrc * double(m[0])), std::round(b.cySrc * double(m[3]))};
    if (!std::all_of(std::begin(v), std::end(v), FitsInt))
        return std::nullopt;
    return RECT{int(v[0]), int(v[1]), int(v[2]), int(v[3])};
}

// x, y, width and height in the DIB as StretchDIBits takes them: a bottom-up
// bitmap counts y from its last stored row, while a blit's source counts from
// the top of the picture it shows.
std::optional<RECT> SourceInDib(const TkEmrDibBlit& e, const TkPackedDibLayout& layout)
{
    const TkDibBlit& b = e.blit;
    if (b.call == TkDibBlitCall::StretchDIBits)
        return RECT{b.xSrc, b.ySrc, b.cxSrc, b.cySrc};
    if (b.call == TkDibBlitCall::SetDIBitsToDevice) {
        // Only whole bitmaps: a band of scan lines is not a picture of its own.
        const std::int64_t rows = std::abs(std::int64_t(layout.height));
        if (b.startScan != 0 || b.scans != rows)
            return std::nullopt;
        return RECT{b.xSrc, b.ySrc, b.cxSrc, b.cySrc};
    }
    std::optional<RECT> source = SourceThroughTransform(e);
    if (source && layout.height > 0) {
        const std::int64_t y = std::int64_t(layout.height) - source->top - source->bottom;
        if (!FitsInt(double(y)))
            return std::nullopt;
        source->top = LONG(y);
    }
    return source;
}

// The index bytes of the raster operations a ROP4 pairs.
constexpr DWORD kSource = 0xCC;
constexpr DWORD kDestination = 0xAA;

bool IsBlended(const TkDibBlit& b)
{
    return b.call == TkDibBlitCall::AlphaBlend || b.call == TkDibBlitCall::TransparentBlt;
}

// What GDI itself accepts: source over, no flags, no format but per-pixel alpha
// (which needs 32 bits), no mirroring; a transparent colour is a plain RGB.
bool IsSoundBlend(const TkDibBlit& b, const TkPackedDibLayout& layout)
{
    if (b.cxDest < 0 || b.cyDest < 0 || b.cxSrc < 0 || b.cySrc < 0)
        return false;
    if (b.call == TkDibBlitCall::TransparentBlt)
        return (b.transparentColour >> 24) == 0;
    const BYTE op = BYTE(b.blendFunction), flags = BYTE(b.blendFunction >> 8);
    const BYTE format = BYTE(b.blendFunction >> 24);
    return op == AC_SRC_OVER && flags == 0 &&
           (format == 0 || (format == AC_SRC_ALPHA && layout.bitCount == 32));
}

CVxBitmap::Kind KindOf(const TkDibBlit& b)
{
    switch (b.call) {
    case TkDibBlitCall::AlphaBlend: return CVxBitmap::Kind::AlphaBlend;
    case TkDibBlitCall::TransparentBlt: return CVxBitmap::Kind::Transparent;
    default: return CVxBitmap::Kind::Plain;
    }
}

}  // namespace

std::optional<TkEmrDibBlit> CVxEmfToVxConverter::AsPlainBlit(const TkEmrDibBlit& record)
{
    TkEmrDibBlit plain = record;
    plain.type = record.type == EMR_MASKBLT ? EMR_BITBLT : EMR_STRETCHBLT;
    if (record.type == EMR_MASKBLT) {
        // Without a mask, or with one operation for both of its colours, the
        // mask changes nothing: the foreground operation is a plain raster one.
        const DWORD rop4 = record.blit.rop;
        if (!record.maskBmi.empty() && (rop4 >> 24) != ((rop4 >> 16) & 0xFF))
            return std::nullopt;
        plain.blit.rop = rop4 & 0x00FFFFFF;
        return plain;
    }
    // A parallelogram that is an upright rectangle, without a mask, is a stretch.
    const POINT* p = record.parallelogram;
    if (!record.maskBmi.empty() || p[1].y != p[0].y || p[2].x != p[0].x)
        return std::nullopt;
    const double cx = double(p[1].x) - p[0].x, cy = double(p[2].y) - p[0].y;
    if (!FitsInt(cx) || !FitsInt(cy))
        return std::nullopt;
    plain.blit.xDest = p[0].x;
    plain.blit.yDest = p[0].y;
    plain.blit.cxDest = int(cx);
    plain.blit.cyDest = int(cy);
    plain.blit.rop = SRCCOPY;
    return plain;
}

std::optional<std::vector<BYTE>> CVxEmfToVxConverter::MakeBlitDib(const TkDibBlit& b) const
{
    std::optional<std::vector<BYTE>> dib = CVxBitmap::MakePackedDib(b.bmi, b.bits, b.usage);
    if (!dib || b.usage == DIB_RGB_COLORS)
        return dib;
    if (b.usage != DIB_PAL_COLORS)
        return std::nullopt;
    const CTkGdiObject* pPalette = TkLookupGdiObject(SelectedHandle(OBJ_PAL));
    if (pPalette == nullptr || pPalette->type != OBJ_PAL)
        pPalette = TkLookupGdiObject(GetStockObject(DEFAULT_PALETTE));
    return TkResolvePaletteColours(*dib, pPalette->palette);
}

int CVxEmfToVxConverter::OnSelectPalette(DWORD index)
{
    const HGDIOBJ hObject = (index & ENHMETA_STOCK_OBJECT) != 0
                                ? GetStockObject(int(index & ~ENHMETA_STOCK_OBJECT))
                                : GetTableObject(index);
    if (GetObjectType(hObject) != OBJ_PAL)
        return kNotHandled;
    m_selected[OBJ_PAL - 1] = LONG(index);
    return kHandled;
}

int CVxEmfToVxConverter::OnDibBlit(const TkEmrDibBlit& record)
{
    if (record.type == EMR_MASKBLT || record.type == EMR_PLGBLT) {
        if (const std::optional<TkEmrDibBlit> plain = AsPlainBlit(record))
            return OnDibBlit(*plain);
        return record.type == EMR_MASKBLT ? MakeMaskedBitmap(record) : kNotHandled;
    }
    const TkDibBlit& b = record.blit;
    const bool blended = IsBlended(b);
    if ((!blended && std::find(kSourceRops.begin(), kSourceRops.end(), b.rop) == kSourceRops.end()) ||
        b.cxDest == 0 || b.cyDest == 0 || b.cxSrc == 0 || b.cySrc == 0)
        return kNotHandled;
    std::optional<std::vector<BYTE>> dib = MakeBlitDib(b);
    TkPackedDibLayout layout;
    if (!dib || !TkMeasurePackedDib(*dib, DIB_RGB_COLORS, &layout) ||
        (blended && !IsSoundBlend(b, layout)))
        return kNotHandled;
    const std::optional<RECT> source = SourceInDib(record, layout);
    const double right = double(b.xDest) + b.cxDest;
    const double bottom = double(b.yDest) + b.cyDest;
    if (!source || !FitsInt(right) || !FitsInt(bottom))
        return kNotHandled;
    const RECT box = TransformBox({b.xDest, b.yDest, LONG(right), LONG(bottom)});
    auto pBitmap = std::make_unique<CVxBitmap>(
        box, std::make_shared<const std::vector<BYTE>>(std::move(*dib)), DIB_RGB_COLORS, *source,
        blended ? SRCCOPY : b.rop);
    pBitmap->SetKind(KindOf(b), b.call == TkDibBlitCall::AlphaBlend ? b.blendFunction
                                                                     : b.transparentColour);
    ApplyCurrentAttributes(*pBitmap);
    // GDI never adds a bitmap to a path: it is drawn where it comes.
    m_graphics.AddTail(pBitmap.release());
    return kHandled;
}


// A MaskBlt that copies the source where the mask says and leaves the rest:
// a bitmap whose alpha is the mask.
int CVxEmfToVxConverter::MakeMaskedBitmap(const TkEmrDibBlit& record)
{
    const TkDibBlit& b = record.blit;
    const DWORD fore = (b.rop >> 16) & 0xFF, back = b.rop >> 24;
    const float* m = record.xformSrc;
    const double xs = b.xSrc + double(m[4]), ys = b.ySrc + double(m[5]);
    const double right = double(b.xDest) + b.cxDest, bottom = double(b.yDest) + b.cyDest;
    if (!((fore == kSource && back == kDestination) || (fore == kDestination && back == kSource)) ||
        m[0] != 1 || m[1] != 0 || m[2] != 0 || m[3] != 1 || !FitsInt(xs) || !FitsInt(ys) ||
        !FitsInt(right) || !FitsInt(bottom) || b.usage != DIB_RGB_COLORS)
        return kNotHandled;
    const auto source = CVxBitmap::MakePackedDib(b.bmi, b.bits, DIB_RGB_COLORS);
    const auto mask = CVxBitmap::MakePackedDib(record.maskBmi, record.maskBits, DIB_RGB_COLORS);
    if (!source || !mask || record.maskUsage != DIB_RGB_COLORS)
        return kNotHandled;
    std::optional<std::vector<BYTE>> dib =
        TkMaskedDib(*source, {LONG(xs), LONG(ys), b.cxDest, b.cyDest}, *mask,
                    {record.xMask, record.yMask}, fore == kSource);
    if (!dib)
        return kNotHandled;
    const RECT box = TransformBox({b.xDest, b.yDest, LONG(right), LONG(bottom)});
    auto pBitmap = std::make_unique<CVxBitmap>(
        box, std::make_shared<const std::vector<BYTE>>(std::move(*dib)), DIB_RGB_COLORS,
        RECT{0, 0, b.cxDest, b.cyDest}, SRCCOPY);
    pBitmap->SetKind(CVxBitmap::Kind::AlphaBlend, DWORD(AC_SRC_ALPHA) << 24 | 255u << 16);
    ApplyCurrentAttributes(*pBitmap);
    m_graphics.AddTail(pBitmap.release());
    return kHandled;
}
