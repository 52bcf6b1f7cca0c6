#pragma once
// The resident changer's timer machinery: which timers run, what each tick does,
// and the Start, Stop, Next, left-click stop and shuffle commands. It owns the
// table, the display order and the evaluation, and reaches the window timers, the
// clock, the applier and the shared-state library only through SchedulerHost, so
// that a test can run days of schedule in moments.

#include <cstdint>
#include <ctime>

#include "DisplayOrder.h"
#include "Evaluation.h"
#include "ReservationRecord.h"
#include "SettingsProfile.h"

// The scheduler's timers. The resident window arms timers of its own beside
// them, and keeps its ids clear of these (IsSchedulerTimer).
enum SchedulerTimer : uint32_t {
    TIMER_ROTATE = 1,             // rotation among repeat-timer winners
    TIMER_SHOW_ONCE = 2,          // show the next winner once
    TIMER_WATCH = 3,              // signalled: the window watch's next turn, when it would find the
                                  // reservation on show gone (polled, it rides on the settings watch)
    TIMER_EVALUATE = 16,          // evaluate and arm the display timers (carried by the settings watch
                                  // when polled, a one-shot "look now" when signalled)
    TIMER_MINUTE = 17,            // the start of the next local minute (signalled only)
    TIMER_SETTINGS_WATCH = 256,   // follow the settings program (polled only)
};

constexpr bool IsSchedulerTimer(uint32_t id) {
    return id == TIMER_ROTATE || id == TIMER_SHOW_ONCE || id == TIMER_WATCH || id == TIMER_EVALUATE ||
           id == TIMER_MINUTE || id == TIMER_SETTINGS_WATCH;
}

class SchedulerHost {
public:
    virtual ~SchedulerHost() = default;

    // Window timers: arming an armed id restarts it with the new period.
    virtual void ArmTimer(uint32_t id, uint32_t periodMs) = 0;
    virtual void DisarmTimer(uint32_t id) = 0;
    virtual std::time_t Now() = 0;
    // The same clock in milliseconds, for the minute boundaries.
    virtual long long NowMs() { return static_cast<long long>(Now()) * 1000; }
    // Milliseconds of a clock that only goes forward (the system's tick count):
    // what the timers that ride on the settings watch are due by.
    virtual uint64_t TickMs() = 0;

    // Put the record, entry recordIndex of the table (0: the standard
    // wallpaper), on the desktop.
    virtual void ApplyReservation(const ReservationRecord& record, int recordIndex) = 0;
    // The seed of a shuffled display order: the clock, so each rebuild draws anew.
    virtual unsigned ShuffleSeed() { return static_cast<unsigned>(Now()); }
    // The exit sequence: the settings program asked the resident changer to end.
    virtual void RequestExit() = 0;

    // The shared-state library.
    virtual int32_t GetMDSFlag() = 0;
    virtual int32_t GetExitFlag() = 0;
    virtual int32_t GetChgFlag() = 0;
    virtual void SetChgFlag(int32_t value) = 0;
};

class Scheduler {
public:
    static constexpr uint32_t kTickMs = 10;
    static constexpr uint32_t kWatchMs = 100;

    // How the scheduler learns that something may have changed.
    //   Polled: a 10 ms settings watch looks at the settings program, evaluates
    //     and runs the 100 ms window watch, for as long as the program runs.
    //   Signalled: the host calls OnSettingsSignal when the settings program may
    //     have opened or closed and OnClockChanged when the clock, the time zone
    //     or the power state moved; the scheduler itself looks at the start of
    //     every local minute (when time and date windows open and close), 10 ms
    //     after a command, and at the window watch's turn when a show-once step
    //     left up the file of a reservation whose window closed. In between
    //     nothing runs but the display timers.
    enum class Pacing { Polled, Signalled };
    // The change of the settings program that the host is to wait on and report
    // through OnSettingsSignal: none when polled.
    enum class SettingsSignal { None, Opening, Closing };

    // The table is loaded from the profile whenever the settings program has closed.
    Scheduler(SchedulerHost& host, const SettingsProfile& profile) : host_(host), profile_(profile) {}

    // Start-up: count from the stored "Entry" (Entry + 1; the table itself is
    // loaded by the first settings-watch tick), the stored shuffle flag. Builds the
    // order and arms the settings watch.
    void Begin(int initialCount, bool shuffle, Pacing pacing = Pacing::Polled);

    // A WM_TIMER for one of the scheduler's timers; false for any other id.
    //
    // The evaluation runs every 10 ms, like the settings watch, which is never
    // killed; so it rides on the watch's tick instead of a window timer of its
    // own: arming TIMER_EVALUATE switches the evaluation on, killing it switches
    // it off, and the host never sees that id. Same period and order of work, half
    // the wake-ups (under Wine each timer message costs about half a per cent of a
    // core at that rate). The 100 ms watch rides on it the same way, due by the
    // host's millisecond clock: a 10 ms window timer fires every 15.6 ms at the
    // system's default resolution, and not at all while a picture is decoded.
    bool OnTimer(uint32_t id);

    // Signalled pacing: a handle of the settings program's flag was signalled.
    void OnSettingsSignal();
    SettingsSignal AwaitedSignal() const;
    // Signalled pacing: the clock was set, the time zone changed or the machine
    // resumed: the next minute is worked out anew and the table evaluated at once.
    void OnClockChanged();
    Pacing CurrentPacing() const { return pacing_; }
    // Signalled pacing: look again within a tick, as the polled watch would (a
    // settings program whose change cannot be waited on, say). Polled: nothing.
    void LookSoon();

    // While the settings program is open these only record what is to happen
    // when it closes: nothing changes on the desktop meanwhile.
    void Start();
    void Stop();
    void Next();
    // The "人が来たモード" click: stop, and put the standard wallpaper up at once.
    // Returns whether it acted (running, or something other than the standard on show).
    bool LeftClickStop();
    // The shuffle flag is the scheduler's. The tray menu's toggle flips it and
    // rebuilds the order at once, and returns the new value for the profile.
    bool ToggleShuffle();
    // A value read back from the profile (the settings program may have stored
    // another): kept, and the order follows at its next rebuild.
    void AdoptShuffle(bool shuffle) { shuffle_ = shuffle; }
    bool Shuffle() const { return shuffle_; }

    bool Running() const { return running_; }
    bool Evaluating() const { return evaluating_; }
    int32_t SettingsOpen() const { return settingsOpen_; }
    int CurrentPosition() const { return currentPosition_; }
    int Count() const { return count_; }
    int ActiveLevel() const { return activeLevel_; }

    // The record at a display position (position 0: the standard wallpaper), and
    // its index in the table.
    int RecordIndexAt(int position) const;
    const ReservationRecord& RecordAt(int position) const;
    ReservationTable& Table() { return table_; }
    const OrderTable& Order() const { return order_; }

private:
    void Apply(int position) { host_.ApplyReservation(RecordAt(position), RecordIndexAt(position)); }

    void OnEvaluate();
    void OnRotate();
    void OnShowOnce();
    void OnWatch();
    void ArmWatch();
    void KillWatch() { watchArmed_ = false; }
    void OnSettingsWatch();
    void Look(bool watchDue);
    void FollowWatch();
    void ArmMinute();

    void ArmDisplayTimers();
    void RebuildOrder();
    void Pause();
    bool ShownStillApplies() const;
    bool WatchCanStepOn() const;
    uint32_t PeriodAt(int position) const;
    bool ValidPosition(int position) const { return position >= 0 && position < count_; }

    SchedulerHost& host_;
    const SettingsProfile& profile_;
    ReservationTable table_;
    OrderTable order_;
    Evaluator evaluator_;
    Pacing pacing_ = Pacing::Polled;
    int count_ = 0;
    int orderCount_ = 0;  // the count order_ was built for
    bool shuffle_ = false;
    bool evaluating_ = false;  // TIMER_EVALUATE, carried by TIMER_SETTINGS_WATCH or the looks
    // TIMER_WATCH, carried by TIMER_SETTINGS_WATCH (on, and when its next turn is
    // due) or by every look.
    bool watchArmed_ = false;
    uint64_t watchDueMs_ = 0;

    bool running_ = true;
    int currentPosition_ = -1;
    int32_t activeLevel_ = 0;
    int rotationPosition_ = 0;
    int singlePosition_ = 0;
    bool applyNow_ = false;
    bool windowExpired_ = false;
    bool timersArmed_ = false;
    bool standardShown_ = false;
    bool settingsSeenClosed_ = false;
    int32_t settingsOpen_ = 0;
};
