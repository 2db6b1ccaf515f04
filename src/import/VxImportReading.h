#pragma once
// Recognising and reading the files the import filters accept: enhanced
// metafiles, placeable and plain Windows metafiles, and clipboard files holding
// an enhanced metafile (format 14) or a metafile picture (format 3). The file is
// untrusted: every size and offset is checked against the file before use.

#include "import/VxEnhMetaFile.h"
#include "platform/framework/TkArchive.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/TkWmfPlayer.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

constexpr UINT kVxClipboardEnhMetaFile = 14;  // CF_ENHMETAFILE
constexpr UINT kVxClipboardMetaFilePict = 3;  // CF_METAFILEPICT

constexpr WORD kVxClipboardFileId16 = 50000;
constexpr WORD kVxClipboardFileIdNt = 50001;
constexpr WORD kVxClipboardFileIdNt2 = 50002;

enum class VxImportKind {
    None,
    Enhanced,
    PlaceableWindows,
    Windows,
    ClipboardEnhanced,
    ClipboardWindows,
};

// One directory entry of a clipboard file.
struct VxClipboardEntry {
    UINT format = 0;
    DWORD length = 0;
    DWORD offset = 0;  // from the start of the file
    std::u16string name;
};

// Reads bytes.size() bytes from the file and moves back; true when all were there.
bool VxPeek(CTkArchive& ar, std::span<BYTE> bytes);

bool VxIsEnhMetaFile(CTkArchive& ar);
bool VxIsPlaceableMetaFile(CTkArchive& ar);
bool VxIsWindowsMetaFile(CTkArchive& ar);
bool VxIsClipboardFile(CTkArchive& ar);
// The first entry of the clipboard file's directory with the format; the file
// position is left unchanged.
std::optional<VxClipboardEntry> VxFindClipboardEntry(CTkArchive& ar, UINT format);

// What the file at the archive's position is, in the order the import tries.
VxImportKind VxRecogniseImport(CTkArchive& ar);

// The file turned into one enhanced metafile, or null when it cannot be.
std::unique_ptr<CVxEnhMetaFile> VxReadImport(CTkArchive& ar);

// Step by step, for the reader above and its tests. Each starts at the
// archive's position.
std::unique_ptr<CVxEnhMetaFile> VxReadEnhMetaFile(CTkArchive& ar);
std::unique_ptr<CVxEnhMetaFile> VxReadPlaceableMetaFile(CTkArchive& ar);
std::unique_ptr<CVxEnhMetaFile> VxReadWindowsMetaFile(
    CTkArchive& ar, const std::optional<VxMetaFilePict>& pict = std::nullopt);
std::unique_ptr<CVxEnhMetaFile> VxReadClipboardFile(CTkArchive& ar, UINT format);

// The picture frame of a placeable header: its box, scaled to hundredths of a
// millimetre unless units per inch is 0.
VxMetaFilePict VxPlaceablePict(const TkPlaceableWmfHeader& header);
