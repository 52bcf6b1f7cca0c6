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
