#include "import/VxEnhMetaFile.h"

#include "platform/gdi/TkDC.h"
#include "platform/gdi/TkEnhMetaFileRecorder.h"
#include "platform/gdi/TkWmfPlayer.h"

#include <cstdlib>

namespace {

RECT FrameFor(const std::optional<VxMetaFilePict>& pict, const CTkDC& screen)
{
    // A zero extent would leave the playback without a usable mapping.
    if (pict && pict->xExt != 0 && pict->yExt != 0)
        return {0, 0, std::abs(pict->xExt), std::abs(pict->yExt)};
    return {0, 0, screen.GetDeviceCaps(HORZSIZE) * 100, screen.GetDeviceCaps(VERTSIZE) * 100};
}

}  // namespace

bool CVxEnhMetaFile::SetBits(std::span<const BYTE> bits)
{
    m_hEmf = SetEnhMetaFileBits(UINT(bits.size()), bits.data());
    return !IsEmpty();
}

bool CVxEnhMetaFile::SetBits(std::vector<BYTE> bits)
{
    m_hEmf = SetEnhMetaFileBits(std::move(bits));
    return !IsEmpty();
}

bool CVxEnhMetaFile::SetMetaFile(const CTkMetaFile& metaFile,
                                 const std::optional<VxMetaFilePict>& pict)
{
    const CTkDC screen;
    const RECT frame = FrameFor(pict, screen);
    std::unique_ptr<CTkDC> dc = CreateEnhMetaFileW(&screen, &frame, {});
    if (!dc) {
        m_hEmf.reset();
        return false;
    }
    const int cx = frame.right - frame.left;
    const int cy = frame.bottom - frame.top;
    dc->SetMapMode(MM_ANISOTROPIC);
    dc->SetWindowOrg(frame.left, frame.top);
    dc->SetViewportOrg(frame.left, frame.top);
    dc->SetWindowExt(cx, cy);
    dc->SetViewportExt(cx, cy);
    // A metafile that breaks off still gives what was played before the break.
    PlayMetaFile(dc.get(), &metaFile);
    m_hEmf = CloseEnhMetaFile(dc.get());
    return !IsEmpty();
}

bool CVxEnhMetaFile::SetEnhMetaFile(const CTkEnhMetaFile& enhMetaFile)
{
    m_hEmf = CopyEnhMetaFileW(&enhMetaFile);
    return !IsEmpty();
}

BOOL CVxEnhMetaFile::Enumerate(const TkEmfRecordProc& proc) const
{
    if (IsEmpty()) return FALSE;
    return EnumEnhMetaFile(m_hEmf.get(), proc);
}
