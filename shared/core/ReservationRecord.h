#pragma once
// The reservation table: record 0 is the standard wallpaper, records 1..N the
// user's reservations in list order.

#include <array>
#include <cstdint>
#include <string>

enum DisplayMethod : int32_t {
    kMethodCentre = 0,          // "中央に表示"
    kMethodTile = 1,            // "並べて表示"
    kMethodStretch = 2,         // "拡大表示"
    kMethodStretchWidth = 3,    // "拡大表示(左右)": laid out like centre
    kMethodStretchHeight = 4,   // "拡大表示(上下)": laid out like centre
    kMethodFit = 5,             // "画面のサイズに合わせる": whole picture, proportions kept
    kMethodFill = 6,            // "ページ幅に合わせる": screen covered, proportions kept
    kMethodSpan = 7,            // "スパン": filled across every monitor
};

struct ReservationRecord {
    std::string fileName;       // full path, code page 932; empty: no image
    int32_t displayMethod = 0;  // DisplayMethod
    int32_t colour = 0;         // COLORREF
    int32_t matchLevel = 0;     // resident changer only, never stored

    int32_t dateOn = 0;
    int32_t fromMonth = 0;      // 0 = January
    int32_t fromDay = 0;        // 0 = day 1
    int32_t toMonth = 0;
    int32_t toDay = 0;

    int32_t timeOn = 0;
    int32_t fromHour = 0;
    int32_t fromMinute = 0;
    int32_t toHour = 0;
    int32_t toMinute = 0;

    int32_t timerOn = 0;
    int32_t timerHours = 0;        // 0..11
    int32_t timerMinuteIndex = 0;  // 0 = 1 minute
    int32_t timerPeriodMs = 0;
};

// The record that is shown when no reservation applies; only its file name,
// method and colour are stored.
using StandardWallpaper = ReservationRecord;

// (timerHours × 60 + timerMinuteIndex + 1) minutes in milliseconds.
inline int32_t TimerPeriodMs(int32_t timerHours, int32_t timerMinuteIndex) {
    return (timerHours * 60 + timerMinuteIndex + 1) * 60000;
}

// The shortest and longest repeat periods the editor can produce: 1 minute and
// 11 hours 59 minutes.
inline constexpr int32_t kMinTimerPeriodMs = 60000;
inline constexpr int32_t kMaxTimerPeriodMs = 43140000;

struct ReservationTable {
    static constexpr int kMaxReservations = 1024;
    static constexpr int kSlots = kMaxReservations + 1;

    std::array<ReservationRecord, kSlots> records{};

    // Bumped by every load, so that cached evaluations know the table changed.
    uint32_t generation = 0;

    ReservationRecord& Standard() { return records[0]; }
    const ReservationRecord& Standard() const { return records[0]; }
};
