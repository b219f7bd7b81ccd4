// The owner of the five program-wide objects. One instance in the running program;
// every test builds its own, so nothing is reached through hidden statics.
#pragma once

#include <memory>

#include "app/stores.h"
#include "play/engine.h"
#include "store/cData.h"
#include "store/cScore.h"

namespace tess
{

namespace solve
{
class WinnableKeys;
}

struct Shared {
    // Settings first: everything else reads it.
    explicit Shared(std::unique_ptr<cData> data) : Data(std::move(data)) { catalogue::Init(*Data); }

    // The rest come with the main window.
    void createGameObjects()
    {
        Eng = std::make_unique<Engine>();
        Score = std::make_unique<cScore>(*Data);
    }

    // Released in the program's fixed order: settings, descriptor, log, piles, scores.
    void release()
    {
        Data.reset();
        Eng.reset();
        Score.reset();
    }

    // The statistics and favourites windows see the stores alone.
    operator Stores() const { return Stores{Data, Score}; }

    std::unique_ptr<cData> Data;
    std::unique_ptr<Engine> Eng; // cGames, cArray and cTrans live here
    std::unique_ptr<cScore> Score;
    // The deals proved winnable ahead of time; none, and every winnable deal is searched for.
    const solve::WinnableKeys *Winnable = nullptr;
};

} // namespace tess
