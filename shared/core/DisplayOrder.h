#pragma once
// The resident changer's display order: position -> record index. Position 0
// always holds record 0, the standard wallpaper.

#include <array>
#include <cstdint>

#include "ReservationRecord.h"

struct OrderTable {
    std::array<int32_t, ReservationTable::kSlots> entries{};
    // Bumped by every rebuild, so that cached evaluations know the order changed.
    uint32_t generation = 0;

    int32_t operator[](int position) const { return entries[static_cast<size_t>(position)]; }
};

// Rebuilds the order for count slots: identity, or with shuffle on positions
// 1..count-1 in a random order drawn with srand(seed) and rand() (the resident
// changer seeds with the clock). A count of 0 or less leaves every entry 0.
void BuildOrder(OrderTable& order, int count, bool shuffle, unsigned seed);
