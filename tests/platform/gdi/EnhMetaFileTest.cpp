#include "platform/gdi/EmfRecordTypes.h"
#include "platform/gdi/TkDC.h"
#include "platform/gdi/TkEnhMetaFile.h"
#include "platform/gdi/TkEnhMetaFileRecorder.h"
#include "support/EmfDecoder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>
#include <vector>

namespace {

std::vector<std::uint8_t> SmallPicture()
{
    std::unique_ptr<CTkDC> dc = CreateEnhMetaFileW(nullptr, nullptr, u"d");
    dc->Rectangle(0, 0, 10, 10);
    const POINT pts[] = {{0, 0}, {5, 5}, {9, 1}};
    dc->Polyline(pts, 3);
    const auto emf = CloseEnhMetaFile(dc.get());
    const auto bits = emf->GetBits();
    return {bits.begin(), bits.end()};
}

void PutU32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = std::uint8_t(v >> (8 * i));
}

// ---- the metafile handle ----

TEST(EnhMetaFileBits, SizeQueryThenFetch)
{
    const std::vector<std::uint8_t> bytes = SmallPicture();
    const CTkEnhMetaFile emf(bytes);
    const UINT size = GetEnhMetaFileBits(&emf, 0, nullptr);
    EXPECT_EQ(size, bytes.size());
    std::vector<BYTE> out(size);
    EXPECT_EQ(GetEnhMetaFileBits(&emf, size, out.data()), size);
    EXPECT_EQ(out, bytes);

    // A short buffer gets what fits, and says so.
    std::vector<BYTE> shortBuffer(10, 0xEE);
    EXPECT_EQ(GetEnhMetaFileBits(&emf, 8, shortBuffer.data()), 8u);
    EXPECT_TRUE(std::equal(shortBuffer.begin(), shortBuffer.begin() + 8, bytes.begin()));
    EXPECT_EQ(shortBuffer[8], 0xEE);
    EXPECT_EQ(GetEnhMetaFileBits(nullptr, 0, nullptr), 0u);
}

TEST(EnhMetaFileBits, CopyIsEqualAndIndependent)
{
    const CTkEnhMetaFile emf(SmallPicture());
    std::unique_ptr<CTkEnhMetaFile> copy = CopyEnhMetaFileW(&emf);
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(std::ranges::equal(copy->GetBits(), emf.GetBits()));
    EXPECT_NE(copy->GetBits().data(), emf.GetBits().data());
    EXPECT_EQ(CopyEnhMetaFileW(nullptr), nullptr);
}

TEST(EnhMetaFileBits, SetBitsKeepsNBytesAndRefusesWhatIsNoMetafile)
{
    std::vector<std::uint8_t> bytes = SmallPicture();
    const std::size_t size = bytes.size();
    bytes.resize(size + 13, 0xAB);  // a block rounded up, as allocators do
    const auto emf = SetEnhMetaFileBits(UINT(bytes.size()), bytes.data());
    ASSERT_NE(emf, nullptr);
    EXPECT_EQ(emf->GetSize(), size);
    EXPECT_TRUE(DecodeEmf(emf->GetBits()).has_value());

    const auto refused = [&](std::vector<std::uint8_t> b, UINT cb) {
        return SetEnhMetaFileBits(cb, b.data()) == nullptr;
    };
    std::vector<std::uint8_t> bad = bytes;
    bad[40] = 'X';  // signature
    EXPECT_TRUE(refused(bad, UINT(size)));
    bad = bytes;
    PutU32(bad, 0, EMR_EOF);  // not a header record
    EXPECT_TRUE(refused(bad, UINT(size)));
    bad = bytes;
    PutU32(bad, 4, 84);  // a header record shorter than the oldest form
    EXPECT_TRUE(refused(bad, UINT(size)));
    EXPECT_TRUE(refused(bytes, UINT(size - 4)));  // nBytes beyond the buffer
    EXPECT_TRUE(refused(bytes, 87));
    EXPECT_EQ(SetEnhMetaFileBits(200, nullptr), nullptr);

    // Given up rather than copied: the same check, the same trimmed bytes.
    const auto moved = SetEnhMetaFileBits(std::vector<std::uint8_t>(bytes));
    ASSERT_NE(moved, nullptr);
    EXPECT_TRUE(std::ranges::equal(moved->GetBits(), emf->GetBits()));
    bad = bytes;
    bad[40] = 'X';
    EXPECT_EQ(SetEnhMetaFileBits(std::move(bad)), nullptr);
    EXPECT_EQ(SetEnhMetaFileBits(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 87)),
              nullptr);
}

// ---- the decoder ----

TEST(EmfDecoderStrictness, RefusesMalformedBytes)
{
    const std::vector<std::uint8_t> good = SmallPicture();
    ASSERT_TRUE(DecodeEmf(good).has_value());
    const auto reason = [](std::vector<std::uint8_t> b) {
        std::string error;
        EXPECT_FALSE(DecodeEmf(b, &error).has_value());
        return error;
    };
    const std::size_t rect = 112;  // the header (108 + 4 for "d"), then EMR_RECTANGLE
    ASSERT_EQ(EmfRecordName(good[rect]), "EMR_RECTANGLE");
    const std::size_t poly = rect + 24;

    std::vector<std::uint8_t> b = good;
    b.pop_back();
    EXPECT_NE(reason(b), "");  // truncated
    b = good;
    PutU32(b, rect + 4, 26);  // not a multiple of 4
    EXPECT_NE(reason(b).find("bad size"), std::string::npos);
    b = good;
    PutU32(b, rect + 4, 28);  // a fixed-size record of the wrong size
    EXPECT_NE(reason(b), "");
    b = good;
    PutU32(b, poly + 24, 4);  // point count disagrees with the size
    EXPECT_NE(reason(b).find("point count"), std::string::npos);
    b = good;
    PutU32(b, 48, std::uint32_t(good.size() + 4));
    EXPECT_NE(reason(b).find("nBytes"), std::string::npos);
    b = good;
    PutU32(b, 52, 5);
    EXPECT_NE(reason(b).find("nRecords"), std::string::npos);
    b = good;
    PutU32(b, 60, 200);  // description past the header record
    EXPECT_NE(reason(b).find("description"), std::string::npos);
    b = good;
    b.resize(poly);  // no EMR_EOF
    PutU32(b, 48, std::uint32_t(b.size()));
    EXPECT_NE(reason(b).find("EMR_EOF"), std::string::npos);
}

// The decoder's own name table against the program's constants.
TEST(EmfDecoderNames, NamesAgreeWithTheRecordConstants)
{
    const std::pair<DWORD, const char*> types[] = {
        {EMR_HEADER, "EMR_HEADER"}, {EMR_POLYLINE, "EMR_POLYLINE"},
        {EMR_EOF, "EMR_EOF"}, {EMR_SETMAPMODE, "EMR_SETMAPMODE"},
        {EMR_SETMITERLIMIT, "EMR_SETMITERLIMIT"}, {EMR_SELECTOBJECT, "EMR_SELECTOBJECT"},
        {EMR_CREATEPEN, "EMR_CREATEPEN"}, {EMR_DELETEOBJECT, "EMR_DELETEOBJECT"},
        {EMR_RECTANGLE, "EMR_RECTANGLE"}, {EMR_ARCTO, "EMR_ARCTO"},
        {EMR_SELECTPALETTE, "EMR_SELECTPALETTE"}, {EMR_CREATEPALETTE, "EMR_CREATEPALETTE"},
        {EMR_BEGINPATH, "EMR_BEGINPATH"}, {EMR_ABORTPATH, "EMR_ABORTPATH"},
        {EMR_GDICOMMENT, "EMR_GDICOMMENT"}, {EMR_EXTSELECTCLIPRGN, "EMR_EXTSELECTCLIPRGN"},
        {EMR_EXTCREATEFONTINDIRECTW, "EMR_EXTCREATEFONTINDIRECTW"},
        {EMR_EXTTEXTOUTW, "EMR_EXTTEXTOUTW"}, {EMR_POLYBEZIER16, "EMR_POLYBEZIER16"},
        {EMR_POLYPOLYGON16, "EMR_POLYPOLYGON16"}, {EMR_CREATEMONOBRUSH, "EMR_CREATEMONOBRUSH"},
        {EMR_CREATEDIBPATTERNBRUSHPT, "EMR_CREATEDIBPATTERNBRUSHPT"},
        {EMR_EXTCREATEPEN, "EMR_EXTCREATEPEN"}, {EMR_DELETECOLORSPACE, "EMR_DELETECOLORSPACE"},
    };
    for (const auto& [type, name] : types)
        EXPECT_EQ(EmfRecordName(type), name) << type;
    EXPECT_EQ(EmfRecordName(69), "EMR_69");
    EXPECT_EQ(EmfRecordName(1000), "EMR_1000");
}

// Metafiles written by another program decode, so the decoder reads the format
// and not only what our recorder writes.
TEST(EmfDecoderCorpus, ForeignMetafilesDecode)
{
    const char* corpus = std::getenv("GLYPHAR_CORPUS");
    if (corpus == nullptr || !std::filesystem::is_directory(corpus))
        GTEST_SKIP() << "GLYPHAR_CORPUS is not set";
    int decoded = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        if (entry.path().extension() != ".emf")
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
        std::string error;
        const auto file = DecodeEmf(bytes, &error);
        EXPECT_TRUE(file.has_value()) << entry.path() << ": " << error;
        if (file) {
            EXPECT_EQ(file->header.nRecords, file->records.size());
            ++decoded;
        }
    }
    EXPECT_GT(decoded, 0);
}

}  // namespace
