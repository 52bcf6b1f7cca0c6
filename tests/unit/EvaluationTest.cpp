#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "core/DisplayOrder.h"
#include "core/Evaluation.h"
#include "core/LocalTime.h"
#include "support/LiteralEvaluation.h"
#include "support/LocalMoment.h"
#include "support/Records.h"

TEST(TimeWindow, IncludesTheWholeEndMinute) {
    const ReservationRecord r = TimeWindowRecord(9, 0, 17, 0);
    EXPECT_FALSE(TimeWindowHolds(r, At(2026, 6, 10, 8, 59, 59)));
    EXPECT_TRUE(TimeWindowHolds(r, At(2026, 6, 10, 9, 0)));
    EXPECT_TRUE(TimeWindowHolds(r, At(2026, 6, 10, 17, 0, 30)));
    EXPECT_FALSE(TimeWindowHolds(r, At(2026, 6, 10, 17, 1)));
}

TEST(TimeWindow, CrossingMidnightNeverHolds) {
    const ReservationRecord r = TimeWindowRecord(22, 0, 6, 0);
    for (int hour = 0; hour < 24; ++hour) EXPECT_FALSE(TimeWindowHolds(r, At(2026, 6, 10, hour, 30))) << hour;
}

TEST(DateWindow, IncludesBothEndDays) {
    const ReservationRecord r = DateWindowRecord(1, 1, 1, 15);
    EXPECT_TRUE(DateWindowHolds(r, At(2026, 1, 1, 0, 0)));
    EXPECT_TRUE(DateWindowHolds(r, At(2026, 1, 15, 23, 59, 59)));
    EXPECT_FALSE(DateWindowHolds(r, At(2026, 1, 16, 0, 0)));
    EXPECT_FALSE(DateWindowHolds(r, At(2026, 12, 31, 12, 0)));
}

TEST(DateWindow, DecemberToJanuaryNeverHolds) {
    const ReservationRecord r = DateWindowRecord(12, 1, 1, 31);
    EXPECT_FALSE(DateWindowHolds(r, At(2026, 12, 15, 12, 0)));
    EXPECT_FALSE(DateWindowHolds(r, At(2026, 1, 15, 12, 0)));
}

TEST(DateWindow, DaysPastAMonthsEndRollOver) {
    // 30 February is 2 March in a common year, 1 March in a leap year.
    const ReservationRecord r = DateWindowRecord(2, 30, 3, 5);
    EXPECT_FALSE(DateWindowHolds(r, At(2026, 3, 1, 12, 0)));
    EXPECT_TRUE(DateWindowHolds(r, At(2026, 3, 2, 12, 0)));
    EXPECT_TRUE(DateWindowHolds(r, At(2024, 3, 1, 12, 0)));
    const ReservationRecord leap = DateWindowRecord(2, 29, 2, 29);
    EXPECT_TRUE(DateWindowHolds(leap, At(2024, 2, 29, 8, 0)));
    EXPECT_FALSE(DateWindowHolds(leap, At(2024, 2, 28, 8, 0)));
}

// Absolute dates around the spring and autumn changes of America and Europe: the
// tests run again under TZ=America/New_York and TZ=Europe/Berlin, where those
// days last 23 or 25 hours, and a window must still turn on calendar days.
TEST(DateWindow, TurnsOnCalendarDaysAcrossDaylightSavingChanges) {
    struct Case {
        int fromMonth, fromDay, toMonth, toDay;
        int month, day, hour, minute;
        bool holds;
    };
    const Case cases[] = {
        {3, 8, 3, 20, 3, 7, 12, 0, false},   // starts on the American change day
        {3, 8, 3, 20, 3, 8, 0, 0, true},
        {1, 1, 3, 7, 3, 8, 12, 0, false},    // ended the day before the change
        {1, 1, 3, 7, 3, 7, 23, 59, true},
        {3, 9, 3, 20, 3, 8, 1, 0, false},    // starts the day after the change
        {3, 9, 3, 20, 3, 9, 0, 0, true},
        {3, 29, 4, 5, 3, 28, 12, 0, false},  // the European spring change
        {3, 29, 4, 5, 3, 29, 23, 0, true},
        {1, 1, 3, 28, 3, 29, 12, 0, false},
        {10, 25, 10, 31, 10, 24, 23, 30, false},  // the European autumn change
        {10, 25, 10, 31, 10, 25, 0, 30, true},
        {1, 1, 10, 31, 11, 1, 12, 0, false},       // the American autumn change
        {11, 1, 11, 1, 11, 1, 23, 59, true},
        {11, 2, 12, 31, 11, 1, 23, 59, false},
    };
    for (const Case& c : cases) {
        const ReservationRecord r = DateWindowRecord(c.fromMonth, c.fromDay, c.toMonth, c.toDay);
        const std::time_t now = At(2026, c.month, c.day, c.hour, c.minute);
        EXPECT_EQ(DateWindowHolds(r, now), c.holds)
            << c.fromMonth << "/" << c.fromDay << "-" << c.toMonth << "/" << c.toDay << " at " << c.month << "/"
            << c.day << " " << c.hour << ":" << c.minute;
        EXPECT_EQ(LiteralDateWindowHolds(r, now), c.holds) << "the reference, " << c.month << "/" << c.day;
    }
}

TEST(MatchLevel, FollowsTheSwitchesWhenEveryEnabledWindowHolds) {
    ReservationRecord r;
    EXPECT_EQ(MatchLevel(r, true, false, false), 1);
    EXPECT_EQ(MatchLevel(r, false, false, false), 0);
    r.timerOn = 1;
    EXPECT_EQ(MatchLevel(r, false, false, false), 2);
    r.timeOn = 1;
    EXPECT_EQ(MatchLevel(r, false, false, true), 6);
    EXPECT_EQ(MatchLevel(r, false, false, false), 0);
    r.dateOn = 1;
    EXPECT_EQ(MatchLevel(r, false, true, true), 14);
    EXPECT_EQ(MatchLevel(r, false, true, false), 0);
    r.timerOn = 0;
    EXPECT_EQ(MatchLevel(r, false, true, true), 12);
    r.timeOn = 0;
    EXPECT_EQ(MatchLevel(r, false, true, false), 8);
    r.timerOn = 1;
    EXPECT_EQ(MatchLevel(r, false, true, false), 10);
    r.dateOn = 0;
    r.timeOn = 1;
    r.timerOn = 0;
    EXPECT_EQ(MatchLevel(r, false, false, true), 4);
    // A damaged switch counts as on.
    ReservationRecord damaged;
    damaged.timerOn = 7;
    EXPECT_EQ(MatchLevel(damaged, false, false, false), 2);
}

class EvaluateTest : public ::testing::Test {
protected:
    int Add(const ReservationRecord& r) {
        table.records[static_cast<size_t>(count)] = r;
        return count++;
    }
    void Evaluate(std::time_t now) {
        BuildOrder(order, count, false, 1);
        evaluator.Evaluate(table, order, count, now);
    }
    int32_t Level(int record) const { return table.records[static_cast<size_t>(record)].matchLevel; }

    ReservationTable table;
    OrderTable order;
    Evaluator evaluator;
    int count = 1;
};

TEST_F(EvaluateTest, DateAndTimeBeatADateWithATimer) {
    ReservationRecord both = DateWindowRecord(6, 1, 6, 30);
    both.timeOn = 1;
    both.fromHour = 9;
    both.toHour = 17;
    const int a = Add(both);
    ReservationRecord dateTimer = DateWindowRecord(6, 1, 6, 30);
    dateTimer.timerOn = 1;
    const int b = Add(dateTimer);
    Evaluate(At(2026, 6, 10, 12, 0));
    EXPECT_EQ(Level(a), 12);
    EXPECT_EQ(Level(b), 0);
    EXPECT_EQ(Level(0), 0);
    EXPECT_EQ(NextWinner(table, order, count, 0), a);
}

TEST_F(EvaluateTest, ThreeTimersWinTogetherAndNextWinnerWraps) {
    ReservationRecord timer;
    timer.timerOn = 1;
    Add(timer);
    Add(timer);
    Add(timer);
    Evaluate(At(2026, 6, 10, 12, 0));
    EXPECT_EQ(Level(0), 0);
    EXPECT_EQ(Level(1), 2);
    EXPECT_EQ(Level(3), 2);
    EXPECT_EQ(NextWinner(table, order, count, 1), 2);
    EXPECT_EQ(NextWinner(table, order, count, 3), 1);
    EXPECT_EQ(NextWinner(table, order, count, -1), 1);
}

TEST_F(EvaluateTest, TheStandardWallpaperWinsWhenNothingApplies) {
    Add(TimeWindowRecord(22, 0, 6, 0));
    Add(DateWindowRecord(12, 1, 1, 31));
    Evaluate(At(2026, 6, 10, 12, 0));
    EXPECT_EQ(Level(0), 1);
    EXPECT_EQ(Level(1), 0);
    for (int p = -1; p < count; ++p) EXPECT_EQ(NextWinner(table, order, count, p), 0);
}

TEST_F(EvaluateTest, NextWinnerOfAnAllZeroTableIsZero) {
    EXPECT_EQ(NextWinner(table, order, count, 0), 0);
    EXPECT_EQ(NextWinner(table, order, 0, 0), 0);
}

TEST_F(EvaluateTest, FollowsTheOrderTable) {
    ReservationRecord timer;
    timer.timerOn = 1;
    Add(timer);
    Add(ReservationRecord{});
    Add(timer);
    order.entries = {};
    order.entries[0] = 0;
    order.entries[1] = 3;
    order.entries[2] = 2;
    order.entries[3] = 1;
    ++order.generation;
    evaluator.Evaluate(table, order, count, At(2026, 6, 10, 12, 0));
    EXPECT_EQ(NextWinner(table, order, count, 0), 1);  // position 1 holds record 3
    EXPECT_EQ(NextWinner(table, order, count, 1), 3);  // position 2 holds record 2, no level
}

TEST_F(EvaluateTest, AReloadedTableIsEvaluatedAgainWithinTheSameMinute) {
    ReservationRecord timer;
    timer.timerOn = 1;
    Add(timer);
    const std::time_t now = At(2026, 6, 10, 12, 0, 5);
    Evaluate(now);
    EXPECT_EQ(Level(1), 2);
    table.records[1].timerOn = 0;
    ++table.generation;  // what every load does
    evaluator.Evaluate(table, order, count, now + 1);
    EXPECT_EQ(Level(0), 1);
    EXPECT_EQ(Level(1), 0);
}

TEST_F(EvaluateTest, TheMinuteRollingOverChangesTheWinners) {
    const int a = Add(TimeWindowRecord(9, 0, 17, 0));
    Evaluate(At(2026, 6, 10, 17, 0, 59));
    EXPECT_EQ(Level(a), 4);
    evaluator.Evaluate(table, order, count, At(2026, 6, 10, 17, 1, 0));
    EXPECT_EQ(Level(a), 0);
    EXPECT_EQ(Level(0), 1);
    // The clock set back.
    evaluator.Evaluate(table, order, count, At(2026, 6, 10, 10, 0, 0));
    EXPECT_EQ(Level(a), 4);
}

TEST(BuildOrder, IdentityWithoutShuffle) {
    OrderTable order;
    BuildOrder(order, 4, false, 1);
    EXPECT_EQ(order[0], 0);
    EXPECT_EQ(order[3], 3);
    EXPECT_EQ(order[4], 0);
}

TEST(BuildOrder, ShuffleKeepsPositionZeroAndPermutesTheRest) {
    for (int count : {1, 2, 6, 1025}) {
        OrderTable order;
        BuildOrder(order, count, true, 1);
        EXPECT_EQ(order[0], 0);
        std::vector<int> seen(static_cast<size_t>(count), 0);
        for (int p = 1; p < count; ++p) {
            ASSERT_GE(order[p], 1);
            ASSERT_LT(order[p], count);
            ++seen[static_cast<size_t>(order[p])];
        }
        for (int r = 1; r < count; ++r) EXPECT_EQ(seen[static_cast<size_t>(r)], 1) << r;
        // The seed decides the order: the same one draws it again, another one not.
        OrderTable again, other;
        BuildOrder(again, count, true, 1);
        BuildOrder(other, count, true, 2);
        EXPECT_EQ(again.entries, order.entries);
        if (count == 1025) {
            EXPECT_NE(other.entries, order.entries);
        }
    }
}

TEST(BuildOrder, ACountOfZeroOrLessLeavesEveryEntryZero) {
    OrderTable order;
    BuildOrder(order, 5, false, 1);
    BuildOrder(order, 0, false, 1);
    for (int32_t e : order.entries) EXPECT_EQ(e, 0);
    BuildOrder(order, -3, true, 1);
    for (int32_t e : order.entries) EXPECT_EQ(e, 0);
}

// The cached evaluation against the literal one, on random tables, at random
// moments of the days where the calendar is awkward: daylight-saving changes in
// America and Europe, month ends, 29 February of a leap year and New Year.
namespace {

ReservationRecord RandomRecord(std::mt19937& rng) {
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    ReservationRecord r;
    r.dateOn = pick(0, 1);
    r.timeOn = pick(0, 1);
    r.timerOn = pick(0, 1);
    // Mostly narrow windows near the interesting days, sometimes anything.
    r.fromMonth = pick(0, 11);
    r.fromDay = pick(0, 30);
    r.toMonth = pick(0, 4) == 0 ? pick(0, 11) : r.fromMonth + pick(0, 1);
    r.toDay = pick(0, 30);
    r.fromHour = pick(0, 23);
    r.fromMinute = pick(0, 59);
    r.toHour = pick(0, 3) == 0 ? pick(0, 23) : std::min(23, r.fromHour + pick(0, 3));
    r.toMinute = pick(0, 59);
    r.timerPeriodMs = 60000;
    return r;
}

std::vector<std::time_t> AwkwardMoments(std::mt19937& rng) {
    const int days[][3] = {
        {2026, 3, 7}, {2026, 3, 8}, {2026, 3, 9},     // America: spring forward
        {2026, 3, 28}, {2026, 3, 29}, {2026, 3, 30},  // Europe: spring forward
        {2026, 10, 24}, {2026, 10, 25}, {2026, 10, 26},
        {2026, 10, 31}, {2026, 11, 1}, {2026, 11, 2},
        {2024, 2, 28}, {2024, 2, 29}, {2024, 3, 1}, {2026, 2, 28}, {2026, 3, 1},
        {2026, 4, 30}, {2026, 5, 1}, {2026, 6, 30}, {2026, 7, 31}, {2026, 9, 30},
        {2025, 12, 31}, {2026, 1, 1}, {2026, 12, 31}, {2027, 1, 1},
    };
    std::vector<std::time_t> moments;
    for (const auto& d : days) {
        const std::time_t midnight = At(d[0], d[1], d[2], 0, 0);
        for (int i = 0; i < 6; ++i) moments.push_back(midnight + std::uniform_int_distribution<int>(0, 86399)(rng));
        moments.push_back(midnight);
        moments.push_back(midnight - 1);
        moments.push_back(At(d[0], d[1], d[2], 2, 30));   // inside or beside a changed hour
        moments.push_back(At(d[0], d[1], d[2], 3, 0, 1));
    }
    return moments;
}

bool SameLocal(std::time_t t, const std::tm& want) {
    const std::tm* got = std::localtime(&t);
    return got != nullptr && got->tm_year == want.tm_year && got->tm_mon == want.tm_mon &&
           got->tm_mday == want.tm_mday && got->tm_hour == want.tm_hour && got->tm_min == want.tm_min;
}

// Whether a local time built like the evaluation builds it names exactly one
// moment. In the hour repeated in autumn (and the hour skipped in spring) glibc's
// mktime answers by the offset of its previous call, so there the literal
// evaluation itself has no single answer to compare with.
bool NamesOneMoment(int year, int month, int day, int hour, int minute) {
    const long long days = CalendarDayNumber(1900LL + year, month, day);
    const std::time_t noon = static_cast<std::time_t>(days * 86400 + 43200);
    std::tm local = *std::gmtime(&noon);  // the date with the month's overflow rolled over
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = 0;
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59) return true;  // not near a change
    std::tm probe = local;
    probe.tm_isdst = -1;
    const std::time_t t = std::mktime(&probe);
    return SameLocal(t, local) && !SameLocal(t - 3600, local) && !SameLocal(t + 3600, local);
}

bool BuildsOnlyRegularTimes(const ReservationRecord& r, std::time_t now) {
    const std::tm n = *std::localtime(&now);
    if (!NamesOneMoment(n.tm_year, n.tm_mon, n.tm_mday, n.tm_hour, n.tm_min)) return false;
    if (r.dateOn && (!NamesOneMoment(n.tm_year, r.fromMonth, r.fromDay + 1, n.tm_hour, n.tm_min) ||
                     !NamesOneMoment(n.tm_year, r.toMonth, r.toDay + 1, n.tm_hour, n.tm_min))) {
        return false;
    }
    return !r.timeOn || (NamesOneMoment(n.tm_year, n.tm_mon, n.tm_mday, r.fromHour, r.fromMinute) &&
                         NamesOneMoment(n.tm_year, n.tm_mon, n.tm_mday, r.toHour, r.toMinute));
}

bool AllRegular(const ReservationTable& table, int count, std::time_t now) {
    for (int i = 0; i < count; ++i) {
        if (!BuildsOnlyRegularTimes(table.records[static_cast<size_t>(i)], now)) return false;
    }
    return true;
}

}  // namespace

TEST(EvaluatorMatchesLiteral, OnRandomTablesAtAwkwardLocalTimes) {
    std::mt19937 rng(20261207);
    for (int round = 0; round < 4; ++round) {
        const int count = 1 + std::uniform_int_distribution<int>(0, 400)(rng);
        ReservationTable ours, literal;
        for (int i = 1; i < count; ++i) ours.records[static_cast<size_t>(i)] = RandomRecord(rng);
        literal = ours;
        OrderTable order;
        BuildOrder(order, count, round % 2 == 1, 1);
        Evaluator evaluator;
        int compared = 0;
        const std::vector<std::time_t> moments = AwkwardMoments(rng);
        for (std::time_t now : moments) {
            if (!AllRegular(ours, count, now)) continue;
            ++compared;
            evaluator.Evaluate(ours, order, count, now);
            LiteralEvaluate(literal, order, count, now);
            for (int i = 0; i < count; ++i) {
                ASSERT_EQ(ours.records[static_cast<size_t>(i)].matchLevel,
                          literal.records[static_cast<size_t>(i)].matchLevel)
                    << "record " << i << " at " << static_cast<long long>(now);
            }
            for (int p = 0; p < count; p += 7) {
                ASSERT_EQ(NextWinner(ours, order, count, p), NextWinner(literal, order, count, p));
            }
        }
        EXPECT_GT(compared, static_cast<int>(moments.size()) / 2);
    }
}

TEST(EvaluatorMatchesLiteral, TickByTickAcrossADaylightSavingNight) {
    // Ticks every 13 seconds through the nights of both spring changes and both
    // autumn changes: the cache must let go of each minute exactly when it ends.
    std::mt19937 rng(7);
    const int count = 60;
    ReservationTable ours;
    for (int i = 1; i < count; ++i) {
        ours.records[static_cast<size_t>(i)] = RandomRecord(rng);
        ours.records[static_cast<size_t>(i)].dateOn = 0;  // the time windows matter here
        ours.records[static_cast<size_t>(i)].timeOn = 1;
        // Window ends away from the changed hours (1 and 2 o'clock), so that the
        // night is compared all through but for the changed hour itself.
        const int ends[] = {0, 3, 4, 5};
        ours.records[static_cast<size_t>(i)].fromHour = ends[std::uniform_int_distribution<int>(0, 2)(rng)];
        ours.records[static_cast<size_t>(i)].toHour = ends[std::uniform_int_distribution<int>(1, 3)(rng)];
    }
    ReservationTable literal = ours;
    OrderTable order;
    BuildOrder(order, count, false, 1);
    Evaluator evaluator;
    for (const auto& night : {At(2026, 3, 8, 0, 0), At(2026, 3, 29, 0, 0), At(2026, 10, 25, 0, 0),
                              At(2026, 11, 1, 0, 0)}) {
        for (std::time_t now = night; now < night + 5 * 3600; now += 13) {
            if (!AllRegular(ours, count, now)) continue;
            evaluator.Evaluate(ours, order, count, now);
            LiteralEvaluate(literal, order, count, now);
            for (int i = 0; i < count; ++i) {
                ASSERT_EQ(ours.records[static_cast<size_t>(i)].matchLevel,
                          literal.records[static_cast<size_t>(i)].matchLevel)
                    << "record " << i << " at " << static_cast<long long>(now);
            }
        }
    }
}

TEST(WindowHoldsMatchesLiteral, OnRandomRecords) {
    std::mt19937 rng(99);
    const std::vector<std::time_t> moments = AwkwardMoments(rng);
    for (int i = 0; i < 300; ++i) {
        const ReservationRecord r = RandomRecord(rng);
        const std::time_t now = moments[static_cast<size_t>(i) % moments.size()];
        if (!BuildsOnlyRegularTimes(r, now)) continue;
        ASSERT_EQ(DateWindowHolds(r, now), LiteralDateWindowHolds(r, now));
        ASSERT_EQ(TimeWindowHolds(r, now), LiteralTimeWindowHolds(r, now));
    }
}

// The wait for the next local minute, around the daylight-saving changes of
// America and Europe and at midnight (days of 23 and 25 hours under the TZ runs),
// ends exactly where the local minute changes.
TEST(LocalTime, MinuteDelayEndsExactlyAtTheNextLocalMinute) {
    const auto minuteOf = [](long long ms) {
        const std::tm t = LocalTm(static_cast<std::time_t>(ms / 1000));
        return ((t.tm_yday * 24LL + t.tm_hour) * 60 + t.tm_min) * 2 + t.tm_isdst;
    };
    for (const int day : {3 * 32 + 8, 3 * 32 + 29, 10 * 32 + 25, 11 * 32 + 1, 12 * 32 + 31}) {
        for (const int time : {5999, 15930, 25945, 30000, 235959}) {
            for (const long long extraMs : {0LL, 250LL, 999LL}) {
                const long long now =
                    At(2026, day / 32, day % 32, time / 10000, time / 100 % 100, time % 100) * 1000LL + extraMs;
                const long delay = LocalMinuteDelayMs(now);
                ASSERT_TRUE(delay >= 1 && delay <= 60000) << now;
                EXPECT_EQ(minuteOf(now + delay - 1), minuteOf(now)) << now;
                EXPECT_NE(minuteOf(now + delay), minuteOf(now + delay - 1)) << now;
            }
        }
    }
}
