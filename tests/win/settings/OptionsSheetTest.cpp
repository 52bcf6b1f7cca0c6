// The options sheet in-process under Wine: its real pages on the real registry
// (a test key), message boxes recorded, the folder browser answered by the test.

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "OptionsSheet.h"
#include "core/Cp932Text.h"
#include "core/ProfileValues.h"
#include "resource.h"
#include "win/MessageBox.h"
#include "win/ProgramFolder.h"
#include "win/RegistryStore.h"
#include "winui/Application.h"
#include "winui/Dialog.h"
#include "winui/ListView.h"
#include "support/TestRegistry.h"

namespace {

constexpr const char* kTestRoot = "Software\\Vezaru\\MiradoOptionsTest";
// The prefix's: a value left behind would start MDK with every later session of the prefix.
constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
using Texts = std::vector<std::string>;

void Touch(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

void PutOnClipboard(const std::string& text) {
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(GlobalLock(data), text.c_str(), text.size() + 1);
    GlobalUnlock(data);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_TEXT, data);
    CloseClipboard();
}

void Click(winui::Dialog& page, int id) { SendMessageA(page.Item(id), BM_CLICK, 0, 0); }

Texts Column(const winui::Dialog& page, int column) {
    winui::ListView list(page, IDC_FOLDER_LIST);
    Texts texts;
    for (int row = 0; row < list.ItemCount(); ++row) texts.push_back(list.ItemText(row, column));
    return texts;
}

class OptionsSheetTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { winui::Application::EnableControls(); }
    void SetUp() override {
        test_registry::DeleteTree(kTestRoot);
        test_registry::DeleteValue(kRunKey, "Mirado");
        SetMessageRecorder([this](HWND, const std::string& text, MessageKind, UINT) {
            messages.push_back(text);
            return IDOK;
        });
        for (const std::string& folder : {windows, sea}) {
            CreateDirectoryA(folder.c_str(), nullptr);
            Touch(folder + "\\a.bmp");
        }
        profile.Write(profile::kMaxFolder, 2);
        profile.WriteString(profile::kViewFolderTitleSection, "00", "海");
        profile.WriteString(profile::kViewFolderPathSection, "00", sea);
    }
    void TearDown() override {
        SetMessageRecorder(nullptr);
        test_registry::DeleteTree(kTestRoot);
        test_registry::DeleteValue(kRunKey, "Mirado");
    }

    using Step = std::function<void(winui::Dialog& page, HWND sheet)>;

    // Runs the sheet and shows its page of that index (0 to 2, in tab order);
    // the step runs there, from the sheet's own loop, once the page is up.
    bool Run(int index, Step step) {
        static std::function<void(winui::Dialog*)> run;
        run = [&](winui::Dialog* page) {
            const int ids[] = {IDD_OPTIONS_START_END, IDD_OPTIONS_BEHAVIOUR, IDD_OPTIONS_FOLDERS};
            HWND sheet = GetParent(page->Handle());
            if (page->ResourceId() == ids[index]) {
                step(*page, sheet);
            } else if (page->ResourceId() == ids[0]) {
                PostMessageA(sheet, PSM_SETCURSEL, index, 0);
            }
        };
        HWND runner = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        SetWindowLongPtrA(runner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND h, UINT m, WPARAM w, LPARAM l) {
                              if (m != WM_APP) return DefWindowProcA(h, m, w, l);
                              run(reinterpret_cast<winui::Dialog*>(l));
                              return LRESULT{0};
                          }));
        winui::Dialog::SetInitHook(
            [runner](winui::Dialog& page) { PostMessageA(runner, WM_APP, 0, reinterpret_cast<LPARAM>(&page)); });
        const bool applied = RunOptionsSheet(nullptr, profile, windows, nullptr, [this](HWND) {
            return picked < picks.size() ? picks[picked++] : std::string();
        });
        winui::Dialog::SetInitHook(nullptr);
        DestroyWindow(runner);
        return applied;
    }

    static void Press(HWND sheet, int button) { PostMessageA(sheet, PSM_PRESSBUTTON, button, 0); }

    RegistryStore store{HKEY_CURRENT_USER, kTestRoot};
    SettingsProfile profile{store};
    std::vector<std::string> messages;
    std::vector<std::string> picks;
    size_t picked = 0;
    std::string windows = ProgramFolder() + "\\windows";
    std::string sea = ProgramFolder() + "\\sea.2004";
};

}  // namespace

TEST_F(OptionsSheetTest, CancelAfterADeleteLeavesTheProfileAsItWas) {
    const bool applied = Run(2, [](winui::Dialog& page, HWND sheet) {
        EXPECT_EQ(Column(page, 0), Texts({"海"}));
        EXPECT_FALSE(page.IsItemEnabled(IDC_FOLDER_DELETE));  // nothing selected
        winui::ListView(page, IDC_FOLDER_LIST).SetSelected(0, true);
        Click(page, IDC_FOLDER_DELETE);
        EXPECT_TRUE(Column(page, 0).empty());
        Press(sheet, PSBTN_CANCEL);
    });
    EXPECT_FALSE(applied);
    EXPECT_EQ(profile.Read(profile::kMaxFolder), 2);
    EXPECT_EQ(profile.ReadString(profile::kViewFolderPathSection, "00", ""), sea);
}

// Whatever the password box takes, the password dialog's masked box, which has
// no input method, can type again.
TEST_F(OptionsSheetTest, ThePasswordTakesOnlyPrintableAsciiAndOutlivesItsTick) {
    profile.Write(profile::kFlagPasswd, 1);
    profile.Write(profile::kPasswd, "abc");
    const bool applied = Run(1, [](winui::Dialog& page, HWND sheet) {
        HWND box = page.Item(IDC_PASSWORD_TEXT);
        EXPECT_TRUE(page.IsItemEnabled(IDC_PASSWORD_TEXT));
        SendMessageA(box, EM_SETSEL, 3, 3);
        for (WCHAR c : {L'x', L'ア', L'ｱ', L'y'}) SendMessageW(box, WM_CHAR, c, 0);
        // "ア" is 83 41 in code page 932: its trail byte is an "A".
        PutOnClipboard("ア-");
        SendMessageA(box, WM_PASTE, 0, 0);
        EXPECT_EQ(page.ItemText(IDC_PASSWORD_TEXT), "abcxy-");
        Click(page, IDC_ASK_PASSWORD);
        EXPECT_FALSE(page.IsItemEnabled(IDC_PASSWORD_TEXT));
        Press(sheet, PSBTN_OK);
    });
    EXPECT_TRUE(applied);
    EXPECT_EQ(profile.Read(profile::kFlagPasswd), 0);
    EXPECT_EQ(profile.Read(profile::kPasswd), "abcxy-");
}

// The system folder and a listed one (letter case aside) are refused and the
// browser asked again; a drive root is titled by its whole path.
TEST_F(OptionsSheetTest, AddRefusesRegisteredFoldersAndTitlesADriveRootWhole) {
    const std::string root = "C:\\";
    Touch(root + "mirado_options_test.bmp");
    picks = {windows, AsciiUpper(sea), root};
    const bool applied = Run(2, [](winui::Dialog& page, HWND sheet) {
        Click(page, IDC_FOLDER_ADD);
        EXPECT_EQ(Column(page, 0), Texts({"海", "C:\\"}));
        Press(sheet, PSBTN_OK);
    });
    DeleteFileA((root + "mirado_options_test.bmp").c_str());
    EXPECT_TRUE(applied);
    EXPECT_EQ(picked, 3u);
    const std::string registered = "」として登録されています。\nもう一度確認して下さい。";
    EXPECT_EQ(messages, Texts({windows + "\n\nこのフォルダは「システム" + registered,
                               picks[1] + "\n\nこのフォルダは「海" + registered}));
    EXPECT_EQ(profile.Read(profile::kMaxFolder), 3);
    EXPECT_EQ(profile.ReadString(profile::kViewFolderTitleSection, "01", ""), "C:\\");
    EXPECT_EQ(profile.ReadString(profile::kViewFolderPathSection, "01", ""), "C:\\");
}

// A label edit and a move reach the profile in the list's order on OK.
TEST_F(OptionsSheetTest, RenamedAndMovedRowsAreSavedInTheListsOrder) {
    profile.Write(profile::kMaxFolder, 3);
    profile.WriteString(profile::kViewFolderTitleSection, "01", "b");
    profile.WriteString(profile::kViewFolderPathSection, "01", "C:\\b");
    const bool applied = Run(2, [](winui::Dialog& page, HWND sheet) {
        winui::ListView(page, IDC_FOLDER_LIST).SetSelected(0, true);
        Click(page, IDC_FOLDER_RENAME);
        HWND edit = ListView_GetEditControl(page.Item(IDC_FOLDER_LIST));
        SetWindowTextA(edit, "山");
        SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
        Click(page, IDC_FOLDER_DOWN);
        EXPECT_EQ(Column(page, 0), Texts({"b", "山"}));
        EXPECT_FALSE(page.IsItemEnabled(IDC_FOLDER_DOWN));
        Press(sheet, PSBTN_OK);
    });
    EXPECT_TRUE(applied);
    EXPECT_EQ(profile.ReadString(profile::kViewFolderPathSection, "00", ""), "C:\\b");
    EXPECT_EQ(profile.ReadString(profile::kViewFolderTitleSection, "01", ""), "山");
    EXPECT_EQ(profile.ReadString(profile::kViewFolderPathSection, "01", ""), sea);
}

// The sign-in box shows whether the Run value names the MDK.EXE beside this
// program; a click and OK write it quoted, or delete it; a moved copy's is
// replaced when the box is ticked, and kept when it is left alone.
TEST_F(OptionsSheetTest, TheSignInBoxKeepsTheRunValue) {
    const std::string mdk = ProgramFolder() + "\\MDK.EXE", old = "\"C:\\Old\\MDK.EXE\"";
    const struct {
        std::optional<std::string> before;
        bool shown, click;
        std::optional<std::string> after;
    } runs[] = {{std::nullopt, false, true, "\"" + mdk + "\""},
                {AsciiUpper(mdk), true, true, std::nullopt},
                {old, false, true, "\"" + mdk + "\""},
                {old, false, false, old}};
    for (const auto& run : runs) {
        if (run.before) test_registry::PutString(kRunKey, "Mirado", *run.before);
        Run(0, [&run](winui::Dialog& page, HWND sheet) {
            EXPECT_EQ(page.IsChecked(IDC_START_AT_SIGN_IN), run.shown);
            if (run.click) Click(page, IDC_START_AT_SIGN_IN);
            Press(sheet, PSBTN_OK);
        });
        EXPECT_EQ(test_registry::GetString(kRunKey, "Mirado"), run.after);
    }
}
