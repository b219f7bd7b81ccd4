// Card attributes from shuffled values, and the descriptor's layout arithmetic.
#include <map>
#include <set>
#include <utility>

#include <gtest/gtest.h>

#include "model/cGames.h"
#include "model/cards.h"
#include "model/catalogue.h"
#include "play/deal.h"
#include "play/engine.h"

namespace tess
{
namespace
{

// Deals a game and returns its engine, cards valued from the shuffle.
struct Dealt {
    Engine e;
    explicit Dealt(const char *game, long long number = 1)
    {
        e.SelectGame(game);
        e.Array.Init(number);
        AssignCardValues(e);
    }
};

TEST(CardAttributes, TwoDecksGiveTwinsFourSuitpilesApart)
{
    Dealt d("Double Klondike", 99);
    std::map<std::pair<int, int>, std::vector<int>> twins; // (suit, num) -> suitpiles
    for (int p = 0; p < 104; ++p) {
        const CardState &c = d.e.card(p);
        twins[{c.Suit, c.Num}].push_back(c.Suitpile);
        EXPECT_EQ(c.Color, (c.Suit == 0 || c.Suit == 2) ? 1 : 2);
        EXPECT_EQ(c.FacePic, c.Suit * 13 + c.Num + 1);
    }
    ASSERT_EQ(twins.size(), 52u);
    for (const auto &[key, piles] : twins) {
        ASSERT_EQ(piles.size(), 2u);
        EXPECT_EQ(std::abs(piles[0] - piles[1]), 4);
        EXPECT_EQ(std::min(piles[0], piles[1]), key.first); // deck one's suitpile is the suit
    }
}

TEST(CardAttributes, StrippedKlondikeHasHeartsAndSpadesOnly)
{
    Dealt d("Stripped Klondike", 3);
    std::set<std::pair<int, int>> seen;
    for (int p = 0; p < 26; ++p) {
        const CardState &c = d.e.card(p);
        EXPECT_TRUE(c.Suit == 0 || c.Suit == 1);
        EXPECT_EQ(c.Suitpile, c.Suit);
        seen.insert({c.Suit, c.Num});
    }
    EXPECT_EQ(seen.size(), 26u);
}

TEST(CardAttributes, OneSuitGameIsAllRedHearts)
{
    for (const char *game : {"Eclipse", "Double Eclipse"}) {
        Dealt d(game, 17);
        const int n = d.e.Games.TotalCards();
        std::map<int, std::set<int>> copies; // num -> suitpiles
        for (int p = 0; p < n; ++p) {
            const CardState &c = d.e.card(p);
            EXPECT_EQ(c.Suit, 0);
            EXPECT_EQ(c.Color, 1);
            copies[c.Num].insert(c.Suitpile);
        }
        for (const auto &[num, piles] : copies)
            EXPECT_EQ(static_cast<int>(piles.size()), n / 13) << game << " rank " << num;
    }
}

TEST(CardAttributes, TwoSuitRule)
{
    // No game of the catalogue uses it, but the rule is part of the model: hearts, then spades, per deck.
    EXPECT_EQ(cardAttrs(25, 1).Suit, 0);
    EXPECT_EQ(cardAttrs(26, 1).Suit, 1);
    EXPECT_EQ(cardAttrs(51, 1).Suit, 1);
    EXPECT_EQ(cardAttrs(52, 1).Suit, 0);
    EXPECT_EQ(cardAttrs(78, 1).Suit, 1);
    EXPECT_EQ(cardAttrs(78, 1).Suitpile, 6);
    EXPECT_EQ(cardAttrs(78, 1).Num, 0);
    EXPECT_EQ(cardAttrs(103, 2).Suit, 3);
    EXPECT_EQ(cardAttrs(103, 2).Num, 12);
    EXPECT_EQ(cardAttrs(103, 2).Suitpile, 7);
    EXPECT_EQ(facePicture(3, 12), 52);
    EXPECT_EQ(facePicture(1, 0), 14);
}

cGames klondike()
{
    cGames g;
    i16 base = 0;
    catalogue::SelectGame(g, base, "Klondike");
    return g;
}

TEST(PileLayout, StockGrowsSlowly)
{
    const cGames g = klondike();
    const CellRule &s = g.rule(Stock);
    for (int pos = 0; pos <= 52; ++pos) {
        const int expected = pos <= 2 ? 0 : pos <= 12 ? 1 : pos <= 30 ? 2 : 3;
        const auto xy = g.PileXY(Stock, 0, pos, 0);
        EXPECT_EQ(xy.x, s.StartX - expected * s.PosWidth) << pos;
        EXPECT_EQ(xy.y, s.StartY - expected * s.PosWidth) << pos;
        EXPECT_EQ(g.PileXY(Waste, 0, pos, 0).x, g.rule(Waste).StartX - expected * 30) << pos;
    }
}

TEST(PileLayout, FaceDownCardsStackCloser)
{
    const cGames g = klondike();
    const int startY = g.rule(Home).StartY;
    EXPECT_EQ(g.PileXY(Home, 6, 3, 3).y, startY + 180);
    EXPECT_EQ(g.PileXY(Home, 6, 4, 3).y, startY + 180 + 250);
    EXPECT_EQ(g.PileXY(Home, 6, 2, 2).y, startY + 120); // a face-down card goes on two others
    EXPECT_EQ(g.PileXY(Home, 6, 3, 0).y, startY + 750);
    EXPECT_EQ(g.PileXY(Home, 6, 3, 3).x, g.PileXY(Home, 6, 0, 0).x);
    // Only the tableau stacks its face-down cards closer.
    EXPECT_EQ(g.PileXY(Goal, 1, 3, 3).y, g.rule(Goal).StartY + 3 * g.rule(Goal).PosWidth);
}

TEST(PileLayout, CoordinatesCentreTheLayout)
{
    cGames g;
    i16 base = 0;
    catalogue::SelectGame(g, base, "Blind Alleys"); // BaseX 6890, tableau StartX 0
    EXPECT_EQ(g.GetCordX(Home, 0, 0, 0), 4295);
    EXPECT_EQ(g.GetCordY(Home, 0, 0, 0), 200 + 1640);
    catalogue::SelectGame(g, base, "Klondike Freecell"); // BaseX 10485: 2497.5 plus x
    EXPECT_EQ(g.GetCordX(Res, 0, 0, 0), 3762);           // 3762.5 goes down to the even neighbour
    EXPECT_EQ(g.GetCordX(Res, 1, 0, 0), 4928);           // 4927.5 goes up
    EXPECT_EQ(g.GetCordX(Stock, 0, 0, 0), 2498);
}

TEST(PileLayout, OrderReportsTheTwoWayFoundations)
{
    cGames g;
    i16 base = 0;
    catalogue::SelectGame(g, base, "Klondike AK");
    EXPECT_EQ(g.rule(Goal).Order, 2);
    EXPECT_EQ(g.Order(Goal, 0), 2);
    EXPECT_EQ(g.Order(Goal, 1), 2);
    EXPECT_EQ(g.Order(Goal, 2), 1);
    EXPECT_EQ(g.Order(Goal, 3), 1);
    EXPECT_EQ(g.Order(Home, 3), 4); // the tableau is not affected
    catalogue::SelectGame(g, base, "Klondike");
    EXPECT_EQ(g.Order(Goal, 3), 2);
}

TEST(PileLayout, OtherPileOrders)
{
    cGames g;
    // 5 piles per row, rows 2000 apart, piles 1100 apart, cards fanned 200.
    g.Res(7, 0, 100, 300, 1100, 200, 5, 2000, 1, -1);
    EXPECT_EQ(g.PileXY(Res, 6, 2, 0).x, 100 + 1 * 1100 + 1 * 2000);
    EXPECT_EQ(g.PileXY(Res, 6, 2, 0).y, 300 + 2 * 200);
    g.Res(7, 0, 100, 300, 1100, 200, 5, 2000, 3, -1);
    EXPECT_EQ(g.PileXY(Res, 6, 2, 0).x, 100 + 2 * 200 + 1 * 2000);
    EXPECT_EQ(g.PileXY(Res, 6, 2, 0).y, 300 + 1 * 1100);
    g.Res(7, 0, 100, 300, 1100, 200, 5, 2000, 7, -1);
    EXPECT_EQ(g.PileXY(Res, 6, 2, 0).x, 0);
    EXPECT_EQ(g.PileXY(Res, 6, 2, 0).y, 0);
    // Fanned to the right, face-down cards 60 apart.
    g.Home(7, 4, 28, 0, 12, 1, 100, 300, 1100, 200, 5, 2000, 2, 1, 0, 2, 7);
    EXPECT_EQ(g.PileXY(Home, 6, 3, 2).x, 100 + 1100 + 2 * 60 + 1 * 200);
    EXPECT_EQ(g.PileXY(Home, 6, 3, 2).y, 300 + 2000);
    EXPECT_EQ(g.PileXY(Home, 6, 3, 0).x, 100 + 1100 + 3 * 200);
    EXPECT_EQ(g.HomePileOrder(), 2);
}

TEST(PileLayout, OutOfRangeIsAnError)
{
    cGames g = klondike();
    EXPECT_NO_THROW(g.Piles(5)); // the spare record exists
    EXPECT_EQ(g.Piles(5), 0);
    EXPECT_THROW(g.Piles(6), IndexError);
    EXPECT_THROW(g.Order(6, 0), IndexError);
    EXPECT_THROW(g.PileXY(6, 0, 0, 0), IndexError);
    EXPECT_THROW(g.Cards(-1), IndexError);

    // A fan that runs past 16 bits is an overflow, never a wrapped coordinate.
    g.Home(7, 4, 28, 0, 12, 1, 0, 30000, 1165, 250, 20, 0, 0, 1, 0, 2, 7);
    EXPECT_NO_THROW(g.PileXY(Home, 0, 10, 0));
    EXPECT_THROW(g.PileXY(Home, 0, 20, 0), OverflowError);
    EXPECT_THROW(g.GetCordY(Home, 0, 11, 0), OverflowError);
    g.Ext(-30000, 200, 52, -1, "", 0, 0);
    g.Home(7, 4, 28, 0, 12, 1, 12000, 0, 1165, 250, 20, 0, 0, 1, 0, 2, 7);
    EXPECT_THROW(g.GetCordX(Home, 0, 0, 0), OverflowError);
    // A layout with no piles per row cannot place a pile.
    g.Res(2, 0, 0, 0, 1165, 0, 0, 0, 0, -1);
    EXPECT_THROW(g.PileXY(Res, 1, 0, 0), OverflowError);
}

} // namespace
} // namespace tess
