#pragma once
// One registry key, opened or created through the ANSI registry functions and
// closed when it goes out of scope, with the typed reads and writes the programs
// make on it: REG_DWORD and REG_SZ.

#include <windows.h>

#include <string>

// Query, set-value and create-sub-key access: the keys of version 1.03 and the
// viewer's plug-in key were opened this way, and Create opens with it too.
constexpr REGSAM kKeyReadWrite = KEY_READ | KEY_WRITE;

class RegistryKey {
public:
    // A key that is not open: every read and write on it fails.
    RegistryKey() = default;

    // An existing key below root; not open when it is missing or access is refused.
    static RegistryKey Open(HKEY root, const std::string& path, REGSAM access);
    // The key below root, made (with the keys above it) when it is missing.
    static RegistryKey Create(HKEY root, const std::string& path);

    ~RegistryKey();
    RegistryKey(RegistryKey&& other) noexcept;
    RegistryKey& operator=(RegistryKey&& other) noexcept;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    bool IsOpen() const { return key_ != nullptr; }
    HKEY get() const { return key_; }

    // False, with value untouched, when the value is missing, not REG_DWORD or
    // not exactly four bytes.
    bool ReadDword(const char* name, DWORD& value) const;
    // False when the value is missing or not REG_SZ; see ReadRegistryString.
    bool ReadString(const char* name, std::string& value) const;
    bool WriteDword(const char* name, DWORD value) const;
    // Stored as REG_SZ with its terminating zero.
    bool WriteString(const char* name, const std::string& value) const;
    // True also when there was no such value.
    bool DeleteValue(const char* name) const;

private:
    explicit RegistryKey(HKEY key) : key_(key) {}

    HKEY key_ = nullptr;
};

// A string value of an open key: false when it is missing or not REG_SZ. Reads a
// value of any length and never trusts it to end in a zero; the text ends at its
// first zero.
bool ReadRegistryString(HKEY key, const char* name, std::string& value);
