// Text whose bytes mean something other than Windows-1252: the Symbol font's
// codes and the double-byte code pages, measured and played from a metafile.

#include "platform/qt/TkQtPaintTest.h"

#include "platform/gdi/TkWmfPlayer.h"
#include "platform/gdi/WmfRecordTypes.h"

#include "support/WmfBuilder.h"

#include <string>
#include <string_view>

namespace {

LOGFONTW Font(std::u16string_view face, BYTE charSet)
{
    LOGFONTW lf{};
    lf.lfHeight = -24;
    lf.lfCharSet = charSet;
    std::ranges::copy(face, lf.lfFaceName);
    return lf;
}

// A 16-bit LOGFONT record of height -24.
WmfParams FontRecord(std::string_view face, BYTE charSet)
{
    std::vector<std::uint8_t> bytes = {0, 0, 0, charSet, 0, 0, 0, 0};
    bytes.insert(bytes.end(), face.begin(), face.end());
    bytes.resize(8 + 32, 0);
    return WmfParams{-24, 0, 0, 0, FW_NORMAL}.Bytes(bytes);
}

class TkQtCharSetTextTest : public TkQtPaintTest {
protected:
    void SetUp() override { Reset(160, 48, kWhite); }

    // Plays a metafile that draws text bytes at (4, 4) in a font.
    QImage PlayText(std::string_view face, BYTE charSet, std::string_view bytes)
    {
        Reset(160, 48, kWhite);
        WmfBuilder b;
        b.Add(META_CREATEFONTINDIRECT, FontRecord(face, charSet))
            .Add(META_SELECTOBJECT, {0})
            .Add(META_SETBKMODE, {TRANSPARENT})
            .Add(META_TEXTOUT, WmfParams{int(bytes.size())}.Text(bytes).Word(4).Word(4))
            .Add(META_DELETEOBJECT, {0});
        EXPECT_TRUE(PlayMetaFile(&dc(), b.Build()));
        return image().copy();
    }
    QImage DrawText(const LOGFONTW& lf, std::u16string_view text)
    {
        Reset(160, 48, kWhite);
        Use(CreateFontIndirectW(&lf));
        dc().SetBkMode(TRANSPARENT);
        dc().TextOutW(4, 4, text.data(), int(text.size()));
        return image().copy();
    }
    // Runs of columns with ink: one per glyph that stands apart.
    int InkedColumnRuns() const
    {
        int runs = 0;
        bool inked = false;
        for (int x = 0; x < image().width(); ++x) {
            const bool now = Column(x, 0, image().height() - 1).find_first_not_of('.') !=
                             std::string::npos;
            runs += now && !inked ? 1 : 0;
            inked = now;
        }
        return runs;
    }

};

// An equation editor's bytes in the Symbol font draw Greek letters and signs as
// the same characters in a Unicode face do, whether its character set says
// symbol or not; a code the font leaves empty stays a missing glyph.
TEST_F(TkQtCharSetTextTest, SymbolCodesDrawTheirCharacters)
{
    const struct {
        BYTE charSet;
        const char* bytes;
        std::u16string_view unicode;
    } cases[] = {
        {SYMBOL_CHARSET, "D\x72", u"\u0394\u03C1"},    // delta, rho
        {SYMBOL_CHARSET, "\xb4-\xd6", u"\u00D7\u2212\u221A"},  // times, minus, root
        {DEFAULT_CHARSET, "\xe9\xf9", u"\u23A1\u23A4"},  // bracket tops
    };
    const LOGFONTW unicodeFont = Font(u"DejaVu Sans", ANSI_CHARSET);
    const QImage missing = DrawText(unicodeFont, u"\uF07F\uF07F");
    for (const auto& c : cases) {
        const QImage expected = DrawText(unicodeFont, c.unicode);
        EXPECT_NE(expected, missing);
        EXPECT_EQ(PlayText("Symbol", c.charSet, c.bytes), expected) << c.bytes;
    }
    EXPECT_EQ(PlayText("Symbol", SYMBOL_CHARSET, "\x7f\x7f"), missing);
}

// Two double-byte characters are two glyphs (missing-glyph boxes when no face
// of the script is installed), not four bytes of mojibake.
TEST_F(TkQtCharSetTextTest, DoubleByteTextDrawsOneGlyphPerCharacter)
{
    const struct {
        BYTE charSet;
        const char* bytes;
    } cases[] = {
        {SHIFTJIS_CHARSET, "\x93\xfa\x96\x7b"},
        {HANGUL_CHARSET, "\xc7\xd1\xb1\xdb"},
        {GB2312_CHARSET, "\xd6\xd0\xce\xc4"},
        {CHINESEBIG5_CHARSET, "\xa4\xa4\xa4\xe5"},
    };
    for (const auto& c : cases) {
        PlayText("MS Mincho", c.charSet, c.bytes);
        EXPECT_EQ(InkedColumnRuns(), 2) << int(c.charSet);
    }
    PlayText("MS Mincho", ANSI_CHARSET, "\x93\xfa\x96\x7b");
    EXPECT_GT(InkedColumnRuns(), 2);  // the same bytes as Windows-1252 text
}

}  // namespace
