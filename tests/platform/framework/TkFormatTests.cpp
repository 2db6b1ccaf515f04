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

TEST(TkFormat, MissingArgumentsAndStrayPercentsAreHarmless)
{
    EXPECT_EQ(TkFormat("%s and %d and %1"), " and  and ");
    EXPECT_EQ(TkFormat("%n%p%", 5), "%n%p%");
    EXPECT_EQ(TkFormat("50%, 100%!", 5), "50%, 100%!");
    // No text can ask for an enormous field width.
    EXPECT_LT(TkFormat("%99999d|", 5).size(), 20u);
}
