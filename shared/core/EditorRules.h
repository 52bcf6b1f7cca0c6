#pragma once
// The reservation editor's rules: the checks before a register or change (the
// several-rows rule, the date and time rules, the conflict scan against the
// table) and how its values become a record. The editor's windows are the
// selected indices of its drop-down lists, as stored; -1 where a list shows no
// entry.

#include <cstdint>

#include "ReservationRecord.h"
#include "SettingsTable.h"

struct EditorDateWindow {
    int32_t fromMonth = 0;  // 0 = January
    int32_t fromDay = 0;    // 0 = day 1
    int32_t toMonth = 0;
    int32_t toDay = 0;
};

struct EditorTimeWindow {
    int32_t fromHour = 0;
    int32_t fromMinute = 0;
    int32_t toHour = 0;
    int32_t toMinute = 0;
};

enum class EditOperation { Register, Change };

// What the editor's controls hold, read once.
struct EditorValues {
    bool dateOn = false;
    bool timeOn = false;
    bool timerOn = false;
    EditorDateWindow date;
    EditorTimeWindow time;
    int32_t timerHours = 0;
    int32_t timerMinuteIndex = 0;
};

struct EditorState : EditorValues {
    EditOperation operation = EditOperation::Register;
    bool severalRows = false;  // register: wallpapers selected; change: reservations selected
    int currentIndex = -1;     // the reservation a change edits; the scan skips it
};

// The settings program's warnings, by their codes in its warning table: the
// editor's, the preview's and the full table's.
enum SettingsWarning : int {
    kNoWarning = -1,
    kWarningInvalidDate = 0,
    kWarningTimePastMidnight = 1,
    kWarningDatePastYearEnd = 3,
    kWarningDateAndTimeOverlap = 4,
    kWarningDateOverlap = 5,
    kWarningTimeOverlap = 6,
    kWarningNoPlugin = 16,            // no loaded plug-in reads the picture's format
    kWarningCannotOpen = 17,          // the picture file cannot be opened
    kWarningUnspellableName = 18,     // the picture's name has characters the code page lacks, and no short name
    kWarningSeveralRegistered = 33,
    kWarningSeveralChanged = 34,
    kWarningTableFull = 100,          // past the table's 1024 reservations, or a 16th view folder
};

// Days of month number 1..12, February with 28: a date window means the same
// days every year. 0 for any other number.
int MonthLength(int32_t monthNumber);

// Whether either end of the editor's window falls inside the record's window,
// both bounds included: the days of 2001 (a day past its month's end runs on
// into the next month) and the minutes of one day. An editor window that
// encloses the record's is no overlap.
bool DateWindowsOverlap(const ReservationRecord& record, const EditorDateWindow& editor);
bool TimeWindowsOverlap(const ReservationRecord& record, const EditorTimeWindow& editor);

// The first rule the editor's state breaks, in the order the user is told:
// several rows without a timer, the date, the time, then the first conflict
// with a reservation of the same kind (timers are never compared).
SettingsWarning ValidateEdit(const EditorState& editor, const SettingsTable& table);

// A register or change stores the editor's values into the reservation, with
// the method and colour given: the kinds and their fields, a field whose list
// shows no entry keeping its stored value (no -1 reaches a record); a ticked
// timer's period from its fields, an unticked one's period kept. The list's
// condition text follows. The file name and the shown mark stay.
void FillRecordFromEditor(const EditorValues& editor, int32_t method, int32_t colour, SettingsRecord& slot);
