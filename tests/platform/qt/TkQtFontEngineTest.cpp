#include "platform/qt/TkQtFontEngine.h"

#include "platform/gdi/TkGdiObjects.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::u16string kHello = u"Hello";

LOGFONTW Font(std::u16string_view face, LONG height, LONG weight = FW_NORMAL)
{
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    std::copy(face.begin(), face.end(), lf.lfFaceName);
    return lf;
}

class TkQtFontEngineTest : public ::testing::Test {
protected:
    SIZE Extent(const LOGFONTW& lf, std::u16string_view text)
    {
        SIZE size{-1, -1};
        EXPECT_TRUE(m_engine.GetTextExtent(lf, text.data(), int(text.size()), &size));
        return size;
    }
    TEXTMETRICW Metrics(const LOGFONTW& lf)
    {
        TEXTMETRICW tm{};
        EXPECT_TRUE(m_engine.GetTextMetrics(lf, &tm));
        return tm;
    }

    CTkQtFontEngine m_engine;
};

TEST_F(TkQtFontEngineTest, HelloInArial20SumsWholePixelAdvances)
{
    // Arial's advances at em 20 are H 14.44, e 11.12, l 4.44, o 11.12: 45.6 in
    // all, but each character advances by whole pixels: 14 + 11 + 4 + 4 + 11.
    EXPECT_EQ(Extent(Font(u"Arial", -20), kHello), (SIZE{44, 22}));
    EXPECT_DOUBLE_EQ(m_engine.GetEmPixels(Font(u"Arial", -20)), 20.0);
}

TEST_F(TkQtFontEngineTest, ArialTextMetricsAtEm20)
{
    const TEXTMETRICW tm = Metrics(Font(u"Arial", -20));
    EXPECT_EQ(tm.tmHeight, 22);  // (1854 + 434) / 2048 x 20 = 22.3
    EXPECT_EQ(tm.tmAscent, 18);
    EXPECT_EQ(tm.tmDescent, 4);
    EXPECT_EQ(tm.tmInternalLeading, 2);
    EXPECT_EQ(tm.tmExternalLeading, 1);
    EXPECT_EQ(tm.tmAveCharWidth, 9);  // Arial's 904 units, not the twin's own
    EXPECT_EQ(tm.tmMaxCharWidth, 27);
    EXPECT_EQ(tm.tmWeight, FW_NORMAL);
    EXPECT_EQ(tm.tmFirstChar, 0x20);
    EXPECT_EQ(tm.tmLastChar, 0xFFFC);
    EXPECT_EQ(tm.tmPitchAndFamily & (TMPF_FIXED_PITCH | TMPF_TRUETYPE),
              TMPF_FIXED_PITCH | TMPF_TRUETYPE);  // the bit means variable pitch

    const TEXTMETRICW mono = Metrics(Font(u"Courier New", -20));
    EXPECT_EQ(mono.tmPitchAndFamily & TMPF_FIXED_PITCH, 0);
    EXPECT_EQ(mono.tmAveCharWidth, mono.tmMaxCharWidth);
}

TEST_F(TkQtFontEngineTest, AbcWidthsAddUpToTheAdvanceAndShowOverhangs)
{
    LOGFONTW italic = Font(u"Arial", -37, FW_BOLD);
    italic.lfItalic = 1;
    for (const LOGFONTW& f : {Font(u"Arial", -37, FW_BOLD), italic}) {
        std::vector<ABC> widths(0x7F - 0x20);
        ASSERT_TRUE(m_engine.GetCharABCWidths(f, 0x20, 0x7E, widths.data()));
        for (char16_t c = 0x20; c < 0x7F; ++c) {
            const ABC& abc = widths[c - 0x20];
            EXPECT_EQ(abc.abcA + LONG(abc.abcB) + abc.abcC, Extent(f, {&c, 1}).cx)
                << "character " << int(c);
        }
        if (f.lfItalic == 0) {
            EXPECT_EQ(widths[0].abcB, 0u);  // a blank has no ink
            continue;
        }
        // Italic f reaches past its advance; italic x starts left of its origin.
        EXPECT_LT(widths[u'f' - 0x20].abcC, 0);
        EXPECT_LT(widths[u'x' - 0x20].abcA, 0);
    }
}

// How each LOGFONT field changes the text's extent: the advances are Arial's
// at the em size, each rounded to whole pixels.
TEST_F(TkQtFontEngineTest, FontFieldsChangeTheExtent)
{
    LOGFONTW bold = Font(u"Arial", -20, FW_BOLD);
    LOGFONTW turned = Font(u"Arial", -20);
    turned.lfEscapement = turned.lfOrientation = 900;  // ignored
    LOGFONTW wide = Font(u"Arial", -20);
    wide.lfWidth = 18;  // twice Arial's average at this size: 45.57 x 18 / 8.83
    const struct {
        const char* what;
        LOGFONTW font;
        SIZE extent;
    } cases[] = {
        {"bold", bold, {49, 22}},  // 14 + 11 + 6 + 6 + 12
        {"escapement", turned, {44, 22}},
        {"width", wide, {93, 22}},
        {"zero height", Font(u"Arial", 0), Extent(Font(u"Arial", kTkDefaultFontHeight), kHello)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Extent(c.font, kHello), c.extent) << c.what;
    EXPECT_EQ(Metrics(bold).tmWeight, FW_BOLD);
    EXPECT_EQ(Metrics(wide).tmAveCharWidth, 18);
    EXPECT_NEAR(m_engine.GetStretch(wide), 18 / (20.0 * 904 / 2048), 1e-9);
    EXPECT_DOUBLE_EQ(m_engine.GetStretch(Font(u"Arial", -20)), 1.0);
    // A positive height is the cell: 20 pixels hold an em of 17.9.
    const LOGFONTW cell = Font(u"Arial", 20);
    EXPECT_NEAR(m_engine.GetEmPixels(cell), 20.0 * 2048 / 2288, 1e-9);
    EXPECT_EQ(Metrics(cell).tmHeight, 20);
    EXPECT_EQ(Metrics(cell).tmInternalLeading, 2);
    EXPECT_LT(Extent(cell, kHello).cx, 44);
}

// Symbol text is measured with the glyphs of the characters its codes stand
// for, on the face another name also gives: fonts measured in turn on one
// engine answer as each does on an engine of its own.
TEST(TkQtFontEngineCache, FontsInTurnMeasureAsAlone)
{
    const std::u16string texts[] = {u"abcW", u"x\U0001D49Cy"};  // the second with a pair
    const LOGFONTW fonts[] = {Font(u"Symbol", -20), Font(u"DejaVu Sans", -20),
                              Font(u"Symbol", -31), Font(u"Arial", -20)};
    CTkQtFontEngine shared;
    for (int round = 0; round < 2; ++round) {
        for (const LOGFONTW& f : fonts) {
            for (const std::u16string& text : texts) {
                SIZE alone{};
                SIZE inTurn{};
                const int count = int(text.size());
                ASSERT_TRUE(CTkQtFontEngine().GetTextExtent(f, text.data(), count, &alone));
                ASSERT_TRUE(shared.GetTextExtent(f, text.data(), count, &inTurn));
                EXPECT_EQ(inTurn, alone) << int(f.lfHeight) << " round " << round;
            }
        }
    }
    SIZE symbol{};
    SIZE plain{};
    shared.GetTextExtent(fonts[0], texts[0].data(), 4, &symbol);
    shared.GetTextExtent(fonts[1], texts[0].data(), 4, &plain);
    EXPECT_NE(symbol.cx, plain.cx);  // α β χ are not a b c
}

}  // namespace
