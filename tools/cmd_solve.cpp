// The solver's commands: one deal, and the win rate of a run of deals.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <thread>

#include "model/catalogue.h"
#include "model/gameNumber.h"
#include "play/mFunc.h"
#include "solve/deals.h"
#include "solve/hint.h"
#include "solve/winnableKeys.h"
#include "store/cData.h"
#include "tools/commands.h"

namespace tess::cli
{

namespace
{

bool takeFlag(Args &args, const std::string &name)
{
    for (size_t i = 0; i < args.size(); ++i)
        if (args[i] == name) {
            args.erase(args.begin() + static_cast<long>(i));
            return true;
        }
    return false;
}

solve::Limits limitsOf(long long ms, long long nodes)
{
    solve::Limits l;
    l.milliseconds = ms;
    // Without a count of its own the time is what stops it, even on a fast machine.
    l.nodes = nodes > 0 ? nodes : std::max(100000LL, ms * 20000);
    return l;
}

std::string fixed(double v, int places)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", places, v);
    return buf;
}

} // namespace

int cmdSolve(const Args &argsIn)
{
    Args args = argsIn;
    long long ms = 1000, nodes = 0, autoplay = 1, guided = 0;
    if (!takeOption(args, "--limit-ms", ms, 1, 3600000) ||
        !takeOption(args, "--limit-nodes", nodes, 1, 1LL << 40) ||
        !takeOption(args, "--autoplay", autoplay, 0, 1) || !takeOption(args, "--guided", guided, 1, 100000))
        return 2;
    std::string game;
    long long number = 0;
    if (!parseGameArgs(args, 2, game, number))
        return 2;
    solve::DealAnswer a;
    if (guided > 0) {
        a = solve::dealOf(game, number, autoplay == 1);
        a.result = solve::followSuggestions(a.rules, a.start, limitsOf(ms, nodes), static_cast<int>(guided));
    } else {
        a = solve::solveDeal(game, number, autoplay == 1, limitsOf(ms, nodes));
    }
    const solve::Result &r = a.result;
    std::cout << solve::verdictName(r.verdict) << "\n";
    std::cout << "positions " << r.nodes << "\n";
    std::cout << "seconds " << fixed(r.seconds, 3) << "\n";
    std::cout << "positions-narrow " << r.nodesNarrow << "\n";
    std::cout << "positions-best " << r.nodesBest << "\n";
    std::cout << "positions-wide " << r.nodesWide << "\n";
    if (r.verdict == solve::Verdict::Won) {
        std::cout << "moves " << r.moves.size() << "\n";
        for (const solve::Move &m : r.moves)
            std::cout << solve::moveCommand(a.rules, m) << "\n";
    }
    return 0;
}

int cmdHint(const Args &argsIn)
{
    Args args = argsIn;
    // As the program's Hint: the search stops short of a second, so the answer comes within one.
    long long ms = 900, autoplay = 1;
    if (!takeOption(args, "--limit-ms", ms, 1, 3600000) || !takeOption(args, "--autoplay", autoplay, 0, 1))
        return 2;
    std::string game;
    long long number = 0;
    if (!parseGameArgs(args, 2, game, number))
        return 2;
    const solve::DealAnswer a = solve::dealOf(game, number, autoplay == 1);
    const solve::Hint h = solve::findHint(a.rules, a.start, limitsOf(ms, 0));
    std::cout << h.text << "\n";
    if (!h.steps.empty())
        std::cout << solve::moveCommand(a.rules, h.steps.front()) << "\n";
    return 0;
}

int cmdWinnable(const Args &argsIn)
{
    Args args = argsIn;
    long long ms = 1000, jobs = 1, nodeLimit = 0, autoplay = 1;
    if (!takeOption(args, "--limit-ms", ms, 1, 3600000) || !takeOption(args, "--jobs", jobs, 1, 64) ||
        !takeOption(args, "--limit-nodes", nodeLimit, 1, 1LL << 40) ||
        !takeOption(args, "--autoplay", autoplay, 0, 1))
        return 2;
    const bool each = takeFlag(args, "--each");
    if (args.size() != 3) {
        std::cerr << "tessaline-cli: winnable takes \"<game>\" <first> <count>\n";
        return 2;
    }
    std::string game;
    long long first = 0;
    if (!parseGameArgs({args[0], args[1]}, 2, game, first))
        return 2;
    const auto count = parseGameDigits(args[2]);
    if (!count || *count < 1 || *count > 1000000 || first + *count - 1 > 999999999999999LL) {
        std::cerr << "tessaline-cli: \"" << args[2]
                  << "\" is not a deal count (1 to 1000000, within the numbers)\n";
        return 2;
    }
    const long long n = *count;
    std::vector<solve::Verdict> verdicts(static_cast<size_t>(n));
    std::vector<long long> nodes(static_cast<size_t>(n));
    std::vector<double> seconds(static_cast<size_t>(n));
    std::atomic<long long> next{0};
    const auto t0 = std::chrono::steady_clock::now();
    auto work = [&] {
        for (long long i = next++; i < n; i = next++) {
            const solve::DealAnswer a =
                solve::solveDeal(game, first + i, autoplay == 1, limitsOf(ms, nodeLimit));
            verdicts[static_cast<size_t>(i)] = a.result.verdict;
            nodes[static_cast<size_t>(i)] = a.result.nodes;
            seconds[static_cast<size_t>(i)] = a.result.seconds;
        }
    };
    std::vector<std::thread> threads;
    for (long long j = 1; j < jobs; ++j)
        threads.emplace_back(work);
    work();
    for (std::thread &t : threads)
        t.join();
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    long long won = 0, lost = 0, unknown = 0, positions = 0;
    for (long long i = 0; i < n; ++i) {
        const solve::Verdict v = verdicts[static_cast<size_t>(i)];
        won += v == solve::Verdict::Won;
        lost += v == solve::Verdict::Lost;
        unknown += v == solve::Verdict::Unknown;
        positions += nodes[static_cast<size_t>(i)];
        if (each)
            std::cout << first + i << " " << solve::verdictName(v) << " " << nodes[static_cast<size_t>(i)]
                      << " " << fixed(seconds[static_cast<size_t>(i)], 3) << "\n";
    }
    const solve::WinRate w = solve::winRate(won, lost, unknown);
    std::cout << "won " << won << " lost " << lost << " unknown " << unknown << "\n";
    std::cout << "rate " << fixed(100 * w.rate, 1) << "% (95% " << fixed(100 * w.interval.low, 1) << "%-"
              << fixed(100 * w.interval.high, 1) << "%)\n";
    std::cout << "positions " << positions << "\n";
    std::cout << "deals per second " << fixed(elapsed > 0 ? static_cast<double>(n) / elapsed : 0, 1) << "\n";
    return 0;
}

int cmdNumber(const Args &argsIn)
{
    Args args = argsIn;
    const bool winnable = takeFlag(args, "--winnable");
    long long range = 0;
    if (!takeOption(args, "--range", range, 1, 15))
        return 2;
    if (args.size() != 1 || catalogue::GameId(args[0]) == 0) {
        std::cerr << "tessaline-cli: number takes \"<game>\", one of the names `tessaline-cli games` lists\n";
        return 2;
    }
    // Without --range, the player's own setting, as New Game reads it.
    const int rangeIndex = range > 0 ? static_cast<int>(range) : cData().RangeIndex();
    if (!winnable) {
        std::cout << RandomGameNumber(rangeIndex) << "\n";
        return 0;
    }
    const auto n = solve::drawWinnableNumber(solve::WinnableKeys::shipped(), args[0], rangeIndex);
    if (!n) {
        std::cerr << "tessaline-cli: no deal of \"" << args[0] << "\" proved winnable within the range\n";
        return 1;
    }
    std::cout << *n << "\n";
    return 0;
}

} // namespace tess::cli
