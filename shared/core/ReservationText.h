#pragma once
// The two texts that carry a record's numbers in the registry.
//
// StandardText    "%1d%d": method, colour.
// ReservationText "%1d%d %1d%02d%02d%02d%02d%d %1d%02d%02d%02d%02d%d %1d%02d%02d%d":
//   method, colour | dateOn, from month/day, to month/day, reserved |
//   timeOn, from hour/minute, to hour/minute, reserved | timerOn, hours,
//   minute index, period in ms.
//
// Reading follows formatted scanning: "%1d" takes one character, "%02d" at most
// two, "%d" every digit that follows; a conversion skips leading blanks and takes a
// sign; a blank in the format matches any run of blanks, also none. Reading stops
// at the first conversion that fails and leaves the later fields as they were.

#include <string>

#include "ReservationRecord.h"

std::string StandardText(int32_t displayMethod, int32_t colour);
// Returns the number of conversions that succeeded (0..2).
int ParseStandardText(const std::string& text, ReservationRecord& record);

// The reserved conversions 8 and 14 are written as 0.
std::string ReservationText(const ReservationRecord& record);

enum class TimerFields { Keep, Drop };
// Returns the number of conversions that succeeded (0..18). The reserved
// conversions are read and thrown away; with TimerFields::Drop so are the timer's
// hours and minute index (the resident changer does not keep them).
int ParseReservationText(const std::string& text, ReservationRecord& record,
                         TimerFields timerFields = TimerFields::Keep);
