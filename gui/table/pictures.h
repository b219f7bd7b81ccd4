// Every picture the program shows, drawn by our own code and kept once drawn:
// card faces, pile markers, card backs, table textures, and the table background.
#pragma once

#include <QImage>

#include "model/numeric.h"

namespace tess
{

// Every lookup belongs to the GUI thread (the kept pictures are not guarded).
// Pictures of cards, markers and backs are 71 x 96 logical pixels; at a device pixel
// ratio dpr their pixel size is scaled by dpr and they carry that ratio.

// Face 1..52 (suit * 13 + rank + 1: hearts, spades, diamonds, clubs; Ace to King);
// a null image outside.
QImage MainPic(int index, qreal dpr);

// Pile marker by kind 0..17; a null image outside.
QImage RightPic(int kind, qreal dpr);

// A card back (501..545) or a table texture tile (1..73) by id; a null image for an id
// that names neither.
QImage GetPic(int id, qreal dpr);

// The back for a deck setting; an id that names no back gives the default back 531.
QImage DeckPic(int deckIndex, qreal dpr);

// Paints the table background into target: ind <= 999 tiles texture ind from the top
// left corner, 1000 the custom colour's gradient, above 1000 a named colour's gradient;
// mFade 1 fades to black at the bottom, anything else paints flat. An index (or custom
// colour) that names nothing paints the default, named colour 1007, with mFade.
// Texture tiles are drawn tileScale times their design size (the table's scale).
void SetBG(int ind, QImage &target, int mFade, i32 CustColor, qreal tileScale = 1);

// The ratio at which a card picture fills exactly cardWidth logical pixels on a screen of
// ratio dpr: the picture is then copied pixel for pixel, never resampled.
qreal cardPictureRatio(int cardWidth, qreal dpr);

// The width in device pixels after which SetBG's picture repeats across (every row of a
// gradient is one colour, so 1); a target a multiple of it wide is a strip of the whole.
int BackgroundPeriod(int ind, qreal dpr);

// Drops every kept picture (the next lookups draw afresh).
void clearPictureCache();

} // namespace tess
