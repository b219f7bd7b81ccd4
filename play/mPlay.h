// Mouse play, stock play, autoplay and the win check.
#pragma once

#include "model/numeric.h"

namespace tess
{

class Engine;

// Mouse events on a card control; x and y are twips inside the card.
void CardPress(Engine &e, int picId, double x, double y);
void CardMove(Engine &e, int picId, double x, double y);
void CardRelease(Engine &e, int picId);

// Whether a press on the card picks it up, with the cards above it on a tableau pile: the one rule
// for what may be carried, whatever carries it.
bool MayPickUp(const Engine &e, int picId);
void CardMouseDown(Engine &e, int picId, int cell, int pile, int pos);
void DragCards(Engine &e, int picId, int pile, int pos, double x, double y);
void DropCards(Engine &e, int picId, int cell, int pile, int pos);
void ReturnCards(Engine &e, int picId, int pile, int pos);

// Stock and waste.
void TurnToWaste(Engine &e);
void DealRow(Engine &e);
void StockMarkerPress(Engine &e);
void RedealStock(Engine &e);
void RefreshStockMarker(Engine &e);

// Autoplay and the win.
void RunAutoplay(Engine &e);
bool AutoMoveHome(Engine &e, int picId);
void CheckForWin(Engine &e);

} // namespace tess
