#pragma once
// Path texts in code page 932. A double-byte character may carry 0x5C (the
// backslash byte) or a letter byte as its second byte, so every scan here steps
// over double-byte characters instead of testing single bytes.

#include <cstddef>
#include <string>

// Whether c opens a double-byte character in code page 932.
inline bool IsCp932LeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Position of the last real backslash, std::string::npos when there is none.
size_t LastBackslash(const std::string& path);

// The text after the last "." of the whole path, ASCII letters upper-cased; ""
// when the path holds no ".". A file is a Windows bitmap exactly when this is "BMP".
std::string GetUpperExtension(const std::string& path);

// The file name after the last backslash without its extension (the last "." of
// the name and what follows); a name without "." is taken whole; "(なし)" when
// the path holds no backslash (also for the empty path).
std::string GetFileTitle(const std::string& path);

// The path cut before its last backslash ("C:\\Tools\\MDK.EXE" gives
// "C:\\Tools"); "" when it holds none.
std::string FolderOfPath(const std::string& path);
