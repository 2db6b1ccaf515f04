#pragma once
// Text in Windows metafiles is 8-bit, in the code page that the font's character
// set selects. These convert between that and the UTF-16 the rest of the program
// uses.

#include "platform/gdi/GdiTypes.h"

#include <string>
#include <string_view>
#include <vector>

constexpr UINT CP_SYMBOL = 42;

// The Windows code page of a font character set: 1252 for ANSI_CHARSET,
// DEFAULT_CHARSET and unknown sets, 1250 for EASTEUROPE_CHARSET, ... , CP_SYMBOL
// for SYMBOL_CHARSET, 932/936/949/950/1361 for the double-byte sets.
UINT TkCharSetCodePage(BYTE charSet);

class CTkDC;
// The character set of the font selected in the DC (DEFAULT_CHARSET when none
// is), which decides how its 8-bit text is coded.
BYTE TkSelectedCharSet(const CTkDC& dc);

// One byte per character (a surrogate pair is one character). What the code page
// cannot hold becomes '?'; the double-byte code pages keep only ASCII. With
// SYMBOL_CHARSET every character gives its low byte. pSources, when given, receives
// for each byte the index of the first UTF-16 unit of its character.
std::string TkUtf16ToCodePage(std::u16string_view text, BYTE charSet,
                              std::vector<std::size_t>* pSources = nullptr);

// One UTF-16 unit per byte. Bytes the code page leaves undefined (and every byte
// above 0x7F of a double-byte code page) become U+FFFD. SYMBOL_CHARSET maps 0x20-0xFF
// to U+F020-U+F0FF, where symbol fonts keep their glyphs.
std::u16string TkCodePageToUtf16(std::string_view bytes, BYTE charSet);
