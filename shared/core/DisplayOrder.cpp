#include "DisplayOrder.h"

#include <algorithm>
#include <cstdlib>

void BuildOrder(OrderTable& order, int count, bool shuffle, unsigned seed) {
    order.entries.fill(0);
    ++order.generation;
    if (count <= 0) return;
    count = std::min(count, ReservationTable::kSlots);

    if (!shuffle) {
        for (int i = 0; i < count; ++i) order.entries[static_cast<size_t>(i)] = i;
        return;
    }

    // Draw until an index not yet placed comes up; entry 0 is 0 from the start, so
    // the standard wallpaper never leaves position 0.
    std::srand(seed);
    std::array<bool, ReservationTable::kSlots> placed{};
    placed[0] = true;
    for (int i = 1; i < count; ++i) {
        int r;
        do {
            r = std::rand() % count;
        } while (placed[static_cast<size_t>(r)]);
        placed[static_cast<size_t>(r)] = true;
        order.entries[static_cast<size_t>(i)] = r;
    }
}
