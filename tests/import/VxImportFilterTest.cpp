// The three import filters and the application's list of them: dialog strings,
// which files each accepts, and the order they are tried in.

#include "ImportTestFiles.h"

#include "import/VxImportFilterList.h"
#include "platform/framework/TkArchive.h"
#include "platform/framework/TkMemFile.h"

#include "support/WmfBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

TEST(VxImportFilter, EachFilterOfTheListAcceptsOnlyItsKindInThatOrder)
{
    const CVxImportFilterList list;
    const auto& filters = list.GetFilters();
    ASSERT_EQ(filters.size(), 3u);
    const std::vector<std::uint8_t> plain = SmallWmf();
    const struct {
        const char* filterString;
        std::vector<std::vector<std::uint8_t>> accepted, refused;
    } cases[] = {
        {"Enhanced Metafiles (*.emf)", {SmallEmf()}, {plain, BuildClp(50001, {{14, SmallEmf()}})}},
        {"Windows Metafiles (*.wmf)",
         {plain, WmfPlaceable(plain, 0, 0, 10, 10, 96)},
         {SmallEmf(), BuildClp(50000, {{3, MetaFilePictBlock(true, 8, 10, 10, plain)}})}},
        {"Clipboard Files (*.clp)",
         {BuildClp(50001, {{14, SmallEmf()}}),
          BuildClp(50000, {{2, {}}, {3, MetaFilePictBlock(true, 8, 10, 10, plain)}})},
         {BuildClp(50002, {{2, {9, 9}}}), plain}},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(filters[i]->GetFilterString(), cases[i].filterString);
        for (const bool bAccepted : {true, false}) {
            for (const auto& bytes : bAccepted ? cases[i].accepted : cases[i].refused) {
                CTkMemFile file(bytes);
                CTkArchive ar(&file, CTkArchive::load);
                EXPECT_EQ(filters[i]->CanImport(ar), bAccepted) << cases[i].filterString;
                EXPECT_EQ(file.GetPosition(), 0u);
            }
        }
    }
}

// Enhanced bits behind whatever name are taken by the enhanced filter, and even
// the Windows filter's Import reads them as they are.
TEST(VxImportFilter, ContentDecidesHowAFileIsRead)
{
    const std::vector<std::uint8_t> emf = SmallEmf();
    CTkMemFile file(emf);
    CTkArchive ar(&file, CTkArchive::load);
    const CVxImportFilterList list;
    const auto read = list.GetFilters()[1]->Import(ar);
    ASSERT_TRUE(read);
    const auto bits = read->GetHandle()->GetBits();
    EXPECT_TRUE(std::equal(bits.begin(), bits.end(), emf.begin(), emf.end()));
}
