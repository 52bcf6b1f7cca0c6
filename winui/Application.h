#pragma once
// The application object of a dialog-based program: it names the settings profile
// (HKEY_CURRENT_USER\Software\<company>\<application>) and offers reads with
// explicit defaults and writes on it. A program derives from it and runs its
// main dialog in Run.

#include <windows.h>

#include <cstdint>
#include <string>

#include "core/SettingsProfile.h"
#include "win/RegistryStore.h"

namespace winui {

class Application {
public:
    Application(std::string applicationName, std::string companyKey);
    virtual ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The application object of this process (the one constructed last), or nullptr.
    static Application* Current();

    // Runs the program: usually its main dialog, modally. Returns the exit code.
    virtual int Run() = 0;

    HINSTANCE Instance() const { return instance_; }
    const std::string& Name() const { return name_; }
    const std::string& ProfileRootPath() const { return rootPath_; }

    SettingsProfile& Profile() { return profile_; }
    const SettingsProfile& Profile() const { return profile_; }

    int32_t GetProfileInt(const std::string& section, const std::string& name, int32_t defaultValue) const {
        return profile_.ReadInt(section, name, defaultValue);
    }
    std::string GetProfileString(const std::string& section, const std::string& name,
                                 const std::string& defaultValue) const {
        return profile_.ReadString(section, name, defaultValue);
    }
    bool WriteProfileInt(const std::string& section, const std::string& name, int32_t value) {
        return profile_.WriteInt(section, name, value);
    }
    bool WriteProfileString(const std::string& section, const std::string& name, const std::string& value) {
        return profile_.WriteString(section, name, value);
    }

    // Registers the common controls (list views, tabs, property sheets) so that
    // dialogs draw them in the system's current style.
    static void EnableControls();

private:
    HINSTANCE instance_;
    std::string name_;
    std::string rootPath_;
    RegistryStore store_;
    SettingsProfile profile_;
    Application* previous_;
};

}  // namespace winui
