#pragma once
// Two commands of the help menu: the About box with its web-address link, and
// the loaded plug-ins' descriptions (the third, the help, is HelpContents.h).

#include <windows.h>

#include <functional>
#include <string>

class PluginHost;

// Dialog 100: the program's name and version, and a link that opens its address.
void RunAboutBox(HWND owner);
// Dialog 135: the loaded plug-ins' descriptions, one a line, in load order.
void RunPluginInfo(HWND owner, const PluginHost& plugins);

// What the About box's link does with its address: the shell's default action.
// Tests install a recorder; an empty function restores the shell.
using AddressOpener = std::function<void(const std::string& address)>;
void SetAddressOpener(AddressOpener opener);
