#pragma once
// Text in Windows metafiles is 8-bit, in the code page that the font's character
// set selects. These convert between that and the UTF-16 the rest of the program
// uses.

#include "platform/gdi/GdiTypes.h"

#include <span>
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

// One byte per character (a surrogate pair is one character), two for the
// characters a double-byte code page holds in two. What the code page cannot hold
// becomes '?'. With SYMBOL_CHARSET every character gives its low byte. pSources,
// when given, receives for each byte the index of the first UTF-16 unit of its
// character.
std::string TkUtf16ToCodePage(std::u16string_view text, BYTE charSet,
                              std::vector<std::size_t>* pSources = nullptr);

// One UTF-16 unit per character: a byte, or a lead and a trail byte of a
// double-byte code page. What the code page leaves undefined becomes U+FFFD, a
// lead byte without a valid trail byte alone. SYMBOL_CHARSET maps 0x20-0xFF to
// U+F020-U+F0FF, where symbol fonts keep their glyphs. pStarts, when given,
// receives for each unit the index of its character's first byte.
std::u16string TkCodePageToUtf16(std::string_view bytes, BYTE charSet,
                                 std::vector<std::size_t>* pStarts = nullptr);

// Advances stored one per byte, as 8-bit text records keep them, added up per
// character: starts is what TkCodePageToUtf16 gives. Bytes beyond byteAdvances
// add nothing.
std::vector<LONG> TkCharacterAdvances(std::span<const LONG> byteAdvances,
                                      std::span<const std::size_t> starts);

// The character that the Symbol font draws for one of its codes, 0x20-0xFF or
// the same code in U+F020-U+F0FF. Codes it leaves empty and all other
// characters come back as they are.
char16_t TkSymbolToUnicode(char16_t code);
