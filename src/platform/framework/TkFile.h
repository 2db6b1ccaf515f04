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
};

// A write that could not be done (disk full, no memory for a memory file).
class CTkFileException {
public:
    enum Cause { generic = 1, diskFull = 2, accessDenied = 3 };
    explicit CTkFileException(Cause cause) : m_cause(cause) {}
    Cause m_cause;
};
