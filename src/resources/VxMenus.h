#pragma once
// The menu bar and the view's context menu as rows: popups open and end, items
// name a command id, its text and its accelerator. The command's prompt comes
// from the string table under the same id.

#include <span>

enum class VxMenuRowKind : unsigned char { Item, Separator, Popup, End };

// Row flag: the command's handler arrives with later work; until then the item
// is shown and stays disabled.
constexpr unsigned kVxMenuLater = 0x1;

struct VxMenuRow {
    VxMenuRowKind kind;
    unsigned nId;
    const char* pszText;
    const char* pszAccel;  // in Qt's portable key-sequence text; "" for none
    unsigned nFlags;
};

std::span<const VxMenuRow> VxGetMainMenuRows();
std::span<const VxMenuRow> VxGetContextMenuRows();
