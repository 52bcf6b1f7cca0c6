#include "OldDataRegistry.h"

#include <windows.h>

#include <string>

#include "win/RegistryStore.h"

namespace {

// Query, set-value and create-subkey access, as version 1.03 opened its keys.
constexpr REGSAM kOldKeyAccess = 0x2001F;

class OldKey {
public:
    explicit OldKey(const char* section) {
        const std::string path = std::string(old_layout::kRootPath) + "\\" + section;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, kOldKeyAccess, &key_) != ERROR_SUCCESS) {
            key_ = nullptr;
        }
    }
    ~OldKey() {
        if (key_ != nullptr) RegCloseKey(key_);
    }
    OldKey(const OldKey&) = delete;
    OldKey& operator=(const OldKey&) = delete;

    std::string String(const char* name) const {
        std::string value;
        return key_ != nullptr && ReadRegistryString(key_, name, value) ? value : std::string();
    }

    int32_t Int(const char* name) const {
        if (key_ == nullptr) return old_layout::kUnreadInt;
        DWORD type = 0;
        DWORD data = 0;
        DWORD size = sizeof data;
        if (RegQueryValueExA(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) != ERROR_SUCCESS ||
            type != REG_DWORD || size != sizeof data) {
            // A missing or foreign value reads like a missing key: for the count
            // that means "no old data", and an unread flag is migrated as off.
            return old_layout::kUnreadInt;
        }
        return static_cast<int32_t>(data);
    }

private:
    HKEY key_ = nullptr;
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
