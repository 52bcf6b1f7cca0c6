#pragma once
// A dialog from a resource template, run modally (or, for tests and companion
// windows, modelessly). The object is stored in the window (DWLP_USER) from the
// window's first message on, so WM_SETFONT and the owner-drawn controls'
// WM_MEASUREITEM reach it before WM_INITDIALOG. Messages, commands (id +
// notification code), control notifications and owner drawing reach handlers
// bound by table. No exception leaves the dialog procedure.
//
// Order of handling for every message:
//   1. WindowProc (override to see a message before anything else),
//   2. the bound handler, the most specific one that matches: a control's
//      (BindCommand, BindNotify, BindDrawItem) before the message's
//      (BindMessage); one that calls PassToDefault() lets 3 to 5 run too,
//   3. IDOK / IDCANCEL clicks: OnOK / OnCancel,
//   4. painting the icon while minimised, WM_QUERYDRAGICON,
//   5. the system's default dialog handling.
// WM_DESTROY runs OnDestroy first of all, once.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace winui {

class Dialog {
public:
    explicit Dialog(int resourceId);
    // Destroys a window still open without running OnDestroy or any handler:
    // the derived part is gone already. A derived class whose clean-up must run
    // then calls Destroy() in its own destructor.
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Creates the dialog, shows it and runs its own message loop until
    // EndDialog. The loop gives every message addressed to this dialog, or to a
    // modeless dialog of the thread (Create), first to that dialog:
    // PreTranslateMessage, then the system's dialog keys (Tab, arrows,
    // mnemonics). The owner is disabled meanwhile. Returns EndDialog's result,
    // -1 when the dialog could not be created.
    INT_PTR DoModal(HWND owner = nullptr);

    // Creates the dialog without a loop of its own; a modal loop running on
    // the thread (or a test sending messages) drives it. EndDialog then only
    // records the result and hides the window; Destroy ends it.
    bool Create(HWND owner = nullptr);
    void Destroy();

    void EndDialog(INT_PTR result);
    bool Ended() const { return ended_; }
    INT_PTR Result() const { return result_; }

    HWND Handle() const { return hwnd_; }
    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
    int ResourceId() const { return resourceId_; }
    // Whether the window is this dialog or one of its descendants.
    bool IsOwnWindow(HWND hwnd) const;

    // Data exchange with controls.
    bool IsChecked(int id) const;
    void SetChecked(int id, bool checked);
    std::string ItemText(int id) const;
    void SetItemText(int id, const std::string& text);

    bool IsItemEnabled(int id) const;
    void EnableItem(int id, bool enable);
    // Moves the keyboard focus the dialog's way, so that the default button follows.
    void FocusItem(int id);

    // Runs on every dialog's WM_INITDIALOG (property pages too), after
    // OnInitDialog: a test installs one to drive the real dialog (post
    // commands, read controls) while DoModal runs. An empty function removes it.
    using InitHook = std::function<void(Dialog&)>;
    static void SetInitHook(InitHook hook);

protected:
    // Return TRUE to let the system focus the first control.
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // WM_DESTROY, exactly once per window, whoever destroys it (DoModal's end,
    // Destroy, DestroyWindow, the owner's destruction); the controls still exist.
    virtual void OnDestroy() {}
    // Sees the messages of this dialog and its descendants that a modal loop
    // takes from the queue, before the dialog keys; true swallows the message.
    virtual bool PreTranslateMessage(MSG& /*msg*/) { return false; }
    // Sees every message of the dialog before the handlers and the default
    // handling; true means handled, with result.
    virtual bool WindowProc(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/, LRESULT& /*result*/) {
        return false;
    }
    // A kernel object the modal loop waits on beside the messages, asked for
    // again before every wait (none by default: the loop waits for messages
    // alone). OnWaitEnded runs when the wait on it ends, signalled, or fails.
    virtual HANDLE WaitHandle() { return nullptr; }
    virtual void OnWaitEnded(bool /*signalled*/) {}

    // A handler's result is the message's answer (for WM_NOTIFY the
    // notification result, e.g. 0 for NM_CLICK).
    using MessageHandler = std::function<LRESULT(WPARAM wParam, LPARAM lParam)>;
    using CommandHandler = std::function<void()>;
    using NotifyHandler = std::function<LRESULT(NMHDR& header)>;
    using DrawItemHandler = std::function<void(DRAWITEMSTRUCT& item)>;
    // Bind in the constructor of the derived dialog. A later binding of the same
    // key replaces the earlier one.
    void BindMessage(UINT message, MessageHandler handler);
    void BindCommand(int id, WORD code, CommandHandler handler);
    void BindCommand(int id, CommandHandler handler) { BindCommand(id, BN_CLICKED, std::move(handler)); }
    void BindNotify(int id, UINT code, NotifyHandler handler);
    // WM_DRAWITEM of an owner-drawn control.
    void BindDrawItem(int id, DrawItemHandler handler);
    // For BindNotify: a notification of this code from any sender, such as the
    // property sheet's; a binding for the sender's id comes first.
    static constexpr int kAnyControl = -0x7fff;

    // Called inside a bound handler: the framework's own handling (OnOK/OnCancel,
    // the minimised icon) and the system's default handling run after it.
    void PassToDefault() { passToDefault_ = true; }

    // Sets both window icons. While minimised, the dialog paints it centred in its
    // client area, and WM_QUERYDRAGICON gives it.
    void SetIcon(HICON icon);
    HICON Icon() const { return icon_; }
    // The standard minimised-dialog painting; false (nothing painted) unless the
    // dialog is minimised and has an icon.
    bool PaintMinimisedIcon();

    // For dialogs whose window someone else creates (property pages): attach
    // the object, then route each message through Route.
    void Attach(HWND hwnd);
    static INT_PTR Route(Dialog* self, UINT message, WPARAM wParam, LPARAM lParam);

private:
    struct Binding {
        UINT message;
        bool byControl;  // keyed by control id and code, not by the message alone
        int id;
        UINT code;
        MessageHandler handler;
    };

    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND CreateFromTemplate(HWND owner);
    void Detach();
    void Bind(Binding binding);
    const Binding* FindBinding(UINT message, WPARAM wParam, LPARAM lParam) const;
    INT_PTR HandleInit();
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Answer(UINT message, LRESULT result);
    bool RunModalLoop();
    enum class Next { Message, Quit, Failed, Nothing };
    Next NextMessage(MSG& msg);
    bool FilterMessage(MSG& msg);

    int resourceId_;
    HWND hwnd_ = nullptr;
    HICON icon_ = nullptr;
    bool modal_ = false;
    bool ended_ = false;
    bool destroyNotified_ = false;
    bool passToDefault_ = false;
    INT_PTR result_ = -1;
    std::vector<Binding> bindings_;
};

}  // namespace winui
