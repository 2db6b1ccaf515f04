#pragma once
// What the fuzz targets share: the import road as the document runs it, with a
// deterministic font engine and the ignored-records list switched on, and the
// checks that turn a wrong ending into a crash the fuzzer reports.

#include "platform/gdi/GdiTypes.h"

#include <cstdint>
#include <span>

// A file through ImportFile: filter choice, reading, conversion.
void FuzzImportFile(std::span<const std::uint8_t> bytes);
// Enhanced-metafile bits through ImportMetafile, as a paste hands them over.
void FuzzImportEnhMetaFileBits(std::span<const std::uint8_t> bits);
