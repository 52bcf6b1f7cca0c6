#include <gtest/gtest.h>

#include "core/ProfileValues.h"
#include "core/ViewFolderTable.h"
#include "support/MemoryStore.h"

// The other programs and older versions store these values under these exact
// names: each setting reads what is stored under its name and nothing stored
// under a neighbour's, and reads its default when nothing is stored.
TEST(SettingsProfile, EachSettingReadsItsOwnStoredValue) {
    struct Case {
        const IntSetting& setting;
        const char* section;
        const char* name;
        int32_t fresh;
    };
    const Case cases[] = {
        {profile::kFlag1stBoot, "Settings", "Flag1stBoot", 0},
        {profile::kFlagStdDispMD, "Settings", "FlagStdDispMD", 0},
        {profile::kFlagStdDispWIN, "Settings", "FlagStdDispWIN", 0},
        {profile::kFlagShuffle, "Settings", "FlagShuffle", 0},
        {profile::kFlagBoss, "Settings", "FlagBoss", 0},
        {profile::kFlagPasswd, "Settings", "FlagPasswd", 0},
        {profile::kListSet0, "Size", "ListSet0", 150},
        {profile::kListSet1, "Size", "ListSet1", 303},
        {profile::kListSet2, "Size", "ListSet2", 150},
        {profile::kMaxFolder, "ViewFolder", "MaxFolder", 1},
        {profile::kEntry, "Reserve", "Entry", -1},
    };
    for (const Case& c : cases) {
        MemoryStore store;
        const SettingsProfile profile(store);
        EXPECT_EQ(profile.Read(c.setting), c.fresh) << c.name;
        EXPECT_FALSE(profile.HasInt(c.setting)) << c.name;
        int32_t serial = 1000;
        for (const Case& other : cases) store.values[{other.section, other.name}] = ++serial;
        store.values[{c.section, c.name}] = 77;
        EXPECT_EQ(profile.Read(c.setting), 77) << c.name;
        EXPECT_TRUE(profile.HasInt(c.setting)) << c.name;
    }
    MemoryStore store;
    SettingsProfile profile(store);
    EXPECT_EQ(profile.Read(profile::kPasswd), "");
    EXPECT_EQ(profile.Read(profile::kStdData), "00");
    store.values[{"Settings", "Passwd"}] = std::string("abc");
    store.values[{"Reserve\\Std", "Data"}] = std::string("21");
    store.values[{"Reserve\\Std", "Name"}] = std::string("C:\\a.bmp");
    EXPECT_EQ(profile.Read(profile::kPasswd), "abc");
    EXPECT_EQ(profile.Read(profile::kStdData), "21");
    EXPECT_EQ(profile.Read(profile::kStdName), "C:\\a.bmp");
}

TEST(SettingsProfile, AValueOfTheWrongTypeReadsAsItsDefault) {
    MemoryStore store;
    store.values[{"Settings", "FlagShuffle"}] = std::string("1");
    store.values[{"Settings", "Passwd"}] = 5;
    const SettingsProfile profile(store);
    EXPECT_EQ(profile.Read(profile::kFlagShuffle), 0);
    EXPECT_EQ(profile.Read(profile::kPasswd), "");
}

TEST(FolderValueName, IsTwoCharactersWithALeadingZero) {
    EXPECT_EQ(FolderValueName(0), "00");
    EXPECT_EQ(FolderValueName(9), "09");
    EXPECT_EQ(FolderValueName(14), "14");
    EXPECT_EQ(FolderValueName(123), "12");
}

TEST(ViewFolderTable, AFreshProfileHoldsOnlyTheSystemFolder) {
    MemoryStore store;
    ViewFolderTable table;
    table.Load(SettingsProfile(store), "C:\\windows");
    ASSERT_EQ(table.Count(), 1);
    EXPECT_EQ(table.Entry(0).title, "システム");
    EXPECT_EQ(table.Entry(0).path, "C:\\windows");
}

TEST(ViewFolderTable, LoadsStoredFoldersAndSavesWithoutDeleting) {
    MemoryStore store;
    SettingsProfile profile(store);
    profile.Write(profile::kMaxFolder, 3);
    profile.WriteString("ViewFolder\\Title", "00", "海");
    profile.WriteString("ViewFolder\\Path", "00", "D:\\海");
    profile.WriteString("ViewFolder\\Title", "01", "山");
    profile.WriteString("ViewFolder\\Path", "01", "D:\\山");

    ViewFolderTable table;
    table.Load(profile, "C:\\windows");
    ASSERT_EQ(table.Count(), 3);
    EXPECT_EQ(table.Entry(1).title, "海");
    EXPECT_EQ(table.Entry(2).path, "D:\\山");

    ASSERT_TRUE(table.Remove(1));
    table.Save(profile);
    EXPECT_EQ(profile.Read(profile::kMaxFolder), 2);
    EXPECT_EQ(profile.ReadString("ViewFolder\\Title", "00", ""), "山");
    EXPECT_EQ(profile.ReadString("ViewFolder\\Title", "01", ""), "山");  // left over, unread
}

TEST(ViewFolderTable, ADamagedCountIsHeldInsideTheTable) {
    MemoryStore store;
    SettingsProfile profile(store);
    ViewFolderTable table;
    profile.Write(profile::kMaxFolder, 99);
    table.Load(profile, "C:\\windows");
    EXPECT_EQ(table.Count(), 16);
    profile.Write(profile::kMaxFolder, 0);
    table.Load(profile, "C:\\windows");
    EXPECT_EQ(table.Count(), 1);
    profile.Write(profile::kMaxFolder, -3);
    table.Load(profile, "C:\\windows");
    EXPECT_EQ(table.Count(), 1);
    EXPECT_EQ(table.Entry(0).title, "システム");
}

TEST(ViewFolderTable, AddStopsAtSixteen) {
    ViewFolderTable table;
    for (int i = 1; i < 16; ++i) EXPECT_TRUE(table.Add("t", "p"));
    EXPECT_FALSE(table.Add("t", "p"));
    EXPECT_EQ(table.Count(), 16);
    EXPECT_FALSE(table.Remove(0));
}
