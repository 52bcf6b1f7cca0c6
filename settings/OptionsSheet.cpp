#include "OptionsSheet.h"

#include <commctrl.h>
#include <shlobj.h>

#include <memory>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "core/Cp932Text.h"
#include "core/PathText.h"
#include "core/ProfileValues.h"
#include "core/ViewFolderTable.h"
#include "Warnings.h"
#include "resource.h"
#include "win/MessageBox.h"
#include "win/PluginHost.h"
#include "win/ProgramFolder.h"
#include "win/RegistryKey.h"
#include "winui/AsciiOnlyEdit.h"
#include "winui/ImageList.h"
#include "winui/ListView.h"
#include "winui/PropertySheet.h"

namespace {

// Entry 0 of the table is the system folder, never listed.
constexpr int kMaxFolderRows = ViewFolderTable::kCapacity - 1;

// A check box tied to an int of the profile: 1 ticked, 0 not.
struct FlagBox {
    int id;
    IntSetting value;
};

// A page of the sheet: loads when first shown, saves on OK or Apply and
// records that something was saved. Its check boxes mark it modified.
class OptionsPage : public winui::PropertyPage {
public:
    OptionsPage(int resourceId, SettingsProfile& profile, bool& applied, std::vector<FlagBox> boxes)
        : PropertyPage(resourceId), profile_(profile), applied_(applied), boxes_(std::move(boxes)) {
        for (const FlagBox& box : boxes_) BindCommand(box.id, [this] { SetModified(); });
    }

protected:
    BOOL OnInitDialog() override {
        loading_ = true;
        Load();
        loading_ = false;
        return TRUE;
    }
    bool OnApply() override {
        Save();
        applied_ = true;
        return true;
    }
    virtual void Load() {
        for (const FlagBox& box : boxes_) SetChecked(box.id, profile_.Read(box.value) != 0);
    }
    virtual void Save() {
        for (const FlagBox& box : boxes_) profile_.Write(box.value, IsChecked(box.id) ? 1 : 0);
    }
    HWND Sheet() const { return GetParent(Handle()); }

    SettingsProfile& profile_;
    bool loading_ = false;

private:
    bool& applied_;
    std::vector<FlagBox> boxes_;
};

// The start of the resident changer when the user signs in to Windows: the
// value "Mirado" of the user's Run key, the quoted path of the MDK.EXE beside
// this program. The box is ticked only when the value names that very file, so
// that a value left by a copy of Mirado elsewhere shows as not ticked.
constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kRunValue = "Mirado";

std::string ResidentProgram() { return ProgramFolder() + "\\MDK.EXE"; }

class StartEndPage : public OptionsPage {
public:
    StartEndPage(SettingsProfile& profile, bool& applied)
        : OptionsPage(IDD_OPTIONS_START_END, profile, applied,
                      {{IDC_MINIMISE_AT_START, profile::kFlag1stBoot},
                       {IDC_STANDARD_AT_MDK_END, profile::kFlagStdDispMD},
                       {IDC_STANDARD_AT_WINDOWS_END, profile::kFlagStdDispWIN}}) {
        BindCommand(IDC_START_AT_SIGN_IN, [this] { SetModified(); });
    }

protected:
    void Load() override {
        OptionsPage::Load();
        const RegistryKey run = RegistryKey::Open(HKEY_CURRENT_USER, kRunKey, KEY_QUERY_VALUE);
        std::string command;
        startsAtSignIn_ = run.ReadString(kRunValue, command) && CommandNamesProgram(command, ResidentProgram());
        SetChecked(IDC_START_AT_SIGN_IN, startsAtSignIn_);
    }
    void Save() override {
        OptionsPage::Save();
        // Only a box the user unticked deletes the value: one that names another
        // copy of Mirado, shown unticked, stays until this box is ticked.
        const bool ticked = IsChecked(IDC_START_AT_SIGN_IN);
        if (ticked) {
            RegistryKey::Create(HKEY_CURRENT_USER, kRunKey).WriteString(kRunValue, "\"" + ResidentProgram() + "\"");
        } else if (startsAtSignIn_) {
            RegistryKey::Open(HKEY_CURRENT_USER, kRunKey, KEY_SET_VALUE).DeleteValue(kRunValue);
        }
        startsAtSignIn_ = ticked;
    }

private:
    bool startsAtSignIn_ = false;
};

class BehaviourPage : public OptionsPage {
public:
    BehaviourPage(SettingsProfile& profile, bool& applied)
        : OptionsPage(IDD_OPTIONS_BEHAVIOUR, profile, applied,
                      {{IDC_SHUFFLE, profile::kFlagShuffle},
                       {IDC_LEFT_CLICK_STOP, profile::kFlagBoss},
                       {IDC_ASK_PASSWORD, profile::kFlagPasswd}}) {
        BindCommand(IDC_ASK_PASSWORD, [this] {
            // Unticking keeps the text: it is stored all the same.
            const bool ask = IsChecked(IDC_ASK_PASSWORD);
            EnableItem(IDC_PASSWORD_TEXT, ask);
            if (ask) FocusItem(IDC_PASSWORD_TEXT);
            SetModified();
        });
        BindCommand(IDC_PASSWORD_TEXT, EN_CHANGE, [this] {
            if (!loading_) SetModified();
        });
    }

protected:
    void Load() override {
        OptionsPage::Load();
        password_.Attach(Item(IDC_PASSWORD_TEXT));
        SendDlgItemMessageA(Handle(), IDC_PASSWORD_TEXT, EM_LIMITTEXT, profile::kPasswordMaxLength, 0);
        SetItemText(IDC_PASSWORD_TEXT, profile_.Read(profile::kPasswd));
        EnableItem(IDC_PASSWORD_TEXT, IsChecked(IDC_ASK_PASSWORD));
    }
    void Save() override {
        OptionsPage::Save();
        profile_.Write(profile::kPasswd, ItemText(IDC_PASSWORD_TEXT));
    }

private:
    winui::AsciiOnlyEdit password_;
};

// The user's folders, one row each (title, path); the table changes only when
// the page is applied.
class ViewFolderPage : public OptionsPage {
public:
    ViewFolderPage(SettingsProfile& profile, bool& applied, std::string windowsDirectory, const PluginHost& plugins,
                   FolderPicker pickFolder)
        : OptionsPage(IDD_OPTIONS_FOLDERS, profile, applied, {}),
          windowsDirectory_(std::move(windowsDirectory)),
          plugins_(plugins),
          pickFolder_(std::move(pickFolder)) {
        BindCommand(IDC_FOLDER_ADD, [this] { Add(); });
        BindCommand(IDC_FOLDER_RENAME, [this] { Rename(); });
        BindCommand(IDC_FOLDER_DELETE, [this] { Delete(); });
        BindCommand(IDC_FOLDER_UP, [this] { Move(-1); });
        BindCommand(IDC_FOLDER_DOWN, [this] { Move(+1); });
        // Keys move the selection as well as clicks do.
        BindNotify(IDC_FOLDER_LIST, LVN_ITEMCHANGED, [this](NMHDR&) {
            UpdateFolderButtons();
            return LRESULT{0};
        });
        BindNotify(IDC_FOLDER_LIST, LVN_ENDLABELEDIT, [this](NMHDR& header) {
            // No text: the edit was cancelled. Any text is taken, the empty one too.
            if (reinterpret_cast<NMLVDISPINFOA&>(header).item.pszText == nullptr) return LRESULT{FALSE};
            SetModified();
            return LRESULT{TRUE};
        });
    }

protected:
    void Load() override {
        folders_.Load(profile_, windowsDirectory_);
        winui::ListView list(*this, IDC_FOLDER_LIST);
        list.InsertColumn(0, "名前", 128);
        list.InsertColumn(1, "アドレス", 228);
        images_ = winui::ImageList::FromBitmap(GetModuleHandleA(nullptr), IDB_FOLDER, 16, 1, RGB(255, 255, 255));
        list.SetImageList(images_);
        for (int i = 1; i < folders_.Count(); ++i) InsertRow(i - 1, folders_.Entry(i));
        list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
        UpdateFolderButtons();
    }
    void Save() override {
        winui::ListView list(*this, IDC_FOLDER_LIST);
        folders_.ClearUserFolders();
        for (int row = 0; row < list.ItemCount(); ++row) folders_.Add(list.ItemText(row, 0), list.ItemText(row, 1));
        folders_.Save(profile_);
    }

private:
    void InsertRow(int row, const ViewFolder& folder) {
        winui::ListView list(*this, IDC_FOLDER_LIST);
        row = list.InsertItem(row, folder.title, 0);
        list.SetItemText(row, 1, folder.path);
    }

    int SelectedRow() const {
        const std::vector<int> rows = winui::ListView(*this, IDC_FOLDER_LIST).SelectedRows();
        return rows.empty() ? -1 : rows.front();
    }

    void UpdateFolderButtons() {
        const int row = SelectedRow();
        const int count = winui::ListView(*this, IDC_FOLDER_LIST).ItemCount();
        EnableItem(IDC_FOLDER_RENAME, row >= 0);
        EnableItem(IDC_FOLDER_DELETE, row >= 0);
        EnableItem(IDC_FOLDER_UP, row > 0);
        EnableItem(IDC_FOLDER_DOWN, row >= 0 && row < count - 1);
    }

    // The title the folder is registered under already, the system folder's
    // included; letter case aside, as the file system sees it.
    std::optional<std::string> RegisteredTitle(const std::string& path) const {
        if (CompareAsciiNoCase(path, folders_.Entry(0).path) == 0) return folders_.Entry(0).title;
        winui::ListView list(*this, IDC_FOLDER_LIST);
        for (int row = 0; row < list.ItemCount(); ++row) {
            if (CompareAsciiNoCase(path, list.ItemText(row, 1)) == 0) return list.ItemText(row, 0);
        }
        return std::nullopt;
    }

    void Add() {
        std::string path;
        for (;;) {
            path = pickFolder_(Sheet());
            if (path.empty()) return;
            const std::optional<std::string> title = RegisteredTitle(path);
            if (title) {
                ShowMessage(
                    Sheet(),
                    path + "\n\nこのフォルダは「" + *title + "」として登録されています。\nもう一度確認して下さい。",
                    MessageKind::Caution);
            }
            const bool hasImages = plugins_.FolderHasImages(path);
            if (!hasImages) {
                ShowMessage(Sheet(),
                            path + "\n\nこのフォルダには画像ファイルが存在しません。\nもう一度確認して下さい。",
                            MessageKind::Caution);
            }
            if (!title && hasImages) break;
        }
        winui::ListView list(*this, IDC_FOLDER_LIST);
        if (list.ItemCount() >= kMaxFolderRows) {
            ShowWarning(kWarningTableFull, Sheet());
        } else {
            // The last component whole, dots and all; a drive root keeps its whole path.
            InsertRow(list.ItemCount(), {LastPathComponent(path), path});
            SetModified();
        }
        UpdateFolderButtons();
    }

    void Rename() {
        const int row = SelectedRow();
        if (row < 0) return;
        FocusItem(IDC_FOLDER_LIST);
        winui::ListView(*this, IDC_FOLDER_LIST).EditLabel(row);
    }

    void Delete() {
        const int row = SelectedRow();
        if (row < 0) return;
        winui::ListView(*this, IDC_FOLDER_LIST).DeleteItem(row);
        SetModified();
        FocusItem(IDC_FOLDER_LIST);
        UpdateFolderButtons();
    }

    void Move(int step) {
        winui::ListView list(*this, IDC_FOLDER_LIST);
        const int row = SelectedRow();
        const int target = row + step;
        if (row < 0 || target < 0 || target >= list.ItemCount()) return;
        const ViewFolder folder{list.ItemText(row, 0), list.ItemText(row, 1)};
        list.DeleteItem(row);
        InsertRow(target, folder);
        list.SetSelected(target, true);
        list.SetFocused(target);
        list.EnsureVisible(target);
        list.SetSelectionMark(target);
        SetModified();
        FocusItem(IDC_FOLDER_LIST);
        UpdateFolderButtons();
    }

    std::string windowsDirectory_;
    const PluginHost& plugins_;
    FolderPicker pickFolder_;
    ViewFolderTable folders_;
    winui::ImageList images_;
};

}  // namespace

std::string BrowseForFolder(HWND owner) {
    for (;;) {
        char name[MAX_PATH] = {};
        BROWSEINFOA info{};
        info.hwndOwner = owner;
        info.pszDisplayName = name;
        info.lpszTitle = "追加するフォルダを指定してください";
        info.ulFlags = BIF_RETURNONLYFSDIRS;
        PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&info);
        if (chosen == nullptr) return {};
        char path[MAX_PATH] = {};
        const BOOL isPath = SHGetPathFromIDListA(chosen, path);
        CoTaskMemFree(chosen);
        if (isPath && path[0] != '\0') return path;
    }
}

bool RunOptionsSheet(HWND owner, SettingsProfile& profile, const std::string& windowsDirectory,
                     const PluginHost* plugins, const FolderPicker& pickFolder) {
    std::unique_ptr<PluginHost> bitmapsOnly;
    if (plugins == nullptr) {
        bitmapsOnly = std::make_unique<PluginHost>(PluginHost::Variant::Settings);
        plugins = bitmapsOnly.get();
    }
    bool applied = false;
    StartEndPage startEnd(profile, applied);
    BehaviourPage behaviour(profile, applied);
    ViewFolderPage folders(profile, applied, windowsDirectory, *plugins, pickFolder ? pickFolder : BrowseForFolder);
    winui::PropertySheetDialog sheet("オプション");
    sheet.AddPage(startEnd);
    sheet.AddPage(behaviour);
    sheet.AddPage(folders);
    sheet.DoModal(owner);
    return applied;
}
