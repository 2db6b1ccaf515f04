#include "platform/framework/TkObList.h"
#include "platform/framework/TkObject.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using POSITION = CTkObList::POSITION;

class TkObListTest : public ::testing::Test {
protected:
    std::vector<CTkObject*> Forward(const CTkObList& list) const
    {
        std::vector<CTkObject*> out;
        for (POSITION pos = list.GetHeadPosition(); pos;) out.push_back(list.GetNext(pos));
        return out;
    }
    std::vector<CTkObject*> Backward(const CTkObList& list) const
    {
        std::vector<CTkObject*> out;
        for (POSITION pos = list.GetTailPosition(); pos;) out.push_back(list.GetPrev(pos));
        return out;
    }
    // Both directions agree with the expected order, and so does the count.
    void ExpectOrder(const CTkObList& list, const std::vector<CTkObject*>& expected) const
    {
        EXPECT_EQ(Forward(list), expected);
        EXPECT_EQ(Backward(list), std::vector<CTkObject*>(expected.rbegin(), expected.rend()));
        EXPECT_EQ(list.GetCount(), int(expected.size()));
    }

    CTkObject a, b, c, d, e;
};

}  // namespace

TEST_F(TkObListTest, AddsAtBothEnds)
{
    CTkObList list;
    EXPECT_TRUE(list.IsEmpty());
    list.AddTail(&b);
    list.AddHead(&a);
    list.AddTail(&c);
    ExpectOrder(list, {&a, &b, &c});
    EXPECT_EQ(list.GetHead(), &a);
    EXPECT_EQ(list.GetTail(), &c);
}

TEST_F(TkObListTest, InsertsBeforeAndAfterPositions)
{
    CTkObList list;
    const POSITION pb = list.AddTail(&b);
    const POSITION pd = list.InsertAfter(pb, &d);
    list.InsertBefore(pd, &c);
    list.InsertBefore(pb, &a);  // before the head
    list.InsertAfter(pd, &e);   // after the tail
    ExpectOrder(list, {&a, &b, &c, &d, &e});
    list.InsertBefore(nullptr, &e);
    list.InsertAfter(nullptr, &a);
    ExpectOrder(list, {&e, &a, &b, &c, &d, &e, &a});
}

TEST_F(TkObListTest, PositionsStayValidAcrossChanges)
{
    CTkObList list(2);  // small blocks: several allocations
    const POSITION pa = list.AddTail(&a);
    const POSITION pc = list.AddTail(&c);
    for (int i = 0; i < 20; ++i) list.AddTail(&e);
    list.InsertAfter(pa, &b);
    list.RemoveHead();
    EXPECT_EQ(list.GetAt(pc), &c);
    list.SetAt(pc, &d);
    EXPECT_EQ(list.GetAt(pc), &d);
    POSITION pos = pc;
    EXPECT_EQ(list.GetPrev(pos), &d);
    EXPECT_EQ(list.GetAt(pos), &b);
}

TEST_F(TkObListTest, RemovesAtPositionsAndEnds)
{
    CTkObList list;
    list.AddTail(&a);
    const POSITION pb = list.AddTail(&b);
    list.AddTail(&c);
    list.AddTail(&d);
    list.RemoveAt(pb);
    ExpectOrder(list, {&a, &c, &d});
    EXPECT_EQ(list.RemoveHead(), &a);
    EXPECT_EQ(list.RemoveTail(), &d);
    ExpectOrder(list, {&c});
    list.RemoveAt(list.GetHeadPosition());
    ExpectOrder(list, {});
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
    EXPECT_EQ(list.GetTailPosition(), nullptr);
    // The list is usable again after it emptied.
    list.AddTail(&e);
    ExpectOrder(list, {&e});
}

TEST_F(TkObListTest, FindsByPointerAndIndex)
{
    CTkObList list;
    const POSITION p1 = list.AddTail(&a);
    const POSITION p2 = list.AddTail(&b);
    const POSITION p3 = list.AddTail(&a);
    EXPECT_EQ(list.Find(&a), p1);
    EXPECT_EQ(list.Find(&a, p1), p3);
    EXPECT_EQ(list.Find(&a, p3), nullptr);
    EXPECT_EQ(list.Find(&c), nullptr);
    EXPECT_EQ(list.FindIndex(0), p1);
    EXPECT_EQ(list.FindIndex(1), p2);
    EXPECT_EQ(list.FindIndex(2), p3);
    EXPECT_EQ(list.FindIndex(3), nullptr);
    EXPECT_EQ(list.FindIndex(-1), nullptr);
}

TEST_F(TkObListTest, AppendsWholeLists)
{
    CTkObList list;
    list.AddTail(&c);
    CTkObList other;
    other.AddTail(&a);
    other.AddTail(&b);
    list.AddHead(other);
    list.AddTail(other);
    ExpectOrder(list, {&a, &b, &c, &a, &b});
    ExpectOrder(other, {&a, &b});
    other.AddTail(other);  // itself: doubles once
    ExpectOrder(other, {&a, &b, &a, &b});
    other.AddHead(other);
    ExpectOrder(other, {&a, &b, &a, &b, &a, &b, &a, &b});
}

TEST_F(TkObListTest, EmptyListAnswersNeutrally)
{
    CTkObList list;
    EXPECT_EQ(list.RemoveHead(), nullptr);
    EXPECT_EQ(list.RemoveTail(), nullptr);
    EXPECT_EQ(list.GetHead(), nullptr);
    EXPECT_EQ(static_cast<const CTkObList&>(list).GetTail(), nullptr);
    POSITION pos = nullptr;
    EXPECT_EQ(list.GetNext(pos), nullptr);
    EXPECT_EQ(list.GetAt(nullptr), nullptr);
    list.RemoveAt(nullptr);
    list.SetAt(nullptr, &a);
    EXPECT_TRUE(list.IsEmpty());
    // Writing through the neutral reference does not reach the list.
    list.GetHead() = &a;
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetHead(), nullptr);
}

TEST_F(TkObListTest, RemoveAllKeepsTheObjects)
{
    CTkObList list;
    list.AddTail(&a);
    list.AddTail(&b);
    list.RemoveAll();
    ExpectOrder(list, {});
    list.AddTail(&c);
    ExpectOrder(list, {&c});
}
