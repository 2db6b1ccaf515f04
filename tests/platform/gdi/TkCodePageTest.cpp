#include "platform/gdi/TkCodePage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

struct Sample {
    BYTE charSet;
    UINT codePage;
    unsigned char byte;  // a byte of the upper half
    char16_t character;  // what it stands for
};

// One letter per single-byte code page, from the published tables.
const Sample kSamples[] = {
    {ANSI_CHARSET, 1252, 0x80, u'\u20AC'},       {DEFAULT_CHARSET, 1252, 0xDF, u'\u00DF'},
    {EASTEUROPE_CHARSET, 1250, 0x8A, u'\u0160'}, {RUSSIAN_CHARSET, 1251, 0xC0, u'\u0410'},
    {GREEK_CHARSET, 1253, 0xC1, u'\u0391'},      {TURKISH_CHARSET, 1254, 0xD0, u'\u011E'},
    {HEBREW_CHARSET, 1255, 0xE0, u'\u05D0'},     {ARABIC_CHARSET, 1256, 0xC7, u'\u0627'},
    {BALTIC_CHARSET, 1257, 0xC0, u'\u0104'},     {VIETNAMESE_CHARSET, 1258, 0xC3, u'\u0102'},
    {THAI_CHARSET, 874, 0xA1, u'\u0E01'},
};

TEST(TkCodePage, CharacterSetsSelectTheirCodePages)
{
    for (const Sample& s : kSamples)
        EXPECT_EQ(TkCharSetCodePage(s.charSet), s.codePage) << int(s.charSet);
    EXPECT_EQ(TkCharSetCodePage(SYMBOL_CHARSET), CP_SYMBOL);
    EXPECT_EQ(TkCharSetCodePage(SHIFTJIS_CHARSET), 932u);
    EXPECT_EQ(TkCharSetCodePage(GB2312_CHARSET), 936u);
    EXPECT_EQ(TkCharSetCodePage(HANGUL_CHARSET), 949u);
    EXPECT_EQ(TkCharSetCodePage(CHINESEBIG5_CHARSET), 950u);
    EXPECT_EQ(TkCharSetCodePage(3), 1252u);  // not a character set: the ANSI code page
}

TEST(TkCodePage, EachTableMapsItsSampleLetterBothWays)
{
    for (const Sample& s : kSamples) {
        const std::string byte(1, char(s.byte));
        EXPECT_EQ(TkCodePageToUtf16(byte, s.charSet), std::u16string(1, s.character))
            << s.codePage;
        EXPECT_EQ(TkUtf16ToCodePage(std::u16string(1, s.character), s.charSet), byte)
            << s.codePage;
    }
}

TEST(TkCodePage, EveryDefinedByteRoundTrips)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(char(b));
    for (const Sample& s : kSamples) {
        const std::u16string text = TkCodePageToUtf16(all, s.charSet);
        ASSERT_EQ(text.size(), 256u);
        const std::string back = TkUtf16ToCodePage(text, s.charSet);
        for (int b = 0; b < 256; ++b) {
            if (text[b] != u'\uFFFD')
                EXPECT_EQ(back[b], char(b)) << s.codePage << " byte " << b;
            else
                EXPECT_EQ(back[b], '?') << s.codePage << " byte " << b;
        }
    }
    const std::u16string ansi = TkCodePageToUtf16(all, ANSI_CHARSET);
    EXPECT_EQ(std::count(ansi.begin(), ansi.end(), u'\uFFFD'), 5);  // 81 8D 8F 90 9D
}

TEST(TkCodePage, SymbolFontsUseTheLowByte)
{
    EXPECT_EQ(TkUtf16ToCodePage(u"\uF041A\uF0B7", SYMBOL_CHARSET), "AA\xB7");
    EXPECT_EQ(TkCodePageToUtf16("\x10" "A\xB7", SYMBOL_CHARSET), u"\x0010\uF041\uF0B7");
}

}  // namespace
