#include "support/TestCorpus.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

std::optional<std::filesystem::path> TestCorpusFolder()
{
    const char* env = std::getenv("GLYPHAR_CORPUS");
    if (env == nullptr || *env == '\0') return std::nullopt;
    return std::filesystem::path(env);
}

std::vector<std::filesystem::path> TestCorpusFiles()
{
    std::vector<std::filesystem::path> files;
    const auto folder = TestCorpusFolder();
    if (!folder || !std::filesystem::is_directory(*folder)) return files;
    for (const auto& item : std::filesystem::directory_iterator(*folder)) {
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

void WriteBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}
