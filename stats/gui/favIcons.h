// The row pictures of the two favourites windows.
#pragma once

#include <QIcon>

namespace tess::favicons
{

// A game row: a small fan of cards.
QIcon game();
// A stored number: a star.
QIcon number();

} // namespace tess::favicons
