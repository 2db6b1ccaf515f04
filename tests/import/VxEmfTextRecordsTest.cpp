// 8-bit text in the selected font's code page, EMR_SMALLTEXTOUT, malformed text
// records, and texts under mirroring world transforms.

#include "attributes/VxFontGraphicProperty.h"
#include "attributes/VxGlobalGraphicProperty.h"
#include "graphics/VxText.h"
#include "import/ConverterTestSupport.h"
#include "platform/gdi/EmfRecordTypes.h"
#include "support/EmfBuilder.h"
#include "support/TestFontEngine.h"

#include <functional>

namespace {

using Add = std::function<std::size_t(EmfBuilder&)>;

// x, y, count, options, graphics mode, two scales, the box unless ETO_NO_RECT, text.
template <std::uint32_t... fields>
std::size_t Small(EmfBuilder& b)
{
    return b.Record(EMR_SMALLTEXTOUT, {fields...});
}

// A font of the case's character set, its text record, then a rectangle. The
// builder's device has 96 pixels in 2540 hundredths of a millimetre across.
// Small texts are under a Greek font: their 8-bit characters are not in its code
// page. A malformed record (no text expected) is ignored and the rectangle stays.
TEST(TextRecords, EightBitSmallAndMalformedTexts)
{
    const CTestFontEngineScope engine;
    const std::vector<LONG> ansiDx{96, 192}, sjisDx{96, 96, 96, 192}, gbDx{192, 0};
    const auto a = [](std::string s, std::vector<LONG> dx = {}) {
        return [s, dx](EmfBuilder& b) { return b.ExtTextOutA({}, s, dx); };
    };
    struct Case {
        BYTE charSet;
        Add add;
        std::u16string text;
        std::vector<INT> advances = {};
        UINT options = 0;
        std::size_t brokenField = 0;  // set to 0x10000
    };
    const Case cases[] = {
        {ANSI_CHARSET, a("\xE9t", ansiDx), u"\u00E9t", {2540, 5080}},
        {GREEK_CHARSET, a("\xE1\xE2"), u"\u03B1\u03B2"},
        {RUSSIAN_CHARSET, a("\xCC\xE8"), u"\u041C\u0438"},
        {EASTEUROPE_CHARSET, a("\xB3"), u"\u0142"},
        {SYMBOL_CHARSET, a("a\xB3"), u"\uF061\uF0B3"},
        // Double-byte: a trail byte's advance joins its character's.
        {SHIFTJIS_CHARSET, a("A\x82\xA0z", sjisDx), u"A\u3042z", {2540, 5080, 5080}},
        {GB2312_CHARSET, a("\xC4\xE3", gbDx), u"\u4F60", {5080}},
        {GREEK_CHARSET, Small<0, 0, 3, ETO_SMALL_CHARS | ETO_NO_RECT, 0, 0, 0, 0xE96948>,
         u"Hi\u00E9"},
        {GREEK_CHARSET, Small<0, 0, 2, ETO_CLIPPED, 0, 0, 0, 0, 0, 96, 0, 0x62041C>, u"\u041Cb",
         {}, ETO_CLIPPED},
        // A box the record does not hold cannot be painted.
        {GREEK_CHARSET, Small<0, 0, 1, ETO_NO_RECT | ETO_OPAQUE, 0, 0, 0, 0x78>, u"x"},
        {GREEK_CHARSET, Small<0, 0, 9, ETO_NO_RECT, 0, 0, 0, 0x78>, u""},
        {ANSI_CHARSET, [](EmfBuilder& b) { return b.ExtTextOutW({}, u"ab"); }, u"", {}, 0, 44},
        {ANSI_CHARSET, a("ab", ansiDx), u"", {}, 0, 72},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        EmfBuilder b;
        LOGFONTW font{};
        font.lfCharSet = c.charSet;
        b.ExtCreateFont(1, font);
        b.Record(EMR_SELECTOBJECT, {1});
        const std::size_t at = c.add(b);
        b.Record(EMR_RECTANGLE, {0, 0, 10, 10});
        std::vector<std::uint8_t> bytes = b.Finish();
        bytes[56] = 2;  // nHandles
        if (c.brokenField != 0)
            SetU32(bytes, at + c.brokenField, 0x10000);
        CVxEmfToVxConverter converter(0, 0, 2000, 1000, FALSE);
        const int answer = c.text.empty() ? 1 : 0;
        EXPECT_EQ(RunRecords(converter, bytes), (std::vector<int>{0, 0, 0, answer, 0, 0}));
        auto* pText = dynamic_cast<CVxText*>(GraphicAt(converter.GetGraphics(), 0));
        EXPECT_EQ(converter.GetGraphics().GetCount(), c.text.empty() ? 1 : 2);
        if (c.text.empty())
            continue;
        ASSERT_NE(pText, nullptr);
        EXPECT_EQ(pText->GetText(), c.text);
        EXPECT_EQ(pText->GetSpacing(), c.advances);
        EXPECT_EQ(pText->GetOptions(), c.options);
        if (c.options != 0) {
            EXPECT_EQ(pText->GetRect().right, 2540);
        }
    }
}

// A font turned 30°: a mirror turns the characters' tops where it sends them
// and the text runs back from its point; advances stay along the baseline.
TEST(TextRecords, MirroringWorldTransformsTurnTextAndReverseItsRun)
{
    const CTestFontEngineScope engine;
    const struct {
        XFORM xform;
        LONG escapement;  // counter-clockwise, 0 to 3599
        UINT align;
    } cases[] = {
        {{1, 0, 0, 1, 0, 0}, 300, TA_LEFT | TA_BOTTOM},
        {{-1, 0, 0, 1, 0, 0}, 3300, TA_RIGHT | TA_BOTTOM},
        {{1, 0, 0, -1, 0, 0}, 1500, TA_RIGHT | TA_BOTTOM},
        {{-1, 0, 0, -1, 0, 0}, 2100, TA_LEFT | TA_BOTTOM},  // a half turn
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.escapement);
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
        const LOGFONTW& lf = PropertyOf<CVxFontGraphicProperty>(pText, "Font")->GetLogFont();
        EXPECT_EQ((lf.lfEscapement % 3600 + 3600) % 3600, c.escapement);
        EXPECT_EQ(lf.lfOrientation, lf.lfEscapement);
        EXPECT_EQ(PropertyOf<CVxGlobalGraphicProperty>(pText, "Global")->GetTextAlign(), c.align);
        EXPECT_EQ(dynamic_cast<CVxText*>(pText)->GetSpacing(), (std::vector<INT>{10, -4}));
    }
}

}  // namespace
