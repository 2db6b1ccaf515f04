#include "platform/framework/TkStrings.h"

#include <gtest/gtest.h>

TEST(TkStrings, ExtractsFields)
{
    const std::string doc = TkLoadString(2);
    EXPECT_EQ(TkExtractSubString(doc, 0), "Glyphar");
    EXPECT_EQ(TkExtractSubString(doc, 4), ".wmf");
    EXPECT_EQ(TkExtractSubString(doc, 6), "Glyphar Picture (32-bit)");
    EXPECT_EQ(TkExtractSubString(doc, 7), "");
    EXPECT_EQ(TkExtractSubString(doc, -1), "");
    const std::string undo = TkLoadString(57643);
    EXPECT_EQ(TkExtractSubString(undo, 0), "Undo the last action");
    EXPECT_EQ(TkExtractSubString(undo, 1), "Undo");
    EXPECT_EQ(TkExtractSubString("a;;b", 1, ';'), "");
    EXPECT_EQ(TkExtractSubString("a;;b", 2, ';'), "b");
    EXPECT_EQ(TkExtractSubString("", 0), "");
}
