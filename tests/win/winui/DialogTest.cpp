#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "TestDialogIds.h"
#include "winui/Dialog.h"

namespace {

constexpr UINT kAsk = WM_APP + 1;
constexpr UINT kThrow = WM_APP + 2;
constexpr UINT kSwallowed = WM_APP + 3;

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

protected:
    BOOL OnInitDialog() override {
        ++initCalls;
        if (endInInit) EndDialog(42);
        return TRUE;
    }
    bool PreTranslateMessage(MSG& msg) override {
        if (msg.hwnd == Handle() && msg.message >= WM_APP) preTranslated.push_back(msg.message);
        return swallowEscape && msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE;
    }
    bool WindowProc(UINT message, WPARAM, LPARAM, LRESULT& result) override {
        if (message != kSwallowed) return false;
        result = 99;
        return true;
    }
};

class DialogTest : public ::testing::Test {
protected:
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
        PostMessageA(d.Item(IDOK), BM_CLICK, 0, 0);
        ownerDisabled = !IsWindowEnabled(owner);
    });
    const INT_PTR result = dialog.DoModal(owner);
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(dialog.clicks, 1);
    EXPECT_EQ(dialog.asked, 1);
    EXPECT_EQ(dialog.preTranslated, (std::vector<UINT>{kAsk, WM_APP + 9}));
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
