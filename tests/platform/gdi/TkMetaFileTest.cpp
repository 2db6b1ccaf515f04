#include "platform/gdi/TkMetaFile.h"
#include "platform/gdi/TkMetaFileRecorder.h"
#include "support/TestCorpus.h"
#include "support/WmfDecoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace {

std::unique_ptr<CTkMetaFile> RecordOneLine()
{
    std::unique_ptr<CTkDC> dc = CreateMetaFileW(nullptr);
    dc->LineTo(3, 4);
    return CloseMetaFile(dc.get());
}

TEST(TkMetaFile, BitsAreQueriedThenFetched)
{
    const std::unique_ptr<CTkMetaFile> mf = RecordOneLine();
    ASSERT_NE(mf, nullptr);
    const UINT size = GetMetaFileBitsEx(mf.get(), 0, nullptr);
    EXPECT_EQ(size, 18u + 10 + 6);
    std::vector<BYTE> buffer(size + 4, 0xEE);
    EXPECT_EQ(GetMetaFileBitsEx(mf.get(), size - 1, buffer.data()), 0u);
    EXPECT_EQ(buffer[0], 0xEE);  // nothing copied into a short buffer
    EXPECT_EQ(GetMetaFileBitsEx(mf.get(), UINT(buffer.size()), buffer.data()), size);
    EXPECT_TRUE(std::equal(mf->GetBits().begin(), mf->GetBits().end(), buffer.begin()));
    EXPECT_EQ(buffer[size], 0xEE);
    EXPECT_EQ(GetMetaFileBitsEx(nullptr, 0, nullptr), 0u);
}

TEST(TkMetaFile, BitsMakeAMetafileOnlyWithAValidHeader)
{
    const std::unique_ptr<CTkMetaFile> mf = RecordOneLine();
    std::vector<BYTE> bits(mf->GetBits().begin(), mf->GetBits().end());
    const std::unique_ptr<CTkMetaFile> copy = SetMetaFileBitsEx(UINT(bits.size()), bits.data());
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(std::ranges::equal(copy->GetBits(), bits));

    auto withWord = [&](std::size_t offset, WORD value) {
        std::vector<BYTE> b = bits;
        b[offset] = BYTE(value);
        b[offset + 1] = BYTE(value >> 8);
        return SetMetaFileBitsEx(UINT(b.size()), b.data());
    };
    EXPECT_NE(withWord(0, 2), nullptr);  // a disk metafile's header
    EXPECT_NE(withWord(4, 0x0100), nullptr);
    EXPECT_EQ(withWord(0, 3), nullptr);
    EXPECT_EQ(withWord(2, 8), nullptr);
    EXPECT_EQ(withWord(4, 0x0200), nullptr);
    EXPECT_EQ(SetMetaFileBitsEx(17, bits.data()), nullptr);
    EXPECT_EQ(SetMetaFileBitsEx(100, nullptr), nullptr);
}

// Real metafiles from other programs decode too, which checks the decoder itself.
TEST(WmfDecoder, DecodesCorpusMetafilesWhoseSizesAgree)
{
    const std::optional<std::filesystem::path> corpus = TestCorpusFolder();
    if (!corpus)
        GTEST_SKIP() << "no corpus";
    const std::filesystem::path file = *corpus / "libwmf-fulltest.wmf";
    const std::vector<BYTE> bytes = ReadBytes(file);
    if (bytes.empty())
        GTEST_SKIP() << file << " not there";
    ASSERT_GT(bytes.size(), 22u);
    const std::span<const BYTE> plain = std::span<const BYTE>(bytes).subspan(22);  // placeable
    std::string error;
    const std::optional<WmfFile> wmf = DecodeWmf(plain, &error);
    ASSERT_TRUE(wmf.has_value()) << error;
    EXPECT_EQ(wmf->header.maxRecordWords, wmf->LargestRecordWords());
    EXPECT_FALSE(wmf->Find(0x0A32).empty());  // it holds text
}

}  // namespace
