#include "model/names.h"

namespace tess
{

std::string cardTitle(const CardAttrs &card)
{
    static const char *ranks[] = {"Ace",   "Two",  "Three", "Four", "Five",  "Six", "Seven",
                                  "Eight", "Nine", "Ten",   "Jack", "Queen", "King"};
    static const char *suits[] = {"Hearts", "Spades", "Diamonds", "Clubs"};
    const int rank = ((card.Num % kSuitCards) + kSuitCards) % kSuitCards;
    const int suit = ((card.Suit % 4) + 4) % 4;
    return std::string(ranks[rank]) + " of " + suits[suit];
}

std::string pileName(int cell, int pile)
{
    const std::string n = std::to_string(pile + 1);
    switch (cell) {
    case Home:
        return "tableau pile " + n;
    case Goal:
        return "foundation " + n;
    case Res:
        return "free cell " + n;
    case Stock:
        return "stock";
    case Waste:
        return "waste";
    default:
        return "pile " + n;
    }
}

} // namespace tess
