#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "core/EditorRules.h"
#include "support/Records.h"

namespace {

// Windows as on a calendar; the editor keeps the lists' 0-based indices.
EditorState Dates(int fm, int fd, int tm, int td, EditorState e = {}) {
    e.dateOn = true, e.date = {fm - 1, fd - 1, tm - 1, td - 1};
    return e;
}
EditorState Times(int fh, int fmin, int th, int tmin, EditorState e = {}) {
    e.timeOn = true, e.time = {fh, fmin, th, tmin};
    return e;
}
EditorState Several(EditOperation op, EditorState e, bool timer = false) {
    e.operation = op, e.severalRows = true, e.timerOn = timer;
    return e;
}

ReservationRecord DateAndTime(int fm, int fd, int tm, int td, int fh, int fmin, int th, int tmin) {
    ReservationRecord r = DateWindowRecord(fm, fd, tm, td);
    r.timeOn = 1, r.fromHour = fh, r.fromMinute = fmin, r.toHour = th, r.toMinute = tmin;
    return r;
}

}  // namespace

TEST(EditorRules, WarnsForTheFirstRuleBrokenInOrder) {
    const auto reg = EditOperation::Register, change = EditOperation::Change;
    EditorState changeFirst = Dates(3, 31, 4, 10);
    changeFirst.operation = change, changeFirst.currentIndex = 0;
    ReservationRecord yearWithTimer = DateWindowRecord(1, 1, 12, 31);
    yearWithTimer.timerOn = 1;
    const std::vector<ReservationRecord> none;
    const std::vector<ReservationRecord> lateMarch = {DateWindowRecord(3, 31, 4, 10)};
    const struct {
        const char* name;
        EditorState editor;
        std::vector<ReservationRecord> table;
        SettingsWarning warning;
    } cases[] = {
        {"29 February from", Dates(2, 29, 3, 1), none, kWarningInvalidDate},
        {"29 February to", Dates(2, 1, 2, 29), none, kWarningInvalidDate},
        {"28 February", Dates(2, 28, 2, 28), none, kNoWarning},
        {"31 April", Dates(4, 31, 5, 1), none, kWarningInvalidDate},
        {"no selection", Dates(1, 0, 1, 1), none, kWarningInvalidDate},
        {"over the year's end", Dates(12, 1, 1, 31), none, kWarningDatePastYearEnd},
        {"backwards in a month", Dates(5, 6, 5, 5), none, kWarningDatePastYearEnd},
        {"one day, one minute", Times(10, 0, 10, 0, Dates(5, 5, 5, 5)), none, kNoWarning},
        {"over midnight", Times(23, 0, 1, 0), none, kWarningTimePastMidnight},
        {"backwards in an hour", Times(10, 1, 10, 0), none, kWarningTimePastMidnight},
        {"invalid date before the time", Times(23, 0, 1, 0, Dates(4, 31, 5, 1)), none, kWarningInvalidDate},
        {"several registered", Several(reg, Dates(4, 31, 5, 1)), none, kWarningSeveralRegistered},
        {"several changed", Several(change, Times(1, 0, 2, 0)), none, kWarningSeveralChanged},
        {"several with a timer", Several(reg, Dates(3, 1, 3, 31), true), lateMarch, kNoWarning},
        {"touching days", Dates(3, 1, 3, 31), lateMarch, kWarningDateOverlap},
        {"date against date and time", Dates(3, 1, 3, 31), {DateAndTime(3, 31, 4, 10, 9, 0, 12, 0)}, kNoWarning},
        {"enclosing", Dates(1, 1, 12, 31), {DateWindowRecord(5, 1, 5, 31)}, kNoWarning},
        {"enclosed", Dates(5, 1, 5, 31), {DateWindowRecord(1, 1, 12, 31)}, kWarningDateOverlap},
        {"record with a timer", Dates(5, 1, 5, 31), {yearWithTimer}, kNoWarning},
        {"change skips its own", changeFirst, lateMarch, kNoWarning},
        {"change meets another", changeFirst, {DateWindowRecord(1, 1, 1, 2), DateWindowRecord(4, 10, 4, 12)},
         kWarningDateOverlap},
        {"touching minutes", Times(12, 0, 13, 0), {TimeWindowRecord(9, 0, 12, 0)}, kWarningTimeOverlap},
        {"time against date", Times(12, 0, 13, 0), {DateAndTime(1, 1, 12, 31, 9, 0, 12, 0)}, kNoWarning},
        {"both windows overlap", Times(11, 0, 13, 0, Dates(4, 1, 4, 1)),
         {TimeWindowRecord(0, 0, 23, 59), DateAndTime(3, 31, 4, 10, 9, 0, 12, 0)}, kWarningDateAndTimeOverlap},
        {"only the date overlaps", Times(13, 0, 14, 0, Dates(4, 1, 4, 1)), {DateAndTime(3, 31, 4, 10, 9, 0, 12, 0)},
         kNoWarning},
    };
    for (const auto& c : cases) {
        SettingsTable table;
        table.count = static_cast<int>(c.table.size());
        for (size_t i = 0; i < c.table.size(); ++i) table.slots[i].record = c.table[i];
        EXPECT_EQ(ValidateEdit(c.editor, table), c.warning) << c.name;
    }
}

TEST(EditorRules, ADayPastItsMonthRunsIntoTheNext) {
    const ReservationRecord lateFebruary = DateWindowRecord(2, 31, 3, 10);  // from 3 March
    EXPECT_FALSE(DateWindowsOverlap(lateFebruary, EditorDateWindow{2, 0, 2, 1}));
    EXPECT_TRUE(DateWindowsOverlap(lateFebruary, EditorDateWindow{2, 2, 2, 2}));
    EXPECT_EQ(MonthLength(2), 28);
    EXPECT_EQ(MonthLength(13), 0);
}

// A list that shows no entry (-1) keeps the stored field; a ticked timer takes
// its period from its fields, an unticked one keeps the stored period.
TEST(EditorRules, FillsTheRecordFromTheEditor) {
    SettingsRecord slot;
    slot.record = DateWindowRecord(3, 1, 5, 31, "C:\\a.jpg");
    slot.record.timerPeriodMs = 123456;
    EditorValues editor;
    editor.dateOn = true;
    editor.date = {-1, 9, 4, -1};
    editor.timerHours = 1;
    editor.timerMinuteIndex = 29;
    FillRecordFromEditor(editor, kMethodTile, 0x123456, slot);
    const ReservationRecord& r = slot.record;
    EXPECT_EQ((std::vector<int32_t>{r.fromMonth, r.fromDay, r.toMonth, r.toDay}), (std::vector<int32_t>{2, 9, 4, 30}));
    EXPECT_EQ(r.timerPeriodMs, 123456);
    EXPECT_EQ(slot.conditionText, "日付 03/10～05/31");
    EXPECT_EQ(r.fileName, "C:\\a.jpg");
    EXPECT_EQ(r.displayMethod, kMethodTile);
    editor.timerOn = true;
    FillRecordFromEditor(editor, kMethodTile, 0x123456, slot);
    EXPECT_EQ(r.timerPeriodMs, 90 * 60000);
}

// Appending is refused whole when the pictures would not all fit; moving swaps
// neighbours and refuses the table's ends.
TEST(SettingsTable, AppendsWholeAndMovesNeighbours) {
    auto table = std::make_unique<SettingsTable>();
    SettingsRecord prototype;
    prototype.record.timerOn = 1;
    table->count = SettingsTable::kMaxReservations - 2;
    EXPECT_FALSE(AppendRecords(*table, {"a", "b", "c"}, prototype));
    EXPECT_EQ(table->count, SettingsTable::kMaxReservations - 2);
    table->count = 0;
    ASSERT_TRUE(AppendRecords(*table, {"a", "b", "c"}, prototype));
    EXPECT_EQ(table->count, 3);
    EXPECT_EQ(table->slots[2].record.fileName, "c");
    EXPECT_EQ(table->slots[2].record.timerOn, 1);
    EXPECT_TRUE(MoveRecord(*table, 2, -1));
    EXPECT_EQ(table->slots[1].record.fileName, "c");
    EXPECT_FALSE(MoveRecord(*table, 0, -1));
    EXPECT_FALSE(MoveRecord(*table, 2, +1));
}
