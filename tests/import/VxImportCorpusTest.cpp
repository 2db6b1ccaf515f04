// Every metafile of the shared corpus goes through the whole reading road.

#include "FakeEmfConverter.h"

#include "import/VxEmfToVxConverter.h"
#include "import/VxMetafileImporter.h"
#include "platform/framework/TkMemFile.h"
#include "platform/framework/TkSettings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

namespace {

std::filesystem::path CorpusFolder()
{
    const char* env = std::getenv("GLYPHAR_CORPUS");
    return env && *env ? env : "/work/shared/corpus";
}

std::vector<std::filesystem::path> CorpusFiles()
{
    std::vector<std::filesystem::path> files;
    const std::filesystem::path folder = CorpusFolder();
    if (!std::filesystem::is_directory(folder)) return files;
    for (const auto& item : std::filesystem::directory_iterator(folder)) {
        const auto ext = item.path().extension();
        if (item.is_regular_file() && (ext == ".emf" || ext == ".wmf" || ext == ".clp"))
            files.push_back(item.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Remembers the last record it saw, so a stop can be told by its record.
class WatchedConverter : public CVxEmfToVxConverter {
public:
    using CVxEmfToVxConverter::CVxEmfToVxConverter;
    int PreviewRecord(const TkEmfRecord& record) override
    {
        m_last = record;
        return CVxEmfToVxConverter::PreviewRecord(record);
    }
    TkEmfRecord m_last;
};

}  // namespace

TEST(VxImportCorpus, EveryFileIsReadThroughAFilter)
{
    const std::vector<std::filesystem::path> files = CorpusFiles();
    if (files.empty()) GTEST_SKIP() << "no corpus at " << CorpusFolder();
    const CVxImportFilterList filters;
    for (const auto& path : files) {
        CTkMemFile file(ReadBytes(path));
        CTkArchive ar(&file, CTkArchive::load);
        FakeEmfConverter converter;
        CVxMetafileImporter importer(converter, filters);
        EXPECT_EQ(importer.ImportFile(ar), 0u) << path;
        const CVxImportFilter* pFilter = importer.GetFilter();
        std::cout << path.filename().string() << ": "
                  << (pFilter ? pFilter->GetName() : "no filter") << ", "
                  << converter.m_previewed.size() << " records\n";
        // Every enumeration starts with the header and, when it ran, ends with EOF.
        ASSERT_FALSE(converter.m_previewed.empty()) << path;
        EXPECT_EQ(converter.m_previewed.front(), DWORD(1)) << path;
        EXPECT_EQ(converter.m_previewed.back(), DWORD(14)) << path;
    }
}

TEST(VxImportCorpus, EveryFileConvertsIntoGraphics)
{
    const std::vector<std::filesystem::path> files = CorpusFiles();
    if (files.empty()) GTEST_SKIP() << "no corpus at " << CorpusFolder();
    CTkMemorySettings settings;
    settings.WriteProfileInt("Application", "DisplayUnhandledMetafileRecordWarnings", 1);
    TkSetSettings(&settings);
    const CVxImportFilterList filters;
    for (const auto& path : files) {
        CTkMemFile file(ReadBytes(path));
        CTkArchive ar(&file, CTkArchive::load);
        WatchedConverter converter(-0x40000000, -0x40000000, 0x3FFFFFFF, 0x3FFFFFFF, FALSE);
        CVxMetafileImporter importer(converter, filters);
        EXPECT_EQ(importer.ImportFile(ar), 0u)
            << path << " stopped at record " << converter.m_last.index << ", "
            << CVxIgnoredMetafileRecords::GetRecordName(converter.m_last.type);
        std::cout << path.filename().string() << ": " << converter.GetGraphics().GetCount()
                  << " graphics, ignored";
        for (DWORD type : importer.GetIgnoredRecords().GetTypes())
            std::cout << ' ' << CVxIgnoredMetafileRecords::GetRecordName(type);
        std::cout << '\n';
    }
    TkSetSettings(nullptr);
}
