#include "platform/framework/TkObject.h"

#include <algorithm>
#include <vector>

const CTkRuntimeClass CTkObject::classCTkObject = {"CTkObject", 0xFFFF, nullptr, nullptr};

const CTkRuntimeClass* CTkObject::GetRuntimeClass() const
{
    return &classCTkObject;
}

void CTkObject::Serialize(CTkArchive&) {}

bool CTkObject::IsKindOf(const CTkRuntimeClass* pClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

std::unique_ptr<CTkObject> CTkRuntimeClass::CreateObject() const
{
    return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

bool CTkRuntimeClass::IsDerivedFrom(const CTkRuntimeClass* pBaseClass) const
{
    for (const CTkRuntimeClass* p = this; p; p = p->m_pBaseClass) {
        if (p == pBaseClass) return true;
    }
    return false;
}

namespace {

std::vector<const CTkRuntimeClass*>& Registry()
{
    static std::vector<const CTkRuntimeClass*> classes;
    return classes;
}

}  // namespace

void CTkRuntimeClass::Register(const CTkRuntimeClass* pClass)
{
    auto& classes = Registry();
    if (pClass && !FromName(pClass->m_lpszClassName)) classes.push_back(pClass);
}

const CTkRuntimeClass* CTkRuntimeClass::FromName(std::string_view name)
{
    const auto& classes = Registry();
    const auto it = std::find_if(classes.begin(), classes.end(), [name](const auto* p) {
        return name == p->m_lpszClassName;
    });
    return it != classes.end() ? *it : nullptr;
}
