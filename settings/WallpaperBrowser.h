#pragma once
// The wallpaper browser of the main dialog: one tab per view folder (control
// 1000), the folder's pictures in list 1001 with their shell icons, and the
// pick remembered per tab. It hands back the path of the picture picked.
//
// A pick is remembered by what it is (the folder and the file), not by where
// it was: after the tabs are rebuilt a tab may show another folder, and its old
// row would name a picture the user never picked there.

#include <windows.h>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

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
    // them all) the pick remembered stands; nothing when there is none, and
    // nothing for a file whose name cannot be opened.
    std::optional<std::string> TakePick();
    // After the user's own pick: whether the pick is a file whose name cannot
    // be opened that the user has not been told of yet. Told once for each time
    // it is picked: the focus that comes back to the list when the message
    // closes picks it again.
    bool TellRefusal();
    // The user works in another list: the next pick of such a file is told again.
    void ForgetRefusal() { told_.reset(); }
    // The paths of rows of the list, leaving out files whose names cannot be
    // opened; skipped tells whether one was left out.
    std::vector<std::string> PathsAt(const std::vector<int>& rows, bool& skipped) const {
        return entries_.PathsOf(rows, skipped);
    }

    // For tests: sees every file's find data before the browser does, as a
    // volume without short names would give it.
    using FindDataHook = std::function<void(WIN32_FIND_DATAW&)>;
    static void SetFindDataHook(FindDataHook hook);

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
        std::string unspellable;  // the title of a file that cannot be opened, path ""
    };
    std::optional<std::pair<std::string, std::string>> told_;  // the folder and title last told of
    std::array<Pick, ViewFolderTable::kCapacity> picks_{};
    int currentTab_ = 0;
};
