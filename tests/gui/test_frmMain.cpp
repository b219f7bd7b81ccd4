// The main window offscreen: menus, toolbar, status captions, the session flow and
// mouse play through real Qt events.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "gui/frmMain.h"
#include "gui/table/cardTable.h"
#include "model/cards.h"
#include "play/cTrans.h"
#include "play/mFunc.h"
#include "play/mPlay.h"
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
    int exits = 0;

    Window()
    {
        // These cases check the design layout in twips; the fitted table has its own tests.
        d().SetFitTable(0);
        w = std::make_unique<frmMain>(shared);
        w->exitNow = [this] { ++exits; };
        w->table()->setAnimated(false);
        w->resize(1200, 900);
        w->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    }
    // What the 100 ms upkeep does, done now: tests never wait on the wall clock for it.
    void upkeep()
    {
        w->RefreshMenus();
        w->RefreshToolbar();
    }
    void start(const char *game, long long number)
    {
        w->session().StartNewGame(game, GameNumber::number(number));
    }
    QAction *tool(const char *key) { return w->findChild<QAction *>(key); }
};

} // namespace

TEST(MainWindow, MenusAndToolbarFollowTheGameWithinATick)
{
    Window t;
    t.upkeep();
    for (QAction *a : {menuItem(t.w, "mGame", 1), menuItem(t.w, "mGame", 2), menuItem(t.w, "mGame", 6),
                       menuItem(t.w, "mGame", 7), menuItem(t.w, "mFile", 4), menuItem(t.w, "mFile", 5),
                       menuItem(t.w, "mFav", 1), menuItem(t.w, "mTools", 5), menuItem(t.w, "mReplay", 1),
                       menuItem(t.w, "mReplay", 2), menuItem(t.w, "mReplay", 4), menuItem(t.w, "mReplay", 6)})
        EXPECT_FALSE(a->isEnabled()) << a->text().toStdString();
    EXPECT_FALSE(t.tool("Restart")->isEnabled());
    EXPECT_TRUE(t.tool("New")->isEnabled());
    EXPECT_TRUE(t.tool("Help")->isEnabled());
    EXPECT_TRUE(menuItem(t.w, "mHelp", 1)->isEnabled());
    EXPECT_EQ(menuItem(t.w, "mHelp", 4)->text(), "About Tessaline...");

    t.start("Klondike", 1);
    // The upkeep's own timer brings the menus up to date (bounded wait on the result).
    EXPECT_TRUE(QTest::qWaitFor([&] { return menuItem(t.w, "mFile", 4)->isEnabled(); }, 5000));
    EXPECT_TRUE(menuItem(t.w, "mFile", 5)->isEnabled());
    EXPECT_TRUE(menuItem(t.w, "mFav", 1)->isEnabled());
    EXPECT_TRUE(t.tool("Restart")->isEnabled());
    EXPECT_TRUE(t.tool("Autoplay")->isChecked());
    // Nothing to take back yet on this deal, and nothing to make again.
    EXPECT_EQ(menuItem(t.w, "mGame", 1)->isEnabled(), t.e().Trans->UndoPossible());
    EXPECT_FALSE(menuItem(t.w, "mGame", 2)->isEnabled());
    // Spider games forbid autoplay: the item and its button go grey.
    t.start("Spiderette", 1);
    t.upkeep();
    EXPECT_FALSE(menuItem(t.w, "mGame", 4)->isEnabled());
    EXPECT_FALSE(t.tool("Autoplay")->isEnabled());
}

TEST(MainWindow, StatusCaptionsShowOnlyWhileAGameRuns)
{
    Window t;
    t.w->RefreshStatus();
    EXPECT_EQ(caption(t.w, "mScore")->text(), "");
    EXPECT_EQ(caption(t.w, "mTime")->text(), "");
    EXPECT_EQ(caption(t.w, "mMoves")->text(), "");
    t.start("Klondike", 1);
    // The status timer fills the captions; later refreshes are run directly.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !caption(t.w, "mMoves")->text().isEmpty(); }, 5000));
    EXPECT_TRUE(caption(t.w, "mScore")->text().startsWith("Score :"));
    EXPECT_TRUE(caption(t.w, "mTime")->text().startsWith("Time :0:00:0"))
        << caption(t.w, "mTime")->text().toStdString();
    EXPECT_EQ(caption(t.w, "mMoves")->text(), QString("Moves :%1").arg(t.e().Trans->GetTransID()));
    t.d().set(Setting::ShowScore, -1); // only the value 1 shows it
    t.w->RefreshStatus();
    EXPECT_EQ(caption(t.w, "mScore")->text(), "");
    EXPECT_FALSE(caption(t.w, "mMoves")->text().isEmpty());
}

TEST(MainWindow, CaptionNamesGamePlayerAndNumber)
{
    Window t;
    EXPECT_EQ(t.w->windowTitle(), "Tessaline");
    t.start("Klondike", 123);
    EXPECT_EQ(t.w->windowTitle(), "Tessaline [Klondike] [Player1] [123]");
    // Close Game records once and keeps the caption.
    t.w->onFile(5);
    EXPECT_EQ(t.w->windowTitle(), "Tessaline [Klondike] [Player1] [123]");
    EXPECT_EQ(t.scoreLines().size(), 1);
    t.w->onFile(5); // nothing running: nothing more recorded
    EXPECT_EQ(t.scoreLines().size(), 1);
}

TEST(MainWindow, NewGamePlaysTheLastGameNameAndRestartRecordsTheAttempt)
{
    Window t;
    t.w->onFile(1);
    EXPECT_TRUE(t.d().GameRunning);
    EXPECT_EQ(t.d().CurGName(), "Blind Alleys"); // the first game of a fresh install
    t.start("Raglan", 9);
    std::vector<int> before;
    for (int i = 0; i < 52; ++i)
        before.push_back(t.e().Cards[i].Cell * 10000 + t.e().Cards[i].Pile * 100 + t.e().Cards[i].Pos);
    t.w->onFile(4);
    std::vector<int> after;
    for (int i = 0; i < 52; ++i)
        after.push_back(t.e().Cards[i].Cell * 10000 + t.e().Cards[i].Pile * 100 + t.e().Cards[i].Pos);
    EXPECT_EQ(before, after);
    const QStringList lines = t.scoreLines();
    ASSERT_EQ(lines.size(), 2); // Blind Alleys given up by the start, then Raglan by the restart
    EXPECT_TRUE(lines[0].contains("\"Blind Alleys\""));
    EXPECT_TRUE(lines[1].contains("\"Raglan\",9,"));
    EXPECT_TRUE(lines[1].endsWith(",0"));
}

TEST(MainWindow, ClosingTheWindowRecordsARunningGameButExitDoesNot)
{
    Window t;
    t.start("Klondike", 5);
    t.w->onFile(11);
    EXPECT_EQ(t.exits, 1);
    EXPECT_TRUE(t.scoreLines().isEmpty());

    Window u;
    u.start("Klondike", 6);
    u.w->close();
    const QStringList lines = u.scoreLines();
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].endsWith(",0"));
    EXPECT_FALSE(u.d().GameRunning);
}

TEST(MainWindow, RecentMenuShowsWhatWasPlayed)
{
    Window t;
    EXPECT_TRUE(menuItem(t.w, "mRecent", 1)->isVisible());
    EXPECT_EQ(menuItem(t.w, "mRecent", 1)->text(), "");
    for (int i = 2; i <= 5; ++i)
        EXPECT_FALSE(menuItem(t.w, "mRecent", i)->isVisible());
    t.start("Klondike", 1);
    EXPECT_EQ(menuItem(t.w, "mRecent", 1)->text(), "&1 Klondike");
    EXPECT_FALSE(menuItem(t.w, "mRecent", 2)->isVisible());
    for (const char *g : {"Canister", "Raglan", "Eclipse", "Steps"})
        t.start(g, 1);
    for (int i = 1; i <= 5; ++i)
        EXPECT_TRUE(menuItem(t.w, "mRecent", i)->isVisible());
    EXPECT_EQ(menuItem(t.w, "mRecent", 1)->text(), "&1 Steps");
    EXPECT_EQ(menuItem(t.w, "mRecent", 5)->text(), "&5 Klondike");
    // A recent item starts its game.
    menuItem(t.w, "mRecent", 3)->trigger();
    EXPECT_EQ(t.d().CurGName(), "Raglan");
}

TEST(MainWindow, ViewToolbarMovesThePlayArea)
{
    Window t;
    auto *picMain = t.w->findChild<QWidget *>("PicMain");
    ASSERT_NE(picMain, nullptr);
    const int top = picMain->y(), height = picMain->height();
    EXPECT_EQ(top, 25); // 380 twips
    menuItem(t.w, "mGame", 9)->trigger();
    EXPECT_EQ(t.d().ShowToolbar(), 0);
    EXPECT_EQ(picMain->y(), 0);
    EXPECT_EQ(picMain->height(), height + 25);
    EXPECT_FALSE(menuItem(t.w, "mGame", 9)->isChecked() && t.d().ShowToolbar() == 0);
    menuItem(t.w, "mGame", 9)->trigger();
    EXPECT_EQ(picMain->y(), top);
    // The table is centred across the play area, and may start left of it.
    auto *back = t.w->findChild<QWidget *>("PicBack");
    EXPECT_EQ(back->x(), static_cast<int>(roundHalfEven(((picMain->width() * 15 - 15480) / 2 - 20) / 15.0)));
}

namespace
{

// A tableau move the rules allow on this deal: the top card of pile a onto pile b.
bool findTableauMove(const Engine &e, int &card, int &dest)
{
    for (int a = 0; a < e.Games.Piles(Home); ++a) {
        if (e.Array.GetTop(Home, a) < 0)
            continue;
        const int c = e.Array.GetTopPicID(Home, a);
        for (int b = 0; b < e.Games.Piles(Home); ++b) {
            if (b == a || e.Array.GetTop(Home, b) < 0)
                continue;
            if (FitsOrder(e, e.Array.GetTopPicID(Home, b), c, e.Games.Order(Home, b), false)) {
                card = c;
                dest = b;
                return true;
            }
        }
    }
    return false;
}

void dragCard(CardTable *table, int card, QPoint to)
{
    TavCard *w = table->PicCards[card];
    const QPoint grab(30, 20);
    QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, grab);
    // Each position is mapped again: the card moves under the pointer.
    const QPoint start = w->mapTo(table, grab);
    for (int step = 1; step <= 4; ++step) {
        const QPoint p = start + (to + grab - start) * step / 4;
        QMouseEvent move(QEvent::MouseMove, w->mapFrom(table, p), w->mapToGlobal(w->mapFrom(table, p)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w, &move);
    }
    QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, w->mapFrom(table, to + grab));
}

} // namespace

TEST(MainWindowPlay, LegalDragLandsIllegalReturnsAndKeysUndoRedo)
{
    Window t;
    int card = -1, dest = -1;
    long long number = 1;
    for (; number < 200; ++number) {
        t.start("Klondike", number);
        if (findTableauMove(t.e(), card, dest))
            break;
    }
    ASSERT_GE(card, 0);
    CardTable *table = t.w->table();
    const QPoint home = table->PicCards[card]->pos();
    const int moves = t.e().Trans->GetTransID();

    // Dropped far from every slot: the card goes back where it was.
    dragCard(table, card, QPoint(980, 680));
    EXPECT_EQ(table->PicCards[card]->pos(), home);
    EXPECT_EQ(t.e().Trans->GetTransID(), moves);

    const int top = t.e().Array.GetTop(Home, dest);
    const QPoint slot(t.e().Array.CordX(Home, dest, top) / 15, t.e().Array.CordY(Home, dest, top) / 15);
    dragCard(table, card, slot);
    EXPECT_EQ(t.e().card(card).Cell, Home);
    EXPECT_EQ(t.e().card(card).Pile, dest);
    EXPECT_EQ(t.e().Trans->GetTransID(), moves + 1);
    EXPECT_NE(table->PicCards[card]->pos(), home);

    t.upkeep(); // enables Undo
    QTest::keyClick(t.w.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(t.e().Trans->GetTransID(), moves);
    EXPECT_EQ(table->PicCards[card]->pos(), home);
    t.upkeep();
    QTest::keyClick(t.w.get(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(t.e().Trans->GetTransID(), moves + 1);
    EXPECT_EQ(t.e().card(card).Pile, dest);

    // Ctrl+Z with the card in hand waits: undone under the pointer, the card let go far away would
    // stay drawn where it was picked up, off its place.
    TavCard *w = table->PicCards[card];
    const QPoint placed = w->pos();
    t.upkeep();
    QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, QPoint(30, 20));
    QMouseEvent move(QEvent::MouseMove, QPointF(130, 220), w->mapToGlobal(QPointF(130, 220)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
    QTest::keyClick(t.w.get(), Qt::Key_Z, Qt::ControlModifier);
    QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, QPoint(130, 220));
    EXPECT_EQ(t.e().Trans->GetTransID(), moves + 1);
    EXPECT_EQ(t.e().card(card).Pile, dest);
    EXPECT_EQ(w->pos(), placed);
    EXPECT_EQ(w->pos(), table->placeRect(Home, dest, t.e().card(card).Pos).topLeft());
}

TEST(MainWindowPlay, PressOnTheStockTurnsACard)
{
    Window t;
    t.d().SetAutoplay(0);
    t.start("Klondike", 3);
    CardTable *table = t.w->table();
    const int stockBefore = t.e().Array.GetTop(Stock, 0);
    const int top = t.e().Array.GetTopPicID(Stock, 0);
    QTest::mouseClick(table->PicCards[top], Qt::LeftButton);
    EXPECT_EQ(t.e().Array.GetTop(Stock, 0), stockBefore - 1);
    EXPECT_EQ(t.e().card(top).Cell, Waste);
    EXPECT_EQ(table->PicCards[top]->FaceMode(), 0);
    EXPECT_EQ(t.e().Trans->GetTransID(), 1);
}

namespace
{

// Every state the menus and the toolbar derive, read at once.
struct States {
    bool restart, close, fav, history, undo, undoAll, redo, redoAll, forward, back, replayAll, stop;
    bool autoplayOn, autoplayEnabled, toolbarChecked, hint;
    bool tRestart, tUndo, tRedo, tBack, tStop, tForward, tAutoplayOn, tAutoplayEnabled;
    bool operator==(const States &) const = default;
};

States statesOf(Window &t)
{
    frmMain &w = *t.w;
    return {menuItem(w, "mFile", 4)->isEnabled(),
            menuItem(w, "mFile", 5)->isEnabled(),
            menuItem(w, "mFav", 1)->isEnabled(),
            menuItem(w, "mTools", 5)->isEnabled(),
            menuItem(w, "mGame", 1)->isEnabled(),
            menuItem(w, "mGame", 6)->isEnabled(),
            menuItem(w, "mGame", 2)->isEnabled(),
            menuItem(w, "mGame", 7)->isEnabled(),
            menuItem(w, "mReplay", 1)->isEnabled(),
            menuItem(w, "mReplay", 2)->isEnabled(),
            menuItem(w, "mReplay", 4)->isEnabled(),
            menuItem(w, "mReplay", 6)->isEnabled(),
            menuItem(w, "mGame", 4)->isChecked(),
            menuItem(w, "mGame", 4)->isEnabled(),
            menuItem(w, "mGame", 9)->isChecked(),
            action(w, "mnuHint")->isEnabled(),
            t.tool("Restart")->isEnabled(),
            t.tool("Undo")->isEnabled(),
            t.tool("Redo")->isEnabled(),
            t.tool("Back")->isEnabled(),
            t.tool("ReplayStop")->isEnabled(),
            t.tool("Forward")->isEnabled(),
            t.tool("Autoplay")->isChecked(),
            t.tool("Autoplay")->isEnabled()};
}

// What the menus show must be what the upkeep computes from the data this instant.
void expectCurrent(Window &t, const char *after)
{
    const States shown = statesOf(t);
    t.upkeep();
    EXPECT_TRUE(shown == statesOf(t)) << "stale menus or toolbar after " << after;
}

} // namespace

TEST(MainWindowIdle, StatesFollowEveryChangeWithoutAPollingTimer)
{
    Window t;
    // Nothing polls: the window sleeps while nothing happens.
    EXPECT_FALSE(t.w->tmrMain.isActive());
    EXPECT_FALSE(t.w->tmrTime.isActive());
    EXPECT_FALSE(menuItem(t.w, "mFile", 4)->isEnabled());

    t.d().SetAutoplay(0);
    expectCurrent(t, "autoplay off");
    t.start("Klondike", 3);
    EXPECT_TRUE(menuItem(t.w, "mFile", 4)->isEnabled());
    expectCurrent(t, "a new game");
    EXPECT_EQ(caption(t.w, "mMoves")->text(), "Moves :0");

    StockMarkerPress(t.e()); // a stock press is a move of the log
    int top = t.e().Array.GetTopPicID(Stock, 0);
    ASSERT_GE(top, 0);
    CardPress(t.e(), top, 10, 10);
    CardRelease(t.e(), top);
    ASSERT_GE(t.e().Trans->GetTransID(), 1);
    EXPECT_TRUE(menuItem(t.w, "mGame", 1)->isEnabled());
    expectCurrent(t, "a move");
    EXPECT_EQ(caption(t.w, "mMoves")->text(), QString("Moves :%1").arg(t.e().Trans->GetTransID()));

    t.w->onGame(1);
    EXPECT_TRUE(menuItem(t.w, "mGame", 2)->isEnabled());
    expectCurrent(t, "undo");
    i16 speed = 0;
    t.e().Trans->Redo(speed); // straight on the log, as the history window does
    expectCurrent(t, "redo on the log");

    t.w->onReplay(2); // replay backward
    EXPECT_TRUE(t.w->tmrBackward.isActive());
    t.w->ReplayBackTick();
    EXPECT_FALSE(menuItem(t.w, "mGame", 1)->isEnabled());
    EXPECT_TRUE(menuItem(t.w, "mReplay", 6)->isEnabled());
    expectCurrent(t, "a replay step");
    while (t.w->tmrBackward.isActive())
        t.w->ReplayBackTick();
    EXPECT_FALSE(menuItem(t.w, "mReplay", 6)->isEnabled());
    EXPECT_TRUE(menuItem(t.w, "mGame", 2)->isEnabled());
    expectCurrent(t, "the end of a replay");

    t.d().SetAutoplay(1);
    EXPECT_TRUE(t.tool("Autoplay")->isChecked());
    expectCurrent(t, "autoplay on");
    t.d().SetShowToolbar(0);
    expectCurrent(t, "the toolbar setting");
    t.d().SetShowToolbar(1);

    t.start("Spiderette", 1);
    EXPECT_FALSE(t.tool("Autoplay")->isEnabled());
    expectCurrent(t, "a game that forbids autoplay");

    t.d().SetPlayer(2, "Zoe", true);
    EXPECT_TRUE(t.w->windowTitle().contains("[Zoe]"));
    expectCurrent(t, "a player change");

    t.w->onFile(5); // Close Game
    EXPECT_FALSE(menuItem(t.w, "mFile", 4)->isEnabled());
    EXPECT_EQ(caption(t.w, "mMoves")->text(), "");
    expectCurrent(t, "Close Game");
    EXPECT_FALSE(t.w->tmrTime.isActive());
}

TEST(MainWindowIdle, TheClockTicksOnceASecondOnlyWhileAGameRuns)
{
    Window t;
    EXPECT_FALSE(t.w->tmrTime.isActive());
    t.start("Klondike", 1);
    ASSERT_TRUE(t.w->tmrTime.isActive());
    // Once a second, just after the game time turns over.
    EXPECT_LE(t.w->tmrTime.remainingTime(), 1005);
    // With no caption shown it still keeps the figures the session statistics show.
    t.d().set(Setting::ShowTime, 0);
    t.d().set(Setting::ShowScore, 0);
    EXPECT_EQ(caption(t.w, "mTime")->text(), "");
    EXPECT_EQ(caption(t.w, "mScore")->text(), "");
    EXPECT_TRUE(t.w->tmrTime.isActive());
    t.d().set(Setting::ShowTime, 1);
    EXPECT_TRUE(caption(t.w, "mTime")->text().startsWith("Time :"));
    t.w->onFile(5);
    EXPECT_FALSE(t.w->tmrTime.isActive());
}

TEST(MainWindow, ScoreTimeAndMovesShowInFullDownTo640PixelsAndTheHintGivesWay)
{
    Window t;
    t.start("Klondike", 1);
    QMenuBar *bar = t.w->menuBar();
    auto inFull = [&](QLabel *l) {
        const QRect r(l->mapTo(bar, QPoint(0, 0)), l->size());
        return l->isVisible() && !l->text().isEmpty() &&
               l->width() >= l->fontMetrics().horizontalAdvance(l->text()) && r.left() >= 0 &&
               r.right() < bar->width();
    };
    for (int width : {1024, 800, 640}) {
        for (const QString &hint :
             {QString(), QString("Hint: move the Queen of Diamonds to tableau pile 10")}) {
            caption(t.w, "mHint")->setText(hint);
            t.w->resize(width, 700);
            // Widest plausible figures.
            caption(t.w, "mScore")->setText("Score :-1234");
            caption(t.w, "mTime")->setText("Time :1:23:45");
            caption(t.w, "mMoves")->setText("Moves :999");
            QApplication::sendPostedEvents();
            QApplication::processEvents();
            for (QLabel *l : {caption(t.w, "mScore"), caption(t.w, "mTime"), caption(t.w, "mMoves")})
                EXPECT_TRUE(inFull(l)) << width << " px, " << l->objectName().toStdString() << " "
                                       << l->width() << " wide for \"" << l->text().toStdString()
                                       << "\", hint \"" << hint.toStdString() << "\"";
            // The menus keep their place; the captions sit right of the last one.
            const QRect help = bar->actionGeometry(bar->actions().at(6));
            EXPECT_FALSE(help.isEmpty()) << width;
            EXPECT_LT(help.right(), caption(t.w, "mScore")->mapTo(bar, QPoint(0, 0)).x()) << width;
            // What is left goes to the hint, which never pushes into the figures.
            if (!hint.isEmpty()) {
                EXPECT_LT(caption(t.w, "mHint")->mapTo(bar, QPoint(caption(t.w, "mHint")->width(), 0)).x(),
                          caption(t.w, "mScore")->mapTo(bar, QPoint(0, 0)).x() + 1)
                    << width;
            }
        }
    }
}
