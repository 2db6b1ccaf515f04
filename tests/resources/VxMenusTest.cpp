#include "resources/VxMenus.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>
#include <vector>

namespace {

// Alt+letter must reach one item: two items of a popup sharing a mnemonic only
// move the highlight between them.
TEST(VxMenusTest, MnemonicsAreUniqueWithinEachPopup)
{
    for (const auto rows : {VxGetMainMenuRows(), VxGetContextMenuRows()}) {
        std::vector<std::set<char>> open(1);
        std::vector<std::string> names{"top"};
        for (const VxMenuRow& row : rows) {
            if (row.kind == VxMenuRowKind::End) {
                open.pop_back();
                names.pop_back();
                continue;
            }
            if (row.kind == VxMenuRowKind::Separator) continue;
            const std::string text = row.pszText;
            const auto amp = text.find('&');
            if (amp != std::string::npos && amp + 1 < text.size()) {
                const char key = char(std::tolower(static_cast<unsigned char>(text[amp + 1])));
                EXPECT_TRUE(open.back().insert(key).second) << text << " in " << names.back();
            }
            if (row.kind == VxMenuRowKind::Popup) {
                open.emplace_back();
                names.push_back(text);
            }
        }
    }
}

}  // namespace
