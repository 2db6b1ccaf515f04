#include "platform/framework/TkObList.h"
#include "platform/framework/TkObject.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using POSITION = CTkObList::POSITION;

class TkObListTest : public ::testing::Test {
protected:
    // Both directions agree with the expected order, and so does the count.
    static void ExpectOrder(const CTkObList& list, const std::vector<CTkObject*>& expected)
    {
        std::vector<CTkObject*> forward;
        for (POSITION pos = list.GetHeadPosition(); pos;) forward.push_back(list.GetNext(pos));
        std::vector<CTkObject*> backward;
        for (POSITION pos = list.GetTailPosition(); pos;) backward.push_back(list.GetPrev(pos));
        EXPECT_EQ(forward, expected);
        EXPECT_EQ(backward, std::vector<CTkObject*>(expected.rbegin(), expected.rend()));
        EXPECT_EQ(list.GetCount(), int(expected.size()));
    }

    CTkObject a, b, c, d, e;
};

}  // namespace

TEST_F(TkObListTest, InsertsAndRemovesAtPositionsThatStayValid)
{
    CTkObList list(2);  // small blocks: several allocations
    const POSITION pb = list.AddTail(&b);
    const POSITION pd = list.InsertAfter(pb, &d);
    list.InsertBefore(pd, &c);
    list.InsertBefore(pb, &a);  // before the head
    list.InsertAfter(pd, &e);   // after the tail
    ExpectOrder(list, {&a, &b, &c, &d, &e});
    for (int i = 0; i < 20; ++i) list.AddHead(&e);
    for (int i = 0; i < 20; ++i) list.RemoveHead();
    list.RemoveAt(pb);
    EXPECT_EQ(list.GetAt(pd), &d);
    EXPECT_EQ(list.RemoveTail(), &e);
    ExpectOrder(list, {&a, &c, &d});
    EXPECT_EQ(list.FindIndex(2), pd);
    EXPECT_EQ(list.FindIndex(3), nullptr);
    EXPECT_EQ(list.Find(&d), pd);
    list.RemoveAll();
    ExpectOrder(list, {});
    list.AddTail(&e);  // usable again after it emptied
    ExpectOrder(list, {&e});
}

TEST_F(TkObListTest, AppendsWholeListsItselfIncluded)
{
    CTkObList list;
    list.AddTail(&c);
    CTkObList other;
    other.AddTail(&a);
    other.AddTail(&b);
    list.AddHead(other);
    list.AddTail(other);
    ExpectOrder(list, {&a, &b, &c, &a, &b});
    other.AddTail(other);  // itself: doubles once
    ExpectOrder(other, {&a, &b, &a, &b});
}

