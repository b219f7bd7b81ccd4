// The game catalogue: every game's rule row, and filling the descriptor from it.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "model/cGames.h"

namespace tess
{

constexpr int kGameCount = 33;

struct CatalogueRow {
    const char *name;
    struct {
        i16 Piles;
        i32 Order;
        i16 Cards, AK, EmptyNum, MultiMove, StartX;
        i32 HomeType, MultiOrder, SuitType;
        i16 CardsOpen;
    } home;
    struct {
        i16 Piles;
        i32 Order;
        i16 Cards;
        i32 GoalType;
        i16 AK, StartX, PileWidth;
    } goal;
    struct {
        i32 StockMove;
        i16 StartX, StartY, PosWidth, StockNum;
        i32 StockType;
    } stock;
    struct {
        i16 Piles, StartX, StartY;
    } waste;
    struct {
        i16 Piles, Cards, StartX, StartY, PileWidth, ResNum;
    } res;
    struct {
        i16 BaseX, TotalCards, Redeals;
        const char *Tag;
        i16 DisAutoPlay;
    } ext;
};

const std::array<CatalogueRow, kGameCount> &catalogueRows();

// Whoever keeps the game-name table (the settings object) is told the catalogue at start-up.
class GameRegistry
{
  public:
    virtual ~GameRegistry() = default;
    virtual void InitCD(const std::string &prodName, i16 totalGames, const std::string &helpFile) = 0;
    virtual void SetGame(i16 gid, const std::string &name) = 0;
};

namespace catalogue
{

inline constexpr const char *kProductName = "Tessaline";
inline constexpr const char *kHelpFile = "ts.chm";

void Init(GameRegistry &registry);

// Fills the descriptor; goalBase is reset to the Ace as part of the defaults.
// Returns false for a name outside the catalogue (only the defaults are applied then).
bool SelectGame(cGames &games, i16 &goalBase, std::string_view name);

// Game id 1..33, or 0 when the name is not in the catalogue (exact, case-sensitive).
int GameId(std::string_view name);
const char *GameName(int id);

} // namespace catalogue
} // namespace tess
