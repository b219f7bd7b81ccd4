// What the search may leave out: deals proved lost, cards sent home without a choice, and moves held back
// until the one that uses them.
#pragma once

#include <bit>
#include <cstdint>
#include <vector>

#include "solve/moves.h"

namespace tess::solve
{

// Whether `card` is one no card outside the foundations could ever need to rest on.
inline bool neededByNone(const GameRules &g, const CardSet &home, int card)
{
    const CardSet &h = g.holds[static_cast<size_t>(card)];
    return (h[0] & ~home[0]) == 0 && (h[1] & ~home[1]) == 0;
}

// Whether `card` may go home with no other choice searched: no card outside the foundations could need
// it to rest on, or, where foundations climb by suit and the tableau takes the other colour one rank
// lower, every card that could rest on it may go home now (wanted holds what the foundations take), and
// so may every card that could rest on one of those, with nothing left out that could rest on that.
// Such a card kept back could only hold cards that can go home instead, whose own holders can go home
// too, and taking any of them back off a foundation to hold the others gains nothing; so this holds where
// cards may come back from the foundations as well. It speaks of a card that goes home now: a card left
// in the stock is not let go by it (laid on the table it may still hold a card whose suit is behind).
inline bool homesSafely(const GameRules &g, const CardSet &home, const CardSet &wanted, int card)
{
    if (neededByNone(g, home, card))
        return true;
    if (!g.homeByRank)
        return false;
    auto allOut = [&](const CardSet &s, auto ok) {
        for (int w = 0; w < 2; ++w)
            for (std::uint64_t bits = s[static_cast<size_t>(w)] & ~home[static_cast<size_t>(w)]; bits;
                 bits &= bits - 1)
                if (!ok(w * 64 + std::countr_zero(bits)))
                    return false;
        return true;
    };
    return allOut(g.heldBy[static_cast<size_t>(card)], [&](int d) {
        return inSet(wanted, d) && allOut(g.heldBy[static_cast<size_t>(d)], [&](int e) {
                   return inSet(wanted, e) && neededByNone(g, home, e);
               });
    });
}

// Whether some card can never go home, even if every move the rules allow were open at any time: the
// stock and free cells hand out any card whenever asked, and a card may move whenever a place for it is
// ever uncovered. True proves the game lost from here.
bool provedStuck(const GameRules &g, const Position &pos);

// With no autoplay and no end to the redeals, the stock is a reserve: any of its cards comes up with
// nothing else changed, so a card need leave it only when something is about to use it.
inline bool stockIsReserve(const GameRules &g, const Position &pos)
{
    return !g.autoplay && pos.redealsLeft == -1 && stockTurnsOneByOne(g);
}

// Sends home, one at a time, every card that no card outside the foundations could need to rest on, onto
// a foundation whose cards are all such cards, and where foundations climb by suit every card
// homesSafely allows. Whatever a line of play does with such a card, the same line without it does as
// well, so these moves are made without searching the others; each is added to log.
void homeSafely(const GameRules &g, Position &pos, std::vector<Move> &log);

// Whether a tableau run that turns a card up or empties its pile could go onto `card` once it lies on pile
// p, straight away or through a chain of up to `depth` cards from the stock.
bool usefulOn(const GameRules &g, const Position &pos, int card, int p, int depth);

// Whether, with pile p emptied, a card from elsewhere could take its place.
bool emptyUseful(const GameRules &g, const Position &pos, int p);

// What must follow a move that serves only the next one: a move that builds on pile `onto`, or sends the
// top card of pile `from` home. -1: no such pile.
struct Need {
    int onto = -1;
    int from = -1;
    bool any() const { return onto >= 0 || from >= 0; }
};

// The need a move leaves behind. Without autoplay, a line that lays a card from the stock, moves a run off
// the face-up card it is built on, or moves a whole pile onto another, can hold that move back until just
// before the one that uses it, so the search tries it only there.
Need needAfter(const GameRules &g, const Position &pos, const Move &m);

// The piles a drag that meets the need may land on.
inline std::uint32_t needMask(const Need &need)
{
    return need.onto >= 0 ? 1u << need.onto : 0u;
}

// Whether move m meets the need.
inline bool meetsNeed(const GameRules &g, const Need &need, const Move &m)
{
    return m.kind == MoveKind::Drag && (m.to == need.onto || (m.from == need.from && g.isGoal(m.to)));
}

} // namespace tess::solve
