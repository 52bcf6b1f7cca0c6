// Not a test: drives the settings program for the demo as a user would, with the
// keyboard and the mouse's messages, and hands over to the demo script for its
// screenshots through files in a folder:
//   demo_driver.exe FOLDER
// 0. the main dialog as it opened ("settings.ready"; waits for "settings.shot");
// 1. on the "デモ" tab, the first picture with a date window 12/01-01/01: the
//    editor refuses it ("refusal.ready"; waits for "refusal.shot", then OK);
// 2. the same picture with a time window instead, from this minute to the next
//    (to this minute alone in its first half): registered;
// 3. the options sheet ("options.ready"; waits for "options.shot", then closed);
// 4. MDS minimised: it saves, and MDK puts the new reservation up at once; a
//    time window beats the repeat timers of the sample table until it closes.

#include <windows.h>

#include <string>

#include "support/Programs.h"
#include "support/WaitFor.h"

namespace {

std::string g_folder;

bool Exists(const std::string& name) { return GetFileAttributesA((g_folder + "\\" + name).c_str()) != INVALID_FILE_ATTRIBUTES; }

void Announce(const std::string& name) {
    HANDLE file = CreateFileA((g_folder + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

void Press(HWND window, WPARAM key) {
    PostMessageA(window, WM_KEYDOWN, key, 0);
    PostMessageA(window, WM_KEYUP, key, 0);
}

void Focus(HWND dialog, int id) { PostMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, id)), TRUE); }
void Click(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
void Pick(HWND dialog, int id, int index) { PostMessageA(GetDlgItem(dialog, id), CB_SETCURSEL, index, 0); }

HWND Shown(const char* caption) {
    HWND window = nullptr;
    WaitFor([&] { return (window = FindProgramWindow(0, "#32770", caption)) != nullptr && IsWindowVisible(window); },
            30000, 50);
    return window != nullptr && IsWindowVisible(window) ? window : nullptr;
}

void DateWindow(HWND dialog, int fromMonth, int fromDay, int toMonth, int toDay) {
    Pick(dialog, 1016, fromMonth);
    Pick(dialog, 1018, fromDay);
    Pick(dialog, 1020, toMonth);
    Pick(dialog, 1022, toDay);
}

void TimeWindow(HWND dialog, int fromHour, int fromMinute, int toHour, int toMinute) {
    Pick(dialog, 1024, fromHour);
    Pick(dialog, 1026, fromMinute);
    Pick(dialog, 1028, toHour);
    Pick(dialog, 1030, toMinute);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    g_folder = argv[1];
    HWND dialog = Shown("ミラド");
    if (dialog == nullptr) return 3;
    Announce("settings.ready");
    WaitFor([] { return Exists("settings.shot"); }, 30000, 100);

    Focus(dialog, 1000);
    Press(GetDlgItem(dialog, 1000), VK_RIGHT);  // the "デモ" tab
    Focus(dialog, 1001);
    Press(GetDlgItem(dialog, 1001), VK_DOWN);
    Press(GetDlgItem(dialog, 1001), VK_UP);  // its first picture
    Click(dialog, 1015);
    DateWindow(dialog, 11, 0, 0, 0);
    Click(dialog, 1004);
    if (HWND refusal = Shown("警告")) {
        Announce("refusal.ready");
        WaitFor([] { return Exists("refusal.shot"); }, 30000, 100);
        PostMessageA(refusal, WM_COMMAND, IDOK, 0);
    }

    // Both end minutes count: the picture shows for 30 to 90 seconds. A window
    // may not run past midnight.
    SYSTEMTIME now;
    GetLocalTime(&now);
    int toHour = now.wHour, toMinute = now.wMinute + (now.wSecond >= 30 ? 1 : 0);
    if (toMinute == 60) toHour += 1, toMinute = 0;
    if (toHour == 24) toHour = 23, toMinute = 59;
    Click(dialog, 1015);  // the date window off again
    Click(dialog, 1023);
    TimeWindow(dialog, now.wHour, now.wMinute, toHour, toMinute);
    Click(dialog, 1004);

    PostMessageA(dialog, WM_COMMAND, 32778, 0);
    if (HWND options = Shown("オプション")) {
        Announce("options.ready");
        WaitFor([] { return Exists("options.shot"); }, 30000, 100);
        PostMessageA(options, WM_COMMAND, IDCANCEL, 0);
        WaitFor([&] { return !IsWindow(options); }, 10000, 50);
    }
    PostMessageA(dialog, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    return 0;
}
