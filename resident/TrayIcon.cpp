#include "TrayIcon.h"

TrayIcon::TrayIcon(UINT callbackMessage, HICON icon, const char* tip, Notify notify)
    : callbackMessage_(callbackMessage), icon_(icon), tip_(tip), notify_(notify) {}

NOTIFYICONDATAA TrayIcon::Data(HWND owner) const {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = owner;
    data.uID = kId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = callbackMessage_;
    data.hIcon = icon_;
    lstrcpynA(data.szTip, tip_, sizeof data.szTip);
    return data;
}

void TrayIcon::Add(HWND owner) {
    if (shown_) return;
    NOTIFYICONDATAA data = Data(owner);
    // A shell that kept the icon across its restart refuses a second add; the
    // icon is there all the same.
    shown_ = notify_(NIM_ADD, &data) != FALSE || notify_(NIM_MODIFY, &data) != FALSE;
    if (shown_) {
        KillTimer(owner, kRetryTimer);
    } else {
        SetTimer(owner, kRetryTimer, kRetryMs, nullptr);
    }
}

bool TrayIcon::OnTimer(HWND owner, UINT_PTR id) {
    if (id != kRetryTimer) return false;
    Add(owner);
    return true;
}

void TrayIcon::Readd(HWND owner) {
    shown_ = false;
    Add(owner);
}

void TrayIcon::Delete(HWND owner) {
    KillTimer(owner, kRetryTimer);
    NOTIFYICONDATAA data = Data(owner);
    data.uFlags = 0;
    notify_(NIM_DELETE, &data);
    shown_ = false;
}
