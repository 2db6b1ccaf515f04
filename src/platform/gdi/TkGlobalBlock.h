#pragma once
// Owns one block of global memory (TkGlobalAlloc) and frees it when it goes.

#include "platform/gdi/GdiTypes.h"

#include <cstdint>
#include <span>

class CTkGlobalBlock {
public:
    CTkGlobalBlock() = default;
    // A block holding a copy of bytes.
    explicit CTkGlobalBlock(std::span<const std::uint8_t> bytes);
    ~CTkGlobalBlock();
    CTkGlobalBlock(CTkGlobalBlock&& other) noexcept;
    CTkGlobalBlock& operator=(CTkGlobalBlock&& other) noexcept;
    CTkGlobalBlock(const CTkGlobalBlock&) = delete;
    CTkGlobalBlock& operator=(const CTkGlobalBlock&) = delete;

    HGLOBAL Get() const { return m_hBlock; }
    std::span<const std::uint8_t> Bytes() const;

private:
    void Free();

    HGLOBAL m_hBlock = 0;
};
