#include "FuzzImportRoad.h"

#include "import/VxEmfToVxConverter.h"
#include "import/VxEnhMetaFile.h"
#include "import/VxImportFilterList.h"
#include "import/VxMetafileImporter.h"
#include "platform/framework/TkMemFile.h"
#include "platform/framework/TkSettings.h"
#include "platform/gdi/TkGdiObjects.h"

#include "support/TestFontEngine.h"

#include <cstdlib>
#include <functional>
#include <vector>

namespace {

// Set up once per process: measured text and the ignored list are part of the road.
struct Environment {
    Environment()
    {
        settings.WriteProfileInt("Application", "DisplayUnhandledMetafileRecordWarnings", 1);
        TkSetSettings(&settings);
        TkSetFontEngine(&engine);
    }
    CTkMemorySettings settings;
    CTestFontEngine engine;
    CVxImportFilterList filters;
};

Environment& TheEnvironment()
{
    static Environment environment;
    return environment;
}

// An import ends in success or one of its two messages and leaves no GDI object
// behind once the converter is gone; anything else is a fault.
void Check(bool bEndedWell, std::size_t objectsBefore)
{
    if (!bEndedWell || TkGdiObjectCount() != objectsBefore)
        std::abort();
}

bool IsLoadResult(UINT result)
{
    return result == 0 || result == IDS_FILE_NOT_READ || result == IDS_METAFILE_NOT_READ;
}

UINT WithImporter(const std::function<UINT(CVxMetafileImporter&)>& run)
{
    Environment& environment = TheEnvironment();
    CVxEmfToVxConverter converter(-0x40000000, -0x40000000, 0x3FFFFFFF, 0x3FFFFFFF, FALSE);
    CVxMetafileImporter importer(converter, environment.filters);
    return run(importer);
}

}  // namespace

void FuzzImportFile(std::span<const std::uint8_t> bytes)
{
    TheEnvironment();
    const std::size_t objects = TkGdiObjectCount();
    const UINT result = WithImporter([&](CVxMetafileImporter& importer) {
        CTkMemFile file(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
        CTkArchive ar(&file, CTkArchive::load);
        return importer.ImportFile(ar);
    });
    Check(IsLoadResult(result), objects);
}

void FuzzImportEnhMetaFileBits(std::span<const std::uint8_t> bits)
{
    TheEnvironment();
    const std::size_t objects = TkGdiObjectCount();
    const UINT result = WithImporter([&](CVxMetafileImporter& importer) {
        CVxEnhMetaFile emf;
        emf.SetBits(bits);
        return importer.ImportMetafile(emf);
    });
    Check(result == 0 || result == IDS_METAFILE_NOT_READ, objects);
}
