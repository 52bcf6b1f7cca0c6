#include "WallpaperBrowser.h"

#include <shellapi.h>

#include <map>
#include <vector>

#include "core/PathText.h"
#include "resource.h"
#include "win/AnsiText.h"
#include "win/PluginHost.h"
#include "winui/Controls.h"
#include "winui/Gdi.h"
#include "winui/ListView.h"

namespace {

WallpaperBrowser::FindDataHook findDataHook;

// Every file (not directory) of folder matching pattern, in the order the
// system lists them, as visit(path, title). The programs speak code page 932:
// a name with characters it lacks (é, Hangul, emoji) has no path of that code
// page (the ANSI functions would make one that names no file), so such a file is
// named by its short name and shown by its name as close as the code page
// allows. Without a short name (switched off on the volume, or ReFS) it cannot
// be opened at all: it is listed with the path "", to be refused when picked.
template <typename Visit>
void ForEachFile(const std::string& folder, const std::string& pattern, Visit visit) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(WideFromAnsi(folder + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (findDataHook) findDataHook(found);
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
        std::string name;
        if (ExactAnsi(found.cFileName, name)) {
            visit(folder + name, GetFileTitle(folder + name));
        } else {
            const std::string title = GetFileTitle(folder + ClosestAnsi(found.cFileName));
            const bool shortName = found.cAlternateFileName[0] != L'\0' && ExactAnsi(found.cAlternateFileName, name);
            visit(shortName ? folder + name : std::string(), title);
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

}  // namespace

void WallpaperBrowser::LoadFolders(const SettingsProfile& profile, const std::string& windowsFolder) {
    folders_.Load(profile, windowsFolder);
    winui::TabControl tabs(dialog_, IDC_FOLDER_TABS);
    tabs.DeleteAllItems();
    for (int i = 0; i < folders_.Count(); ++i) tabs.InsertItem(i, folders_.Entry(i).title);
}

bool WallpaperBrowser::ShowTab(int tab) {
    if (tab < 0 || tab >= folders_.Count()) return false;
    currentTab_ = tab;
    winui::TabControl(dialog_, IDC_FOLDER_TABS).Select(tab);
    FillList(folders_.Entry(tab).path);
    SelectRemembered();
    return true;
}

void WallpaperBrowser::FillList(const std::string& path) {
    // A drive root ("C:\") already ends with its backslash.
    const std::string folder = path.size() > 3 ? path + "\\" : path;
    entries_.Clear(winui::TabControl(dialog_, IDC_FOLDER_TABS).Selection() == 0);
    const auto insert = [this](const std::string& file, const std::string& title) {
        if (file.empty()) {
            entries_.InsertUnspellableEntry(title);
        } else {
            entries_.InsertSortedEntry(file, title);
        }
    };
    ForEachFile(folder, "*.BMP", insert);
    for (int32_t row = 0; row < plugins_.Count(); ++row) {
        const PluginRecord& plugin = plugins_.Record(row);
        for (int32_t p = 0; p < plugin.patternCount && p < PluginHost::kMaxPatterns; ++p) {
            const std::string pattern(plugin.patterns[p], strnlen(plugin.patterns[p], sizeof plugin.patterns[p]));
            if (!pattern.empty()) {
                ForEachFile(folder, pattern, insert);
            }
        }
    }

    // The prohibition sign for "(なし)", then the shell's icon of each kind of
    // file. The shell gives every file of an extension the same small icon, so
    // it is asked once per extension (each question costs milliseconds under
    // Wine, and a folder may hold a thousand pictures).
    winui::ImageList icons =
        winui::ImageList::FromBitmap(GetModuleHandleA(nullptr), IDB_NONE, 16, 2048, RGB(255, 255, 255));
    const bool noneSlot = entries_.FirstFileSlot() != 0;
    if (!noneSlot) icons.Remove(0);  // no "(なし)" item on this tab
    std::vector<int> images(static_cast<size_t>(entries_.Count()), noneSlot ? 0 : winui::ListView::kNoImage);
    std::map<std::string, int> byExtension;
    int caution = -1;  // a file that cannot be opened shows the caution sign
    for (int k = entries_.FirstFileSlot(); k < entries_.Count(); ++k) {
        if (entries_.IsUnspellable(k)) {
            if (caution < 0) caution = icons.AddIcon(LoadIconA(nullptr, MAKEINTRESOURCEA(32515)));  // IDI_WARNING
            images[static_cast<size_t>(k)] = caution;
            continue;
        }
        const std::string& path = entries_.Path(k);
        if (path.empty()) break;
        const std::string extension = GetUpperExtension(path);
        auto known = byExtension.find(extension);
        if (known == byExtension.end()) {
            SHFILEINFOA info{};
            int image = -1;
            if (SHGetFileInfoA(path.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                               SHGFI_ICON | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES) != 0 &&
                info.hIcon != nullptr) {
                const winui::ScopedIcon icon(info.hIcon);
                image = icons.AddIcon(icon.Get());
            }
            // A kind the shell cannot describe still gets an image of its own.
            if (image < 0) image = icons.AddIcon(LoadIconA(nullptr, MAKEINTRESOURCEA(32512)));  // IDI_APPLICATION
            known = byExtension.emplace(extension, image).first;
        }
        images[static_cast<size_t>(k)] = known->second;
    }
    winui::ListView list(dialog_, IDC_WALLPAPER_LIST);
    list.SetImageList(icons);
    icons_ = std::move(icons);

    // One repaint for the whole fill, not one per item.
    SendMessageA(dialog_.Item(IDC_WALLPAPER_LIST), WM_SETREDRAW, FALSE, 0);
    list.DeleteAllItems();
    for (int k = 0; k < entries_.Count(); ++k) list.InsertItem(k, entries_.Title(k), images[static_cast<size_t>(k)]);
    SendMessageA(dialog_.Item(IDC_WALLPAPER_LIST), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(dialog_.Item(IDC_WALLPAPER_LIST), nullptr, TRUE);
}

void WallpaperBrowser::SelectRemembered() {
    Pick& pick = picks_[static_cast<size_t>(currentTab_)];
    const std::string& folder = folders_.Entry(currentTab_).path;
    int row = -1;
    if (pick.picked && pick.folder == folder) {
        for (int k = 0; k < entries_.Count() && row < 0; ++k) {
            const bool unspellable = entries_.IsUnspellable(k);
            if (unspellable != !pick.unspellable.empty()) continue;
            if (unspellable ? entries_.Title(k) == pick.unspellable : entries_.Path(k) == pick.path) row = k;
        }
    } else if (!pick.picked && !pick.forgotten) {
        row = 0;  // a tab without a pick opens on its first row: tab 0 on "(なし)"
    }
    if (row < 0) {
        pick = Pick{false, folder, {}, true, {}};
        return;
    }
    winui::ListView list(dialog_, IDC_WALLPAPER_LIST);
    list.SetSelected(row, true);
    list.SetFocused(row);
    list.SetSelectionMark(row);
    list.EnsureVisible(row);
}

std::optional<std::string> WallpaperBrowser::TakePick() {
    Pick& pick = picks_[static_cast<size_t>(currentTab_)];
    const int row = winui::ListView(dialog_, IDC_WALLPAPER_LIST).PickedRow();
    if (row >= 0 && row < entries_.Count()) {
        const std::string unspellable = entries_.IsUnspellable(row) ? entries_.Title(row) : std::string();
        pick = Pick{true, folders_.Entry(currentTab_).path, entries_.Path(row), false, unspellable};
    }
    if (!pick.picked || !pick.unspellable.empty()) return std::nullopt;
    return pick.path;
}

bool WallpaperBrowser::TellRefusal() {
    const Pick& pick = picks_[static_cast<size_t>(currentTab_)];
    if (!pick.picked || pick.unspellable.empty()) {
        told_.reset();
        return false;
    }
    const std::pair<std::string, std::string> refused{pick.folder, pick.unspellable};
    if (told_ == refused) return false;
    told_ = refused;
    return true;
}

void WallpaperBrowser::SetFindDataHook(FindDataHook hook) { findDataHook = std::move(hook); }
