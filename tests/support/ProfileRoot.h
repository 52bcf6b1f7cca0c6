#pragma once
// Where the programs keep their profile (their application objects name it):
// the tests lay it out and read it back there directly.

inline constexpr const char* kProfileRoot = "Software\\Vezaru\\Mirado";
