#include "platform/framework/TkRingBuffer.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <new>
#include <vector>

namespace {

// The elements from head to tail, without removing them.
template <typename T>
std::vector<T> Contents(const CTkRingBuffer<T>& ring)
{
    std::vector<T> out;
    for (int i = ring.GetHead(); i != ring.GetTail(); i = ring.Next(i)) out.push_back(ring.GetAt(i));
    return out;
}

}  // namespace

TEST(TkRingBuffer, HoldsOneLessThanItsSlots)
{
    CTkRingBuffer<int> ring(3);
    EXPECT_EQ(ring.GetSize(), 4);
    EXPECT_TRUE(ring.IsEmpty());
    EXPECT_FALSE(ring.IsFull());
    EXPECT_EQ(ring.AddTail(10), 0);
    EXPECT_EQ(ring.AddTail(11), 1);
    EXPECT_FALSE(ring.IsFull());
    EXPECT_EQ(ring.AddTail(12), 2);
    EXPECT_TRUE(ring.IsFull());
    EXPECT_FALSE(ring.IsEmpty());
    EXPECT_EQ(ring.GetTail(), 3);
    EXPECT_EQ(ring.Next(ring.GetTail()), ring.GetHead());
    EXPECT_EQ(Contents(ring), (std::vector<int>{10, 11, 12}));
}

TEST(TkRingBuffer, NextAndPrevWrapAtTheEnds)
{
    CTkRingBuffer<int> ring(2);
    EXPECT_EQ(ring.Next(0), 1);
    EXPECT_EQ(ring.Next(1), 2);
    EXPECT_EQ(ring.Next(2), 0);
    EXPECT_EQ(ring.Prev(2), 1);
    EXPECT_EQ(ring.Prev(0), 2);
}

TEST(TkRingBuffer, KeepsOrderAcrossTheWrap)
{
    CTkRingBuffer<int> ring(3);
    for (int v : {1, 2, 3}) ring.AddTail(v);
    EXPECT_EQ(ring.RemoveHead(), 1);
    EXPECT_EQ(ring.RemoveHead(), 2);
    // Slot 3, then the tail wraps round to slot 0 and 1.
    EXPECT_EQ(ring.AddTail(4), 3);
    EXPECT_EQ(ring.AddTail(5), 0);
    EXPECT_EQ(ring.GetTail(), 1);
    EXPECT_TRUE(ring.IsFull());
    EXPECT_EQ(Contents(ring), (std::vector<int>{3, 4, 5}));
    EXPECT_EQ(ring.RemoveTail(), 5);
    EXPECT_EQ(ring.GetTail(), 0);
    EXPECT_EQ(ring.RemoveTail(), 4);
    EXPECT_EQ(ring.RemoveHead(), 3);
    EXPECT_TRUE(ring.IsEmpty());
}

TEST(TkRingBuffer, AddHeadGoesBackwardsFromSlotZero)
{
    CTkRingBuffer<int> ring(3);
    EXPECT_EQ(ring.AddHead(7), 3);
    EXPECT_EQ(ring.AddHead(6), 2);
    ring.AddTail(8);
    EXPECT_EQ(Contents(ring), (std::vector<int>{6, 7, 8}));
    EXPECT_TRUE(ring.IsFull());
    EXPECT_EQ(ring.RemoveHead(), 6);
    EXPECT_EQ(ring.RemoveTail(), 8);
    EXPECT_EQ(ring.RemoveTail(), 7);
    EXPECT_TRUE(ring.IsEmpty());
}

TEST(TkRingBuffer, RemovingFromAnEmptyRingChangesNothing)
{
    CTkRingBuffer<int> ring(2);
    ring.AddTail(1);
    ring.AddTail(2);
    ring.RemoveHead();
    ring.RemoveHead();
    ASSERT_TRUE(ring.IsEmpty());
    const int nHead = ring.GetHead();
    // What slot 0 holds comes back; the slots are not cleared by removal.
    EXPECT_EQ(ring.RemoveTail(), 1);
    EXPECT_EQ(ring.RemoveHead(), 1);
    EXPECT_EQ(ring.GetHead(), nHead);
    EXPECT_EQ(ring.GetTail(), nHead);
    EXPECT_EQ(ring.GetAt(1), 2);
    EXPECT_TRUE(ring.IsEmpty());
}

TEST(TkRingBuffer, AccessorsReachTheSlots)
{
    CTkRingBuffer<int> ring(2);
    ring.SetAt(2, 9);
    EXPECT_EQ(ring.GetAt(2), 9);
    EXPECT_EQ(ring[2], 9);
    ring.ElementAt(2) = 4;
    EXPECT_EQ(ring.GetAt(2), 4);
    // Setting a slot is not adding: the ring stays empty.
    EXPECT_TRUE(ring.IsEmpty());
}

TEST(TkRingBuffer, OwnersHandTheirElementsOverOnRemoval)
{
    CTkRingBuffer<std::unique_ptr<int>> ring(2);
    ring.AddTail(std::make_unique<int>(1));
    ring.AddTail(std::make_unique<int>(2));
    std::unique_ptr<int> pOldest = ring.RemoveHead();
    ASSERT_TRUE(pOldest);
    EXPECT_EQ(*pOldest, 1);
    EXPECT_EQ(ring.GetAt(0), nullptr);
    std::unique_ptr<int> pNewest = ring.RemoveTail();
    ASSERT_TRUE(pNewest);
    EXPECT_EQ(*pNewest, 2);
    // Empty: nothing is taken from slot 0.
    ring.SetAt(0, std::make_unique<int>(5));
    EXPECT_EQ(ring.RemoveTail(), nullptr);
    ASSERT_NE(ring.GetAt(0), nullptr);
    EXPECT_EQ(*ring.GetAt(0), 5);
    // What is left in the ring is freed with it (the leak checker would see it).
    ring.AddTail(std::make_unique<int>(6));
}

TEST(TkRingBuffer, ImpossibleSizesFailAsMemory)
{
    EXPECT_THROW(CTkRingBuffer<int>(INT_MAX), std::bad_alloc);
    EXPECT_THROW(CTkRingBuffer<int>(-1), std::bad_alloc);
    // No elements fit: empty and full at once.
    CTkRingBuffer<int> ring(0);
    EXPECT_TRUE(ring.IsEmpty());
    EXPECT_TRUE(ring.IsFull());
}
