#pragma once
// The object table of a Windows metafile being played: the GDI objects its
// creation records made, by slot. Every creation takes the lowest free slot, even
// one whose object could not be made (or that the DC model has no object for, a
// region), so that the slots the writer numbered stay where it put them.
//
// An object deleted while it is still selected into the DC is deleted once it is
// no longer selected, as GDI keeps a selected object alive. Whatever the table
// still holds goes when it is destroyed, which must happen after the DC has
// given up the table's objects.

#include "platform/gdi/GdiTypes.h"

#include <cstddef>
#include <optional>
#include <set>
#include <vector>

class CTkDC;

class CTkWmfPlayerObjectTable {
public:
    enum class Kind {
        Object,  // a GDI object
        Failed,  // a creation whose object could not be made
        Region,  // a region, which the DC model does not keep
    };

    // capacity: the number of slots the metafile's header asks for.
    CTkWmfPlayerObjectTable(CTkDC& dc, std::size_t capacity);
    ~CTkWmfPlayerObjectTable();
    CTkWmfPlayerObjectTable(const CTkWmfPlayerObjectTable&) = delete;
    CTkWmfPlayerObjectTable& operator=(const CTkWmfPlayerObjectTable&) = delete;

    // Puts the result of a creation into the lowest free slot; hObject 0 with
    // Kind::Object counts as Failed. Returns the slot, or nothing when the table
    // is full (the object is deleted then).
    std::optional<std::size_t> Add(HGDIOBJ hObject, Kind kind = Kind::Object);
    // The object in a slot; 0 for an empty, failed, region or out-of-range slot.
    HGDIOBJ Get(std::size_t slot) const;
    // Whether the slot is taken, and by what.
    std::optional<Kind> GetKind(std::size_t slot) const;
    // Frees the slot and deletes its object now or as soon as it is unused.
    void Delete(std::size_t slot);
    // Deletes the objects whose deletion waited and that are no longer selected.
    void DeleteUnselected();

private:
    struct Entry {
        HGDIOBJ hObject = 0;
        Kind kind = Kind::Failed;
    };

    bool IsSelected(HGDIOBJ hObject) const;

    CTkDC& m_dc;
    std::size_t m_capacity;
    std::vector<std::optional<Entry>> m_slots;  // grows up to m_capacity
    std::set<std::size_t> m_free;               // empty slots below m_slots.size()
    std::vector<HGDIOBJ> m_pending;             // deleted by the metafile, still selected
};
