#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MigrationTestSupport.h"
#include "core/PathText.h"
#include "win/SharedStateBinder.h"
#include "support/HeldProcess.h"
#include "support/WaitFor.h"
#include "support/ProfileRoot.h"

using namespace migrate_test;

namespace {

// A file name whose double-byte characters end in 0x5C ("表", "ソ"), half-width
// katakana, and a data text as version 1.03 left it.
const std::string kStdName = "C:\\壁紙\\表示ソフト.bmp";
const std::string kStdData = "112632256";
const std::string kName1 = "D:\\ﾐﾗﾄﾞ\\予約 1.jpg";
const std::string kData1 = "216744512 1020004300 0000000000 101295400000";
const std::string kName2 = "E:\\海\\夏.png";
const std::string kData2 = "00 0000000000 1090017300 000000";

// Another process holding the state of MD.dll: the MDK flag, or (built as
// MDS.EXE) the settings program's presence.
std::string Beside(const char* exe) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return FolderOfPath(path) + "\\" + exe;
}

bool OldTreeIntact() {
    return GetInt(kOld + "\\Reserve", "Entry").has_value() && KeyExists(kOld + "\\Reserve\\Name") &&
           KeyExists(kOld + "\\Reserve\\Data") && KeyExists(kOld + "\\Reserve\\BmpName") &&
           KeyExists(kOld + "\\Settings");
}

struct ChildSearch {
    const char* className;
    std::vector<std::string> texts;
};

BOOL CALLBACK CollectChildText(HWND child, LPARAM data) {
    auto& search = *reinterpret_cast<ChildSearch*>(data);
    char cls[64] = {};
    GetClassNameA(child, cls, sizeof cls);
    if (lstrcmpiA(cls, search.className) == 0) {
        char text[512] = {};
        GetWindowTextA(child, text, sizeof text);
        search.texts.emplace_back(text);
    }
    return TRUE;
}

std::vector<std::string> ChildTexts(HWND dialog, const char* className) {
    ChildSearch search{className, {}};
    EnumChildWindows(dialog, CollectChildText, reinterpret_cast<LPARAM>(&search));
    return search.texts;
}

}  // namespace

TEST_F(MigrationTest, TheDialogIsTheDescribedOne) {
    PutOld(1, {{kStdData, kStdName}});
    RegistryStore store(HKEY_CURRENT_USER, kProfileRoot);
    SettingsProfile profile(store);
    MigrationDialog dialog(profile);
    ASSERT_TRUE(dialog.Create());
    HWND hwnd = dialog.Handle();

    char caption[128] = {};
    GetWindowTextA(hwnd, caption, sizeof caption);
    EXPECT_STREQ(caption, "ミラド Version 1.03 -> 1.04");
    const LONG_PTR style = GetWindowLongPtrA(hwnd, GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_FALSE(style & WS_SYSMENU);
    EXPECT_TRUE(GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);

    RECT units{0, 0, 194, 125};
    MapDialogRect(hwnd, &units);
    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, units.right);
    EXPECT_EQ(client.bottom, units.bottom);

    const std::vector<std::string> labels = ChildTexts(hwnd, "Static");
    const std::vector<std::string> expected = {
        "ミラド Version 1.03 から 1.04 へバージョンをアップします。",
        "注） このソフトは古いバージョンのデータを新しいバージョンに対応させるためのもので、"
        "インストーラーやアンインストーラーではありません。",
        "よろしい場合は、「OK」ボタンを押してください。",
    };
    EXPECT_EQ(labels, expected);

    EXPECT_EQ(dialog.ItemText(IDC_DELETE_OLD), "古いバージョンのデータを削除する");
    EXPECT_FALSE(dialog.IsChecked(IDC_DELETE_OLD));
    EXPECT_EQ(dialog.ItemText(IDOK), "OK");
    EXPECT_EQ(dialog.ItemText(IDCANCEL), "ｷｬﾝｾﾙ");
    EXPECT_EQ(LOWORD(SendMessageA(hwnd, DM_GETDEFID, 0, 0)), IDOK);

    // Icon 128 as both window icons, and as the icon dragged while minimised.
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_MAIN));
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(hwnd, WM_GETICON, ICON_BIG, 0)), icon);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(hwnd, WM_GETICON, ICON_SMALL, 0)), icon);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(hwnd, WM_QUERYDRAGICON, 0, 0)), icon);

    // The old data is read when the dialog opens, and nothing is written yet.
    EXPECT_TRUE(dialog.LibraryLoaded());
    EXPECT_EQ(dialog.Old().entry, 1);
    EXPECT_EQ(dialog.Old().pairs.at(0).fileName, kStdName);
    EXPECT_FALSE(KeyExists(kNew));
    EXPECT_TRUE(messages.empty());
    dialog.Destroy();
    EXPECT_EQ(dialog.Handle(), nullptr);
}

TEST_F(MigrationTest, ThreeEntriesBecomeTheStandardAndTwoReservationsByteForByte) {
    PutOld(3, {{kStdData, kStdName}, {kData1, kName1}, {kData2, kName2}});
    EXPECT_EQ(Run(IDOK), IDOK);
    EXPECT_TRUE(messages.empty());

    EXPECT_EQ(GetInt(kNew + "\\Reserve", "Entry"), 2);
    EXPECT_EQ(GetString(kNew + "\\Reserve\\Std", "Name"), kStdName);
    EXPECT_EQ(GetString(kNew + "\\Reserve\\Std", "Data"), kStdData);
    EXPECT_EQ(GetString(kNew + "\\Reserve\\Data", "0"), kData1);
    EXPECT_EQ(GetString(kNew + "\\Reserve\\Name", "0"), kName1);
    EXPECT_EQ(GetString(kNew + "\\Reserve\\Data", "1"), kData2);
    EXPECT_EQ(GetString(kNew + "\\Reserve\\Name", "1"), kName2);
    EXPECT_FALSE(GetString(kNew + "\\Reserve\\Name", "2").has_value());

    EXPECT_EQ(GetInt(kNew + "\\Settings", "Flag1stBoot"), 1);
    EXPECT_EQ(GetInt(kNew + "\\Settings", "FlagBoss"), 0);
    EXPECT_EQ(GetInt(kNew + "\\Settings", "FlagShuffle"), 1);
    EXPECT_EQ(GetInt(kNew + "\\Settings", "FlagStdDispMD"), 0);
    EXPECT_EQ(GetInt(kNew + "\\Settings", "FlagStdDispWIN"), 1);
    EXPECT_FALSE(GetInt(kNew + "\\Settings", "FlagPasswd").has_value());
    EXPECT_FALSE(GetString(kNew + "\\Settings", "Passwd").has_value());
    EXPECT_FALSE(KeyExists(kNew + "\\Size"));

    // Box 1000 was not ticked: the old data stays.
    EXPECT_TRUE(OldTreeIntact());
}

TEST_F(MigrationTest, OnlyTheStandardWallpaperGivesEntryZero) {
    PutOld(1, {{kStdData, kStdName}, {kData1, kName1}});  // a stale pair 1 is not carried
    EXPECT_EQ(Run(IDOK), IDOK);
    EXPECT_EQ(GetInt(kNew + "\\Reserve", "Entry"), 0);
    EXPECT_EQ(GetString(kNew + "\\Reserve\\Std", "Name"), kStdName);
    EXPECT_FALSE(KeyExists(kNew + "\\Reserve\\Data"));
    EXPECT_FALSE(KeyExists(kNew + "\\Reserve\\Name"));
}

TEST_F(MigrationTest, TheExtraFolderKeepsItsWholeLastComponent) {
    PutOld(1, {{kStdData, kStdName}}, "C:\\Photos\\Sea.2001");
    EXPECT_EQ(Run(IDOK), IDOK);
    EXPECT_EQ(GetString(kNew + "\\ViewFolder\\Path", "00"), "C:\\Photos\\Sea.2001");
    EXPECT_EQ(GetString(kNew + "\\ViewFolder\\Title", "00"), "Sea.2001");
    EXPECT_EQ(GetInt(kNew + "\\ViewFolder", "MaxFolder"), 2);

    Clean();
    PutOld(1, {{kStdData, kStdName}}, "");
    EXPECT_EQ(Run(IDOK), IDOK);
    EXPECT_EQ(GetInt(kNew + "\\ViewFolder", "MaxFolder"), 1);
    EXPECT_FALSE(GetString(kNew + "\\ViewFolder\\Path", "00").has_value());
    EXPECT_FALSE(GetString(kNew + "\\ViewFolder\\Title", "00").has_value());
}

TEST_F(MigrationTest, TheTickedBoxDeletesTheOldTreeAfterMigrating) {
    PutOld(2, {{kStdData, kStdName}, {kData1, kName1}});
    EXPECT_EQ(Run(IDOK, true), IDOK);
    EXPECT_EQ(GetString(kNew + "\\Reserve\\Name", "0"), kName1);
    EXPECT_FALSE(KeyExists("Software\\V-ezaru"));

    // A key that is not the tool's own keeps its parents: each delete is single
    // and its failure is ignored.
    PutOld(2, {{kStdData, kStdName}, {kData1, kName1}});
    MakeKey("Software\\V-ezaru\\Other");
    EXPECT_EQ(Run(IDOK, true), IDOK);
    EXPECT_FALSE(KeyExists(kOld));
    EXPECT_TRUE(KeyExists("Software\\V-ezaru\\Other"));
}

TEST_F(MigrationTest, WithoutOldDataOkRefusesAndWritesNothing) {
    const std::string refusal = "古いバージョンのデータが存在しません。\nデータの更新を中断しました。";
    // No old tree at all.
    EXPECT_EQ(Run(IDOK, true), IDCANCEL);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, refusal);
    EXPECT_EQ(messages[0].kind, MessageKind::Information);
    EXPECT_FALSE(KeyExists(kNew));

    // A "Reserve" key whose count is missing, or not a number, is no old data
    // either; the rest of the old tree stays even with 1000 ticked.
    for (bool asText : {false, true}) {
        messages.clear();
        PutOld(3, {{kStdData, kStdName}, {kData1, kName1}, {kData2, kName2}});
        DeleteValue(kOld + "\\Reserve", "Entry");
        if (asText) PutString(kOld + "\\Reserve", "Entry", "3");
        EXPECT_EQ(Run(IDOK, true), IDCANCEL);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, refusal);
        EXPECT_FALSE(KeyExists(kNew));
        EXPECT_TRUE(KeyExists(kOld + "\\Reserve\\Name"));
        EXPECT_TRUE(KeyExists(kOld + "\\Settings"));
    }
}

TEST_F(MigrationTest, UnreadableFlagsAreMigratedAsOff) {
    PutOld(1, {{kStdData, kStdName}});
    DeleteValue(kOld + "\\Settings", "Flag1stBoot");
    PutString(kOld + "\\Settings", "FlagShuffle", "1");
    PutInt(kOld + "\\Settings", "FlagBoss", 7);
    EXPECT_EQ(Run(IDOK), IDOK);
    EXPECT_EQ(GetInt(kNew + "\\Settings", "Flag1stBoot"), 0);
    EXPECT_EQ(GetInt(kNew + "\\Settings", "FlagShuffle"), 0);
    EXPECT_EQ(GetInt(kNew + "\\Settings", "FlagBoss"), 7);  // any other value is copied as read

    // Without a "Settings" key every flag would read -1, "set" to the new programs.
    Clean();
    PutOld(1, {{kStdData, kStdName}});
    DeleteTree(kOld + "\\Settings");
    EXPECT_EQ(Run(IDOK), IDOK);
    for (const char* flag : {"Flag1stBoot", "FlagBoss", "FlagShuffle", "FlagStdDispMD", "FlagStdDispWIN"}) {
        EXPECT_EQ(GetInt(kNew + "\\Settings", flag), 0) << flag;
    }
    EXPECT_EQ(GetInt(kNew + "\\ViewFolder", "MaxFolder"), 1);
}

TEST_F(MigrationTest, ACountAboveTheCapacityIsHeldAt1024Pairs) {
    PutOld(1100, {{kStdData, kStdName}});
    {
        const RegistryKey data = RegistryKey::Create(HKEY_CURRENT_USER, kOld + "\\Reserve\\Data");
        const RegistryKey names = RegistryKey::Create(HKEY_CURRENT_USER, kOld + "\\Reserve\\Name");
        for (int k = 1; k < 1100; ++k) {
            const std::string name = std::to_string(k);
            names.WriteString(name.c_str(), "C:\\w\\" + name + ".bmp");
            data.WriteString(name.c_str(), "00");
        }
    }

    EXPECT_EQ(Run(IDOK), IDOK);
    EXPECT_EQ(GetInt(kNew + "\\Reserve", "Entry"), 1023);
    EXPECT_EQ(GetString(kNew + "\\Reserve\\Name", "1022"), "C:\\w\\1023.bmp");
    EXPECT_FALSE(GetString(kNew + "\\Reserve\\Name", "1023").has_value());
}

TEST_F(MigrationTest, CancelWritesNothing) {
    PutOld(3, {{kStdData, kStdName}, {kData1, kName1}, {kData2, kName2}});
    EXPECT_EQ(Run(IDCANCEL, true), IDCANCEL);
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(KeyExists(kNew));
    EXPECT_TRUE(OldTreeIntact());
}

TEST_F(MigrationTest, WhileMdkRunsOkRefusesAndKeepsTheOldData) {
    PutOld(3, {{kStdData, kStdName}, {kData1, kName1}, {kData2, kName2}});
    HeldProcess mdk(Beside("migrate_flag_holder.exe"), "", "mdk");
    ASSERT_TRUE(mdk.Started());
    SharedStateBinder md;
    ASSERT_TRUE(md.Load());
    ASSERT_TRUE(WaitFor([&] { return md.GetMDKFlag() != 0; }, 5000));

    EXPECT_EQ(Run(IDOK, true), IDCANCEL);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "ミラドが起動しています。\nミラドを終了してもう１度起動して下さい。");
    EXPECT_EQ(messages[0].kind, MessageKind::Information);
    EXPECT_FALSE(KeyExists(kNew));
    EXPECT_TRUE(OldTreeIntact());
}

TEST_F(MigrationTest, WhileMdsRunsOkRefuses) {
    PutOld(1, {{kStdData, kStdName}});
    HeldProcess mds(Beside("MDS.EXE"), "", "mds");
    ASSERT_TRUE(mds.Started());
    SharedStateBinder md;
    ASSERT_TRUE(md.Load());
    ASSERT_TRUE(WaitFor([&] { return md.GetMDSFlag() != 0; }, 5000));

    EXPECT_EQ(Run(IDOK, true), IDCANCEL);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "ミラドが起動しています。\nミラドを終了してもう１度起動して下さい。");
    EXPECT_FALSE(KeyExists(kNew));
    EXPECT_TRUE(OldTreeIntact());
}

TEST_F(MigrationTest, TheRunningCheckHappensOnlyAtOk) {
    PutOld(2, {{kStdData, kStdName}, {kData1, kName1}});
    HeldProcess mdk(Beside("migrate_flag_holder.exe"), "", "mdk");
    ASSERT_TRUE(mdk.Started());
    SharedStateBinder md;
    ASSERT_TRUE(md.Load());
    ASSERT_TRUE(WaitFor([&] { return md.GetMDKFlag() != 0; }, 5000));

    // Opened while MDK runs; the user ends MDK, then presses OK.
    RegistryStore store(HKEY_CURRENT_USER, kProfileRoot);
    SettingsProfile profile(store);
    MigrationDialog dialog(profile);
    ASSERT_TRUE(dialog.Create());
    EXPECT_TRUE(messages.empty());
    mdk.Release();
    ASSERT_TRUE(WaitFor([&] { return md.GetMDKFlag() == 0; }, 5000));

    SendMessageA(dialog.Item(IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(dialog.Ended());
    EXPECT_EQ(dialog.Result(), IDOK);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(GetString(kNew + "\\Reserve\\Name", "0"), kName1);
    dialog.Destroy();
}

TEST_F(MigrationTest, TheProgramMigratesWhenItsOkIsPressed) {
    PutOld(2, {{kStdData, kStdName}, {kData1, kName1}});
    const std::string folder = FolderOfPath([] {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        return std::string(path);
    }());
    // Unmanaged, like the tests' own windows (see run-dialog-test.sh).
    PutString("Software\\Wine\\AppDefaults\\ZovOV_MD.EXE\\X11 Driver", "Managed", "N");
    std::string command = "\"" + folder + "\\ZovOV_MD.EXE\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    struct Program {
        PROCESS_INFORMATION info{};
        ~Program() {  // never left behind with its dialog open, whatever failed
            if (info.hProcess == nullptr) return;
            if (WaitForSingleObject(info.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(info.hProcess, 1);
            CloseHandle(info.hProcess);
            CloseHandle(info.hThread);
        }
    } program;
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si,
                               &program.info));

    // Shown once its initialisation is over.
    HWND window = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        window = FindWindowA(nullptr, "ミラド Version 1.03 -> 1.04");
        return window != nullptr && IsWindowVisible(window);
    }, 10000));
    PostMessageA(GetDlgItem(window, IDC_DELETE_OLD), BM_CLICK, 0, 0);
    PostMessageA(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
    ASSERT_EQ(WaitForSingleObject(program.info.hProcess, 20000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    GetExitCodeProcess(program.info.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);

    EXPECT_EQ(GetInt(kNew + "\\Reserve", "Entry"), 1);
    EXPECT_EQ(GetString(kNew + "\\Reserve\\Name", "0"), kName1);
    EXPECT_FALSE(KeyExists("Software\\V-ezaru"));
}
