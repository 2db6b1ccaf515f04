#pragma once
// Serialisable classes for the archive and run-time class tests.

#include "platform/framework/TkArchive.h"
#include "platform/framework/TkObject.h"

#include <cstdint>
#include <functional>
#include <vector>

class CTestShape : public CTkObject {
    TK_DECLARE_SERIAL(CTestShape)
public:
    CTestShape() = default;
    explicit CTestShape(std::int32_t n) : m_nValue(n) {}
    void Serialize(CTkArchive& ar) override;
    std::int32_t m_nValue = 0;
};

// Derived, with its own schema.
class CTestCircle : public CTestShape {
    TK_DECLARE_SERIAL(CTestCircle)
};

// Known to the run-time class system but not serialisable.
class CTestDynamic : public CTkObject {
    TK_DECLARE_DYNAMIC(CTestDynamic)
};

void RegisterTestClasses();

using Bytes = std::vector<std::uint8_t>;

// The bytes an archive stores through write.
Bytes StoreBytes(const std::function<void(CTkArchive&)>& write);

// The cause of the archive exception f throws; none when it throws none.
CTkArchiveException::Cause ArchiveCause(const std::function<void()>& f);
