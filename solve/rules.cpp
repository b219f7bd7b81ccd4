#include "solve/rules.h"

#include <stdexcept>

#include "play/engine.h"
#include "play/mFunc.h"

namespace tess::solve
{

int GameRules::cellOf(int p) const
{
    if (p < home)
        return Home;
    if (p < home + res)
        return Res;
    if (p < home + res + goal)
        return Goal;
    return p == stock ? Stock : Waste;
}

int GameRules::engineIndex(int p) const
{
    switch (cellOf(p)) {
    case Home:
        return p;
    case Res:
        return p - home;
    case Goal:
        return p - home - res;
    default:
        return 0;
    }
}

GameRules rulesOf(const Engine &e, bool autoplay)
{
    const cGames &c = e.Games;
    GameRules g;
    g.home = c.Piles(Home);
    g.res = c.Piles(Res);
    g.goal = c.Piles(Goal);
    int next = g.home + g.res + g.goal;
    g.stock = c.Piles(Stock) > 0 ? next++ : -1;
    g.waste = c.Piles(Waste) > 0 ? next++ : -1;
    if (next > kPiles)
        throw std::length_error("too many piles for a solver position");
    g.games = c;
    g.totalCards = c.TotalCards();
    for (int i = 0; i < g.totalCards; ++i)
        g.card[static_cast<size_t>(i)] = CardAttrsOf(e, i);
    for (int i = 0; i < g.goal; ++i) {
        g.order[static_cast<size_t>(g.firstGoal() + i)] = c.Order(Goal, i);
        g.foundingRank[static_cast<size_t>(g.firstGoal() + i)] =
            FoundationBaseRank(c.GoalType(), c.Cards(Goal), i, e.GoalBase);
    }
    g.multiMove = c.MultiMove() != 0;
    g.removeSuits = isSpiderTag(c.Tag());
    g.spiderOrder = c.Order(Goal, 0);
    g.goalDiv = c.GoalDiv();
    g.stockFaceUp = c.StockType() == 1;
    g.dealRows = c.StockMove() == 2;
    g.autoplay = !g.removeSuits && c.DisAutoPlay() != -1 && autoplay;
    g.prepare();
    return g;
}

void GameRules::prepare()
{
    const int row = kMaxCards + 1;
    takes.assign(static_cast<size_t>(kPiles * row), CardSet{});
    links.assign(static_cast<size_t>(kMaxCards), CardSet{});
    for (int p = 0; p < home + res + goal; ++p) {
        if (isRes(p))
            continue;
        for (int top = -1; top < totalCards; ++top) {
            const CardAttrs topCard = top >= 0 ? card[static_cast<size_t>(top)] : CardAttrs{};
            CardSet &s = takes[static_cast<size_t>(p * row + top + 1)];
            for (int c = 0; c < totalCards; ++c) {
                const CardAttrs &f = card[static_cast<size_t>(c)];
                // A foundation's place matters only when empty or full; fullness is checked by size.
                const bool ok = isHome(p)
                                    ? TableauAccepts(games, p, top, topCard, f)
                                    : FoundationAccepts(games, p - firstGoal(), top >= 0 ? 0 : -1, topCard, f,
                                                        foundingRank[static_cast<size_t>(p)]);
                if (ok)
                    addToSet(s, c);
            }
        }
    }
    for (int lower = 0; lower < totalCards; ++lower)
        for (int upper = 0; upper < totalCards; ++upper)
            if (RunLinks(games, card[static_cast<size_t>(lower)], card[static_cast<size_t>(upper)]))
                addToSet(links[static_cast<size_t>(lower)], upper);
    restsOn.assign(static_cast<size_t>(kMaxCards), CardSet{});
    follows.assign(static_cast<size_t>(kMaxCards), CardSet{});
    emptyTableauTakes = emptyFoundationTakes = CardSet{};
    for (int p = 0; p < home + res + goal; ++p) {
        if (isRes(p))
            continue;
        auto &into = isHome(p) ? restsOn : follows;
        addAll(isHome(p) ? emptyTableauTakes : emptyFoundationTakes, takes[static_cast<size_t>(p * row)]);
        for (int top = 0; top < totalCards; ++top)
            for (int c = 0; c < totalCards; ++c)
                if (pileTakes(p, top, c))
                    addToSet(into[static_cast<size_t>(c)], top);
    }
    // What rests on a card in any tableau pile, then what rests on that, until nothing is added.
    heldBy.assign(static_cast<size_t>(kMaxCards), CardSet{});
    for (int c = 0; c < totalCards; ++c)
        for (int p = 0; p < home; ++p)
            addAll(heldBy[static_cast<size_t>(c)], takes[static_cast<size_t>(p * row + c + 1)]);
    holds = heldBy;
    for (bool grew = true; grew;) {
        grew = false;
        for (int c = 0; c < totalCards; ++c) {
            CardSet h = holds[static_cast<size_t>(c)];
            for (int d = 0; d < totalCards; ++d)
                if (inSet(h, d))
                    addAll(h, holds[static_cast<size_t>(d)]);
            if (h != holds[static_cast<size_t>(c)]) {
                holds[static_cast<size_t>(c)] = h;
                grew = true;
            }
        }
    }
    oneOfEach = totalCards <= kSuitCards * 4;
    for (int a = 0; a < totalCards && oneOfEach; ++a)
        for (int b = a + 1; b < totalCards; ++b)
            if (card[static_cast<size_t>(a)].Num == card[static_cast<size_t>(b)].Num &&
                card[static_cast<size_t>(a)].Suit == card[static_cast<size_t>(b)].Suit)
                oneOfEach = false;
    homeByRank = oneOfEach && goal > 0 && !removeSuits;
    for (int c = 0; c < totalCards && homeByRank; ++c) {
        const CardAttrs &a = card[static_cast<size_t>(c)];
        CardSet below{}; // the card of its suit one rank lower, which a foundation must show to take it
        for (int d = 0; d < totalCards; ++d) {
            const CardAttrs &b = card[static_cast<size_t>(d)];
            if (b.Suit == a.Suit && b.Num == a.Num - 1)
                addToSet(below, d);
            if (inSet(heldBy[static_cast<size_t>(c)], d) && (b.Num != a.Num - 1 || b.Color == a.Color))
                homeByRank = false;
        }
        if (follows[static_cast<size_t>(c)] != below || inSet(emptyFoundationTakes, c) != (a.Num == 0))
            homeByRank = false;
    }
    // Where runs go up as well as down, a run moved off the card it is linked to may serve by what it
    // joins rather than by what it uncovers; holding it back loses wins there (Canister 26).
    buildsAreRuns = true;
    for (int a = 0; a < totalCards && buildsAreRuns; ++a)
        for (int b = a + 1; b < totalCards; ++b)
            if (runLinks(a, b) && runLinks(b, a)) {
                buildsAreRuns = false;
                break;
            }
    for (int p = 0; p < home && buildsAreRuns; ++p)
        for (int a = 0; a < totalCards && buildsAreRuns; ++a)
            for (int b = 0; b < totalCards; ++b)
                if (pileTakes(p, a, b) && !runLinks(a, b)) {
                    buildsAreRuns = false;
                    break;
                }
    setAutoplay(autoplay);
}

void GameRules::setAutoplay(bool on)
{
    autoplay = on;
    safeHoming = !autoplay && !removeSuits && goal > 0 && oneOfEach;
    splitsToHome = homeByRank && multiMove && !dealRows && !isFreecellTag(games.Tag()) && buildsAreRuns;
    runsWait = !autoplay && !removeSuits && multiMove && !isFreecellTag(games.Tag()) && buildsAreRuns;
}

} // namespace tess::solve
