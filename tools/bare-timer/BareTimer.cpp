// The yardstick for the resident changer's idle cost: a hidden window with one
// 10 ms timer whose ticks do nothing, in a plain message loop. Whatever MDK.EXE
// costs beyond this program is its own work; tools/measure-cpu.sh runs both.

#include <windows.h>

namespace {

constexpr UINT_PTR kTimer = 1;

LRESULT CALLBACK BareProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) return 0;  // the tick itself is all we measure
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = BareProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "MiradoBareTimer";
    if (RegisterClassA(&windowClass) == 0) return 1;
    HWND hwnd = CreateWindowA("MiradoBareTimer", "", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    if (hwnd == nullptr) return 1;
    SetTimer(hwnd, kTimer, 10, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
