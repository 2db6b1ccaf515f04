#include "support/WmfDecoder.h"

#include "platform/gdi/TkMetaFileRecorder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr std::size_t kHeaderBytes = 18;
constexpr std::size_t kRecordHeaderWords = 3;

std::uint16_t Le16(std::span<const std::uint8_t> b, std::size_t at)
{
    return std::uint16_t(b[at] | (b[at + 1] << 8));
}

std::uint32_t Le32(std::span<const std::uint8_t> b, std::size_t at)
{
    return std::uint32_t(Le16(b, at)) | (std::uint32_t(Le16(b, at + 2)) << 16);
}

bool Fail(std::string* pError, std::string reason)
{
    if (pError != nullptr)
        *pError = std::move(reason);
    return false;
}

bool ReadHeader(std::span<const std::uint8_t> bytes, WmfHeader* p, std::string* pError)
{
    if (bytes.size() < kHeaderBytes)
        return Fail(pError, "shorter than a header");
    p->type = Le16(bytes, 0);
    p->headerSize = Le16(bytes, 2);
    p->version = Le16(bytes, 4);
    p->sizeWords = Le32(bytes, 6);
    p->numberOfObjects = Le16(bytes, 10);
    p->maxRecordWords = Le32(bytes, 12);
    p->numberOfMembers = Le16(bytes, 16);
    if (p->type != 1 && p->type != 2)
        return Fail(pError, "type " + std::to_string(p->type));
    if (p->headerSize != 9)
        return Fail(pError, "header size " + std::to_string(p->headerSize));
    if (p->version != 0x0100 && p->version != 0x0300)
        return Fail(pError, "version " + std::to_string(p->version));
    if (bytes.size() % 2 != 0 || std::uint64_t(p->sizeWords) * 2 != bytes.size())
        return Fail(pError, "size " + std::to_string(p->sizeWords) + " words for " +
                                std::to_string(bytes.size()) + " bytes");
    return true;
}

bool ReadRecords(std::span<const std::uint8_t> bytes, WmfFile* p, std::string* pError)
{
    std::size_t at = kHeaderBytes;
    while (at < bytes.size()) {
        if (bytes.size() - at < kRecordHeaderWords * 2)
            return Fail(pError, "record header cut at byte " + std::to_string(at));
        WmfRecord r;
        r.sizeWords = Le32(bytes, at);
        r.function = Le16(bytes, at + 4);
        if (r.sizeWords < kRecordHeaderWords ||
            std::uint64_t(r.sizeWords) * 2 > bytes.size() - at)
            return Fail(pError, "record size " + std::to_string(r.sizeWords) + " at byte " +
                                    std::to_string(at));
        for (std::size_t w = kRecordHeaderWords; w < r.sizeWords; ++w)
            r.params.push_back(Le16(bytes, at + 2 * w));
        at += std::size_t(r.sizeWords) * 2;
        const bool eof = r.function == 0;
        p->records.push_back(std::move(r));
        if (eof)
            break;
    }
    const WmfRecord* pLast = p->records.empty() ? nullptr : &p->records.back();
    if (pLast == nullptr || pLast->function != 0 || pLast->sizeWords != kRecordHeaderWords)
        return Fail(pError, "no 3-word META_EOF at the end");
    if (at != bytes.size())
        return Fail(pError, "bytes after META_EOF");
    return true;
}

}  // namespace

std::uint16_t WmfRecord::Word(std::size_t i) const
{
    if (i >= params.size()) {
        ADD_FAILURE() << "record 0x" << std::hex << function << " has no word " << std::dec
                      << i;
        return 0;
    }
    return params[i];
}

std::int16_t WmfRecord::Short(std::size_t i) const { return std::int16_t(Word(i)); }

std::uint32_t WmfRecord::DWord(std::size_t i) const
{
    return std::uint32_t(Word(i)) | (std::uint32_t(Word(i + 1)) << 16);
}

std::vector<std::uint8_t> WmfRecord::Bytes(std::size_t i, std::size_t count) const
{
    std::vector<std::uint8_t> out;
    for (std::size_t k = 0; k < count; ++k) {
        const std::uint16_t w = Word(i + k / 2);
        out.push_back(std::uint8_t(k % 2 == 0 ? w & 0xFF : w >> 8));
    }
    return out;
}

std::string WmfRecord::Text(std::size_t i, std::size_t count) const
{
    const std::vector<std::uint8_t> b = Bytes(i, count);
    return std::string(b.begin(), b.end());
}

std::vector<const WmfRecord*> WmfFile::Find(std::uint16_t function) const&
{
    std::vector<const WmfRecord*> found;
    for (const WmfRecord& r : records) {
        if (r.function == function)
            found.push_back(&r);
    }
    return found;
}

std::vector<std::uint16_t> WmfFile::Functions() const
{
    std::vector<std::uint16_t> functions;
    for (const WmfRecord& r : records)
        functions.push_back(r.function);
    return functions;
}

std::optional<WmfFile> DecodeWmf(std::span<const std::uint8_t> bytes, std::string* pError)
{
    WmfFile file;
    if (!ReadHeader(bytes, &file.header, pError) || !ReadRecords(bytes, &file, pError))
        return std::nullopt;
    return file;
}

WmfFile RecordWmfFile(const std::function<void(CTkDC&)>& draw)
{
    std::unique_ptr<CTkDC> dc = CreateMetaFileW(nullptr);
    draw(*dc);
    return CloseAndDecodeWmf(*dc);
}

WmfFile CloseAndDecodeWmf(CTkDC& dc)
{
    const std::unique_ptr<CTkMetaFile> wmf = CloseMetaFile(&dc);
    std::string error;
    std::optional<WmfFile> file = wmf ? DecodeWmf(wmf->GetBits(), &error) : std::nullopt;
    if (!file) ADD_FAILURE() << "no metafile or undecodable: " << error;
    return file.value_or(WmfFile{});
}
