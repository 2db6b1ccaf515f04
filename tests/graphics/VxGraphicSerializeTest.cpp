#include "GraphicTestSupport.h"
#include "TestGraphics.h"

#include "attributes/VxPenGraphicProperty.h"
#include "platform/framework/TkArchive.h"
#include "platform/framework/TkMemFile.h"

#include <gtest/gtest.h>

namespace {

class VxGraphicSerialize : public ::testing::Test {
protected:
    void SetUp() override { VxRegisterPropertyClasses(); }
};

}  // namespace

TEST_F(VxGraphicSerialize, RoundTripStartsWithTheRawRectangle)
{
    CFakeDocument doc;
    CTestLine line(RECT{-1, 2, 0x12345678, -256});
    PenOf(line).SetWidth(7);
    const std::vector<std::uint8_t> bytes = StoreBare(line);
    ASSERT_GT(bytes.size(), 16u);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 16),
              (std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0x00, 0x00, 0x00, 0x78,
                                         0x56, 0x34, 0x12, 0x00, 0xFF, 0xFF, 0xFF}));

    CTestLine loaded;
    LoadBare(loaded, bytes, &doc);
    EXPECT_EQ(loaded.GetRect(), (RECT{-1, 2, 0x12345678, -256}));
    EXPECT_EQ(PenOf(loaded).GetWidth(), 7);
    EXPECT_TRUE(loaded.HasProperty("Position"));
    EXPECT_EQ(loaded.GetPropertyMap().GetOwner(), static_cast<IVxPropertyOwner*>(&loaded));
    EXPECT_EQ(loaded.GetDocument(), &doc);
    EXPECT_TRUE(doc.m_modifiedCalls.empty()) << "loading is no change";

    CTkDocumentBase notAPicture;
    CTestLine other;
    LoadBare(other, bytes, &notAPicture);
    EXPECT_EQ(other.GetDocument(), nullptr);
}

TEST_F(VxGraphicSerialize, AShortRectangleIsAnEndOfFileError)
{
    CTestLine line(RECT{1, 2, 3, 4});
    std::vector<std::uint8_t> bytes = StoreBare(line);
    bytes.resize(10);
    CTestLine loaded(RECT{9, 9, 9, 9});
    try {
        LoadBare(loaded, bytes, nullptr);
        FAIL() << "no exception";
    } catch (const CTkArchiveException& e) {
        EXPECT_EQ(e.m_cause, CTkArchiveException::endOfFile);
    }
    EXPECT_EQ(loaded.GetRect(), (RECT{9, 9, 9, 9})) << "nothing half read";
}
