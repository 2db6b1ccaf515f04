#include "attributes/VxPropertyMap.h"

#include "attributes/VxBrushGraphicProperty.h"
#include "attributes/VxFontGraphicProperty.h"
#include "attributes/VxGlobalGraphicProperty.h"
#include "attributes/VxPenGraphicProperty.h"
#include "attributes/VxPositionGraphicProperty.h"
#include "platform/framework/TkArchive.h"

#include <algorithm>

CVxGraphicProperty* CVxPropertyMap::Lookup(const std::string& name) const
{
    auto it = std::find_if(m_entries.begin(), m_entries.end(),
                           [&](const auto& pEntry) { return pEntry->GetName() == name; });
    return it == m_entries.end() ? nullptr : it->get();
}

std::unique_ptr<CVxGraphicProperty> CVxPropertyMap::GetCopy(const std::string& name) const
{
    const CVxGraphicProperty* pProperty = Lookup(name);
    return pProperty ? pProperty->Clone() : nullptr;
}

void CVxPropertyMap::SetAt(std::unique_ptr<CVxGraphicProperty> pProperty)
{
    if (!pProperty)
        return;
    pProperty->SetOwnerMap(this);
    auto it = std::find_if(m_entries.begin(), m_entries.end(), [&](const auto& pEntry) {
        return pEntry->GetName() == pProperty->GetName();
    });
    if (it == m_entries.end())
        m_entries.push_back(std::move(pProperty));
    else
        *it = std::move(pProperty);
}

void CVxPropertyMap::Merge(const CVxGraphicProperty& property)
{
    if (CVxGraphicProperty* pPresent = Lookup(property.GetName())) {
        pPresent->Merge(property);
        return;
    }
    std::unique_ptr<CVxGraphicProperty> pClone = property.Clone();
    pClone->SetGathering(TRUE);
    SetAt(std::move(pClone));
}

BOOL CVxPropertyMap::Apply(const CVxGraphicProperty& property)
{
    CVxGraphicProperty* pPresent = Lookup(property.GetName());
    return pPresent ? pPresent->Apply(property) : FALSE;
}

void CVxPropertyMap::RemoveAll() { m_entries.clear(); }

void CVxPropertyMap::ResetAll()
{
    for (const auto& pEntry : m_entries)
        pEntry->SetDefaults();
}

CVxGraphicProperty* CVxPropertyMap::GetNext(POSITION& pos) const
{
    if (pos == 0 || pos > m_entries.size()) {
        pos = 0;
        return nullptr;
    }
    CVxGraphicProperty* pProperty = m_entries[pos - 1].get();
    pos = pos < m_entries.size() ? pos + 1 : 0;
    return pProperty;
}

void CVxPropertyMap::Serialize(CTkArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount(m_entries.size());
        for (const auto& pEntry : m_entries) {
            ar << pEntry->GetName();
            ar.WriteObject(pEntry.get());
        }
        return;
    }
    RemoveAll();
    const std::uint64_t count = ar.ReadCount();
    for (std::uint64_t i = 0; i < count; ++i) {
        std::string name;
        ar >> name;
        std::unique_ptr<CTkObject> pObject =
            ar.ReadObject(TK_RUNTIME_CLASS(CVxGraphicProperty));
        auto* pProperty = dynamic_cast<CVxGraphicProperty*>(pObject.get());
        // Callers find properties by name and rely on the class behind it.
        if (pProperty == nullptr || pProperty->GetName() != name)
            throw CTkArchiveException(CTkArchiveException::badClass);
        pObject.release();
        SetAt(std::unique_ptr<CVxGraphicProperty>(pProperty));
    }
}

void VxRegisterPropertyClasses()
{
    CTkRuntimeClass::Register(TK_RUNTIME_CLASS(CVxGlobalGraphicProperty));
    CTkRuntimeClass::Register(TK_RUNTIME_CLASS(CVxPositionGraphicProperty));
    CTkRuntimeClass::Register(TK_RUNTIME_CLASS(CVxPenGraphicProperty));
    CTkRuntimeClass::Register(TK_RUNTIME_CLASS(CVxBrushGraphicProperty));
    CTkRuntimeClass::Register(TK_RUNTIME_CLASS(CVxFontGraphicProperty));
}
