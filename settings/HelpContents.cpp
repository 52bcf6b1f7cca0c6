#include "HelpContents.h"

#include <htmlhelp.h>

#include "win/MessageBox.h"
#include "win/ProgramFolder.h"

namespace {

using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

// Null until the control has loaded. Never unloaded: the help windows, and the
// control's own threads, live in this process until it ends.
HtmlHelpFunction& HtmlHelp() {
    static HtmlHelpFunction function = nullptr;
    return function;
}

// By its full path, so that no file of that name in the program's folder or
// the current one is taken instead (a 32-bit program on 64-bit Windows is
// led to the 32-bit control).
std::string SystemControlPath() {
    char folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder, length < MAX_PATH ? length : 0) + "\\hhctrl.ocx";
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

void OpenHelpContents(HWND owner) {
    OpenHelpContents(owner, ProgramPathWithExtension(".CHM"), SystemControlPath());
}

void OpenHelpContents(HWND owner, const std::string& helpFile, const std::string& control) {
    if (!FileExists(helpFile)) {
        ShowMessage(owner, "ヘルプファイルが見つかりません。\n\n" + helpFile, MessageKind::Information);
        return;
    }
    if (HtmlHelp() == nullptr) {
        HMODULE module = LoadLibraryA(control.c_str());
        if (module != nullptr) {
            HtmlHelp() = reinterpret_cast<HtmlHelpFunction>(reinterpret_cast<void*>(GetProcAddress(module, "HtmlHelpA")));
            if (HtmlHelp() == nullptr) FreeLibrary(module);
        }
        if (HtmlHelp() == nullptr) {
            ShowMessage(owner, "ヘルプを表示する Windows の HTML ヘルプ (hhctrl.ocx) が見つかりません。\n\n" + control,
                        MessageKind::Information);
            return;
        }
    }
    HtmlHelp()(owner, helpFile.c_str(), HH_DISPLAY_TOC, 0);
}

void CloseHelp() {
    if (HtmlHelp() != nullptr) HtmlHelp()(nullptr, nullptr, HH_CLOSE_ALL, 0);
}
