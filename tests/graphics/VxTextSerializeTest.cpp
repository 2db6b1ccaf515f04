// A text's own fields in the archive after the graphic's: the UTF-16 text,
// the reference point, the options, the kept rectangle and the spacing table.

#include "GraphicTestSupport.h"

#include "graphics/VxGraphicClasses.h"
#include "graphics/VxText.h"
#include "platform/framework/TkArchive.h"
#include "platform/framework/TkMemFile.h"
#include "support/TestFontEngine.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

void Append32(std::vector<std::uint8_t>& bytes, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes.push_back(std::uint8_t(value >> (8 * i)));
}

// The bytes of a text without a rectangle whose spacing part is replaced.
std::vector<std::uint8_t> WithSpacingPart(CVxText& text, std::uint32_t nBytes,
                                          std::size_t nPresent)
{
    std::vector<std::uint8_t> bytes = StoreBare(text);
    bytes.resize(bytes.size() - 4 - text.GetSpacing().size() * 4);
    Append32(bytes, nBytes);
    bytes.insert(bytes.end(), nPresent, 0x11);
    return bytes;
}

class VxTextSerialize : public ::testing::Test {
protected:
    void SetUp() override { VxRegisterGraphicClasses(); }
    CTestFontEngineScope m_engine;
};

}  // namespace

TEST_F(VxTextSerialize, TextFieldsFollowTheGraphicInTheirOrder)
{
    const INT spacing[] = {7, -1};
    CVxText text(u"\u00e9\u20ac", -2, 3, ETO_CLIPPED | ETO_OPAQUE, spacing, RECT{1, 2, 3, 4});
    const std::vector<std::uint8_t> bytes = StoreBare(text);
    const std::vector<std::uint8_t> tail{
        0xFF, 0xFE, 0xFF, 0x02, 0xE9, 0x00, 0xAC, 0x20,  // wide string of 2 units
        0xFE, 0xFF, 0xFF, 0xFF, 0x03, 0x00, 0x00, 0x00,  // reference point
        0x06, 0x00, 0x00, 0x00,                          // options
        0x01, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00,  // the kept rectangle
        0x03, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00,
        0x08, 0x00, 0x00, 0x00,                          // table size in bytes
        0x07, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF};
    ASSERT_GT(bytes.size(), tail.size());
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.end() - tail.size(), bytes.end()), tail);

    CVxText loaded;
    LoadBare(loaded, bytes);
    EXPECT_EQ(loaded.GetText(), u"\u00e9\u20ac");
    EXPECT_EQ(loaded.GetRefPoint(), (POINT{-2, 3}));
    EXPECT_EQ(loaded.GetOptions(), UINT(ETO_CLIPPED | ETO_OPAQUE));
    EXPECT_EQ(loaded.GetSpacing(), (std::vector<INT>{7, -1}));
    EXPECT_EQ(loaded.GetRect(), (RECT{1, 2, 3, 4}));
    EXPECT_TRUE(loaded.HasProperty("Font"));
}

TEST_F(VxTextSerialize, WithoutARectangleNoneIsStoredAndTheTextMeasuresOnLoad)
{
    CVxText text(u"Hello", 100, 50, 0, {}, RECT{});
    FontOf(text).SetHeight(-20);
    const std::vector<std::uint8_t> bytes = StoreBare(text);  // m_rect still empty
    const std::vector<std::uint8_t> tail{0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.end() - 8, bytes.end()), tail)
        << "options, then an empty table";

    CVxText loaded;
    LoadBare(loaded, bytes);
    EXPECT_TRUE(loaded.NeedsMeasure());
    EXPECT_EQ(loaded.GetRect(), (RECT{75, 30, 125, 55}));
    EXPECT_TRUE(loaded.GetSpacing().empty());
}

TEST_F(VxTextSerialize, HostileLengthsEndTheLoadWithoutHugeAllocations)
{
    const INT spacing[] = {1, 2, 3};
    CVxText text(u"abc", 0, 0, 0, spacing, RECT{});
    const auto expectEndOfFile = [](std::vector<std::uint8_t> bytes) {
        CVxText loaded;
        try {
            LoadBare(loaded, std::move(bytes));
            ADD_FAILURE() << "no exception";
        } catch (const CTkArchiveException& e) {
            EXPECT_EQ(e.m_cause, CTkArchiveException::endOfFile);
        }
    };
    expectEndOfFile(WithSpacingPart(text, 0xFFFFFFF0u, 8));
    expectEndOfFile(WithSpacingPart(text, 12, 8));

    // A string length far beyond the archive.
    std::vector<std::uint8_t> bytes = StoreBare(text);
    const std::vector<std::uint8_t> stringStart{0xFF, 0xFE, 0xFF, 0x03, 'a', 0x00};
    const auto it = std::search(bytes.begin(), bytes.end(), stringStart.begin(), stringStart.end());
    ASSERT_NE(it, bytes.end());
    bytes.erase(it + 3, bytes.end());
    bytes.insert(bytes.end(), {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0x7F});
    expectEndOfFile(bytes);
}

