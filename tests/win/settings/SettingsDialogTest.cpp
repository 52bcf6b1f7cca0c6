// The settings program's main dialog in-process under Wine: its real code on the
// real registry (a test key), MD.dll and IFWIC.SPI, message boxes recorded.

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "PreviewPicture.h"
#include "SettingsDialog.h"
#include "Warnings.h"
#include "core/ProfileValues.h"
#include "core/ReservationStorage.h"
#include "resource.h"
#include "win/AnsiText.h"
#include "win/MessageBox.h"
#include "win/PluginHost.h"
#include "win/ProgramFolder.h"
#include "win/RegistryStore.h"
#include "winui/Controls.h"
#include "winui/Gdi.h"
#include "winui/ListView.h"
#include "support/Records.h"
#include "support/TestRegistry.h"

namespace {

constexpr const char* kTestRoot = "Software\\Vezaru\\MiradoSettingsTest";

// A file of a few bytes: the browser lists names, it does not open them.
void Touch(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

// A 24-bit bitmap file of one colour, its top rows of another.
void WriteBitmap(const std::string& path, int width, int height, COLORREF colour, int topRows = 0, COLORREF top = 0) {
    const int stride = (width * 3 + 3) / 4 * 4;
    std::vector<uint8_t> pixels(static_cast<size_t>(stride) * height);
    for (int y = 0; y < height; ++y) {
        const COLORREF c = height - 1 - y < topRows ? top : colour;  // bottom-up
        for (int x = 0; x < width; ++x) {
            uint8_t* p = &pixels[static_cast<size_t>(y) * stride + x * 3];
            p[0] = GetBValue(c), p[1] = GetGValue(c), p[2] = GetRValue(c);
        }
    }
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    HANDLE handle = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(handle, &file, sizeof file, &written, nullptr);
    WriteFile(handle, &info, sizeof info, &written, nullptr);
    WriteFile(handle, pixels.data(), static_cast<DWORD>(pixels.size()), &written, nullptr);
    CloseHandle(handle);
}

// Runs the real dialog modally; steps run once it is up (from a window of the
// test's own, so that they see the dialog as the user would), then the dialog
// is closed.
class SettingsDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        test_registry::DeleteTree(kTestRoot);
        SetMessageRecorder([this](HWND, const std::string& text, MessageKind kind, UINT) {
            messages.push_back(text);
            kinds.push_back(kind);
            return IDOK;
        });
        // Held apart from the binder, which the dialog unloads when it closes: the
        // values stay for the checks after it.
        library = LoadLibraryA("MD.dll");
        ASSERT_TRUE(md.Load());
        md.SetItem(-1);
        folder = ProgramFolder() + "\\pictures";
        CreateDirectoryA(folder.c_str(), nullptr);
    }
    void TearDown() override {
        WallpaperBrowser::SetFindDataHook(nullptr);
        md.Load();
        md.SetExitFlag(0);
        md.SetChgFlag(0);
        SetMessageRecorder(nullptr);
        test_registry::DeleteTree(kTestRoot);
        md.Unload();
        if (library != nullptr) FreeLibrary(library);
    }

    void Save(const std::vector<ReservationRecord>& reservations, const std::string& standard = "") {
        ReservationTable table;
        table.Standard().fileName = standard;
        for (size_t i = 0; i < reservations.size(); ++i) table.records[i + 1] = reservations[i];
        SaveTable(profile, table, static_cast<int>(reservations.size()));
    }

    using Stage = std::function<void(SettingsDialog&)>;

    // Each stage runs from the dialog's own loop after what the stage before
    // posted has been handled; after the last, the dialog is closed.
    void RunStages(std::vector<Stage> stages) {
        SettingsDialog dialog(profile);
        static std::function<void()> next;
        size_t at = 0;
        static HWND runner = nullptr;
        next = [&] {
            if (at < stages.size()) {
                stages[at++](dialog);
                PostMessageA(runner, WM_APP, 0, 0);
            } else {
                PostMessageA(dialog.Handle(), WM_CLOSE, 0, 0);
            }
        };
        runner = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        SetWindowLongPtrA(runner, GWLP_WNDPROC,
                          reinterpret_cast<LONG_PTR>(+[](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
                              if (m != WM_APP) return DefWindowProcA(h, m, w, l);
                              next();
                              return 0;
                          }));
        winui::Dialog::SetInitHook([](winui::Dialog&) { PostMessageA(runner, WM_APP, 0, 0); });
        dialog.DoModal(nullptr);
        winui::Dialog::SetInitHook(nullptr);
        DestroyWindow(runner);
        md.Load();
    }
    void Run(Stage stage) { RunStages(std::vector<Stage>{std::move(stage)}); }

    // The folder as the browser's second tab, then that tab shown as a click shows it.
    void AddSecondTab(const std::string& path) {
        profile.Write(profile::kMaxFolder, 2);
        profile.WriteString(profile::kViewFolderTitleSection, "00", "test");
        profile.WriteString(profile::kViewFolderPathSection, "00", path);
    }
    // A folder of empty files below the test's pictures, as the browser's second tab.
    std::string SecondTabOf(const std::string& name, std::initializer_list<const char*> files) {
        const std::string pictures = folder + "\\" + name;
        CreateDirectoryA(pictures.c_str(), nullptr);
        for (const char* file : files) Touch(pictures + "\\" + file);
        AddSecondTab(pictures);
        return pictures;
    }
    static void OpenSecondTab(SettingsDialog& dialog) {
        winui::TabControl(dialog, IDC_FOLDER_TABS).Select(1);
        Notify(dialog, IDC_FOLDER_TABS, TCN_SELCHANGE);
    }

    static std::vector<std::string> ColumnTexts(const SettingsDialog& dialog, int id, int column) {
        winui::ListView list(dialog, id);
        std::vector<std::string> texts;
        for (int row = 0; row < list.ItemCount(); ++row) texts.push_back(list.ItemText(row, column));
        return texts;
    }

    static void Notify(SettingsDialog& dialog, int id, UINT code, int column = 0) {
        NMLISTVIEW note{};
        note.hdr.hwndFrom = dialog.Item(id);
        note.hdr.idFrom = static_cast<UINT_PTR>(id);
        note.hdr.code = code;
        note.iItem = -1;
        note.iSubItem = column;
        SendMessageA(dialog.Handle(), WM_NOTIFY, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&note));
    }

    RegistryStore store{HKEY_CURRENT_USER, kTestRoot};
    SettingsProfile profile{store};
    SharedStateBinder md;
    HMODULE library = nullptr;
    std::vector<std::string> messages;
    std::vector<MessageKind> kinds;
    std::string folder;
};

using Texts = std::vector<std::string>;

}  // namespace

TEST_F(SettingsDialogTest, TheFirstRunShowsAnEmptyTableAndWritesTheFirstRunValues) {
    Run([&](SettingsDialog& dialog) {
        EXPECT_EQ(winui::ListView(dialog, IDC_RESERVATION_LIST).ItemCount(), 0);
        EXPECT_EQ(dialog.ItemText(IDC_COUNT), "0");
        EXPECT_EQ(ColumnTexts(dialog, IDC_STANDARD_LIST, 0), Texts({"(なし)"}));
        EXPECT_EQ(ColumnTexts(dialog, IDC_STANDARD_LIST, 1), Texts({"中央に表示"}));
        EXPECT_EQ(ColumnTexts(dialog, IDC_WALLPAPER_LIST, 0).front(), "(なし)");
        // MDK shows the standard wallpaper: the editor starts in standard mode.
        EXPECT_EQ(dialog.Mode(), EditorMode::Standard);
        EXPECT_TRUE(dialog.IsItemEnabled(IDC_CHANGE));
        EXPECT_FALSE(dialog.IsItemEnabled(IDC_REGISTER));
        // The task bar and Alt+Tab show the program's icon.
        EXPECT_NE(SendMessageA(dialog.Handle(), WM_GETICON, ICON_BIG, 0), 0);
        EXPECT_NE(SendMessageA(dialog.Handle(), WM_GETICON, ICON_SMALL, 0), 0);
    });
    EXPECT_EQ(profile.Read(profile::kFlag1stBoot), 0);
    EXPECT_TRUE(profile.HasInt(profile::kFlagStdDispMD));
    EXPECT_EQ(md.GetExitFlag(), 1);  // closed: MDK is to end too
    EXPECT_TRUE(messages.empty());
}

// Sorting by a column moves the records with their rows: the table, the shown
// mark's icon and the current reservation all follow.
TEST_F(SettingsDialogTest, ColumnSortsMoveTheRecordsAndKeepTheShownRow) {
    ReservationRecord yearly = DateWindowRecord(1, 1, 12, 31, "C:\\b.bmp");
    ReservationRecord timer = Repeating("C:\\c.bmp", 1);
    ReservationRecord office = TimeWindowRecord(9, 0, 17, 30, "C:\\a.bmp");
    Save({yearly, timer, office});
    md.SetItem(1);  // MDK shows the timer
    Run([&](SettingsDialog& dialog) {
        EXPECT_EQ(ColumnTexts(dialog, IDC_RESERVATION_LIST, 1),
                  Texts({"日付 01/01～12/31", "タイマー 00時間01分", "時間 09:00～17:30"}));
        EXPECT_EQ(dialog.CurrentIndex(), 1);
        // By the condition's bytes: "タ" 83 5E, "時" 8E 9E, "日" 93 FA.
        Notify(dialog, IDC_RESERVATION_LIST, LVN_COLUMNCLICK, 1);
        EXPECT_EQ(ColumnTexts(dialog, IDC_RESERVATION_LIST, 0), Texts({"c", "a", "b"}));
        Notify(dialog, IDC_RESERVATION_LIST, LVN_COLUMNCLICK, 1);
        EXPECT_EQ(ColumnTexts(dialog, IDC_RESERVATION_LIST, 0), Texts({"b", "a", "c"}));
        Notify(dialog, IDC_RESERVATION_LIST, LVN_COLUMNCLICK, 0);
        EXPECT_EQ(ColumnTexts(dialog, IDC_RESERVATION_LIST, 0), Texts({"a", "b", "c"}));
        EXPECT_EQ(dialog.Table().slots[2].record.fileName, "C:\\c.bmp");
        EXPECT_EQ(dialog.Table().slots[2].shownMark, 1);
        EXPECT_EQ(winui::ListView(dialog, IDC_RESERVATION_LIST).ItemImage(2), 1);
        EXPECT_EQ(dialog.CurrentIndex(), 2);
    });
    EXPECT_EQ(md.GetChgFlag(), 1);
    EXPECT_EQ(profile.ReadString(profile::kReserveNameSection, "0", ""), "C:\\a.bmp");  // saved in the new order
}


// A folder's pictures by title, ASCII case folded only; a bitmap beats the JPEG of
// its title (IFWIC.SPI lies beside the tests, so "*.jpg" is searched too).
TEST_F(SettingsDialogTest, TheBrowserListsTitlesInOrderAndABitmapBeatsItsJpeg) {
    const std::string browsed = folder + "\\browsed";
    CreateDirectoryA(browsed.c_str(), nullptr);
    for (const char* name : {"b.bmp", "A.bmp", "a2.bmp", "sea.jpg", "sea.bmp", "ア.bmp", "ヂ.bmp"}) {
        Touch(browsed + "\\" + name);
    }
    CreateDirectoryA((browsed + "\\folder.bmp").c_str(), nullptr);  // a directory is no picture
    AddSecondTab(browsed);
    Run([&](SettingsDialog& dialog) {
        OpenSecondTab(dialog);
        EXPECT_EQ(ColumnTexts(dialog, IDC_WALLPAPER_LIST, 0), Texts({"A", "a2", "b", "sea", "ア", "ヂ"}));
        winui::ListView list(dialog, IDC_WALLPAPER_LIST);
        list.SetSelected(-1, false);
        list.SetSelected(3, true);
        list.SetSelectionMark(3);
        Notify(dialog, IDC_WALLPAPER_LIST, NM_CLICK);
        EXPECT_EQ(dialog.CurrentPath(), browsed + "\\sea.bmp");
        EXPECT_EQ(dialog.Mode(), EditorMode::Registering);
        EXPECT_TRUE(dialog.IsItemEnabled(IDC_REGISTER));
    });
}

// A key released in a drop-down list leaves the reservation list alone; released
// in the list itself, it shows the list's record again.
TEST_F(SettingsDialogTest, OnlyKeysOfTheListConcernedReachIt) {
    Save({DateWindowRecord(3, 1, 5, 31, "C:\\a.bmp")});
    md.SetItem(0);
    RunStages({[&](SettingsDialog& dialog) {
             ASSERT_EQ(dialog.Mode(), EditorMode::EditingOne);
             EXPECT_EQ(winui::ComboBox(dialog, IDC_FROM_MONTH).Selection(), 2);
             winui::ComboBox(dialog, IDC_FROM_MONTH).Select(6);  // the user is choosing a month
             PostMessageA(dialog.Item(IDC_FROM_MONTH), WM_KEYUP, VK_DOWN, 0);
             PostMessageA(dialog.Item(IDC_FROM_MONTH), WM_KEYUP, VK_DELETE, 0);
         },
         [&](SettingsDialog& dialog) {
             EXPECT_EQ(winui::ComboBox(dialog, IDC_FROM_MONTH).Selection(), 6);
             EXPECT_EQ(dialog.Table().count, 1);
             PostMessageA(dialog.Item(IDC_RESERVATION_LIST), WM_KEYUP, VK_DOWN, 0);
         },
         [&](SettingsDialog& dialog) { EXPECT_EQ(winui::ComboBox(dialog, IDC_FROM_MONTH).Selection(), 2); }});
}

// A picture no plug-in reads is reported once; repaints and a second visit stay
// silent until another picture has been shown.
TEST_F(SettingsDialogTest, AFailedPictureIsReportedOncePerFailure) {
    const std::string shown = folder + "\\shown.bmp";
    WriteBitmap(shown, 8, 8, RGB(0, 0, 255));
    Save({Repeating(shown, 1)}, folder + "\\missing.png");  // the standard wallpaper cannot be opened
    RunStages({[&](SettingsDialog& dialog) {
             ASSERT_EQ(dialog.Mode(), EditorMode::Standard);
             RedrawWindow(dialog.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
             Notify(dialog, IDC_STANDARD_LIST, NM_CLICK);
             EXPECT_EQ(messages.size(), 1u);
             winui::ListView(dialog, IDC_RESERVATION_LIST).SetSelected(0, true);
             winui::ListView(dialog, IDC_RESERVATION_LIST).SetSelectionMark(0);
             Notify(dialog, IDC_RESERVATION_LIST, NM_CLICK);
             EXPECT_TRUE(dialog.Picture().HasPicture());
             Notify(dialog, IDC_STANDARD_LIST, NM_CLICK);
             EXPECT_FALSE(dialog.Picture().HasPicture()) << "a failure leaves the colour, not the last picture";
         }});
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], "指定の画像ファイルを開くことができません。\n画像ファイルが存在するか確認して下さい。");
}

// The preview of a 512 × 384 picture centred on a 1024 × 768 screen: 74 × 55
// pixels at (37, 28) of the 149 × 111 box, on the background colour. A portrait
// 384 × 512 picture whose top 100 rows are green, in the box and on the whole
// screen: fit shows it whole between bars of the colour (576 × 768 at 224, 0),
// fill covers the screen and cuts the green rows (rows 112 to 399 show).
TEST(PreviewPictureTest, EachMethodKeepsThePicturesProportionToTheScreen) {
    const COLORREF red = RGB(255, 0, 0), blue = RGB(0, 0, 255), green = RGB(0, 255, 0);
    const std::string half = ProgramFolder() + "\\half.bmp", portrait = ProgramFolder() + "\\portrait.bmp";
    WriteBitmap(half, 512, 384, red);
    WriteBitmap(portrait, 384, 512, red, 100, green);
    const PixelSize xga{1024, 768};
    struct Probe {
        int x, y;
        COLORREF colour;
    };
    const struct {
        const std::string& path;
        int32_t method;
        PixelSize box;
        std::vector<Probe> probes;
    } cases[] = {
        {half, kMethodCentre, kPreviewBox, {{37, 28, red}, {110, 82, red}, {36, 28, blue}, {37, 27, blue},
                                            {111, 82, blue}, {110, 83, blue}}},
        {portrait, kMethodFit, kPreviewBox, {{20, 55, blue}, {73, 2, green}, {73, 100, red}, {130, 55, blue}}},
        {portrait, kMethodFit, xga, {{223, 384, blue}, {224, 384, red}, {799, 384, red}, {800, 384, blue},
                                     {512, 5, green}, {512, 760, red}}},
        {portrait, kMethodFill, kPreviewBox, {{2, 2, red}, {73, 55, red}, {146, 108, red}}},
        {portrait, kMethodFill, xga, {{0, 0, red}, {512, 2, red}, {1023, 767, red}}},
    };
    PluginHost plugins(PluginHost::Variant::Settings);
    winui::WindowDC screen(GetDesktopWindow());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.method);
        PreviewPicture picture;
        ASSERT_EQ(picture.Load(plugins, c.path), PreviewPicture::Result::Loaded);
        winui::MemoryDC dc(screen.Get());
        winui::ScopedGdiObject<HBITMAP> canvas(CreateCompatibleBitmap(screen.Get(), c.box.width, c.box.height));
        winui::ScopedSelect select(dc.Get(), canvas.Get());
        picture.Draw(dc.Get(), c.method, blue, xga, c.box);
        for (const Probe& p : c.probes) EXPECT_EQ(GetPixel(dc.Get(), p.x, p.y), p.colour) << p.x << "," << p.y;
    }
}

namespace {

// As the user presses it: a disabled button takes no click.
bool Click(SettingsDialog& dialog, int id) {
    if (!dialog.IsItemEnabled(id)) return false;
    SendMessageA(dialog.Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(dialog.Item(id)));
    return true;
}

void Check(SettingsDialog& dialog, int id, bool on) {
    dialog.SetChecked(id, on);
    Click(dialog, id);
}

void SelectOnly(SettingsDialog& dialog, int id, std::vector<int> rows) {
    winui::ListView list(dialog, id);
    list.SetSelected(-1, false);
    for (int row : rows) list.SetSelected(row, true);
    if (!rows.empty()) list.SetSelectionMark(rows.front());
}

}  // namespace

// Several wallpapers with a date and no timer are refused; with a timer they are
// appended in the list's order, the first becomes current, the count grows.
TEST_F(SettingsDialogTest, RegisteringSeveralWallpapers) {
    const std::string pictures = SecondTabOf("register", {"x1.bmp", "x2.bmp", "x3.bmp"});
    Run([&](SettingsDialog& dialog) {
        OpenSecondTab(dialog);
        SelectOnly(dialog, IDC_WALLPAPER_LIST, {0, 1, 2});
        Notify(dialog, IDC_WALLPAPER_LIST, NM_CLICK);
        Check(dialog, IDC_DATE_ON, true);
        Click(dialog, IDC_REGISTER);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0], "日付予約・時刻予約での複数予約はできません。\n複数予約を行う場合はタイマー予約を必ず付けて下さい。");
        EXPECT_EQ(dialog.Table().count, 0);
        Check(dialog, IDC_TIMER_ON, true);
        Click(dialog, IDC_REGISTER);
        ASSERT_EQ(dialog.Table().count, 3);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(dialog.Table().slots[static_cast<size_t>(i)].record.fileName,
                      pictures + "\\x" + std::to_string(i + 1) + ".bmp");
            EXPECT_EQ(dialog.Table().slots[static_cast<size_t>(i)].record.timerPeriodMs, 60000);
        }
        EXPECT_EQ(dialog.CurrentIndex(), 0);
        EXPECT_EQ(dialog.ItemText(IDC_COUNT), "3");
    });
    EXPECT_EQ(md.GetChgFlag(), 1);
}

// Moves at the ends and an unchanged standard change nothing and raise no flag;
// a change of two rows gives both the editor's timer and the current row's
// method; deleting every row leaves "0" and the wallpaper list active.
TEST_F(SettingsDialogTest, MovesChangesAndDeletes) {
    Save({Repeating("C:\\a.bmp", 1, kMethodTile), Repeating("C:\\b.bmp", 1, kMethodStretch)}, "C:\\std.bmp");
    md.SetItem(0);
    RunStages({[&](SettingsDialog& dialog) {
                   md.SetChgFlag(0);
                   Click(dialog, IDC_MOVE_UP);
                   SelectOnly(dialog, IDC_RESERVATION_LIST, {1});
                   Notify(dialog, IDC_RESERVATION_LIST, NM_CLICK);
                   Click(dialog, IDC_MOVE_DOWN);
                   Notify(dialog, IDC_STANDARD_LIST, NM_CLICK);
                   Click(dialog, IDC_SET_STANDARD);
                   EXPECT_EQ(md.GetChgFlag(), 0);
                   EXPECT_EQ(dialog.Table().slots[0].record.fileName, "C:\\a.bmp");

                   SelectOnly(dialog, IDC_RESERVATION_LIST, {0, 1});
                   Notify(dialog, IDC_RESERVATION_LIST, NM_CLICK);
                   winui::ComboBox(dialog, IDC_TIMER_HOURS).Select(2);
                   Click(dialog, IDC_CHANGE);
                   for (const SettingsRecord& slot : {dialog.Table().slots[0], dialog.Table().slots[1]}) {
                       EXPECT_EQ(slot.record.timerHours, 2);
                       EXPECT_EQ(slot.record.displayMethod, kMethodTile);
                   }
                   EXPECT_EQ(md.GetChgFlag(), 1);

                   SelectOnly(dialog, IDC_RESERVATION_LIST, {0, 1});
                   Notify(dialog, IDC_RESERVATION_LIST, NM_CLICK);
                   Click(dialog, IDC_DELETE);
                   EXPECT_EQ(dialog.Table().count, 0);
                   EXPECT_EQ(dialog.ItemText(IDC_COUNT), "0");
                   EXPECT_EQ(dialog.Mode(), EditorMode::Registering);
               }});
}

// A stored method 3 shows no entry in the method list; set as standard keeps it.
// The list's fourth item is fit, code 5, and the row names it.
TEST_F(SettingsDialogTest, SetAsStandardKeepsAMethodTheListCannotShow) {
    Save({Repeating("C:\\wide.bmp", 1, kMethodStretchWidth)});
    md.SetItem(0);
    Run([&](SettingsDialog& dialog) {
        winui::ComboBox method(dialog, IDC_METHOD);
        EXPECT_EQ(method.Selection(), -1);
        SelectOnly(dialog, IDC_WALLPAPER_LIST, {0});
        Notify(dialog, IDC_WALLPAPER_LIST, NM_CLICK);
        Click(dialog, IDC_SET_STANDARD);
        EXPECT_EQ(dialog.Table().standard.displayMethod, kMethodStretchWidth);

        SelectOnly(dialog, IDC_RESERVATION_LIST, {0});
        Notify(dialog, IDC_RESERVATION_LIST, NM_CLICK);
        EXPECT_EQ(method.Count(), 6);
        method.Select(3);
        SendMessageA(dialog.Handle(), WM_COMMAND, MAKEWPARAM(IDC_METHOD, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(dialog.Item(IDC_METHOD)));
        Click(dialog, IDC_CHANGE);
        EXPECT_EQ(dialog.Table().slots[0].record.displayMethod, kMethodFit);
        EXPECT_EQ(ColumnTexts(dialog, IDC_RESERVATION_LIST, 2), Texts({"画面のサイズに合わせる"}));
    });
}

// A full table refuses a registration whole, with the message the options sheet
// gives for its own limit.
TEST_F(SettingsDialogTest, AFullTableRefusesARegistration) {
    Save(std::vector<ReservationRecord>(SettingsTable::kMaxReservations, Repeating("C:\\full.bmp", 1)));
    Run([&](SettingsDialog& dialog) {
        SelectOnly(dialog, IDC_WALLPAPER_LIST, {0});
        Notify(dialog, IDC_WALLPAPER_LIST, NM_CLICK);
        Check(dialog, IDC_TIMER_ON, true);
        Click(dialog, IDC_REGISTER);
        EXPECT_EQ(dialog.Table().count, SettingsTable::kMaxReservations);
    });
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "これ以上登録できません。\nどれか削除してから登録し直してください。");
}

// A logoff with the program open keeps its edits: saved when the session ends.
TEST_F(SettingsDialogTest, TheEndOfTheSessionSavesTheEdits) {
    Save({DateWindowRecord(1, 1, 12, 31, "C:\\b.bmp"), TimeWindowRecord(9, 0, 17, 30, "C:\\a.bmp")});
    Run([&](SettingsDialog& dialog) {
        Notify(dialog, IDC_RESERVATION_LIST, LVN_COLUMNCLICK, 0);
        EXPECT_NE(SendMessageA(dialog.Handle(), WM_QUERYENDSESSION, 0, 0), 0);
        SendMessageA(dialog.Handle(), WM_ENDSESSION, TRUE, 0);
        EXPECT_EQ(profile.ReadString(profile::kReserveNameSection, "0", ""), "C:\\a.bmp");
    });
}

// The menu bar's popups opened, by index, each closed at once (a named stdcall
// function: the 32-bit build cannot make a hook procedure of a lambda).
namespace {
std::vector<int> g_openedPopups;
LRESULT CALLBACK RecordPopupAndCloseMenu(int code, WPARAM w, LPARAM l) {
    const auto& sent = *reinterpret_cast<const CWPSTRUCT*>(l);
    if (code == HC_ACTION && sent.message == WM_INITMENUPOPUP && HIWORD(sent.lParam) == FALSE) {
        g_openedPopups.push_back(LOWORD(sent.lParam));
        EndMenu();
    }
    return CallNextHookEx(nullptr, code, w, l);
}
}  // namespace

// Alt and a popup's letter open that popup of the menu bar: no control of the
// dialog has the letter, so the dialog manager presses no button first.
TEST_F(SettingsDialogTest, AltAndAPopupsLetterOpensTheMenu) {
    Touch(folder + "\\menu.bmp");
    AddSecondTab(folder);
    g_openedPopups.clear();
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, RecordPopupAndCloseMenu, nullptr, GetCurrentThreadId());
    std::vector<Stage> stages{[&](SettingsDialog& dialog) {
        OpenSecondTab(dialog);
        SelectOnly(dialog, IDC_WALLPAPER_LIST, {0});
        Notify(dialog, IDC_WALLPAPER_LIST, NM_CLICK);
        ASSERT_TRUE(dialog.IsItemEnabled(IDC_REGISTER) && dialog.IsItemEnabled(IDC_SET_STANDARD));
    }};
    for (char letter : {'f', 'i', 'o', 'h'}) {
        stages.push_back([letter](SettingsDialog& dialog) {
            PostMessageA(dialog.Item(IDC_WALLPAPER_LIST), WM_SYSCHAR, static_cast<WPARAM>(letter), LPARAM{1} << 29);
        });
        // The menu bar may open its popup with a key message it posts itself.
        for (int i = 0; i < 3; ++i) stages.push_back([](SettingsDialog&) {});
    }
    stages.push_back([](SettingsDialog& dialog) {
        EXPECT_EQ(dialog.Table().count, 0);
        EXPECT_EQ(dialog.Table().standard.fileName, "");
    });
    RunStages(stages);
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(g_openedPopups, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_TRUE(messages.empty());
}

// After the options sheet, by any button, the tab shown before is shown again
// with its pick, and the editor keeps to what the list shows: a registration
// takes the picture picked.
TEST_F(SettingsDialogTest, TheOptionsSheetLeavesTheTabAndItsPick) {
    const std::string pictures = SecondTabOf("options", {"a.bmp", "b.bmp"});
    RunStages({[&](SettingsDialog& dialog) {
                   OpenSecondTab(dialog);
                   SelectOnly(dialog, IDC_WALLPAPER_LIST, {1});
                   Notify(dialog, IDC_WALLPAPER_LIST, NM_CLICK);
                   Check(dialog, IDC_TIMER_ON, true);
                   SendMessageA(dialog.Handle(), WM_COMMAND, ID_OPTIONS, 0);  // runs until the sheet is gone
               },
               [](SettingsDialog&) {
                   HWND sheet = FindWindowA(nullptr, "オプション");
                   ASSERT_NE(sheet, nullptr);
                   PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
               },
               [](SettingsDialog&) {},
               [&](SettingsDialog& dialog) {
                   EXPECT_EQ(winui::TabControl(dialog, IDC_FOLDER_TABS).Selection(), 1);
                   EXPECT_EQ(winui::ListView(dialog, IDC_WALLPAPER_LIST).PickedRow(), 1);
                   EXPECT_EQ(dialog.CurrentPath(), pictures + "\\b.bmp");
                   Check(dialog, IDC_TIMER_ON, true);
                   Click(dialog, IDC_REGISTER);
                   ASSERT_EQ(dialog.Table().count, 1);
                   EXPECT_EQ(dialog.Table().slots[0].record.fileName, pictures + "\\b.bmp");
               }});
}

// The editor follows the list's pick, however it was made: a Ctrl+click that
// deselects the marked row leaves the other one picked, and a select-all in a
// list that has the focus already switches to the rules for several rows.
TEST_F(SettingsDialogTest, ThePickAfterACtrlClickAndASelectAll) {
    const std::string pictures = SecondTabOf("picks", {"a.bmp", "b.bmp", "c.bmp"});
    Save({Repeating("C:\\x.bmp", 1), Repeating("C:\\y.bmp", 1), Repeating("C:\\z.bmp", 1)});
    md.SetItem(0);
    Run([&](SettingsDialog& dialog) {
        winui::ListView reservations(dialog, IDC_RESERVATION_LIST);
        ASSERT_EQ(dialog.Mode(), EditorMode::EditingOne);
        SendMessageA(dialog.Handle(), WM_COMMAND, ID_SELECT_RESERVATIONS, 0);
        EXPECT_EQ(dialog.Mode(), EditorMode::EditingSeveral);
        for (int id : {IDC_MOVE_UP, IDC_MOVE_DOWN, IDC_METHOD, IDC_COLOUR}) EXPECT_FALSE(dialog.IsItemEnabled(id)) << id;

        OpenSecondTab(dialog);
        winui::ListView wallpapers(dialog, IDC_WALLPAPER_LIST);
        SelectOnly(dialog, IDC_WALLPAPER_LIST, {0, 1});
        wallpapers.SetSelectionMark(1);
        wallpapers.SetFocused(1);
        wallpapers.SetSelected(1, false);  // Ctrl+click on the marked row
        Notify(dialog, IDC_WALLPAPER_LIST, NM_CLICK);
        EXPECT_EQ(dialog.CurrentPath(), pictures + "\\a.bmp");
        EXPECT_TRUE(dialog.IsItemEnabled(IDC_SET_STANDARD));
        SendMessageA(dialog.Handle(), WM_COMMAND, ID_SELECT_WALLPAPERS, 0);
        EXPECT_EQ(dialog.Mode(), EditorMode::Registering);
        EXPECT_FALSE(dialog.IsItemEnabled(IDC_SET_STANDARD));  // one picture only
    });
}

// A name with a character code page 932 lacks is shown as close as the code page
// allows, and picked, previewed and registered by its short name, which names the file.
TEST_F(SettingsDialogTest, ANameOutsideTheCodePageIsPickedByItsShortName) {
    const std::string pictures = folder + "\\accents";
    CreateDirectoryA(pictures.c_str(), nullptr);
    WriteBitmap(pictures + "\\plain.tmp", 8, 8, RGB(0, 0, 255));
    ASSERT_TRUE(MoveFileExW(WideFromAnsi(pictures + "\\plain.tmp").c_str(),
                            (WideFromAnsi(pictures) + L"\\caf\u00e9.bmp").c_str(), MOVEFILE_REPLACE_EXISTING));
    AddSecondTab(pictures);
    Run([&](SettingsDialog& dialog) {
        OpenSecondTab(dialog);
        EXPECT_EQ(ColumnTexts(dialog, IDC_WALLPAPER_LIST, 0), Texts({"cafe"}));
        SelectOnly(dialog, IDC_WALLPAPER_LIST, {0});
        Notify(dialog, IDC_WALLPAPER_LIST, NM_CLICK);
        EXPECT_TRUE(dialog.Picture().HasPicture());
        Click(dialog, IDC_REGISTER);
        ASSERT_EQ(dialog.Table().count, 1);
        EXPECT_NE(GetFileAttributesA(dialog.Table().slots[0].record.fileName.c_str()), INVALID_FILE_ATTRIBUTES);
    });
}

// Without a short name it is listed all the same and refused when picked, told once: the
// colour alone, neither standard nor reservation; among several it is left out, told once.
TEST_F(SettingsDialogTest, ANameOutsideTheCodePageWithoutAShortNameIsRefused) {
    const std::string pictures = SecondTabOf("unspellable", {"d.bmp", "e.bmp"});
    WriteBitmap(pictures + "\\plain.tmp", 8, 8, RGB(0, 0, 255));
    ASSERT_TRUE(MoveFileExW(WideFromAnsi(pictures + "\\plain.tmp").c_str(),
                            (WideFromAnsi(pictures) + L"\\caf\u00e9.bmp").c_str(), MOVEFILE_REPLACE_EXISTING));
    WallpaperBrowser::SetFindDataHook([](WIN32_FIND_DATAW& found) { found.cAlternateFileName[0] = L'\0'; });
    const Texts refused = {WarningText(kWarningUnspellableName)};
    Run([&](SettingsDialog& dialog) {
        OpenSecondTab(dialog);  // the list's focus picks its first row
        EXPECT_EQ(ColumnTexts(dialog, IDC_WALLPAPER_LIST, 0), Texts({"cafe", "d", "e"}));
        Notify(dialog, IDC_WALLPAPER_LIST, NM_CLICK);  // picked again, as by the focus back from the message
        EXPECT_EQ(messages, refused);
        EXPECT_EQ(kinds.back(), MessageKind::Caution);
        EXPECT_TRUE(dialog.CurrentPath().empty() && !dialog.Picture().HasPicture());
        EXPECT_FALSE(dialog.IsItemEnabled(IDC_SET_STANDARD));
        Click(dialog, IDC_REGISTER);
        EXPECT_EQ(dialog.Table().count, 0);
        SendMessageA(dialog.Handle(), WM_COMMAND, ID_SELECT_WALLPAPERS, 0);
        messages.clear();
        Click(dialog, IDC_REGISTER);
        EXPECT_EQ(messages, refused);
        ASSERT_EQ(dialog.Table().count, 2);
        EXPECT_EQ(dialog.Table().slots[1].record.fileName, pictures + "\\e.bmp");
    });
}

// A change leaves its row picked and ready to move: ↑, ↓, the method and the
// colour stay on, the conditions and the three edit buttons wait for a new pick.
TEST_F(SettingsDialogTest, AChangeLeavesTheChangedRowReadyToMove) {
    Save({Repeating("C:\\a.bmp", 1), Repeating("C:\\b.bmp", 1)});
    md.SetItem(0);
    Run([&](SettingsDialog& dialog) {
        SelectOnly(dialog, IDC_RESERVATION_LIST, {1});
        Notify(dialog, IDC_RESERVATION_LIST, NM_CLICK);
        ASSERT_TRUE(Click(dialog, IDC_CHANGE));
        for (int id : {IDC_MOVE_UP, IDC_MOVE_DOWN, IDC_METHOD, IDC_COLOUR}) EXPECT_TRUE(dialog.IsItemEnabled(id)) << id;
        for (int id : {IDC_REGISTER, IDC_CHANGE, IDC_DELETE}) EXPECT_FALSE(dialog.IsItemEnabled(id)) << id;
        for (int id = IDC_DATE_ON; id <= IDC_TIMER_MINUTES_LABEL; ++id) EXPECT_FALSE(dialog.IsItemEnabled(id)) << id;
        EXPECT_TRUE(Click(dialog, IDC_MOVE_UP));
        EXPECT_EQ(dialog.Table().slots[0].record.fileName, "C:\\b.bmp");
        EXPECT_EQ(dialog.CurrentIndex(), 0);
    });
}

namespace {

// A click of the mouse at a point of the list's client area, as the system posts it.
void PostClick(SettingsDialog& dialog, int id, POINT at) {
    HWND list = dialog.Item(id);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

}  // namespace

// A click below the last picture moves no pick: set as standard takes the
// picture picked before it, and the minimise stores it.
TEST_F(SettingsDialogTest, AClickOnTheListsEmptySpaceKeepsThePick) {
    const std::string pictures = SecondTabOf("empty-space", {"a.bmp", "b.bmp"});
    RunStages({[&](SettingsDialog& dialog) {
                   OpenSecondTab(dialog);
                   SelectOnly(dialog, IDC_WALLPAPER_LIST, {1});
                   Notify(dialog, IDC_WALLPAPER_LIST, NM_CLICK);
                   RECT client{};
                   GetClientRect(dialog.Item(IDC_WALLPAPER_LIST), &client);
                   PostClick(dialog, IDC_WALLPAPER_LIST, {client.right / 2, client.bottom - 4});
               },
               [&](SettingsDialog& dialog) {
                   EXPECT_EQ(dialog.CurrentPath(), pictures + "\\b.bmp");
                   EXPECT_TRUE(Click(dialog, IDC_SET_STANDARD));
                   SendMessageA(dialog.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
               }});
    EXPECT_EQ(profile.Read(profile::kStdName), pictures + "\\b.bmp");
}

// The options sheet's OK after a folder before the shown tab was deleted: the
// tab keeps its index and shows the folder now there, with nothing of the old
// folder picked, so a registration adds nothing and no standard can be set.
TEST_F(SettingsDialogTest, AFolderDeletedInTheOptionsSheetLeavesNoStrangerPicked) {
    profile.Write(profile::kMaxFolder, 4);
    for (int i = 1; i <= 3; ++i) {
        const std::string path = folder + "\\p" + std::to_string(i);
        CreateDirectoryA(path.c_str(), nullptr);
        for (const char* file : {"a", "b", "c"}) Touch(path + "\\" + file + std::to_string(i) + ".bmp");
        profile.WriteString(profile::kViewFolderTitleSection, "0" + std::to_string(i - 1), "p" + std::to_string(i));
        profile.WriteString(profile::kViewFolderPathSection, "0" + std::to_string(i - 1), path);
    }
    const auto sheet = [] { return FindWindowA(nullptr, "オプション"); };
    RunStages({[&](SettingsDialog& dialog) {
                   winui::TabControl(dialog, IDC_FOLDER_TABS).Select(2);
                   Notify(dialog, IDC_FOLDER_TABS, TCN_SELCHANGE);
                   SelectOnly(dialog, IDC_WALLPAPER_LIST, {1});
                   Notify(dialog, IDC_WALLPAPER_LIST, NM_CLICK);
                   ASSERT_EQ(dialog.CurrentPath(), folder + "\\p2\\b2.bmp");
                   Check(dialog, IDC_TIMER_ON, true);
                   SendMessageA(dialog.Handle(), WM_COMMAND, ID_OPTIONS, 0);  // runs until the sheet is gone
               },
               [&](SettingsDialog&) { PostMessageA(sheet(), PSM_SETCURSEL, 2, 0); },
               [&](SettingsDialog&) {
                   HWND page = PropSheet_GetCurrentPageHwnd(sheet());
                   HWND folders = GetDlgItem(page, IDC_FOLDER_LIST);
                   LVITEMA first{};
                   first.stateMask = first.state = LVIS_SELECTED | LVIS_FOCUSED;
                   SendMessageA(folders, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&first));
                   SendMessageA(GetDlgItem(page, IDC_FOLDER_DELETE), BM_CLICK, 0, 0);
                   PostMessageA(sheet(), PSM_PRESSBUTTON, PSBTN_OK, 0);
               },
               [](SettingsDialog&) {},
               [&](SettingsDialog& dialog) {
                   ASSERT_EQ(sheet(), nullptr);
                   EXPECT_EQ(winui::TabControl(dialog, IDC_FOLDER_TABS).Selection(), 2);
                   EXPECT_EQ(ColumnTexts(dialog, IDC_WALLPAPER_LIST, 0), Texts({"a3", "b3", "c3"}));
                   EXPECT_TRUE(winui::ListView(dialog, IDC_WALLPAPER_LIST).SelectedRows().empty());
                   Click(dialog, IDC_REGISTER);
                   EXPECT_EQ(dialog.Table().count, 0);
                   Check(dialog, IDC_TIMER_ON, false);
                   EXPECT_FALSE(dialog.IsItemEnabled(IDC_SET_STANDARD)) << "no picture is picked";
               }});
}

// A code without its text is a fault of the program: shown by its number, not dropped.
TEST_F(SettingsDialogTest, AWarningWithoutItsTextIsShownByItsNumber) {
    ShowWarning(static_cast<SettingsWarning>(2));
    EXPECT_EQ(messages, Texts({"警告 2"}));
}
