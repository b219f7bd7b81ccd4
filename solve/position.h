// A compact copy of a game in play, and the moves a player can make on it with the mouse.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/cGames.h"
#include "model/cards.h"

namespace tess
{
class Engine;
}

namespace tess::solve
{

constexpr int kPiles = 32;              // tableau, reserve, foundation, stock, waste
constexpr std::uint8_t kDownBit = 0x80; // bit on a card byte

// A set of cards: bit c stands for card c.
using CardSet = std::array<std::uint64_t, 2>;
inline bool inSet(const CardSet &s, int card)
{
    return (s[static_cast<size_t>(card >> 6)] >> (card & 63)) & 1u;
}
inline void addToSet(CardSet &s, int card)
{
    s[static_cast<size_t>(card >> 6)] |= std::uint64_t{1} << (card & 63);
}
inline void addAll(CardSet &s, const CardSet &more)
{
    s[0] |= more[0];
    s[1] |= more[1];
}

// What a position needs to know of its game: fixed for a whole deal.
struct GameRules {
    int home = 0, res = 0, goal = 0; // pile counts
    int stock = -1, waste = -1;      // pile indexes, -1 when the game has none
    int totalCards = 0;
    cGames games; // the descriptor the engine's rule checks read
    std::array<CardAttrs, kMaxCards> card{};
    std::array<i32, kPiles> order{};        // build order of each foundation pile
    std::array<i16, kPiles> foundingRank{}; // what an empty foundation pile takes
    bool multiMove = false;
    bool removeSuits = false;
    i32 spiderOrder = 0; // the order a completed suit is checked by
    int goalDiv = 0;
    bool stockFaceUp = false; // the stock's top card is dragged, never turned
    bool dealRows = false;    // a stock press deals one card on every tableau pile
    bool autoplay = false;

    // What a card may be dropped on, worked out once per deal.
    std::vector<CardSet> takes; // tableau and foundation piles, by pile and the card on top (none first)
    std::vector<CardSet> links; // by card: the cards that carry a run on from it
    // By card: every card that could come to rest on it in the tableau, straight on or through others.
    std::vector<CardSet> holds;
    // Without autoplay and with one card of each face, a card nothing outside the foundations could need
    // as a holder goes home without a choice being searched.
    bool safeHoming = false;
    // Without autoplay, any run can be carried and whatever is built on a run moves with it: a run moved
    // off a face-up card or out of its pile can wait until that card or pile is used.
    bool runsWait = false;
    bool oneOfEach = false; // no two cards of one face
    // Whatever a tableau pile takes carries a run on, and no two cards carry one on from each other.
    bool buildsAreRuns = false;
    // By card: the cards it may rest on in the tableau, and the foundation cards it may follow.
    std::vector<CardSet> restsOn, follows;
    CardSet emptyTableauTakes{}, emptyFoundationTakes{};
    void prepare();
    // Autoplay on or off, with what that allows the search; the rest of the game stays.
    void setAutoplay(bool on);
    // Whether pile p, with card `top` on it (-1 when empty), takes `card`; a full foundation is the
    // caller's to refuse.
    bool pileTakes(int p, int top, int card) const
    {
        return inSet(takes[static_cast<size_t>(p * (kMaxCards + 1) + top + 1)], card);
    }
    bool runLinks(int lower, int upper) const { return inSet(links[static_cast<size_t>(lower)], upper); }

    // Where pile index p lies in the engine: cell and pile.
    int cellOf(int p) const;
    int engineIndex(int p) const;
    int pileOf(int cell, int pile) const;
    bool isHome(int p) const { return p < home; }
    bool isRes(int p) const { return p >= home && p < home + res; }
    bool isGoal(int p) const { return p >= home + res && p < home + res + goal; }
    int firstGoal() const { return home + res; }
    int pileCount() const { return home + res + goal + (stock >= 0) + (waste >= 0); }
};

// Built from the engine's game descriptor and its dealt cards; autoplay as the host has it.
GameRules rulesOf(const Engine &e, bool autoplay);

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
    int top(int p) const { return len[static_cast<size_t>(p)] == 0 ? -1 : at(p, size(p) - 1) & 0x7f; }
    bool won(const GameRules &g) const { return goalCards == g.totalCards; }

    // The 64-bit key under which piles that behave alike are one set.
    std::uint64_t key(const GameRules &g) const;
    // A key of pile p's cards alone.
    std::uint64_t pileKey(int p) const;
};

Position positionOf(const Engine &e, const GameRules &g);
// A position laid out by hand: piles[p] bottom to top, card bytes as in Position.
Position makePosition(const GameRules &g, const std::vector<std::vector<std::uint8_t>> &piles,
                      std::int8_t redealsLeft);

// Where a card could be dropped now: the tableau and foundation piles whose top, or emptiness, takes it.
class Landing
{
  public:
    Landing(const GameRules &g, const Position &pos);
    // Bit p for each such pile other than `from`; a full foundation takes nothing.
    std::uint32_t piles(int card, int from) const;

  private:
    const GameRules &g_;
    std::array<std::int8_t, kMaxCards> pileOf_; // the pile a card is on top of
    std::uint32_t empty_ = 0;
    CardSet anyTakes_{}; // every card some such pile takes
};

// Every move the mouse can make now, in no particular order; with a mask (bit p for pile p), only the
// drags onto those piles.
void generateMoves(const GameRules &g, const Position &pos, std::vector<Move> &out,
                   std::uint32_t toMask = ~0u);
void generateMoves(const GameRules &g, const Position &pos, const Landing &land, std::vector<Move> &out,
                   std::uint32_t toMask = ~0u);
// Makes the move with every effect the engine adds: a face-down card turned, autoplay, a suit leaving.
void applyMove(const GameRules &g, Position &pos, const Move &m);

// Every drag of the top card of pile p that a release accepts.
void generateDragsFrom(const GameRules &g, const Position &pos, const Landing &land, int p,
                       std::vector<Move> &out);

// Every card in the foundations.
CardSet homeCards(const GameRules &g, const Position &pos);

// Whether `card` is one no card outside the foundations could ever need to rest on.
inline bool neededByNone(const GameRules &g, const CardSet &home, int card)
{
    const CardSet &h = g.holds[static_cast<size_t>(card)];
    return (h[0] & ~home[0]) == 0 && (h[1] & ~home[1]) == 0;
}

// Whether some card can never go home, even if every move the rules allow were open at any time: the
// stock and free cells hand out any card whenever asked, and a card may move whenever a place for it is
// ever uncovered. True proves the game lost from here.
bool provedStuck(const GameRules &g, const Position &pos);

// Every card some foundation would take now.
CardSet wantedCards(const GameRules &g, const Position &pos);

// One card turned per press: whether pressing the stock and redealing only move the split between stock
// and waste, with nothing sent home on the way, so that every split is reached from every other.
bool stockTurnsOneByOne(const GameRules &g);
bool stockCyclesFreely(const GameRules &g, const Position &pos);

// The move as the player makes it, one press, redeal or drag a step, added to out.
void appendSteps(const Move &m, std::vector<Move> &out);

// The move as lines of `tessaline-cli play`, one per press or drag, joined by newlines.
std::string moveCommand(const GameRules &g, const Move &m);

} // namespace tess::solve
