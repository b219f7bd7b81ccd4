// The rule kernel of play: stateless questions about cards, slots and runs.
#pragma once

#include <string>

#include "model/cGames.h"

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
// "h:mm:ss"; past a day the hours keep counting (25:00:00).
std::string FormatGameTime(i32 seconds);

} // namespace tess
