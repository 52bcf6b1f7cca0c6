#include "Scheduler.h"

#include <algorithm>

#include "LocalTime.h"
#include "ReservationStorage.h"

void Scheduler::Begin(int initialCount, bool shuffle, Pacing pacing) {
    count_ = std::min(initialCount, ReservationTable::kSlots);
    shuffle_ = shuffle;
    pacing_ = pacing;
    RebuildOrder();
    if (pacing_ == Pacing::Polled) {
        host_.ArmTimer(TIMER_SETTINGS_WATCH, kTickMs);
        return;
    }
    // The first look loads the table, as the first tick of the watch does.
    ArmMinute();
    LookSoon();
}

bool Scheduler::OnTimer(uint32_t id) {
    switch (id) {
        case TIMER_ROTATE: OnRotate(); break;
        case TIMER_SHOW_ONCE: OnShowOnce(); break;
        case TIMER_SETTINGS_WATCH: Look(watchArmed_ && host_.TickMs() >= watchDueMs_); break;
        case TIMER_EVALUATE:
        case TIMER_WATCH:
            host_.DisarmTimer(id);
            Look(true);
            break;
        case TIMER_MINUTE:
            ArmMinute();
            Look(true);
            break;
        default: return false;
    }
    FollowWatch();
    return true;
}

// A tick of the settings watch, or a look of the signalled pacing. The window
// watch first, as a window timer due at the same moment would be: a window that
// closed is noticed by this evaluation. Signalled, the watch needs no period of
// its own: what it checks changes only with the minute, the clock or the
// picture on show; every look after the first two runs it, and FollowWatch
// looks after the last when it must.
void Scheduler::Look(bool watchDue) {
    if (watchArmed_ && watchDue) {
        ArmWatch();
        OnWatch();
    }
    OnSettingsWatch();
    if (evaluating_) OnEvaluate();
}

// Signalled: the one case where the picture on show changes and still does not
// apply is a show-once step that landed on the same file as the reservation
// whose window closed. The polled watch's next turn finds that and steps on; so
// the signalled pacing looks once at that turn, instead of at the next minute,
// which may have closed the window of the step it would have reached. When no
// step can change the desktop, the polled watch steps on for nothing until the
// winners change: the signalled pacing sleeps until then.
void Scheduler::FollowWatch() {
    if (pacing_ != Pacing::Signalled) return;
    if (!watchArmed_ || ShownStillApplies() || !WatchCanStepOn()) {
        host_.DisarmTimer(TIMER_WATCH);
        return;
    }
    const uint64_t now = host_.TickMs();
    host_.ArmTimer(TIMER_WATCH, watchDueMs_ > now ? static_cast<uint32_t>(watchDueMs_ - now) : kTickMs);
}

void Scheduler::LookSoon() {
    if (pacing_ == Pacing::Signalled) host_.ArmTimer(TIMER_EVALUATE, kTickMs);
}

void Scheduler::OnSettingsSignal() {
    Look(true);
    FollowWatch();
}

Scheduler::SettingsSignal Scheduler::AwaitedSignal() const {
    if (pacing_ != Pacing::Signalled) return SettingsSignal::None;
    return settingsOpen_ != 0 ? SettingsSignal::Closing : SettingsSignal::Opening;
}

void Scheduler::ArmMinute() {
    host_.ArmTimer(TIMER_MINUTE, static_cast<uint32_t>(LocalMinuteDelayMs(host_.NowMs())));
}

void Scheduler::OnClockChanged() {
    if (pacing_ != Pacing::Signalled) return;
    evaluator_.Forget();
    ArmMinute();
    Look(true);
    FollowWatch();
}

void Scheduler::ArmWatch() {
    watchArmed_ = true;
    watchDueMs_ = host_.TickMs() + kWatchMs;
}

void Scheduler::RebuildOrder() {
    BuildOrder(order_, count_, shuffle_, host_.ShuffleSeed());
    orderCount_ = count_;
}

int Scheduler::RecordIndexAt(int position) const {
    if (position < 0 || position >= ReservationTable::kSlots) return 0;
    return order_[position];
}

const ReservationRecord& Scheduler::RecordAt(int position) const {
    return table_.records[static_cast<size_t>(RecordIndexAt(position))];
}

uint32_t Scheduler::PeriodAt(int position) const {
    // The load keeps repeat periods inside what the editor produces; a record
    // without a repeat timer (the standard wallpaper, say) still gives a sane one.
    const int32_t period = RecordAt(position).timerPeriodMs;
    return static_cast<uint32_t>(period > 0 ? period : kMinTimerPeriodMs);
}

void Scheduler::OnEvaluate() {
    evaluator_.Evaluate(table_, order_, count_, host_.Now());
    const int32_t level = RecordAt(evaluator_.FirstWinner()).matchLevel;
    if (level != activeLevel_ || windowExpired_) {
        windowExpired_ = false;
        applyNow_ = true;
        activeLevel_ = level;
        timersArmed_ = false;
    }
    if (!timersArmed_) {
        ArmDisplayTimers();
        timersArmed_ = true;
    }
}

void Scheduler::ArmDisplayTimers() {
    host_.DisarmTimer(TIMER_ROTATE);
    KillWatch();
    switch (activeLevel_) {
        case 2: case 6: case 10: case 14:
            host_.ArmTimer(TIMER_ROTATE, applyNow_ ? kTickMs : PeriodAt(rotationPosition_));
            if (activeLevel_ != 2) ArmWatch();
            break;
        default:
            if (applyNow_) host_.ArmTimer(TIMER_SHOW_ONCE, kTickMs);
            // The watch restarts on every arming, immediate or not: after the
            // settings program closed without a change, the window of the
            // reservation on show must still be noticed when it closes.
            ArmWatch();
            break;
    }
    applyNow_ = false;
}

void Scheduler::OnRotate() {
    host_.DisarmTimer(TIMER_ROTATE);
    const int p = NextWinner(table_, order_, count_, rotationPosition_);
    rotationPosition_ = currentPosition_ = p;
    Apply(p);
    host_.ArmTimer(TIMER_ROTATE, PeriodAt(p));
    standardShown_ = false;
}

void Scheduler::OnShowOnce() {
    host_.DisarmTimer(TIMER_SHOW_ONCE);
    const int p = NextWinner(table_, order_, count_, singlePosition_);
    singlePosition_ = p;
    if (p == 0) {
        currentPosition_ = 0;
        Apply(0);
        standardShown_ = true;
        return;
    }
    // Nothing shown yet, or a position the table no longer reaches: the names
    // count as different.
    const bool sameFile = ValidPosition(currentPosition_) && RecordAt(p).fileName == RecordAt(currentPosition_).fileName;
    if (p != currentPosition_ && !sameFile) {
        currentPosition_ = p;
        Apply(p);
        standardShown_ = false;
    }
}

bool Scheduler::ShownStillApplies() const {
    if (currentPosition_ == 0) return standardShown_;
    if (!ValidPosition(currentPosition_)) return false;  // nothing valid on show
    const ReservationRecord& r = RecordAt(currentPosition_);
    const std::time_t now = host_.Now();
    if (r.dateOn != 0 && !DateWindowHolds(r, now)) return false;
    if (r.timeOn != 0 && !TimeWindowHolds(r, now)) return false;
    return true;
}

// Whether a show-once step can change the desktop: a winner that names another
// file than the reservation on show, or the standard wallpaper.
bool Scheduler::WatchCanStepOn() const {
    if (!ValidPosition(currentPosition_)) return true;
    const std::string& shown = RecordAt(currentPosition_).fileName;
    for (int p = 0; p < count_; ++p) {
        const ReservationRecord& r = RecordAt(p);
        if (r.matchLevel != 0 && (p == 0 || r.fileName != shown)) return true;
    }
    return false;
}

void Scheduler::OnWatch() {
    // The watch repeats while the reservation on show still applies.
    windowExpired_ = !ShownStillApplies();
    if (windowExpired_) KillWatch();
}

void Scheduler::Pause() {
    host_.DisarmTimer(TIMER_ROTATE);
    KillWatch();
    // A one-shot armed by the last evaluation would otherwise still put a
    // reservation up over a stop or while the settings program is open.
    host_.DisarmTimer(TIMER_SHOW_ONCE);
    evaluating_ = false;
    FollowWatch();
}

void Scheduler::OnSettingsWatch() {
    settingsOpen_ = host_.GetMDSFlag();
    if (settingsOpen_ != 0) {
        if (settingsSeenClosed_) {
            settingsSeenClosed_ = false;
            Pause();
        }
        return;
    }
    if (settingsSeenClosed_) return;
    settingsSeenClosed_ = true;
    if (host_.GetExitFlag() != 0) {
        host_.RequestExit();
        return;
    }
    if (!running_) return;
    count_ = std::min(LoadTableForResident(profile_, table_), ReservationTable::kSlots);
    timersArmed_ = false;
    if (host_.GetChgFlag() != 0) {
        applyNow_ = true;
        host_.SetChgFlag(0);
        RebuildOrder();
        // The position on show now names a record of the new table, so comparing
        // file names by position would keep an edited reservation off the desktop:
        // count the wallpaper on show as unknown, and the change goes up.
        currentPosition_ = -1;
    } else if (count_ != orderCount_) {
        // A table of another size without a reported change (a hand edit of
        // "Entry"): an order built for the old count would send the new positions
        // to record 0 and never evaluate the new reservations. A shuffled order
        // is drawn anew, so the position on show is unknown here too.
        RebuildOrder();
        currentPosition_ = -1;
    }
    evaluating_ = true;
}

void Scheduler::Start() {
    if (running_) return;
    timersArmed_ = false;
    running_ = true;
    applyNow_ = true;
    // Paused, the closing of the settings program turns the evaluation back on.
    if (settingsOpen_ == 0) {
        evaluating_ = true;
        LookSoon();
    }
}

void Scheduler::Stop() {
    if (!running_) return;
    running_ = false;
    Pause();
}

void Scheduler::Next() {
    applyNow_ = true;
    timersArmed_ = false;
    if (settingsOpen_ == 0) {
        evaluating_ = true;
        LookSoon();
    }
}

bool Scheduler::LeftClickStop() {
    if (!running_ && currentPosition_ == 0) return false;
    running_ = false;
    // The evaluation halts too, as with Stop: otherwise a later change of the
    // winners would put a reservation back up while the menu shows "stopped".
    Pause();
    currentPosition_ = 0;
    Apply(0);
    return true;
}

bool Scheduler::ToggleShuffle() {
    shuffle_ = !shuffle_;
    RebuildOrder();
    return shuffle_;
}
