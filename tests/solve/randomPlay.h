// Random legal play against the engine, for the soak test and the benchmarks. Moves are the solver's,
// which asks the engine's own rule checks, and are made the way a player makes them: press, carry,
// release.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "play/cTrans.h"
#include "play/engine.h"
#include "play/mFunc.h"
#include "play/mPlay.h"
#include "solve/drive.h"
#include "solve/moves.h"

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
    std::vector<solve::Move> moves_;
    // Working out the rules costs a pass over every pile and card pair: once a deal, not once a step.
    std::vector<i16> dealKey_;
    std::unique_ptr<solve::GameRules> rules_;

    const solve::GameRules &rulesFor(Engine &e)
    {
        std::vector<i16> key{e.Games.TotalCards(), e.GoalBase, e.host().autoplaySetting()};
        for (int i = 0; i < e.Games.TotalCards(); ++i) {
            const CardAttrs a = CardAttrsOf(e, i);
            key.push_back(a.Num);
            key.push_back(a.Suitpile);
        }
        if (!rules_ || key != dealKey_) {
            rules_ = std::make_unique<solve::GameRules>(solve::rulesOf(e, e.host().autoplaySetting() != 0));
            dealKey_ = std::move(key);
        }
        return *rules_;
    }

    bool pressStock(Engine &e)
    {
        if (e.Games.StockType() == 1 || e.Array.GetTop(Stock, 0) < 0)
            return false;
        solve::pressStock(e);
        return true;
    }

    bool drag(Engine &e)
    {
        const solve::GameRules &g = rulesFor(e);
        solve::generateMoves(g, solve::positionOf(e, g), moves_);
        std::erase_if(moves_, [](const solve::Move &m) { return m.kind != solve::MoveKind::Drag; });
        if (moves_.empty())
            return false;
        const solve::Move &m = moves_[static_cast<size_t>(rng.below(static_cast<int>(moves_.size())))];
        solve::dragTo(e, m.card, g.cellOf(m.to), g.engineIndex(m.to));
        return true;
    }
};

} // namespace tess::randomplay
