#include "GraphicTestSupport.h"
#include "TestGraphics.h"

#include "graphics/VxCloseFigure.h"
#include "graphics/VxComment.h"
#include "graphics/VxGraphicClasses.h"
#include "platform/framework/TkArchive.h"
#include "platform/gdi/EmfRecordTypes.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

class VxCommentTest : public ::testing::Test {
protected:
    void SetUp() override { VxRegisterGraphicClasses(); }
};

// 37 bytes, not a multiple of four, with every kind of byte value.
std::vector<BYTE> SampleBytes()
{
    std::vector<BYTE> bytes(37);
    std::iota(bytes.begin(), bytes.end(), BYTE(230));
    return bytes;
}

std::vector<BYTE> DataOf(const CVxComment& comment)
{
    return {comment.GetData().begin(), comment.GetData().end()};
}

void ExpectEndOfFile(CVxComment& comment, std::vector<std::uint8_t> bytes)
{
    try {
        LoadBare(comment, std::move(bytes));
        ADD_FAILURE() << "no exception";
    } catch (const CTkArchiveException& e) {
        EXPECT_EQ(e.m_cause, CTkArchiveException::endOfFile);
    }
}

}  // namespace

TEST_F(VxCommentTest, TheBytesSurviveAnArchiveAndAClone)
{
    const std::vector<BYTE> bytes = SampleBytes();
    CVxComment comment(bytes.data(), std::uint32_t(bytes.size()));
    const std::vector<std::uint8_t> stored = StoreBare(comment);
    ASSERT_GE(stored.size(), 41u);
    // The count, then the bytes, at the end of the record.
    EXPECT_EQ(std::vector<std::uint8_t>(stored.end() - 41, stored.end() - 37),
              (std::vector<std::uint8_t>{37, 0, 0, 0}));
    EXPECT_EQ(std::vector<std::uint8_t>(stored.end() - 37, stored.end()), bytes);

    std::unique_ptr<CVxGraphic> pLoaded = RoundTrip(comment);
    ASSERT_NE(dynamic_cast<CVxComment*>(pLoaded.get()), nullptr);
    EXPECT_EQ(DataOf(static_cast<CVxComment&>(*pLoaded)), bytes);

    std::unique_ptr<CVxGraphic> pClone = comment.Clone();
    const auto& clone = dynamic_cast<const CVxComment&>(*pClone);
    EXPECT_EQ(DataOf(clone), bytes);
    EXPECT_NE(clone.GetData().data(), comment.GetData().data());
}

TEST_F(VxCommentTest, ASizeBeyondTheArchiveIsAnEndOfFileErrorBeforeAnyAllocation)
{
    const BYTE two[] = {1, 2};
    CVxComment comment(two, 2);
    std::vector<std::uint8_t> stored = StoreBare(comment);

    std::vector<std::uint8_t> huge = stored;
    const std::size_t size = huge.size() - 6;
    huge[size] = 0xF0, huge[size + 1] = 0xFF, huge[size + 2] = 0xFF, huge[size + 3] = 0xFF;
    CVxComment loaded(two, 2);
    ExpectEndOfFile(loaded, huge);

    std::vector<std::uint8_t> truncated = stored;
    truncated.pop_back();
    ExpectEndOfFile(loaded, truncated);
    EXPECT_EQ(DataOf(loaded), (std::vector<BYTE>{1, 2})) << "nothing half read";
}

