// The solver's moves against the engine's mouse path: from positions reached by random play in every
// game, the drags, presses and redeals the engine accepts are exactly the ones the solver makes, with
// the same result.
#include <algorithm>
#include <map>
#include <random>
#include <tuple>

#include <gtest/gtest.h>

#include "model/catalogue.h"
#include "play/cTrans.h"
#include "play/engine.h"
#include "play/mPlay.h"
#include "solve/drive.h"
#include "solve/position.h"
#include "solve/search.h"
#include "tests/support/sweep.h"

using namespace tess;
using namespace tess::solve;

namespace
{

struct Game {
    HeadlessHost host;
    Engine e{&host};
    GameRules g;
    std::vector<Move> history;
    bool ruled = false;

    Game(const std::string &name, long long number, bool autoplay)
    {
        host.autoplay = autoplay ? 1 : 0;
        restart(name, number);
    }
    // The rules depend only on the game, its deal and autoplay, which a restart keeps, so they are
    // worked out once: a restart follows every move tried, and working them out is most of its cost.
    void restart(const std::string &name, long long number)
    {
        e.NewGame(name, number);
        host.running = true;
        if (!ruled) {
            g = rulesOf(e, host.autoplay != 0);
            ruled = true;
        }
        for (const Move &m : history)
            playOnEngine(e, g, m);
    }
    Position now() const { return positionOf(e, g); }
};

std::string where0(const Game &game, int id)
{
    const CardState &c = game.e.card(id);
    return std::to_string(c.Cell) + "," + std::to_string(c.Pile) + "," + std::to_string(c.Pos) + " of " +
           std::to_string(game.e.Array.GetTop(c.Cell, c.Pile) + 1) + ", face " + std::to_string(c.FaceMode) +
           ", rank " + std::to_string(c.Num);
}

using Key = std::tuple<int, int, int>; // card, cell, pile

// Every drag of every placed card onto every pile that the engine takes, with the position after it.
std::map<Key, Position> engineDrags(Game &game, const std::string &name, long long number)
{
    std::map<Key, Position> accepted;
    const Position before = game.now();
    for (int id = 0; id < game.g.totalCards; ++id) {
        // A press on a turned-down stock is the stock press, checked on its own.
        if (game.e.card(id).Cell == Stock && !game.g.stockFaceUp)
            continue;
        for (int cell : {int(Home), int(Res), int(Goal)}) {
            for (int pile = 0; pile < game.e.Games.Piles(cell); ++pile) {
                const int logged = game.e.Trans->GetTransID();
                dragTo(game.e, id, cell, pile);
                const Position after = game.now();
                // A card sent home again by autoplay leaves the position as it was, but the log shows it.
                if (after == before && game.e.Trans->GetTransID() == logged)
                    continue;
                accepted[{id, cell, pile}] = after;
                game.restart(name, number);
            }
        }
    }
    return accepted;
}

void checkAgainstEngine(Game &game, const std::string &name, long long number, const std::string &where)
{
    const Position pos = game.now();
    std::vector<Move> moves;
    generateMoves(game.g, pos, moves);
    // Each solver move, made with the mouse, ends where the solver says.
    std::vector<Position> results;
    for (const Move &m : moves) {
        Position p = pos;
        applyMove(game.g, p, m);
        results.push_back(p);
        const int logged = game.e.Trans->GetTransID();
        playOnEngine(game.e, game.g, m);
        if (m.kind == MoveKind::Drag) {
            ASSERT_NE(game.e.Trans->GetTransID(), logged)
                << where << ": the engine refuses " << moveCommand(game.g, m);
        }
        ASSERT_TRUE(game.now() == p) << where << ": " << moveCommand(game.g, m) << " ends differently";
        game.restart(name, number);
    }
    // Every drag the engine takes, wherever the card is let go, ends where one of the solver's moves does.
    for (const auto &[k, p] : engineDrags(game, name, number))
        ASSERT_TRUE(std::find(results.begin(), results.end(), p) != results.end())
            << where << ": the engine takes card " << std::get<0>(k) << " let go over cell " << std::get<1>(k)
            << " pile " << std::get<2>(k) << " (from " << where0(game, std::get<0>(k))
            << ") to a position no solver move reaches";
    // A stock press or a redeal the solver does not offer changes nothing.
    for (MoveKind kind : {MoveKind::Stock, MoveKind::Redeal}) {
        if (std::any_of(moves.begin(), moves.end(), [&](const Move &m) { return m.kind == kind; }))
            continue;
        playOnEngine(game.e, game.g, Move{kind, 0, 0, 0, 0, 0, false, 0});
        ASSERT_TRUE(game.now() == pos)
            << where << ": the engine makes a " << (kind == MoveKind::Stock ? "stock press" : "redeal")
            << " the solver does not offer";
        game.restart(name, number);
    }
}

class SolverMatchesEngine : public ::testing::TestWithParam<int>
{
};

TEST_P(SolverMatchesEngine, SameMovesSameResults)
{
    const std::string name = catalogue::GameName(GetParam());
    // Under the sanitizers the first deal alone, half as far.
    const long long numbers[] = {3, 1000};
    const int deals = testsupport::sweep(2, 1);
    const int steps = testsupport::sweep(60, 30);
    for (int d = 0; d < deals; ++d) {
        const long long number = numbers[d];
        for (bool autoplay : {true, false}) {
            Game game(name, number, autoplay);
            std::mt19937 rng(static_cast<unsigned>(number * 31 + GetParam()));
            std::vector<Move> moves;
            for (int step = 0; step < steps && game.host.running; ++step) {
                const std::string where = name + " #" + std::to_string(number) + " autoplay " +
                                          std::to_string(autoplay) + " step " + std::to_string(step);
                ASSERT_TRUE(game.now() == positionOf(game.e, game.g));
                if (step % 6 == 0)
                    checkAgainstEngine(game, name, number, where);
                if (HasFatalFailure())
                    return;
                Position pos = game.now();
                // Every other step from the search's list, which adds the stock turned to each card, and
                // from its narrow list, which turns the stock up to where a card goes home.
                if (step % 2)
                    orderedMoves(game.g, pos, moves, step % 4 == 3);
                else
                    generateMoves(game.g, pos, moves);
                if (moves.empty())
                    break;
                const Move m = moves[rng() % moves.size()];
                applyMove(game.g, pos, m);
                playOnEngine(game.e, game.g, m);
                game.history.push_back(m);
                ASSERT_TRUE(game.now() == pos)
                    << where << ": " << moveCommand(game.g, m) << " ends differently";
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryGame, SolverMatchesEngine, ::testing::Range(1, kGameCount + 1));

// King Albert 58 without autoplay, by a line the solver won: after these moves the fan of pile 6 reaches
// down over the reserve, and the last one carries the reserve's Four onto that fan's Five. Let go over the
// fan's top card as it lies, the Four's middle was still over its own place and it went back, so a line
// called won stopped short.
TEST(SolverMatchesEngine, ACardFromTheReserveLandsOnAFanThatReachesOverIt)
{
    Game game("King Albert", 58, false);
    const int line[][3] = {{2, 3, 0},  {9, 3, 0},  {46, 3, 1}, {14, 0, 2}, {35, 0, 8}, {50, 0, 1}, {4, 0, 1},
                           {7, 3, 1},  {11, 3, 0}, {19, 0, 7}, {49, 3, 1}, {51, 0, 0}, {25, 0, 0}, {16, 0, 4},
                           {32, 0, 6}, {0, 0, 4},  {1, 0, 5},  {44, 0, 6}, {3, 0, 0},  {10, 0, 6}, {21, 0, 1},
                           {28, 0, 4}, {36, 3, 2}, {22, 3, 2}, {45, 0, 6}};
    for (const auto &[card, cell, pile] : line) {
        dragTo(game.e, card, cell, pile);
        ASSERT_EQ(game.e.card(card).Cell, cell) << "card " << card;
        ASSERT_EQ(game.e.card(card).Pile, pile) << "card " << card;
    }
    EXPECT_EQ(game.e.Array.GetTopPicID(Home, 6), 45);
}

} // namespace
