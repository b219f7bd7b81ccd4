#include "solve/prune.h"

#include <bit>

#include "play/mFunc.h"

namespace tess::solve
{

bool provedStuck(const GameRules &g, const Position &pos)
{
    if (g.removeSuits || g.goal == 0)
        return false;
    // Where each card lies now: the tableau pile and place, or -1 for stock, waste, free cells and
    // foundations.
    std::array<std::int8_t, kMaxCards> pileAt{};
    std::array<std::uint8_t, kMaxCards> placeAt{};
    const Offsets o(g, pos);
    CardSet homeable{}, spare{}; // spare: in stock, waste or a free cell
    for (int p = 0; p < g.pileCount(); ++p)
        for (int k = 0; k < pos.size(p); ++k) {
            const int c = cardOf(cardAt(pos, o, p, k));
            pileAt[static_cast<size_t>(c)] = static_cast<std::int8_t>(g.isHome(p) ? p : -1);
            placeAt[static_cast<size_t>(c)] = static_cast<std::uint8_t>(k);
            if (g.isGoal(p))
                addToSet(homeable, c);
            else if (!g.isHome(p))
                addToSet(spare, c);
        }
    // Grown until nothing changes; each only ever gains cards, so the loop ends.
    CardSet exposed{}, leaves{}, moves{};
    bool anyEmptyable = false;
    auto meets = [](const CardSet &a, const CardSet &b) { return ((a[0] & b[0]) | (a[1] & b[1])) != 0; };
    auto homeTakes = [&](int c) {
        return inSet(g.emptyFoundationTakes, c) || meets(g.follows[static_cast<size_t>(c)], homeable);
    };
    // A place for card c to go, not under c itself in pile `from` (-1: c is not in the tableau).
    auto placeFor = [&](int c, int from, int place) {
        if (g.res > 0 || (anyEmptyable && inSet(g.emptyTableauTakes, c)))
            return true;
        const CardSet &on = g.restsOn[static_cast<size_t>(c)];
        for (int w = 0; w < 2; ++w)
            for (std::uint64_t bits = on[static_cast<size_t>(w)] & exposed[static_cast<size_t>(w)]; bits;
                 bits &= bits - 1) {
                const int h = w * 64 + std::countr_zero(bits);
                if (from < 0 || pileAt[static_cast<size_t>(h)] != from ||
                    placeAt[static_cast<size_t>(h)] > place)
                    return true;
            }
        return false;
    };
    for (bool grew = true; grew;) {
        grew = false;
        auto gain = [&](CardSet &s, int c) {
            if (!inSet(s, c)) {
                addToSet(s, c);
                grew = true;
            }
        };
        for (int p = 0; p < g.home; ++p) {
            const int n = pos.size(p);
            bool carryAbove = true; // the cards above can go, or ride along on the card below them
            for (int k = n - 1; k >= 0; --k) {
                const int c = cardOf(cardAt(pos, o, p, k));
                const bool clear = k == n - 1 || inSet(leaves, cardOf(cardAt(pos, o, p, k + 1)));
                const bool carry =
                    clear || (g.multiMove && carryAbove && g.runLinks(c, cardOf(cardAt(pos, o, p, k + 1))));
                if (carry && !inSet(moves, c) && placeFor(c, p, k))
                    gain(moves, c);
                const bool reached = clear || inSet(moves, c);
                if (reached) {
                    gain(exposed, c);
                    if (homeTakes(c))
                        gain(homeable, c);
                }
                if (inSet(moves, c) || (clear && inSet(homeable, c)))
                    gain(leaves, c);
                carryAbove = carry;
            }
            if (!anyEmptyable && (n == 0 || inSet(leaves, cardOf(cardAt(pos, o, p, 0))))) {
                anyEmptyable = true;
                grew = true;
            }
        }
        for (int c = 0; c < g.totalCards; ++c) {
            const bool atHand = inSet(spare, c) || inSet(homeable, c);
            if (inSet(spare, c) && homeTakes(c))
                gain(homeable, c);
            if (atHand && !inSet(exposed, c) && placeFor(c, -1, 0))
                gain(exposed, c);
        }
    }
    for (int c = 0; c < g.totalCards; ++c)
        if (!inSet(homeable, c))
            return true;
    return false;
}

void homeSafely(const GameRules &g, Position &pos, std::vector<Move> &log)
{
    if (!g.safeHoming)
        return;
    for (bool moved = true; moved;) {
        moved = false;
        // Worked out again after each card sent home; until then the position stays as it is.
        const Offsets o(g, pos);
        const CardSet home = homeCards(g, pos);
        const CardSet wanted = wantedCards(g, pos, o);
        auto sendHome = [&](int from, int k) {
            const int card = cardOf(cardAt(pos, o, from, k));
            // Most cards no foundation takes yet: nothing more to ask of them.
            if (!inSet(wanted, card))
                return false;
            const bool byRank = !neededByNone(g, home, card);
            if (byRank && !homesSafely(g, home, wanted, card))
                return false;
            for (int i = 0; i < g.goal; ++i) {
                const int f = g.firstGoal() + i;
                const int n = pos.size(f);
                if (FoundationFull(n) || !g.pileTakes(f, n > 0 ? cardOf(cardAt(pos, o, f, n - 1)) : -1, card))
                    continue;
                // A foundation of one suit holds only cards the rule above has let go already.
                bool clean = true;
                for (int j = 0; j < n && clean && !byRank; ++j)
                    clean = neededByNone(g, home, cardOf(cardAt(pos, o, f, j)));
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
namespace
{

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
                if (fn(cardOf(pos.at(q, k)), q, k))
                    return true;
            continue;
        }
        for (int k = n - 1; k >= 0; --k) {
            const std::uint8_t c = pos.at(q, k);
            if (c & kDownBit)
                break;
            if (fn(c, q, k))
                return true;
            if (k == 0 || !g.multiMove || !g.runLinks(cardOf(pos.at(q, k - 1)), c))
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
} // namespace

bool usefulOn(const GameRules &g, const Position &pos, int card, int p, int depth)
{
    return anyTakeable(g, pos, p, [&](int c, int q, int k) {
        if (fromStock(g, q))
            return depth > 0 && c != card && g.pileTakes(p, card, c) && usefulOn(g, pos, c, p, depth - 1);
        const bool base = k == 0 || (pos.at(q, k - 1) & kDownBit);
        return base && g.pileTakes(p, card, c);
    });
}

bool emptyUseful(const GameRules &g, const Position &pos, int p)
{
    return anyTakeable(
        g, pos, p, [&](int c, int q, int k) { return (fromStock(g, q) || k > 0) && g.pileTakes(p, -1, c); });
}

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
            return {g.splitsToHome && pos.size(m.to) > 0 ? -1 : m.from, m.from};
        if (base == 0 && pos.size(m.to) > 0)
            return {m.from, -1};
    }
    return {};
}

} // namespace tess::solve
