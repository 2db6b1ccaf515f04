#pragma once
// The object table of an enhanced metafile being recorded: which GDI objects have
// been written, under which index. Index 0 is reserved for the metafile itself;
// a new object takes the lowest free index, as GDI hands them out.

#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/TkGdiObjects.h"

#include <unordered_map>
#include <vector>

class CTkEmfRecordBuffer;

class CTkEmfObjectTable {
public:
    CTkEmfObjectTable();

    // The index under which the object was written, 0 if it was not.
    DWORD IndexOf(HGDIOBJ hObject) const;
    // Writes the object's create record into the lowest free index and returns
    // that index; 0 when the object cannot be recorded (a bitmap, a pattern whose
    // bits cannot be read, or a full table).
    DWORD Add(CTkEmfRecordBuffer& out, HGDIOBJ hObject, const CTkGdiObject& object);
    // Frees the object's index and returns it, 0 if the object was not written.
    DWORD Remove(HGDIOBJ hObject);
    // nHandles of the header: the highest index ever used + 1.
    WORD HandleCount() const { return WORD(m_highest + 1); }

private:
    DWORD LowestFree() const;

    std::unordered_map<HGDIOBJ, DWORD> m_indexOf;
    std::vector<bool> m_used;  // by index; [0] stays set
    DWORD m_highest = 0;
};
