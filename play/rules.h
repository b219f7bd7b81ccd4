// The drop and pick-up rules as pure questions about card values, so that the mouse path and the
// solver ask exactly the same ones.
#pragma once

#include <string>

#include "model/numeric.h"

namespace tess::rules
{

struct Face {
    i16 num = 0;
    i16 suit = 0;
    i32 color = 1;
};

// Whether `upper` may lie on `lower` under a build order (1..9, 12); ak lets the ranks wrap.
inline bool fitsOrder(Face lower, Face upper, i32 order, bool ak)
{
    if (order == 9)
        return true;
    const int l = lower.num, u = upper.num;
    const bool down = u == l - 1 || (ak && l == 0 && u == 12);
    const bool up = u == l + 1 || (ak && l == 12 && u == 0);
    bool rank = false;
    switch (order) {
    case 1:
    case 4:
    case 7:
        rank = down;
        break;
    case 2:
    case 5:
    case 8:
        rank = up;
        break;
    case 3:
    case 6:
    case 12:
        rank = up || down;
        break;
    default:
        return false;
    }
    if (!rank)
        return false;
    switch (order) {
    case 1:
    case 2:
    case 3:
        return upper.suit == lower.suit;
    case 4:
    case 5:
    case 6:
        return upper.color != lower.color;
    default:
        return true;
    }
}

// An empty tableau pile takes any card (emptyNum -1) or only the one rank.
inline bool emptyHomeAccepts(i16 emptyNum, i16 num)
{
    return emptyNum == -1 || emptyNum == num;
}

// Games that limit a carried run by the free piles and cells.
inline bool limitsCarry(const std::string &tag)
{
    return tag == "Penguin" || tag == "Freecell" || tag == "FreecellAK";
}

// Cards a run may carry beyond the grabbed one, from the empty tableau piles and reserve cells.
inline i16 maxCarried(int emptyHome, int emptyRes)
{
    return checked16((emptyHome + 1) * (emptyRes + 1) - 1);
}

// Games whose foundations fill only by a completed suit leaving the tableau.
inline bool removesSuits(const std::string &tag)
{
    return tag == "Spider";
}

// A foundation pile with `top` + 1 cards (top -1: empty) takes the card?
// foundingRank is the rank an empty pile starts with.
inline bool goalAccepts(int top, Face topCard, Face card, i16 foundingRank, i32 order, bool ak)
{
    if (top == -1)
        return card.num == foundingRank;
    if (top == 12)
        return false;
    return fitsOrder(topCard, card, order, ak);
}

} // namespace tess::rules
