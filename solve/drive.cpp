#include "solve/drive.h"

#include "play/engine.h"
#include "play/mPlay.h"

namespace tess::solve
{

void dragTo(Engine &e, int card, int cell, int pile)
{
    const int slotPos = cell == Home ? e.Array.GetTop(cell, pile) : 0;
    const double tx = e.Array.CordX(cell, pile, slotPos), ty = e.Array.CordY(cell, pile, slotPos);
    CardPress(e, card, 0, 0);
    const CardState &c = e.card(card);
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
