// Replay through the main window: the ticks are called directly, never waited for.
#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "gui/frmHistory.h"
#include "gui/frmMain.h"
#include "gui/table/cardTable.h"
#include "model/cards.h"
#include "play/cTrans.h"
#include "play/mPlay.h"
#include "tests/support/mainParts.h"
#include "tests/support/tempShared.h"

using namespace tess;
using tess::testing::action;
using tess::testing::caption;
using tess::testing::menuItem;

namespace
{

struct Replay : tess::testing::TempShared {
    std::unique_ptr<frmMain> w;
    QStringList messages; // any message box is answered and kept: a test never hangs on one
    QTimer answer;
    int card = -1;

    Replay()
    {
        d().SetAutoplay(0); // nothing moves but what the test moves
        w = std::make_unique<frmMain>(shared);
        w->table()->setAnimated(false);
        w->tmrMain.stop();
        QObject::connect(&answer, &QTimer::timeout, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                messages << box->text();
                box->done(QMessageBox::Ok);
            }
        });
        answer.start(10);
        w->session().StartNewGame("Klondike Freecell", GameNumber::number(7));
        card = e().Array.GetTopPicID(Home, 0);
    }
    cTrans &log() { return *e().Trans; }
    // One logged move of one card: the first leaves the tableau, the rest hop between the cells.
    void hop()
    {
        i32 mod = tmod::Plain;
        const int to = e().card(card).Cell == Res ? 1 - e().card(card).Pile : 0;
        ASSERT_TRUE(e().Array.MoveCard(static_cast<i16>(card), Res, static_cast<i16>(to), 0, mod, 0, 0, 0));
    }
    void hops(int n)
    {
        for (int i = 0; i < n; ++i)
            hop();
    }
    bool replaying() const { return w->tmrForward.isActive() || w->tmrBackward.isActive(); }
    bool stopEnabled() const { return menuItem(w, "mReplay", 6)->isEnabled(); }
    std::vector<std::pair<double, double>> places()
    {
        std::vector<std::pair<double, double>> v;
        for (int p = 0; p < e().Array.totalCards(); ++p)
            v.emplace_back(e().card(p).Left, e().card(p).Top);
        return v;
    }
};

} // namespace

TEST(Replay, BackOnAGameWithNoMovesStopsAtItsFirstTick)
{
    Replay t;
    ASSERT_EQ(t.log().GetTransID(), 0);
    const auto before = t.places();
    t.w->onReplay(2);
    EXPECT_TRUE(t.w->tmrBackward.isActive());
    t.w->ReplayBackTick();
    EXPECT_FALSE(t.replaying());
    EXPECT_FALSE(t.stopEnabled());
    EXPECT_EQ(t.places(), before);
    EXPECT_TRUE(t.messages.isEmpty());
}

TEST(Replay, AllTakesEverythingBackThenOneMovePerTick)
{
    Replay t;
    t.hops(30);
    ASSERT_EQ(t.log().GetTransID(), 30);
    t.w->onReplay(4);
    EXPECT_EQ(t.log().GetTransID(), 0);
    EXPECT_EQ(t.log().GetTransLast(), 30);
    EXPECT_TRUE(t.w->tmrForward.isActive());
    // While it runs, undo and the other replay commands are off; their buttons follow.
    t.w->RefreshMenus();
    t.w->RefreshToolbar();
    for (QAction *a :
         {menuItem(t.w, "mGame", 1), menuItem(t.w, "mGame", 2), menuItem(t.w, "mGame", 6),
          menuItem(t.w, "mGame", 7), menuItem(t.w, "mReplay", 1), menuItem(t.w, "mReplay", 2),
          menuItem(t.w, "mReplay", 4), action(t.w, "Undo"), action(t.w, "Back"), action(t.w, "Forward")})
        EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
    for (int i = 1; i <= 30; ++i) {
        t.w->ReplayForwardTick();
        ASSERT_EQ(t.log().GetTransID(), i);
        ASSERT_TRUE(t.stopEnabled());
    }
    t.w->RefreshToolbar();
    EXPECT_TRUE(action(t.w, "ReplayStop")->isEnabled());
    t.w->ReplayForwardTick();
    EXPECT_FALSE(t.replaying());
    EXPECT_FALSE(t.stopEnabled());
    EXPECT_EQ(t.log().GetTransID(), 30);
    t.w->RefreshMenus();
    t.w->RefreshToolbar();
    EXPECT_TRUE(menuItem(t.w, "mGame", 1)->isEnabled());
    EXPECT_TRUE(action(t.w, "Back")->isEnabled());
    EXPECT_FALSE(action(t.w, "ReplayStop")->isEnabled());
    EXPECT_FALSE(action(t.w, "Forward")->isEnabled());
}

TEST(Replay, APlayersMoveDuringAForwardReplayStopsItAtTheNextTick)
{
    Replay t;
    t.hops(10);
    t.w->onReplay(4);
    for (int i = 0; i < 4; ++i)
        t.w->ReplayForwardTick();
    ASSERT_EQ(t.log().GetTransID(), 4);
    t.hop(); // the player's own move drops what was left to redo
    EXPECT_EQ(t.log().GetTransLast(), 5);
    t.w->ReplayForwardTick();
    EXPECT_FALSE(t.replaying());
    EXPECT_EQ(t.log().GetTransID(), 5);
}

TEST(Replay, StopEndsTheReplayAndNoFurtherStepHappens)
{
    Replay t;
    t.hops(6);
    t.w->onReplay(2);
    t.w->ReplayBackTick();
    ASSERT_EQ(t.log().GetTransID(), 5);
    // The toolbar's Stop acts as the menu's.
    t.w->onToolbar(11);
    EXPECT_FALSE(t.replaying());
    EXPECT_FALSE(t.stopEnabled());
    // A forward replay from the toolbar walks the other way.
    t.w->onToolbar(12);
    t.w->ReplayForwardTick();
    EXPECT_EQ(t.log().GetTransID(), 6);
}

TEST(Replay, EndingTheGameStopsABackwardReplayAndTheBackTickNeedsAGame)
{
    Replay t;
    t.hops(8);
    t.w->onReplay(2);
    t.w->ReplayBackTick();
    ASSERT_EQ(t.log().GetTransID(), 7);
    t.w->session().EndGame(0);
    EXPECT_FALSE(t.replaying());
    // Even a back replay started with no game running takes nothing back from the cleared table.
    const auto cleared = t.places();
    t.w->onReplay(2);
    t.w->ReplayBackTick();
    EXPECT_EQ(t.log().GetTransID(), 7);
    EXPECT_FALSE(t.replaying());
    EXPECT_EQ(t.places(), cleared);
    EXPECT_TRUE(t.messages.isEmpty()) << t.messages.join('|').toStdString();
}

TEST(Replay, NoTickActsWhileThePlayerCarriesCards)
{
    Replay t;
    t.hops(3);
    t.w->onReplay(2);
    // The card in the cell is picked up and still held.
    CardPress(t.e(), t.card, 0, 0);
    ASSERT_TRUE(t.e().Drag.Dragging);
    t.w->ReplayBackTick();
    EXPECT_EQ(t.log().GetTransID(), 3);
    t.w->onReplay(6);
    t.w->onReplay(1);
    t.w->ReplayForwardTick();
    EXPECT_EQ(t.log().GetTransID(), 3);
    CardRelease(t.e(), t.card); // the drop itself may be a logged move
    const int after = t.log().GetTransID();
    t.w->onReplay(2);
    t.w->ReplayBackTick();
    EXPECT_EQ(t.log().GetTransID(), after - 1);
}

TEST(Replay, HistoryOpensFromToolsAndFollowsTheReplay)
{
    Replay t;
    t.hops(5);
    t.w->RefreshMenus();
    ASSERT_TRUE(menuItem(t.w, "mTools", 5)->isEnabled());
    ASSERT_TRUE(menuItem(t.w, "mTools", 3)->isEnabled());
    t.w->onTools(5);
    auto *h = t.w->findChild<frmHistory *>();
    ASSERT_NE(h, nullptr);
    EXPECT_TRUE(h->isModal());
    ASSERT_EQ(h->lvHistory->topLevelItemCount(), 5);
    EXPECT_TRUE(h->lvHistory->topLevelItem(4)->font(0).bold());
    t.w->onReplay(2); // the timers still run under the modal window
    t.w->ReplayBackTick();
    EXPECT_TRUE(h->lvHistory->topLevelItem(3)->font(0).bold());
    EXPECT_EQ(h->lvHistory->topLevelItem(4)->foreground(0).color(), QColor(128, 128, 0));
    h->cmdClose->click();
    QTRY_VERIFY_WITH_TIMEOUT(t.w->findChild<frmHistory *>() == nullptr, 2000);
}
