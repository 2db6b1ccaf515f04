#pragma once
// Text measuring with the font selected in a DC, in that DC's logical units, as
// GDI answers it. The numbers come from the installed font engine: Qt's in the
// program, a deterministic one in tests that need exact values.
//
// How a call is answered:
// - The font is the DC's selected font, a stock font too. Its height is a
//   vertical logical length and its width a horizontal one: both are scaled to
//   device pixels by the DC's mapping, keeping the sign of the height (negative: character height, positive: cell height,
//   0: the engine's default size). A non-zero height never scales to 0, which
//   would ask for the default size instead of a tiny font.
// - Results go back to logical units: widths (extent cx, A, B, C, character
//   widths, overhang) with the x scale, heights (extent cy, ascent, descent,
//   leadings) with the y scale, each rounded to nearest, halves away from zero;
//   tmHeight stays tmAscent + tmDescent.
// - Escapement and orientation are not applied: extents, ABC widths and text
//   metrics are those of the unrotated font, measured along the baseline. A
//   caller that draws rotated text rotates the measured box itself.
// - GetTextExtentPoint32W adds the DC's character extra (logical units) once per
//   character, as GDI spaces the characters when drawing.
// - A metafile DC (OBJ_METADC, OBJ_ENHMETADC) measures on the device behind it,
//   its attribute DC or, without one, the fixed reference device; unlike 16-bit
//   GDI a Windows-metafile DC without one still measures. The engine measures in
//   device pixels whatever the device's resolution, so the answer depends only on
//   the metafile DC's own font and mapping.
// - FALSE when no engine is installed, for null pointers, a negative count, a
//   character range whose last is below its first, a font that does not scale
//   into 32 bits, or when the engine fails.

#include "platform/gdi/GdiTypes.h"

class CTkDC;

// The character height a LOGFONTW height of 0 stands for: 12 points at 96 dpi.
constexpr LONG kTkDefaultFontHeight = -16;

// Measures a font given as a LOGFONTW whose height and width are in device
// pixels (negative height: character height; positive: cell height; 0: the
// default, kTkDefaultFontHeight). Results are in device pixels, of the unrotated
// font: engines ignore escapement and orientation.
class ITkFontEngine {
public:
    virtual ~ITkFontEngine() = default;
    virtual BOOL GetTextMetrics(const LOGFONTW& font, TEXTMETRICW* pMetrics) = 0;
    virtual BOOL GetTextExtent(const LOGFONTW& font, const WCHAR* text, int count,
                               SIZE* pSize) = 0;
    // pWidths holds last - first + 1 entries.
    virtual BOOL GetCharABCWidths(const LOGFONTW& font, UINT first, UINT last,
                                  ABC* pWidths) = 0;
};

// The engine every DC measures with; not owned. Null until one is installed.
void TkSetFontEngine(ITkFontEngine* pEngine);
ITkFontEngine* TkGetFontEngine();

// text may be null when count is 0 (the extent is then 0 wide, one line high).
BOOL GetTextExtentPoint32W(CTkDC* pDC, const WCHAR* text, int count, SIZE* pSize);
BOOL GetCharABCWidthsW(CTkDC* pDC, UINT first, UINT last, ABC* pWidths);
BOOL GetTextMetricsW(CTkDC* pDC, TEXTMETRICW* pMetrics);
