#include "platform/framework/TkUnicode.h"

#include <cstddef>
#include <cstdint>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf16(std::u16string& out, char32_t c)
{
    if (c < 0x10000) {
        out.push_back(char16_t(c));
    } else {
        c -= 0x10000;
        out.push_back(char16_t(0xD800 + (c >> 10)));
        out.push_back(char16_t(0xDC00 + (c & 0x3FF)));
    }
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out.push_back(char(c));
    } else if (c < 0x800) {
        out.push_back(char(0xC0 | (c >> 6)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(char(0xE0 | (c >> 12)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else {
        out.push_back(char(0xF0 | (c >> 18)));
        out.push_back(char(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    }
}

struct LeadByte {
    int nContinuation;  // -1: not a lead byte
    std::uint8_t secondMin;
    std::uint8_t secondMax;
};

// The allowed range of the second byte rules out overlong forms, surrogates and
// code points above U+10FFFF.
LeadByte ClassifyLead(std::uint8_t b)
{
    if (b >= 0xC2 && b <= 0xDF) return {1, 0x80, 0xBF};
    if (b == 0xE0) return {2, 0xA0, 0xBF};
    if (b == 0xED) return {2, 0x80, 0x9F};
    if (b >= 0xE1 && b <= 0xEF) return {2, 0x80, 0xBF};
    if (b == 0xF0) return {3, 0x90, 0xBF};
    if (b >= 0xF1 && b <= 0xF3) return {3, 0x80, 0xBF};
    if (b == 0xF4) return {3, 0x80, 0x8F};
    return {-1, 0, 0};
}

// Decodes one code point at text[i] and advances i; a broken sequence yields one
// replacement for its longest valid prefix.
char32_t DecodeUtf8(std::string_view text, std::size_t& i)
{
    const auto b0 = std::uint8_t(text[i++]);
    if (b0 < 0x80) return b0;
    const LeadByte lead = ClassifyLead(b0);
    if (lead.nContinuation < 0) return kReplacement;
    char32_t c = b0 & (0x3F >> lead.nContinuation);
    for (int k = 0; k < lead.nContinuation; ++k) {
        if (i >= text.size()) return kReplacement;
        const auto b = std::uint8_t(text[i]);
        const std::uint8_t lo = k == 0 ? lead.secondMin : 0x80;
        const std::uint8_t hi = k == 0 ? lead.secondMax : 0xBF;
        if (b < lo || b > hi) return kReplacement;
        c = (c << 6) | (b & 0x3F);
        ++i;
    }
    return c;
}

}  // namespace

std::u16string TkUtf8ToUtf16(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) AppendUtf16(out, DecodeUtf8(text, i));
    return out;
}

std::string TkUtf16ToUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = kReplacement;
        }
        AppendUtf8(out, c);
    }
    return out;
}
