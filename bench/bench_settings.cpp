// Settings are read many times a second by the window upkeep: reads come from memory.

#include <benchmark/benchmark.h>

#include "bench/tempHome.h"
#include "store/cData.h"

static void BM_CachedSettingRead(benchmark::State &state)
{
    tess::bench::TempHome home;
    tess::cData &data = *home.data;
    data.set(tess::Setting::ShowToolbar, 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(data.ShowToolbar());
}
BENCHMARK(BM_CachedSettingRead);

static void BM_RecentListRead(benchmark::State &state)
{
    tess::bench::TempHome home;
    tess::cData &data = *home.data;
    data.SetRecent("Klondike");
    for (auto _ : state)
        for (tess::i16 i = 1; i <= 5; ++i)
            benchmark::DoNotOptimize(data.GetRecent(i));
}
BENCHMARK(BM_RecentListRead);
