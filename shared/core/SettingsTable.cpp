#include "SettingsTable.h"

#include <memory>
#include <utility>

#include "ReservationRowText.h"
#include "ReservationStorage.h"

void LoadSettingsTable(const SettingsProfile& profile, int32_t shownIndex, SettingsTable& table) {
    // The stored layout is read through the one loader both programs share.
    auto stored = std::make_unique<ReservationTable>();
    table.count = LoadTableForSettings(profile, *stored);
    table.standard = stored->Standard();
    for (int i = 0; i < SettingsTable::kMaxReservations; ++i) {
        SettingsRecord& slot = table.slots[static_cast<size_t>(i)];
        slot.record = std::move(stored->records[static_cast<size_t>(i) + 1]);
        slot.shownMark = i < table.count && i == shownIndex ? 1 : 0;
        slot.conditionText = i < table.count ? BuildConditionText(slot.record) : std::string();
    }
}

void SaveSettingsTable(SettingsProfile& profile, const SettingsTable& table) {
    auto stored = std::make_unique<ReservationTable>();
    stored->Standard() = table.standard;
    const int count = StoredReservationCount(table.count);
    for (int i = 0; i < count; ++i) stored->records[static_cast<size_t>(i) + 1] = table.slots[static_cast<size_t>(i)].record;
    SaveTable(profile, *stored, count);
}

bool RemoveRecord(SettingsTable& table, int index) {
    if (index < 0 || index >= table.count) return false;
    for (int i = index; i + 1 < table.count; ++i) {
        table.slots[static_cast<size_t>(i)] = std::move(table.slots[static_cast<size_t>(i) + 1]);
    }
    table.slots[static_cast<size_t>(table.count) - 1] = SettingsRecord{};
    --table.count;
    return true;
}

bool AppendRecords(SettingsTable& table, const std::vector<std::string>& paths, const SettingsRecord& prototype) {
    if (table.count < 0 || paths.size() > static_cast<size_t>(SettingsTable::kMaxReservations - table.count)) {
        return false;
    }
    for (const std::string& path : paths) {
        SettingsRecord& slot = table.slots[static_cast<size_t>(table.count++)];
        slot = prototype;
        slot.record.fileName = path;
    }
    return true;
}

bool MoveRecord(SettingsTable& table, int index, int step) {
    const int other = index + step;
    if (index < 0 || index >= table.count || other < 0 || other >= table.count) return false;
    std::swap(table.slots[static_cast<size_t>(index)], table.slots[static_cast<size_t>(other)]);
    return true;
}
