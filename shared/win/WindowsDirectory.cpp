#include "WindowsDirectory.h"

#include <windows.h>

std::string WindowsDirectory() {
    char buffer[260] = {};
    const UINT n = GetWindowsDirectoryA(buffer, sizeof buffer);
    return n > 0 && n < sizeof buffer ? std::string(buffer, n) : std::string();
}
