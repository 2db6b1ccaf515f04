#include "output/TkMetaFileDC.h"

#include "platform/gdi/EmfRecordTypes.h"
#include "platform/gdi/WmfRecordTypes.h"
#include "support/EmfDecoder.h"
#include "support/TestFontEngine.h"
#include "support/WmfDecoder.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<std::uint8_t> Bytes(const CTkEnhMetaFile& mf)
{
    return {mf.GetBits().begin(), mf.GetBits().end()};
}

TEST(TkMetaFileDC, EnhancedKeepsFrameDescriptionAndReferenceDevice)
{
    const RECT frame{0, 0, 2000, 1000};
    const std::u16string description(u"Glyphar\0picture.emf\0", 20);
    auto pDC = CTkMetaFileDC::CreateEnhanced(nullptr, nullptr, &frame, description);
    ASSERT_NE(pDC, nullptr);
    EXPECT_EQ(pDC->GetObjectType(), OBJ_ENHMETADC);
    EXPECT_EQ(pDC->GetDeviceCaps(HORZRES), 1920);
    pDC->Rectangle(0, 0, 10, 10);

    const auto pMetaFile = pDC->CloseEnhanced();
    ASSERT_NE(pMetaFile, nullptr);
    std::string error;
    const auto file = DecodeEmf(Bytes(*pMetaFile), &error);
    ASSERT_TRUE(file) << error;
    EXPECT_EQ(file->header.frame, frame);
    EXPECT_EQ(file->header.description, description);
    EXPECT_EQ(file->header.device.cx, 1920);
    EXPECT_EQ(file->header.millimeters.cx, 508);
    EXPECT_EQ(file->Find(EMR_RECTANGLE).size(), 1u);
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

TEST(TkMetaFileDC, WindowsMetafileRecordsDrawing)
{
    auto pDC = CTkMetaFileDC::Create();
    ASSERT_NE(pDC, nullptr);
    pDC->Rectangle(0, 0, 10, 10);
    const auto pMetaFile = pDC->Close();
    ASSERT_NE(pMetaFile, nullptr);
    std::vector<std::uint8_t> bits(GetMetaFileBitsEx(pMetaFile.get(), 0, nullptr));
    ASSERT_EQ(GetMetaFileBitsEx(pMetaFile.get(), UINT(bits.size()), bits.data()), bits.size());
    const auto file = DecodeWmf(bits);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->Find(META_RECTANGLE).size(), 1u);
}

}  // namespace
