#pragma once
// Sizes and device units shared by the sources of the enhanced-metafile recorder.

#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/TkDC.h"
#include "platform/gdi/TkEmfRecordBuffer.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace TkEmfRecording {

inline std::size_t Pad4(std::size_t n)
{
    return (n + 3) / 4 * 4;
}

inline bool FitsRecord(std::uint64_t size)
{
    return size <= CTkEmfRecordBuffer::kMaxSize;
}

inline POINT ToDevice(const CTkDC& dc, POINT p)
{
    dc.LPtoDP(&p, 1);
    return p;
}

inline RECT Normalized(const RECT& r)
{
    return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
            std::max(r.top, r.bottom)};
}

// The device pixels a logical rectangle covers, right and bottom edges excluded.
inline RECT DevicePixels(const CTkDC& dc, const RECT& logical)
{
    const POINT a = ToDevice(dc, {logical.left, logical.top});
    const POINT b = ToDevice(dc, {logical.right, logical.bottom});
    const RECT r = Normalized({a.x, a.y, b.x, b.y});
    return {r.left, r.top, r.right - 1, r.bottom - 1};
}

inline LONG ClampToLong(std::int64_t v)
{
    return LONG(std::clamp<std::int64_t>(v, std::numeric_limits<LONG>::min(),
                                         std::numeric_limits<LONG>::max()));
}

}  // namespace TkEmfRecording
