#include "solve/position.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <stdexcept>

#include "play/engine.h"
#include "play/mFunc.h"

namespace tess::solve
{

using std::uint8_t;

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

int GameRules::pileOf(int cell, int pile) const
{
    switch (cell) {
    case Home:
        return pile;
    case Res:
        return home + pile;
    case Goal:
        return home + res + pile;
    case Stock:
        return stock;
    default:
        return waste;
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
    holds.assign(static_cast<size_t>(kMaxCards), CardSet{});
    for (int c = 0; c < totalCards; ++c)
        for (int p = 0; p < home; ++p)
            addAll(holds[static_cast<size_t>(c)], takes[static_cast<size_t>(p * row + c + 1)]);
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
    runsWait = !autoplay && !removeSuits && multiMove && !isFreecellTag(games.Tag()) && buildsAreRuns;
}

CardSet homeCards(const GameRules &g, const Position &pos)
{
    CardSet h{};
    const int first = pos.offset(g.firstGoal());
    for (int k = first; k < first + pos.goalCards; ++k)
        addToSet(h, pos.cards[static_cast<size_t>(k)] & 0x7f);
    return h;
}

Position positionOf(const Engine &e, const GameRules &g)
{
    Position pos;
    int k = 0;
    for (int p = 0; p < g.pileCount(); ++p) {
        const int cell = g.cellOf(p), pile = g.engineIndex(p);
        const int top = e.Array.GetTop(cell, pile);
        for (int i = 0; i <= top; ++i) {
            const int id = e.Array.GetPicID(cell, pile, i);
            pos.cards[static_cast<size_t>(k++)] =
                static_cast<uint8_t>(id | (e.card(id).FaceMode == tess::kFaceDown ? kDownBit : 0));
        }
        pos.len[static_cast<size_t>(p)] = static_cast<uint8_t>(top + 1);
        if (cell == Goal)
            pos.goalCards = static_cast<uint8_t>(pos.goalCards + top + 1);
    }
    const cGames &c = e.Games;
    if (c.StockNum() != 2)
        pos.redealsLeft = 0;
    else if (c.Redeals() == -1)
        pos.redealsLeft = -1;
    else
        pos.redealsLeft = static_cast<std::int8_t>(std::max(0, c.Redeals() - e.RedealCount));
    return pos;
}

Position makePosition(const GameRules &g, const std::vector<std::vector<std::uint8_t>> &piles,
                      std::int8_t redealsLeft)
{
    Position pos;
    int k = 0;
    for (int p = 0; p < g.pileCount() && p < static_cast<int>(piles.size()); ++p) {
        for (uint8_t c : piles[static_cast<size_t>(p)])
            pos.cards.at(static_cast<size_t>(k++)) = c;
        pos.len[static_cast<size_t>(p)] = static_cast<uint8_t>(piles[static_cast<size_t>(p)].size());
        if (g.isGoal(p))
            pos.goalCards = static_cast<uint8_t>(pos.goalCards + piles[static_cast<size_t>(p)].size());
    }
    pos.redealsLeft = redealsLeft;
    return pos;
}

// ---- keys -----------------------------------------------------------------------

namespace
{

inline std::uint64_t mix(std::uint64_t z)
{
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::uint64_t pileHash(const Position &pos, int off, int n, std::uint64_t seed)
{
    // Eight card bytes a step; each step is a bijection of the running value, so only the final sum of
    // piles can meet another by chance.
    std::uint64_t h = seed * 0x9E3779B97F4A7C15ull + static_cast<std::uint64_t>(n);
    const std::uint8_t *b = pos.cards.data() + off;
    auto step = [&h](std::uint64_t w) {
        h = (h ^ w) * 0xFF51AFD7ED558CCDull;
        h ^= h >> 32;
    };
    int i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t w;
        std::memcpy(&w, b + i, 8);
        step(w);
    }
    if (i < n) {
        std::uint64_t w = 0;
        std::memcpy(&w, b + i, static_cast<size_t>(n - i));
        step(w);
    }
    return mix(h);
}

} // namespace

std::uint64_t Position::pileKey(int p) const
{
    return pileHash(*this, offset(p), size(p), 0x600u);
}

std::uint64_t Position::key(const GameRules &g) const
{
    // Tableau piles are interchangeable unless a dealt row will still tell them apart.
    const bool homeOrdered = g.dealRows && g.stock >= 0 && len[static_cast<size_t>(g.stock)] > 0;
    // With no end to redeals and nothing going home as the cards turn, every split of stock and waste is
    // reached from every other without a change elsewhere: one key for them all.
    const bool oneCycle = redealsLeft == -1 && stockCyclesFreely(g, *this);
    std::uint64_t k = mix(static_cast<std::uint64_t>(redealsLeft + 2));
    int off = 0;
    for (int p = 0; p < g.pileCount(); ++p) {
        const int n = len[static_cast<size_t>(p)];
        std::uint64_t seed;
        if (g.isHome(p))
            seed = homeOrdered ? 0x100u + static_cast<unsigned>(p) : 0x1u;
        else if (g.isRes(p))
            seed = 0x2u;
        else if (g.isGoal(p))
            seed = 0x300u + static_cast<unsigned>(g.order[static_cast<size_t>(p)]) * 16u +
                   static_cast<unsigned>(g.foundingRank[static_cast<size_t>(p)]);
        else
            seed = 0x400u + static_cast<unsigned>(p);
        if (!(oneCycle && (p == g.stock || p == g.waste)))
            k += pileHash(*this, off, n, seed);
        off += n;
    }
    if (oneCycle) {
        // The order the cards come up in: the waste from its bottom, then the stock from its top.
        std::uint64_t h = 0x500u ^ 0xcbf29ce484222325ull;
        const int w = offset(g.waste), st = offset(g.stock);
        for (int i = 0; i < size(g.waste); ++i)
            h = (h ^ (cards[static_cast<size_t>(w + i)] & 0x7fu)) * 0x100000001b3ull;
        for (int i = size(g.stock) - 1; i >= 0; --i)
            h = (h ^ (cards[static_cast<size_t>(st + i)] & 0x7fu)) * 0x100000001b3ull;
        k += mix(h + static_cast<std::uint64_t>(size(g.waste) + size(g.stock)));
    }
    return k;
}

// ---- moves ----------------------------------------------------------------------

namespace
{

struct Offsets {
    std::array<int, kPiles + 1> at{};
    Offsets(const GameRules &g, const Position &pos)
    {
        for (int p = 0; p < g.pileCount(); ++p)
            at[static_cast<size_t>(p + 1)] = at[static_cast<size_t>(p)] + pos.len[static_cast<size_t>(p)];
    }
    int operator[](int p) const { return at[static_cast<size_t>(p)]; }
};

inline const CardAttrs &faceOf(const GameRules &g, uint8_t card)
{
    return g.card[card & 0x7f];
}

inline uint8_t cardAt(const Position &pos, const Offsets &o, int p, int k)
{
    return pos.cards[static_cast<size_t>(o[p] + k)];
}

bool goalTakes(const GameRules &g, const Position &pos, const Offsets &o, int p, uint8_t card)
{
    const int t = pos.size(p) - 1;
    if (t >= kSuitCards - 1)
        return false;
    return g.pileTakes(p, t >= 0 ? cardAt(pos, o, p, t) & 0x7f : -1, card & 0x7f);
}

// Moves the top count + 1 cards of pile a onto pile b, face up, turning up what they uncover.
void shift(const GameRules &g, Position &pos, int a, int b, int count, bool faceUp)
{
    const Offsets o(g, pos);
    const int n = count + 1;
    const int la = pos.size(a);
    if (g.isHome(a) && la - n > 0) {
        uint8_t &below = pos.cards[static_cast<size_t>(o[a] + la - n - 1)];
        below = static_cast<uint8_t>(below & ~kDownBit);
    }
    auto *base = pos.cards.data();
    const int runStart = o[a] + la - n;
    for (int i = 0; i < n; ++i) {
        uint8_t &c = base[runStart + i];
        c = faceUp ? static_cast<uint8_t>(c & ~kDownBit) : static_cast<uint8_t>(c | kDownBit);
    }
    if (a < b)
        std::rotate(base + runStart, base + o[a] + la, base + o[b] + pos.size(b));
    else
        std::rotate(base + o[b] + pos.size(b), base + runStart, base + o[a] + la);
    pos.len[static_cast<size_t>(a)] = static_cast<uint8_t>(la - n);
    pos.len[static_cast<size_t>(b)] = static_cast<uint8_t>(pos.size(b) + n);
    if (g.isGoal(a))
        pos.goalCards = static_cast<uint8_t>(pos.goalCards - n);
    if (g.isGoal(b))
        pos.goalCards = static_cast<uint8_t>(pos.goalCards + n);
}

void autoplay(const GameRules &g, Position &pos);

// One card or run moved the way the engine's MoveCard does, autoplay after it unless told not to.
void moveCards(const GameRules &g, Position &pos, int a, int b, int count, bool faceUp, bool thenAutoplay)
{
    if (!g.removeSuits && g.isGoal(b) && pos.size(b) == 13)
        return; // a full foundation refuses
    shift(g, pos, a, b, count, faceUp);
    if (thenAutoplay)
        autoplay(g, pos);
}

// Every card some foundation would take now.
CardSet wantedHome(const GameRules &g, const Position &pos, const Offsets &o)
{
    CardSet wanted{};
    for (int i = 0; i < g.goal; ++i) {
        const int p = g.firstGoal() + i;
        const int t = pos.size(p) - 1;
        if (t >= kSuitCards - 1)
            continue;
        addAll(wanted, g.takes[static_cast<size_t>(p * (kMaxCards + 1) +
                                                   (t >= 0 ? (cardAt(pos, o, p, t) & 0x7f) : -1) + 1)]);
    }
    return wanted;
}

// The first foundation that takes the top card of pile `from`, or -1.
int homeFor(const GameRules &g, const Position &pos, const Offsets &o, int from)
{
    const uint8_t card = cardAt(pos, o, from, pos.size(from) - 1);
    for (int i = 0; i < g.goal; ++i) {
        const int p = g.firstGoal() + i;
        // accepted by the order after a King only when ranks wrap, and then refused
        if (pos.size(p) < kSuitCards && goalTakes(g, pos, o, p, card))
            return p;
    }
    return -1;
}

void removeSuits(const GameRules &g, Position &pos)
{
    for (int i = 0; i < g.home; ++i) {
        Offsets o(g, pos);
        const int t = pos.size(i) - 1;
        if (t < 12)
            continue;
        for (int k = t; k >= 1; --k) {
            if (!FitsOrder(faceOf(g, cardAt(pos, o, i, k)), faceOf(g, cardAt(pos, o, i, k - 1)),
                           g.spiderOrder, false))
                break;
            const uint8_t topCard = cardAt(pos, o, i, t);
            if (faceOf(g, topCard).Num == 0 && t - k == 11) {
                const int sp = faceOf(g, topCard).Suitpile;
                const int j = g.goalDiv != 0 ? sp % g.goalDiv : sp;
                for (int n = 0; n < 13; ++n)
                    moveCards(g, pos, i, g.firstGoal() + j, 0, true, true);
                break;
            }
        }
    }
}

void autoplay(const GameRules &g, Position &pos)
{
    if (g.removeSuits) {
        removeSuits(g, pos);
        return;
    }
    if (!g.autoplay)
        return;
    // The engine's order: tableau, reserve, waste, a face-up stock; each move home runs it all again.
    Offsets o(g, pos);
    CardSet wanted = wantedHome(g, pos, o);
    auto tryPile = [&](int p) {
        if (pos.size(p) == 0)
            return;
        const uint8_t top = cardAt(pos, o, p, pos.size(p) - 1) & 0x7f;
        if (!inSet(wanted, top))
            return;
        const int to = homeFor(g, pos, o, p);
        if (to < 0)
            return;
        moveCards(g, pos, p, to, 0, true, true);
        o = Offsets(g, pos);
        wanted = wantedHome(g, pos, o);
    };
    for (int i = 0; i < g.home; ++i)
        tryPile(i);
    for (int i = 0; i < g.res; ++i)
        tryPile(g.home + i);
    if (g.waste >= 0)
        tryPile(g.waste);
    if (g.stockFaceUp && g.stock >= 0)
        tryPile(g.stock);
}

// The piles a grabbed card (with count more above it) may be dropped on, as a release tries them.
void addTargets(const GameRules &g, const Position &pos, const Landing &land, int from, uint8_t card,
                int count, std::vector<Move> &out, std::uint32_t toMask = ~0u)
{
    auto add = [&](int to) {
        out.push_back({MoveKind::Drag, static_cast<uint8_t>(card & 0x7f), static_cast<uint8_t>(from),
                       static_cast<uint8_t>(to), static_cast<uint8_t>(count)});
    };
    const std::uint32_t hits = land.piles(card & 0x7f, from) & toMask;
    const std::uint32_t homeBits = (std::uint32_t{1} << g.home) - 1;
    for (std::uint32_t h = hits & homeBits; h; h &= h - 1)
        add(std::countr_zero(h));
    for (int i = 0; i < g.res; ++i)
        if (((toMask >> (g.home + i)) & 1u) && ReserveAccepts(g.games, pos.size(g.home + i) == 0, count))
            add(g.home + i);
    if (count == 0 && !g.removeSuits)
        for (std::uint32_t h = hits & ~homeBits; h; h &= h - 1)
            add(std::countr_zero(h));
}

} // namespace

Landing::Landing(const GameRules &g, const Position &pos) : g_(g)
{
    pileOf_.fill(-1);
    int off = 0;
    for (int p = 0; p < g.firstGoal() + g.goal; ++p) {
        const int n = pos.size(p);
        off += n;
        if (g.isRes(p))
            continue;
        if (g.isGoal(p) && n >= kSuitCards)
            continue;
        const int top = n == 0 ? -1 : pos.cards[static_cast<size_t>(off - 1)] & 0x7f;
        if (n == 0)
            empty_ |= 1u << p;
        else
            pileOf_[static_cast<size_t>(top)] = static_cast<std::int8_t>(p);
        addAll(anyTakes_, g.takes[static_cast<size_t>(p * (kMaxCards + 1) + top + 1)]);
    }
}

std::uint32_t Landing::piles(int card, int from) const
{
    const GameRules &g = g_;
    std::uint32_t hits = 0;
    if (!inSet(anyTakes_, card))
        return hits;
    auto tryEmpty = [&](const CardSet &takes, std::uint32_t piles) {
        if (inSet(takes, card))
            for (; piles; piles &= piles - 1) {
                const int p = std::countr_zero(piles);
                if (g.pileTakes(p, -1, card))
                    hits |= 1u << p;
            }
    };
    const std::uint32_t homeBits = (std::uint32_t{1} << g.home) - 1;
    tryEmpty(g.emptyTableauTakes, empty_ & homeBits);
    tryEmpty(g.emptyFoundationTakes, empty_ & ~homeBits);
    // A card's resting places among the tops: few, where the piles are many.
    auto tryTops = [&](const CardSet &tops, bool home) {
        for (int w = 0; w < 2; ++w)
            for (std::uint64_t bits = tops[static_cast<size_t>(w)]; bits; bits &= bits - 1) {
                const int h = w * 64 + std::countr_zero(bits);
                const int p = pileOf_[static_cast<size_t>(h)];
                if (p >= 0 && p != from && g.isHome(p) == home && g.pileTakes(p, h, card))
                    hits |= 1u << p;
            }
    };
    tryTops(g.restsOn[static_cast<size_t>(card)], true);
    tryTops(g.follows[static_cast<size_t>(card)], false);
    return hits;
}

void generateMoves(const GameRules &g, const Position &pos, std::vector<Move> &out, std::uint32_t toMask)
{
    generateMoves(g, pos, Landing(g, pos), out, toMask);
}

void generateMoves(const GameRules &g, const Position &pos, const Landing &land, std::vector<Move> &out,
                   std::uint32_t toMask)
{
    out.clear();
    const bool all = toMask == ~0u;
    if (pos.won(g))
        return;
    const Offsets o(g, pos);
    int emptyHome = 0, emptyRes = 0;
    for (int i = 0; i < g.home; ++i)
        emptyHome += pos.size(i) == 0;
    for (int i = 0; i < g.res; ++i)
        emptyRes += pos.size(g.home + i) == 0;
    for (int i = 0; i < g.home; ++i) {
        const int t = pos.size(i) - 1;
        if (t < 0)
            continue;
        addTargets(g, pos, land, i, cardAt(pos, o, i, t), 0, out, toMask);
        if (!g.multiMove)
            continue;
        // A run from k is whole when the run from k + 1 is and k's card takes the next one.
        for (int k = t - 1; k >= 0 && CarryAllowed(g.games, t - k, emptyHome, emptyRes); --k) {
            const uint8_t c = cardAt(pos, o, i, k);
            if ((c & kDownBit) || !g.runLinks(c, cardAt(pos, o, i, k + 1) & 0x7f))
                break;
            addTargets(g, pos, land, i, c, t - k, out, toMask);
        }
    }
    for (int i = 0; i < g.res; ++i) {
        const int p = g.home + i;
        if (pos.size(p) > 0)
            addTargets(g, pos, land, p, cardAt(pos, o, p, pos.size(p) - 1), 0, out, toMask);
    }
    if (!g.removeSuits)
        for (int i = 0; i < g.goal; ++i) {
            const int p = g.firstGoal() + i;
            if (pos.size(p) > 0)
                addTargets(g, pos, land, p, cardAt(pos, o, p, pos.size(p) - 1), 0, out, toMask);
        }
    if (g.waste >= 0 && pos.size(g.waste) > 0)
        addTargets(g, pos, land, g.waste, cardAt(pos, o, g.waste, pos.size(g.waste) - 1), 0, out, toMask);
    if (g.stock >= 0 && pos.size(g.stock) > 0) {
        if (g.stockFaceUp)
            addTargets(g, pos, land, g.stock, cardAt(pos, o, g.stock, pos.size(g.stock) - 1), 0, out, toMask);
        else if (all)
            out.push_back({MoveKind::Stock, 0, static_cast<uint8_t>(g.stock), 0, 0});
    }
    if (all && pos.redealsLeft != 0 && g.waste >= 0)
        out.push_back({MoveKind::Redeal, 0, static_cast<uint8_t>(g.waste), static_cast<uint8_t>(g.stock), 0});
}

void generateDragsFrom(const GameRules &g, const Position &pos, const Landing &land, int p,
                       std::vector<Move> &out)
{
    if (pos.size(p) == 0)
        return;
    const Offsets o(g, pos);
    addTargets(g, pos, land, p, cardAt(pos, o, p, pos.size(p) - 1), 0, out);
}

bool provedStuck(const GameRules &g, const Position &pos)
{
    if (g.removeSuits || g.goal == 0)
        return false;
    // Where each card lies now: the tableau pile and place, or -1 for stock, waste, free cells and
    // foundations.
    std::array<std::int8_t, kMaxCards> pileAt{};
    std::array<std::uint8_t, kMaxCards> placeAt{};
    const Offsets o(g, pos);
    CardSet homeable{}, spare{}; // spare: in stock, waste or a free cell
    for (int p = 0; p < g.pileCount(); ++p)
        for (int k = 0; k < pos.size(p); ++k) {
            const int c = cardAt(pos, o, p, k) & 0x7f;
            pileAt[static_cast<size_t>(c)] = static_cast<std::int8_t>(g.isHome(p) ? p : -1);
            placeAt[static_cast<size_t>(c)] = static_cast<std::uint8_t>(k);
            if (g.isGoal(p))
                addToSet(homeable, c);
            else if (!g.isHome(p))
                addToSet(spare, c);
        }
    // Grown until nothing changes; each only ever gains cards, so the loop ends.
    CardSet exposed{}, leaves{}, moves{};
    bool anyEmptyable = false;
    auto meets = [](const CardSet &a, const CardSet &b) { return ((a[0] & b[0]) | (a[1] & b[1])) != 0; };
    auto homeTakes = [&](int c) {
        return inSet(g.emptyFoundationTakes, c) || meets(g.follows[static_cast<size_t>(c)], homeable);
    };
    // A place for card c to go, not under c itself in pile `from` (-1: c is not in the tableau).
    auto placeFor = [&](int c, int from, int place) {
        if (g.res > 0 || (anyEmptyable && inSet(g.emptyTableauTakes, c)))
            return true;
        const CardSet &on = g.restsOn[static_cast<size_t>(c)];
        for (int w = 0; w < 2; ++w)
            for (std::uint64_t bits = on[static_cast<size_t>(w)] & exposed[static_cast<size_t>(w)]; bits;
                 bits &= bits - 1) {
                const int h = w * 64 + std::countr_zero(bits);
                if (from < 0 || pileAt[static_cast<size_t>(h)] != from ||
                    placeAt[static_cast<size_t>(h)] > place)
                    return true;
            }
        return false;
    };
    for (bool grew = true; grew;) {
        grew = false;
        auto gain = [&](CardSet &s, int c) {
            if (!inSet(s, c)) {
                addToSet(s, c);
                grew = true;
            }
        };
        for (int p = 0; p < g.home; ++p) {
            const int n = pos.size(p);
            bool carryAbove = true; // the cards above can go, or ride along on the card below them
            for (int k = n - 1; k >= 0; --k) {
                const int c = cardAt(pos, o, p, k) & 0x7f;
                const bool clear = k == n - 1 || inSet(leaves, cardAt(pos, o, p, k + 1) & 0x7f);
                const bool carry =
                    clear || (g.multiMove && carryAbove && g.runLinks(c, cardAt(pos, o, p, k + 1) & 0x7f));
                if (carry && !inSet(moves, c) && placeFor(c, p, k))
                    gain(moves, c);
                const bool reached = clear || inSet(moves, c);
                if (reached) {
                    gain(exposed, c);
                    if (homeTakes(c))
                        gain(homeable, c);
                }
                if (inSet(moves, c) || (clear && inSet(homeable, c)))
                    gain(leaves, c);
                carryAbove = carry;
            }
            if (!anyEmptyable && (n == 0 || inSet(leaves, cardAt(pos, o, p, 0) & 0x7f))) {
                anyEmptyable = true;
                grew = true;
            }
        }
        for (int c = 0; c < g.totalCards; ++c) {
            const bool atHand = inSet(spare, c) || inSet(homeable, c);
            if (inSet(spare, c) && homeTakes(c))
                gain(homeable, c);
            if (atHand && !inSet(exposed, c) && placeFor(c, -1, 0))
                gain(exposed, c);
        }
    }
    for (int c = 0; c < g.totalCards; ++c)
        if (!inSet(homeable, c))
            return true;
    return false;
}

CardSet wantedCards(const GameRules &g, const Position &pos)
{
    return wantedHome(g, pos, Offsets(g, pos));
}

bool stockTurnsOneByOne(const GameRules &g)
{
    return g.stock >= 0 && g.waste >= 0 && !g.dealRows && !g.stockFaceUp && !g.removeSuits;
}

bool stockCyclesFreely(const GameRules &g, const Position &pos)
{
    if (!stockTurnsOneByOne(g))
        return false;
    if (!g.autoplay)
        return true;
    // Autoplay moves nothing while the cards turn when no card that could come up is wanted home.
    const Offsets o(g, pos);
    const CardSet wanted = wantedHome(g, pos, o);
    for (int p = 0; p < g.home + g.res; ++p)
        if (pos.size(p) > 0 && inSet(wanted, cardAt(pos, o, p, pos.size(p) - 1) & 0x7f))
            return false;
    for (int p : {g.stock, g.waste})
        for (int k = o[p]; k < o[p] + pos.size(p); ++k)
            if (inSet(wanted, pos.cards[static_cast<size_t>(k)] & 0x7f))
                return false;
    return true;
}

namespace
{

// With nothing sent home on the way, k presses turn the stock's top k cards onto the waste in the order
// they come up, and a redeal turns the waste back over: done here at once rather than card by card.
bool turnsAtOnce(const GameRules &g)
{
    return !g.autoplay && !g.removeSuits && !g.dealRows && !g.stockFaceUp && g.stock >= 0 &&
           g.waste == g.stock + 1;
}

void turnStock(const GameRules &g, Position &pos, int k)
{
    const int st = pos.size(g.stock), w = pos.size(g.waste);
    uint8_t *base = pos.cards.data() + pos.offset(g.stock);
    std::rotate(base + st - k, base + st, base + st + w);
    std::reverse(base + st - k + w, base + st + w);
    for (int i = st - k + w; i < st + w; ++i)
        base[i] = static_cast<uint8_t>(base[i] & ~kDownBit);
    pos.len[static_cast<size_t>(g.stock)] = static_cast<uint8_t>(st - k);
    pos.len[static_cast<size_t>(g.waste)] = static_cast<uint8_t>(w + k);
}

void turnWasteOver(const GameRules &g, Position &pos)
{
    const int st = pos.size(g.stock), w = pos.size(g.waste);
    uint8_t *base = pos.cards.data() + pos.offset(g.waste);
    std::reverse(base, base + w);
    for (int i = 0; i < w; ++i)
        base[i] = static_cast<uint8_t>(base[i] | kDownBit);
    pos.len[static_cast<size_t>(g.stock)] = static_cast<uint8_t>(st + w);
    pos.len[static_cast<size_t>(g.waste)] = 0;
}

} // namespace

void applyMove(const GameRules &g, Position &pos, const Move &m)
{
    if (m.kind != MoveKind::Redeal && (m.pressesBefore > 0 || m.redealFirst || m.presses > 0)) {
        const Move press{MoveKind::Stock, 0, 0, 0, 0, 0, false, 0};
        const bool atOnce = turnsAtOnce(g) && m.pressesBefore <= pos.size(g.stock);
        if (atOnce)
            turnStock(g, pos, m.pressesBefore);
        else
            for (int i = 0; i < m.pressesBefore; ++i)
                applyMove(g, pos, press);
        if (m.redealFirst)
            applyMove(g, pos, Move{MoveKind::Redeal, 0, 0, 0, 0, 0, false, 0});
        if (atOnce && m.presses <= pos.size(g.stock))
            turnStock(g, pos, m.presses);
        else
            for (int i = 0; i < m.presses; ++i)
                applyMove(g, pos, press);
    }
    switch (m.kind) {
    case MoveKind::Drag:
        moveCards(g, pos, m.from, m.to, m.count, true, true);
        break;
    case MoveKind::Stock:
        if (g.dealRows) {
            for (int i = 0; i < g.home && pos.size(g.stock) > 0; ++i)
                moveCards(g, pos, g.stock, i, 0, true, true);
        } else if (g.waste >= 0) {
            moveCards(g, pos, g.stock, g.waste, 0, true, true);
        }
        break;
    case MoveKind::Redeal:
        if (turnsAtOnce(g))
            turnWasteOver(g, pos);
        else
            while (pos.size(g.waste) > 0)
                moveCards(g, pos, g.waste, g.stock, 0, false, false);
        if (pos.redealsLeft > 0)
            --pos.redealsLeft;
        break;
    }
}

void appendSteps(const Move &m, std::vector<Move> &out)
{
    const Move press{MoveKind::Stock, 0, 0, 0, 0, 0, false, 0};
    out.insert(out.end(), m.pressesBefore, press);
    if (m.redealFirst)
        out.push_back(Move{MoveKind::Redeal, 0, 0, 0, 0, 0, false, 0});
    out.insert(out.end(), m.presses, press);
    Move last = m;
    last.pressesBefore = last.presses = 0;
    last.redealFirst = false;
    out.push_back(last);
}

std::string moveCommand(const GameRules &g, const Move &m)
{
    std::vector<Move> steps;
    appendSteps(m, steps);
    std::string lines;
    for (const Move &s : steps) {
        if (!lines.empty())
            lines += "\n";
        if (s.kind == MoveKind::Stock)
            lines += "stock";
        else if (s.kind == MoveKind::Redeal)
            lines += "marker";
        else
            lines += "drag " + std::to_string(s.card) + " " + std::to_string(g.cellOf(s.to)) + " " +
                     std::to_string(g.engineIndex(s.to));
    }
    return lines;
}

} // namespace tess::solve
