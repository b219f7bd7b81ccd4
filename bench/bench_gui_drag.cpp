// The frame cost of carrying a 12-card run across the table: one mouse move, the
// cards follow, the table is drawn again.
#include <optional>

#include <QApplication>

#include <benchmark/benchmark.h>

#include "bench/tempHome.h"
#include "gui/table/cardTable.h"
#include "play/engine.h"
#include "play/mPlay.h"
#include "store/cData.h"

namespace
{

// Double Klondike with a twelve-card run on its first pile, on the design table or, given a
// window size, on a table fitted to it.
struct Table {
    tess::bench::TempHome home;
    tess::HeadlessHost host;
    tess::Engine e{&host};
    tess::CardTable table{e, *home.data};

    explicit Table(std::optional<QSize> fitted = std::nullopt)
    {
        e.setView(&table);
        table.setAnimated(false);
        if (fitted) {
            table.setFit(true);
            table.resize(*fitted);
        }
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
        if (fitted)
            table.refreshPictures();
    }
    ~Table() { e.setView(nullptr); }

    int grabRun()
    {
        e.Drag = tess::DragState{true, 11, 300, 300, 0, 0};
        return e.Array.GetPicID(tess::Home, 0, e.Array.GetTop(tess::Home, 0) - 11);
    }
};

} // namespace

static void BM_DragTwelveCardRun(benchmark::State &state)
{
    Table t;
    const int grabbed = t.grabRun();
    int step = 0;
    for (auto _ : state) {
        const double dx = (step++ % 40 < 20) ? 15 * 6 : -15 * 6;
        tess::CardMove(t.e, grabbed, 300 + dx, 300 + 15 * 2);
        // The frame: the whole table drawn now, not later.
        static_cast<QWidget &>(t.table).repaint();
    }
}
BENCHMARK(BM_DragTwelveCardRun)->Unit(benchmark::kMillisecond);

// One step of carrying the run at 2560 x 1440, as a mouse move delivers it: the cards
// follow and the frame is drawn where they were and are.
static void BM_DragStepFitted2560(benchmark::State &state)
{
    Table f(QSize(2560, 1440));
    tess::Engine &e = f.e;
    const int grabbed = f.grabRun();
    int step = 0;
    for (auto _ : state) {
        const double dx = (step++ % 40 < 20) ? 15 * 6 : -15 * 6;
        tess::CardMove(e, grabbed, 300 + dx, 300 + dx / 3);
        // The frame is drawn now, where the table asked for it.
        QCoreApplication::sendPostedEvents();
        f.table.repaint();
        QApplication::processEvents();
    }
    state.counters["scale"] = f.table.scale();
}
BENCHMARK(BM_DragStepFitted2560)->Unit(benchmark::kMillisecond);

// One step of a window being resized around 2560 x 1440: every card placed again and the
// whole frame drawn.
static void BM_ResizeStepFitted2560(benchmark::State &state)
{
    Table f(QSize(2560, 1440));
    int step = 0;
    for (auto _ : state) {
        const int d = (step++ % 20) * 7;
        f.table.resize(2560 - d, 1440 - d / 2);
        static_cast<QWidget &>(f.table).repaint();
    }
    state.counters["scale"] = f.table.scale();
}
BENCHMARK(BM_ResizeStepFitted2560)->Unit(benchmark::kMillisecond);

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
