#include "resources/VxCursors.h"

#include "resources/VxResourceIds.h"

#include <gtest/gtest.h>

TEST(VxCursors, EachCursorIs32SquareWithItsHotspotOnTheDrawing)
{
    struct Case {
        unsigned nID;
        int nHotX;
        int nHotY;
    };
    for (const Case& c : {Case{IDC_MOVE, 0, 0}, Case{IDC_POINT, 0, 0}, Case{IDC_MOVE_COPY, 0, 0},
                          Case{IDC_POINT_COPY, 0, 0}, Case{IDC_PENCIL, 1, 30}, Case{IDC_DRAW_CROSS, 15, 15}}) {
        const std::optional<VxCursorImage> image = VxGetCursorImage(c.nID);
        ASSERT_TRUE(image) << c.nID;
        EXPECT_EQ(image->nHotX, c.nHotX);
        EXPECT_EQ(image->nHotY, c.nHotY);
        for (const std::string& row : image->rows) {
            EXPECT_EQ(row.size(), 32u) << c.nID;
            EXPECT_EQ(row.find_first_not_of("Xo."), std::string::npos) << c.nID;
        }
        EXPECT_EQ(image->rows[std::size_t(c.nHotY)][std::size_t(c.nHotX)], 'X') << c.nID;
    }
    // The copy mark is what tells a copy from a move.
    EXPECT_NE(VxGetCursorImage(IDC_MOVE)->rows, VxGetCursorImage(IDC_MOVE_COPY)->rows);
    EXPECT_FALSE(VxGetCursorImage(IDC_FIRST_CURSOR - 1));
    EXPECT_FALSE(VxGetCursorImage(IDC_LAST_CURSOR + 1));
}
