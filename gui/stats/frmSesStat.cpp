#include "gui/stats/frmSesStat.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QVBoxLayout>

#include "app/stores.h"
#include "gui/table/brand.h"
#include "store/appearance.h"

namespace tess
{

const QColor frmSesStat::kRunningColour(120, 0, 0);

namespace
{

QLabel *label(const QString &name, const QString &design, QWidget *parent)
{
    auto *l = new QLabel(design, parent);
    l->setObjectName(name);
    return l;
}

void paintRunning(QTreeWidgetItem *row)
{
    for (int c = 0; c < row->columnCount(); ++c)
        row->setForeground(c, frmSesStat::kRunningColour);
}

} // namespace

frmSesStat::frmSesStat(Stores stores, QWidget *parent, Clock now)
    : QDialog(parent), stores_(stores), now_(std::move(now))
{
    setObjectName(QStringLiteral("frmSesStat"));
    setWindowTitle(QStringLiteral("Session Statistics"));
    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));

    auto *summary = new QWidget(SSTab1);
    Frame1 = new QGroupBox(QStringLiteral("This Session"), summary);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    lblSesStarted = label(QStringLiteral("lblSesStarted"), QStringLiteral("Session Started :"), Frame1);
    lblSesPlayed = label(QStringLiteral("lblSesPlayed"), QStringLiteral("Games Played :"), Frame1);
    lblSesWon = label(QStringLiteral("lblSesWon"), QStringLiteral("Games Won :"), Frame1);
    lblSesLost = label(QStringLiteral("lblSesLost"), QStringLiteral("Games Lost :"), Frame1);
    lblsesScore = label(QStringLiteral("lblsesScore"), QStringLiteral("Total Score :"), Frame1);
    lblSesMoves = label(QStringLiteral("lblSesMoves"), QStringLiteral("Total Moves :"), Frame1);
    lblSesElapsedTime = label(QStringLiteral("lblSesElapsedTime"), QStringLiteral("Time Elapsed :"), Frame1);
    auto *f1 = new QVBoxLayout(Frame1);
    for (QLabel *l :
         {lblSesStarted, lblSesPlayed, lblSesWon, lblSesLost, lblsesScore, lblSesMoves, lblSesElapsedTime})
        f1->addWidget(l);
    f1->addStretch(1);
    Frame2 = new QGroupBox(QStringLiteral("This Game"), summary);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    lblGameStarted = label(QStringLiteral("lblGameStarted"), QStringLiteral("Game Started :"), Frame2);
    lblGameName = label(QStringLiteral("lblGameName"), QStringLiteral("Game :"), Frame2);
    lblGameNo = label(QStringLiteral("lblGameNo"), QStringLiteral("Game Number :"), Frame2);
    lblGameScore = label(QStringLiteral("lblGameScore"), QStringLiteral("Score :"), Frame2);
    lblGameMoves = label(QStringLiteral("lblGameMoves"), QStringLiteral("Moves :"), Frame2);
    lblGameTime = label(QStringLiteral("lblGameTime"), QStringLiteral("Time Elapsed :"), Frame2);
    lblPlayer = label(QStringLiteral("lblPlayer"), QStringLiteral("Player Name :"), Frame2);
    auto *f2 = new QVBoxLayout(Frame2);
    for (QLabel *l :
         {lblGameStarted, lblGameName, lblGameNo, lblGameScore, lblGameMoves, lblGameTime, lblPlayer})
        f2->addWidget(l);
    f2->addStretch(1);
    lvSession = makeList(QStringLiteral("lvSession"),
                         {QStringLiteral("Game"), QStringLiteral("Game No"), QStringLiteral("Player"),
                          QStringLiteral("Time"), QStringLiteral("Moves"), QStringLiteral("Status"),
                          QStringLiteral("Score")},
                         summary);
    auto *sumLay = new QGridLayout(summary);
    sumLay->addWidget(Frame1, 0, 0);
    sumLay->addWidget(Frame2, 0, 1);
    sumLay->addWidget(lvSession, 1, 0, 1, 2);
    sumLay->setRowStretch(1, 1);
    SSTab1->addTab(summary, QStringLiteral("Summary"));

    Frame3 = new QGroupBox(SSTab1);
    Frame3->setObjectName(QStringLiteral("Frame3"));
    cmdRefresh = new QPushButton(QStringLiteral("Refresh Chart"), Frame3);
    cmdRefresh->setObjectName(QStringLiteral("cmdRefresh"));
    lvSesChart = makeList(
        QStringLiteral("lvSesChart"),
        {QStringLiteral("No."), QStringLiteral("Time"), QStringLiteral("Moves"), QStringLiteral("Score")},
        Frame3);
    lvSesChart->setMinimumWidth(240);
    chChart = new StatChart(QStringLiteral("chChart"), Frame3);
    chSummary = new StatChart(QStringLiteral("chSummary"), Frame3);
    auto *f3 = new QGridLayout(Frame3);
    f3->addWidget(cmdRefresh, 0, 0);
    f3->addWidget(lvSesChart, 1, 0, 2, 1);
    f3->addWidget(chChart, 0, 1, 2, 1);
    f3->addWidget(chSummary, 2, 1);
    f3->setColumnStretch(1, 1);
    f3->setRowStretch(1, 3);
    f3->setRowStretch(2, 2);
    SSTab1->addTab(Frame3, QStringLiteral("Session Details"));

    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    auto *lay = new QVBoxLayout(this);
    lay->addWidget(SSTab1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);
    lay->addLayout(buttons);
    resize(820, 600);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdRefresh, &QPushButton::clicked, this, &frmSesStat::cmdRefresh_Click);

    // Load.
    SSTab1->setCurrentIndex(0);
    setWindowIcon(brand::appIcon());
    const cData &d = *stores_.Data;
    const cScore &s = *stores_.Score;
    const StatTotals t = s.GetSesTotals();
    const i16 top = s.SesTop();
    lblSesStarted->setText(QStringLiteral("Started : ") + d.SesStartTime);
    lblSesPlayed->setText(QStringLiteral("Games Played : %1").arg(top));
    lblSesWon->setText(QStringLiteral("Games Won : %1").arg(t.Won));
    lblSesLost->setText(QStringLiteral("Games Lost : %1").arg(t.Lost));
    lblsesScore->setText(QStringLiteral("Total Score : %1").arg(t.Score));
    lblSesMoves->setText(QStringLiteral("Total Moves : %1").arg(t.Moves));
    lblSesElapsedTime->setText(elapsedText());
    std::vector<ScoreRecord> games;
    for (int i = 1; i <= top; ++i)
        games.push_back(s.GetSesGame(i));
    for (const ScoreRecord &g : games)
        addRow(lvSession, 1,
               {g.GameName, QString::fromStdString(g.GameNo.display()), g.Player, durationText(g.Time),
                QString::number(g.Moves), ResultText(g.Won), QString::number(g.Score)});
    chSummary->setTable({{double(t.Won), double(t.Lost)}},
                        {QStringLiteral("Won : %1").arg(t.Won), QStringLiteral("Lost : %1").arg(t.Lost)});
    const QString number = QString::fromStdString(d.CurGNo.display());
    if (d.GameRunning) {
        QTreeWidgetItem *row =
            addRow(lvSession, 2,
                   {d.CurGName(), number, d.CurPlayer(), durationText(d.CurTime), QString::number(d.CurMoves),
                    QStringLiteral("Running"), QString::number(d.CurScore)});
        paintRunning(row);
        lvSession->scrollToItem(row);
    }

    for (size_t i = 0; i < games.size(); ++i)
        addRow(lvSesChart, 1,
               {QString::number(i + 1), durationText(games[i].Time), QString::number(games[i].Moves),
                QString::number(games[i].Score)});
    ChartRows.assign(games.size() + 1, std::vector<std::optional<double>>(3));
    for (size_t i = 0; i < games.size(); ++i)
        ChartRows[i] = {double(games[i].Score), double(games[i].Moves), double(games[i].Time)};
    if (d.GameRunning)
        ChartRows.back() = {double(d.CurScore), double(d.CurMoves), double(d.CurTime)};
    giveChart();
    if (d.GameRunning) {
        QTreeWidgetItem *row = addRow(lvSesChart, 2,
                                      {QString::number(top + 1), durationText(d.CurTime),
                                       QString::number(d.CurMoves), QString::number(d.CurScore)});
        paintRunning(row);
        lvSesChart->scrollToItem(row);
    }
    for (QTreeWidget *l : {lvSession, lvSesChart})
        l->header()->resizeSections(QHeaderView::ResizeToContents);

    lblGameStarted->setText(QStringLiteral("Game Started : ") + d.GameStartTime);
    lblGameName->setText(QStringLiteral("Game : ") + d.CurGName());
    lblGameNo->setText(QStringLiteral("Game Number : ") + number);
    lblGameScore->setText(QStringLiteral("Score : %1").arg(d.CurScore));
    lblGameMoves->setText(QStringLiteral("Moves : %1").arg(d.CurMoves));
    lblGameTime->setText(QStringLiteral("Time Elapsed : ") + durationText(d.CurTime));
    lblPlayer->setText(QStringLiteral("Player Name : ") + d.CurPlayer());

    Timer1.setInterval(500);
    connect(&Timer1, &QTimer::timeout, this, &frmSesStat::Timer1_Timer);
    Timer1.start();
}

QString frmSesStat::elapsedText() const
{
    const auto start = parseDateText(stores_.Data->SesStartTime);
    qint64 secs = 0;
    if (start)
        secs = std::max<qint64>(0, QDateTime(start->day, start->at).secsTo(now_()));
    return QStringLiteral("Time Elapsed : ") +
           durationText(static_cast<i32>(std::min<qint64>(secs, INT32_MAX)));
}

void frmSesStat::giveChart()
{
    chChart->setTable(ChartRows, {QStringLiteral("Score"), QStringLiteral("Moves"), QStringLiteral("Time")});
}

void frmSesStat::Timer1_Timer()
{
    const cData &d = *stores_.Data;
    lblSesElapsedTime->setText(elapsedText());
    if (!d.GameRunning)
        return;
    const int last = stores_.Score->SesTop(); // the running game's row, counting from 0
    if (QTreeWidgetItem *row = lvSession->topLevelItem(last)) {
        row->setText(3, durationText(d.CurTime));
        row->setText(6, QString::number(d.CurScore));
    }
    if (QTreeWidgetItem *row = lvSesChart->topLevelItem(last)) {
        row->setText(1, durationText(d.CurTime));
        row->setText(3, QString::number(d.CurScore));
    }
    lblGameScore->setText(QStringLiteral("Score : %1").arg(d.CurScore));
    lblGameTime->setText(QStringLiteral("Time Elapsed : ") + durationText(d.CurTime));
}

void frmSesStat::cmdRefresh_Click()
{
    const cData &d = *stores_.Data;
    if (!d.GameRunning)
        return;
    ChartRows.back() = {double(d.CurScore), double(d.CurMoves), double(d.CurTime)};
    giveChart();
}

} // namespace tess
