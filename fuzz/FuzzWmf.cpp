// Windows-metafile bytes, placeable or plain as given, through the Windows filter,
// the player, the recording DC, the importer and the converter. The header's
// size is made to agree with the input's length first: the read refuses any other
// length, and the fuzzer should spend its time on the records.

#include "FuzzImportRoad.h"

#include "platform/gdi/TkWmfPlayer.h"

#include <vector>

namespace {

constexpr std::size_t kSizeField = 6;  // META_HEADER's size in words

void PutDWord(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value)
{
    for (std::size_t i = 0; i < 4; ++i)
        bytes[at + i] = std::uint8_t(value >> (8 * i));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::uint8_t> bytes(data, data + size);
    const std::size_t start = TkIsPlaceableWmfHeader(bytes) ? kPlaceableWmfHeaderBytes : 0;
    if (bytes.size() >= start + kSizeField + 4)
        PutDWord(bytes, start + kSizeField, std::uint32_t((bytes.size() - start) / 2));
    FuzzImportFile(bytes);
    return 0;
}
