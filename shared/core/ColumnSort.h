#pragma once
// Sorting the reservation list by a column: the rows' texts ordered byte by byte,
// the table permuted to the new row order, each column's direction remembered.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "SettingsTable.h"

enum class SortDirection : int32_t { None = 0, Ascending = 1, Descending = 2 };

// Per column: never sorted, ascending, descending. A click sorts ascending the
// first time and after a descending sort, descending after an ascending one.
class ColumnSortDirections {
public:
    static constexpr int kColumns = 3;

    // The column's direction after the click; None (nothing kept) for an unknown column.
    SortDirection Toggle(int column);
    SortDirection Direction(int column) const;

private:
    std::array<SortDirection, kColumns> directions_{};
};

// A new order of rows: RecordAt(r) is the index before the sort of the record
// that row r shows now, RowOf its inverse.
class RowOrder {
public:
    RowOrder() = default;
    // An empty order when recordAt is not a permutation of 0..size-1.
    static RowOrder FromRecordAt(std::vector<int> recordAt);

    int Size() const { return static_cast<int>(recordAt_.size()); }
    int RecordAt(int row) const { return recordAt_[static_cast<size_t>(row)]; }
    // Where the record that stood at index went; an index that names no
    // record (-1 for the standard wallpaper) comes back as it is.
    int RowOf(int index) const;

private:
    std::vector<int> recordAt_;
    std::vector<int> rowOf_;
};

// Orders rows by their texts, compared as unsigned bytes like strcmp; equal
// texts keep their order. Descending orders the reverse comparison.
RowOrder SortedRowOrder(const std::vector<std::string>& texts, SortDirection direction);

// Moves every slot, with its mark and condition text, to its row: slot r then
// holds what slot order.RecordAt(r) held. False, and nothing moved, when the
// order's size is not the table's count.
bool ReorderTable(SettingsTable& table, const RowOrder& order);

// The column click: toggles the column's direction, sorts the table by the
// column's texts and returns the order (follow the current index with RowOf).
// An empty table is left alone and gives an empty order.
RowOrder SortTableByColumn(SettingsTable& table, ColumnSortDirections& directions, int column);
