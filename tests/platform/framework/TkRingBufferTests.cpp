#include "platform/framework/TkRingBuffer.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <new>
#include <vector>

namespace {

// The elements from head to tail, without removing them.
std::vector<int> Contents(const CTkRingBuffer<int>& ring)
{
    std::vector<int> out;
    for (int i = ring.GetHead(); i != ring.GetTail(); i = ring.Next(i)) out.push_back(ring.GetAt(i));
    return out;
}

}  // namespace

TEST(TkRingBuffer, HoldsOneLessThanItsSlotsAndKeepsOrderAcrossTheWrap)
{
    CTkRingBuffer<int> ring(3);
    EXPECT_EQ(ring.GetSize(), 4);
    for (int v : {1, 2}) ring.AddTail(v);
    EXPECT_FALSE(ring.IsFull());
    EXPECT_EQ(ring.AddTail(3), 2);
    EXPECT_TRUE(ring.IsFull());
    EXPECT_EQ(ring.RemoveHead(), 1);
    EXPECT_EQ(ring.RemoveHead(), 2);
    // Slot 3, then the tail wraps round to slot 0.
    EXPECT_EQ(ring.AddTail(4), 3);
    EXPECT_EQ(ring.AddTail(5), 0);
    EXPECT_TRUE(ring.IsFull());
    EXPECT_EQ(Contents(ring), (std::vector<int>{3, 4, 5}));
    EXPECT_EQ(ring.Prev(0), 3);
    EXPECT_EQ(ring.RemoveTail(), 5);
    EXPECT_EQ(ring.RemoveTail(), 4);
    EXPECT_EQ(ring.RemoveHead(), 3);
    EXPECT_TRUE(ring.IsEmpty());

    // AddHead goes backwards from slot zero.
    CTkRingBuffer<int> heads(3);
    EXPECT_EQ(heads.AddHead(7), 3);
    EXPECT_EQ(heads.AddHead(6), 2);
    heads.AddTail(8);
    EXPECT_EQ(Contents(heads), (std::vector<int>{6, 7, 8}));
}

TEST(TkRingBuffer, ImpossibleSizesFailAsMemory)
{
    EXPECT_THROW(CTkRingBuffer<int>(INT_MAX), std::bad_alloc);
    EXPECT_THROW(CTkRingBuffer<int>(-1), std::bad_alloc);
    CTkRingBuffer<int> ring(0);  // no elements fit: empty and full at once
    EXPECT_TRUE(ring.IsEmpty());
    EXPECT_TRUE(ring.IsFull());
}
