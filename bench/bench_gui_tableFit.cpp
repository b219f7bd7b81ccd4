// The fitted table on a high-density screen: the frame cost of carrying a 12-card run
// at scale 2, and the cost of following a window resize (lay out and draw the frame
// at once; draw the pictures afresh when the resizing stops).
// Runs at device pixel ratio 2 unless QT_SCALE_FACTOR says otherwise.
#include <QApplication>

#include <benchmark/benchmark.h>

#include "bench/tempHome.h"
#include "gui/table/cardTable.h"
#include "gui/table/pictures.h"
#include "play/engine.h"
#include "play/mPlay.h"
#include "store/cData.h"

namespace
{

struct Fixture {
    tess::bench::TempHome home;
    tess::cData &data = *home.data;
    tess::HeadlessHost host;
    tess::Engine e{&host};
    tess::CardTable table{e, data};

    Fixture(QSize size, const char *game)
    {
        e.setView(&table);
        table.setAnimated(false);
        table.setFit(true);
        table.CreateCardControls();
        table.SetBG(1007, 1, 128);
        table.resize(size);
        table.show();
        e.NewGame(game, 1);
        host.running = true;
        table.refreshPictures();
    }
    ~Fixture() { e.setView(nullptr); }
};

} // namespace

// A whole-table redraw per mouse move, for comparison: what every frame cost when the
// table was marked dirty as a whole.
static void BM_DragTwelveCardRunAtScaleTwoWholeTable(benchmark::State &state)
{
    Fixture f(QSize(2064, 1494), "Double Klondike");
    tess::Engine &e = f.e;
    while (e.Array.GetTop(tess::Home, 0) < 12) {
        tess::i32 mod = tess::tmod::Replayed;
        e.Array.MoveCard(e.Array.GetTopPicID(tess::Stock, 0), tess::Home, 0,
                         e.Array.GetTop(tess::Home, 0) + 1, mod, 0, 0, 0);
    }
    f.table.refreshPictures();
    const int grabbed = e.Array.GetPicID(tess::Home, 0, e.Array.GetTop(tess::Home, 0) - 11);
    e.Drag = tess::DragState{true, 11, 300, 300, 0, 0};
    int step = 0;
    for (auto _ : state) {
        const double dx = (step++ % 40 < 20) ? 15 * 6 : -15 * 6;
        // Back and forth on both axes, so the run never wanders off the table.
        tess::CardMove(e, grabbed, 300 + dx, 300 + dx / 3);
        static_cast<QWidget &>(f.table).repaint();
    }
}
BENCHMARK(BM_DragTwelveCardRunAtScaleTwoWholeTable)->Unit(benchmark::kMillisecond);

static void BM_DragTwelveCardRunAtScaleTwo(benchmark::State &state)
{
    Fixture f(QSize(2064, 1494), "Double Klondike");
    tess::Engine &e = f.e;
    while (e.Array.GetTop(tess::Home, 0) < 12) {
        tess::i32 mod = tess::tmod::Replayed;
        e.Array.MoveCard(e.Array.GetTopPicID(tess::Stock, 0), tess::Home, 0,
                         e.Array.GetTop(tess::Home, 0) + 1, mod, 0, 0, 0);
    }
    f.table.refreshPictures();
    const int top = e.Array.GetTop(tess::Home, 0);
    const int grabbed = e.Array.GetPicID(tess::Home, 0, top - 11);
    e.Drag = tess::DragState{true, 11, 300, 300, 0, 0};
    QVector<tess::TavCard *> run;
    for (int k = 0; k < 12; ++k)
        run.append(f.table.PicCards[e.Array.GetPicID(tess::Home, 0, top - 11 + k)]);
    int step = 0;
    for (auto _ : state) {
        const double dx = (step++ % 40 < 20) ? 15 * 6 : -15 * 6;
        QRegion frame;
        for (tess::TavCard *c : run)
            frame += c->geometry();
        // Back and forth on both axes, so the run never wanders off the table.
        tess::CardMove(e, grabbed, 300 + dx, 300 + dx / 3);
        for (tess::TavCard *c : run)
            frame += c->geometry();
        // The frame: what the run left and where it lies now, drawn now, not later.
        static_cast<QWidget &>(f.table).repaint(frame);
    }
    state.counters["scale"] = f.table.scale();
    state.counters["dpr"] = f.table.devicePixelRatioF();
}
BENCHMARK(BM_DragTwelveCardRunAtScaleTwo)->Unit(benchmark::kMillisecond);

// One step of a window being resized: every card and marker placed at the new scale and
// the frame drawn, with the pictures of the last size stretched.
static void BM_ResizeLayOutAndRepaint(benchmark::State &state)
{
    Fixture f(QSize(1600, 1000), "Double Klondike Spider");
    int step = 0;
    for (auto _ : state) {
        const int d = (step++ % 20) * 7;
        f.table.resize(1600 + d, 1000 + d / 2);
        static_cast<QWidget &>(f.table).repaint();
    }
    state.counters["scale"] = f.table.scale();
}
BENCHMARK(BM_ResizeLayOutAndRepaint)->Unit(benchmark::kMillisecond);

// When the resizing stops: pictures for the new size, then the frame. Alternating
// between two sizes whose pictures are kept.
static void BM_ResizeSettledKeptPictures(benchmark::State &state)
{
    Fixture f(QSize(1600, 1000), "Double Klondike Spider");
    int step = 0;
    for (auto _ : state) {
        f.table.resize(step++ % 2 ? QSize(1600, 1000) : QSize(1760, 1100));
        f.table.refreshPictures();
        static_cast<QWidget &>(f.table).repaint();
    }
}
BENCHMARK(BM_ResizeSettledKeptPictures)->Unit(benchmark::kMillisecond);

// The same at a size never shown before: every visible picture drawn afresh.
static void BM_ResizeSettledNewSize(benchmark::State &state)
{
    Fixture f(QSize(1600, 1000), "Double Klondike Spider");
    int step = 0;
    for (auto _ : state) {
        tess::clearPictureCache();
        f.table.resize(step++ % 2 ? QSize(1600, 1000) : QSize(1760, 1100));
        f.table.refreshPictures();
        static_cast<QWidget &>(f.table).repaint();
    }
}
BENCHMARK(BM_ResizeSettledNewSize)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR"))
        qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
