// The status captions in the menu bar's corner: score, time, moves and the solver's hint line.
#pragma once

#include <QLabel>
#include <QMenuBar>

namespace tess
{

struct StatusCaptions {
    QLabel *hint = nullptr, *score = nullptr, *time = nullptr, *moves = nullptr;
};

// Puts the captions at the right end of the menu bar, the hint line first, and returns them.
StatusCaptions addStatusCaptions(QMenuBar *bar);

} // namespace tess
