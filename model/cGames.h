// The rule descriptor of the current game: pure data plus the layout arithmetic.
#pragma once

#include <array>
#include <string>

#include "model/cards.h"

namespace tess
{

// Building orders: whether card U may lie on card L, by rank (U one lower or higher than L) and suit.
constexpr i32 kOrderDownInSuit = 1;
constexpr i32 kOrderUpInSuit = 2;
constexpr i32 kOrderUpOrDownInSuit = 3;
constexpr i32 kOrderDownAlternate = 4; // colours differ
constexpr i32 kOrderUpAlternate = 5;
constexpr i32 kOrderUpOrDownAlternate = 6;
constexpr i32 kOrderDownAnySuit = 7;
constexpr i32 kOrderUpAnySuit = 8;
constexpr i32 kOrderAnyCard = 9;
constexpr i32 kOrderUpOrDownAnySuit = 12;

// Goal types: what the foundations are founded on.
constexpr i32 kGoalAces = 0;
constexpr i32 kGoalKings = 12;
constexpr i32 kGoalSuits = 13;        // no base rank: complete suits are gathered
constexpr i32 kGoalAcesAndKings = 14; // Aces on the lower half of the piles, Kings on the upper
constexpr i32 kGoalFirstCard = 16;    // the rank of the first card dealt

struct CellRule {
    i16 Piles = 0;
    i16 Cards = 0;
    i32 Order = 0;
    i16 AK = 0;
    i16 StartX = 0;
    i16 StartY = 0;
    i16 PileWidth = 0;
    i16 PosWidth = 0;
    i16 Div = 0;
    i16 DivWidth = 0;
    i32 PileOrder = 0;
};

class cGames
{
  public:
    // Setters take their arguments in the catalogue's order.
    void Home(i16 piles, i32 order, i16 cards, i16 ak, i16 emptyNum, i16 multiMove, i16 startX, i16 startY,
              i16 pileWidth, i16 posWidth, i16 div, i16 divWidth, i32 pileOrder, i32 homeType, i32 multiOrder,
              i32 suitType, i16 cardsOpen);
    void Goal(i16 piles, i32 order, i16 cards, i32 goalType, i16 ak, i16 startX, i16 startY, i16 pileWidth,
              i16 posWidth, i16 div, i16 divWidth, i32 pileOrder);
    void Stock(i16 piles, i32 stockMove, i16 startX, i16 startY, i16 posWidth, i16 stockNum, i32 stockType);
    void Waste(i16 piles, i16 startX, i16 startY, i16 pileWidth, i16 cards, i16 posWidth);
    void Res(i16 piles, i16 cards, i16 startX, i16 startY, i16 pileWidth, i16 posWidth, i16 div, i16 divWidth,
             i32 pileOrder, i16 resNum);
    void Ext(i16 baseX, i16 baseY, i16 totalCards, i16 redeals, const std::string &tag, i16 disAutoPlay,
             i16 goalDiv);

    i16 Piles(int cell) const { return rule(cell).Piles; }
    i16 Cards(int cell) const { return rule(cell).Cards; }
    i16 AK(int cell) const { return rule(cell).AK; }
    i32 Order(int cell, int pile) const;
    const CellRule &rule(int cell) const;
    i32 HomePileOrder() const { return rules_[0].PileOrder; }

    i32 GoalType() const { return goalType_; }
    i16 EmptyNum() const { return emptyNum_; }
    void setEmptyNum(i16 v) { emptyNum_ = v; }
    i16 ResNum() const { return resNum_; }
    i16 MultiMove() const { return multiMove_; }
    // A game that names no run order moves runs by the tableau's own order.
    i32 MultiOrder() const { return multiOrder_ != 0 ? multiOrder_ : rules_[0].Order; }
    i16 Redeals() const { return redeals_; }
    i32 StockType() const { return stockType_; }
    i32 StockMove() const { return stockMove_; }
    i16 StockNum() const { return stockNum_; }
    void setStockNum(i16 v) { stockNum_ = v; }
    i32 HomeType() const { return homeType_; }
    i32 SuitType() const { return suitType_; }
    i16 CardsOpen() const { return cardsOpen_; }
    i16 TotalCards() const { return totalCards_; }
    i16 BaseX() const { return baseX_; }
    i16 BaseY() const { return baseY_; }
    i16 DisAutoPlay() const { return disAutoPlay_; }
    i16 GoalDiv() const { return goalDiv_; }
    const std::string &Tag() const { return tag_; }

    // closedCards: the face-down count of the tableau pile, supplied by the pile array.
    struct XY {
        i16 x, y;
    };
    XY PileXY(int cell, int pile, int pos, int closedCards) const;
    i16 GetCordX(int cell, int pile, int pos, int closedCards) const;
    i16 GetCordY(int cell, int pile, int pos, int closedCards) const;

  private:
    std::array<CellRule, kRuleCells> rules_{};
    i32 goalType_ = 0;
    i16 emptyNum_ = 0;
    i16 resNum_ = 0;
    i16 multiMove_ = 0;
    i32 multiOrder_ = 0;
    i16 redeals_ = 0;
    i32 stockType_ = 0;
    i32 stockMove_ = 0;
    i16 stockNum_ = 0;
    i32 homeType_ = 0;
    i32 suitType_ = 0;
    i16 cardsOpen_ = 0;
    i16 totalCards_ = 0;
    i16 baseX_ = 0;
    i16 baseY_ = 0;
    i16 disAutoPlay_ = 0;
    i16 goalDiv_ = 0;
    std::string tag_;
};

} // namespace tess
