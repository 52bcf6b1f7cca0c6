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

}  // namespace

int LoadTableForResident(const SettingsProfile& profile, ReservationTable& table) {
    return LoadRecords(profile, table, TimerFields::Drop) + 1;
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
