// What the solver knows of a game: its piles and what each takes, fixed for a whole deal.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "model/cGames.h"
#include "model/cards.h"

namespace tess
{
class Engine;
}

namespace tess::solve
{

constexpr int kPiles = 32;               // tableau, reserve, foundation, stock, waste
constexpr std::uint8_t kDownBit = 0x80;  // bit on a card byte: the card lies face down
constexpr std::uint8_t kCardBits = 0x7f; // the rest of the byte: the card's control number

// The card a card byte stands for, whichever way up it lies.
constexpr int cardOf(std::uint8_t b)
{
    return b & kCardBits;
}

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
    std::vector<CardSet> heldBy; // by card: the cards that could come to rest straight on it in the tableau
    // Without autoplay and with one card of each face, a card nothing outside the foundations could need
    // as a holder goes home without a choice being searched.
    bool safeHoming = false;
    // Foundations climb by suit from the Ace and a tableau card takes only the other colour one rank
    // lower, one card of each face: then a card may also go home unsearched when what could rest on it
    // can itself go home, and so can what could rest on that (see homesSafely).
    bool homeByRank = false;
    // Without autoplay, any run can be carried and whatever is built on a run moves with it: a run moved
    // off a face-up card or out of its pile can wait until that card or pile is used.
    bool runsWait = false;
    bool oneOfEach = false; // no two cards of one face
    // Where foundations climb by suit, any run moves as one and the tableau takes the other colour one
    // rank lower, a run split off a face-up card onto another card only hands the uncovered card's place
    // to its twin, which the twin's own pile offers as well: such a split is searched only when the card
    // it uncovers can go home, and then it must.
    bool splitsToHome = false;
    // Whatever a tableau pile takes carries a run on, and no two cards carry one on from each other.
    bool buildsAreRuns = false;
    // By card: the cards it may rest on in the tableau, and the foundation cards it may follow.
    std::vector<CardSet> restsOn, follows;
    CardSet emptyTableauTakes{}, emptyFoundationTakes{};
    void prepare();
    // Autoplay on or off, with what that allows the search; the rest of the game stays.
    void setAutoplay(bool on);
    // What pile p takes with card `top` on it (-1 when empty); a full foundation is the caller's to refuse.
    const CardSet &takesOn(int p, int top) const
    {
        return takes[static_cast<size_t>(p * (kMaxCards + 1) + top + 1)];
    }
    bool pileTakes(int p, int top, int card) const { return inSet(takesOn(p, top), card); }
    bool runLinks(int lower, int upper) const { return inSet(links[static_cast<size_t>(lower)], upper); }

    // Where pile index p lies in the engine: cell and pile.
    int cellOf(int p) const;
    int engineIndex(int p) const;
    int pileOf(int cell, int pile) const
    {
        switch (cell) {
        case Home:
            return pile;
        case Res:
            return home + pile;
        case Goal:
            return home + res + pile;
        case Stock:
            return stock;
        default:
            return waste;
        }
    }
    bool isHome(int p) const { return p < home; }
    bool isRes(int p) const { return p >= home && p < home + res; }
    bool isGoal(int p) const { return p >= home + res && p < home + res + goal; }
    int firstGoal() const { return home + res; }
    int pileCount() const { return home + res + goal + (stock >= 0) + (waste >= 0); }
};

// Built from the engine's game descriptor and its dealt cards; autoplay as the host has it.
GameRules rulesOf(const Engine &e, bool autoplay);

} // namespace tess::solve
