#pragma once
// The wallpaper browser of the main dialog: one tab per view folder (control
// 1000), the folder's pictures in list 1001 with their shell icons, and the
// pick remembered per tab. It hands back the path of the picture picked.
//
// A pick is remembered by what it is (the folder and the file), not by where
// it was: after the tabs are rebuilt a tab may show another folder, and its old
// row would name a picture the user never picked there.

#include <array>
#include <optional>
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
    // its remembered pick picked again; false, and nothing shown, for a tab that
    // does not exist.
    bool ShowTab(int tab);
    // Picks the tab's remembered pick again: the first row on a first visit,
    // nothing when the tab now shows another folder or the file has gone.
    void SelectRemembered();
    // The path of the list's picked row ("" for "(なし)"), remembered for the
    // tab. With no row picked (a click on the list's empty space deselects
    // them all) the pick remembered stands; nothing when there is none.
    std::optional<std::string> TakePick();
    // The path of a row of the list.
    const std::string& PathAt(int row) const { return entries_.Path(row); }

private:
    void FillList(const std::string& folder);

    winui::Dialog& dialog_;
    PluginHost& plugins_;
    ViewFolderTable folders_;
    BrowserEntries entries_;
    winui::ImageList icons_;
    struct Pick {
        bool picked = false;     // path is a pick ("" being "(なし)")
        std::string folder;      // the folder the tab showed then
        std::string path;
        bool forgotten = false;  // the tab showed another folder since: nothing is picked
    };
    std::array<Pick, ViewFolderTable::kCapacity> picks_{};
    int currentTab_ = 0;
};
