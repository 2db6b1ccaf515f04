#include "platform/gdi/EmfRecordTypes.h"
#include "platform/gdi/TkDC.h"
#include "platform/gdi/TkEnhMetaFile.h"
#include "platform/gdi/TkEnhMetaFileRecorder.h"
#include "support/EmfBuilder.h"
#include "support/EmfDecoder.h"

#include <gtest/gtest.h>

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
    // Header checks are the reader's: one refusal shows they are made here.
    std::vector<std::uint8_t> bad = bytes;
    SetU32(bad, 40, 0x464D4521);  // signature
    EXPECT_TRUE(refused(bad, UINT(size)));
    EXPECT_TRUE(refused(bytes, UINT(size - 4)));  // nBytes beyond the buffer
    EXPECT_TRUE(refused(bytes, 87));
    EXPECT_EQ(SetEnhMetaFileBits(200, nullptr), nullptr);

    // Given up rather than copied: the same check, the same trimmed bytes.
    const auto moved = SetEnhMetaFileBits(std::vector<std::uint8_t>(bytes));
    ASSERT_NE(moved, nullptr);
    EXPECT_TRUE(std::ranges::equal(moved->GetBits(), emf->GetBits()));
    EXPECT_EQ(SetEnhMetaFileBits(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 87)),
              nullptr);
}

}  // namespace
