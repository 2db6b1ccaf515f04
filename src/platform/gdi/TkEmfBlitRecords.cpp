#include "platform/gdi/TkEmfBlitRecords.h"

#include "platform/gdi/EmfRecordTypes.h"
#include "platform/gdi/TkEmfRecords.h"

namespace {

using Bytes = std::span<const std::uint8_t>;

constexpr std::size_t kBitBltFixed = 100;
constexpr std::size_t kStretchBltFixed = 108;
constexpr std::size_t kStretchDibFixed = 80;
constexpr std::size_t kSetDibFixed = 76;
constexpr std::size_t kMaskBltFixed = 128;
constexpr std::size_t kPlgBltFixed = 140;

// The bitmap's two areas must lie after the fixed fields; a zero length is an
// absent area.
bool AttachAreas(const CTkEmfFieldReader& r, std::size_t at, std::size_t fixed, Bytes* pBmi,
                 Bytes* pBits)
{
    const DWORD offBmi = r.U32(at), cbBmi = r.U32(at + 4);
    const DWORD offBits = r.U32(at + 8), cbBits = r.U32(at + 12);
    const auto area = [&](DWORD offset, DWORD length, Bytes* pOut) {
        if (length == 0)
            return true;
        if (offset < fixed || !r.Has(offset, length))
            return false;
        *pOut = r.Bytes(offset, length);
        return true;
    };
    return area(offBmi, cbBmi, pBmi) && area(offBits, cbBits, pBits);
}

bool AttachAreas(const CTkEmfFieldReader& r, std::size_t at, std::size_t fixed, TkDibBlit* p)
{
    return AttachAreas(r, at, fixed, &p->bmi, &p->bits);
}

void ReadTransform(const CTkEmfFieldReader& r, std::size_t at, TkEmrDibBlit* p)
{
    for (std::size_t i = 0; i < 6; ++i)
        p->xformSrc[i] = r.F32(at + 4 * i);
}

// The mask fields that close EMR_MASKBLT and EMR_PLGBLT.
bool ReadMask(const CTkEmfFieldReader& r, std::size_t at, std::size_t fixed, TkEmrDibBlit* p)
{
    p->xMask = r.I32(at);
    p->yMask = r.I32(at + 4);
    p->maskUsage = r.U32(at + 8);
    return AttachAreas(r, at + 12, fixed, &p->maskBmi, &p->maskBits);
}

// BitBlt and StretchBlt: destination, ROP, source origin, its transform,
// background colour and usage, then the bitmap's areas.
std::optional<TkEmrDibBlit> ParseBlt(const CTkEmfFieldReader& r, bool bStretch)
{
    const std::size_t fixed = bStretch ? kStretchBltFixed : kBitBltFixed;
    if (!r.Has(0, fixed))
        return std::nullopt;
    TkEmrDibBlit e;
    TkDibBlit& b = e.blit;
    b.call = bStretch ? TkDibBlitCall::StretchBlt : TkDibBlitCall::BitBlt;
    b.xDest = r.I32(24);
    b.yDest = r.I32(28);
    b.cxDest = r.I32(32);
    b.cyDest = r.I32(36);
    b.rop = r.U32(40);
    b.xSrc = r.I32(44);
    b.ySrc = r.I32(48);
    ReadTransform(r, 52, &e);
    b.usage = r.U32(80);
    b.cxSrc = bStretch ? r.I32(100) : b.cxDest;
    b.cySrc = bStretch ? r.I32(104) : b.cyDest;
    if (!AttachAreas(r, 84, fixed, &b))
        return std::nullopt;
    return e;
}

// StretchDIBits and SetDIBitsToDevice share their fields up to the usage.
std::optional<TkEmrDibBlit> ParseDib(const CTkEmfFieldReader& r, bool bStretch)
{
    const std::size_t fixed = bStretch ? kStretchDibFixed : kSetDibFixed;
    if (!r.Has(0, fixed))
        return std::nullopt;
    TkEmrDibBlit e;
    TkDibBlit& b = e.blit;
    b.call = bStretch ? TkDibBlitCall::StretchDIBits : TkDibBlitCall::SetDIBitsToDevice;
    b.xDest = r.I32(24);
    b.yDest = r.I32(28);
    b.xSrc = r.I32(32);
    b.ySrc = r.I32(36);
    b.cxSrc = r.I32(40);
    b.cySrc = r.I32(44);
    b.usage = r.U32(64);
    if (bStretch) {
        b.rop = r.U32(68);
        b.cxDest = r.I32(72);
        b.cyDest = r.I32(76);
    } else {
        b.rop = SRCCOPY;
        b.startScan = r.U32(68);
        b.scans = r.U32(72);
        b.cxDest = b.cxSrc;
        b.cyDest = b.cySrc;
    }
    if (!AttachAreas(r, 48, fixed, &b))
        return std::nullopt;
    return e;
}

// AlphaBlend and TransparentBlt are laid out as StretchBlt, with their parameter
// where its raster operation would be.
std::optional<TkEmrDibBlit> ParseBlend(const CTkEmfFieldReader& r, TkDibBlitCall call)
{
    std::optional<TkEmrDibBlit> e = ParseBlt(r, true);
    if (!e)
        return std::nullopt;
    TkDibBlit& b = e->blit;
    b.call = call;
    if (call == TkDibBlitCall::AlphaBlend)
        b.blendFunction = b.rop;
    else
        b.transparentColour = b.rop;
    b.rop = SRCCOPY;
    return e;
}

// MaskBlt: BitBlt's fields with a ROP4, then the mask's.
std::optional<TkEmrDibBlit> ParseMaskBlt(const CTkEmfFieldReader& r)
{
    if (!r.Has(0, kMaskBltFixed))
        return std::nullopt;
    std::optional<TkEmrDibBlit> e = ParseBlt(r, false);
    if (!e || !ReadMask(r, 100, kMaskBltFixed, &*e))
        return std::nullopt;
    return e;
}

// PlgBlt: the destination's three corners, the source box, its transform and
// bitmap, then the mask.
std::optional<TkEmrDibBlit> ParsePlgBlt(const CTkEmfFieldReader& r)
{
    if (!r.Has(0, kPlgBltFixed))
        return std::nullopt;
    TkEmrDibBlit e;
    for (std::size_t i = 0; i < 3; ++i)
        e.parallelogram[i] = r.Point(24 + 8 * i);
    TkDibBlit& b = e.blit;
    b.call = TkDibBlitCall::StretchBlt;
    b.xSrc = r.I32(48);
    b.ySrc = r.I32(52);
    b.cxSrc = r.I32(56);
    b.cySrc = r.I32(60);
    ReadTransform(r, 64, &e);
    b.usage = r.U32(92);
    if (!AttachAreas(r, 96, kPlgBltFixed, &b) || !ReadMask(r, 112, kPlgBltFixed, &e))
        return std::nullopt;
    return e;
}

std::optional<TkEmrDibBlit> ParseAny(const CTkEmfFieldReader& r)
{
    switch (r.U32(0)) {
    case EMR_BITBLT: return ParseBlt(r, false);
    case EMR_STRETCHBLT: return ParseBlt(r, true);
    case EMR_STRETCHDIBITS: return ParseDib(r, true);
    case EMR_SETDIBITSTODEVICE: return ParseDib(r, false);
    case EMR_ALPHABLEND: return ParseBlend(r, TkDibBlitCall::AlphaBlend);
    case EMR_TRANSPARENTBLT: return ParseBlend(r, TkDibBlitCall::TransparentBlt);
    case EMR_MASKBLT: return ParseMaskBlt(r);
    case EMR_PLGBLT: return ParsePlgBlt(r);
    default: return std::nullopt;
    }
}

}  // namespace

std::optional<TkEmrDibBlit> TkParseEmrDibBlit(Bytes record)
{
    const CTkEmfFieldReader r(record);
    if (!r.Has(0, 8))
        return std::nullopt;
    std::optional<TkEmrDibBlit> e = ParseAny(r);
    if (e)
        e->type = r.U32(0);
    return e;
}
