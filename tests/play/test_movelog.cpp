// The move log: undo and redo of single moves and groups, its growth and its limit.
#include <algorithm>

#include <gtest/gtest.h>

#include "tests/play/fixtures.h"

namespace tess
{
namespace
{

using fixture::Rest;
using fixture::Table;

std::string ev(const char *what, int id)
{
    return std::string(what) + " " + std::to_string(id);
}

size_t indexOf(const std::vector<std::string> &v, const std::string &s)
{
    return static_cast<size_t>(std::find(v.begin(), v.end(), s) - v.begin());
}

TEST(MoveLog, ANewMoveDropsWhatCouldBeRedone)
{
    Table t("Klondike", {{Home, 0, {"KS"}}, {Home, 1, {"QH"}}, {Home, 2, {"JC"}}, {Home, 3, {"10D"}}});
    t.drag(t.find("QH"), Home, 0);
    t.drag(t.find("JC"), Home, 0);
    t.drag(t.find("10D"), Home, 0);
    ASSERT_EQ(t.moves(), 3);
    EXPECT_TRUE(t.undo());
    EXPECT_TRUE(t.undo());
    EXPECT_EQ(t.moves(), 1);
    EXPECT_EQ(t.e.Trans->GetTransLast(), 3);
    EXPECT_TRUE(t.e.Trans->RedoPossible());
    t.drag(t.find("10D"), Home, 1); // a refused drop keeps what could be redone
    EXPECT_EQ(t.e.Trans->GetTransLast(), 3);
    t.drag(t.find("JC"), Home, 0);
    EXPECT_EQ(t.moves(), 2);
    EXPECT_EQ(t.e.Trans->GetTransLast(), 2);
    EXPECT_FALSE(t.e.Trans->RedoPossible());
    EXPECT_FALSE(t.redo());
    EXPECT_EQ(t.pile(Home, 0), "KS QH JC");
}

TEST(MoveLog, UncoveredCardTurnsBackBeforeTheCardReturns)
{
    Table t("Klondike", {{Home, 0, {"#5C", "KS"}}});
    const int ks = t.find("KS"), fc = t.find("5C");
    t.drag(ks, Home, 1);
    ASSERT_EQ(t.pile(Home, 0), "5C");
    t.view.clear();
    EXPECT_TRUE(t.undo());
    EXPECT_EQ(t.pile(Home, 0), "#5C KS");
    EXPECT_LT(indexOf(t.view.events, ev("face", fc)), indexOf(t.view.events, ev("move", ks)));
    t.view.clear();
    EXPECT_TRUE(t.redo());
    EXPECT_EQ(t.pile(Home, 0), "5C");
    EXPECT_EQ(t.pile(Home, 1), "KS");
    ASSERT_LT(indexOf(t.view.events, ev("face", fc)), t.view.events.size());
    EXPECT_LT(indexOf(t.view.events, ev("move", ks)), indexOf(t.view.events, ev("face", fc)));
}

TEST(MoveLog, StockTurnUndoesFaceDown)
{
    Table t("Klondike", {{Stock, 0, {"#3D", "#9C"}}}, Rest::Nowhere);
    t.pressStock();
    EXPECT_TRUE(t.undo());
    EXPECT_EQ(t.pile(Stock, 0), "#3D #9C");
    EXPECT_EQ(t.top(Waste, 0), -1);
    EXPECT_TRUE(t.redo());
    EXPECT_EQ(t.pile(Waste, 0), "9C");
}

TEST(MoveLog, DealtRowGoesBackInOneStepLastCardFirst)
{
    Table t("Spiderette",
            {{Home, 0, {"KS"}},
             {Home, 1, {"KH"}},
             {Home, 2, {"KD"}},
             {Home, 3, {"KC"}},
             {Home, 4, {"QS"}},
             {Home, 5, {"QH"}},
             {Home, 6, {"QD"}},
             {Stock, 0, {"#9S", "#9H", "#9D", "#8S", "#8H", "#8D", "#7S"}}},
            Rest::Nowhere);
    const std::string stock = t.pile(Stock, 0);
    t.pressStock();
    const int first = t.id(Home, 0, 1), last = t.id(Home, 6, 1);
    t.view.clear();
    EXPECT_TRUE(t.undo());
    EXPECT_EQ(t.moves(), 0);
    EXPECT_EQ(t.pile(Stock, 0), stock);
    EXPECT_EQ(t.view.events.front().rfind("move", 0), 0u);
    EXPECT_LT(indexOf(t.view.events, ev("move", last)), indexOf(t.view.events, ev("move", first)));
    EXPECT_TRUE(t.redo());
    EXPECT_EQ(t.moves(), 7);
    EXPECT_EQ(t.pile(Home, 6), "QD 9S");
    EXPECT_FALSE(t.redo());
}

TEST(MoveLog, ASuitCompletedByADealtRowStaysInTheRowsStep)
{
    // The row's Ace completes the spades on pile 0: the suit's own group opens inside the row's.
    std::vector<std::string> spades;
    for (const char *r : {"KS", "QS", "JS", "10S", "9S", "8S", "7S", "6S", "5S", "4S", "3S", "2S"})
        spades.push_back(r);
    Table t("Spiderette",
            {{Home, 0, spades},
             {Home, 1, {"KH"}},
             {Home, 2, {"KD"}},
             {Home, 3, {"KC"}},
             {Home, 4, {"QH"}},
             {Home, 5, {"QD"}},
             {Home, 6, {"QC"}},
             {Stock, 0, {"#9H", "#9D", "#9C", "#8H", "#8D", "#8C", "#AS"}}},
            Rest::Nowhere);
    t.drag(t.find("QH"), Home, 3); // one single move before the row
    const int goal = t.e.card(t.find("AS")).Suitpile;
    const std::string stock = t.pile(Stock, 0);
    t.pressStock();
    ASSERT_EQ(t.pile(Goal, goal), "AS 2S 3S 4S 5S 6S 7S 8S 9S 10S JS QS KS");
    ASSERT_EQ(t.top(Home, 0), -1);
    ASSERT_EQ(t.pile(Home, 6), "QC 9H") << "the rest of the row is still dealt";
    ASSERT_EQ(t.moves(), 1 + 7 + 13);
    for (int i = 2; i < t.moves(); ++i)
        EXPECT_EQ(t.e.Trans->Entry(i).Multi, 1) << "entry " << i;
    EXPECT_EQ(t.e.Trans->Entry(t.moves()).Multi, 0);

    EXPECT_TRUE(t.undo());
    EXPECT_EQ(t.moves(), 1);
    EXPECT_EQ(t.pile(Stock, 0), stock);
    EXPECT_EQ(t.top(Goal, goal), -1);
    EXPECT_EQ(t.top(Home, 0), 11);
    EXPECT_EQ(t.pile(Home, 3), "KC QH");
    EXPECT_TRUE(t.redo());
    EXPECT_EQ(t.moves(), 21);
    EXPECT_EQ(t.top(Goal, goal), 12);
    EXPECT_FALSE(t.redo());
    EXPECT_NO_THROW(t.e.checkInvariants());
}

TEST(MoveLog, SoundsAndTheSpeedOfGroups)
{
    Table t("Spiderette",
            {{Home, 0, {"KS"}},
             {Home, 1, {"KH"}},
             {Home, 2, {"KD"}},
             {Home, 3, {"KC"}},
             {Home, 4, {"QS"}},
             {Home, 5, {"QH"}},
             {Home, 6, {"QD", "5C"}},
             {Stock, 0, {"#9S", "#9H", "#9D", "#8S", "#8H", "#8D", "#7S"}}},
            Rest::Nowhere);
    t.drag(t.find("QS"), Home, 1); // single
    t.pressStock();                // group of seven
    t.drag(t.id(Home, 2, 1), Home, 4);
    ASSERT_EQ(t.moves(), 9);
    t.view.clear();

    i16 speed = 4;
    EXPECT_TRUE(t.e.Trans->Undo(speed));
    EXPECT_TRUE(t.view.sounds.empty()) << "speed 4 is silent";
    EXPECT_TRUE(t.redo(4));
    speed = 5;
    EXPECT_TRUE(t.e.Trans->Undo(speed));
    EXPECT_EQ(t.view.sounds, std::vector<std::string>{"Undo"});
    EXPECT_EQ(speed, 5);
    t.view.clear();
    EXPECT_TRUE(t.e.Trans->Redo(speed));
    EXPECT_EQ(t.view.sounds, std::vector<std::string>{"Redo"});

    // A group sounds once, and the caller's speed comes back as 4.
    t.view.clear();
    speed = 5;
    EXPECT_TRUE(t.e.Trans->Undo(speed)); // the single move on top
    EXPECT_TRUE(t.e.Trans->Undo(speed)); // the row
    EXPECT_EQ(t.moves(), 1);
    EXPECT_EQ(speed, 4);
    EXPECT_EQ(t.view.sounds, (std::vector<std::string>{"Undo", "Undo"}));

    // Undo All passes its speed on: after the first group member every step is silent.
    t.e.Trans->RedoAll(speed);
    ASSERT_EQ(t.moves(), 9);
    t.view.clear();
    speed = 5;
    t.e.Trans->UndoAll(speed);
    EXPECT_EQ(t.moves(), 0);
    EXPECT_EQ(t.view.sounds, (std::vector<std::string>{"Undo", "Undo"}));
    t.view.clear();
    speed = 6;
    t.e.Trans->RedoAll(speed);
    EXPECT_EQ(t.view.sounds, (std::vector<std::string>{"Redo", "Redo"}));
    EXPECT_EQ(t.moves(), 9);
}

TEST(MoveLog, NothingToUndo)
{
    Table t("Klondike", {{Home, 0, {"KS"}}});
    i16 speed = 5;
    t.e.Trans->UndoAll(speed);
    t.e.Trans->RedoAll(speed);
    EXPECT_FALSE(t.e.Trans->Undo(speed));
    EXPECT_FALSE(t.e.Trans->Redo(speed));
    EXPECT_FALSE(t.e.Trans->UndoPossible());
    EXPECT_FALSE(t.e.Trans->RedoPossible());
    EXPECT_TRUE(t.view.events.empty());
    EXPECT_EQ(t.pile(Home, 0), "KS");
}

// Moves one card between the two free cells, the cheapest logged move there is.
class CellShuffle : public ::testing::Test
{
  protected:
    Table t{"Klondike Freecell", {{Home, 0, {"KS"}}}};
    int ks = t.find("KS");

    bool hop(int i)
    {
        i32 mod = tmod::Plain;
        return t.e.Array.MoveCard(static_cast<i16>(ks), Res, static_cast<i16>(i % 2), 0, mod, 0, 0, 0);
    }
    void SetUp() override { t.host.autoplay = 0; }
};

TEST_F(CellShuffle, GrowsAtTheHundredAndFirstMoveKeepingTheFirst)
{
    for (int i = 0; i < 100; ++i)
        ASSERT_TRUE(hop(i));
    EXPECT_EQ(t.e.Trans->GetTransCapacity(), 100);
    ASSERT_TRUE(hop(100));
    EXPECT_EQ(t.e.Trans->GetTransCapacity(), 200);
    EXPECT_EQ(t.moves(), 101);
    EXPECT_EQ(t.e.Trans->Entry(1).SrcCell, Home);
    for (int i = 1; i <= 101; ++i) {
        const TransRecord &r = t.e.Trans->Entry(i);
        EXPECT_EQ(r.PicID, ks);
        EXPECT_EQ(r.DCell, Res);
        EXPECT_EQ(r.DPile, (i - 1) % 2) << i;
        if (i > 1) {
            EXPECT_EQ(r.SrcPile, i % 2) << i;
        }
    }
    i16 speed = 0;
    t.e.Trans->UndoAll(speed);
    EXPECT_EQ(t.pile(Home, 0), "KS");
    t.e.Trans->RedoAll(speed);
    EXPECT_EQ(t.pile(Res, 0), "KS");
}

TEST_F(CellShuffle, TheLogStopsAt32700Moves)
{
    for (int i = 0; i < 32700; ++i)
        ASSERT_TRUE(hop(i)) << i;
    ASSERT_EQ(t.moves(), 32700);
    EXPECT_EQ(t.e.Trans->GetTransCapacity(), 32700);
    EXPECT_EQ(t.pile(Res, 1), "KS");
    EXPECT_FALSE(hop(32700)) << "a move the log cannot hold is refused";
    EXPECT_EQ(t.pile(Res, 1), "KS");
    EXPECT_EQ(t.top(Res, 0), -1);
    t.drag(ks, Home, 3); // a drop is refused the same way: the card goes back
    EXPECT_EQ(t.pile(Res, 1), "KS");
    EXPECT_EQ(t.top(Home, 3), -1);
    EXPECT_EQ(t.e.card(ks).Left, t.e.Array.CordX(Res, 1, 0));
    EXPECT_EQ(t.moves(), 32700);
    EXPECT_NO_THROW(t.e.checkInvariants());

    EXPECT_TRUE(t.undo());
    EXPECT_TRUE(hop(32701)) << "room again after an undo";
    EXPECT_EQ(t.moves(), 32700);
}

// Moves a King between two empty tableau piles until the log holds `entries` entries.
void fillLog(Table &t, const char *king, int pileA, int pileB, int entries)
{
    const int k = t.find(king);
    for (int i = 0; t.moves() < entries; ++i) {
        i32 mod = tmod::Plain;
        ASSERT_TRUE(t.e.Array.MoveCard(static_cast<i16>(k), Home, static_cast<i16>(i % 2 ? pileB : pileA), 0,
                                       mod, 0, 0, 0));
    }
}

TEST(MoveLog, NearTheLimitASuitLeavesWholeOrNotAtAll)
{
    std::vector<std::string> run{"#9C", "KH", "QH", "JH", "10H", "9H", "8H",
                                 "7H",  "6H", "5H", "4H", "3H",  "2H"};
    Table t("Spiderette", {{Home, 0, run}, {Home, 1, {"AH"}}, {Home, 2, {"KS"}}});
    fillLog(t, "KS", 5, 6, 32695);
    t.drag(t.find("AH"), Home, 0);
    EXPECT_EQ(t.moves(), 32696);
    EXPECT_EQ(t.top(Goal, 0), -1) << "thirteen moves do not fit: the suit stays together";
    EXPECT_EQ(t.top(Home, 0), 13);

    for (int i = 0; i < 11; ++i)
        ASSERT_TRUE(t.undo());
    t.drag(t.find("AH"), Home, 0);
    EXPECT_EQ(t.moves(), 32686 + 13);
    EXPECT_EQ(t.pile(Goal, 0), "AH 2H 3H 4H 5H 6H 7H 8H 9H 10H JH QH KH");
    EXPECT_EQ(t.pile(Home, 0), "9C");
}

TEST(MoveLog, NearTheLimitARedealIsWholeAndOnlyThenCounted)
{
    std::vector<std::string> stock;
    for (const char *c : {"AH", "2H", "3H", "4H", "5H", "6H", "7H", "8H", "9H", "10H"})
        stock.push_back(std::string("#") + c);
    Table t("Blind Alleys", {{Home, 0, {"KS"}}, {Stock, 0, stock}}, Rest::Nowhere);
    t.host.autoplay = 0;
    for (int i = 0; i < 10; ++i)
        t.pressStock();
    fillLog(t, "KS", 1, 2, 32691);
    StockMarkerPress(t.e);
    EXPECT_EQ(t.e.RedealCount, 0) << "a redeal that did not happen is not used up";
    EXPECT_EQ(t.top(Waste, 0), 9);
    EXPECT_EQ(t.moves(), 32691);
    ASSERT_TRUE(t.undo());
    StockMarkerPress(t.e);
    EXPECT_EQ(t.e.RedealCount, 1);
    EXPECT_EQ(t.top(Waste, 0), -1);
    EXPECT_EQ(t.moves(), 32700);
}

} // namespace
} // namespace tess
