#include "solve/search.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>

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

namespace
{
using Clock = std::chrono::steady_clock;

// Positions for the first look without autoplay at a game played with it.
constexpr long long kFirstLookNodes = 50000;

// At most what the moves line[from..] log from `before` to `after`: each press, each drag, a card turned
// up by it, each card sent home, and a whole pack at a redeal.
long long movesLogged(const GameRules &g, const Position &before, const Position &after,
                      const std::vector<Move> &line, std::size_t from)
{
    long long n = 2 * std::abs(after.goalCards - before.goalCards);
    for (std::size_t i = from; i < line.size(); ++i) {
        const Move &m = line[i];
        n += 2 + m.pressesBefore + m.presses;
        if (m.redealFirst || m.kind == MoveKind::Redeal)
            n += g.totalCards;
    }
    return n;
}

// What every pass keeps: its table of positions seen, the line it won by, how far it got, and whether it
// has ended the question.
class PassBase
{
  public:
    bool ended() const { return ended_; }
    long long nodes() const { return nodes_; }
    std::size_t stored() const { return seen_.size(); }
    const std::vector<Move> &line() const { return line_; }

  protected:
    PassBase(const GameRules &g, const Position &start, const Limits &limits, std::size_t tableBytes)
        : g_(g), start_(start), limits_(limits), seen_(tableBytes)
    {
    }
    Verdict end(Verdict v)
    {
        ended_ = true;
        verdict_ = v;
        return v;
    }
    // Out of time or called off; looked at every 256 positions, as the clock costs more than a position.
    bool mustStop(Clock::time_point t0, long long msBudget) const
    {
        if ((nodes_ & 255) != 0)
            return false;
        const bool late = msBudget > 0 && Clock::now() - t0 > std::chrono::milliseconds(msBudget);
        return late || (limits_.cancel && limits_.cancel->load());
    }

    const GameRules &g_;
    const Position start_;
    const Limits &limits_;
    KeyTable seen_;
    std::vector<Move> line_;
    long long nodes_ = 0;
    bool started_ = false, ended_ = false;
    Verdict verdict_ = Verdict::Unknown;
};

// One depth-first pass that can stop at a node budget and go on later from where it stopped; a narrow one
// leaves out the moves that seldom help, so only a wide one proves a loss.
class Pass : public PassBase
{
  public:
    Pass(const GameRules &g, const Position &start, const Limits &limits, bool narrow)
        : PassBase(g, start, limits, narrow ? limits.tableBytes / 8 : limits.tableBytes), narrow_(narrow)
    {
    }

    // Searches until `nodeTarget` positions in all, the time runs out or the question is settled. Unknown
    // with ended() false: stopped at the budget, ready to go on.
    Verdict run(long long nodeTarget, Clock::time_point t0, long long msBudget)
    {
        if (ended_)
            return verdict_;
        if (!started_) {
            started_ = true;
            if (begin())
                return verdict_;
        }
        while (!stack_.empty()) {
            if (nodes_ >= nodeTarget)
                return Verdict::Unknown;
            if (mustStop(t0, msBudget))
                return end(Verdict::Unknown);
            if (step())
                return verdict_;
        }
        line_.clear();
        return end(limited_ ? Verdict::Unknown : Verdict::Lost);
    }

  private:
    struct Frame {
        Position pos;
        std::size_t begin, end, next; // its moves in the pool
        std::size_t forcedEnd;        // its moves in the line end here in `line`
        Need need;                    // what its next move must do
        long long cardMoves;          // what the line to it costs the engine's log, at most
    };

    // A need is part of the position: the same table with another need is searched again.
    std::uint64_t keyOf(const Position &p, const Need &n) const { return keyOf(p.key(g_), p, n); }
    std::uint64_t keyOf(std::uint64_t k, const Position &p, const Need &n) const
    {
        if (n.onto >= 0)
            k ^= p.pileKey(n.onto) * 0x9E3779B97F4A7C15ull;
        if (n.from >= 0)
            k ^= p.pileKey(n.from) * 0xC2B2AE3D27D4EB4Full + 1;
        return k;
    }
    // The root; true when that settles it.
    bool begin()
    {
        Position root = start_;
        homeSafely(g_, root, line_);
        if (root.won(g_)) {
            end(Verdict::Won);
            return true;
        }
        if (provedStuck(g_, root)) {
            line_.clear();
            end(Verdict::Lost);
            return true;
        }
        seen_.insert(keyOf(root, {}));
        orderedMoves(g_, root, scratch_, narrow_);
        pool_.assign(scratch_.begin(), scratch_.end());
        stack_.push_back(
            {root, 0, pool_.size(), 0, line_.size(), {}, movesLogged(g_, start_, root, line_, 0)});
        return false;
    }
    // The next move of the deepest position; true when that settles it.
    bool step()
    {
        Frame &f = stack_.back();
        if (f.next == f.end) {
            pool_.resize(f.begin);
            stack_.pop_back();
            return false;
        }
        const Move m = pool_[f.next++];
        line_.resize(f.forcedEnd);
        line_.push_back(m);
        Position child = f.pos;
        const Need need = needAfter(g_, f.pos, m);
        applyMove(g_, child, m);
        if (!need.any())
            homeSafely(g_, child, line_);
        ++nodes_;
        const long long cardMoves = f.cardMoves + movesLogged(g_, f.pos, child, line_, f.forcedEnd);
        if (cardMoves > limits_.loggedMoves) {
            limited_ = true; // a line the engine could not play to its end proves nothing either way
            return false;
        }
        if (child.won(g_)) {
            end(Verdict::Won);
            return true;
        }
        // Already searched with no need: this one, with fewer moves open, can find nothing more.
        const std::uint64_t key = child.key(g_);
        if (need.any() && seen_.contains(keyOf(key, child, {})))
            return false;
        if (!seen_.insert(keyOf(key, child, need))) {
            if (seen_.full()) {
                limited_ = true;
                stack_.clear();
            }
            return false;
        }
        orderedMoves(g_, child, scratch_, narrow_, need);
        if (scratch_.empty())
            return false;
        const std::size_t begin = pool_.size();
        pool_.insert(pool_.end(), scratch_.begin(), scratch_.end());
        stack_.push_back({child, begin, pool_.size(), begin, line_.size(), need, cardMoves});
        return false;
    }

    const bool narrow_;
    std::vector<Frame> stack_;
    std::vector<Move> pool_, scratch_;
    bool limited_ = false;
};

// How near a position looks to a win, for the best-first pass: cards home and cards joined into runs for
// it, cards face down and cards out of order against it. Higher is nearer.
int promise(const GameRules &g, const Position &pos)
{
    // A row dealt from the stock covers every pile: dealt only when the table has nothing better.
    int s = 4 * pos.goalCards + (g.dealRows ? pos.size(g.stock) : 0);
    // Made for every position offered, so the tableau, which comes first, is walked once.
    const std::uint8_t *c = pos.cards.data();
    for (int p = 0; p < g.home; c += pos.size(p++))
        for (int k = 0; k < pos.size(p); ++k) {
            if (c[k] & kDownBit)
                s -= 5;
            else if (k > 0 && !(c[k - 1] & kDownBit))
                s += g.runLinks(c[k - 1], c[k]) ? 3 : -2;
        }
    return s;
}

// Best first: the most promising position seen so far is the next one looked at. Where a depth-first pass
// sinks into one early choice (a stock dealt in rows, suits leaving the table, autoplay's forced moves),
// this one climbs out. It only finds wins; a loss is the wide pass's to prove.
class BestFirst : public PassBase
{
  public:
    BestFirst(const GameRules &g, const Position &start, const Limits &limits)
        : PassBase(g, start, limits, limits.tableBytes / 8), room_(limits.tableBytes / 2)
    {
    }

    Verdict run(long long nodeTarget, Clock::time_point t0, long long msBudget)
    {
        if (ended_)
            return verdict_;
        if (!started_) {
            started_ = true;
            Position root = start_;
            std::vector<Move> forced;
            homeSafely(g_, root, forced);
            if (root.won(g_)) {
                line_ = forced;
                return end(Verdict::Won);
            }
            seen_.insert(root.key(g_));
            offer(-1, root, forced, movesLogged(g_, start_, root, forced, 0));
        }
        for (;;) {
            if (at_ < 0 && !lookAtNext())
                return end(Verdict::Unknown);
            const Looked &from = looked_[static_cast<size_t>(at_)];
            const long long fromMoves = entries_[static_cast<size_t>(from.entry)].cardMoves;
            while (next_ < moves_.size()) {
                if (nodes_ >= nodeTarget)
                    return Verdict::Unknown;
                if (mustStop(t0, msBudget))
                    return end(Verdict::Unknown);
                const Move m = moves_[next_++];
                Position child = from.pos;
                applyMove(g_, child, m);
                step_.assign(1, m);
                homeSafely(g_, child, step_);
                ++nodes_;
                const long long cardMoves = fromMoves + movesLogged(g_, from.pos, child, step_, 0);
                if (cardMoves > limits_.loggedMoves || !seen_.insert(child.key(g_)))
                    continue;
                if (child.won(g_)) {
                    line_ = step_;
                    prependLineTo(at_, line_);
                    return end(Verdict::Won);
                }
                offer(at_, child, step_, cardMoves);
            }
            at_ = -1;
        }
    }

    // The first move towards the most promising position offered, empty when none was.
    std::vector<Move> mostPromisingFirst() const
    {
        if (best_ < 0)
            return {};
        const Entry &e = entries_[static_cast<size_t>(best_)];
        std::vector<Move> line(pool_.begin() + e.movesBegin, pool_.begin() + e.movesEnd);
        prependLineTo(e.from, line);
        line.resize(std::min<std::size_t>(line.size(), 1));
        return line;
    }

  private:
    struct Entry {
        int from;                           // the position looked at it was offered from; -1 the start
        std::uint32_t movesBegin, movesEnd; // the moves that make it from there, in the pool
        long long cardMoves;
    };
    struct Looked {
        Position pos;
        int entry;
    };
    // Takes the most promising position offered and lists its moves; false when none is left or out of room.
    bool lookAtNext()
    {
        if (open_.empty() || bytes() + sizeof(Looked) > room_)
            return false;
        std::pop_heap(open_.begin(), open_.end());
        const int e = open_.back().second;
        open_.pop_back();
        // Made again from the position it was offered from: only positions looked at are kept whole.
        const Entry &entry = entries_[static_cast<size_t>(e)];
        Position pos = entry.from < 0 ? start_ : looked_[static_cast<size_t>(entry.from)].pos;
        for (std::uint32_t i = entry.movesBegin; i < entry.movesEnd; ++i)
            applyMove(g_, pos, pool_[i]);
        looked_.push_back({pos, e});
        at_ = static_cast<int>(looked_.size()) - 1;
        orderedMoves(g_, pos, moves_);
        next_ = 0;
        return true;
    }
    // Puts before `line` the moves from the start to the position looked_[at].
    void prependLineTo(int at, std::vector<Move> &line) const
    {
        for (int l = at; l >= 0;) {
            const Entry &x = entries_[static_cast<size_t>(looked_[static_cast<size_t>(l)].entry)];
            line.insert(line.begin(), pool_.begin() + x.movesBegin, pool_.begin() + x.movesEnd);
            l = x.from;
        }
    }
    std::size_t bytes() const
    {
        return looked_.size() * sizeof(Looked) + entries_.size() * sizeof(Entry) +
               open_.size() * sizeof(open_[0]) + pool_.size() * sizeof(Move);
    }
    void offer(int from, const Position &pos, const std::vector<Move> &moves, long long cardMoves)
    {
        const auto begin = static_cast<std::uint32_t>(pool_.size());
        pool_.insert(pool_.end(), moves.begin(), moves.end());
        entries_.push_back({from, begin, static_cast<std::uint32_t>(pool_.size()), cardMoves});
        const int score = promise(g_, pos), e = static_cast<int>(entries_.size()) - 1;
        open_.emplace_back(score, e);
        std::push_heap(open_.begin(), open_.end());
        // The start itself is no suggestion unless cards went home on the way to it; on a tie the
        // nearer position, reached by fewer guesses, stands.
        if ((from >= 0 || !moves.empty()) && (best_ < 0 || score > bestScore_)) {
            best_ = e;
            bestScore_ = score;
        }
    }

    std::size_t room_;
    std::vector<Entry> entries_;
    std::vector<Looked> looked_;
    std::vector<std::pair<int, int>> open_; // promise and entry, the most promising (then the newest) first
    std::vector<Move> pool_, moves_, step_;
    int at_ = -1;                   // the position whose moves are being made, in looked_
    int best_ = -1, bestScore_ = 0; // the most promising entry offered, and its promise
    std::size_t next_ = 0;          // its next move in moves_
};

// The three passes over one set of rules, taking turns with growing budgets, each going on from where it
// stopped. Most deals are won, and the narrow pass finds most wins in a fraction of the positions; the
// best-first pass finds many of those it misses; some need what only the wide one tries. Only the wide
// one can prove a loss, so it gets the larger share of every budget.
class Passes
{
  public:
    Passes(const GameRules &g, const Position &start, const Limits &limits)
        : narrow_(g, start, limits, true), wide_(g, start, limits, false), best_(g, start, limits)
    {
    }
    long long made() const { return narrow_.nodes() + wide_.nodes() + best_.nodes(); }
    bool ended() const { return wide_.ended(); }
    long long wideMade() const { return wide_.nodes(); }

    // One turn of each pass up to its share of `budget`, within `room` more positions; the verdict when
    // one settles the question.
    Verdict turn(long long budget, long long room, Clock::time_point t0, long long ms)
    {
        const long long cap = made() + room;
        auto target = [&](const PassBase &p, long long share) {
            return std::min(share, cap - made() + p.nodes());
        };
        if (!narrow_.ended() && narrow_.run(target(narrow_, budget), t0, ms) == Verdict::Won) {
            line_ = &narrow_.line();
            return Verdict::Won;
        }
        if (!best_.ended() && best_.run(target(best_, budget), t0, ms) == Verdict::Won) {
            line_ = &best_.line();
            return Verdict::Won;
        }
        return wideTurn(4 * budget, cap - made(), t0, ms);
    }
    // The wide pass alone, up to `share` positions in all, within `room` more.
    Verdict wideTurn(long long share, long long room, Clock::time_point t0, long long ms)
    {
        const Verdict v = wide_.run(std::min(share, wide_.nodes() + room), t0, ms);
        line_ = &wide_.line();
        return v;
    }
    const std::vector<Move> &line() const { return *line_; }
    void count(Result &r) const
    {
        r.nodes += made();
        r.nodesNarrow += narrow_.nodes();
        r.nodesWide += wide_.nodes();
        r.nodesBest += best_.nodes();
        r.stored += narrow_.stored() + wide_.stored() + best_.stored();
    }
    std::vector<Move> suggestion() const { return best_.mostPromisingFirst(); }

  private:
    Pass narrow_, wide_;
    BestFirst best_;
    const std::vector<Move> *line_ = nullptr;
};

// The root's cards sent home, and whether some card can never follow them: a loss proved before any pass.
bool stuckAtOnce(const GameRules &g, const Position &start)
{
    Position root = start;
    std::vector<Move> forced;
    homeSafely(g, root, forced);
    return !root.won(g) && provedStuck(g, root);
}

constexpr long long kFirstBudget = 4096;

// The passes taking turns from `t0`, within the limits.
Result searchFrom(const GameRules &g, const Position &start, const Limits &limits, Clock::time_point t0)
{
    Result r;
    auto finish = [&](Verdict v, const Passes *p) {
        r.verdict = v;
        if (p)
            p->count(r);
        r.seconds = std::chrono::duration<double>(Clock::now() - t0).count();
        if (v == Verdict::Won)
            r.moves = p->line();
        else if (p)
            r.suggestion = p->suggestion();
        return r;
    };
    if (stuckAtOnce(g, start))
        return finish(Verdict::Lost, nullptr);
    Passes passes(g, start, limits);
    for (long long budget = kFirstBudget;; budget *= 4) {
        const Verdict v = passes.turn(budget, limits.nodes - passes.made(), t0, limits.milliseconds);
        if (v != Verdict::Unknown || passes.ended() || passes.made() >= limits.nodes)
            return finish(v, &passes);
    }
}

// A line won without autoplay, played on the same game with it: a card autoplay has sent home already is
// passed over, a card from the stock is turned to anew, and every move must be one the mouse makes there.
// The line as played when it wins, else empty.
std::vector<Move> withAutoplay(const GameRules &g, const Position &start, const std::vector<Move> &line,
                               long long loggedMoves)
{
    Position p = start;
    std::vector<Move> out, steps, legal;
    auto mouseMakes = [&](const Move &step) {
        generateMoves(g, p, legal);
        return std::any_of(legal.begin(), legal.end(), [&](const Move &l) {
            return step.kind == MoveKind::Drag ? l == step : l.kind == step.kind;
        });
    };
    for (const Move &m : line) {
        if (p.won(g))
            break;
        Move n = m;
        if (m.kind == MoveKind::Drag) {
            int q = -1, k = -1;
            for (int pile = 0, off = 0; pile < g.pileCount() && q < 0; off += p.size(pile++))
                for (int i = 0; i < p.size(pile); ++i)
                    if (cardOf(p.cards[static_cast<size_t>(off + i)]) == m.card) {
                        q = pile;
                        k = i;
                    }
            if (q < 0 || g.isGoal(q))
                continue; // home already
            if (!dragAt(g, p, q, k, m.to, n))
                return {};
        }
        steps.clear();
        appendSteps(n, steps);
        const int homeBefore = p.goalCards;
        for (std::size_t i = 0; i < steps.size(); ++i) {
            if (steps[i].kind == MoveKind::Drag && p.goalCards != homeBefore &&
                inSet(homeCards(g, p), n.card)) {
                // The presses turned the card up and autoplay took it home: they are the move.
                steps.pop_back();
                break;
            }
            if (!mouseMakes(steps[i]))
                return {};
            applyMove(g, p, steps[i]);
        }
        out.insert(out.end(), steps.begin(), steps.end());
    }
    if (!p.won(g) || movesLogged(g, start, p, out, 0) > loggedMoves)
        return {};
    return out;
}

} // namespace

Result solvePosition(const GameRules &g, const Position &start, const Limits &limits)
{
    const auto t0 = Clock::now();
    if (!g.autoplay)
        return searchFrom(g, start, limits, t0);
    // Every line with autoplay is one without, its cards sent home by hand, so a deal lost without it is
    // lost with it; and a line won without it often still wins with it. The search without autoplay is
    // much the smaller, so it has the first look, and its wide pass goes on beside the search with
    // autoplay as the prover of losses.
    GameRules free = g;
    free.setAutoplay(false);
    Result r;
    auto finish = [&](Verdict v, const std::vector<Move> &line, const Passes &without, const Passes *with) {
        r.verdict = v;
        without.count(r);
        if (with)
            with->count(r);
        r.seconds = std::chrono::duration<double>(Clock::now() - t0).count();
        r.moves = line;
        if (v != Verdict::Won)
            r.suggestion = with ? with->suggestion() : without.suggestion();
        return r;
    };
    if (stuckAtOnce(free, start)) {
        r.verdict = Verdict::Lost;
        return r;
    }
    Passes without(free, start, limits);
    const long long firstLook = std::min<long long>(limits.nodes, kFirstLookNodes);
    for (long long budget = kFirstBudget;; budget *= 4) {
        const Verdict v = without.turn(budget, firstLook - without.made(), t0, limits.milliseconds);
        if (v == Verdict::Won) {
            std::vector<Move> line = withAutoplay(g, start, without.line(), limits.loggedMoves);
            if (!line.empty())
                return finish(Verdict::Won, line, without, nullptr);
            break;
        }
        if (v == Verdict::Lost)
            return finish(Verdict::Lost, {}, without, nullptr);
        if (without.ended() || without.made() >= firstLook)
            break;
    }
    Passes with(g, start, limits);
    // The wide pass without autoplay is where the previous turns left it; it keeps pace with the search
    // with autoplay, the budget its share of each turn.
    for (long long b = kFirstBudget;; b *= 4) {
        auto room = [&] { return limits.nodes - without.made() - with.made(); };
        const Verdict v = with.turn(b, room(), t0, limits.milliseconds);
        if (v == Verdict::Won)
            return finish(Verdict::Won, with.line(), without, &with);
        if (v == Verdict::Lost)
            return finish(Verdict::Lost, {}, without, &with);
        if (!without.ended()) {
            const Verdict w = without.wideTurn(without.wideMade() + 2 * b, room(), t0, limits.milliseconds);
            if (w == Verdict::Lost)
                return finish(Verdict::Lost, {}, without, &with);
            if (w == Verdict::Won) {
                std::vector<Move> line = withAutoplay(g, start, without.line(), limits.loggedMoves);
                if (!line.empty())
                    return finish(Verdict::Won, line, without, &with);
            }
        }
        if (with.ended() || room() <= 0)
            return finish(Verdict::Unknown, {}, without, &with);
    }
}

} // namespace tess::solve
