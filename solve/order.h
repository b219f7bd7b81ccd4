// The order the search tries the moves of a position in, most promising first.
#pragma once

#include <vector>

#include "solve/prune.h"

namespace tess::solve
{

// The moves in the order the search tries them, with those that can never help left out. A narrow list
// also leaves out moves that seldom help; a need keeps only the moves that meet it.
void orderedMoves(const GameRules &g, const Position &pos, std::vector<Move> &out, bool narrow = false,
                  Need need = {});

} // namespace tess::solve
