#include "EmfDecoder.h"

#include "platform/gdi/EmfRecordTypes.h"
#include "platform/gdi/TkEnhMetaFileRecorder.h"

#include <gtest/gtest.h>

#include <bit>

namespace {

// Records whose size the format fixes.
std::optional<std::uint32_t> FixedSize(std::uint32_t type)
{
    switch (type) {
    case 33: case 52: case 59: case 60: case 61: case 65: case 66: case 68:
        return 8;  // SAVEDC, REALIZEPALETTE and the bodiless path records
    case 16: case 17: case 18: case 19: case 20: case 21: case 22: case 24: case 25:
    case 34: case 37: case 40: case 48: case 57: case 58: case 67: case 98:
        return 12;  // one 32-bit value
    case 9: case 10: case 11: case 12: case 13: case 26: case 27: case 54:
        return 16;  // one point or size
    case 15:
        return 20;  // SETPIXELV
    case 29: case 30: case 42: case 43: case 39: case 62: case 63: case 64:
        return 24;  // a rectangle; CREATEBRUSHINDIRECT
    case 31: case 32:
        return 24;  // SCALE…EXTEX
    case 38: case 41:
        return 28;  // CREATEPEN, ANGLEARC
    case 44: case 35:
        return 32;  // ROUNDRECT, SETWORLDTRANSFORM
    case 36:
        return 36;  // MODIFYWORLDTRANSFORM
    case 45: case 46: case 47: case 55:
        return 40;  // ARC, CHORD, PIE, ARCTO
    default:
        return std::nullopt;
    }
}

std::uint32_t ReadU32(std::span<const std::uint8_t> b, std::size_t at)
{
    return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 |
           std::uint32_t(b[at + 2]) << 16 | std::uint32_t(b[at + 3]) << 24;
}

// Whether [offset, offset + length) lies inside a record of the given size.
bool Inside(std::uint64_t offset, std::uint64_t length, std::uint64_t size)
{
    return offset <= size && length <= size - offset;
}

std::string CheckPoly(const EmfRecord& r, std::uint64_t pointSize)
{
    if (r.size < 28)
        return "too short";
    const std::uint64_t count = r.U32(24);
    return 28 + count * pointSize == r.size ? "" : "size does not match the point count";
}

std::string CheckPolyPoly(const EmfRecord& r, std::uint64_t pointSize)
{
    if (r.size < 32)
        return "too short";
    const std::uint64_t polys = r.U32(24);
    const std::uint64_t points = r.U32(28);
    if (32 + 4 * polys + pointSize * points != r.size)
        return "size does not match the counts";
    std::uint64_t sum = 0;
    for (std::uint64_t i = 0; i < polys; ++i)
        sum += r.U32(32 + 4 * std::size_t(i));
    return sum == points ? "" : "figure counts do not add up to the point count";
}

std::string CheckText(const EmfRecord& r)
{
    if (r.size < 76)
        return "too short";
    const std::uint64_t n = r.U32(44);
    const std::uint64_t offString = r.U32(48);
    const std::uint64_t offDx = r.U32(72);
    const std::uint64_t dxCount = (r.U32(52) & ETO_PDY) ? 2 * n : n;
    if (n > 0 && (offString < 76 || !Inside(offString, 2 * n, r.size)))
        return "string outside the record";
    if (offDx != 0 && (offDx < 76 || !Inside(offDx, 4 * dxCount, r.size)))
        return "advances outside the record";
    return "";
}

// Bitmap-carrying records: the two (offset, size) pairs at the given offsets.
std::string CheckBitmapParts(const EmfRecord& r, std::size_t fixed, std::size_t pairs)
{
    if (r.size < fixed)
        return "too short";
    for (std::size_t at : {pairs, pairs + 8}) {
        const std::uint32_t off = r.U32(at);
        const std::uint32_t cb = r.U32(at + 4);
        if (cb != 0 && (off < fixed || !Inside(off, cb, r.size)))
            return "bitmap part outside the record";
    }
    return "";
}

// nSizeLast is not checked: some writers put the file's length there. Tests of
// our own output check it.
std::string CheckEof(const EmfRecord& r)
{
    if (r.size < 20)
        return "too short";
    const std::uint64_t n = r.U32(8);
    const std::uint64_t off = r.U32(12);
    if (n > 0 && (off < 16 || !Inside(off, 4 * n, r.size - 4)))
        return "palette outside the record";
    return "";
}

// "" when the record's size agrees with its type's layout.
std::string CheckRecord(const EmfRecord& r)
{
    if (const auto fixed = FixedSize(r.type))
        return *fixed == r.size ? "" : "size is not the fixed size of its type";
    const std::uint32_t t = r.type;
    if (t >= EMR_POLYBEZIER && t <= EMR_POLYLINETO)
        return CheckPoly(r, 8);
    if (t >= EMR_POLYBEZIER16 && t <= EMR_POLYLINETO16)
        return CheckPoly(r, 4);
    if (t == EMR_POLYPOLYLINE || t == EMR_POLYPOLYGON)
        return CheckPolyPoly(r, 8);
    if (t == EMR_POLYPOLYLINE16 || t == EMR_POLYPOLYGON16)
        return CheckPolyPoly(r, 4);
    switch (t) {
    case EMR_EOF:
        return CheckEof(r);
    case EMR_GDICOMMENT:
        return r.size >= 12 && (std::uint64_t(r.U32(8)) + 3) / 4 * 4 + 12 == r.size
                   ? ""
                   : "size does not match the comment length";
    case EMR_EXTTEXTOUTW:
        return CheckText(r);
    case EMR_EXTCREATEFONTINDIRECTW:
        return r.size >= 12 + 92 ? "" : "too short for a LOGFONTW";
    case EMR_CREATEPALETTE:
        return r.size >= 16 && 16 + 4 * std::uint64_t(r.U16(14)) == r.size
                   ? ""
                   : "size does not match the palette entries";
    case EMR_EXTSELECTCLIPRGN:
        return r.size >= 16 && Inside(16, r.U32(8), r.size) ? "" : "region outside the record";
    case EMR_CREATEMONOBRUSH:
    case EMR_CREATEDIBPATTERNBRUSHPT:
        return CheckBitmapParts(r, 32, 16);
    case EMR_BITBLT:
        return CheckBitmapParts(r, 100, 84);
    case EMR_STRETCHBLT:
        return CheckBitmapParts(r, 108, 84);
    case EMR_SETDIBITSTODEVICE:
        return CheckBitmapParts(r, 76, 48);
    case EMR_STRETCHDIBITS:
        return CheckBitmapParts(r, 80, 48);
    case EMR_EXTCREATEPEN: {
        if (r.size < 52)
            return "too short";
        if (!Inside(52, 4 * std::uint64_t(r.U32(48)), r.size))
            return "style entries outside the record";
        return CheckBitmapParts(r, 52, 12);
    }
    default:
        return "";
    }
}

std::string CheckHeader(const EmfHeader& h, std::size_t bufferSize)
{
    if (h.signature != ENHMETA_SIGNATURE)
        return "bad signature";
    if (h.nBytes != bufferSize)
        return "nBytes is not the buffer size";
    if (h.nDescription > 0 &&
        (h.offDescription < 88 || !Inside(h.offDescription, 2 * std::uint64_t(h.nDescription),
                                          h.headerSize)))
        return "description outside the header record";
    return "";
}

EmfHeader ReadHeader(const EmfRecord& r)
{
    EmfHeader h;
    h.headerSize = r.size;
    h.bounds = r.Rect(8);
    h.frame = r.Rect(24);
    h.signature = r.U32(40);
    h.nBytes = r.U32(48);
    h.nRecords = r.U32(52);
    h.nHandles = r.U16(56);
    h.nDescription = r.U32(60);
    h.offDescription = r.U32(64);
    h.device = r.Size(72);
    h.millimeters = r.Size(80);
    if (r.size >= 108)
        h.micrometers = r.Size(100);
    return h;
}

std::optional<EmfFile> Fail(std::string* pError, std::string reason)
{
    if (pError)
        *pError = std::move(reason);
    return std::nullopt;
}

}  // namespace

// ---- EmfRecord ----

std::uint8_t EmfRecord::U8(std::size_t offset) const
{
    if (offset >= bytes.size()) {
        ADD_FAILURE() << Name() << ": byte " << offset << " is past the record's "
                      << bytes.size() << " bytes";
        return 0;
    }
    return bytes[offset];
}

std::uint16_t EmfRecord::U16(std::size_t offset) const
{
    return std::uint16_t(U8(offset) | U8(offset + 1) << 8);
}

std::int16_t EmfRecord::I16(std::size_t offset) const
{
    return std::int16_t(U16(offset));
}

std::uint32_t EmfRecord::U32(std::size_t offset) const
{
    return std::uint32_t(U16(offset)) | std::uint32_t(U16(offset + 2)) << 16;
}

std::int32_t EmfRecord::I32(std::size_t offset) const
{
    return std::int32_t(U32(offset));
}

float EmfRecord::F32(std::size_t offset) const
{
    return std::bit_cast<float>(U32(offset));
}

POINT EmfRecord::Point(std::size_t offset) const
{
    return {I32(offset), I32(offset + 4)};
}

SIZE EmfRecord::Size(std::size_t offset) const
{
    return {I32(offset), I32(offset + 4)};
}

RECT EmfRecord::Rect(std::size_t offset) const
{
    return {I32(offset), I32(offset + 4), I32(offset + 8), I32(offset + 12)};
}

std::vector<std::uint8_t> EmfRecord::Bytes(std::size_t offset, std::size_t count) const
{
    if (!Inside(offset, count, bytes.size())) {
        ADD_FAILURE() << Name() << ": " << count << " bytes at " << offset << " pass the end";
        return {};
    }
    return {bytes.begin() + std::ptrdiff_t(offset),
            bytes.begin() + std::ptrdiff_t(offset + count)};
}

std::u16string EmfRecord::Utf16(std::size_t offset, std::size_t count) const
{
    if (!Inside(offset, 2 * std::uint64_t(count), bytes.size())) {
        ADD_FAILURE() << Name() << ": " << count << " characters at " << offset
                      << " pass the end";
        return {};
    }
    std::u16string s;
    for (std::size_t i = 0; i < count; ++i)
        s.push_back(char16_t(U16(offset + 2 * i)));
    return s;
}

std::string EmfRecord::Name() const
{
    return EmfRecordName(type);
}

std::vector<POINT> EmfRecord::PolyPoints() const
{
    const bool polyPoly = type == EMR_POLYPOLYLINE || type == EMR_POLYPOLYGON ||
                          type == EMR_POLYPOLYLINE16 || type == EMR_POLYPOLYGON16;
    const bool poly = (type >= EMR_POLYBEZIER && type <= EMR_POLYLINETO) ||
                      (type >= EMR_POLYBEZIER16 && type <= EMR_POLYLINETO16);
    if (!poly && !polyPoly) {
        ADD_FAILURE() << Name() << " is not a poly record";
        return {};
    }
    const std::size_t count = U32(polyPoly ? 28 : 24);
    const std::size_t at = polyPoly ? 32 + 4 * std::size_t(U32(24)) : 28;
    const bool small = (type >= EMR_POLYBEZIER16 && type <= EMR_POLYLINETO16) ||
                       type == EMR_POLYPOLYLINE16 || type == EMR_POLYPOLYGON16;
    const std::size_t step = small ? 4 : 8;
    if (!Inside(at, step * std::uint64_t(count), bytes.size())) {
        ADD_FAILURE() << Name() << ": " << count << " points at " << at << " pass the end";
        return {};
    }
    std::vector<POINT> pts;
    for (std::size_t i = 0, p = at; i < count; ++i, p += step)
        pts.push_back(small ? POINT{I16(p), I16(p + 2)} : Point(p));
    return pts;
}

std::vector<std::uint32_t> EmfRecord::PolyCounts() const
{
    std::vector<std::uint32_t> counts;
    const std::size_t n = U32(24);
    if (!Inside(32, 4 * std::uint64_t(n), bytes.size())) {
        ADD_FAILURE() << Name() << ": figure counts pass the end";
        return counts;
    }
    for (std::size_t i = 0; i < n; ++i)
        counts.push_back(U32(32 + 4 * i));
    return counts;
}

EmfText EmfRecord::Text() const
{
    EmfText t;
    if (type != EMR_EXTTEXTOUTW) {
        ADD_FAILURE() << Name() << " is not EMR_EXTTEXTOUTW";
        return t;
    }
    t.bounds = Rect(8);
    t.graphicsMode = U32(24);
    t.exScale = F32(28);
    t.eyScale = F32(32);
    t.reference = Point(36);
    t.nChars = U32(44);
    t.offString = U32(48);
    t.options = U32(52);
    t.rect = Rect(56);
    t.offDx = U32(72);
    t.text = Utf16(t.offString, t.nChars);
    if (t.offDx != 0) {
        const std::size_t n = (t.options & ETO_PDY) ? 2 * t.nChars : t.nChars;
        for (std::size_t i = 0; i < n; ++i)
            t.dx.push_back(I32(t.offDx + 4 * i));
    }
    return t;
}

// ---- EmfFile ----

std::vector<const EmfRecord*> EmfFile::Find(std::uint32_t type) const
{
    std::vector<const EmfRecord*> found;
    for (const EmfRecord& r : records) {
        if (r.type == type)
            found.push_back(&r);
    }
    return found;
}

const EmfRecord& EmfFile::Only(std::uint32_t type) const
{
    static const EmfRecord none;
    const std::vector<const EmfRecord*> found = Find(type);
    EXPECT_EQ(found.size(), 1u) << EmfRecordName(type);
    return found.empty() ? none : *found.front();
}

std::vector<std::string> EmfFile::Names() const
{
    std::vector<std::string> names;
    for (const EmfRecord& r : records)
        names.push_back(r.Name());
    return names;
}

std::string EmfRecordName(std::uint32_t type)
{
    return "EMR_" + std::to_string(type);
}

std::optional<EmfFile> DecodeEmf(std::span<const std::uint8_t> bytes, std::string* pError)
{
    EmfFile file;
    std::size_t at = 0;
    while (at < bytes.size()) {
        if (bytes.size() - at < 8)
            return Fail(pError, "a record header passes the end at " + std::to_string(at));
        EmfRecord r;
        r.type = ReadU32(bytes, at);
        r.size = ReadU32(bytes, at + 4);
        const std::string where = r.Name() + " at " + std::to_string(at);
        if (r.size < 8 || r.size % 4 != 0 || r.size > bytes.size() - at)
            return Fail(pError, where + ": bad size " + std::to_string(r.size));
        if (!file.records.empty() && file.records.back().type == EMR_EOF)
            return Fail(pError, where + ": a record after EMR_EOF");
        if (file.records.empty() && (r.type != EMR_HEADER || r.size < 88))
            return Fail(pError, "the first record is not an EMF header");
        r.bytes.assign(bytes.begin() + std::ptrdiff_t(at),
                       bytes.begin() + std::ptrdiff_t(at + r.size));
        if (const std::string problem = CheckRecord(r); !problem.empty())
            return Fail(pError, where + ": " + problem);
        at += r.size;
        file.records.push_back(std::move(r));
    }
    if (file.records.empty())
        return Fail(pError, "no records");
    if (file.records.back().type != EMR_EOF)
        return Fail(pError, "the last record is not EMR_EOF");
    file.header = ReadHeader(file.records.front());
    if (const std::string problem = CheckHeader(file.header, bytes.size()); !problem.empty())
        return Fail(pError, problem);
    if (file.header.nRecords != file.records.size())
        return Fail(pError, "nRecords is " + std::to_string(file.header.nRecords) + ", found " +
                                std::to_string(file.records.size()));
    file.header.description = file.records.front().Utf16(file.header.offDescription,
                                                         file.header.nDescription);
    return file;
}

EmfFile RecordEmfFile(const std::function<void(CTkDC&)>& draw, const RECT* pFrame,
                      const CTkDC* pRefDC)
{
    std::unique_ptr<CTkDC> dc = CreateEnhMetaFileW(pRefDC, pFrame, {});
    draw(*dc);
    const std::unique_ptr<CTkEnhMetaFile> emf = CloseEnhMetaFile(dc.get());
    std::string error;
    std::optional<EmfFile> file = emf ? DecodeEmf(emf->GetBits(), &error) : std::nullopt;
    if (!file) ADD_FAILURE() << "no metafile or undecodable: " << error;
    return file.value_or(EmfFile{});
}
