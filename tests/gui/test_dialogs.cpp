// Choosing and winning: the Select Game and Select a Game Number dialogs and the
// game-won dialog, driven offscreen as a user would.
#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "gui/frmFinish.h"
#include "gui/frmMain.h"
#include "gui/hintRunner.h"
#include "gui/selectDialogs.h"
#include "gui/table/cardTable.h"
#include "play/cTrans.h"
#include "play/engine.h"
#include "play/mFunc.h"
#include "tests/support/answer.h"
#include "tests/support/mainParts.h"
#include "tests/support/tempShared.h"

using namespace tess;
using tess::testing::action;
using tess::testing::caption;
using tess::testing::menuItem;
using tess::testing::whenModal;

namespace
{

struct Window : tess::testing::TempShared {
    std::unique_ptr<frmMain> w;
    Window()
    {
        w = std::make_unique<frmMain>(shared);
        w->table()->setAnimated(false);
        w->show();
    }
};

// Clicks OK on the next message box and keeps its text.
void answerMessage(QString *text)
{
    whenModal([text](QWidget *m) {
        auto *box = qobject_cast<QMessageBox *>(m);
        if (!box)
            return false;
        *text = box->text();
        box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)->click() : box->accept();
        return true;
    });
}

std::vector<int> layout(const Engine &e)
{
    std::vector<int> out;
    for (int i = 0; i < e.Games.TotalCards(); ++i)
        out.push_back(e.Cards[i].Cell * 100000 + e.Cards[i].Pile * 1000 + e.Cards[i].Pos * 2 +
                      e.Cards[i].FaceMode);
    return out;
}

} // namespace

TEST(SelectGame, TreeListsTheCatalogueAndPreselectsTheLastGame)
{
    Window t;
    t.w->startGame("Raglan", GameNumber::number(4));
    frmSelect dlg(t.d(), [](const QString &) {});
    QTreeWidgetItem *root = dlg.TreeView1->topLevelItem(0);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->text(0), "Games");
    ASSERT_EQ(root->childCount(), 33);
    EXPECT_EQ(root->child(0)->text(0), "Blind Alleys");
    EXPECT_EQ(root->child(16)->text(0), "Klondike");
    EXPECT_EQ(root->child(16)->data(0, Qt::UserRole).toInt(), 17);
    EXPECT_EQ(root->child(32)->text(0), "Westcliff");
    EXPECT_EQ(dlg.TreeView1->currentItem()->text(0), "Raglan");
    EXPECT_EQ(dlg.lblName->text(), "Raglan");
    ASSERT_FALSE(dlg.imgPick->pixmap().isNull());
    // The root names no game: Play waits.
    dlg.TreeView1->setCurrentItem(root);
    EXPECT_FALSE(dlg.cmdPlay->isEnabled());
    EXPECT_EQ(dlg.lblName->text(), "Raglan");
}

TEST(SelectGame, PlayStartsTheChosenGameForTheChosenPlayer)
{
    Window t;
    t.d().SetPlayer(2, "Zoe", false);
    frmSelect dlg(t.d(), [&](const QString &n) { t.w->startDrawnGame(n); });
    dlg.imcPlayer->setCurrentIndex(dlg.imcPlayer->findText("Zoe"));
    QTreeWidgetItem *canister = dlg.TreeView1->topLevelItem(0)->child(1);
    dlg.TreeView1->setCurrentItem(canister);
    dlg.cmdPlay->click();
    EXPECT_EQ(t.d().CurPlayer(), "Zoe");
    EXPECT_EQ(t.d().CurGName(), "Canister");
    EXPECT_TRUE(t.d().GameRunning);
    EXPECT_TRUE(t.w->windowTitle().startsWith("Tessaline [Canister] [Zoe] ["));
}

TEST(SelectGame, PlayDrawsItsNumberAsNewGameDoesWithWinnableDealsOnly)
{
    Window t;
    t.d().SetWinnableOnly(1);
    t.d().set(Setting::RangeIndex, 3);
    auto *runner = t.w->findChild<HintRunner *>();
    ASSERT_NE(runner, nullptr);
    bool played = false;
    whenModal([&](QWidget *m) {
        auto *dlg = qobject_cast<frmSelect *>(m);
        if (!dlg)
            return false;
        dlg->TreeView1->setCurrentItem(dlg->TreeView1->topLevelItem(0)->child(16)); // Klondike
        dlg->cmdPlay->click();
        played = true;
        return true;
    });
    menuItem(t.w, "mFile", 2)->trigger(); // Select Game, modal until Play
    ASSERT_TRUE(played);
    // The number comes from the search for a winnable deal, as F2's does.
    EXPECT_EQ(t.w->findChild<QLabel *>("mHint")->text(), "Looking for a winnable deal...");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !runner->running() && t.d().GameRunning; }, 60000));
    EXPECT_EQ(t.d().CurGName(), "Klondike");
    if (runner->number() > 0) {
        EXPECT_EQ(QString::fromStdString(t.d().CurGNo.display()), QString::number(runner->number()));
    }
}

TEST(SelectNumber, RangeFiveRefusesTheEdgesWithTheMessage)
{
    Window t;
    t.d().set(Setting::RangeIndex, 5);
    int started = 0;
    QString startedNumber;
    frmChoose dlg(t.d(), [&](const QString &, const GameNumber &g) {
        ++started;
        startedNumber = QString::fromStdString(g.display());
    });
    EXPECT_EQ(dlg.lblRange->text(), "0 and 99,999");
    const long long offered = dlg.Text1->text().toLongLong();
    EXPECT_GE(offered, 1);
    EXPECT_LE(offered, 99999);
    for (const char *bad : {"99999", "0", "abc", "12a", "-5", "1.5", ""}) {
        dlg.Text1->setText(bad);
        QString message;
        answerMessage(&message);
        dlg.cmdSelect->click();
        EXPECT_EQ(message, "Please enter a number between 0 and 99,999") << bad;
        EXPECT_EQ(dlg.Text1->text(), "0") << bad;
    }
    EXPECT_EQ(started, 0);
    dlg.Text1->setText(" 99998 ");
    dlg.cmdSelect->click();
    EXPECT_EQ(started, 1);
    EXPECT_EQ(startedNumber, "99998"); // passed on as typed, trimmed
}

TEST(SelectNumber, FifteenDigitsAreComparedExactly)
{
    EXPECT_TRUE(frmChoose::accepts("999999999999998", 15));
    EXPECT_FALSE(frmChoose::accepts("999999999999999", 15));
    EXPECT_FALSE(frmChoose::accepts("1000000000000000", 15));
    EXPECT_TRUE(frmChoose::accepts("1", 1));
    EXPECT_FALSE(frmChoose::accepts("9", 1));
    EXPECT_EQ(frmChoose::largestText(15), "999,999,999,999,999");
    EXPECT_EQ(frmChoose::largestText(1), "9");
    EXPECT_EQ(frmChoose::largestText(4), "9,999");
}

TEST(SelectNumber, TypedNumberAndPlayerStartTheGame)
{
    Window t;
    t.d().SetPlayer(2, "Max", false);
    t.w->startGame("Eclipse", GameNumber::number(2));
    frmChoose dlg(t.d(), [&](const QString &n, const GameNumber &g) { t.w->startGame(n, g); });
    EXPECT_EQ(dlg.imcGames->currentText(), "Eclipse");
    dlg.imcGames->setCurrentIndex(dlg.imcGames->findText("Klondike"));
    dlg.imcPlayer->setCurrentIndex(dlg.imcPlayer->findText("Max"));
    dlg.Text1->setText("123");
    dlg.cmdSelect->click();
    EXPECT_EQ(t.w->windowTitle(), "Tessaline [Klondike] [Max] [123]");
    EXPECT_TRUE(t.d().CurGNo.isText());
}

namespace
{

// Brings every card but one home by hand, then makes the last move the real way.
void winByLastMove(Window &t)
{
    Engine &e = t.e();
    auto sendHome = [&](int cell, int pile, i32 mod) {
        int goal = 0;
        while (e.Array.GetTop(Goal, goal) >= 12)
            ++goal;
        e.Array.MoveCard(e.Array.GetTopPicID(cell, pile), Goal, static_cast<i16>(goal),
                         e.Array.GetTop(Goal, goal) + 1, mod, 0, 0, 0);
    };
    t.d().GameRunning = false; // no win is declared while the table is set
    int outside = e.Games.TotalCards() - e.Array.TotalGoalCards();
    for (int cell : {Home, Stock, Waste, Res})
        for (int pile = 0; pile < e.Games.Piles(cell); ++pile)
            for (; outside > 1 && e.Array.GetTop(cell, pile) >= 0; --outside)
                sendHome(cell, pile, tmod::Replayed);
    t.d().GameRunning = true;
    for (int cell : {Home, Stock, Waste, Res})
        for (int pile = 0; pile < e.Games.Piles(cell); ++pile)
            if (e.Array.GetTop(cell, pile) >= 0)
                return sendHome(cell, pile, tmod::Plain);
}

} // namespace

TEST(GameWon, DialogShowsTheFiguresRecordsOnceAndRestarts)
{
    Window t;
    t.w->startGame("Klondike", GameNumber::number(7));
    Engine fresh;
    fresh.NewGame("Klondike", 7);
    const auto opening = layout(fresh);
    // An hour at the table: the score goes below zero.
    t.d().GameStartTime = QDateTime::currentDateTime().addSecs(-3600).toString("yyyy-MM-dd HH:mm:ss");
    t.d().CurTime = 5; // a stale tick: the dialog must show the figures of the winning moment
    // A clock that moves on a second at every reading: the record must still be what was shown.
    t.w->session().clock = [base = QDateTime::currentDateTime(), reads = std::make_shared<int>(0)] {
        return base.addSecs(++*reads);
    };

    QStringList lines;
    QString caption, frame;
    std::vector<double> bars;
    whenModal([&](QWidget *m) {
        auto *dlg = qobject_cast<frmFinish *>(m);
        if (!dlg)
            return false;
        caption = dlg->windowTitle();
        frame = dlg->Frame1->title();
        for (int i = 0; i < dlg->ListView1->count(); ++i)
            lines << dlg->ListView1->item(i)->text();
        for (int i = 0; i < dlg->chartRow->count(); ++i)
            bars.push_back(dlg->chartRow->at(i));
        EXPECT_TRUE(dlg->button("Statistics")->isEnabled());
        EXPECT_TRUE(dlg->button("Highscore")->isEnabled());
        dlg->button("Restart")->trigger();
        return true;
    });
    winByLastMove(t);
    EXPECT_EQ(caption, "Congrats");
    EXPECT_EQ(frame, "Klondike");
    const int moves = t.d().CurMoves, time = t.d().CurTime, score = t.d().CurScore;
    EXPECT_GE(time, 3600);
    EXPECT_LT(score, 0);
    EXPECT_EQ(lines, QStringList({" Game : 7", " Player : Player1",
                                  " Time : " + QString::fromStdString(FormatGameTime(time)),
                                  QString(" Moves : %1").arg(moves), QString(" Score : %1").arg(score)}));
    EXPECT_EQ(bars, (std::vector<double>{0, double(moves), double(time)}));
    const QStringList records = t.scoreLines();
    ASSERT_EQ(records.size(), 1);
    EXPECT_TRUE(records[0].endsWith(QString(",%1,%2,%3,1").arg(time).arg(moves).arg(score)))
        << records[0].toStdString();

    // The restart runs once the winning move has unwound.
    EXPECT_TRUE(QTest::qWaitFor([&] { return t.d().GameRunning; }, 5000));
    EXPECT_EQ(t.d().CurGName(), "Klondike");
    EXPECT_EQ(QString::fromStdString(t.d().CurGNo.display()), "7");
    EXPECT_EQ(layout(t.e()), opening);
    EXPECT_EQ(t.scoreLines().size(), 1); // the won game stays recorded once, as won
}

TEST(GameWon, StatisticsAndHighScoreOpenOverTheDialogWithTheWonGame)
{
    Window t;
    t.w->startGame("Klondike", GameNumber::number(3));
    QStringList opened;
    QString played;
    bool stayed = false;
    whenModal([&](QWidget *m) {
        auto *dlg = qobject_cast<frmFinish *>(m);
        if (!dlg)
            return false;
        // Each window is read and closed as it shows; the dialog must still be there after.
        for (const char *key : {"Statistics", "Highscore"}) {
            whenModal([&](QWidget *w) {
                if (w == dlg)
                    return false;
                opened << w->objectName();
                if (auto *summary = w->findChild<QTreeWidget *>("lvGeneral"))
                    played = summary->topLevelItem(0)->text(0);
                w->findChild<QPushButton *>("cmdClose")->click();
                return true;
            });
            dlg->button(key)->trigger();
        }
        stayed = dlg->isVisible() && QApplication::activeModalWidget() == dlg;
        dlg->button("Close")->trigger();
        return true;
    });
    winByLastMove(t);
    EXPECT_EQ(opened, QStringList({"frmGameStat", "frmHighScore"}));
    EXPECT_EQ(played, "Games Played : 1"); // the game was recorded before the buttons could be used
    EXPECT_TRUE(stayed);
}

TEST(GameWon, NewGameReplaysTheLastGameName)
{
    Window t;
    t.w->startGame("Canister", GameNumber::number(11));
    whenModal([&](QWidget *m) {
        auto *dlg = qobject_cast<frmFinish *>(m);
        if (!dlg)
            return false;
        dlg->button("New")->trigger();
        return true;
    });
    winByLastMove(t);
    EXPECT_TRUE(QTest::qWaitFor([&] { return t.d().GameRunning; }, 5000));
    EXPECT_EQ(t.d().CurGName(), "Canister");
    EXPECT_NE(QString::fromStdString(t.d().CurGNo.display()), "");
    const QStringList records = t.scoreLines();
    ASSERT_EQ(records.size(), 1);
    EXPECT_TRUE(records[0].endsWith(",1"));
}
