#include <gtest/gtest.h>

#include <climits>

#include "core/ReservationRowText.h"
#include "support/Records.h"

TEST(ConditionText, JoinsTheEnabledPartsPaddedToTwoDigits) {
    ReservationRecord springTimer = DateWindowRecord(3, 1, 5, 31);
    springTimer.timerOn = 1, springTimer.timerHours = 1, springTimer.timerMinuteIndex = 29;
    ReservationRecord christmas = DateWindowRecord(12, 24, 12, 25);
    christmas.timeOn = 1, christmas.fromHour = 18, christmas.toHour = 23, christmas.toMinute = 59;
    christmas.timerOn = 1, christmas.timerMinuteIndex = 4;
    ReservationRecord damaged = DateWindowRecord(99, 100, -4, 0);
    damaged.timerOn = 1, damaged.timerHours = -1, damaged.timerMinuteIndex = INT_MAX;
    const struct {
        ReservationRecord record;
        std::string text;
    } cases[] = {
        {springTimer, "日付 03/01～05/31 | タイマー 01時間30分"},
        {TimeWindowRecord(9, 0, 17, 30), "時間 09:00～17:30"},
        {christmas, "日付 12/24～12/25 | 時間 18:00～23:59 | タイマー 00時間05分"},
        {DateWindowRecord(1, 1, 12, 31), "日付 01/01～12/31"},
        {Repeating("", 1), "タイマー 00時間01分"},
        {TimeWindowRecord(0, 5, 9, 9), "時間 00:05～09:09"},
        {ReservationRecord{}, ""},
        {damaged, "日付 99/100～-4/00 | タイマー -1時間2147483648分"},
    };
    for (const auto& c : cases) EXPECT_EQ(BuildConditionText(c.record), c.text);
    // The wave dash is the code page 932 character 81 60.
    EXPECT_EQ(BuildConditionText(DateWindowRecord(1, 1, 2, 2)), "\x93\xFA\x95\x74 01/01\x81\x60" "02/02");
}

TEST(DisplayMethodName, ShowsAnUnknownCodeAsItsNumber) {
    EXPECT_EQ(DisplayMethodName(4), "拡大表示(上下)");
    EXPECT_EQ(DisplayMethodName(5), "5");
    EXPECT_EQ(DisplayMethodName(-1), "-1");
}
