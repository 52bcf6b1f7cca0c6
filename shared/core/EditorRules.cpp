#include "EditorRules.h"

#include "LocalTime.h"
#include "ReservationRowText.h"

namespace {

// Every window is compared in one year, the one the editor has always used.
constexpr long long kWindowYear = 2001;

long long DayOfWindow(long long monthIndex, long long dayIndex) {
    return CalendarDayNumber(kWindowYear, monthIndex, dayIndex + 1);
}

bool Within(long long from, long long to, long long at) { return from <= at && at <= to; }

// A day beyond its month, or a list that had no selection (-1), is no date.
bool ValidDay(int32_t monthIndex, int32_t dayIndex) {
    return monthIndex >= 0 && monthIndex < 12 && dayIndex >= 0 && dayIndex < MonthLength(monthIndex + 1);
}

SettingsWarning DateWarning(const EditorDateWindow& d) {
    if (!ValidDay(d.fromMonth, d.fromDay) || !ValidDay(d.toMonth, d.toDay)) return kWarningInvalidDate;
    if (d.fromMonth > d.toMonth || (d.fromMonth == d.toMonth && d.fromDay > d.toDay)) return kWarningDatePastYearEnd;
    return kNoWarning;
}

SettingsWarning TimeWarning(const EditorTimeWindow& t) {
    if (t.fromHour > t.toHour || (t.fromHour == t.toHour && t.fromMinute > t.toMinute)) return kWarningTimePastMidnight;
    return kNoWarning;
}

SettingsWarning Conflict(const EditorState& editor, const ReservationRecord& record) {
    const bool date = record.dateOn != 0, time = record.timeOn != 0;
    if (editor.dateOn && editor.timeOn) {
        if (date && time && DateWindowsOverlap(record, editor.date) && TimeWindowsOverlap(record, editor.time))
            return kWarningDateAndTimeOverlap;
    } else if (editor.dateOn) {
        if (date && !time && DateWindowsOverlap(record, editor.date)) return kWarningDateOverlap;
    } else if (editor.timeOn) {
        if (time && !date && TimeWindowsOverlap(record, editor.time)) return kWarningTimeOverlap;
    }
    return kNoWarning;
}

}  // namespace

int MonthLength(int32_t monthNumber) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return monthNumber >= 1 && monthNumber <= 12 ? kDays[monthNumber - 1] : 0;
}

bool DateWindowsOverlap(const ReservationRecord& r, const EditorDateWindow& e) {
    const long long from = DayOfWindow(r.fromMonth, r.fromDay), to = DayOfWindow(r.toMonth, r.toDay);
    return Within(from, to, DayOfWindow(e.fromMonth, e.fromDay)) || Within(from, to, DayOfWindow(e.toMonth, e.toDay));
}

bool TimeWindowsOverlap(const ReservationRecord& r, const EditorTimeWindow& e) {
    const auto minute = [](long long hour, long long minute) { return hour * 60 + minute; };
    const long long from = minute(r.fromHour, r.fromMinute), to = minute(r.toHour, r.toMinute);
    return Within(from, to, minute(e.fromHour, e.fromMinute)) || Within(from, to, minute(e.toHour, e.toMinute));
}

SettingsWarning ValidateEdit(const EditorState& editor, const SettingsTable& table) {
    if (editor.severalRows && !editor.timerOn && (editor.dateOn || editor.timeOn))
        return editor.operation == EditOperation::Register ? kWarningSeveralRegistered : kWarningSeveralChanged;
    if (editor.dateOn) {
        if (const SettingsWarning w = DateWarning(editor.date); w != kNoWarning) return w;
    }
    if (editor.timeOn) {
        if (const SettingsWarning w = TimeWarning(editor.time); w != kNoWarning) return w;
    }
    if (editor.timerOn) return kNoWarning;
    for (int i = 0; i < table.count && i < SettingsTable::kMaxReservations; ++i) {
        if (editor.operation == EditOperation::Change && i == editor.currentIndex) continue;
        const ReservationRecord& record = table.slots[static_cast<size_t>(i)].record;
        if (record.timerOn != 0) continue;
        if (const SettingsWarning w = Conflict(editor, record); w != kNoWarning) return w;
    }
    return kNoWarning;
}

void FillRecordFromEditor(const EditorValues& editor, int32_t method, int32_t colour, SettingsRecord& slot) {
    ReservationRecord& r = slot.record;
    const auto picked = [](int32_t shown, int32_t& stored) {
        if (shown >= 0) stored = shown;
    };
    r.displayMethod = method;
    r.colour = colour;
    r.dateOn = editor.dateOn ? 1 : 0;
    picked(editor.date.fromMonth, r.fromMonth);
    picked(editor.date.fromDay, r.fromDay);
    picked(editor.date.toMonth, r.toMonth);
    picked(editor.date.toDay, r.toDay);
    r.timeOn = editor.timeOn ? 1 : 0;
    picked(editor.time.fromHour, r.fromHour);
    picked(editor.time.fromMinute, r.fromMinute);
    picked(editor.time.toHour, r.toHour);
    picked(editor.time.toMinute, r.toMinute);
    r.timerOn = editor.timerOn ? 1 : 0;
    picked(editor.timerHours, r.timerHours);
    picked(editor.timerMinuteIndex, r.timerMinuteIndex);
    if (r.timerOn != 0) r.timerPeriodMs = TimerPeriodMs(r.timerHours, r.timerMinuteIndex);
    slot.conditionText = BuildConditionText(r);
}
