#include "resources/VxToolBarLayouts.h"

#include "resources/VxResourceIds.h"

#include <array>

namespace {

constexpr unsigned kSeparator = 0;

constexpr auto kStandard = std::to_array<unsigned>({
    ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_PRINT_DIRECT, kSeparator,
    ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, kSeparator,
    ID_EDIT_UNDO, ID_EDIT_REDO, kSeparator,
    ID_HELP_FINDER, ID_CONTEXT_HELP,
});
constexpr auto kColor = std::to_array<unsigned>({
    ID_COLOR_TARGET_LINE, ID_COLOR_TARGET_FILL, ID_COLOR_TARGET_TEXT, ID_COLOR_TARGET_BACKGROUND,
    kSeparator,
    ID_COLOR_FIRST, ID_COLOR_FIRST + 1, ID_COLOR_FIRST + 2, ID_COLOR_FIRST + 3, ID_COLOR_FIRST + 4,
    ID_COLOR_FIRST + 5, ID_COLOR_FIRST + 6, ID_COLOR_FIRST + 7, ID_COLOR_LAST, ID_COLOR_CUSTOM,
});
// The forward diagonal comes before the backward one.
constexpr auto kFill = std::to_array<unsigned>({
    ID_FILL_FIRST, ID_FILL_FIRST + 1, ID_FILL_FIRST + 2, ID_FILL_FIRST + 3, ID_FILL_FIRST + 5,
    ID_FILL_FIRST + 4, ID_FILL_FIRST + 6, ID_FILL_FIRST + 7, ID_FILL_FIRST + 8, ID_FILL_LAST,
});
constexpr auto kDraw = std::to_array<unsigned>({
    ID_TOOL_SELECTION, ID_TOOL_LINE, ID_TOOL_POLYLINE, ID_TOOL_RECTANGLE, ID_TOOL_ELLIPSE,
    ID_TOOL_POLYGON, ID_TOOL_TEXT, ID_TOOL_ARC,
});
constexpr auto kText = std::to_array<unsigned>({
    IDC_FONT_FACE_NAME, kSeparator, IDC_POINT_SIZE, kSeparator,
    ID_TEXT_BOLD, ID_TEXT_ITALIC, ID_TEXT_UNDERLINE, kSeparator,
    ID_TEXT_ALIGN_LEFT, ID_TEXT_ALIGN_CENTER, ID_TEXT_ALIGN_RIGHT,
});
constexpr auto kLine = std::to_array<unsigned>({
    ID_LINE_STYLE_FIRST, ID_LINE_STYLE_FIRST + 1, ID_LINE_STYLE_FIRST + 2,
    ID_LINE_STYLE_FIRST + 3, ID_LINE_STYLE_FIRST + 4, ID_LINE_STYLE_LAST, kSeparator,
    IDC_LINE_WIDTH,
});
// The custom zoom command's place holds the zoom box.
constexpr auto kZoom = std::to_array<unsigned>({
    ID_VIEW_ZOOM_IN, ID_VIEW_ZOOM_OUT, kSeparator, ID_VIEW_FULL_PAGE, kSeparator, IDC_CUSTOM_ZOOM,
});
constexpr auto kFormat = std::to_array<unsigned>({
    ID_ARRANGE_BRING_TO_FRONT, ID_ARRANGE_SEND_TO_BACK, kSeparator,
    ID_ARRANGE_FLIP_HORIZONTAL, ID_ARRANGE_FLIP_VERTICAL, kSeparator,
    ID_EDIT_TRIM_PICTURE, kSeparator,
    ID_FORMAT_TRANSPARENT, ID_FORMAT_OPAQUE, kSeparator,
    ID_FORMAT_COUNTERCLOCKWISE, ID_FORMAT_CLOCKWISE,
});
constexpr auto kPoly = std::to_array<unsigned>({
    ID_EDIT_POINTS, kSeparator,
    ID_POINT_NEXT, ID_POINT_PREVIOUS, ID_POINT_INSERT, ID_POINT_DELETE, kSeparator,
    ID_SUBPOLYGON_NEXT, ID_SUBPOLYGON_PREVIOUS, ID_SUBPOLYGON_INSERT, ID_SUBPOLYGON_DELETE,
});
constexpr auto kGrid = std::to_array<unsigned>({ID_VIEW_DISPLAY_GRID, ID_VIEW_SNAP_TO_GRID});

using D = VxDockSide;

const auto kLayouts = std::to_array<VxToolBarLayout>({
    {ID_VIEW_TOOLBAR, IDS_TOOLBAR_STANDARD, IDR_STANDARD_SMALL, IDR_STANDARD_LARGE, false, false, D::Top, kStandard},
    {IDW_TOOLBAR_TEXT, IDS_TOOLBAR_TEXT, IDR_TEXT_SMALL, IDR_TEXT_LARGE, true, false, D::Top, kText},
    {IDW_TOOLBAR_DRAW, IDS_TOOLBAR_DRAW, IDR_DRAW_SMALL, IDR_DRAW_LARGE, false, false, D::Left, kDraw},
    {IDW_TOOLBAR_COLOR, IDS_TOOLBAR_COLOR, IDR_COLOR_SMALL, IDR_COLOR_LARGE, false, true, D::Bottom, kColor},
    {IDW_TOOLBAR_FILL, IDS_TOOLBAR_FILL, IDR_FILL_SMALL, IDR_FILL_LARGE, false, true, D::Bottom, kFill},
    {IDW_TOOLBAR_LINE, IDS_TOOLBAR_LINE, IDR_LINE_SMALL, IDR_LINE_LARGE, true, false, D::Bottom, kLine},
    {IDW_TOOLBAR_ZOOM, IDS_TOOLBAR_ZOOM, IDR_ZOOM_SMALL, IDR_ZOOM_LARGE, true, false, D::Top, kZoom},
    {IDW_TOOLBAR_FORMAT, IDS_TOOLBAR_FORMAT, IDR_FORMAT_SMALL, IDR_FORMAT_LARGE, false, false, D::Left, kFormat},
    {IDW_TOOLBAR_GRID, IDS_TOOLBAR_GRID, IDR_GRID_SMALL, IDR_GRID_LARGE, false, false, D::Bottom, kGrid},
    {IDW_TOOLBAR_POLY, IDS_TOOLBAR_POLY, IDR_POLY_SMALL, IDR_POLY_LARGE, false, false, D::Left, kPoly},
});

constexpr auto kDockOrder = std::to_array<unsigned>({
    ID_VIEW_TOOLBAR, IDW_TOOLBAR_ZOOM, IDW_TOOLBAR_TEXT,
    IDW_TOOLBAR_DRAW, IDW_TOOLBAR_FORMAT, IDW_TOOLBAR_POLY,
    IDW_TOOLBAR_COLOR, IDW_TOOLBAR_FILL, IDW_TOOLBAR_LINE, IDW_TOOLBAR_GRID,
});

}  // namespace

std::span<const VxToolBarLayout> VxGetToolBarLayouts()
{
    return kLayouts;
}

std::span<const unsigned> VxGetToolBarDockOrder()
{
    return kDockOrder;
}
