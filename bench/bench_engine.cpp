// Speed of the headless engine: shuffle, choosing a game, dealing, moving, undoing and random play.
// Targets: a 104-card shuffle under 20 us, a 52-card deal under 20 us, a logged move under 1 us,
// and over 200,000 random legal play steps a second.
#include <string>

#include <benchmark/benchmark.h>

#include "model/catalogue.h"
#include "play/cTrans.h"
#include "play/deal.h"
#include "play/engine.h"
#include "tests/solve/randomPlay.h"

namespace tess
{
namespace
{

void BM_RandomInit(benchmark::State &state)
{
    Engine e;
    e.SelectGame(state.range(0) == 104 ? "Double Klondike" : "Klondike");
    e.Array.Init(1);
    long long number = 1;
    for (auto _ : state) {
        e.Array.RandomInit(number++);
        benchmark::DoNotOptimize(e.Array.GetRandom(0));
    }
}
BENCHMARK(BM_RandomInit)->Arg(52)->Arg(104);

void BM_SelectGame(benchmark::State &state)
{
    Engine e;
    int id = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(e.SelectGame(catalogue::GameName(id % kGameCount + 1)));
        ++id;
    }
}
BENCHMARK(BM_SelectGame);

// What a new game costs without a screen: choose, shuffle, value the cards, deal.
void BM_Deal(benchmark::State &state)
{
    const std::string game = catalogue::GameName(static_cast<int>(state.range(0)));
    Engine e;
    long long number = 1;
    for (auto _ : state) {
        e.HideAll();
        e.SelectGame(game);
        e.Array.Init(number++);
        AssignCardValues(e);
        e.NewTrans();
        DealGame(e);
        benchmark::DoNotOptimize(e.Array.GetTop(Stock, 0));
    }
    state.SetLabel(game);
}
BENCHMARK(BM_Deal)->DenseRange(1, kGameCount);

// 10,000 logged moves of one card between the two free cells, then Undo All and Redo All:
// 30,000 moves through MoveCard.
void BM_MoveUndoRedo(benchmark::State &state)
{
    HeadlessHost host;
    host.autoplay = 0;
    Engine e(&host);
    e.NewGame("Klondike Freecell", 1);
    const auto card = e.Array.GetTopPicID(Home, 0);
    i16 speed = 0;
    for (auto _ : state) {
        for (int i = 0; i < 10000; ++i) {
            i32 mod = tmod::Plain;
            e.Array.MoveCard(card, Res, static_cast<i16>(i % 2), 0, mod, 0, 0, 0);
        }
        e.Trans->UndoAll(speed);
        e.Trans->RedoAll(speed);
        state.PauseTiming();
        e.NewTrans();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * 30000);
}
BENCHMARK(BM_MoveUndoRedo)->Unit(benchmark::kMillisecond);

// Random legal play over every game: presses, drags, stock presses, undos, as the soak test plays.
void BM_RandomPlay(benchmark::State &state)
{
    HeadlessHost host;
    Engine e(&host);
    randomplay::Player player(42);
    long long number = 1;
    int id = 0;
    long long logged = 0, steps = 0;
    for (auto _ : state) {
        state.PauseTiming();
        e.NewGame(catalogue::GameName(id % kGameCount + 1), number++);
        host.running = true;
        ++id;
        state.ResumeTiming();
        for (int s = 0; s < 300 && host.running; ++s, ++steps)
            player.step(e);
        logged += e.Trans->GetTransLast();
    }
    state.SetItemsProcessed(steps);
    state.counters["logged/game"] = benchmark::Counter(static_cast<double>(logged) / state.iterations());
}
BENCHMARK(BM_RandomPlay)->Iterations(3300)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tess
