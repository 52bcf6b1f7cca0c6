#pragma once
// The options sheet "オプション": start and end handling, behaviour, and the
// folders of the wallpaper list. Each page loads its values from the profile
// when it is first shown and saves them on OK or Apply; Cancel keeps only what
// an earlier Apply saved.

#include <windows.h>

#include <functional>
#include <string>

#include "core/SettingsProfile.h"

class PluginHost;

// Asks the user for a folder to add; "" when the user gave up.
using FolderPicker = std::function<std::string(HWND owner)>;

// The shell's folder browser from the desktop down, file-system folders only;
// a choice that is no file-system path is asked for again.
std::string BrowseForFolder(HWND owner);

// Runs the options sheet modally over owner. Returns true when it ended with OK
// or after an Apply (whatever the ending button): the caller rebuilds its folder
// tabs in every case anyway. The view-folder table is loaded and saved by the
// sheet through the profile; windowsDirectory is entry 0's path.
// plugins: the loaded plug-ins whose patterns, besides "*.bmp", make a folder
// one with pictures (without them only bitmaps count); pickFolder: how the
// folder to add is asked for.
bool RunOptionsSheet(HWND owner, SettingsProfile& profile, const std::string& windowsDirectory,
                     const PluginHost* plugins = nullptr, const FolderPicker& pickFolder = BrowseForFolder);
