#include "platform/framework/TkMemFile.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>
#include <utility>

CTkMemFile::CTkMemFile(std::vector<std::uint8_t> bytes) : m_bytes(std::move(bytes)) {}

std::uint32_t CTkMemFile::Read(void* pBuffer, std::uint32_t count)
{
    if (m_position >= m_bytes.size()) return 0;
    const auto n = std::uint32_t(std::min<std::uint64_t>(count, m_bytes.size() - m_position));
    if (n > 0) std::memcpy(pBuffer, m_bytes.data() + m_position, n);
    m_position += n;
    return n;
}

void CTkMemFile::Write(const void* pBuffer, std::uint32_t count)
{
    if (count == 0) return;
    const std::uint64_t end = m_position + count;
    const auto* p = static_cast<const std::uint8_t*>(pBuffer);
    if (m_position == m_bytes.size()) {
        // Appending, as archives do value by value: no zero fill first.
        try {
            m_bytes.insert(m_bytes.end(), p, p + count);
        } catch (const std::bad_alloc&) {
            throw CTkFileException(CTkFileException::generic);
        } catch (const std::length_error&) {
            throw CTkFileException(CTkFileException::generic);
        }
    } else {
        if (end > m_bytes.size()) SetLength(end);
        std::memcpy(m_bytes.data() + m_position, p, count);
    }
    m_position = end;
}

void CTkMemFile::SetLength(std::uint64_t length)
{
    try {
        m_bytes.resize(length);
    } catch (const std::bad_alloc&) {
        throw CTkFileException(CTkFileException::generic);
    } catch (const std::length_error&) {
        throw CTkFileException(CTkFileException::generic);
    }
    m_position = std::min(m_position, length);
}

std::vector<std::uint8_t> CTkMemFile::Detach()
{
    std::vector<std::uint8_t> bytes = std::exchange(m_bytes, {});
    m_position = 0;
    return bytes;
}
