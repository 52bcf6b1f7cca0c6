#pragma once
// The key/value store under the settings profile. A section is a key below the
// profile root; a section name holding a backslash names a nested key. Integers are
// 32-bit (REG_DWORD), strings are code page 932 byte strings (REG_SZ).

#include <cstdint>
#include <string>

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // False when the section or the value is missing, or the value has another type.
    virtual bool ReadInt(const std::string& section, const std::string& name, int32_t& value) const = 0;
    virtual bool ReadString(const std::string& section, const std::string& name, std::string& value) const = 0;

    // Writing creates the section keys as needed. False when the store refused.
    virtual bool WriteInt(const std::string& section, const std::string& name, int32_t value) = 0;
    virtual bool WriteString(const std::string& section, const std::string& name, const std::string& value) = 0;
};
