#include "play/mFunc.h"

#include <chrono>
#include <cstdio>
#include <random>

#include "play/engine.h"

namespace tess
{

i16 CardCell(const Engine &e, int p)
{
    return e.card(p).Cell;
}
i16 CardPile(const Engine &e, int p)
{
    return e.card(p).Pile;
}
i16 CardPos(const Engine &e, int p)
{
    return e.card(p).Pos;
}
i16 CardLeft(const Engine &e, int p)
{
    return checked16(roundHalfEven(e.card(p).Left));
}
i16 CardTop(const Engine &e, int p)
{
    return checked16(roundHalfEven(e.card(p).Top));
}
i16 CardNum(const Engine &e, int p)
{
    return e.card(p).Num;
}
i32 CardFaceMode(const Engine &e, int p)
{
    return e.card(p).FaceMode;
}
i16 CardSuit(const Engine &e, int p)
{
    return e.card(p).Suit;
}
i16 CardSuitpile(const Engine &e, int p)
{
    return e.card(p).Suitpile;
}
i32 CardColor(const Engine &e, int p)
{
    return e.card(p).Color;
}

bool HitTest(const Engine &e, int picId, int cell, int pile, int pos, int mode)
{
    // Both the carried card and the place as shown: a fan drawn closer together is hit where it lies.
    const CardState &c = e.card(picId);
    const PlaceShift from = e.view().shownShift(c.Cell, c.Pile, c.Pos);
    const PlaceShift to = e.view().shownShift(cell, pile, pos);
    const long long x = roundHalfEven(CardLeft(e, picId) + from.x),
                    y = roundHalfEven(CardTop(e, picId) + from.y);
    const long long tx = roundHalfEven(e.Array.CordX(cell, pile, pos) + to.x);
    const long long ty = roundHalfEven(e.Array.CordY(cell, pile, pos) + to.y);
    if (mode == kPointTest) {
        const long long cx = roundHalfEven(static_cast<double>(x) + 532.5);
        const long long cy = y + 720;
        return tx < cx && cx < tx + kCardWidth && ty < cy && cy < ty + kCardHeight;
    }
    return ty < y + kCardHeight && y < ty + kCardHeight && tx < x + kCardWidth && x < tx + kCardWidth;
}

CardAttrs CardAttrsOf(const Engine &e, int p)
{
    const CardState &c = e.card(p);
    CardAttrs a;
    a.Num = c.Num;
    a.Suitpile = c.Suitpile;
    a.Suit = c.Suit;
    a.Color = c.Color;
    return a;
}

bool FitsOrder(const CardAttrs &lower, const CardAttrs &upper, i32 order, bool ak)
{
    if (order == kOrderAnyCard)
        return true;
    const int l = lower.Num, u = upper.Num;
    const bool down = u == l - 1 || (ak && l == kAce && u == kKing);
    const bool up = u == l + 1 || (ak && l == kKing && u == kAce);
    bool rank = false;
    switch (order) {
    case kOrderDownInSuit:
    case kOrderDownAlternate:
    case kOrderDownAnySuit:
        rank = down;
        break;
    case kOrderUpInSuit:
    case kOrderUpAlternate:
    case kOrderUpAnySuit:
        rank = up;
        break;
    case kOrderUpOrDownInSuit:
    case kOrderUpOrDownAlternate:
    case kOrderUpOrDownAnySuit:
        rank = up || down;
        break;
    default:
        return false;
    }
    if (!rank)
        return false;
    switch (order) {
    case kOrderDownInSuit:
    case kOrderUpInSuit:
    case kOrderUpOrDownInSuit:
        return upper.Suit == lower.Suit;
    case kOrderDownAlternate:
    case kOrderUpAlternate:
    case kOrderUpOrDownAlternate:
        return upper.Color != lower.Color;
    default:
        return true;
    }
}

bool FitsOrder(const Engine &e, int lower, int upper, i32 order, bool ak)
{
    return FitsOrder(CardAttrsOf(e, lower), CardAttrsOf(e, upper), order, ak);
}

bool CanMoveRun(const Engine &e, int picId, int count)
{
    const int pile = CardPile(e, picId), p = CardPos(e, picId);
    for (int i = p; i <= p + count - 1; ++i) {
        if (!RunLinks(e.Games, CardAttrsOf(e, e.Array.GetPicID(Home, pile, i)),
                      CardAttrsOf(e, e.Array.GetPicID(Home, pile, i + 1))))
            return false;
    }
    return true;
}

i16 CountEmptyPiles(const Engine &e, int cell)
{
    const int piles = e.Games.Piles(cell);
    i16 n = 0;
    for (int i = 0; i < piles; ++i)
        if (e.Array.GetTop(cell, i) == -1)
            ++n;
    return n;
}

static i16 carryLimit(int emptyHome, int emptyRes)
{
    return checked16((emptyHome + 1) * (emptyRes + 1) - 1);
}

i16 MaxCarriedCards(const Engine &e)
{
    return carryLimit(CountEmptyPiles(e, Home), CountEmptyPiles(e, Res));
}

bool TableauAccepts(const cGames &g, int pile, int top, const CardAttrs &topCard, const CardAttrs &card)
{
    if (top < 0)
        return g.EmptyNum() == -1 || g.EmptyNum() == card.Num;
    return FitsOrder(topCard, card, g.Order(Home, pile), g.AK(Home) != 0);
}

bool ReserveAccepts(const cGames &g, bool empty, int carried)
{
    return empty && carried == 0 && g.ResNum() == -1;
}

bool RunLinks(const cGames &g, const CardAttrs &lower, const CardAttrs &upper)
{
    return FitsOrder(lower, upper, g.MultiOrder(), g.AK(Home) != 0);
}

bool CarryAllowed(const cGames &g, int carried, int emptyHome, int emptyRes)
{
    return !isFreecellTag(g.Tag()) || carried <= carryLimit(emptyHome, emptyRes);
}

bool isFreecellTag(const std::string &tag)
{
    return tag == "Penguin" || tag == "Freecell" || tag == "FreecellAK";
}

bool isSpiderTag(const std::string &tag)
{
    return tag == "Spider";
}

i16 FoundationBaseRank(i32 goalType, int goalCards, int pile, i16 goalBase)
{
    switch (goalType) {
    case kGoalAcesAndKings:
        return pile < goalCards / 2 ? kAce : kKing;
    case kGoalSuits:
    case kGoalFirstCard:
        return goalBase;
    default:
        return static_cast<i16>(goalType);
    }
}

bool FoundationAccepts(const cGames &g, int pile, int top, const CardAttrs &topCard, const CardAttrs &card,
                       i16 baseRank)
{
    if (top < 0)
        return card.Num == baseRank;
    if (FoundationFull(top + 1))
        return false;
    return FitsOrder(topCard, card, g.Order(Goal, pile), g.AK(Goal) != 0);
}

bool FoundationAccepts(const Engine &e, int pile, int picId)
{
    const int t = e.Array.GetTop(Goal, pile);
    const CardAttrs top = t >= 0 ? CardAttrsOf(e, e.Array.GetPicID(Goal, pile, t)) : CardAttrs{};
    const i16 base = FoundationBaseRank(e.Games.GoalType(), e.Games.Cards(Goal), pile, e.GoalBase);
    return FoundationAccepts(e.Games, pile, t, top, CardAttrsOf(e, picId), base);
}

long long RandomGameNumber(int rangeIndex)
{
    // A fresh clock seed per draw; 53 bits of fraction reach every number of the range,
    // which the 24-bit deal generator could not.
    std::seed_seq seq{
        static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count()),
        static_cast<unsigned long long>(std::chrono::system_clock::now().time_since_epoch().count())};
    std::mt19937_64 gen(seq);
    return RandomGameNumber(rangeIndex, gen);
}

long long RandomGameNumber(int rangeIndex, std::mt19937_64 &gen)
{
    long long m = 0;
    if (rangeIndex >= 1) {
        m = 1;
        for (int i = 0; i < rangeIndex && i < 15; ++i)
            m *= 10;
    }
    const double r = static_cast<double>(gen() >> 11) / 9007199254740992.0;
    const auto n = static_cast<long long>(static_cast<double>(m) * r);
    return n == 0 ? 1 : n;
}

std::string FormatGameTime(i32 seconds)
{
    if (seconds < 0)
        seconds = 0;
    const i32 s = seconds % 60, m = (seconds / 60) % 60, h = seconds / 3600;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d:%02d:%02d", h, m, s);
    return buf;
}

} // namespace tess
