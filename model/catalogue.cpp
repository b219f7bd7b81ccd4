#include "model/catalogue.h"

namespace tess::catalogue
{

void Init(GameRegistry &registry)
{
    registry.InitCD(kProductName, kGameCount, kHelpFile);
    for (int i = 0; i < kGameCount; ++i)
        registry.SetGame(static_cast<i16>(i + 1), catalogueRows()[static_cast<size_t>(i)].name);
}

int GameId(std::string_view name)
{
    for (int i = 0; i < kGameCount; ++i)
        if (name == catalogueRows()[static_cast<size_t>(i)].name)
            return i + 1;
    return 0;
}

const char *GameName(int id)
{
    if (id < 1 || id > kGameCount)
        throw IndexError("game id out of range: " + std::to_string(id));
    return catalogueRows()[static_cast<size_t>(id - 1)].name;
}

bool SelectGame(cGames &g, i16 &goalBase, std::string_view name)
{
    // Defaults first, so a game without reserve or waste never inherits the last game's.
    g.Res(0, 0, 0, 0, 0, 0, 20, 0, 0, -1);
    g.Waste(0, 0, 0, 0, 0, 30);
    goalBase = 0;

    int id = GameId(name);
    if (id == 0)
        return false;
    const CatalogueRow &r = catalogueRows()[static_cast<size_t>(id - 1)];
    const auto &h = r.home;
    g.Home(h.Piles, h.Order, h.Cards, h.AK, h.EmptyNum, h.MultiMove, h.StartX, 1640, 1165, 250, 20, 0, 0,
           h.HomeType, h.MultiOrder, h.SuitType, h.CardsOpen);
    const auto &o = r.goal;
    g.Goal(o.Piles, o.Order, o.Cards, o.GoalType, o.AK, o.StartX, 0, o.PileWidth, 0, 20, 0, 0);
    if (r.res.Piles > 0)
        g.Res(r.res.Piles, r.res.Cards, r.res.StartX, r.res.StartY, r.res.PileWidth, 0, 20, 0, 0,
              r.res.ResNum);
    const auto &s = r.stock;
    g.Stock(1, s.StockMove, s.StartX, s.StartY, s.PosWidth, s.StockNum, s.StockType);
    if (r.waste.Piles == 1)
        g.Waste(1, r.waste.StartX, r.waste.StartY, 0, 0, 30);
    g.Ext(r.ext.BaseX, 200, r.ext.TotalCards, r.ext.Redeals, r.ext.Tag, r.ext.DisAutoPlay, 0);
    return true;
}

} // namespace tess::catalogue
