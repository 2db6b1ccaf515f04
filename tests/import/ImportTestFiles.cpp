#include "ImportTestFiles.h"

#include "platform/gdi/EmfRecordTypes.h"
#include "platform/gdi/TkEmfRecords.h"
#include "platform/gdi/WmfRecordTypes.h"

#include "support/EmfBuilder.h"
#include "support/WmfBuilder.h"

namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

}  // namespace

std::vector<std::uint8_t> BuildClp(std::uint16_t id, const std::vector<ClpFormat>& formats)
{
    const bool b16 = id == 50000;
    const std::size_t entryBytes = b16 ? 89 : 172;
    std::vector<std::uint8_t> out;
    Put16(out, id);
    Put16(out, std::uint32_t(formats.size()));
    std::uint32_t offset = std::uint32_t(4 + entryBytes * formats.size());
    for (const ClpFormat& f : formats) {
        const std::size_t start = out.size();
        if (b16) {
            Put16(out, f.format);
        } else {
            Put32(out, f.format);
        }
        Put32(out, std::uint32_t(f.data.size()));
        Put32(out, offset);
        for (std::size_t i = 0; i < f.ansiName.size() && i < 79; ++i) {
            if (b16) {
                out.push_back(std::uint8_t(f.ansiName[i]));
            } else {
                Put16(out, std::uint8_t(f.ansiName[i]));
            }
        }
        out.resize(start + entryBytes, 0);
        offset += std::uint32_t(f.data.size());
    }
    for (const ClpFormat& f : formats) out.insert(out.end(), f.data.begin(), f.data.end());
    return out;
}

std::vector<std::uint8_t> MetaFilePictBlock(bool b16, int mapMode, int xExt, int yExt,
                                            std::span<const std::uint8_t> wmf)
{
    std::vector<std::uint8_t> out;
    for (int v : {mapMode, xExt, yExt, 0}) {
        if (b16) {
            Put16(out, std::uint16_t(v));
        } else {
            Put32(out, std::uint32_t(v));
        }
    }
    out.insert(out.end(), wmf.begin(), wmf.end());
    return out;
}

std::vector<std::uint8_t> SmallWmf()
{
    return WmfBuilder()
        .Add(META_SETBKMODE, {1})
        .Add(META_RECTANGLE, {40, 30, 0, 0})
        .Build();
}

std::vector<std::uint8_t> SmallEmf()
{
    EmfBuilder emf;
    emf.Record(EMR_RECTANGLE, {0, 0, 100, 50});
    return emf.Finish();
}

RECT EmfFrame(std::span<const std::uint8_t> bits)
{
    const auto header = TkParseEmrHeader(bits);
    if (!header) return {-1, -1, -1, -1};
    const RECTL& f = header->header.rclFrame;
    return {f.left, f.top, f.right, f.bottom};
}
