#pragma once
// The wallpaper browser of the main dialog: one tab per view folder (control
// 1000), the folder's pictures in list 1001 with their shell icons, and the row
// remembered per tab. It hands back the path of the picture picked.

#include <array>
#include <string>

#include "core/BrowserEntries.h"
#include "core/SettingsProfile.h"
#include "core/ViewFolderTable.h"
#include "winui/Dialog.h"
#include "winui/ImageList.h"

class PluginHost;

class WallpaperBrowser {
public:
    WallpaperBrowser(winui::Dialog& dialog, PluginHost& plugins) : dialog_(dialog), plugins_(plugins) {}

    // The view folders from the profile, one tab each (the first: the Windows folder).
    void LoadFolders(const SettingsProfile& profile, const std::string& windowsFolder);
    int FolderCount() const { return folders_.Count(); }
    int CurrentTab() const { return currentTab_; }

    // Shows the tab (selecting it, when it is not) with its folder's pictures and
    // its remembered row picked again; false, and nothing shown, for a tab that
    // does not exist.
    bool ShowTab(int tab);
    // Picks the tab's remembered row again.
    void SelectRemembered();
    // The list's picked row, remembered for the tab when it names a picture; the
    // path of what it shows ("" for none, or for "(なし)").
    std::string TakePick();
    // The path of a row of the list.
    const std::string& PathAt(int row) const { return entries_.Path(row); }

private:
    void FillList(const std::string& folder);

    winui::Dialog& dialog_;
    PluginHost& plugins_;
    ViewFolderTable folders_;
    BrowserEntries entries_;
    winui::ImageList icons_;
    std::array<int, ViewFolderTable::kCapacity> tabRow_{};
    int currentTab_ = 0;
};
