#pragma once
// Scanning code page 932 byte strings. The second byte of a double-byte character
// may be 0x5C (the backslash byte), so a scan for a separator must step over
// every double-byte character instead of comparing single bytes.

#include <cstddef>
#include <string>

// Lead bytes of a double-byte character in code page 932.
inline bool IsCp932LeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// Position of the last backslash that is a character of its own, or npos.
std::size_t FindLastBackslash(const std::string& text);
