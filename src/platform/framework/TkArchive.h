#pragma once
// The framework's archive: little-endian fixed-width values, counts, strings with
// their length prefixes (narrow, or wide behind the FF FFFE marker), and objects
// tagged with their run-time class (name and schema the first time a class
// occurs, a class index after that).

#include "platform/framework/TkObject.h"
#include "platform/framework/TkObjectSet.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CTkFile;
class CTkMemFile;
class CTkDocumentBase;

class CTkArchiveException {
public:
    enum Cause {
        none = 0,
        generic = 1,
        readOnly = 2,
        endOfFile = 3,
        writeOnly = 4,
        badIndex = 5,
        badClass = 6,
        badSchema = 7,
    };
    explicit CTkArchiveException(Cause cause) : m_cause(cause) {}
    Cause m_cause;
};

class CTkArchive {
public:
    enum Mode { store = 0, load = 1 };

    CTkArchive(CTkFile* pFile, Mode mode);
    CTkArchive(const CTkArchive&) = delete;
    CTkArchive& operator=(const CTkArchive&) = delete;

    bool IsLoading() const { return m_mode == load; }
    bool IsStoring() const { return m_mode == store; }
    CTkFile* GetFile() const { return m_pFile; }
    // The document that objects read from this archive belong to.
    CTkDocumentBase* m_pDocument = nullptr;

    // Raw bytes. Read returns how many bytes it got; ReadExact throws endOfFile on
    // a short read.
    void Write(const void* pBuffer, std::uint32_t count);
    std::uint32_t Read(void* pBuffer, std::uint32_t count);
    void ReadExact(void* pBuffer, std::uint32_t count);

    CTkArchive& operator<<(std::int8_t v);
    CTkArchive& operator<<(std::uint8_t v);
    CTkArchive& operator<<(std::int16_t v);
    CTkArchive& operator<<(std::uint16_t v);
    CTkArchive& operator<<(std::int32_t v);
    CTkArchive& operator<<(std::uint32_t v);
    CTkArchive& operator<<(std::int64_t v);
    CTkArchive& operator<<(std::uint64_t v);
    CTkArchive& operator<<(float v);
    CTkArchive& operator<<(double v);
    CTkArchive& operator>>(std::int8_t& v);
    CTkArchive& operator>>(std::uint8_t& v);
    CTkArchive& operator>>(std::int16_t& v);
    CTkArchive& operator>>(std::uint16_t& v);
    CTkArchive& operator>>(std::int32_t& v);
    CTkArchive& operator>>(std::uint32_t& v);
    CTkArchive& operator>>(std::int64_t& v);
    CTkArchive& operator>>(std::uint64_t& v);
    CTkArchive& operator>>(float& v);
    CTkArchive& operator>>(double& v);

    // Strings are written in the wide form; both forms are read. UTF-8 text is
    // converted to and from UTF-16.
    CTkArchive& operator<<(const std::u16string& s);
    CTkArchive& operator<<(const std::string& s);
    CTkArchive& operator>>(std::u16string& s);
    CTkArchive& operator>>(std::string& s);

    void WriteCount(std::uint64_t count);
    std::uint64_t ReadCount();

    // Null is written as a null tag. Each object may be written once per archive.
    void WriteObject(const CTkObject* pObject);
    // Reads an object written by WriteObject; null for a null tag. Throws badClass
    // when the class is unknown or not derived from pClassRefRequested (when
    // given), badSchema when the stored schema differs from the class's.
    std::unique_ptr<CTkObject> ReadObject(const CTkRuntimeClass* pClassRefRequested);

    // What a load can still read: counts from the file are checked against it
    // before anything is allocated for them.
    std::uint64_t BytesLeft() const;

private:
    void WriteClass(const CTkRuntimeClass* pClass);
    // The class of the next object, null for a null tag.
    const CTkRuntimeClass* ReadClass(const CTkRuntimeClass* pClassRefRequested);
    const CTkRuntimeClass* ReadNewClass();
    // Takes the next map index; while loading, records what it stands for (a
    // class, or null for an object).
    std::uint32_t NextMapIndex(const CTkRuntimeClass* pLoadedClass = nullptr);

    CTkFile* m_pFile;
    CTkMemFile* m_pMemFile;  // m_pFile when it is a memory file: its fast paths
    Mode m_mode;
    std::uint32_t m_nMapCount = 1;  // index 0 is the null tag
    std::vector<const CTkRuntimeClass*> m_loadClasses;  // by index while loading
    std::vector<std::pair<const CTkRuntimeClass*, std::uint32_t>> m_storeClasses;
    CTkObjectSet m_storeObjects;
};
