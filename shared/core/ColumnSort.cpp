#include "ColumnSort.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <utility>

#include "ReservationRowText.h"

SortDirection ColumnSortDirections::Toggle(int column) {
    if (column < 0 || column >= kColumns) return SortDirection::None;
    SortDirection& d = directions_[static_cast<size_t>(column)];
    d = d == SortDirection::Ascending ? SortDirection::Descending : SortDirection::Ascending;
    return d;
}

SortDirection ColumnSortDirections::Direction(int column) const {
    return column >= 0 && column < kColumns ? directions_[static_cast<size_t>(column)] : SortDirection::None;
}

RowOrder RowOrder::FromRecordAt(std::vector<int> recordAt) {
    RowOrder order;
    const int size = static_cast<int>(recordAt.size());
    std::vector<int> rowOf(recordAt.size(), -1);
    for (int row = 0; row < size; ++row) {
        const int record = recordAt[static_cast<size_t>(row)];
        if (record < 0 || record >= size || rowOf[static_cast<size_t>(record)] != -1) return order;
        rowOf[static_cast<size_t>(record)] = row;
    }
    order.recordAt_ = std::move(recordAt);
    order.rowOf_ = std::move(rowOf);
    return order;
}

int RowOrder::RowOf(int index) const {
    return index >= 0 && index < Size() ? rowOf_[static_cast<size_t>(index)] : index;
}

RowOrder SortedRowOrder(const std::vector<std::string>& texts, SortDirection direction) {
    std::vector<int> recordAt(texts.size());
    std::iota(recordAt.begin(), recordAt.end(), 0);
    // strcmp's order: the first differing byte decides, as an unsigned byte.
    const auto compare = [&texts](int a, int b) {
        return std::strcmp(texts[static_cast<size_t>(a)].c_str(), texts[static_cast<size_t>(b)].c_str());
    };
    if (direction == SortDirection::Descending) {
        std::stable_sort(recordAt.begin(), recordAt.end(), [&](int a, int b) { return compare(b, a) < 0; });
    } else {
        std::stable_sort(recordAt.begin(), recordAt.end(), [&](int a, int b) { return compare(a, b) < 0; });
    }
    return RowOrder::FromRecordAt(std::move(recordAt));
}

bool ReorderTable(SettingsTable& table, const RowOrder& order) {
    if (table.count < 0 || table.count > SettingsTable::kMaxReservations || order.Size() != table.count) return false;
    // Slot by slot from the top, the record that belongs there is swapped in;
    // slotOf and recordIn follow the records as they move.
    std::vector<int> slotOf(static_cast<size_t>(table.count));
    std::iota(slotOf.begin(), slotOf.end(), 0);
    std::vector<int> recordIn = slotOf;
    for (int j = 0; j < table.count; ++j) {
        const int k = slotOf[static_cast<size_t>(order.RecordAt(j))];
        if (k == j) continue;
        std::swap(table.slots[static_cast<size_t>(j)], table.slots[static_cast<size_t>(k)]);
        std::swap(recordIn[static_cast<size_t>(j)], recordIn[static_cast<size_t>(k)]);
        slotOf[static_cast<size_t>(recordIn[static_cast<size_t>(j)])] = j;
        slotOf[static_cast<size_t>(recordIn[static_cast<size_t>(k)])] = k;
    }
    return true;
}

RowOrder SortTableByColumn(SettingsTable& table, ColumnSortDirections& directions, int column) {
    if (table.count <= 0 || table.count > SettingsTable::kMaxReservations) return RowOrder();
    const SortDirection direction = directions.Toggle(column);
    if (direction == SortDirection::None) return RowOrder();
    std::vector<std::string> texts;
    texts.reserve(static_cast<size_t>(table.count));
    for (int i = 0; i < table.count; ++i) texts.push_back(ReservationColumnText(table.slots[static_cast<size_t>(i)], column));
    RowOrder order = SortedRowOrder(texts, direction);
    ReorderTable(table, order);
    return order;
}
