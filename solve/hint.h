// What the Hint item and the command line's hint say: a proved winning line when one is found in time,
// else the move the search thought most promising, else that no move is left.
#pragma once

#include <string>
#include <vector>

#include "solve/search.h"

namespace tess::solve
{

enum class HintKind {
    Proved,    // the first step of a won line
    Suggested, // the search's best guess; a win is not proved
    NoMove,    // not one legal move, not even a press of the stock
};

struct Hint {
    HintKind kind = HintKind::NoMove;
    Result result;           // the search's own answer
    std::vector<Move> steps; // the won line (Proved) or the suggested move, one press, redeal or drag a step
    std::string text;        // the sentence for the status line, about steps.front()
};

// Searches from the position within the limits and words the answer.
Hint findHint(const GameRules &g, const Position &from, const Limits &limits);

// A win found by playing on: search a little from where the line stands, and when that proves nothing,
// make the search's most promising move and search again. Finds wins in deals too wide to search whole
// (two-deck spider games); never proves a loss. Unknown when a step has no move, leads to a lost
// position, or comes back to a position the line already passed. `limits` bound each step.
Result followSuggestions(const GameRules &g, const Position &from, const Limits &limits, int maxSteps);

// "the Five of Hearts"
std::string cardName(const GameRules &g, int card);
// What one step asks the player to do, after "Hint: " or "Suggested: "; `awaited` names the card a press
// of the stock is turning towards, -1 for none.
std::string describeStep(const GameRules &g, const Move &m, int awaited = -1, bool suggested = false);
// The card the presses at steps[at] turn towards: the next drag's, when it is off the waste; else -1.
int awaitedCard(const GameRules &g, const std::vector<Move> &steps, std::size_t at);

} // namespace tess::solve
