#pragma once
// The reservation table in the settings profile:
//   "Reserve"/"Entry"                 N (missing: -1, no table saved yet)
//   "Reserve\Std"/"Name", "Data"      the standard wallpaper and its StandardText
//   "Reserve\Name"/"0".."N-1"         file names of reservations 1..N
//   "Reserve\Data"/"0".."N-1"         their ReservationText
// Values at or beyond N are never deleted and never read.

#include <string>

#include "ReservationRecord.h"
#include "SettingsProfile.h"

// The value name of reservation index i (0-based): decimal, no leading zeros.
std::string ReservationValueName(int index);

// How many reservations a stored "Entry" stands for: 0..1024. A table that claims
// more than the slots hold is read for its first 1024.
int StoredReservationCount(int32_t entry);

// The resident changer's load: parses into the slots as they are (fields a broken
// text does not reach keep what they held), drops the timer's hours and minute
// index, and returns the slot count: N + 1 (1 when no table was saved). A repeat
// timer whose period is 0 or less counts as off; other periods are held inside
// kMinTimerPeriodMs..kMaxTimerPeriodMs.
int LoadTableForResident(const SettingsProfile& profile, ReservationTable& table);

// The settings program's load: returns N (0 unless "Entry" is above 0).
int LoadTableForSettings(const SettingsProfile& profile, ReservationTable& table);

// Writes "Entry" = count, the standard wallpaper and reservations 1..count.
void SaveTable(SettingsProfile& profile, const ReservationTable& table, int count);

// Writes the standard wallpaper's pair alone (the resident changer's first run).
void SaveStandardWallpaper(SettingsProfile& profile, const StandardWallpaper& standard);
