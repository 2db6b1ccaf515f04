// The bitmap records of CVxEmfToVxConverter: every blit that carries a source
// bitmap becomes one bitmap graphic drawn with StretchDIBits.

#include "import/VxEmfToVxConverter.h"

#include "graphics/VxBitmap.h"
#include "platform/gdi/TkEmfBlitRecords.h"
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

}  // namespace

int CVxEmfToVxConverter::OnDibBlit(const TkEmrDibBlit& record)
{
    const TkDibBlit& b = record.blit;
    if (std::find(kSourceRops.begin(), kSourceRops.end(), b.rop) == kSourceRops.end() ||
        b.usage != DIB_RGB_COLORS || b.cxDest == 0 || b.cyDest == 0 || b.cxSrc == 0 ||
        b.cySrc == 0)
        return kNotHandled;
    std::optional<std::vector<BYTE>> dib = CVxBitmap::MakePackedDib(b.bmi, b.bits, b.usage);
    TkPackedDibLayout layout;
    if (!dib || !TkMeasurePackedDib(*dib, b.usage, &layout))
        return kNotHandled;
    const std::optional<RECT> source = SourceInDib(record, layout);
    const double right = double(b.xDest) + b.cxDest;
    const double bottom = double(b.yDest) + b.cyDest;
    if (!source || !FitsInt(right) || !FitsInt(bottom))
        return kNotHandled;
    const RECT box = TransformBox({b.xDest, b.yDest, LONG(right), LONG(bottom)});
    auto pBitmap = std::make_unique<CVxBitmap>(
        box, std::make_shared<const std::vector<BYTE>>(std::move(*dib)), b.usage, *source, b.rop);
    ApplyCurrentAttributes(*pBitmap);
    // GDI never adds a bitmap to a path: it is drawn where it comes.
    m_graphics.AddTail(pBitmap.release());
    return kHandled;
}
