// The whole reading road on damaged files: every fixture cut at every byte and
// randomly mutated goes through the importer and the real converter, and each
// attempt ends in success or one of the two load messages, leaving no GDI object
// behind (ASan and UBSan watch the rest).

#include "ImportTestFiles.h"

#include "import/VxEmfToVxConverter.h"
#include "import/VxMetafileImporter.h"
#include "platform/framework/TkMemFile.h"
#include "platform/framework/TkSettings.h"
#include "platform/gdi/TkGdiObjects.h"

#include "support/EmfBuilder.h"
#include "support/TestCorpus.h"
#include "support/TestFontEngine.h"
#include "support/WmfBuilder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// What cutting a fixture short must give.
enum class CutRule {
    Refused,        // every cut: 4205
    WindowsLength,  // 0 when 6 or 22 bytes are missing at the end, else 4205
    Unchecked,      // any of 0, 4205, 4209
};

// Where a fixture keeps the length its reader goes by.
enum class LengthField { None, Emf, Wmf, PlaceableWmf };

struct Fixture {
    std::string name;
    Bytes bytes;
    CutRule rule;
    LengthField length;
};

LengthField LengthFieldOf(const Bytes& bytes)
{
    if (bytes.size() >= 44 && bytes[40] == ' ' && bytes[41] == 'E' && bytes[42] == 'M' &&
        bytes[43] == 'F')
        return LengthField::Emf;
    if (bytes.size() >= 4 && bytes[0] == 0xD7 && bytes[1] == 0xCD && bytes[2] == 0xC6 &&
        bytes[3] == 0x9A)
        return LengthField::PlaceableWmf;
    return LengthField::Wmf;
}

// The first cut bytes with the length field saying cut, so that the reader gets
// past its length check and meets the record that was cut through. Answers where
// the metafile proper starts, or nothing when the cut leaves no length field.
std::optional<std::size_t> CutWithLength(Bytes& bytes, LengthField field, std::size_t cut)
{
    bytes.resize(cut);
    switch (field) {
    case LengthField::Emf:
        if (cut < 52)
            return std::nullopt;
        SetU32(bytes, 48, std::uint32_t(cut));
        return 0;
    case LengthField::Wmf:
    case LengthField::PlaceableWmf: {
        const std::size_t start = field == LengthField::Wmf ? 0 : 22;
        if (cut < start + 10)
            return std::nullopt;
        SetU32(bytes, start + 6, std::uint32_t((cut - start) / 2));
        return start;
    }
    case LengthField::None:
        break;
    }
    return std::nullopt;
}

// The files the import tests build, and a few small real ones; every one of them
// reads without a failure when whole.
std::vector<Fixture> Fixtures()
{
    const Bytes wmf = WmfEveryKindOfRecord();
    std::vector<Fixture> fixtures = {
        {"small emf", SmallEmf(), CutRule::Refused, LengthField::Emf},
        {"converter emf", ConverterEmf(), CutRule::Refused, LengthField::Emf},
        {"plain wmf", wmf, CutRule::WindowsLength, LengthField::Wmf},
        {"placeable wmf", WmfPlaceable(wmf, 0, 0, 1440, 720, 1440), CutRule::WindowsLength,
         LengthField::PlaceableWmf},
        {"clp 50000 picture",
         BuildClp(50000, {{3, MetaFilePictBlock(true, MM_ANISOTROPIC, -2540, 1270, SmallWmf()),
                           "Picture"}}),
         CutRule::Refused, LengthField::None},
        {"clp 50001 enhanced", BuildClp(50001, {{14, ConverterEmf()}}), CutRule::Refused,
         LengthField::None},
        {"clp 50002 both",
         BuildClp(50002, {{14, SmallEmf()},
                          {3, MetaFilePictBlock(false, MM_ANISOTROPIC, 100, 100, wmf)}}),
         CutRule::Unchecked, LengthField::None},
    };
    const auto corpus = TestCorpusFolder();
    for (const char* name : {"libwmf-arrow01.wmf", "libwmf-formula2.wmf", "libwmf-text.wmf",
                             "libuemf-test_mm_text_ref.emf"}) {
        const std::filesystem::path path = corpus.value_or(".") / name;
        if (!std::filesystem::is_regular_file(path))
            continue;
        Bytes bytes = ReadBytes(path);
        const LengthField length = LengthFieldOf(bytes);
        fixtures.push_back({name, std::move(bytes), CutRule::Unchecked, length});
    }
    return fixtures;
}

class VxImportRobustnessTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The ignored list is collected too.
        m_settings.WriteProfileInt("Application", "DisplayUnhandledMetafileRecordWarnings", 1);
        TkSetSettings(&m_settings);
    }
    void TearDown() override { TkSetSettings(nullptr); }

    // One whole import, as the document runs it; the converter and everything it
    // made are gone afterwards.
    UINT Import(std::span<const std::uint8_t> bytes)
    {
        const std::size_t objects = TkGdiObjectCount();
        UINT result = 0;
        {
            CTkMemFile file(Bytes(bytes.begin(), bytes.end()));
            CTkArchive ar(&file, CTkArchive::load);
            CVxEmfToVxConverter converter(-0x40000000, -0x40000000, 0x3FFFFFFF, 0x3FFFFFFF, FALSE);
            CVxMetafileImporter importer(converter, m_filters);
            result = importer.ImportFile(ar);
        }
        EXPECT_EQ(TkGdiObjectCount(), objects) << "objects left behind";
        return result;
    }

    static bool IsLoadResult(UINT result) { return result == 0 || result == 4205 || result == 4209; }

    CTestFontEngineScope m_engine;
    CTkMemorySettings m_settings;
    const CVxImportFilterList m_filters;
};

// Damage of one of a few kinds at random places: a byte, or a 16- or 32-bit
// field set to a value that sizes and counts trip over.
void Mutate(Bytes& bytes, std::mt19937& random)
{
    static constexpr std::uint32_t kEdgy[] = {0,          1,          2,          3,
                                              6,          0x7FFF,     0x8000,     0xFFFF,
                                              0x10000,    0x7FFFFFFF, 0x80000000, 0xFFFFFFFF,
                                              0xFFFFFFFC, 0x40000000};
    const int changes = 1 + int(random() % 4);
    for (int i = 0; i < changes && bytes.size() >= 4; ++i) {
        const std::size_t at = random() % (bytes.size() - 3);
        const std::uint32_t value = kEdgy[random() % std::size(kEdgy)];
        switch (random() % 4) {
        case 0:
            bytes[at] = std::uint8_t(random());
            break;
        case 1:
            bytes[at] = std::uint8_t(value);
            bytes[at + 1] = std::uint8_t(value >> 8);
            break;
        case 2:
            for (int k = 0; k < 4; ++k)
                bytes[(at & ~std::size_t(1)) + k] = std::uint8_t(value >> (8 * k));
            break;
        default:
            bytes.resize(at + 4);  // cut as well
            break;
        }
    }
}

}  // namespace

TEST_F(VxImportRobustnessTest, EveryCutOfEveryFixtureEndsInALoadResult)
{
    for (const Fixture& fixture : Fixtures()) {
        const Bytes& full = fixture.bytes;
        ASSERT_EQ(Import(full), 0u) << fixture.name;
        for (std::size_t cut = 0; cut < full.size(); ++cut) {
            const UINT result = Import(std::span(full).first(cut));
            const std::size_t missing = full.size() - cut;
            switch (fixture.rule) {
            case CutRule::Refused:
                EXPECT_EQ(result, 4205u) << fixture.name << " cut at " << cut;
                break;
            case CutRule::WindowsLength:
                EXPECT_EQ(result, missing == 6 || missing == 22 ? 0u : 4205u)
                    << fixture.name << " cut at " << cut;
                break;
            case CutRule::Unchecked:
                EXPECT_TRUE(IsLoadResult(result)) << fixture.name << " cut at " << cut << ": "
                                                  << result;
                break;
            }
        }
    }
}

// With the length field mended, a cut reaches the records: an enhanced metafile
// then lacks its EMR_EOF and fails, a Windows metafile gives what was played
// before the cut record.
TEST_F(VxImportRobustnessTest, CutsWhoseLengthAgreesReachTheRecords)
{
    for (const Fixture& fixture : Fixtures()) {
        for (std::size_t cut = 0; cut < fixture.bytes.size(); ++cut) {
            Bytes bytes = fixture.bytes;
            const std::optional<std::size_t> start = CutWithLength(bytes, fixture.length, cut);
            if (!start.has_value())
                continue;
            const UINT result = Import(bytes);
            if (fixture.length == LengthField::Emf)
                EXPECT_TRUE(result == 4205 || result == 4209) << fixture.name << " cut at " << cut;
            else
                EXPECT_EQ(result, cut - *start >= 18 ? 0u : 4205u)
                    << fixture.name << " cut at " << cut;
        }
    }
}

TEST_F(VxImportRobustnessTest, RandomMutationsOfEveryFixtureEndInALoadResult)
{
    constexpr int kRounds = 3000;
    std::mt19937 random(0x61797068);
    for (const Fixture& fixture : Fixtures()) {
        int read = 0;
        for (int round = 0; round < kRounds; ++round) {
            Bytes bytes = fixture.bytes;
            Mutate(bytes, random);
            const UINT result = Import(bytes);
            ASSERT_TRUE(IsLoadResult(result))
                << fixture.name << " round " << round << ": " << result;
            read += result == 0;
        }
        // Damage outside what a reader checks leaves many files readable.
        EXPECT_GT(read, 0) << fixture.name;
    }
}
