#include "LiteralEvaluation.h"

#include <cmath>

#include "core/LocalTime.h"

namespace {

std::tm Now(std::time_t now) { return *std::localtime(&now); }

// Calendar days between two local dates: both taken at noon, which every day has
// exactly once, and the seconds rounded to whole days, so that a day of 23 or 25
// hours still counts as one.
long long DaysBetween(std::time_t fromNoon, std::time_t toNoon) {
    return std::llround(static_cast<double>(toNoon - fromNoon) / 86400.0);
}

}  // namespace

bool LiteralDateWindowHolds(const ReservationRecord& r, std::time_t now) {
    const std::tm n = Now(now);
    const std::time_t from = MakeLocalTime(n.tm_year, r.fromMonth, r.fromDay + 1, 12, 0);
    const std::time_t to = MakeLocalTime(n.tm_year, r.toMonth, r.toDay + 1, 12, 0);
    const std::time_t today = MakeLocalTime(n.tm_year, n.tm_mon, n.tm_mday, 12, 0);
    const long long daysTo = DaysBetween(from, to);
    const long long daysNow = DaysBetween(from, today);
    return daysNow >= 0 && daysTo >= daysNow;
}

bool LiteralTimeWindowHolds(const ReservationRecord& r, std::time_t now) {
    const std::tm n = Now(now);
    const std::time_t from = MakeLocalTime(n.tm_year, n.tm_mon, n.tm_mday, r.fromHour, r.fromMinute);
    const std::time_t to = MakeLocalTime(n.tm_year, n.tm_mon, n.tm_mday, r.toHour, r.toMinute);
    const std::time_t at = MakeLocalTime(n.tm_year, n.tm_mon, n.tm_mday, n.tm_hour, n.tm_min);
    const long long minutesTo = static_cast<long long>(to - from) / 60;
    const long long minutesNow = static_cast<long long>(at - from) / 60;
    return minutesNow >= 0 && minutesTo >= minutesNow;
}

void LiteralEvaluate(ReservationTable& table, const OrderTable& order, int count, std::time_t now) {
    int highest = 0;
    for (int p = 0; p < count; ++p) {
        ReservationRecord& r = table.records[static_cast<size_t>(order[p])];
        const bool dateOn = r.dateOn != 0, timeOn = r.timeOn != 0, timerOn = r.timerOn != 0;
        const bool d = dateOn && LiteralDateWindowHolds(r, now);
        const bool t = timeOn && LiteralTimeWindowHolds(r, now);
        if ((dateOn || timeOn || timerOn) && (!dateOn || d) && (!timeOn || t)) {
            r.matchLevel = 8 * dateOn + 4 * timeOn + 2 * timerOn;
        } else {
            r.matchLevel = p == 0 ? 1 : 0;
        }
        if (r.matchLevel > highest) highest = r.matchLevel;
    }
    for (int p = 0; p < count; ++p) {
        ReservationRecord& r = table.records[static_cast<size_t>(order[p])];
        if (r.matchLevel < highest) r.matchLevel = 0;
    }
}
