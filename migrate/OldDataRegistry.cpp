#include "OldDataRegistry.h"

#include <windows.h>

#include <string>

#include "win/RegistryKey.h"

namespace {

// One section of the old tree, opened for reading and writing as version 1.03
// opened its keys.
class OldKey {
public:
    explicit OldKey(const char* section)
        : key_(RegistryKey::Open(HKEY_CURRENT_USER, std::string(old_layout::kRootPath) + "\\" + section,
                                 kKeyReadWrite)) {}

    std::string String(const char* name) const {
        std::string value;
        return key_.ReadString(name, value) ? value : std::string();
    }

    int32_t Int(const char* name) const {
        DWORD data = 0;
        // A missing or foreign value reads like a missing key: for the count
        // that means "no old data", and an unread flag is migrated as off.
        return key_.ReadDword(name, data) ? static_cast<int32_t>(data) : old_layout::kUnreadInt;
    }

private:
    RegistryKey key_;
};

}  // namespace

OldData ReadOldData() {
    OldData old;
    old.entry = OldKey(old_layout::kReserveSection).Int(old_layout::kEntryName);

    const int pairs = PairsToRead(old.entry);
    old.pairs.resize(static_cast<size_t>(pairs));
    const OldKey data(old_layout::kDataSection);
    const OldKey names(old_layout::kNameSection);
    for (int k = 0; k < pairs; ++k) {
        const std::string name = std::to_string(k);
        old.pairs[static_cast<size_t>(k)].dataText = data.String(name.c_str());
        old.pairs[static_cast<size_t>(k)].fileName = names.String(name.c_str());
    }

    const OldKey settings(old_layout::kSettingsSection);
    old.addFolder = settings.String(old_layout::kAddFolderName);
    for (size_t f = 0; f < MigratedFlags().size(); ++f) old.flags[f] = settings.Int(MigratedFlags()[f].name);
    return old;
}

void DeleteOldKeys() {
    for (const char* path : old_layout::KeysToDelete()) RegDeleteKeyA(HKEY_CURRENT_USER, path);
}
