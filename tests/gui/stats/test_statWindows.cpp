// The statistics windows offscreen, over score files the tests write: the game statistics,
// the high scores, the log and the session window, driven through their own slots.
#include <QAction>
#include <QApplication>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLocale>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include "gui/frmMain.h"
#include "gui/stats/frmGameStat.h"
#include "gui/stats/frmHighScore.h"
#include "gui/stats/frmLogStat.h"
#include "gui/stats/frmSesStat.h"
#include "tests/support/answer.h"
#include "tests/support/mainParts.h"
#include "tests/support/tempShared.h"

using namespace tess;
using tess::testing::action;
using tess::testing::caption;
using tess::testing::menuItem;

QT_BEGIN_NAMESPACE
// Readable failures.
inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList &l, std::ostream *os)
{
    *os << '{' << l.join(QStringLiteral(", ")).toStdString() << '}';
}
QT_END_NAMESPACE

namespace
{

QByteArray line(const QString &date, const char *game, i32 time, i32 moves, i32 score, int won,
                const char *no = "1")
{
    return "\"" + date.toUtf8() + "\",\"" + game + "\"," + no + "," + QByteArray::number(time) + "," +
           QByteArray::number(moves) + "," + QByteArray::number(score) + "," + QByteArray::number(won) +
           "\r\n";
}

QString at(const QDateTime &when)
{
    return when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

// Score files for the named players, the first one current.
struct Scores : tess::testing::TempShared {
    explicit Scores(const QStringList &players = {QStringLiteral("Ann"), QStringLiteral("Bob")})
    {
        shared.createGameObjects();
        for (qsizetype i = 0; i < players.size(); ++i)
            d().SetPlayer(static_cast<i16>(i + 1), players[i], i == 0);
    }
    void write(const QString &player, const QByteArray &lines)
    {
        QDir().mkpath(d().AppDir());
        QFile f(d().AppDir() + player + ".sre");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(lines);
    }
};

QList<QStringList> rows(const QTreeWidget *list)
{
    QList<QStringList> out;
    for (int r = 0; r < list->topLevelItemCount(); ++r) {
        QStringList texts;
        for (int c = 0; c < list->columnCount(); ++c)
            texts << list->topLevelItem(r)->text(c);
        out << texts;
    }
    return out;
}

QStringList column(const QTreeWidget *list, int c)
{
    QStringList out;
    for (const QStringList &r : rows(list))
        out << r[c];
    return out;
}

QStringList logColumn(const frmLogStat &w, int c)
{
    QStringList out;
    for (int r = 0; r < w.logRows->rowCount(); ++r)
        out << w.logRows->data(w.logRows->index(r, c), Qt::DisplayRole).toString();
    return out;
}

void choose(QComboBox *combo, const QString &text)
{
    const int i = combo->findText(text);
    ASSERT_GE(i, 0) << text.toStdString();
    combo->setCurrentIndex(i);
}

Clock fixedClock(const QDateTime &now)
{
    return [now] { return now; };
}

const QDateTime kNow(QDate(2026, 3, 15), QTime(12, 0));

} // namespace

TEST(GameStatWindow, NoScoreFilesGiveZerosEverywhere)
{
    Scores s;
    frmGameStat w(s.shared, nullptr, fixedClock(kNow));
    EXPECT_EQ(w.windowTitle(), "Game Statistics");
    EXPECT_EQ(w.SSTab1->currentIndex(), 0);
    EXPECT_EQ(column(w.lvGeneral, 0),
              QStringList({"Games Played : 0", "Games Won : 0", "Games Lost : 0", "Total Moves : 0",
                           "Total Score : 0", "Total Time : 0:00:00", "Moves Per Game : 0",
                           "Score Per Game : 0", "Time Per Game : 0:00:00", "Games Per Hour : 0",
                           "Moves Per Hour : 0", "Score Per Hour : 0", "Winning Percentage : 0%"}));
    ASSERT_EQ(w.lvGames->topLevelItemCount(), 33);
    EXPECT_EQ(rows(w.lvGames)[0], QStringList({"Blind Alleys", "0", "0", "0", "0:00:00", "0", "0", "0%"}));
    EXPECT_EQ(rows(w.lvPlayer), (QList<QStringList>{{"Ann", "0", "0", "0", "0:00:00", "0", "0", "0%"},
                                                    {"Bob", "0", "0", "0", "0:00:00", "0", "0", "0%"}}));
    EXPECT_EQ(column(w.lvDate, 1), QStringList(5, "0"));
    EXPECT_EQ(w.chGames1->table(), ChartTable(1, std::vector<std::optional<double>>(3)));
    EXPECT_EQ(w.chGen->columnLabels(), QStringList({"Won : 0", "Lost : 0"}));
    EXPECT_TRUE(w.lblSkipped->isHidden());
}

TEST(GameStatWindow, RatesTruncateTowardZeroAndNeverDivideByZero)
{
    {
        // Every game ended in its first second: the hour rates divide by 1.
        Scores s;
        s.write("Ann", line(at(kNow), "Klondike", 0, 10, 5, 1) + line(at(kNow), "Klondike", 0, 20, 6, 0) +
                           line(at(kNow), "Raglan", 0, 30, 7, 1));
        frmGameStat w(s.shared, nullptr, fixedClock(kNow));
        const QStringList summary = column(w.lvGeneral, 0);
        EXPECT_EQ(summary[9], "Games Per Hour : 10800");
        EXPECT_EQ(summary[10], "Moves Per Hour : 216000");
        EXPECT_EQ(summary[12], "Winning Percentage : 66.67%");
    }
    {
        // A negative total: shown as is, per game and per hour toward zero, a zero-height bar.
        Scores s;
        s.write("Ann",
                line(at(kNow), "Klondike", 1000, 10, -7, 0) + line(at(kNow), "Klondike", 2001, 11, 0, 0));
        frmGameStat w(s.shared, nullptr, fixedClock(kNow));
        const QStringList summary = column(w.lvGeneral, 0);
        EXPECT_EQ(summary[4], "Total Score : -7");
        EXPECT_EQ(summary[7], "Score Per Game : -3");     // -3.5
        EXPECT_EQ(summary[11], "Score Per Hour : -8");    // -7 / 3001 * 3600 = -8.4
        EXPECT_EQ(summary[8], "Time Per Game : 0:25:00"); // 1500.5 s, the half to the even second
        EXPECT_EQ(w.chGen1->table(), ChartTable({{0.0, 21.0, 3001.0}}));
        EXPECT_EQ(w.chGen1->columnLabels(), QStringList({"Score", "Moves", "Time"}));
        EXPECT_EQ(w.chPlayer1->table(), ChartTable({{0.0, 21.0, 3001.0}}));
        EXPECT_EQ(rows(w.lvPlayer)[0][6], "-7");
    }
}

TEST(GameStatWindow, PercentagesDifferBetweenGamesAndPlayers)
{
    Scores s;
    s.write("Ann", line(at(kNow), "Klondike", 60, 10, 5, 1) + line(at(kNow), "Klondike", 60, 20, 6, 0) +
                       line(at(kNow), "Klondike", 60, 30, 7, 1));
    frmGameStat w(s.shared, nullptr, fixedClock(kNow));
    const QList<QStringList> games = rows(w.lvGames);
    const auto klondike =
        std::find_if(games.begin(), games.end(), [](auto &r) { return r[0] == "Klondike"; });
    ASSERT_NE(klondike, games.end());
    EXPECT_EQ(*klondike, QStringList({"Klondike", "3", "2", "1", "0:03:00", "60", "18", "66.67%"}));
    EXPECT_EQ(rows(w.lvPlayer)[0], QStringList({"Ann", "3", "2", "1", "0:03:00", "60", "18", "67%"}));
    EXPECT_EQ(w.chPlayer->columnLabels(), QStringList({"Won : 2", "Lost : 1"}));
    EXPECT_EQ(w.chPlayer->table(), ChartTable({{2.0, 1.0}}));
}

TEST(GameStatWindow, AGameChartsItsFirstFiftyRecordsInLoadOrder)
{
    Scores s;
    QByteArray ann, bob;
    for (int i = 1; i <= 40; ++i)
        ann += line(at(kNow), "Canister", i, 100 + i, i % 7 - 3, 1);
    for (int i = 41; i <= 70; ++i)
        bob += line(at(kNow), "Canister", i, 100 + i, 5, 0);
    s.write("Ann", ann);
    s.write("Bob", bob);
    s.d().SetCurGName("Canister");
    frmGameStat w(s.shared, nullptr, fixedClock(kNow));
    EXPECT_EQ(w.imcGames->currentText(), "Canister");
    const ChartTable &t = w.chGames1->table();
    ASSERT_EQ(t.size(), 51u);
    EXPECT_EQ(t[0], std::vector<std::optional<double>>(3));
    EXPECT_EQ(t[1], (std::vector<std::optional<double>>{-2.0, 101.0, 1.0})); // the true figure
    auto *series = qobject_cast<QBarSeries *>(w.chGames1->chart()->series().value(0));
    ASSERT_TRUE(series);
    ASSERT_EQ(series->count(), 3);
    EXPECT_EQ(series->barSets()[0]->label(), "Score");
    EXPECT_EQ(series->barSets()[0]->count(), 51);
    EXPECT_EQ(series->barSets()[0]->at(1), 0.0); // drawn with no height
    EXPECT_EQ(series->barSets()[1]->at(1), 101.0);
    EXPECT_EQ(t[41], (std::vector<std::optional<double>>{5.0, 141.0, 41.0}));
    EXPECT_EQ(t[50], (std::vector<std::optional<double>>{5.0, 150.0, 50.0}));
    EXPECT_EQ(w.chGames->columnLabels(), QStringList({"Won : 40", "Lost : 30"}));

    // Another game through the combo; the lists stay.
    const auto before = rows(w.lvGames);
    choose(w.imcGames, "Raglan");
    w.imcGames_Click();
    EXPECT_EQ(w.chGames1->table().size(), 1u);
    EXPECT_EQ(rows(w.lvGames), before);
}

TEST(GameStatWindow, PeriodsStepByCalendarDaysMonthsAndYears)
{
    Scores s;
    // The last day of March: a month step back lands on the last day of shorter months.
    const QDateTime now(QDate(2026, 3, 31), QTime(9, 0));
    s.write("Ann", line("2026-03-31 00:00:01", "Klondike", 10, 1, 1, 1) +
                       line("2026-03-27 23:59:59", "Klondike", 10, 1, 1, 0) + // first of the 5 days
                       line("2026-03-26 23:59:59", "Klondike", 10, 1, 1, 1) + // before them
                       line("2026-02-03 10:00:00", "Klondike", 10, 1, 1, 1) +
                       line("2025-06-30 10:00:00", "Klondike", 10, 1, 1, 0) +
                       line("2025-05-31 10:00:00", "Klondike", 10, 1, 1, 0) +
                       line("someday", "Klondike", 10, 1, 1, 0));
    frmGameStat w(s.shared, nullptr, fixedClock(now));
    const QLocale loc = QLocale::system();
    EXPECT_EQ(w.lvDate->headerItem()->text(0), "Day");
    EXPECT_EQ(column(w.lvDate, 1), QStringList({"1", "0", "0", "0", "1"}));
    EXPECT_EQ(column(w.lvDate, 0).first(), loc.toString(QDate(2026, 3, 27), "MMM dd"));

    choose(w.imcDate, "Last 10 Months");
    w.imcDate_Click();
    EXPECT_EQ(w.lvDate->headerItem()->text(0), "Month");
    const QStringList labels = column(w.lvDate, 0);
    ASSERT_EQ(labels.size(), 10);
    EXPECT_EQ(labels.last(), loc.toString(QDate(2026, 3, 1), "MMM yy"));
    EXPECT_EQ(labels[8], loc.toString(QDate(2026, 2, 1), "MMM yy"));
    EXPECT_EQ(labels.first(), loc.toString(QDate(2025, 6, 1), "MMM yy"));
    EXPECT_EQ(column(w.lvDate, 1), QStringList({"1", "0", "0", "0", "0", "0", "0", "0", "1", "3"}));
    EXPECT_EQ(column(w.lvDate, 2), QStringList({"0", "0", "0", "0", "0", "0", "0", "0", "1", "2"}));
    EXPECT_EQ(w.chDate->table().size(), 10u);
    EXPECT_EQ(w.chDate->table().back(), (std::vector<std::optional<double>>{3.0, 2.0}));
    EXPECT_EQ(w.chDate1->columnLabels(), QStringList({"Score", "Moves", "Time"}));

    choose(w.imcDate, "Last 5 Years");
    w.imcDate_Click();
    EXPECT_EQ(w.lvDate->headerItem()->text(0), "Year");
    EXPECT_EQ(column(w.lvDate, 0), QStringList({"2022", "2023", "2024", "2025", "2026"}));
    EXPECT_EQ(column(w.lvDate, 1), QStringList({"0", "0", "0", "2", "4"}));

    choose(w.imcDate, "Last 5 Days");
    w.imcDate_Click();
    EXPECT_EQ(w.lvDate->headerItem()->text(0), "Day");
}

TEST(GameStatWindow, DamagedLinesAreCountedAndSkippedWhileTheRestShows)
{
    Scores s;
    // Two lines with a time no game can have would overflow every 32-bit total.
    s.write("Ann",
            line(at(kNow), "Klondike", 2147483647, 10, 5, 1) + line(at(kNow), "Klondike", 120, 10, 5, 1) +
                line(at(kNow), "Klondike", 2147483647, 10, 5, 1) + "\"2026-03-15 10:00:00\",\"Klon\r\n" +
                line(at(kNow), "Raglan", 60, 40000, 5, 1) + line(at(kNow), "Raglan", 60, 4, 40000, 1));
    s.write("Bob", line(at(kNow), "Raglan", 60, 7, 3, 0));
    frmGameStat w(s.shared, nullptr, fixedClock(kNow));
    EXPECT_FALSE(w.lblSkipped->isHidden());
    EXPECT_TRUE(w.lblSkipped->text().startsWith("5 damaged lines")) << w.lblSkipped->text().toStdString();
    const QStringList summary = column(w.lvGeneral, 0);
    EXPECT_EQ(summary[0], "Games Played : 2");
    EXPECT_EQ(summary[5], "Total Time : 0:03:00");
    EXPECT_EQ(s.shared.Score->SkippedLines(), 5);
    // The report still writes.
    EXPECT_NO_THROW(s.shared.Score->WriteReport(s.dir.filePath("report.txt")));
}

TEST(GameStatWindow, ExportKeepsTheCombosWorkingAndClearLeavesTheFiguresShown)
{
    Scores s;
    s.write("Ann", line(at(kNow), "Klondike", 10, 1, 1, 1) + line(at(kNow), "Canister", 20, 2, 2, 0));
    frmGameStat w(s.shared, nullptr, fixedClock(kNow));
    const QString report = s.dir.filePath("board.txt");
    tess::testing::Shown done;
    tess::testing::answerSaveDialog(report);
    tess::testing::answerBox(&done);
    w.cmdExport->click();
    EXPECT_TRUE(QFile::exists(report));
    EXPECT_TRUE(done.text.startsWith("Statistics Successfully Exported to ")) << done.text.toStdString();
    EXPECT_EQ(s.shared.Score->ScoreTop(), 2);
    choose(w.imcGames, "Canister");
    w.imcGames_Click();
    EXPECT_EQ(w.chGames1->table().size(), 2u);
    choose(w.imcDate, "Last 10 Days");
    w.imcDate_Click();
    EXPECT_EQ(column(w.lvDate, 1).last(), "2");

    const auto before = rows(w.lvGames);
    tess::testing::Shown asked, cleared;
    tess::testing::answerBox(&asked, QMessageBox::Yes);
    tess::testing::answerBox(&cleared);
    w.cmdClear->click();
    EXPECT_EQ(cleared.count, 1);
    EXPECT_EQ(
        asked.text,
        "Are you sure you want to clear the Statistics, High Score and Log for all Players and all Games ?");
    EXPECT_FALSE(QFile::exists(s.d().AppDir() + "Ann.sre"));
    EXPECT_EQ(rows(w.lvGames), before);
    EXPECT_EQ(column(w.lvGeneral, 0)[0], "Games Played : 2");
}

TEST(StatWindows, AFileThatCannotBeReadIsNamedOnceAndTheOthersShow)
{
    Scores s;
    s.write("Ann", line(at(kNow), "Klondike", 120, 10, 5, 1));
    ASSERT_TRUE(QDir().mkpath(s.d().AppDir() + "Bob.sre"));
    auto named = [](const QList<tess::testing::Shown> &shown) {
        return shown.size() == 1 && shown[0].icon == QMessageBox::Information &&
               shown[0].text.contains("Bob.sre\": it is a folder");
    };
    QList<tess::testing::Shown> shown;
    tess::testing::answerBoxes(&shown, 1);
    {
        frmGameStat w(s.shared, nullptr, fixedClock(kNow));
        EXPECT_TRUE(named(shown)) << (shown.isEmpty() ? "" : shown[0].text.toStdString());
        EXPECT_EQ(column(w.lvGeneral, 0)[0], "Games Played : 1");
        EXPECT_EQ(column(w.lvPlayer, 1), QStringList({"1", "0"}));
    }
    shown.clear();
    tess::testing::answerBoxes(&shown, 1);
    {
        frmHighScore w(s.shared, nullptr);
        EXPECT_TRUE(named(shown));
        EXPECT_EQ(w.lvTop->topLevelItemCount(), 1);
    }
    shown.clear();
    tess::testing::answerBoxes(&shown, 1);
    {
        frmLogStat w(s.shared, nullptr, fixedClock(kNow));
        EXPECT_TRUE(named(shown));
        EXPECT_EQ(w.logRows->rowCount(), 1);
    }
}

TEST(GameStatWindow, AFailedExportOverAFileGoneBadKeepsTheWindowWorking)
{
    Scores s;
    s.write("Ann", line(at(kNow), "Klondike", 10, 1, 1, 1) + line(at(kNow), "Canister", 20, 2, 2, 0));
    s.write("Bob", line(at(kNow), "Canister", 30, 3, 3, 1));
    frmGameStat w(s.shared, nullptr, fixedClock(kNow));
    // While the window is open, Bob's file turns into something that cannot be read.
    const QString bob = s.d().AppDir() + "Bob.sre";
    ASSERT_TRUE(QFile::remove(bob));
    ASSERT_TRUE(QDir().mkpath(bob));
    // A target inside a plain file cannot be written, by anyone.
    const QString blocker = s.dir.filePath("plain-file");
    {
        QFile f(blocker);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    tess::testing::answerSaveDialog(blocker + "/board.txt");
    QList<tess::testing::Shown> shown;
    tess::testing::answerBoxes(&shown, 2);
    EXPECT_NO_THROW(w.cmdExport->click());
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0].icon, QMessageBox::Information);
    EXPECT_TRUE(shown[0].text.contains("Bob.sre")) << shown[0].text.toStdString();
    EXPECT_EQ(shown[1].icon, QMessageBox::Critical);
    // The reload took what it could.
    EXPECT_EQ(s.shared.Score->ScoreTop(), 2);
    choose(w.imcGames, "Canister");
    w.imcGames_Click();
    EXPECT_EQ(w.chGames1->table().size(), 2u);
}

TEST(GameStatWindow, EnterClosesTheWindowAndTheClearQuestionDefaultsToNo)
{
    Scores s;
    s.write("Ann", line(at(kNow), "Klondike", 10, 1, 1, 1));
    const QString ann = s.d().AppDir() + "Ann.sre";
    // Every question is answered as a user leaning on Enter would; what it offered is kept.
    QStringList asked;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        asked << box->text();
        if (box->defaultButton() != box->button(QMessageBox::No))
            asked << "default is not No";
        QTest::keyClick(box, Qt::Key_Return);
    });
    poll.start(10);

    frmGameStat w(s.shared, nullptr, fixedClock(kNow));
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_FALSE(w.cmdClear->isDefault());
    EXPECT_TRUE(w.cmdClose->isDefault());
    QTest::keyClick(&w, Qt::Key_Return);
    EXPECT_TRUE(asked.isEmpty()) << asked.join(" | ").toStdString();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_TRUE(QFile::exists(ann));

    // Asked on purpose, the question still takes Enter as No.
    w.show();
    w.cmdClear->click();
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked[0].startsWith("Are you sure you want to clear the Statistics"));
    EXPECT_TRUE(QFile::exists(ann));
}

TEST(GameStatWindow, ClosingEmptiesTheTable)
{
    Scores s;
    s.write("Ann", line(at(kNow), "Klondike", 1, 1, 1, 1));
    {
        frmGameStat w(s.shared, nullptr, fixedClock(kNow));
        EXPECT_EQ(s.shared.Score->ScoreTop(), 1);
    }
    EXPECT_EQ(s.shared.Score->ScoreTop(), 0);
}

TEST(HighScoreWindow, ShortListsAreNumberedWithoutGapsLaterEqualScoresFirst)
{
    Scores s;
    s.write("Ann", line("2026-03-01 10:00:00", "Klondike", 300, 90, 40, 1, "11") +
                       line("2026-03-02 10:00:00", "Klondike", 200, 80, 0, 1, "12") + // never in a score list
                       line("2026-03-03 10:00:00", "Raglan", 100, 70, 25, 0, "\"x7\""));
    s.write("Bob", line("2026-03-04 10:00:00", "Klondike", 400, 60, 40, 1, "14") +
                       line("2026-03-05 10:00:00", "Klondike", 50, 0, 10, 1, "15"));
    frmHighScore w(s.shared);
    EXPECT_EQ(w.windowTitle(), "High Score");
    const QList<QStringList> top = rows(w.lvTop);
    ASSERT_EQ(top.size(), 4);
    EXPECT_EQ(column(w.lvTop, 0), QStringList({"1", "2", "3", "4"}));
    EXPECT_EQ(top[0],
              QStringList({"1", "Bob", "Klondike", "40", "0:06:40", "60", "Won",
                           QLocale::system().toString(QDate(2026, 3, 4), QLocale::ShortFormat), "14"}));
    EXPECT_EQ(top[1][1], "Ann");
    EXPECT_EQ(top[2],
              QStringList({"3", "Ann", "Raglan", "25", "0:01:40", "70", "Lost",
                           QLocale::system().toString(QDate(2026, 3, 3), QLocale::ShortFormat), "x7"}));
    EXPECT_TRUE(w.lvTop->topLevelItem(0)->font(3).bold());
    EXPECT_FALSE(w.lvTop->topLevelItem(0)->font(4).bold());

    // Current player Ann: her list.
    EXPECT_EQ(w.imcPlayer->currentText(), "Ann");
    EXPECT_EQ(column(w.lvPlayer, 1), QStringList({"Klondike", "Raglan"}));
    w.ShowGameTop("Raglan");
    EXPECT_EQ(column(w.lvGames, 1), QStringList({"Ann"}));

    // Won games by fewest moves: the lost one and the zero-move one stay out, Moves in bold.
    w.ShowFinished("Moves");
    EXPECT_EQ(column(w.lvFin, 5), QStringList({"60", "80", "90"}));
    EXPECT_EQ(column(w.lvFin, 0), QStringList({"1", "2", "3"}));
    EXPECT_TRUE(w.lvFin->topLevelItem(0)->font(5).bold());
    EXPECT_FALSE(w.lvFin->topLevelItem(0)->font(3).bold());
    w.ShowFinished("Time");
    EXPECT_EQ(column(w.lvFin, 4), QStringList({"0:00:50", "0:03:20", "0:05:00", "0:06:40"}));
    EXPECT_TRUE(w.lvFin->topLevelItem(0)->font(4).bold());
    w.ShowFinished("Score");
    EXPECT_EQ(column(w.lvFin, 3), QStringList({"40", "40", "10"}));
}

TEST(HighScoreWindow, TwoWindowsAndOtherCallersKeepTheirOwnLists)
{
    Scores s;
    s.write("Ann", line("2026-03-01 10:00:00", "Klondike", 300, 90, 40, 1) +
                       line("2026-03-01 10:00:00", "Raglan", 30, 9, 20, 1));
    frmHighScore a(s.shared);
    frmHighScore b(s.shared);
    // Someone else's top list, built before the windows chose theirs.
    s.shared.Score->FinSort(-1, 0);
    a.ShowGameTop("Raglan");
    b.ShowGameTop("Klondike");
    a.ShowFinished("Moves");
    b.ShowFinished("Score");
    EXPECT_EQ(column(a.lvGames, 2), QStringList({"20"}));
    EXPECT_EQ(column(b.lvGames, 2), QStringList({"40"}));
    EXPECT_EQ(column(a.lvFin, 5), QStringList({"9", "90"}));
    EXPECT_EQ(column(b.lvFin, 3), QStringList({"40", "20"}));
    EXPECT_EQ(s.shared.Score->GetTop(1).Time, 30);
    EXPECT_EQ(s.shared.Score->GetTop(2).Time, 300);
}

TEST(LogWindow, FiltersByPlayerGameAndCalendarPeriod)
{
    Scores s;
    const QDateTime now(QDate(2026, 3, 1), QTime(10, 0));
    s.write("Ann", line("2026-02-28 23:59:59", "Klondike", 1, 1, 1, 1) +     // yesterday
                       line("2026-03-01 00:00:01", "Klondike", 2, 1, 1, 0) + // today
                       line("2026-02-26 08:00:00", "Raglan", 3, 1, 1, 1) +   // three days back
                       line("2025-12-01 08:00:00", "Raglan", 4, 1, 1, 1) +   // three months back
                       line("2025-11-30 23:00:00", "Raglan", 5, 1, 1, 1) +   // four months back
                       line("2026-03-02 08:00:00", "Klondike", 6, 1, 1, 1) + // tomorrow
                       line("someday", "Klondike", 7, 1, 1, 1));
    s.write("Bob", line("2026-03-01 09:00:00", "Raglan", 8, 1, 1, 1));
    frmLogStat w(s.shared, nullptr, fixedClock(now));
    EXPECT_EQ(w.imcDate->currentText(), "Show All");
    auto times = [&] { return logColumn(w, 4); };
    EXPECT_EQ(times(), QStringList({"0:00:01", "0:00:02", "0:00:03", "0:00:04", "0:00:05", "0:00:06",
                                    "0:00:07", "0:00:08"}));
    EXPECT_EQ(logColumn(w, 7)[6], "someday");

    choose(w.imcDate, "Show Today");
    w.FillLog();
    EXPECT_EQ(times(), QStringList({"0:00:02", "0:00:08"}));
    EXPECT_EQ(logColumn(w, 0), QStringList({"1", "2"}));
    choose(w.imcDate, "Last 3 Days");
    w.FillLog();
    EXPECT_EQ(times(), QStringList({"0:00:01", "0:00:02", "0:00:03", "0:00:08"}));
    choose(w.imcDate, "Last 3 Months");
    w.FillLog();
    EXPECT_EQ(times(), QStringList({"0:00:01", "0:00:02", "0:00:03", "0:00:04", "0:00:08"}));

    choose(w.imcPlayer, "Ann");
    choose(w.imcGames, "Raglan");
    w.FillLog();
    EXPECT_EQ(times(), QStringList({"0:00:03", "0:00:04"}));
    EXPECT_EQ(logColumn(w, 1), QStringList({"Ann", "Ann"}));
    choose(w.imcGames, "Westcliff");
    w.FillLog();
    EXPECT_EQ(w.logRows->rowCount(), 0);
}

namespace
{

// No text is cut and no width is left over: every column holds its header and texts, and the
// columns together reach the list's right edge.
void expectColumnsFit(QTreeView *list)
{
    QApplication::processEvents();
    const int columns = list->header()->count();
    int total = 0;
    for (int c = 0; c < columns; ++c) {
        const int needed = std::max(static_cast<QAbstractItemView *>(list)->sizeHintForColumn(c),
                                    list->header()->sectionSizeHint(c));
        EXPECT_GE(list->columnWidth(c), needed) << list->objectName().toStdString() << " column " << c;
        total += list->columnWidth(c);
    }
    EXPECT_GE(total, list->viewport()->width()) << list->objectName().toStdString();
}

} // namespace

TEST(LogWindow, ColumnsFitTheirTextsAndTheLastReachesTheEdge)
{
    Scores s;
    s.write("Ann", line(at(kNow), "Klondike", 100, 50, 300, 1, "967724637558123") +
                       line(at(kNow), "Blind Alleys", 100, 50, -300, 0, "5"));
    frmLogStat w(s.shared, nullptr, fixedClock(kNow));
    w.show();
    expectColumnsFit(w.lvLog);
    EXPECT_GE(w.lvLog->columnWidth(8), w.lvLog->fontMetrics().horizontalAdvance("967724637558123"));
    choose(w.imcGames, "Blind Alleys");
    w.FillLog();
    expectColumnsFit(w.lvLog);

    frmGameStat g(s.shared, nullptr, fixedClock(kNow));
    g.resize(900, 600);
    g.show();
    g.SSTab1->setCurrentWidget(g.Frame1);
    expectColumnsFit(g.lvGames);
    g.SSTab1->setCurrentWidget(g.Frame4);
    expectColumnsFit(g.lvPlayer);
}

TEST(LogWindow, PeriodRulesAtTheirEdges)
{
    auto rec = [](QDate d) {
        ScoreRecord r;
        r.Day = d;
        return r;
    };
    const QDate today(2026, 3, 1);
    EXPECT_TRUE(inPeriod(rec(QDate(2026, 1, 31)), "30d", today));  // 29 days
    EXPECT_FALSE(inPeriod(rec(QDate(2026, 1, 29)), "30d", today)); // 31 days
    EXPECT_TRUE(inPeriod(rec(QDate(2025, 10, 1)), "5m", today));
    EXPECT_FALSE(inPeriod(rec(QDate(2025, 9, 30)), "5m", today));
    EXPECT_TRUE(inPeriod(rec(QDate(2026, 2, 22)), "7d", today));
    EXPECT_FALSE(inPeriod(rec(QDate(2026, 2, 21)), "7d", today));
    EXPECT_FALSE(inPeriod(rec(QDate()), "5m", today));
    EXPECT_TRUE(inPeriod(rec(QDate()), "", today));
}

TEST(SessionWindow, TheRunningGameIsTheLastRowAndRefreshes)
{
    Scores s;
    cData &d = s.d();
    d.SesStartTime = "2026-03-15 11:00:00";
    d.SetCurGName("Klondike");
    d.CurGNo = GameNumber::number(5);
    d.CurTime = 100;
    d.CurMoves = 10;
    d.CurScore = -4;
    s.shared.Score->AddSesGame(1);
    d.SetCurPlayer("Bob");
    d.SetCurGName("Raglan");
    d.CurGNo = GameNumber::text("x9");
    d.CurTime = 50;
    d.CurScore = 30;
    s.shared.Score->AddSesGame(0);
    // The game in progress.
    d.GameRunning = true;
    d.GameStartTime = "2026-03-15 11:55:00";
    d.SetCurGName("Canister");
    d.CurGNo = GameNumber::number(77);
    d.CurTime = 20;
    d.CurMoves = 3;
    d.CurScore = 12;
    QDateTime now = kNow;
    frmSesStat w(s.shared, nullptr, [&now] { return now; });
    EXPECT_EQ(w.windowTitle(), "Session Statistics");
    EXPECT_EQ(w.lblSesPlayed->text(), "Games Played : 2");
    EXPECT_EQ(w.lblSesWon->text(), "Games Won : 1");
    EXPECT_EQ(w.lblsesScore->text(), "Total Score : 26");
    EXPECT_EQ(w.lblSesElapsedTime->text(), "Time Elapsed : 1:00:00");
    EXPECT_EQ(rows(w.lvSession),
              (QList<QStringList>{{"Klondike", "5", "Ann", "0:01:40", "10", "Won", "-4"},
                                  {"Raglan", "x9", "Bob", "0:00:50", "10", "Lost", "30"},
                                  {"Canister", "77", "Bob", "0:00:20", "3", "Running", "12"}}));
    const QColor dark(120, 0, 0);
    for (int c = 0; c < 7; ++c)
        EXPECT_EQ(w.lvSession->topLevelItem(2)->foreground(c).color(), dark) << c;
    EXPECT_NE(w.lvSession->topLevelItem(1)->foreground(0).color(), dark);
    EXPECT_EQ(column(w.lvSesChart, 0), QStringList({"1", "2", "3"}));
    EXPECT_EQ(w.lvSesChart->topLevelItem(2)->foreground(3).color(), dark);
    EXPECT_EQ(w.ChartRows, ChartTable({{-4.0, 10.0, 100.0}, {30.0, 10.0, 50.0}, {12.0, 3.0, 20.0}}));
    EXPECT_EQ(w.chSummary->columnLabels(), QStringList({"Won : 1", "Lost : 1"}));
    EXPECT_EQ(w.lblGameName->text(), "Game : Canister");
    EXPECT_EQ(w.lblPlayer->text(), "Player Name : Bob");
    EXPECT_TRUE(w.Timer1.isActive());
    EXPECT_EQ(w.Timer1.interval(), 500);

    // The main window's clock moves on; a tick shows it.
    d.CurTime = 21;
    d.CurScore = 11;
    d.CurMoves = 4;
    now = now.addSecs(1);
    w.Timer1_Timer();
    EXPECT_EQ(rows(w.lvSession)[2][3], "0:00:21");
    EXPECT_EQ(rows(w.lvSession)[2][6], "11");
    EXPECT_EQ(rows(w.lvSesChart)[2], QStringList({"3", "0:00:21", "3", "11"})); // moves wait for a reload
    EXPECT_EQ(w.lblGameScore->text(), "Score : 11");
    EXPECT_EQ(w.lblGameTime->text(), "Time Elapsed : 0:00:21");
    EXPECT_EQ(w.lblSesElapsedTime->text(), "Time Elapsed : 1:00:01");
    EXPECT_EQ(rows(w.lvSession)[1][3], "0:00:50");

    // Refresh Chart rewrites only the last row.
    w.cmdRefresh_Click();
    EXPECT_EQ(w.ChartRows, ChartTable({{-4.0, 10.0, 100.0}, {30.0, 10.0, 50.0}, {11.0, 4.0, 21.0}}));
    EXPECT_EQ(w.chChart->table(), w.ChartRows);
    EXPECT_EQ(w.chChart->columnLabels(), QStringList({"Score", "Moves", "Time"}));
}

TEST(SessionWindow, NothingPlayedNothingRunning)
{
    Scores s;
    s.d().SesStartTime = at(kNow);
    frmSesStat w(s.shared, nullptr, fixedClock(kNow));
    EXPECT_EQ(w.lblSesPlayed->text(), "Games Played : 0");
    EXPECT_EQ(w.lvSession->topLevelItemCount(), 0);
    EXPECT_EQ(w.lvSesChart->topLevelItemCount(), 0);
    EXPECT_EQ(w.ChartRows, ChartTable(1, std::vector<std::optional<double>>(3)));
    EXPECT_EQ(w.chSummary->table(), ChartTable({{0.0, 0.0}}));
    w.cmdRefresh_Click();
    w.Timer1_Timer();
    EXPECT_EQ(w.ChartRows, ChartTable(1, std::vector<std::optional<double>>(3)));
}

TEST(StatisticsMenu, EveryItemAndTheToolbarButtonOpenTheirWindows)
{
    tess::testing::TempShared t;
    frmMain main(t.shared);
    main.RefreshMenus();
    main.RefreshToolbar();
    for (int i : {1, 2, 4, 6})
        EXPECT_TRUE(menuItem(main, "mStat", i)->isEnabled()) << i;
    QAction *tool = main.findChild<QAction *>("Statistics");
    ASSERT_TRUE(tool);
    EXPECT_TRUE(tool->isEnabled());

    // Each window opens modally and is closed by its own button.
    const std::pair<QAction *, const char *> items[] = {{menuItem(main, "mStat", 1), "frmGameStat"},
                                                        {menuItem(main, "mStat", 2), "frmSesStat"},
                                                        {menuItem(main, "mStat", 4), "frmHighScore"},
                                                        {menuItem(main, "mStat", 6), "frmLogStat"},
                                                        {tool, "frmGameStat"}};
    for (const auto &[action, name] : items) {
        QString seen;
        QTimer poll;
        int tries = 0;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (QWidget *m = QApplication::activeModalWidget()) {
                seen = m->objectName();
                if (auto *close = m->findChild<QPushButton *>("cmdClose"))
                    close->click();
                poll.stop();
            } else if (++tries > 500) {
                poll.stop();
            }
        });
        poll.start(10);
        action->trigger();
        EXPECT_EQ(seen, name);
        EXPECT_EQ(t.shared.Score->ScoreTop(), 0);
    }
}
