#pragma once
// A metafile comment record, kept byte for byte and written back unchanged. It
// has no properties and no extent.

#include "graphics/VxGraphic.h"

#include <cstdint>
#include <memory>
#include <span>

class CVxComment : public CVxGraphic {
    TK_DECLARE_SERIAL(CVxComment)
public:
    CVxComment();
    // Copies the bytes; when they cannot be held, the comment is empty.
    CVxComment(const BYTE* pData, std::uint32_t nDataSize);

    // The byte count as 32 bits, then the bytes.
    void Serialize(CTkArchive& ar) override;
    BOOL HasExtent() const override;
    std::string GetTypeName() const override;
    // The comment record, inside a path or not.
    void DrawShape(CTkDC* pDC, BOOL bContinue) override;
    void CopyFrom(CVxGraphic& source) override;
    // Without an area there is nothing the clip could hide.
    void Draw(CTkDC* pDC, BOOL bContinue = FALSE) override;
    std::unique_ptr<CVxGraphic> Clone() override;

    std::span<const BYTE> GetData() const { return {m_pData.get(), m_nDataSize}; }

private:
    void SetData(const BYTE* pData, std::uint32_t nDataSize);

    std::unique_ptr<BYTE[]> m_pData;
    std::uint32_t m_nDataSize = 0;
};
