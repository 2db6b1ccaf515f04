#pragma once
// A font engine with exact, simple numbers for tests. Every face is the same
// fixed-pitch face; all values are device pixels, "round" is to nearest with
// halves up, h is the LOGFONTW height, w its width.
//
//   em         = -h when h < 0 (character height)
//                round(0.8 × h), at least 1, when h > 0 (cell height)
//                16 when h = 0 (kTkDefaultFontHeight)
//   ascent     = em
//   descent    = round(em / 4)
//   tmHeight   = ascent + descent        (so h > 0 gives about h)
//   internal leading = descent, external leading = 0
//   advance    = w when w > 0, else round(em / 2); the same for every character
//   ABC        = (1, advance - 2, 1) upright, (-1, advance + 2, -1) italic,
//                (0, advance, 0) when advance < 2
//   extent     = (count × advance, tmHeight)
//   text metrics: ave and max char width = advance, weight = lfWeight (400 for 0),
//                italic / underline / strike-out = 255 when set, first char 0x20,
//                last 0xFFFF, default and break char 0x20, pitch and family =
//                lfPitchAndFamily's family | TMPF_VECTOR | TMPF_TRUETYPE, char
//                set = lfCharSet (ANSI for DEFAULT_CHARSET), digitized aspect 96.
//
// Example: h = -20 gives em 20, ascent 20, descent 5, tmHeight 25, advance 10,
// ABC (1, 8, 1), and "Hello" measures (50, 25); h = 25 gives the same em.

#include "platform/gdi/TkFontMetrics.h"

class CTestFontEngine : public ITkFontEngine {
public:
    BOOL GetTextMetrics(const LOGFONTW& font, TEXTMETRICW* pMetrics) override;
    BOOL GetTextExtent(const LOGFONTW& font, const WCHAR* text, int count,
                       SIZE* pSize) override;
    BOOL GetCharABCWidths(const LOGFONTW& font, UINT first, UINT last,
                          ABC* pWidths) override;

    // The formulas above, for tests that compute what to expect.
    static LONG EmOf(const LOGFONTW& font);
    static LONG AdvanceOf(const LOGFONTW& font);

    // The font of the last call, as the engine got it (device pixels).
    const LOGFONTW& GetLastFont() const { return m_lastFont; }

private:
    void Remember(const LOGFONTW& font);

    LOGFONTW m_lastFont{};
};

// Installs a CTestFontEngine for its lifetime and puts the previous engine back.
class CTestFontEngineScope {
public:
    CTestFontEngineScope();
    ~CTestFontEngineScope();
    CTestFontEngineScope(const CTestFontEngineScope&) = delete;
    CTestFontEngineScope& operator=(const CTestFontEngineScope&) = delete;

    CTestFontEngine& GetEngine() { return m_engine; }

private:
    CTestFontEngine m_engine;
    ITkFontEngine* m_pPrevious;
};
