#pragma once
// Builds Windows metafile bytes record by record, by the published [MS-WMF]
// layout, for tests that feed metafiles to a reader or player. Nothing here
// checks the records: malformed ones are the point of some tests.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>
#include <vector>

// The parameters of one record, as little-endian words.
class WmfParams {
public:
    WmfParams() = default;
    // Each value as one 16-bit word (negative values in two's complement).
    WmfParams(std::initializer_list<int> words);

    WmfParams& Word(int value);
    WmfParams& DWord(std::uint32_t value);  // low word first
    // Padded with a zero byte to a whole word.
    WmfParams& Bytes(std::span<const std::uint8_t> bytes);
    WmfParams& Text(std::string_view bytes);

    const std::vector<std::uint8_t>& Get() const { return m_bytes; }

private:
    std::vector<std::uint8_t> m_bytes;
};

class WmfBuilder {
public:
    // A record whose size word counts its parameters.
    WmfBuilder& Add(std::uint16_t function, const WmfParams& params = {});
    // A record whose size field says sizeWords whatever its parameters are.
    WmfBuilder& AddSized(std::uint32_t sizeWords, std::uint16_t function,
                         const WmfParams& params = {});
    // Bytes appended as they are.
    WmfBuilder& AddRaw(std::span<const std::uint8_t> bytes);
    // The header's object count (16 unless set).
    WmfBuilder& Objects(std::uint16_t count);

    // The header (type 1, version 0x0300, the right size and largest record) and
    // the records, with a closing META_EOF unless withEof is false.
    std::vector<std::uint8_t> Build(bool withEof = true) const;

private:
    std::vector<std::uint8_t> m_records;
    std::uint32_t m_maxRecordWords = 3;
    std::uint16_t m_objects = 16;
};

// An 8 x 8 monochrome packed DIB (BITMAPINFOHEADER, black and white, zero rows):
// 80 bytes, as pattern brushes and bitmap records carry it.
std::vector<std::uint8_t> WmfMonoDib8x8();

// A well-formed plain metafile with one record of most kinds a player knows:
// mapping, state, object creation and selection, shapes, text, a comment,
// clipping, and bitmap records with and without a source bitmap.
std::vector<std::uint8_t> WmfEveryKindOfRecord();

// A 22-byte placeable header for the box and resolution, with its checksum, in
// front of a plain metafile.
std::vector<std::uint8_t> WmfPlaceable(std::span<const std::uint8_t> plain, int left, int top,
                                       int right, int bottom, int unitsPerInch);
