#pragma once
// The registry and the dialog as the migration tests drive them: the old tree
// under HKCU\Software\V-ezaru\Mirado, the new profile under
// HKCU\Software\Vezaru\Mirado, the real MigrationDialog run modally with a hook
// that clicks its controls, and every message box recorded instead of shown.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "MigrationDialog.h"
#include "core/ProfileValues.h"
#include "resource.h"
#include "support/TestRegistry.h"
#include "win/MessageBox.h"
#include "win/RegistryStore.h"
#include "support/ProfileRoot.h"

namespace migrate_test {

inline const std::string kOld = "Software\\V-ezaru\\Mirado";
inline const std::string kNew = "Software\\Vezaru\\Mirado";

using test_registry::DeleteTree;
using test_registry::DeleteValue;
using test_registry::GetInt;
using test_registry::GetString;
using test_registry::KeyExists;
using test_registry::MakeKey;
using test_registry::PutInt;
using test_registry::PutString;

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
        DeleteTree("Software\\V-ezaru");
        DeleteTree(kNew);
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
        RegistryStore store(HKEY_CURRENT_USER, kProfileRoot);
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
