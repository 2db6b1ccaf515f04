#pragma once
// Little-endian byte builder for enhanced-metafile records: Begin a record, append
// its fields, End it (pads to 4 bytes and fills in the size).

#include "platform/gdi/GdiTypes.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

class CTkEmfRecordBuffer {
public:
    // Largest record or file the format can describe (sizes are 32-bit).
    static constexpr std::uint64_t kMaxSize = 0xFFFFFFFFu;

    void Begin(DWORD type);
    void End();

    void U8(BYTE value) { m_bytes.push_back(value); }
    void U16(WORD value);
    void U32(DWORD value);
    void I32(LONG value) { U32(DWORD(value)); }
    void F32(float value);
    void Point(POINT p);
    void Point16(POINT p);  // truncated to 16 bits; the caller checked the range
    void Size(SIZE s);
    void Rect(const RECT& r);
    void Bytes(std::span<const std::uint8_t> bytes);
    void Zeros(std::size_t count);
    void Pad4();

    // Bytes written so far.
    std::size_t Position() const { return m_bytes.size(); }
    void PatchU32(std::size_t position, DWORD value);
    DWORD RecordCount() const { return m_nRecords; }
    std::vector<std::uint8_t> Take() { return std::move(m_bytes); }

private:
    std::vector<std::uint8_t> m_bytes;
    std::size_t m_recordStart = 0;
    bool m_bInRecord = false;
    DWORD m_nRecords = 0;
};
