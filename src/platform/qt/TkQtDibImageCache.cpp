#include "platform/qt/TkQtDibImageCache.h"

namespace {

// Decoded images kept at most, in bytes; past it the cache starts again.
constexpr std::int64_t kMaxBytes = std::int64_t(512) << 20;

bool SameOwner(const std::weak_ptr<const void>& a, const std::shared_ptr<const void>& b)
{
    return !a.owner_before(b) && !b.owner_before(a);
}

}  // namespace

CTkQtDibImageCache& CTkQtDibImageCache::Instance()
{
    static CTkQtDibImageCache cache;
    return cache;
}

CTkQtDibImageCache::Image CTkQtDibImageCache::Find(const std::shared_ptr<const void>& owner,
                                                   std::uint64_t variant)
{
    const std::lock_guard lock(m_mutex);
    const auto it = m_entries.find({owner.get(), variant});
    // An address may be reused by a later bitmap: the owner must be the same.
    if (it == m_entries.end() || it->second.owner.expired() || !SameOwner(it->second.owner, owner))
        return {};
    return it->second.image;
}

void CTkQtDibImageCache::Store(const std::shared_ptr<const void>& owner, std::uint64_t variant,
                               const Image& image)
{
    const std::lock_guard lock(m_mutex);
    DropExpired();
    const std::int64_t bytes = image.image.sizeInBytes();
    if (m_bytes + bytes > kMaxBytes) {
        m_entries.clear();
        m_bytes = 0;
    }
    m_entries.insert_or_assign({owner.get(), variant}, Entry{owner, image});
    m_bytes += bytes;
}

// Also counts what the rest keeps.
void CTkQtDibImageCache::DropExpired()
{
    std::erase_if(m_entries, [](const auto& item) { return item.second.owner.expired(); });
    m_bytes = 0;
    for (const auto& item : m_entries)
        m_bytes += item.second.image.image.sizeInBytes();
}

void CTkQtDibImageCache::Clear()
{
    const std::lock_guard lock(m_mutex);
    m_entries.clear();
    m_bytes = 0;
}

std::size_t CTkQtDibImageCache::GetCount()
{
    const std::lock_guard lock(m_mutex);
    DropExpired();
    return m_entries.size();
}
