// RegistryKey against the real registry of the test prefix: values stored as
// other programs (or damage) may leave them, read back through the typed reads.

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

#include "support/TestRegistry.h"
#include "win/RegistryKey.h"

namespace {

const std::string kTestKey = "Software\\VezaruRegistryTest";

std::string DwordBytes(DWORD value) { return std::string(reinterpret_cast<const char*>(&value), sizeof value); }

// A raw handle answers ERROR_INVALID_HANDLE once it is closed.
bool HandleIsOpen(HKEY key) {
    return RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                            nullptr, nullptr) != ERROR_INVALID_HANDLE;
}

class RegistryKeyTest : public ::testing::Test {
protected:
    void SetUp() override { test_registry::DeleteTree(kTestKey); }
    void TearDown() override { test_registry::DeleteTree(kTestKey); }
};

}  // namespace

TEST_F(RegistryKeyTest, ValuesOfAnotherTypeOrSizeReadAsMissing) {
    const std::string longText(100000, 'L');
    struct Case {
        const char* what;
        DWORD type;
        std::string bytes;
        std::optional<DWORD> number;
        std::optional<std::string> text;
    };
    const Case cases[] = {
        {"dword", REG_DWORD, DwordBytes(0x89ABCDEF), 0x89ABCDEF, {}},
        {"two-byte dword", REG_DWORD, std::string("\xEF\xCD", 2), {}, {}},
        {"eight-byte dword", REG_DWORD, DwordBytes(0x89ABCDEF) + DwordBytes(0), {}, {}},
        {"big-endian dword", REG_DWORD_BIG_ENDIAN, DwordBytes(0x89ABCDEF), {}, {}},
        {"four binary bytes", REG_BINARY, DwordBytes(0x89ABCDEF), {}, {}},
        {"string", REG_SZ, std::string("C:\\表\\Susie", 12), {}, "C:\\表\\Susie"},
        {"string without a zero", REG_SZ, "表示", {}, "表示"},
        {"long string", REG_SZ, longText + '\0', {}, longText},
        {"long string without a zero", REG_SZ, longText, {}, longText},
        {"string with an inner zero", REG_SZ, std::string("ab\0cd", 6), {}, "ab"},
        {"empty string", REG_SZ, "", {}, ""},
        {"expandable string", REG_EXPAND_SZ, std::string("abc", 4), {}, {}},
        {"string list", REG_MULTI_SZ, std::string("abc\0", 5), {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test_registry::PutBytes(kTestKey, "Value", c.type, c.bytes);
        const RegistryKey key = RegistryKey::Open(HKEY_CURRENT_USER, kTestKey, KEY_QUERY_VALUE);
        // A failed read leaves the variable as it was.
        DWORD number = 0x5A5A5A5A;
        std::string text = "untouched";
        EXPECT_EQ(key.ReadDword("Value", number), c.number.has_value());
        EXPECT_EQ(number, c.number.value_or(0x5A5A5A5A));
        EXPECT_EQ(key.ReadString("Value", text), c.text.has_value());
        EXPECT_EQ(text, c.text.value_or("untouched"));
    }
    const RegistryKey key = RegistryKey::Open(HKEY_CURRENT_USER, kTestKey, KEY_QUERY_VALUE);
    DWORD number = 0;
    std::string text;
    EXPECT_FALSE(key.ReadDword("Missing", number));
    EXPECT_FALSE(key.ReadString("Missing", text));
}

TEST_F(RegistryKeyTest, WritesStoreRegDwordAndRegSzWithItsZero) {
    const RegistryKey key = RegistryKey::Create(HKEY_CURRENT_USER, kTestKey + "\\Made\\Below");
    ASSERT_TRUE(key.WriteDword("Int", 0x89ABCDEF));
    ASSERT_TRUE(key.WriteString("Text", "表示"));
    struct Stored {
        const char* name;
        DWORD type;
        std::string bytes;
    };
    for (const Stored& want : {Stored{"Int", REG_DWORD, DwordBytes(0x89ABCDEF)},
                               Stored{"Text", REG_SZ, std::string("表示", 5)}}) {
        char bytes[16] = {};
        DWORD size = sizeof bytes;
        DWORD type = 0;
        ASSERT_EQ(RegQueryValueExA(key.get(), want.name, nullptr, &type, reinterpret_cast<BYTE*>(bytes), &size),
                  ERROR_SUCCESS);
        EXPECT_EQ(type, want.type) << want.name;
        EXPECT_EQ(std::string(bytes, size), want.bytes) << want.name;
    }
}

TEST_F(RegistryKeyTest, AMissingKeyFailsEveryCallAndIsNotMade) {
    const RegistryKey missing = RegistryKey::Open(HKEY_CURRENT_USER, kTestKey, kKeyReadWrite);
    EXPECT_FALSE(missing.IsOpen());
    EXPECT_EQ(missing.get(), nullptr);
    DWORD number = 0;
    std::string text;
    EXPECT_FALSE(missing.ReadDword("Int", number));
    EXPECT_FALSE(missing.ReadString("Text", text));
    EXPECT_FALSE(missing.WriteDword("Int", 1));
    EXPECT_FALSE(missing.WriteString("Text", "x"));
    EXPECT_FALSE(test_registry::KeyExists(kTestKey));
}

TEST_F(RegistryKeyTest, TheHandleIsClosedOnceOnEveryWayOut) {
    test_registry::MakeKey(kTestKey);
    HKEY first = nullptr;
    HKEY second = nullptr;
    {
        RegistryKey key = RegistryKey::Open(HKEY_CURRENT_USER, kTestKey, KEY_QUERY_VALUE);
        first = key.get();
        // Assigning another key closes the one held before.
        key = RegistryKey::Open(HKEY_CURRENT_USER, kTestKey, KEY_QUERY_VALUE);
        second = key.get();
        EXPECT_FALSE(HandleIsOpen(first));
        EXPECT_TRUE(HandleIsOpen(second));
        // A moved-from key has given its handle away and closes nothing.
        {
            RegistryKey taken(std::move(key));
            EXPECT_FALSE(key.IsOpen());
            key = std::move(taken);
        }
        EXPECT_TRUE(HandleIsOpen(second));
        EXPECT_EQ(key.get(), second);
    }
    EXPECT_FALSE(HandleIsOpen(second));
}
