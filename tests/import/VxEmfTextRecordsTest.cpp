// 8-bit text in the selected font's code page, EMR_SMALLTEXTOUT, and malformed
// text records refused one by one.

#include "attributes/VxFontGraphicProperty.h"
#include "attributes/VxGlobalGraphicProperty.h"
#include "graphics/VxText.h"
#include "import/ConverterTestSupport.h"
#include "platform/gdi/EmfRecordTypes.h"
#include "support/EmfBuilder.h"
#include "support/TestFontEngine.h"

#include <gtest/gtest.h>

namespace {

// A font of charSet selected into slot 1, then the records add adds.
template <typename Add>
std::vector<std::uint8_t> WithFont(BYTE charSet, Add add)
{
    EmfBuilder b;
    LOGFONTW font{};
    font.lfHeight = -12;
    font.lfCharSet = charSet;
    b.ExtCreateFont(1, font);
    b.Record(EMR_SELECTOBJECT, {1});
    add(b);
    std::vector<std::uint8_t> bytes = b.Finish();
    bytes[56] = 2;  // nHandles
    return bytes;
}

struct Converted {
    std::unique_ptr<CVxEmfToVxConverter> pConverter =
        std::make_unique<CVxEmfToVxConverter>(0, 0, 2000, 1000, FALSE);  // keeps spacing
    std::vector<int> answers;

    explicit Converted(const std::vector<std::uint8_t>& bytes)
        : answers(RunRecords(*pConverter, bytes))
    {
    }
    CVxText* Text(int index) const
    {
        return dynamic_cast<CVxText*>(GraphicAt(pConverter->GetGraphics(), index));
    }
};

// The builder's device is 1920 x 1080 pixels on 508 x 286 mm: 96 pixels are 2540
// hundredths of a millimetre across and 2542 down.
TEST(TextRecords, AnsiTextDecodesInTheSelectedFontsCodePage)
{
    const CTestFontEngineScope engine;
    struct Case {
        BYTE charSet;
        std::string bytes;
        std::vector<LONG> dx;  // per byte
        std::u16string text;
        std::vector<INT> advances;  // per character, in the picture
    };
    const Case cases[] = {
        {ANSI_CHARSET, "\xE9t", {96, 192}, u"\u00E9t", {2540, 5080}},
        {GREEK_CHARSET, "\xE1\xE2", {}, u"\u03B1\u03B2", {}},
        {RUSSIAN_CHARSET, "\xCC\xE8\xF0", {}, u"\u041C\u0438\u0440", {}},
        {EASTEUROPE_CHARSET, "\xB3\xB9", {}, u"\u0142\u0105", {}},
        {SYMBOL_CHARSET, "a\xB3", {}, u"\uF061\uF0B3", {}},
        // Double-byte: a trail byte's advance joins its character's.
        {SHIFTJIS_CHARSET, "A\x82\xA0z", {96, 96, 96, 192}, u"A\u3042z", {2540, 5080, 5080}},
        {GB2312_CHARSET, "\xC4\xE3", {192, 0}, u"\u4F60", {5080}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.charSet));
        const Converted run(WithFont(c.charSet, [&](EmfBuilder& b) {
            b.ExtTextOutA({0, 0}, c.bytes, c.dx);
        }));
        EXPECT_EQ(run.answers, (std::vector<int>{0, 0, 0, 0, 0}));
        ASSERT_NE(run.Text(0), nullptr);
        EXPECT_EQ(run.Text(0)->GetText(), c.text);
        EXPECT_EQ(run.Text(0)->GetSpacing(), c.advances);
    }
}

std::span<const std::uint8_t> AsBytes(std::string_view s)
{
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

// Under a Greek font, to show that 8-bit characters here are not in its code page.
TEST(TextRecords, SmallTextOutInBothWidthsWithAndWithoutItsBox)
{
    const CTestFontEngineScope engine;
    struct Case {
        DWORD options;
        RECT rect;
        std::string stored;
        DWORD nChars;
        std::u16string text;
        UINT textOptions;
        RECT textRect;
    };
    const Case cases[] = {
        {ETO_SMALL_CHARS | ETO_NO_RECT, {}, "Hi\xE9", 3, u"Hi\u00E9", 0, {}},
        {ETO_SMALL_CHARS | ETO_CLIPPED, {0, 0, 96, 96}, "ab", 2, u"ab", ETO_CLIPPED,
         {0, 0, 2540, 2542}},
        // A box the record does not hold cannot be painted.
        {ETO_NO_RECT | ETO_OPAQUE, {}, std::string("\x1C\x04" "b\0", 4), 2, u"\u041Cb", 0, {}},
        {ETO_OPAQUE, {96, 0, 192, 96}, std::string("x\0", 2), 1, u"x", ETO_OPAQUE,
         {2540, 0, 5080, 2542}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        const Converted run(WithFont(GREEK_CHARSET, [&](EmfBuilder& b) {
            b.SmallTextOut({0, 0}, c.options, c.rect, AsBytes(c.stored), c.nChars);
        }));
        EXPECT_EQ(run.answers, (std::vector<int>{0, 0, 0, 0, 0}));
        ASSERT_NE(run.Text(0), nullptr);
        EXPECT_EQ(run.Text(0)->GetText(), c.text);
        EXPECT_EQ(run.Text(0)->GetOptions(), c.textOptions);
        if (c.textOptions != 0) {
            EXPECT_EQ(run.Text(0)->GetRect(), c.textRect);
        }
    }
}

// Each broken text record is listed as ignored; the picture around it imports.
TEST(TextRecords, MalformedTextIsRefusedAlone)
{
    const CTestFontEngineScope engine;
    struct Case {
        const char* what;
        std::size_t (*add)(EmfBuilder&);
        std::size_t field;  // offset in the record of the 32-bit field broken
    };
    const Case cases[] = {
        {"wide text past the end", [](EmfBuilder& b) { return b.ExtTextOutW({}, u"ab"); }, 44},
        {"8-bit advances past the end",
         [](EmfBuilder& b) {
             const LONG advances[] = {1, 2};
             return b.ExtTextOutA({}, "ab", advances);
         },
         72},
        {"small text past the end",
         [](EmfBuilder& b) { return b.SmallTextOut({}, ETO_SMALL_CHARS, {}, AsBytes("ab"), 2); },
         16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::size_t at = 0;
        std::vector<std::uint8_t> bytes = WithFont(RUSSIAN_CHARSET, [&](EmfBuilder& b) {
            at = c.add(b);
            b.ExtTextOutA({}, "\xCC");
        });
        SetU32(bytes, at + c.field, 0x10000);
        const Converted run(bytes);
        EXPECT_EQ(run.answers, (std::vector<int>{0, 0, 0, 1, 0, 0}));
        ASSERT_NE(run.Text(0), nullptr);
        EXPECT_EQ(run.Text(0)->GetText(), u"\u041C");
    }
}

// A font turned 30° under each transform: a mirror turns the characters' tops
// where it sends them and the text runs back from its point; advances stay along
// the baseline.
TEST(TextRecords, MirroringWorldTransformsTurnTextAndReverseItsRun)
{
    const CTestFontEngineScope engine;
    struct Case {
        const char* what;
        XFORM xform;
        LONG escapement;  // counter-clockwise, 0 to 3599
        UINT align;
    };
    const Case cases[] = {
        {"none", {1, 0, 0, 1, 0, 0}, 300, TA_LEFT | TA_BOTTOM},
        {"x mirrored", {-1, 0, 0, 1, 0, 0}, 3300, TA_RIGHT | TA_BOTTOM},
        {"y mirrored", {1, 0, 0, -1, 0, 0}, 1500, TA_RIGHT | TA_BOTTOM},
        {"half turn", {-1, 0, 0, -1, 0, 0}, 2100, TA_LEFT | TA_BOTTOM},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CVxEmfToVxConverter converter(0, 0, 2000, 1000, FALSE);
        converter.OnHeader(MakeHeader({0, 0, 2000, 1000}));
        LOGFONTW font{};
        font.lfEscapement = font.lfOrientation = 300;
        converter.OnExtCreateFontIndirectW(1, font);
        converter.OnSelectObject(1);
        converter.OnSetTextAlign(TA_BOTTOM);
        ASSERT_EQ(converter.OnSetWorldTransform(c.xform), 0);
        const LONG dx[] = {10, -4};
        converter.OnExtTextOut(0, 0, 0, {}, u"ab", dx);
        CVxGraphic* pText = GraphicAt(converter.GetGraphics(), 0);
        const auto* pFont = PropertyOf<CVxFontGraphicProperty>(pText, "Font");
        ASSERT_NE(pFont, nullptr);
        const auto angle = [](LONG tenths) { return (tenths % 3600 + 3600) % 3600; };
        EXPECT_EQ(angle(pFont->GetLogFont().lfEscapement), c.escapement);
        EXPECT_EQ(angle(pFont->GetLogFont().lfOrientation), c.escapement);
        EXPECT_EQ(PropertyOf<CVxGlobalGraphicProperty>(pText, "Global")->GetTextAlign(), c.align);
        EXPECT_EQ(dynamic_cast<CVxText*>(pText)->GetSpacing(), (std::vector<INT>{10, -4}));
    }
}

}  // namespace
