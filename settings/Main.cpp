#include <windows.h>

#include "SettingsApp.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        SettingsApp app;
        return app.Run();
    } catch (...) {
        return 1;
    }
}
