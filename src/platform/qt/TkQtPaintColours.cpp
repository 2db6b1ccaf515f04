#include "platform/qt/TkQtPaintColours.h"

#include "platform/gdi/TkDC.h"
#include "platform/gdi/TkGdiObjects.h"

namespace {

constexpr COLORREF kPaletteIndex = 0x01000000;

std::vector<QRgb> PaletteOf(const CTkDC& dc)
{
    std::vector<QRgb> colours;
    const CTkGdiObject* pPalette = TkLookupGdiObject(dc.GetCurrentObject(OBJ_PAL));
    if (pPalette == nullptr || pPalette->type != OBJ_PAL)
        return colours;
    for (const PALETTEENTRY& e : pPalette->palette)
        colours.push_back(qRgb(e.peRed, e.peGreen, e.peBlue));
    return colours;
}

}  // namespace

CTkQtPaintColours::CTkQtPaintColours(const CTkDC& dc)
    : m_dc(dc), m_text(0), m_bk(0), m_bOpaque(dc.GetBkMode() == OPAQUE)
{
    m_text = Of(dc.GetTextColor());
    m_bk = Of(dc.GetBkColor());
}

const std::vector<QRgb>& CTkQtPaintColours::Palette() const
{
    if (!m_palette)
        m_palette = PaletteOf(m_dc);
    return *m_palette;
}

QRgb CTkQtPaintColours::Of(COLORREF color) const
{
    if ((color & 0xFF000000) == kPaletteIndex) {
        const std::size_t index = color & 0xFFFF;
        const std::vector<QRgb>& palette = Palette();
        return index < palette.size() ? palette[index] : qRgb(0, 0, 0);
    }
    return qRgb(GetRValue(color), GetGValue(color), GetBValue(color));
}
