// Random legal play in every game: after each step the tables agree with themselves, and the whole
// game undoes to its deal and redoes to its end exactly.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/catalogue.h"
#include "play/deal.h"
#include "tests/solve/randomPlay.h"
#include "tests/support/gameParam.h"
#include "tests/support/sweep.h"

namespace tess
{
namespace
{

using randomplay::Action;

// Under the sanitizers a tenth of the deals, each a third as long.
const int kDeals = testsupport::sweep(100, 10);
const int kSteps = testsupport::sweep(300, 100);

// Everything undo and redo must bring back: every card's place and face, and the pile tables.
struct Layout {
    std::vector<int> cards;
    std::vector<int> piles;
    bool operator==(const Layout &) const = default;
};

Layout layoutOf(const Engine &e)
{
    Layout l;
    const int n = e.Games.TotalCards();
    l.cards.resize(static_cast<size_t>(n) * 4);
    for (int p = 0; p < n; ++p) {
        const CardState &c = e.card(p);
        int *f = &l.cards[static_cast<size_t>(p) * 4];
        f[0] = c.Cell;
        f[1] = c.Pile;
        f[2] = c.Pos;
        f[3] = c.FaceMode;
    }
    for (int cell = 0; cell < kCellKinds; ++cell)
        for (int pile = 0; pile < kMaxPiles; ++pile) {
            const int top = e.Array.GetTop(cell, pile);
            l.piles.push_back(top);
            for (int pos = 0; pos <= top; ++pos)
                l.piles.push_back(e.Array.GetPicID(cell, pile, pos));
        }
    return l;
}

// The same, folded into one number: cheap enough to take before and after every step. Only the
// game's own piles count here; the invariant check looks at the others.
std::uint64_t fingerprint(const Engine &e)
{
    std::uint64_t h = 1469598103934665603ull;
    const int n = e.Games.TotalCards();
    for (int p = 0; p < n; ++p) {
        const CardState &c = e.Cards[static_cast<size_t>(p)];
        h = (h ^ static_cast<std::uint64_t>(c.Cell | c.Pile << 4 | c.Pos << 9 | c.FaceMode << 17)) *
            1099511628211ull;
    }
    for (int cell = 0; cell < kCellKinds; ++cell) {
        const int piles = std::max<int>(e.Games.Piles(cell), 1);
        for (int pile = 0; pile < piles; ++pile) {
            const int top = e.Array.GetTop(cell, pile);
            h = (h ^ static_cast<std::uint64_t>(top + 2)) * 1099511628211ull;
            for (int pos = 0; pos <= top; ++pos)
                h = (h ^ static_cast<std::uint64_t>(e.Array.GetPicID(cell, pile, pos))) * 1099511628211ull;
        }
    }
    return h;
}

// Faces the play never changes by itself: up on waste, foundations, reserves and tableau tops, down
// on a stock that is turned.
std::string faceFault(const Engine &e)
{
    const cGames &g = e.Games;
    for (int p = 0; p < g.TotalCards(); ++p) {
        const CardState &c = e.card(p);
        const bool down = c.FaceMode == 1;
        const bool top = e.Array.GetTop(c.Cell, c.Pile) == c.Pos;
        if ((c.Cell == Waste || c.Cell == Goal || c.Cell == Res) && down)
            return "face-down card " + std::to_string(p) + " in cell " + std::to_string(c.Cell);
        if (c.Cell == Stock && down != (g.StockType() != 1))
            return "stock card " + std::to_string(p) + " with the wrong face";
        if (c.Cell == Home && top && down)
            return "face-down top card " + std::to_string(p) + " on tableau pile " + std::to_string(c.Pile);
    }
    return {};
}

class Soak : public ::testing::TestWithParam<testsupport::GameId>
{
};

TEST_P(Soak, RandomPlayKeepsEveryInvariant)
{
    const std::string game = catalogue::GameName(GetParam().id);
    HeadlessHost host;
    Engine e(&host);
    randomplay::Player player(static_cast<std::uint64_t>(GetParam().id) * 7919);
    long long steps = 0, wins = 0;
    for (int deal = 0; deal < kDeals; ++deal) {
        const long long number = 1 + deal * 9973LL * (deal % 7 + 1);
        SCOPED_TRACE(game + " " + std::to_string(number));
        // A new game, step by step, to see the deal before the first autoplay pass.
        host.running = false;
        host.autoplay = deal % 4 == 3 ? 0 : 1;
        e.HideAll();
        ASSERT_TRUE(e.SelectGame(game));
        e.Array.Init(number);
        AssignCardValues(e);
        e.NewTrans();
        DealGame(e);
        const Layout dealt = layoutOf(e);
        RunAutoplay(e);
        e.RedealCount = 0;
        const Layout opening = layoutOf(e);
        const int openingMoves = e.Trans->GetTransID();
        int lowest = openingMoves; // below it, the opening's own entries may have been replaced
        host.running = true;

        for (int s = 0; s < kSteps && host.running; ++s, ++steps) {
            const std::uint64_t before = fingerprint(e);
            const int movesBefore = e.Trans->GetTransID();
            const Action a = player.step(e);
            const int moves = e.Trans->GetTransID();
            lowest = std::min(lowest, moves);
            const bool changed = fingerprint(e) != before;
            if (changed) {
                ASSERT_NO_THROW(e.checkInvariants()) << "step " << s;
                const std::string fault = faceFault(e);
                ASSERT_EQ(fault, "") << "step " << s;
            }
            ASSERT_LE(moves, e.Trans->GetTransLast());
            ASSERT_TRUE(moves != movesBefore || !changed) << "a move that was not logged, step " << s;
            switch (a) {
            case Action::Drag:
                ASSERT_GT(moves, movesBefore) << "a legal drag was refused, step " << s;
                break;
            case Action::Undo:
                ASSERT_LT(moves, movesBefore) << "step " << s;
                break;
            case Action::Redo:
                ASSERT_GT(moves, movesBefore) << "step " << s;
                break;
            default:
                break;
            }
            if (a != Action::Undo && a != Action::Redo && moves != movesBefore) {
                ASSERT_EQ(moves, e.Trans->GetTransLast()) << "a new move keeps nothing to redo, step " << s;
            }
        }
        wins += host.wins > 0 ? 1 : 0;
        host.wins = 0;

        i16 speed = 0;
        e.Trans->RedoAll(speed);
        const Layout ended = layoutOf(e);
        if (openingMoves > 0 && lowest >= openingMoves) { // with none, the opening is the deal
            while (e.Trans->GetTransID() > openingMoves)
                ASSERT_TRUE(e.Trans->Undo(speed));
            ASSERT_EQ(e.Trans->GetTransID(), openingMoves);
            EXPECT_TRUE(layoutOf(e) == opening) << "undo back to the opening";
        }
        e.Trans->UndoAll(speed);
        EXPECT_TRUE(layoutOf(e) == dealt) << "undo all back to the deal";
        e.Trans->RedoAll(speed);
        EXPECT_TRUE(layoutOf(e) == ended) << "redo all to the end";
        ASSERT_NO_THROW(e.checkInvariants());
        if (HasFailure())
            return;
    }
    RecordProperty("steps", std::to_string(steps));
    RecordProperty("won", std::to_string(wins));
}

std::vector<testsupport::GameId> everyGame()
{
    std::vector<testsupport::GameId> v;
    for (int id = 1; id <= kGameCount; ++id)
        v.push_back({id});
    return v;
}

INSTANTIATE_TEST_SUITE_P(EveryGame, Soak, ::testing::ValuesIn(everyGame()),
                         [](const ::testing::TestParamInfo<testsupport::GameId> &info) {
                             return testsupport::testNameOf(info.param);
                         });

} // namespace
} // namespace tess
