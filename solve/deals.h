// Whole deals: solving one from its number, and the win rate of many.
#pragma once

#include <string>

#include "solve/search.h"

namespace tess::solve
{

struct DealAnswer {
    GameRules rules;
    Position start;
    Result result;
};

// Deals the game as a new game does, unsearched.
DealAnswer dealOf(const std::string &game, long long number, bool autoplay);
// Deals the game as a new game does, then searches it; autoplay as the player has it set.
DealAnswer solveDeal(const std::string &game, long long number, bool autoplay, const Limits &limits);

// Wilson score interval, 95%, for k successes in n trials; [0, 1] when n is 0.
struct Interval {
    double low = 0, high = 1;
};
Interval wilson95(long long k, long long n);

// The win rate with unknown deals counted both ways: as lost for the low end, as won for the high end.
struct WinRate {
    double rate = 0; // won among the decided deals
    Interval interval;
};
WinRate winRate(long long won, long long lost, long long unknown);

} // namespace tess::solve
