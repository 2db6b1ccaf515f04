#pragma once
// Text conversions between the program's UTF-8 strings and the UTF-16 of archives
// and metafiles. Invalid or unpaired sequences become U+FFFD. (8-bit code pages:
// platform/gdi/TkCodePage.h.)

#include <string>
#include <string_view>

std::u16string TkUtf8ToUtf16(std::string_view text);
std::string TkUtf16ToUtf8(std::u16string_view text);
