// Resource ids of ZovOV_MD.
#pragma once

#define IDD_MIGRATION      102
#define IDI_MAIN           128
#define IDC_DELETE_OLD     1000

#ifndef IDC_STATIC
#define IDC_STATIC         (-1)
#endif
