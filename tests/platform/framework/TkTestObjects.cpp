#include "TkTestObjects.h"

#include "platform/framework/TkMemFile.h"

TK_IMPLEMENT_SERIAL(CTestShape, CTkObject, 0)
TK_IMPLEMENT_SERIAL(CTestCircle, CTestShape, 2)
TK_IMPLEMENT_DYNAMIC(CTestDynamic, CTkObject)

void CTestShape::Serialize(CTkArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_nValue;
    } else {
        ar >> m_nValue;
    }
}

void RegisterTestClasses()
{
    CTkRuntimeClass::Register(TK_RUNTIME_CLASS(CTestShape));
    CTkRuntimeClass::Register(TK_RUNTIME_CLASS(CTestCircle));
    CTkRuntimeClass::Register(TK_RUNTIME_CLASS(CTestDynamic));
}

Bytes StoreBytes(const std::function<void(CTkArchive&)>& write)
{
    CTkMemFile file;
    CTkArchive ar(&file, CTkArchive::store);
    write(ar);
    return file.GetBytes();
}

CTkArchiveException::Cause ArchiveCause(const std::function<void()>& f)
{
    try {
        f();
    } catch (const CTkArchiveException& e) {
        return e.m_cause;
    }
    return CTkArchiveException::none;
}
