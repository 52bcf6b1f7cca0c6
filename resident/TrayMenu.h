#pragma once
// The menu of the tray icon, made up for the resident changer's state.

#include <windows.h>

struct TrayMenuState {
    bool leftClickStop = false;   // the "人が来たモード" option
    bool running = true;
    bool shuffle = false;
    bool settingsOpen = false;
    bool pickerAvailable = false;
};

// Loads menu 135 and readies its first pop-up: default item, radio mark, shuffle
// check, grey items, the picker item. The caller tracks the pop-up and destroys
// the returned menu; popup receives the pop-up to track. nullptr on failure.
HMENU LoadTrayMenu(HINSTANCE instance, const TrayMenuState& state, HMENU& popup);
