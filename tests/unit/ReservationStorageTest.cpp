#include <gtest/gtest.h>

#include "core/Evaluation.h"
#include "core/ProfileValues.h"
#include "core/ReservationStorage.h"
#include "core/ReservationText.h"
#include "support/MemoryStore.h"

namespace {

class ReservationStorageTest : public ::testing::Test {
protected:
    void Put(int index, const std::string& name, const std::string& data) {
        store.values[{"Reserve\\Name", std::to_string(index)}] = name;
        store.values[{"Reserve\\Data", std::to_string(index)}] = data;
    }

    MemoryStore store;
    SettingsProfile profile{store};
    ReservationTable table;
};

}  // namespace

TEST_F(ReservationStorageTest, NoReserveSectionGivesTheStandardWallpaperAlone) {
    EXPECT_EQ(LoadTableForResident(profile, table), 1);
    EXPECT_EQ(table.Standard().fileName, "");
    EXPECT_EQ(table.Standard().displayMethod, 0);
    EXPECT_EQ(table.Standard().colour, 0);
    EXPECT_EQ(LoadTableForSettings(profile, table), 0);
}

TEST_F(ReservationStorageTest, EntryZeroNeverReadsStaleValues) {
    store.values[{"Reserve", "Entry"}] = 0;
    Put(0, "C:\\old.jpg", "00 0000000000 0000000000 1000060000");
    EXPECT_EQ(LoadTableForResident(profile, table), 1);
    EXPECT_EQ(table.records[1].fileName, "");
    EXPECT_EQ(LoadTableForSettings(profile, table), 0);
}

TEST_F(ReservationStorageTest, ReadsNamesAndTextsUnderDecimalValueNames) {
    store.values[{"Reserve", "Entry"}] = 11;
    store.values[{"Reserve\\Std", "Name"}] = std::string("C:\\壁紙\\表.bmp");
    store.values[{"Reserve\\Std", "Data"}] = std::string("112632256");
    for (int i = 0; i < 11; ++i) Put(i, "C:\\p" + std::to_string(i) + ".jpg", "2" + std::to_string(i) + " 0000000000 0000000000 1000060000");
    // "00" and "01" are no reservation value names.
    store.values[{"Reserve\\Name", "00"}] = std::string("wrong");

    EXPECT_EQ(LoadTableForResident(profile, table), 12);
    EXPECT_EQ(table.Standard().fileName, "C:\\壁紙\\表.bmp");
    EXPECT_EQ(table.Standard().displayMethod, 1);
    EXPECT_EQ(table.Standard().colour, 12632256);
    EXPECT_EQ(table.records[1].fileName, "C:\\p0.jpg");
    EXPECT_EQ(table.records[11].fileName, "C:\\p10.jpg");
    EXPECT_EQ(table.records[11].colour, 10);
    EXPECT_EQ(table.records[11].timerPeriodMs, 60000);
}

TEST_F(ReservationStorageTest, MissingValuesTakeTheirDefaults) {
    store.values[{"Reserve", "Entry"}] = 2;
    store.values[{"Reserve\\Name", "1"}] = std::string("C:\\b.png");
    EXPECT_EQ(LoadTableForResident(profile, table), 3);
    EXPECT_EQ(table.Standard().displayMethod, 0);
    EXPECT_EQ(table.records[1].fileName, "");
    EXPECT_EQ(table.records[2].fileName, "C:\\b.png");
    EXPECT_EQ(table.records[2].timerOn, 0);
}

TEST_F(ReservationStorageTest, ALongerStandardTextGivesMethodAndColour) {
    store.values[{"Reserve", "Entry"}] = 0;
    store.values[{"Reserve\\Std", "Data"}] = std::string("216744512 1020004300 0000000000 101295400000");
    LoadTableForResident(profile, table);
    EXPECT_EQ(table.Standard().displayMethod, 2);
    EXPECT_EQ(table.Standard().colour, 16744512);
    EXPECT_EQ(table.Standard().dateOn, 0);
}

TEST_F(ReservationStorageTest, ResidentReloadKeepsFieldsABrokenTextDoesNotReach) {
    store.values[{"Reserve", "Entry"}] = 1;
    Put(0, "a.jpg", "216744512 1020004300 0000000000 101295400000");
    LoadTableForResident(profile, table);
    EXPECT_EQ(table.records[1].timerHours, 0);  // dropped by the resident changer
    EXPECT_EQ(table.records[1].timerPeriodMs, 5400000);
    Put(0, "a.jpg", "1255");
    LoadTableForResident(profile, table);
    EXPECT_EQ(table.records[1].displayMethod, 1);
    EXPECT_EQ(table.records[1].colour, 255);
    EXPECT_EQ(table.records[1].dateOn, 1);
    EXPECT_EQ(table.records[1].timerPeriodMs, 5400000);
}

TEST_F(ReservationStorageTest, SettingsLoadKeepsTheTimerFields) {
    store.values[{"Reserve", "Entry"}] = 1;
    Put(0, "a.jpg", "216744512 1020004300 0000000000 101295400000");
    EXPECT_EQ(LoadTableForSettings(profile, table), 1);
    EXPECT_EQ(table.records[1].timerHours, 1);
    EXPECT_EQ(table.records[1].timerMinuteIndex, 29);
}

TEST_F(ReservationStorageTest, AnEntryBeyondTheTableIsHeldAtItsSize) {
    store.values[{"Reserve", "Entry"}] = 5000;
    Put(1023, "last.jpg", "00 0000000000 0000000000 000");
    Put(1024, "beyond.jpg", "00 0000000000 0000000000 000");
    EXPECT_EQ(LoadTableForResident(profile, table), 1025);
    EXPECT_EQ(table.records[1024].fileName, "last.jpg");
    EXPECT_EQ(LoadTableForSettings(profile, table), 1024);

    store.values[{"Reserve", "Entry"}] = -7;
    EXPECT_EQ(LoadTableForResident(profile, table), 1);
    EXPECT_EQ(LoadTableForSettings(profile, table), 0);
}

// The evaluation keeps its levels for a minute unless the table is loaded anew:
// a reload within the same minute must be evaluated again.
TEST_F(ReservationStorageTest, AReloadWithinTheMinuteIsEvaluatedAgain) {
    store.values[{"Reserve", "Entry"}] = 1;
    Put(0, "a.jpg", "00 0000000000 0000000000 000");
    int count = LoadTableForResident(profile, table);
    OrderTable order;
    BuildOrder(order, count, false, 1);
    Evaluator evaluator;
    const std::time_t now = 1781092800;  // any moment: the level does not depend on it
    evaluator.Evaluate(table, order, count, now);
    EXPECT_EQ(table.records[1].matchLevel, 0);

    Put(0, "a.jpg", "00 0000000000 0000000000 1000060000");  // its repeat timer on
    count = LoadTableForResident(profile, table);
    evaluator.Evaluate(table, order, count, now + 1);
    EXPECT_EQ(table.records[1].matchLevel, 2);
}

TEST_F(ReservationStorageTest, SaveWritesTheLayoutAndLeavesStaleValues) {
    Put(2, "stale.jpg", "stale");
    table.Standard().fileName = "C:\\std.bmp";
    table.Standard().displayMethod = 2;
    table.Standard().colour = 16777215;
    table.records[1].fileName = "C:\\a.jpg";
    table.records[1].timerOn = 1;
    table.records[1].timerPeriodMs = 60000;
    table.records[2].fileName = "C:\\b.jpg";
    SaveTable(profile, table, 2);

    EXPECT_EQ(std::get<int32_t>(store.values.at({"Reserve", "Entry"})), 2);
    EXPECT_EQ(std::get<std::string>(store.values.at({"Reserve\\Std", "Name"})), "C:\\std.bmp");
    EXPECT_EQ(std::get<std::string>(store.values.at({"Reserve\\Std", "Data"})), "216777215");
    EXPECT_EQ(std::get<std::string>(store.values.at({"Reserve\\Name", "0"})), "C:\\a.jpg");
    EXPECT_EQ(std::get<std::string>(store.values.at({"Reserve\\Data", "0"})), "00 0000000000 0000000000 1000060000");
    EXPECT_EQ(std::get<std::string>(store.values.at({"Reserve\\Name", "1"})), "C:\\b.jpg");
    EXPECT_EQ(std::get<std::string>(store.values.at({"Reserve\\Name", "2"})), "stale.jpg");

    ReservationTable back;
    EXPECT_EQ(LoadTableForSettings(profile, back), 2);
    EXPECT_EQ(ReservationText(back.records[1]), ReservationText(table.records[1]));
}
