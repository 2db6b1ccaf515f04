#pragma once
// The byte stream an archive reads and writes.

#include <cstdint>

class CTkFile {
public:
    virtual ~CTkFile() = default;
    // Reads up to count bytes; returns how many were read.
    virtual std::uint32_t Read(void* pBuffer, std::uint32_t count) = 0;
    // Writes all count bytes or throws CTkFileException.
    virtual void Write(const void* pBuffer, std::uint32_t count) = 0;
    virtual std::uint64_t GetPosition() const = 0;
    virtual std::uint64_t GetLength() const = 0;
    virtual void SeekToBegin() = 0;
    // Moves to an absolute position (clamped to the length). Files that cannot
    // seek directly get there by reading from the beginning.
    virtual void Seek(std::uint64_t position)
    {
        SeekToBegin();
        std::uint8_t buffer[4096];
        while (position > 0) {
            const auto n = std::uint32_t(position < sizeof buffer ? position : sizeof buffer);
            const std::uint32_t got = Read(buffer, n);
            if (got == 0) break;
            position -= got;
        }
    }
};

// A write that could not be done (disk full, no memory for a memory file).
class CTkFileException {
public:
    enum Cause { generic = 1, diskFull = 2, accessDenied = 3 };
    explicit CTkFileException(Cause cause) : m_cause(cause) {}
    Cause m_cause;
};
