#pragma once
// The resident changer's hidden main dialog: it owns the tray icon, the timers,
// the plug-ins and all resident state, and forwards timer ticks and commands to
// the scheduler.

#include <windows.h>

#include <string>

#include "TrayIcon.h"
#include "WallpaperApplier.h"
#include "core/Scheduler.h"
#include "core/SettingsProfile.h"
#include "win/PluginHost.h"
#include "win/SharedStateBinder.h"
#include "winui/Dialog.h"

class ResidentDialog : public winui::Dialog, private SchedulerHost {
public:
    static constexpr UINT TRAY_CALLBACK = 0x2C00;

    // firstBoot: the stored "Flag1stBoot"; 0 opens the settings program once the
    // dialog has been hidden.
    ResidentDialog(SettingsProfile& profile, int32_t firstBoot);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override;
    void OnDestroy() override;
    bool WindowProc(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    HANDLE WaitHandle() override { return settingsSignal_; }
    void OnWaitEnded(bool signalled) override;

private:
    // SchedulerHost
    void ArmTimer(uint32_t id, uint32_t periodMs) override { SetTimer(Handle(), id, periodMs, nullptr); }
    void DisarmTimer(uint32_t id) override { KillTimer(Handle(), id); }
    std::time_t Now() override { return static_cast<std::time_t>(NowMs() / 1000); }
    long long NowMs() override;
    uint64_t TickMs() override { return GetTickCount64(); }
    void ApplyReservation(const ReservationRecord& record, int recordIndex) override {
        applier_.ApplyReservation(record, recordIndex);
    }
    void RequestExit() override { ExitSequence(); }
    int32_t GetMDSFlag() override { return binder_.GetMDSFlag(); }
    int32_t GetExitFlag() override { return binder_.GetExitFlag(); }
    int32_t GetChgFlag() override { return binder_.GetChgFlag(); }
    void SetChgFlag(int32_t value) override { binder_.SetChgFlag(value); }

    void ApplyStandard() { applier_.ApplyReservation(scheduler_.Table().Standard(), 0); }
    void OnTimer(UINT_PTR id);
    void FollowSettingsProgram();
    void DropSettingsSignal();
    void OnFirstPaint();
    void OnTrayCallback(LPARAM mouseMessage);
    void ShowTrayMenu();
    void ToggleShuffle();
    void StoreShuffleAtExit();
    void LoadPlugins();
    std::string CompanionPath(const char* program) const;
    void StartCompanion(const char* program);
    void CloseHandling();
    void ExitSequence();

    SettingsProfile& profile_;
    SharedStateBinder binder_;
    PluginHost plugins_{PluginHost::Variant::Resident};
    Scheduler scheduler_{*this, profile_};
    std::string programFolder_;
    WallpaperApplier applier_;
    TrayIcon tray_;

    int32_t firstBoot_;
    // The "FlagShuffle" this program last read or wrote; the value itself is the
    // scheduler's.
    int32_t shuffleSynced_ = 0;
    int32_t leftClickStop_ = 0;
    bool pickerAvailable_ = false;
    bool pluginsLoaded_ = false;
    bool hidden_ = false;
    bool closing_ = false;
    UINT taskbarCreated_ = 0;
    // Signalled pacing: what the modal loop waits on beside the messages, the
    // change of the settings program the scheduler waits for (settingsSignalFor_):
    // its opening while it is closed, its process while it is open.
    HANDLE settingsSignal_ = nullptr;
    Scheduler::SettingsSignal settingsSignalFor_ = Scheduler::SettingsSignal::Opening;
};
