// The search on positions laid out by hand, where the answer is known.
#include <algorithm>
#include <string>
#include <unordered_set>

#include <gtest/gtest.h>

#include "play/cTrans.h"
#include "play/engine.h"
#include "solve/deals.h"
#include "solve/drive.h"
#include "solve/hint.h"
#include "solve/search.h"

using namespace tess;
using namespace tess::solve;

namespace
{

constexpr int H = 0, S = 1, D = 2, C = 3; // suits
using Pile = std::vector<std::uint8_t>;

struct Table {
    GameRules g;
    std::vector<Pile> piles;
    std::vector<bool> used = std::vector<bool>(kMaxCards, false);

    Table(const std::string &game, bool autoplay)
    {
        HeadlessHost host;
        Engine e(&host);
        e.NewGame(game, 1);
        g = rulesOf(e, autoplay);
        piles.resize(static_cast<size_t>(g.pileCount()));
    }
    // A card of that rank (0 Ace .. 12 King) and suit not laid out yet.
    std::uint8_t card(int num, int suit, bool down = false)
    {
        for (int i = 0; i < g.totalCards; ++i) {
            const CardAttrs &a = g.card[static_cast<size_t>(i)];
            if (a.Num == num && a.Suit == suit && !used[static_cast<size_t>(i)]) {
                used[static_cast<size_t>(i)] = true;
                return static_cast<std::uint8_t>(i | (down ? kDownBit : 0));
            }
        }
        throw std::logic_error("no such card left");
    }
    // Foundation pile `pile` built from Ace to `upTo`.
    void foundation(int pile, int suit, int upTo)
    {
        for (int n = 0; n <= upTo; ++n)
            piles[static_cast<size_t>(g.firstGoal() + pile)].push_back(card(n, suit));
    }
    Pile &at(int p) { return piles[static_cast<size_t>(p)]; }
    Position position(std::int8_t redeals = -1) const { return makePosition(g, piles, redeals); }
};

Limits quick()
{
    Limits l;
    l.milliseconds = 10000;
    l.nodes = 2'000'000;
    return l;
}

Position replay(const GameRules &g, Position pos, const std::vector<Move> &moves)
{
    for (const Move &m : moves)
        applyMove(g, pos, m);
    return pos;
}

TEST(SolveHandBuilt, OneMoveWin)
{
    Table t("Klondike", false);
    t.foundation(0, H, 12);
    t.foundation(1, S, 12);
    t.foundation(2, D, 12);
    t.foundation(3, C, 11);
    t.at(3).push_back(t.card(12, C));
    const Position start = t.position();
    const Result r = solvePosition(t.g, start, quick());
    ASSERT_EQ(r.verdict, Verdict::Won);
    ASSERT_EQ(r.moves.size(), 1u);
    EXPECT_EQ(moveCommand(t.g, r.moves[0]), "drag " + std::to_string(t.at(3)[0]) + " 3 3");
    EXPECT_TRUE(replay(t.g, start, r.moves).won(t.g));
}

TEST(SolveHandBuilt, StockThatBuriesTheNextCardIsLost)
{
    // Hearts stand at the Ace; the stock turns the Three, the Four over it, then the Two. Without a
    // redeal the Three stays buried, and with autoplay every card taken back off a foundation to build
    // a place for the Four goes straight home again.
    auto table = [](bool autoplay) {
        Table t("Klondike", autoplay);
        t.foundation(0, H, 0);
        t.foundation(1, S, 12);
        t.foundation(2, D, 12);
        t.foundation(3, C, 12);
        Pile &stock = t.at(t.g.stock);
        for (int n = 12; n >= 4; --n)
            stock.push_back(t.card(n, H, true));
        for (int n : {1, 3, 2})
            stock.push_back(t.card(n, H, true));
        return t;
    };
    const Table on = table(true);
    const Result lost = solvePosition(on.g, on.position(0), quick());
    EXPECT_EQ(lost.verdict, Verdict::Lost);
    EXPECT_GT(lost.nodes, 10);
    // One redeal turns the stock over once more: then the Three comes out on top.
    const Result redeal = solvePosition(on.g, on.position(1), quick());
    ASSERT_EQ(redeal.verdict, Verdict::Won);
    EXPECT_TRUE(replay(on.g, on.position(1), redeal.moves).won(on.g));
    // Without autoplay the spades can be taken back to build a black Five for the Four.
    const Table off = table(false);
    const Result unbuilt = solvePosition(off.g, off.position(0), quick());
    ASSERT_EQ(unbuilt.verdict, Verdict::Won);
    EXPECT_TRUE(replay(off.g, off.position(0), unbuilt.moves).won(off.g));
}

TEST(SolveHandBuilt, WinNeedsAFoundationCardTakenBack)
{
    // The Five of hearts covers the Four and needs a black Six to stand on; the only one free is the
    // Six of spades on its foundation, which goes onto the red Seven first.
    Table t("Klondike", false);
    t.foundation(0, H, 2);
    t.foundation(1, S, 5);
    t.foundation(2, D, 12);
    t.foundation(3, C, 12);
    t.at(0) = {t.card(3, H), t.card(4, H)};
    t.at(1) = {t.card(6, H)};
    Pile rest;
    for (int n = 6; n <= 12; ++n)
        rest.push_back(t.card(n, S, true));
    for (int n = 12; n >= 7; --n)
        rest.push_back(t.card(n, H, true));
    rest.push_back(t.card(5, H));
    t.at(2) = rest;
    const Position start = t.position(0);
    const Result r = solvePosition(t.g, start, quick());
    ASSERT_EQ(r.verdict, Verdict::Won);
    EXPECT_TRUE(replay(t.g, start, r.moves).won(t.g));
    bool tookBack = false;
    for (const Move &m : r.moves)
        tookBack = tookBack || (m.kind == MoveKind::Drag && t.g.isGoal(m.from));
    EXPECT_TRUE(tookBack);
    // With autoplay the Six goes straight home again, so the same table is lost.
    Table a("Klondike", true);
    a.piles = t.piles;
    EXPECT_EQ(solvePosition(a.g, a.position(0), quick()).verdict, Verdict::Lost);
}

TEST(SolveHandBuilt, CompletedSuitLeavesByForce)
{
    Table t("Klondike Spider", false);
    for (int suit : {H, D, C}) {
        Pile &f = t.at(t.g.firstGoal() + suit);
        for (int n = 12; n >= 0; --n)
            f.push_back(t.card(n, suit));
    }
    Pile run;
    const std::uint8_t hidden = t.card(0, S, true);
    run.push_back(hidden);
    for (int n = 12; n >= 1; --n)
        run.push_back(t.card(n, S));
    t.at(0) = run;
    const Position start = t.position();
    std::vector<Move> moves;
    generateMoves(t.g, start, moves);
    // The Ace is face down under the run: only the run's cards move, and no foundation takes a card.
    for (const Move &m : moves)
        EXPECT_FALSE(m.kind == MoveKind::Drag && t.g.isGoal(m.to));
    // The run goes to an empty pile, the Ace turns up and joins it, and the suit leaves.
    const Result r = solvePosition(t.g, start, quick());
    ASSERT_EQ(r.verdict, Verdict::Won);
    EXPECT_TRUE(replay(t.g, start, r.moves).won(t.g));

    // With the Ace on another pile, one move completes the suit and it leaves with no move of its own.
    Table u("Klondike Spider", false);
    for (int suit : {H, D, C}) {
        Pile &f = u.at(u.g.firstGoal() + suit);
        for (int n = 12; n >= 0; --n)
            f.push_back(u.card(n, suit));
    }
    const std::uint8_t under = u.card(0, S);
    u.at(0).push_back(under);
    for (int n = 12; n >= 1; --n)
        u.at(1).push_back(u.card(n, S));
    const Result w = solvePosition(u.g, u.position(), quick());
    ASSERT_EQ(w.verdict, Verdict::Won);
    ASSERT_EQ(w.moves.size(), 1u);
    EXPECT_EQ(w.moves[0].card, under);
    const Position end = replay(u.g, u.position(), w.moves);
    EXPECT_EQ(end.size(1), 0);
    EXPECT_EQ(end.size(u.g.firstGoal() + S), 13);
}

TEST(SolveHandBuilt, FaceDownCardTurnsUpWhenUncovered)
{
    Table t("Klondike", false);
    const std::uint8_t down = t.card(5, H, true);
    t.at(0) = {down, t.card(0, S)};
    t.foundation(0, H, 4);
    Position pos = t.position();
    std::vector<Move> moves;
    generateMoves(t.g, pos, moves);
    auto ace = std::find_if(moves.begin(), moves.end(), [&](const Move &m) { return t.g.isGoal(m.to); });
    ASSERT_NE(ace, moves.end());
    applyMove(t.g, pos, *ace);
    ASSERT_EQ(pos.size(0), 1);
    EXPECT_EQ(pos.at(0, 0), down & 0x7f);
}

// Both black suits to the Three, diamonds to `diamonds`, hearts to the Four with the Five on top of pile 0
// or, `onFoundation`, on the hearts; the black Fours that could rest on the Five wait face down elsewhere,
// and the Six of clubs would take the Five.
Table fiveOfHeartsTable(int diamonds, bool onFoundation = false)
{
    Table t("Klondike", false);
    t.foundation(0, H, onFoundation ? 4 : 3);
    t.foundation(1, S, 2);
    t.foundation(2, D, diamonds);
    t.foundation(3, C, 2);
    t.at(0) = {t.card(12, D, true)};
    if (!onFoundation)
        t.at(0).push_back(t.card(4, H));
    t.at(1) = {t.card(3, S, true), t.card(3, C, true), t.card(12, S)};
    t.at(2) = {t.card(5, C)};
    return t;
}

TEST(SolveShortcuts, CardsSentHomeUnsearchedOnlyWhenNothingCouldNeedThem)
{
    // The black Fours could rest on the Five, but each can go home itself, and so can the red Three that
    // could rest on them; nothing below those is out. The Five goes home without a choice.
    Table t = fiveOfHeartsTable(1);
    ASSERT_TRUE(t.g.homeByRank);
    Position pos = t.position();
    std::vector<Move> log;
    homeSafely(t.g, pos, log);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].card, t.at(0)[1]);
    EXPECT_EQ(pos.size(t.g.firstGoal()), 5);
    // With diamonds at the Ace, the Three of diamonds could need a black Four to rest on, which could
    // need the Five: it stays, and taking it back off its foundation stays a choice.
    Table low = fiveOfHeartsTable(0);
    Position kept = low.position();
    log.clear();
    homeSafely(low.g, kept, log);
    EXPECT_TRUE(log.empty());
    const Table back = fiveOfHeartsTable(0, true);
    std::vector<Move> moves;
    orderedMoves(back.g, back.position(), moves);
    EXPECT_TRUE(
        std::any_of(moves.begin(), moves.end(), [&](const Move &m) { return back.g.isGoal(m.from); }));
    // Where the tableau builds in suit, or two packs make twins, a card that could hold another is not let
    // go on ranks alone.
    for (const char *game : {"Klondike", "Somerset", "Raglan", "King Albert"}) {
        HeadlessHost host;
        Engine e(&host);
        e.NewGame(game, 1);
        EXPECT_TRUE(rulesOf(e, false).homeByRank) << game;
    }
    for (const char *game : {"Double Klondike", "Spiderette", "Canister", "Klondike AK"}) {
        HeadlessHost host;
        Engine e(&host);
        e.NewGame(game, 1);
        EXPECT_FALSE(rulesOf(e, false).homeByRank) << game;
    }
}

TEST(SolveShortcuts, MovesThatOnlySwapPlacesAreLeftOut)
{
    // The Seven of spades rests on the Eight of hearts; the Eight of diamonds would take it as well.
    auto table = [](int hearts) {
        Table t("Klondike", false);
        if (hearts >= 0)
            t.foundation(0, H, hearts);
        t.at(0) = {t.card(8, S, true), t.card(7, H), t.card(6, S)};
        t.at(1) = {t.card(8, C, true), t.card(7, D)};
        return t;
    };
    auto splits = [](const Table &t) {
        std::vector<Move> moves;
        orderedMoves(t.g, t.position(), moves);
        return std::count_if(moves.begin(), moves.end(), [&](const Move &m) {
            return m.kind == MoveKind::Drag && m.from == 0 && m.to == 1;
        });
    };
    // Onto the twin it only changes which Eight holds which Seven: left out unless the Eight can go home,
    // and then the Eight must go next.
    EXPECT_EQ(splits(table(-1)), 0);
    Table homeable = table(6);
    EXPECT_EQ(splits(homeable), 1);
    const Need need = needAfter(homeable.g, homeable.position(), Move::drag(homeable.at(0)[2], 0, 1, 0));
    EXPECT_EQ(need.onto, -1);
    EXPECT_EQ(need.from, 0);
    // A card alone in a free cell gains nothing by moving to another.
    Table cells("Klondike Freecell", false);
    ASSERT_GE(cells.g.res, 2);
    cells.at(cells.g.home) = {cells.card(5, C)};
    cells.at(0) = {cells.card(12, C)};
    std::vector<Move> moves;
    orderedMoves(cells.g, cells.position(), moves);
    EXPECT_FALSE(std::any_of(moves.begin(), moves.end(),
                             [&](const Move &m) { return cells.g.isRes(m.from) && cells.g.isRes(m.to); }));
    EXPECT_TRUE(std::any_of(moves.begin(), moves.end(),
                            [&](const Move &m) { return cells.g.isRes(m.from) && cells.g.isHome(m.to); }));
}

TEST(SolveLimits, UnknownWhenTheLimitIsHit)
{
    HeadlessHost host;
    Engine e(&host);
    e.NewGame("Klondike", 7);
    const GameRules g = rulesOf(e, true);
    Limits l;
    l.nodes = 5;
    l.milliseconds = 0;
    const Result r = solvePosition(g, positionOf(e, g), l);
    EXPECT_EQ(r.verdict, Verdict::Unknown);
    EXPECT_EQ(r.nodes, 5);
}

TEST(SolveLimits, AWonLineLongerThanTheEngineCanLogIsNoAnswer)
{
    HeadlessHost host;
    Engine e(&host);
    e.NewGame("Klondike", 2);
    const GameRules g = rulesOf(e, true);
    Limits l = quick();
    const Result full = solvePosition(g, positionOf(e, g), l);
    ASSERT_EQ(full.verdict, Verdict::Won);
    // Too short a log for any winning line: neither a win nor a proved loss.
    l.loggedMoves = 20;
    EXPECT_EQ(solvePosition(g, positionOf(e, g), l).verdict, Verdict::Unknown);
}

TEST(SolveKeys, MirroredTableauPilesShareAKey)
{
    Table t("Klondike", true);
    t.at(0) = {t.card(12, S)};
    t.at(3) = {t.card(4, H, true), t.card(9, D)};
    Table u("Klondike", true);
    u.at(5) = {u.card(12, S)};
    u.at(1) = {u.card(4, H, true), u.card(9, D)};
    EXPECT_EQ(t.position().key(t.g), u.position().key(u.g));
    // A card turned the other way is another position.
    Table v("Klondike", true);
    v.at(0) = {v.card(12, S)};
    v.at(3) = {v.card(4, H), v.card(9, D)};
    EXPECT_NE(t.position().key(t.g), v.position().key(v.g));
}

TEST(SolveKeys, SplitsOfOneStockCycleShareAKeyOnlyWhenNothingGoesHome)
{
    // Stock and waste hold Six, Seven, Eight of hearts; `turned` of them lie on the waste.
    auto key = [](int turned, int heartsHome, std::int8_t redeals) {
        Table t("Klondike", true);
        if (heartsHome >= 0)
            t.foundation(0, H, heartsHome);
        Pile &stock = t.at(t.g.stock), &waste = t.at(t.g.waste);
        for (int n = 5; n <= 7; ++n)
            waste.push_back(t.card(n, H));
        for (int i = 0; i < 3 - turned; ++i) {
            stock.push_back(static_cast<std::uint8_t>(waste.back() | kDownBit));
            waste.pop_back();
        }
        t.at(0) = {t.card(12, S)};
        return t.position(redeals).key(t.g);
    };
    // Presses and redeals reach each split from every other with nothing else changed.
    EXPECT_EQ(key(0, -1, -1), key(2, -1, -1));
    EXPECT_EQ(key(1, 3, -1), key(3, 3, -1));
    // A Six wanted home would go there on the way; a count of redeals tells the splits apart.
    EXPECT_NE(key(0, 4, -1), key(2, 4, -1));
    EXPECT_NE(key(0, -1, 3), key(2, -1, 3));
    // Another order of the same cards is another position.
    Table t("Klondike", true);
    for (int n : {6, 5, 7})
        t.at(t.g.waste).push_back(t.card(n, H));
    t.at(0) = {t.card(12, S)};
    EXPECT_NE(t.position(-1).key(t.g), key(3, -1, -1));
}

} // namespace

namespace
{

// A plain search for the same question: every move of the mouse, positions told apart byte for byte,
// no ordering, no pruning, no sets of piles. Slow, but with nothing to get wrong.
bool plainWinnable(const GameRules &g, const Position &start, long long &budget)
{
    std::unordered_set<std::string> seen;
    std::vector<Position> todo{start};
    std::vector<Move> moves;
    auto bytes = [](const Position &p) { return std::string(reinterpret_cast<const char *>(&p), sizeof p); };
    seen.insert(bytes(start));
    while (!todo.empty() && budget-- > 0) {
        const Position p = todo.back();
        todo.pop_back();
        if (p.won(g))
            return true;
        generateMoves(g, p, moves);
        for (const Move &m : moves) {
            Position q = p;
            applyMove(g, q, m);
            if (seen.insert(bytes(q)).second)
                todo.push_back(q);
        }
    }
    return false;
}

} // namespace

// Without autoplay the search also sends safe cards home unasked and holds back moves until their use;
// the plain search knows none of that, so agreement on both settings checks those shortcuts too.
class SolveAgainstPlainSearch : public ::testing::TestWithParam<bool>
{
};

TEST_P(SolveAgainstPlainSearch, SameVerdictOnSmallDeals)
{
    const bool autoplay = GetParam();
    int lost = 0, won = 0;
    // Stripped Klondike 178 is won by a line that takes two cards back from a foundation and lays one
    // from the stock before either is built on: a search that insists on each being used at once loses it.
    for (long long number :
         {1LL, 2LL, 3LL, 4LL, 5LL, 6LL, 7LL, 8LL, 9LL, 10LL, 11LL, 12LL, 13LL, 178LL, 241LL}) {
        HeadlessHost host;
        host.autoplay = autoplay ? 1 : 0;
        Engine e(&host);
        // A small game, and one whose face-up stock gives up only its top card.
        e.NewGame(number != 13 ? "Stripped Klondike" : "Open Klondike", number);
        const GameRules g = rulesOf(e, autoplay);
        const Position start = positionOf(e, g);
        const Result r = solvePosition(g, start, quick());
        ASSERT_NE(r.verdict, Verdict::Unknown) << number;
        if (r.verdict == Verdict::Won) {
            ASSERT_TRUE(replay(g, start, r.moves).won(g)) << "deal " << number;
        }
        long long budget = 3'000'000;
        const bool plain = plainWinnable(g, start, budget);
        ASSERT_GT(budget, 0) << "deal " << number << ": the plain search ran out";
        EXPECT_EQ(r.verdict == Verdict::Won, plain) << "deal " << number;
        (plain ? won : lost)++;
    }
    // Both answers occur, so the comparison means something either way.
    EXPECT_GT(lost, 0);
    EXPECT_GT(won, 0);
}

INSTANTIATE_TEST_SUITE_P(Autoplay, SolveAgainstPlainSearch, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool> &i) { return i.param ? "On" : "Off"; });

// The quick proof of a loss lets every move happen whenever a place for it is ever uncovered, so it must
// never call a deal lost that can be won; on these deals it settles some at once.
TEST(ProvedStuck, OnlyOnDealsThatCannotBeWon)
{
    int stuck = 0;
    for (long long number = 1; number <= 40; ++number) {
        HeadlessHost host;
        host.autoplay = 0;
        Engine e(&host);
        e.NewGame("Stripped Klondike", number);
        const GameRules g = rulesOf(e, false);
        const Position start = positionOf(e, g);
        if (!provedStuck(g, start))
            continue;
        ++stuck;
        long long budget = 3'000'000;
        EXPECT_FALSE(plainWinnable(g, start, budget)) << "deal " << number;
        EXPECT_GT(budget, 0) << "deal " << number << ": the plain search ran out";
        // The search asks before any pass, so such a deal costs not one position, with autoplay or not.
        for (bool autoplay : {false, true}) {
            const GameRules ga = rulesOf(e, autoplay);
            const Result r = solvePosition(ga, positionOf(e, ga), quick());
            EXPECT_EQ(r.verdict, Verdict::Lost) << "deal " << number;
            EXPECT_EQ(r.nodes, 0) << "deal " << number << (autoplay ? " with autoplay" : "");
        }
    }
    EXPECT_GT(stuck, 0);
}

// Klondike 1134 is proved lost without autoplay in some 50,000 positions, and so with it; with autoplay's own
// search alone it stays open after far more. The search without autoplay keeps proving beside it.
TEST(SolveWithAutoplay, ALossProvedWithoutAutoplayHoldsWithIt)
{
    HeadlessHost host;
    Engine e(&host);
    e.NewGame("Klondike", 1134);
    const GameRules g = rulesOf(e, true);
    Limits l = quick();
    l.nodes = 200000;
    const Result r = solvePosition(g, positionOf(e, g), l);
    EXPECT_EQ(r.verdict, Verdict::Lost);
    EXPECT_EQ(r.nodes, r.nodesNarrow + r.nodesWide + r.nodesBest);
    EXPECT_GT(r.nodesWide, r.nodesNarrow + r.nodesBest) << "the wide pass, the prover, has the larger share";
}

// With autoplay the search first looks without it: Klondike 96 is won in a few thousand positions that
// way, and the line, its cards already home passed over, still wins when autoplay sends cards home.
TEST(SolveWithAutoplay, ALineWonWithoutAutoplayIsPlayedWithIt)
{
    const DealAnswer deal = dealOf("Klondike", 96, true);
    const GameRules &g = deal.rules;
    const Position &start = deal.start;
    Limits l = quick();
    l.nodes = 60000;
    const Result r = solvePosition(g, start, l);
    ASSERT_EQ(r.verdict, Verdict::Won);
    EXPECT_TRUE(replay(g, start, r.moves).won(g));
}

// Canister builds up or down: a run moved off the card it is linked to may serve by the run it joins, so
// the search must not hold such a move back. Deal 26 is won that way, with autoplay and without.
TEST(SolveRunsWait, NotWhereRunsGoBothWays)
{
    for (bool autoplay : {false, true}) {
        HeadlessHost host;
        host.autoplay = autoplay ? 1 : 0;
        Engine e(&host);
        e.NewGame("Canister", 26);
        const GameRules g = rulesOf(e, autoplay);
        EXPECT_FALSE(g.runsWait);
        const Position start = positionOf(e, g);
        const Result r = solvePosition(g, start, quick());
        ASSERT_EQ(r.verdict, Verdict::Won) << autoplay;
        EXPECT_TRUE(replay(g, start, r.moves).won(g)) << autoplay;
    }
}

// Where a stock is dealt in rows or whole suits leave the table, depth first sinks into its first choices
// and finds none of these wins in 100,000 positions; looking at the most promising position first does,
// and its line, put together from the positions it was offered from, replays to a win.
TEST(SolveBestFirst, FindsWinsWhereDepthFirstSinks)
{
    for (const auto &[game, number] :
         {std::pair{"Simple Simon", 7}, std::pair{"Spiderette", 9}, std::pair{"Klondike Spider", 9}}) {
        const DealAnswer deal = dealOf(game, number, true);
        const GameRules &g = deal.rules;
        const Position &start = deal.start;
        Limits l = quick();
        l.nodes = 100000;
        const Result r = solvePosition(g, start, l);
        ASSERT_EQ(r.verdict, Verdict::Won) << game;
        EXPECT_TRUE(replay(g, start, r.moves).won(g)) << game;
    }
}

// A hint comes in every position: the won line's first step when one is proved in time, else the move the
// search found most promising, which the engine takes, else word that not one move is left.
TEST(SolveHint, SuggestsAMoveTheEngineTakesWhenNoWinIsProved)
{
    // Spiderette 1 is not settled in a few seconds: the hint once answered with nothing at all.
    for (bool autoplay : {true, false}) {
        HeadlessHost host;
        host.autoplay = autoplay ? 1 : 0;
        Engine e(&host);
        e.NewGame("Spiderette", 1);
        host.running = true;
        const GameRules g = rulesOf(e, autoplay);
        Limits l = quick();
        l.nodes = 30000;
        const Hint h = findHint(g, positionOf(e, g), l);
        ASSERT_EQ(h.result.verdict, Verdict::Unknown) << autoplay;
        ASSERT_EQ(h.kind, HintKind::Suggested) << autoplay;
        ASSERT_FALSE(h.steps.empty());
        EXPECT_EQ(h.text, describeStep(g, h.steps.front(), awaitedCard(g, h.steps, 0), true));
        EXPECT_EQ(h.text.rfind("Suggested: move the ", 0), 0u) << h.text;
        const int logged = e.Trans->GetTransID();
        playOnEngine(e, g, h.steps.front());
        EXPECT_NE(e.Trans->GetTransID(), logged) << "the suggested move was refused: " << h.text;
    }
    // Proved: the line itself, worded as a hint.
    HeadlessHost host;
    Engine e(&host);
    e.NewGame("Klondike", 2);
    const GameRules g = rulesOf(e, true);
    const Hint h = findHint(g, positionOf(e, g), quick());
    ASSERT_EQ(h.kind, HintKind::Proved);
    EXPECT_EQ(h.text, describeStep(g, h.steps.front(), awaitedCard(g, h.steps, 0)));
    EXPECT_EQ(h.text.rfind("Hint: ", 0), 0u) << h.text;
}

// Playing on from the search's best guess finds wins a whole search cannot reach in its limits: Spiderette
// 12 is still open after 3,000,000 positions, yet guided steps of 20,000 win it. The line must hold move
// for move when the engine plays it.
TEST(SolveHint, FollowingSuggestionsWinsAndTheEnginePlaysTheLineOut)
{
    HeadlessHost host;
    Engine e(&host);
    e.NewGame("Spiderette", 12);
    host.running = true;
    const GameRules g = rulesOf(e, true);
    Limits l;
    l.milliseconds = 0;
    l.nodes = 20000;
    const Result r = followSuggestions(g, positionOf(e, g), l, 300);
    ASSERT_EQ(r.verdict, Verdict::Won);
    for (const Move &m : r.moves)
        playOnEngine(e, g, m);
    EXPECT_TRUE(positionOf(e, g).won(g));
}

TEST(SolveHint, SaysSoWhenNoMoveIsLeft)
{
    // Every tableau pile ends in a card nothing takes, the Aces lie face down and the stock is spent.
    auto table = [](bool redealLeft) {
        Table t("Klondike", false);
        std::vector<std::uint8_t> tops;
        for (auto [num, suit] : {std::pair{1, H}, {1, S}, {1, D}, {1, C}, {3, H}, {3, S}, {3, D}})
            tops.push_back(t.card(num, suit));
        for (int i = 0, p = 0; i < t.g.totalCards; ++i)
            if (!t.used[static_cast<size_t>(i)]) {
                t.used[static_cast<size_t>(i)] = true;
                t.at(p++ % 7).push_back(static_cast<std::uint8_t>(i | kDownBit));
            }
        for (int p = 0; p < 7; ++p)
            t.at(p).push_back(tops[static_cast<size_t>(p)]);
        if (redealLeft) // one card moved from a pile to the waste, with a redeal to bring it back
            t.at(t.g.waste).push_back(static_cast<std::uint8_t>(t.at(0)[0] & ~kDownBit)),
                t.at(0).erase(t.at(0).begin());
        return t;
    };
    const Table stuck = table(false);
    const Hint none = findHint(stuck.g, stuck.position(0), quick());
    EXPECT_EQ(none.kind, HintKind::NoMove);
    EXPECT_TRUE(none.steps.empty());
    EXPECT_EQ(none.text, "No move left: this game cannot go on");
    // A redeal is a move: the game goes on.
    const Table redeal = table(true);
    const Hint turn = findHint(redeal.g, redeal.position(1), quick());
    ASSERT_NE(turn.kind, HintKind::NoMove) << turn.text;
    EXPECT_NE(turn.text.find("turn the waste back"), std::string::npos) << turn.text;
}
