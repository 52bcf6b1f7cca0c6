#pragma once
// Code page 932 byte strings. The second byte of a double-byte character may be
// 0x5C (the backslash byte) or a letter byte, so every scan, cut and case change
// here steps over whole characters instead of testing single bytes. A lead byte
// cut off at the end of a text counts as a character of one byte.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Whether c opens a double-byte character in code page 932.
inline bool IsCp932LeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Bytes of the character that starts at `at` (which must lie inside the text):
// 2 for a lead byte with a byte after it, else 1.
inline size_t Cp932CharLength(std::string_view text, size_t at) {
    return IsCp932LeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
}

// Length of the longest prefix of at most `limit` bytes that ends on a character
// boundary, for cutting a text into a fixed-size field.
size_t Cp932Prefix(std::string_view text, size_t limit);

// Position of the last single-byte character ch (never a trail byte),
// std::string_view::npos when there is none.
size_t LastSingleByte(std::string_view text, char ch);

// Position of the last real backslash, npos when there is none.
inline size_t LastBackslash(std::string_view path) { return LastSingleByte(path, '\\'); }

// The last component of a path, taken whole with any dots ("C:\\Photos.2004"
// gives "Photos.2004"). One trailing backslash is ignored ("C:\\Photos\\" gives
// "Photos"); a drive root ("C:\\", "C:"), a lone "\\" and a path without any
// backslash are returned as they are.
std::string LastPathComponent(std::string_view path);

// The text with its ASCII letters upper-cased; double-byte characters (and
// their letter-valued trail bytes) and other bytes stay as they are.
std::string AsciiUpper(std::string_view text);

// Compares like strcmp (<0, 0, >0, by unsigned bytes) after folding ASCII
// letters to lower case, as the C library's case-insensitive compare orders
// them ("_" before letters). Trail bytes are never folded: "ア" (83 41) and
// "ヂ" (83 61) differ, and so do a full-width letter and its ASCII one.
int CompareAsciiNoCase(std::string_view a, std::string_view b);

// A character a box without an input method can take: printable ASCII.
inline bool IsPrintableAscii(uint32_t c) { return c >= 0x20 && c <= 0x7E; }

// The printable single-byte characters of text; double-byte ones are dropped
// whole, trail byte included.
std::string PrintableAsciiOnly(std::string_view text);
