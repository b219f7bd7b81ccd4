// The search for a won game from a position: depth-first passes and a best-first one taking turns, each
// with a table of positions already seen.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "solve/keyTable.h"
#include "solve/moves.h"
#include "solve/order.h"
#include "solve/position.h"
#include "solve/prune.h"

namespace tess::solve
{

enum class Verdict { Won, Lost, Unknown };

const char *verdictName(Verdict v);

struct Limits {
    long long nodes = 20'000'000;  // positions made
    long long milliseconds = 1000; // wall time; 0 for none
    // Memory for the table of seen positions; the narrow pass keeps a table of an eighth of this beside it,
    // and the best-first pass another eighth and up to half of this for the positions it holds.
    std::size_t tableBytes = 64u << 20;
    // The engine logs each card it moves in a 16-bit count: a won line must fit, with room to spare.
    long long loggedMoves = 30000;
    const std::atomic<bool> *cancel = nullptr;
};

struct Result {
    Verdict verdict = Verdict::Unknown;
    std::vector<Move> moves; // the winning line when won
    // When not won: the first move of the line to the most promising position the search made, empty
    // when it made none.
    std::vector<Move> suggestion;
    long long nodes = 0;
    long long nodesNarrow = 0, nodesWide = 0, nodesBest = 0; // of those, the positions each pass made
    std::size_t stored = 0;                                  // positions in the table at the end
    double seconds = 0;
};

// Lost is claimed only when every reachable position was searched; a limit hit answers unknown.
Result solvePosition(const GameRules &g, const Position &start, const Limits &limits);

} // namespace tess::solve
