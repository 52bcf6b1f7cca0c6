#pragma once
// Resource ids of the settings program MDS.

#ifndef IDC_STATIC
#define IDC_STATIC             (-1)
#endif

#define IDD_ABOUT              100
#define IDD_SETTINGS           102
#define IDR_MAIN_MENU          128
#define IDI_MAIN               128
#define IDI_SMALL              129
#define IDB_NONE               130
#define IDB_ROW_MARKS          133
#define IDR_ACCELERATORS       134
#define IDB_FOLDER             141
#define IDD_PASSWORD           143

// The browser.
#define IDC_FOLDER_TABS        1000
#define IDC_WALLPAPER_LIST     1001
// The editor.
#define IDC_SET_STANDARD       1002
#define IDC_STANDARD_LIST      1003
#define IDC_REGISTER           1004
#define IDC_CHANGE             1005
#define IDC_DELETE             1006
#define IDC_RESERVATION_LIST   1007
#define IDC_MOVE_UP            1008
#define IDC_MOVE_DOWN          1009
#define IDC_METHOD             1010
#define IDC_COLOUR             1011
#define IDC_SWATCH             1012
#define IDC_PREVIEW            1013
#define IDC_DATE_ON            1015
#define IDC_FROM_MONTH         1016
#define IDC_DATE_SLASH1        1017
#define IDC_FROM_DAY           1018
#define IDC_DATE_DASH          1019
#define IDC_TO_MONTH           1020
#define IDC_DATE_SLASH2        1021
#define IDC_TO_DAY             1022
#define IDC_TIME_ON            1023
#define IDC_FROM_HOUR          1024
#define IDC_TIME_COLON1        1025
#define IDC_FROM_MINUTE        1026
#define IDC_TIME_DASH          1027
#define IDC_TO_HOUR            1028
#define IDC_TIME_COLON2        1029
#define IDC_TO_MINUTE          1030
#define IDC_TIMER_ON           1031
#define IDC_TIMER_HOURS        1032
#define IDC_TIMER_HOURS_LABEL  1033
#define IDC_TIMER_MINUTES      1034
#define IDC_TIMER_MINUTES_LABEL 1035
#define IDC_PASSWORD           1036
#define IDC_COUNT              1052

// Menu 128.
#define ID_EXIT                2
#define ID_PLUGIN_INFO         32777
#define ID_OPTIONS             32778
#define ID_SELECT_WALLPAPERS   32780
#define ID_SELECT_RESERVATIONS 32781
#define ID_APP_ABOUT           57664
#define ID_HELP_CONTENTS       57670

// The options sheet's three pages.
#define IDD_OPTIONS_START_END      140
#define IDD_OPTIONS_FOLDERS        141
#define IDD_OPTIONS_BEHAVIOUR      142

// Start and end handling.
#define IDC_MINIMISE_AT_START      1037
#define IDC_STANDARD_AT_MDK_END    1038
#define IDC_STANDARD_AT_WINDOWS_END 1039
#define IDC_START_AT_SIGN_IN       1053
// Behaviour.
#define IDC_SHUFFLE                1040
#define IDC_LEFT_CLICK_STOP           1041
#define IDC_ASK_PASSWORD           1042
#define IDC_PASSWORD_TEXT          1043
// The view folders.
#define IDC_FOLDER_LIST            1044
#define IDC_FOLDER_ADD             1045
#define IDC_FOLDER_RENAME          1046
#define IDC_FOLDER_DELETE          1047
#define IDC_FOLDER_UP              1048
#define IDC_FOLDER_DOWN            1049

// The full-screen preview and the plug-in information dialog.
#define IDD_PLUGIN_INFO          135
#define IDD_FULL_SCREEN          139
#define IDR_FULL_SCREEN_MENU     140

#define IDC_FULL_SCREEN_PICTURE  1014
#define IDC_PLUGIN_DESCRIPTIONS  1050
#define IDC_LINK                 1051

// Menu 140: the display methods, in the order of their codes 0 to 2.
#define ID_SHOW_CENTRED          32774
#define ID_SHOW_TILED            32775
#define ID_SHOW_STRETCHED        32776
#define ID_SHOW_FIT              32782
#define ID_SHOW_FILL             32783
#define ID_SHOW_SPAN             32784
