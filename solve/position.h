// A compact copy of a game in play, the shape of a move on it, and the key that files it among positions
// already seen.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "solve/rules.h"

namespace tess::solve
{

enum class MoveKind : std::uint8_t { Drag, Stock, Redeal };

struct Move {
    MoveKind kind = MoveKind::Drag;
    std::uint8_t card = 0;  // the grabbed card
    std::uint8_t from = 0;  // pile index
    std::uint8_t to = 0;    // pile index
    std::uint8_t count = 0; // cards carried above the grabbed one
    // A drag or press may first turn the stock: presses to its end, a redeal, more presses.
    std::uint8_t pressesBefore = 0;
    bool redealFirst = false;
    std::uint8_t presses = 0;
    bool operator==(const Move &) const = default;

    // A press on the stock; `stock` names the pile where a list of moves says where it is made.
    static constexpr Move press(int stock = 0)
    {
        return {MoveKind::Stock, 0, static_cast<std::uint8_t>(stock), 0, 0, 0, false, 0};
    }
    // The waste turned back over onto the stock; piles as for a press.
    static constexpr Move redeal(int waste = 0, int stock = 0)
    {
        return {MoveKind::Redeal,
                0,
                static_cast<std::uint8_t>(waste),
                static_cast<std::uint8_t>(stock),
                0,
                0,
                false,
                0};
    }
    // Card `card` grabbed on pile `from` with `count` more above it, dropped on pile `to`.
    static constexpr Move drag(int card, int from, int to, int count)
    {
        return {MoveKind::Drag,
                static_cast<std::uint8_t>(card),
                static_cast<std::uint8_t>(from),
                static_cast<std::uint8_t>(to),
                static_cast<std::uint8_t>(count),
                0,
                false,
                0};
    }
};

// Every pile's cards bottom to top, back to back; a card is its control number, kDownBit when face down.
struct Position {
    std::array<std::uint8_t, kMaxCards> cards{};
    std::array<std::uint8_t, kPiles> len{};
    std::int8_t redealsLeft = 0; // -1: no limit
    std::uint8_t goalCards = 0;

    bool operator==(const Position &) const = default;

    int offset(int p) const
    {
        int o = 0;
        for (int i = 0; i < p; ++i)
            o += len[static_cast<size_t>(i)];
        return o;
    }
    int size(int p) const { return len[static_cast<size_t>(p)]; }
    // Card byte at place k of pile p (0 the bottom).
    std::uint8_t at(int p, int k) const { return cards[static_cast<size_t>(offset(p) + k)]; }
    int top(int p) const { return len[static_cast<size_t>(p)] == 0 ? -1 : cardOf(at(p, size(p) - 1)); }
    bool won(const GameRules &g) const { return goalCards == g.totalCards; }

    // The 64-bit key under which piles that behave alike are one set.
    std::uint64_t key(const GameRules &g) const;
    // A key of pile p's cards alone.
    std::uint64_t pileKey(int p) const;
};

// Where each pile's cards begin, worked out once for a position that stays as it is.
struct Offsets {
    std::array<int, kPiles + 1> at{};
    Offsets(const GameRules &g, const Position &pos)
    {
        for (int p = 0; p < g.pileCount(); ++p)
            at[static_cast<size_t>(p + 1)] = at[static_cast<size_t>(p)] + pos.len[static_cast<size_t>(p)];
    }
    int operator[](int p) const { return at[static_cast<size_t>(p)]; }
};

// Card byte at place k of pile p, the pile found through o.
inline std::uint8_t cardAt(const Position &pos, const Offsets &o, int p, int k)
{
    return pos.cards[static_cast<size_t>(o[p] + k)];
}

Position positionOf(const Engine &e, const GameRules &g);
// A position laid out by hand: piles[p] bottom to top, card bytes as in Position.
Position makePosition(const GameRules &g, const std::vector<std::vector<std::uint8_t>> &piles,
                      std::int8_t redealsLeft);

// Every card in the foundations.
CardSet homeCards(const GameRules &g, const Position &pos);

// Every card some foundation would take now.
CardSet wantedCards(const GameRules &g, const Position &pos);
CardSet wantedCards(const GameRules &g, const Position &pos, const Offsets &o);

// One card turned per press: whether pressing the stock and redealing only move the split between stock
// and waste, with nothing sent home on the way, so that every split is reached from every other.
bool stockTurnsOneByOne(const GameRules &g);
bool stockCyclesFreely(const GameRules &g, const Position &pos);

} // namespace tess::solve
