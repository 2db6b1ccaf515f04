#pragma once
// Playing a Windows metafile (16-bit [MS-WMF] records) from an untrusted byte
// buffer onto any device context, and the header checks of the two WMF forms.
//
// How the records are read:
// - bits hold the plain metafile, META_HEADER first (a placeable header is the
//   caller's to strip); the header's size fields are not trusted: the buffer's
//   length bounds the records;
// - a record whose size is below 3 words or that runs past the buffer ends the
//   play with failure; META_EOF ends it with success, also with the size 0 that a
//   zero-filled tail has; a buffer that ends right after a complete record ends
//   with success too, since real files sometimes lack the META_EOF;
// - a record too short for its own fields or counts (points, polygons, text,
//   palette entries, a bitmap) is skipped, as is a record of an unknown function;
//   a drawing call that the DC refuses does not stop the play either;
// - objects go into the metafile's object table (TkWmfPlayerObjectTable.h), sized
//   by the header's object count; selecting or deleting an empty slot does nothing;
// - a RESTOREDC reaches only the states the metafile saved itself; at the end the
//   states it left saved are restored, the objects that were selected before the
//   play are selected again and every object the metafile made is deleted;
// - 8-bit text is read in the code page of the selected font's character set;
// - bitmap records go to the DC's DibBlit with their source as a packed DIB (a
//   device-dependent bitmap converted to one), so that a recording DC writes
//   their enhanced-metafile counterparts; one whose bitmap does not fit the
//   record is skipped; blits without a source bitmap are pattern blits and are
//   drawn with PatBlt;
// - bitmap, region-painting and flood-fill records, which the DC model cannot
//   draw or can only record, are passed on to the handler as the enhanced-metafile
//   record types that stand for them;
// - clipping to a region is not modelled: selecting the empty region (no object
//   in the slot) resets the clip, selecting a region and offsetting the clip are
//   passed on.

#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/TkDC.h"
#include "platform/gdi/TkMetaFile.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

// The fields of a META_HEADER.
struct TkWmfHeader {
    WORD type = 0;
    WORD headerWords = 0;
    WORD version = 0;
    DWORD sizeWords = 0;  // the whole metafile
    WORD numberOfObjects = 0;
    DWORD maxRecordWords = 0;
    WORD numberOfMembers = 0;

    std::uint64_t SizeBytes() const { return std::uint64_t(sizeWords) * 2; }
};

// Whether bytes start with a META_HEADER of type 1 or 2, header size 9 and
// version 0x0100 or 0x0300; fills *pHeader when given.
bool TkIsPlainWmfHeader(std::span<const BYTE> bytes, TkWmfHeader* pHeader = nullptr);

constexpr std::size_t kPlaceableWmfHeaderBytes = 22;
constexpr DWORD kPlaceableWmfKey = 0x9AC6CDD7;

// The 22-byte header in front of a placeable metafile.
struct TkPlaceableWmfHeader {
    WORD handle = 0;
    SHORT left = 0;
    SHORT top = 0;
    SHORT right = 0;
    SHORT bottom = 0;
    WORD unitsPerInch = 0;  // 0: no scaling
    DWORD reserved = 0;
    WORD checksum = 0;
};

// Whether bytes start with the placeable key and hold the whole header; fills
// *pHeader when given. The checksum is not verified.
bool TkIsPlaceableWmfHeader(std::span<const BYTE> bytes, TkPlaceableWmfHeader* pHeader = nullptr);

class CTkWmfPlayer {
public:
    // Told of each record met that carries a bitmap (whether the DC got it or it
    // was skipped) and of each region or flood-fill record, by the
    // enhanced-metafile record type that stands for it (EMR_BITBLT, EMR_STRETCHBLT, EMR_STRETCHDIBITS,
    // EMR_SETDIBITSTODEVICE, EMR_FILLRGN, EMR_FRAMERGN, EMR_INVERTRGN, EMR_PAINTRGN,
    // EMR_EXTFLOODFILL, EMR_EXTSELECTCLIPRGN, EMR_OFFSETCLIPRGN).
    using PassOnHandler = std::function<void(CTkDC& dc, DWORD emrType)>;

    explicit CTkWmfPlayer(CTkDC& dc, PassOnHandler passOn = {});

    // Plays the metafile; TRUE when it ended well (see above).
    BOOL Play(std::span<const BYTE> bits);
    // The records the last Play read, META_EOF included.
    std::size_t GetRecordCount() const { return m_records; }

private:
    class CPlayback;

    CTkDC& m_dc;
    PassOnHandler m_passOn;
    std::size_t m_records = 0;
};

// PlayMetaFile onto pDC, from the bits of a plain metafile or from a metafile.
BOOL PlayMetaFile(CTkDC* pDC, std::span<const BYTE> bits);
BOOL PlayMetaFile(CTkDC* pDC, const CTkMetaFile* hmf);
