#include "ResidentDialog.h"

#include <shellapi.h>

#include <cstdio>
#include <ctime>

#include "ResidentTimers.h"
#include "TrayMenu.h"
#include "core/ProfileValues.h"
#include "core/ReservationStorage.h"
#include "resource.h"
#include "win/ProgramFolder.h"
#include "winui/Gdi.h"

ResidentDialog::ResidentDialog(SettingsProfile& profile, int32_t firstBoot)
    : winui::Dialog(IDD_RESIDENT),
      profile_(profile),
      programFolder_(ProgramFolder()),
      applier_(plugins_, programFolder_),
      tray_(TRAY_CALLBACK, LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_TRAY)), "ミラド"),
      firstBoot_(firstBoot) {
    BindMessage(WM_TIMER, [this](WPARAM id, LPARAM) { OnTimer(id); return 0; });
    BindMessage(WM_PAINT, [this](WPARAM, LPARAM) {
        if (IsIconic(Handle())) PassToDefault();  // the framework paints the icon
        else OnFirstPaint();
        return 0;
    });
    BindMessage(WM_CLOSE, [this](WPARAM, LPARAM) {
        CloseHandling();
        return 0;
    });
    BindCommand(ID_START, [this] { scheduler_.Start(); });
    BindCommand(ID_STOP, [this] { scheduler_.Stop(); });
    BindCommand(ID_NEXT, [this] { scheduler_.Next(); });
    BindCommand(ID_SHUFFLE, [this] { ToggleShuffle(); });
    BindCommand(ID_OPEN_SETTINGS, [this] { StartCompanion("MDS.EXE"); });
    BindCommand(ID_PICKER, [this] { StartCompanion("MDL.EXE"); });
    BindCommand(ID_EXIT, [this] { ExitSequence(); });
}

BOOL ResidentDialog::OnInitDialog() {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    SetIcon(LoadIconA(instance, MAKEINTRESOURCEA(IDI_MAIN)));

    // The picker is offered when a file of its name opens beside this program.
    if (FILE* picker = std::fopen(CompanionPath("MDL.EXE").c_str(), "rb")) {
        std::fclose(picker);
        pickerAvailable_ = true;
    }

    // Explorer announces a new task bar with this message; the icon goes back then.
    taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
    tray_.Add(Handle());

    LoadPlugins();

    const int32_t entry = profile_.Read(profile::kEntry);
    if (entry <= -1) {
        // First run: the desktop as it is becomes the standard wallpaper.
        applier_.CaptureStandardWallpaper(scheduler_.Table().Standard(), profile_);
    }
    shuffleSynced_ = profile_.Read(profile::kFlagShuffle);
    leftClickStop_ = profile_.Read(profile::kFlagBoss);
    // Our own MD.dll tells when the settings program opens and closes, and the
    // scheduler then sleeps until something is due; with another one it watches
    // every 10 ms.
    if (SharedStateBinder::HasSettingsSignals()) settingsSignal_ = static_cast<HANDLE>(binder_.OpenMDSRise());
    const Scheduler::Pacing pacing =
        settingsSignal_ != nullptr ? Scheduler::Pacing::Signalled : Scheduler::Pacing::Polled;
    // Entry + 1 slots; no table yet leaves none until the first load.
    scheduler_.Begin(entry <= -1 ? 0 : StoredReservationCount(entry) + 1, shuffleSynced_ != 0, pacing);
    SetTimer(Handle(), TIMER_PLUGIN_RETRY, 1000, nullptr);
    return TRUE;
}

void ResidentDialog::OnCancel() { CloseHandling(); }

void ResidentDialog::OnDestroy() {
    DropSettingsSignal();
    tray_.Delete(Handle());
    binder_.SetMDKFlag(0);
    binder_.Unload();
}

bool ResidentDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    // What makes the local time jump: a clock set by hand or by the network, a
    // new time zone (the C library reads it anew), a resume from sleep. The
    // default handling follows. (A new wallpaper, ours included, is announced
    // with the same message: that one changes nothing here.)
    const bool resumed =
        message == WM_POWERBROADCAST && (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND);
    if (message == WM_TIMECHANGE || resumed || (message == WM_SETTINGCHANGE && wParam != SPI_SETDESKWALLPAPER)) {
        _tzset();
        scheduler_.OnClockChanged();
        FollowSettingsProgram();
        return false;
    }
    if (message == TRAY_CALLBACK) {
        OnTrayCallback(lParam);
        result = 0;
        return true;
    }
    if (message == WM_QUERYENDSESSION) {
        if (profile_.Read(profile::kFlagStdDispWIN) != 0) ApplyStandard();
        return false;  // the default handling answers the query
    }
    if (taskbarCreated_ != 0 && message == taskbarCreated_) {
        tray_.Readd(Handle());
        result = 0;
        return true;
    }
    return false;
}

long long ResidentDialog::NowMs() {
    // The same clock as time(), which under Wine asks for the time zone (a stat
    // of the zone file) on every call: the polled scheduler asks a hundred times
    // a second.
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const ULONGLONG ticks = (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    constexpr ULONGLONG kTicksPerMs = 10000;
    constexpr ULONGLONG kUnixEpochTicks = 116444736000000000;  // 1970-01-01 in FILETIME ticks
    return static_cast<long long>((ticks - kUnixEpochTicks) / kTicksPerMs);
}

void ResidentDialog::OnTimer(UINT_PTR id) {
    if (id == TIMER_PLUGIN_RETRY) {
        if (!pluginsLoaded_) LoadPlugins();
        if (pluginsLoaded_) KillTimer(Handle(), TIMER_PLUGIN_RETRY);
        return;
    }
    if (tray_.OnTimer(Handle(), id)) return;
    scheduler_.OnTimer(static_cast<uint32_t>(id));
    FollowSettingsProgram();
}

// Signalled pacing. A signal may be stale (a settings program killed before it
// was seen, a second one that took the flag): the scheduler looks at the flag
// itself, and the handle is opened anew for what it then believes.
void ResidentDialog::OnWaitEnded(bool) {
    DropSettingsSignal();
    scheduler_.OnSettingsSignal();
    FollowSettingsProgram();
}

void ResidentDialog::FollowSettingsProgram() {
    if (closing_) return;
    const Scheduler::SettingsSignal awaited = scheduler_.AwaitedSignal();
    if (awaited == Scheduler::SettingsSignal::None) return;
    if (settingsSignal_ != nullptr && settingsSignalFor_ == awaited) return;
    DropSettingsSignal();
    settingsSignal_ = static_cast<HANDLE>(awaited == Scheduler::SettingsSignal::Closing ? binder_.OpenMDSFall()
                                                                                         : binder_.OpenMDSRise());
    settingsSignalFor_ = awaited;
    // Nothing to wait on (the program closed meanwhile, or may not be opened):
    // the scheduler looks again in a tick.
    if (settingsSignal_ == nullptr) scheduler_.LookSoon();
}

void ResidentDialog::DropSettingsSignal() {
    if (settingsSignal_ != nullptr) CloseHandle(settingsSignal_);
    settingsSignal_ = nullptr;
}

void ResidentDialog::LoadPlugins() {
    if (LoadPluginsFromProgramOrSusieFolder(plugins_, programFolder_)) pluginsLoaded_ = true;
}

void ResidentDialog::OnFirstPaint() {
    PAINTSTRUCT paint;
    BeginPaint(Handle(), &paint);
    EndPaint(Handle(), &paint);
    if (hidden_) return;
    hidden_ = true;
    ShowWindow(Handle(), SW_HIDE);
    if (firstBoot_ == 0) StartCompanion("MDS.EXE");
}

void ResidentDialog::OnTrayCallback(LPARAM mouseMessage) {
    leftClickStop_ = profile_.Read(profile::kFlagBoss);
    switch (static_cast<UINT>(mouseMessage)) {
        case WM_LBUTTONDOWN:
            if (leftClickStop_ != 0 && scheduler_.LeftClickStop()) return;
            StartCompanion("MDS.EXE");
            return;
        case WM_RBUTTONDOWN:
            ShowTrayMenu();
            return;
        default:
            return;
    }
}

void ResidentDialog::ShowTrayMenu() {
    // The settings program may have stored another value: the check mark and the
    // scheduler both take it (the order follows at its next rebuild).
    shuffleSynced_ = profile_.Read(profile::kFlagShuffle);
    scheduler_.AdoptShuffle(shuffleSynced_ != 0);
    TrayMenuState state;
    state.leftClickStop = leftClickStop_ != 0;
    state.running = scheduler_.Running();
    state.shuffle = scheduler_.Shuffle();
    state.settingsOpen = scheduler_.SettingsOpen() != 0;
    state.pickerAvailable = pickerAvailable_;
    HMENU popup = nullptr;
    const winui::ScopedMenu menu(LoadTrayMenu(GetModuleHandleA(nullptr), state, popup));
    if (!menu) return;

    POINT cursor{};
    GetCursorPos(&cursor);
    // Without the foreground the menu would not close when the user clicks elsewhere.
    SetForegroundWindow(Handle());
    TrackPopupMenu(popup, TPM_LEFTALIGN, cursor.x, cursor.y, 0, Handle(), nullptr);
    PostMessageA(Handle(), WM_NULL, 0, 0);
}

void ResidentDialog::ToggleShuffle() {
    shuffleSynced_ = scheduler_.ToggleShuffle() ? 1 : 0;
    profile_.Write(profile::kFlagShuffle, shuffleSynced_);
}

// The user's latest choice survives, wherever it was made: a value that the
// settings program stored after this program last read or wrote it stays; a
// missing one is written back.
void ResidentDialog::StoreShuffleAtExit() {
    const bool present = profile_.HasInt(profile::kFlagShuffle);
    if (present && profile_.Read(profile::kFlagShuffle) != shuffleSynced_) return;
    profile_.Write(profile::kFlagShuffle, scheduler_.Shuffle() ? 1 : 0);
}

// Started from a shortcut or a Run key without a working folder, the current
// folder is not this program's: the companions are named by their full path.
std::string ResidentDialog::CompanionPath(const char* program) const {
    return programFolder_.empty() ? std::string(program) : programFolder_ + "\\" + program;
}

void ResidentDialog::StartCompanion(const char* program) {
    ShellExecuteA(Handle(), "open", CompanionPath(program).c_str(), nullptr, nullptr, SW_SHOW);
}

void ResidentDialog::CloseHandling() {
    if (closing_) return;
    closing_ = true;
    if (profile_.Read(profile::kFlagStdDispMD) != 0) ApplyStandard();
    tray_.Delete(Handle());
    EndDialog(IDCANCEL);
}

void ResidentDialog::ExitSequence() {
    binder_.SetExitFlag(0);
    StoreShuffleAtExit();
    CloseHandling();
    PostQuitMessage(0);
}
