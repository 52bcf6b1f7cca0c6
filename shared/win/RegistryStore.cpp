#include "RegistryStore.h"

#include <utility>

RegistryStore::RegistryStore(HKEY root, std::string rootPath) : root_(root), rootPath_(std::move(rootPath)) {}

std::string RegistryStore::KeyPath(const std::string& section) const {
    return section.empty() ? rootPath_ : rootPath_ + "\\" + section;
}

bool RegistryStore::ReadInt(const std::string& section, const std::string& name, int32_t& value) const {
    DWORD data = 0;
    if (!RegistryKey::Open(root_, KeyPath(section), KEY_QUERY_VALUE).ReadDword(name.c_str(), data)) return false;
    value = static_cast<int32_t>(data);
    return true;
}

bool RegistryStore::ReadString(const std::string& section, const std::string& name, std::string& value) const {
    return RegistryKey::Open(root_, KeyPath(section), KEY_QUERY_VALUE).ReadString(name.c_str(), value);
}

bool RegistryStore::WriteInt(const std::string& section, const std::string& name, int32_t value) {
    return RegistryKey::Create(root_, KeyPath(section)).WriteDword(name.c_str(), static_cast<DWORD>(value));
}

bool RegistryStore::WriteString(const std::string& section, const std::string& name, const std::string& value) {
    return RegistryKey::Create(root_, KeyPath(section)).WriteString(name.c_str(), value);
}
