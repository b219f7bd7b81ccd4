// Card and pile vocabulary shared by the whole engine.
#pragma once

#include "model/numeric.h"

namespace tess
{

enum CellKind : i16 { Home = 0, Stock = 1, Waste = 2, Goal = 3, Res = 4 };

constexpr int kCellKinds = 5;    // cells that hold cards
constexpr int kRuleCells = 6;    // rule records: one spare, never filled
constexpr int kMaxPiles = 21;    // piles 0..20 per cell kind
constexpr int kMaxCards = 104;   // controls always exist for two decks
constexpr int kCardWidth = 1065; // twips
constexpr int kCardHeight = 1440;
constexpr int kTwipsPerPixel = 15;
constexpr int kTableWidth = 15480;
constexpr int kTableHeight = 11205;
// Twips as pixels: exact where a picture is drawn, whole (halves to even) where a widget is sized.
constexpr double twipsToPixels(double twips)
{
    return twips / kTwipsPerPixel;
}
inline int twipsToPx(int twips)
{
    return static_cast<int>(roundHalfEven(twipsToPixels(twips)));
}

// Ranks (Num) the rules name.
constexpr i16 kAce = 0;
constexpr i16 kKing = 12;
constexpr int kSuitCards = 13; // a full foundation

// A card control's FaceMode.
constexpr i32 kFaceUp = 0;
constexpr i32 kFaceDown = 1;

// Pile-marker pictures: kinds 0 to 12 show that rank.
constexpr int kMarkerNoRank = 13;
constexpr int kMarkerPlain = 14;
constexpr int kMarkerStop = 15;
constexpr int kMarkerRedeal = 16;

// Suit codes: 0 hearts, 1 spades, 2 diamonds, 3 clubs; colour 1 red, 2 black.
struct CardAttrs {
    i16 Num = 0;
    i16 Suitpile = 0;
    i16 Suit = 0;
    i32 Color = 1;
};

inline i32 colorOfSuit(i16 suit)
{
    return (suit == 0 || suit == 2) ? 1 : 2;
}

inline CardAttrs cardAttrs(int value, int suitType)
{
    CardAttrs a;
    a.Num = static_cast<i16>(value % 13);
    a.Suitpile = static_cast<i16>(value / 13);
    switch (suitType) {
    case 0:
        a.Suit = 0;
        break;
    case 1:
        a.Suit = static_cast<i16>((value % 52) / 26);
        break;
    default:
        a.Suit = static_cast<i16>((value % 52) / 13);
        break;
    }
    a.Color = colorOfSuit(a.Suit);
    return a;
}

// Face picture number 1..52: hearts, spades, diamonds, clubs, Ace to King each.
inline int facePicture(i16 suit, i16 num)
{
    return suit * 13 + num + 1;
}

} // namespace tess
