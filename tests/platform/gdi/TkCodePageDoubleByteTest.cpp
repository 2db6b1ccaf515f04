// Double-byte code pages and the Symbol font's codes: decoding, encoding, and
// the one-advance-per-byte rule of 16-bit metafile text.

#include "platform/gdi/TkCodePage.h"
#include "platform/gdi/TkDC.h"
#include "platform/gdi/TkGdiObjects.h"
#include "platform/gdi/TkMetaFileRecorder.h"
#include "platform/gdi/TkWmfPlayer.h"
#include "platform/gdi/WmfRecordTypes.h"

#include "support/TestRecordingBackend.h"
#include "support/WmfDecoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

struct DoubleByteSample {
    BYTE charSet;
    const char* bytes;
    std::u16string text;
};

// From the published code page tables.
const DoubleByteSample kSamples[] = {
    {SHIFTJIS_CHARSET, "a\x93\xfa\x96\x7b", u"a\u65E5\u672C"},  // a, "Japan"
    {SHIFTJIS_CHARSET, "\x82\xa0\xb1", u"\u3042\uFF71"},           // hiragana a, half-width a
    {HANGUL_CHARSET, "\xc7\xd1\xb1\xdb", u"\uD55C\uAE00"},            // "Hangul"
    {GB2312_CHARSET, "\xd6\xd0\xce\xc4", u"\u4E2D\u6587"},            // "Chinese"
    {CHINESEBIG5_CHARSET, "\xa4\xa4\xa4\xe5 ", u"\u4E2D\u6587 "},
};

TEST(TkCodePageDoubleByte, CharactersDecodeAndEncodeBothWays)
{
    for (const DoubleByteSample& s : kSamples) {
        EXPECT_EQ(TkCodePageToUtf16(s.bytes, s.charSet), s.text) << int(s.charSet);
        EXPECT_EQ(TkUtf16ToCodePage(s.text, s.charSet), s.bytes) << int(s.charSet);
    }
}

TEST(TkCodePageDoubleByte, BrokenSequencesBecomeOneReplacementPerBadByte)
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

TEST(TkCodePageDoubleByte, SymbolCodesStandForTheirCharacters)
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

HFONT MakeFont(BYTE charSet)
{
    LOGFONTW font{};
    font.lfHeight = -16;
    font.lfCharSet = charSet;
    std::ranges::copy(std::u16string_view(u"MS Mincho"), font.lfFaceName);
    return CreateFontIndirectW(&font);
}

// 16-bit metafiles give one advance per byte: a character's goes on its lead
// byte, and a player takes the sum of its bytes' advances.
TEST(TkCodePageDoubleByte, MetafileTextKeepsOneAdvancePerCharacter)
{
    const HFONT font = MakeFont(SHIFTJIS_CHARSET);
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
    DeleteObject(font);
}

}  // namespace
