#pragma once
// Reservations as the tests write them: months and days as on a calendar (the
// record keeps the editor's 0-based indices), repeat periods in minutes.

#include <string>

#include "core/ReservationRecord.h"

inline ReservationRecord Repeating(const std::string& name, int minutes, int32_t method = 0, int32_t colour = 0) {
    ReservationRecord r;
    r.fileName = name;
    r.displayMethod = method;
    r.colour = colour;
    r.timerOn = 1;
    r.timerHours = (minutes - 1) / 60;
    r.timerMinuteIndex = (minutes - 1) % 60;
    r.timerPeriodMs = minutes * 60000;
    return r;
}

inline ReservationRecord DateWindowRecord(int fromMonth, int fromDay, int toMonth, int toDay,
                                          const std::string& name = "") {
    ReservationRecord r;
    r.fileName = name;
    r.dateOn = 1;
    r.fromMonth = fromMonth - 1;
    r.fromDay = fromDay - 1;
    r.toMonth = toMonth - 1;
    r.toDay = toDay - 1;
    return r;
}

inline ReservationRecord TimeWindowRecord(int fromHour, int fromMinute, int toHour, int toMinute,
                                          const std::string& name = "") {
    ReservationRecord r;
    r.fileName = name;
    r.timeOn = 1;
    r.fromHour = fromHour;
    r.fromMinute = fromMinute;
    r.toHour = toHour;
    r.toMinute = toMinute;
    return r;
}
