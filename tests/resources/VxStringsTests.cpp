#include "resources/VxStrings.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

std::string Text(unsigned id)
{
    const char* p = VxGetString(id);
    return p ? p : "<missing>";
}

}  // namespace

TEST(VxStrings, NoIdIsDefinedTwice)
{
    std::set<unsigned> ids;
    for (const VxStringEntry& entry : VxGetStringTable()) {
        EXPECT_TRUE(ids.insert(entry.id).second) << entry.id;
        EXPECT_NE(entry.text, nullptr) << entry.id;
    }
    EXPECT_GT(ids.size(), 100u);
}

// The texts people meet most, and the formats code fills in.
TEST(VxStrings, LoadMessagesAndFormatsAsWritten)
{
    EXPECT_EQ(Text(4205), "File not read. It may be an invalid or unsupported format.");
    EXPECT_EQ(Text(4209), "The metafile could not be read in. It may not be in the proper format.");
    EXPECT_EQ(Text(5039), "Unknown function: %hX");
    EXPECT_EQ(Text(5071), "%.2f, %.2f %s");
    EXPECT_EQ(Text(61714), "Enter an integer between %1 and %2.");
}

TEST(VxStrings, UnknownIdsHaveNoText)
{
    EXPECT_EQ(VxGetString(0), nullptr);
    EXPECT_EQ(VxGetString(4215), nullptr);
    EXPECT_EQ(VxGetString(65535), nullptr);
}
