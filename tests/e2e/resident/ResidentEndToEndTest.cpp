// The resident changer as a user meets it: MDK.EXE started on a Wine desktop with
// a task bar, MD.dll and IFWIC.SPI beside it, the real registry, driven through
// its tray callback and menu commands as the shell would.

#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <cstring>
#include <functional>
#include <string>
#include <tuple>

#include "core/ProfileValues.h"
#include "core/ReservationStorage.h"
#include "core/ReservationText.h"
#include "win/ProgramFolder.h"
#include "win/RegistryStore.h"
#include "support/Programs.h"
#include "support/Records.h"
#include "support/TestRegistry.h"
#include "support/WaitFor.h"
#include "support/ProfileRoot.h"

namespace {

constexpr UINT kTrayCallback = 0x2C00;
constexpr WPARAM kStart = 32775, kStop = 32776, kNext = 32774, kExit = 32773, kShuffle = 32778,
                 kOpenSettings = 32772;

std::string Folder() { return ProgramFolder(); }

Process StartBeside(const std::string& name) { return StartProgram(Folder(), name); }

HWND FindResidentWindow(DWORD processId) { return FindProgramWindow(processId, "#32770"); }

// What SPI_GETDESKWALLPAPER says, asked by a fresh process each time: Wine
// keeps system parameters per process, so this process would only ever see the
// value of its first question.
std::string DesktopWallpaper() {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::string command = "\"" + Folder() + "\\wallpaper_probe.exe\"";
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) return "?";
    WaitForSingleObject(info.hProcess, 10000);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    RegistryStore test(HKEY_CURRENT_USER, "Software\\Vezaru\\MiradoTest");
    std::string value;
    test.ReadString("", "Wallpaper", value);
    return value;
}

std::string DesktopValue(const char* key, const char* name) {
    return test_registry::GetString(key, name).value_or("");
}

// Whether the notification area holds MDK's icon: asking it to change nothing
// about the icon succeeds only while it holds one.
NOTIFYICONDATAA IconOf(HWND window) {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = window;
    data.uID = 1;
    return data;
}
bool IconHeld(HWND window) {
    NOTIFYICONDATAA data = IconOf(window);
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

// Whether the right end of the task bar, where the notification area draws its
// icons, shows one: a square as high as the bar holds more than one colour.
bool TaskBarShowsAnIcon() {
    HWND bar = FindWindowA("Shell_TrayWnd", nullptr);
    RECT r{};
    if (bar == nullptr || !GetWindowRect(bar, &r)) return false;
    HDC screen = GetDC(nullptr);
    const COLORREF first = GetPixel(screen, r.right - 1, r.top + 1);
    bool icon = false;
    for (int y = r.top; y < r.bottom && !icon; y += 2) {
        for (int x = r.right - (r.bottom - r.top); x < r.right && !icon; x += 2) icon = GetPixel(screen, x, y) != first;
    }
    ReleaseDC(nullptr, screen);
    return icon;
}

// The popup menu of the tray icon, while it is open.
HWND OpenMenuWindow() { return FindWindowA("#32768", nullptr); }

class ResidentEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(flags_.Loaded());
        ASSERT_TRUE(WaitFor([] { return FindWindowA("Shell_TrayWnd", nullptr) != nullptr; }, 30000))
            << "no task bar: run on a Wine desktop";
        test_registry::DeleteTree(kProfileRoot);
        test_registry::DeleteTree("Software\\Vezaru\\MiradoTest");
        flags_.Set("MD_SetChgFlag", 0);
        flags_.Set("MD_SetExitFlag", 0);
        standard_ = Folder() + "\\standard.bmp";
        red_ = Folder() + "\\red.jpg";
        green_ = Folder() + "\\green.png";
    }

    void TearDown() override { EndProgram(mdk_); }

    // A saved table, the settings program never opened at start.
    void SaveTable(const std::vector<ReservationRecord>& reservations) {
        ReservationTable table;
        table.Standard().fileName = standard_;
        table.Standard().colour = RGB(0, 0, 255);
        for (size_t i = 0; i < reservations.size(); ++i) table.records[i + 1] = reservations[i];
        ::SaveTable(profile_, table, static_cast<int>(reservations.size()));
        profile_.Write(profile::kFlag1stBoot, 1);
    }

    // folder: under the test's, "\\contract" for MDK with the nine-export MD.dll.
    void StartResident(const std::string& folder = "") {
        mdk_ = StartProgram(Folder() + folder, "MDK.EXE");
        ASSERT_NE(mdk_.handle, nullptr);
        ASSERT_TRUE(WaitFor([&] { return (window_ = FindResidentWindow(mdk_.id)) != nullptr; }));
    }

    void Command(WPARAM id) { PostMessageA(window_, WM_COMMAND, id, 0); }
    void Tray(UINT mouse) { PostMessageA(window_, kTrayCallback, 1, mouse); }
    bool Item(int expected, int timeoutMs = 15000) {
        return WaitFor([&] { return flags_.Get("MD_GetItem") == expected; }, timeoutMs);
    }
    bool Ended(int timeoutMs = 15000) {
        return WaitFor([&] { return WaitForSingleObject(mdk_.handle, 0) == WAIT_OBJECT_0; }, timeoutMs);
    }

    SharedFlags flags_;
    RegistryStore store_{HKEY_CURRENT_USER, kProfileRoot};
    SettingsProfile profile_{store_};
    RegistryStore testStore_{HKEY_CURRENT_USER, "Software\\Vezaru\\MiradoTest"};
    SettingsProfile control_{testStore_};
    Process mdk_;
    HWND window_ = nullptr;
    std::string standard_, red_, green_;
};

}  // namespace

TEST_F(ResidentEndToEnd, StartsAndShowsTheScheduledWallpaper) {
    SaveTable({Repeating(red_, 60, 2, RGB(255, 128, 64))});
    StartResident();
    ASSERT_TRUE(Item(0));
    EXPECT_TRUE(WaitFor([] { return DesktopWallpaper() == Folder() + "\\MD_TMP.bmp"; }));
    EXPECT_EQ(DesktopValue("Control Panel\\desktop", "WallpaperStyle"), "2");
    EXPECT_EQ(DesktopValue("Control Panel\\desktop", "TileWallpaper"), "0");
    EXPECT_EQ(DesktopValue("Control Panel\\Colors", "Background"), "255 128 64");
    EXPECT_EQ(flags_.Get("MD_GetMDKFlag") != 0, true);
    // What the desktop paints is checked on a screenshot by desktop_shows_wallpaper.sh.
}

// The first bytes of MD_TMP.bmp: file header, information header, first pixels.
bool ReadTempBitmapHead(unsigned char (&bytes)[14 + 40 + 8], BITMAPINFOHEADER& header) {
    HANDLE file = CreateFileA((Folder() + "\\MD_TMP.bmp").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD got = 0;
    ReadFile(file, bytes, sizeof bytes, &got, nullptr);
    CloseHandle(file);
    memcpy(&header, bytes + 14, sizeof header);
    return got == sizeof bytes;
}

// The plug-ins beside MDK decode what it puts up: THIRD.SPI, built as third
// parties build theirs (stdcall, names from a .def file; in the 32-bit build a
// convention mismatch would wreck the stack here), with its 3x2 "z24" picture of
// bytes 0..23; and IFWICX.SPI with a 320x240 magenta JPEG XR.
TEST_F(ResidentEndToEnd, PluginsBesideItDecodeTheReservation) {
    const struct {
        const char* file;
        LONG width, height;
        unsigned char firstPixel[3];  // blue, green, red of the bottom row's first pixel
    } cases[] = {{"fixed.tst", 3, 2, {0, 1, 2}}, {"magenta.jxr", 320, 240, {255, 0, 255}}};
    for (const auto& c : cases) {
        SaveTable({Repeating(Folder() + "\\" + c.file, 60)});
        StartResident();
        ASSERT_TRUE(Item(0)) << c.file;
        ASSERT_TRUE(WaitFor([] { return DesktopWallpaper() == Folder() + "\\MD_TMP.bmp"; })) << c.file;
        unsigned char bytes[14 + 40 + 8] = {};
        BITMAPINFOHEADER header;
        ASSERT_TRUE(ReadTempBitmapHead(bytes, header)) << c.file;
        EXPECT_EQ(header.biWidth, c.width) << c.file;
        EXPECT_EQ(header.biHeight, c.height) << c.file;
        EXPECT_EQ(header.biBitCount, 24) << c.file;
        for (int b = 0; b < 3; ++b) EXPECT_EQ(bytes[14 + 40 + b], c.firstPixel[b]) << c.file << " byte " << b;
        // Nothing of this case may pass for the next one's picture.
        EndProgram(mdk_);
        DeleteFileA((Folder() + "\\MD_TMP.bmp").c_str());
        SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(""), SPIF_UPDATEINIFILE);
    }
}

TEST_F(ResidentEndToEnd, ASecondCopyEndsSilentlyAndTheFirstRunsOn) {
    SaveTable({});
    StartResident();
    Process second = StartBeside("MDK.EXE");
    ASSERT_NE(second.handle, nullptr);
    EXPECT_EQ(WaitForSingleObject(second.handle, 15000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(second.handle, &code);
    EXPECT_EQ(code, 0u);
    CloseHandle(second.handle);
    EXPECT_EQ(WaitForSingleObject(mdk_.handle, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_NE(FindResidentWindow(mdk_.id), nullptr);
}

TEST_F(ResidentEndToEnd, NextStopStartAndShuffleFromTheMenu) {
    SaveTable({Repeating(red_, 60, 0, 0), Repeating(green_, 60, 0, 0)});
    StartResident();
    ASSERT_TRUE(Item(0));
    Command(kNext);
    EXPECT_TRUE(Item(1));
    Command(kNext);
    EXPECT_TRUE(Item(0));

    // The right button opens the menu; it closes without a choice.
    Tray(WM_RBUTTONDOWN);
    EXPECT_TRUE(WaitFor([] { return OpenMenuWindow() != nullptr && IsWindowVisible(OpenMenuWindow()); }));
    PostMessageA(OpenMenuWindow(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitFor([] { return OpenMenuWindow() == nullptr || !IsWindowVisible(OpenMenuWindow()); }));

    Command(kShuffle);
    EXPECT_TRUE(WaitFor([&] { return profile_.Read(profile::kFlagShuffle) == 1; }));
    Command(kShuffle);
    EXPECT_TRUE(WaitFor([&] { return profile_.Read(profile::kFlagShuffle) == 0; }));

    Command(kStop);
    Command(kStart);  // starting again changes at once
    EXPECT_TRUE(Item(1));
}

TEST_F(ResidentEndToEnd, LeftClickStopPutsTheStandardWallpaperUp) {
    SaveTable({Repeating(red_, 60, 0, 0)});
    profile_.Write(profile::kFlagBoss, 1);
    StartResident();
    ASSERT_TRUE(Item(0));
    Tray(WM_LBUTTONDOWN);
    EXPECT_TRUE(Item(-1));
    EXPECT_TRUE(WaitFor([&] { return DesktopWallpaper() == standard_; }));
    // Stopped with the standard on show, the next click opens the settings program.
    Tray(WM_LBUTTONDOWN);
    EXPECT_TRUE(WaitFor([&] { return control_.ReadInt("", "Started", 0) == 1; }));
}

TEST_F(ResidentEndToEnd, ExitPutsTheStandardBackWhenAsked) {
    SaveTable({Repeating(red_, 60, 0, 0)});
    profile_.Write(profile::kFlagStdDispMD, 1);
    profile_.Write(profile::kFlagShuffle, 1);
    StartResident();
    ASSERT_TRUE(Item(0));
    // Lost while MDK runs: the exit writes MDK's value back.
    test_registry::DeleteValue("Software\\Vezaru\\Mirado\\Settings", "FlagShuffle");
    ASSERT_FALSE(profile_.HasInt(profile::kFlagShuffle));
    Command(kExit);
    ASSERT_TRUE(Ended());
    EXPECT_EQ(flags_.Get("MD_GetItem"), -1);
    EXPECT_EQ(DesktopWallpaper(), standard_);
    EXPECT_EQ(flags_.Get("MD_GetMDKFlag"), 0);
    EXPECT_EQ(profile_.Read(profile::kFlagShuffle), 1);
}

// The user's latest shuffle choice survives the exit, wherever it was made.
TEST_F(ResidentEndToEnd, ExitKeepsAShuffleChoiceMadeLaterInTheSettings) {
    SaveTable({});
    StartResident();
    Command(kShuffle);
    ASSERT_TRUE(WaitFor([&] { return profile_.Read(profile::kFlagShuffle) == 1; }));
    profile_.Write(profile::kFlagShuffle, 0);  // the options page, after MDK's toggle
    Command(kExit);
    ASSERT_TRUE(Ended());
    EXPECT_EQ(profile_.Read(profile::kFlagShuffle), 0);
}

TEST_F(ResidentEndToEnd, AKilledCopyDoesNotBlockTheNextStart) {
    SaveTable({});
    StartResident();
    TerminateProcess(mdk_.handle, 9);
    WaitForSingleObject(mdk_.handle, 5000);
    CloseHandle(mdk_.handle);
    mdk_ = {};
    StartResident();
    // Past the check that ends a second copy: it has marked itself running.
    EXPECT_TRUE(WaitFor([&] { return flags_.Get("MD_GetMDKFlag") != 0; }));
    EXPECT_EQ(WaitForSingleObject(mdk_.handle, 0), static_cast<DWORD>(WAIT_TIMEOUT));
}

// The desktop's "WallpaperStyle" and "TileWallpaper", and the method stored.
class FirstRun : public ResidentEndToEnd,
                 public ::testing::WithParamInterface<std::tuple<const char*, const char*, char>> {};

TEST_P(FirstRun, CapturesTheDesktopAndOpensTheSettings) {
    const auto [style, tile, method] = GetParam();
    test_registry::PutString("Control Panel\\desktop", "WallpaperStyle", style);
    test_registry::PutString("Control Panel\\desktop", "TileWallpaper", tile);
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(standard_.c_str()), SPIF_UPDATEINIFILE);

    StartResident();
    EXPECT_TRUE(WaitFor([&] { return control_.ReadInt("", "Started", 0) == 1; }));
    EXPECT_EQ(profile_.Read(profile::kStdName), standard_);
    const std::string data = profile_.Read(profile::kStdData);
    ASSERT_FALSE(data.empty());
    EXPECT_EQ(data[0], method);
}

// Tiled as Windows XP said it; filled, the default of Windows 10 and 11.
INSTANTIATE_TEST_SUITE_P(Desktops, FirstRun,
                         ::testing::Values(std::make_tuple("0", "1", '1'), std::make_tuple("10", "0", '6')));

// Fit, fill and span leave the values Windows lays them out by; a bitmap goes to
// the system as it is, another picture through the temporary bitmap.
TEST_F(ResidentEndToEnd, TheNewerMethodsLeaveTheirDesktopValues) {
    const std::string converted = Folder() + "\\MD_TMP.bmp";
    const std::tuple<int32_t, std::string, std::string, const char*> cases[] = {
        {kMethodFit, red_, converted, "6"}, {kMethodFill, standard_, standard_, "10"}, {kMethodSpan, red_, converted, "22"}};
    for (const auto& [method, picture, shown, styleText] : cases) {
        const std::string style = styleText;
        test_registry::PutString("Control Panel\\desktop", "TileWallpaper", "1");
        SaveTable({Repeating(picture, 60, method)});
        StartResident();
        EXPECT_TRUE(WaitFor([&] { return DesktopValue("Control Panel\\desktop", "WallpaperStyle") == style; }));
        EXPECT_EQ(DesktopValue("Control Panel\\desktop", "TileWallpaper"), "0");
        EXPECT_EQ(DesktopWallpaper(), shown);
        EndProgram(mdk_);
    }
}

// With our MD.dll, whose handles MDK waits on, and with the nine contract exports
// (folder contract), where it watches every 10 ms; the settings program closed or killed.
class SettingsProgramEnding : public ResidentEndToEnd,
                              public ::testing::WithParamInterface<std::tuple<const char*, bool>> {};

TEST_P(SettingsProgramEnding, PausesWhileTheSettingsProgramIsOpenAndFollowsItsChange) {
    const auto [folder, killed] = GetParam();
    SaveTable({Repeating(red_, 60, 0, 0)});
    StartResident(folder);
    ASSERT_TRUE(Item(0));

    // The settings program replaces the table and reports the change, then stays
    // open until the test lets it go.
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, "MiradoTest.ReleaseSettings");
    ASSERT_NE(release, nullptr);
    control_.WriteString("", "HoldEvent", "MiradoTest.ReleaseSettings");
    control_.WriteString("", "Action", "change");
    control_.WriteInt("", "NewEntry", 1);
    control_.WriteString("", "NewName0", green_);
    control_.WriteString("", "NewData0", ReservationText(Repeating(green_, 60, 1, 0)));
    Command(kOpenSettings);
    ASSERT_TRUE(WaitFor([&] { return control_.ReadInt("", "Started", 0) == 1; }));
    ASSERT_TRUE(WaitFor([&] { return flags_.Get("MD_GetChgFlag") == 1; }));

    // Paused while it is open: the reported change waits for the closing, for
    // a hundred ticks of MDK's 10 ms watch and more. (The menu's grey items are
    // checked in-process: Wine keeps menus inside their process.)
    EXPECT_TRUE(HoldsFor(
        [&] {
            return flags_.Get("MD_GetChgFlag") == 1 && flags_.Get("MD_GetItem") == 0 &&
                   DesktopValue("Control Panel\\desktop", "TileWallpaper") == "0";
        },
        1000));

    // Gone: the new table goes up at once, and the change flag is cleared.
    if (!killed) SetEvent(release);
    if (HANDLE settings = killed ? OpenProcess(PROCESS_TERMINATE, FALSE, control_.ReadInt("", "Pid", 0)) : nullptr) {
        TerminateProcess(settings, 9);
        CloseHandle(settings);
    }
    EXPECT_TRUE(WaitFor([&] { return DesktopValue("Control Panel\\desktop", "TileWallpaper") == "1"; }));
    EXPECT_TRUE(WaitFor([&] { return flags_.Get("MD_GetChgFlag") == 0; }));
    CloseHandle(release);
}
INSTANTIATE_TEST_SUITE_P(ClosedOrKilled, SettingsProgramEnding,
                         ::testing::Combine(::testing::Values("", "\\contract"), ::testing::Bool()));

// With either library: two windows of one file overlap (a table the editor
// refuses, written by hand); when the first closes, the step to the next winner
// lands on the same file and puts nothing up, and the winner after it, whose
// window is that minute alone, still goes up at once.
class BothLibraries : public ResidentEndToEnd, public ::testing::WithParamInterface<const char*> {};

TEST_P(BothLibraries, AClosingWindowStepsPastTheSameFileToTheNextWinner) {
    SYSTEMTIME now, shown;
    // Time to see the first up within its minute, and no window across midnight.
    ASSERT_TRUE(WaitFor(
        [&] {
            GetLocalTime(&now);
            return now.wSecond < 45 && now.wHour * 60 + now.wMinute < 1437;
        },
        200000));
    const int m = now.wHour * 60 + now.wMinute;
    SaveTable({TimeWindowRecord(m / 60, m % 60, m / 60, m % 60, red_),
               TimeWindowRecord(m / 60, m % 60, (m + 2) / 60, (m + 2) % 60, red_),
               TimeWindowRecord((m + 1) / 60, (m + 1) % 60, (m + 1) / 60, (m + 1) % 60, green_)});
    StartResident(GetParam());
    ASSERT_TRUE(Item(0));
    ASSERT_TRUE(Item(2, 75000));
    GetLocalTime(&shown);
    EXPECT_EQ(shown.wHour * 60 + shown.wMinute, m + 1);
    EXPECT_LE(shown.wSecond, 1);
}
INSTANTIATE_TEST_SUITE_P(OursAndContract, BothLibraries, ::testing::Values("", "\\contract"));

// A time window opens at its minute, though MDK sleeps between minutes; what
// tells of a clock set, a new time zone or a resume leaves it up.
TEST_F(ResidentEndToEnd, ATimeWindowOpensAtItsMinute) {
    SYSTEMTIME now, shown;
    GetLocalTime(&now);
    // The next minute, or the one after when this one is past its middle: the
    // standard must be seen up first, by a probe process per look.
    const int minute = (now.wHour * 60 + now.wMinute + (now.wSecond >= 30 ? 2 : 1)) % 1440;
    SaveTable({TimeWindowRecord(minute / 60, minute % 60, minute / 60, minute % 60, red_)});
    StartResident();
    ASSERT_TRUE(WaitFor([] { return DesktopWallpaper() == Folder() + "\\standard.bmp"; }));
    ASSERT_TRUE(Item(0, 135000));
    GetLocalTime(&shown);
    EXPECT_EQ(shown.wHour * 60 + shown.wMinute, minute);
    EXPECT_LE(shown.wSecond, 1);
    for (const UINT message : {WM_TIMECHANGE, WM_SETTINGCHANGE, WM_POWERBROADCAST}) {
        DWORD_PTR answer = 0;
        const WPARAM wParam = message == WM_POWERBROADCAST ? PBT_APMRESUMEAUTOMATIC : 0;
        EXPECT_NE(SendMessageTimeoutA(window_, message, wParam, 0, SMTO_ABORTIFHUNG, 10000, &answer), 0u);
    }
    EXPECT_EQ(flags_.Get("MD_GetItem"), 0);
}

TEST_F(ResidentEndToEnd, AnExitRequestOfTheSettingsProgramEndsIt) {
    SaveTable({});
    StartResident();
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, "MiradoTest.ReleaseSettings");
    ASSERT_NE(release, nullptr);
    control_.WriteString("", "HoldEvent", "MiradoTest.ReleaseSettings");
    control_.WriteString("", "Action", "exit");
    Command(kOpenSettings);
    ASSERT_TRUE(WaitFor([&] { return flags_.Get("MD_GetMDSFlag") != 0 && flags_.Get("MD_GetExitFlag") == 1; }));
    // The request is acted on when the settings program has closed, not before.
    EXPECT_TRUE(HoldsFor([&] { return WaitForSingleObject(mdk_.handle, 0) == WAIT_TIMEOUT; }, 1000));
    SetEvent(release);
    EXPECT_TRUE(Ended());
    CloseHandle(release);
    EXPECT_EQ(flags_.Get("MD_GetExitFlag"), 0);
    EXPECT_EQ(flags_.Get("MD_GetMDKFlag"), 0);
}

TEST_F(ResidentEndToEnd, TwoCopiesStartedTogetherLeaveExactlyOne) {
    SaveTable({});
    Process a = StartBeside("MDK.EXE");
    Process b = StartBeside("MDK.EXE");
    ASSERT_NE(a.handle, nullptr);
    ASSERT_NE(b.handle, nullptr);
    // One of them ends at once; the other stays.
    const HANDLE both[] = {a.handle, b.handle};
    const DWORD first = WaitForMultipleObjects(2, both, FALSE, 15000);
    ASSERT_TRUE(first == WAIT_OBJECT_0 || first == WAIT_OBJECT_0 + 1);
    const Process& survivor = first == WAIT_OBJECT_0 ? b : a;
    EXPECT_TRUE(WaitFor([&] { return FindResidentWindow(survivor.id) != nullptr; }));
    EXPECT_TRUE(WaitFor([&] { return flags_.Get("MD_GetMDKFlag") != 0; }));
    EXPECT_EQ(WaitForSingleObject(survivor.handle, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    mdk_ = survivor;
    CloseHandle((first == WAIT_OBJECT_0 ? a : b).handle);
}

TEST_F(ResidentEndToEnd, TheTrayIconSitsInTheTaskBarAndComesBackWithANewOne) {
    SaveTable({});
    StartResident();
    ASSERT_TRUE(WaitFor([&] { return IconHeld(window_) && TaskBarShowsAnIcon(); }));
    // Not in a notification area of its own, as on a desktop other than the task bar's.
    EXPECT_EQ(FindWindowA(nullptr, "Wine System Tray"), nullptr);

    // Wine's task bar lives in the desktop's own process, whose end takes every
    // window of the desktop with it, MDK's too; so a new task bar is played here
    // as the shell plays it: the icons go with the old one ...
    NOTIFYICONDATAA data = IconOf(window_);
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &data));
    ASSERT_TRUE(WaitFor([&] { return !IconHeld(window_) && !TaskBarShowsAnIcon(); }));
    // ... and the new one announces itself to every top-level window: MDK puts its icon back.
    PostMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(WaitFor([&] { return IconHeld(window_) && TaskBarShowsAnIcon(); }));
}

TEST_F(ResidentEndToEnd, WindowsEndingPutsTheStandardBackWhenAsked) {
    SaveTable({Repeating(red_, 60, 0, 0)});
    profile_.Write(profile::kFlagStdDispWIN, 1);
    StartResident();
    ASSERT_TRUE(Item(0));
    DWORD_PTR answer = 0;
    ASSERT_NE(SendMessageTimeoutA(window_, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 10000, &answer), 0);
    EXPECT_NE(answer, 0u);  // the session may end
    EXPECT_TRUE(Item(-1));
    EXPECT_TRUE(WaitFor([&] { return DesktopWallpaper() == standard_; }));
}
