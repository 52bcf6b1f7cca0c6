#include "ReservationStorage.h"

#include <algorithm>

#include "ProfileValues.h"
#include "ReservationText.h"

std::string ReservationValueName(int index) { return std::to_string(index); }

int StoredReservationCount(int32_t entry) {
    return std::clamp<int32_t>(entry, 0, ReservationTable::kMaxReservations);
}

namespace {

int LoadRecords(const SettingsProfile& profile, ReservationTable& table, TimerFields timerFields) {
    const int32_t entry = profile.Read(profile::kEntry);

    StandardWallpaper& standard = table.Standard();
    standard.fileName = profile.Read(profile::kStdName);
    ParseStandardText(profile.Read(profile::kStdData), standard);

    const int count = StoredReservationCount(entry);
    for (int i = 0; i < count; ++i) {
        ReservationRecord& record = table.records[static_cast<size_t>(i) + 1];
        const std::string name = ReservationValueName(i);
        record.fileName = profile.ReadString(profile::kReserveNameSection, name, "");
        ParseReservationText(profile.ReadString(profile::kReserveDataSection, name, ""), record, timerFields);
    }
    ++table.generation;
    return count;
}

// A damaged period of 0 or less would become about 4.29e9 ms in the window
// timer (or rotate every tick): such a reservation has no repeat timer. Other
// periods are held to what the editor produces.
void HoldRepeatTimer(ReservationRecord& record) {
    if (record.timerOn == 0) return;
    if (record.timerPeriodMs <= 0) {
        record.timerOn = 0;
        return;
    }
    record.timerPeriodMs = std::clamp(record.timerPeriodMs, kMinTimerPeriodMs, kMaxTimerPeriodMs);
}

}  // namespace

int LoadTableForResident(const SettingsProfile& profile, ReservationTable& table) {
    const int count = LoadRecords(profile, table, TimerFields::Drop);
    for (int i = 1; i <= count; ++i) HoldRepeatTimer(table.records[static_cast<size_t>(i)]);
    return count + 1;
}

int LoadTableForSettings(const SettingsProfile& profile, ReservationTable& table) {
    return LoadRecords(profile, table, TimerFields::Keep);
}

void SaveStandardWallpaper(SettingsProfile& profile, const StandardWallpaper& standard) {
    profile.Write(profile::kStdName, standard.fileName);
    profile.Write(profile::kStdData, StandardText(standard.displayMethod, standard.colour));
}

void SaveTable(SettingsProfile& profile, const ReservationTable& table, int count) {
    count = StoredReservationCount(count);
    profile.Write(profile::kEntry, count);
    SaveStandardWallpaper(profile, table.Standard());
    for (int i = 0; i < count; ++i) {
        const ReservationRecord& record = table.records[static_cast<size_t>(i) + 1];
        const std::string name = ReservationValueName(i);
        profile.WriteString(profile::kReserveNameSection, name, record.fileName);
        profile.WriteString(profile::kReserveDataSection, name, ReservationText(record));
    }
}
