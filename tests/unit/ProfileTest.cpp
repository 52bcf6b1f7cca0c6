#include <gtest/gtest.h>

#include "core/ProfileValues.h"
#include "core/ViewFolderTable.h"
#include "support/MemoryStore.h"

TEST(SettingsProfile, AFreshProfileReadsEveryDefault) {
    MemoryStore store;
    const SettingsProfile profile(store);
    EXPECT_EQ(profile.Read(profile::kFlag1stBoot), 0);
    EXPECT_EQ(profile.ReadInt("Settings", "Flag1stBoot", profile::kFlag1stBootMissing), -1);
    EXPECT_EQ(profile.Read(profile::kFlagStdDispMD), 0);
    EXPECT_EQ(profile.Read(profile::kFlagStdDispWIN), 0);
    EXPECT_EQ(profile.Read(profile::kFlagShuffle), 0);
    EXPECT_EQ(profile.Read(profile::kFlagBoss), 0);
    EXPECT_EQ(profile.Read(profile::kFlagPasswd), 0);
    EXPECT_EQ(profile.Read(profile::kPasswd), "");
    EXPECT_EQ(profile.Read(profile::kListSet0), 150);
    EXPECT_EQ(profile.Read(profile::kListSet1), 303);
    EXPECT_EQ(profile.Read(profile::kListSet2), 110);
    EXPECT_EQ(profile.Read(profile::kMaxFolder), 1);
    EXPECT_EQ(profile.Read(profile::kEntry), -1);
    EXPECT_EQ(profile.Read(profile::kStdData), "00");
    EXPECT_FALSE(profile.HasInt(profile::kFlag1stBoot));
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
