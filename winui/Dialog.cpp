#include "winui/Dialog.h"

#include <algorithm>
#include <utility>

#include "winui/Gdi.h"

namespace winui {

namespace {

Dialog::InitHook& TestInitHook() {
    static Dialog::InitHook hook;
    return hook;
}

// The dialog whose window this thread is creating: its first message attaches it.
thread_local Dialog* t_creating = nullptr;

// Modeless dialogs of this thread, for the modal loops' dialog keys.
std::vector<Dialog*>& ModelessDialogs() {
    thread_local std::vector<Dialog*> dialogs;
    return dialogs;
}

void ForgetModeless(Dialog* dialog) {
    auto& dialogs = ModelessDialogs();
    dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), dialog), dialogs.end());
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

// The control and code a message is about, for the messages routed by control.
bool ControlKey(UINT message, WPARAM wParam, LPARAM lParam, int& id, UINT& code) {
    switch (message) {
        case WM_COMMAND:
            id = LOWORD(wParam);
            code = HIWORD(wParam);
            return true;
        case WM_NOTIFY:
            if (lParam == 0) return false;
            id = static_cast<int>(reinterpret_cast<const NMHDR*>(lParam)->idFrom);
            code = reinterpret_cast<const NMHDR*>(lParam)->code;
            return true;
        case WM_DRAWITEM:
            id = static_cast<int>(wParam);
            code = 0;
            return true;
        default:
            return false;
    }
}

}  // namespace

Dialog::Dialog(int resourceId) : resourceId_(resourceId) {}

Dialog::~Dialog() {
    ForgetModeless(this);
    if (hwnd_ != nullptr) {
        HWND hwnd = hwnd_;
        Detach();
        DestroyWindow(hwnd);
    }
}

void Dialog::SetInitHook(InitHook hook) { TestInitHook() = std::move(hook); }

HWND Dialog::CreateFromTemplate(HWND owner) {
    struct Creating {
        Dialog* saved;
        ~Creating() { t_creating = saved; }
    } restore{t_creating};
    t_creating = this;
    return CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId_), owner, DialogProc, 0);
}

void Dialog::Attach(HWND hwnd) {
    hwnd_ = hwnd;
    destroyNotified_ = false;
    SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(this));
}

void Dialog::Detach() {
    ForgetModeless(this);
    if (hwnd_ != nullptr) SetWindowLongPtrA(hwnd_, DWLP_USER, 0);
    hwnd_ = nullptr;
}

INT_PTR Dialog::DoModal(HWND owner) {
    if (hwnd_ != nullptr) return -1;
    modal_ = true;
    ended_ = false;
    result_ = -1;
    const bool disableOwner = owner != nullptr && IsWindowEnabled(owner);
    if (disableOwner) EnableWindow(owner, FALSE);

    HWND hwnd = CreateFromTemplate(owner);
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
        const Next got = NextMessage(msg);
        if (got == Next::Quit) {
            // A quit request ends the dialog and is passed on to the caller's loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        if (got == Next::Failed) return false;
        if (got == Next::Nothing) continue;
        Dialog* target = this;
        if (!IsOwnWindow(msg.hwnd)) {
            const auto& modeless = ModelessDialogs();
            auto it = std::find_if(modeless.begin(), modeless.end(), [&](Dialog* d) { return d->IsOwnWindow(msg.hwnd); });
            target = it != modeless.end() ? *it : nullptr;
        }
        if (target != nullptr && target->FilterMessage(msg)) continue;
        if (target != nullptr && msg.message == WM_TIMER && msg.hwnd == target->hwnd_ && msg.lParam == 0) {
            // A dialog's own timer goes straight to its handler: dispatching it only
            // passes it through the system's dialog procedure to ours, and a
            // resident dialog gets a hundred a second.
            Route(target, msg.message, msg.wParam, msg.lParam);
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return true;
}

Dialog::Next Dialog::NextMessage(MSG& msg) {
    HANDLE handle = nullptr;
    try {
        handle = WaitHandle();
    } catch (...) {
        handle = nullptr;
    }
    if (handle == nullptr) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        return got == 0 ? Next::Quit : got == -1 ? Next::Failed : Next::Message;
    }
    // Input already queued ends the wait too, not only input that arrives later.
    const DWORD rc = MsgWaitForMultipleObjectsEx(1, &handle, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (rc != WAIT_OBJECT_0 + 1) {
        try {
            OnWaitEnded(rc != WAIT_FAILED);
        } catch (...) {
        }
        return Next::Nothing;
    }
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return Next::Nothing;  // a sent message, handled
    return msg.message == WM_QUIT ? Next::Quit : Next::Message;
}

// True when the message has been dealt with: swallowed by PreTranslateMessage or
// taken as a dialog key.
bool Dialog::FilterMessage(MSG& msg) {
    bool swallowed = false;
    try {
        swallowed = PreTranslateMessage(msg);
    } catch (...) {
        swallowed = false;
    }
    if (swallowed) return true;
    // Timer messages need no dialog navigation; a resident dialog gets a
    // hundred a second, so they go straight to the window.
    return msg.message != WM_TIMER && hwnd_ != nullptr && IsDialogMessageA(hwnd_, &msg);
}

bool Dialog::Create(HWND owner) {
    if (hwnd_ != nullptr) return false;
    modal_ = false;
    ended_ = false;
    result_ = -1;
    if (CreateFromTemplate(owner) == nullptr || hwnd_ == nullptr) return false;
    ModelessDialogs().push_back(this);
    return true;
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

bool Dialog::IsOwnWindow(HWND hwnd) const {
    return hwnd_ != nullptr && hwnd != nullptr && (hwnd == hwnd_ || IsChild(hwnd_, hwnd));
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

bool Dialog::IsItemEnabled(int id) const {
    HWND item = GetDlgItem(hwnd_, id);
    return item != nullptr && IsWindowEnabled(item);
}

void Dialog::EnableItem(int id, bool enable) {
    if (HWND item = GetDlgItem(hwnd_, id)) EnableWindow(item, enable ? TRUE : FALSE);
}

void Dialog::FocusItem(int id) {
    if (HWND item = GetDlgItem(hwnd_, id)) SendMessageA(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item), TRUE);
}

void Dialog::Bind(Binding binding) {
    auto it = std::find_if(bindings_.begin(), bindings_.end(), [&](const Binding& b) {
        return b.message == binding.message && b.byControl == binding.byControl && b.id == binding.id &&
               b.code == binding.code;
    });
    if (it != bindings_.end()) *it = std::move(binding);
    else bindings_.push_back(std::move(binding));
}

void Dialog::BindMessage(UINT message, MessageHandler handler) { Bind({message, false, 0, 0, std::move(handler)}); }

void Dialog::BindCommand(int id, WORD code, CommandHandler handler) {
    Bind({WM_COMMAND, true, id, code, [handler = std::move(handler)](WPARAM, LPARAM) {
              handler();
              return LRESULT{0};
          }});
}

void Dialog::BindNotify(int id, UINT code, NotifyHandler handler) {
    Bind({WM_NOTIFY, true, id, code, [handler = std::move(handler)](WPARAM, LPARAM lParam) {
              return handler(*reinterpret_cast<NMHDR*>(lParam));
          }});
}

void Dialog::BindDrawItem(int id, DrawItemHandler handler) {
    Bind({WM_DRAWITEM, true, id, 0, [handler = std::move(handler)](WPARAM, LPARAM lParam) {
              handler(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
              return LRESULT{TRUE};
          }});
}

const Dialog::Binding* Dialog::FindBinding(UINT message, WPARAM wParam, LPARAM lParam) const {
    int id = 0;
    UINT code = 0;
    const bool byControl = ControlKey(message, wParam, lParam, id, code);
    const Binding* anySender = nullptr;
    const Binding* whole = nullptr;
    for (const Binding& b : bindings_) {
        if (b.message != message) continue;
        if (!b.byControl) {
            whole = &b;
        } else if (byControl && b.code == code) {
            if (b.id == id) return &b;
            if (b.id == kAnyControl) anySender = &b;
        }
    }
    return anySender != nullptr ? anySender : whole;
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
    auto* self = reinterpret_cast<Dialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    if (self == nullptr && t_creating != nullptr) {
        self = std::exchange(t_creating, nullptr);
        self->Attach(hwnd);
    }
    return Route(self, message, wParam, lParam);
}

INT_PTR Dialog::Route(Dialog* self, UINT message, WPARAM wParam, LPARAM lParam) {
    if (self == nullptr) return FALSE;
    INT_PTR answer = FALSE;
    try {
        answer = message == WM_INITDIALOG ? self->HandleInit() : self->Dispatch(message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind through the system's code; the message counts as unhandled.
        answer = FALSE;
    }
    if (message == WM_NCDESTROY) self->Detach();
    return answer;
}

INT_PTR Dialog::HandleInit() {
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
    if (message == WM_DESTROY && !destroyNotified_) {
        destroyNotified_ = true;
        OnDestroy();
    }
    LRESULT result = 0;
    if (WindowProc(message, wParam, lParam, result)) return Answer(message, result);

    // A bound handler answers the message unless it calls PassToDefault: then the
    // framework's own handling below and the system's default run as well. A
    // handler may send messages to its own dialog, so the flag is kept per call,
    // and it may bind anew, so it runs from a copy.
    if (const Binding* binding = FindBinding(message, wParam, lParam)) {
        struct KeepFlag {
            bool& flag;
            bool saved;
            ~KeepFlag() { flag = saved; }
        } keep{passToDefault_, passToDefault_};
        passToDefault_ = false;
        const MessageHandler handler = binding->handler;
        result = handler(wParam, lParam);
        if (!passToDefault_) return Answer(message, result);
    }

    if (message == WM_COMMAND) {
        // Enter, Escape and the close box arrive here as clicks of IDOK / IDCANCEL.
        const int id = LOWORD(wParam);
        if (HIWORD(wParam) == BN_CLICKED && id == IDOK) {
            OnOK();
            return TRUE;
        }
        if (HIWORD(wParam) == BN_CLICKED && id == IDCANCEL) {
            OnCancel();
            return TRUE;
        }
    } else if (message == WM_PAINT) {
        if (PaintMinimisedIcon()) return TRUE;
    } else if (message == WM_QUERYDRAGICON && icon_ != nullptr) {
        return reinterpret_cast<INT_PTR>(icon_);
    }
    return FALSE;
}

}  // namespace winui
