#include "solve/deals.h"

#include <cmath>

#include "play/engine.h"

namespace tess::solve
{

DealAnswer dealOf(const std::string &game, long long number, bool autoplay)
{
    HeadlessHost host;
    host.autoplay = autoplay ? 1 : 0;
    Engine e(&host);
    e.NewGame(game, number);
    DealAnswer a;
    a.rules = rulesOf(e, autoplay);
    a.start = positionOf(e, a.rules);
    return a;
}

DealAnswer solveDeal(const std::string &game, long long number, bool autoplay, const Limits &limits)
{
    DealAnswer a = dealOf(game, number, autoplay);
    a.result = solvePosition(a.rules, a.start, limits);
    return a;
}

static double wilsonBound(long long k, long long n, double sign)
{
    const double z = 1.959963984540054;
    const double nn = static_cast<double>(n), p = static_cast<double>(k) / nn;
    const double denom = 1 + z * z / nn;
    const double centre = p + z * z / (2 * nn);
    const double half = z * std::sqrt(p * (1 - p) / nn + z * z / (4 * nn * nn));
    return (centre + sign * half) / denom;
}

Interval wilson95(long long k, long long n)
{
    if (n <= 0)
        return {};
    return {std::max(0.0, wilsonBound(k, n, -1)), std::min(1.0, wilsonBound(k, n, +1))};
}

WinRate winRate(long long won, long long lost, long long unknown)
{
    WinRate w;
    const long long n = won + lost + unknown;
    if (won + lost > 0)
        w.rate = static_cast<double>(won) / static_cast<double>(won + lost);
    if (n > 0) {
        w.interval.low = wilson95(won, n).low;
        w.interval.high = wilson95(won + unknown, n).high;
    }
    return w;
}

} // namespace tess::solve
