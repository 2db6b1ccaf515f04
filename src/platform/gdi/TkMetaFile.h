#pragma once
// Windows metafiles (16-bit WMF): the handle of a finished metafile and the calls
// that move its bytes in and out.

#include "platform/gdi/GdiTypes.h"

#include <memory>
#include <span>
#include <utility>
#include <vector>

// META_HEADER: type, header size in words, version, size in words (32-bit),
// number of objects, largest record in words (32-bit), number of members.
constexpr UINT kMetaHeaderBytes = 18;
constexpr WORD kMetaHeaderWords = 9;
constexpr WORD kMetaTypeMemory = 1;
constexpr WORD kMetaTypeDisk = 2;
constexpr WORD kMetaVersion100 = 0x0100;
constexpr WORD kMetaVersion300 = 0x0300;

// Whether bytes start with a META_HEADER of a known type, header size and version.
// The sizes it gives are not checked against the bytes.
bool TkIsMetaFileHeader(std::span<const BYTE> bytes);

// A finished Windows metafile: its bytes, from the META_HEADER to the META_EOF.
class CTkMetaFile {
public:
    explicit CTkMetaFile(std::vector<BYTE> bits) : m_bits(std::move(bits)) {}

    std::span<const BYTE> GetBits() const { return m_bits; }

private:
    std::vector<BYTE> m_bits;
};

// With pData null: the number of bytes of the metafile. Otherwise copies them into
// pData when nSize holds them all and returns their number; 0 on failure.
UINT GetMetaFileBitsEx(const CTkMetaFile* hmf, UINT nSize, void* pData);

// A metafile made of a copy of nSize bytes; null when they do not start with a
// valid META_HEADER. The records are for the player to check.
std::unique_ptr<CTkMetaFile> SetMetaFileBitsEx(UINT nSize, const BYTE* pData);
