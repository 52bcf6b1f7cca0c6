#pragma once
// Text between the system's UTF-16 and the ANSI code page the programs speak
// (932): file names come from the system in UTF-16, and may hold characters the
// code page lacks (é, Hangul, emoji).

#include <string>

std::wstring WideFromAnsi(const std::string& text);

// The ANSI form of text; false when a character has no exact counterpart in the
// code page (the form then names another string, not this one).
bool ExactAnsi(const wchar_t* text, std::string& ansi);

// The ANSI form as close as the code page allows: a missing character becomes
// its nearest one ("é" "e") or "?".
std::string ClosestAnsi(const wchar_t* text);
