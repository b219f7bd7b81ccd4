// The frame cost of carrying a 12-card run across the table: one mouse move, the
// cards follow, the table is drawn again.
#include <QApplication>

#include <benchmark/benchmark.h>

#include "bench/tempHome.h"
#include "gui/table/cardTable.h"
#include "play/engine.h"
#include "play/mPlay.h"
#include "store/cData.h"

static void BM_DragTwelveCardRun(benchmark::State &state)
{
    tess::bench::TempHome home;
    tess::cData &data = *home.data;
    tess::HeadlessHost host;
    tess::Engine e(&host);
    tess::CardTable table(e, data);
    e.setView(&table);
    table.setAnimated(false);
    table.CreateCardControls();
    table.SetBG(1007, 1, 128);
    table.show();
    e.NewGame("Double Klondike", 1);
    // Stack stock cards on pile 0 until it holds a run of twelve to carry.
    while (e.Array.GetTop(tess::Home, 0) < 12) {
        tess::i32 mod = tess::tmod::Replayed;
        e.Array.MoveCard(e.Array.GetTopPicID(tess::Stock, 0), tess::Home, 0,
                         e.Array.GetTop(tess::Home, 0) + 1, mod, 0, 0, 0);
    }
    host.running = true;
    const int top = e.Array.GetTop(tess::Home, 0);
    const int grabbed = e.Array.GetPicID(tess::Home, 0, top - 11);
    e.Drag = tess::DragState{true, 11, 300, 300, 0, 0};
    int step = 0;
    for (auto _ : state) {
        const double dx = (step++ % 40 < 20) ? 15 * 6 : -15 * 6;
        tess::CardMove(e, grabbed, 300 + dx, 300 + 15 * 2);
        // The frame: the whole table drawn now, not later.
        static_cast<QWidget &>(table).repaint();
    }
    e.setView(nullptr);
}
BENCHMARK(BM_DragTwelveCardRun)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
