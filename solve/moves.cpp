#include "solve/moves.h"

#include <algorithm>
#include <bit>

#include "play/mFunc.h"

namespace tess::solve
{

using std::uint8_t;

namespace
{

inline const CardAttrs &faceOf(const GameRules &g, uint8_t card)
{
    return g.card[static_cast<size_t>(cardOf(card))];
}

// Moves the top count + 1 cards of pile a onto pile b, face up, turning up what they uncover.
void shift(const GameRules &g, Position &pos, int a, int b, int count, bool faceUp)
{
    const Offsets o(g, pos);
    const int n = count + 1;
    const int la = pos.size(a);
    if (g.isHome(a) && la - n > 0) {
        uint8_t &below = pos.cards[static_cast<size_t>(o[a] + la - n - 1)];
        below = static_cast<uint8_t>(below & ~kDownBit);
    }
    auto *base = pos.cards.data();
    const int runStart = o[a] + la - n;
    for (int i = 0; i < n; ++i) {
        uint8_t &c = base[runStart + i];
        c = faceUp ? static_cast<uint8_t>(c & ~kDownBit) : static_cast<uint8_t>(c | kDownBit);
    }
    if (a < b)
        std::rotate(base + runStart, base + o[a] + la, base + o[b] + pos.size(b));
    else
        std::rotate(base + o[b] + pos.size(b), base + runStart, base + o[a] + la);
    pos.len[static_cast<size_t>(a)] = static_cast<uint8_t>(la - n);
    pos.len[static_cast<size_t>(b)] = static_cast<uint8_t>(pos.size(b) + n);
    if (g.isGoal(a))
        pos.goalCards = static_cast<uint8_t>(pos.goalCards - n);
    if (g.isGoal(b))
        pos.goalCards = static_cast<uint8_t>(pos.goalCards + n);
}

void autoplay(const GameRules &g, Position &pos);

// One card or run moved the way the engine's MoveCard does, autoplay after it unless told not to.
void moveCards(const GameRules &g, Position &pos, int a, int b, int count, bool faceUp, bool thenAutoplay)
{
    if (g.isGoal(b) && FoundationRefuses(g.removeSuits, pos.size(b)))
        return;
    shift(g, pos, a, b, count, faceUp);
    if (thenAutoplay)
        autoplay(g, pos);
}

// The first foundation that takes the top card of pile `from`, or -1.
int homeFor(const GameRules &g, const Position &pos, const Offsets &o, int from)
{
    const int card = cardOf(cardAt(pos, o, from, pos.size(from) - 1));
    for (int i = 0; i < g.goal; ++i) {
        const int p = g.firstGoal() + i;
        const int n = pos.size(p);
        // accepted by the order after a King only when ranks wrap, and then refused
        if (!FoundationFull(n) && g.pileTakes(p, n > 0 ? cardOf(cardAt(pos, o, p, n - 1)) : -1, card))
            return p;
    }
    return -1;
}

void removeSuits(const GameRules &g, Position &pos)
{
    int off = 0; // where the pile being looked at begins
    RemoveWholeSuits(
        g.home, g.spiderOrder, g.goalDiv,
        [&](int pile) {
            off = pos.offset(pile);
            return pos.size(pile) - 1;
        },
        [&](int, int place) -> const CardAttrs & {
            return faceOf(g, pos.cards[static_cast<size_t>(off + place)]);
        },
        [&](int pile, int goal) {
            for (int n = 0; n < kSuitCards; ++n)
                moveCards(g, pos, pile, g.firstGoal() + goal, 0, true, true);
        });
}

void autoplay(const GameRules &g, Position &pos)
{
    if (g.removeSuits) {
        removeSuits(g, pos);
        return;
    }
    if (!g.autoplay)
        return;
    // Each move home runs the whole sweep again.
    Offsets o(g, pos);
    CardSet wanted = wantedCards(g, pos, o);
    AutoplaySweep(g.home, g.res, g.waste >= 0, g.stockFaceUp && g.stock >= 0, [&](int cell, int pile) {
        const int p = g.pileOf(cell, pile);
        if (pos.size(p) == 0)
            return;
        if (!inSet(wanted, cardOf(cardAt(pos, o, p, pos.size(p) - 1))))
            return;
        const int to = homeFor(g, pos, o, p);
        if (to < 0)
            return;
        moveCards(g, pos, p, to, 0, true, true);
        o = Offsets(g, pos);
        wanted = wantedCards(g, pos, o);
    });
}

// The piles a grabbed card (with count more above it) may be dropped on, as a release tries them.
void addTargets(const GameRules &g, const Position &pos, const Landing &land, int from, uint8_t card,
                int count, std::vector<Move> &out, std::uint32_t toMask = ~0u)
{
    auto add = [&](int to) { out.push_back(Move::drag(cardOf(card), from, to, count)); };
    const std::uint32_t hits = land.piles(cardOf(card), from) & toMask;
    const std::uint32_t homeBits = (std::uint32_t{1} << g.home) - 1;
    for (std::uint32_t h = hits & homeBits; h; h &= h - 1)
        add(std::countr_zero(h));
    for (int i = 0; i < g.res; ++i)
        if (((toMask >> (g.home + i)) & 1u) && ReserveAccepts(g.games, pos.size(g.home + i) == 0, count))
            add(g.home + i);
    if (count == 0 && !g.removeSuits)
        for (std::uint32_t h = hits & ~homeBits; h; h &= h - 1)
            add(std::countr_zero(h));
}

} // namespace

Landing::Landing(const GameRules &g, const Position &pos) : g_(g)
{
    pileOf_.fill(-1);
    int off = 0;
    for (int p = 0; p < g.firstGoal() + g.goal; ++p) {
        const int n = pos.size(p);
        off += n;
        if (g.isRes(p))
            continue;
        if (g.isGoal(p) && FoundationFull(n))
            continue;
        const int top = n == 0 ? -1 : cardOf(pos.cards[static_cast<size_t>(off - 1)]);
        if (n == 0)
            empty_ |= 1u << p;
        else
            pileOf_[static_cast<size_t>(top)] = static_cast<std::int8_t>(p);
        addAll(anyTakes_, g.takesOn(p, top));
    }
}

std::uint32_t Landing::piles(int card, int from) const
{
    const GameRules &g = g_;
    std::uint32_t hits = 0;
    if (!inSet(anyTakes_, card))
        return hits;
    auto tryEmpty = [&](const CardSet &takes, std::uint32_t piles) {
        if (inSet(takes, card))
            for (; piles; piles &= piles - 1) {
                const int p = std::countr_zero(piles);
                if (g.pileTakes(p, -1, card))
                    hits |= 1u << p;
            }
    };
    const std::uint32_t homeBits = (std::uint32_t{1} << g.home) - 1;
    tryEmpty(g.emptyTableauTakes, empty_ & homeBits);
    tryEmpty(g.emptyFoundationTakes, empty_ & ~homeBits);
    // A card's resting places among the tops: few, where the piles are many.
    auto tryTops = [&](const CardSet &tops, bool home) {
        for (int w = 0; w < 2; ++w)
            for (std::uint64_t bits = tops[static_cast<size_t>(w)]; bits; bits &= bits - 1) {
                const int h = w * 64 + std::countr_zero(bits);
                const int p = pileOf_[static_cast<size_t>(h)];
                if (p >= 0 && p != from && g.isHome(p) == home && g.pileTakes(p, h, card))
                    hits |= 1u << p;
            }
    };
    tryTops(g.restsOn[static_cast<size_t>(card)], true);
    tryTops(g.follows[static_cast<size_t>(card)], false);
    return hits;
}

void generateMoves(const GameRules &g, const Position &pos, std::vector<Move> &out, std::uint32_t toMask)
{
    generateMoves(g, pos, Landing(g, pos), out, toMask);
}

void generateMoves(const GameRules &g, const Position &pos, const Landing &land, std::vector<Move> &out,
                   std::uint32_t toMask)
{
    out.clear();
    const bool all = toMask == ~0u;
    if (pos.won(g))
        return;
    const Offsets o(g, pos);
    int emptyHome = 0, emptyRes = 0;
    for (int i = 0; i < g.home; ++i)
        emptyHome += pos.size(i) == 0;
    for (int i = 0; i < g.res; ++i)
        emptyRes += pos.size(g.home + i) == 0;
    for (int i = 0; i < g.home; ++i) {
        const int t = pos.size(i) - 1;
        if (t < 0)
            continue;
        addTargets(g, pos, land, i, cardAt(pos, o, i, t), 0, out, toMask);
        if (!g.multiMove)
            continue;
        // A run from k is whole when the run from k + 1 is and k's card takes the next one.
        for (int k = t - 1; k >= 0 && CarryAllowed(g.games, t - k, emptyHome, emptyRes); --k) {
            const uint8_t c = cardAt(pos, o, i, k);
            if ((c & kDownBit) || !g.runLinks(c, cardOf(cardAt(pos, o, i, k + 1))))
                break;
            addTargets(g, pos, land, i, c, t - k, out, toMask);
        }
    }
    for (int i = 0; i < g.res; ++i) {
        const int p = g.home + i;
        if (pos.size(p) > 0)
            addTargets(g, pos, land, p, cardAt(pos, o, p, pos.size(p) - 1), 0, out, toMask);
    }
    if (!g.removeSuits)
        for (int i = 0; i < g.goal; ++i) {
            const int p = g.firstGoal() + i;
            if (pos.size(p) > 0)
                addTargets(g, pos, land, p, cardAt(pos, o, p, pos.size(p) - 1), 0, out, toMask);
        }
    if (g.waste >= 0 && pos.size(g.waste) > 0)
        addTargets(g, pos, land, g.waste, cardAt(pos, o, g.waste, pos.size(g.waste) - 1), 0, out, toMask);
    if (g.stock >= 0 && pos.size(g.stock) > 0) {
        if (g.stockFaceUp)
            addTargets(g, pos, land, g.stock, cardAt(pos, o, g.stock, pos.size(g.stock) - 1), 0, out, toMask);
        else if (all)
            out.push_back(Move::press(g.stock));
    }
    if (all && pos.redealsLeft != 0 && g.waste >= 0)
        out.push_back(Move::redeal(g.waste, g.stock));
}

void generateDragsFrom(const GameRules &g, const Position &pos, const Landing &land, int p,
                       std::vector<Move> &out)
{
    if (pos.size(p) == 0)
        return;
    const Offsets o(g, pos);
    addTargets(g, pos, land, p, cardAt(pos, o, p, pos.size(p) - 1), 0, out);
}

namespace
{

// With nothing sent home on the way, k presses turn the stock's top k cards onto the waste in the order
// they come up, and a redeal turns the waste back over: done here at once rather than card by card.
bool turnsAtOnce(const GameRules &g)
{
    return !g.autoplay && !g.removeSuits && !g.dealRows && !g.stockFaceUp && g.stock >= 0 &&
           g.waste == g.stock + 1;
}

void turnStock(const GameRules &g, Position &pos, int k)
{
    const int st = pos.size(g.stock), w = pos.size(g.waste);
    uint8_t *base = pos.cards.data() + pos.offset(g.stock);
    std::rotate(base + st - k, base + st, base + st + w);
    std::reverse(base + st - k + w, base + st + w);
    for (int i = st - k + w; i < st + w; ++i)
        base[i] = static_cast<uint8_t>(base[i] & ~kDownBit);
    pos.len[static_cast<size_t>(g.stock)] = static_cast<uint8_t>(st - k);
    pos.len[static_cast<size_t>(g.waste)] = static_cast<uint8_t>(w + k);
}

void turnWasteOver(const GameRules &g, Position &pos)
{
    const int st = pos.size(g.stock), w = pos.size(g.waste);
    uint8_t *base = pos.cards.data() + pos.offset(g.waste);
    std::reverse(base, base + w);
    for (int i = 0; i < w; ++i)
        base[i] = static_cast<uint8_t>(base[i] | kDownBit);
    pos.len[static_cast<size_t>(g.stock)] = static_cast<uint8_t>(st + w);
    pos.len[static_cast<size_t>(g.waste)] = 0;
}

} // namespace

void applyMove(const GameRules &g, Position &pos, const Move &m)
{
    if (m.kind != MoveKind::Redeal && (m.pressesBefore > 0 || m.redealFirst || m.presses > 0)) {
        const bool atOnce = turnsAtOnce(g) && m.pressesBefore <= pos.size(g.stock);
        if (atOnce)
            turnStock(g, pos, m.pressesBefore);
        else
            for (int i = 0; i < m.pressesBefore; ++i)
                applyMove(g, pos, Move::press());
        if (m.redealFirst)
            applyMove(g, pos, Move::redeal());
        if (atOnce && m.presses <= pos.size(g.stock))
            turnStock(g, pos, m.presses);
        else
            for (int i = 0; i < m.presses; ++i)
                applyMove(g, pos, Move::press());
    }
    switch (m.kind) {
    case MoveKind::Drag:
        moveCards(g, pos, m.from, m.to, m.count, true, true);
        break;
    case MoveKind::Stock:
        if (g.dealRows) {
            for (int i = 0; i < g.home && pos.size(g.stock) > 0; ++i)
                moveCards(g, pos, g.stock, i, 0, true, true);
        } else if (g.waste >= 0) {
            moveCards(g, pos, g.stock, g.waste, 0, true, true);
        }
        break;
    case MoveKind::Redeal:
        if (turnsAtOnce(g))
            turnWasteOver(g, pos);
        else
            while (pos.size(g.waste) > 0)
                moveCards(g, pos, g.waste, g.stock, 0, false, false);
        if (pos.redealsLeft > 0)
            --pos.redealsLeft;
        break;
    }
}

void appendSteps(const Move &m, std::vector<Move> &out)
{
    out.insert(out.end(), m.pressesBefore, Move::press());
    if (m.redealFirst)
        out.push_back(Move::redeal());
    out.insert(out.end(), m.presses, Move::press());
    Move last = m;
    last.pressesBefore = last.presses = 0;
    last.redealFirst = false;
    out.push_back(last);
}

std::string moveCommand(const GameRules &g, const Move &m)
{
    std::vector<Move> steps;
    appendSteps(m, steps);
    std::string lines;
    for (const Move &s : steps) {
        if (!lines.empty())
            lines += "\n";
        if (s.kind == MoveKind::Stock)
            lines += "stock";
        else if (s.kind == MoveKind::Redeal)
            lines += "marker";
        else
            lines += "drag " + std::to_string(s.card) + " " + std::to_string(g.cellOf(s.to)) + " " +
                     std::to_string(g.engineIndex(s.to));
    }
    return lines;
}

namespace
{

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

} // namespace

bool dragAt(const GameRules &g, const Position &pos, int p, int k, int to, Move &m)
{
    const bool stockCard = p == g.stock || p == g.waste;
    const int off = p == g.stock && !g.stockFaceUp ? g.waste : p;
    m = Move::drag(cardOf(pos.at(p, k)), off, to, stockCard ? 0 : pos.size(p) - k - 1);
    return !stockCard || bringUp(g, pos, p, k, m);
}

} // namespace tess::solve
