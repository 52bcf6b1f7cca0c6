#include "TrayMenu.h"

#include <initializer_list>

#include "resource.h"

HMENU LoadTrayMenu(HINSTANCE instance, const TrayMenuState& state, HMENU& popup) {
    HMENU menu = LoadMenuA(instance, MAKEINTRESOURCEA(IDR_TRAY_MENU));
    popup = menu != nullptr ? GetSubMenu(menu, 0) : nullptr;
    if (popup == nullptr) {
        if (menu != nullptr) DestroyMenu(menu);
        return nullptr;
    }

    SetMenuDefaultItem(popup, state.leftClickStop && state.running ? ID_STOP : ID_OPEN_SETTINGS, FALSE);
    CheckMenuRadioItem(popup, ID_START, ID_STOP, state.running ? ID_START : ID_STOP, MF_BYCOMMAND);
    CheckMenuItem(popup, ID_SHUFFLE, MF_BYCOMMAND | (state.shuffle ? MF_CHECKED : MF_UNCHECKED));

    if (state.settingsOpen) {
        for (UINT id : {ID_START, ID_STOP, ID_NEXT, ID_OPEN_SETTINGS}) EnableMenuItem(popup, id, MF_BYCOMMAND | MF_GRAYED);
    } else {
        EnableMenuItem(popup, ID_START, MF_BYCOMMAND | MF_ENABLED);
        EnableMenuItem(popup, ID_STOP, MF_BYCOMMAND | MF_ENABLED);
        EnableMenuItem(popup, ID_NEXT, MF_BYCOMMAND | (state.running ? MF_ENABLED : MF_GRAYED));
        EnableMenuItem(popup, ID_OPEN_SETTINGS, MF_BYCOMMAND | MF_ENABLED);
    }

    if (state.pickerAvailable) {
        InsertMenuA(popup, 4, MF_BYPOSITION | MF_STRING, ID_PICKER, "壁紙を選んで表示(&L)");
    }
    return menu;
}
