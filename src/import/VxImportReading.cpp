#include "import/VxImportReading.h"

#include "platform/framework/TkFile.h"
#include "platform/gdi/MulDiv.h"
#include "platform/gdi/TkCodePage.h"
#include "platform/gdi/TkEmfRecords.h"
#include "platform/gdi/TkMetaFile.h"

#include <array>
#include <new>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t kEmfHeaderBytes = 108;
constexpr std::size_t kEmfSignatureOffset = 40;
constexpr std::size_t kEmfBytesOffset = 48;
constexpr DWORD kEmfSignature = 0x464D4520;

constexpr std::size_t kClipboardHeaderBytes = 4;
constexpr std::size_t kClipboardEntryBytes16 = 89;
constexpr std::size_t kClipboardEntryBytesNt = 172;
constexpr std::size_t kClipboardNameChars = 79;
constexpr std::size_t kPictHeaderBytes16 = 8;
constexpr std::size_t kPictHeaderBytesNt = 16;

std::uint64_t FileLength(const CTkArchive& ar)
{
    return ar.GetFile()->GetLength();
}

// Reads exactly bytes.size() bytes from the file.
bool ReadAll(CTkArchive& ar, std::span<BYTE> bytes)
{
    return ar.Read(bytes.data(), std::uint32_t(bytes.size())) == bytes.size();
}

WORD ClipboardFileId(CTkArchive& ar)
{
    std::array<BYTE, 2> id{};
    return VxPeek(ar, id) ? CTkEmfFieldReader(id).U16(0) : 0;
}

bool IsClipboardFileId(WORD id)
{
    return id == kVxClipboardFileId16 || id == kVxClipboardFileIdNt || id == kVxClipboardFileIdNt2;
}

std::u16string AnsiName(std::span<const BYTE> bytes)
{
    std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    text = text.substr(0, text.find('\0'));
    return TkCodePageToUtf16(text, ANSI_CHARSET).substr(0, kClipboardNameChars);
}

std::u16string WideName(std::span<const BYTE> bytes)
{
    std::u16string name;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const char16_t c = char16_t(CTkEmfFieldReader(bytes).U16(i));
        if (c == 0) break;
        name.push_back(c);
    }
    return name;
}

VxClipboardEntry ParseEntry16(std::span<const BYTE> e)
{
    const CTkEmfFieldReader r(e);
    return {r.U16(0), r.U32(2), r.U32(6),
            AnsiName(e.subspan(10, kClipboardNameChars))};
}

VxClipboardEntry ParseEntryNt(std::span<const BYTE> e)
{
    const CTkEmfFieldReader r(e);
    return {r.U32(0), r.U32(4), r.U32(8),
            WideName(e.subspan(12, kClipboardNameChars * 2))};
}

std::optional<VxClipboardEntry> ScanDirectory(CTkArchive& ar, UINT format)
{
    std::array<BYTE, kClipboardHeaderBytes> header{};
    if (!ReadAll(ar, header)) return std::nullopt;
    const CTkEmfFieldReader r(header);
    const WORD id = r.U16(0);
    const WORD count = r.U16(2);
    if (!IsClipboardFileId(id)) return std::nullopt;
    // The 16-bit layout kept its count as a signed number.
    if (id == kVxClipboardFileId16 ? SHORT(count) <= 0 : count == 0) return std::nullopt;
    const bool b16 = id == kVxClipboardFileId16;
    std::array<BYTE, kClipboardEntryBytesNt> buffer{};
    const std::size_t entryBytes = b16 ? kClipboardEntryBytes16 : kClipboardEntryBytesNt;
    const std::span<BYTE> entry(buffer.data(), entryBytes);
    for (WORD i = 0; i < count; ++i) {
        if (!ReadAll(ar, entry)) return std::nullopt;
        VxClipboardEntry parsed = b16 ? ParseEntry16(entry) : ParseEntryNt(entry);
        if (parsed.format == format) return parsed;
    }
    return std::nullopt;
}

// Moves to the entry's data when all of it lies inside the file.
bool SeekToEntryData(CTkArchive& ar, const VxClipboardEntry& entry)
{
    if (std::uint64_t(entry.offset) + entry.length > FileLength(ar)) return false;
    ar.GetFile()->Seek(entry.offset);
    return true;
}

std::optional<VxMetaFilePict> ReadPictHeader(CTkArchive& ar, bool b16)
{
    std::array<BYTE, kPictHeaderBytesNt> buffer{};
    const std::span<BYTE> header(buffer.data(), b16 ? kPictHeaderBytes16 : kPictHeaderBytesNt);
    if (!ReadAll(ar, header)) return std::nullopt;
    const CTkEmfFieldReader r(header);
    if (b16) return VxMetaFilePict{r.I16(0), r.I16(2), r.I16(4)};
    return VxMetaFilePict{r.I32(0), r.I32(4), r.I32(8)};
}

std::unique_ptr<CVxEnhMetaFile> FromBits(std::vector<BYTE> bits)
{
    auto emf = std::make_unique<CVxEnhMetaFile>();
    if (!emf->SetBits(std::move(bits))) return nullptr;
    return emf;
}

// The Windows metafile's bytes at the archive's position. Files are accepted
// when they are 6 or 22 bytes shorter than the header claims; the rest is zero.
std::optional<std::vector<BYTE>> ReadWindowsBits(CTkArchive& ar)
{
    std::array<BYTE, kMetaHeaderBytes> headerBytes{};
    TkWmfHeader header;
    if (!VxPeek(ar, headerBytes) || !TkIsPlainWmfHeader(headerBytes, &header))
        return std::nullopt;
    const std::uint64_t length = header.SizeBytes();
    const std::uint64_t left = ar.BytesLeft();
    if (length < kMetaHeaderBytes) return std::nullopt;
    if (length > left && length - left != 6 && length - left != 22) return std::nullopt;
    std::vector<BYTE> bits(std::size_t(length), 0);
    const std::uint32_t got = ar.Read(bits.data(), std::uint32_t(length));
    if (got != length && got + 6 != length && got + 22 != length) return std::nullopt;
    return bits;
}

}  // namespace

bool VxPeek(CTkArchive& ar, std::span<BYTE> bytes)
{
    CTkFile* pFile = ar.GetFile();
    const std::uint64_t position = pFile->GetPosition();
    const bool bAll = ReadAll(ar, bytes);
    pFile->Seek(position);
    return bAll;
}

bool VxIsEnhMetaFile(CTkArchive& ar)
{
    std::array<BYTE, kEmfHeaderBytes> header{};
    return VxPeek(ar, header) &&
           CTkEmfFieldReader(header).U32(kEmfSignatureOffset) == kEmfSignature;
}

bool VxIsPlaceableMetaFile(CTkArchive& ar)
{
    std::array<BYTE, kPlaceableWmfHeaderBytes> header{};
    return VxPeek(ar, header) && TkIsPlaceableWmfHeader(header);
}

bool VxIsWindowsMetaFile(CTkArchive& ar)
{
    std::array<BYTE, kMetaHeaderBytes> header{};
    return VxPeek(ar, header) && TkIsPlainWmfHeader(header);
}

bool VxIsClipboardFile(CTkArchive& ar)
{
    return IsClipboardFileId(ClipboardFileId(ar));
}

std::optional<VxClipboardEntry> VxFindClipboardEntry(CTkArchive& ar, UINT format)
{
    if (!VxIsClipboardFile(ar)) return std::nullopt;
    CTkFile* pFile = ar.GetFile();
    const std::uint64_t position = pFile->GetPosition();
    std::optional<VxClipboardEntry> entry = ScanDirectory(ar, format);
    pFile->Seek(position);
    return entry;
}

VxImportKind VxRecogniseImport(CTkArchive& ar)
{
    if (VxIsEnhMetaFile(ar)) return VxImportKind::Enhanced;
    if (VxIsPlaceableMetaFile(ar)) return VxImportKind::PlaceableWindows;
    if (VxIsWindowsMetaFile(ar)) return VxImportKind::Windows;
    if (VxFindClipboardEntry(ar, kVxClipboardEnhMetaFile)) return VxImportKind::ClipboardEnhanced;
    if (VxFindClipboardEntry(ar, kVxClipboardMetaFilePict)) return VxImportKind::ClipboardWindows;
    return VxImportKind::None;
}

std::unique_ptr<CVxEnhMetaFile> VxReadImport(CTkArchive& ar)
{
    try {
        switch (VxRecogniseImport(ar)) {
        case VxImportKind::Enhanced: return VxReadEnhMetaFile(ar);
        case VxImportKind::PlaceableWindows: return VxReadPlaceableMetaFile(ar);
        case VxImportKind::Windows: return VxReadWindowsMetaFile(ar);
        case VxImportKind::ClipboardEnhanced:
            return VxReadClipboardFile(ar, kVxClipboardEnhMetaFile);
        case VxImportKind::ClipboardWindows:
            return VxReadClipboardFile(ar, kVxClipboardMetaFilePict);
        case VxImportKind::None: break;
        }
    } catch (const std::bad_alloc&) {
    }
    return nullptr;
}

std::unique_ptr<CVxEnhMetaFile> VxReadEnhMetaFile(CTkArchive& ar)
{
    std::array<BYTE, kEmfHeaderBytes> header{};
    const CTkEmfFieldReader r(header);
    if (!VxPeek(ar, header) || r.U32(kEmfSignatureOffset) != kEmfSignature) return nullptr;
    const DWORD nBytes = r.U32(kEmfBytesOffset);
    if (nBytes < kEmfHeaderBytes || nBytes > ar.BytesLeft()) return nullptr;
    std::vector<BYTE> bits(nBytes, 0);
    if (!ReadAll(ar, bits)) return nullptr;
    return FromBits(std::move(bits));
}

VxMetaFilePict VxPlaceablePict(const TkPlaceableWmfHeader& header)
{
    int width = header.right - header.left;
    int height = header.bottom - header.top;
    if (header.unitsPerInch != 0) {
        width = MulDiv(width, 2540, header.unitsPerInch);
        height = MulDiv(height, 2540, header.unitsPerInch);
    }
    return {MM_ANISOTROPIC, width, height};
}

std::unique_ptr<CVxEnhMetaFile> VxReadPlaceableMetaFile(CTkArchive& ar)
{
    std::array<BYTE, kPlaceableWmfHeaderBytes> bytes{};
    TkPlaceableWmfHeader header;
    if (!ReadAll(ar, bytes) || !TkIsPlaceableWmfHeader(bytes, &header)) return nullptr;
    return VxReadWindowsMetaFile(ar, VxPlaceablePict(header));
}

std::unique_ptr<CVxEnhMetaFile> VxReadWindowsMetaFile(CTkArchive& ar,
                                                      const std::optional<VxMetaFilePict>& pict)
{
    const std::optional<std::vector<BYTE>> bits = ReadWindowsBits(ar);
    if (!bits) return nullptr;
    const std::unique_ptr<CTkMetaFile> metaFile =
        SetMetaFileBitsEx(UINT(bits->size()), bits->data());
    if (!metaFile) return nullptr;
    auto emf = std::make_unique<CVxEnhMetaFile>();
    if (!emf->SetMetaFile(*metaFile, pict)) return nullptr;
    return emf;
}

std::unique_ptr<CVxEnhMetaFile> VxReadClipboardFile(CTkArchive& ar, UINT format)
{
    const WORD id = ClipboardFileId(ar);
    const std::optional<VxClipboardEntry> entry = VxFindClipboardEntry(ar, format);
    if (!entry || !SeekToEntryData(ar, *entry)) return nullptr;
    if (format == kVxClipboardEnhMetaFile) {
        std::vector<BYTE> bits(entry->length, 0);
        if (!ReadAll(ar, bits)) return nullptr;
        return FromBits(std::move(bits));
    }
    if (format != kVxClipboardMetaFilePict) return nullptr;
    const std::optional<VxMetaFilePict> pict = ReadPictHeader(ar, id == kVxClipboardFileId16);
    if (!pict) return nullptr;
    return VxReadWindowsMetaFile(ar, pict);
}
