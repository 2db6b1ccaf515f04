#include "attributes/VxFontGraphicProperty.h"

#include <gtest/gtest.h>

using F = CVxFontGraphicProperty;

TEST(Font, ScaleUsesMagnitudesAndStoresOnlyANonZeroHeight)
{
    F font;
    font.SetHeight(-30);
    font.SetWidth(12);
    font.Scale(-1, 2, 1, -3);  // flipped horizontally, two thirds vertically
    EXPECT_EQ(font.GetLogFont().lfWidth, 12);
    EXPECT_EQ(font.GetLogFont().lfHeight, -20);

    font.SetHeight(-1);
    font.Scale(1, 1, 3, 3);  // width 4; height would round to 0
    EXPECT_EQ(font.GetLogFont().lfWidth, 4);
    EXPECT_EQ(font.GetLogFont().lfHeight, -1);

    font.Scale(0, 2, 1, 1);  // a width may become 0
    EXPECT_EQ(font.GetLogFont().lfWidth, 0);
    EXPECT_EQ(font.GetLogFont().lfHeight, -2);
}

TEST(Font, FaceNamesAreCutToFitTheirTerminator)
{
    F font;
    const std::u16string longName(40, u'x');
    EXPECT_TRUE(font.SetFaceName(longName));
    EXPECT_EQ(font.GetFaceName(), std::u16string(31, u'x'));
    EXPECT_EQ(font.GetLogFont().lfFaceName[31], u'\0');
    EXPECT_FALSE(font.SetFaceName(longName));
}

TEST(Font, LogFontEqualityComparesFaceNamesUpToTheTerminator)
{
    LOGFONTW a{};
    std::copy_n(u"Arial", 6, a.lfFaceName);
    LOGFONTW b = a;
    b.lfFaceName[10] = u'z';  // beyond the terminator
    EXPECT_TRUE(F::LogFontEquals(a, b));

    b = a;
    b.lfFaceName[0] = u'a';  // case counts
    EXPECT_FALSE(F::LogFontEquals(a, b));

    b = a;
    b.lfQuality = 4;
    EXPECT_FALSE(F::LogFontEquals(a, b));

    // Names filling the whole field are compared over the field only.
    std::fill(std::begin(a.lfFaceName), std::end(a.lfFaceName), u'q');
    b = a;
    EXPECT_TRUE(F::LogFontEquals(a, b));
}

TEST(Font, ApplyChangesOnlyWhatTheSourceDefines)
{
    F font;
    font.SetFaceName(u"Times New Roman");
    F source(TRUE);
    source.SetHeight(-99);
    source.SetUnderline(1);
    source.SetUnderline(0);  // mixed: kept as each text has it
    EXPECT_TRUE(font.Apply(source));
    EXPECT_EQ(font.GetLogFont().lfHeight, -99);
    EXPECT_EQ(font.GetLogFont().lfUnderline, 0);
    EXPECT_EQ(font.GetFaceName(), u"Times New Roman");
    EXPECT_FALSE(font.Apply(source));
}
