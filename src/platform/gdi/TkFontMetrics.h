#pragma once
// Text measuring with the font selected in a DC, in that DC's logical units, as
// GDI answers it. A metafile DC measures through its attribute DC. The numbers
// come from the installed font engine: Qt's in the program, a deterministic one
// in tests that need exact values.

#include "platform/gdi/GdiTypes.h"

class CTkDC;

// Measures a font given as a LOGFONTW whose height and width are in device
// pixels (negative height: character height; positive: cell height). Results are
// in device pixels, unrotated.
class ITkFontEngine {
public:
    virtual ~ITkFontEngine() = default;
    virtual BOOL GetTextMetrics(const LOGFONTW& font, TEXTMETRICW* pMetrics) = 0;
    virtual BOOL GetTextExtent(const LOGFONTW& font, const WCHAR* text, int count,
                               SIZE* pSize) = 0;
    virtual BOOL GetCharABCWidths(const LOGFONTW& font, UINT first, UINT last,
                                  ABC* pWidths) = 0;
};

// The engine every DC measures with; not owned. Null until one is installed.
void TkSetFontEngine(ITkFontEngine* pEngine);
ITkFontEngine* TkGetFontEngine();

BOOL GetTextExtentPoint32W(CTkDC* pDC, const WCHAR* text, int count, SIZE* pSize);
BOOL GetCharABCWidthsW(CTkDC* pDC, UINT first, UINT last, ABC* pWidths);
BOOL GetTextMetricsW(CTkDC* pDC, TEXTMETRICW* pMetrics);
