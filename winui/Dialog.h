#pragma once
// A dialog from a resource template, run modally (or, for tests and companion
// windows, modelessly). The object is stored in the window (DWLP_USER); messages,
// commands (id + notification code) and control notifications reach handlers
// bound by table. No exception leaves the dialog procedure.
//
// Order of handling for every message after WM_INITDIALOG:
//   1. WindowProc (override to see a message before anything else),
//   2. the bound handlers; one that calls PassToDefault() lets 3 to 5 run too,
//   3. IDOK / IDCANCEL clicks: OnOK / OnCancel,
//   4. painting the icon while minimised, WM_QUERYDRAGICON,
//   5. the system's default dialog handling.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace winui {

class Dialog {
public:
    explicit Dialog(int resourceId);
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Creates the dialog, shows it and runs its own message loop (so that
    // PreTranslateMessage sees every message) until EndDialog. The owner is
    // disabled meanwhile. Returns EndDialog's result, -1 when the dialog could not
    // be created.
    INT_PTR DoModal(HWND owner = nullptr);

    // Creates the dialog without a loop of its own; the caller's loop (or a test
    // sending messages) drives it. EndDialog then only records the result and
    // hides the window; Destroy ends it.
    bool Create(HWND owner = nullptr);
    void Destroy();

    void EndDialog(INT_PTR result);
    bool Ended() const { return ended_; }
    INT_PTR Result() const { return result_; }

    HWND Handle() const { return hwnd_; }
    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
    int ResourceId() const { return resourceId_; }

    // Data exchange with controls.
    bool IsChecked(int id) const;
    void SetChecked(int id, bool checked);
    std::string ItemText(int id) const;
    void SetItemText(int id, const std::string& text);

    // Runs on every dialog's WM_INITDIALOG, after OnInitDialog: a test installs
    // one to drive the real dialog (post commands, read controls) while DoModal
    // runs. An empty function removes it.
    using InitHook = std::function<void(Dialog&)>;
    static void SetInitHook(InitHook hook);

protected:
    // Return TRUE to let the system focus the first control.
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // Sees every message of the modal loop first; true swallows it.
    virtual bool PreTranslateMessage(MSG& /*msg*/) { return false; }
    // Sees every message of the dialog before the handlers and the default
    // handling; true means handled, with result.
    virtual bool WindowProc(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/, LRESULT& /*result*/) {
        return false;
    }

    using MessageHandler = std::function<LRESULT(WPARAM wParam, LPARAM lParam)>;
    using CommandHandler = std::function<void()>;
    using NotifyHandler = std::function<LRESULT(NMHDR& header)>;
    // Bind in the constructor of the derived dialog. A later binding of the same
    // key replaces the earlier one.
    void BindMessage(UINT message, MessageHandler handler);
    void BindCommand(int id, WORD code, CommandHandler handler);
    void BindCommand(int id, CommandHandler handler) { BindCommand(id, BN_CLICKED, std::move(handler)); }
    void BindNotify(int id, UINT code, NotifyHandler handler);

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

private:
    struct MessageEntry { UINT message; MessageHandler handler; };
    struct CommandEntry { int id; WORD code; CommandHandler handler; };
    struct NotifyEntry { int id; UINT code; NotifyHandler handler; };

    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleInit(HWND hwnd);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Answer(UINT message, LRESULT result);
    bool RunModalLoop();

    int resourceId_;
    HWND hwnd_ = nullptr;
    HICON icon_ = nullptr;
    bool modal_ = false;
    bool ended_ = false;
    bool passToDefault_ = false;
    INT_PTR result_ = -1;
    std::vector<MessageEntry> messages_;
    std::vector<CommandEntry> commands_;
    std::vector<NotifyEntry> notifications_;
};

}  // namespace winui
