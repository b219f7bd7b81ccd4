// The program's own artwork that is not a card: word-mark, icon, toolbar symbols.
#pragma once

#include <QIcon>
#include <QImage>
#include <QString>

namespace tess::brand
{

// The word-mark "Tessaline" with a small fan of cards, on transparent ground.
QImage wordMark(qreal dpr = 1.0);
// The window icon: a fan of three cards.
QIcon appIcon();
// Toolbar symbols by button key ("New", "Select", "Restart", "Autoplay", "Undo", "Redo",
// "Back", "ReplayStop", "Forward", "Statistics", "Help", "Close", "Highscore").
QIcon toolIcon(const QString &key);

} // namespace tess::brand
