#pragma once
// The settings program's reservation table: the standard wallpaper apart, 1024
// reservation slots numbered as the list's rows, and the count. Each slot keeps
// its list bookkeeping beside the record, so that moving a slot moves all of it.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "ReservationRecord.h"
#include "SettingsProfile.h"

struct SettingsRecord {
    int32_t shownMark = 0;       // 1 for the reservation the resident changer shows
    ReservationRecord record;    // matchLevel unused
    std::string conditionText;   // the list's "予約" column
};

struct SettingsTable {
    static constexpr int kMaxReservations = ReservationTable::kMaxReservations;

    StandardWallpaper standard;
    std::array<SettingsRecord, kMaxReservations> slots{};
    int count = 0;
};

// Loads the table; the record at shownIndex (the resident changer's shown item,
// -1 for the standard wallpaper) gets the mark, and every slot its condition text.
void LoadSettingsTable(const SettingsProfile& profile, int32_t shownIndex, SettingsTable& table);

void SaveSettingsTable(SettingsProfile& profile, const SettingsTable& table);

// Removes slot index: the later slots move down with all their fields and the
// last slot in use is emptied. False for an index that names no reservation.
bool RemoveRecord(SettingsTable& table, int index);

// Appends one reservation per path, in order, each a copy of prototype with its
// file name; refused whole (false, nothing appended) when they would not all fit.
bool AppendRecords(SettingsTable& table, const std::vector<std::string>& paths, const SettingsRecord& prototype);

// Swaps reservation index with its neighbour step (-1 above, +1 below), all
// their fields; false, and nothing moved, when either is not in the table.
bool MoveRecord(SettingsTable& table, int index, int step);
