#include "resources/VxMenus.h"

#include "resources/VxResourceIds.h"

#include <array>

namespace {

constexpr VxMenuRow Popup(const char* pszText)
{
    return {VxMenuRowKind::Popup, 0, pszText, "", 0};
}
constexpr VxMenuRow End()
{
    return {VxMenuRowKind::End, 0, "", "", 0};
}
constexpr VxMenuRow Separator()
{
    return {VxMenuRowKind::Separator, 0, "", "", 0};
}
constexpr VxMenuRow Item(unsigned nId, const char* pszText, const char* pszAccel = "")
{
    return {VxMenuRowKind::Item, nId, pszText, pszAccel, 0};
}
constexpr VxMenuRow Later(unsigned nId, const char* pszText, const char* pszAccel = "")
{
    return {VxMenuRowKind::Item, nId, pszText, pszAccel, kVxMenuLater};
}

constexpr auto kMainMenu = std::to_array<VxMenuRow>({
    Popup("&File"),
    Item(ID_FILE_NEW, "&New", "Ctrl+N"),
    Item(ID_FILE_OPEN, "&Open...", "Ctrl+O"),
    Item(ID_FILE_SAVE, "&Save", "Ctrl+S"),
    Item(ID_FILE_SAVE_AS, "Save &As..."),
    Separator(),
    Item(ID_FILE_PRINT, "&Print...", "Ctrl+P"),
    Item(ID_FILE_PRINT_PREVIEW, "Print Pre&view"),
    Item(ID_FILE_PRINT_SETUP, "P&rint Setup..."),
    Separator(),
    Item(ID_FILE_MRU_FIRST, "Recent File"),
    Item(ID_FILE_MRU_FIRST + 1, "Recent File"),
    Item(ID_FILE_MRU_FIRST + 2, "Recent File"),
    Item(ID_FILE_MRU_LAST, "Recent File"),
    Separator(),
    Item(ID_APP_EXIT, "E&xit"),
    End(),

    Popup("&Edit"),
    Item(ID_EDIT_UNDO, "&Undo", "Ctrl+Z"),
    Item(ID_EDIT_REDO, "&Redo", "Ctrl+Y"),
    Separator(),
    Item(ID_EDIT_CUT, "Cu&t", "Ctrl+X"),
    Item(ID_EDIT_COPY, "&Copy", "Ctrl+C"),
    Item(ID_EDIT_PASTE, "&Paste", "Ctrl+V"),
    Popup("Paste &As"),
    Item(ID_EDIT_PASTE_EMF, "&Enhanced Metafile"),
    Item(ID_EDIT_PASTE_WMF, "&Windows Metafile"),
    Item(ID_EDIT_PASTE_TEXT, "&Text"),
    End(),
    Item(ID_EDIT_DELETE, "&Delete", "Del"),
    Separator(),
    Item(ID_EDIT_SELECT_ALL, "Select A&ll", "Ctrl+A"),
    Item(ID_EDIT_SELECT_NONE, "Select &None"),
    Item(ID_EDIT_SELECT_NEXT, "Select Ne&xt"),
    Item(ID_EDIT_SELECT_PREVIOUS, "Select Pre&vious"),
    Item(ID_EDIT_SELECT_SIMILAR, "Select &Similar..."),
    Separator(),
    Item(ID_EDIT_OPEN, "&Open Object"),
    Item(ID_EDIT_POINTS, "&Edit Points"),
    Popup("Po&ints"),
    Item(ID_POINT_NEXT, "&Next Point"),
    Item(ID_POINT_PREVIOUS, "&Previous Point"),
    Item(ID_POINT_INSERT, "&Insert Point"),
    Item(ID_POINT_DELETE, "&Delete Point"),
    Separator(),
    Item(ID_SUBPOLYGON_NEXT, "Next &Sub-polygon"),
    Item(ID_SUBPOLYGON_PREVIOUS, "Previous S&ub-polygon"),
    Item(ID_SUBPOLYGON_INSERT, "Insert Su&b-polygon"),
    Item(ID_SUBPOLYGON_DELETE, "Delete Sub-pol&ygon"),
    End(),
    Separator(),
    Item(ID_EDIT_TRIM_PICTURE, "Tri&m Picture"),
    End(),

    Popup("&View"),
    Item(ID_VIEW_TOOLBAR, "&Toolbars..."),
    Item(ID_VIEW_STATUS_BAR, "&Status Bar"),
    Item(ID_VIEW_COORDINATE_STATUS, "&Coordinate Status"),
    Item(ID_VIEW_SIZE_STATUS, "Si&ze Status"),
    Item(ID_VIEW_SELECTION_STATUS, "S&election Status"),
    Separator(),
    Item(ID_VIEW_ZOOM_IN, "Zoom &In", "Ctrl++"),
    Item(ID_VIEW_ZOOM_OUT, "Zoom &Out", "Ctrl+-"),
    Item(ID_VIEW_ACTUAL_SIZE, "&Actual Size"),
    Item(ID_VIEW_FULL_PAGE, "&Full Page"),
    Item(ID_VIEW_ZOOM_CUSTOM, "C&ustom Zoom..."),
    Separator(),
    Item(ID_VIEW_DISPLAY_GRID, "Display &Grid"),
    Item(ID_VIEW_SNAP_TO_GRID, "S&nap to Grid"),
    Item(ID_VIEW_GRID_SETTINGS, "Gri&d Settings..."),
    Separator(),
    Item(ID_VIEW_REDRAW, "&Redraw"),
    End(),

    Popup("&Tools"),
    Item(ID_TOOL_SELECTION, "&Selection"),
    Item(ID_TOOL_LINE, "&Line"),
    Item(ID_TOOL_POLYLINE, "&Polyline"),
    Item(ID_TOOL_RECTANGLE, "&Rectangle"),
    Item(ID_TOOL_ELLIPSE, "&Ellipse"),
    Item(ID_TOOL_POLYGON, "Poly&gon"),
    Item(ID_TOOL_TEXT, "&Text"),
    Item(ID_TOOL_ARC, "&Arc"),
    Separator(),
    Popup("Arra&nge"),
    Item(ID_ARRANGE_BRING_TO_FRONT, "Bring to &Front"),
    Item(ID_ARRANGE_SEND_TO_BACK, "Send to &Back"),
    Separator(),
    Item(ID_ARRANGE_FLIP_HORIZONTAL, "Flip &Left to Right"),
    Item(ID_ARRANGE_FLIP_VERTICAL, "Flip &Top to Bottom"),
    Item(ID_ARRANGE_FLIP_BOTH, "Flip B&oth"),
    End(),
    Popup("&Format"),
    Item(ID_FORMAT_LINE, "&Line..."),
    Item(ID_FORMAT_FILL, "&Fill..."),
    Item(ID_FORMAT_POSITION, "&Position..."),
    Item(ID_FORMAT_FONT, "Fo&nt..."),
    Item(ID_FORMAT_OTHER, "&Other..."),
    Separator(),
    Item(ID_FORMAT_TRANSPARENT, "&Transparent"),
    Item(ID_FORMAT_OPAQUE, "Opa&que"),
    Separator(),
    Item(ID_FORMAT_COUNTERCLOCKWISE, "&Counterclockwise"),
    Item(ID_FORMAT_CLOCKWISE, "Cloc&kwise"),
    End(),
    Item(ID_EDIT_PROPERTIES, "Propert&ies...", "Alt+Return"),
    Separator(),
    Item(ID_TOOLS_OPTIONS, "&Options..."),
    End(),

    Popup("&Help"),
    Later(ID_HELP_FINDER, "&Help Topics", "F1"),
    Separator(),
    Item(ID_APP_ABOUT, "&About Glyphar..."),
    End(),
});

constexpr auto kContextMenu = std::to_array<VxMenuRow>({
    Item(ID_EDIT_CUT, "Cu&t"),
    Item(ID_EDIT_COPY, "&Copy"),
    Item(ID_EDIT_PASTE, "&Paste"),
    Item(ID_EDIT_DELETE, "&Delete"),
    Separator(),
    Item(ID_ARRANGE_BRING_TO_FRONT, "Bring to &Front"),
    Item(ID_ARRANGE_SEND_TO_BACK, "Send to &Back"),
    Separator(),
    Item(ID_EDIT_POINTS, "Edit P&oints"),
    Separator(),
    Item(ID_EDIT_PROPERTIES, "P&roperties..."),
});

}  // namespace

std::span<const VxMenuRow> VxGetMainMenuRows()
{
    return kMainMenu;
}

std::span<const VxMenuRow> VxGetContextMenuRows()
{
    return kContextMenu;
}
