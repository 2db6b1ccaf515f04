#include "platform/gdi/TkMetaFile.h"
#include "platform/gdi/TkMetaFileRecorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

std::unique_ptr<CTkMetaFile> RecordOneLine()
{
    std::unique_ptr<CTkDC> dc = CreateMetaFileW(nullptr);
    dc->LineTo(3, 4);
    return CloseMetaFile(dc.get());
}

TEST(TkMetaFile, BitsMakeAMetafileOnlyWithAValidHeader)
{
    const std::unique_ptr<CTkMetaFile> mf = RecordOneLine();
    std::vector<BYTE> bits(mf->GetBits().begin(), mf->GetBits().end());
    const std::unique_ptr<CTkMetaFile> copy = SetMetaFileBitsEx(UINT(bits.size()), bits.data());
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(std::ranges::equal(copy->GetBits(), bits));
    bits[0] = 3;  // not a metafile type
    EXPECT_EQ(SetMetaFileBitsEx(UINT(bits.size()), bits.data()), nullptr);

    EXPECT_EQ(SetMetaFileBitsEx(17, bits.data()), nullptr);
    EXPECT_EQ(SetMetaFileBitsEx(100, nullptr), nullptr);
}

}  // namespace
