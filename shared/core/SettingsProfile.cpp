#include "SettingsProfile.h"

int32_t SettingsProfile::ReadInt(const std::string& section, const std::string& name,
                                 int32_t defaultValue) const {
    int32_t value = 0;
    return store_.ReadInt(section, name, value) ? value : defaultValue;
}

std::string SettingsProfile::ReadString(const std::string& section, const std::string& name,
                                        const std::string& defaultValue) const {
    std::string value;
    return store_.ReadString(section, name, value) ? value : defaultValue;
}

bool SettingsProfile::WriteInt(const std::string& section, const std::string& name, int32_t value) {
    return store_.WriteInt(section, name, value);
}

bool SettingsProfile::WriteString(const std::string& section, const std::string& name,
                                  const std::string& value) {
    return store_.WriteString(section, name, value);
}

bool SettingsProfile::HasInt(const IntSetting& s) const {
    int32_t value = 0;
    return store_.ReadInt(s.section, s.name, value);
}
