// The cost of one 10 ms evaluation tick with 1024 reservations carrying date, time
// and timer windows: the literal evaluation against the cached one, in one run.
// The clock advances 10 ms per tick, as the resident changer's timer does, so the
// cached figure includes its once-a-minute recomputation.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <random>
#include <string>

#include "core/DisplayOrder.h"
#include "core/Evaluation.h"
#include "support/LiteralEvaluation.h"

namespace {

constexpr int kCount = 1025;

ReservationTable MakeTable() {
    std::mt19937 rng(1024);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    ReservationTable table;
    for (int i = 1; i < kCount; ++i) {
        ReservationRecord& r = table.records[static_cast<size_t>(i)];
        r.fileName = "C:\\wall\\" + std::to_string(i) + ".jpg";
        r.dateOn = r.timeOn = r.timerOn = 1;
        r.fromMonth = pick(0, 11);
        r.fromDay = pick(0, 30);
        r.toMonth = std::min(11, r.fromMonth + pick(0, 2));
        r.toDay = pick(0, 30);
        r.fromHour = pick(0, 20);
        r.fromMinute = pick(0, 59);
        r.toHour = std::min(23, r.fromHour + pick(0, 3));
        r.toMinute = pick(0, 59);
        r.timerPeriodMs = 60000 * pick(1, 30);
    }
    return table;
}

constexpr std::time_t kStart = 1781006400;  // a June noon of 2026

// Ticks advance 10 ms: the whole second is what time(NULL) reports.
std::time_t TickTime(long long tick) { return kStart + tick / 100; }

void LiteralTick(benchmark::State& state) {
    ReservationTable table = MakeTable();
    OrderTable order;
    BuildOrder(order, kCount, false, 1);
    long long tick = 0;
    for (auto _ : state) {
        LiteralEvaluate(table, order, kCount, TickTime(tick++));
        benchmark::DoNotOptimize(table.records[1].matchLevel);
    }
}

void CachedTick(benchmark::State& state) {
    ReservationTable table = MakeTable();
    OrderTable order;
    BuildOrder(order, kCount, false, 1);
    Evaluator evaluator;
    long long tick = 0;
    for (auto _ : state) {
        evaluator.Evaluate(table, order, kCount, TickTime(tick++));
        benchmark::DoNotOptimize(table.records[1].matchLevel);
    }
}

// The cached tick over a long stretch, so that the minute's recomputation is
// spread over the 6000 ticks it serves, as it is in the resident changer.
void CachedTickAmortised(benchmark::State& state) {
    ReservationTable table = MakeTable();
    OrderTable order;
    BuildOrder(order, kCount, false, 1);
    Evaluator evaluator;
    long long tick = 0;
    for (auto _ : state) {
        for (int i = 0; i < 60000; ++i) evaluator.Evaluate(table, order, kCount, TickTime(tick++));
        benchmark::DoNotOptimize(table.records[1].matchLevel);
    }
}

BENCHMARK(LiteralTick)->Unit(benchmark::kMicrosecond);
BENCHMARK(CachedTickAmortised)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(CachedTick)->Unit(benchmark::kNanosecond);

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const double ns = run.GetAdjustedRealTime() *
                              (run.time_unit == benchmark::kMicrosecond   ? 1e3
                               : run.time_unit == benchmark::kMillisecond ? 1e6
                                                                          : 1.0);
            perTickNs[run.benchmark_name()] = run.benchmark_name().rfind("CachedTickAmortised", 0) == 0 ? ns / 60000 : ns;
        }
    }
    std::map<std::string, double> perTickNs;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    double literal = 0, amortised = 0;
    for (const auto& [name, ns] : reporter.perTickNs) {
        if (name.rfind("LiteralTick", 0) == 0) literal = ns;
        if (name.rfind("CachedTickAmortised", 0) == 0) amortised = ns;
    }
    if (literal > 0 && amortised > 0) {
        std::printf("\nper tick, 1024 reservations with date, time and timer windows:\n");
        std::printf("  literal evaluation: %.1f us\n", literal / 1e3);
        std::printf("  cached evaluation:  %.1f ns (recomputation once a minute included)\n", amortised);
        std::printf("tick ratio literal/ours: %.0f\n", literal / amortised);
    }
    benchmark::Shutdown();
    return 0;
}
