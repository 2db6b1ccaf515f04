#pragma once
// A growable file in memory: undo snapshots, clipboard copies, metafile bits.

#include "platform/framework/TkFile.h"

#include <cstdint>
#include <cstring>
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

    // Archives write and read a snapshot a few bytes at a time, millions of
    // times: these take the common case (appending into reserved room, reading
    // whole from what is there) without a virtual call or a library call.
    void Append(const void* pBuffer, std::uint32_t count)
    {
        if (m_position != m_bytes.size() || count > m_bytes.capacity() - m_bytes.size()) {
            CTkMemFile::Write(pBuffer, count);
            return;
        }
        const auto* p = static_cast<const std::uint8_t*>(pBuffer);
        m_bytes.insert(m_bytes.end(), p, p + count);
        m_position += count;
    }
    // False (having read what there was, as Read does) when fewer than count
    // bytes are left.
    bool ReadAll(void* pBuffer, std::uint32_t count)
    {
        if (m_position > m_bytes.size() || count > m_bytes.size() - m_position) {
            return CTkMemFile::Read(pBuffer, count) == count;
        }
        if (count > 0) std::memcpy(pBuffer, m_bytes.data() + m_position, count);
        m_position += count;
        return true;
    }

    const std::vector<std::uint8_t>& GetBytes() const { return m_bytes; }
    // Hands the bytes over and leaves the file empty.
    std::vector<std::uint8_t> Detach();

private:
    std::vector<std::uint8_t> m_bytes;
    std::uint64_t m_position = 0;
};
