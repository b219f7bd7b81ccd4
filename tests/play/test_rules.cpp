// The rule kernel: hit tests, building orders, runs, free-move capacity, time text, random numbers.
#include <set>

#include <gtest/gtest.h>

#include "play/mFunc.h"
#include "tests/play/fixtures.h"

namespace tess
{
namespace
{

using fixture::Table;

struct Fit {
    i32 order;
    bool ak;
    const char *lower, *upper;
    bool fits;
};

TEST(FitsOrder, EveryCodeWithAndWithoutTheWrap)
{
    Table t("Klondike", {}); // the whole deck on the stock, enough to name any card
    const Fit cases[] = {
        // one lower, same suit
        {1, false, "7S", "6S", true},
        {1, false, "7S", "6C", false},
        {1, false, "7S", "8S", false},
        {1, false, "7S", "5S", false},
        {1, false, "AS", "KS", false},
        {1, true, "AS", "KS", true},
        // one higher, same suit: an Ace on a King only with the wrap
        {2, false, "7S", "8S", true},
        {2, false, "7S", "6S", false},
        {2, false, "KS", "AS", false},
        {2, true, "KS", "AS", true},
        {2, true, "KS", "AH", false},
        {2, true, "AS", "KS", false},
        // either way, same suit
        {3, false, "7S", "8S", true},
        {3, false, "7S", "6S", true},
        {3, false, "7S", "8C", false},
        {3, false, "AS", "KS", false},
        {3, true, "AS", "KS", true},
        {3, true, "KS", "AS", true},
        // one lower, colours differ: a red Six on a black Seven, never a black one
        {4, false, "7S", "6H", true},
        {4, false, "7S", "6D", true},
        {4, false, "7S", "6C", false},
        {4, false, "7H", "6D", false},
        {4, false, "7S", "8H", false},
        {4, false, "AS", "KH", false},
        {4, true, "AS", "KH", true},
        {4, true, "AS", "KC", false},
        // one higher, colours differ
        {5, false, "7S", "8H", true},
        {5, false, "7S", "8C", false},
        {5, false, "7S", "6H", false},
        {5, false, "KS", "AD", false},
        {5, true, "KS", "AH", true},
        // either way, colours differ
        {6, false, "7S", "8D", true},
        {6, false, "7S", "6H", true},
        {6, false, "7S", "6C", false},
        {6, false, "7S", "9H", false},
        {6, true, "KD", "AC", true},
        {6, true, "AD", "KC", true},
        // one lower, any suit
        {7, false, "7S", "6S", true},
        {7, false, "7S", "6H", true},
        {7, false, "7S", "8S", false},
        {7, false, "AS", "KH", false},
        {7, true, "AS", "KH", true},
        // one higher, any suit
        {8, false, "7S", "8C", true},
        {8, false, "7S", "8H", true},
        {8, false, "7S", "6S", false},
        {8, true, "KS", "AH", true},
        {8, false, "KS", "AH", false},
        // anything on anything
        {9, false, "7S", "2D", true},
        {9, false, "KS", "KC", true},
        {9, true, "AH", "QS", true},
        // either way, any suit: a Five on a Six or on a Four
        {12, false, "6H", "5C", true},
        {12, false, "4D", "5S", true},
        {12, false, "5D", "5C", false},
        {12, false, "6H", "4C", false},
        {12, true, "KH", "AC", true},
        {12, false, "KH", "AC", false},
        // no other code allows anything
        {0, false, "7S", "6H", false},
        {10, false, "7S", "6H", false},
        {11, true, "7S", "8H", false},
        {13, false, "7S", "6S", false},
        {-1, false, "7S", "6S", false},
        {0, true, "AS", "KH", false},
    };
    for (const Fit &c : cases)
        EXPECT_EQ(FitsOrder(t.e, t.find(c.lower), t.find(c.upper), c.order, c.ak), c.fits)
            << "code " << c.order << (c.ak ? " with" : " without") << " wrap: " << c.upper << " on "
            << c.lower;
}

TEST(CanMoveRun, EveryPairOfTheRunMustFollowTheRunOrder)
{
    // Spiderette builds any suit down but carries runs of one suit only.
    Table s("Spiderette", {{Home, 0, {"#2C", "9H", "8S", "7S"}}});
    EXPECT_FALSE(CanMoveRun(s.e, s.find("9H"), 2));
    EXPECT_TRUE(CanMoveRun(s.e, s.find("8S"), 1));
    EXPECT_TRUE(CanMoveRun(s.e, s.find("7S"), 0));
    EXPECT_TRUE(CanMoveRun(s.e, s.find("2C"), 0)); // a lone card is a run whatever it is

    Table k("Klondike", {{Home, 0, {"9H", "8S", "7D", "5C"}}});
    EXPECT_TRUE(CanMoveRun(k.e, k.find("9H"), 2));
    EXPECT_FALSE(CanMoveRun(k.e, k.find("9H"), 3));

    // The tableau's wrap applies to runs.
    Table plus("Klondike Plus", {{Home, 0, {"AS", "KH", "QC"}}});
    EXPECT_TRUE(CanMoveRun(plus.e, plus.find("AS"), 2));
    Table plain("Klondike", {{Home, 0, {"AS", "KH", "QC"}}});
    EXPECT_FALSE(CanMoveRun(plain.e, plain.find("AS"), 2));
}

TEST(MaxCarriedCards, GrowsWithEmptyPilesAndCells)
{
    const std::vector<fixture::PileSpec> full{{Home, 0, {"9H"}}, {Home, 1, {"9S"}}, {Home, 2, {"9D"}},
                                              {Home, 3, {"9C"}}, {Home, 4, {"8H"}}, {Home, 5, {"8S"}},
                                              {Home, 6, {"8D"}}, {Home, 7, {"8C"}}};
    Table noPile("Klondike Freecell", full);
    EXPECT_EQ(CountEmptyPiles(noPile.e, Home), 0);
    EXPECT_EQ(CountEmptyPiles(noPile.e, Res), 2);
    EXPECT_EQ(MaxCarriedCards(noPile.e), 2);

    auto onePile = full;
    onePile.pop_back();
    onePile.push_back({Res, 0, {"KC"}});
    Table one("Klondike Freecell", onePile);
    EXPECT_EQ(CountEmptyPiles(one.e, Home), 1);
    EXPECT_EQ(CountEmptyPiles(one.e, Res), 1);
    EXPECT_EQ(MaxCarriedCards(one.e), 3);

    // Without reserve piles there are no empty cells, however empty their tables are.
    Table k("Klondike",
            {{Home, 0, {"9H"}}, {Home, 1, {"9S"}}, {Home, 2, {"9D"}}, {Home, 3, {"9C"}}, {Home, 4, {"8H"}}});
    EXPECT_EQ(CountEmptyPiles(k.e, Res), 0);
    EXPECT_EQ(CountEmptyPiles(k.e, Home), 2);
    EXPECT_EQ(MaxCarriedCards(k.e), 2);
    EXPECT_EQ(CountEmptyPiles(k.e, Goal), 4);
    EXPECT_EQ(CountEmptyPiles(k.e, Stock), 0);
}

class HitTestEdges : public ::testing::Test
{
  protected:
    Table t{"Klondike", {{Home, 0, {"7H"}}, {Home, 3, {"8S"}}}};
    int card = t.find("7H");
    int tx = t.e.Array.CordX(Home, 3, 0), ty = t.e.Array.CordY(Home, 3, 0);

    bool over(double x, double y, int mode)
    {
        t.e.MoveTo(card, x, y);
        return HitTest(t.e, card, Home, 3, 0, mode);
    }
    // A left corner whose rounded centre falls exactly on the given column.
    int leftForCentre(int cx)
    {
        for (int x = cx - 534; x <= cx - 531; ++x)
            if (roundHalfEven(x + 532.5) == cx)
                return x;
        ADD_FAILURE() << "no corner for centre " << cx;
        return 0;
    }
};

TEST_F(HitTestEdges, OverlapNeedsMoreThanTouching)
{
    EXPECT_FALSE(over(tx - 1065, ty, kOverlapTest));
    EXPECT_TRUE(over(tx - 1064, ty, kOverlapTest));
    EXPECT_TRUE(over(tx + 1064, ty, kOverlapTest));
    EXPECT_FALSE(over(tx + 1065, ty, kOverlapTest));
    EXPECT_FALSE(over(tx, ty - 1440, kOverlapTest));
    EXPECT_TRUE(over(tx, ty - 1439, kOverlapTest));
    EXPECT_TRUE(over(tx, ty + 1439, kOverlapTest));
    EXPECT_FALSE(over(tx, ty + 1440, kOverlapTest));
}

TEST_F(HitTestEdges, CentreOnTheEdgeIsNotOver)
{
    // A centre column x + 532.5 always rounds to an even number; this slot's edge is even, so a
    // centre can fall exactly on it (from two corners).
    ASSERT_EQ(tx % 2, 0);
    EXPECT_FALSE(over(tx - 533, ty, kPointTest));
    EXPECT_FALSE(over(tx - 532, ty, kPointTest));
    EXPECT_TRUE(over(tx - 531, ty, kPointTest));
    EXPECT_TRUE(over(leftForCentre(tx + 1064), ty, kPointTest));
    EXPECT_FALSE(over(leftForCentre(tx + 1066), ty, kPointTest));
    EXPECT_FALSE(over(tx, ty - 720, kPointTest));
    EXPECT_TRUE(over(tx, ty - 719, kPointTest));
    EXPECT_TRUE(over(tx, ty + 719, kPointTest));
    EXPECT_FALSE(over(tx, ty + 720, kPointTest));
    // Overlapping by most of a card is not enough when the centre is outside.
    EXPECT_TRUE(over(tx - 600, ty, kOverlapTest));
    EXPECT_FALSE(over(tx - 600, ty, kPointTest));
}

TEST(GameTime, Text)
{
    EXPECT_EQ(FormatGameTime(0), "0:00:00");
    EXPECT_EQ(FormatGameTime(207), "0:03:27");
    EXPECT_EQ(FormatGameTime(3725), "1:02:05");
    EXPECT_EQ(FormatGameTime(86399), "23:59:59");
    EXPECT_EQ(FormatGameTime(90000), "25:00:00"); // past a day the hours keep counting
}

TEST(RandomGameNumberRange, StaysInsideTheRange)
{
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(RandomGameNumber(0), 1);
        EXPECT_EQ(RandomGameNumber(-2), 1);
    }
    std::set<long long> seen;
    for (int i = 0; i < 300; ++i) {
        const long long n = RandomGameNumber(1);
        ASSERT_GE(n, 1);
        ASSERT_LE(n, 9);
        seen.insert(n);
    }
    EXPECT_GE(seen.size(), 3u) << "the draw is not stuck";
    for (int i = 0; i < 300; ++i) {
        const long long n = RandomGameNumber(15);
        ASSERT_GE(n, 1);
        ASSERT_LE(n, 999999999999999LL);
    }
}

} // namespace
} // namespace tess
