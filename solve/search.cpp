#include "solve/search.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <cstdlib>

#include "play/mFunc.h"

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

std::size_t KeyTable::slotOf(std::uint64_t key) const
{
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = static_cast<std::size_t>(key) & mask;
    while (slots_[i] != 0 && slots_[i] != key)
        i = (i + 1) & mask;
    return i;
}

void KeyTable::grow()
{
    std::vector<std::uint64_t> old(slots_.size() * 2, 0);
    old.swap(slots_);
    for (std::uint64_t k : old)
        if (k != 0)
            slots_[slotOf(k)] = k;
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
    std::uint64_t &slot = slots_[slotOf(key)];
    if (slot == key)
        return false;
    slot = key;
    ++size_;
    return true;
}

bool KeyTable::contains(std::uint64_t key) const
{
    if (key == 0)
        key = 1;
    return slots_[slotOf(key)] == key;
}

namespace
{

// With no autoplay and no end to the redeals, the stock is a reserve: any of its cards comes up with
// nothing else changed, so a card need leave it only when something is about to use it.
bool stockIsReserve(const GameRules &g, const Position &pos)
{
    return !g.autoplay && pos.redealsLeft == -1 && stockTurnsOneByOne(g);
}

// Sets on m the presses that bring the card at place k of stock or waste pile p to the top of the waste;
// false when it cannot be brought up.
bool bringUp(const GameRules &g, const Position &pos, int p, int k, Move &m)
{
    const int st = pos.size(g.stock), w = pos.size(g.waste);
    if (p == g.stock && g.stockFaceUp)
        return k == st - 1;
    if (p == g.waste && k == w - 1)
        return true;
    if (p == g.stock) {
        if (st - k > 255)
            return false;
        m.presses = static_cast<std::uint8_t>(st - k);
        return true;
    }
    if (pos.redealsLeft == 0 || st > 255 || k + 1 > 255)
        return false;
    m.pressesBefore = static_cast<std::uint8_t>(st);
    m.redealFirst = true;
    m.presses = static_cast<std::uint8_t>(k + 1);
    return true;
}

// The drag of the card at place k of pile p, with what lies on it, onto pile `to`. A card of stock or
// waste is dragged off the waste, or a face-up stock, after the presses that bring it up; false when
// it cannot be brought up.
bool dragAt(const GameRules &g, const Position &pos, int p, int k, int to, Move &m)
{
    const bool stockCard = p == g.stock || p == g.waste;
    const int off = p == g.stock && !g.stockFaceUp ? g.waste : p;
    m = Move{MoveKind::Drag, static_cast<std::uint8_t>(pos.at(p, k) & 0x7f), static_cast<std::uint8_t>(off),
             static_cast<std::uint8_t>(to), static_cast<std::uint8_t>(stockCard ? 0 : pos.size(p) - k - 1)};
    return !stockCard || bringUp(g, pos, p, k, m);
}

// Sends home, one at a time, every card that no card outside the foundations could need to rest on, onto
// a foundation whose cards are all such cards. Whatever a line of play does with such a card, the same
// line without it does as well, so these moves are made without searching the others.
void homeSafely(const GameRules &g, Position &pos, std::vector<Move> &log)
{
    if (!g.safeHoming)
        return;
    for (bool moved = true; moved;) {
        moved = false;
        const CardSet home = homeCards(g, pos);
        auto sendHome = [&](int from, int k) {
            const int card = pos.at(from, k) & 0x7f;
            if (!neededByNone(g, home, card))
                return false;
            for (int i = 0; i < g.goal; ++i) {
                const int f = g.firstGoal() + i;
                const int n = pos.size(f);
                if (n >= kSuitCards || !g.pileTakes(f, n > 0 ? pos.at(f, n - 1) & 0x7f : -1, card))
                    continue;
                bool clean = true;
                for (int j = 0; j < n && clean; ++j)
                    clean = neededByNone(g, home, pos.at(f, j) & 0x7f);
                if (!clean)
                    continue;
                Move m;
                if (!dragAt(g, pos, from, k, f, m))
                    return false;
                applyMove(g, pos, m);
                log.push_back(m);
                return true;
            }
            return false;
        };
        for (int p = 0; p < g.home + g.res && !moved; ++p)
            if (pos.size(p) > 0)
                moved = sendHome(p, pos.size(p) - 1);
        if (moved || g.waste < 0)
            continue;
        if (stockIsReserve(g, pos)) {
            for (int p : {g.waste, g.stock})
                for (int k = pos.size(p) - 1; k >= 0 && !moved; --k)
                    moved = sendHome(p, k);
        } else {
            if (pos.size(g.waste) > 0)
                moved = sendHome(g.waste, pos.size(g.waste) - 1);
            if (!moved && g.stockFaceUp && pos.size(g.stock) > 0)
                moved = sendHome(g.stock, pos.size(g.stock) - 1);
        }
    }
}

// Calls fn(card, pile, place) for each card that could be taken from a pile other than `skip`: every card
// of stock and waste, and each card a run can be grabbed at elsewhere; true at the first call that is.
template <class Fn> bool anyTakeable(const GameRules &g, const Position &pos, int skip, Fn fn)
{
    for (int q = 0; q < g.pileCount(); ++q) {
        if (q == skip || g.isGoal(q))
            continue;
        const int n = pos.size(q);
        if (q == g.stock || q == g.waste) {
            for (int k = 0; k < n; ++k)
                if (fn(pos.at(q, k) & 0x7f, q, k))
                    return true;
            continue;
        }
        for (int k = n - 1; k >= 0; --k) {
            const std::uint8_t c = pos.at(q, k);
            if (c & kDownBit)
                break;
            if (fn(c, q, k))
                return true;
            if (k == 0 || !g.multiMove || !g.runLinks(pos.at(q, k - 1) & 0x7f, c))
                break;
        }
    }
    return false;
}

bool fromStock(const GameRules &g, int pile)
{
    return pile == g.stock || pile == g.waste;
}

// Whether a tableau run that turns a card up or empties its pile could go onto `card` once it lies on pile
// p, straight away or through a chain of up to `depth` cards from the stock.
bool usefulOn(const GameRules &g, const Position &pos, int card, int p, int depth)
{
    return anyTakeable(g, pos, p, [&](int c, int q, int k) {
        if (fromStock(g, q))
            return depth > 0 && c != card && g.pileTakes(p, card, c) && usefulOn(g, pos, c, p, depth - 1);
        const bool base = k == 0 || (pos.at(q, k - 1) & kDownBit);
        return base && g.pileTakes(p, card, c);
    });
}

// Whether, with pile p emptied, a card from elsewhere could take its place.
bool emptyUseful(const GameRules &g, const Position &pos, int p)
{
    return anyTakeable(
        g, pos, p, [&](int c, int q, int k) { return (fromStock(g, q) || k > 0) && g.pileTakes(p, -1, c); });
}

// The piles a drag that meets the need may land on.
std::uint32_t needMask(const Need &need)
{
    return need.onto >= 0 ? 1u << need.onto : 0u;
}

bool meets(const GameRules &g, const Need &need, const Move &m)
{
    return m.kind == MoveKind::Drag && (m.to == need.onto || (m.from == need.from && g.isGoal(m.to)));
}

} // namespace

Need needAfter(const GameRules &g, const Position &pos, const Move &m)
{
    // Both rules hold only without autoplay, which the two conditions below include.
    if (m.kind != MoveKind::Drag)
        return {};
    if (fromStock(g, m.from) && g.isHome(m.to) && stockIsReserve(g, pos))
        return {m.to, -1};
    if (g.runsWait && g.isHome(m.from) && g.isHome(m.to)) {
        const int base = pos.size(m.from) - m.count - 1;
        // Held back, the run would still move on with the card below it wherever that went.
        if (base > 0 && !(pos.at(m.from, base - 1) & kDownBit) &&
            g.runLinks(pos.at(m.from, base - 1), m.card))
            return {m.from, m.from};
        if (base == 0 && pos.size(m.to) > 0)
            return {m.from, -1};
    }
    return {};
}

void orderedMoves(const GameRules &g, const Position &pos, std::vector<Move> &out, bool narrow, Need need)
{
    const Landing land(g, pos);
    if (need.any()) {
        // Only what can meet the need is made: builds on that pile, and the card under a run sent home.
        generateMoves(g, pos, land, out, needMask(need));
        if (need.from >= 0)
            generateDragsFrom(g, pos, land, need.from, out);
    } else {
        generateMoves(g, pos, land, out);
    }
    auto allowed = [&](const Move &m) { return !need.any() || meets(g, need, m); };
    // Tableau piles are interchangeable unless a dealt row still tells them apart.
    const bool pilesAlike = !(g.dealRows && g.stock >= 0 && pos.size(g.stock) > 0);
    struct Scored {
        int score;
        Move m;
    };
    // Kept between calls: the search asks for a list at every position.
    thread_local std::vector<Scored> s;
    s.clear();
    // Presses and redeals then only lead back to this position's key; what they reach is offered below.
    const bool cycles = stockCyclesFreely(g, pos);
    const bool freeCycle = pos.redealsLeft == -1 && cycles;
    // A first look, whose failure proves nothing: the stock turned only up to where autoplay takes a card
    // home, and moves that seldom help left out.
    const bool pressToHome = narrow && pos.redealsLeft == -1 && stockTurnsOneByOne(g);
    const bool reserve = stockIsReserve(g, pos);
    const CardSet home = g.safeHoming ? homeCards(g, pos) : CardSet{};
    const CardSet wanted = narrow ? wantedCards(g, pos) : CardSet{};
    // Whether a card taken from the stock onto pile `to` can serve there.
    auto stockCardServes = [&](int card, int to) {
        if (reserve && !g.isGoal(to) && (g.isRes(to) || (g.safeHoming && neededByNone(g, home, card))))
            return false; // a free cell holds it no better than the stock; nothing needs it as a holder
        return !(narrow && g.isHome(to) && !usefulOn(g, pos, card, to, 2));
    };
    for (const Move &m : out) {
        int score = 100;
        if (!allowed(m))
            continue;
        if ((freeCycle || pressToHome) && (m.kind == MoveKind::Stock || m.kind == MoveKind::Redeal))
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
            if (narrow || (g.safeHoming && neededByNone(g, home, m.card)))
                continue;
            score = 5;
        } else if (g.isGoal(m.to)) {
            score = 1000;
        } else if (g.isHome(m.from)) {
            const int base = pos.size(m.from) - m.count - 1; // where the grabbed card lies
            if (pilesAlike && base == 0 && g.isHome(m.to) && pos.size(m.to) == 0)
                continue; // a whole pile to an empty one
            // Where whole suits leave the table, progress is cards joined into runs of a suit: a move that
            // joins one comes first, and one that only breaks one off another seldom helps.
            const int below = base > 0 ? pos.at(m.from, base - 1) : -1;
            const bool faceUpBelow = below >= 0 && !(below & kDownBit);
            const bool joins = g.removeSuits && pos.size(m.to) > 0 && g.runLinks(pos.top(m.to), m.card);
            const bool breaks = g.removeSuits && faceUpBelow && g.runLinks(below & 0x7f, m.card);
            if (breaks && narrow)
                continue;
            if (below >= 0 && !faceUpBelow) {
                int down = 0;
                for (int k = 0; k < base; ++k)
                    down += (pos.at(m.from, k) & kDownBit) != 0;
                score = 500 + down + (joins ? 50 : 0);
            } else if (base == 0) {
                if (narrow && g.res == 0 && !emptyUseful(g, pos, m.from))
                    continue;
                score = 300 + (joins ? 50 : 0);
            } else if (joins) {
                score = breaks ? 40 : 250;
            } else if (narrow && !inSet(wanted, below)) {
                continue;
            } else if (breaks) {
                score = 30;
            } else if (g.isHome(m.to) && pos.size(m.to) == 0) {
                score = 60;
            }
        } else if (m.from == g.waste || m.from == g.stock) {
            if (!stockCardServes(m.card, m.to))
                continue;
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
            if (!allowed(m) || !stockCardServes(m.card, m.to))
                continue;
            s.push_back({(g.isGoal(m.to) ? 900 : 150) - before - presses, m});
        }
    };
    if (pressToHome && !freeCycle && !need.any()) {
        Position p = pos;
        const int cards = pos.size(g.stock) + pos.size(g.waste);
        Move m{MoveKind::Stock, 0, static_cast<std::uint8_t>(g.stock), 0, 0, 0, false, 0};
        int presses = 0;
        for (int step = 0; step < 2 * cards + 2; ++step) {
            if (p.size(g.stock) == 0) {
                if (p.size(g.waste) == 0 || m.redealFirst)
                    break;
                applyMove(g, p, Move{MoveKind::Redeal, 0, 0, 0, 0, 0, false, 0});
                m.redealFirst = true;
                m.pressesBefore = static_cast<std::uint8_t>(presses);
                presses = 0;
                continue;
            }
            const int before = p.goalCards;
            applyMove(g, p, Move{MoveKind::Stock, 0, 0, 0, 0, 0, false, 0});
            if (p.goalCards != before) {
                m.presses = static_cast<std::uint8_t>(presses);
                s.push_back({800, m});
                break;
            }
            if (++presses > 255)
                break;
        }
    }
    std::vector<Move> drags;
    if (cycles) {
        // Nothing else changes while the cards turn: each one comes up onto the same table, so where a card
        // from the waste may go is worked out on that table, in the order a release tries the piles.
        const std::uint32_t open = need.any() ? needMask(need) : ~0u;
        const std::uint32_t homeBits = (std::uint32_t{1} << g.home) - 1;
        std::uint32_t cells = 0;
        for (int i = 0; i < g.res; ++i)
            if (ReserveAccepts(g.games, pos.size(g.home + i) == 0, 0))
                cells |= 1u << (g.home + i);
        cells &= open;
        auto wasteDrags = [&](int card) {
            drags.clear();
            std::uint32_t hits = land.piles(card, -1) & open;
            if (g.removeSuits)
                hits &= homeBits;
            auto add = [&](std::uint32_t bits) {
                for (; bits; bits &= bits - 1)
                    drags.push_back({MoveKind::Drag, static_cast<std::uint8_t>(card),
                                     static_cast<std::uint8_t>(g.waste),
                                     static_cast<std::uint8_t>(std::countr_zero(bits)), 0});
            };
            add(hits & homeBits);
            add(cells);
            add(hits & ~homeBits);
        };
        const int st = pos.size(g.stock), w = pos.size(g.waste);
        for (int k = 1; k <= st && k <= 255; ++k) {
            wasteDrags(pos.at(g.stock, st - k) & 0x7f);
            offer(drags, 0, false, k);
        }
        if (pos.redealsLeft != 0 && st + w > 0 && st <= 255)
            for (int k = 1; k < w; ++k) {
                wasteDrags(pos.at(g.waste, k - 1) & 0x7f);
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
            generateDragsFrom(g, p, Landing(g, p), g.waste, drags);
            offer(drags, before, redealt, presses);
        }
    }
    std::stable_sort(s.begin(), s.end(), [](const Scored &a, const Scored &b) { return a.score > b.score; });
    out.clear();
    for (const Scored &x : s)
        out.push_back(x.m);
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
                    for (int l = at_; l >= 0;) {
                        const Entry &x = entries_[static_cast<size_t>(looked_[static_cast<size_t>(l)].entry)];
                        line_.insert(line_.begin(), pool_.begin() + x.movesBegin, pool_.begin() + x.movesEnd);
                        l = x.from;
                    }
                    return end(Verdict::Won);
                }
                offer(at_, child, step_, cardMoves);
            }
            at_ = -1;
        }
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
        open_.emplace_back(promise(g_, pos), static_cast<int>(entries_.size()) - 1);
        std::push_heap(open_.begin(), open_.end());
    }

    std::size_t room_;
    std::vector<Entry> entries_;
    std::vector<Looked> looked_;
    std::vector<std::pair<int, int>> open_; // promise and entry, the most promising (then the newest) first
    std::vector<Move> pool_, moves_, step_;
    int at_ = -1;          // the position whose moves are being made, in looked_
    std::size_t next_ = 0; // its next move in moves_
};

// The passes taking turns from `t0`, within the limits.
Result searchFrom(const GameRules &g, const Position &start, const Limits &limits, Clock::time_point t0)
{
    // Most deals are won, and the narrow pass finds most wins in a fraction of the positions; the best-first
    // pass finds many of those it misses; some need what only the wide one tries. So the three take turns
    // with growing budgets, each going on from where it stopped, until the wide one ends the question.
    Pass narrow(g, start, limits, true), wide(g, start, limits, false);
    BestFirst best(g, start, limits);
    Result r;
    auto made = [&] { return narrow.nodes() + wide.nodes() + best.nodes(); };
    auto finish = [&](Verdict v, const std::vector<Move> &line) {
        r.verdict = v;
        r.nodes = made();
        r.stored = narrow.stored() + wide.stored() + best.stored();
        r.seconds = std::chrono::duration<double>(Clock::now() - t0).count();
        if (v == Verdict::Won)
            r.moves = line;
        return r;
    };
    for (long long budget = 4096;; budget *= 4) {
        if (!best.ended()) {
            const long long target =
                std::min(best.nodes() + 2 * budget, limits.nodes - made() + best.nodes());
            if (best.run(target, t0, limits.milliseconds) == Verdict::Won)
                return finish(Verdict::Won, best.line());
        }
        if (!narrow.ended()) {
            const long long target = std::min(budget, limits.nodes - made() + narrow.nodes());
            if (narrow.run(target, t0, limits.milliseconds) == Verdict::Won)
                return finish(Verdict::Won, narrow.line());
        }
        const long long target = std::min(2 * budget, limits.nodes - made() + wide.nodes());
        const Verdict v = wide.run(target, t0, limits.milliseconds);
        if (v != Verdict::Unknown || wide.ended() || made() >= limits.nodes)
            return finish(v, wide.line());
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
                    if ((p.cards[static_cast<size_t>(off + i)] & 0x7f) == m.card) {
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
    // much the smaller, so it has the first look.
    GameRules free = g;
    free.setAutoplay(false);
    Limits first = limits;
    first.nodes = std::min<long long>(limits.nodes, kFirstLookNodes);
    Result r = searchFrom(free, start, first, t0);
    if (r.verdict == Verdict::Won) {
        r.moves = withAutoplay(g, start, r.moves, limits.loggedMoves);
        if (!r.moves.empty())
            return r;
    } else if (r.verdict == Verdict::Lost) {
        return r;
    }
    Limits rest = limits;
    rest.nodes = limits.nodes - r.nodes;
    Result a = searchFrom(g, start, rest, t0);
    a.nodes += r.nodes;
    return a;
}

} // namespace tess::solve
