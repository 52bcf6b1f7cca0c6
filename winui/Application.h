#pragma once
// The application object of a dialog-based program: it names the settings profile
// (HKEY_CURRENT_USER\Software\<company>\<application>), whose reads take explicit
// defaults. A program derives from it and runs its main dialog in Run.

#include <windows.h>

#include <cstdint>
#include <string>

#include "core/SettingsProfile.h"
#include "win/RegistryStore.h"

namespace winui {

class Application {
public:
    Application(const std::string& applicationName, const std::string& companyKey);
    virtual ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Runs the program: usually its main dialog, modally. Returns the exit code.
    virtual int Run() = 0;

    SettingsProfile& Profile() { return profile_; }
    const SettingsProfile& Profile() const { return profile_; }

    // Registers the common controls (list views, tabs, property sheets) so that
    // dialogs draw them in the system's current style.
    static void EnableControls();

private:
    RegistryStore store_;
    SettingsProfile profile_;
};

}  // namespace winui
