// Making a solver move on a live engine the way a player does: press, carry, release.
#pragma once

#include "solve/moves.h"

namespace tess::solve
{

// Presses the card at its corner and lets go over the slot a release tests for that pile.
void dragTo(Engine &e, int card, int cell, int pile);
void pressStock(Engine &e);
void playOnEngine(Engine &e, const GameRules &g, const Move &m);

} // namespace tess::solve
