#include <gtest/gtest.h>

#include "core/Cp932Text.h"

namespace {

// Code page 932 characters whose trail byte is a backslash or a letter byte.
const std::string kHyo = "表";   // 95 5C
const std::string kA = "ア";     // 83 41, trail byte 'A'
const std::string kDi = "ヂ";    // 83 61, trail byte 'a'
const std::string kWideA = "ａ"; // 82 81, the full-width letter

int Sign(int v) { return (v > 0) - (v < 0); }

}  // namespace

TEST(Cp932Text, LeadBytesCoverBothRanges) {
    EXPECT_FALSE(IsCp932LeadByte(0x80));
    EXPECT_TRUE(IsCp932LeadByte(0x81));
    EXPECT_TRUE(IsCp932LeadByte(0x9F));
    EXPECT_FALSE(IsCp932LeadByte(0xA0));
    EXPECT_FALSE(IsCp932LeadByte(0xDF));  // half-width katakana are single bytes
    EXPECT_TRUE(IsCp932LeadByte(0xE0));
    EXPECT_TRUE(IsCp932LeadByte(0xFC));
    EXPECT_FALSE(IsCp932LeadByte(0xFD));
    EXPECT_EQ(kHyo, "\x95\x5C");  // sources are compiled to code page 932
    EXPECT_EQ(kA + kDi, "\x83\x41\x83\x61");
}

TEST(Cp932Text, PrefixesEndOnCharacterBoundaries) {
    struct Case { std::string text; size_t limit; size_t prefix; };
    const Case cases[] = {
        {"abc", 2, 2},           {"abc", 9, 3},          {"a" + kHyo, 2, 1},   {"a" + kHyo, 3, 3},
        {kHyo + kHyo, 3, 2},     {"a\x83", 2, 2},        {"", 4, 0},           {kHyo, 0, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(Cp932Prefix(c.text, c.limit), c.prefix) << c.text << " / " << c.limit;
    EXPECT_EQ(Cp932CharLength("a\x83", 1), 1u) << "a lead byte cut off at the end";
}

TEST(Cp932Text, LastPathComponentIsTakenWhole) {
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\Photos.2004", "Photos.2004"},     {"C:\\Photos\\Sea.view.jpg", "Sea.view.jpg"},
        {"C:\\Photos\\", "Photos"},             {"C:\\", "C:\\"},
        {"C:", "C:"},                           {"\\", "\\"},
        {"", ""},                               {"Photos", "Photos"},
        {"\\\\server\\share", "share"},         {"C:\\" + kHyo, kHyo},
        {"C:\\a\\" + kHyo + "\\", kHyo},        {"C:\\" + kHyo + kHyo + "\\x", "x"},
    };
    for (const auto& [path, last] : cases) EXPECT_EQ(LastPathComponent(path), last) << path;
    EXPECT_EQ(LastBackslash("C:\\" + kHyo), 2u);
    EXPECT_EQ(LastSingleByte(kA + "A", 'A'), 2u) << "the trail byte 'A' is no letter";
}

TEST(Cp932Text, UpperCasingFoldsAsciiLettersOnly) {
    EXPECT_EQ(AsciiUpper("sea.Jpg_1"), "SEA.JPG_1");
    EXPECT_EQ(AsciiUpper("x" + kDi + "y"), "X" + kDi + "Y");
    EXPECT_EQ(AsciiUpper(kWideA + "a"), kWideA + "A");
    EXPECT_EQ(AsciiUpper("a\x83"), "A\x83");
}

TEST(Cp932Text, CompareFoldsAsciiOnlyAndOrdersByBytes) {
    struct Case { std::string a, b; int sign; };
    const Case cases[] = {
        {"abc", "ABC", 0},             {"C:\\Photos", "c:\\PHOTOS", 0},  {kA, kDi, -1},
        {kWideA, "A", 1},              {"a", "b", -1},                   {"ab", "abc", -1},
        {"_", "a", -1},                {"_", "A", -1},                   {kA + "x", kA + "X", 0},
        {"x" + kA, "X" + kDi, -1},     {kHyo + "a", kHyo + "B", -1},     {"", "", 0},
        {"\x83", "\x83" "A", -1},      {"z", kA, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Sign(CompareAsciiNoCase(c.a, c.b)), c.sign) << c.a << " vs " << c.b;
        EXPECT_EQ(Sign(CompareAsciiNoCase(c.b, c.a)), -c.sign) << c.b << " vs " << c.a;
    }
}

// What a box without an input method can take: the printable single bytes; a
// double-byte character goes whole, its trail byte "\" (0x5C) with it.
TEST(Cp932Text, PrintableAsciiOnlyDropsDoubleByteCharactersWhole) {
    EXPECT_EQ(PrintableAsciiOnly("ab\x95\x5C" "c\td~"), "abcd~");
}
