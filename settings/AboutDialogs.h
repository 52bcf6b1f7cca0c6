#pragma once
// The help menu's three commands: the About box with its web-address link, the
// loaded plug-ins' descriptions, and the help file.

#include <windows.h>

#include <functional>
#include <string>

class PluginHost;

// Dialog 100: the program's name and version, and a link that opens its address.
void RunAboutBox(HWND owner);
// Dialog 135: the loaded plug-ins' descriptions, one a line, in load order.
void RunPluginInfo(HWND owner, const PluginHost& plugins);
// The help file named after the program (its path with ".HLP"), at its contents.
void OpenHelpContents(HWND owner);

// What the About box's link does with its address: the shell's default action.
// Tests install a recorder; an empty function restores the shell.
using AddressOpener = std::function<void(const std::string& address)>;
void SetAddressOpener(AddressOpener opener);
