// The statistics windows over 20 players x 10,000 recorded games.
// Targets: opening the Game Statistics window and the Log under 500 ms each (loading every score
// file included); each period choice of the Game Statistics window under 50 ms.
#include <random>

#include <QApplication>
#include <QDir>
#include <QFile>

#include <benchmark/benchmark.h>

#include "app/shared.h"
#include "bench/tempHome.h"
#include "gui/stats/frmGameStat.h"
#include "gui/stats/frmLogStat.h"

namespace
{

constexpr int kPlayers = 20;
constexpr int kLines = 10000;
const QDateTime kNow(QDate(2026, 12, 8), QTime(17, 0));

struct Table {
    tess::bench::TempHome home;
    tess::Shared shared{std::move(home.data)};

    Table()
    {
        shared.createGameObjects();
        tess::cData &d = *shared.Data;
        QDir().mkpath(d.AppDir());
        std::mt19937 rng(11);
        for (int p = 1; p <= kPlayers; ++p) {
            const QString name = QStringLiteral("Player%1").arg(p);
            d.SetPlayer(static_cast<tess::i16>(p), name, p == 1);
            QByteArray file;
            file.reserve(kLines * 64);
            for (int i = 0; i < kLines; ++i) {
                tess::ScoreRecord r;
                // Six years back to today, so every period choice finds games.
                r.DateText = kNow.addSecs(-static_cast<qint64>(rng() % (6 * 365 * 86400)))
                                 .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
                r.GameName = d.GetGName(static_cast<tess::i16>(1 + rng() % 33));
                r.GameNo = tess::GameNumber::number(1 + static_cast<long long>(rng() % 999999999));
                r.Won = static_cast<tess::i16>(rng() % 2);
                r.Time = static_cast<tess::i32>(rng() % 3600);
                r.Moves = static_cast<tess::i32>(rng() % 500);
                r.Score = static_cast<tess::i32>(rng() % 2000) - 200;
                file += tess::formatScoreLine(r);
            }
            QFile f(d.AppDir() + name + QStringLiteral(".sre"));
            if (!f.open(QIODevice::WriteOnly) || f.write(file) != file.size())
                std::abort();
        }
    }
};

Table &table()
{
    static Table t;
    return t;
}

tess::Clock fixed()
{
    return [] { return kNow; };
}

void BM_OpenGameStatistics(benchmark::State &state)
{
    Table &t = table();
    for (auto _ : state) {
        tess::frmGameStat w(t.shared, nullptr, fixed());
        benchmark::DoNotOptimize(w.lvGames->topLevelItemCount());
        if (t.shared.Score->ScoreTop() != kPlayers * kLines)
            state.SkipWithError("not every game loaded");
    }
}
BENCHMARK(BM_OpenGameStatistics)->Unit(benchmark::kMillisecond)->MinTime(3);

void BM_OpenLog(benchmark::State &state)
{
    Table &t = table();
    for (auto _ : state) {
        tess::frmLogStat w(t.shared, nullptr, fixed());
        if (w.logRows->rowCount() != kPlayers * kLines)
            state.SkipWithError("not every game listed");
    }
}
BENCHMARK(BM_OpenLog)->Unit(benchmark::kMillisecond)->MinTime(3);

// One period choice: args index the six choices in their order.
void BM_PeriodChoice(benchmark::State &state)
{
    Table &t = table();
    tess::frmGameStat w(t.shared, nullptr, fixed());
    const int choice = static_cast<int>(state.range(0));
    w.imcDate->setCurrentIndex(choice);
    state.SetLabel(w.imcDate->currentText().toStdString());
    for (auto _ : state) {
        w.imcDate_Click();
        benchmark::DoNotOptimize(w.lvDate->topLevelItemCount());
    }
}
BENCHMARK(BM_PeriodChoice)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

// A log filter change over the loaded table.
void BM_LogFilter(benchmark::State &state)
{
    Table &t = table();
    tess::frmLogStat w(t.shared, nullptr, fixed());
    w.imcDate->setCurrentIndex(4); // Last 3 Months
    for (auto _ : state) {
        w.FillLog();
        benchmark::DoNotOptimize(w.logRows->rowCount());
    }
}
BENCHMARK(BM_LogFilter)->Unit(benchmark::kMillisecond);

} // namespace

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
