#include "platform/gdi/TkGlobalBlock.h"

#include "platform/gdi/TkGdiObjects.h"

#include <utility>

CTkGlobalBlock::CTkGlobalBlock(std::span<const std::uint8_t> bytes)
    : m_hBlock(TkGlobalAlloc(bytes))
{
}

CTkGlobalBlock::~CTkGlobalBlock() { Free(); }

CTkGlobalBlock::CTkGlobalBlock(CTkGlobalBlock&& other) noexcept
    : m_hBlock(std::exchange(other.m_hBlock, 0))
{
}

CTkGlobalBlock& CTkGlobalBlock::operator=(CTkGlobalBlock&& other) noexcept
{
    if (this != &other) {
        Free();
        m_hBlock = std::exchange(other.m_hBlock, 0);
    }
    return *this;
}

std::span<const std::uint8_t> CTkGlobalBlock::Bytes() const { return TkGlobalBytes(m_hBlock); }

void CTkGlobalBlock::Free()
{
    if (m_hBlock != 0)
        TkGlobalFree(m_hBlock);
    m_hBlock = 0;
}
