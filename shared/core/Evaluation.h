#pragma once
// Which reservations apply now, which of them win, and which winner comes next.
//
// A record's MatchLevel is 8 × dateOn + 4 × timeOn + 2 × timerOn when at least one
// switch is on and every enabled window holds; otherwise 1 for position 0 (the
// standard wallpaper) and 0 elsewhere. Evaluate keeps only the records at the
// highest level: the winners.

#include <cstdint>
#include <ctime>

#include "DisplayOrder.h"
#include "ReservationRecord.h"

// The date window, both end days included, against the local date now, in
// calendar days of the current year (days past a month's end roll over into the
// next month); a window ending before it starts in the calendar year never holds.
bool DateWindowHolds(const ReservationRecord& record, std::time_t now);

// The time window, both end minutes included, against the local time now to the
// minute. A window crossing midnight never holds.
bool TimeWindowHolds(const ReservationRecord& record, std::time_t now);

// The level of one record from its switches and whether its windows hold.
int32_t MatchLevel(const ReservationRecord& record, bool atStandardPosition, bool dateHolds, bool timeHolds);

// The next position after the given one whose record has a non-zero level,
// wrapping to 0 at count; 0 when there is none.
int NextWinner(const ReservationTable& table, const OrderTable& order, int count, int position);

// Evaluate runs every 10 ms for as long as the resident changer runs. Its result
// depends only on the table, the order and the local time to the minute, so the
// levels are worked out once per local minute (and again whenever the table or
// the order is reloaded); the ticks in between cost a comparison. Within one
// evaluation equal local times are built once.
class Evaluator {
public:
    void Evaluate(ReservationTable& table, const OrderTable& order, int count, std::time_t now);
    // The next evaluation works the levels out anew: the same seconds may now be
    // another local minute (a new time zone).
    void Forget() { valid_ = false; }

    // NextWinner(0) of the last evaluation: the first winner from position 1 on,
    // else position 0. Kept with the levels, so a tick need not search for it.
    int FirstWinner() const { return firstWinner_; }

private:
    void Recompute(ReservationTable& table, const OrderTable& order, int count, std::time_t now);

    bool valid_ = false;
    std::time_t minuteStart_ = 0;
    std::time_t minuteEnd_ = 0;
    uint32_t tableGeneration_ = 0;
    uint32_t orderGeneration_ = 0;
    const ReservationTable* table_ = nullptr;
    const OrderTable* order_ = nullptr;
    int count_ = 0;
    int firstWinner_ = 0;
};
