#pragma once

// The numeric ids of the program's commands and of the controls that send
// them. The menus, the keys, the dialog bar and the status-bar buttons all run
// commands by these ids.

// The document and application commands every program of this kind has.
constexpr int ID_FILE_NEW = 57600;
constexpr int ID_FILE_OPEN = 57601;
constexpr int ID_FILE_SAVE = 57603;
constexpr int ID_FILE_SAVE_AS = 57604;
constexpr int ID_FILE_PRINT_SETUP = 57606;
constexpr int ID_FILE_PRINT = 57607;
constexpr int ID_FILE_PRINT_DIRECT = 57608;
constexpr int ID_FILE_PRINT_PREVIEW = 57609;
constexpr int ID_FILE_MRU_FILE1 = 57616; // and the next seven
constexpr int ID_EDIT_COPY = 57634;
constexpr int ID_EDIT_CUT = 57635;
constexpr int ID_EDIT_PASTE = 57637;
constexpr int ID_EDIT_UNDO = 57643;
constexpr int ID_APP_ABOUT = 57664;
constexpr int ID_APP_EXIT = 57665;
constexpr int ID_NEXT_PANE = 57680;
constexpr int ID_PREV_PANE = 57681;
constexpr int ID_VIEW_STATUS_BAR = 59393;

// The program's own menu commands.
constexpr int ID_APPEND_FILES = 32771;
constexpr int ID_PROJECT_INFO = 32774;
constexpr int ID_WEB_PAGE = 32777;
constexpr int ID_DRAW = 32778;
constexpr int ID_CLEAR_ALL_REDRAW = 32779;
constexpr int ID_STOP = 32780;
constexpr int ID_OPTION_GENERAL = 32781;
constexpr int ID_OPTION_DIRECTORY = 32782;
constexpr int ID_OPTION_PREDEFINED = 32783;
constexpr int ID_HELP_CONTENTS = 32785;
constexpr int ID_OPEN_FROM_VC = 32788;
constexpr int ID_VIEW_CODE = 32789;
constexpr int ID_MACRO_VISUAL_SETTING = 32790;
constexpr int ID_VIEW_CONTROL_BAR = 32794;
constexpr int ID_NEW_PROJECT = 32796;
constexpr int ID_CLOSE_PROJECT = 32799;
constexpr int ID_SEQUENCE_VISUAL_SETTING = 32805;
constexpr int ID_SYSTEM_INFO = 32806;
constexpr int ID_FLOW_VISUAL_SETTING = 32807;
constexpr int ID_PRINT_PREVIEW_CHOOSE = 32808;
constexpr int ID_PRINT_CHOOSE = 32809;
constexpr int ID_NSD_VISUAL_SETTING = 32810;

// Controls of the dialog bar.
constexpr int IDC_DRAW = 1003;
constexpr int IDC_STOP = 1004;
constexpr int IDC_FILENAME = 1020;
constexpr int IDC_SHOW_VC_HEADER = 1021;
constexpr int IDC_AUTO_RESIZE = 1022;
constexpr int IDC_PARSING_VC_HEADER = 1023;
constexpr int IDC_FOLD = 1132;
constexpr int IDC_UNFOLD = 1133;
constexpr int IDC_CODE = 1135;
constexpr int IDC_AUTO_SORT = 1139;
constexpr int IDC_SORT = 1140;

// Buttons the frame makes: two in the status bar, six in the dialog bar; and
// the view selector.
constexpr int IDC_SPLIT_UP = 501;
constexpr int IDC_SPLIT_DOWN = 502;
constexpr int IDC_SPLIT_LEFT = 503;
constexpr int IDC_SPLIT_RIGHT = 504;
constexpr int IDC_SPLIT_ONE_TWO = 505;
constexpr int IDC_SPLIT_HALF = 506;
constexpr int IDC_SPLIT_TWO_ONE = 507;
constexpr int IDC_SPLIT_FIT = 508;
constexpr int IDC_VIEW_SELECTOR = 509;
