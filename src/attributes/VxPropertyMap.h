#pragma once
// A graphic's properties by name; owns them. Enumeration follows insertion order,
// which is the order in which a graphic selects its properties when drawn.

#include "attributes/VxGraphicProperty.h"

#include <memory>
#include <string>
#include <vector>

class CTkArchive;
class IVxPropertyOwner;

class CVxPropertyMap {
public:
    // Positions for enumeration: index + 1, 0 at the end.
    using POSITION = std::size_t;

    CVxPropertyMap() = default;
    CVxPropertyMap(const CVxPropertyMap&) = delete;
    CVxPropertyMap& operator=(const CVxPropertyMap&) = delete;

    CVxGraphicProperty* Lookup(const std::string& name) const;
    BOOL Contains(const std::string& name) const { return Lookup(name) != nullptr; }
    std::unique_ptr<CVxGraphicProperty> GetCopy(const std::string& name) const;
    // Stores the property under its name, replacing (and deleting) one held there.
    void SetAt(std::unique_ptr<CVxGraphicProperty> pProperty);
    void Merge(const CVxGraphicProperty& property);
    BOOL Apply(const CVxGraphicProperty& property);
    void RemoveAll();
    void ResetAll();
    // Count, then name and run-time-class-tagged property pairs. Loading
    // replaces the contents and makes this map each property's owner map.
    void Serialize(CTkArchive& ar);

    int GetCount() const { return int(m_entries.size()); }
    bool IsEmpty() const { return m_entries.empty(); }
    POSITION GetStartPosition() const { return m_entries.empty() ? 0 : 1; }
    // Returns the property at pos and advances pos (0 after the last).
    CVxGraphicProperty* GetNext(POSITION& pos) const;

    IVxPropertyOwner* GetOwner() const { return m_pOwner; }
    void SetOwner(IVxPropertyOwner* pOwner) { m_pOwner = pOwner; }

private:
    std::vector<std::unique_ptr<CVxGraphicProperty>> m_entries;
    IVxPropertyOwner* m_pOwner = nullptr;
};

// Makes the five property classes known for creation by name on load.
void VxRegisterPropertyClasses();
