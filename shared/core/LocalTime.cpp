#include "LocalTime.h"

std::tm LocalTm(std::time_t moment) {
    // One user-interface thread calls this; copy the shared result at once.
    const std::tm* local = std::localtime(&moment);
    return local != nullptr ? *local : std::tm{};
}

std::time_t MakeLocalTime(int year, int month, int day, int hour, int minute) {
    std::tm t{};
    t.tm_year = year;
    t.tm_mon = month;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = 0;
    t.tm_isdst = -1;
    return std::mktime(&t);
}

long long CalendarDayNumber(long long year, long long month, long long day) {
    // Floor division, so that month -1 is December of the year before.
    year += month >= 0 ? month / 12 : -((11 - month) / 12);
    month -= (month >= 0 ? month / 12 : -((11 - month) / 12)) * 12;
    // Counted from 1 March, so that the leap day ends the counting year.
    const long long m = month + 1;
    const long long y = m <= 2 ? year - 1 : year;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yearOfEra = y - era * 400;
    const long long dayOfYear = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468 + day - 1;
}

long LocalMinuteDelayMs(long long nowMs) {
    const long long seconds = nowMs >= 0 ? nowMs / 1000 : -((999 - nowMs) / 1000);
    const long long intoSecond = nowMs - seconds * 1000;
    const int second = LocalTm(static_cast<std::time_t>(seconds)).tm_sec;
    const long long delay = (60 - (second > 59 ? 59 : second)) * 1000LL - intoSecond;
    return static_cast<long>(delay < 1 ? 1 : delay);
}
