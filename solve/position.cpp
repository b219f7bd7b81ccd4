#include "solve/position.h"

#include <algorithm>
#include <cstring>

#include "play/engine.h"
#include "play/mFunc.h"

namespace tess::solve
{

using std::uint8_t;

CardSet homeCards(const GameRules &g, const Position &pos)
{
    CardSet h{};
    const int first = pos.offset(g.firstGoal());
    for (int k = first; k < first + pos.goalCards; ++k)
        addToSet(h, cardOf(pos.cards[static_cast<size_t>(k)]));
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

CardSet wantedCards(const GameRules &g, const Position &pos, const Offsets &o)
{
    CardSet wanted{};
    for (int i = 0; i < g.goal; ++i) {
        const int p = g.firstGoal() + i;
        const int n = pos.size(p);
        if (FoundationFull(n))
            continue;
        addAll(wanted, g.takesOn(p, n > 0 ? cardOf(cardAt(pos, o, p, n - 1)) : -1));
    }
    return wanted;
}

CardSet wantedCards(const GameRules &g, const Position &pos)
{
    return wantedCards(g, pos, Offsets(g, pos));
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
    const CardSet wanted = wantedCards(g, pos, o);
    for (int p = 0; p < g.home + g.res; ++p)
        if (pos.size(p) > 0 && inSet(wanted, cardOf(cardAt(pos, o, p, pos.size(p) - 1))))
            return false;
    for (int p : {g.stock, g.waste})
        for (int k = o[p]; k < o[p] + pos.size(p); ++k)
            if (inSet(wanted, cardOf(pos.cards[static_cast<size_t>(k)])))
                return false;
    return true;
}

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
            h = (h ^ static_cast<unsigned>(cardOf(cards[static_cast<size_t>(w + i)]))) * 0x100000001b3ull;
        for (int i = size(g.stock) - 1; i >= 0; --i)
            h = (h ^ static_cast<unsigned>(cardOf(cards[static_cast<size_t>(st + i)]))) * 0x100000001b3ull;
        k += mix(h + static_cast<std::uint64_t>(size(g.waste) + size(g.stock)));
    }
    return k;
}

} // namespace tess::solve
