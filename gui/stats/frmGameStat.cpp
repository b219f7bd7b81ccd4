#include "gui/stats/frmGameStat.h"

#include <algorithm>
#include <cmath>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QVBoxLayout>

#include "app/stores.h"
#include "gui/stats/exportStat.h"
#include "gui/table/brand.h"
#include "model/numeric.h"

namespace tess
{

namespace
{

const QStringList kTotalsHeaders = {
    QStringLiteral("Played"), QStringLiteral("Won"),   QStringLiteral("Lost"), QStringLiteral("Time"),
    QStringLiteral("Moves"),  QStringLiteral("Score"), QStringLiteral("Perc")};

const QStringList kFigures = {QStringLiteral("Score"), QStringLiteral("Moves"), QStringLiteral("Time")};

// Truncation toward zero of a double-precision quotient.
QString fix(double v)
{
    return QString::number(static_cast<long long>(std::trunc(v)));
}

QStringList totalsRow(const QString &name, const StatTotals &t, const QString &perc)
{
    return {name,
            QString::number(t.Played),
            QString::number(t.Won),
            QString::number(t.Played - t.Won),
            durationText(t.Time),
            QString::number(t.Moves),
            QString::number(t.Score),
            perc};
}

ChartTable wonLost(const StatTotals &t)
{
    return {{double(t.Won), double(t.Played - t.Won)}};
}

QStringList wonLostLabels(const StatTotals &t)
{
    return {QStringLiteral("Won : %1").arg(t.Won), QStringLiteral("Lost : %1").arg(t.Played - t.Won)};
}

ChartTable figures(const StatTotals &t)
{
    return {{double(std::max(0, t.Score)), double(t.Moves), double(t.Time)}};
}

QWidget *buttonRow(std::initializer_list<QWidget *> widgets)
{
    auto *row = new QWidget;
    auto *lay = new QHBoxLayout(row);
    lay->setContentsMargins(0, 0, 0, 0);
    for (QWidget *w : widgets)
        lay->addWidget(w);
    lay->addStretch(1);
    return row;
}

} // namespace

frmGameStat::frmGameStat(Stores stores, QWidget *parent, Clock now)
    : QDialog(parent), stores_(stores), now_(std::move(now))
{
    setObjectName(QStringLiteral("frmGameStat"));
    setWindowTitle(QStringLiteral("Game Statistics"));
    setWindowIcon(brand::appIcon());

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));

    // General Summary
    Frame2 = new QGroupBox(SSTab1);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    lvGeneral = makeList(QStringLiteral("lvGeneral"), {QString()}, Frame2);
    lvGeneral->setMinimumWidth(260);
    chGen = new StatChart(QStringLiteral("chGen"), Frame2);
    chGen1 = new StatChart(QStringLiteral("chGen1"), Frame2);
    {
        auto *lay = new QGridLayout(Frame2);
        lay->addWidget(lvGeneral, 0, 0, 2, 1);
        lay->addWidget(chGen, 0, 1);
        lay->addWidget(chGen1, 1, 1);
        lay->setColumnStretch(1, 1);
    }
    SSTab1->addTab(Frame2, QStringLiteral("General Summary"));

    // Game-wise
    Frame1 = new QGroupBox(SSTab1);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    lvGames =
        makeList(QStringLiteral("lvGames"), QStringList{QStringLiteral("Game")} + kTotalsHeaders, Frame1);
    imcGames = makeCombo(QStringLiteral("imcGames"), Frame1);
    chGames = new StatChart(QStringLiteral("chGames"), Frame1);
    chGames1 = new StatChart(QStringLiteral("chGames1"), Frame1);
    {
        auto *lay = new QGridLayout(Frame1);
        lay->addWidget(lvGames, 0, 0, 1, 2);
        lay->addWidget(buttonRow({imcGames}), 1, 0, 1, 2);
        lay->addWidget(chGames, 2, 0);
        lay->addWidget(chGames1, 2, 1);
        lay->setColumnStretch(0, 1);
        lay->setColumnStretch(1, 2);
        lay->setRowStretch(0, 3);
        lay->setRowStretch(2, 2);
    }
    SSTab1->addTab(Frame1, QStringLiteral("Game-wise"));

    // Date-wise
    Frame3 = new QGroupBox(SSTab1);
    Frame3->setObjectName(QStringLiteral("Frame3"));
    lvDate = makeList(QStringLiteral("lvDate"), {QString(), QStringLiteral("Played"), QStringLiteral("Won")},
                      Frame3);
    lvDate->setMinimumWidth(230);
    imcDate = makeCombo(QStringLiteral("imcDate"), Frame3);
    chDate = new StatChart(QStringLiteral("chDate"), Frame3);
    chDate1 = new StatChart(QStringLiteral("chDate1"), Frame3);
    {
        auto *lay = new QGridLayout(Frame3);
        lay->addWidget(imcDate, 0, 0);
        lay->addWidget(lvDate, 1, 0, 2, 1);
        lay->addWidget(chDate, 0, 1, 2, 1);
        lay->addWidget(chDate1, 2, 1);
        lay->setColumnStretch(1, 1);
        lay->setRowStretch(1, 1);
        lay->setRowStretch(2, 1);
    }
    SSTab1->addTab(Frame3, QStringLiteral("Date-wise"));

    // Player-wise
    Frame4 = new QGroupBox(SSTab1);
    Frame4->setObjectName(QStringLiteral("Frame4"));
    imcPlayer = makeCombo(QStringLiteral("imcPlayer"), Frame4);
    lvPlayer =
        makeList(QStringLiteral("lvPlayer"), QStringList{QStringLiteral("Player")} + kTotalsHeaders, Frame4);
    chPlayer = new StatChart(QStringLiteral("chPlayer"), Frame4);
    chPlayer1 = new StatChart(QStringLiteral("chPlayer1"), Frame4);
    {
        auto *lay = new QGridLayout(Frame4);
        lay->addWidget(lvPlayer, 0, 0, 1, 2);
        lay->addWidget(buttonRow({imcPlayer}), 1, 0, 1, 2);
        lay->addWidget(chPlayer, 2, 0);
        lay->addWidget(chPlayer1, 2, 1);
        lay->setRowStretch(0, 2);
        lay->setRowStretch(2, 3);
    }
    SSTab1->addTab(Frame4, QStringLiteral("Player-wise"));

    lblSkipped = new QLabel(this);
    lblSkipped->setObjectName(QStringLiteral("lblSkipped"));
    cmdClear = new QPushButton(QStringLiteral("Clear Statistics"), this);
    cmdClear->setObjectName(QStringLiteral("cmdClear"));
    cmdExport = new QPushButton(QStringLiteral("Export Statistics"), this);
    cmdExport->setObjectName(QStringLiteral("cmdExport"));
    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    // Enter closes the window; clearing the statistics takes a click of its own.
    cmdClear->setAutoDefault(false);
    cmdClose->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(lblSkipped, 1);
    buttons->addWidget(cmdClear);
    buttons->addWidget(cmdExport);
    buttons->addWidget(cmdClose);
    auto *lay = new QVBoxLayout(this);
    lay->addWidget(SSTab1, 1);
    lay->addLayout(buttons);
    resize(900, 620);

    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdClear, &QPushButton::clicked, this, &frmGameStat::cmdClear_Click);
    connect(cmdExport, &QPushButton::clicked, this, &frmGameStat::cmdExport_Click);

    SSTab1->setCurrentIndex(0);
    stores_.Score->OpenAllScore();
    ShowLeftOut(parent, stores_, QStringLiteral("The other players' games are shown."));
    showSkipped();
    fillSummary();
    fillGames();
    fillDateCombo();
    fillPlayers();
    // Connected last: filling the combos is not a click.
    connect(imcGames, &QComboBox::activated, this, &frmGameStat::imcGames_Click);
    connect(imcDate, &QComboBox::activated, this, &frmGameStat::imcDate_Click);
    connect(imcPlayer, &QComboBox::activated, this, &frmGameStat::imcPlayer_Click);
}

frmGameStat::~frmGameStat()
{
    if (stores_.Score)
        stores_.Score->CloseScore();
}

void frmGameStat::showSkipped()
{
    const i32 n = stores_.Score->SkippedLines();
    lblSkipped->setText(n == 0 ? QString()
                               : QStringLiteral("%1 damaged line%2 of the score files left out")
                                     .arg(n)
                                     .arg(n == 1 ? QString() : QStringLiteral("s")));
    lblSkipped->setVisible(n != 0);
}

void frmGameStat::fillSummary()
{
    const StatTotals t = stores_.Score->GetTotals();
    const double p = t.Played == 0 ? 1.0 : t.Played;
    const double s = t.Time == 0 ? 1.0 : t.Time;
    const QStringList rows = {
        QStringLiteral("Games Played : %1").arg(t.Played),
        QStringLiteral("Games Won : %1").arg(t.Won),
        QStringLiteral("Games Lost : %1").arg(t.Lost),
        QStringLiteral("Total Moves : %1").arg(t.Moves),
        QStringLiteral("Total Score : %1").arg(t.Score),
        QStringLiteral("Total Time : ") + durationText(t.Time),
        QStringLiteral("Moves Per Game : ") + fix(t.Moves / p),
        QStringLiteral("Score Per Game : ") + fix(t.Score / p),
        QStringLiteral("Time Per Game : ") + durationText(static_cast<i32>(roundHalfEven(t.Time / p))),
        QStringLiteral("Games Per Hour : ") + fix(t.Played / s * 3600),
        QStringLiteral("Moves Per Hour : ") + fix(t.Moves / s * 3600),
        QStringLiteral("Score Per Hour : ") + fix(t.Score / s * 3600),
        QStringLiteral("Winning Percentage : ") + roundedText(round2(t.Won / p * 100)) + QStringLiteral("%"),
    };
    lvGeneral->clear();
    for (const QString &r : rows)
        addRow(lvGeneral, 1, {r});
    lvGeneral->setColumnWidth(0, std::max(200, lvGeneral->viewport()->width() - 4));
    lvGeneral->header()->setStretchLastSection(true);
    chGen->setTable(wonLost(t), wonLostLabels(t));
    chGen1->setTable(figures(t), kFigures);
}

void frmGameStat::fillGames()
{
    const cData &d = *stores_.Data;
    QStringList names;
    for (int g = 1; g <= d.TotalGames(); ++g)
        names << d.GetGName(static_cast<i16>(g));
    const std::vector<StatTotals> totals = stores_.Score->GameTotalsOf(names);
    lvGames->clear();
    for (qsizetype g = 0; g < names.size(); ++g) {
        const StatTotals &t = totals[g];
        const double perc = round2(static_cast<double>(t.Won) * 100 / (t.Played == 0 ? 1 : t.Played));
        addRow(lvGames, 3, totalsRow(names[g], t, roundedText(perc) + QStringLiteral("%")));
    }
    fitColumns(lvGames);
    imcGames->clear();
    for (const QString &n : names)
        imcGames->addItem(statIcon(1), n);
    imcGames->setCurrentIndex(0);
    const int cur = imcGames->findText(d.CurGName());
    if (cur >= 0)
        imcGames->setCurrentIndex(cur);
    ShowGame(imcGames->currentText());
}

void frmGameStat::ShowGame(const QString &gameName)
{
    const StatTotals g = stores_.Score->GetGameTotals(gameName);
    chGames->setTable(wonLost(g), wonLostLabels(g));
    // Row 0 stays empty, so the chart always has a row.
    ChartTable rows(1, std::vector<std::optional<double>>(3));
    for (const ScoreRecord &r : stores_.Score->GameScores(gameName, kGameChartRecords))
        rows.push_back({double(r.Score), double(r.Moves), double(r.Time)});
    chGames1->setTable(rows, kFigures, {}, 0);
}

void frmGameStat::fillDateCombo()
{
    const struct {
        const char *key, *text, *tag;
    } items[] = {{"5d", "Last 5 Days", "d"},     {"10d", "Last 10 Days", "d"},
                 {"30d", "Last 30 Days", "d"},   {"5m", "Last 5 Months", "m"},
                 {"10m", "Last 10 Months", "m"}, {"5y", "Last 5 Years", "yyyy"}};
    imcDate->clear();
    for (const auto &i : items)
        imcDate->addItem(statIcon(1), QString::fromLatin1(i.text),
                         QStringList{QString::fromLatin1(i.key), QString::fromLatin1(i.tag)});
    imcDate->setCurrentIndex(0);
    ShowDates(QStringLiteral("5d"), QStringLiteral("d"));
}

void frmGameStat::ShowDates(const QString &key, const QString &interval)
{
    lvDate->clear();
    const int n = (key == QLatin1String("10d") || key == QLatin1String("10m")) ? 10
                  : key == QLatin1String("30d")                                ? 30
                                                                               : 5;
    const QDateTime now = now_();
    std::vector<QDate> days;
    for (int k = -(n - 1); k <= 0; ++k) {
        QDate d = now.date();
        if (interval == QLatin1String("d"))
            d = d.addDays(k);
        else if (interval == QLatin1String("m"))
            d = d.addMonths(k); // keeps the day where the month has it, else its last day
        else if (interval == QLatin1String("yyyy"))
            d = d.addYears(k);
        days.push_back(d);
    }
    const std::vector<DateTotals> totals = stores_.Score->PeriodTotals(days, interval);
    ChartTable playedWon, figs;
    QStringList labels;
    for (const DateTotals &t : totals) {
        playedWon.push_back({double(t.Played), double(t.Won)});
        figs.push_back({double(t.Score), double(t.Moves), double(t.Time)});
        labels << t.Label;
        addRow(lvDate, 3, {t.Label, QString::number(t.Played), QString::number(t.Won)});
    }
    chDate->setTable(playedWon, {QStringLiteral("Played"), QStringLiteral("Won")}, labels);
    chDate1->setTable(figs, kFigures, labels);
    const QString header = key.endsWith(QLatin1Char('d'))   ? QStringLiteral("Day")
                           : key.endsWith(QLatin1Char('m')) ? QStringLiteral("Month")
                                                            : QStringLiteral("Year");
    lvDate->headerItem()->setText(0, header);
    lvDate->header()->resizeSections(QHeaderView::ResizeToContents);
}

void frmGameStat::fillPlayers()
{
    const cData &d = *stores_.Data;
    const QStringList names = stores_.Score->Players();
    const std::vector<StatTotals> totals = stores_.Score->PlayerTotalsOf(names);
    imcPlayer->clear();
    lvPlayer->clear();
    for (qsizetype p = 0; p < names.size(); ++p) {
        imcPlayer->addItem(statIcon(4), names[p]);
        if (names[p] == d.CurPlayer())
            imcPlayer->setCurrentIndex(static_cast<int>(p));
        const StatTotals &q = totals[p];
        // Rounded as a fraction first, then scaled: 2 of 3 shows 67 here.
        const double perc = round2(static_cast<double>(q.Won) / (q.Played == 0 ? 1 : q.Played)) * 100;
        addRow(lvPlayer, 4, totalsRow(names[p], q, roundedText(perc) + QStringLiteral("%")));
    }
    fitColumns(lvPlayer);
    ShowPlayer(d.CurPlayer());
}

void frmGameStat::ShowPlayer(const QString &playerName)
{
    const StatTotals q = stores_.Score->GetPlayerTotals(playerName);
    chPlayer->setTable(wonLost(q), wonLostLabels(q));
    chPlayer1->setTable(figures(q), kFigures);
}

void frmGameStat::guarded(const std::function<void()> &fn)
{
    // Totals beyond 32 bits are shown as a failure; the window stays usable.
    try {
        fn();
    } catch (const std::exception &ex) {
        QMessageBox::critical(this, stores_.Data->ProdName(), QString::fromStdString(ex.what()));
    }
}

void frmGameStat::imcGames_Click()
{
    guarded([this] { ShowGame(imcGames->currentText()); });
}

void frmGameStat::imcDate_Click()
{
    const QStringList keyTag = imcDate->currentData().toStringList();
    if (keyTag.size() == 2)
        guarded([&] { ShowDates(keyTag[0], keyTag[1]); });
}

void frmGameStat::imcPlayer_Click()
{
    guarded([this] { ShowPlayer(imcPlayer->currentText()); });
}

void frmGameStat::cmdClear_Click()
{
    // The figures shown stay until the window is opened again.
    guarded([this] { ClearStat(this, stores_); });
}

void frmGameStat::cmdExport_Click()
{
    guarded([this] { ExportStat(this, stores_); });
    // The export empties the shared table; the combos still need it. Files left out were named
    // when the window opened or by the export, so the reload shows nothing more.
    guarded([this] { stores_.Score->OpenAllScore(); });
    showSkipped();
}

} // namespace tess
