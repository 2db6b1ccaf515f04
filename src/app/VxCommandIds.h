#pragma once
// The command ids of the editor's menus: the framework's standard ones and the
// view's. Each id's string-table entry holds its status-bar prompt.

#include "platform/gdi/GdiTypes.h"

constexpr UINT ID_FILE_NEW = 57600;
constexpr UINT ID_FILE_OPEN = 57601;
constexpr UINT ID_FILE_SAVE = 57603;
constexpr UINT ID_FILE_SAVE_AS = 57604;
constexpr UINT ID_APP_EXIT = 57665;
constexpr UINT ID_EDIT_UNDO = 57643;
constexpr UINT ID_EDIT_REDO = 57644;
constexpr UINT ID_VIEW_ZOOM_IN = 32778;
constexpr UINT ID_VIEW_ZOOM_OUT = 32779;
constexpr UINT ID_VIEW_ACTUAL_SIZE = 32780;
constexpr UINT ID_VIEW_FULL_PAGE = 32781;

// Framework texts: the open dialog's title, the question before a modified
// picture is closed, and the idle prompt.
constexpr UINT IDS_OPEN_TITLE = 61440;
constexpr UINT IDS_ASK_TO_SAVE = 61699;
constexpr UINT IDS_IDLE_PROMPT = 57345;
