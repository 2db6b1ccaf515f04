// Code pages: which one a character set selects, single- and double-byte
// decoding and encoding, the Symbol font's codes, and the one-advance-per-byte
// rule of 16-bit metafile text.

#include "platform/gdi/TkCodePage.h"
#include "platform/gdi/TkDC.h"
#include "platform/gdi/TkMetaFileRecorder.h"
#include "platform/gdi/TkWmfPlayer.h"
#include "platform/gdi/WmfRecordTypes.h"

#include "support/TestGdi.h"
#include "support/TestRecordingBackend.h"
#include "support/WmfDecoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
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

TEST(TkCodePage, CharacterSetsSelectTheirCodePagesAndMapTheirLetters)
{
    for (const Sample& s : kSamples) {
        EXPECT_EQ(TkCharSetCodePage(s.charSet), s.codePage) << int(s.charSet);
        const std::string byte(1, char(s.byte));
        EXPECT_EQ(TkCodePageToUtf16(byte, s.charSet), std::u16string(1, s.character))
            << s.codePage;
        EXPECT_EQ(TkUtf16ToCodePage(std::u16string(1, s.character), s.charSet), byte)
            << s.codePage;
    }
    const std::pair<BYTE, UINT> others[] = {{SYMBOL_CHARSET, CP_SYMBOL}, {SHIFTJIS_CHARSET, 932},
                                            {GB2312_CHARSET, 936},       {HANGUL_CHARSET, 949},
                                            {CHINESEBIG5_CHARSET, 950},  {3, 1252}};
    for (const auto& [charSet, codePage] : others)  // 3 is no character set: ANSI
        EXPECT_EQ(TkCharSetCodePage(charSet), codePage) << int(charSet);
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

struct DoubleByteSample {
    BYTE charSet;
    const char* bytes;
    std::u16string text;
};

// From the published code page tables.
const DoubleByteSample kDoubleByteSamples[] = {
    {SHIFTJIS_CHARSET, "a\x93\xfa\x96\x7b", u"a\u65E5\u672C"},  // a, "Japan"
    {SHIFTJIS_CHARSET, "\x82\xa0\xb1", u"\u3042\uFF71"},           // hiragana a, half-width a
    {HANGUL_CHARSET, "\xc7\xd1\xb1\xdb", u"\uD55C\uAE00"},            // "Hangul"
    {GB2312_CHARSET, "\xd6\xd0\xce\xc4", u"\u4E2D\u6587"},            // "Chinese"
    {CHINESEBIG5_CHARSET, "\xa4\xa4\xa4\xe5 ", u"\u4E2D\u6587 "},
};

TEST(TkCodePage, DoubleByteCharactersDecodeAndEncodeBothWays)
{
    for (const DoubleByteSample& s : kDoubleByteSamples) {
        EXPECT_EQ(TkCodePageToUtf16(s.bytes, s.charSet), s.text) << int(s.charSet);
        EXPECT_EQ(TkUtf16ToCodePage(s.text, s.charSet), s.bytes) << int(s.charSet);
    }
}

TEST(TkCodePage, DoubleByteBrokenSequencesBecomeOneReplacementPerBadByte)
{
    // A lead byte before a byte that cannot trail keeps that byte; a lead byte
    // at the end stands alone; undefined bytes are replaced, never dropped.
    EXPECT_EQ(TkCodePageToUtf16("\x93 ", SHIFTJIS_CHARSET), u"\uFFFD ");
    EXPECT_EQ(TkCodePageToUtf16("x\x93", SHIFTJIS_CHARSET), u"x\uFFFD");
    EXPECT_EQ(TkCodePageToUtf16("\xff\xa4", CHINESEBIG5_CHARSET), u"\uFFFD\uFFFD");
    // Cyrillic is in the Chinese code page, Thai is not in the Japanese one.
    EXPECT_EQ(TkUtf16ToCodePage(u"\u0416\uFFFD", GB2312_CHARSET), "\xa7\xa8?");
    EXPECT_EQ(TkUtf16ToCodePage(u"\u0E01\uFFFD", SHIFTJIS_CHARSET), "??");
}

TEST(TkCodePage, SymbolCodesStandForTheirCharacters)
{
    struct Case {
        char16_t code;
        char16_t character;
    };
    const Case cases[] = {
        {0xF044, u'\u0394'}, {0x0044, u'\u0394'}, {0xF072, u'\u03C1'}, {0xF0B4, u'\u00D7'},
        {0xF02D, u'\u2212'}, {0xF0D6, u'\u221A'}, {0x00E9, u'\u23A1'}, {0xF0FE, u'\u23AD'},
        {0xF028, u'('},      {0xF03D, u'='},
        // Codes the font leaves empty and other characters stay as they are.
        {0xF07F, 0xF07F},    {0xF0F0, 0xF0F0},    {0xF01F, 0xF01F},    {0x0416, 0x0416},
    };
    for (const Case& c : cases)
        EXPECT_EQ(int(TkSymbolToUnicode(c.code)), int(c.character)) << std::hex << int(c.code);
}

// 16-bit metafiles give one advance per byte: a character's goes on its lead
// byte, and a player takes the sum of its bytes' advances.
TEST(TkCodePage, MetafileTextKeepsOneAdvancePerDoubleByteCharacter)
{
    CTestGdiObjects keep;
    const HGDIOBJ font = keep.Font(TestFont(-16, SHIFTJIS_CHARSET, u"MS Mincho"));
    std::unique_ptr<CTkDC> recorder = CreateMetaFileW(nullptr);
    recorder->SelectObject(font);
    const INT dx[] = {5, 20, 22};
    ASSERT_TRUE(recorder->ExtTextOutW(0, 0, 0, nullptr, u"a\u65E5\u672C", 3, dx));
    const std::unique_ptr<CTkMetaFile> mf = CloseMetaFile(recorder.get());
    recorder.reset();
    ASSERT_NE(mf, nullptr);
    const std::vector<BYTE> bits(mf->GetBits().begin(), mf->GetBits().end());
    const std::optional<WmfFile> file = DecodeWmf(bits, nullptr);
    ASSERT_TRUE(file.has_value());
    const std::vector<const WmfRecord*> texts = file->Find(META_EXTTEXTOUT);
    ASSERT_EQ(texts.size(), 1u);
    const WmfRecord& r = *texts[0];
    EXPECT_EQ(r.Word(2), 5);
    EXPECT_EQ(r.Text(4, 5), "a\x93\xfa\x96\x7b");
    EXPECT_EQ((std::vector<int>{r.Short(7), r.Short(8), r.Short(9), r.Short(10), r.Short(11)}),
              (std::vector<int>{5, 20, 0, 22, 0}));

    CTestRecordingBackend* pBackend = nullptr;
    const std::unique_ptr<CTkDC> dc = MakeRecordingDC(&pBackend);
    ASSERT_TRUE(PlayMetaFile(dc.get(), mf.get()));
    const auto played = std::ranges::find_if(pBackend->Calls(), [](const std::string& call) {
        return call.starts_with("ExtTextOutW");
    });
    ASSERT_NE(played, pBackend->Calls().end());
    EXPECT_EQ(*played, "ExtTextOutW 0 0 opts=0 \"a\\u65e5\\u672c\" dx=5,20,22");
}

}  // namespace
