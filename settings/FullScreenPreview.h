#pragma once
// The full-screen preview: the desktop a picture would give, on the whole screen,
// where the user tries the display methods from the right button's menu.

#include <windows.h>

#include <cstdint>
#include <string>

class PluginHost;

// Shows path with colour and method on the whole screen (the task bar hidden
// meanwhile and always shown again, also when the preview fails). Returns the
// method chosen when it ended with OK, -1 when it ended otherwise.
int RunFullScreenPreview(HWND owner, PluginHost& plugins, const std::string& path, COLORREF colour,
                         int32_t method, SIZE screen);
