#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ReservationStorage.h"
#include "core/MigrationPlan.h"
#include "core/ReservationText.h"
#include "support/MemoryStore.h"

namespace {

// Remembers the order of the writes as "section/name=value".
class WriteLog : public MemoryStore {
public:
    bool WriteInt(const std::string& section, const std::string& name, int32_t value) override {
        order.push_back(section + "/" + name + "=" + std::to_string(value));
        return MemoryStore::WriteInt(section, name, value);
    }
    bool WriteString(const std::string& section, const std::string& name, const std::string& value) override {
        order.push_back(section + "/" + name + "=" + value);
        return MemoryStore::WriteString(section, name, value);
    }
    std::vector<std::string> order;
};

// Refuses the writes into one section, as a registry key without write access would.
class RefusingStore : public MemoryStore {
public:
    explicit RefusingStore(std::string section) : refused_(std::move(section)) {}
    bool WriteString(const std::string& section, const std::string& name, const std::string& value) override {
        return section != refused_ && MemoryStore::WriteString(section, name, value);
    }

private:
    std::string refused_;
};

OldData ThreeEntries() {
    OldData old;
    old.entry = 3;
    old.pairs = {{"112632256", "C:\\std.bmp"}, {"00 0000000000 1090017300 000000", "C:\\a.jpg"},
                 {"216744512 1020004300 0000000000 101295400000", "C:\\b.png"}};
    old.flags = {1, 0, 1, 0, 1};
    return old;
}

}  // namespace

TEST(MigrationPlan, WritesTheNewLayoutInItsOrder) {
    WriteLog log;
    SettingsProfile profile(log);
    OldData old = ThreeEntries();
    old.addFolder = "C:\\Photos\\Sea.2001";
    EXPECT_TRUE(WriteNewLayout(old, profile));

    const std::vector<std::string> expected = {
        "Reserve/Entry=2",
        "Reserve\\Std/Name=C:\\std.bmp",
        "Reserve\\Std/Data=112632256",
        "Reserve\\Data/0=00 0000000000 1090017300 000000",
        "Reserve\\Name/0=C:\\a.jpg",
        "Reserve\\Data/1=216744512 1020004300 0000000000 101295400000",
        "Reserve\\Name/1=C:\\b.png",
        "Settings/Flag1stBoot=1",
        "Settings/FlagBoss=0",
        "Settings/FlagShuffle=1",
        "Settings/FlagStdDispMD=0",
        "Settings/FlagStdDispWIN=1",
        "ViewFolder\\Path/00=C:\\Photos\\Sea.2001",
        "ViewFolder\\Title/00=Sea.2001",
        "ViewFolder/MaxFolder=2",
    };
    EXPECT_EQ(log.order, expected);
}

TEST(MigrationPlan, TheMigratedTableLoadsInTheNewPrograms) {
    MemoryStore store;
    SettingsProfile profile(store);
    WriteNewLayout(ThreeEntries(), profile);

    ReservationTable table;
    ASSERT_EQ(LoadTableForSettings(profile, table), 2);
    EXPECT_EQ(table.Standard().fileName, "C:\\std.bmp");
    EXPECT_EQ(table.Standard().displayMethod, 1);
    EXPECT_EQ(table.Standard().colour, 12632256);
    EXPECT_EQ(table.records[2].fileName, "C:\\b.png");
    EXPECT_EQ(table.records[2].timerPeriodMs, 5400000);
}

TEST(MigrationPlan, OnlyTheStandardWallpaperGivesEntryZero) {
    WriteLog log;
    SettingsProfile profile(log);
    OldData old;
    old.entry = 1;
    old.pairs = {{"00", "C:\\std.bmp"}};
    WriteNewLayout(old, profile);

    EXPECT_EQ(log.order[0], "Reserve/Entry=0");
    for (const std::string& write : log.order) {
        EXPECT_NE(write.rfind("Reserve\\Data/", 0), 0u) << write;
        EXPECT_NE(write.rfind("Reserve\\Name/", 0), 0u) << write;
        EXPECT_NE(write.rfind("ViewFolder\\", 0), 0u) << write;
    }
    EXPECT_EQ(log.order.back(), "ViewFolder/MaxFolder=1");
}

TEST(MigrationPlan, DamagedCountsNeverReachPastTheHeldPairs) {
    // A count of zero or below still carries pair 0 and writes "no table".
    for (int32_t entry : {0, -7}) {
        MemoryStore store;
        SettingsProfile profile(store);
        OldData old;
        old.entry = entry;
        old.pairs.resize(static_cast<size_t>(PairsToRead(entry)));
        old.pairs[0] = {"0255", "C:\\std.bmp"};
        WriteNewLayout(old, profile);
        EXPECT_EQ(profile.ReadInt("Reserve", "Entry", 99), -1) << entry;
        EXPECT_EQ(profile.ReadString("Reserve\\Std", "Name", ""), "C:\\std.bmp");
        EXPECT_FALSE(store.values.count({"Reserve\\Data", "0"}));
    }

    // An old count above the capacity is held at 1024 pairs.
    EXPECT_EQ(PairsToRead(2000), OldData::kMaxPairs);
    EXPECT_EQ(PairsToRead(1024), 1024);
    EXPECT_EQ(PairsToRead(0), 1);
    EXPECT_EQ(PairsToRead(-1), 1);
    MemoryStore store;
    SettingsProfile profile(store);
    OldData old;
    old.entry = 2000;
    old.pairs.resize(OldData::kMaxPairs, {"00", "x"});
    WriteNewLayout(old, profile);
    EXPECT_EQ(profile.ReadInt("Reserve", "Entry", 0), 1023);
    EXPECT_TRUE(store.values.count({"Reserve\\Name", "1022"}));
    EXPECT_FALSE(store.values.count({"Reserve\\Name", "1023"}));

    // A reader that held fewer pairs than the count says is believed over the count.
    MemoryStore short_store;
    SettingsProfile short_profile(short_store);
    OldData few;
    few.entry = 5;
    few.pairs = {{"00", "s"}, {"00", "a"}};
    WriteNewLayout(few, short_profile);
    EXPECT_EQ(short_profile.ReadInt("Reserve", "Entry", 0), 1);
}

TEST(MigrationPlan, FlagsAreCopiedButAnUnreadFlagIsWrittenOff) {
    MemoryStore store;
    SettingsProfile profile(store);
    OldData old = ThreeEntries();
    old.flags = {-1, 2, -1, 1, 0};
    WriteNewLayout(old, profile);
    EXPECT_EQ(profile.ReadInt("Settings", "Flag1stBoot", 9), 0);
    EXPECT_EQ(profile.ReadInt("Settings", "FlagBoss", 9), 2);
    EXPECT_EQ(profile.ReadInt("Settings", "FlagShuffle", 9), 0);
    EXPECT_EQ(profile.ReadInt("Settings", "FlagStdDispMD", 9), 1);
    EXPECT_EQ(profile.ReadInt("Settings", "FlagStdDispWIN", 9), 0);
    EXPECT_FALSE(store.values.count({"Settings", "FlagPasswd"}));
    EXPECT_FALSE(store.values.count({"Settings", "Passwd"}));
}

TEST(MigrationPlan, ARefusedWriteIsReportedSoTheOldDataStays) {
    for (const char* section : {"Reserve\\Std", "Reserve\\Name", "ViewFolder\\Title"}) {
        RefusingStore store(section);
        SettingsProfile profile(store);
        OldData old = ThreeEntries();
        old.addFolder = "C:\\Photos";
        EXPECT_FALSE(WriteNewLayout(old, profile)) << section;
        // The writes after the refused one still happen.
        EXPECT_EQ(profile.ReadInt("ViewFolder", "MaxFolder", 0), 2) << section;
    }
}

TEST(MigratedFolderTitle, TakesTheWholeLastComponent) {
    EXPECT_EQ(MigratedFolderTitle("C:\\Photos\\Sea.2001"), "Sea.2001");
    EXPECT_EQ(MigratedFolderTitle("D:\\"), "D:\\");
    EXPECT_EQ(MigratedFolderTitle("D:"), "D:");
    EXPECT_EQ(MigratedFolderTitle("Photos"), "(なし)");
    EXPECT_EQ(MigratedFolderTitle("C:\\Photos\\"), "");
}

TEST(MigratedFolderTitle, StepsOverDoubleByteCharacters) {
    // "表" is 0x95 0x5C and "ソ" is 0x83 0x5C: their trail bytes are no separators.
    EXPECT_EQ(MigratedFolderTitle("C:\\写真\\表ソ"), "表ソ");
    EXPECT_EQ(MigratedFolderTitle("表ソ表ソ"), "(なし)");
}

TEST(MigrationPlan, DeletesTheOldKeysDeepestFirst) {
    const auto& keys = old_layout::KeysToDelete();
    ASSERT_EQ(keys.size(), 7u);
    EXPECT_STREQ(keys.front(), "Software\\V-ezaru\\Mirado\\Settings");
    EXPECT_STREQ(keys.back(), "Software\\V-ezaru");
    // No key comes before one of its own subkeys.
    for (size_t i = 0; i < keys.size(); ++i) {
        for (size_t j = i + 1; j < keys.size(); ++j) {
            EXPECT_NE(std::string(keys[j]).rfind(std::string(keys[i]) + "\\", 0), 0u)
                << keys[i] << " before its subkey " << keys[j];
        }
    }
}
