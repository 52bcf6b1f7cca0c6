#include "winui/Dialog.h"

#include <algorithm>

#include "winui/Gdi.h"

namespace winui {

namespace {

Dialog::InitHook& TestInitHook() {
    static Dialog::InitHook hook;
    return hook;
}

// Messages whose dialog-procedure result is the answer itself, not DWLP_MSGRESULT.
bool AnswersDirectly(UINT message) {
    switch (message) {
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_QUERYDRAGICON:
        case WM_INITDIALOG:
            return true;
        default:
            return false;
    }
}

}  // namespace

Dialog::Dialog(int resourceId) : resourceId_(resourceId) {}

Dialog::~Dialog() {
    if (hwnd_ != nullptr) {
        // The derived part is gone already: detach first so that no handler runs
        // while the window is destroyed.
        HWND hwnd = hwnd_;
        SetWindowLongPtrA(hwnd, DWLP_USER, 0);
        hwnd_ = nullptr;
        DestroyWindow(hwnd);
    }
}

void Dialog::SetInitHook(InitHook hook) { TestInitHook() = std::move(hook); }

INT_PTR Dialog::DoModal(HWND owner) {
    if (hwnd_ != nullptr) return -1;
    modal_ = true;
    ended_ = false;
    result_ = -1;
    const bool disableOwner = owner != nullptr && IsWindowEnabled(owner);
    if (disableOwner) EnableWindow(owner, FALSE);

    HWND hwnd = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId_), owner, DialogProc,
                                   reinterpret_cast<LPARAM>(this));
    if (hwnd != nullptr) {
        // Like the system's own modal dialogs, shown whether or not the template says so,
        // unless initialisation already ended it.
        if (!ended_ && hwnd_ != nullptr && !IsWindowVisible(hwnd_)) ShowWindow(hwnd_, SW_SHOWNORMAL);
        RunModalLoop();
    }

    if (disableOwner) EnableWindow(owner, TRUE);
    if (hwnd_ != nullptr) {
        if (owner != nullptr && GetActiveWindow() == hwnd_) SetActiveWindow(owner);
        DestroyWindow(hwnd_);
    }
    modal_ = false;
    return hwnd != nullptr ? result_ : -1;
}

bool Dialog::RunModalLoop() {
    MSG msg;
    while (!ended_ && hwnd_ != nullptr) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            // A quit request ends the dialog and is passed on to the caller's loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        if (got == -1) return false;
        bool swallowed = false;
        try {
            swallowed = PreTranslateMessage(msg);
        } catch (...) {
            swallowed = false;
        }
        if (swallowed) continue;
        // Timer messages need no dialog navigation; a resident dialog gets a
        // hundred a second, so they go straight to the window.
        if (msg.message != WM_TIMER && hwnd_ != nullptr && IsDialogMessageA(hwnd_, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return true;
}

bool Dialog::Create(HWND owner) {
    if (hwnd_ != nullptr) return false;
    modal_ = false;
    ended_ = false;
    result_ = -1;
    return CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId_), owner, DialogProc,
                              reinterpret_cast<LPARAM>(this)) != nullptr;
}

void Dialog::Destroy() {
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

void Dialog::EndDialog(INT_PTR result) {
    ended_ = true;
    result_ = result;
    if (hwnd_ == nullptr) return;
    if (modal_) {
        PostMessageA(hwnd_, WM_NULL, 0, 0);  // wakes the modal loop
    } else {
        ShowWindow(hwnd_, SW_HIDE);
    }
}

bool Dialog::IsChecked(int id) const { return IsDlgButtonChecked(hwnd_, id) == BST_CHECKED; }

void Dialog::SetChecked(int id, bool checked) { CheckDlgButton(hwnd_, id, checked ? BST_CHECKED : BST_UNCHECKED); }

std::string Dialog::ItemText(int id) const {
    HWND item = GetDlgItem(hwnd_, id);
    if (item == nullptr) return {};
    std::string text(static_cast<size_t>(std::max(GetWindowTextLengthA(item), 0)) + 1, '\0');
    const int got = GetWindowTextA(item, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(std::max(got, 0)));
    return text;
}

void Dialog::SetItemText(int id, const std::string& text) { SetDlgItemTextA(hwnd_, id, text.c_str()); }

void Dialog::BindMessage(UINT message, MessageHandler handler) {
    auto it = std::find_if(messages_.begin(), messages_.end(), [&](const MessageEntry& e) { return e.message == message; });
    if (it != messages_.end()) it->handler = std::move(handler);
    else messages_.push_back({message, std::move(handler)});
}

void Dialog::BindCommand(int id, WORD code, CommandHandler handler) {
    auto it = std::find_if(commands_.begin(), commands_.end(),
                           [&](const CommandEntry& e) { return e.id == id && e.code == code; });
    if (it != commands_.end()) it->handler = std::move(handler);
    else commands_.push_back({id, code, std::move(handler)});
}

void Dialog::BindNotify(int id, UINT code, NotifyHandler handler) {
    auto it = std::find_if(notifications_.begin(), notifications_.end(),
                           [&](const NotifyEntry& e) { return e.id == id && e.code == code; });
    if (it != notifications_.end()) it->handler = std::move(handler);
    else notifications_.push_back({id, code, std::move(handler)});
}

void Dialog::SetIcon(HICON icon) {
    icon_ = icon;
    if (hwnd_ == nullptr) return;
    SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

bool Dialog::PaintMinimisedIcon() {
    if (hwnd_ == nullptr || icon_ == nullptr || !IsIconic(hwnd_)) return false;
    PaintDC dc(hwnd_);
    if (dc.Get() == nullptr) return false;
    SendMessageA(hwnd_, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.Get()), 0);
    RECT client;
    GetClientRect(hwnd_, &client);
    const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc.Get(), x, y, icon_);
    return true;
}

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Dialog* self = message == WM_INITDIALOG ? reinterpret_cast<Dialog*>(lParam)
                                            : reinterpret_cast<Dialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    if (self == nullptr) return FALSE;
    INT_PTR answer = FALSE;
    try {
        answer = message == WM_INITDIALOG ? self->HandleInit(hwnd) : self->Dispatch(message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind through the system's code; the message counts as unhandled.
        answer = FALSE;
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, DWLP_USER, 0);
        self->hwnd_ = nullptr;
    }
    return answer;
}

INT_PTR Dialog::HandleInit(HWND hwnd) {
    hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(this));
    const BOOL focusFirst = OnInitDialog();
    if (TestInitHook() && hwnd_ != nullptr) TestInitHook()(*this);
    return focusFirst;
}

INT_PTR Dialog::Answer(UINT message, LRESULT result) {
    if (AnswersDirectly(message)) return static_cast<INT_PTR>(result);
    if (hwnd_ != nullptr) SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR Dialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (WindowProc(message, wParam, lParam, result)) return Answer(message, result);

    // A bound handler answers the message unless it calls PassToDefault: then the
    // framework's own handling below and the system's default run as well. A
    // handler may send messages to its own dialog, so the flag is kept per call.
    struct KeepFlag {
        bool& flag;
        bool saved;
        ~KeepFlag() { flag = saved; }
    } keep{passToDefault_, passToDefault_};
    passToDefault_ = false;
    for (const MessageEntry& entry : messages_) {
        if (entry.message != message) continue;
        result = entry.handler(wParam, lParam);
        if (!passToDefault_) return Answer(message, result);
        break;
    }

    if (message == WM_COMMAND) {
        const int id = LOWORD(wParam);
        const WORD code = HIWORD(wParam);
        for (const CommandEntry& entry : commands_) {
            if (entry.id != id || entry.code != code) continue;
            passToDefault_ = false;
            entry.handler();
            if (!passToDefault_) return TRUE;
            break;
        }
        // Enter, Escape and the close box arrive here as clicks of IDOK / IDCANCEL.
        if (code == BN_CLICKED && id == IDOK) {
            OnOK();
            return TRUE;
        }
        if (code == BN_CLICKED && id == IDCANCEL) {
            OnCancel();
            return TRUE;
        }
    } else if (message == WM_NOTIFY && lParam != 0) {
        NMHDR& header = *reinterpret_cast<NMHDR*>(lParam);
        for (const NotifyEntry& entry : notifications_) {
            if (entry.id != static_cast<int>(header.idFrom) || entry.code != header.code) continue;
            passToDefault_ = false;
            result = entry.handler(header);
            if (!passToDefault_) return Answer(message, result);
            break;
        }
    } else if (message == WM_PAINT) {
        if (PaintMinimisedIcon()) return TRUE;
    } else if (message == WM_QUERYDRAGICON && icon_ != nullptr) {
        return reinterpret_cast<INT_PTR>(icon_);
    }
    return FALSE;
}

}  // namespace winui
