#include "solve/search.h"

#include <algorithm>
#include <chrono>

namespace tess::solve
{

const char *verdictName(Verdict v)
{
    switch (v) {
    case Verdict::Won:
        return "won";
    case Verdict::Lost:
        return "lost";
    default:
        return "unknown";
    }
}

KeyTable::KeyTable(std::size_t maxBytes) : maxSlots_(std::max<std::size_t>(maxBytes / kBytesPerSlot, 1024))
{
    slots_.assign(1024, 0);
}

void KeyTable::grow()
{
    std::vector<std::uint64_t> old(slots_.size() * 2, 0);
    old.swap(slots_);
    const std::size_t mask = slots_.size() - 1;
    for (std::uint64_t k : old)
        if (k != 0) {
            std::size_t i = static_cast<std::size_t>(k) & mask;
            while (slots_[i] != 0)
                i = (i + 1) & mask;
            slots_[i] = k;
        }
}

bool KeyTable::insert(std::uint64_t key)
{
    if (key == 0)
        key = 1;
    if ((size_ + 1) * 2 > slots_.size()) {
        if (slots_.size() * 2 > maxSlots_) {
            full_ = true;
            return false;
        }
        grow();
    }
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = static_cast<std::size_t>(key) & mask;
    while (slots_[i] != 0) {
        if (slots_[i] == key)
            return false;
        i = (i + 1) & mask;
    }
    slots_[i] = key;
    ++size_;
    return true;
}

void orderedMoves(const GameRules &g, const Position &pos, std::vector<Move> &out)
{
    generateMoves(g, pos, out);
    // Tableau piles are interchangeable unless a dealt row still tells them apart.
    const bool pilesAlike = !(g.dealRows && g.stock >= 0 && pos.size(g.stock) > 0);
    struct Scored {
        int score;
        Move m;
    };
    std::vector<Scored> s;
    s.reserve(out.size());
    // Presses and redeals then only lead back to this position's key; what they reach is offered below.
    const bool cycles = stockCyclesFreely(g, pos);
    const bool freeCycle = pos.redealsLeft == -1 && cycles;
    for (const Move &m : out) {
        int score = 100;
        if (freeCycle && (m.kind == MoveKind::Stock || m.kind == MoveKind::Redeal))
            continue;
        if (m.kind == MoveKind::Stock) {
            score = 20;
        } else if (m.kind == MoveKind::Redeal) {
            // An empty waste makes a redeal that only spends itself.
            if (pos.size(g.waste) == 0)
                continue;
            score = 10;
        } else if (g.isGoal(m.from)) {
            // Between foundations built alike a card only changes places with its twin: nothing gained.
            if (g.isGoal(m.to) && g.order[m.from] == g.order[m.to] &&
                g.foundingRank[m.from] == g.foundingRank[m.to])
                continue;
            score = 5;
        } else if (g.isGoal(m.to)) {
            score = 1000;
        } else if (g.isHome(m.from)) {
            const int base = pos.size(m.from) - m.count - 1; // where the grabbed card lies
            if (pilesAlike && base == 0 && g.isHome(m.to) && pos.size(m.to) == 0)
                continue; // a whole pile to an empty one
            if (base > 0 && (pos.at(m.from, base - 1) & kDownBit)) {
                int down = 0;
                for (int k = 0; k < base; ++k)
                    down += (pos.at(m.from, k) & kDownBit) != 0;
                score = 500 + down;
            } else if (base == 0) {
                score = 300;
            } else if (g.isHome(m.to) && pos.size(m.to) == 0) {
                score = 60;
            }
        } else if (m.from == g.waste || m.from == g.stock) {
            score = 200;
        }
        s.push_back({score, m});
    }
    // Every card the stock can bring to the top of the waste, with the presses that bring it, so the
    // search reaches it in one step rather than through a press at every level.
    auto offer = [&](std::vector<Move> &drags, int before, bool redealt, int presses) {
        for (Move m : drags) {
            m.pressesBefore = static_cast<std::uint8_t>(before);
            m.redealFirst = redealt;
            m.presses = static_cast<std::uint8_t>(presses);
            s.push_back({(g.isGoal(m.to) ? 900 : 150) - before - presses, m});
        }
    };
    std::vector<Move> drags;
    if (cycles) {
        // Nothing else changes while the cards turn: each one comes up onto the same table.
        const int st = pos.size(g.stock), w = pos.size(g.waste);
        for (int k = 1; k <= st && k <= 255; ++k) {
            drags.clear();
            generateDragsOf(g, pos, g.waste, pos.at(g.stock, st - k) & 0x7f, drags);
            offer(drags, 0, false, k);
        }
        if (pos.redealsLeft != 0 && st + w > 0 && st <= 255)
            for (int k = 1; k < w; ++k) {
                drags.clear();
                generateDragsOf(g, pos, g.waste, pos.at(g.waste, k - 1) & 0x7f, drags);
                offer(drags, st, true, k);
            }
    } else if (stockTurnsOneByOne(g)) {
        const int cards = pos.size(g.stock) + pos.size(g.waste);
        Position p = pos;
        bool redealt = false;
        int presses = 0, before = 0;
        for (int step = 0; step <= cards; ++step) {
            if (p.size(g.stock) == 0) {
                if (redealt || p.redealsLeft == 0 || p.size(g.waste) == 0)
                    break;
                applyMove(g, p, Move{MoveKind::Redeal, 0, 0, 0, 0, 0, false, 0});
                redealt = true;
                before = presses;
                presses = 0;
            }
            applyMove(g, p, Move{MoveKind::Stock, 0, 0, 0, 0, 0, false, 0});
            ++presses;
            if (presses > 255 || p.won(g))
                break;
            // Back where the waste started: the rest were offered already.
            if (redealt && p.size(g.waste) >= pos.size(g.waste))
                break;
            drags.clear();
            generateDragsFrom(g, p, g.waste, drags);
            offer(drags, before, redealt, presses);
        }
    }
    std::stable_sort(s.begin(), s.end(), [](const Scored &a, const Scored &b) { return a.score > b.score; });
    out.clear();
    for (const Scored &x : s)
        out.push_back(x.m);
}

Result solvePosition(const GameRules &g, const Position &start, const Limits &limits)
{
    using clock = std::chrono::steady_clock;
    const auto t0 = clock::now();
    Result r;
    KeyTable seen(limits.tableBytes);
    struct Frame {
        Position pos;
        std::size_t begin, end, next;
        Move via;
    };
    std::vector<Frame> stack;
    std::vector<Move> pool, scratch;
    bool limited = false;

    auto finish = [&](Verdict v) {
        r.verdict = v;
        r.stored = seen.size();
        r.seconds = std::chrono::duration<double>(clock::now() - t0).count();
        return r;
    };
    if (start.won(g))
        return finish(Verdict::Won);
    seen.insert(start.key(g));
    orderedMoves(g, start, scratch);
    pool.assign(scratch.begin(), scratch.end());
    stack.push_back({start, 0, pool.size(), 0, {}});

    while (!stack.empty()) {
        Frame &f = stack.back();
        if (f.next == f.end) {
            pool.resize(f.begin);
            stack.pop_back();
            continue;
        }
        const Move m = pool[f.next++];
        Position child = f.pos;
        applyMove(g, child, m);
        ++r.nodes;
        if (child.won(g)) {
            for (std::size_t i = 1; i < stack.size(); ++i)
                r.moves.push_back(stack[i].via);
            r.moves.push_back(m);
            return finish(Verdict::Won);
        }
        if (r.nodes >= limits.nodes)
            return finish(Verdict::Unknown);
        if ((r.nodes & 255) == 0) {
            const bool late =
                limits.milliseconds > 0 && clock::now() - t0 > std::chrono::milliseconds(limits.milliseconds);
            if (late || (limits.cancel && limits.cancel->load()))
                return finish(Verdict::Unknown);
        }
        if (!seen.insert(child.key(g))) {
            if (seen.full()) {
                limited = true;
                break;
            }
            continue;
        }
        orderedMoves(g, child, scratch);
        if (scratch.empty())
            continue;
        const std::size_t begin = pool.size();
        pool.insert(pool.end(), scratch.begin(), scratch.end());
        stack.push_back({child, begin, pool.size(), begin, m});
    }
    return finish(limited ? Verdict::Unknown : Verdict::Lost);
}

} // namespace tess::solve
