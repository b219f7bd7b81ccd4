#include "play/deal.h"

#include "play/engine.h"
#include "play/mFunc.h"

namespace tess
{

namespace
{

void fromStock(Engine &e, int cell, int pile, int pos, i16 speed, i32 face)
{
    const i16 card = e.Array.GetTopPicID(Stock, 0);
    i32 mod = tmod::Deal;
    e.Array.MoveCard(card, static_cast<i16>(cell), static_cast<i16>(pile), static_cast<i16>(pos), mod, speed,
                     0, face);
}

} // namespace

void AssignCardValues(Engine &e)
{
    const int n = e.Games.TotalCards();
    const int suitType = e.Games.SuitType();
    for (int p = 0; p < n; ++p) {
        const CardAttrs a = cardAttrs(e.Array.GetRandom(p), suitType);
        e.SetValue(p, a.Suit, a.Num, a.Suitpile);
        e.SetFacePic(p, facePicture(a.Suit, a.Num));
        e.Raise(p);
    }
}

void DealGoal(Engine &e)
{
    const int a = e.Games.Cards(Goal);
    const int g = e.Games.GoalType();
    const int n = e.Games.TotalCards();
    auto put = [&](int p, int pile) {
        i32 mod = tmod::Deal;
        e.Array.MoveCard(static_cast<i16>(p), Goal, static_cast<i16>(pile), 0, mod, 0, 0, 0);
    };
    if (a > 0) {
        if (g == kGoalFirstCard) {
            put(0, 0);
            e.GoalBase = e.card(0).Num;
            int placed = 1;
            for (int p = 1; p < n && placed < a; ++p) {
                if (e.card(p).Num == e.GoalBase)
                    put(p, placed++);
            }
        } else {
            for (int p = 0; p < n; ++p) {
                const CardState &c = e.card(p);
                const bool base = (c.Num == g && c.Suitpile < a) ||
                                  (g == kGoalAcesAndKings && c.Num == kAce && c.Suitpile < a / 2) ||
                                  (g == kGoalAcesAndKings && c.Num == kKing && c.Suitpile >= a / 2);
                if (base)
                    put(p, c.Suitpile);
            }
        }
    }
    for (int i = 0; i < e.Games.Piles(Goal); ++i) {
        // The marker shows the rank the pile takes when empty.
        const int kind = g == kGoalSuits ? kMarkerNoRank : FoundationBaseRank(g, a, i, e.GoalBase);
        e.PlaceGoalMarker(i, i, kind);
    }
}

void DealMarkers(Engine &e)
{
    for (int i = 0; i < e.Games.Piles(Res); ++i)
        e.PlaceResMarker(i);
    for (int i = 0; i < e.Games.Piles(Home); ++i)
        e.PlaceHomeMarker(i, e.Games.EmptyNum() < 0 ? kMarkerPlain : e.Games.EmptyNum());
    if (e.Games.Piles(Waste) >= 1)
        e.PlaceWasteMarker(0);
}

void DealStock(Engine &e)
{
    if (e.Games.StockNum() > 0)
        e.PlaceStockMarker(e.Games.StockNum());
    if (e.Games.Piles(Stock) <= 0)
        return;
    const i32 face = e.Games.StockType() == 1 ? kFaceUp : kFaceDown;
    for (int p = 0; p < e.Games.TotalCards(); ++p) {
        if (e.card(p).Cell == Goal)
            continue;
        i32 mod = tmod::Deal;
        e.Array.MoveCard(static_cast<i16>(p), Stock, 0, checked16(e.Array.GetTop(Stock, 0) + 1), mod, 0, 0,
                         face);
    }
}

void DealWaste(Engine &e)
{
    for (int i = 0; i < e.Games.Cards(Waste); ++i)
        fromStock(e, Waste, i, 0, 0, kFaceUp);
}

void DealRes(Engine &e)
{
    const int r = e.Games.Piles(Res);
    for (int i = 0; i < e.Games.Cards(Res); ++i)
        fromStock(e, Res, i % r, i / r, 3, kFaceUp);
}

void DealHome(Engine &e)
{
    const int piles = e.Games.Piles(Home);
    const int n = e.Games.Cards(Home);
    const int open = e.Games.CardsOpen();
    auto stockEmpty = [&] { return e.Array.GetTop(Stock, 0) < 0; };
    switch (e.Games.HomeType()) {
    case 0:
        for (int i = 0; i < n; ++i) {
            // With nothing declared open, the whole tableau lies face up.
            const i32 face = (open > 0 && i < n - open) ? kFaceDown : kFaceUp;
            fromStock(e, Home, i % piles, i / piles, 3, face);
        }
        break;
    case 1:
        for (int r = 0; r < piles; ++r)
            for (int k = 0; k <= piles - 1 - r; ++k) {
                if (stockEmpty())
                    break;
                fromStock(e, Home, r + k, r, 3, (open > 0 && k > 0) ? kFaceDown : kFaceUp);
            }
        break;
    case 3: {
        const int s = e.Games.StockMove() != 0 ? 1 : 3;
        static const int extra[9] = {0, 1, 2, 3, 4, 3, 2, 1, 0};
        for (int i = 0; i < 9; ++i)
            for (int j = 0; j < 8; ++j)
                if (j <= s + extra[i])
                    fromStock(e, Home, i, j, 3, kFaceUp);
        break;
    }
    case 6:
        for (int r = 0; r < piles; ++r)
            for (int k = 0; k <= piles - 1 - r; ++k) {
                if (stockEmpty())
                    return;
                fromStock(e, Home, k, r, 3, (open > 0 && k > 0) ? kFaceDown : kFaceUp);
            }
        break;
    default:
        break;
    }
}

void DealGame(Engine &e)
{
    DealGoal(e);
    DealMarkers(e);
    DealStock(e);
    DealWaste(e);
    DealRes(e);
    e.view().playSound("Start");
    DealHome(e);
}

} // namespace tess
