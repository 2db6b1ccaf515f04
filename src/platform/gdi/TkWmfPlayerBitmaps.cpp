#include "platform/gdi/TkWmfPlayerBitmaps.h"

#include "platform/gdi/TkBitmapDib.h"
#include "platform/gdi/TkPackedDib.h"
#include "platform/gdi/WmfRecordTypes.h"

namespace {

// Words of the fields in front of the bitmap.
constexpr std::size_t kBitBltWords = 8;
constexpr std::size_t kStretchBltWords = 10;
constexpr std::size_t kStretchDibWords = 11;
constexpr std::size_t kSetDibToDevWords = 9;
// A Bitmap16's type, width, height, width in bytes, then planes and bits per
// pixel in one word; its rows follow.
constexpr std::size_t kBitmap16Words = 5;

// ROP, the source's y and x, the size both share, the destination's y and x.
TkDibBlit ReadBitBlt(const CTkWmfPlayerRecord& r)
{
    TkDibBlit b;
    b.call = TkDibBlitCall::BitBlt;
    b.rop = r.DWord(0);
    b.ySrc = r.Short(2);
    b.xSrc = r.Short(3);
    b.cyDest = b.cySrc = r.Short(4);
    b.cxDest = b.cxSrc = r.Short(5);
    b.yDest = r.Short(6);
    b.xDest = r.Short(7);
    return b;
}

// From word i: the source's height, width, y and x, the destination's height,
// width, y and x.
void ReadStretchBoxes(const CTkWmfPlayerRecord& r, std::size_t i, TkDibBlit* p)
{
    p->cySrc = r.Short(i);
    p->cxSrc = r.Short(i + 1);
    p->ySrc = r.Short(i + 2);
    p->xSrc = r.Short(i + 3);
    p->cyDest = r.Short(i + 4);
    p->cxDest = r.Short(i + 5);
    p->yDest = r.Short(i + 6);
    p->xDest = r.Short(i + 7);
}

TkDibBlit ReadStretchBlt(const CTkWmfPlayerRecord& r)
{
    TkDibBlit b;
    b.call = TkDibBlitCall::StretchBlt;
    b.rop = r.DWord(0);
    ReadStretchBoxes(r, 2, &b);
    return b;
}

// ROP, colour usage, then the boxes of a stretch.
TkDibBlit ReadStretchDib(const CTkWmfPlayerRecord& r)
{
    TkDibBlit b;
    b.call = TkDibBlitCall::StretchDIBits;
    b.rop = r.DWord(0);
    b.usage = r.Word(2);
    ReadStretchBoxes(r, 3, &b);
    return b;
}

// Colour usage, scan count, first scan, the source's y and x, the size, the
// destination's y and x.
TkDibBlit ReadSetDibToDev(const CTkWmfPlayerRecord& r)
{
    TkDibBlit b;
    b.call = TkDibBlitCall::SetDIBitsToDevice;
    b.usage = r.Word(0);
    b.scans = r.Word(1);
    b.startScan = r.Word(2);
    b.ySrc = r.Short(3);
    b.xSrc = r.Short(4);
    b.cySrc = r.Short(5);
    b.cxSrc = r.Short(6);
    b.yDest = r.Short(7);
    b.xDest = r.Short(8);
    return b;
}

bool AttachDib(std::span<const BYTE> dib, TkDibBlit* p)
{
    TkPackedDibLayout layout;
    if (!TkMeasurePackedDib(dib, p->usage, &layout))
        return false;
    p->bmi = dib.first(layout.BitsOffset());
    p->bits = dib.subspan(layout.BitsOffset(), layout.bitsSize);
    return true;
}

// Rows are padded to 16 bits, whatever the width in bytes says; the DIB made of
// them is never much larger than the rows the record holds.
bool AttachBitmap16(const CTkWmfPlayerRecord& r, std::size_t at, std::vector<BYTE>* pDib,
                    TkDibBlit* p)
{
    if (!r.Has(at + kBitmap16Words))
        return false;
    const LONG width = r.Short(at + 1);
    const LONG height = r.Short(at + 2);
    const WORD planes = r.Word(at + 4) & 0xFF;
    const WORD bitsPixel = r.Word(at + 4) >> 8;
    if (width <= 0 || height <= 0)
        return false;
    const std::size_t stride = (std::size_t(width) * planes * bitsPixel + 15) / 16 * 2;
    const auto rows = r.Bytes(2 * (at + kBitmap16Words), stride * std::size_t(height));
    if (stride == 0 || !rows.has_value())
        return false;
    const BITMAP bitmap{0, width, height, LONG(stride), planes, bitsPixel};
    *pDib = TkBitmapToPackedDib(bitmap, *rows);
    p->usage = DIB_RGB_COLORS;
    return !pDib->empty() && AttachDib(*pDib, p);
}

// How each record lays out its fields, and what its bitmap is.
struct RecordForm {
    std::size_t words = 0;  // in front of the bitmap
    bool bDeviceBitmap = false;  // a Bitmap16 rather than a DIB
    TkDibBlit (*read)(const CTkWmfPlayerRecord&) = nullptr;
};

std::optional<RecordForm> FormOf(WORD function)
{
    switch (function) {
    case META_BITBLT: return RecordForm{kBitBltWords, true, ReadBitBlt};
    case META_DIBBITBLT: return RecordForm{kBitBltWords, false, ReadBitBlt};
    case META_STRETCHBLT: return RecordForm{kStretchBltWords, true, ReadStretchBlt};
    case META_DIBSTRETCHBLT: return RecordForm{kStretchBltWords, false, ReadStretchBlt};
    case META_STRETCHDIB: return RecordForm{kStretchDibWords, false, ReadStretchDib};
    case META_SETDIBTODEV: return RecordForm{kSetDibToDevWords, false, ReadSetDibToDev};
    default: return std::nullopt;
    }
}

}  // namespace

std::optional<TkDibBlit> TkWmfReadDibBlit(const CTkWmfPlayerRecord& record,
                                          std::vector<BYTE>* pDib)
{
    const std::optional<RecordForm> form = FormOf(record.GetFunction());
    if (!form.has_value() || !record.Has(form->words))
        return std::nullopt;
    TkDibBlit blit = form->read(record);
    const bool attached = form->bDeviceBitmap
                              ? AttachBitmap16(record, form->words, pDib, &blit)
                              : AttachDib(record.BytesFrom(2 * form->words), &blit);
    if (!attached)
        return std::nullopt;
    return blit;
}
