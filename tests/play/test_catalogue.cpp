// The catalogue is data: checked here once, row by row, so a typo in a number cannot reach a player.
#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/catalogue.h"
#include "play/deal.h"
#include "play/engine.h"

namespace tess
{
namespace
{

// The tableau count a row's pattern gives, worked out from the row alone.
int patternCount(const cGames &g, int available)
{
    const int piles = g.Piles(Home);
    switch (g.HomeType()) {
    case 0:
        return g.Cards(Home);
    case 1:
    case 6:
        return std::min(piles * (piles + 1) / 2, available);
    case 3: {
        // Nine piles, one card longer each towards the middle one.
        const int s = g.StockMove() != 0 ? 1 : 3;
        int n = 0;
        for (int widen : {0, 1, 2, 3, 4, 3, 2, 1, 0})
            n += std::min(s + widen, 7) + 1;
        return n;
    }
    default:
        return -1;
    }
}

TEST(Catalogue, CardCountsAddUpToTheDeck)
{
    for (int id = 1; id <= kGameCount; ++id) {
        const std::string name = catalogue::GameName(id);
        SCOPED_TRACE(name);
        Engine e;
        ASSERT_TRUE(e.SelectGame(name));
        const cGames &g = e.Games;
        const int total = g.TotalCards();
        ASSERT_TRUE(total == 26 || total == 52 || total == 104);
        const int before = g.Cards(Goal) + g.Cards(Res) + g.Cards(Waste);
        const int tableau = patternCount(g, total - before);
        ASSERT_GE(tableau, 0);
        const int stock = total - before - tableau;
        ASSERT_GE(stock, 0);
        if (g.StockMove() == 0) {
            EXPECT_EQ(stock, 0) << "a stock that is never pressed must be dealt out";
        }

        e.Array.Init(1);
        AssignCardValues(e);
        e.NewTrans();
        DealGame(e);
        int counts[kCellKinds] = {};
        std::vector<int> seen(static_cast<size_t>(total), 0);
        for (int cell = 0; cell < kCellKinds; ++cell)
            for (int pile = 0; pile < kMaxPiles; ++pile) {
                const int top = e.Array.GetTop(cell, pile);
                if (top >= 0) {
                    EXPECT_LT(pile, g.Piles(cell)) << "a card outside the game's piles, cell " << cell;
                }
                for (int pos = 0; pos <= top; ++pos)
                    ++seen[static_cast<size_t>(e.Array.GetPicID(cell, pile, pos))];
                counts[cell] += top + 1;
            }
        EXPECT_EQ(counts[Home], tableau);
        EXPECT_EQ(counts[Goal], g.Cards(Goal));
        EXPECT_EQ(counts[Res], g.Cards(Res));
        EXPECT_EQ(counts[Waste], g.Cards(Waste));
        EXPECT_EQ(counts[Stock], stock);
        EXPECT_EQ(std::count(seen.begin(), seen.end(), 1), total) << "every card exactly once";
    }
}

TEST(Catalogue, NamesAreUniqueAndIdsStable)
{
    std::set<std::string> names;
    std::vector<std::string> ordered;
    for (const CatalogueRow &r : catalogueRows()) {
        EXPECT_TRUE(names.insert(r.name).second) << "duplicate name " << r.name;
        ordered.emplace_back(r.name);
    }
    EXPECT_EQ(names.size(), 33u);
    // An id is the game's place in alphabetical order; stored scores and settings hold it.
    EXPECT_TRUE(std::is_sorted(ordered.begin(), ordered.end()));
    EXPECT_EQ(catalogue::GameId("Blind Alleys"), 1);
    EXPECT_EQ(catalogue::GameId("Klondike"), 17);
    EXPECT_EQ(catalogue::GameId("Westcliff"), 33);
    EXPECT_EQ(catalogue::GameId("Klondike Plus"), 20);
    EXPECT_EQ(catalogue::GameId("Somerset"), 29);
    for (int id = 1; id <= kGameCount; ++id)
        EXPECT_EQ(catalogue::GameId(catalogue::GameName(id)), id);
    EXPECT_EQ(catalogue::GameId("klondike"), 0);
    EXPECT_EQ(catalogue::GameId("Klondike "), 0);
    EXPECT_EQ(catalogue::GameId(""), 0);
    EXPECT_THROW(catalogue::GameName(0), IndexError);
    EXPECT_THROW(catalogue::GameName(34), IndexError);
}

TEST(Catalogue, InitRegistersEveryGameInOrder)
{
    struct Recorder : GameRegistry {
        std::string prod, help;
        int total = 0;
        std::vector<std::pair<int, std::string>> games;
        void InitCD(const std::string &p, i16 t, const std::string &h) override
        {
            prod = p;
            total = t;
            help = h;
        }
        void SetGame(i16 gid, const std::string &name) override { games.emplace_back(gid, name); }
    } r;
    catalogue::Init(r);
    EXPECT_EQ(r.prod, "Tessaline");
    EXPECT_EQ(r.total, 33);
    EXPECT_EQ(r.help, "ts.chm");
    ASSERT_EQ(r.games.size(), 33u);
    EXPECT_EQ(r.games.front(), (std::pair<int, std::string>{1, "Blind Alleys"}));
    EXPECT_EQ(r.games[16], (std::pair<int, std::string>{17, "Klondike"}));
    EXPECT_EQ(r.games.back(), (std::pair<int, std::string>{33, "Westcliff"}));
}

TEST(Catalogue, RowsAreWithinTheModelsLimits)
{
    const std::set<std::string> tags{"", "Freecell", "Spider", "KlondikeAK"};
    const std::set<int> orders{1, 2, 3, 4, 5, 6, 7, 8, 9, 12};
    for (int id = 1; id <= kGameCount; ++id) {
        const std::string name = catalogue::GameName(id);
        SCOPED_TRACE(name);
        cGames g;
        i16 base = 0;
        ASSERT_TRUE(catalogue::SelectGame(g, base, name));
        EXPECT_TRUE(tags.count(g.Tag()));
        EXPECT_GE(g.Piles(Home), 1);
        EXPECT_LE(g.Piles(Home), 18); // tableau markers
        EXPECT_GE(g.Piles(Goal), 1);
        EXPECT_LE(g.Piles(Goal), 8); // foundation markers, and the foundations counted for a win
        EXPECT_LE(g.Piles(Res), 10);
        EXPECT_EQ(g.Piles(Stock), 1);
        EXPECT_LE(g.Piles(Waste), 1);
        EXPECT_EQ(g.Piles(Goal) * 13, g.TotalCards()) << "every suit has a foundation";
        EXPECT_TRUE(orders.count(g.Order(Home, 0)));
        EXPECT_TRUE(orders.count(g.Order(Goal, 0)));
        EXPECT_TRUE(orders.count(g.MultiOrder()));
        const bool spider = g.Tag() == "Spider";
        EXPECT_EQ(g.DisAutoPlay() == -1, spider);
        EXPECT_EQ(g.GoalType() == 13, spider);
        EXPECT_TRUE(g.EmptyNum() == -1 || g.EmptyNum() == 0 || g.EmptyNum() == 12);
        EXPECT_TRUE(g.Redeals() == -1 || g.Redeals() == 1);
        if (g.StockNum() == 2) {
            EXPECT_GE(g.Piles(Waste), 1) << "a redeal needs a waste";
        }
        // Every pile's first slot lies on the table.
        for (int cell = 0; cell < kCellKinds; ++cell)
            for (int pile = 0; pile < g.Piles(cell); ++pile) {
                const int x = g.GetCordX(cell, pile, 0, 0), y = g.GetCordY(cell, pile, 0, 0);
                EXPECT_GE(x, 0) << cell << "/" << pile;
                EXPECT_LE(x + kCardWidth, kTableWidth) << cell << "/" << pile;
                EXPECT_GE(y, 0) << cell << "/" << pile;
                EXPECT_LE(y + kCardHeight, kTableHeight) << cell << "/" << pile;
            }
    }
}

TEST(Catalogue, FirstSlotsOfDifferentPilesDoNotOverlap)
{
    // A drop is decided by which slot a card lies over, so two piles must never share a place.
    for (int id = 1; id <= kGameCount; ++id) {
        const std::string name = catalogue::GameName(id);
        SCOPED_TRACE(name);
        cGames g;
        i16 base = 0;
        catalogue::SelectGame(g, base, name);
        struct Slot {
            int cell, pile, x, y;
        };
        std::vector<Slot> slots;
        for (int cell = 0; cell < kCellKinds; ++cell)
            for (int pile = 0; pile < g.Piles(cell); ++pile)
                // A stock that is never pressed (dealt out whole, no marker) may lie under a foundation.
                if (!(cell == Stock && g.StockMove() == 0))
                    slots.push_back({cell, pile, g.GetCordX(cell, pile, 0, 0), g.GetCordY(cell, pile, 0, 0)});
        for (size_t i = 0; i < slots.size(); ++i)
            for (size_t j = i + 1; j < slots.size(); ++j) {
                const Slot &a = slots[i], &b = slots[j];
                const bool overlap = a.x < b.x + kCardWidth && b.x < a.x + kCardWidth &&
                                     a.y < b.y + kCardHeight && b.y < a.y + kCardHeight;
                EXPECT_FALSE(overlap) << a.cell << "/" << a.pile << " and " << b.cell << "/" << b.pile;
            }
    }
}

TEST(Catalogue, HalfCardStartsRoundToEven)
{
    auto homeX = [](const char *name) {
        cGames g;
        i16 base = 0;
        catalogue::SelectGame(g, base, name);
        return g.rule(Home).StartX;
    };
    EXPECT_EQ(homeX("Gargantua"), 532);
    for (const char *n : {"Carlton", "Double Easthaven", "Giant", "Milligan Harp"})
        EXPECT_EQ(homeX(n), 632) << n;
    EXPECT_EQ(homeX("Steps"), 1798);
}

TEST(Catalogue, DefaultsAreReappliedForEveryGame)
{
    cGames g;
    i16 base = 9;
    catalogue::SelectGame(g, base, "Klondike Freecell");
    EXPECT_EQ(g.Piles(Res), 2);
    EXPECT_EQ(g.Piles(Waste), 1);
    EXPECT_EQ(g.rule(Waste).StartY, 1640);
    EXPECT_EQ(base, 0);
    base = 9;
    catalogue::SelectGame(g, base, "Canister");
    EXPECT_EQ(g.Piles(Waste), 0);
    EXPECT_EQ(g.rule(Waste).StartX, 0);
    EXPECT_EQ(g.rule(Waste).StartY, 0);
    EXPECT_EQ(g.rule(Waste).PosWidth, 30);
    EXPECT_EQ(g.Piles(Res), 0);
    EXPECT_EQ(g.rule(Res).StartX, 0);
    EXPECT_EQ(g.rule(Res).Div, 20);
    EXPECT_EQ(g.ResNum(), -1);
    EXPECT_EQ(base, 0);

    catalogue::SelectGame(g, base, "King Albert");
    EXPECT_EQ(g.ResNum(), -5);
    catalogue::SelectGame(g, base, "Klondike");
    EXPECT_EQ(g.ResNum(), -1);
    EXPECT_EQ(g.Piles(Res), 0);
    EXPECT_EQ(g.Piles(Waste), 1);
}

TEST(Catalogue, RowsWorthNaming)
{
    cGames g;
    i16 base = 0;
    catalogue::SelectGame(g, base, "Stripped Klondike");
    EXPECT_EQ(g.TotalCards(), 26);
    EXPECT_EQ(g.Piles(Goal), 2);

    catalogue::SelectGame(g, base, "King Albert");
    EXPECT_EQ(g.rule(Res).StartY, 5760); // four card heights down
    EXPECT_EQ(g.ResNum(), -5);
    EXPECT_EQ(g.Piles(Res), 7);
    EXPECT_EQ(g.Cards(Res), 7);
    EXPECT_EQ(g.StockMove(), 0);
    EXPECT_EQ(g.rule(Stock).StartX, 5825);
    EXPECT_EQ(g.StockNum(), 0);

    catalogue::SelectGame(g, base, "Open Klondike");
    EXPECT_EQ(g.StockType(), 1);
    EXPECT_EQ(g.StockMove(), 3);

    catalogue::SelectGame(g, base, "Double Klondike Freecell");
    EXPECT_EQ(g.Tag(), "Freecell");
    EXPECT_EQ(g.rule(Stock).StartY, 1640);
    EXPECT_EQ(g.rule(Waste).StartY, 3280);
    EXPECT_EQ(g.rule(Goal).PileWidth, 1115);

    catalogue::SelectGame(g, base, "Klondike Plus");
    EXPECT_EQ(g.GoalType(), 16);
    EXPECT_EQ(g.AK(Goal), 1);
    EXPECT_EQ(g.AK(Home), 1);
}

TEST(Catalogue, UnknownNameLeavesTheLastGameButTheDefaults)
{
    cGames g;
    i16 base = 0;
    catalogue::SelectGame(g, base, "Klondike");
    base = 4;
    EXPECT_FALSE(catalogue::SelectGame(g, base, "Klondyke"));
    EXPECT_EQ(g.TotalCards(), 52);
    EXPECT_EQ(g.Piles(Home), 7);
    EXPECT_EQ(g.Order(Home, 0), 4);
    EXPECT_EQ(g.StockNum(), 2);
    EXPECT_EQ(g.Piles(Waste), 0); // the defaults of the first step were applied
    EXPECT_EQ(base, 0);
}

TEST(Catalogue, RunOrderZeroMeansTheTableausOrder)
{
    cGames g;
    i16 base = 0;
    catalogue::SelectGame(g, base, "Klondike");
    EXPECT_EQ(g.MultiOrder(), 4);
    catalogue::SelectGame(g, base, "Lawn");
    EXPECT_EQ(g.MultiOrder(), 1);
    catalogue::SelectGame(g, base, "Spiderette");
    EXPECT_EQ(g.Order(Home, 0), 7);
    EXPECT_EQ(g.MultiOrder(), 1);
}

} // namespace
} // namespace tess
