#include "RegistryStore.h"

#include <algorithm>
#include <vector>

#include "core/ProfileValues.h"

namespace {

// Closes a key on every path out.
class Key {
public:
    Key() = default;
    ~Key() {
        if (key_ != nullptr) RegCloseKey(key_);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;

    bool Open(HKEY root, const std::string& path, REGSAM access) {
        return RegOpenKeyExA(root, path.c_str(), 0, access, &key_) == ERROR_SUCCESS;
    }
    bool Create(HKEY root, const std::string& path) {
        return RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE | KEY_READ,
                               nullptr, &key_, nullptr) == ERROR_SUCCESS;
    }
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

}  // namespace

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

RegistryStore::RegistryStore() : RegistryStore(HKEY_CURRENT_USER, profile::kRootPath) {}

RegistryStore::RegistryStore(HKEY root, std::string rootPath) : root_(root), rootPath_(std::move(rootPath)) {}

std::string RegistryStore::KeyPath(const std::string& section) const {
    return section.empty() ? rootPath_ : rootPath_ + "\\" + section;
}

bool RegistryStore::ReadInt(const std::string& section, const std::string& name, int32_t& value) const {
    Key key;
    if (!key.Open(root_, KeyPath(section), KEY_QUERY_VALUE)) return false;
    DWORD type = 0;
    DWORD data = 0;
    DWORD size = sizeof data;
    if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof data) {
        return false;
    }
    value = static_cast<int32_t>(data);
    return true;
}

bool RegistryStore::ReadString(const std::string& section, const std::string& name, std::string& value) const {
    Key key;
    if (!key.Open(root_, KeyPath(section), KEY_QUERY_VALUE)) return false;
    return ReadRegistryString(key.get(), name.c_str(), value);
}

bool RegistryStore::WriteInt(const std::string& section, const std::string& name, int32_t value) {
    Key key;
    if (!key.Create(root_, KeyPath(section))) return false;
    const DWORD data = static_cast<DWORD>(value);
    return RegSetValueExA(key.get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                          sizeof data) == ERROR_SUCCESS;
}

bool RegistryStore::WriteString(const std::string& section, const std::string& name, const std::string& value) {
    Key key;
    if (!key.Create(root_, KeyPath(section))) return false;
    return RegSetValueExA(key.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}
