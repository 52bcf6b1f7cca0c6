#pragma once
// The settings store in the real registry, through the ANSI registry functions:
// sections are keys below the root (a backslash in a section names a nested
// key), integers REG_DWORD, strings REG_SZ.

#include <windows.h>

#include <string>

// The store's users read other keys beside the profile with RegistryKey.
#include "RegistryKey.h"
#include "core/SettingsStore.h"

class RegistryStore : public SettingsStore {
public:
    RegistryStore(HKEY root, std::string rootPath);

    bool ReadInt(const std::string& section, const std::string& name, int32_t& value) const override;
    bool ReadString(const std::string& section, const std::string& name, std::string& value) const override;
    bool WriteInt(const std::string& section, const std::string& name, int32_t value) override;
    bool WriteString(const std::string& section, const std::string& name, const std::string& value) override;

private:
    std::string KeyPath(const std::string& section) const;

    HKEY root_;
    std::string rootPath_;
};
