// Depth-first search for a won game from a position, with a table of positions already seen.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "solve/position.h"

namespace tess::solve
{

enum class Verdict { Won, Lost, Unknown };

const char *verdictName(Verdict v);

struct Limits {
    long long nodes = 20'000'000;  // positions made
    long long milliseconds = 1000; // wall time; 0 for none
    // Memory for the table of seen positions; the narrow pass keeps a table of an eighth of this beside it,
    // and the best-first pass another eighth and up to half of this for the positions it holds.
    std::size_t tableBytes = 64u << 20;
    // The engine logs each card it moves in a 16-bit count: a won line must fit, with room to spare.
    long long loggedMoves = 30000;
    const std::atomic<bool> *cancel = nullptr;
};

struct Result {
    Verdict verdict = Verdict::Unknown;
    std::vector<Move> moves; // the winning line when won
    long long nodes = 0;
    std::size_t stored = 0; // positions in the table at the end
    double seconds = 0;
};

// Lost is claimed only when every reachable position was searched; a limit hit answers unknown.
Result solvePosition(const GameRules &g, const Position &start, const Limits &limits);

// What must follow a move that serves only the next one: a move that builds on pile `onto`, or sends the
// top card of pile `from` home. -1: no such pile.
struct Need {
    int onto = -1;
    int from = -1;
    bool any() const { return onto >= 0 || from >= 0; }
};

// The need a move leaves behind. Without autoplay, a line that lays a card from the stock, moves a run off
// the face-up card it is built on, or moves a whole pile onto another, can hold that move back until just
// before the one that uses it, so the search tries it only there.
Need needAfter(const GameRules &g, const Position &pos, const Move &m);

// The moves in the order the search tries them, with those that can never help left out. A narrow list
// also leaves out moves that seldom help; a need keeps only the moves that meet it.
void orderedMoves(const GameRules &g, const Position &pos, std::vector<Move> &out, bool narrow = false,
                  Need need = {});

// A set of 64-bit keys with open addressing; 0 stands for an empty slot.
class KeyTable
{
  public:
    explicit KeyTable(std::size_t maxBytes);
    // Inserted now (true), already there (false); throws nothing, answers false with full() set when out of
    // room.
    bool insert(std::uint64_t key);
    bool contains(std::uint64_t key) const;
    bool full() const { return full_; }
    std::size_t size() const { return size_; }
    static constexpr std::size_t kBytesPerSlot = sizeof(std::uint64_t);

  private:
    // Where key lies, or the empty slot it would take.
    std::size_t slotOf(std::uint64_t key) const;
    void grow();
    std::vector<std::uint64_t> slots_;
    std::size_t size_ = 0;
    std::size_t maxSlots_;
    bool full_ = false;
};

} // namespace tess::solve
