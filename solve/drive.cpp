#include "solve/drive.h"

#include "play/engine.h"
#include "play/mPlay.h"

namespace tess::solve
{

void dragTo(Engine &e, int card, int cell, int pile)
{
    const int slotPos = cell == Home ? e.Array.GetTop(cell, pile) : 0;
    // Carried to where the place is shown, as a player would carry it.
    const CardState &c = e.card(card);
    const PlaceShift to = e.view().shownShift(cell, pile, slotPos);
    const PlaceShift from = e.view().shownShift(c.Cell, c.Pile, c.Pos);
    double tx = e.Array.CordX(cell, pile, slotPos) + to.x - from.x;
    double ty = e.Array.CordY(cell, pile, slotPos) + to.y - from.y;
    // A card let go with its middle over its own place goes back. Where the slot overlaps that place (a
    // long fan reaching down over the reserve row), it is let go higher or lower on the slot, its middle
    // between the two tops or the two bottoms, still on the slot and off its own place.
    if (c.Cell != Home) {
        const double ownX = e.Array.CordX(c.Cell, c.Pile, c.Pos), ownY = e.Array.CordY(c.Cell, c.Pile, c.Pos);
        const double midX = kCardWidth / 2.0, midY = kCardHeight / 2.0;
        const bool overX = ownX < tx + midX && tx + midX < ownX + kCardWidth;
        const bool overY = ownY < ty + midY && ty + midY < ownY + kCardHeight;
        if (overX && overY) {
            if (ty < ownY)
                ty = (ty + ownY) / 2 - midY;
            else if (ty > ownY)
                ty = (ty + ownY) / 2 + kCardHeight - midY;
            else if (tx < ownX)
                tx = (tx + ownX) / 2 - midX;
            else if (tx > ownX)
                tx = (tx + ownX) / 2 + kCardWidth - midX;
        }
    }
    CardPress(e, card, 0, 0);
    CardMove(e, card, tx - c.Left, ty - c.Top);
    CardRelease(e, card);
}

void pressStock(Engine &e)
{
    if (e.Array.GetTop(Stock, 0) < 0)
        return;
    const int top = e.Array.GetTopPicID(Stock, 0);
    CardPress(e, top, 0, 0);
    CardRelease(e, top);
}

void playOnEngine(Engine &e, const GameRules &g, const Move &m)
{
    std::vector<Move> steps;
    appendSteps(m, steps);
    for (const Move &s : steps)
        switch (s.kind) {
        case MoveKind::Drag:
            dragTo(e, s.card, g.cellOf(s.to), g.engineIndex(s.to));
            break;
        case MoveKind::Stock:
            pressStock(e);
            break;
        case MoveKind::Redeal:
            StockMarkerPress(e);
            break;
        }
}

} // namespace tess::solve
