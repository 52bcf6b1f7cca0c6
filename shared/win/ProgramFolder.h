#pragma once
#include <string>

// The running program's executable, its full path ("" when it cannot be had).
std::string ProgramPath();

// The folder of the running program's executable, without a trailing backslash.
std::string ProgramFolder();

// The executable's path with its extension replaced (".CHM": the help file
// named after the program).
std::string ProgramPathWithExtension(const std::string& extension);
