#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "TestDialogIds.h"
#include "winui/Application.h"
#include "winui/Dialog.h"

namespace {

constexpr UINT kAsk = WM_APP + 1;
constexpr UINT kThrow = WM_APP + 2;
constexpr UINT kSwallowed = WM_APP + 3;
constexpr UINT kProbe = WM_APP + 4;

// The test dialog: every binding kind, and counters for what reached it.
class TestDialog : public winui::Dialog {
public:
    TestDialog() : Dialog(IDD_TEST_DIALOG) {
        BindMessage(kAsk, [this](WPARAM w, LPARAM) {
            ++asked;
            return static_cast<LRESULT>(w * 2);
        });
        BindMessage(kThrow, [](WPARAM, LPARAM) -> LRESULT { throw std::runtime_error("handler failed"); });
        BindMessage(kSwallowed, [this](WPARAM, LPARAM) { return ++reachedTable, LRESULT{1}; });
        BindMessage(WM_SETTEXT, [this](WPARAM, LPARAM) {
            ++textsSeen;
            PassToDefault();
            return LRESULT{0};
        });
        BindCommand(IDC_TEST_BUTTON, [this] { ++clicks; });
        BindCommand(IDC_TEST_EDIT, EN_CHANGE, [this] { ++edits; });
        BindNotify(IDC_TEST_EDIT, NM_CLICK, [this](NMHDR& header) {
            notifiedFrom = header.hwndFrom;
            return LRESULT{7};
        });
        BindMessage(kProbe, [this](WPARAM step, LPARAM) {
            if (onProbe) onProbe(static_cast<int>(step));
            return LRESULT{0};
        });
    }

    void Rebind() { BindCommand(IDC_TEST_BUTTON, [this] { clicks += 100; }); }
    // Paints through the framework while minimised, as a program's own WM_PAINT
    // handler does when it has nothing to add.
    void BindPaintPassingOn() {
        BindMessage(WM_PAINT, [this](WPARAM, LPARAM) {
            ++paints;
            PassToDefault();
            return LRESULT{0};
        });
        BindMessage(WM_ICONERASEBKGND, [this](WPARAM, LPARAM) { return ++iconBackgrounds, LRESULT{1}; });
    }
    using Dialog::PaintMinimisedIcon;
    using Dialog::SetIcon;

    int asked = 0;
    int reachedTable = 0;
    int textsSeen = 0;
    int clicks = 0;
    int edits = 0;
    HWND notifiedFrom = nullptr;
    int initCalls = 0;
    int paints = 0;
    int iconBackgrounds = 0;
    bool endInInit = false;
    std::vector<UINT> preTranslated;
    bool swallowEscape = false;
    std::function<void(int step)> onProbe;

protected:
    BOOL OnInitDialog() override {
        ++initCalls;
        if (endInInit) EndDialog(42);
        return TRUE;
    }
    bool PreTranslateMessage(MSG& msg) override {
        if (msg.message >= WM_APP) preTranslated.push_back(msg.message);
        return swallowEscape && msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE;
    }
    bool WindowProc(UINT message, WPARAM, LPARAM, LRESULT& result) override {
        if (message != kSwallowed) return false;
        result = 99;
        return true;
    }
};

// Records what reaches it before its initialisation, and its clean-up.
class LifeDialog : public winui::Dialog {
public:
    explicit LifeDialog(int* destroyed = nullptr, bool cleanUpInDestructor = false)
        : Dialog(IDD_TEST_CONTROLS), destroyed_(destroyed), cleanUpInDestructor_(cleanUpInDestructor) {
        BindMessage(WM_SETFONT, [this](WPARAM, LPARAM) {
            fontsBeforeInit += !initialised;
            PassToDefault();
            return LRESULT{0};
        });
        BindMessage(WM_MEASUREITEM, [this](WPARAM, LPARAM lParam) {
            reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = 23;
            measuresBeforeInit += !initialised;
            return LRESULT{TRUE};
        });
    }
    ~LifeDialog() override {
        if (cleanUpInDestructor_) Destroy();
    }
    using Dialog::BindCommand;
    using Dialog::BindDrawItem;
    using Dialog::BindMessage;

    bool initialised = false;
    int fontsBeforeInit = 0;
    int measuresBeforeInit = 0;
    LRESULT itemHeight = 0;
    bool controlsAliveAtDestroy = false;

protected:
    BOOL OnInitDialog() override {
        initialised = true;
        itemHeight = SendMessageA(Item(IDC_TEST_OWNERDRAWN), LB_GETITEMHEIGHT, 0, 0);
        return TRUE;
    }
    void OnDestroy() override {
        if (destroyed_ != nullptr) ++*destroyed_;
        controlsAliveAtDestroy = Item(IDC_TEST_LIST) != nullptr;
    }

private:
    int* destroyed_;
    bool cleanUpInDestructor_;
};

class DialogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { winui::Application::EnableControls(); }
    void TearDown() override { winui::Dialog::SetInitHook({}); }
};

}  // namespace

TEST_F(DialogTest, MessagesCommandsAndNotificationsReachTheirHandlers) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    HWND hwnd = dialog.Handle();
    EXPECT_EQ(reinterpret_cast<winui::Dialog*>(GetWindowLongPtrA(hwnd, DWLP_USER)), &dialog);
    EXPECT_EQ(dialog.initCalls, 1);

    EXPECT_EQ(SendMessageA(hwnd, kAsk, 21, 0), 42);

    SendMessageA(dialog.Item(IDC_TEST_BUTTON), BM_CLICK, 0, 0);
    EXPECT_EQ(dialog.clicks, 1);
    dialog.Rebind();  // a later binding replaces the earlier one
    SendMessageA(dialog.Item(IDC_TEST_BUTTON), BM_CLICK, 0, 0);
    EXPECT_EQ(dialog.clicks, 101);

    dialog.SetItemText(IDC_TEST_EDIT, "x");
    EXPECT_EQ(dialog.edits, 1);

    NMHDR header{dialog.Item(IDC_TEST_EDIT), IDC_TEST_EDIT, static_cast<UINT>(NM_CLICK)};
    EXPECT_EQ(SendMessageA(hwnd, WM_NOTIFY, IDC_TEST_EDIT, reinterpret_cast<LPARAM>(&header)), 7);
    EXPECT_EQ(dialog.notifiedFrom, dialog.Item(IDC_TEST_EDIT));
    header.code = NM_DBLCLK;  // not bound
    EXPECT_EQ(SendMessageA(hwnd, WM_NOTIFY, IDC_TEST_EDIT, reinterpret_cast<LPARAM>(&header)), 0);

    // The window procedure hook comes before the table.
    EXPECT_EQ(SendMessageA(hwnd, kSwallowed, 0, 0), 99);
    EXPECT_EQ(dialog.reachedTable, 0);

    // A handler that asks for the default handling gets both.
    SetWindowTextA(hwnd, "新しい表題");
    EXPECT_EQ(dialog.textsSeen, 1);
    char caption[64] = {};
    GetWindowTextA(hwnd, caption, sizeof caption);
    EXPECT_STREQ(caption, "新しい表題");

    dialog.Destroy();
    EXPECT_EQ(dialog.Handle(), nullptr);
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(DialogTest, NoExceptionLeavesTheDialogProcedure) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(SendMessageA(dialog.Handle(), kThrow, 0, 0), 0);
    // The dialog goes on working.
    EXPECT_EQ(SendMessageA(dialog.Handle(), kAsk, 1, 0), 2);
}

TEST_F(DialogTest, OkCancelAndTheCloseBoxEndTheDialog) {
    for (int button : {IDOK, IDCANCEL}) {
        TestDialog dialog;
        ASSERT_TRUE(dialog.Create());
        SendMessageA(dialog.Item(button), BM_CLICK, 0, 0);
        EXPECT_TRUE(dialog.Ended());
        EXPECT_EQ(dialog.Result(), button);
    }
    // The close box: the system posts the IDCANCEL click.
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    SendMessageA(dialog.Handle(), WM_CLOSE, 0, 0);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    EXPECT_TRUE(dialog.Ended());
    EXPECT_EQ(dialog.Result(), IDCANCEL);
    EXPECT_FALSE(IsWindowVisible(dialog.Handle()));
}

TEST_F(DialogTest, DataExchangeReadsAndWritesControls) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    EXPECT_FALSE(dialog.IsChecked(IDC_TEST_CHECK));
    dialog.SetChecked(IDC_TEST_CHECK, true);
    EXPECT_TRUE(dialog.IsChecked(IDC_TEST_CHECK));
    dialog.SetChecked(IDC_TEST_CHECK, false);
    EXPECT_FALSE(dialog.IsChecked(IDC_TEST_CHECK));

    // Double-byte characters whose second byte is a backslash, and a long text.
    const std::string path = "C:\\表示\\ソフト\\" + std::string(600, 'a');
    dialog.SetItemText(IDC_TEST_EDIT, path);
    EXPECT_EQ(dialog.ItemText(IDC_TEST_EDIT), path);
    dialog.SetItemText(IDC_TEST_EDIT, "");
    EXPECT_EQ(dialog.ItemText(IDC_TEST_EDIT), "");
    EXPECT_EQ(dialog.ItemText(4242), "");  // no such control
}

TEST_F(DialogTest, DoModalRunsItsOwnLoopUntilEndDialog) {
    HWND owner = CreateWindowA("STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    TestDialog dialog;
    dialog.swallowEscape = true;
    bool ownerDisabled = false;
    winui::Dialog::SetInitHook([&](winui::Dialog& d) {
        // Runs inside WM_INITDIALOG; what it posts arrives through the modal loop.
        PostMessageA(d.Handle(), kAsk, 0, 0);
        PostMessageA(d.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);  // swallowed by PreTranslateMessage
        PostMessageA(d.Item(IDC_TEST_BUTTON), BM_CLICK, 0, 0);
        PostMessageA(d.Handle(), WM_APP + 9, 0, 0);
        // The filter sees the dialog's descendants, not other windows of the thread.
        PostMessageA(d.Item(IDC_TEST_EDIT), WM_APP + 10, 0, 0);
        PostMessageA(owner, WM_APP + 11, 0, 0);
        PostMessageA(d.Item(IDOK), BM_CLICK, 0, 0);
        ownerDisabled = !IsWindowEnabled(owner);
    });
    const INT_PTR result = dialog.DoModal(owner);
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(dialog.clicks, 1);
    EXPECT_EQ(dialog.asked, 1);
    EXPECT_EQ(dialog.preTranslated, (std::vector<UINT>{kAsk, WM_APP + 9, WM_APP + 10}));
    EXPECT_EQ(dialog.Handle(), nullptr);  // destroyed on the way out
    DestroyWindow(owner);
}

TEST_F(DialogTest, DoModalEndsAtOnceWhenInitialisationEndsIt) {
    TestDialog dialog;
    dialog.endInInit = true;
    EXPECT_EQ(dialog.DoModal(nullptr), 42);
    EXPECT_EQ(dialog.Handle(), nullptr);

    winui::Dialog unknown(4711);  // no such template
    EXPECT_EQ(unknown.DoModal(nullptr), -1);
}

TEST_F(DialogTest, AQuitRequestEndsTheModalLoopAndIsPassedOn) {
    TestDialog dialog;
    winui::Dialog::SetInitHook([](winui::Dialog&) { PostQuitMessage(3); });
    EXPECT_EQ(dialog.DoModal(nullptr), -1);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(DialogTest, TheIconIsBothWindowIconsAndIsPaintedWhenMinimised) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    HWND hwnd = dialog.Handle();
    HICON icon = LoadIconA(nullptr, MAKEINTRESOURCEA(32516));  // IDI_INFORMATION
    dialog.SetIcon(icon);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(hwnd, WM_GETICON, ICON_BIG, 0)), icon);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(hwnd, WM_GETICON, ICON_SMALL, 0)), icon);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(hwnd, WM_QUERYDRAGICON, 0, 0)), icon);

    ShowWindow(hwnd, SW_SHOWNORMAL);
    EXPECT_FALSE(dialog.PaintMinimisedIcon());  // not minimised: the normal painting
    ShowWindow(hwnd, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(hwnd));
    InvalidateRect(hwnd, nullptr, TRUE);
    EXPECT_TRUE(dialog.PaintMinimisedIcon());

    // A WM_PAINT handler that passes the message on still gets the icon painted.
    // (Sent directly: a minimised window is not painted on current systems.)
    dialog.BindPaintPassingOn();
    InvalidateRect(hwnd, nullptr, TRUE);
    SendMessageA(hwnd, WM_PAINT, 0, 0);
    EXPECT_EQ(dialog.paints, 1);
    EXPECT_EQ(dialog.iconBackgrounds, 1);
}

TEST_F(DialogTest, MessagesBeforeInitDialogReachTheObject) {
    for (bool modal : {false, true}) {
        SCOPED_TRACE(modal ? "DoModal" : "Create");
        LifeDialog dialog;
        winui::Dialog::SetInitHook([](winui::Dialog& d) { d.EndDialog(IDOK); });
        if (modal) EXPECT_EQ(dialog.DoModal(), IDOK);
        else EXPECT_TRUE(dialog.Create());
        EXPECT_TRUE(dialog.initialised);
        EXPECT_EQ(dialog.fontsBeforeInit, 1);
        EXPECT_EQ(dialog.measuresBeforeInit, 1);
        EXPECT_EQ(dialog.itemHeight, 23);  // the handler's answer reached the list box
    }
}

TEST_F(DialogTest, AControlsBindingComesBeforeTheMessagesAndOwnerDrawingRoutesById) {
    LifeDialog dialog;
    int commands = 0, clicks = 0;
    dialog.BindMessage(WM_COMMAND, [&](WPARAM, LPARAM) { return ++commands, LRESULT{0}; });
    dialog.BindCommand(IDC_TEST_BUTTON, [&] { ++clicks; });
    RECT drawn{};
    dialog.BindDrawItem(IDC_TEST_PREVIEW, [&](DRAWITEMSTRUCT& item) { drawn = item.rcItem; });
    ASSERT_TRUE(dialog.Create());

    SendMessageA(dialog.Handle(), WM_COMMAND, MAKEWPARAM(IDC_TEST_BUTTON, BN_CLICKED), 0);
    SendMessageA(dialog.Handle(), WM_COMMAND, MAKEWPARAM(IDC_TEST_COMBO, CBN_SELCHANGE), 0);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(commands, 1);

    // The owner-drawn static asks its dialog when it paints.
    ShowWindow(dialog.Handle(), SW_SHOWNOACTIVATE);
    UpdateWindow(dialog.Item(IDC_TEST_PREVIEW));
    RECT client{};
    GetClientRect(dialog.Item(IDC_TEST_PREVIEW), &client);
    EXPECT_GT(client.right, 0);
    EXPECT_TRUE(EqualRect(&drawn, &client));
}

TEST_F(DialogTest, AModelessDialogGetsTabNavigationFromTheModalLoop) {
    TestDialog modal;
    TestDialog modeless;
    HWND focusAfterTab = nullptr;
    HWND nextControl = nullptr;
    winui::Dialog::SetInitHook([&](winui::Dialog& d) {
        if (&d == &modal) PostMessageA(d.Handle(), kProbe, 1, 0);
    });
    modal.onProbe = [&](int step) {
        if (step == 1) {  // the modal dialog is up and its loop runs
            if (!modeless.Create(modal.Handle())) return modal.EndDialog(-1);
            ShowWindow(modeless.Handle(), SW_SHOW);
            SetFocus(modeless.Item(IDC_TEST_EDIT));
            PostMessageA(modeless.Item(IDC_TEST_EDIT), WM_KEYDOWN, VK_TAB, 0);
            PostMessageA(modal.Handle(), kProbe, 2, 0);
            return;
        }
        focusAfterTab = GetFocus();
        nextControl = modeless.Item(IDC_TEST_CHECK);
        modal.EndDialog(IDOK);
    };
    EXPECT_EQ(modal.DoModal(), IDOK);
    ASSERT_NE(nextControl, nullptr);
    EXPECT_EQ(focusAfterTab, nextControl);
}

TEST_F(DialogTest, OnDestroyRunsOnceWhicheverSideGoesFirst) {
    int destroyed = 0;
    {
        LifeDialog owner(&destroyed), owned(&destroyed);
        ASSERT_TRUE(owner.Create());
        ASSERT_TRUE(owned.Create(owner.Handle()));
        DestroyWindow(owner.Handle());  // takes the owned dialog with it
        EXPECT_EQ(destroyed, 2);
        EXPECT_TRUE(owner.controlsAliveAtDestroy);
        EXPECT_EQ(owner.Handle(), nullptr);
        EXPECT_EQ(owned.Handle(), nullptr);
    }
    EXPECT_EQ(destroyed, 2);

    // The object first: its window goes too, without a call into the
    // half-destroyed object, unless the derived destructor asks for the clean-up.
    HWND hwnd = nullptr;
    {
        LifeDialog plain(&destroyed), cleaning(&destroyed, true);
        ASSERT_TRUE(plain.Create() && cleaning.Create());
        hwnd = plain.Handle();
    }
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(destroyed, 3);

    LifeDialog modal(&destroyed);
    winui::Dialog::SetInitHook([](winui::Dialog& d) { d.EndDialog(IDOK); });
    modal.DoModal();
    EXPECT_EQ(destroyed, 4);
}
