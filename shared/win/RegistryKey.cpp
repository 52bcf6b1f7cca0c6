#include "RegistryKey.h"

#include <algorithm>
#include <utility>
#include <vector>

RegistryKey RegistryKey::Open(HKEY root, const std::string& path, REGSAM access) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, access, &key) != ERROR_SUCCESS) return RegistryKey();
    return RegistryKey(key);
}

RegistryKey RegistryKey::Create(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, kKeyReadWrite, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        return RegistryKey();
    }
    return RegistryKey(key);
}

RegistryKey::~RegistryKey() {
    if (key_ != nullptr) RegCloseKey(key_);
}

RegistryKey::RegistryKey(RegistryKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}

RegistryKey& RegistryKey::operator=(RegistryKey&& other) noexcept {
    if (this != &other) {
        if (key_ != nullptr) RegCloseKey(key_);
        key_ = std::exchange(other.key_, nullptr);
    }
    return *this;
}

bool RegistryKey::ReadDword(const char* name, DWORD& value) const {
    if (key_ == nullptr) return false;
    DWORD type = 0;
    DWORD data = 0;
    DWORD size = sizeof data;
    if (RegQueryValueExA(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof data) {
        return false;
    }
    value = data;
    return true;
}

bool RegistryKey::ReadString(const char* name, std::string& value) const {
    return key_ != nullptr && ReadRegistryString(key_, name, value);
}

bool RegistryKey::WriteDword(const char* name, DWORD value) const {
    return key_ != nullptr && RegSetValueExA(key_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                             sizeof value) == ERROR_SUCCESS;
}

bool RegistryKey::WriteString(const char* name, const std::string& value) const {
    return key_ != nullptr && RegSetValueExA(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                             static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

bool RegistryKey::DeleteValue(const char* name) const {
    if (key_ == nullptr) return false;
    const LONG rc = RegDeleteValueA(key_, name);
    return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
}

bool ReadRegistryString(HKEY key, const char* name, std::string& value) {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ) {
        return false;
    }
    // The value may grow between the two calls; try again a few times with the new size.
    for (int attempt = 0; attempt < 4; ++attempt) {
        std::vector<char> buffer(static_cast<size_t>(size) + 1, '\0');
        DWORD got = size;
        LONG rc = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &got);
        if (rc == ERROR_MORE_DATA) {
            size = got;
            continue;
        }
        if (rc != ERROR_SUCCESS || type != REG_SZ) return false;
        buffer[std::min<size_t>(got, size)] = '\0';
        value.assign(buffer.data());  // up to the first zero
        return true;
    }
    return false;
}
