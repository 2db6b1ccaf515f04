#pragma once
// An enhanced metafile: the bytes of a complete EMF (header record first, EMR_EOF
// last). What a Windows HENHMETAFILE is; owning it is owning the bytes, so
// deleting the metafile is destroying the object.

#include "platform/gdi/GdiTypes.h"

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

class CTkEnhMetaFile {
public:
    // The bytes are taken as they are; SetEnhMetaFileBits is the checked way in.
    explicit CTkEnhMetaFile(std::vector<std::uint8_t> bytes) : m_bytes(std::move(bytes)) {}

    std::span<const std::uint8_t> GetBits() const { return m_bytes; }
    UINT GetSize() const { return UINT(m_bytes.size()); }

private:
    std::vector<std::uint8_t> m_bytes;
};

// With pData null: the size of the metafile in bytes. Otherwise copies at most
// cbBuffer bytes and returns how many were copied, so a short buffer is seen by
// comparing with the size. 0 for no metafile.
UINT GetEnhMetaFileBits(const CTkEnhMetaFile* pMetaFile, UINT cbBuffer, BYTE* pData);

// A metafile made from bytes read from outside. Checks what locating the file
// needs, as the record reader does (TkEmfMetaFileLength): a valid header record
// whose nBytes, the length kept, lies within the given bytes. Each record is
// validated when the metafile is enumerated. Null when the check fails.
std::unique_ptr<CTkEnhMetaFile> SetEnhMetaFileBits(UINT cbBuffer, const BYTE* pData);
// The same check on bytes the caller gives up, kept without a copy.
std::unique_ptr<CTkEnhMetaFile> SetEnhMetaFileBits(std::vector<std::uint8_t> bits);

// A copy in memory; null for no metafile.
std::unique_ptr<CTkEnhMetaFile> CopyEnhMetaFileW(const CTkEnhMetaFile* pMetaFile);
