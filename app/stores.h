// What the statistics and favourites windows use of the program-wide objects: the settings
// and the score store, and nothing of the engine.
#pragma once

#include <memory>

#include "store/cData.h"
#include "store/cScore.h"

namespace tess
{

// The owner's slots rather than the objects: the stores are released at shut-down, and a
// window still closing then must be able to see that they are gone.
struct Stores {
    const std::unique_ptr<cData> &Data;
    const std::unique_ptr<cScore> &Score;
};

} // namespace tess
