#include "MigrationPlan.h"

#include <algorithm>

#include "Cp932Text.h"
#include "ProfileValues.h"
#include "ReservationStorage.h"
#include "ViewFolderTable.h"

namespace old_layout {

const std::array<const char*, 7>& KeysToDelete() {
    // A key is deleted only when it has no subkeys left, hence deepest first.
    static const std::array<const char*, 7> keys = {
        "Software\\V-ezaru\\Mirado\\Settings",
        "Software\\V-ezaru\\Mirado\\Reserve\\Name",
        "Software\\V-ezaru\\Mirado\\Reserve\\Data",
        "Software\\V-ezaru\\Mirado\\Reserve\\BmpName",
        "Software\\V-ezaru\\Mirado\\Reserve",
        "Software\\V-ezaru\\Mirado",
        "Software\\V-ezaru",
    };
    return keys;
}

}  // namespace old_layout

const std::array<IntSetting, OldData::kFlagCount>& MigratedFlags() {
    static const std::array<IntSetting, OldData::kFlagCount> flags = {
        profile::kFlag1stBoot, profile::kFlagBoss, profile::kFlagShuffle,
        profile::kFlagStdDispMD, profile::kFlagStdDispWIN,
    };
    return flags;
}

int PairsToRead(int32_t entry) { return std::clamp<int32_t>(entry, 1, OldData::kMaxPairs); }

bool HasOldData(const OldData& old) { return old.entry != old_layout::kUnreadInt; }

std::string MigratedFolderTitle(const std::string& folder) {
    // A drive root such as "D:\" has no last component worth showing.
    if (folder.size() < 4) return folder;
    const std::size_t slash = LastBackslash(folder);
    if (slash == std::string::npos) return "(なし)";
    return folder.substr(slash + 1);
}

bool WriteNewLayout(const OldData& old, SettingsProfile& profile) {
    // Only the pairs actually held are written: a damaged count (negative, or
    // above what was read) never makes the writer reach past them.
    const int held = static_cast<int>(std::min<std::size_t>(old.pairs.size(), OldData::kMaxPairs));
    const int32_t reservations = std::clamp<int32_t>(old.entry, 0, held) - 1;

    bool written = profile.Write(profile::kEntry, reservations);
    const OldPair standard = held > 0 ? old.pairs[0] : OldPair{};
    written &= profile.Write(profile::kStdName, standard.fileName);
    written &= profile.Write(profile::kStdData, standard.dataText);
    for (int32_t i = 0; i < reservations; ++i) {
        const OldPair& pair = old.pairs[static_cast<std::size_t>(i) + 1];
        const std::string name = ReservationValueName(i);
        written &= profile.WriteString(profile::kReserveDataSection, name, pair.dataText);
        written &= profile.WriteString(profile::kReserveNameSection, name, pair.fileName);
    }

    for (std::size_t f = 0; f < MigratedFlags().size(); ++f) {
        const IntSetting& flag = MigratedFlags()[f];
        // Version 1.03 stored its flags as 0 or 1; -1 means the value could not be
        // read, and the new programs would take it as "set". Such a flag gets the
        // new profile's default (off) instead.
        const int32_t value = old.flags[f] == old_layout::kUnreadInt ? flag.defaultValue : old.flags[f];
        written &= profile.Write(flag, value);
    }

    int32_t folderCount = 1;
    if (!old.addFolder.empty()) {
        const std::string name = FolderValueName(0);
        written &= profile.WriteString(profile::kViewFolderPathSection, name, old.addFolder);
        written &= profile.WriteString(profile::kViewFolderTitleSection, name, MigratedFolderTitle(old.addFolder));
        folderCount = 2;
    }
    written &= profile.Write(profile::kMaxFolder, folderCount);
    return written;
}
