// The solver's speed: positions made per second, memory per stored position, and Klondike deals at
// one second each (decided share and deals per second).
#include <benchmark/benchmark.h>

#include "play/engine.h"
#include "solve/deals.h"

namespace
{

using namespace tess;
using namespace tess::solve;

// A fixed number of positions on deals that need more than that, so the rate does not depend on how
// soon a deal is won.
void BM_SolvePositions(benchmark::State &state)
{
    const long long hard[] = {15, 17, 128, 264};
    long long i = 0, nodes = 0;
    std::size_t stored = 0;
    Limits l;
    l.milliseconds = 0;
    l.nodes = 200000;
    for (auto _ : state) {
        const DealAnswer a = solveDeal("Klondike", hard[i++ % 4], state.range(0) != 0, l);
        nodes += a.result.nodes;
        stored += a.result.stored;
    }
    state.counters["positions/s"] =
        benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
    state.counters["bytes/stored"] = static_cast<double>(KeyTable::kBytesPerSlot) * 2; // table kept half full
    state.counters["position bytes"] = sizeof(Position);
    state.counters["stored/deal"] = static_cast<double>(stored) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_SolvePositions)
    ->ArgName("autoplay")
    ->Arg(1)
    ->Arg(0)
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);

// Consecutive Klondike deals at one second each, with autoplay on (the program's default) and off (each
// card sent home by choice, as published winnability figures assume). 100 deals here; the full
// measurement runs 2000 through the command line tool.
void BM_KlondikeDeals(benchmark::State &state)
{
    long long won = 0, lost = 0, unknown = 0, deals = 0;
    Limits l;
    l.milliseconds = 1000;
    for (auto _ : state) {
        for (long long n = 1; n <= state.range(0); ++n) {
            const Verdict v = solveDeal("Klondike", n, state.range(1) != 0, l).result.verdict;
            won += v == Verdict::Won;
            lost += v == Verdict::Lost;
            unknown += v == Verdict::Unknown;
            ++deals;
        }
    }
    state.counters["deals/s"] = benchmark::Counter(static_cast<double>(deals), benchmark::Counter::kIsRate);
    state.counters["decided %"] = 100.0 * static_cast<double>(won + lost) / static_cast<double>(deals);
    state.counters["won %"] = 100.0 * static_cast<double>(won) / static_cast<double>(deals);
}
BENCHMARK(BM_KlondikeDeals)
    ->ArgNames({"deals", "autoplay"})
    ->Args({100, 1})
    ->Args({100, 0})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

} // namespace
