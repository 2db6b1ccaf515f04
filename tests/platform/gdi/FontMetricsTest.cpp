#include "platform/gdi/TkDC.h"
#include "platform/gdi/TkFontMetrics.h"
#include "platform/gdi/TkGdiObjects.h"
#include "support/TestFontEngine.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

const std::u16string kHello = u"Hello";

LOGFONTW Font(LONG height, LONG width = 0)
{
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfWeight = FW_NORMAL;
    std::u16string_view face = u"Arial";
    std::copy(face.begin(), face.end(), lf.lfFaceName);
    return lf;
}

// A font selected into a DC for the length of a test, deleted afterwards.
class CSelectedFont {
public:
    CSelectedFont(CTkDC& dc, const LOGFONTW& lf)
        : m_dc(dc), m_hFont(CreateFontIndirectW(&lf)), m_hOld(dc.SelectObject(m_hFont))
    {
    }
    ~CSelectedFont()
    {
        m_dc.SelectObject(m_hOld);
        DeleteObject(m_hFont);
    }
    CSelectedFont(const CSelectedFont&) = delete;
    CSelectedFont& operator=(const CSelectedFont&) = delete;

private:
    CTkDC& m_dc;
    HFONT m_hFont;
    HGDIOBJ m_hOld;
};

SIZE Extent(CTkDC& dc, std::u16string_view text)
{
    SIZE size{-1, -1};
    EXPECT_TRUE(GetTextExtentPoint32W(&dc, text.data(), int(text.size()), &size));
    return size;
}

ABC CharABC(CTkDC& dc, WCHAR c)
{
    ABC abc{-99, 99, -99};
    EXPECT_TRUE(GetCharABCWidthsW(&dc, c, c, &abc));
    return abc;
}

TEXTMETRICW Metrics(CTkDC& dc)
{
    TEXTMETRICW tm{};
    EXPECT_TRUE(GetTextMetricsW(&dc, &tm));
    return tm;
}

void SetAnisotropic(CTkDC& dc, SIZE window, SIZE viewport)
{
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(window.cx, window.cy);
    dc.SetViewportExt(viewport.cx, viewport.cy);
}

class FontMetricsTest : public ::testing::Test {
protected:
    CTestFontEngineScope m_scope;
    CTestFontEngine& m_engine = m_scope.GetEngine();
    CTkDC m_dc;
};

TEST_F(FontMetricsTest, TextModeMeasuresInPixels)
{
    CSelectedFont font(m_dc, Font(-20));
    EXPECT_EQ(Extent(m_dc, kHello), (SIZE{50, 25}));
    EXPECT_EQ(m_engine.GetLastFont().lfHeight, -20);

    const ABC abc = CharABC(m_dc, u'H');
    EXPECT_EQ(abc.abcA, 1);
    EXPECT_EQ(abc.abcB, 8u);
    EXPECT_EQ(abc.abcC, 1);

    const TEXTMETRICW tm = Metrics(m_dc);
    EXPECT_EQ(tm.tmHeight, 25);
    EXPECT_EQ(tm.tmAscent, 20);
    EXPECT_EQ(tm.tmDescent, 5);
    EXPECT_EQ(tm.tmInternalLeading, 5);
    EXPECT_EQ(tm.tmAveCharWidth, 10);
    EXPECT_EQ(tm.tmWeight, FW_NORMAL);
}

TEST_F(FontMetricsTest, HeightSignChoosesCharacterOrCellHeight)
{
    {
        // A cell of 25 holds an em of 20: the same font as -20.
        CSelectedFont font(m_dc, Font(25));
        EXPECT_EQ(Extent(m_dc, kHello), (SIZE{50, 25}));
        EXPECT_EQ(m_engine.GetLastFont().lfHeight, 25);
    }
    {
        // A character height of 25 is a larger font than a cell of 25.
        CSelectedFont font(m_dc, Font(-25));
        EXPECT_EQ(Metrics(m_dc).tmHeight, 31);
        EXPECT_EQ(m_engine.GetLastFont().lfHeight, -25);
    }
    {
        CSelectedFont font(m_dc, Font(0));
        EXPECT_EQ(Metrics(m_dc).tmAscent, -kTkDefaultFontHeight);
        EXPECT_EQ(m_engine.GetLastFont().lfHeight, 0);
    }
}

TEST_F(FontMetricsTest, StockFontOfANewDC)
{
    // The system font: a 16-pixel cell, 7 pixels wide.
    EXPECT_EQ(Extent(m_dc, u"ab"), (SIZE{14, 16}));
    EXPECT_EQ(Metrics(m_dc).tmWeight, FW_BOLD);
}

TEST_F(FontMetricsTest, AnisotropicTenToOneScalesBothWays)
{
    SetAnisotropic(m_dc, {10, 10}, {1, 1});
    CSelectedFont font(m_dc, Font(-200, 70));
    EXPECT_EQ(Extent(m_dc, kHello), (SIZE{350, 250}));
    EXPECT_EQ(m_engine.GetLastFont().lfHeight, -20);
    EXPECT_EQ(m_engine.GetLastFont().lfWidth, 7);

    const ABC abc = CharABC(m_dc, u'o');
    EXPECT_EQ(abc.abcA, 10);
    EXPECT_EQ(abc.abcB, 50u);
    EXPECT_EQ(abc.abcC, 10);

    const TEXTMETRICW tm = Metrics(m_dc);
    EXPECT_EQ(tm.tmHeight, 250);
    EXPECT_EQ(tm.tmAscent, 200);
    EXPECT_EQ(tm.tmAveCharWidth, 70);
}

TEST_F(FontMetricsTest, ScalingRoundsHalvesAwayFromZero)
{
    SetAnisotropic(m_dc, {10, 10}, {1, 1});
    CSelectedFont font(m_dc, Font(-205));
    EXPECT_EQ(Extent(m_dc, u"x"), (SIZE{110, 260}));  // em 20.5 -> 21, advance 11
    EXPECT_EQ(m_engine.GetLastFont().lfHeight, -21);
    EXPECT_EQ(CharABC(m_dc, u'x').abcB, 90u);
}

TEST_F(FontMetricsTest, TinyFontStaysTinyInsteadOfDefault)
{
    SetAnisotropic(m_dc, {10, 10}, {1, 1});
    CSelectedFont font(m_dc, Font(-4));
    SIZE size{};
    ASSERT_TRUE(GetTextExtentPoint32W(&m_dc, u"x", 1, &size));
    EXPECT_EQ(m_engine.GetLastFont().lfHeight, -1);
    EXPECT_EQ(size.cx, 10);
}

TEST_F(FontMetricsTest, AscentAndDescentStillAddUpAfterRounding)
{
    // Logical = device x 3/4: the height 11 gives 8, the ascent 9 gives 7 and
    // the descent 2 alone would give 2 as well.
    SetAnisotropic(m_dc, {3, 3}, {4, 4});
    CSelectedFont font(m_dc, Font(-7));
    const TEXTMETRICW tm = Metrics(m_dc);
    EXPECT_EQ(m_engine.GetLastFont().lfHeight, -9);
    EXPECT_EQ(tm.tmHeight, 8);
    EXPECT_EQ(tm.tmAscent, 7);
    EXPECT_EQ(tm.tmDescent, 1);
}

TEST_F(FontMetricsTest, FlippedAxesMeasurePositiveLengths)
{
    SetAnisotropic(m_dc, {10, 10}, {-1, -1});
    CSelectedFont font(m_dc, Font(-200));
    EXPECT_EQ(Extent(m_dc, kHello), (SIZE{500, 250}));
    // The sign of the height still means character height, not direction.
    EXPECT_EQ(m_engine.GetLastFont().lfHeight, -20);
    EXPECT_EQ(CharABC(m_dc, u'H').abcA, 10);
}

TEST_F(FontMetricsTest, FixedMetricModeWithYUp)
{
    // MM_LOMETRIC on the reference device: 1080 pixels for 2860 logical units
    // down, 1920 for 5080 across. A 1 cm font is 37.8 -> 38 pixels.
    m_dc.SetMapMode(MM_LOMETRIC);
    CSelectedFont font(m_dc, Font(-100));
    const SIZE size = Extent(m_dc, u"ab");
    EXPECT_EQ(m_engine.GetLastFont().lfHeight, -38);
    EXPECT_EQ(size.cx, 101);  // 38 pixels
    EXPECT_EQ(size.cy, 127);  // 48 pixels
}

TEST_F(FontMetricsTest, NonUniformScaleConvertsEachAxisByItsOwn)
{
    SetAnisotropic(m_dc, {10, 1}, {1, 2});
    CSelectedFont font(m_dc, Font(-10));
    EXPECT_EQ(Extent(m_dc, u"ab"), (SIZE{200, 13}));  // 2 x 10 px across; 25 px = 12.5 down
    EXPECT_EQ(m_engine.GetLastFont().lfHeight, -20);
}

TEST_F(FontMetricsTest, CharacterExtraIsAddedPerCharacter)
{
    CSelectedFont font(m_dc, Font(-20));
    m_dc.SetTextCharacterExtra(3);
    EXPECT_EQ(Extent(m_dc, kHello), (SIZE{65, 25}));
    EXPECT_EQ(Extent(m_dc, u""), (SIZE{0, 25}));
    // ABC widths and metrics do not include it.
    EXPECT_EQ(CharABC(m_dc, u'H').abcB, 8u);

    m_dc.SetTextCharacterExtra(-2);
    EXPECT_EQ(Extent(m_dc, kHello), (SIZE{40, 25}));
}

TEST_F(FontMetricsTest, CharacterExtraIsInLogicalUnits)
{
    SetAnisotropic(m_dc, {10, 10}, {1, 1});
    CSelectedFont font(m_dc, Font(-200));
    m_dc.SetTextCharacterExtra(5);
    EXPECT_EQ(Extent(m_dc, kHello), (SIZE{525, 250}));
}

TEST_F(FontMetricsTest, EscapementDoesNotRotateTheMeasurement)
{
    LOGFONTW lf = Font(-20);
    lf.lfEscapement = 900;
    lf.lfOrientation = 900;
    CSelectedFont font(m_dc, lf);
    EXPECT_EQ(Extent(m_dc, kHello), (SIZE{50, 25}));
    EXPECT_EQ(m_engine.GetLastFont().lfEscapement, 0);
    EXPECT_EQ(m_engine.GetLastFont().lfOrientation, 0);
}

TEST_F(FontMetricsTest, ItalicOverhangsConvertWithTheirSign)
{
    SetAnisotropic(m_dc, {10, 10}, {1, 1});
    LOGFONTW lf = Font(-200);
    lf.lfItalic = 1;
    CSelectedFont font(m_dc, lf);
    std::vector<ABC> widths(3);
    ASSERT_TRUE(GetCharABCWidthsW(&m_dc, u'a', u'c', widths.data()));
    for (const ABC& abc : widths) {
        EXPECT_EQ(abc.abcA, -10);
        EXPECT_EQ(abc.abcB, 120u);
        EXPECT_EQ(abc.abcC, -10);
    }
}

TEST_F(FontMetricsTest, MetafileDCMeasuresWithItsOwnFontAndMapping)
{
    CTkDC attrib;
    attrib.SetMapMode(MM_LOMETRIC);
    CSelectedFont attribFont(attrib, Font(-500));

    for (DWORD type : {OBJ_ENHMETADC, OBJ_METADC}) {
        CTkDC meta(nullptr, type);
        meta.SetAttribDC(&attrib);
        SetAnisotropic(meta, {10, 10}, {1, 1});
        CSelectedFont font(meta, Font(-200));
        EXPECT_EQ(Extent(meta, kHello), (SIZE{500, 250}));
        EXPECT_EQ(Metrics(meta).tmAscent, 200);
    }
}

TEST_F(FontMetricsTest, MetafileDCWithoutAttributeDCMeasuresOnTheReferenceDevice)
{
    for (DWORD type : {OBJ_ENHMETADC, OBJ_METADC}) {
        CTkDC meta(nullptr, type);
        ASSERT_EQ(meta.GetAttribDC(), nullptr);
        CSelectedFont font(meta, Font(-20));
        EXPECT_EQ(Extent(meta, kHello), (SIZE{50, 25}));
        EXPECT_EQ(CharABC(meta, u'H').abcC, 1);
    }
}

TEST(FontMetricsNoEngineTest, EveryCallFailsWithoutAnEngine)
{
    ITkFontEngine* pPrevious = TkGetFontEngine();
    TkSetFontEngine(nullptr);
    CTkDC dc;
    SIZE size{};
    ABC abc{};
    TEXTMETRICW tm{};
    EXPECT_FALSE(GetTextExtentPoint32W(&dc, u"a", 1, &size));
    EXPECT_FALSE(GetCharABCWidthsW(&dc, u'a', u'a', &abc));
    EXPECT_FALSE(GetTextMetricsW(&dc, &tm));
    TkSetFontEngine(pPrevious);
}

TEST_F(FontMetricsTest, ScopeRestoresThePreviousEngine)
{
    ITkFontEngine* pOuter = TkGetFontEngine();
    EXPECT_EQ(pOuter, &m_engine);
    {
        CTestFontEngineScope inner;
        EXPECT_EQ(TkGetFontEngine(), &inner.GetEngine());
    }
    EXPECT_EQ(TkGetFontEngine(), pOuter);
}

TEST_F(FontMetricsTest, BadArgumentsFail)
{
    SIZE size{};
    ABC abc[2]{};
    TEXTMETRICW tm{};
    EXPECT_FALSE(GetTextExtentPoint32W(nullptr, u"a", 1, &size));
    EXPECT_FALSE(GetTextExtentPoint32W(&m_dc, u"a", 1, nullptr));
    EXPECT_FALSE(GetTextExtentPoint32W(&m_dc, u"a", -1, &size));
    EXPECT_FALSE(GetTextExtentPoint32W(&m_dc, nullptr, 2, &size));
    EXPECT_FALSE(GetCharABCWidthsW(nullptr, u'a', u'a', abc));
    EXPECT_FALSE(GetCharABCWidthsW(&m_dc, u'a', u'a', nullptr));
    EXPECT_FALSE(GetCharABCWidthsW(&m_dc, u'b', u'a', abc));
    EXPECT_FALSE(GetTextMetricsW(nullptr, &tm));
    EXPECT_FALSE(GetTextMetricsW(&m_dc, nullptr));
    EXPECT_EQ(m_engine.GetCallCount(), 0);

    // No text at all is a valid, empty measurement.
    EXPECT_TRUE(GetTextExtentPoint32W(&m_dc, nullptr, 0, &size));
    EXPECT_EQ(size, (SIZE{0, 16}));
}

TEST_F(FontMetricsTest, DeletedFontFails)
{
    const LOGFONTW lf = Font(-20);
    const HFONT hFont = CreateFontIndirectW(&lf);
    const HGDIOBJ hOld = m_dc.SelectObject(hFont);
    DeleteObject(hFont);
    SIZE size{};
    EXPECT_FALSE(GetTextExtentPoint32W(&m_dc, u"a", 1, &size));
    m_dc.SelectObject(hOld);
}

TEST_F(FontMetricsTest, FontTooLargeForTheMappingFails)
{
    SetAnisotropic(m_dc, {1, 1}, {1000000, 1000000});
    CSelectedFont font(m_dc, Font(-10000));
    SIZE size{};
    TEXTMETRICW tm{};
    EXPECT_FALSE(GetTextExtentPoint32W(&m_dc, u"a", 1, &size));
    EXPECT_FALSE(GetTextMetricsW(&m_dc, &tm));

    CTkDC textMode;
    CSelectedFont extreme(textMode, Font(INT_MIN));
    EXPECT_FALSE(GetTextMetricsW(&textMode, &tm));
}

TEST_F(FontMetricsTest, ExtentWiderThan32BitsFails)
{
    CSelectedFont font(m_dc, Font(-20));
    m_dc.SetTextCharacterExtra(INT_MAX / 2);
    SIZE size{};
    EXPECT_FALSE(GetTextExtentPoint32W(&m_dc, u"abc", 3, &size));
}

}  // namespace
