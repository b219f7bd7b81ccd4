// The opening layout of every game: counts, faces, foundations, stock order and markers.
#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/catalogue.h"
#include "play/deal.h"
#include "tests/play/fixtures.h"
#include "tests/support/gameParam.h"

namespace tess
{
namespace
{

using fixture::RecordingView;

// A new game's deal, after the end of whatever the engine played before.
void deal(Engine &e, const std::string &game, long long number)
{
    e.DealNewGame(game, number);
}

std::vector<int> range(int from, int to)
{
    std::vector<int> v;
    for (int i = from; i <= to; ++i)
        v.push_back(i);
    return v;
}
std::vector<int> same(int count, int value)
{
    return std::vector<int>(static_cast<size_t>(count), value);
}
std::vector<int> descending(int from, int to)
{
    std::vector<int> v;
    for (int i = from; i >= to; --i)
        v.push_back(i);
    return v;
}

struct Expected {
    const char *game;
    std::vector<int> home;     // cards per tableau pile
    std::vector<int> faceDown; // face-down cards per tableau pile, always the lowest
    int goal;                  // foundation base cards
    int res;                   // one reserve card per reserve pile
    int stock;
};

// Worked out by hand from the catalogue and the deal patterns.
const std::vector<Expected> &expectations()
{
    static const std::vector<Expected> v{
        {"Blind Alleys", same(6, 3), same(6, 2), 4, 0, 30},
        {"Canister", {7, 7, 7, 7, 6, 6, 6, 6}, same(8, 0), 0, 0, 0},
        {"Carlton", range(1, 8), same(8, 0), 0, 0, 68},
        {"Cone Klondike", {2, 3, 4, 5, 6, 5, 4, 3, 2}, same(9, 0), 0, 0, 18},
        {"Double Easthaven", same(8, 3), same(8, 2), 0, 0, 80},
        {"Double Eclipse", range(1, 10), same(10, 0), 0, 0, 49},
        {"Double Klondike", range(1, 10), range(0, 9), 0, 0, 49},
        {"Double Klondike Freecell", range(1, 9), same(9, 0), 0, 0, 59},
        {"Double Klondike Spider", range(1, 10), same(10, 0), 0, 0, 49},
        {"Double Simon", descending(10, 1), same(10, 0), 0, 0, 49},
        {"Double Spiderette", range(1, 10), range(0, 9), 0, 0, 49},
        {"Easthaven", same(7, 3), same(7, 2), 0, 0, 31},
        {"Eclipse", range(1, 8), same(8, 0), 0, 0, 16},
        {"Gargantua", range(1, 9), range(0, 8), 0, 0, 59},
        {"Giant", same(8, 1), same(8, 0), 0, 0, 96},
        {"King Albert", range(1, 9), same(9, 0), 0, 7, 0},
        {"Klondike", range(1, 7), range(0, 6), 0, 0, 24},
        {"Klondike AK", range(1, 7), range(0, 6), 4, 0, 20},
        {"Klondike Freecell", range(1, 8), same(8, 0), 0, 0, 16},
        {"Klondike Plus", range(1, 7), range(0, 6), 1, 0, 23},
        {"Klondike Reversed", range(1, 7), range(0, 6), 4, 0, 20},
        {"Klondike Spider", range(1, 8), same(8, 0), 0, 0, 16},
        {"Lawn", range(1, 7), range(0, 6), 0, 0, 24},
        {"Milligan Harp", range(1, 8), range(0, 7), 0, 0, 68},
        {"Open Klondike", range(1, 7), range(0, 6), 0, 0, 24},
        {"Raglan", {1, 2, 3, 4, 5, 6, 7, 7, 7}, same(9, 0), 4, 6, 0},
        {"Sensation", descending(7, 1), same(7, 0), 0, 0, 24},
        {"Simple Simon", {8, 8, 8, 7, 6, 5, 4, 3, 2, 1}, same(10, 0), 0, 0, 0},
        {"Somerset", {1, 2, 3, 4, 5, 6, 7, 8, 8, 8}, same(10, 0), 0, 0, 0},
        {"Spiderette", range(1, 7), range(0, 6), 0, 0, 24},
        {"Steps", range(1, 7), range(0, 6), 0, 0, 76},
        {"Stripped Klondike", range(1, 5), range(0, 4), 0, 0, 11},
        {"Westcliff", same(10, 3), same(10, 2), 0, 0, 22},
    };
    return v;
}

void PrintTo(const Expected &x, std::ostream *os)
{
    *os << x.game;
}

class EveryGame : public ::testing::TestWithParam<Expected>
{
};

TEST_P(EveryGame, PilesFacesAndStock)
{
    const Expected &x = GetParam();
    for (long long number : {1LL, 123456LL}) {
        SCOPED_TRACE(number);
        Engine e;
        deal(e, x.game, number);
        const cGames &g = e.Games;
        ASSERT_EQ(g.Piles(Home), static_cast<int>(x.home.size()));
        for (int pile = 0; pile < g.Piles(Home); ++pile) {
            ASSERT_EQ(e.Array.GetTop(Home, pile) + 1, x.home[static_cast<size_t>(pile)]) << "pile " << pile;
            for (int pos = 0; pos < x.home[static_cast<size_t>(pile)]; ++pos)
                EXPECT_EQ(e.card(e.Array.GetPicID(Home, pile, pos)).FaceMode,
                          pos < x.faceDown[static_cast<size_t>(pile)] ? 1 : 0)
                    << "pile " << pile << " pos " << pos;
        }
        EXPECT_EQ(e.Array.TotalGoalCards(), x.goal);
        for (int pile = 0; pile < g.Piles(Goal); ++pile)
            if (e.Array.GetTop(Goal, pile) >= 0) {
                EXPECT_EQ(e.Array.GetTop(Goal, pile), 0);
                EXPECT_EQ(e.card(e.Array.GetPicID(Goal, pile, 0)).FaceMode, 0);
            }
        int res = 0;
        for (int pile = 0; pile < g.Piles(Res); ++pile)
            for (int pos = 0; pos <= e.Array.GetTop(Res, pile); ++pos) {
                ++res;
                EXPECT_EQ(pos, 0);
                EXPECT_EQ(e.card(e.Array.GetPicID(Res, pile, pos)).FaceMode, 0);
            }
        EXPECT_EQ(res, x.res);
        EXPECT_EQ(e.Array.GetTop(Waste, 0), -1);

        // The stock: what is left of the rising stack after dealing from its top.
        const int stockTop = e.Array.GetTop(Stock, 0);
        ASSERT_EQ(stockTop + 1, x.stock);
        int highestOnStock = -1;
        for (int pos = 0; pos <= stockTop; ++pos) {
            const int id = e.Array.GetPicID(Stock, 0, pos);
            EXPECT_GT(id, highestOnStock) << "stock rises from the bottom";
            highestOnStock = id;
            EXPECT_EQ(e.card(id).FaceMode, g.StockType() == 1 ? 0 : 1);
        }
        for (int cell : {Home, Res})
            for (int pile = 0; pile < g.Piles(cell); ++pile)
                for (int pos = 0; pos <= e.Array.GetTop(cell, pile); ++pos)
                    EXPECT_GT(e.Array.GetPicID(cell, pile, pos), highestOnStock) << "dealt from the top";

        // Every card is shown where its place says, fanned by the face-down cards below it.
        for (int p = 0; p < g.TotalCards(); ++p) {
            const CardState &c = e.card(p);
            EXPECT_TRUE(c.Visible);
            const int below =
                c.Cell == Home ? std::min<int>(c.Pos, x.faceDown[static_cast<size_t>(c.Pile)]) : 0;
            EXPECT_EQ(c.Left, g.GetCordX(c.Cell, c.Pile, c.Pos, below)) << p;
            EXPECT_EQ(c.Top, g.GetCordY(c.Cell, c.Pile, c.Pos, below)) << p;
        }
        EXPECT_NO_THROW(e.checkInvariants());
        EXPECT_EQ(e.Trans->GetTransID(), 0) << "the deal is not logged";
    }
}

TEST_P(EveryGame, Markers)
{
    const Expected &x = GetParam();
    Engine e;
    deal(e, x.game, 77);
    const cGames &g = e.Games;
    auto placedAt = [&](const MarkerState &m, int cell, int pile) {
        EXPECT_TRUE(m.Visible) << cell << "/" << pile;
        // Put out on the empty pile, before any card arrived.
        EXPECT_EQ(m.Left, g.GetCordX(cell, pile, 0, 0)) << cell << "/" << pile;
        EXPECT_EQ(m.Top, g.GetCordY(cell, pile, 0, 0)) << cell << "/" << pile;
    };
    for (int i = 0; i < 8; ++i) {
        const MarkerState &m = e.GoalMarkers[static_cast<size_t>(i)];
        if (i >= g.Piles(Goal)) {
            EXPECT_FALSE(m.Visible);
            continue;
        }
        placedAt(m, Goal, i);
        int kind = g.GoalType();
        if (g.GoalType() == 14)
            kind = i < 2 ? 0 : 12;
        if (g.GoalType() == 16)
            kind = e.GoalBase;
        EXPECT_EQ(m.Kind, kind) << "foundation " << i;
    }
    for (int i = 0; i < 18; ++i) {
        const MarkerState &m = e.HomeMarkers[static_cast<size_t>(i)];
        if (i >= g.Piles(Home)) {
            EXPECT_FALSE(m.Visible);
            continue;
        }
        placedAt(m, Home, i);
        EXPECT_EQ(m.Kind, g.EmptyNum() < 0 ? 14 : g.EmptyNum());
    }
    for (int i = 0; i < 10; ++i) {
        const MarkerState &m = e.ResMarkers[static_cast<size_t>(i)];
        EXPECT_EQ(m.Visible, i < g.Piles(Res));
        if (i < g.Piles(Res)) {
            placedAt(m, Res, i);
            EXPECT_EQ(m.Kind, 14);
        }
    }
    EXPECT_EQ(e.WasteMarker.Visible, g.Piles(Waste) >= 1);
    if (g.Piles(Waste) >= 1) {
        placedAt(e.WasteMarker, Waste, 0);
        EXPECT_EQ(e.WasteMarker.Kind, 14);
    }
    EXPECT_EQ(e.StockMarker.Visible, g.StockNum() > 0);
    if (g.StockNum() > 0) {
        placedAt(e.StockMarker, Stock, 0);
        EXPECT_EQ(e.StockMarker.Kind, g.StockNum() + 14);
    }
}

TEST_P(EveryGame, SameNumberSameDeal)
{
    const Expected &x = GetParam();
    Engine a, b;
    deal(a, x.game, 31337);
    // The second engine has played another game before: nothing of it may leak into the deal.
    b.NewGame("Double Klondike", 5);
    deal(b, x.game, 31337);
    for (int p = 0; p < kMaxCards; ++p)
        EXPECT_EQ(a.card(p).Visible, b.card(p).Visible) << p;
    for (int p = 0; p < a.Games.TotalCards(); ++p) {
        const CardState &ca = a.card(p), &cb = b.card(p);
        EXPECT_EQ(ca.Num, cb.Num) << p;
        EXPECT_EQ(ca.Suit, cb.Suit) << p;
        EXPECT_EQ(ca.Suitpile, cb.Suitpile) << p;
        EXPECT_EQ(ca.Cell, cb.Cell) << p;
        EXPECT_EQ(ca.Pile, cb.Pile) << p;
        EXPECT_EQ(ca.Pos, cb.Pos) << p;
        EXPECT_EQ(ca.FaceMode, cb.FaceMode) << p;
        EXPECT_EQ(ca.Left, cb.Left) << p;
        EXPECT_EQ(ca.Top, cb.Top) << p;
    }
    EXPECT_EQ(a.GoalBase, b.GoalBase);
}

INSTANTIATE_TEST_SUITE_P(Deal, EveryGame, ::testing::ValuesIn(expectations()),
                         [](const ::testing::TestParamInfo<Expected> &info) {
                             return testsupport::testNameOf(info.param.game);
                         });

TEST(Deal, CoversTheWholeCatalogue)
{
    ASSERT_EQ(expectations().size(), static_cast<size_t>(kGameCount));
    for (int id = 1; id <= kGameCount; ++id)
        EXPECT_STREQ(expectations()[static_cast<size_t>(id - 1)].game, catalogue::GameName(id));
}

struct Card {
    int num, suit;
    bool operator==(const Card &) const = default;
};

Card at(const Engine &e, int cell, int pile, int pos)
{
    const CardState &c = e.card(e.Array.GetPicID(cell, pile, pos));
    return {c.Num, c.Suit};
}

TEST(Deal, KlondikeOneFaceUpCards)
{
    Engine e;
    deal(e, "Klondike", 1);
    const std::vector<Card> expected{{12, 3}, {5, 2}, {6, 1}, {9, 3}, {0, 1}, {5, 3}, {12, 0}};
    for (int pile = 0; pile < 7; ++pile)
        EXPECT_EQ(at(e, Home, pile, pile), expected[static_cast<size_t>(pile)]) << pile;
}

TEST(Deal, PatternsDealInTheirOrder)
{
    auto ids = [](const Engine &e, int cell, int pile) {
        std::vector<int> v;
        for (int pos = 0; pos <= e.Array.GetTop(cell, pile); ++pos)
            v.push_back(e.Array.GetPicID(cell, pile, pos));
        return v;
    };
    Engine e;
    deal(e, "Klondike", 9); // staircase to the right
    EXPECT_EQ(ids(e, Home, 0), std::vector<int>{51});
    EXPECT_EQ(ids(e, Home, 6), (std::vector<int>{45, 39, 34, 30, 27, 25, 24}));
    EXPECT_EQ(ids(e, Stock, 0), range(0, 23));
    deal(e, "Sensation", 9); // staircase to the left
    EXPECT_EQ(ids(e, Home, 0), (std::vector<int>{51, 44, 38, 33, 29, 26, 24}));
    EXPECT_EQ(ids(e, Home, 6), std::vector<int>{45});
    deal(e, "Canister", 9); // rows
    EXPECT_EQ(ids(e, Home, 0), (std::vector<int>{51, 43, 35, 27, 19, 11, 3}));
    EXPECT_EQ(ids(e, Home, 7), (std::vector<int>{44, 36, 28, 20, 12, 4}));
    deal(e, "Cone Klondike", 9); // pile by pile
    EXPECT_EQ(ids(e, Home, 0), (std::vector<int>{51, 50}));
    EXPECT_EQ(ids(e, Home, 1), (std::vector<int>{49, 48, 47}));
    EXPECT_EQ(ids(e, Home, 8), (std::vector<int>{19, 18}));
    deal(e, "King Albert", 9); // the reserve first, round the piles
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(ids(e, Res, i), std::vector<int>{51 - i});
    EXPECT_EQ(ids(e, Home, 0), std::vector<int>{44});
}

TEST(Deal, FoundationBaseCards)
{
    for (long long number : {1LL, 2LL, 999LL}) {
        Engine e;
        deal(e, "Klondike AK", number);
        EXPECT_EQ(at(e, Goal, 0, 0), (Card{0, 0}));
        EXPECT_EQ(at(e, Goal, 1, 0), (Card{0, 1}));
        EXPECT_EQ(at(e, Goal, 2, 0), (Card{12, 2}));
        EXPECT_EQ(at(e, Goal, 3, 0), (Card{12, 3}));
        EXPECT_EQ(e.GoalMarkers[0].Kind, 0);
        EXPECT_EQ(e.GoalMarkers[1].Kind, 0);
        EXPECT_EQ(e.GoalMarkers[2].Kind, 12);
        EXPECT_EQ(e.GoalMarkers[3].Kind, 12);

        deal(e, "Blind Alleys", number);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(at(e, Goal, i, 0), (Card{0, i}));
        deal(e, "Raglan", number);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(at(e, Goal, i, 0), (Card{0, i}));
        deal(e, "Klondike Reversed", number);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(at(e, Goal, i, 0), (Card{12, i}));
    }
}

TEST(Deal, KlondikePlusStartsWithTheFirstCardWhateverItIs)
{
    std::set<int> bases;
    for (long long number = 1; number <= 12; ++number) {
        Engine e;
        deal(e, "Klondike Plus", number);
        ASSERT_EQ(e.Array.GetPicID(Goal, 0, 0), 0);
        EXPECT_EQ(e.GoalBase, e.card(0).Num);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(e.GoalMarkers[static_cast<size_t>(i)].Kind, e.GoalBase);
        EXPECT_EQ(e.Array.TotalGoalCards(), 1);
        bases.insert(e.GoalBase);
        // A new choice of game resets the base rank.
        e.SelectGame("Klondike");
        EXPECT_EQ(e.GoalBase, 0);
    }
    EXPECT_GT(bases.size(), 1u);
    EXPECT_TRUE(bases.count(7)) << "game 1 starts with an Eight";
}

TEST(Deal, OpenKlondikeStockLiesFaceUp)
{
    Engine e;
    deal(e, "Open Klondike", 3);
    ASSERT_EQ(e.Array.GetTop(Stock, 0), 23);
    for (int pos = 0; pos <= 23; ++pos)
        EXPECT_EQ(e.card(e.Array.GetPicID(Stock, 0, pos)).FaceMode, 0);
}

TEST(Deal, PlaysTheStartSoundOnceBeforeTheTableau)
{
    RecordingView view;
    Engine e(nullptr, &view);
    deal(e, "King Albert", 4);
    // The deal lets window events run after every card it places.
    std::vector<std::string> seen;
    for (const std::string &ev : view.events)
        if (ev == "events" || ev.rfind("sound", 0) == 0)
            seen.push_back(ev);
    ASSERT_EQ(view.sounds, std::vector<std::string>{"Start"});
    const auto soundAt =
        static_cast<size_t>(std::find(seen.begin(), seen.end(), "sound Start") - seen.begin());
    // 52 onto the stock, then 7 to the reserve before the sound, then 45 tableau cards after it.
    EXPECT_EQ(soundAt, 52u + 7u);
    EXPECT_EQ(seen.size() - soundAt - 1, 45u);
}

TEST(Deal, NewGameRunsTheFirstAutoplayPassAndLogsIt)
{
    HeadlessHost host;
    Engine e(&host);
    e.NewGame("Klondike", 1); // the Ace of spades lies face up on pile 4
    EXPECT_EQ(at(e, Goal, 0, 0), (Card{0, 1}));
    EXPECT_EQ(e.Array.GetTop(Home, 4), 3);
    EXPECT_EQ(e.card(e.Array.GetPicID(Home, 4, 3)).FaceMode, 0);
    ASSERT_EQ(e.Trans->GetTransID(), 1);
    EXPECT_EQ(e.Trans->Entry(1).tMod, tmod::Uncovered);
    EXPECT_EQ(host.wins, 0);

    // A second game on the same engine deals exactly as a fresh one.
    e.NewGame("Klondike", 1);
    Engine fresh;
    fresh.NewGame("Klondike", 1);
    for (int p = 0; p < 52; ++p) {
        EXPECT_EQ(e.card(p).Cell, fresh.card(p).Cell) << p;
        EXPECT_EQ(e.card(p).Pos, fresh.card(p).Pos) << p;
        EXPECT_EQ(e.card(p).FaceMode, fresh.card(p).FaceMode) << p;
    }
    EXPECT_EQ(e.Trans->GetTransID(), 1);
    EXPECT_NO_THROW(e.checkInvariants());
}

TEST(Deal, ANewGameLeavesTheGeneratorSeededFromTheClock)
{
    // The shuffle resets the program-wide generator; what it leaves must not follow from the number,
    // or every draw after a deal would be the same for the same game.
    auto afterShuffleOnly = [](long long number) {
        Engine e;
        e.SelectGame("Klondike");
        e.Array.Init(number);
        return e.Rng.seed();
    };
    Engine e;
    e.NewGame("Klondike", 1);
    const bool first = e.Rng.seed() != afterShuffleOnly(1);
    e.NewGame("Klondike", 2);
    const bool second = e.Rng.seed() != afterShuffleOnly(2);
    // A clock seed matches the number's by chance once in 65536 deals; both at once practically never.
    EXPECT_TRUE(first || second);
}

} // namespace
} // namespace tess
