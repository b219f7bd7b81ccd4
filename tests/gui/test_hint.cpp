// The solver's items in the main window: hints that light a legal move and, followed, win a deal;
// the window keeps answering while a search runs; the winnable-only setting.
#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "gui/frmMain.h"
#include "gui/hintRunner.h"
#include "gui/table/cardTable.h"
#include "play/cTrans.h"
#include "solve/deals.h"
#include "solve/drive.h"
#include "tests/support/mainParts.h"
#include "tests/support/tempShared.h"

using namespace tess;
using tess::testing::action;
using tess::testing::caption;
using tess::testing::menuItem;

namespace
{

struct Window : tess::testing::TempShared {
    std::unique_ptr<frmMain> w;
    int won = 0;

    Window()
    {
        w = std::make_unique<frmMain>(shared);
        w->exitNow = [] {};
        w->openGameWon = [this] { ++won; };
        w->table()->setAnimated(false);
        w->resize(1200, 900);
        w->show();
    }
    QAction *item(const char *name) { return w->findChild<QAction *>(name); }
    QString status() { return w->findChild<QLabel *>("mHint")->text(); }
    HintRunner *runner() { return w->findChild<HintRunner *>(); }
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
