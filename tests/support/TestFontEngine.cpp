#include "support/TestFontEngine.h"

#include <cstdint>
#include <limits>

namespace {

// Heights beyond this have no em that the formulas can double safely.
constexpr LONG kMaxHeight = std::numeric_limits<LONG>::max() / 8;

bool IsMeasurable(const LOGFONTW& font)
{
    return font.lfHeight >= -kMaxHeight && font.lfHeight <= kMaxHeight &&
           font.lfWidth <= kMaxHeight;
}

BYTE Flag(BYTE value) { return value != 0 ? 255 : 0; }

}  // namespace

LONG CTestFontEngine::EmOf(const LOGFONTW& font)
{
    const LONG h = font.lfHeight != 0 ? font.lfHeight : kTkDefaultFontHeight;
    if (h < 0)
        return -h;
    const LONG em = (8 * h + 5) / 10;
    return em < 1 ? 1 : em;
}

LONG CTestFontEngine::AdvanceOf(const LOGFONTW& font)
{
    return font.lfWidth > 0 ? font.lfWidth : (EmOf(font) + 1) / 2;
}

void CTestFontEngine::Remember(const LOGFONTW& font)
{
    m_lastFont = font;
}

BOOL CTestFontEngine::GetTextMetrics(const LOGFONTW& font, TEXTMETRICW* pMetrics)
{
    Remember(font);
    if (pMetrics == nullptr || !IsMeasurable(font))
        return FALSE;
    const LONG em = EmOf(font);
    const LONG descent = (em + 2) / 4;
    TEXTMETRICW tm{};
    tm.tmAscent = em;
    tm.tmDescent = descent;
    tm.tmHeight = em + descent;
    tm.tmInternalLeading = descent;
    tm.tmAveCharWidth = AdvanceOf(font);
    tm.tmMaxCharWidth = tm.tmAveCharWidth;
    tm.tmWeight = font.lfWeight != FW_DONTCARE ? font.lfWeight : FW_NORMAL;
    tm.tmDigitizedAspectX = 96;
    tm.tmDigitizedAspectY = 96;
    tm.tmFirstChar = 0x20;
    tm.tmLastChar = 0xFFFF;
    tm.tmDefaultChar = 0x20;
    tm.tmBreakChar = 0x20;
    tm.tmItalic = Flag(font.lfItalic);
    tm.tmUnderlined = Flag(font.lfUnderline);
    tm.tmStruckOut = Flag(font.lfStrikeOut);
    tm.tmPitchAndFamily = BYTE((font.lfPitchAndFamily & 0xF0) | TMPF_VECTOR | TMPF_TRUETYPE);
    tm.tmCharSet = font.lfCharSet == DEFAULT_CHARSET ? ANSI_CHARSET : font.lfCharSet;
    *pMetrics = tm;
    return TRUE;
}

BOOL CTestFontEngine::GetTextExtent(const LOGFONTW& font, const WCHAR* text, int count,
                                    SIZE* pSize)
{
    Remember(font);
    if (pSize == nullptr || count < 0 || (text == nullptr && count > 0) || !IsMeasurable(font))
        return FALSE;
    const std::int64_t cx = std::int64_t(count) * AdvanceOf(font);
    if (cx > std::numeric_limits<LONG>::max())
        return FALSE;
    const LONG em = EmOf(font);
    *pSize = {LONG(cx), em + (em + 2) / 4};
    return TRUE;
}

BOOL CTestFontEngine::GetCharABCWidths(const LOGFONTW& font, UINT first, UINT last,
                                       ABC* pWidths)
{
    Remember(font);
    if (pWidths == nullptr || last < first || !IsMeasurable(font))
        return FALSE;
    const LONG advance = AdvanceOf(font);
    ABC abc{0, UINT(advance), 0};
    if (advance >= 2)
        abc = font.lfItalic != 0 ? ABC{-1, UINT(advance + 2), -1} : ABC{1, UINT(advance - 2), 1};
    for (std::uint64_t i = 0; i <= std::uint64_t(last - first); ++i)
        pWidths[i] = abc;
    return TRUE;
}

CTestFontEngineScope::CTestFontEngineScope() : m_pPrevious(TkGetFontEngine())
{
    TkSetFontEngine(&m_engine);
}

CTestFontEngineScope::~CTestFontEngineScope() { TkSetFontEngine(m_pPrevious); }
