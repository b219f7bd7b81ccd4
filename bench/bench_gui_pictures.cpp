// Drawing costs: every face drawn afresh at ratio 2 (target under 20 ms for all 52), and
// the table background for the default gradient and for a texture (under 5 ms each).
#include <QGuiApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include "gui/table/pictures.h"

using namespace tess;

namespace
{

void BM_AllFacesUncachedDpr2(benchmark::State &state)
{
    for (auto _ : state) {
        clearPictureCache();
        for (int i = 1; i <= 52; ++i)
            benchmark::DoNotOptimize(MainPic(i, 2).constBits());
    }
}
BENCHMARK(BM_AllFacesUncachedDpr2)->Unit(benchmark::kMillisecond);

void BM_AllFacesCached(benchmark::State &state)
{
    for (int i = 1; i <= 52; ++i)
        MainPic(i, 2);
    for (auto _ : state)
        for (int i = 1; i <= 52; ++i)
            benchmark::DoNotOptimize(MainPic(i, 2).constBits());
}
BENCHMARK(BM_AllFacesCached)->Unit(benchmark::kMicrosecond);

void paintTable(benchmark::State &state, int index)
{
    QImage table(1032, 747, QImage::Format_ARGB32_Premultiplied);
    SetBG(index, table, 1, 128); // draws and keeps the texture tile before timing
    for (auto _ : state) {
        SetBG(index, table, 1, 128);
        benchmark::DoNotOptimize(table.constBits());
    }
}

void BM_BackgroundDefaultGradient(benchmark::State &state)
{
    paintTable(state, 1007);
}
BENCHMARK(BM_BackgroundDefaultGradient)->Unit(benchmark::kMillisecond);

void BM_BackgroundTexture(benchmark::State &state)
{
    paintTable(state, static_cast<int>(state.range(0)));
}
BENCHMARK(BM_BackgroundTexture)->Arg(1)->Arg(41)->Arg(73)->Unit(benchmark::kMillisecond);

// First use of a texture: drawing its tile (once per run and ratio).
void BM_TextureTileUncached(benchmark::State &state)
{
    for (auto _ : state) {
        clearPictureCache();
        benchmark::DoNotOptimize(GetPic(static_cast<int>(state.range(0)), 1).constBits());
    }
}
BENCHMARK(BM_TextureTileUncached)->Arg(1)->Arg(11)->Arg(41)->Arg(62)->Arg(73)->Unit(benchmark::kMillisecond);

void BM_AllBacksUncachedDpr2(benchmark::State &state)
{
    for (auto _ : state) {
        clearPictureCache();
        for (int id : {501, 502, 503, 511, 512, 521, 522, 523, 531, 532, 533, 541, 542, 543, 544, 545})
            benchmark::DoNotOptimize(GetPic(id, 2).constBits());
    }
}
BENCHMARK(BM_AllBacksUncachedDpr2)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
