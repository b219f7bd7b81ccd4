#include "play/mPlay.h"

#include "play/cTrans.h"
#include "play/engine.h"
#include "play/mFunc.h"

namespace tess
{

namespace
{

bool fansRight(const Engine &e)
{
    const i32 order = e.Games.HomePileOrder();
    return order == 2 || order == 3;
}

// Where the k-th carried card sits relative to the grabbed one.
void carriedOffset(const Engine &e, int k, long long &dx, long long &dy)
{
    dx = fansRight(e) ? 180LL * k : 0;
    dy = fansRight(e) ? 0 : 250LL * k;
}

bool move(Engine &e, int picId, int cell, int pile, int pos, i16 speed, int carried)
{
    i32 mod = tmod::Plain;
    return e.Array.MoveCard(static_cast<i16>(picId), static_cast<i16>(cell), static_cast<i16>(pile),
                            checked16(pos), mod, speed, static_cast<i16>(carried), kFaceUp);
}

// One pass over the drop targets in their fixed order; true when a move was made.
bool tryTargets(Engine &e, int c, int srcCell, int srcPile, int mode, bool &refused)
{
    const cGames &g = e.Games;
    const int count = e.Drag.DragCount;
    for (int i = 0; i < g.Piles(Home); ++i) {
        const int t = e.Array.GetTop(Home, i);
        if (!HitTest(e, c, Home, i, t, mode))
            continue;
        const bool ownPile = t != -1 && srcCell == Home && i == srcPile;
        const CardAttrs top = t >= 0 ? CardAttrsOf(e, e.Array.GetTopPicID(Home, i)) : CardAttrs{};
        if (!ownPile && TableauAccepts(g, i, t, top, CardAttrsOf(e, c))) {
            refused = !move(e, c, Home, i, t + 1, 3, count);
            return true;
        }
    }
    for (int i = 0; i < g.Piles(Res); ++i) {
        if (!HitTest(e, c, Res, i, 0, mode))
            continue;
        if (ReserveAccepts(g, e.Array.GetPicID(Res, i, 0) == -1, count)) {
            refused = !move(e, c, Res, i, 0, 3, 0);
            return true;
        }
    }
    if (isSpiderTag(g.Tag()))
        return false;
    for (int i = 0; i < g.Piles(Goal); ++i) {
        if (count != 0)
            break;
        if (!HitTest(e, c, Goal, i, 0, mode))
            continue;
        if (FoundationAccepts(e, i, c)) {
            refused = !move(e, c, Goal, i, e.Array.GetTop(Goal, i) + 1, 3, 0);
            return true;
        }
    }
    return false;
}

} // namespace

void CardPress(Engine &e, int picId, double x, double y)
{
    if (!e.host().gameRunning())
        return;
    DragState &d = e.Drag;
    d.DragCount = 0;
    d.GrabX = checked16(roundHalfEven(x));
    d.GrabY = checked16(roundHalfEven(y));
    d.StartLeft = CardLeft(e, picId);
    d.StartTop = CardTop(e, picId);
    const CardState &c = e.card(picId);
    CardMouseDown(e, picId, c.Cell, c.Pile, c.Pos);
    e.view().playSound("CardDown");
}

void CardMove(Engine &e, int picId, double x, double y)
{
    if (!e.host().gameRunning() || !e.Drag.Dragging)
        return;
    const CardState &c = e.card(picId);
    DragCards(e, picId, c.Pile, c.Pos, x, y);
}

void CardRelease(Engine &e, int picId)
{
    if (!e.host().gameRunning() || !e.Drag.Dragging)
        return;
    e.Drag.Dragging = false;
    const CardState &c = e.card(picId);
    DropCards(e, picId, c.Cell, c.Pile, c.Pos);
    e.view().playSound("CardUp");
}

bool MayPickUp(const Engine &e, int picId)
{
    const cGames &g = e.Games;
    const CardState &c = e.card(picId);
    switch (c.Cell) {
    case Stock:
        return g.StockType() == 1 && picId == e.Array.GetTopPicID(Stock, 0);
    case Waste:
        return e.Array.GetTop(Waste, 0) >= 0 && picId == e.Array.GetTopPicID(Waste, 0);
    case Goal:
        // A removed suit stays: nothing may be dropped back on those foundations.
        return !isSpiderTag(g.Tag()) && c.Pos == e.Array.GetTop(Goal, c.Pile);
    case Res:
        return c.Pos == e.Array.GetTop(Res, c.Pile);
    default:
        break;
    }
    const int t = e.Array.GetTop(Home, c.Pile);
    if (c.Pos == t)
        return true;
    const int carried = t - c.Pos;
    return carried > 0 && CardFaceMode(e, picId) == kFaceUp && g.MultiMove() != 0 &&
           CanMoveRun(e, picId, carried) &&
           CarryAllowed(g, carried, CountEmptyPiles(e, Home), CountEmptyPiles(e, Res));
}

void CardMouseDown(Engine &e, int picId, int cell, int pile, int pos)
{
    const cGames &g = e.Games;
    DragState &d = e.Drag;
    if (cell == Stock && g.StockType() != 1) {
        if (g.StockMove() == 2)
            DealRow(e);
        else
            TurnToWaste(e);
        return;
    }
    d.Dragging = MayPickUp(e, picId);
    if (cell != Home)
        return;
    const int t = e.Array.GetTop(Home, pile);
    d.DragCount = checked16(t - pos);
    if (!d.Dragging)
        return;
    for (int p = pos; p <= t; ++p)
        e.Raise(e.Array.GetPicID(Home, pile, p));
}

void DragCards(Engine &e, int picId, int pile, int pos, double x, double y)
{
    const CardState &c = e.card(picId);
    const i16 left = checked16(roundHalfEven(c.Left + x - e.Drag.GrabX));
    const i16 top = checked16(roundHalfEven(c.Top + y - e.Drag.GrabY));
    e.MoveTo(picId, left, top);
    e.Raise(picId);
    for (int k = 1; k <= e.Drag.DragCount; ++k) {
        long long dx, dy;
        carriedOffset(e, k, dx, dy);
        const i16 id = e.Array.GetPicID(Home, pile, pos + k);
        e.MoveTo(id, static_cast<double>(left + dx), static_cast<double>(top + dy));
        e.Raise(id);
    }
    e.view().repaint();
}

void DropCards(Engine &e, int picId, int cell, int pile, int pos)
{
    // An empty tableau pile's slot reaches into the top row, so a card let go over its own place there
    // would overlap it; over its own place a card goes back. The tableau refuses its own pile anyway.
    if (cell != Home && HitTest(e, picId, cell, pile, pos, kPointTest)) {
        ReturnCards(e, picId, pile, pos);
        return;
    }
    bool refused = false;
    for (int mode : {kPointTest, kOverlapTest}) {
        if (tryTargets(e, picId, cell, pile, mode, refused)) {
            if (refused)
                ReturnCards(e, picId, pile, pos);
            return;
        }
    }
    ReturnCards(e, picId, pile, pos);
}

void ReturnCards(Engine &e, int picId, int pile, int pos)
{
    const DragState &d = e.Drag;
    e.MoveTo(picId, d.StartLeft, d.StartTop);
    for (int k = 1; k <= d.DragCount; ++k) {
        long long dx, dy;
        carriedOffset(e, k, dx, dy);
        e.MoveTo(e.Array.GetPicID(Home, pile, pos + k), static_cast<double>(d.StartLeft + dx),
                 static_cast<double>(d.StartTop + dy));
    }
    e.view().repaint();
}

void TurnToWaste(Engine &e)
{
    if (e.Array.GetTop(Stock, 0) < 0)
        return;
    e.Array.AddtoWaste(e.Array.GetTopPicID(Stock, 0));
}

void DealRow(Engine &e)
{
    e.Trans->StartMulti();
    for (int i = 0; i < e.Games.Piles(Home); ++i) {
        if (e.Array.GetTop(Stock, 0) < 0)
            break;
        i32 mod = tmod::TurnedUp;
        e.Array.MoveCard(e.Array.GetTopPicID(Stock, 0), Home, static_cast<i16>(i),
                         checked16(e.Array.GetTop(Home, i) + 1), mod, 5, 0, kFaceUp);
    }
    e.Trans->EndMulti();
}

void StockMarkerPress(Engine &e)
{
    if (e.Games.StockNum() != 2)
        return;
    if (e.Games.Redeals() == -1 || e.RedealCount < e.Games.Redeals())
        RedealStock(e);
}

void RedealStock(Engine &e)
{
    // A redeal the log cannot hold whole would leave cards on the waste and still use the redeal up.
    if (!e.Trans->CanSave(e.Array.GetTop(Waste, 0) + 1))
        return;
    e.RedealCount = checked16(e.RedealCount + 1);
    e.Trans->StartMulti();
    const int w = e.Array.GetTop(Waste, 0);
    for (int i = 0; i <= w; ++i) {
        if (e.Array.GetTop(Waste, 0) < 0)
            break;
        i32 mod = tmod::TurnedDown;
        e.Array.MoveCard(e.Array.GetTopPicID(Waste, 0), Stock, 0, checked16(e.Array.GetTop(Stock, 0) + 1),
                         mod, 2, 0, kFaceDown);
    }
    e.Trans->EndMulti();
    if (e.RedealCount == e.Games.Redeals()) {
        e.SetStockMarkerKind(kMarkerStop);
        e.Games.setStockNum(1);
    }
}

void RefreshStockMarker(Engine &e)
{
    if (!e.host().gameRunning() || e.Games.StockNum() != 2)
        return;
    const bool empty = e.Array.GetTop(Stock, 0) < 0 && e.Array.GetTop(Waste, 0) < 0;
    e.SetStockMarkerKind(empty ? kMarkerStop : kMarkerRedeal);
}

bool AutoMoveHome(Engine &e, int c)
{
    const cGames &g = e.Games;
    for (int i = 0; i < g.Piles(Goal); ++i) {
        if (FoundationAccepts(e, i, c) && move(e, c, Goal, i, e.Array.GetTop(Goal, i) + 1, 3, 0)) {
            e.view().playSound("AutoPlay");
            return true;
        }
    }
    return false;
}

static void removeSpiderSuits(Engine &e)
{
    const cGames &g = e.Games;
    RemoveWholeSuits(
        g.Piles(Home), g.Order(Goal, 0), g.GoalDiv(), [&](int pile) { return e.Array.GetTop(Home, pile); },
        [&](int pile, int place) { return CardAttrsOf(e, e.Array.GetPicID(Home, pile, place)); },
        [&](int pile, int goal) {
            // Half a suit on the foundation could never be completed: all thirteen or none.
            if (!e.Trans->CanSave(kSuitCards))
                return;
            e.Trans->StartMulti();
            for (int n = 0; n < kSuitCards; ++n)
                move(e, e.Array.GetTopPicID(Home, pile), Goal, goal, e.Array.GetTop(Goal, goal) + 1, 3, 0);
            e.Trans->EndMulti();
        });
}

void RunAutoplay(Engine &e)
{
    const cGames &g = e.Games;
    if (isSpiderTag(g.Tag())) {
        removeSpiderSuits(e);
        return;
    }
    if (g.DisAutoPlay() == -1 || e.host().autoplaySetting() == 0)
        return;
    AutoplaySweep(g.Piles(Home), g.Piles(Res), g.Piles(Waste) > 0, g.StockType() == 1,
                  [&](int cell, int pile) {
                      if (e.Array.GetTop(cell, pile) >= 0)
                          AutoMoveHome(e, e.Array.GetTopPicID(cell, pile));
                  });
}

void CheckForWin(Engine &e)
{
    if (e.Array.TotalGoalCards() == e.Games.TotalCards())
        e.host().gameWon();
}

} // namespace tess
