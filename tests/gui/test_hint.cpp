// The solver's items in the main window: hints that light a legal move and, followed, win a deal;
// the window keeps answering while a search runs; the winnable-only setting.
#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "gui/frmMain.h"
#include "gui/hintRunner.h"
#include "gui/table/cardTable.h"
#include "model/random.h"
#include "play/cTrans.h"
#include "solve/deals.h"
#include "solve/drive.h"
#include "solve/winnableKeys.h"
#include "tests/support/mainParts.h"
#include "tests/support/mainWindow.h"

using namespace tess;
using tess::testing::action;
using tess::testing::caption;
using tess::testing::menuItem;

namespace
{

struct Window : tess::testing::MainWindow {
    QAction *item(const char *name) { return w->findChild<QAction *>(name); }
    QString status() { return w->findChild<QLabel *>("mHint")->text(); }
    HintRunner *runner() { return w->findChild<HintRunner *>(); }
    QProgressDialog *searching() { return w->findChild<QProgressDialog *>("dlgWinnableSearch"); }
    // A game on the table, then Winnable Deals Only on, over a list without this game: New Game searches.
    void searchFromGameFive()
    {
        shared.Winnable = &noKeys;
        w->startGame(QStringLiteral("Klondike"), GameNumber::number(5));
        d().SetWinnableOnly(1);
        menuItem(w, "mFile", 1)->trigger(); // New Game
    }
    solve::WinnableKeys noKeys;
    std::vector<int> lit()
    {
        std::vector<int> ids;
        for (int i = 0; i < e().Games.TotalCards(); ++i)
            if (e().card(i).Selected == -1)
                ids.push_back(i);
        return ids;
    }
};

} // namespace

TEST(SolverItems, AppendedToTheGameMenuAndFoundByName)
{
    Window t;
    QAction *hint = t.item("mnuHint");
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(hint->text(), "Hint");
    EXPECT_EQ(hint->shortcut(), QKeySequence(Qt::Key_H));
    ASSERT_NE(t.item("mnuCanWin"), nullptr);
    QAction *only = t.item("mnuWinnableOnly");
    ASSERT_NE(only, nullptr);
    EXPECT_TRUE(only->isCheckable());
    t.w->RefreshMenus();             // the 100 ms upkeep, called rather than waited for
    EXPECT_FALSE(only->isChecked()); // off by default
    EXPECT_FALSE(hint->isEnabled()); // no game yet
    // The Game menu's own items keep their places; the solver's come last.
    QMenu *game = t.w->findChild<QMenu *>("mnuGame");
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(game->actions().back(), only);
    EXPECT_EQ(menuItem(t.w, "mGame", 9)->text(), "View Toolbar");
}

TEST(SolverItems, FollowingHintsWinsAWinnableDeal)
{
    Window t;
    // Klondike 2 is won by the solver in a few dozen positions.
    t.w->session().StartNewGame("Klondike", GameNumber::number(2));
    t.w->RefreshMenus(); // the 100 ms upkeep, called rather than waited for
    ASSERT_TRUE(t.item("mnuHint")->isEnabled());
    {
        // In a window this wide the line shows the longest hint whole: the stock turned towards any card.
        const solve::GameRules g = solve::rulesOf(t.e(), true);
        QLabel *line = t.w->findChild<QLabel *>("mHint");
        const solve::Move press{solve::MoveKind::Stock, 0, 0, 0, 0, 0, false, 0};
        for (int c = 0; c < g.totalCards; ++c) {
            line->setText(HintRunner::describe(g, press, c));
            QApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            EXPECT_GE(line->width(), line->fontMetrics().horizontalAdvance(line->text())) << c;
        }
        line->clear();
    }
    int moves = 0, searches = 0;
    for (; moves < 300 && t.won == 0; ++moves) {
        t.item("mnuHint")->trigger();
        searches += t.runner()->running();
        QTRY_VERIFY_WITH_TIMEOUT(!t.runner()->running(), 20000);
        ASSERT_TRUE(t.status().startsWith("Hint: ")) << t.status().toStdString();
        // The line has room for every hint it shows.
        const QLabel *line = t.w->findChild<QLabel *>("mHint");
        QApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        EXPECT_GE(line->width(), line->fontMetrics().horizontalAdvance(t.status()));
        ASSERT_TRUE(t.w->hintStep().has_value());
        // One step at a time: a press, a redeal or a drag.
        const solve::Move m = *t.w->hintStep();
        ASSERT_TRUE(m.pressesBefore == 0 && !m.redealFirst && m.presses == 0);
        const solve::GameRules &g = t.runner()->rules();
        if (m.kind == solve::MoveKind::Drag) {
            // The card to move is lit, and so is the card it goes onto when there is one.
            const std::vector<int> lit = t.lit();
            ASSERT_NE(std::find(lit.begin(), lit.end(), m.card), lit.end());
            const int top = t.e().Array.GetTop(g.cellOf(m.to), g.engineIndex(m.to));
            EXPECT_EQ(lit.size(), top >= 0 ? 2u : 1u);
        }
        // The player does what the hint says, with the mouse; a press clears the hint, as any move does.
        const int logged = t.e().Trans->GetTransID();
        if (m.kind == solve::MoveKind::Drag) {
            emit t.w->table()->cardPressed(m.card, 0, 0);
            solve::playOnEngine(t.e(), g, m);
        } else if (m.kind == solve::MoveKind::Stock) {
            const int top = t.e().Array.GetTopPicID(Stock, 0);
            emit t.w->table()->cardPressed(top, 0, 0);
            emit t.w->table()->cardReleased(top, 0, 0);
        } else {
            emit t.w->table()->stockMarkerClicked();
        }
        ASSERT_NE(t.e().Trans->GetTransID(), logged) << "the hinted move was refused";
        EXPECT_TRUE(t.lit().empty());
        EXPECT_FALSE(t.w->hintStep().has_value());
    }
    // Followed hints keep to the line found first: one search, then each next step at once.
    EXPECT_EQ(searches, 1);
    // Every card home (the win is reported once per autoplay step of the last move).
    EXPECT_GT(t.won, 0) << "after " << moves << " hinted moves";
}

// Where no win is proved within the second a hint may take, the search's best guess is lit and named as a
// suggestion, and the engine takes it; Spiderette 1 once answered "No hint found in time".
TEST(SolverItems, HintSuggestsAMoveWhenNoWinIsProvedInTime)
{
    Window t;
    t.w->session().StartNewGame("Spiderette", GameNumber::number(1));
    t.w->RefreshMenus(); // the 100 ms upkeep, called rather than waited for
    t.item("mnuHint")->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(!t.runner()->running(), 20000);
    ASSERT_NE(t.runner()->hint().kind, solve::HintKind::Proved)
        << "pick a deal not won within the hint's time";
    ASSERT_TRUE(t.status().startsWith("Suggested: move the ")) << t.status().toStdString();
    ASSERT_TRUE(t.w->hintStep().has_value());
    const solve::Move m = *t.w->hintStep();
    const std::vector<int> lit = t.lit();
    EXPECT_NE(std::find(lit.begin(), lit.end(), m.card), lit.end());
    const int logged = t.e().Trans->GetTransID();
    emit t.w->table()->cardPressed(m.card, 0, 0);
    solve::playOnEngine(t.e(), t.runner()->rules(), m);
    EXPECT_NE(t.e().Trans->GetTransID(), logged) << "the suggested move was refused";
    EXPECT_TRUE(t.status().isEmpty());
}

TEST(SolverItems, WindowAnswersWhileASearchRunsAndAMoveCancelsIt)
{
    Window t;
    // A deal the solver does not settle in a few seconds.
    t.w->session().StartNewGame("Klondike", GameNumber::number(6));
    t.w->RefreshMenus(); // the 100 ms upkeep, called rather than waited for
    t.item("mnuCanWin")->trigger();
    ASSERT_TRUE(t.runner()->running());
    EXPECT_EQ(t.status(), "Searching this deal...");
    // Events are handled while the worker searches: a zero timer fires at once.
    bool fired = false;
    QTimer::singleShot(0, [&] { fired = true; });
    QTRY_VERIFY_WITH_TIMEOUT(fired, 1000);
    EXPECT_TRUE(t.runner()->running());
    // The player's press stops the search and clears the line.
    emit t.w->table()->stockMarkerClicked();
    EXPECT_FALSE(t.runner()->running());
    EXPECT_TRUE(t.status().isEmpty());
}

TEST(SolverItems, WinnableDealsOnlyDealsAProvedNumber)
{
    Window t;
    t.w->RefreshMenus(); // the 100 ms upkeep, called rather than waited for
    t.item("mnuWinnableOnly")->trigger();
    EXPECT_EQ(t.shared.Data->WinnableOnly(), 1);
    menuItem(t.w, "mFile", 1)->trigger(); // New Game
    QTRY_VERIFY_WITH_TIMEOUT(!t.runner()->running(), 30000);
    ASSERT_TRUE(t.shared.Data->GameRunning);
    const long long n = t.runner()->number();
    ASSERT_GT(n, 0);
    EXPECT_EQ(t.shared.Data->CurGNo.value(), n);
    // The number dealt is won by the solver from its deal, as the setting promises.
    solve::Limits l;
    l.milliseconds = 10000;
    EXPECT_EQ(solve::solveDeal(t.shared.Data->CurGName().toStdString(), n, true, l).result.verdict,
              solve::Verdict::Won);
}

TEST(SolverItems, WinnableDealsOnlyDealsAListedKeyAtOnce)
{
    Window t;
    // Any keys will do: the window has only to keep to the list, which the generator proves.
    std::vector<std::uint16_t> keys;
    for (long long n = 1000; n < 1400; ++n)
        keys.push_back(DealKey(static_cast<double>(n)));
    solve::WinnableKeys list;
    list.set("Klondike", keys);
    t.shared.Winnable = &list;
    t.d().SetWinnableOnly(1);
    t.w->startDrawnGame(QStringLiteral("Klondike"));
    for (int i = 0; i < 5; ++i) {
        // Dealt before any event runs: no search, no progress shown.
        ASSERT_TRUE(t.d().GameRunning);
        EXPECT_EQ(t.d().CurGName(), "Klondike");
        EXPECT_TRUE(list.contains("Klondike", DealKey(static_cast<double>(t.d().CurGNo.value()))))
            << t.d().CurGNo.value();
        EXPECT_FALSE(t.runner()->running());
        EXPECT_EQ(t.searching(), nullptr);
        menuItem(t.w, "mFile", 1)->trigger(); // New Game
    }
    EXPECT_EQ(t.scoreLines().size(), 5); // each game ended by the next
}

TEST(SolverItems, WithoutAListTheSearchShowsProgressAndCancelKeepsTheGame)
{
    Window t;
    t.searchFromGameFive();
    QProgressDialog *progress = t.searching();
    ASSERT_NE(progress, nullptr);
    EXPECT_TRUE(progress->isVisible());
    EXPECT_EQ(progress->windowModality(), Qt::WindowModal);
    EXPECT_EQ(progress->labelText(), "Looking for a winnable deal...");
    EXPECT_TRUE(t.runner()->running());
    QPushButton *cancel = progress->findChild<QPushButton *>();
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(cancel->text(), "Cancel");
    cancel->click();
    EXPECT_FALSE(t.runner()->running());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents(); // an answer on its way is dropped
    EXPECT_EQ(t.searching(), nullptr);
    // The game on the table is as it was, and nothing was recorded.
    EXPECT_TRUE(t.d().GameRunning);
    EXPECT_EQ(t.d().CurGNo.value(), 5);
    EXPECT_TRUE(t.scoreLines().isEmpty());
    EXPECT_TRUE(t.status().isEmpty());
    // A later New Game searches afresh.
    menuItem(t.w, "mFile", 1)->trigger();
    EXPECT_NE(t.searching(), nullptr);
    EXPECT_TRUE(t.runner()->running());
}

TEST(SolverItems, APressDuringTheSearchDoesNotDropTheNewGame)
{
    Window t;
    t.searchFromGameFive();
    ASSERT_TRUE(t.runner()->running());
    // What reached the table before the search was modal: a card press, the stock marker, a menu item.
    const int card = t.e().Array.GetTopPicID(Home, 6);
    emit t.w->table()->cardPressed(card, 0, 0);
    emit t.w->table()->cardReleased(card, 0, 0);
    emit t.w->table()->stockMarkerClicked();
    t.item("mnuHint")->trigger();
    t.item("mnuCanWin")->trigger();
    EXPECT_TRUE(t.runner()->running());
    // The new game starts when the search ends, ending game 5.
    ASSERT_TRUE(QTest::qWaitFor([&] { return t.scoreLines().size() == 1; }, 60000));
    EXPECT_TRUE(t.d().GameRunning);
    EXPECT_NE(t.d().CurGNo.value(), 5);
    EXPECT_FALSE(t.runner()->running());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(t.searching(), nullptr);
}
