#pragma once
// Local calendar arithmetic of the C library: a broken-down local time turned into
// seconds, daylight saving decided by the calendar, days past a month's end rolling
// over into the next month.

#include <ctime>

// The broken-down local time of a moment.
std::tm LocalTm(std::time_t moment);

// mktime of year (years since 1900), month (0-based), day (1-based, may run past
// the month's end), hour and minute, second 0, tm_isdst -1.
std::time_t MakeLocalTime(int year, int month, int day, int hour, int minute);

// Days since 1 January 1970 of a proleptic Gregorian calendar date: year as
// written, month 0-based, day 1-based. A month outside 0..11 rolls over into
// the years and a day past the month's end into the following months, as mktime
// rolls them, but without the clock: a calendar day is a day, whatever daylight
// saving does to its length.
long long CalendarDayNumber(long long year, long long month, long long day);

// Milliseconds from nowMs (milliseconds since 1970, UTC) to the start of the next
// local minute, 1 to 60000. Worked out from the local time of the moment itself,
// so a change of daylight saving or of the time zone is followed from the next
// call on; a leap second counts as the last second of its minute.
long LocalMinuteDelayMs(long long nowMs);
