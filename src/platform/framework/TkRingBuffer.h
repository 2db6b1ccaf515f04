#pragma once
// A fixed-size circular buffer: elements are added and removed at either end.
// Built with a count n it has n + 1 slots and holds at most n elements, so
// that a full ring (Next(tail) == head) differs from an empty one
// (tail == head). Indices are not checked: callers keep them inside the ring
// and test IsEmpty and IsFull first.

#include <climits>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>

template <typename T>
class CTkRingBuffer {
public:
    // Throws std::bad_alloc when the slots cannot be had, also when their
    // number or byte size would overflow.
    explicit CTkRingBuffer(int nCount)
        : m_nSize(SlotCount(nCount)), m_pSlots(AllocateSlots(m_nSize))
    {
    }
    virtual ~CTkRingBuffer() = default;
    CTkRingBuffer(const CTkRingBuffer&) = delete;
    CTkRingBuffer& operator=(const CTkRingBuffer&) = delete;

    // Return the index written.
    virtual int AddTail(T element)
    {
        const int nIndex = m_nTail;
        m_pSlots[std::size_t(nIndex)] = std::move(element);
        m_nTail = Next(m_nTail);
        return nIndex;
    }
    virtual int AddHead(T element)
    {
        m_nHead = Prev(m_nHead);
        m_pSlots[std::size_t(m_nHead)] = std::move(element);
        return m_nHead;
    }
    // On an empty ring these change nothing and answer what slot 0 holds (a
    // value-initialised element when T cannot be copied). A removed element
    // belongs to the caller.
    virtual T RemoveTail()
    {
        if (IsEmpty()) return Peek(0);
        m_nTail = Prev(m_nTail);
        return Take(m_nTail);
    }
    virtual T RemoveHead()
    {
        if (IsEmpty()) return Peek(0);
        const int nIndex = m_nHead;
        m_nHead = Next(m_nHead);
        return Take(nIndex);
    }
    virtual const T& GetAt(int nIndex) const { return m_pSlots[std::size_t(nIndex)]; }
    virtual T& ElementAt(int nIndex) { return m_pSlots[std::size_t(nIndex)]; }
    virtual const T& operator[](int nIndex) const { return GetAt(nIndex); }
    virtual void SetAt(int nIndex, T element) { m_pSlots[std::size_t(nIndex)] = std::move(element); }

    bool IsEmpty() const { return m_nTail == m_nHead; }
    bool IsFull() const { return Next(m_nTail) == m_nHead; }
    int Next(int nIndex) const { return nIndex + 1 < m_nSize ? nIndex + 1 : 0; }
    int Prev(int nIndex) const { return nIndex - 1 >= 0 ? nIndex - 1 : m_nSize - 1; }

    int GetSize() const { return m_nSize; }
    int GetHead() const { return m_nHead; }
    int GetTail() const { return m_nTail; }

private:
    static int SlotCount(int nCount)
    {
        const std::int64_t nSize = std::int64_t(nCount) + 1;
        if (nSize < 1 || nSize > INT_MAX) throw std::bad_alloc();
        return int(nSize);
    }
    static std::unique_ptr<T[]> AllocateSlots(int nSize)
    {
        if (std::size_t(nSize) > SIZE_MAX / sizeof(T)) throw std::bad_alloc();
        return std::make_unique<T[]>(std::size_t(nSize));
    }
    // A copyable element stays in its slot after removal; a move-only one
    // (an owner) leaves the slot empty, so ownership is never shared.
    T Take(int nIndex)
    {
        if constexpr (std::is_copy_constructible_v<T>) {
            return m_pSlots[std::size_t(nIndex)];
        } else {
            return std::move(m_pSlots[std::size_t(nIndex)]);
        }
    }
    T Peek(int nIndex) const
    {
        if constexpr (std::is_copy_constructible_v<T>) {
            return m_pSlots[std::size_t(nIndex)];
        } else {
            return T{};
        }
    }

    int m_nSize;
    std::unique_ptr<T[]> m_pSlots;
    int m_nTail = 0;
    int m_nHead = 0;
};
