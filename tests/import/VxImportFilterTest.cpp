// The three import filters and the application's list of them: names, dialog
// strings, which files each accepts, and the order they are tried in.

#include "ImportTestFiles.h"

#include "import/VxImportFilterList.h"
#include "platform/framework/TkArchive.h"
#include "platform/framework/TkMemFile.h"

#include "support/WmfBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

bool Accepts(const CVxImportFilter& filter, const std::vector<std::uint8_t>& bytes)
{
    CTkMemFile file(bytes);
    CTkArchive ar(&file, CTkArchive::load);
    const bool bAccepted = filter.CanImport(ar);
    EXPECT_EQ(file.GetPosition(), 0u);
    return bAccepted;
}

}  // namespace

TEST(VxImportFilter, ListHoldsEnhancedWindowsClipboardInThatOrder)
{
    const CVxImportFilterList list;
    const auto& filters = list.GetFilters();
    ASSERT_EQ(filters.size(), 3u);
    EXPECT_EQ(filters[0]->GetName(), "Orvane Software EMF Import Filter V1.00");
    EXPECT_EQ(filters[1]->GetName(), "Orvane Software WMF Import Filter V1.00");
    EXPECT_EQ(filters[2]->GetName(), "Orvane Software CLP Import Filter V1.00");
    EXPECT_EQ(filters[0]->GetFilterString(), "Enhanced Metafiles (*.emf)");
    EXPECT_EQ(filters[1]->GetFilterString(), "Windows Metafiles (*.wmf)");
    EXPECT_EQ(filters[2]->GetFilterString(), "Clipboard Files (*.clp)");
    EXPECT_EQ(filters[0]->GetPattern(), "*.emf");
    EXPECT_EQ(filters[1]->GetPattern(), "*.wmf");
    EXPECT_EQ(filters[2]->GetPattern(), "*.clp");
}

TEST(VxImportFilter, EachFilterAcceptsOnlyItsKind)
{
    const CVxEmfImportFilter emf;
    const CVxWmfImportFilter wmf;
    const CVxClpImportFilter clp;
    const std::vector<std::uint8_t> plain = SmallWmf();
    const std::vector<std::uint8_t> placeable = WmfPlaceable(plain, 0, 0, 10, 10, 96);
    const std::vector<std::uint8_t> clpEmf = BuildClp(50001, {{14, SmallEmf()}});
    const std::vector<std::uint8_t> clpPict =
        BuildClp(50000, {{2, {}}, {3, MetaFilePictBlock(true, 8, 10, 10, plain)}});
    const std::vector<std::uint8_t> clpBitmap = BuildClp(50002, {{2, {9, 9}}});

    EXPECT_TRUE(Accepts(emf, SmallEmf()));
    EXPECT_FALSE(Accepts(emf, plain));
    EXPECT_FALSE(Accepts(emf, clpEmf));

    EXPECT_TRUE(Accepts(wmf, plain));
    EXPECT_TRUE(Accepts(wmf, placeable));
    EXPECT_FALSE(Accepts(wmf, SmallEmf()));
    EXPECT_FALSE(Accepts(wmf, clpPict));

    EXPECT_TRUE(Accepts(clp, clpEmf));
    EXPECT_TRUE(Accepts(clp, clpPict));
    EXPECT_FALSE(Accepts(clp, clpBitmap));
    EXPECT_FALSE(Accepts(clp, plain));

    const CVxImportFilter base("Base", 5041, 5045);
    EXPECT_FALSE(Accepts(base, SmallEmf()));
}

TEST(VxImportFilter, ContentDecidesHowAFileIsRead)
{
    // Enhanced bits behind whatever name are taken by the enhanced filter, and
    // even the Windows filter's Import reads them as they are.
    const std::vector<std::uint8_t> emf = SmallEmf();
    CTkMemFile file(emf);
    CTkArchive ar(&file, CTkArchive::load);
    const CVxImportFilterList list;
    const CVxImportFilter* pFilter = list.FindFilter(ar);
    ASSERT_NE(pFilter, nullptr);
    EXPECT_EQ(pFilter->GetPattern(), "*.emf");

    const auto read = list.GetFilters()[1]->Import(ar);
    ASSERT_TRUE(read);
    const auto bits = read->GetHandle()->GetBits();
    EXPECT_TRUE(std::equal(bits.begin(), bits.end(), emf.begin(), emf.end()));
}

TEST(VxImportFilter, NoFilterForAnUnknownFile)
{
    CTkMemFile file(std::vector<std::uint8_t>(300, 0x41));
    CTkArchive ar(&file, CTkArchive::load);
    EXPECT_EQ(CVxImportFilterList().FindFilter(ar), nullptr);
}
