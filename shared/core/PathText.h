#pragma once
// The parts of a file path the programs show and test: extension, title,
// folder. The scans go through Cp932Text, which steps over double-byte characters.

#include <string>

#include "Cp932Text.h"

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

// Whether a command line names exactly this program: the whole command, quoted
// or not and with the spaces around it aside, is the program's path, ASCII
// letter case aside. A command with arguments names another start.
bool CommandNamesProgram(std::string_view command, std::string_view program);
