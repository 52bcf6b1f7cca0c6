#pragma once
#include <string>

// What GetWindowsDirectoryA reports (buffer of 260 bytes), for entry 0 of the
// view-folder table.
std::string WindowsDirectory();
