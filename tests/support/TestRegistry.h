#pragma once
// The registry as the Windows tests lay it out and read it back: keys below
// HKEY_CURRENT_USER, values stored exactly as a test gives them (also the
// malformed ones the programs must refuse), read back through RegistryKey.
// Windows only: the native build has no registry.

#ifdef _WIN32

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "win/RegistryKey.h"

namespace test_registry {

// The bytes as given, of any type and size: no terminating zero is added.
inline void PutBytes(const std::string& key, const char* name, DWORD type, const std::string& bytes) {
    const RegistryKey k = RegistryKey::Create(HKEY_CURRENT_USER, key);
    if (RegSetValueExA(k.get(), name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                       static_cast<DWORD>(bytes.size())) != ERROR_SUCCESS) {
        ADD_FAILURE() << "cannot write " << key << "\\" << name;
    }
}

// A text with its terminating zero, REG_SZ unless the test asks for another type.
inline void PutString(const std::string& key, const char* name, const std::string& text, DWORD type = REG_SZ) {
    PutBytes(key, name, type, std::string(text.c_str(), text.size() + 1));
}

inline void PutInt(const std::string& key, const char* name, DWORD value) {
    if (!RegistryKey::Create(HKEY_CURRENT_USER, key).WriteDword(name, value)) {
        ADD_FAILURE() << "cannot write " << key << "\\" << name;
    }
}

inline void MakeKey(const std::string& key) {
    if (!RegistryKey::Create(HKEY_CURRENT_USER, key).IsOpen()) ADD_FAILURE() << "cannot make " << key;
}

inline bool KeyExists(const std::string& key) {
    return RegistryKey::Open(HKEY_CURRENT_USER, key, KEY_READ).IsOpen();
}

// Nothing when the key or the value is missing, or the value is no REG_SZ.
inline std::optional<std::string> GetString(const std::string& key, const char* name) {
    std::string value;
    if (!RegistryKey::Open(HKEY_CURRENT_USER, key, KEY_QUERY_VALUE).ReadString(name, value)) return std::nullopt;
    return value;
}

// Nothing when the key or the value is missing, or the value is no four-byte REG_DWORD.
inline std::optional<int32_t> GetInt(const std::string& key, const char* name) {
    DWORD value = 0;
    if (!RegistryKey::Open(HKEY_CURRENT_USER, key, KEY_QUERY_VALUE).ReadDword(name, value)) return std::nullopt;
    return static_cast<int32_t>(value);
}

inline void DeleteValue(const std::string& key, const char* name) {
    RegDeleteValueA(RegistryKey::Open(HKEY_CURRENT_USER, key, KEY_SET_VALUE).get(), name);
}

// The key with everything below it; a missing key is no failure.
inline void DeleteTree(const std::string& key) { RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str()); }

}  // namespace test_registry

#endif  // _WIN32
