#include "resources/VxMenus.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <set>
#include <vector>

// Alt+letter must reach one item: a mnemonic shared within a popup only
// moves the highlight.
TEST(VxMenusTest, MnemonicsAreUniqueWithinEachPopup)
{
    for (const auto rows : {VxGetMainMenuRows(), VxGetContextMenuRows()}) {
        std::vector<std::set<int>> open(1);
        for (const VxMenuRow& row : rows) {
            if (row.kind == VxMenuRowKind::End) open.pop_back();
            const char* pAmp = row.kind == VxMenuRowKind::End ? nullptr : std::strchr(row.pszText, '&');
            if (pAmp && pAmp[1]) {
                EXPECT_TRUE(open.back().insert(std::tolower(pAmp[1])).second) << row.pszText;
            }
            if (row.kind == VxMenuRowKind::Popup) open.emplace_back();
        }
    }
}
