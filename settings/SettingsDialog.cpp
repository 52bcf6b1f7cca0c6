#include "SettingsDialog.h"

#include <commctrl.h>

#include "core/PathText.h"
#include "core/ProfileValues.h"
#include "core/ReservationRowText.h"
#include "AboutDialogs.h"
#include "FullScreenPreview.h"
#include "HelpContents.h"
#include "OptionsSheet.h"
#include "Warnings.h"
#include "resource.h"
#include "win/MessageBox.h"
#include "win/ProgramFolder.h"
#include "win/WindowsDirectory.h"
#include "winui/Controls.h"
#include "winui/ListView.h"

namespace {

// Column headings of the reservation list, with their stored widths.
struct ColumnHeading {
    const char* text;
    const IntSetting& width;
};
const ColumnHeading kColumnHeadings[kColumnCount] = {
    {"    壁紙名", profile::kListSet0},
    {"予約", profile::kListSet1},
    {"表示方法", profile::kListSet2},
};

bool IsNavigationKey(WPARAM key) {
    return key == VK_PRIOR || key == VK_NEXT || key == VK_END || key == VK_HOME || key == VK_UP || key == VK_DOWN;
}

}  // namespace

SettingsDialog::SettingsDialog(SettingsProfile& profile)
    : winui::Dialog(IDD_SETTINGS), profile_(profile), table_(std::make_unique<SettingsTable>()) {
    accelerators_ = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ACCELERATORS));

    BindMessage(WM_TIMER, [this](WPARAM id, LPARAM) {
        if (id == TIMER_RESIDENT_WATCH) OnWatchTimer();
        PassToDefault();
        return 0;
    });

    // Which list the editor works for: the one clicked or focused last.
    const auto picked = [this](int id, EditorEvent event) {
        for (UINT code : {static_cast<UINT>(NM_CLICK), static_cast<UINT>(NM_SETFOCUS)}) {
            BindNotify(id, code, [this, event](NMHDR&) {
                Tell(event);
                return LRESULT{0};
            });
        }
    };
    picked(IDC_WALLPAPER_LIST, EditorEvent::WallpaperListPicked);
    picked(IDC_STANDARD_LIST, EditorEvent::StandardListPicked);
    picked(IDC_RESERVATION_LIST, EditorEvent::ReservationListPicked);
    BindNotify(IDC_RESERVATION_LIST, LVN_COLUMNCLICK, [this](NMHDR& header) {
        OnColumnClick(reinterpret_cast<NMLISTVIEW&>(header).iSubItem);
        return LRESULT{0};
    });
    BindNotify(IDC_FOLDER_TABS, TCN_SELCHANGE, [this](NMHDR&) {
        OnTabChanged();
        return LRESULT{0};
    });

    BindCommand(IDC_METHOD, CBN_SELCHANGE, [this] { editor_.OnMethodPicked(); });
    for (int box : {IDC_DATE_ON, IDC_TIME_ON, IDC_TIMER_ON}) BindCommand(box, [this] { editor_.UpdateControls(); });
    BindCommand(IDC_REGISTER, [this] { Register(); });
    BindCommand(IDC_CHANGE, [this] { Change(); });
    BindCommand(IDC_DELETE, [this] { DeleteSelected(); });
    BindCommand(IDC_MOVE_UP, [this] { Move(-1); });
    BindCommand(IDC_MOVE_DOWN, [this] { Move(+1); });
    BindCommand(IDC_SET_STANDARD, [this] { SetAsStandard(); });
    BindCommand(IDC_COLOUR, [this] { ChooseColour(); });
    BindCommand(ID_SELECT_WALLPAPERS, [this] { SelectAllWallpapers(); });
    BindCommand(ID_OPTIONS, [this] { OpenOptions(); });
    BindCommand(IDC_PREVIEW, STN_CLICKED, [this] { OpenFullScreenPreview(); });
    BindCommand(ID_APP_ABOUT, [this] { RunAboutBox(Handle()); });
    BindCommand(ID_PLUGIN_INFO, [this] { RunPluginInfo(Handle(), plugins_); });
    // The menu item, and F1 through the accelerator table (code 1).
    BindCommand(ID_HELP_CONTENTS, 0, [this] { OpenHelpContents(Handle()); });
    BindCommand(ID_HELP_CONTENTS, 1, [this] { OpenHelpContents(Handle()); });
    BindCommand(ID_SELECT_RESERVATIONS, [this] { SelectAllReservations(); });

    BindDrawItem(IDC_PREVIEW, [this](DRAWITEMSTRUCT& item) {
        preview_.DrawPreview(item, editor_.CurrentPath(), editor_.CurrentMethod(), editor_.CurrentColour());
    });
    BindDrawItem(IDC_SWATCH, [this](DRAWITEMSTRUCT& item) { PreviewPane::DrawSwatch(item, editor_.CurrentColour()); });
}

SettingsDialog::~SettingsDialog() { Destroy(); }

BOOL SettingsDialog::OnInitDialog() {
    // Set once the window exists: the task bar and Alt+Tab ask the window for it.
    SetIcon(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_MAIN)));
    RemoveSystemMenuItems();
    preview_.Attach(*this);

    // The first run writes what the resident changer reads at its exit.
    if (profile_.ReadInt(profile::kFlag1stBoot.section, profile::kFlag1stBoot.name, profile::kFlag1stBootMissing) ==
        profile::kFlag1stBootMissing) {
        profile_.Write(profile::kFlagStdDispMD, 0);
        profile_.Write(profile::kFlag1stBoot, 0);
    }

    LoadPluginsFromProgramOrSusieFolder(plugins_, ProgramFolder());

    winui::ListView reservations(*this, IDC_RESERVATION_LIST);
    rowIcons_ = winui::ImageList::FromBitmap(GetModuleHandleA(nullptr), IDB_ROW_MARKS, 16, 2, RGB(255, 255, 255));
    reservations.SetImageList(rowIcons_);
    for (int c = 0; c < kColumnCount; ++c) {
        reservations.InsertColumn(c, kColumnHeadings[c].text, profile_.Read(kColumnHeadings[c].width));
    }
    winui::ListView standard(*this, IDC_STANDARD_LIST);
    standard.InsertColumn(0, "", 180);
    standard.InsertColumn(1, "", 150);

    browser_.LoadFolders(profile_, WindowsDirectory());
    winui::ListView(*this, IDC_WALLPAPER_LIST).InsertColumn(0, "", 174);
    browser_.ShowTab(0);

    editor_.Attach();

    // The row of the reservation the resident changer showed last (-1: the
    // standard wallpaper) is the current one.
    const int shown = binder_.GetItem();
    LoadReservations(shown);
    InsertStandardRow();
    DisplayCount();

    if (shown >= 0 && shown < table_->count) {
        reservations.SetSelected(shown, true);
        reservations.SetFocused(shown);
        reservations.SetSelectionMark(shown);
        reservations.EnsureVisible(shown);
    }
    standard.SetSelected(0, true);
    standard.SetFocused(0);

    if (shown < 0) {
        FocusItem(IDC_STANDARD_LIST);
        Tell(EditorEvent::StandardListPicked);
        if (table_->count > 0) {
            reservations.SetSelected(0, true);
            reservations.SetFocused(0);
            reservations.EnsureVisible(0);
        }
    } else if (table_->count != 0) {
        FocusItem(IDC_RESERVATION_LIST);
        Tell(EditorEvent::ReservationListPicked);
    } else {
        editor_.SetCurrentIndex(shown);
    }

    for (int id : {IDC_WALLPAPER_LIST, IDC_STANDARD_LIST, IDC_RESERVATION_LIST}) {
        winui::ListView(*this, id).SetExtendedStyle(LVS_EX_FULLROWSELECT);
    }
    SetTimer(Handle(), TIMER_RESIDENT_WATCH, 100, nullptr);
    return FALSE;  // the focus is set
}

void SettingsDialog::RemoveSystemMenuItems() {
    // Maximize, Size and Restore of the standard system menu: the dialog has one size.
    if (HMENU system = GetSystemMenu(Handle(), FALSE)) {
        for (UINT position : {4u, 2u, 0u}) RemoveMenu(system, position, MF_BYPOSITION);
    }
}

void SettingsDialog::LoadReservations(int shown) {
    LoadSettingsTable(profile_, shown, *table_);
    for (int i = 0; i < table_->count; ++i) InsertReservationRow(i);
}

void SettingsDialog::InsertReservationRow(int i) {
    const SettingsRecord& slot = table_->slots[static_cast<size_t>(i)];
    winui::ListView list(*this, IDC_RESERVATION_LIST);
    list.InsertItem(i, ReservationColumnText(slot, kColumnTitle), slot.shownMark != 0 ? 1 : 0);
    for (int c = kColumnTitle + 1; c < kColumnCount; ++c) list.SetItemText(i, c, ReservationColumnText(slot, c));
    if (slot.shownMark != 0) list.EnsureVisible(i);
}

void SettingsDialog::UpdateReservationRow(int i) {
    const SettingsRecord& slot = table_->slots[static_cast<size_t>(i)];
    winui::ListView list(*this, IDC_RESERVATION_LIST);
    for (int c = 0; c < kColumnCount; ++c) list.SetItemText(i, c, ReservationColumnText(slot, c));
    list.SetItemImage(i, slot.shownMark != 0 ? 1 : 0);
}

void SettingsDialog::InsertStandardRow() {
    winui::ListView list(*this, IDC_STANDARD_LIST);
    list.InsertItem(0, GetFileTitle(table_->standard.fileName));
    list.SetItemText(0, 1, DisplayMethodName(table_->standard.displayMethod));
}

void SettingsDialog::DisplayCount() { SetItemText(IDC_COUNT, std::to_string(table_->count)); }

void SettingsDialog::OnColumnClick(int column) {
    winui::ListView list(*this, IDC_RESERVATION_LIST);
    const std::vector<int> selected = list.SelectedRows();
    const int focused = list.FocusedRow();
    const int mark = list.SelectionMark();
    const RowOrder order = SortTableByColumn(*table_, sortDirections_, column);
    if (order.Size() == 0) return;
    // The rows are rewritten in the new order; the selection, the focus and the
    // current reservation follow their records.
    editor_.SetCurrentIndex(order.RowOf(editor_.CurrentIndex()));
    list.SetSelected(-1, false);
    for (int i = 0; i < table_->count; ++i) UpdateReservationRow(i);
    for (int row : selected) list.SetSelected(order.RowOf(row), true);
    if (focused >= 0) list.SetFocused(order.RowOf(focused));
    if (mark >= 0) list.SetSelectionMark(order.RowOf(mark));
    MarkChanged();
}

void SettingsDialog::OpenOptions() {
    RunOptionsSheet(Handle(), profile_, WindowsDirectory(), &plugins_);
    // The folders may have changed whatever the button: the tabs are rebuilt,
    // and the tab shown before is shown again, refreshed, while it exists.
    // Selecting a tab from here sends no notification.
    const int before = browser_.CurrentTab();
    browser_.LoadFolders(profile_, WindowsDirectory());
    browser_.ShowTab(before < browser_.FolderCount() ? before : 0);
    Tell(EditorEvent::OptionsClosed);
}

void SettingsDialog::OnTabChanged() {
    browser_.ShowTab(winui::TabControl(*this, IDC_FOLDER_TABS).Selection());
    FocusItem(IDC_WALLPAPER_LIST);
    Tell(EditorEvent::TabChanged);
}

void SettingsDialog::OpenFullScreenPreview() {
    // The method comes back only when the preview ends with OK.
    const PixelSize screen = preview_.Screen();
    const int method = RunFullScreenPreview(Handle(), plugins_, editor_.CurrentPath(), editor_.CurrentColour(),
                                            editor_.CurrentMethod(), SIZE{screen.width, screen.height});
    if (method >= 0) editor_.SetMethod(method);
}

void SettingsDialog::SelectAllReservations() {
    winui::ListView list(*this, IDC_RESERVATION_LIST);
    list.SetSelected(-1, true);
    FocusItem(IDC_RESERVATION_LIST);
    const int current = editor_.CurrentIndex();
    if (current >= 0 && current < table_->count) {
        list.SetSelected(current, true);
        list.SetFocused(current);
    }
    // The list may have had the focus already: the editor learns of the new
    // selection here, not from a focus notification.
    Tell(EditorEvent::ReservationsAllSelected);
}

void SettingsDialog::SelectAllWallpapers() {
    winui::ListView(*this, IDC_WALLPAPER_LIST).SetSelected(-1, true);
    FocusItem(IDC_WALLPAPER_LIST);
    browser_.SelectRemembered();
    Tell(EditorEvent::WallpapersAllSelected);
}

void SettingsDialog::Tell(EditorEvent event) {
    const winui::ListView reservations(*this, IDC_RESERVATION_LIST);
    EditorInputs inputs;
    inputs.pickedRow = reservations.PickedRow();
    if (inputs.pickedRow >= 0 && inputs.pickedRow < table_->count) {
        inputs.record = &table_->slots[static_cast<size_t>(inputs.pickedRow)].record;
    }
    inputs.standard = &table_->standard;
    inputs.browserPick = [this] { return browser_.TakePick(); };
    // A delete counts the reservations left; every other event the rows selected.
    const int rows = event == EditorEvent::Deleted ? table_->count : static_cast<int>(reservations.SelectedRows().size());
    editor_.On(event, rows, inputs);
    // A picture that cannot be opened is refused when the user picks it (a
    // click, a key, the focus), once the editor shows the colour alone.
    const bool userPick = event == EditorEvent::WallpaperListPicked || event == EditorEvent::WallpaperListStepped;
    if (userPick && browser_.TellRefusal()) ShowWarning(kWarningUnspellableName);
    if (event == EditorEvent::StandardListPicked || event == EditorEvent::ReservationListPicked) {
        browser_.ForgetRefusal();
    }
}

void SettingsDialog::SaveOnClose() {
    if (saved_) return;
    saved_ = true;
    plugins_.UnloadPlugins();
    SaveSettingsTable(profile_, *table_);
    winui::ListView list(*this, IDC_RESERVATION_LIST);
    for (int c = 0; c < kColumnCount; ++c) profile_.Write(kColumnHeadings[c].width, list.ColumnWidth(c));
}

void SettingsDialog::Leave() {
    if (Ended()) return;
    KillTimer(Handle(), TIMER_RESIDENT_WATCH);
    SaveOnClose();
    EndDialog(IDCANCEL);
}

void SettingsDialog::OnCancel() {
    // "終了(&X)", and the close box through the default handling of WM_CLOSE:
    // the resident changer ends too.
    if (!Ended()) binder_.SetExitFlag(1);
    Leave();
}

void SettingsDialog::OnWatchTimer() {
    if (binder_.GetMDKFlag() == 0) Leave();  // the resident changer has gone
}

void SettingsDialog::OnDestroy() {
    KillTimer(Handle(), TIMER_RESIDENT_WATCH);
    CloseHelp();
    binder_.Unload();
}

bool SettingsDialog::WindowProc(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    // Windows is ending (a logoff): this process ends with the session without
    // any other way out, so the edits are saved as on the others. The resident
    // changer ends with the session too: no exit request.
    if (message == WM_ENDSESSION) {
        if (wParam != FALSE) SaveOnClose();
        result = 0;
        return true;
    }
    // A minimise, from the title bar or the system menu (the low four bits of
    // the command are the system's own), or one that arrives as a resize: save,
    // end, and the resident changer goes on with the saved table.
    const bool minimise = (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_MINIMIZE) ||
                          (message == WM_SIZE && wParam == SIZE_MINIMIZED);
    if (!minimise) return false;
    Leave();
    result = 0;
    return message == WM_SYSCOMMAND;
}

bool SettingsDialog::PreTranslateMessage(MSG& msg) {
    if (accelerators_ != nullptr && TranslateAcceleratorA(Handle(), accelerators_, &msg)) return true;
    // Neither key presses a button or ends the dialog.
    if (msg.message == WM_KEYDOWN && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE)) return true;
    if (msg.message == WM_KEYUP) OnKeyUp(msg);
    return false;
}

void SettingsDialog::OnKeyUp(const MSG& msg) {
    // Only a key released in the list concerned acts: the arrows of a drop-down
    // list or a Delete in another control leave the lists alone.
    if (IsNavigationKey(msg.wParam)) {
        if (msg.hwnd == Item(IDC_WALLPAPER_LIST)) Tell(EditorEvent::WallpaperListStepped);
        if (msg.hwnd == Item(IDC_RESERVATION_LIST)) Tell(EditorEvent::ReservationListPicked);
    }
    if (msg.wParam == VK_DELETE && msg.hwnd == Item(IDC_RESERVATION_LIST)) {
        DeleteSelected();
    }
}
