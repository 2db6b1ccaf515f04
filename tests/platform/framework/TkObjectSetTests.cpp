#include "platform/framework/TkObjectSet.h"
#include "platform/framework/TkObject.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

TEST(TkObjectSet, KnowsEveryObjectOnceThroughItsGrowth)
{
    // Neighbours in memory, as consecutive allocations are, and far-apart ones.
    std::vector<CTkObject> near(50000);
    std::vector<std::unique_ptr<CTkObject>> far;
    for (int i = 0; i < 2000; ++i) far.push_back(std::make_unique<CTkObject>());
    CTkObjectSet set;
    for (const CTkObject& object : near) ASSERT_TRUE(set.Insert(&object));
    for (const auto& pObject : far) ASSERT_TRUE(set.Insert(pObject.get()));
    EXPECT_EQ(set.GetCount(), near.size() + far.size());
    for (const CTkObject& object : near) ASSERT_FALSE(set.Insert(&object));
    for (const auto& pObject : far) ASSERT_FALSE(set.Insert(pObject.get()));
    EXPECT_EQ(set.GetCount(), near.size() + far.size());
}

TEST(TkObjectSet, ObjectsSixtyFourKilobytesApartStayApart)
{
    // Every object starts a block of its own: the addresses the hash spreads
    // by their block, all with the same offset inside it.
    struct alignas(65536) Block {
        CTkObject object;
    };
    std::vector<Block> blocks(300);
    CTkObjectSet set;
    for (const Block& block : blocks) ASSERT_TRUE(set.Insert(&block.object));
    for (const Block& block : blocks) ASSERT_FALSE(set.Insert(&block.object));
    EXPECT_EQ(set.GetCount(), blocks.size());
}
