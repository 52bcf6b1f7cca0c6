#include <windows.h>

#include "ResidentApp.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        ResidentApp app;
        return app.Run();
    } catch (...) {
        return 1;
    }
}
