// The statistics windows load every score file and sort the table when they open.
// Targets: OpenAllScore of 20 players x 10,000 lines under 300 ms; Sort and FinSort each under 50 ms.
#include <memory>
#include <random>

#include <QDir>
#include <QFile>

#include <benchmark/benchmark.h>

#include "bench/tempHome.h"
#include "model/catalogue.h"
#include "store/cData.h"
#include "store/cScore.h"

namespace
{

constexpr int kPlayers = 20;
constexpr int kLines = 10000;

struct Table {
    tess::bench::TempHome home;
    std::unique_ptr<tess::cData> data;
    std::unique_ptr<tess::cScore> score;

    Table()
    {
        data = std::move(home.data);
        tess::catalogue::Init(*data);
        QDir().mkpath(data->AppDir());
        std::mt19937 rng(7);
        for (int p = 1; p <= kPlayers; ++p) {
            const QString name = QStringLiteral("Player%1").arg(p);
            data->SetPlayer(static_cast<tess::i16>(p), name, p == 1);
            QByteArray file;
            file.reserve(kLines * 64);
            for (int i = 0; i < kLines; ++i) {
                tess::ScoreRecord r;
                r.DateText = QDateTime(QDate(2020, 1, 1).addDays(static_cast<int>(rng() % 2000)),
                                       QTime(0, 0).addSecs(static_cast<int>(rng() % 86400)))
                                 .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
                r.GameName = data->GetGName(static_cast<tess::i16>(1 + rng() % 33));
                const long long no = 1 + static_cast<long long>(rng() % 999999999);
                r.GameNo =
                    i % 10 == 0 ? tess::GameNumber::text(std::to_string(no)) : tess::GameNumber::number(no);
                r.Won = static_cast<tess::i16>(rng() % 2);
                r.Time = static_cast<tess::i32>(rng() % 3600);
                r.Moves = static_cast<tess::i32>(rng() % 500);
                r.Score = static_cast<tess::i32>(rng() % 2000) - 200;
                file += tess::formatScoreLine(r);
            }
            QFile f(data->AppDir() + name + QStringLiteral(".sre"));
            if (!f.open(QIODevice::WriteOnly) || f.write(file) != file.size())
                std::abort();
        }
        score = std::make_unique<tess::cScore>(*data);
    }
};

Table &table()
{
    static Table t;
    return t;
}

void BM_OpenAllScore(benchmark::State &state)
{
    Table &t = table();
    for (auto _ : state) {
        t.score->OpenAllScore();
        benchmark::DoNotOptimize(t.score->ScoreTop());
    }
    if (t.score->ScoreTop() != kPlayers * kLines)
        state.SkipWithError("not every line loaded");
    state.counters["records"] = t.score->ScoreTop();
}
BENCHMARK(BM_OpenAllScore)->Unit(benchmark::kMillisecond);

void BM_Sort(benchmark::State &state)
{
    Table &t = table();
    if (t.score->ScoreTop() == 0)
        t.score->OpenAllScore();
    for (auto _ : state) {
        t.score->Sort(QString(), QString(), 0);
        benchmark::DoNotOptimize(t.score->GetTop(1).Score);
    }
}
BENCHMARK(BM_Sort)->Unit(benchmark::kMillisecond);

void BM_SortOneGame(benchmark::State &state)
{
    Table &t = table();
    if (t.score->ScoreTop() == 0)
        t.score->OpenAllScore();
    const QString game = QStringLiteral("Klondike");
    for (auto _ : state) {
        t.score->Sort(game, QStringLiteral("Player3"), 1);
        benchmark::DoNotOptimize(t.score->GetTop(1).Score);
    }
}
BENCHMARK(BM_SortOneGame)->Unit(benchmark::kMillisecond);

void BM_FinSort(benchmark::State &state)
{
    Table &t = table();
    if (t.score->ScoreTop() == 0)
        t.score->OpenAllScore();
    const bool byTime = state.range(0) == 0;
    for (auto _ : state) {
        t.score->FinSort(byTime ? -1 : 0, byTime ? 0 : -1);
        benchmark::DoNotOptimize(t.score->GetTop(1).Time);
    }
    state.SetLabel(byTime ? "by time" : "by moves");
}
BENCHMARK(BM_FinSort)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
