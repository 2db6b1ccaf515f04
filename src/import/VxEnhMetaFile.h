#pragma once
// The one enhanced metafile an import or a paste works on.

#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/TkEmfReader.h"
#include "platform/gdi/TkEnhMetaFile.h"
#include "platform/gdi/TkMetaFile.h"

#include <memory>
#include <optional>
#include <vector>
#include <span>

// The picture frame a Windows metafile is played into: extents in hundredths of
// a millimetre (their sign is dropped).
struct VxMetaFilePict {
    int mapMode = MM_ANISOTROPIC;
    int xExt = 0;
    int yExt = 0;
};

class CVxEnhMetaFile {
public:
    CVxEnhMetaFile() = default;

    // Each answers whether the holder now has a metafile; on failure it is empty.
    bool SetBits(std::span<const BYTE> bits);
    bool SetBits(std::vector<BYTE> bits);
    // Plays the metafile into a recording whose frame is the picture's extents;
    // without them, the metafile's own window or the bounds of its drawing, taking
    // a logical unit for a pixel of the reference screen.
    bool SetMetaFile(const CTkMetaFile& metaFile,
                     const std::optional<VxMetaFilePict>& pict = std::nullopt);
    bool SetEnhMetaFile(const CTkEnhMetaFile& enhMetaFile);

    bool IsEmpty() const { return m_hEmf == nullptr; }
    // Made by playing Windows metafile bits: the reference device in its header is
    // ours, not the picture's.
    bool IsFromWindowsBits() const { return m_bFromWindowsBits; }
    const CTkEnhMetaFile* GetHandle() const { return m_hEmf.get(); }

    // The enumeration's result; FALSE for an empty holder.
    BOOL Enumerate(const TkEmfRecordProc& proc) const;

private:
    std::unique_ptr<CTkEnhMetaFile> m_hEmf;
    bool m_bFromWindowsBits = false;
};
