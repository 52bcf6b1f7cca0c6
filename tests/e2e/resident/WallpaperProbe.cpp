// Writes what SPI_GETDESKWALLPAPER says now into HKCU\Software\Vezaru\MiradoTest
// "Wallpaper": a new process asks afresh, where a long-lived one would be told
// the value it saw first.

#include <windows.h>

int main() {
    char path[MAX_PATH] = {};
    SystemParametersInfoA(SPI_GETDESKWALLPAPER, sizeof path, path, 0);
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Vezaru\\MiradoTest", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        return 1;
    }
    RegSetValueExA(key, "Wallpaper", 0, REG_SZ, reinterpret_cast<const BYTE*>(path), lstrlenA(path) + 1);
    RegCloseKey(key);
    return 0;
}
