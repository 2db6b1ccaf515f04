#include "resources/VxStrings.h"

#include <gtest/gtest.h>

#include <set>

TEST(VxStrings, NoIdIsDefinedTwice)
{
    std::set<unsigned> ids;
    for (const VxStringEntry& entry : VxGetStringTable()) {
        EXPECT_TRUE(ids.insert(entry.id).second) << entry.id;
        EXPECT_NE(entry.text, nullptr) << entry.id;
    }
    EXPECT_GT(ids.size(), 100u);
}

TEST(VxStrings, UnknownIdsHaveNoText)
{
    EXPECT_EQ(VxGetString(0), nullptr);
    EXPECT_EQ(VxGetString(4215), nullptr);
    EXPECT_EQ(VxGetString(65535), nullptr);
}
