#pragma once
// Every resource id of the program, once: commands, strings, dialogs and their
// controls, toolbars, status panes, cursors and icons. A command's string-table
// entry holds its status-bar prompt, a line feed and its tooltip.

// --- Document template and its strings
constexpr unsigned IDR_MAINFRAME = 2;  // the menu, the document string, the icon
constexpr unsigned IDS_DOCUMENT_STRING = 2;
constexpr unsigned IDS_EMF_TYPE_NAME = 3;
constexpr unsigned IDS_WMF_TYPE_NAME = 4;
// Fields of the document string.
constexpr int kDocStringAppTitle = 0;
constexpr int kDocStringNewName = 1;
constexpr int kDocStringFilterName = 3;
constexpr int kDocStringFilterExt = 4;

// --- Toolbar images (small, large) and icons
constexpr unsigned IDR_STANDARD_SMALL = 100;
constexpr unsigned IDR_ZOOM_SMALL = 101;
constexpr unsigned IDR_STANDARD_LARGE = 102;
constexpr unsigned IDR_ZOOM_LARGE = 103;
constexpr unsigned IDR_FILL_SMALL = 104;
constexpr unsigned IDR_FILL_LARGE = 105;
constexpr unsigned IDR_COLOR_LARGE = 106;
constexpr unsigned IDR_COLOR_SMALL = 107;
constexpr unsigned IDR_LINE_LARGE = 108;
constexpr unsigned IDR_LINE_SMALL = 109;
constexpr unsigned IDR_FORMAT_LARGE = 110;
constexpr unsigned IDR_FORMAT_SMALL = 111;
constexpr unsigned IDR_POLY_LARGE = 112;
constexpr unsigned IDR_POLY_SMALL = 113;
constexpr unsigned IDR_DRAW_LARGE = 114;
constexpr unsigned IDR_DRAW_SMALL = 115;
constexpr unsigned IDR_TEXT_LARGE = 116;
constexpr unsigned IDR_TEXT_SMALL = 117;
constexpr unsigned IDR_GRID_SMALL = 120;
constexpr unsigned IDR_GRID_LARGE = 121;
constexpr unsigned IDI_EMF_FILE = 151;
constexpr unsigned IDI_WMF_FILE = 152;

// --- Cursors
constexpr unsigned IDC_FIRST_CURSOR = 200;
constexpr unsigned IDC_LAST_CURSOR = 205;
constexpr unsigned IDC_MOVE = 200;
constexpr unsigned IDC_POINT = 201;
constexpr unsigned IDC_MOVE_COPY = 202;
constexpr unsigned IDC_POINT_COPY = 203;
constexpr unsigned IDC_PENCIL = 204;
constexpr unsigned IDC_DRAW_CROSS = 205;
// The system's cursors, by their Windows numbers.
constexpr unsigned IDC_ARROW = 32512;
constexpr unsigned IDC_IBEAM = 32513;
constexpr unsigned IDC_CROSS = 32515;
constexpr unsigned IDC_SIZENWSE = 32642;
constexpr unsigned IDC_SIZENESW = 32643;
constexpr unsigned IDC_SIZEWE = 32644;
constexpr unsigned IDC_SIZENS = 32645;

// --- Dialogs and pages
constexpr unsigned IDD_GRID_SETTINGS = 155;
constexpr unsigned IDD_OPTIONS_GENERAL = 400;
constexpr unsigned IDD_OPTIONS_TOOLBARS = 401;
constexpr unsigned IDD_TEXT = 420;
constexpr unsigned IDD_ADVANCED_TEXT = 421;
constexpr unsigned IDD_IGNORED_RECORDS = 423;
constexpr unsigned IDD_PICTURE_PAGE = 424;
constexpr unsigned IDD_LINE_PAGE = 425;
constexpr unsigned IDD_FILL_PAGE = 426;
constexpr unsigned IDD_POSITION_PAGE = 427;
constexpr unsigned IDD_TEXT_PAGE = 428;
constexpr unsigned IDD_OTHER_PAGE = 429;
constexpr unsigned IDD_CUSTOM_ZOOM = 460;
constexpr unsigned IDD_SELECT_SIMILAR = 461;

// --- Toolbar controls
constexpr unsigned IDC_FONT_FACE_NAME = 600;
constexpr unsigned IDC_POINT_SIZE = 601;
constexpr unsigned IDC_LINE_WIDTH = 602;
constexpr unsigned IDC_CUSTOM_ZOOM = 603;

// --- Controls of the option pages, the ignored-records dialog, the Picture page
constexpr unsigned IDC_DISPLAY_COPYRIGHT = 700;
constexpr unsigned IDC_OPEN_MRU_FILE = 701;
constexpr unsigned IDC_DISPLAY_IGNORED_RECORDS = 702;
constexpr unsigned IDC_IGNORE_SPACING_TABLES = 703;
constexpr unsigned IDC_MAX_UNDOS = 704;
constexpr unsigned IDC_DRAG_OBJECTS = 705;
constexpr unsigned IDC_DRAG_OUTLINES = 706;
constexpr unsigned IDC_AUTO_WRAP_TOOLBARS = 710;
constexpr unsigned IDC_LARGE_BUTTONS = 711;
constexpr unsigned IDC_IGNORED_RECORD_LIST = 1100;
constexpr unsigned IDC_TEXT_FONT = 1500;
constexpr unsigned IDC_TEXT_COLOR = 1501;
constexpr unsigned IDC_TEXT_ALIGN_LEFT = 1502;
constexpr unsigned IDC_TEXT_ALIGN_CENTER = 1503;
constexpr unsigned IDC_TEXT_ALIGN_RIGHT = 1504;
constexpr unsigned IDC_TEXT_SAMPLE = 1505;
constexpr unsigned IDC_TEXT_ROTATION = 1506;
constexpr unsigned IDC_TEXT_ROTATION_SPIN = 1507;
constexpr unsigned IDC_PICTURE_WIDTH = 1800;
constexpr unsigned IDC_PICTURE_HEIGHT = 1801;
constexpr unsigned IDC_PICTURE_UNITS = 1802;
constexpr unsigned IDC_PICTURE_RESIZE_OBJECTS = 1803;
// --- Controls of the Line, Fill, Position and Other pages
constexpr unsigned IDC_POSITION_OFFSET_X = 900;
constexpr unsigned IDC_POSITION_OFFSET_Y = 901;
constexpr unsigned IDC_POSITION_SCALE_X = 902;
constexpr unsigned IDC_POSITION_SCALE_Y = 903;
constexpr unsigned IDC_PEN_STYLE = 1300;
constexpr unsigned IDC_PEN_WIDTH = 1301;
constexpr unsigned IDC_PEN_COLOR = 1302;
constexpr unsigned IDC_PEN_SAMPLE = 1303;
constexpr unsigned IDC_FILL_PATTERN = 1400;
constexpr unsigned IDC_FILL_COLOR = 1401;
constexpr unsigned IDC_FILL_SAMPLE = 1402;
constexpr unsigned IDC_OTHER_TEXT_COLOR = 1600;
constexpr unsigned IDC_OTHER_BK_COLOR = 1601;
constexpr unsigned IDC_OTHER_TRANSPARENT = 1602;
constexpr unsigned IDC_OTHER_OPAQUE = 1603;
constexpr unsigned IDC_OTHER_CLOCKWISE = 1604;
constexpr unsigned IDC_OTHER_COUNTERCLOCKWISE = 1605;

// --- Messages
constexpr unsigned IDS_PASTE_OFF_PAGE = 4000;
constexpr unsigned IDS_FIT_SIZE_FOR_WMF = 4001;
constexpr unsigned IDS_WMF_POLYPOLYLINES = 4002;
constexpr unsigned IDS_WMF_WIDE_PATTERNED = 4003;
constexpr unsigned IDS_MAX_UNDOS_NEXT_START = 4100;
constexpr unsigned IDS_POINT_COPIED = 4101;
constexpr unsigned IDS_OBJECTS_COPIED = 4102;
constexpr unsigned IDS_OLE_INIT_FAILED = 4200;
constexpr unsigned IDS_UNDO_NO_MEMORY = 4201;
constexpr unsigned IDS_UNDO_NOT_SAVED = 4202;
constexpr unsigned IDS_UNDO_NOT_RESTORED = 4203;
constexpr unsigned IDS_UNDO_OLDEST_REMOVED = 4204;
constexpr unsigned IDS_FILE_NOT_READ = 4205;
// A file to open that is missing, a folder or not readable, with the reason.
constexpr unsigned IDS_FILE_NOT_OPENED = 4241;
constexpr unsigned IDS_FILE_NOT_WRITTEN = 4206;
constexpr unsigned IDS_CLIPBOARD_NOT_OPENED = 4207;
constexpr unsigned IDS_CLIPBOARD_NOT_EMPTIED = 4208;
constexpr unsigned IDS_METAFILE_NOT_READ = 4209;
constexpr unsigned IDS_UNRECOGNIZED_OPTION = 4210;
constexpr unsigned IDS_NO_MEMORY_POINT = 4211;
constexpr unsigned IDS_NO_MEMORY_SUBPOLYGON = 4212;
constexpr unsigned IDS_NO_MEMORY_OBJECT = 4213;
constexpr unsigned IDS_TOO_BIG_FOR_WMF = 4214;
constexpr unsigned IDS_CANNOT_RESIZE = 4216;
constexpr unsigned IDS_WIN32S = 4218;
// Settings that could not be stored (the configuration folder is not writable).
constexpr unsigned IDS_SETTINGS_NOT_SAVED = 4219;
// Clipboard text holding control characters.
constexpr unsigned IDS_CLIPBOARD_TEXT_REFUSED = 4230;

// --- Status texts, type names, captions, filters, toolbar titles
constexpr unsigned IDS_PAGE = 5007;
constexpr unsigned IDS_ONE_SELECTED = 5010;
constexpr unsigned IDS_N_SELECTED = 5011;
constexpr unsigned IDS_TYPE_LINE = 5012;
constexpr unsigned IDS_TYPE_SELECTION = 5020;
constexpr unsigned IDS_COORDINATE_FORMAT = 5021;
constexpr unsigned IDS_SIZE_FORMAT = 5022;
constexpr unsigned IDS_TYPE_ARC = 5023;
constexpr unsigned IDS_TYPE_ARCTO = 5031;
constexpr unsigned IDS_ADDING_POINTS = 5029;
constexpr unsigned IDS_EDITING_POINTS = 5030;
constexpr unsigned IDS_PROPERTIES = 5036;
constexpr unsigned IDS_UNDEFINED = 5037;
constexpr unsigned IDS_OPTIONS = 5038;
constexpr unsigned IDS_UNKNOWN_FUNCTION = 5039;
constexpr unsigned IDS_ALL_METAFILES = 5040;
constexpr unsigned IDS_WMF_FILTER = 5041;
constexpr unsigned IDS_CLP_FILTER = 5042;
constexpr unsigned IDS_EMF_FILTER = 5043;
constexpr unsigned IDS_ALL_METAFILES_PATTERN = 5044;
constexpr unsigned IDS_WMF_PATTERN = 5045;
constexpr unsigned IDS_CLP_PATTERN = 5046;
constexpr unsigned IDS_EMF_PATTERN = 5047;
constexpr unsigned IDS_TOOLBAR_STANDARD = 5048;
constexpr unsigned IDS_TOOLBAR_COLOR = 5049;
constexpr unsigned IDS_TOOLBAR_FILL = 5050;
constexpr unsigned IDS_TOOLBAR_DRAW = 5051;
constexpr unsigned IDS_TOOLBAR_TEXT = 5052;
constexpr unsigned IDS_TOOLBAR_LINE = 5053;
constexpr unsigned IDS_TOOLBAR_ZOOM = 5054;
constexpr unsigned IDS_TOOLBAR_FORMAT = 5055;
constexpr unsigned IDS_TOOLBAR_POLY = 5056;
constexpr unsigned IDS_TOOLBAR_GRID = 5057;
constexpr unsigned IDS_EMF_DESCRIPTION = 5058;
constexpr unsigned IDS_WMF_DESCRIPTION = 5059;
constexpr unsigned IDS_COORDINATE_UNITS_FORMAT = 5071;
constexpr unsigned IDS_SIZE_UNITS_FORMAT = 5072;
constexpr unsigned IDS_UNITS_PU = 5073;
constexpr unsigned IDS_UNITS_IN = 5074;
constexpr unsigned IDS_UNITS_CM = 5075;
// The splash window's and about box's line under the product name.
constexpr unsigned IDS_ABOUT_FORMAT = 5080;
// The recent-file list's place in the File menu while it is empty.
constexpr unsigned IDS_RECENT_FILE = 5081;
// Printing from the command line when the printer named (or a default) is missing.
constexpr unsigned IDS_NO_PRINTER = 5082;

// --- Commands of the view, the document and the frame
constexpr unsigned ID_EDIT_CANCEL = 32769;
constexpr unsigned ID_EDIT_DELETE = 32775;
constexpr unsigned ID_EDIT_OPEN = 32776;
constexpr unsigned ID_EDIT_PROPERTIES = 32777;
constexpr unsigned ID_VIEW_ZOOM_IN = 32778;
constexpr unsigned ID_VIEW_ZOOM_OUT = 32779;
constexpr unsigned ID_VIEW_ACTUAL_SIZE = 32780;
constexpr unsigned ID_VIEW_FULL_PAGE = 32781;
constexpr unsigned ID_VIEW_ZOOM_CUSTOM = 32782;
constexpr unsigned ID_VIEW_REDRAW = 32783;
constexpr unsigned ID_VIEW_DISPLAY_GRID = 32784;
constexpr unsigned ID_VIEW_SNAP_TO_GRID = 32785;
constexpr unsigned ID_VIEW_GRID_SETTINGS = 32786;
constexpr unsigned ID_VIEW_COORDINATE_STATUS = 32787;
constexpr unsigned ID_VIEW_SIZE_STATUS = 32788;
constexpr unsigned ID_VIEW_SELECTION_STATUS = 32789;
constexpr unsigned ID_EDIT_SELECT_ALL = 32800;
constexpr unsigned ID_EDIT_SELECT_NONE = 32801;
constexpr unsigned ID_EDIT_SELECT_NEXT = 32802;
constexpr unsigned ID_EDIT_SELECT_PREVIOUS = 32803;
constexpr unsigned ID_EDIT_SELECT_SIMILAR = 32804;
constexpr unsigned ID_FORMAT_LINE = 32810;
constexpr unsigned ID_FORMAT_FILL = 32811;
constexpr unsigned ID_FORMAT_POSITION = 32812;
constexpr unsigned ID_FORMAT_OTHER = 32814;
constexpr unsigned ID_ARRANGE_BRING_TO_FRONT = 32815;
constexpr unsigned ID_ARRANGE_SEND_TO_BACK = 32816;
constexpr unsigned ID_ARRANGE_FLIP_HORIZONTAL = 32826;
constexpr unsigned ID_ARRANGE_FLIP_VERTICAL = 32827;
constexpr unsigned ID_ARRANGE_FLIP_BOTH = 32828;
constexpr unsigned ID_EDIT_TRIM_PICTURE = 32829;
constexpr unsigned ID_FORMAT_TRANSPARENT = 32830;
constexpr unsigned ID_FORMAT_OPAQUE = 32831;
constexpr unsigned ID_FORMAT_COUNTERCLOCKWISE = 32832;
constexpr unsigned ID_FORMAT_CLOCKWISE = 32833;
constexpr unsigned ID_COLOR_FIRST = 32900;  // the nine palette colours
constexpr unsigned ID_COLOR_LAST = 32908;
constexpr unsigned ID_COLOR_CUSTOM = 32950;
constexpr unsigned ID_COLOR_TARGET_LINE = 32951;
constexpr unsigned ID_COLOR_TARGET_FILL = 32952;
constexpr unsigned ID_COLOR_TARGET_TEXT = 32953;
constexpr unsigned ID_COLOR_TARGET_BACKGROUND = 32954;
constexpr unsigned ID_FILL_FIRST = 32960;  // solid, none, six hatches, two bitmaps
constexpr unsigned ID_FILL_LAST = 32969;
constexpr unsigned ID_TEXT_BOLD = 32980;
constexpr unsigned ID_TEXT_ITALIC = 32981;
constexpr unsigned ID_TEXT_UNDERLINE = 32982;
constexpr unsigned ID_TEXT_ALIGN_LEFT = 32983;
constexpr unsigned ID_TEXT_ALIGN_CENTER = 32984;
constexpr unsigned ID_TEXT_ALIGN_RIGHT = 32985;
constexpr unsigned ID_LINE_STYLE_FIRST = 32986;  // solid .. no line
constexpr unsigned ID_LINE_STYLE_LAST = 32991;
constexpr unsigned ID_EDIT_POINTS = 33000;
constexpr unsigned ID_POINT_NEXT = 33001;
constexpr unsigned ID_POINT_PREVIOUS = 33002;
constexpr unsigned ID_POINT_INSERT = 33003;
constexpr unsigned ID_POINT_DELETE = 33004;
constexpr unsigned ID_SUBPOLYGON_NEXT = 33005;
constexpr unsigned ID_SUBPOLYGON_PREVIOUS = 33006;
constexpr unsigned ID_SUBPOLYGON_INSERT = 33007;
constexpr unsigned ID_SUBPOLYGON_DELETE = 33008;
constexpr unsigned ID_TOOL_FIRST = 33100;  // selection, line, polyline, rectangle,
constexpr unsigned ID_TOOL_SELECTION = 33100;  // ellipse, polygon, text; arc apart
constexpr unsigned ID_TOOL_LINE = 33101;
constexpr unsigned ID_TOOL_POLYLINE = 33102;
constexpr unsigned ID_TOOL_RECTANGLE = 33103;
constexpr unsigned ID_TOOL_ELLIPSE = 33104;
constexpr unsigned ID_TOOL_POLYGON = 33105;
constexpr unsigned ID_TOOL_TEXT = 33106;
constexpr unsigned ID_TOOLS_OPTIONS = 33107;
constexpr unsigned ID_EDIT_PASTE_EMF = 33109;
constexpr unsigned ID_EDIT_PASTE_WMF = 33110;
constexpr unsigned ID_EDIT_PASTE_TEXT = 33111;
constexpr unsigned ID_TOOL_ARC = 33112;

// --- The framework's commands and strings
constexpr unsigned IDS_IDLE_PROMPT = 57345;
constexpr unsigned ID_FILE_NEW = 57600;
constexpr unsigned ID_FILE_OPEN = 57601;
constexpr unsigned ID_FILE_SAVE = 57603;
constexpr unsigned ID_FILE_SAVE_AS = 57604;
constexpr unsigned ID_FILE_PRINT_SETUP = 57606;
constexpr unsigned ID_FILE_PRINT = 57607;
constexpr unsigned ID_FILE_PRINT_DIRECT = 57608;
constexpr unsigned ID_FILE_PRINT_PREVIEW = 57609;
constexpr unsigned ID_FILE_SEND_MAIL = 57612;
constexpr unsigned ID_FILE_MRU_FIRST = 57616;
constexpr unsigned ID_FILE_MRU_LAST = 57619;  // four recent files
constexpr unsigned ID_EDIT_COPY = 57634;
constexpr unsigned ID_EDIT_CUT = 57635;
constexpr unsigned ID_EDIT_PASTE = 57637;
constexpr unsigned ID_EDIT_UNDO = 57643;
constexpr unsigned ID_EDIT_REDO = 57644;
constexpr unsigned ID_APP_ABOUT = 57664;
constexpr unsigned ID_APP_EXIT = 57665;
constexpr unsigned ID_HELP_FINDER = 57667;
constexpr unsigned ID_CONTEXT_HELP = 57669;
constexpr unsigned ID_FORMAT_FONT = 57696;
constexpr unsigned ID_INDICATOR_COORDINATE = 59152;
constexpr unsigned ID_INDICATOR_SIZE = 59153;
constexpr unsigned ID_INDICATOR_SELECTION = 59154;
constexpr unsigned ID_VIEW_TOOLBAR = 59392;  // also the Standard bar's frame id
constexpr unsigned ID_VIEW_STATUS_BAR = 59393;
constexpr unsigned IDW_TOOLBAR_DRAW = 59396;
constexpr unsigned IDW_TOOLBAR_COLOR = 59397;
constexpr unsigned IDW_TOOLBAR_FILL = 59398;
constexpr unsigned IDW_TOOLBAR_TEXT = 59399;
constexpr unsigned IDW_TOOLBAR_LINE = 59400;
constexpr unsigned IDW_TOOLBAR_ZOOM = 59401;
constexpr unsigned IDW_TOOLBAR_FORMAT = 59402;
constexpr unsigned IDW_TOOLBAR_POLY = 59403;
constexpr unsigned IDW_TOOLBAR_GRID = 59404;
constexpr unsigned IDS_OPEN_TITLE = 61440;
constexpr unsigned IDS_SAVE_AS_TITLE = 61441;
constexpr unsigned IDS_ALL_FILES = 61442;
constexpr unsigned IDS_SAVE_COPY_AS_TITLE = 61444;
constexpr unsigned IDS_ASK_TO_SAVE = 61699;
constexpr unsigned IDS_ENTER_INTEGER = 61714;
constexpr unsigned IDS_ENTER_NUMBER = 61715;
