#include "SettingsApp.h"

#include "PasswordDialog.h"
#include "SettingsDialog.h"
#include "core/ProfileValues.h"
#include "win/MessageBox.h"
#include "win/SharedStateBinder.h"

SettingsApp::SettingsApp() : winui::Application(profile::kApplicationName, profile::kCompanyKey) {}

int SettingsApp::Run() {
    SharedStateBinder binder;
    if (!binder.Load()) return 0;  // the binder has said so
    // Asked first: MD.dll takes this process for the settings program at its
    // first call, and answers 0 to the first one only.
    if (binder.GetMDSFlag() != 0) return 0;
    if (binder.GetMDKFlag() == 0) {
        ShowMessage(nullptr, "「ミラド」を起動するにはMDK.EXEから起動して下さい。\nMDS.EXEを終了します。",
                    MessageKind::Warning);
        return 0;
    }
    EnableControls();

    if (Profile().Read(profile::kFlagPasswd) != 0) {
        const std::string stored = Profile().Read(profile::kPasswd);
        PasswordDialog password;
        if (password.DoModal(nullptr) != IDOK) return 0;
        // Whole strings, byte for byte: letter case counts, nothing is trimmed.
        if (password.Entered() != stored) {
            ShowMessage(nullptr, "パスワードが違います。", MessageKind::Warning);
            return 0;
        }
    }

    SettingsDialog dialog(Profile());
    dialog.DoModal(nullptr);
    return 0;
}
