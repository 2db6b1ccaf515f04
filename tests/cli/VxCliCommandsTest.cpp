#include "cli/VxCliCommands.h"
#include "import/ImportTestFiles.h"

#include "platform/framework/TkMessageService.h"
#include "platform/framework/TkSettings.h"
#include "platform/gdi/EmfRecordTypes.h"
#include "platform/gdi/WmfRecordTypes.h"
#include "support/EmfBuilder.h"
#include "support/TestCorpus.h"
#include "support/WmfBuilder.h"

#include <QImage>

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct CliResult {
    int code = -1;
    std::string out;
    std::string err;
};

CliResult RunCli(const std::vector<std::string>& args)
{
    std::ostringstream out;
    std::ostringstream err;
    CVxCliCommands commands(out, err);
    CliResult result;
    result.code = commands.Run(args);
    result.out = out.str();
    result.err = err.str();
    return result;
}

// A 2000 x 1000 picture (hundredths of a millimetre, one per logical unit): a
// black rectangle in the middle, two ellipses at the top, a line below, and
// records the converter does not take (BITBLT twice, a clip rectangle once).
std::vector<std::uint8_t> SampleEmf()
{
    EmfBuilder emf;
    emf.CreateBrushIndirect(1, LOGBRUSH{BS_SOLID, RGB(0, 0, 0), 0});
    emf.Record(EMR_SELECTOBJECT, {1});
    emf.Record(EMR_RECTANGLE, {400, 200, 1600, 800});
    emf.Record(EMR_SELECTOBJECT, {0x80000000u | WHITE_BRUSH});
    emf.Record(EMR_BITBLT, {0, 0, 0, 0});
    emf.Record(EMR_ELLIPSE, {0, 0, 500, 150});
    emf.Record(EMR_INTERSECTCLIPRECT, {0, 0, 10, 10});
    emf.Record(EMR_BITBLT, {0, 0, 0, 0});
    emf.Record(EMR_ELLIPSE, {700, 0, 1200, 150});
    emf.Record(EMR_MOVETOEX, {0, 900});
    emf.Record(EMR_LINETO, {1800, 900});
    std::vector<std::uint8_t> bytes = emf.Finish();
    SetU32(bytes, 56, 2);  // nHandles: the metafile's own slot and the brush
    SetU32(bytes, 72, 50800);  // a reference pixel of 0.01 mm: 508 mm wide
    SetU32(bytes, 76, 28600);  // and 286 mm high
    return bytes;
}

std::vector<std::uint8_t> RectangleWmf()
{
    WmfBuilder wmf;
    wmf.Add(META_RECTANGLE, WmfParams{300, 400, 100, 100});  // bottom, right, top, left
    return wmf.Build();
}

class CliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* pInfo = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = fs::temp_directory_path() /
                (std::string("glyphar-cli-") + pInfo->test_suite_name() + "-" + pInfo->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes)
    {
        WriteBytes(m_dir / name, bytes);
        return PathOf(name);
    }
    std::string PathOf(const std::string& name) const { return (m_dir / name).string(); }

    fs::path m_dir;
};

const char* const kSampleInfo =
    "format: EMF\n"
    "frame: 0 0 2000 1000\n"
    "picture: 2000 x 1000\n"
    "graphics: 4\n"
    "Ellipse: 2\n"
    "Line: 1\n"
    "Rectangle: 1\n"
    "ignored: EMR_BITBLT\n"
    "ignored: EMR_INTERSECTCLIPRECT\n";

}  // namespace

TEST_F(CliTest, UsageErrorsExitOneAndReadNothing)
{
    const std::string in = PathOf("missing.emf");
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"bogus"},
        {"info"},
        {"info", in, in},
        {"dump"},
        {"convert", in},
        {"convert", in, PathOf("out.svg")},
        {"convert", in, PathOf("out")},
        {"convert", in, PathOf("out.png"), "--width"},
        {"convert", in, PathOf("out.png"), "--width", "0"},
        {"convert", in, PathOf("out.png"), "--width", "12x"},
        {"convert", in, PathOf("out.png"), "--width", "99999"},
        {"convert", in, PathOf("out.emf"), "--frobnicate"},
        {"convert", in, PathOf("a.emf"), PathOf("b.emf")},
    };
    for (const auto& args : cases) {
        const CliResult result = RunCli(args);
        std::string line;
        for (const auto& arg : args)
            line += arg + ' ';
        EXPECT_EQ(result.code, CVxCliCommands::kUsage) << line;
        EXPECT_NE(result.err.find("usage: glyphar-cli"), std::string::npos) << line;
        EXPECT_EQ(result.out, "") << line;
        // The input is not looked at before the command line is right.
        EXPECT_EQ(result.err.find("cannot open"), std::string::npos) << line;
    }
    EXPECT_TRUE(fs::is_empty(m_dir));
}

TEST_F(CliTest, InfoListsWhatTheDocumentMade)
{
    const std::string in = Write("sample.emf", SampleEmf());
    // Off for the user; the tool lists ignored records all the same.
    CTkMemorySettings userSettings;
    userSettings.WriteProfileInt("Application", "DisplayUnhandledMetafileRecordWarnings", 0);
    TkSetSettings(&userSettings);
    const CliResult result = RunCli({"info", in});
    EXPECT_EQ(&TkGetSettings(), &userSettings);  // put back after the run
    TkSetSettings(nullptr);
    EXPECT_EQ(result.code, CVxCliCommands::kDone) << result.err;
    EXPECT_EQ(result.out, kSampleInfo);
    EXPECT_EQ(result.err, "");
}

// What info says of each kind of file, and of the tool's own EMF and WMF.
TEST_F(CliTest, InfoNamesTheFormatsAndConvertWritesFilesTheToolReadsBack)
{
    const std::vector<std::uint8_t> plain = RectangleWmf();
    const std::string sample = Write("sample.emf", SampleEmf());
    ASSERT_EQ(RunCli({"convert", sample, PathOf("copy.emf")}).code, CVxCliCommands::kDone);
    const CliResult toWmf = RunCli({"convert", sample, PathOf("copy.WMF")});
    ASSERT_EQ(toWmf.code, CVxCliCommands::kDone) << toWmf.err;
    const char* const kSampleGraphics = "graphics: 4\nEllipse: 2\nLine: 1\nRectangle: 1\n";
    const struct {
        std::string path;
        std::string start;
        std::string holds;
    } cases[] = {
        {Write("plain.wmf", plain), "format: WMF\n", "graphics: 1\nRectangle: 1\n"},
        // One inch by half an inch.
        {Write("placeable.wmf", WmfPlaceable(plain, 0, 0, 1440, 720, 1440)),
         "format: WMF (placeable)\nframe: 0 0 2540 1270\npicture: 2540 x 1270\n", "graphics: 1\n"},
        {Write("empty.emf", {}), "format: empty\nframe: 0 0 0 0\n", "graphics: 0\n"},
        {PathOf("copy.emf"), "format: EMF\nframe: 0 0 2000 1000\npicture: 2000 x 1000\n", kSampleGraphics},
        {PathOf("copy.WMF"), "format: WMF (placeable)\n", kSampleGraphics},
    };
    for (const auto& c : cases) {
        const CliResult info = RunCli({"info", c.path});
        EXPECT_EQ(info.code, CVxCliCommands::kDone) << info.err;
        EXPECT_TRUE(info.out.starts_with(c.start)) << info.out;
        EXPECT_NE(info.out.find(c.holds), std::string::npos) << info.out;
    }
    const CliResult dump = RunCli({"dump", PathOf("empty.emf")});
    EXPECT_EQ(dump.code, CVxCliCommands::kDone);
    EXPECT_EQ(dump.out, "");
}

TEST_F(CliTest, UnreadableInputExitsTwoAndWritesNothing)
{
    const std::vector<std::uint8_t> whole = SampleEmf();
    const std::vector<std::uint8_t> truncated(whole.begin(), whole.end() - 20);  // no EMR_EOF
    const std::string garbage = Write("garbage.emf", {'n', 'o', 't', ' ', 'a', ' ', 'm', 'f'});
    const std::string cut = Write("cut.emf", truncated);
    const std::string out = PathOf("out.emf");
    for (const std::string& in : {PathOf("missing.emf"), garbage, cut}) {
        for (const char* command : {"info", "dump"}) {
            const CliResult result = RunCli({command, in});
            EXPECT_EQ(result.code, CVxCliCommands::kNotRead) << command << ' ' << in;
            EXPECT_NE(result.err.find("glyphar-cli: error: "), std::string::npos) << in;
        }
        const CliResult result = RunCli({"convert", in, out});
        EXPECT_EQ(result.code, CVxCliCommands::kNotRead) << in;
        EXPECT_FALSE(fs::exists(out));
    }
    const CliResult result = RunCli({"info", garbage});
    EXPECT_EQ(result.err, "glyphar-cli: error: File not read. It may be an invalid or "
                          "unsupported format.\n");
    // A sound header, then a record that claims more than the file holds.
    std::vector<std::uint8_t> broken = whole;
    SetU32(broken, 108 + 4, 0x1000);
    EXPECT_EQ(RunCli({"dump", Write("broken.emf", broken)}).code, CVxCliCommands::kNotRead);
}

TEST_F(CliTest, DumpListsTheRecordsWithTheirSizes)
{
    EmfBuilder emf;
    emf.Record(EMR_RECTANGLE, {10, 5, 60, 30});
    emf.Record(EMR_BITBLT, {0, 0, 0, 0});
    const std::string in = Write("small.emf", emf.Finish());
    const CliResult result = RunCli({"dump", in});
    EXPECT_EQ(result.code, CVxCliCommands::kDone) << result.err;
    EXPECT_EQ(result.out,
              "0 EMR_HEADER 108\n"
              "1 EMR_RECTANGLE 24\n"
              "2 EMR_BITBLT 24\n"
              "3 EMR_EOF 20\n");
}

TEST_F(CliTest, ConvertRendersPngAndPdf)
{
    const std::string in = Write("sample.emf", SampleEmf());
    const std::string png = PathOf("sample.png");
    const std::string pdf = PathOf("sample.pdf");
    ASSERT_EQ(RunCli({"convert", in, png, "--width", "200"}).code, CVxCliCommands::kDone);
    ASSERT_EQ(RunCli({"convert", in, pdf}).code, CVxCliCommands::kDone);

    QImage image;
    ASSERT_TRUE(image.load(QString::fromStdString(png), "PNG"));
    EXPECT_EQ(image.width(), 200);
    EXPECT_EQ(image.height(), 100);
    EXPECT_EQ(qGray(image.pixel(100, 50)), 0);     // inside the black rectangle
    EXPECT_EQ(qGray(image.pixel(197, 97)), 255);  // the white page
    const std::vector<std::uint8_t> bytes = ReadBytes(pdf);
    ASSERT_GE(bytes.size(), 5u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 5), "%PDF-");

    // Without --width: the picture's size at 96 dpi (20 mm wide).
    ASSERT_EQ(RunCli({"convert", in, png}).code, CVxCliCommands::kDone);
    ASSERT_TRUE(image.load(QString::fromStdString(png), "PNG"));
    EXPECT_EQ(image.width(), 76);
}

TEST_F(CliTest, UnwritableOutputExitsThreeAndLeavesNothing)
{
    const std::string in = Write("sample.emf", SampleEmf());
    const fs::path missing = m_dir / "no-such-folder";
    for (const char* name : {"out.emf", "out.wmf", "out.png", "out.pdf"}) {
        const CliResult result = RunCli({"convert", in, (missing / name).string()});
        EXPECT_EQ(result.code, CVxCliCommands::kNotWritten) << name;
        EXPECT_NE(result.err.find("glyphar-cli: error: "), std::string::npos) << name;
    }
    EXPECT_FALSE(fs::exists(missing));
    // Only the input is in the folder: no temporary file was left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 1);
}

TEST_F(CliTest, TooWideForWmfIsRefusedUnlessFitted)
{
    std::vector<std::uint8_t> bytes = SampleEmf();
    SetU32(bytes, 32, 40000);  // frame right
    SetU32(bytes, 36, 20000);  // frame bottom
    const std::string in = Write("wide.emf", bytes);
    const std::string out = PathOf("wide.wmf");
    const std::vector<std::uint8_t> before = {'k', 'e', 'e', 'p'};
    Write("wide.wmf", before);

    const CliResult refused = RunCli({"convert", in, out});
    EXPECT_EQ(refused.code, CVxCliCommands::kNotWritten);
    EXPECT_NE(refused.err.find("glyphar-cli: warning: The picture size is too big to be saved "
                               "as a WMF file. Would you like the picture size adjusted to "
                               "fit? [answered No]\n"),
              std::string::npos)
        << refused.err;
    EXPECT_NE(refused.err.find("error: The picture is too big to be saved as a WMF file."),
              std::string::npos)
        << refused.err;
    EXPECT_EQ(ReadBytes(out), before);  // the old file is untouched

    const CliResult fitted = RunCli({"convert", in, out, "--fit-wmf"});
    EXPECT_EQ(fitted.code, CVxCliCommands::kDone) << fitted.err;
    EXPECT_NE(fitted.err.find("[answered Yes]"), std::string::npos);
    const CliResult info = RunCli({"info", out});
    EXPECT_NE(info.out.find("picture: 16384 x 8192\n"), std::string::npos) << info.out;
}

