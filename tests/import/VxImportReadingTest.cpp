// Reading the file kinds the import accepts into one enhanced metafile: frames,
// tolerated short files, clipboard directories and what is refused.

#include "ImportTestFiles.h"

#include "import/VxImportReading.h"
#include "platform/framework/TkArchive.h"
#include "platform/framework/TkMemFile.h"
#include "platform/gdi/EmfRecordTypes.h"
#include "platform/gdi/TkEmfReader.h"
#include "platform/gdi/WmfRecordTypes.h"

#include "support/EmfBuilder.h"
#include "support/WmfBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace {

// A file in memory with a loading archive on it.
struct TestFile {
    explicit TestFile(std::vector<std::uint8_t> bytes) : file(std::move(bytes)), ar(&file, CTkArchive::load) {}
    CTkMemFile file;
    CTkArchive ar;
};

std::unique_ptr<CVxEnhMetaFile> Read(std::vector<std::uint8_t> bytes)
{
    TestFile f(std::move(bytes));
    return VxReadImport(f.ar);
}

RECT FrameOf(const std::unique_ptr<CVxEnhMetaFile>& emf)
{
    if (!emf) return {-2, -2, -2, -2};
    return EmfFrame(emf->GetHandle()->GetBits());
}

void ExpectFrame(const RECT& frame, int cx, int cy)
{
    EXPECT_EQ(frame, (RECT{0, 0, cx, cy}));
}

}  // namespace

TEST(VxImportReading, RecognisesEachKindAndLeavesThePosition)
{
    const std::vector<std::uint8_t> wmf = SmallWmf();
    const struct {
        std::vector<std::uint8_t> bytes;
        VxImportKind kind;
    } cases[] = {
        {SmallEmf(), VxImportKind::Enhanced},
        {WmfPlaceable(wmf, 0, 0, 100, 100, 1440), VxImportKind::PlaceableWindows},
        {wmf, VxImportKind::Windows},
        {BuildClp(50001, {{3, MetaFilePictBlock(false, 8, 100, 100, wmf)}, {14, SmallEmf()}}),
         VxImportKind::ClipboardEnhanced},
        {BuildClp(50000, {{3, MetaFilePictBlock(true, 8, 100, 100, wmf)}}),
         VxImportKind::ClipboardWindows},
        {BuildClp(50002, {{2, {1, 2, 3, 4}}}), VxImportKind::None},
        {std::vector<std::uint8_t>(200, 0), VxImportKind::None},
        {{}, VxImportKind::None},
    };
    for (const auto& c : cases) {
        TestFile f(c.bytes);
        EXPECT_EQ(VxRecogniseImport(f.ar), c.kind);
        EXPECT_EQ(f.file.GetPosition(), 0u);
    }
}

// The page a file gives: a placeable box scaled to hundredths of a millimetre
// (units per inch 0: as it is), a clipboard picture's extent, else a plain
// metafile's window or what it draws, a logical unit being a pixel of the
// 96-dpi screen; a metafile that draws nothing gets the screen.
TEST(VxImportReading, TheFrameComesFromTheHeaderTheWindowOrTheDrawing)
{
    const std::vector<std::uint8_t> wmf = SmallWmf();
    const std::vector<std::uint8_t> window =
        WmfBuilder().Add(META_SETWINDOWEXT, {-608, 8192}).Add(META_RECTANGLE, {40, 30, 0, 0}).Build();
    const std::vector<std::uint8_t> empty = WmfBuilder().Add(META_SETBKMODE, {1}).Build();
    const struct {
        const char* what;
        std::vector<std::uint8_t> bytes;
        SIZE frame;
    } cases[] = {
        {"placeable", WmfPlaceable(wmf, 0, 0, 1440, 720, 1440), {2540, 1270}},
        {"no units per inch", WmfPlaceable(wmf, 10, 20, 1010, 520, 0), {1000, 500}},
        {"reversed box", WmfPlaceable(wmf, 1440, 720, 0, 0, 1440), {2540, 1270}},
        {"clipboard picture", BuildClp(50001, {{3, MetaFilePictBlock(false, 8, 3000, 2000, wmf)}}),
         {3000, 2000}},
        // 16-bit era: the extents are signed 16-bit values; the frame takes their size.
        {"16-bit extent", BuildClp(50000, {{3, MetaFilePictBlock(true, 8, -3000, 2000, wmf)}}),
         {3000, 2000}},
        {"negative extent", BuildClp(50002, {{3, MetaFilePictBlock(false, 8, 1000, -40000, wmf)}}),
         {1000, 40000}},
        // 8192 and 608 pixels are 216746.7 and 16086.7 hundredths of a millimetre.
        {"window", window, {216747, 16087}},
        // The rectangle covers 30 by 40 pixels: 793.75 and 1058.3.
        {"drawing", wmf, {794, 1058}},
        {"nothing drawn", empty, {50800, 28600}},
        {"zero picture extent", BuildClp(50001, {{3, MetaFilePictBlock(false, 8, 0, 500, wmf)}}),
         {794, 1058}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ExpectFrame(FrameOf(Read(c.bytes)), c.frame.cx, c.frame.cy);
    }
    // MulDiv rounds halves away from zero: 1 * 2540 / 1000 = 2.54 -> 3.
    TkPlaceableWmfHeader header;
    header.right = 1;
    header.bottom = 3;
    header.unitsPerInch = 1000;
    const VxMetaFilePict pict = VxPlaceablePict(header);
    EXPECT_EQ(pict.xExt, 3);
    EXPECT_EQ(pict.yExt, 8);
    EXPECT_EQ(pict.mapMode, MM_ANISOTROPIC);
}

// The played metafile opens with the frame's mapping; a plain metafile's
// drawing away from the origin is moved onto the page.
TEST(VxImportReading, PlayedMetafileStartsWithTheFramesMapping)
{
    using Record = std::pair<DWORD, std::vector<LONG>>;
    const auto mapping = [](const std::unique_ptr<CVxEnhMetaFile>& emf) {
        std::vector<Record> records;
        TkEnumEmfRecords(emf->GetHandle()->GetBits(), [&](const TkEmfRecord& record) {
            const bool bPoint = record.type >= EMR_SETWINDOWEXTEX && record.type <= EMR_SETVIEWPORTORGEX;
            if (bPoint || record.type == EMR_SETMAPMODE)
                records.push_back({record.type, {LONG(GetU32(record.bytes, 8))}});
            if (bPoint) records.back().second.push_back(LONG(GetU32(record.bytes, 12)));
            return true;
        });
        return records;
    };
    const auto placeable = Read(WmfPlaceable(SmallWmf(), 0, 0, 1440, 720, 1440));
    ASSERT_TRUE(placeable);
    EXPECT_EQ(mapping(placeable),
              (std::vector<Record>{{EMR_SETMAPMODE, {MM_ANISOTROPIC}},
                                   {EMR_SETWINDOWORGEX, {0, 0}},
                                   {EMR_SETVIEWPORTORGEX, {0, 0}},
                                   {EMR_SETWINDOWEXTEX, {2540, 1270}},
                                   {EMR_SETVIEWPORTEXTEX, {2540, 1270}}}));
    const auto plain = Read(WmfBuilder().Add(META_RECTANGLE, {160, 130, 100, 100}).Build());
    ASSERT_TRUE(plain);
    const std::vector<Record> records = mapping(plain);
    EXPECT_NE(std::find(records.begin(), records.end(), Record{EMR_SETWINDOWORGEX, {100, 100}}),
              records.end());
    EXPECT_NE(std::find(records.begin(), records.end(), Record{EMR_SETWINDOWEXTEX, {30, 60}}),
              records.end());
}

TEST(VxImportReading, ClipboardFilePrefersTheEnhancedMetafile)
{
    const std::vector<std::uint8_t> emf = SmallEmf();
    for (std::uint16_t id : {50001, 50002}) {
        const auto read = Read(BuildClp(
            id, {{3, MetaFilePictBlock(false, 8, 777, 555, SmallWmf())}, {14, emf}}));
        ASSERT_TRUE(read);
        const auto bits = read->GetHandle()->GetBits();
        EXPECT_TRUE(std::equal(bits.begin(), bits.end(), emf.begin(), emf.end()));
    }
}

// Sizes beyond the file or below a header, clipboard files without a metafile.
TEST(VxImportReading, FilesThatDoNotHoldWhatTheySayAreRefused)
{
    std::vector<std::uint8_t> hugeWmf = SmallWmf();
    SetU32(hugeWmf, 6, 0x7FFFFFFF);  // size in words
    std::vector<std::uint8_t> tinyWmf = SmallWmf();
    SetU32(tinyWmf, 6, 4);  // smaller than its own header
    const std::vector<std::uint8_t> good = BuildClp(50001, {{14, SmallEmf()}});
    ASSERT_TRUE(Read(good));
    std::vector<std::uint8_t> longer = good;
    ++longer[8];  // entry length one byte too long
    std::vector<std::uint8_t> beyond = good;
    beyond[15] = 0x7F;  // entry offset far beyond the file
    std::vector<std::uint8_t> cut = BuildClp(50001, {{2, {}}, {14, SmallEmf()}});
    cut.resize(4 + 172 + 100);  // a directory cut short
    std::vector<std::uint8_t> unknownId = good;
    unknownId[0] = 0x53;  // 50003
    const std::vector<std::uint8_t> refused[] = {
        hugeWmf, tinyWmf, longer, beyond, cut, unknownId,
        BuildClp(50001, {{2, std::vector<std::uint8_t>(64, 1)}}),
        BuildClp(50000, {}), BuildClp(50001, {}),
    };
    for (std::size_t i = 0; i < std::size(refused); ++i) EXPECT_FALSE(Read(refused[i])) << i;
}

TEST(VxImportReading, ClipboardEntryNamesAreReadFromTheAnsiCodePage)
{
    TestFile ansi(BuildClp(50000, {{3, {}, "Pi\x80"}}));
    const auto entry = VxFindClipboardEntry(ansi.ar, 3);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->name, u"Pi\u20AC");
    EXPECT_EQ(entry->length, 0u);
    EXPECT_EQ(entry->offset, 4u + 89u);

    TestFile wide(BuildClp(50001, {{2, {}, "A"}, {14, {}, "Enhanced"}}));
    const auto wideEntry = VxFindClipboardEntry(wide.ar, 14);
    ASSERT_TRUE(wideEntry);
    EXPECT_EQ(wideEntry->name, u"Enhanced");
    EXPECT_EQ(wideEntry->offset, 4u + 2 * 172u);
    EXPECT_FALSE(VxFindClipboardEntry(wide.ar, 3));
}
