#include <gtest/gtest.h>

#include "core/ColumnSort.h"
#include "core/ReservationRowText.h"
#include "support/MemoryStore.h"
#include "support/Records.h"

TEST(ColumnSort, ClicksSortEachColumnForItselfAndTheCurrentRecordFollows) {
    MemoryStore store;
    SettingsProfile profile(store);
    const ReservationRecord records[] = {TimeWindowRecord(9, 0, 17, 30, "C:\\p\\b.jpg"), Repeating("C:\\p\\A.bmp", 5, 2),
                                         DateWindowRecord(3, 1, 5, 31, "C:\\p\\c.png"), Repeating("C:\\p\\a2.bmp", 1, 1)};
    SettingsTable table;
    table.count = 4;
    for (size_t i = 0; i < 4; ++i) table.slots[i].record = records[i];
    SaveSettingsTable(profile, table);
    LoadSettingsTable(profile, 2, table);
    ASSERT_EQ(table.slots[2].shownMark, 1);
    ColumnSortDirections directions;
    int current = 2;  // the shown one, c.png
    const struct {
        int column;
        SortDirection direction;
        std::vector<std::string> titles;  // by the column's text: "タイマー" < "時間" < "日付" in bytes
    } clicks[] = {
        {1, SortDirection::Ascending, {"a2", "A", "b", "c"}},
        {1, SortDirection::Descending, {"c", "b", "A", "a2"}},
        {0, SortDirection::Ascending, {"A", "a2", "b", "c"}},
        {2, SortDirection::Ascending, {"A", "b", "c", "a2"}},  // b and c tie: kept
    };
    for (const auto& click : clicks) {
        const RowOrder order = SortTableByColumn(table, directions, click.column);
        current = order.RowOf(current);
        EXPECT_EQ(directions.Direction(click.column), click.direction);
        for (int r = 0; r < 4; ++r) {
            const SettingsRecord& slot = table.slots[static_cast<size_t>(r)];
            EXPECT_EQ(ReservationColumnText(slot, 0), click.titles[static_cast<size_t>(r)]) << click.column;
            EXPECT_EQ(slot.conditionText, BuildConditionText(slot.record));
            EXPECT_EQ(slot.shownMark, slot.record.fileName == "C:\\p\\c.png" ? 1 : 0);
        }
        EXPECT_EQ(table.slots[static_cast<size_t>(current)].record.fileName, "C:\\p\\c.png");
    }
    EXPECT_EQ(RowOrder().RowOf(-1), -1);

    SaveSettingsTable(profile, table);
    LoadSettingsTable(profile, 4, table);  // a shown index beyond the list marks nothing
    EXPECT_EQ(ReservationColumnText(table.slots[0], 0), "A");  // saved in the sorted order
    for (size_t r = 0; r < 4; ++r) EXPECT_EQ(table.slots[r].shownMark, 0);
}

TEST(ColumnSort, ComparesUnsignedBytesAndKeepsTiesInBothDirections) {
    const std::vector<std::string> texts = {"\x82\xA0", "b", "", "B", "b"};  // あ sorts after ASCII
    const std::vector<int> ascending = {2, 3, 1, 4, 0}, descending = {0, 1, 4, 3, 2};
    const RowOrder up = SortedRowOrder(texts, SortDirection::Ascending);
    const RowOrder down = SortedRowOrder(texts, SortDirection::Descending);
    for (int r = 0; r < 5; ++r) {
        EXPECT_EQ(up.RecordAt(r), ascending[static_cast<size_t>(r)]);
        EXPECT_EQ(down.RecordAt(r), descending[static_cast<size_t>(r)]);
        EXPECT_EQ(up.RowOf(up.RecordAt(r)), r);
    }
}

TEST(ColumnSort, RefusesWhatIsNoPermutationAndLeavesAnEmptyTable) {
    for (const std::vector<int>& bad : {std::vector<int>{0, 0}, {1, 2}, {-1, 0}})
        EXPECT_EQ(RowOrder::FromRecordAt(bad).Size(), 0);
    SettingsTable table;
    table.count = 2;
    EXPECT_FALSE(ReorderTable(table, RowOrder::FromRecordAt({0, 2, 1})));
    table.count = 0;
    ColumnSortDirections directions;
    EXPECT_EQ(SortTableByColumn(table, directions, 1).Size(), 0);
    EXPECT_EQ(directions.Direction(1), SortDirection::None);
}
