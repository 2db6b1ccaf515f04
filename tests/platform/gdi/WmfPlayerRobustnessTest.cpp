// The WMF player on untrusted bytes: how a play ends, records whose counts do
// not fit, the header checks and real metafiles. Cut and mutated input is swept
// once, through the whole import.

#include "platform/gdi/EmfRecordTypes.h"
#include "platform/gdi/TkDC.h"
#include "platform/gdi/TkEnhMetaFileRecorder.h"
#include "platform/gdi/TkGdiObjects.h"
#include "platform/gdi/TkWmfPlayer.h"
#include "platform/gdi/WmfRecordTypes.h"

#include "support/TestRecordingBackend.h"
#include "support/WmfBuilder.h"
#include "support/TestCorpus.h"
#include "support/WmfDecoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Outcome {
    BOOL ok = FALSE;
    std::size_t records = 0;
    std::vector<std::string> calls;
    std::size_t passedOn = 0;
};

Outcome PlayLogged(std::span<const std::uint8_t> bits)
{
    CTestRecordingBackend* pBackend = nullptr;
    const std::unique_ptr<CTkDC> dc = MakeRecordingDC(&pBackend);
    Outcome out;
    CTkWmfPlayer player(*dc, [&out](CTkDC&, DWORD) { ++out.passedOn; });
    out.ok = player.Play(bits);
    out.records = player.GetRecordCount();
    out.calls = pBackend->Calls();
    return out;
}

// Plays into an enhanced-metafile recording DC set up as the import does.
BOOL PlayIntoEmf(std::span<const std::uint8_t> bits)
{
    const RECT frame{0, 0, 50800, 28600};
    const std::unique_ptr<CTkDC> dc = CreateEnhMetaFileW(nullptr, &frame, u"");
    dc->SetMapMode(MM_ANISOTROPIC);
    dc->SetWindowExt(frame.right, frame.bottom);
    dc->SetViewportExt(frame.right, frame.bottom);
    const BOOL ok = PlayMetaFile(dc.get(), bits);
    EXPECT_NE(CloseEnhMetaFile(dc.get()), nullptr);
    return ok;
}

class WmfPlayerRobustnessTest : public ::testing::Test {
protected:
    void SetUp() override { m_objects = TkGdiObjectCount(); }
    // Whatever a play met, it deleted every object it made.
    void TearDown() override { EXPECT_EQ(TkGdiObjectCount(), m_objects); }

    std::size_t m_objects = 0;
};

TEST_F(WmfPlayerRobustnessTest, EndOfFileEndsThePlayAndRecordsAfterItAreNotPlayed)
{
    WmfBuilder b;
    b.Add(META_RECTANGLE, {1, 1, 0, 0}).Add(META_EOF).Add(META_ELLIPSE, {1, 1, 0, 0});
    const Outcome out = PlayLogged(b.Build(false));
    EXPECT_TRUE(out.ok);
    EXPECT_EQ(out.calls, (std::vector<std::string>{"Rectangle 0 0 1 1"}));
    EXPECT_EQ(out.records, 2u);
}

TEST_F(WmfPlayerRobustnessTest, MissingEndOfFileIsAcceptedAfterACompleteRecord)
{
    WmfBuilder b;
    b.Add(META_RECTANGLE, {1, 1, 0, 0});
    EXPECT_TRUE(PlayLogged(b.Build(false)).ok);
    // The zero-filled tail of a file six bytes shorter than its header says.
    const Bytes zeros(6, 0);
    const Outcome out = PlayLogged(WmfBuilder(b).AddRaw(zeros).Build(false));
    EXPECT_TRUE(out.ok);
    EXPECT_EQ(out.calls.size(), 1u);
    // A header alone is an empty picture.
    EXPECT_TRUE(PlayLogged(WmfBuilder().Build(false)).ok);
}

TEST_F(WmfPlayerRobustnessTest, BadRecordSizesStopThePlayWithFailure)
{
    const WmfBuilder good = WmfBuilder().Add(META_RECTANGLE, {1, 1, 0, 0});
    const auto playWith = [&](const WmfBuilder& tail) {
        Bytes bits = good.Build(false);
        const Bytes rest = tail.Build(false);
        bits.insert(bits.end(), rest.begin() + 18, rest.end());
        return PlayLogged(bits);
    };
    for (std::uint32_t size : {0u, 1u, 2u}) {
        const Outcome out = playWith(WmfBuilder().AddSized(size, META_ELLIPSE, {1, 1, 0, 0}));
        EXPECT_FALSE(out.ok) << "size " << size;
        EXPECT_EQ(out.calls, (std::vector<std::string>{"Rectangle 0 0 1 1"})) << "size " << size;
    }
    const Outcome past = playWith(WmfBuilder().AddSized(8, META_ELLIPSE, {1, 1, 0, 0}));
    EXPECT_FALSE(past.ok);
    EXPECT_EQ(past.calls.size(), 1u);
    const Outcome huge = playWith(WmfBuilder().AddSized(0xFFFFFFFF, META_ELLIPSE, {1, 1, 0, 0}));
    EXPECT_FALSE(huge.ok);
    const Bytes partial = {7, 0, 0, 0};  // a record header cut short
    EXPECT_FALSE(PlayLogged(WmfBuilder(good).AddRaw(partial).Build(false)).ok);
}

TEST_F(WmfPlayerRobustnessTest, UnknownAndShortRecordsAreSkipped)
{
    WmfBuilder b;
    b.Add(0x0999, {1, 2, 3})
        .Add(META_RECTANGLE, {1, 1})     // two of its four fields
        .Add(META_SETBKCOLOR, {5})       // half a colour
        .Add(META_ARC, {1, 2, 3, 4, 5})  // five of eight
        .Add(META_CREATEPENINDIRECT, {0, 1})
        .Add(META_SELECTOBJECT, {0})
        .Add(META_ELLIPSE, {1, 1, 0, 0});
    const Outcome out = PlayLogged(b.Build());
    EXPECT_TRUE(out.ok);
    EXPECT_EQ(out.calls, (std::vector<std::string>{"Ellipse 0 0 1 1"}));
    EXPECT_EQ(out.records, 8u);
}

TEST_F(WmfPlayerRobustnessTest, CountsThatDoNotFitTheRecordSkipIt)
{
    WmfBuilder b;
    b.Add(META_POLYGON, {100, 0, 0, 1, 1})
        .Add(META_POLYLINE, {0xFFFF, 0, 0})
        .Add(META_POLYPOLYGON, {3, 2})                        // counts missing
        .Add(META_POLYPOLYGON, {2, 0xFFFF, 2, 0, 0, 1, 1})   // 65537 points: wraps in 16 bits
        .Add(META_POLYPOLYGON, {0xFFFF})
        .Add(META_TEXTOUT, WmfParams{100}.Text("abcd"))
        .Add(META_TEXTOUT, WmfParams{4}.Text("abcd"))      // no position after the text
        .Add(META_EXTTEXTOUT, WmfParams{0, 0, 0xFFFF, 0}.Text("ab"))
        .Add(META_ESCAPE, WmfParams{MFCOMMENT, 0xFFFF}.Text("ab"))
        .Add(META_CREATEPALETTE, WmfParams{0x0300, 0xFFFF}.DWord(0))
        .Add(META_SELECTPALETTE, {0})
        .Add(META_POLYGON, {2, 0, 0, 1, 1});
    const Outcome out = PlayLogged(b.Build());
    EXPECT_TRUE(out.ok);
    EXPECT_EQ(out.calls, (std::vector<std::string>{"Polygon 2: 0 0 1 1"}));
}

TEST_F(WmfPlayerRobustnessTest, PlainHeaderIsCheckedAndItsFieldsRead)
{
    Bytes bits = WmfBuilder().Objects(7).Add(META_SAVEDC).Build();
    TkWmfHeader header;
    ASSERT_TRUE(TkIsPlainWmfHeader(bits, &header));
    EXPECT_EQ(header.SizeBytes(), bits.size());
    EXPECT_EQ(header.numberOfObjects, 7);

    const auto refused = [&](std::size_t offset, std::uint8_t value) {
        Bytes bad = bits;
        bad[offset] = value;
        return !TkIsPlainWmfHeader(bad) && !PlayLogged(bad).ok;
    };
    EXPECT_TRUE(refused(0, 3));     // type
    EXPECT_TRUE(refused(2, 8));     // header words
    EXPECT_TRUE(refused(5, 0x02));  // version 0x0200
    EXPECT_FALSE(refused(0, 2));    // a disk metafile is fine
    EXPECT_FALSE(refused(5, 0x01)); // and so is version 0x0100
    EXPECT_FALSE(TkIsPlainWmfHeader(std::span(bits).first(17)));
    EXPECT_FALSE(PlayLogged(std::span(bits).first(17)).ok);
}

TEST_F(WmfPlayerRobustnessTest, PlaceableHeaderIsRecognisedByItsKey)
{
    const Bytes plain = WmfBuilder().Build();
    const Bytes placeable = WmfPlaceable(plain, -10, 20, 1440, 720, 1440);
    TkPlaceableWmfHeader header;
    ASSERT_TRUE(TkIsPlaceableWmfHeader(placeable, &header));
    EXPECT_EQ(header.left, -10);
    EXPECT_EQ(header.bottom, 720);
    EXPECT_EQ(header.checksum, 0xCDD7 ^ 0x9AC6 ^ 0xFFF6 ^ 20 ^ 1440 ^ 720 ^ 1440);
    EXPECT_TRUE(TkIsPlainWmfHeader(std::span(placeable).subspan(kPlaceableWmfHeaderBytes)));

    EXPECT_FALSE(TkIsPlaceableWmfHeader(plain));
    EXPECT_FALSE(TkIsPlaceableWmfHeader(std::span(placeable).first(21)));
    Bytes wrongKey = placeable;
    wrongKey[3] = 0x9B;
    EXPECT_FALSE(TkIsPlaceableWmfHeader(wrongKey));
    // The player takes the plain metafile: the placeable header is not one.
    EXPECT_FALSE(PlayLogged(placeable).ok);
}

// Real metafiles play to their end, or stop with a failure, and leave nothing
// behind; where a strict decoder reads them too, both see the same records.
TEST_F(WmfPlayerRobustnessTest, CorpusMetafilesPlayToTheirEnd)
{
    std::vector<std::filesystem::path> files = TestCorpusFiles();
    std::erase_if(files, [](const auto& path) { return path.extension() != ".wmf"; });
    if (files.empty())
        GTEST_SKIP() << "no corpus";
    int decodedFiles = 0;
    for (const std::filesystem::path& path : files) {
        const Bytes bytes = ReadBytes(path);
        std::span<const std::uint8_t> plain(bytes);
        if (TkIsPlaceableWmfHeader(plain))
            plain = plain.subspan(kPlaceableWmfHeaderBytes);
        TkWmfHeader header;
        if (!TkIsPlainWmfHeader(plain, &header))
            continue;
        // Readers take the length the header gives, when the file holds it.
        plain = plain.first(std::min<std::uint64_t>(plain.size(), header.SizeBytes()));
        const Outcome out = PlayLogged(plain);
        EXPECT_GT(out.records, 0u) << path;
        const std::optional<WmfFile> decoded = DecodeWmf(plain);
        if (decoded.has_value()) {
            ++decodedFiles;
            EXPECT_TRUE(out.ok) << path;
            EXPECT_EQ(out.records, decoded->records.size()) << path;
        }
        EXPECT_EQ(PlayIntoEmf(plain), out.ok) << path;
    }
    EXPECT_GT(decodedFiles, 0);  // the decoder reads other programs' files too
}

}  // namespace
