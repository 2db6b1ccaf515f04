#include "platform/gdi/TkEnhMetaFile.h"

#include "platform/gdi/TkEmfReader.h"

#include <algorithm>

UINT GetEnhMetaFileBits(const CTkEnhMetaFile* pMetaFile, UINT cbBuffer, BYTE* pData)
{
    if (!pMetaFile)
        return 0;
    const std::span<const std::uint8_t> bits = pMetaFile->GetBits();
    if (!pData)
        return UINT(bits.size());
    const UINT n = std::min(cbBuffer, UINT(bits.size()));
    std::copy_n(bits.begin(), n, pData);
    return n;
}

std::unique_ptr<CTkEnhMetaFile> SetEnhMetaFileBits(UINT cbBuffer, const BYTE* pData)
{
    if (!pData)
        return nullptr;
    const std::size_t length = TkEmfMetaFileLength({pData, cbBuffer});
    if (length == 0)
        return nullptr;
    return std::make_unique<CTkEnhMetaFile>(std::vector<std::uint8_t>(pData, pData + length));
}

std::unique_ptr<CTkEnhMetaFile> SetEnhMetaFileBits(std::vector<std::uint8_t> bits)
{
    const std::size_t length = TkEmfMetaFileLength(bits);
    if (length == 0)
        return nullptr;
    bits.resize(length);
    return std::make_unique<CTkEnhMetaFile>(std::move(bits));
}

std::unique_ptr<CTkEnhMetaFile> CopyEnhMetaFileW(const CTkEnhMetaFile* pMetaFile)
{
    if (!pMetaFile)
        return nullptr;
    const std::span<const std::uint8_t> bits = pMetaFile->GetBits();
    return std::make_unique<CTkEnhMetaFile>(std::vector<std::uint8_t>(bits.begin(), bits.end()));
}
