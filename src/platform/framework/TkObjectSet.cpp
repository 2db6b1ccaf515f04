#include "platform/framework/TkObjectSet.h"

#include <cstdint>

namespace {

constexpr std::size_t kFirstSize = 64;

// Objects within one 64 KB block take neighbouring slots (objects stored one
// after another were mostly allocated one after another, so a lookup seldom
// leaves the cache line of the previous one); the blocks themselves are spread
// over the table by a mixed hash of the block's address.
std::size_t Hash(const CTkObject* pObject)
{
    const auto x = std::uint64_t(reinterpret_cast<std::uintptr_t>(pObject));
    std::uint64_t block = x >> 16;
    block ^= block >> 33;
    block *= 0xFF51AFD7ED558CCDull;
    block ^= block >> 33;
    return std::size_t(block + (x >> 4));
}

}  // namespace

bool CTkObjectSet::Insert(const CTkObject* pObject)
{
    // At most half full, so that probes stay short.
    if ((m_nCount + 1) * 2 > m_slots.size()) Grow();
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = Hash(pObject) & mask;; i = (i + 1) & mask) {
        if (m_slots[i] == pObject) return false;
        if (!m_slots[i]) {
            m_slots[i] = pObject;
            ++m_nCount;
            return true;
        }
    }
}

void CTkObjectSet::Grow()
{
    std::vector<const CTkObject*> old(m_slots.empty() ? kFirstSize : m_slots.size() * 2, nullptr);
    old.swap(m_slots);
    const std::size_t mask = m_slots.size() - 1;
    for (const CTkObject* pObject : old) {
        if (!pObject) continue;
        std::size_t i = Hash(pObject) & mask;
        while (m_slots[i]) i = (i + 1) & mask;
        m_slots[i] = pObject;
    }
}
