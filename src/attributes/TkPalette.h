#pragma once
// A small recently-used palette: a fixed number of entries, some locked, the
// others replaced least recently used first. The view keeps one for colours and
// one for fill patterns.

#include "platform/gdi/GdiTypes.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <functional>
#include <type_traits>
#include <utility>
#include <vector>

// Milliseconds of a monotonic clock, wrapping at 32 bits like a tick count.
inline std::uint32_t TkTickCount()
{
    using namespace std::chrono;
    return std::uint32_t(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

template <typename T>
class CTkPalette {
    static_assert(std::is_trivially_copyable_v<T> && std::has_unique_object_representations_v<T>,
                  "entries are compared byte for byte");

public:
    using Clock = std::function<std::uint32_t()>;

    explicit CTkPalette(int count, Clock clock = TkTickCount)
        : m_entries(count > 0 ? std::size_t(count) : 0), m_clock(std::move(clock))
    {
    }
    virtual ~CTkPalette() = default;

    int GetCount() const { return int(m_entries.size()); }

    void Clear() { std::fill(m_entries.begin(), m_entries.end(), Entry{}); }

    BOOL IsFree(int index) const { return IsValid(index) && !m_entries[index].used; }
    BOOL IsLocked(int index) const { return IsValid(index) && m_entries[index].locked; }

    int GetFreeCount() const
    {
        return int(std::count_if(m_entries.begin(), m_entries.end(),
                                 [](const Entry& e) { return !e.used; }));
    }

    // The first used entry holding the value, or -1.
    int IndexOf(const T& value) const
    {
        for (int i = 0; i < GetCount(); ++i) {
            const Entry& e = m_entries[i];
            if (e.used && std::memcmp(&e.value, &value, sizeof(T)) == 0)
                return i;
        }
        return -1;
    }

    // The first free entry, else the unlocked entry used longest ago, else -1.
    int FindSlot() const
    {
        for (int i = 0; i < GetCount(); ++i)
            if (!m_entries[i].used)
                return i;
        const std::uint32_t now = m_clock();
        int oldest = -1;
        std::uint32_t oldestAge = 0;
        for (int i = 0; i < GetCount(); ++i) {
            const Entry& e = m_entries[i];
            // Ages rather than times, so that the order survives the counter wrapping.
            const std::uint32_t age = now - e.time;
            if (!e.locked && (oldest < 0 || age > oldestAge)) {
                oldest = i;
                oldestAge = age;
            }
        }
        return oldest;
    }

    void SetAt(int index, const T& value, BOOL locked)
    {
        if (!IsValid(index))
            return;
        m_entries[index] = Entry{TRUE, locked, m_clock(), value};
    }

    void Touch(int index)
    {
        if (IsValid(index))
            m_entries[index].time = m_clock();
    }

    // Returns the new entry's index; -1 when the value was there already (it is
    // touched) or no entry could take it.
    int Add(const T& value, BOOL locked)
    {
        const int present = IndexOf(value);
        if (present >= 0) {
            Touch(present);
            return -1;
        }
        const int slot = FindSlot();
        if (slot >= 0)
            SetAt(slot, value, locked);
        return slot;
    }

    // An invalid index reads entry 0 (or a zero value when there is none).
    T GetAt(int index) const
    {
        if (IsValid(index))
            return m_entries[index].value;
        return m_entries.empty() ? T{} : m_entries[0].value;
    }

private:
    struct Entry {
        BOOL used = FALSE;
        BOOL locked = FALSE;
        std::uint32_t time = 0;
        T value{};
    };

    bool IsValid(int index) const { return index >= 0 && index < GetCount(); }

    std::vector<Entry> m_entries;
    Clock m_clock;
};
