// Playing without a mouse: a won line of Klondike played by keys alone, every pile of every game reached
// and played on by keys, held cards that go back, the double click that sends a card home, and what a
// screen reader is told about the piles.
#include <set>
#include <utility>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include "gui/frmMain.h"
#include "gui/table/cardTable.h"
#include "model/catalogue.h"
#include "model/names.h"
#include "play/cTrans.h"
#include "play/mFunc.h"
#include "solve/deals.h"
#include "solve/moves.h"
#include "solve/position.h"
#include "solve/rules.h"
#include "store/cData.h"
#include "tests/solve/randomPlay.h"
#include "tests/support/mainParts.h"
#include "tests/support/mainWindow.h"

using namespace tess;
using tess::testing::caption;
using tess::testing::menuItem;
using Pile = CardTable::PileRef;

namespace
{

struct Window : tess::testing::MainWindow {
    CardTable &t() { return *w->table(); }
    void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(w->table(), k, m); }
    // Arrow keys only, until the focus frame is on pile p; false when they never get there.
    bool goTo(Pile p)
    {
        if ((p.cell == Home) != (t().focusPile().cell == Home))
            key(p.cell == Home ? Qt::Key_Down : Qt::Key_Up);
        // Right to the end of the row, then left: wherever the rows put the pile.
        for (Qt::Key way : {Qt::Key_Right, Qt::Key_Left})
            for (int i = 0; i < 30 && !(t().focusPile() == p); ++i) {
                const Pile was = t().focusPile();
                key(way);
                if (t().focusPile() == was)
                    break;
            }
        return t().focusPile() == p;
    }
    QString score()
    {
        w->RefreshStatus();
        return caption(w, "mScore")->text();
    }
    int logged() { return e().Trans->GetTransID(); }
    // A top card of the tableau over face-down cards, and a tableau pile that refuses it.
    bool refusedMove(int &card, int &from, int &refusing)
    {
        for (from = 1; from < e().Games.Piles(Home); ++from) {
            card = e().Array.GetTopPicID(Home, from);
            for (refusing = 0; refusing < e().Games.Piles(Home); ++refusing) {
                if (refusing == from || e().Array.GetTop(Home, refusing) < 0)
                    continue;
                const int top = e().Array.GetTopPicID(Home, refusing);
                if (!FitsOrder(e(), top, card, e().Games.Order(Home, refusing), false))
                    return true;
            }
        }
        return false;
    }
};

int accepting(const Engine &e, int card)
{
    int n = 0;
    for (int i = 0; i < e.Games.Piles(Goal); ++i)
        n += FoundationAccepts(e, i, card) ? 1 : 0;
    return n;
}

} // namespace

TEST(KeyboardPlay, ASolverLineOfKlondikeIsWonByKeysAlone)
{
    Window t;
    solve::Limits limits;
    limits.milliseconds = 20000;
    // Without autoplay, so that the line sends cards home itself.
    const solve::DealAnswer a = solve::solveDeal("Klondike", 2, false, limits);
    ASSERT_EQ(a.result.verdict, solve::Verdict::Won);
    std::vector<solve::Move> steps;
    for (const solve::Move &m : a.result.moves)
        solve::appendSteps(m, steps);
    t.d().SetAutoplay(0);
    t.w->startGame(QStringLiteral("Klondike"), GameNumber::number(2));
    ASSERT_TRUE(t.d().GameRunning);
    EXPECT_FALSE(t.t().focusShown()) << "no frame for a player who has not touched the keys";
    EXPECT_EQ(t.t().focusPile(), (Pile{Home, 0}));

    const solve::GameRules &g = a.rules;
    int runs = 0, homeKey = 0, presses = 0;
    for (size_t i = 0; i < steps.size() && t.won == 0; ++i) {
        SCOPED_TRACE("step " + std::to_string(i));
        const solve::Move &m = steps[i];
        const int before = t.logged();
        if (m.kind != solve::MoveKind::Drag) {
            // A press on the stock, or the redeal its empty place makes.
            ASSERT_TRUE(t.goTo({Stock, 0}));
            t.key(Qt::Key_Space);
            ++presses;
            ASSERT_NE(t.logged(), before);
            continue;
        }
        // From where the card lies: the Home key may have chosen another foundation than the line did.
        ASSERT_TRUE(t.goTo({t.e().card(m.card).Cell, t.e().card(m.card).Pile}));
        for (int k = 0; k < m.count; ++k)
            t.key(Qt::Key_Up, Qt::ShiftModifier);
        if (m.count > 0) {
            // The run the rules let go is chosen whole, and tinted.
            ASSERT_EQ(t.t().chosenCards().size(), m.count + 1);
            EXPECT_EQ(t.t().chosenCards().front(), m.card);
            EXPECT_TRUE(t.w->table()->PicCards[m.card]->chosen());
            ++runs;
        }
        const Pile to{g.cellOf(m.to), g.engineIndex(m.to)};
        if (to.cell == Goal) {
            // Home sends the top card to a foundation that takes it.
            ASSERT_GE(accepting(t.e(), m.card), 1);
            t.key(Qt::Key_Home);
            ++homeKey;
            ASSERT_EQ(t.e().card(m.card).Cell, Goal);
            ASSERT_NE(t.logged(), before);
            continue;
        }
        t.key(Qt::Key_Space);
        ASSERT_TRUE(t.t().holding());
        ASSERT_EQ(t.t().chosenCards().front(), m.card);
        const QVector<int> run = t.t().chosenCards();
        ASSERT_TRUE(t.goTo(to));
        // The window passes on what reaches it past the table.
        QTest::keyClick(t.w.get(), Qt::Key_Return);
        ASSERT_FALSE(t.t().holding());
        ASSERT_NE(t.logged(), before) << "the drop was refused";
        // Carried whole: the grabbed card and every card that lay on it, in order (or gone on home).
        const CardState &grabbed = t.e().card(m.card);
        for (int k = 0; k < run.size(); ++k) {
            const CardState &c = t.e().card(run[k]);
            EXPECT_TRUE(c.Cell == Goal ||
                        (c.Cell == to.cell && c.Pile == to.pile && c.Pos == grabbed.Pos + k))
                << "card " << k << " of " << run.size();
        }
    }
    EXPECT_TRUE(t.t().focusShown());
    EXPECT_GT(runs, 0) << "a line with a run carried by Shift+Up";
    EXPECT_GT(homeKey, 0);
    EXPECT_GT(presses, 0);
    EXPECT_GT(t.won, 0) << "after " << steps.size() << " steps";
}

TEST(KeyboardPlay, EveryGameHasEveryPileWithinReachAndPlaysByKeys)
{
    Window t;
    t.d().SetAutoplay(0);
    // Hidden, the table lets no events run between the cards of a deal: 33 deals go by at once.
    t.w->hide();
    for (int id = 1; id <= kGameCount; ++id) {
        const std::string name = catalogue::GameName(id);
        SCOPED_TRACE(name);
        t.w->startGame(QString::fromStdString(name), GameNumber::number(7));
        ASSERT_TRUE(t.d().GameRunning);
        // Along each row from one end to the other: every pile the game uses, and no other.
        std::set<std::pair<int, int>> seen, used;
        for (int cell : {Home, Stock, Waste, Goal, Res})
            for (int p = 0; p < t.e().Games.Piles(cell); ++p)
                used.insert({cell, p});
        for (Qt::Key row : {Qt::Key_Down, Qt::Key_Up}) {
            t.key(row);
            for (int i = 0; i < 25; ++i)
                t.key(Qt::Key_Left);
            for (int i = 0; i < 25; ++i) {
                seen.insert({t.t().focusPile().cell, t.t().focusPile().pile});
                t.key(Qt::Key_Right);
            }
        }
        EXPECT_EQ(seen, used);

        // A few legal moves of the solver's, each made by keys and each taken.
        randomplay::Rng rng(static_cast<std::uint64_t>(id));
        for (int n = 0; n < 6 && t.d().GameRunning; ++n) {
            const solve::GameRules g = solve::rulesOf(t.e(), false);
            std::vector<solve::Move> legal, steps;
            solve::generateMoves(g, solve::positionOf(t.e(), g), legal);
            if (legal.empty())
                break;
            solve::appendSteps(legal[static_cast<size_t>(rng.below(static_cast<int>(legal.size())))], steps);
            for (const solve::Move &m : steps) {
                const int before = t.logged();
                if (m.kind != solve::MoveKind::Drag) {
                    ASSERT_TRUE(t.goTo({Stock, 0}));
                    t.key(Qt::Key_Space);
                } else {
                    ASSERT_TRUE(t.goTo({t.e().card(m.card).Cell, t.e().card(m.card).Pile}));
                    for (int k = 0; k < m.count; ++k)
                        t.key(Qt::Key_Up, Qt::ShiftModifier);
                    t.key(Qt::Key_Space);
                    ASSERT_TRUE(t.t().holding());
                    ASSERT_EQ(t.t().chosenCards().size(), m.count + 1);
                    ASSERT_TRUE(t.goTo({g.cellOf(m.to), g.engineIndex(m.to)}))
                        << "to " << g.cellOf(m.to) << "/" << g.engineIndex(m.to) << ", at "
                        << t.t().focusPile().cell << "/" << t.t().focusPile().pile;
                    t.key(Qt::Key_Space);
                    EXPECT_EQ(t.e().card(m.card).Cell, g.cellOf(m.to)) << "move " << n;
                }
                ASSERT_NE(t.logged(), before) << "move " << n << " refused";
            }
        }
    }
}

TEST(KeyboardPlay, WhatADropRefusesEscapeAndTheMouseAllPutBack)
{
    Window t;
    t.d().SetAutoplay(0);
    int card = -1, from = -1, refusing = -1;
    for (long long n = 1; n < 50; ++n) {
        t.w->startGame(QStringLiteral("Klondike"), GameNumber::number(n));
        if (t.refusedMove(card, from, refusing))
            break;
        card = -1;
    }
    ASSERT_GE(card, 0);
    const QPoint home = t.t().PicCards[card]->pos();
    const int before = t.logged();

    // Space on the stock turns a card, as a click there does.
    const int stock = t.e().Array.GetTop(Stock, 0);
    ASSERT_TRUE(t.goTo({Stock, 0}));
    t.key(Qt::Key_Space);
    EXPECT_EQ(t.e().Array.GetTop(Stock, 0), stock - 1);
    EXPECT_EQ(t.e().Array.GetTop(Waste, 0), 0);
    EXPECT_EQ(t.logged(), before + 1);
    EXPECT_FALSE(t.t().holding());

    // The frame is drawn on the table around the pile, in its light colour over any background.
    auto framed = [&t] {
        const QRect f = t.t().focusFrame();
        const QImage shot = t.t().grab().toImage();
        const qreal dpr = shot.devicePixelRatio();
        const QColor c = shot.pixelColor(qRound(f.center().x() * dpr), qRound((f.top() + 1) * dpr));
        return !f.isNull() && c.red() > 200 && c.green() > 160 && c.blue() < 120;
    };
    EXPECT_TRUE(framed());

    // Refused: the card lies where it was and nothing is scored or logged.
    const QString scoreNow = t.score();
    ASSERT_TRUE(t.goTo({Home, from}));
    // Over a face-down card a run is no longer than the one card the rules let go.
    t.key(Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(t.t().chosenCards(), QVector<int>{card});
    t.key(Qt::Key_Space);
    ASSERT_TRUE(t.t().holding());
    EXPECT_TRUE(t.t().PicCards[card]->chosen());
    ASSERT_TRUE(t.goTo({Home, refusing}));
    EXPECT_TRUE(t.t().holding()) << "moving the focus keeps the cards in hand";
    t.key(Qt::Key_Space);
    EXPECT_FALSE(t.t().holding());
    EXPECT_FALSE(t.t().PicCards[card]->chosen());
    EXPECT_EQ(t.t().PicCards[card]->pos(), home);
    EXPECT_EQ(t.e().card(card).Pile, from);
    EXPECT_EQ(t.logged(), before + 1);
    EXPECT_EQ(t.score(), scoreNow);

    // Escape, and a mouse press anywhere, put the cards back too; the frame goes with the mouse.
    ASSERT_TRUE(t.goTo({Home, from}));
    t.key(Qt::Key_Return);
    ASSERT_TRUE(t.t().holding());
    t.key(Qt::Key_Escape);
    EXPECT_FALSE(t.t().holding());
    EXPECT_TRUE(t.t().chosenCards().isEmpty());
    t.key(Qt::Key_Space);
    ASSERT_TRUE(t.t().holding());
    EXPECT_TRUE(t.t().focusShown());
    const int other = t.e().Array.GetTopPicID(Home, refusing);
    QTest::mouseClick(t.t().PicCards[other], Qt::LeftButton);
    EXPECT_FALSE(t.t().holding());
    EXPECT_FALSE(t.t().PicCards[card]->chosen());
    EXPECT_FALSE(t.t().focusShown());
    EXPECT_FALSE(framed());
    EXPECT_EQ(t.e().card(card).Pile, from);
    EXPECT_EQ(t.logged(), before + 1);

    // Taken back from under the keys by Undo: nothing stays in hand to be put down.
    ASSERT_TRUE(t.goTo({Waste, 0}));
    const int turned = t.e().Array.GetTopPicID(Waste, 0);
    t.key(Qt::Key_Space);
    ASSERT_TRUE(t.t().holding());
    t.w->RefreshMenus();
    QTest::keyClick(t.w.get(), Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(t.e().card(turned).Cell, Stock);
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(t.t().holding());
    EXPECT_FALSE(t.t().PicCards[turned]->chosen());
}

TEST(KeyboardPlay, DoubleClickSendsHomeOnlyWhenChosenAndThePilesSayWhatTheyHold)
{
    Window t;
    QAction *item = menuItem(t.w, "mGame", 11);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), "Double-Click Sends Home");
    EXPECT_TRUE(item->isCheckable());
    t.w->RefreshMenus();
    EXPECT_FALSE(item->isChecked());
    EXPECT_EQ(t.d().DoubleClickHome(), 0);
    EXPECT_EQ(menuItem(t.w, "mGame", 10)->text(), "Fit Table to Window");

    // A deal with an Ace on top of a tableau pile over face-down cards, autoplay off.
    t.d().SetAutoplay(0);
    int ace = -1, pile = -1;
    for (long long n = 1; n < 200 && ace < 0; ++n) {
        t.w->startGame(QStringLiteral("Klondike"), GameNumber::number(n));
        for (int p = 2; p < t.e().Games.Piles(Home) && ace < 0; ++p)
            if (t.e().card(t.e().Array.GetTopPicID(Home, p)).Num == kAce)
                ace = t.e().Array.GetTopPicID(Home, p), pile = p;
    }
    ASSERT_GE(ace, 0);
    QCoreApplication::sendPostedEvents();
    TavEmpty *marker = t.t().PicHome[pile];
    const QString aceName = QString::fromStdString(cardTitle(CardAttrsOf(t.e(), ace)));
    EXPECT_EQ(marker->accessibleName(), QStringLiteral("Tableau pile %1").arg(pile + 1));
    EXPECT_EQ(marker->accessibleDescription(),
              QStringLiteral("%1, %2 cards face down").arg(aceName).arg(pile));
    EXPECT_EQ(t.t().PicCards[ace]->accessibleName(), aceName);
    const int under = t.e().Array.GetPicID(Home, pile, 0);
    EXPECT_EQ(t.t().PicCards[under]->accessibleName(), "Face-down card") << "a face-down card is not told";

    const int before = t.logged();
    QTest::mouseDClick(t.t().PicCards[ace], Qt::LeftButton);
    EXPECT_EQ(t.e().card(ace).Cell, Home) << "off, a double click does what it always did";
    EXPECT_EQ(t.logged(), before);

    item->trigger();
    EXPECT_EQ(t.d().DoubleClickHome(), 1);
    EXPECT_TRUE(item->isChecked());
    {
        cData again(t.dir.filePath("t.conf"), t.dir.filePath("data"));
        EXPECT_EQ(again.DoubleClickHome(), 1) << "kept in the settings file";
    }
    TavCard *w = t.t().PicCards[ace];
    QTest::mousePress(w, Qt::LeftButton);
    QTest::mouseRelease(w, Qt::LeftButton);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(10, 10), w->mapToGlobal(QPointF(10, 10)),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &dbl);
    ASSERT_EQ(t.e().card(ace).Cell, Goal);
    EXPECT_FALSE(t.e().Drag.Dragging) << "the double click's own press does not lift it off again";
    QTest::mouseRelease(w, Qt::LeftButton);
    EXPECT_EQ(t.logged(), before + 1);
    const int goal = t.e().card(ace).Pile;

    // Told after the move: the foundation holds the Ace, the pile its new top over one card fewer.
    QCoreApplication::sendPostedEvents();
    const int top = t.e().Array.GetTopPicID(Home, pile);
    const QString topName = QString::fromStdString(cardTitle(CardAttrsOf(t.e(), top)));
    EXPECT_EQ(marker->accessibleDescription(),
              pile == 2 ? QStringLiteral("%1, 1 card face down").arg(topName)
                        : QStringLiteral("%1, %2 cards face down").arg(topName).arg(pile - 1));
    EXPECT_EQ(t.t().PicRight[goal]->accessibleName(), QStringLiteral("Foundation %1").arg(goal + 1));
    EXPECT_EQ(t.t().PicRight[goal]->accessibleDescription(), aceName);
    EXPECT_EQ(t.t().PicCards[ace]->accessibleDescription(),
              QStringLiteral("on foundation %1, face up").arg(goal + 1));
    EXPECT_EQ(t.t().PicCards[top]->accessibleName(), topName);
}
