// The moves a player can make on a position with the mouse, and making them with every effect the engine
// adds: a face-down card turned up, autoplay, a whole suit leaving the table.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "solve/position.h"

namespace tess::solve
{

// Where a card could be dropped now: the tableau and foundation piles whose top, or emptiness, takes it.
class Landing
{
  public:
    Landing(const GameRules &g, const Position &pos);
    // Bit p for each such pile other than `from`; a full foundation takes nothing.
    std::uint32_t piles(int card, int from) const;

  private:
    const GameRules &g_;
    std::array<std::int8_t, kMaxCards> pileOf_; // the pile a card is on top of
    std::uint32_t empty_ = 0;
    CardSet anyTakes_{}; // every card some such pile takes
};

// Every move the mouse can make now, in no particular order; with a mask (bit p for pile p), only the
// drags onto those piles.
void generateMoves(const GameRules &g, const Position &pos, std::vector<Move> &out,
                   std::uint32_t toMask = ~0u);
void generateMoves(const GameRules &g, const Position &pos, const Landing &land, std::vector<Move> &out,
                   std::uint32_t toMask = ~0u);
// Makes the move with every effect the engine adds: a face-down card turned, autoplay, a suit leaving.
void applyMove(const GameRules &g, Position &pos, const Move &m);

// Every drag of the top card of pile p that a release accepts.
void generateDragsFrom(const GameRules &g, const Position &pos, const Landing &land, int p,
                       std::vector<Move> &out);

// The drag of the card at place k of pile p, with what lies on it, onto pile `to`. A card of stock or
// waste is dragged off the waste, or a face-up stock, after the presses that bring it up; false when
// it cannot be brought up.
bool dragAt(const GameRules &g, const Position &pos, int p, int k, int to, Move &m);

// The move as the player makes it, one press, redeal or drag a step, added to out.
void appendSteps(const Move &m, std::vector<Move> &out);

// The move as lines of `tessaline-cli play`, one per press or drag, joined by newlines.
std::string moveCommand(const GameRules &g, const Move &m);

} // namespace tess::solve
