#include <gtest/gtest.h>

#include <climits>

#include "core/DesktopStyle.h"
#include "core/ReservationRowText.h"
#include "core/ReservationText.h"
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

// Each code: its name, the editor's list item, and the code that the desktop
// values it writes are read back as on a first run; its texts' round trip.
TEST(DisplayMethodCodes, NameItemAndCapture) {
    const struct {
        int32_t code;
        const char* name;
        int item;
        int32_t captured;
    } cases[] = {
        {0, "中央に表示", 0, 0},          {1, "並べて表示", 1, 1},         {2, "拡大表示", 2, 2},
        {3, "拡大表示(左右)", -1, 0},     {4, "拡大表示(上下)", -1, 0},    {5, "画面のサイズに合わせる", 3, 5},
        {6, "ページ幅に合わせる", 4, 6},  {7, "スパン", 5, 7},             {8, "8", -1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(DisplayMethodName(c.code), c.name);
        EXPECT_EQ(MethodListItem(c.code), c.item);
        EXPECT_EQ(MethodOfListItem(c.item), c.item >= 0 ? c.code : -1);
        const DesktopStyle style = DesktopStyleOf(c.code);
        EXPECT_EQ(DisplayMethodOfDesktop(style.wallpaperStyle, style.tileWallpaper), c.captured);
        if (c.code > 7) continue;
        ReservationRecord standard, reservation;
        ParseStandardText(StandardText(c.code, 0xABCDEF), standard);
        ParseReservationText(ReservationText(Repeating("C:\\a.bmp", 1, c.code)), reservation);
        EXPECT_EQ(standard.displayMethod, c.code);
        EXPECT_EQ(reservation.displayMethod, c.code);
    }
}
