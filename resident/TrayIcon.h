#pragma once
// The resident changer's one icon in the notification area. An add that the
// shell refuses (MDK started at logon before the task bar) is retried every
// second from a timer of the owner window until it succeeds; the delete at exit
// always goes to the shell, whatever the last add said.

#include <windows.h>
#include <shellapi.h>

#include "ResidentTimers.h"

class TrayIcon {
public:
    using Notify = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAA);
    static constexpr UINT kId = 1;
    static constexpr UINT_PTR kRetryTimer = TIMER_TRAY_RETRY;
    static constexpr UINT kRetryMs = 1000;

    // The icon of an owner window; notify stands in for Shell_NotifyIconA in tests.
    TrayIcon(UINT callbackMessage, HICON icon, const char* tip, Notify notify = Shell_NotifyIconA);

    // Adds the icon, or arms the retry timer on the owner.
    void Add(HWND owner);
    // The owner's WM_TIMER: true when it was the retry timer.
    bool OnTimer(HWND owner, UINT_PTR id);
    // A new task bar has none of the old icons: add it again.
    void Readd(HWND owner);
    void Delete(HWND owner);
    bool Shown() const { return shown_; }

private:
    NOTIFYICONDATAA Data(HWND owner) const;

    UINT callbackMessage_;
    HICON icon_;
    const char* tip_;
    Notify notify_;
    bool shown_ = false;
};
