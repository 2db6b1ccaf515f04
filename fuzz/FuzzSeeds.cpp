// Writes the seed inputs of the fuzz targets: the files the import tests build,
// the shared corpus, and clipboard files wrapped around corpus metafiles.
// Usage: fuzz_seeds OUTPUT-FOLDER [CORPUS-FOLDER]; makes emf/, wmf/ and clp/ in it.

#include "import/ImportTestFiles.h"

#include "import/VxEnhMetaFile.h"
#include "platform/gdi/TkMetaFile.h"
#include "platform/gdi/TkWmfPlayer.h"

#include "support/WmfBuilder.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// Larger files make slow seeds; the targets cut inputs to 64 KiB anyway.
constexpr std::uintmax_t kMaxSeedBytes = 64 * 1024;

void Write(const fs::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

Bytes Read(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The enhanced metafile the import makes of a Windows metafile.
Bytes Recorded(const Bytes& wmf)
{
    CVxEnhMetaFile emf;
    if (!emf.SetMetaFile(CTkMetaFile(wmf)) || emf.IsEmpty())
        return {};
    const auto bits = emf.GetHandle()->GetBits();
    return {bits.begin(), bits.end()};
}

void WriteFixtures(const fs::path& out)
{
    const Bytes wmf = WmfEveryKindOfRecord();
    Write(out / "emf" / "small.emf", SmallEmf());
    Write(out / "emf" / "converter.emf", ConverterEmf());
    Write(out / "emf" / "recorded.emf", Recorded(wmf));
    Write(out / "wmf" / "small.wmf", SmallWmf());
    Write(out / "wmf" / "every.wmf", wmf);
    Write(out / "wmf" / "every-placeable.wmf", WmfPlaceable(wmf, 0, 0, 1440, 720, 1440));
    Write(out / "clp" / "picture16.clp",
          BuildClp(50000, {{3, MetaFilePictBlock(true, 8, -2540, 1270, SmallWmf()), "Picture"}}));
    Write(out / "clp" / "enhanced.clp", BuildClp(50001, {{14, ConverterEmf()}}));
    Write(out / "clp" / "both.clp",
          BuildClp(50002, {{14, SmallEmf()}, {3, MetaFilePictBlock(false, 8, 100, 100, wmf)}}));
}

// Each corpus metafile as a seed of its kind and inside a clipboard file.
void WriteCorpus(const fs::path& out, const fs::path& corpus)
{
    for (const auto& entry : fs::directory_iterator(corpus)) {
        const fs::path& path = entry.path();
        const std::string ext = path.extension().string();
        if (!entry.is_regular_file() || entry.file_size() > kMaxSeedBytes ||
            (ext != ".emf" && ext != ".wmf"))
            continue;
        const Bytes bytes = Read(path);
        const std::string stem = path.stem().string();
        Write(out / ext.substr(1) / path.filename(), bytes);
        if (ext == ".emf") {
            Write(out / "clp" / (stem + ".clp"), BuildClp(50001, {{14, bytes}}));
            continue;
        }
        std::span<const std::uint8_t> plain(bytes);
        if (TkIsPlaceableWmfHeader(plain))
            plain = plain.subspan(kPlaceableWmfHeaderBytes);
        Write(out / "clp" / (stem + ".clp"),
              BuildClp(50000, {{3, MetaFilePictBlock(true, 8, 2000, 1000, plain)}}));
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::cerr << "usage: fuzz_seeds OUTPUT-FOLDER [CORPUS-FOLDER]\n";
        return 2;
    }
    const fs::path out = argv[1];
    for (const char* kind : {"emf", "wmf", "clp"})
        fs::create_directories(out / kind);
    WriteFixtures(out);
    if (argc > 2 && fs::is_directory(argv[2]))
        WriteCorpus(out, argv[2]);
    return 0;
}
