#include "import/VxEnhMetaFile.h"

#include "platform/gdi/EmfRecordTypes.h"
#include "platform/gdi/MulDiv.h"
#include "platform/gdi/TkDC.h"
#include "platform/gdi/TkEmfRecords.h"
#include "platform/gdi/TkEnhMetaFileRecorder.h"
#include "platform/gdi/TkWmfPlayer.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace {

// A plain metafile's logical unit is a pixel of the reference screen.
constexpr int kScreenDpi = 96;
constexpr int kFrameUnitsPerInch = 2540;

// 0 when the length does not fit.
int PixelsToFrame(std::int64_t pixels)
{
    pixels = std::llabs(pixels);
    if (pixels > std::numeric_limits<int>::max()) return 0;
    return std::max(MulDiv(int(pixels), kFrameUnitsPerInch, kScreenDpi), 0);
}

// How a Windows metafile is played: the frame (hundredths of a millimetre) and
// the window that the DC starts with, mapped onto the whole frame.
struct Playback {
    RECT frame{};
    POINT windowOrg{0, 0};
    SIZE windowExt{1, 1};
};

Playback FramePlayback(int cx, int cy)
{
    return {{0, 0, cx, cy}, {0, 0}, {cx, cy}};
}

// What a first play of a plain metafile shows of its page: the first window extent
// it sets, whether it moves the window origin, and the device bounds of what it
// draws (device units are logical units there).
struct PlainPage {
    std::optional<SIZE> window;
    bool bWindowOrg = false;
    std::optional<RECT> bounds;
};

std::optional<RECT> DrawnBounds(const TkEmfRecord& record)
{
    const std::optional<TkEmrHeader> header = TkParseEmrHeader(record.bytes);
    if (!header) return std::nullopt;
    const RECTL& b = header->header.rclBounds;
    if (b.right < b.left || b.bottom < b.top) return std::nullopt;
    return RECT{b.left, b.top, b.right + 1, b.bottom + 1};
}

PlainPage ProbePlainPage(const CTkMetaFile& metaFile, const CTkDC& screen)
{
    PlainPage page;
    std::unique_ptr<CTkDC> dc = CreateEnhMetaFileW(&screen, nullptr, {});
    if (!dc) return page;
    // As in the real play, so that a window the metafile sets is recorded; the
    // unit window and viewport keep logical units device units.
    dc->SetMapMode(MM_ANISOTROPIC);
    PlayMetaFile(dc.get(), &metaFile);
    const std::unique_ptr<CTkEnhMetaFile> probe = CloseEnhMetaFile(dc.get());
    EnumEnhMetaFile(probe.get(), [&](const TkEmfRecord& record) {
        if (record.type == EMR_HEADER) {
            page.bounds = DrawnBounds(record);
        } else if (record.type == EMR_SETWINDOWORGEX) {
            page.bWindowOrg = true;
        } else if (record.type == EMR_SETWINDOWEXTEX) {
            const std::optional<SIZE> ext = TkParseEmrSize(record.bytes);
            if (ext && ext->cx != 0 && ext->cy != 0) page.window = ext;
        }
        return !page.window;
    });
    return page;
}

// Without a picture header the page is the metafile's own window, else the bounds
// of its drawing; only a metafile that draws nothing gets the screen.
std::optional<Playback> PageOf(const PlainPage& page)
{
    Playback playback;
    if (page.window) {
        playback = FramePlayback(PixelsToFrame(page.window->cx), PixelsToFrame(page.window->cy));
    } else if (page.bounds) {
        // A window origin of the metafile's own replaces ours, so then the page
        // starts at the origin.
        RECT b = *page.bounds;
        if (page.bWindowOrg) b.left = b.top = 0;
        const std::int64_t cx = std::max<std::int64_t>(std::int64_t(b.right) - b.left, 1);
        const std::int64_t cy = std::max<std::int64_t>(std::int64_t(b.bottom) - b.top, 1);
        playback = {{0, 0, PixelsToFrame(cx), PixelsToFrame(cy)}, {b.left, b.top},
                    {LONG(std::min<std::int64_t>(cx, std::numeric_limits<LONG>::max())),
                     LONG(std::min<std::int64_t>(cy, std::numeric_limits<LONG>::max()))}};
    }
    if (playback.frame.right <= 0 || playback.frame.bottom <= 0) return std::nullopt;
    return playback;
}

// Without a picture header the page is the metafile's own window, else the bounds
// of its drawing; a metafile that draws nothing (or too much) gets the screen.
Playback PlainPlayback(const CTkMetaFile& metaFile, const CTkDC& screen)
{
    if (const std::optional<Playback> page = PageOf(ProbePlainPage(metaFile, screen)))
        return *page;
    return FramePlayback(screen.GetDeviceCaps(HORZSIZE) * 100,
                         screen.GetDeviceCaps(VERTSIZE) * 100);
}

Playback PlaybackFor(const CTkMetaFile& metaFile, const std::optional<VxMetaFilePict>& pict,
                     const CTkDC& screen)
{
    // A zero extent would leave the playback without a usable mapping.
    if (pict && pict->xExt != 0 && pict->yExt != 0)
        return FramePlayback(std::abs(pict->xExt), std::abs(pict->yExt));
    return PlainPlayback(metaFile, screen);
}

}  // namespace

bool CVxEnhMetaFile::SetBits(std::span<const BYTE> bits)
{
    m_hEmf = SetEnhMetaFileBits(UINT(bits.size()), bits.data());
    m_bFromWindowsBits = false;
    return !IsEmpty();
}

bool CVxEnhMetaFile::SetBits(std::vector<BYTE> bits)
{
    m_hEmf = SetEnhMetaFileBits(std::move(bits));
    m_bFromWindowsBits = false;
    return !IsEmpty();
}

bool CVxEnhMetaFile::SetMetaFile(const CTkMetaFile& metaFile,
                                 const std::optional<VxMetaFilePict>& pict)
{
    const CTkDC screen;
    const Playback playback = PlaybackFor(metaFile, pict, screen);
    const RECT& frame = playback.frame;
    std::unique_ptr<CTkDC> dc = CreateEnhMetaFileW(&screen, &frame, {});
    if (!dc) {
        m_hEmf.reset();
        return false;
    }
    dc->SetMapMode(MM_ANISOTROPIC);
    dc->SetWindowOrg(playback.windowOrg.x, playback.windowOrg.y);
    dc->SetViewportOrg(frame.left, frame.top);
    dc->SetWindowExt(playback.windowExt.cx, playback.windowExt.cy);
    dc->SetViewportExt(frame.right - frame.left, frame.bottom - frame.top);
    // A metafile that breaks off still gives what was played before the break.
    PlayMetaFile(dc.get(), &metaFile);
    m_hEmf = CloseEnhMetaFile(dc.get());
    m_bFromWindowsBits = true;
    return !IsEmpty();
}

bool CVxEnhMetaFile::SetEnhMetaFile(const CTkEnhMetaFile& enhMetaFile)
{
    m_hEmf = CopyEnhMetaFileW(&enhMetaFile);
    m_bFromWindowsBits = false;
    return !IsEmpty();
}

BOOL CVxEnhMetaFile::Enumerate(const TkEmfRecordProc& proc) const
{
    if (IsEmpty()) return FALSE;
    return EnumEnhMetaFile(m_hEmf.get(), proc);
}
