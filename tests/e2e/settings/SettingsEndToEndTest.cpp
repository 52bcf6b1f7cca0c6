// The settings program as a user meets it: MDS.EXE opened by the real MDK.EXE
// on a Wine desktop (or started by hand), with the real MD.dll and registry.

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "core/ProfileValues.h"
#include "core/ReservationStorage.h"
#include "win/ProgramFolder.h"
#include "win/RegistryStore.h"
#include "support/Programs.h"
#include "support/Records.h"
#include "support/TestRegistry.h"
#include "support/WaitFor.h"
#include "support/ProfileRoot.h"

namespace {

constexpr WPARAM kOpenSettings = 32772;
constexpr const char* kDialogClass = "#32770";


std::string Folder() { return ProgramFolder(); }

// A dialog of the process (any when id is 0) once it is shown: found earlier, its
// controls may not exist yet.
HWND ReadyDialog(DWORD id, const char* caption, int control) {
    HWND dialog = nullptr;
    WaitFor([&] {
        dialog = FindProgramWindow(id, kDialogClass, caption);
        return dialog != nullptr && IsWindowVisible(dialog) && GetDlgItem(dialog, control) != nullptr;
    });
    return dialog != nullptr && IsWindowVisible(dialog) ? dialog : nullptr;
}

class SettingsEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(flags_.Loaded());
        ASSERT_TRUE(WaitFor([] { return FindWindowA("Shell_TrayWnd", nullptr) != nullptr; }, 30000))
            << "no task bar: run on a Wine desktop";
        test_registry::DeleteTree(kProfileRoot);
        flags_.Set("MD_SetChgFlag", 0);
        flags_.Set("MD_SetExitFlag", 0);
    }

    void TearDown() override {
        EndProgram(mds_);
        EndProgram(mdk_);
    }

    // Reservations rotating every hour (by default b, then a); MDK starts silently.
    void SaveTable(const std::vector<ReservationRecord>& reservations = {}) {
        ReservationTable table;
        table.records[1] = Repeating(Folder() + "\\b.bmp", 60);
        table.records[2] = Repeating(Folder() + "\\a.bmp", 60);
        for (size_t i = 0; i < reservations.size(); ++i) table.records[i + 1] = reservations[i];
        ::SaveTable(profile_, table, reservations.empty() ? 2 : static_cast<int>(reservations.size()));
        profile_.Write(profile::kFlag1stBoot, 1);
    }

    // Started in its own folder unless another current folder is given.
    void StartResident(const std::string& currentFolder = std::string(), const std::string& folder = Folder()) {
        mdk_ = StartProgram(folder, "MDK.EXE", currentFolder);
        ASSERT_NE(mdk_.handle, nullptr);
        ASSERT_TRUE(WaitFor([&] { return (resident_ = FindProgramWindow(mdk_.id, kDialogClass)) != nullptr; }));
        ASSERT_TRUE(WaitFor([&] { return flags_.Get("MD_GetItem") == 0; }));
    }

    // The settings program's main dialog, opened from MDK's menu.
    HWND OpenFromResident() {
        PostMessageA(resident_, WM_COMMAND, kOpenSettings, 0);
        HWND dialog = ReadyDialog(0, "ミラド", 1007);
        EXPECT_NE(dialog, nullptr);
        if (dialog != nullptr) {
            DWORD id = 0;
            GetWindowThreadProcessId(dialog, &id);
            mds_.id = id;
            mds_.handle = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, id);
        }
        return dialog;
    }

    // A message box of the settings program: its text, then OK.
    std::string AnswerWarning(DWORD id) {
        HWND box = nullptr;
        if (!WaitFor([&] { return (box = FindProgramWindow(id, kDialogClass, "警告")) != nullptr; })) return "(none)";
        const std::string text = MessageBoxText(box);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        return text;
    }

    bool Ends(const Process& process) {
        return WaitFor([&] { return !process.Running(); });
    }

    SharedFlags flags_;
    RegistryStore store_{HKEY_CURRENT_USER, kProfileRoot};
    SettingsProfile profile_{store_};
    Process mdk_, mds_;
    HWND resident_ = nullptr;
};

}  // namespace

TEST_F(SettingsEndToEnd, StartedByHandWithoutTheResidentItRefusesAndWritesNothing) {
    mds_ = StartProgram(Folder(), "MDS.EXE");
    ASSERT_NE(mds_.handle, nullptr);
    EXPECT_EQ(AnswerWarning(mds_.id), "「ミラド」を起動するにはMDK.EXEから起動して下さい。\nMDS.EXEを終了します。");
    EXPECT_TRUE(Ends(mds_));
    EXPECT_FALSE(test_registry::KeyExists(kProfileRoot));
}

// Started from a shortcut or a Run key, MDK's current folder is anybody's: it
// opens the settings program beside it, and one that is only in its current
// folder stays closed (Wine's shell would find a bare name in either folder).
TEST_F(SettingsEndToEnd, OpensOnlyTheSettingsProgramBesideIt) {
    const std::string alone = Folder() + "\\alone";  // MDK and MD.dll, no MDS.EXE
    CreateDirectoryA(alone.c_str(), nullptr);
    for (const char* name : {"\\MDK.EXE", "\\MD.dll"}) {
        ASSERT_TRUE(CopyFileA((Folder() + name).c_str(), (alone + name).c_str(), FALSE));
    }
    SaveTable();
    StartResident(Folder(), alone);
    PostMessageA(resident_, WM_COMMAND, kOpenSettings, 0);
    EXPECT_TRUE(HoldsFor([&] { return flags_.Get("MD_GetMDSFlag") == 0; }, 3000));
    EndProgram(mdk_);

    StartResident(alone);
    ASSERT_NE(OpenFromResident(), nullptr);
    EXPECT_NE(flags_.Get("MD_GetMDSFlag"), 0);
}

// Opened from MDK's menu, MDS pauses MDK; a second MDS ends at once; a sort by
// the first column and a minimise save the new order, and MDK resumes with it.
TEST_F(SettingsEndToEnd, MinimisingSavesAndTheResidentResumesWithTheNewTable) {
    // Shown first: c, centred. Sorted by name, the table becomes a, b, c; the
    // rotation steps on to its second place: b, stretched (the old table's
    // second, a, is tiled).
    SaveTable({Repeating(Folder() + "\\c.bmp", 60, 0), Repeating(Folder() + "\\a.bmp", 60, 1),
               Repeating(Folder() + "\\b.bmp", 60, 2)});
    StartResident();
    HWND dialog = OpenFromResident();
    ASSERT_NE(dialog, nullptr);
    EXPECT_NE(flags_.Get("MD_GetMDSFlag"), 0);

    Process second = StartProgram(Folder(), "MDS.EXE");
    EXPECT_TRUE(Ends(second));
    EXPECT_EQ(FindProgramWindow(second.id, kDialogClass), nullptr);
    EndProgram(second);

    // A click on the header of the first column sorts by the wallpaper names.
    HWND list = GetDlgItem(dialog, 1007);
    ASSERT_NE(list, nullptr);
    HWND header = FindWindowExA(list, nullptr, "SysHeader32", nullptr);
    ASSERT_NE(header, nullptr);
    PostMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 5));
    PostMessageA(header, WM_LBUTTONUP, 0, MAKELPARAM(20, 5));
    ASSERT_TRUE(WaitFor([&] { return flags_.Get("MD_GetChgFlag") == 1; }));

    PostMessageA(dialog, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(Ends(mds_));
    EXPECT_EQ(profile_.ReadString(profile::kReserveNameSection, "0", ""), Folder() + "\\a.bmp");
    EXPECT_TRUE(WaitFor([&] {
        return test_registry::GetString("Control Panel\\desktop", "WallpaperStyle").value_or("") == "2";
    }));
    EXPECT_EQ(flags_.Get("MD_GetItem"), 1);
    EXPECT_TRUE(WaitFor([&] { return flags_.Get("MD_GetChgFlag") == 0; }));
    EXPECT_TRUE(mdk_.Running());
}

TEST_F(SettingsEndToEnd, ClosingTheWindowEndsBoth) {
    SaveTable();
    StartResident();
    HWND dialog = OpenFromResident();
    ASSERT_NE(dialog, nullptr);
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    EXPECT_TRUE(Ends(mds_));
    EXPECT_TRUE(Ends(mdk_));
    EXPECT_EQ(profile_.Read(profile::kEntry), 2);  // saved on the way out
}

TEST_F(SettingsEndToEnd, ThePasswordGate) {
    struct Case {
        const char* stored;
        const char* typed;
        bool opens;
    };
    const Case cases[] = {{"", "", true}, {"Secret", "secret", false}, {"Secret", "Secret", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        SaveTable();
        profile_.Write(profile::kFlagPasswd, 1);
        profile_.Write(profile::kPasswd, c.stored);
        StartResident();
        PostMessageA(resident_, WM_COMMAND, kOpenSettings, 0);
        HWND gate = ReadyDialog(0, "パスワード入力", 1036);
        ASSERT_NE(gate, nullptr);
        DWORD id = 0;
        GetWindowThreadProcessId(gate, &id);
        mds_ = {OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, id), id};
        SetDlgItemTextA(gate, 1036, c.typed);
        PostMessageA(gate, WM_COMMAND, IDOK, 0);
        if (c.opens) {
            EXPECT_NE(ReadyDialog(id, "ミラド", 1007), nullptr);
        } else {
            EXPECT_EQ(AnswerWarning(id), "パスワードが違います。");
            EXPECT_TRUE(Ends(mds_));
        }
        EndProgram(mds_);
        EndProgram(mdk_);
        test_registry::DeleteTree(kProfileRoot);
    }
}

namespace {

// What a user does with the keyboard and the mouse, posted in order to the other
// process (its queue keeps that order; messages with pointers do not cross
// processes, these do).
void Press(HWND window, WPARAM key) {
    PostMessageA(window, WM_KEYDOWN, key, 0);
    PostMessageA(window, WM_KEYUP, key, 0);
}
void Click(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
void Pick(HWND dialog, int id, int index) { PostMessageA(GetDlgItem(dialog, id), CB_SETCURSEL, index, 0); }
std::string Text(HWND dialog, int id) {
    char text[64] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

}  // namespace

// Two pictures registered with a 30-minute timer go up at once when MDS is
// minimised, and Next shows the second; a date window for today, registered
// next, wins over the timer.
TEST_F(SettingsEndToEnd, RegisteredReservationsReachTheResident) {
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, sizeof windows);
    for (const char* name : {"a.bmp", "b.bmp"}) {
        CopyFileA((Folder() + "\\" + name).c_str(), (std::string(windows) + "\\e2e_" + name).c_str(), FALSE);
    }
    profile_.Write(profile::kEntry, 0);
    profile_.Write(profile::kFlag1stBoot, 1);
    mdk_ = StartProgram(Folder(), "MDK.EXE");
    ASSERT_TRUE(WaitFor([&] { return (resident_ = FindProgramWindow(mdk_.id, kDialogClass)) != nullptr; }));

    HWND dialog = OpenFromResident();
    ASSERT_NE(dialog, nullptr);
    HWND pictures = GetDlgItem(dialog, 1001);
    PostMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pictures), TRUE);  // to the wallpaper list
    for (int round = 1; round <= 2; ++round) {
        Press(pictures, VK_DOWN);  // past "(なし)": e2e_a, then e2e_b
        Click(dialog, 1031);
        Pick(dialog, 1034, 29);  // 30 minutes
        Click(dialog, 1004);
        EXPECT_TRUE(WaitFor([&] { return Text(dialog, 1052) == std::to_string(round); })) << round;
    }
    PostMessageA(dialog, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(Ends(mds_));
    EndProgram(mds_);
    // Its timer on, 0 hours, minute index 29, 1,800,000 ms.
    const std::string data = profile_.ReadString(profile::kReserveDataSection, "1", "");
    EXPECT_EQ(data.substr(data.size() >= 12 ? data.size() - 12 : 0), "100291800000");
    EXPECT_TRUE(WaitFor([&] { return flags_.Get("MD_GetItem") == 0; }));
    PostMessageA(resident_, WM_COMMAND, 32774, 0);  // Next
    EXPECT_TRUE(WaitFor([&] { return flags_.Get("MD_GetItem") == 1; }));

    dialog = OpenFromResident();
    ASSERT_NE(dialog, nullptr);
    pictures = GetDlgItem(dialog, 1001);
    PostMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pictures), TRUE);
    Press(pictures, VK_DOWN);
    SYSTEMTIME today;
    GetLocalTime(&today);
    Click(dialog, 1015);
    for (int id : {1016, 1020}) Pick(dialog, id, today.wMonth - 1);
    for (int id : {1018, 1022}) Pick(dialog, id, today.wDay - 1);
    Click(dialog, 1004);
    EXPECT_TRUE(WaitFor([&] { return Text(dialog, 1052) == "3"; }));
    PostMessageA(dialog, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(Ends(mds_));
    EXPECT_TRUE(WaitFor([&] { return flags_.Get("MD_GetItem") == 2; }));
}

// F1 opens MDS.CHM, beside MDS.EXE, in the system's HTML Help window (under Wine
// its pages stay blank: Wine draws them with an engine Debian does not ship).
// Minimised, MDS ends all the same and takes the help window with it.
TEST_F(SettingsEndToEnd, F1OpensTheHelpAndItEndsWithTheProgram) {
    SaveTable();
    StartResident();
    HWND dialog = OpenFromResident();
    ASSERT_NE(dialog, nullptr);
    Press(GetDlgItem(dialog, 1001), VK_F1);
    HWND help = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (help = FindProgramWindow(mds_.id, "HH Parent", "ミラド ヘルプ")) != nullptr; }));
    PostMessageA(dialog, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(Ends(mds_));
    EXPECT_FALSE(IsWindow(help));
}
