#pragma once
// Reads enhanced-metafile bytes by the published [MS-EMF] layouts, independently of
// the program's recorder, so that tests can check what was written byte by byte.
// Offsets given to the accessors are from the start of the record, as the format
// states them.

#include "platform/gdi/GdiTypes.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

struct EmfHeader {
    RECT bounds{};
    RECT frame{};
    std::uint32_t signature = 0;
    std::uint32_t nBytes = 0;
    std::uint32_t nRecords = 0;
    std::uint16_t nHandles = 0;
    std::uint32_t nDescription = 0;
    std::uint32_t offDescription = 0;
    SIZE device{};
    SIZE millimeters{};
    SIZE micrometers{};  // present when the header record is at least 108 bytes long
    std::u16string description;  // nDescription characters, nulls included
    std::uint32_t headerSize = 0;
};

// The text part of EMR_EXTTEXTOUTW.
struct EmfText {
    RECT bounds{};
    std::uint32_t graphicsMode = 0;
    float exScale = 0;
    float eyScale = 0;
    POINT reference{};
    std::uint32_t nChars = 0;
    std::uint32_t offString = 0;
    std::uint32_t options = 0;
    RECT rect{};
    std::uint32_t offDx = 0;
    std::u16string text;
    std::vector<std::int32_t> dx;  // 2 × nChars entries with ETO_PDY
};

struct EmfRecord {
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    std::vector<std::uint8_t> bytes;  // the whole record, type and size included

    // Accessors past the end of the record fail the test and answer 0 (or empty).
    std::uint8_t U8(std::size_t offset) const;
    std::uint16_t U16(std::size_t offset) const;
    std::int16_t I16(std::size_t offset) const;
    std::uint32_t U32(std::size_t offset) const;
    std::int32_t I32(std::size_t offset) const;
    float F32(std::size_t offset) const;
    POINT Point(std::size_t offset) const;
    SIZE Size(std::size_t offset) const;
    RECT Rect(std::size_t offset) const;
    std::vector<std::uint8_t> Bytes(std::size_t offset, std::size_t count) const;
    std::u16string Utf16(std::size_t offset, std::size_t count) const;

    std::string Name() const;
    // The points of a poly record (EMR_POLYLINE … and their 16-bit forms, the
    // poly-poly forms included), widened to 32 bits.
    std::vector<POINT> PolyPoints() const;
    // The per-figure counts of a poly-poly record.
    std::vector<std::uint32_t> PolyCounts() const;
    EmfText Text() const;  // EMR_EXTTEXTOUTW
};

struct EmfFile {
    EmfHeader header;
    std::vector<EmfRecord> records;  // the header record first, EMR_EOF last

    std::vector<const EmfRecord*> Find(std::uint32_t type) const;
    // The one record of a type; fails the test when there is not exactly one.
    const EmfRecord& Only(std::uint32_t type) const;
    // The types as names, one per record, for readable failure messages.
    std::vector<std::string> Names() const;
};

// "EMR_<type number>", for failure messages.
std::string EmfRecordName(std::uint32_t type);

// Decodes strictly: a header record with the " EMF" signature whose nBytes is the
// buffer's size and whose nRecords is the number of records; every record at
// least 8 bytes, a multiple of 4 and inside the buffer; the sizes of known record
// types consistent with their counts and offsets; the last record EMR_EOF ending
// the buffer. On failure: nullopt, with the reason in *pError.
std::optional<EmfFile> DecodeEmf(std::span<const std::uint8_t> bytes,
                                 std::string* pError = nullptr);

class CTkDC;
// Records what draw does on an enhanced-metafile DC (of the frame and the
// reference device given) and decodes it; no metafile or undecodable bytes
// fail the test.
EmfFile RecordEmfFile(const std::function<void(CTkDC&)>& draw, const RECT* pFrame = nullptr,
                      const CTkDC* pRefDC = nullptr);
