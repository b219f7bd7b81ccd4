// The row pictures of the two favourites windows.
#pragma once

#include <QIcon>
#include <QTreeWidget>

namespace tess
{
class cScore;
}

namespace tess::favicons
{

// A game row: a small fan of cards.
QIcon game();
// A stored number: a star.
QIcon number();

// Lists the stored numbers of one game, in file order; returns the last row, or null.
QTreeWidgetItem *fillNumbers(QTreeWidget *list, const cScore &score, const QString &gameName);

} // namespace tess::favicons
