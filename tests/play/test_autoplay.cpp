// Cards going home on their own, suits leaving Spider tableaus, and the win.
#include <algorithm>

#include <gtest/gtest.h>

#include "tests/play/fixtures.h"

namespace tess
{
namespace
{

using fixture::Rest;
using fixture::suitRun;
using fixture::Table;

std::vector<std::string> join(std::initializer_list<std::vector<std::string>> parts)
{
    std::vector<std::string> v;
    for (const auto &p : parts)
        v.insert(v.end(), p.begin(), p.end());
    return v;
}

// King down to the given rank of one suit, as tableau text from the bottom up.
std::vector<std::string> downFromKing(char suit, int toNum)
{
    auto v = suitRun(suit);
    std::reverse(v.begin(), v.end());
    v.resize(static_cast<size_t>(13 - toNum));
    return v;
}

TEST(Autoplay, AnAceThenItsTwoInTheSamePass)
{
    Table t("Klondike", {{Home, 1, {"2H"}}, {Home, 3, {"AH", "QS"}}, {Home, 4, {"KD"}}});
    t.drag(t.find("QS"), Home, 4);
    EXPECT_EQ(t.pile(Goal, 0), "AH 2H");
    EXPECT_EQ(t.top(Home, 1), -1);
    EXPECT_EQ(t.moves(), 3);
    EXPECT_EQ(std::count(t.view.sounds.begin(), t.view.sounds.end(), "AutoPlay"), 2);
}

TEST(Autoplay, LowestFoundationThatTakesTheCard)
{
    Table t("Double Klondike", {{Goal, 0, {"AH"}},
                                {Goal, 1, {"AS"}},
                                {Goal, 2, {"AH"}},
                                {Home, 0, {"2H"}},
                                {Home, 1, {"2H"}},
                                {Home, 2, {"AD"}}});
    RunAutoplay(t.e);
    EXPECT_EQ(t.pile(Goal, 0), "AH 2H");
    EXPECT_EQ(t.pile(Goal, 2), "AH 2H");
    EXPECT_EQ(t.pile(Goal, 3), "AD") << "the first empty foundation";
    EXPECT_EQ(t.moves(), 3);
}

TEST(Autoplay, ReservesWasteAndAFaceUpStockAreExposedCards)
{
    Table t("Klondike Freecell", {{Res, 1, {"AC"}}, {Waste, 0, {"2C"}}});
    RunAutoplay(t.e);
    EXPECT_EQ(t.pile(Goal, 0), "AC 2C");

    Table open("Open Klondike", {{Stock, 0, {"3S", "AS"}}}, Rest::Nowhere);
    RunAutoplay(open.e);
    EXPECT_EQ(open.pile(Goal, 0), "AS");
    EXPECT_EQ(open.pile(Stock, 0), "3S");
}

TEST(Autoplay, SwitchedOffOrDisabledMovesNothing)
{
    const std::vector<fixture::PileSpec> layout{{Home, 0, {"AH", "QS"}}, {Home, 1, {"KD"}}};
    Table off("Klondike", layout);
    off.host.autoplay = 0;
    off.drag(off.find("QS"), Home, 1);
    EXPECT_EQ(off.pile(Home, 0), "AH");
    off.host.autoplay = 1; // what the Game menu does when it switches the setting on
    RunAutoplay(off.e);
    EXPECT_EQ(off.pile(Goal, 0), "AH");

    Table dis("Klondike", layout);
    const cGames &g = dis.e.Games;
    dis.e.Games.Ext(g.BaseX(), g.BaseY(), g.TotalCards(), g.Redeals(), g.Tag(), -1, g.GoalDiv());
    dis.drag(dis.find("QS"), Home, 1);
    RunAutoplay(dis.e);
    EXPECT_EQ(dis.pile(Home, 0), "AH");
    EXPECT_EQ(dis.top(Goal, 0), -1);
}

TEST(Autoplay, FoundationsFollowTheirOwnOrderAndBase)
{
    Table ak("Klondike AK", {{Goal, 2, {"KD"}}, {Home, 0, {"QD"}}, {Home, 1, {"2D"}}});
    RunAutoplay(ak.e);
    EXPECT_EQ(ak.pile(Goal, 2), "KD QD");
    EXPECT_EQ(ak.pile(Home, 1), "2D");

    Table plus("Klondike Plus",
               {{Home, 0, {"8S"}}, {Home, 1, {"AH"}}, {Goal, 1, {"8H", "9H", "10H", "JH", "QH", "KH"}}});
    plus.e.GoalBase = 7;
    RunAutoplay(plus.e);
    EXPECT_EQ(plus.pile(Goal, 0), "8S");
    EXPECT_EQ(plus.pile(Goal, 1), "8H 9H 10H JH QH KH AH") << "the foundations wrap from King to Ace";
}

TEST(Autoplay, AFullFoundationIsPassedOver)
{
    // With a wrap the second deck's Ace of hearts would fit on the King: it must start a new pile.
    Table t("Double Klondike", {{Goal, 0, suitRun('H')}, {Home, 0, {"AH"}}});
    const CellRule g = t.e.Games.rule(Goal);
    t.e.Games.Goal(g.Piles, g.Order, g.Cards, 0, 1, g.StartX, g.StartY, g.PileWidth, g.PosWidth, g.Div,
                   g.DivWidth, g.PileOrder);
    RunAutoplay(t.e);
    EXPECT_EQ(t.top(Goal, 0), 12);
    EXPECT_EQ(t.pile(Goal, 1), "AH");
}

class SpiderSuit : public ::testing::Test
{
  protected:
    Table t{"Spiderette",
            {{Home, 0, join({{"#9C"}, downFromKing('H', 1)})},
             {Home, 1, {"AH"}},
             {Home, 2, {"5S"}},
             {Home, 3, {"6D"}}}};
};

TEST_F(SpiderSuit, CompleteSuitLeavesAsOneGroupWhateverTheSetting)
{
    t.host.autoplay = 0;
    t.drag(t.find("AH"), Home, 0);
    EXPECT_EQ(t.pile(Goal, 0), "AH 2H 3H 4H 5H 6H 7H 8H 9H 10H JH QH KH");
    EXPECT_EQ(t.pile(Home, 0), "9C") << "the card beneath stays, turned up";
    ASSERT_EQ(t.moves(), 14);
    for (int i = 2; i <= 14; ++i)
        EXPECT_EQ(t.e.Trans->Entry(i).Multi, i < 14 ? 1 : 0) << i;
    EXPECT_EQ(t.e.Trans->Entry(14).tMod, tmod::Uncovered);
    EXPECT_TRUE(std::find(t.view.sounds.begin(), t.view.sounds.end(), "AutoPlay") == t.view.sounds.end());

    EXPECT_TRUE(t.undo());
    EXPECT_EQ(t.moves(), 1);
    EXPECT_EQ(t.top(Goal, 0), -1);
    EXPECT_EQ(t.pile(Home, 0), "#9C KH QH JH 10H 9H 8H 7H 6H 5H 4H 3H 2H AH");
    EXPECT_TRUE(t.redo());
    EXPECT_EQ(t.moves(), 14);
    EXPECT_EQ(t.pile(Home, 0), "9C");
}

TEST_F(SpiderSuit, RedoDoesNotRemoveBySelf)
{
    t.drag(t.find("AH"), Home, 0);
    i16 speed = 0;
    t.e.Trans->UndoAll(speed);
    EXPECT_TRUE(t.redo()); // the drop alone: autoplay does not run on a redo
    EXPECT_EQ(t.top(Home, 0), 13);
    EXPECT_EQ(t.top(Goal, 0), -1);
}

TEST(Spider, IncompleteOrMixedRunsStay)
{
    // Thirteen cards in suit order from the King, but the top is a Two.
    Table two("Spiderette",
              {{Home, 0, join({{"3C"}, downFromKing('H', 1)})}, {Home, 2, {"5S"}}, {Home, 3, {"6D"}}});
    two.drag(two.find("5S"), Home, 3);
    EXPECT_EQ(two.top(Home, 0), 12);
    EXPECT_EQ(two.top(Goal, 0), -1);

    // King to Ace with one card of another suit.
    auto mixed = downFromKing('H', 0);
    mixed[11] = "2S";
    Table mix("Spiderette", {{Home, 0, mixed}, {Home, 2, {"5S"}}, {Home, 3, {"6D"}}});
    mix.drag(mix.find("5S"), Home, 3);
    EXPECT_EQ(mix.top(Home, 0), 12);
    EXPECT_EQ(mix.e.Array.TotalGoalCards(), 0);

    // Queen to Ace of hearts on the King of spades: twelve of a suit are not a suit.
    auto under = downFromKing('H', 0);
    under[0] = "KS";
    Table twelve("Spiderette", {{Home, 0, join({{"#4C"}, under})}, {Home, 2, {"5S"}}, {Home, 3, {"6D"}}});
    twelve.drag(twelve.find("5S"), Home, 3);
    EXPECT_EQ(twelve.top(Home, 0), 13);
    EXPECT_EQ(twelve.e.Array.TotalGoalCards(), 0);
}

TEST(Win, ByHandByAutoplayAndByRedo)
{
    const auto allButKingOfClubs = [] {
        return std::vector<fixture::PileSpec>{{Goal, 0, suitRun('H')},
                                              {Goal, 1, suitRun('S')},
                                              {Goal, 2, suitRun('D')},
                                              {Goal, 3, suitRun('C', 11)},
                                              {Home, 0, {"KC"}}};
    };
    {
        Table t("Klondike", allButKingOfClubs(), Rest::Nowhere);
        t.host.autoplay = 0;
        t.drag(t.find("KC"), Goal, 3);
        EXPECT_EQ(t.host.wins, 1);
        EXPECT_FALSE(t.host.running);

        t.host.running = true; // a new look at the same log
        EXPECT_TRUE(t.undo());
        EXPECT_EQ(t.host.wins, 1);
        EXPECT_TRUE(t.redo());
        EXPECT_EQ(t.host.wins, 2);
    }
    {
        Table t("Klondike",
                {{Goal, 0, suitRun('H')},
                 {Goal, 1, suitRun('S')},
                 {Goal, 2, suitRun('D', 10)},
                 {Goal, 3, suitRun('C')},
                 {Home, 0, {"KD"}},
                 {Home, 1, {"QD"}}},
                Rest::Nowhere);
        t.drag(t.find("QD"), Goal, 2); // the King follows by itself
        EXPECT_EQ(t.e.Array.TotalGoalCards(), 52);
        EXPECT_EQ(t.host.wins, 1);
    }
    {
        // Between games nothing is checked.
        Table t("Klondike", allButKingOfClubs(), Rest::Nowhere);
        t.host.running = false;
        i32 mod = tmod::Plain;
        t.e.Array.MoveCard(static_cast<i16>(t.find("KC")), Goal, 3, 12, mod, 0, 0, 0);
        EXPECT_EQ(t.e.Array.TotalGoalCards(), 52);
        EXPECT_EQ(t.host.wins, 0);
    }
}

TEST(Win, TheLastSpiderSuitWinsOnce)
{
    Table t("Spiderette",
            {{Goal, 0, suitRun('H')},
             {Goal, 1, suitRun('S')},
             {Goal, 2, suitRun('D')},
             {Home, 0, downFromKing('C', 1)},
             {Home, 1, {"AC"}}},
            Rest::Nowhere);
    t.drag(t.find("AC"), Home, 0);
    EXPECT_EQ(t.pile(Goal, 3), "AC 2C 3C 4C 5C 6C 7C 8C 9C 10C JC QC KC");
    EXPECT_EQ(t.host.wins, 1);
}

} // namespace
} // namespace tess
