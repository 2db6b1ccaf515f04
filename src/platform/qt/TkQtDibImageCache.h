#pragma once
// Images decoded from bitmaps that are shared and never change, kept while the
// bitmap lives so that a repaint does not decode it again. Keyed by the bitmap's
// owner (TkDibBlit::owner) and by what else the image depends on; entries whose
// owner is gone are dropped as new ones come in.

#include <QImage>

#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_map>

class CTkQtDibImageCache {
public:
    struct Image {
        QImage image;
        bool bBottomUp = true;
    };

    static CTkQtDibImageCache& Instance();

    // Null image when nothing is kept for owner and variant.
    Image Find(const std::shared_ptr<const void>& owner, std::uint64_t variant);
    void Store(const std::shared_ptr<const void>& owner, std::uint64_t variant,
               const Image& image);
    void Clear();
    std::size_t GetCount();

private:
    struct Key {
        const void* owner;
        std::uint64_t variant;
        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        std::size_t operator()(const Key& k) const
        {
            return std::hash<const void*>()(k.owner) ^ std::hash<std::uint64_t>()(k.variant);
        }
    };
    struct Entry {
        std::weak_ptr<const void> owner;
        Image image;
    };
    void DropExpired();

    std::mutex m_mutex;
    std::unordered_map<Key, Entry, KeyHash> m_entries;
    std::int64_t m_bytes = 0;
};
