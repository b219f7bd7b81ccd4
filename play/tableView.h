// The one interface through which the engine tells the screen what happened.
// Headless, every call does nothing and animation costs nothing.
#pragma once

#include <string>

#include "model/numeric.h"

namespace tess
{

// The marker arrays of the table.
enum class MarkerArray { Home, Goal, Res, Waste, Stock };

// How far the screen draws a place of a pile from where the layout puts it (twips): a fan
// drawn closer together so it stays inside the window.
struct PlaceShift {
    double x = 0;
    double y = 0;
};

class TableView
{
  public:
    virtual ~TableView() = default;
    // Drops are judged where the player sees the cards, so every hit test reads this.
    virtual PlaceShift shownShift(int /*cell*/, int /*pile*/, int /*pos*/) const { return {}; }
    // Where a card coming to rest at a place will be drawn once it lies there: an animated
    // card travels to it, not to the layout place, so it never jumps at the end.
    virtual PlaceShift landingShift(int cell, int pile, int pos) const { return shownShift(cell, pile, pos); }
    // A card's top-left corner moved (twips); during animation once per step.
    virtual void cardMoved(int /*picId*/, double /*left*/, double /*top*/) {}
    virtual void cardRaised(int /*picId*/) {}
    virtual void cardShown(int /*picId*/, bool /*visible*/) {}
    // Value, face or selection changed: the card must be drawn again.
    virtual void cardFaceChanged(int /*picId*/) {}
    virtual void markerPlaced(MarkerArray /*array*/, int /*index*/, int /*kind*/, i16 /*left*/, i16 /*top*/)
    {
    }
    virtual void markerKindChanged(MarkerArray /*array*/, int /*index*/, int /*kind*/) {}
    virtual void allHidden() {}
    virtual void repaint() {}
    // One intermediate position of an animated move has been set: show it for a moment.
    virtual void animationStep() {}
    // Lets window events run between the cards of a deal.
    virtual void processEvents() {}
    // True when animation steps are drawn; a headless view skips them entirely.
    virtual bool animates() const { return false; }
    virtual void playSound(const std::string & /*name*/) {}
};

// What the engine needs from the running program.
class EngineHost
{
  public:
    virtual ~EngineHost() = default;
    virtual bool gameRunning() const = 0;
    virtual i16 autoplaySetting() const = 0;
    // Every card of the deal is home: the game is won.
    virtual void gameWon() = 0;
};

} // namespace tess
