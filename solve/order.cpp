#include "solve/order.h"

#include <algorithm>
#include <bit>

#include "play/mFunc.h"

namespace tess::solve
{

namespace
{

// What each kind of move scores; the search tries the higher first, and moves that score alike in the order
// they were made. Only the order matters, so each score keeps to a band that says where its moves stand.
namespace score
{
// A card sent home from the table, a free cell or the waste: nothing is ever lost by it. Exactly 1000.
constexpr int kHome = 1000;
// A card the stock brings up, sent home: less a point a press, so 390 to 899 (at most 255 presses
// each side of a redeal).
constexpr int kHomeFromStock = 900;
// Presses that turn up the first card autoplay takes home, where the first look turns the stock no further.
// Exactly 800.
constexpr int kPressesToHome = 800;
// A run moved off a face-down card, turning it up: plus a point for each face-down card in that pile, so the
// longest hidden piles are opened first, and kJoinBonus where it joins a run of a suit; 501 to 653.
constexpr int kUncovers = 500;
// A whole pile moved off, emptying it, plus kJoinBonus where it joins a run of a suit: 300 or 350.
constexpr int kEmpties = 300;
// Added to the two above where whole suits leave the table and the move joins a run of a suit.
constexpr int kJoinBonus = 50;
// Where whole suits leave the table, a run joined onto one of its suit off a face-up card that did not
// carry it on. Exactly 250.
constexpr int kJoinsSuit = 250;
// A waste card, or a face-up stock's top, laid on the table or a free cell. Exactly 200.
constexpr int kFromWaste = 200;
// A card the stock brings up, laid on the table or a free cell: less a point a press, so 149 down to -360
// on the longest stock, where it falls behind everything else.
constexpr int kFromStock = 150;
// Any other move off the table or a free cell. Exactly 100.
constexpr int kOther = 100;
// A run off a face-up card onto an empty tableau pile. Exactly 60.
constexpr int kToEmpty = 60;
// Where whole suits leave the table, a run that joins one of its suit but breaks off the one it was on.
// Exactly 40.
constexpr int kJoinsButBreaks = 40;
// Where whole suits leave the table, a run broken off one of its suit with nothing joined. Exactly 30.
constexpr int kBreaks = 30;
// One press on the stock. Exactly 20.
constexpr int kPress = 20;
// The waste turned back over onto the stock. Exactly 10.
constexpr int kRedeal = 10;
// A card taken back off a foundation: seldom needed, so last of all. Exactly 5.
constexpr int kOffHome = 5;

// The bands keep the order the comments give; a change that lets two overlap must mean it.
static_assert(kUncovers + kMaxCards + kJoinBonus < kPressesToHome && kPressesToHome < kHomeFromStock &&
              kHomeFromStock < kHome);
static_assert(kEmpties + kJoinBonus < kUncovers && kJoinsSuit < kEmpties && kFromWaste < kJoinsSuit);
static_assert(kFromStock < kFromWaste && kOther < kFromStock && kToEmpty < kOther);
static_assert(kBreaks < kJoinsButBreaks && kJoinsButBreaks < kToEmpty && kPress < kBreaks &&
              kRedeal < kPress && kOffHome < kRedeal);
} // namespace score

} // namespace

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
    auto allowed = [&](const Move &m) { return !need.any() || meetsNeed(g, need, m); };
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
    const CardSet homeTakes = g.safeHoming && g.homeByRank ? wantedCards(g, pos) : CardSet{};
    const CardSet wanted = narrow || g.splitsToHome ? wantedCards(g, pos) : CardSet{};
    // Whether a card taken from the stock onto pile `to` can serve there.
    auto stockCardServes = [&](int card, int to) {
        if (reserve && !g.isGoal(to) && (g.isRes(to) || (g.safeHoming && neededByNone(g, home, card))))
            return false; // a free cell holds it no better than the stock; nothing needs it as a holder
        return !(narrow && g.isHome(to) && !usefulOn(g, pos, card, to, 2));
    };
    for (const Move &m : out) {
        int score = score::kOther;
        if (!allowed(m))
            continue;
        if ((freeCycle || pressToHome) && (m.kind == MoveKind::Stock || m.kind == MoveKind::Redeal))
            continue;
        if (m.kind == MoveKind::Stock) {
            score = score::kPress;
        } else if (m.kind == MoveKind::Redeal) {
            // An empty waste makes a redeal that only spends itself.
            if (pos.size(g.waste) == 0)
                continue;
            score = score::kRedeal;
        } else if (g.isGoal(m.from)) {
            // Between foundations built alike a card only changes places with its twin: nothing gained.
            if (g.isGoal(m.to) && g.order[m.from] == g.order[m.to] &&
                g.foundingRank[m.from] == g.foundingRank[m.to])
                continue;
            if (narrow || (g.safeHoming && homesSafely(g, home, homeTakes, m.card)))
                continue;
            score = score::kOffHome;
        } else if (g.isGoal(m.to)) {
            score = score::kHome;
        } else if (g.isHome(m.from)) {
            const int base = pos.size(m.from) - m.count - 1; // where the grabbed card lies
            if (pilesAlike && base == 0 && g.isHome(m.to) && pos.size(m.to) == 0)
                continue; // a whole pile to an empty one
            // Where whole suits leave the table, progress is cards joined into runs of a suit: a move that
            // joins one comes first, and one that only breaks one off another seldom helps.
            const bool hasBelow = base > 0;
            const std::uint8_t below = hasBelow ? pos.at(m.from, base - 1) : 0;
            const bool faceUpBelow = hasBelow && !(below & kDownBit);
            const bool joins = g.removeSuits && pos.size(m.to) > 0 && g.runLinks(pos.top(m.to), m.card);
            const bool breaks = g.removeSuits && faceUpBelow && g.runLinks(cardOf(below), m.card);
            const int joinBonus = joins ? score::kJoinBonus : 0;
            if (breaks && narrow)
                continue;
            if (hasBelow && !faceUpBelow) {
                int down = 0;
                for (int k = 0; k < base; ++k)
                    down += (pos.at(m.from, k) & kDownBit) != 0;
                score = score::kUncovers + down + joinBonus;
            } else if (base == 0) {
                if (narrow && g.res == 0 && !emptyUseful(g, pos, m.from))
                    continue;
                score = score::kEmpties + joinBonus;
            } else if (joins) {
                score = breaks ? score::kJoinsButBreaks : score::kJoinsSuit;
            } else if ((narrow || (g.splitsToHome && g.isHome(m.to) && pos.size(m.to) > 0 &&
                                   g.runLinks(cardOf(below), m.card))) &&
                       !inSet(wanted, cardOf(below))) {
                continue;
            } else if (breaks) {
                score = score::kBreaks;
            } else if (g.isHome(m.to) && pos.size(m.to) == 0) {
                score = score::kToEmpty;
            }
        } else if (g.isRes(m.from) && g.isRes(m.to) && pos.size(m.to) == 0 && pos.size(m.from) == 1) {
            continue; // a lone card from one free cell to another: the free cells are alike
        } else if (m.from == g.waste || m.from == g.stock) {
            if (!stockCardServes(m.card, m.to))
                continue;
            score = score::kFromWaste;
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
            s.push_back({(g.isGoal(m.to) ? score::kHomeFromStock : score::kFromStock) - before - presses, m});
        }
    };
    if (pressToHome && !freeCycle && !need.any()) {
        Position p = pos;
        const int cards = pos.size(g.stock) + pos.size(g.waste);
        Move m = Move::press(g.stock);
        int presses = 0;
        for (int step = 0; step < 2 * cards + 2; ++step) {
            if (p.size(g.stock) == 0) {
                if (p.size(g.waste) == 0 || m.redealFirst)
                    break;
                applyMove(g, p, Move::redeal());
                m.redealFirst = true;
                m.pressesBefore = static_cast<std::uint8_t>(presses);
                presses = 0;
                continue;
            }
            const int before = p.goalCards;
            applyMove(g, p, Move::press());
            if (p.goalCards != before) {
                m.presses = static_cast<std::uint8_t>(presses);
                s.push_back({score::kPressesToHome, m});
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
                    drags.push_back(Move::drag(card, g.waste, std::countr_zero(bits), 0));
            };
            add(hits & homeBits);
            add(cells);
            add(hits & ~homeBits);
        };
        const int st = pos.size(g.stock), w = pos.size(g.waste);
        for (int k = 1; k <= st && k <= 255; ++k) {
            wasteDrags(cardOf(pos.at(g.stock, st - k)));
            offer(drags, 0, false, k);
        }
        if (pos.redealsLeft != 0 && st + w > 0 && st <= 255)
            for (int k = 1; k < w; ++k) {
                wasteDrags(cardOf(pos.at(g.waste, k - 1)));
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
                applyMove(g, p, Move::redeal());
                redealt = true;
                before = presses;
                presses = 0;
            }
            applyMove(g, p, Move::press());
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

} // namespace tess::solve
