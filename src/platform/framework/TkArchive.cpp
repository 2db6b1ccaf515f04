#include "platform/framework/TkArchive.h"

#include "platform/framework/TkFile.h"
#include "platform/framework/TkMemFile.h"
#include "platform/framework/TkUnicode.h"
#include "platform/gdi/TkCodePage.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <string_view>
#include <type_traits>

namespace {

constexpr std::uint16_t kNullTag = 0;
constexpr std::uint16_t kNewClassTag = 0xFFFF;
constexpr std::uint16_t kClassTag = 0x8000;
constexpr std::uint16_t kBigObjectTag = 0x7FFF;
constexpr std::uint32_t kBigClassTag = 0x80000000;
constexpr std::uint32_t kMaxMapCount = 0x3FFFFFFE;
constexpr std::uint16_t kWideStringMarker = 0xFFFE;
constexpr std::size_t kMaxClassNameLength = 64;
constexpr std::uint16_t kNoSchema = 0xFFFF;
// Large blocks go to the file in pieces that fit its 32-bit counts.
constexpr std::size_t kChunk = 0x100000;

[[noreturn]] void Throw(CTkArchiveException::Cause cause)
{
    throw CTkArchiveException(cause);
}

template <typename U>
void PutLE(CTkArchive& ar, U v)
{
    std::array<std::uint8_t, sizeof(U)> bytes;
    for (std::size_t i = 0; i < sizeof(U); ++i) bytes[i] = std::uint8_t(v >> (8 * i));
    ar.Write(bytes.data(), sizeof(U));
}

template <typename U>
U GetLE(CTkArchive& ar)
{
    std::array<std::uint8_t, sizeof(U)> bytes;
    ar.ReadExact(bytes.data(), sizeof(U));
    U v = 0;
    for (std::size_t i = 0; i < sizeof(U); ++i) v = U(v | (U(bytes[i]) << (8 * i)));
    return v;
}

// The unsigned integer whose little-endian bytes stand for a value: the value's
// own bits, IEEE bits for floating point.
template <typename T>
auto ToBits(T v)
{
    if constexpr (std::is_floating_point_v<T>) {
        using Bits = std::conditional_t<sizeof(T) == 4, std::uint32_t, std::uint64_t>;
        return std::bit_cast<Bits>(v);
    } else {
        return std::make_unsigned_t<T>(v);
    }
}

template <typename T>
CTkArchive& Store(CTkArchive& ar, T v)
{
    PutLE(ar, ToBits(v));
    return ar;
}

template <typename T>
CTkArchive& Load(CTkArchive& ar, T& v)
{
    using Bits = decltype(ToBits(v));
    if constexpr (std::is_floating_point_v<T>) {
        v = std::bit_cast<T>(GetLE<Bits>(ar));
    } else {
        v = T(GetLE<Bits>(ar));
    }
    return ar;
}

void ReadBlock(CTkArchive& ar, std::uint8_t* p, std::size_t size)
{
    while (size > 0) {
        const std::size_t n = std::min(size, kChunk);
        ar.ReadExact(p, std::uint32_t(n));
        p += n;
        size -= n;
    }
}

// Only the wide form is written.
void WriteWideStringLength(CTkArchive& ar, std::uint64_t length)
{
    if (length < 0xFF) {
        // The common short string: its whole prefix in one write.
        const std::array<std::uint8_t, 4> prefix{0xFF, std::uint8_t(kWideStringMarker),
                                                 std::uint8_t(kWideStringMarker >> 8),
                                                 std::uint8_t(length)};
        ar.Write(prefix.data(), std::uint32_t(prefix.size()));
        return;
    }
    ar << std::uint8_t(0xFF) << kWideStringMarker;
    if (length < 0xFFFE) {
        ar << std::uint8_t(0xFF) << std::uint16_t(length);
    } else if (length < 0xFFFFFFFF) {
        ar << std::uint8_t(0xFF) << std::uint16_t(0xFFFF) << std::uint32_t(length);
    } else {
        ar << std::uint8_t(0xFF) << std::uint16_t(0xFFFF) << std::uint32_t(0xFFFFFFFF)
           << length;
    }
}

bool IsAscii(std::string_view s)
{
    return std::all_of(s.begin(), s.end(), [](char c) { return std::uint8_t(c) < 0x80; });
}

// Writes UTF-16 units (or ASCII characters) little-endian, a buffer at a time.
template <typename Units>
void WriteUnits(CTkArchive& ar, const Units& units)
{
    std::array<std::uint8_t, 512> buffer;
    std::size_t n = 0;
    for (const auto unit : units) {
        const auto u = std::uint16_t(unit);
        buffer[n++] = std::uint8_t(u);
        buffer[n++] = std::uint8_t(u >> 8);
        if (n == buffer.size()) {
            ar.Write(buffer.data(), std::uint32_t(n));
            n = 0;
        }
    }
    if (n > 0) ar.Write(buffer.data(), std::uint32_t(n));
}

char16_t UnitAt(const std::string& bytes, std::size_t i)
{
    return char16_t(std::uint8_t(bytes[2 * i]) | (std::uint8_t(bytes[2 * i + 1]) << 8));
}

// The length in characters; bWide tells whether the characters are UTF-16 units.
std::uint64_t ReadStringLength(CTkArchive& ar, bool& bWide)
{
    bWide = false;
    std::uint8_t bLength = 0;
    ar >> bLength;
    if (bLength < 0xFF) return bLength;
    std::uint16_t wLength = 0;
    ar >> wLength;
    if (wLength == kWideStringMarker) {
        bWide = true;
        ar >> bLength;
        if (bLength < 0xFF) return bLength;
        ar >> wLength;
    }
    if (wLength < 0xFFFE) return wLength;
    std::uint32_t dwLength = 0;
    ar >> dwLength;
    if (dwLength < 0xFFFFFFFF) return dwLength;
    std::uint64_t qwLength = 0;
    ar >> qwLength;
    return qwLength;
}

// The stored bytes of a string: its characters, or its UTF-16 units when bWide.
std::string ReadStringBytes(CTkArchive& ar, bool& bWide)
{
    const std::uint64_t length = ReadStringLength(ar, bWide);
    const std::uint64_t unit = bWide ? 2 : 1;
    // A hostile length must not allocate more than the file still holds.
    if (length > ar.BytesLeft() / unit) Throw(CTkArchiveException::endOfFile);
    std::string bytes(std::size_t(length * unit), '\0');
    ReadBlock(ar, reinterpret_cast<std::uint8_t*>(bytes.data()), bytes.size());
    return bytes;
}

}  // namespace

CTkArchive::CTkArchive(CTkFile* pFile, Mode mode)
    : m_pFile(pFile), m_pMemFile(dynamic_cast<CTkMemFile*>(pFile)), m_mode(mode)
{
    if (IsLoading()) m_loadClasses.push_back(nullptr);
}

void CTkArchive::Write(const void* pBuffer, std::uint32_t count)
{
    if (IsLoading()) Throw(CTkArchiveException::readOnly);
    if (m_pMemFile) {
        m_pMemFile->Append(pBuffer, count);
    } else {
        m_pFile->Write(pBuffer, count);
    }
}

std::uint32_t CTkArchive::Read(void* pBuffer, std::uint32_t count)
{
    if (IsStoring()) Throw(CTkArchiveException::writeOnly);
    return m_pFile->Read(pBuffer, count);
}

void CTkArchive::ReadExact(void* pBuffer, std::uint32_t count)
{
    if (m_pMemFile && IsLoading()) {
        if (!m_pMemFile->ReadAll(pBuffer, count)) Throw(CTkArchiveException::endOfFile);
        return;
    }
    if (Read(pBuffer, count) != count) Throw(CTkArchiveException::endOfFile);
}

std::uint64_t CTkArchive::BytesLeft() const
{
    const std::uint64_t length = m_pFile->GetLength();
    const std::uint64_t position = m_pFile->GetPosition();
    return position < length ? length - position : 0;
}

CTkArchive& CTkArchive::operator<<(std::int8_t v) { return Store(*this, v); }
CTkArchive& CTkArchive::operator<<(std::uint8_t v) { return Store(*this, v); }
CTkArchive& CTkArchive::operator<<(std::int16_t v) { return Store(*this, v); }
CTkArchive& CTkArchive::operator<<(std::uint16_t v) { return Store(*this, v); }
CTkArchive& CTkArchive::operator<<(std::int32_t v) { return Store(*this, v); }
CTkArchive& CTkArchive::operator<<(std::uint32_t v) { return Store(*this, v); }
CTkArchive& CTkArchive::operator<<(std::int64_t v) { return Store(*this, v); }
CTkArchive& CTkArchive::operator<<(std::uint64_t v) { return Store(*this, v); }
CTkArchive& CTkArchive::operator<<(float v) { return Store(*this, v); }
CTkArchive& CTkArchive::operator<<(double v) { return Store(*this, v); }

CTkArchive& CTkArchive::operator>>(std::int8_t& v) { return Load(*this, v); }
CTkArchive& CTkArchive::operator>>(std::uint8_t& v) { return Load(*this, v); }
CTkArchive& CTkArchive::operator>>(std::int16_t& v) { return Load(*this, v); }
CTkArchive& CTkArchive::operator>>(std::uint16_t& v) { return Load(*this, v); }
CTkArchive& CTkArchive::operator>>(std::int32_t& v) { return Load(*this, v); }
CTkArchive& CTkArchive::operator>>(std::uint32_t& v) { return Load(*this, v); }
CTkArchive& CTkArchive::operator>>(std::int64_t& v) { return Load(*this, v); }
CTkArchive& CTkArchive::operator>>(std::uint64_t& v) { return Load(*this, v); }
CTkArchive& CTkArchive::operator>>(float& v) { return Load(*this, v); }
CTkArchive& CTkArchive::operator>>(double& v) { return Load(*this, v); }

CTkArchive& CTkArchive::operator<<(const std::u16string& s)
{
    WriteWideStringLength(*this, s.size());
    WriteUnits(*this, s);
    return *this;
}

CTkArchive& CTkArchive::operator<<(const std::string& s)
{
    if (!IsAscii(s)) return *this << TkUtf8ToUtf16(s);
    // ASCII is its own UTF-16: no converted copy is needed.
    WriteWideStringLength(*this, s.size());
    WriteUnits(*this, s);
    return *this;
}

CTkArchive& CTkArchive::operator>>(std::u16string& s)
{
    bool bWide = false;
    const std::string bytes = ReadStringBytes(*this, bWide);
    if (!bWide) {
        // Narrow strings are in the Windows ANSI code page.
        s = TkCodePageToUtf16(bytes, ANSI_CHARSET);
        return *this;
    }
    s.resize(bytes.size() / 2);
    for (std::size_t i = 0; i < s.size(); ++i) s[i] = UnitAt(bytes, i);
    return *this;
}

CTkArchive& CTkArchive::operator>>(std::string& s)
{
    bool bWide = false;
    std::string bytes = ReadStringBytes(*this, bWide);
    if (!bWide) {
        s = IsAscii(bytes) ? std::move(bytes)
                           : TkUtf16ToUtf8(TkCodePageToUtf16(bytes, ANSI_CHARSET));
        return *this;
    }
    const std::size_t length = bytes.size() / 2;
    bool bAscii = true;
    for (std::size_t i = 0; i < length && bAscii; ++i) bAscii = UnitAt(bytes, i) < 0x80;
    if (!bAscii) {
        std::u16string wide(length, u'\0');
        for (std::size_t i = 0; i < length; ++i) wide[i] = UnitAt(bytes, i);
        s = TkUtf16ToUtf8(wide);
        return *this;
    }
    s.resize(length);
    for (std::size_t i = 0; i < length; ++i) s[i] = char(bytes[2 * i]);
    return *this;
}

void CTkArchive::WriteCount(std::uint64_t count)
{
    if (count < 0xFFFF) {
        *this << std::uint16_t(count);
        return;
    }
    *this << std::uint16_t(0xFFFF);
    if (count < 0xFFFFFFFF) {
        *this << std::uint32_t(count);
        return;
    }
    *this << std::uint32_t(0xFFFFFFFF) << count;
}

std::uint64_t CTkArchive::ReadCount()
{
    std::uint16_t wCount = 0;
    *this >> wCount;
    if (wCount != 0xFFFF) return wCount;
    std::uint32_t dwCount = 0;
    *this >> dwCount;
    if (dwCount != 0xFFFFFFFF) return dwCount;
    std::uint64_t qwCount = 0;
    *this >> qwCount;
    return qwCount;
}

std::uint32_t CTkArchive::NextMapIndex(const CTkRuntimeClass* pLoadedClass)
{
    if (m_nMapCount > kMaxMapCount) {
        Throw(IsLoading() ? CTkArchiveException::badIndex : CTkArchiveException::generic);
    }
    if (IsLoading()) m_loadClasses.push_back(pLoadedClass);
    return m_nMapCount++;
}

void CTkArchive::WriteObject(const CTkObject* pObject)
{
    if (!pObject) {
        *this << kNullTag;
        return;
    }
    // Back-references are never written, so an object may occur only once.
    if (!m_storeObjects.Insert(pObject)) Throw(CTkArchiveException::generic);
    WriteClass(pObject->GetRuntimeClass());
    NextMapIndex();
    // Storing does not change the object's value; Serialize is shared with loading.
    const_cast<CTkObject*>(pObject)->Serialize(*this);
}

void CTkArchive::WriteClass(const CTkRuntimeClass* pClass)
{
    const auto it = std::find_if(m_storeClasses.begin(), m_storeClasses.end(),
                                 [pClass](const auto& entry) { return entry.first == pClass; });
    if (it != m_storeClasses.end()) {
        const std::uint32_t index = it->second;
        if (index < kBigObjectTag) {
            *this << std::uint16_t(kClassTag | index);
        } else {
            *this << kBigObjectTag << std::uint32_t(kBigClassTag | index);
        }
        return;
    }
    // What could not be read back is not written.
    const std::string_view name = pClass->m_lpszClassName;
    if (pClass->m_wSchema >= kNoSchema || !pClass->m_pfnCreateObject ||
        name.size() > kMaxClassNameLength) {
        Throw(CTkArchiveException::badClass);
    }
    *this << kNewClassTag << std::uint16_t(pClass->m_wSchema) << std::uint16_t(name.size());
    Write(name.data(), std::uint32_t(name.size()));
    m_storeClasses.emplace_back(pClass, NextMapIndex());
}

std::unique_ptr<CTkObject> CTkArchive::ReadObject(const CTkRuntimeClass* pClassRefRequested)
{
    const CTkRuntimeClass* pClass = ReadClass(pClassRefRequested);
    if (!pClass) return nullptr;
    std::unique_ptr<CTkObject> pObject = pClass->CreateObject();
    if (!pObject) Throw(CTkArchiveException::badClass);
    NextMapIndex();
    pObject->Serialize(*this);
    return pObject;
}

const CTkRuntimeClass* CTkArchive::ReadClass(const CTkRuntimeClass* pClassRefRequested)
{
    std::uint16_t wTag = 0;
    *this >> wTag;
    if (wTag == kNullTag) return nullptr;
    const CTkRuntimeClass* pClass = nullptr;
    if (wTag == kNewClassTag) {
        pClass = ReadNewClass();
    } else {
        std::uint32_t dwTag = 0;
        if (wTag == kBigObjectTag) {
            *this >> dwTag;
        } else {
            dwTag = (std::uint32_t(wTag & kClassTag) << 16) | (wTag & ~kClassTag & 0xFFFF);
        }
        // Without the class bit the tag refers back to an object, which this
        // program never writes.
        if (!(dwTag & kBigClassTag)) Throw(CTkArchiveException::badIndex);
        const std::uint32_t index = dwTag & ~kBigClassTag;
        if (index >= m_loadClasses.size() || !m_loadClasses[index]) {
            Throw(CTkArchiveException::badIndex);
        }
        pClass = m_loadClasses[index];
    }
    if (pClassRefRequested && !pClass->IsDerivedFrom(pClassRefRequested)) {
        Throw(CTkArchiveException::badClass);
    }
    return pClass;
}

const CTkRuntimeClass* CTkArchive::ReadNewClass()
{
    std::uint16_t wSchema = 0;
    std::uint16_t nLength = 0;
    *this >> wSchema >> nLength;
    if (nLength > kMaxClassNameLength) Throw(CTkArchiveException::badClass);
    std::string name(nLength, '\0');
    ReadExact(name.data(), nLength);
    const CTkRuntimeClass* pClass = CTkRuntimeClass::FromName(name);
    if (!pClass) Throw(CTkArchiveException::badClass);
    if (pClass->m_wSchema != wSchema) Throw(CTkArchiveException::badSchema);
    NextMapIndex(pClass);
    return pClass;
}
