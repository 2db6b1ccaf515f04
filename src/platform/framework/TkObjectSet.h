#pragma once
// The objects an archive has stored, by address: an open-addressing table, as a
// picture stores hundreds of thousands of objects and a node per entry (with a
// division per lookup) cost more than writing them.

#include <cstddef>
#include <vector>

class CTkObject;

class CTkObjectSet {
public:
    // Adds pObject (not null); false when it was there already.
    bool Insert(const CTkObject* pObject);
    std::size_t GetCount() const { return m_nCount; }

private:
    void Grow();

    std::vector<const CTkObject*> m_slots;  // null: free; the size a power of two
    std::size_t m_nCount = 0;
};
