#include "Evaluation.h"

#include <algorithm>
#include <unordered_map>

#include "LocalTime.h"

namespace {

// Whole minutes between local times, truncated toward zero: the window holds
// from its first minute to the end of its last.
bool WithinMinutes(std::time_t from, std::time_t to, std::time_t at) {
    const long long span = static_cast<long long>(to - from) / 60;
    const long long elapsed = static_cast<long long>(at - from) / 60;
    return elapsed >= 0 && span >= elapsed;
}

// Local times of the current minute, built once per (hour, minute) pair: the
// time window asks for hours and minutes today.
class LocalTimeCache {
public:
    explicit LocalTimeCache(const std::tm& now) : now_(now) {}

    std::time_t At(int32_t hour, int32_t minute) {
        const uint64_t key = (static_cast<uint64_t>(static_cast<uint32_t>(hour)) << 32) |
                             static_cast<uint32_t>(minute);
        auto it = cache_.find(key);
        if (it != cache_.end()) return it->second;
        const std::time_t t = MakeLocalTime(now_.tm_year, now_.tm_mon, now_.tm_mday, hour, minute);
        cache_.emplace(key, t);
        return t;
    }

private:
    std::tm now_;
    std::unordered_map<uint64_t, std::time_t> cache_;
};

// The date window in calendar days of the current year. Seconds divided by 86400
// would be a day off on the 23- or 25-hour days of a daylight-saving change.
bool DateHolds(const ReservationRecord& r, const std::tm& now) {
    const long long year = 1900LL + now.tm_year;
    const long long from = CalendarDayNumber(year, r.fromMonth, r.fromDay + 1LL);
    const long long to = CalendarDayNumber(year, r.toMonth, r.toDay + 1LL);
    const long long today = CalendarDayNumber(year, now.tm_mon, now.tm_mday);
    const long long span = to - from;
    const long long elapsed = today - from;
    return elapsed >= 0 && span >= elapsed;
}

bool TimeHolds(const ReservationRecord& r, LocalTimeCache& times, const std::tm& now) {
    const std::time_t from = times.At(r.fromHour, r.fromMinute);
    const std::time_t to = times.At(r.toHour, r.toMinute);
    const std::time_t at = times.At(now.tm_hour, now.tm_min);
    return WithinMinutes(from, to, at);
}

}  // namespace

bool DateWindowHolds(const ReservationRecord& record, std::time_t now) { return DateHolds(record, LocalTm(now)); }

bool TimeWindowHolds(const ReservationRecord& record, std::time_t now) {
    const std::tm local = LocalTm(now);
    LocalTimeCache times(local);
    return TimeHolds(record, times, local);
}

int32_t MatchLevel(const ReservationRecord& r, bool atStandardPosition, bool dateHolds, bool timeHolds) {
    // A switch is on when non-zero; a damaged "%1d" field (2..9) counts as on
    // rather than lifting the level out of the known set.
    const int dateOn = r.dateOn != 0, timeOn = r.timeOn != 0, timerOn = r.timerOn != 0;
    const bool anyOn = dateOn || timeOn || timerOn;
    const bool allHold = (!dateOn || dateHolds) && (!timeOn || timeHolds);
    if (anyOn && allHold) return 8 * dateOn + 4 * timeOn + 2 * timerOn;
    return atStandardPosition ? 1 : 0;
}

int NextWinner(const ReservationTable& table, const OrderTable& order, int count, int position) {
    count = std::min(count, ReservationTable::kSlots);
    int p = position;
    for (int tries = 0; tries < count + 1; ++tries) {
        ++p;
        if (p >= count || p < 0) p = 0;
        if (count <= 0) break;
        if (table.records[static_cast<size_t>(order[p])].matchLevel != 0) return p;
    }
    return 0;
}

void Evaluator::Evaluate(ReservationTable& table, const OrderTable& order, int count, std::time_t now) {
    if (valid_ && now >= minuteStart_ && now < minuteEnd_ && &table == table_ && &order == order_ &&
        table.generation == tableGeneration_ && order.generation == orderGeneration_ && count == count_) {
        return;
    }
    Recompute(table, order, count, now);
}

void Evaluator::Recompute(ReservationTable& table, const OrderTable& order, int count, std::time_t now) {
    const std::tm local = LocalTm(now);
    // The local minute starts tm_sec seconds before now; offsets from UTC change on
    // whole minutes, so the same local minute lasts until 60 seconds after that.
    minuteStart_ = now - local.tm_sec;
    minuteEnd_ = minuteStart_ + 60;
    table_ = &table;
    order_ = &order;
    tableGeneration_ = table.generation;
    orderGeneration_ = order.generation;
    count_ = count;
    valid_ = true;

    count = std::min(count, ReservationTable::kSlots);
    LocalTimeCache times(local);
    int32_t highest = 0;
    for (int p = 0; p < count; ++p) {
        ReservationRecord& r = table.records[static_cast<size_t>(order[p])];
        const bool d = r.dateOn != 0 && DateHolds(r, local);
        const bool t = r.timeOn != 0 && TimeHolds(r, times, local);
        r.matchLevel = MatchLevel(r, p == 0, d, t);
        highest = std::max(highest, r.matchLevel);
    }
    for (int p = 0; p < count; ++p) {
        ReservationRecord& r = table.records[static_cast<size_t>(order[p])];
        if (r.matchLevel < highest) r.matchLevel = 0;
    }
    firstWinner_ = NextWinner(table, order, count, 0);
}
