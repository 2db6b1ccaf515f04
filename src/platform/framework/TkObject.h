#pragma once
// The serialisable object base and its run-time class, with creation by class
// name for objects read back from an archive.

#include <cstdint>
#include <memory>
#include <string_view>

class CTkArchive;
class CTkObject;

struct CTkRuntimeClass {
    const char* m_lpszClassName;
    std::uint32_t m_wSchema;                      // 0xFFFF: not serialisable
    std::unique_ptr<CTkObject> (*m_pfnCreateObject)();  // null: abstract
    const CTkRuntimeClass* m_pBaseClass;

    std::unique_ptr<CTkObject> CreateObject() const;
    bool IsDerivedFrom(const CTkRuntimeClass* pBaseClass) const;

    // Creation by name on load: classes are registered explicitly (a static
    // library would drop self-registering objects nobody references).
    static void Register(const CTkRuntimeClass* pClass);
    static const CTkRuntimeClass* FromName(std::string_view name);
};

class CTkObject {
public:
    virtual ~CTkObject() = default;
    virtual const CTkRuntimeClass* GetRuntimeClass() const;
    virtual void Serialize(CTkArchive& ar);
    bool IsKindOf(const CTkRuntimeClass* pClass) const;

    static const CTkRuntimeClass classCTkObject;
};

#define TK_RUNTIME_CLASS(cls) (&cls::class##cls)

#define TK_DECLARE_DYNAMIC(cls)                                  \
public:                                                          \
    static const CTkRuntimeClass class##cls;                     \
    const CTkRuntimeClass* GetRuntimeClass() const override;

#define TK_DECLARE_SERIAL(cls)                                   \
    TK_DECLARE_DYNAMIC(cls)                                      \
    static std::unique_ptr<CTkObject> CreateObject();

#define TK_IMPLEMENT_DYNAMIC(cls, base)                                            \
    const CTkRuntimeClass cls::class##cls = {#cls, 0xFFFF, nullptr,                \
                                             TK_RUNTIME_CLASS(base)};              \
    const CTkRuntimeClass* cls::GetRuntimeClass() const { return &class##cls; }

#define TK_IMPLEMENT_SERIAL(cls, base, schema)                                     \
    std::unique_ptr<CTkObject> cls::CreateObject() { return std::make_unique<cls>(); } \
    const CTkRuntimeClass cls::class##cls = {#cls, schema, &cls::CreateObject,     \
                                             TK_RUNTIME_CLASS(base)};              \
    const CTkRuntimeClass* cls::GetRuntimeClass() const { return &class##cls; }
