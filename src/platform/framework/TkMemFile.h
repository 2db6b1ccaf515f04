#pragma once
// A growable file in memory: undo snapshots, clipboard copies, metafile bits.

#include "platform/framework/TkFile.h"

#include <cstdint>
#include <vector>

class CTkMemFile : public CTkFile {
public:
    CTkMemFile() = default;
    explicit CTkMemFile(std::vector<std::uint8_t> bytes);

    std::uint32_t Read(void* pBuffer, std::uint32_t count) override;
    void Write(const void* pBuffer, std::uint32_t count) override;
    std::uint64_t GetPosition() const override { return m_position; }
    std::uint64_t GetLength() const override { return m_bytes.size(); }
    void SeekToBegin() override { m_position = 0; }
    void Seek(std::uint64_t position) override
    {
        m_position = position < m_bytes.size() ? position : m_bytes.size();
    }
    void SetLength(std::uint64_t length);

    const std::vector<std::uint8_t>& GetBytes() const { return m_bytes; }
    // Hands the bytes over and leaves the file empty.
    std::vector<std::uint8_t> Detach();

private:
    std::vector<std::uint8_t> m_bytes;
    std::uint64_t m_position = 0;
};
