#pragma once
// A moment given as a local calendar date and time (month 1-12), daylight saving
// decided by the calendar.

#include <ctime>

#include "core/LocalTime.h"

inline std::time_t At(int year, int month, int day, int hour, int minute, int second = 0) {
    return MakeLocalTime(year - 1900, month - 1, day, hour, minute) + second;
}
