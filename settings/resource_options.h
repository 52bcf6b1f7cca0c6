#pragma once
// Resource ids of the options sheet's three pages.

#define IDD_OPTIONS_START_END      140
#define IDD_OPTIONS_FOLDERS        141
#define IDD_OPTIONS_BEHAVIOUR      142

// Start and end handling.
#define IDC_MINIMISE_AT_START      1037
#define IDC_STANDARD_AT_MDK_END    1038
#define IDC_STANDARD_AT_WINDOWS_END 1039
// Behaviour.
#define IDC_SHUFFLE                1040
#define IDC_BOSS_MODE              1041
#define IDC_ASK_PASSWORD           1042
#define IDC_PASSWORD_TEXT          1043
// The view folders.
#define IDC_FOLDER_LIST            1044
#define IDC_FOLDER_ADD             1045
#define IDC_FOLDER_RENAME          1046
#define IDC_FOLDER_DELETE          1047
#define IDC_FOLDER_UP              1048
#define IDC_FOLDER_DOWN            1049
