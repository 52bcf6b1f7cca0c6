// The tray icon against a shell that refuses it at first, as at logon before the
// task bar is up: the add is retried from the owner's timer, and the delete at
// exit always reaches the shell.

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "TrayIcon.h"

namespace {

struct ShellCalls {
    int refusals = 0;  // adds and modifies refused before the shell takes the icon
    std::vector<DWORD> calls;
};
ShellCalls g_shell;

BOOL WINAPI FakeShell(DWORD message, PNOTIFYICONDATAA data) {
    g_shell.calls.push_back(message);
    if (data == nullptr || data->uID != TrayIcon::kId) return FALSE;
    if (message == NIM_DELETE) return TRUE;
    if (g_shell.refusals > 0) {
        --g_shell.refusals;
        return FALSE;
    }
    return message == NIM_ADD;
}

bool Called(DWORD message) {
    for (DWORD m : g_shell.calls) {
        if (m == message) return true;
    }
    return false;
}

// Runs the owner's messages, handing timers to the icon, until it shows (at
// most ten seconds).
bool PumpUntilShown(TrayIcon& icon, HWND owner) {
    const DWORD end = GetTickCount() + 10000;
    while (!icon.Shown() && static_cast<LONG>(end - GetTickCount()) > 0) {
        MSG message;
        while (PeekMessageA(&message, owner, 0, 0, PM_REMOVE)) {
            if (message.message == WM_TIMER) icon.OnTimer(owner, message.wParam);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    return icon.Shown();
}

}  // namespace

TEST(TrayIcon, ARefusedAddIsRetriedUntilTheShellTakesItAndExitAlwaysDeletes) {
    HWND owner = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    TrayIcon icon(0x2C00, LoadIconA(nullptr, MAKEINTRESOURCEA(32512)), "ミラド", FakeShell);

    g_shell = ShellCalls{};
    g_shell.refusals = 4;  // the first add and the next retry, each with its modify
    icon.Add(owner);
    EXPECT_FALSE(icon.Shown());
    EXPECT_TRUE(PumpUntilShown(icon, owner));
    // Shown: no more retries; the timer is gone.
    EXPECT_FALSE(KillTimer(owner, TrayIcon::kRetryTimer));

    // The delete goes to the shell even when the icon never appeared.
    TrayIcon never(0x2C00, nullptr, "ミラド", FakeShell);
    g_shell = ShellCalls{};
    g_shell.refusals = 1000;
    never.Add(owner);
    never.Delete(owner);
    EXPECT_TRUE(Called(NIM_DELETE));
    EXPECT_FALSE(KillTimer(owner, TrayIcon::kRetryTimer)) << "the retry stops at exit";

    DestroyWindow(owner);
}
