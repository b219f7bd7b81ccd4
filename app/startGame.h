// How a window asks for a game to be dealt: the selection dialogs and the favourites both start
// games through the session flow, and neither needs the other to say so.
#pragma once

#include <functional>

#include <QString>

#include "model/gameNumber.h"

namespace tess
{

// Starts a game through the session flow.
using StartGameFn = std::function<void(const QString &name, const GameNumber &number)>;

} // namespace tess
