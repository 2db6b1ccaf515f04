#pragma once
// The colours a drawing call takes from its DC: text and background colour,
// background mode and the selected palette, with COLORREF values turned into
// the colours they stand for.

#include "platform/gdi/GdiTypes.h"

#include <QRgb>

#include <optional>
#include <vector>

class CTkDC;

class CTkQtPaintColours {
public:
    explicit CTkQtPaintColours(const CTkDC& dc);

    // An explicit RGB value, a palette-relative one (0x02 in the high byte) or a
    // palette index (0x01 in the high byte: the entry of the DC's palette, black
    // when it has none such).
    QRgb Of(COLORREF color) const;

    QRgb Text() const { return m_text; }
    QRgb Background() const { return m_bk; }
    bool IsOpaque() const { return m_bOpaque; }
    const std::vector<QRgb>& Palette() const;

private:
    const CTkDC& m_dc;
    // Read from the DC only when a colour needs it: most drawing calls never do.
    mutable std::optional<std::vector<QRgb>> m_palette;
    QRgb m_text;
    QRgb m_bk;
    bool m_bOpaque;
};
