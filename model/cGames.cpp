#include "model/cGames.h"

#include <cmath>

namespace tess
{

void cGames::Home(i16 piles, i32 order, i16 cards, i16 ak, i16 emptyNum, i16 multiMove, i16 startX,
                  i16 startY, i16 pileWidth, i16 posWidth, i16 div, i16 divWidth, i32 pileOrder, i32 homeType,
                  i32 multiOrder, i32 suitType, i16 cardsOpen)
{
    rules_[0] =
        CellRule{piles, cards, order, ak, startX, startY, pileWidth, posWidth, div, divWidth, pileOrder};
    emptyNum_ = emptyNum;
    multiMove_ = multiMove;
    homeType_ = homeType;
    multiOrder_ = multiOrder;
    suitType_ = suitType;
    cardsOpen_ = cardsOpen;
}

void cGames::Goal(i16 piles, i32 order, i16 cards, i32 goalType, i16 ak, i16 startX, i16 startY,
                  i16 pileWidth, i16 posWidth, i16 div, i16 divWidth, i32 pileOrder)
{
    rules_[3] =
        CellRule{piles, cards, order, ak, startX, startY, pileWidth, posWidth, div, divWidth, pileOrder};
    goalType_ = goalType;
}

void cGames::Stock(i16 piles, i32 stockMove, i16 startX, i16 startY, i16 posWidth, i16 stockNum,
                   i32 stockType)
{
    CellRule &r = rules_[1];
    r.Piles = piles;
    r.StartX = startX;
    r.StartY = startY;
    r.PosWidth = posWidth;
    stockMove_ = stockMove;
    stockNum_ = stockNum;
    stockType_ = stockType;
}

void cGames::Waste(i16 piles, i16 startX, i16 startY, i16 pileWidth, i16 cards, i16 posWidth)
{
    CellRule &r = rules_[2];
    r.Piles = piles;
    r.StartX = startX;
    r.StartY = startY;
    r.PileWidth = pileWidth;
    r.Cards = cards;
    r.PosWidth = posWidth;
}

void cGames::Res(i16 piles, i16 cards, i16 startX, i16 startY, i16 pileWidth, i16 posWidth, i16 div,
                 i16 divWidth, i32 pileOrder, i16 resNum)
{
    CellRule &r = rules_[4];
    r.Piles = piles;
    r.Cards = cards;
    r.StartX = startX;
    r.StartY = startY;
    r.PileWidth = pileWidth;
    r.PosWidth = posWidth;
    r.Div = div;
    r.DivWidth = divWidth;
    r.PileOrder = pileOrder;
    resNum_ = resNum;
}

void cGames::Ext(i16 baseX, i16 baseY, i16 totalCards, i16 redeals, const std::string &tag, i16 disAutoPlay,
                 i16 goalDiv)
{
    baseX_ = baseX;
    baseY_ = baseY;
    totalCards_ = totalCards;
    redeals_ = redeals;
    tag_ = tag;
    disAutoPlay_ = disAutoPlay;
    goalDiv_ = goalDiv;
}

const CellRule &cGames::rule(int cell) const
{
    if (cell < 0 || cell >= kRuleCells)
        throw IndexError("cell kind out of range: " + std::to_string(cell));
    return rules_[static_cast<size_t>(cell)];
}

i32 cGames::Order(int cell, int pile) const
{
    const CellRule &r = rule(cell);
    // The two-way foundations: piles 2 and up are built down in suit.
    if (cell == tess::Goal && pile >= 2 && tag_ == "KlondikeAK")
        return kOrderDownInSuit;
    return r.Order;
}

cGames::XY cGames::PileXY(int cell, int pile, int pos, int closed) const
{
    const CellRule &r = rule(cell);
    auto c16 = [](long long v) { return checked16(v); };
    if (cell == tess::Stock || cell == tess::Waste) {
        long long s = roundHalfEven(std::sqrt(static_cast<double>(pos))) / 2;
        return {c16(r.StartX - s * r.PosWidth), c16(r.StartY - s * r.PosWidth)};
    }
    const long long div = r.Div;
    auto divide = [&](long long a) {
        if (div == 0)
            throw OverflowError("division by zero in pile layout");
        return a / div;
    };
    auto rem = [&](long long a) {
        if (div == 0)
            throw OverflowError("division by zero in pile layout");
        return a % div;
    };
    switch (r.PileOrder) {
    case 0: {
        long long f = static_cast<long long>(pos) * r.PosWidth;
        if (cell == tess::Home && closed > 0)
            f = static_cast<long long>(closed) * 60 + static_cast<long long>(pos - closed) * r.PosWidth;
        return {c16(r.StartX + rem(pile) * r.PileWidth), c16(r.StartY + divide(pile) * r.DivWidth + f)};
    }
    case 1:
        return {c16(r.StartX + rem(pile) * r.PileWidth + divide(pile) * r.DivWidth),
                c16(r.StartY + static_cast<long long>(pos) * r.PosWidth)};
    case 2: {
        long long fx = closed < 1 ? static_cast<long long>(pos) * r.PosWidth
                                  : static_cast<long long>(closed) * 60 +
                                        static_cast<long long>(pos - closed) * r.PosWidth;
        return {c16(r.StartX + rem(pile) * r.PileWidth + fx), c16(r.StartY + divide(pile) * r.DivWidth)};
    }
    case 3:
        return {c16(r.StartX + static_cast<long long>(pos) * r.PosWidth + divide(pile) * r.DivWidth),
                c16(r.StartY + rem(pile) * r.PileWidth)};
    default:
        return {0, 0};
    }
}

i16 cGames::GetCordX(int cell, int pile, int pos, int closed) const
{
    double x = (11900.0 - baseX_) / 2.0 + 1790.0 + PileXY(cell, pile, pos, closed).x;
    return checked16(roundHalfEven(x));
}

i16 cGames::GetCordY(int cell, int pile, int pos, int closed) const
{
    return checked16(static_cast<long long>(baseY_) + PileXY(cell, pile, pos, closed).y);
}

} // namespace tess
