#pragma once
// Resource ids of the settings program's full-screen preview, About box and
// plug-in information dialog (the About box's dialog id, IDD_ABOUT, and its
// icon, IDI_SMALL, are the program's own, in resource.h).

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
