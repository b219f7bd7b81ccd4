// Mouse play: what a press may pick up, and where a release puts the cards.
#include <algorithm>

#include <gtest/gtest.h>

#include "play/mFunc.h"
#include "tests/play/fixtures.h"

namespace tess
{
namespace
{

using fixture::suitRun;
using fixture::Table;

int count(const std::vector<std::string> &v, const std::string &s)
{
    return static_cast<int>(std::count(v.begin(), v.end(), s));
}

// Carries a card so that its top-left corner ends at (x, y).
void dragTo(Table &t, int card, double x, double y)
{
    t.dragBy(card, x - t.e.card(card).Left, y - t.e.card(card).Top);
}

TEST(Pickup, OnlyRunsInSequenceAndFaceUp)
{
    Table t("Klondike", {{Home, 0, {"#4D", "9H", "8H", "7S"}}, {Home, 1, {"#JC", "#2D"}}});
    const int nh = t.find("9H");
    const double left = t.e.card(nh).Left, top = t.e.card(nh).Top;
    CardPress(t.e, nh, 10, 10);
    EXPECT_FALSE(t.e.Drag.Dragging);
    CardMove(t.e, nh, 500, 500); // ignored: nothing is carried
    CardRelease(t.e, nh);
    EXPECT_EQ(t.e.card(nh).Left, left);
    EXPECT_EQ(t.e.card(nh).Top, top);
    EXPECT_EQ(t.view.sounds, std::vector<std::string>{"CardDown"}) << "a release without a drag is silent";

    CardPress(t.e, t.find("4D"), 0, 0); // face down under others
    EXPECT_FALSE(t.e.Drag.Dragging);
    CardPress(t.e, t.find("2D"), 0, 0); // a face-down top card may be picked up
    EXPECT_TRUE(t.e.Drag.Dragging);
    EXPECT_EQ(t.e.Drag.DragCount, 0);
    CardRelease(t.e, t.find("2D"));
    CardPress(t.e, t.find("8H"), 0, 0);
    EXPECT_TRUE(t.e.Drag.Dragging);
    EXPECT_EQ(t.e.Drag.DragCount, 1);
    CardRelease(t.e, t.find("8H"));
    EXPECT_EQ(t.moves(), 0);
}

TEST(Pickup, NothingWhileNoGameRuns)
{
    Table t("Klondike", {{Home, 0, {"7S"}}});
    t.host.running = false;
    const int c = t.find("7S");
    CardPress(t.e, c, 0, 0);
    EXPECT_FALSE(t.e.Drag.Dragging);
    EXPECT_TRUE(t.view.sounds.empty());
    t.pressStock();
    EXPECT_EQ(t.top(Waste, 0), -1);
}

TEST(Pickup, FreeCellGamesLimitTheRun)
{
    const std::vector<fixture::PileSpec> piles{{Home, 0, {"10D", "9C", "8H"}},
                                               {Home, 1, {"JS", "10H", "9S", "8D"}},
                                               {Home, 2, {"2C"}},
                                               {Home, 3, {"3C"}},
                                               {Home, 4, {"4C"}},
                                               {Home, 5, {"5C"}},
                                               {Home, 6, {"6C"}},
                                               {Home, 7, {"7C"}}};
    Table two("Klondike Freecell", piles); // no empty pile, two empty cells: three cards
    CardPress(two.e, two.find("10D"), 0, 0);
    EXPECT_TRUE(two.e.Drag.Dragging);
    CardRelease(two.e, two.find("10D"));
    CardPress(two.e, two.find("JS"), 0, 0);
    EXPECT_FALSE(two.e.Drag.Dragging);

    auto full = piles;
    full.push_back({Res, 0, {"KC"}});
    full.push_back({Res, 1, {"QC"}});
    Table none("Klondike Freecell", full); // nothing free: the top card alone
    CardPress(none.e, none.find("9C"), 0, 0);
    EXPECT_FALSE(none.e.Drag.Dragging);
    CardPress(none.e, none.find("8H"), 0, 0);
    EXPECT_TRUE(none.e.Drag.Dragging);
    CardRelease(none.e, none.find("8H"));

    Table other("Klondike", {{Home, 0, {"KS", "QH", "JC", "10D", "9S", "8H"}},
                             {Home, 1, {"2C"}},
                             {Home, 2, {"3C"}},
                             {Home, 3, {"4C"}},
                             {Home, 4, {"5C"}},
                             {Home, 5, {"6C"}},
                             {Home, 6, {"7C"}}});
    CardPress(other.e, other.find("KS"), 0, 0); // other games carry any run
    EXPECT_TRUE(other.e.Drag.Dragging);
    EXPECT_EQ(other.e.Drag.DragCount, 5);
    CardRelease(other.e, other.find("KS"));
}

TEST(Pickup, StockAndWasteGiveOnlyTheirTopCard)
{
    Table t("Klondike", {{Waste, 0, {"8S", "9D"}}, {Home, 0, {"10C"}}});
    CardPress(t.e, t.find("8S"), 0, 0);
    EXPECT_FALSE(t.e.Drag.Dragging);
    EXPECT_EQ(count(t.view.sounds, "CardDown"), 1);
    t.drag(t.find("9D"), Home, 0);
    EXPECT_EQ(t.pile(Home, 0), "10C 9D");
    EXPECT_EQ(t.pile(Waste, 0), "8S");

    Table open("Open Klondike", {{Stock, 0, {"4H", "5D", "7S"}}, {Home, 0, {"8H"}}}, fixture::Rest::Nowhere);
    CardPress(open.e, open.find("5D"), 0, 0); // a face-up stock is played, not turned
    EXPECT_FALSE(open.e.Drag.Dragging);
    EXPECT_EQ(open.top(Waste, 0), -1);
    open.drag(open.find("7S"), Home, 0);
    EXPECT_EQ(open.pile(Home, 0), "8H 7S");
    EXPECT_EQ(open.pile(Stock, 0), "4H 5D");
    EXPECT_EQ(open.moves(), 1);
}

TEST(Pickup, FoundationsGiveOnlyTheirTopCard)
{
    Table t("Klondike", {{Goal, 0, suitRun('H', 4)}, {Home, 0, {"4S"}}, {Home, 1, {"6S"}}});
    t.host.autoplay = 0;
    const int three = t.find("3H");
    const double left = t.e.card(three).Left, top = t.e.card(three).Top;
    CardPress(t.e, three, 0, 0);
    EXPECT_FALSE(t.e.Drag.Dragging);
    t.drag(three, Home, 0); // where it would fit, were it free
    EXPECT_NO_THROW(t.e.checkInvariants());
    EXPECT_EQ(t.pile(Goal, 0), "AH 2H 3H 4H 5H");
    EXPECT_EQ(t.pile(Home, 0), "4S");
    EXPECT_EQ(t.e.card(three).Left, left);
    EXPECT_EQ(t.e.card(three).Top, top);
    EXPECT_EQ(t.moves(), 0);
    t.drag(t.find("5H"), Home, 1);
    EXPECT_EQ(t.pile(Home, 1), "6S 5H");
}

TEST(Pickup, ARemovedSpiderSuitStaysWhereItIs)
{
    std::vector<std::string> suit = suitRun('S');
    Table t("Spiderette", {{Goal, 0, suit}, {Home, 0, {"5H"}}});
    const int king = t.find("KS");
    CardPress(t.e, king, 0, 0);
    EXPECT_FALSE(t.e.Drag.Dragging);
    t.drag(king, Home, 3); // an empty pile takes any card in this game
    EXPECT_EQ(t.top(Goal, 0), 12);
    EXPECT_EQ(t.top(Home, 3), -1);
    EXPECT_EQ(t.moves(), 0);
}

TEST(Drop, CarriedCardsFollowInTheirFanAndComeBack)
{
    Table t("Klondike", {{Home, 0, {"9H", "8S", "7D"}}});
    const int nh = t.find("9H"), es = t.find("8S"), sd = t.find("7D");
    const double l = t.e.card(nh).Left, top = t.e.card(nh).Top;
    CardPress(t.e, nh, 100, 100);
    CardMove(t.e, nh, 400, 150);
    EXPECT_EQ(t.e.card(nh).Left, l + 300);
    EXPECT_EQ(t.e.card(nh).Top, top + 50);
    EXPECT_EQ(t.e.card(es).Left, l + 300);
    EXPECT_EQ(t.e.card(es).Top, top + 50 + 250);
    EXPECT_EQ(t.e.card(sd).Top, top + 50 + 500);
    EXPECT_GT(t.e.card(sd).Z, t.e.card(es).Z);
    EXPECT_GT(t.e.card(es).Z, t.e.card(nh).Z);
    CardRelease(t.e, nh); // over nothing
    EXPECT_EQ(t.e.card(nh).Left, l);
    EXPECT_EQ(t.e.card(sd).Left, l);
    EXPECT_EQ(t.e.card(sd).Top, top + 500);
    EXPECT_EQ(t.moves(), 0);

    // Piles fanned to the right carry their runs to the right.
    Table r("Klondike", {{Home, 0, {"9H", "8S"}}});
    const CellRule h = r.e.Games.rule(Home);
    r.e.Games.Home(h.Piles, h.Order, h.Cards, h.AK, 12, 1, h.StartX, h.StartY, h.PileWidth, 180, h.Div,
                   h.DivWidth, 2, 1, 0, 2, 7);
    const int rh = r.find("9H"), rs = r.find("8S");
    CardPress(r.e, rh, 0, 0);
    CardMove(r.e, rh, 0, 700);
    EXPECT_EQ(r.e.card(rs).Left, r.e.card(rh).Left + 180);
    EXPECT_EQ(r.e.card(rs).Top, r.e.card(rh).Top);
    CardRelease(r.e, rh);
}

class Targets : public ::testing::Test
{
  protected:
    // Klondike: pile 0 holds the card to drop; piles 2 and 3 the same height.
    Table t{"Klondike", {{Home, 0, {"7H"}}, {Home, 2, {"8S"}}, {Home, 3, {"8C"}}}};
    int card = t.find("7H");
    int tx2 = t.e.Array.CordX(Home, 2, 0), tx3 = t.e.Array.CordX(Home, 3, 0),
        ty = t.e.Array.CordY(Home, 3, 0);
};

TEST_F(Targets, CentreBeatsAnEarlierOverlap)
{
    dragTo(t, card, tx3 - 400, ty); // centre on pile 3, left edge over pile 2
    EXPECT_EQ(t.pile(Home, 3), "8C 7H");
    EXPECT_EQ(t.pile(Home, 2), "8S");
    EXPECT_EQ(t.moves(), 1);
}

TEST_F(Targets, CentreBeatsALaterOverlap)
{
    dragTo(t, card, tx2 + 400, ty); // centre on pile 2, right edge over pile 3
    EXPECT_EQ(t.pile(Home, 2), "8S 7H");
    EXPECT_EQ(t.pile(Home, 3), "8C");
}

TEST_F(Targets, OverlapOfTwoGoesToTheLowerPile)
{
    CardPress(t.e, card, 0, 0);
    CardMove(t.e, card, tx3 - 582 - t.e.card(card).Left, ty - t.e.card(card).Top);
    // The centre lies in the gap between the piles.
    ASSERT_FALSE(HitTest(t.e, card, Home, 2, 0, kPointTest));
    ASSERT_FALSE(HitTest(t.e, card, Home, 3, 0, kPointTest));
    CardRelease(t.e, card);
    EXPECT_EQ(t.pile(Home, 2), "8S 7H");
    EXPECT_EQ(t.pile(Home, 3), "8C");
}

TEST_F(Targets, OwnPileReturnsTheCard)
{
    const double l = t.e.card(card).Left, top = t.e.card(card).Top;
    t.dragBy(card, 40, 90);
    EXPECT_EQ(t.e.card(card).Left, l);
    EXPECT_EQ(t.e.card(card).Top, top);
    EXPECT_EQ(t.pile(Home, 0), "7H");
    EXPECT_EQ(t.moves(), 0);
    EXPECT_EQ(count(t.view.sounds, "CardUp"), 1);
}

TEST(Drop, CellsAreTriedTableauReserveFoundation)
{
    // In this layout reserve 0 lies above tableau pile 0, foundation 0 above tableau pile 4.
    auto layout = [](const char *pile0, const char *pile4) {
        return std::vector<fixture::PileSpec>{
            {Home, 0, {pile0}}, {Home, 4, {pile4}}, {Home, 7, {"7H", "2H"}}, {Goal, 0, {"AH"}}};
    };
    const int between = 1000; // a card here overlaps the top row and the tableau, its centre on neither
    {
        Table t("Klondike Freecell", layout("8S", "3S"));
        t.host.autoplay = 0;
        ASSERT_EQ(t.e.Array.CordX(Res, 0, 0), t.e.Array.CordX(Home, 0, 0));
        ASSERT_EQ(t.e.Array.CordX(Goal, 0, 0), t.e.Array.CordX(Home, 4, 0));
        dragTo(t, t.find("2H"), t.e.Array.CordX(Goal, 0, 0), between);
        EXPECT_EQ(t.pile(Home, 4), "3S 2H");
        dragTo(t, t.find("7H"), t.e.Array.CordX(Res, 0, 0), between);
        EXPECT_EQ(t.pile(Home, 0), "8S 7H");
    }
    {
        Table t("Klondike Freecell", layout("8H", "3H")); // the tableau refuses both
        t.host.autoplay = 0;
        dragTo(t, t.find("2H"), t.e.Array.CordX(Goal, 0, 0), between);
        EXPECT_EQ(t.pile(Goal, 0), "AH 2H");
        dragTo(t, t.find("7H"), t.e.Array.CordX(Res, 0, 0), between);
        EXPECT_EQ(t.pile(Res, 0), "7H");
    }
    {
        // The point test runs over every target before the overlap test runs over any.
        Table t("Klondike Freecell", layout("8S", "3S"));
        t.host.autoplay = 0;
        dragTo(t, t.find("2H"), t.e.Array.CordX(Goal, 0, 0), 800);
        EXPECT_EQ(t.pile(Goal, 0), "AH 2H");
    }
}

TEST(Drop, ReserveTakesOneLoneCardWhenFreeCellsAreOn)
{
    Table t("Klondike Freecell", {{Home, 0, {"8S", "7H"}}, {Home, 1, {"9D"}}, {Res, 1, {"KC"}}});
    t.host.autoplay = 0;
    t.drag(t.find("8S"), Res, 0); // a run does not go into a cell
    EXPECT_EQ(t.top(Res, 0), -1);
    t.drag(t.find("9D"), Res, 1); // an occupied cell takes nothing
    EXPECT_EQ(t.pile(Res, 1), "KC");
    t.drag(t.find("7H"), Res, 0);
    EXPECT_EQ(t.pile(Res, 0), "7H");
    EXPECT_EQ(t.moves(), 1);
    t.drag(t.find("7H"), Home, 0); // and gives it back
    EXPECT_EQ(t.pile(Home, 0), "8S 7H");

    Table k("King Albert", {{Home, 0, {"7H"}}}); // its reserve is dealt to, never dropped on
    k.drag(k.find("7H"), Res, 0);
    EXPECT_EQ(k.pile(Home, 0), "7H");
}

TEST(Drop, StockAndWasteAreNeverTargets)
{
    Table t("Klondike", {{Home, 0, {"7H"}}, {Waste, 0, {"8S"}}, {Stock, 0, {"#8C"}}}, fixture::Rest::Nowhere);
    const int c = t.find("7H");
    t.drag(c, Waste, 0);
    EXPECT_EQ(t.pile(Home, 0), "7H");
    t.drag(c, Stock, 0);
    EXPECT_EQ(t.pile(Home, 0), "7H");
    EXPECT_EQ(t.moves(), 0);
}

TEST(Drop, ATopRowCardReleasedOverItsOwnPileReturns)
{
    // Every top-row place here lies above an empty tableau pile that takes any card.
    auto click = [](Table &t, int card, double dx, double dy) {
        const double left = t.e.card(card).Left, top = t.e.card(card).Top;
        t.dragBy(card, dx, dy);
        const bool back = t.e.card(card).Left == left && t.e.card(card).Top == top;
        return back && t.moves() == 0;
    };
    {
        Table t("Klondike AK", {{Waste, 0, {"8S"}}, {Goal, 0, {"AH", "2H"}}});
        t.host.autoplay = 0;
        ASSERT_TRUE(HitTest(t.e, t.find("8S"), Home, 1, -1, kOverlapTest));
        EXPECT_TRUE(click(t, t.find("8S"), 0, 0));
        EXPECT_TRUE(click(t, t.find("8S"), 40, 300)) << "still over the waste";
        EXPECT_TRUE(click(t, t.find("2H"), 0, 0));
        EXPECT_EQ(t.pile(Waste, 0), "8S");
        EXPECT_EQ(t.pile(Goal, 0), "AH 2H");
        // A real drag onto the empty pile still lands.
        t.drag(t.find("8S"), Home, 1);
        EXPECT_EQ(t.pile(Home, 1), "8S");
        t.drag(t.find("2H"), Home, 3);
        EXPECT_EQ(t.pile(Home, 3), "2H");
        EXPECT_EQ(t.moves(), 2);
    }
    {
        Table t("Open Klondike", {{Stock, 0, {"4H", "9C"}}}, fixture::Rest::Nowhere);
        t.host.autoplay = 0;
        EXPECT_TRUE(click(t, t.find("9C"), 0, 0));
        EXPECT_EQ(t.pile(Stock, 0), "4H 9C");
        t.drag(t.find("9C"), Home, 0);
        EXPECT_EQ(t.pile(Home, 0), "9C");
    }
}

TEST(Drop, FoundationRules)
{
    {
        // A run is never dropped home, even when its lowest card would fit.
        Table t("Klondike", {{Home, 0, {"2H", "AS"}}, {Goal, 0, {"AH"}}});
        t.host.autoplay = 0;
        const int th = t.find("2H");
        const double l = t.e.card(th).Left, top = t.e.card(th).Top;
        t.drag(th, Goal, 0);
        EXPECT_EQ(t.pile(Goal, 0), "AH");
        EXPECT_EQ(t.e.card(t.find("AS")).Top, top + 250);
        EXPECT_EQ(t.e.card(th).Left, l);
        t.drag(t.find("AS"), Goal, 1);
        t.drag(th, Goal, 0);
        EXPECT_EQ(t.pile(Goal, 0), "AH 2H");
        EXPECT_EQ(t.moves(), 2);
    }
    {
        // With a wrap a second Ace of hearts would follow the King: a full foundation still refuses it.
        Table t("Double Klondike", {{Goal, 0, suitRun('H')}, {Home, 0, {"AH"}}});
        t.host.autoplay = 0;
        const CellRule g = t.e.Games.rule(Goal);
        t.e.Games.Goal(g.Piles, g.Order, g.Cards, 0, 1, g.StartX, g.StartY, g.PileWidth, g.PosWidth, g.Div,
                       g.DivWidth, g.PileOrder);
        const int ah = t.id(Home, 0, 0); // the second deck's Ace
        ASSERT_TRUE(FitsOrder(t.e, t.id(Goal, 0, 12), ah, 2, true));
        t.drag(ah, Goal, 0);
        EXPECT_EQ(t.top(Goal, 0), 12);
        EXPECT_EQ(t.pile(Home, 0), "AH");
        t.drag(ah, Goal, 1);
        EXPECT_EQ(t.pile(Goal, 1), "AH");
    }
    {
        // Spider games take nothing home by hand.
        // No pile is empty, so none catches the card on the way back.
        Table t("Spiderette", {{Home, 0, {"AS"}},
                               {Home, 1, {"2H"}},
                               {Goal, 0, {"AH"}},
                               {Home, 2, {"KC"}},
                               {Home, 3, {"KD"}},
                               {Home, 4, {"QC"}},
                               {Home, 5, {"QD"}},
                               {Home, 6, {"JC"}}});
        t.drag(t.find("AS"), Goal, 1);
        t.drag(t.find("2H"), Goal, 0);
        EXPECT_EQ(t.pile(Home, 0), "AS");
        EXPECT_EQ(t.pile(Home, 1), "2H");
        EXPECT_EQ(t.moves(), 0);
    }
    {
        // The foundation's own order: Klondike AK builds its upper piles down.
        Table t("Klondike AK", {{Goal, 2, {"KD"}},
                                {Goal, 0, {"AH"}},
                                {Home, 0, {"QD"}},
                                {Home, 1, {"2D"}},
                                {Home, 2, {"5S"}},
                                {Home, 3, {"6S"}},
                                {Home, 4, {"7S"}},
                                {Home, 5, {"8S"}},
                                {Home, 6, {"9H"}}});
        t.host.autoplay = 0;
        t.drag(t.find("QD"), Goal, 2);
        EXPECT_EQ(t.pile(Goal, 2), "KD QD");
        t.drag(t.find("2D"), Goal, 0);
        EXPECT_EQ(t.pile(Goal, 0), "AH");
        EXPECT_EQ(t.pile(Home, 1), "2D");
    }
}

TEST(Drop, AnEmptiedFoundationTakesTheRankItWasFoundedOn)
{
    {
        Table t("Klondike AK", {{Goal, 0, {"AH"}},
                                {Goal, 1, {"AS"}},
                                {Goal, 2, {"KD"}},
                                {Goal, 3, {"KC"}},
                                {Home, 0, {"AD"}},
                                {Home, 1, {"9S"}},
                                {Home, 2, {"5H"}},
                                {Home, 3, {"6H"}},
                                {Home, 5, {"7C"}},
                                {Home, 6, {"8C"}}});
        t.host.autoplay = 0;
        t.drag(t.find("KD"), Home, 4);
        EXPECT_EQ(t.pile(Home, 4), "KD");
        EXPECT_EQ(t.top(Goal, 2), -1);
        t.drag(t.find("AD"), Goal, 2);
        EXPECT_EQ(t.pile(Home, 0), "AD");
        // Autoplay brings the King back rather than starting the pile with the Ace.
        t.host.autoplay = 1;
        RunAutoplay(t.e);
        EXPECT_EQ(t.pile(Goal, 2), "KD");
        EXPECT_EQ(t.pile(Home, 0), "AD");
        EXPECT_EQ(t.moves(), 2);
    }
    {
        Table t("Klondike Reversed", {{Goal, 0, {"KH"}},
                                      {Goal, 1, {"KS"}},
                                      {Goal, 2, {"KD"}},
                                      {Goal, 3, {"KC"}},
                                      {Home, 0, {"QS"}},
                                      {Home, 1, {"AH"}},
                                      {Home, 2, {"5H"}},
                                      {Home, 3, {"6H"}},
                                      {Home, 4, {"7H"}},
                                      {Home, 5, {"7C"}},
                                      {Home, 6, {"8C"}}});
        t.host.autoplay = 0;
        t.drag(t.find("KH"), Home, 0);
        EXPECT_EQ(t.pile(Home, 0), "QS KH");
        t.drag(t.find("AH"), Goal, 0);
        EXPECT_EQ(t.pile(Home, 1), "AH");
        t.drag(t.find("KH"), Goal, 0);
        EXPECT_EQ(t.pile(Goal, 0), "KH");
    }
}

TEST(Drop, EmptyTableauPileAcceptsItsRank)
{
    auto tryOn = [](const char *game, const char *card) {
        Table t(game, {{Home, 0, {"#9C", card}}});
        t.host.autoplay = 0;
        t.drag(t.find(card), Home, 3);
        return t.top(Home, 3) == 0;
    };
    EXPECT_FALSE(tryOn("Klondike", "QH"));
    EXPECT_TRUE(tryOn("Klondike", "KS"));
    EXPECT_TRUE(tryOn("Klondike AK", "QH"));
    EXPECT_TRUE(tryOn("Klondike AK", "2C"));
    EXPECT_FALSE(tryOn("Klondike Reversed", "2H"));
    EXPECT_TRUE(tryOn("Klondike Reversed", "AH"));
}

TEST(Drop, AcceptedDropMovesTheRunAsOneLoggedMove)
{
    Table t("Klondike", {{Home, 0, {"#4D", "9H", "8S", "7D"}}, {Home, 5, {"10C"}}});
    t.drag(t.find("9H"), Home, 5);
    EXPECT_EQ(t.pile(Home, 5), "10C 9H 8S 7D");
    EXPECT_EQ(t.pile(Home, 0), "4D");
    EXPECT_EQ(t.moves(), 1);
    EXPECT_EQ(t.e.Trans->Entry(1).mCards, 2);
    EXPECT_EQ(t.view.sounds, (std::vector<std::string>{"CardDown", "CardUp"}));
    for (int pos = 0; pos <= 3; ++pos) {
        const CardState &c = t.e.card(t.id(Home, 5, pos));
        EXPECT_EQ(c.Left, t.e.Array.CordX(Home, 5, pos));
        EXPECT_EQ(c.Top, t.e.Array.CordY(Home, 5, pos));
    }
    // Cards go back and forth between a foundation and the tableau.
    Table g("Klondike", {{Goal, 0, {"AH", "2H"}}, {Home, 0, {"3S"}}});
    g.host.autoplay = 0;
    g.drag(g.find("2H"), Home, 0);
    EXPECT_EQ(g.pile(Home, 0), "3S 2H");
    EXPECT_EQ(g.pile(Goal, 0), "AH");
}

} // namespace
} // namespace tess
