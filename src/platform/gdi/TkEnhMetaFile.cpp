#include "platform/gdi/TkEnhMetaFile.h"

#include "platform/gdi/EmfRecordTypes.h"

#include <algorithm>

namespace {

// The header record up to and including szlMillimeters, the oldest form.
constexpr std::size_t kMinHeaderSize = 88;

DWORD ReadU32(const BYTE* p)
{
    return DWORD(p[0]) | DWORD(p[1]) << 8 | DWORD(p[2]) << 16 | DWORD(p[3]) << 24;
}

}  // namespace

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
    if (!pData || cbBuffer < kMinHeaderSize)
        return nullptr;
    const DWORD headerSize = ReadU32(pData + 4);
    const DWORD nBytes = ReadU32(pData + 48);
    if (ReadU32(pData) != EMR_HEADER || ReadU32(pData + 40) != ENHMETA_SIGNATURE ||
        headerSize < kMinHeaderSize || headerSize % 4 != 0 || nBytes < headerSize ||
        nBytes > cbBuffer)
        return nullptr;
    return std::make_unique<CTkEnhMetaFile>(std::vector<std::uint8_t>(pData, pData + nBytes));
}

std::unique_ptr<CTkEnhMetaFile> CopyEnhMetaFileW(const CTkEnhMetaFile* pMetaFile)
{
    if (!pMetaFile)
        return nullptr;
    const std::span<const std::uint8_t> bits = pMetaFile->GetBits();
    return std::make_unique<CTkEnhMetaFile>(std::vector<std::uint8_t>(bits.begin(), bits.end()));
}
