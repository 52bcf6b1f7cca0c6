#pragma once
// The settings profile: every read passes its default, every write goes straight to
// the store. Nothing in the profile is ever deleted through it.

#include <cstdint>
#include <string>

#include "SettingsStore.h"

struct IntSetting {
    const char* section;
    const char* name;
    int32_t defaultValue;
};

struct StringSetting {
    const char* section;
    const char* name;
    const char* defaultValue;
};

class SettingsProfile {
public:
    explicit SettingsProfile(SettingsStore& store) : store_(store) {}

    int32_t ReadInt(const std::string& section, const std::string& name, int32_t defaultValue) const;
    std::string ReadString(const std::string& section, const std::string& name,
                           const std::string& defaultValue) const;
    bool WriteInt(const std::string& section, const std::string& name, int32_t value);
    bool WriteString(const std::string& section, const std::string& name, const std::string& value);

    // The listed values (ProfileValues.h) with their own defaults.
    int32_t Read(const IntSetting& s) const { return ReadInt(s.section, s.name, s.defaultValue); }
    std::string Read(const StringSetting& s) const { return ReadString(s.section, s.name, s.defaultValue); }
    bool Write(const IntSetting& s, int32_t value) { return WriteInt(s.section, s.name, value); }
    bool Write(const StringSetting& s, const std::string& value) { return WriteString(s.section, s.name, value); }

    // Whether the value exists at all (the first-run tests ask this).
    bool HasInt(const IntSetting& s) const;

private:
    SettingsStore& store_;
};
