#pragma once
// One Windows-metafile record as the player reads it: its function and its
// parameter bytes, with reads that never leave the record. Handlers ask Has()
// for the fixed fields they need before reading them.

#include "platform/gdi/GdiTypes.h"

#include <cstddef>
#include <optional>
#include <span>

class CTkWmfPlayerRecord {
public:
    CTkWmfPlayerRecord(WORD function, std::span<const BYTE> params)
        : m_function(function), m_params(params)
    {
    }

    WORD GetFunction() const { return m_function; }
    std::size_t GetParamWords() const { return m_params.size() / 2; }
    bool Has(std::size_t words) const { return GetParamWords() >= words; }

    // Parameter word i; 0 past the end.
    WORD Word(std::size_t i) const;
    SHORT Short(std::size_t i) const { return SHORT(Word(i)); }
    // Words i (low) and i + 1 (high).
    DWORD DWord(std::size_t i) const { return Word(i) | (DWORD(Word(i + 1)) << 16); }

    // count bytes from byteOffset into the parameters, or nothing when they do not
    // all lie inside the record.
    std::optional<std::span<const BYTE>> Bytes(std::size_t byteOffset, std::size_t count) const;
    // Everything from byteOffset on; empty past the end.
    std::span<const BYTE> BytesFrom(std::size_t byteOffset) const;

private:
    WORD m_function;
    std::span<const BYTE> m_params;
};
