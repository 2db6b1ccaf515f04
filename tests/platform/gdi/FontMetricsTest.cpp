#include "platform/gdi/TkDC.h"
#include "platform/gdi/TkFontMetrics.h"
#include "platform/gdi/TkGdiObjects.h"
#include "support/TestFontEngine.h"
#include "support/TestGdi.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

LOGFONTW Font(LONG height, LONG width = 0)
{
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWidth = width;
    std::copy_n(u"Arial", 5, lf.lfFaceName);
    return lf;
}

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

class FontMetricsTest : public ::testing::Test {
protected:
    CTestFontEngineScope m_scope;
    CTestFontEngine& m_engine = m_scope.GetEngine();
    CTkDC m_dc;
    CTestGdiObjects m_keep;
};

// The test engine: an em of h pixels is a cell of 1.25 h, advances of h / 2,
// 'H' of A 1, B 8, C 1 at an em of 20.
TEST_F(FontMetricsTest, MeasuresInLogicalUnitsThroughTheMapping)
{
    struct Case {
        const char* what;
        SIZE window, viewport;
        LOGFONTW font;
        int extra;
        std::u16string_view text;
        SIZE extent;
        LONG deviceHeight;  // what the engine was asked for
    };
    const Case cases[] = {
        {"text mode", {1, 1}, {1, 1}, Font(-20), 0, u"Hello", {50, 25}, -20},
        {"a cell of 25 holds an em of 20", {1, 1}, {1, 1}, Font(25), 0, u"Hello", {50, 25}, 25},
        {"ten to one both ways", {10, 10}, {1, 1}, Font(-200, 70), 0, u"Hello", {350, 250}, -20},
        {"halves round away from zero", {10, 10}, {1, 1}, Font(-205), 0, u"x", {110, 260}, -21},
        {"a tiny font stays tiny", {10, 10}, {1, 1}, Font(-4), 0, u"x", {10, 10}, -1},
        {"flipped axes give positive lengths", {10, 10}, {-1, -1}, Font(-200), 0, u"Hello",
         {500, 250}, -20},
        {"each axis by its own", {10, 1}, {1, 2}, Font(-10), 0, u"ab", {200, 13}, -20},
        {"character extra per character", {1, 1}, {1, 1}, Font(-20), 3, u"Hello", {65, 25}, -20},
        {"negative character extra", {1, 1}, {1, 1}, Font(-20), -2, u"Hello", {40, 25}, -20},
        {"character extra in logical units", {10, 10}, {1, 1}, Font(-200), 5, u"Hello",
         {525, 250}, -20},
        {"no text", {1, 1}, {1, 1}, Font(-20), 3, u"", {0, 25}, -20},
    };
    for (const Case& c : cases) {
        CTkDC dc;
        SetAnisotropic(dc, c.window, c.viewport);
        dc.SetTextCharacterExtra(c.extra);
        dc.SelectObject(m_keep.Font(c.font));
        EXPECT_EQ(Extent(dc, c.text), c.extent) << c.what;
        EXPECT_EQ(m_engine.GetLastFont().lfHeight, c.deviceHeight) << c.what;
    }
    EXPECT_EQ(Extent(m_dc, u"ab"), (SIZE{14, 16}));  // the stock system font

    // MM_LOMETRIC on the reference device: a 1 cm font is 37.8 -> 38 pixels.
    m_dc.SetMapMode(MM_LOMETRIC);
    m_dc.SelectObject(m_keep.Font(Font(-100)));
    EXPECT_EQ(Extent(m_dc, u"ab"), (SIZE{101, 127}));
    EXPECT_EQ(m_engine.GetLastFont().lfHeight, -38);
}

TEST_F(FontMetricsTest, MetricsAndWidthsConvertWithTheirSign)
{
    SetAnisotropic(m_dc, {10, 10}, {1, 1});
    LOGFONTW lf = Font(-200);
    lf.lfItalic = 1;
    lf.lfEscapement = 900;  // measured unrotated
    m_dc.SelectObject(m_keep.Font(lf));
    EXPECT_EQ(m_engine.GetLastFont().lfEscapement, 0);
    std::vector<ABC> widths(3);
    ASSERT_TRUE(GetCharABCWidthsW(&m_dc, u'a', u'c', widths.data()));
    for (const ABC& abc : widths) {
        EXPECT_EQ(abc.abcA, -10);
        EXPECT_EQ(abc.abcB, 120u);
        EXPECT_EQ(abc.abcC, -10);
    }
    const TEXTMETRICW tm = Metrics(m_dc);
    EXPECT_EQ(tm.tmHeight, 250);
    EXPECT_EQ(tm.tmAscent, 200);

    // Logical = device x 3/4: the height 11 gives 8, the ascent 9 gives 7 and
    // the descent 2 alone would give 2 as well.
    CTkDC small;
    SetAnisotropic(small, {3, 3}, {4, 4});
    small.SelectObject(m_keep.Font(Font(-7)));
    const TEXTMETRICW s = Metrics(small);
    EXPECT_EQ(s.tmHeight, 8);
    EXPECT_EQ(s.tmAscent, 7);
    EXPECT_EQ(s.tmDescent, 1);
}

TEST_F(FontMetricsTest, MetafileDCsMeasureWithTheirOwnFontAndMapping)
{
    CTkDC attrib;
    attrib.SetMapMode(MM_LOMETRIC);
    attrib.SelectObject(m_keep.Font(Font(-500)));
    for (DWORD type : {OBJ_ENHMETADC, OBJ_METADC}) {
        CTkDC meta(nullptr, type);
        meta.SetAttribDC(&attrib);
        SetAnisotropic(meta, {10, 10}, {1, 1});
        meta.SelectObject(m_keep.Font(Font(-200)));
        EXPECT_EQ(Extent(meta, u"Hello"), (SIZE{500, 250}));
        // Without an attribute DC: the reference device.
        CTkDC plain(nullptr, type);
        plain.SelectObject(m_keep.Font(Font(-20)));
        EXPECT_EQ(CharABC(plain, u'H').abcC, 1);
    }
}

// Sizes a file can ask for that no 32-bit measure holds fail instead of wrapping.
TEST_F(FontMetricsTest, ImpossibleSizesFail)
{
    SIZE size{};
    TEXTMETRICW tm{};
    const LOGFONTW lf = Font(-20);
    const HFONT hFont = CreateFontIndirectW(&lf);
    const HGDIOBJ hOld = m_dc.SelectObject(hFont);
    m_dc.SetTextCharacterExtra(INT_MAX / 2);
    EXPECT_FALSE(GetTextExtentPoint32W(&m_dc, u"abc", 3, &size));  // wider than 32 bits
    DeleteObject(hFont);
    EXPECT_FALSE(GetTextExtentPoint32W(&m_dc, u"a", 1, &size));  // a deleted font
    m_dc.SelectObject(hOld);

    SetAnisotropic(m_dc, {1, 1}, {1000000, 1000000});
    m_dc.SelectObject(m_keep.Font(Font(-10000)));
    EXPECT_FALSE(GetTextMetricsW(&m_dc, &tm));
    CTkDC textMode;
    textMode.SelectObject(m_keep.Font(Font(INT_MIN)));
    EXPECT_FALSE(GetTextMetricsW(&textMode, &tm));
}

}  // namespace
