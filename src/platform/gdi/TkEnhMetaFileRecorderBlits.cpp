// The bitmap records of CTkEnhMetaFileRecorder.

#include "platform/gdi/TkEnhMetaFileRecorder.h"

#include "platform/gdi/EmfRecordTypes.h"
#include "platform/gdi/TkEmfRecorderUnits.h"

using namespace TkEmfRecording;

namespace {

constexpr std::size_t kBitBltFixedSize = 100;
constexpr std::size_t kStretchBltFixedSize = 108;
constexpr std::size_t kStretchDIBitsFixedSize = 80;
constexpr std::size_t kSetDIBitsFixedSize = 76;

// Where a record whose fixed part takes fixed bytes keeps its source: the
// BITMAPINFO, then the bits, each from a 4-byte boundary; zeros for no source.
struct SourcePlace {
    DWORD offBmi = 0;
    DWORD cbBmi = 0;
    DWORD offBits = 0;
    DWORD cbBits = 0;
    std::uint64_t recordSize = 0;
};

SourcePlace PlaceSource(std::size_t fixed, const TkDibBlit& blit)
{
    SourcePlace place;
    const std::uint64_t bitsAt = fixed + Pad4(blit.bmi.size());
    place.recordSize = bitsAt + Pad4(blit.bits.size());
    if (!FitsRecord(place.recordSize))
        return place;
    if (!blit.bmi.empty()) {
        place.offBmi = DWORD(fixed);
        place.cbBmi = DWORD(blit.bmi.size());
    }
    if (!blit.bits.empty()) {
        place.offBits = DWORD(bitsAt);
        place.cbBits = DWORD(blit.bits.size());
    }
    return place;
}

// AlphaBlend and TransparentBlt are laid out as StretchBlt.
std::size_t FixedSizeOf(TkDibBlitCall call)
{
    switch (call) {
    case TkDibBlitCall::BitBlt: return kBitBltFixedSize;
    case TkDibBlitCall::StretchDIBits: return kStretchDIBitsFixedSize;
    case TkDibBlitCall::SetDIBitsToDevice: return kSetDIBitsFixedSize;
    default: return kStretchBltFixedSize;
    }
}

DWORD RecordTypeOf(TkDibBlitCall call)
{
    switch (call) {
    case TkDibBlitCall::BitBlt: return EMR_BITBLT;
    case TkDibBlitCall::StretchBlt: return EMR_STRETCHBLT;
    case TkDibBlitCall::StretchDIBits: return EMR_STRETCHDIBITS;
    case TkDibBlitCall::SetDIBitsToDevice: return EMR_SETDIBITSTODEVICE;
    case TkDibBlitCall::AlphaBlend: return EMR_ALPHABLEND;
    case TkDibBlitCall::TransparentBlt: return EMR_TRANSPARENTBLT;
    }
    return EMR_BITBLT;
}

// The device pixels of a logical destination box given by its corner and size.
CTkEmfBounds BlitBounds(const CTkDC& dc, int x, int y, int cx, int cy)
{
    CTkEmfBounds bounds;
    bounds.Add(DevicePixels(dc, {x, y, ClampToLong(std::int64_t(x) + cx),
                                 ClampToLong(std::int64_t(y) + cy)}));
    return bounds;
}

void WritePlace(CTkEmfRecordBuffer& out, const SourcePlace& place)
{
    for (DWORD field : {place.offBmi, place.cbBmi, place.offBits, place.cbBits})
        out.U32(field);
}

// What the records of the StretchBlt layout keep where the raster operation goes.
DWORD OperationField(const TkDibBlit& blit)
{
    switch (blit.call) {
    case TkDibBlitCall::AlphaBlend: return blit.blendFunction;
    case TkDibBlitCall::TransparentBlt: return blit.transparentColour;
    default: return blit.rop;
    }
}

// EMR_BITBLT, EMR_STRETCHBLT, EMR_ALPHABLEND and EMR_TRANSPARENTBLT share their
// first fields; the source DC of a metafile's bitmap has no world transform.
void WriteBlitFields(CTkEmfRecordBuffer& out, const CTkDC& dc, const TkDibBlit& blit,
                     const SourcePlace& place)
{
    out.I32(blit.xDest);
    out.I32(blit.yDest);
    out.I32(blit.cxDest);
    out.I32(blit.cyDest);
    out.U32(OperationField(blit));
    out.I32(blit.xSrc);
    out.I32(blit.ySrc);
    for (float f : {1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f})
        out.F32(f);
    out.U32(dc.GetBkColor());
    out.U32(blit.usage);
    WritePlace(out, place);
    if (blit.call != TkDibBlitCall::BitBlt) {
        out.I32(blit.cxSrc);
        out.I32(blit.cySrc);
    }
}

// EMR_STRETCHDIBITS and EMR_SETDIBITSTODEVICE share theirs up to the usage.
void WriteDibFields(CTkEmfRecordBuffer& out, const TkDibBlit& blit, const SourcePlace& place)
{
    out.I32(blit.xDest);
    out.I32(blit.yDest);
    out.I32(blit.xSrc);
    out.I32(blit.ySrc);
    out.I32(blit.cxSrc);
    out.I32(blit.cySrc);
    WritePlace(out, place);
    out.U32(blit.usage);
    if (blit.call == TkDibBlitCall::StretchDIBits) {
        out.U32(blit.rop);
        out.I32(blit.cxDest);
        out.I32(blit.cyDest);
    } else {
        out.U32(blit.startScan);
        out.U32(blit.scans);
    }
}

}  // namespace

BOOL CTkEnhMetaFileRecorder::DibBlit(CTkDC& dc, const TkDibBlit& blit)
{
    if (m_bClosed)
        return FALSE;
    const SourcePlace place = PlaceSource(FixedSizeOf(blit.call), blit);
    if (!FitsRecord(place.recordSize))
        return FALSE;
    const bool fromSource = blit.call == TkDibBlitCall::SetDIBitsToDevice;
    const CTkEmfBounds bounds =
        BlitBounds(dc, blit.xDest, blit.yDest, fromSource ? blit.cxSrc : blit.cxDest,
                   fromSource ? blit.cySrc : blit.cyDest);

    m_out.Begin(RecordTypeOf(blit.call));
    m_out.Rect(bounds.Get());
    if (blit.call == TkDibBlitCall::StretchDIBits || fromSource)
        WriteDibFields(m_out, blit, place);
    else
        WriteBlitFields(m_out, dc, blit, place);
    m_out.Bytes(blit.bmi);
    m_out.Pad4();
    m_out.Bytes(blit.bits);
    m_out.End();
    m_bounds.Add(bounds);  // a bitmap is never part of a path
    return TRUE;
}

// A pattern blit is a BitBlt without a source, as GDI records it.
BOOL CTkEnhMetaFileRecorder::PatBlt(CTkDC& dc, const RECT& rect, DWORD rop)
{
    TkDibBlit blit;
    blit.xDest = rect.left;
    blit.yDest = rect.top;
    blit.cxDest = ClampToLong(std::int64_t(rect.right) - rect.left);
    blit.cyDest = ClampToLong(std::int64_t(rect.bottom) - rect.top);
    blit.rop = rop;
    return DibBlit(dc, blit);
}

BOOL CTkEnhMetaFileRecorder::BitBlt(CTkDC&, const RECT&, CTkDC&, POINT, DWORD)
{
    return FALSE;
}
