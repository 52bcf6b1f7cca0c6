#pragma once
// The program's help: the HTML Help file named after the program (MDS.CHM beside
// MDS.EXE), shown by the system's HTML Help control, hhctrl.ocx, which is loaded
// from the system folder the first time the help is asked for and kept: its
// windows live in this process.

#include <windows.h>

#include <string>

// Opens the help file at its contents. A help file or a control that is missing
// is named in an "情報" box, with the path where it was looked for.
void OpenHelpContents(HWND owner);
// The same with the help file and the control given (tests name missing ones).
void OpenHelpContents(HWND owner, const std::string& helpFile, const std::string& control);

// Closes every help window the program opened; nothing when the help was never
// opened.
void CloseHelp();
