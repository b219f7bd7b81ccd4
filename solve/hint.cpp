#include "solve/hint.h"

#include <algorithm>
#include <unordered_set>

#include "model/names.h"
#include "solve/order.h"

namespace tess::solve
{

namespace
{

// Whether the mouse can make the step from `pos` as it stands.
bool mouseMakes(const GameRules &g, const Position &pos, const Move &step)
{
    std::vector<Move> legal;
    generateMoves(g, pos, legal);
    return std::any_of(legal.begin(), legal.end(), [&](const Move &l) {
        return step.kind == MoveKind::Drag ? l == step : l.kind == step.kind;
    });
}

// A search run with autoplay first looks without it, so its guess may be a move the game with autoplay
// no longer offers; then the ordering's first move stands in, then any move at all.
std::vector<Move> suggestedSteps(const GameRules &g, const Position &from, const Result &r)
{
    std::vector<Move> steps;
    if (!r.suggestion.empty()) {
        appendSteps(r.suggestion.front(), steps);
        if (mouseMakes(g, from, steps.front()))
            return steps;
        steps.clear();
    }
    std::vector<Move> moves;
    orderedMoves(g, from, moves);
    if (moves.empty())
        generateMoves(g, from, moves);
    if (!moves.empty())
        appendSteps(moves.front(), steps);
    return steps;
}

} // namespace

std::string cardName(const GameRules &g, int card)
{
    return "the " + cardTitle(g.card.at(static_cast<size_t>(card)));
}

std::string describeStep(const GameRules &g, const Move &m, int awaited, bool suggested)
{
    const std::string lead = suggested ? "Suggested: " : "Hint: ";
    if (m.kind == MoveKind::Stock && awaited >= 0 && !g.dealRows)
        return lead + "turn the stock until " + cardName(g, awaited) + " comes up";
    if (m.kind == MoveKind::Redeal)
        return lead + "turn the waste back onto the stock";
    if (m.kind == MoveKind::Stock)
        return lead + (g.dealRows ? "deal a row from the stock" : "turn a card from the stock");
    std::string where;
    switch (g.cellOf(m.to)) {
    case Goal:
        where = "to a foundation";
        break;
    case Res:
        where = "to a free cell";
        break;
    default:
        where = "to " + pileName(Home, g.engineIndex(m.to));
        break;
    }
    return lead + "move " + cardName(g, m.card) + " " + where;
}

int awaitedCard(const GameRules &g, const std::vector<Move> &steps, std::size_t at)
{
    if (at >= steps.size() || steps[at].kind != MoveKind::Stock)
        return -1;
    auto next = std::find_if(steps.begin() + static_cast<long>(at), steps.end(),
                             [](const Move &m) { return m.kind == MoveKind::Drag; });
    return next != steps.end() && next->from == g.waste ? next->card : -1;
}

Hint findHint(const GameRules &g, const Position &from, const Limits &limits)
{
    Hint h;
    h.result = solvePosition(g, from, limits);
    if (h.result.verdict == Verdict::Won && !h.result.moves.empty()) {
        h.kind = HintKind::Proved;
        for (const Move &m : h.result.moves)
            appendSteps(m, h.steps);
        h.text = describeStep(g, h.steps.front(), awaitedCard(g, h.steps, 0));
        return h;
    }
    h.steps = suggestedSteps(g, from, h.result);
    if (h.steps.empty()) {
        h.kind = HintKind::NoMove;
        h.text = "No move left: this game cannot go on";
        return h;
    }
    h.kind = HintKind::Suggested;
    h.text = describeStep(g, h.steps.front(), awaitedCard(g, h.steps, 0), true);
    if (h.result.verdict == Verdict::Lost)
        h.text = "No move leads to a win from here. " + h.text;
    return h;
}

Result followSuggestions(const GameRules &g, const Position &from, const Limits &limits, int maxSteps)
{
    Result out;
    Position pos = from;
    std::unordered_set<std::uint64_t> passed{pos.key(g)};
    std::vector<Move> legal;
    for (int step = 0; step < maxSteps; ++step) {
        const Result r = solvePosition(g, pos, limits);
        out.nodes += r.nodes;
        out.seconds += r.seconds;
        if (r.verdict == Verdict::Won) {
            out.verdict = Verdict::Won;
            out.moves.insert(out.moves.end(), r.moves.begin(), r.moves.end());
            return out;
        }
        if (r.verdict == Verdict::Lost)
            break;
        // The search's pick first, then the moves in its order; only a move the position offers as it
        // stands (the line must replay move for move), and never back to where the line has been.
        std::vector<Move> ordered;
        orderedMoves(g, pos, ordered);
        std::vector<Move> picks(r.suggestion.begin(), r.suggestion.begin() + (r.suggestion.empty() ? 0 : 1));
        picks.insert(picks.end(), ordered.begin(), ordered.end());
        legal.clear();
        generateMoves(g, pos, legal);
        bool moved = false;
        for (const Move &m : picks) {
            if (std::find(legal.begin(), legal.end(), m) == legal.end())
                continue;
            Position next = pos;
            applyMove(g, next, m);
            if (!passed.insert(next.key(g)).second)
                continue;
            pos = next;
            out.moves.push_back(m);
            moved = true;
            break;
        }
        if (!moved)
            break;
    }
    out.moves.clear();
    return out;
}

} // namespace tess::solve
