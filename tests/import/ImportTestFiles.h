#pragma once
// Files for the import tests, built in code: clipboard files in both directory
// layouts, and the frame an enhanced metafile's header gives.

#include "platform/gdi/GdiTypes.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

struct ClpFormat {
    std::uint32_t format;
    std::vector<std::uint8_t> data;
    std::string_view ansiName = "";  // 16-bit layout only
};

// Identifier 50000 (89-byte entries) or 50001/50002 (172-byte entries); the data
// blocks follow the directory in entry order.
std::vector<std::uint8_t> BuildClp(std::uint16_t id, const std::vector<ClpFormat>& formats);

// A metafile-picture block: the 8-byte (16-bit layout) or 16-bit picture header,
// then the Windows metafile.
std::vector<std::uint8_t> MetaFilePictBlock(bool b16, int mapMode, int xExt, int yExt,
                                            std::span<const std::uint8_t> wmf);

// A small plain Windows metafile of a few records.
std::vector<std::uint8_t> SmallWmf();
// A small enhanced metafile: a rectangle.
std::vector<std::uint8_t> SmallEmf();
// An enhanced metafile that the converter takes record by record: objects of
// each kind, shapes, text with advances, a comment and a filled path.
std::vector<std::uint8_t> ConverterEmf();

// The header's frame of enhanced-metafile bits; all -1 when there is no header.
RECT EmfFrame(std::span<const std::uint8_t> bits);
