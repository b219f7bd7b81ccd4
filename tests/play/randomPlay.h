// Random legal play against the engine, for the soak test and the benchmarks. Moves are found with the
// engine's own checks and made the way a player makes them: press, carry, release.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "play/cTrans.h"
#include "play/engine.h"
#include "play/mFunc.h"
#include "play/mPlay.h"

namespace tess::randomplay
{

// A fixed generator: the same sequence with every standard library.
class Rng
{
  public:
    explicit Rng(std::uint64_t seed) : s_(seed) {}
    std::uint32_t next()
    {
        std::uint64_t z = (s_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return static_cast<std::uint32_t>((z ^ (z >> 31)) >> 32);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint32_t>(n)); }

  private:
    std::uint64_t s_;
};

struct Source {
    int card, cell, pile, count;
};

// Every card a press would pick up now, with the count carried above it.
inline void sources(const Engine &e, std::vector<Source> &out)
{
    out.clear();
    const cGames &g = e.Games;
    const cArray &a = e.Array;
    const int carry = isFreecellTag(g.Tag()) ? MaxCarriedCards(e) : 1 << 20;
    const bool ak = g.AK(Home) != 0;
    for (int i = 0; i < g.Piles(Home); ++i) {
        const int t = a.GetTop(Home, i);
        if (t < 0)
            continue;
        out.push_back({a.GetPicID(Home, i, t), Home, i, 0});
        if (g.MultiMove() == 0)
            continue;
        // A run from p is whole when the run from p + 1 is and p's card takes the next one.
        for (int p = t - 1; p >= 0 && t - p <= carry; --p) {
            const int c = a.GetPicID(Home, i, p);
            if (CardFaceMode(e, c) != 0 || !FitsOrder(e, c, a.GetPicID(Home, i, p + 1), g.MultiOrder(), ak))
                break;
            out.push_back({c, Home, i, t - p});
        }
    }
    if (a.GetTop(Waste, 0) >= 0)
        out.push_back({a.GetTopPicID(Waste, 0), Waste, 0, 0});
    if (g.StockType() == 1 && a.GetTop(Stock, 0) >= 0)
        out.push_back({a.GetTopPicID(Stock, 0), Stock, 0, 0});
    for (int cell : {Res, Goal})
        for (int i = 0; i < g.Piles(cell); ++i)
            if (a.GetTop(cell, i) >= 0)
                out.push_back({a.GetTopPicID(cell, i), cell, i, 0});
}

// The piles that accept the source's card when it is released over them.
inline void targets(const Engine &e, const Source &s, std::vector<std::pair<int, int>> &out)
{
    out.clear();
    const cGames &g = e.Games;
    const cArray &a = e.Array;
    const int num = CardNum(e, s.card);
    for (int i = 0; i < g.Piles(Home); ++i) {
        if (s.cell == Home && s.pile == i)
            continue;
        const int t = a.GetTop(Home, i);
        if (t < 0 ? (g.EmptyNum() == -1 || g.EmptyNum() == num)
                  : FitsOrder(e, a.GetPicID(Home, i, t), s.card, g.Order(Home, i), g.AK(Home) != 0))
            out.emplace_back(Home, i);
    }
    if (s.count == 0 && g.ResNum() == -1)
        for (int i = 0; i < g.Piles(Res); ++i)
            if (a.GetTop(Res, i) < 0)
                out.emplace_back(Res, i);
    if (s.count == 0 && !isSpiderTag(g.Tag()))
        for (int i = 0; i < g.Piles(Goal); ++i)
            if (!(s.cell == Goal && s.pile == i) && FoundationAccepts(e, i, s.card))
                out.emplace_back(Goal, i);
}

// Presses the card at its corner, carries it onto the slot a release tests for that pile, lets go.
inline void dragTo(Engine &e, int card, int cell, int pile)
{
    const int slotPos = cell == Home ? e.Array.GetTop(cell, pile) : 0;
    CardPress(e, card, 0, 0);
    CardMove(e, card, e.Array.CordX(cell, pile, slotPos) - e.card(card).Left,
             e.Array.CordY(cell, pile, slotPos) - e.card(card).Top);
    CardRelease(e, card);
}

enum class Action { Nothing, Drag, Stock, Marker, Undo, Redo };

class Player
{
  public:
    explicit Player(std::uint64_t seed) : rng(seed) {}
    Rng rng;

    // One step: mostly legal drags and stock presses, now and then a marker press, an undo or a redo.
    Action step(Engine &e)
    {
        const int r = rng.below(100);
        i16 speed = 0;
        if (r < 8 && e.Trans->UndoPossible()) {
            e.Trans->Undo(speed);
            return Action::Undo;
        }
        if (r < 11 && e.Trans->RedoPossible()) {
            e.Trans->Redo(speed);
            return Action::Redo;
        }
        if (r < 14) {
            StockMarkerPress(e);
            return Action::Marker;
        }
        if (r < 34 && pressStock(e))
            return Action::Stock;
        if (drag(e))
            return Action::Drag;
        if (pressStock(e))
            return Action::Stock;
        if (e.Trans->UndoPossible()) {
            e.Trans->Undo(speed);
            return Action::Undo;
        }
        return Action::Nothing;
    }

  private:
    std::vector<Source> sources_;
    std::vector<std::pair<int, int>> targets_;

    bool pressStock(Engine &e)
    {
        if (e.Games.StockType() == 1 || e.Array.GetTop(Stock, 0) < 0)
            return false;
        const int top = e.Array.GetTopPicID(Stock, 0);
        CardPress(e, top, 0, 0);
        CardRelease(e, top);
        return true;
    }

    bool drag(Engine &e)
    {
        sources(e, sources_);
        if (sources_.empty())
            return false;
        const int n = static_cast<int>(sources_.size());
        const int first = rng.below(n);
        for (int k = 0; k < n; ++k) {
            const Source &s = sources_[static_cast<size_t>((first + k) % n)];
            targets(e, s, targets_);
            if (targets_.empty())
                continue;
            const auto &[cell, pile] =
                targets_[static_cast<size_t>(rng.below(static_cast<int>(targets_.size())))];
            dragTo(e, s.card, cell, pile);
            return true;
        }
        return false;
    }
};

} // namespace tess::randomplay
