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

namespace
{

// A fitted table on a large screen, Double Klondike with a twelve-card run on its first pile.
struct Fitted {
    QTemporaryDir dir;
    tess::cData data{dir.filePath("t.conf"), dir.path()};
    tess::HeadlessHost host;
    tess::Engine e{&host};
    tess::CardTable table{e, data};
    explicit Fitted(QSize size)
    {
        e.setView(&table);
        table.setAnimated(false);
        table.setFit(true);
        table.CreateCardControls();
        table.SetBG(1007, 1, 128);
        table.resize(size);
        table.show();
        e.NewGame("Double Klondike", 1);
        while (e.Array.GetTop(tess::Home, 0) < 12) {
            tess::i32 mod = tess::tmod::Replayed;
            e.Array.MoveCard(e.Array.GetTopPicID(tess::Stock, 0), tess::Home, 0,
                             e.Array.GetTop(tess::Home, 0) + 1, mod, 0, 0, 0);
        }
        host.running = true;
        table.refreshPictures();
    }
    ~Fitted() { e.setView(nullptr); }
};

} // namespace

// One step of carrying the run at 2560 x 1440, as a mouse move delivers it: the cards
// follow and the frame is drawn where they were and are.
static void BM_DragStepFitted2560(benchmark::State &state)
{
    Fitted f(QSize(2560, 1440));
    tess::Engine &e = f.e;
    const int grabbed = e.Array.GetPicID(tess::Home, 0, e.Array.GetTop(tess::Home, 0) - 11);
    e.Drag = tess::DragState{true, 11, 300, 300, 0, 0};
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
    Fitted f(QSize(2560, 1440));
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
