#pragma once
// The display method as the system's desktop settings say it: the strings
// "WallpaperStyle" and "TileWallpaper" under "Control Panel\desktop".

#include <cstdint>
#include <string>

struct DesktopStyle {
    const char* wallpaperStyle;
    const char* tileWallpaper;
};

// The values that lay the method out: centre "0"/"0", tile "0"/"1", stretch
// "2"/"0", fit "6"/"0", fill "10"/"0", span "22"/"0". Methods 3 and 4, and any
// code the editor never makes, are laid out as centre.
DesktopStyle DesktopStyleOf(int32_t displayMethod);

// The method the desktop's values describe, for the first run's capture:
// "6" fit, "10" fill, "22" span, "2" stretch and "1" tile, whatever
// "TileWallpaper" says; "0" tile or centre by "TileWallpaper" ("1" or "0");
// anything else (a missing value included) is stretch.
int32_t DisplayMethodOfDesktop(const std::string& style, const std::string& tile);
