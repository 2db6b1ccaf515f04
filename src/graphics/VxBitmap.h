#pragma once
// A device-independent bitmap drawn into a box with StretchDIBits: the packed DIB
// as the file held it, the part of it shown, and the raster operation. m_rect
// keeps the destination's corners as the record gave them, so a negative extent
// draws the bitmap mirrored, as GDI does; flips make one.
//
// The bits never change once made: clones share them. A bitmap may also be
// drawn blended (AlphaBlend with its BLENDFUNCTION) or with one colour left out
// (TransparentBlt); the raster operation is then not used.

#include "graphics/VxGraphic.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

class CVxBitmap : public CVxGraphic {
    TK_DECLARE_SERIAL(CVxBitmap)
public:
    using Dib = std::shared_ptr<const std::vector<BYTE>>;
    enum class Kind : WORD { Plain, AlphaBlend, Transparent };

    // For creation on load.
    CVxBitmap();
    // An empty bitmap (it draws nothing); the start of a clone.
    explicit CVxBitmap(const RECT& rect);
    // dib must be whole (MakePackedDib); source is x, y, width and height in it.
    CVxBitmap(const RECT& rect, Dib dib, UINT usage, const RECT& source, DWORD rop);

    // A packed DIB of a header and colour table followed by its bits, cut to the
    // sizes the header gives; nullopt when the header is malformed, does not fit
    // or asks for more bits than there are.
    static std::optional<std::vector<BYTE>> MakePackedDib(std::span<const BYTE> bmi,
                                                          std::span<const BYTE> bits,
                                                          UINT usage);

    // kind Plain: param not used; AlphaBlend: the BLENDFUNCTION; Transparent:
    // the colour left out.
    void SetKind(Kind kind, DWORD param);

    // After the base: usage (its high word the kind, 0 for plain, so that files
    // saved before blends existed read as they were), the raster operation or
    // the kind's parameter, the source box, then the DIB's byte count and bytes.
    void Serialize(CTkArchive& ar) override;
    std::string GetTypeName() const override;
    void DrawShape(CTkDC* pDC, BOOL bContinue) override;
    // A bitmap has no outline of its own: a drag shows its box.
    void DrawShapeOutline(CTkDC* pDC, BOOL bContinue) override;
    void CopyFrom(CVxGraphic& source) override;
    std::unique_ptr<CVxGraphic> Clone() override;

    std::span<const BYTE> GetDib() const;
    const Dib& GetSharedDib() const { return m_pDib; }
    UINT GetUsage() const { return m_nUsage; }
    // x, y, width and height of the part of the bitmap shown.
    const RECT& GetSource() const { return m_rcSource; }
    DWORD GetRop() const { return m_dwRop; }
    Kind GetKind() const { return m_kind; }
    DWORD GetKindParam() const { return m_dwParam; }

private:
    Dib m_pDib;
    UINT m_nUsage = DIB_RGB_COLORS;
    RECT m_rcSource{};
    DWORD m_dwRop = SRCCOPY;
    Kind m_kind = Kind::Plain;
    DWORD m_dwParam = 0;
};
