// Clipboard-file bytes (or any file) through ImportFile: recognition, the
// directory, the data blocks and whatever metafile they hold.

#include "FuzzImportRoad.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzImportFile({data, size});
    return 0;
}
