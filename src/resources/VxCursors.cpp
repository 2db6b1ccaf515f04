#include "resources/VxCursors.h"

#include "resources/VxResourceIds.h"

#include <algorithm>
#include <span>
#include <vector>

namespace {

// The pieces the cursors are put together from; rows end at their last
// drawn pixel.
constexpr const char* kArrow[] = {
    "X",
    "XX",
    "XoX",
    "XooX",
    "XoooX",
    "XooooX",
    "XoooooX",
    "XooooooX",
    "XoooooooX",
    "XooooooooX",
    "XoooooooooX",
    "XooooooXXXXX",
    "XoooXooX",
    "XooXXooX",
    "XoX..XooX",
    "XX...XooX",
    "X.....XooX",
    "......XooX",
    ".......XX",
};
constexpr const char* kMoveMark[] = {
    ".....ooo",
    "....ooXoo",
    "...ooXXXoo",
    "..ooXXXXXoo",
    ".ooXooXooXoo",
    "ooXXooXooXXoo",
    "oXXXXXXXXXXXo",
    "ooXXooXooXXoo",
    ".ooXooXooXoo",
    "..ooXXXXXoo",
    "...ooXXXoo",
    "....ooXoo",
    ".....ooo",
};
constexpr const char* kCopyMark[] = {
    "XXXXXXXXX",
    "XoooooooX",
    "XoooXoooX",
    "XoooXoooX",
    "XoXXXXXoX",
    "XoooXoooX",
    "XoooXoooX",
    "XoooooooX",
    "XXXXXXXXX",
};
constexpr const char* kPencil[] = {
    "",
    "",
    "",
    ".......................XX",
    "......................XooX",
    ".....................XooooX",
    "....................XXoooooX",
    "...................XoXXoooooX",
    "..................XoooXXooooX",
    ".................XoooooXXooX",
    "................XoooooooXXX",
    "...............XoooooooooX",
    "..............XoooooooooX",
    ".............XoooooooooX",
    "............XoooooooooX",
    "...........XoooooooooX",
    "..........XoooooooooX",
    ".........XoooooooooX",
    "........XoooooooooX",
    ".......XoooooooooX",
    "......XoooooooooX",
    ".....XXooooooooX",
    "....XXXXooooooX",
    "....XooXXooooX",
    "....XoooXXooX",
    "...XoooooXXX",
    "...XoooooXX",
    "..XooooXXX",
    "..XXoXX",
    ".XXXX",
    ".XX",
    "",
};
constexpr const char* kCross[] = {
    "..............oXo",
    "..............oXo",
    "..............oXo",
    "..............oXo",
    "..............oXo",
    "..............oXo",
    "..............oXo",
    "..............oXo",
    "..............oXo",
    "..............oXo",
    "..............oXo",
    "..............oXo",
    "..............oXo",
    "..............oXo",
    "oooooooooooooooXoooooooooooooooo",
    "XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXo",
    "oooooooooooooooXoooooooooooooooo",
    "..............oXo",
    "..............oXo",
    "..............oXo",
    "..............oXo",
    "..............oXo",
    "..............oXo",
    "..............oXo",
    "..............oXo",
    "..............oXo",
    "..............oXo",
    "..............oXo",
    "..............oXo",
    "..............oXo",
    "..............oXo",
    "..............ooo",
};

struct Piece {
    std::span<const char* const> rows;
    int x;
    int y;
};

struct CursorRecipe {
    unsigned nID;
    int nHotX;
    int nHotY;
    std::vector<Piece> pieces;
};

// Move and copy marks sit below an arrow whose tip is the hotspot; the pencil
// writes with its tip; the cross aims with its centre.
const std::array<CursorRecipe, 6>& Recipes()
{
    static const std::array<CursorRecipe, 6> recipes = {{
        {IDC_MOVE, 0, 0, {{kArrow, 0, 0}, {kMoveMark, 12, 12}}},
        {IDC_POINT, 0, 0, {{kArrow, 0, 0}}},
        {IDC_MOVE_COPY, 0, 0, {{kArrow, 0, 0}, {kMoveMark, 12, 12}, {kCopyMark, 22, 22}}},
        {IDC_POINT_COPY, 0, 0, {{kArrow, 0, 0}, {kCopyMark, 12, 16}}},
        {IDC_PENCIL, 1, 30, {{kPencil, 0, 0}}},
        {IDC_DRAW_CROSS, 15, 15, {{kCross, 0, 0}}},
    }};
    return recipes;
}

}  // namespace

std::optional<VxCursorImage> VxGetCursorImage(unsigned nID)
{
    const auto& recipes = Recipes();
    const auto it = std::find_if(recipes.begin(), recipes.end(),
                                 [nID](const CursorRecipe& recipe) { return recipe.nID == nID; });
    if (it == recipes.end()) return std::nullopt;
    VxCursorImage image{it->nHotX, it->nHotY, {}};
    image.rows.fill(std::string(kVxCursorSize, '.'));
    for (const Piece& piece : it->pieces) {
        for (std::size_t y = 0; y < piece.rows.size(); ++y) {
            const std::string_view row = piece.rows[y];
            for (std::size_t x = 0; x < row.size(); ++x) {
                if (row[x] != '.') image.rows[piece.y + y][piece.x + x] = row[x];
            }
        }
    }
    return image;
}
