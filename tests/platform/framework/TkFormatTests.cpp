#include "platform/framework/TkFormat.h"

#include <gtest/gtest.h>

TEST(TkFormat, IntegersAndTexts)
{
    EXPECT_EQ(TkFormat("%d, %d", 12, -3), "12, -3");
    EXPECT_EQ(TkFormat("%d x %d", 0, 2147483647), "0 x 2147483647");
    EXPECT_EQ(TkFormat("%ld", 123456L), "123456");
    EXPECT_EQ(TkFormat("%s selected", "Line"), "Line selected");
    EXPECT_EQ(TkFormat("%d selected", 0), "0 selected");
    EXPECT_EQ(TkFormat("%d%%", 150), "150%");
    EXPECT_EQ(TkFormat("%s (%s)", std::string("All Metafiles"), "*.wmf;*.emf;*.clp"),
              "All Metafiles (*.wmf;*.emf;*.clp)");
    EXPECT_EQ(TkFormat("[%5d|%-4s|%03u]", 42, "ab", 7u), "[   42|ab  |007]");
    // Flags C leaves undefined for a conversion are dropped.
    EXPECT_EQ(TkFormat("[%05s|%#d]", "ab", 3), "[   ab|3]");
}

TEST(TkFormat, HexIsSixteenBitsWithH)
{
    EXPECT_EQ(TkFormat("Unknown function: %hX", 114), "Unknown function: 72");
    EXPECT_EQ(TkFormat("%hX", 0x12345), "2345");
    EXPECT_EQ(TkFormat("%hX", -1), "FFFF");
    EXPECT_EQ(TkFormat("%X", -1), "FFFFFFFF");
    EXPECT_EQ(TkFormat("%x", 0xABCu), "abc");
    EXPECT_EQ(TkFormat("%hd", 0x18000), "-32768");
}

TEST(TkFormat, PositionalInserts)
{
    EXPECT_EQ(TkFormat("Enter an integer between %1 and %2.", 0, 32767),
              "Enter an integer between 0 and 32767.");
    EXPECT_EQ(TkFormat("%2-%1-%2", "a", "b"), "b-a-b");
}

TEST(TkFormat, TextArgumentsForNumbersAreParsed)
{
    const std::vector<CTkFormatArg> args = {"114", "2.5", "abc"};
    EXPECT_EQ(TkFormatString("%hX %.1f %d", args), "72 2.5 abc");
    EXPECT_EQ(TkFormatString("%s|%s", {CTkFormatArg(7), CTkFormatArg(0.5)}), "7|0.5");
}

TEST(TkFormat, MissingArgumentsAndStrayPercentsAreHarmless)
{
    EXPECT_EQ(TkFormat("%s and %d and %1"), " and  and ");
    EXPECT_EQ(TkFormat("%n%p%", 5), "%n%p%");
    EXPECT_EQ(TkFormat("50%, 100%!", 5), "50%, 100%!");
    // No text can ask for an enormous field width.
    EXPECT_LT(TkFormat("%99999d|", 5).size(), 20u);
}
