#pragma once
// A transfer of a device-independent bitmap as metafiles carry it: the call it
// stands for, its boxes and raster operation, and the source as a packed DIB cut
// into its BITMAPINFO and its bits. The bytes are not owned; whoever builds one
// has measured them against the record they came from.

#include "platform/gdi/GdiTypes.h"

#include <memory>
#include <span>

// AlphaBlend and TransparentBlt stretch like StretchBlt; their rop is not used.
enum class TkDibBlitCall {
    BitBlt,
    StretchBlt,
    StretchDIBits,
    SetDIBitsToDevice,
    AlphaBlend,
    TransparentBlt,
};

struct TkDibBlit {
    TkDibBlitCall call = TkDibBlitCall::BitBlt;
    // Destination in logical units. SetDIBitsToDevice takes its size from the source.
    int xDest = 0;
    int yDest = 0;
    int cxDest = 0;
    int cyDest = 0;
    // Source rectangle in the bitmap.
    int xSrc = 0;
    int ySrc = 0;
    int cxSrc = 0;
    int cySrc = 0;
    DWORD rop = SRCCOPY;  // not used by SetDIBitsToDevice
    UINT usage = DIB_RGB_COLORS;
    UINT startScan = 0;  // SetDIBitsToDevice only
    UINT scans = 0;
    std::span<const BYTE> bmi;  // header and colour table
    std::span<const BYTE> bits;
    DWORD blendFunction = 0;        // AlphaBlend: BLENDFUNCTION (GdiTypes.h)
    COLORREF transparentColour = 0;  // TransparentBlt: the source colour not drawn
    // What owns bmi and bits when it is shared and never changes: a painter may
    // keep the decoded image for as long as it lives. Null: decode every time.
    std::shared_ptr<const void> owner;
};
