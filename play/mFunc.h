// The rule kernel of play: stateless questions about cards, slots and runs.
#pragma once

#include <random>
#include <string>

#include "model/cGames.h"
#include "model/cards.h"

namespace tess
{

class Engine;

i16 CardCell(const Engine &e, int picId);
i16 CardPile(const Engine &e, int picId);
i16 CardPos(const Engine &e, int picId);
i16 CardLeft(const Engine &e, int picId);
i16 CardTop(const Engine &e, int picId);
i16 CardNum(const Engine &e, int picId);
i32 CardFaceMode(const Engine &e, int picId);
i16 CardSuit(const Engine &e, int picId);
i16 CardSuitpile(const Engine &e, int picId);
i32 CardColor(const Engine &e, int picId);

constexpr int kPointTest = 0;
constexpr int kOverlapTest = -1;
bool HitTest(const Engine &e, int picId, int cell, int pile, int pos, int mode);
bool FitsOrder(const Engine &e, int lower, int upper, i32 order, bool ak);
// The same rule on plain card values, for callers that hold no card controls.
bool FitsOrder(const CardAttrs &lower, const CardAttrs &upper, i32 order, bool ak);
CardAttrs CardAttrsOf(const Engine &e, int picId);
bool CanMoveRun(const Engine &e, int picId, int count);
i16 CountEmptyPiles(const Engine &e, int cell);
i16 MaxCarriedCards(const Engine &e);

// Tags whose runs are limited by the free space, and whose foundations only take complete suits.
bool isFreecellTag(const std::string &tag);
bool isSpiderTag(const std::string &tag);

// The rank an empty foundation takes: the one it was founded on, so that a base card dragged off
// may come back. goalBase is the rank the deal chose for the games that found on the first card.
i16 FoundationBaseRank(i32 goalType, int goalCards, int pile, i16 goalBase);

// Whether a single card may go onto foundation `pile` of the descriptor g. top is the pile's top
// position (-1 empty) and topCard its card when it has one; baseRank is the rank an empty one takes.
bool FoundationAccepts(const cGames &g, int pile, int top, const CardAttrs &topCard, const CardAttrs &card,
                       i16 baseRank);
// The same for the engine's own piles and card controls.
bool FoundationAccepts(const Engine &e, int pile, int picId);

// Whether a foundation holding `cards` cards is full: a whole suit ends it.
constexpr bool FoundationFull(int cards)
{
    return cards >= kSuitCards;
}
// Whether a foundation holding `cards` cards refuses any card laid on it: a full one does, except where
// whole suits leave the table, where each suit is laid home whole by force and is never turned back.
constexpr bool FoundationRefuses(bool suitsLeave, int cards)
{
    return !suitsLeave && FoundationFull(cards);
}

// Where whole suits leave the table: every tableau pile whose top cards are a whole suit, from its King
// down to the Ace on top, built by the foundations' order `order`, sends it to its foundation.
// topOf(pile) gives the pile's top place (-1 when empty) and is asked first for each pile; cardAt(pile,
// place) gives a card's value; leave(pile, foundation) moves the suit's cards. Templated so that the
// engine's piles and the solver's packed ones are read alike at no cost.
template <class TopOf, class CardAt, class Leave>
void RemoveWholeSuits(int piles, i32 order, int goalDiv, TopOf topOf, CardAt cardAt, Leave leave)
{
    for (int i = 0; i < piles; ++i) {
        const int t = topOf(i);
        if (t < kSuitCards - 1)
            continue;
        for (int k = t; k >= 1; --k) {
            if (!FitsOrder(cardAt(i, k), cardAt(i, k - 1), order, false))
                break;
            if (t - k == kSuitCards - 2 && cardAt(i, t).Num == kAce) {
                const int suitPile = cardAt(i, t).Suitpile;
                leave(i, goalDiv != 0 ? suitPile % goalDiv : suitPile);
                break;
            }
        }
    }
}

// Autoplay's sweep: the top card of every tableau pile, then of every reserve cell, the waste and a stock
// played face up, each offered home in that order; visit(cell, pile) is called for each such pile.
template <class Visit> void AutoplaySweep(int tableau, int reserve, bool waste, bool faceUpStock, Visit visit)
{
    for (int i = 0; i < tableau; ++i)
        visit(Home, i);
    for (int i = 0; i < reserve; ++i)
        visit(Res, i);
    if (waste)
        visit(Waste, 0);
    if (faceUpStock)
        visit(Stock, 0);
}

// Whether a card (with a run above it) may go onto tableau pile `pile`; top -1 is an empty pile.
bool TableauAccepts(const cGames &g, int pile, int top, const CardAttrs &topCard, const CardAttrs &card);
// Whether an empty reserve cell takes a grabbed card with `carried` more above it.
bool ReserveAccepts(const cGames &g, bool empty, int carried);
// Whether `upper` continues a run that moves as one from `lower`.
bool RunLinks(const cGames &g, const CardAttrs &lower, const CardAttrs &upper);
// Whether a run with `carried` cards above the grabbed one may be picked up, given the free space.
bool CarryAllowed(const cGames &g, int carried, int emptyHome, int emptyRes);

// 1 .. 10^rangeIndex - 1, uniform, seeded from the clock at each call; 1 for a range below 1.
long long RandomGameNumber(int rangeIndex);
// The same draw from a generator the caller seeded, for many draws in a row.
long long RandomGameNumber(int rangeIndex, std::mt19937_64 &gen);
// "h:mm:ss"; past a day the hours keep counting (25:00:00).
std::string FormatGameTime(i32 seconds);

} // namespace tess
