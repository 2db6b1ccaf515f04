#pragma once
// Reads Windows metafile bytes by the published [MS-WMF] layout, independently of
// the program's recorder, so that tests can check what was written word by word.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

struct WmfHeader {
    std::uint16_t type = 0;
    std::uint16_t headerSize = 0;  // words
    std::uint16_t version = 0;
    std::uint32_t sizeWords = 0;  // the whole metafile
    std::uint16_t numberOfObjects = 0;
    std::uint32_t maxRecordWords = 0;
    std::uint16_t numberOfMembers = 0;
};

struct WmfRecord {
    std::uint32_t sizeWords = 0;
    std::uint16_t function = 0;
    std::vector<std::uint16_t> params;  // the words after the function

    // Accessors by word index; an index past the parameters fails the test and
    // answers 0.
    std::uint16_t Word(std::size_t i) const;
    std::int16_t Short(std::size_t i) const;
    std::uint32_t DWord(std::size_t i) const;  // words i (low) and i + 1 (high)
    // count bytes starting at the first byte of word i.
    std::vector<std::uint8_t> Bytes(std::size_t i, std::size_t count) const;
    std::string Text(std::size_t i, std::size_t count) const;
};

struct WmfFile {
    WmfHeader header;
    std::vector<WmfRecord> records;  // the last one is META_EOF

    // The records with this function, in file order. The pointers are into this
    // file, so a temporary file cannot answer.
    std::vector<const WmfRecord*> Find(std::uint16_t function) const&;
    std::vector<const WmfRecord*> Find(std::uint16_t function) const&& = delete;
    // The functions of all records, in file order.
    std::vector<std::uint16_t> Functions() const;
};

// Decodes strictly: an 18-byte header of type 1 or 2, header size 9 and version
// 0x0100 or 0x0300; a size in words that is exactly the buffer's; records of at
// least 3 words that lie inside the buffer; the last one a 3-word META_EOF that
// ends the buffer. On failure: nullopt, with the reason in *pError.
std::optional<WmfFile> DecodeWmf(std::span<const std::uint8_t> bytes,
                                 std::string* pError = nullptr);

class CTkDC;
// Records what draw does on a Windows-metafile DC, or closes such a DC, and
// decodes the metafile; no metafile or undecodable bytes fail the test.
WmfFile RecordWmfFile(const std::function<void(CTkDC&)>& draw);
WmfFile CloseAndDecodeWmf(CTkDC& dc);
