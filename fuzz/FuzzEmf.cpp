// Enhanced-metafile bytes through the record reader, the importer and the converter.

#include "FuzzImportRoad.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzImportEnhMetaFileBits({data, size});
    return 0;
}
