#pragma once
// The registry and the dialog as the migration tests drive them: the old tree
// under HKCU\Software\V-ezaru\Mirado, the new profile under
// HKCU\Software\Vezaru\Mirado, the real MigrationDialog run modally with a hook
// that clicks its controls, and every message box recorded instead of shown.

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "MigrationDialog.h"
#include "core/ProfileValues.h"
#include "resource.h"
#include "win/MessageBox.h"
#include "win/RegistryStore.h"

namespace migrate_test {

inline const std::string kOld = "Software\\V-ezaru\\Mirado";
inline const std::string kNew = "Software\\Vezaru\\Mirado";

inline void PutString(const std::string& key, const char* name, const std::string& bytes, DWORD type = REG_SZ) {
    HKEY k = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(k, name, 0, type, reinterpret_cast<const BYTE*>(bytes.c_str()),
                   static_cast<DWORD>(bytes.size() + 1));
    RegCloseKey(k);
}

inline void PutInt(const std::string& key, const char* name, DWORD value) {
    HKEY k = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(k, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(k);
}

inline void MakeKey(const std::string& key) {
    HKEY k = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr) ==
        ERROR_SUCCESS) {
        RegCloseKey(k);
    }
}

inline bool KeyExists(const std::string& key) {
    HKEY k = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
    RegCloseKey(k);
    return true;
}

// The stored bytes of a REG_SZ without its terminating zero, nothing when missing.
inline std::optional<std::string> GetString(const std::string& key, const char* name) {
    HKEY k = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return std::nullopt;
    char buffer[4096];
    DWORD size = sizeof buffer;
    DWORD type = 0;
    const LONG rc = RegQueryValueExA(k, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(k);
    if (rc != ERROR_SUCCESS || type != REG_SZ || size == 0) return std::nullopt;
    return std::string(buffer, size - 1);
}

inline std::optional<int32_t> GetInt(const std::string& key, const char* name) {
    HKEY k = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return std::nullopt;
    DWORD value = 0;
    DWORD size = sizeof value;
    DWORD type = 0;
    const LONG rc = RegQueryValueExA(k, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(k);
    if (rc != ERROR_SUCCESS || type != REG_DWORD) return std::nullopt;
    return static_cast<int32_t>(value);
}

struct Recorded {
    HWND owner;
    std::string text;
    MessageKind kind;
};

// Each test starts with neither tree and ends by removing both.
class MigrationTest : public ::testing::Test {
protected:
    void SetUp() override {
        Clean();
        SetMessageRecorder([this](HWND owner, const std::string& text, MessageKind kind, UINT) {
            messages.push_back({owner, text, kind});
            return IDOK;
        });
    }
    void TearDown() override {
        winui::Dialog::SetInitHook({});
        SetMessageRecorder({});
        Clean();
    }
    static void Clean() {
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\V-ezaru");
        RegDeleteTreeA(HKEY_CURRENT_USER, kNew.c_str());
    }

    // The old layout with the given count and pairs (data text, file name).
    static void PutOld(DWORD entry, const std::vector<std::pair<std::string, std::string>>& pairs,
                       const std::string& addFolder = "") {
        PutInt(kOld + "\\Reserve", "Entry", entry);
        for (size_t k = 0; k < pairs.size(); ++k) {
            PutString(kOld + "\\Reserve\\Data", std::to_string(k).c_str(), pairs[k].first);
            PutString(kOld + "\\Reserve\\Name", std::to_string(k).c_str(), pairs[k].second);
        }
        MakeKey(kOld + "\\Reserve\\BmpName");
        PutString(kOld + "\\Settings", "AddFolder", addFolder);
        const char* flags[] = {"Flag1stBoot", "FlagBoss", "FlagShuffle", "FlagStdDispMD", "FlagStdDispWIN"};
        const DWORD values[] = {1, 0, 1, 0, 1};
        for (int f = 0; f < 5; ++f) PutInt(kOld + "\\Settings", flags[f], values[f]);
    }

    // Runs the real dialog modally; once it is up, ticks box 1000 if asked and
    // clicks the button, as the user would.
    INT_PTR Run(int button, bool tickDelete = false) {
        RegistryStore store;
        SettingsProfile profile(store);
        MigrationDialog dialog(profile);
        winui::Dialog::SetInitHook([&](winui::Dialog& d) {
            if (tickDelete) PostMessageA(d.Item(IDC_DELETE_OLD), BM_CLICK, 0, 0);
            PostMessageA(d.Item(button), BM_CLICK, 0, 0);
        });
        const INT_PTR result = dialog.DoModal(nullptr);
        winui::Dialog::SetInitHook({});
        return result;
    }

    std::vector<Recorded> messages;
};

}  // namespace migrate_test
