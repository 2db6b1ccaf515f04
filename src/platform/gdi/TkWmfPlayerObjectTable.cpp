#include "platform/gdi/TkWmfPlayerObjectTable.h"

#include "platform/gdi/TkDC.h"
#include "platform/gdi/TkGdiObjects.h"

CTkWmfPlayerObjectTable::CTkWmfPlayerObjectTable(CTkDC& dc, std::size_t capacity)
    : m_dc(dc), m_capacity(capacity)
{
}

CTkWmfPlayerObjectTable::~CTkWmfPlayerObjectTable()
{
    for (const std::optional<Entry>& entry : m_slots) {
        if (entry.has_value() && entry->hObject != 0)
            DeleteObject(entry->hObject);
    }
    for (HGDIOBJ hObject : m_pending)
        DeleteObject(hObject);
}

std::optional<std::size_t> CTkWmfPlayerObjectTable::Add(HGDIOBJ hObject, Kind kind)
{
    if (kind == Kind::Object && hObject == 0)
        kind = Kind::Failed;
    const std::size_t slot = m_free.empty() ? m_slots.size() : *m_free.begin();
    if (slot >= m_capacity) {
        if (hObject != 0)
            DeleteObject(hObject);
        return std::nullopt;
    }
    if (slot == m_slots.size())
        m_slots.emplace_back();
    else
        m_free.erase(m_free.begin());
    m_slots[slot] = Entry{kind == Kind::Object ? hObject : 0, kind};
    return slot;
}

HGDIOBJ CTkWmfPlayerObjectTable::Get(std::size_t slot) const
{
    if (slot >= m_slots.size() || !m_slots[slot].has_value())
        return 0;
    return m_slots[slot]->hObject;
}

std::optional<CTkWmfPlayerObjectTable::Kind> CTkWmfPlayerObjectTable::GetKind(
    std::size_t slot) const
{
    if (slot >= m_slots.size() || !m_slots[slot].has_value())
        return std::nullopt;
    return m_slots[slot]->kind;
}

void CTkWmfPlayerObjectTable::Delete(std::size_t slot)
{
    if (!GetKind(slot).has_value())
        return;
    const HGDIOBJ hObject = m_slots[slot]->hObject;
    m_slots[slot].reset();
    m_free.insert(slot);
    if (hObject == 0)
        return;
    if (IsSelected(hObject))
        m_pending.push_back(hObject);
    else
        DeleteObject(hObject);
}

bool CTkWmfPlayerObjectTable::IsSelected(HGDIOBJ hObject) const
{
    const DWORD type = GetObjectType(hObject);
    return type != 0 && m_dc.GetCurrentObject(type) == hObject;
}

void CTkWmfPlayerObjectTable::DeleteUnselected()
{
    // Deleting tells observers, which must not find the list half-changed.
    std::vector<HGDIOBJ> unused;
    std::erase_if(m_pending, [&](HGDIOBJ hObject) {
        if (IsSelected(hObject))
            return false;
        unused.push_back(hObject);
        return true;
    });
    for (HGDIOBJ hObject : unused)
        DeleteObject(hObject);
}
