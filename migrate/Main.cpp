#include <windows.h>

#include "MigrationApp.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        MigrationApp app;
        return app.Run();
    } catch (...) {
        return 1;
    }
}
