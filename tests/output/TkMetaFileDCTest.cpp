#include "output/TkMetaFileDC.h"

#include "platform/gdi/EmfRecordTypes.h"
#include "support/EmfDecoder.h"
#include "support/TestFontEngine.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<std::uint8_t> Bytes(const CTkEnhMetaFile& mf)
{
    return {mf.GetBits().begin(), mf.GetBits().end()};
}

TEST(TkMetaFileDC, ClosingTwiceOrAsTheOtherKindGivesNothing)
{
    auto pEnhanced = CTkMetaFileDC::CreateEnhanced(nullptr, nullptr, nullptr, u"");
    ASSERT_NE(pEnhanced, nullptr);
    EXPECT_EQ(pEnhanced->Close(), nullptr);
    EXPECT_NE(pEnhanced->CloseEnhanced(), nullptr);
    EXPECT_EQ(pEnhanced->CloseEnhanced(), nullptr);

    auto pWindows = CTkMetaFileDC::Create();
    ASSERT_NE(pWindows, nullptr);
    EXPECT_EQ(pWindows->GetObjectType(), OBJ_METADC);
    EXPECT_EQ(pWindows->CloseEnhanced(), nullptr);
    EXPECT_NE(pWindows->Close(), nullptr);
}

TEST(TkMetaFileDC, DiskMetafilesAreNotMade)
{
    EXPECT_EQ(CTkMetaFileDC::CreateEnhanced(nullptr, u"x.emf", nullptr, u""), nullptr);
    EXPECT_EQ(CTkMetaFileDC::Create(u"x.wmf"), nullptr);
}

// With TA_UPDATECP the position moves once by the sum of the advances; a second
// move after the call would place the next text twice as far.
TEST(TkMetaFileDC, UpdateCpTextAdvancesThePositionOnce)
{
    CTestFontEngineScope engine;
    auto pDC = CTkMetaFileDC::CreateEnhanced(nullptr, nullptr, nullptr, u"");
    ASSERT_NE(pDC, nullptr);
    pDC->SetTextAlign(TA_UPDATECP);
    pDC->MoveTo(100, 50);
    const INT dx[3] = {7, 8, 9};
    ASSERT_TRUE(pDC->ExtTextOutW(0, 0, 0, nullptr, u"abc", 3, dx));
    EXPECT_EQ(pDC->GetCurrentPosition(), (POINT{124, 50}));

    const auto file = DecodeEmf(Bytes(*pDC->CloseEnhanced()));
    ASSERT_TRUE(file);
    EXPECT_EQ(file->Find(EMR_MOVETOEX).size(), 1u);
}

}  // namespace
