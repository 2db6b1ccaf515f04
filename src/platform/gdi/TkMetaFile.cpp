#include "platform/gdi/TkMetaFile.h"

#include <algorithm>

namespace {

WORD ReadWord(std::span<const BYTE> bytes, std::size_t offset)
{
    return WORD(bytes[offset] | (bytes[offset + 1] << 8));
}

}  // namespace

bool TkIsMetaFileHeader(std::span<const BYTE> bytes)
{
    if (bytes.size() < kMetaHeaderBytes)
        return false;
    const WORD type = ReadWord(bytes, 0);
    const WORD headerSize = ReadWord(bytes, 2);
    const WORD version = ReadWord(bytes, 4);
    return (type == kMetaTypeMemory || type == kMetaTypeDisk) &&
           headerSize == kMetaHeaderWords &&
           (version == kMetaVersion100 || version == kMetaVersion300);
}

UINT GetMetaFileBitsEx(const CTkMetaFile* hmf, UINT nSize, void* pData)
{
    if (hmf == nullptr)
        return 0;
    const std::span<const BYTE> bits = hmf->GetBits();
    const UINT size = UINT(bits.size());
    if (pData == nullptr)
        return size;
    if (nSize < size)
        return 0;
    std::copy(bits.begin(), bits.end(), static_cast<BYTE*>(pData));
    return size;
}

std::unique_ptr<CTkMetaFile> SetMetaFileBitsEx(UINT nSize, const BYTE* pData)
{
    if (pData == nullptr)
        return nullptr;
    const std::span<const BYTE> bytes(pData, nSize);
    if (!TkIsMetaFileHeader(bytes))
        return nullptr;
    return std::make_unique<CTkMetaFile>(std::vector<BYTE>(bytes.begin(), bytes.end()));
}
