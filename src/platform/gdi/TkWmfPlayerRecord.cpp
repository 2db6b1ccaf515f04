#include "platform/gdi/TkWmfPlayerRecord.h"

WORD CTkWmfPlayerRecord::Word(std::size_t i) const
{
    if (i >= GetParamWords())
        return 0;
    return WORD(m_params[2 * i] | (m_params[2 * i + 1] << 8));
}

std::optional<std::span<const BYTE>> CTkWmfPlayerRecord::Bytes(std::size_t byteOffset,
                                                               std::size_t count) const
{
    if (byteOffset > m_params.size() || count > m_params.size() - byteOffset)
        return std::nullopt;
    return m_params.subspan(byteOffset, count);
}

std::span<const BYTE> CTkWmfPlayerRecord::BytesFrom(std::size_t byteOffset) const
{
    if (byteOffset >= m_params.size())
        return {};
    return m_params.subspan(byteOffset);
}
