#pragma once
// Resource ids of the resident changer MDK.

#define IDD_RESIDENT        102
#define IDI_MAIN            128
#define IDI_TRAY            129
#define IDR_TRAY_MENU       135

#define ID_OPEN_SETTINGS    32772
#define ID_EXIT             32773
#define ID_NEXT             32774
#define ID_START            32775
#define ID_STOP             32776
#define ID_PICKER           32777
#define ID_SHUFFLE          32778
