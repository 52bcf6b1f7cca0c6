// The full-screen preview, the About box and the plug-in information dialog
// in-process under Wine: their real code and resources, message boxes recorded.

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <iterator>
#include <utility>
#include <vector>

#include "AboutDialogs.h"
#include "FullScreenPreview.h"
#include "HelpContents.h"
#include "core/ReservationRecord.h"
#include "resource.h"
#include "support/Programs.h"
#include "win/MessageBox.h"
#include "win/PluginHost.h"
#include "win/ProgramFolder.h"
#include "winui/Dialog.h"
#include "winui/Gdi.h"

namespace {

// Runs steps from the modal loop of the next dialog opened, one a timer tick: a
// tick comes only when no posted message or paint waits, so each step sees the
// dialog drawn and what the step before posted handled. Then the dialog is closed.
class Steps {
public:
    using Step = std::function<void(winui::Dialog&)>;
    explicit Steps(std::vector<Step> steps) : steps_(std::move(steps)) {
        current_ = this;
        winui::Dialog::SetInitHook([](winui::Dialog& dialog) {
            current_->dialog_ = &dialog;
            current_->timer_ = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &Tick);
        });
    }
    ~Steps() {
        winui::Dialog::SetInitHook(nullptr);
        KillTimer(nullptr, timer_);
    }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        Steps& self = *current_;
        if (self.next_ == self.steps_.size()) PostMessageA(self.dialog_->Handle(), WM_CLOSE, 0, 0);
        else self.steps_[self.next_++](*self.dialog_);
    }

    static inline Steps* current_ = nullptr;
    std::vector<Step> steps_;
    size_t next_ = 0;
    winui::Dialog* dialog_ = nullptr;
    UINT_PTR timer_ = 0;
};

// The task bar, made visible: Wine's own when it has one, else a window of the
// same class.
HWND VisibleTaskBar() {
    HWND tray = FindWindowA("Shell_TrayWnd", nullptr);
    if (tray == nullptr) {
        const WNDCLASSA type{0, DefWindowProcA, 0, 0, GetModuleHandleA(nullptr), nullptr, nullptr, nullptr, nullptr,
                             "Shell_TrayWnd"};
        RegisterClassA(&type);
        tray = CreateWindowExA(WS_EX_TOOLWINDOW, "Shell_TrayWnd", "", WS_POPUP, 0, 0, 200, 28, nullptr, nullptr,
                               nullptr, nullptr);
    }
    ShowWindow(tray, SW_SHOWNA);
    return tray;
}

class ExtrasTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetMessageRecorder([this](HWND, const std::string& text, MessageKind, UINT) {
            messages.push_back(text);
            return IDOK;
        });
        // Two test plug-ins of different descriptions, beside the tests.
        ASSERT_TRUE(plugins.LoadPlugins(ProgramFolder() + "\\two-plugins"));
    }
    void TearDown() override {
        SetMessageRecorder(nullptr);
        plugins.UnloadPlugins();
    }

    PluginHost plugins{PluginHost::Variant::Settings};
    const SIZE screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    std::vector<std::string> messages;
};

}  // namespace

// The method tried in the menu comes back on OK only; the task bar is hidden
// while the preview covers the screen and comes back whichever way it ends.
TEST_F(ExtrasTest, TheFullScreenPreviewHandsTheMethodBackOnOkOnly) {
    HWND tray = VisibleTaskBar();
    const COLORREF colour = RGB(0, 128, 0);
    {
        Steps steps({[&](winui::Dialog& preview) {
                         EXPECT_FALSE(IsWindowVisible(tray));
                         PostMessageA(preview.Handle(), WM_COMMAND, ID_SHOW_TILED, 0);
                     },
                     [&](winui::Dialog& preview) {
                         // The whole screen shows the colour, and a click there reaches the dialog.
                         winui::WindowDC dc(preview, IDC_FULL_SCREEN_PICTURE);
                         EXPECT_EQ(GetPixel(dc.Get(), screen.cx - 1, screen.cy - 1), colour);
                         EXPECT_EQ(WindowFromPoint({screen.cx - 1, screen.cy - 1}), preview.Handle());
                         PostMessageA(preview.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
                     }});
        EXPECT_EQ(RunFullScreenPreview(nullptr, plugins, "", colour, kMethodStretch, screen), kMethodTile);
    }
    EXPECT_TRUE(IsWindowVisible(tray));

    // Each method's item is marked when the preview opens with it (one the list
    // lacks as centre); the next item's method comes back.
    const std::pair<int32_t, UINT> methods[] = {{kMethodCentre, ID_SHOW_CENTRED}, {kMethodTile, ID_SHOW_TILED},
                                                {kMethodStretch, ID_SHOW_STRETCHED}, {kMethodFit, ID_SHOW_FIT},
                                                {kMethodFill, ID_SHOW_FILL}, {kMethodSpan, ID_SHOW_SPAN},
                                                {kMethodStretchWidth, ID_SHOW_CENTRED}};
    for (size_t i = 0; i < std::size(methods); ++i) {
        const auto [method, item] = methods[i];
        const UINT nextItem = methods[(i + 1) % (std::size(methods) - 1)].second;
        const int32_t nextMethod = methods[(i + 1) % (std::size(methods) - 1)].first;
        std::vector<UINT> marked;
        Steps steps({[](winui::Dialog& preview) { PostMessageA(preview.Handle(), WM_RBUTTONDOWN, 0, MAKELPARAM(9, 9)); },
                     [&](winui::Dialog& preview) {
                         // From the open menu's own loop.
                         HWND menu = FindWindowA("#32768", nullptr);
                         HMENU items = menu ? reinterpret_cast<HMENU>(SendMessageA(menu, MN_GETHMENU, 0, 0)) : nullptr;
                         for (int at = 0; items && at < GetMenuItemCount(items); ++at) {
                             if (GetMenuState(items, at, MF_BYPOSITION) & MF_CHECKED) marked.push_back(GetMenuItemID(items, at));
                         }
                         EndMenu();
                         PostMessageA(preview.Handle(), WM_COMMAND, nextItem, 0);
                         PostMessageA(preview.Handle(), WM_COMMAND, IDOK, 0);
                     }});
        EXPECT_EQ(RunFullScreenPreview(nullptr, plugins, "", colour, method, screen), nextMethod);
        EXPECT_EQ(marked, std::vector<UINT>{item}) << method;
    }
    {
        Steps steps({[&](winui::Dialog& preview) {
            PostMessageA(preview.Handle(), WM_COMMAND, ID_SHOW_TILED, 0);
            PostMessageA(preview.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
        }});
        EXPECT_EQ(RunFullScreenPreview(nullptr, plugins, "", colour, kMethodStretch, screen), -1);
    }
    EXPECT_TRUE(IsWindowVisible(tray));
    EXPECT_TRUE(messages.empty());
}

TEST_F(ExtrasTest, AFullScreenPictureThatCannotBeOpenedIsReportedOncePerOpening) {
    for (size_t opening = 1; opening <= 2; ++opening) {
        Steps steps({[](winui::Dialog& preview) {
            RedrawWindow(preview.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        }});
        RunFullScreenPreview(nullptr, plugins, ProgramFolder() + "\\missing.png", 0, kMethodCentre, screen);
        EXPECT_EQ(messages.size(), opening);
    }
    EXPECT_EQ(messages.front(), "指定の画像ファイルを開くことができません。\n画像ファイルが存在するか確認して下さい。");
}

// The link looks like one (blue, underlined, the hand) and opens the address it shows.
TEST_F(ExtrasTest, TheAboutBoxLinkOpensItsAddress) {
    std::vector<std::string> opened;
    SetAddressOpener([&](const std::string& address) { opened.push_back(address); });
    std::string shown;
    Steps steps({[&](winui::Dialog& about) {
        HWND link = about.Item(IDC_LINK);
        shown = about.ItemText(IDC_LINK);
        LOGFONTA font{};
        GetObjectA(reinterpret_cast<HGDIOBJ>(SendMessageA(link, WM_GETFONT, 0, 0)), sizeof font, &font);
        EXPECT_TRUE(font.lfUnderline);
        winui::MemoryDC dc(nullptr);
        SendMessageA(about.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.Get()),
                     reinterpret_cast<LPARAM>(link));
        EXPECT_EQ(GetTextColor(dc.Get()), RGB(0, 0, 255));
        SendMessageA(link, WM_SETCURSOR, reinterpret_cast<WPARAM>(link), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_HAND));
        SendMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    }});
    RunAboutBox(nullptr);
    SetAddressOpener(nullptr);
    EXPECT_EQ(shown.rfind("https://", 0), 0u);
    EXPECT_EQ(opened, std::vector<std::string>{shown});
}

TEST_F(ExtrasTest, ThePluginInformationListsTheDescriptionsInLoadOrder) {
    std::string listed;
    Steps steps({[&](winui::Dialog& info) { listed = info.ItemText(IDC_PLUGIN_DESCRIPTIONS); }});
    RunPluginInfo(nullptr, plugins);
    ASSERT_EQ(plugins.Count(), 2);
    const std::string first = plugins.Record(0).description, second = plugins.Record(1).description;
    EXPECT_NE(first, second);
    EXPECT_EQ(listed, first + "\r\n" + second);
}

// A missing help file, or a control that is missing or has no HtmlHelpA, is
// named with the path looked in, in an "情報" box (the test program has no help
// of its own). Both found, the help window opens, and closing the help ends it.
TEST_F(ExtrasTest, TheHelpOpensAndClosesAndWhatIsMissingIsNamed) {
    std::vector<std::string> shown;
    SetMessageRecorder([&](HWND, const std::string& text, MessageKind kind, UINT) {
        shown.push_back(MessageCaption(kind) + (": " + text));
        return IDOK;
    });
    OpenHelpContents(nullptr);
    const std::string controls[] = {ProgramFolder() + "\\absent\\hhctrl.ocx", ProgramFolder() + "\\MD.dll"};
    for (const std::string& control : controls) OpenHelpContents(nullptr, ProgramPath(), control);
    const std::string noControl = "情報: ヘルプを表示する Windows の HTML ヘルプ (hhctrl.ocx) が見つかりません。\n\n";
    EXPECT_EQ(shown, (std::vector<std::string>{"情報: ヘルプファイルが見つかりません。\n\n" + ProgramPathWithExtension(".CHM"),
                                               noControl + controls[0], noControl + controls[1]}));
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    OpenHelpContents(nullptr, ProgramFolder() + "\\MDS.CHM", std::string(system) + "\\hhctrl.ocx");
    EXPECT_NE(FindProgramWindow(GetCurrentProcessId(), "HH Parent", "ミラド ヘルプ"), nullptr);
    CloseHelp();
    EXPECT_EQ(FindProgramWindow(GetCurrentProcessId(), "HH Parent"), nullptr);
}
