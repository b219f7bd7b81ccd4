// Pressing the stock: a card to the waste, a row onto the tableau, the waste back as a redeal.
#include <algorithm>

#include <gtest/gtest.h>

#include "tests/play/fixtures.h"

namespace tess
{
namespace
{

using fixture::Rest;
using fixture::Table;

std::vector<std::string> faceDown(std::vector<std::string> cards)
{
    for (std::string &c : cards)
        c = "#" + c;
    return cards;
}

// 24 stock cards: the hearts and eleven spades, Ace of hearts at the bottom.
std::vector<std::string> twentyFour()
{
    auto v = fixture::suitRun('H');
    const auto s = fixture::suitRun('S', 10);
    v.insert(v.end(), s.begin(), s.end());
    return faceDown(v);
}

TEST(TurnToWaste, OnePressOneCardFaceUp)
{
    Table t("Klondike", {{Stock, 0, {"#3D", "#9C"}}}, Rest::Nowhere);
    t.pressStock();
    EXPECT_EQ(t.pile(Waste, 0), "9C");
    EXPECT_EQ(t.pile(Stock, 0), "#3D");
    ASSERT_EQ(t.moves(), 1);
    EXPECT_EQ(t.e.Trans->Entry(1).tMod, tmod::TurnedUp);
    EXPECT_EQ(t.e.Trans->Entry(1).SrcPos, 1);
    t.pressStock();
    EXPECT_EQ(t.pile(Waste, 0), "9C 3D");
    EXPECT_EQ(t.top(Stock, 0), -1);
    EXPECT_FALSE(t.e.Drag.Dragging) << "a press on the stock deals, it does not drag";
}

TEST(TurnToWaste, ATurnedCardThatFitsGoesHome)
{
    Table t("Klondike", {{Stock, 0, {"#2H", "#AH"}}}, Rest::Nowhere);
    t.pressStock();
    EXPECT_EQ(t.pile(Goal, 0), "AH");
    t.pressStock();
    EXPECT_EQ(t.pile(Goal, 0), "AH 2H");
    EXPECT_EQ(t.moves(), 4);
    EXPECT_EQ(std::count(t.view.sounds.begin(), t.view.sounds.end(), "AutoPlay"), 2);
}

TEST(DealRow, OneCardToEveryPileAsOneGroup)
{
    Table t("Spiderette",
            {{Home, 0, {"KS"}},
             {Home, 1, {"KH"}},
             {Home, 2, {"KD"}},
             {Home, 4, {"KC"}},
             {Home, 5, {"QS"}},
             {Home, 6, {"QH"}},
             {Stock, 0, faceDown({"2C", "3C", "4C", "9S", "9H", "9D", "8S", "8H", "8D", "7S"})}},
            Rest::Nowhere);
    t.pressStock();
    EXPECT_EQ(t.pile(Home, 0), "KS 7S");
    EXPECT_EQ(t.pile(Home, 1), "KH 8D");
    EXPECT_EQ(t.pile(Home, 3), "8S") << "an empty pile gets its card too";
    EXPECT_EQ(t.pile(Home, 6), "QH 9S");
    EXPECT_EQ(t.pile(Stock, 0), "#2C #3C #4C");
    ASSERT_EQ(t.moves(), 7);
    for (int i = 1; i <= 7; ++i) {
        EXPECT_EQ(t.e.Trans->Entry(i).tMod, tmod::TurnedUp);
        EXPECT_EQ(t.e.Trans->Entry(i).Multi, i < 7 ? 1 : 0) << i;
    }
    // The stock runs out part way: the first piles only.
    t.pressStock();
    EXPECT_EQ(t.pile(Home, 0), "KS 7S 4C");
    EXPECT_EQ(t.pile(Home, 2), "KD 8H 2C");
    EXPECT_EQ(t.pile(Home, 3), "8S");
    EXPECT_EQ(t.moves(), 10);
    EXPECT_TRUE(t.undo());
    EXPECT_EQ(t.moves(), 7);
    EXPECT_EQ(t.pile(Stock, 0), "#2C #3C #4C");
    EXPECT_TRUE(t.undo());
    EXPECT_EQ(t.moves(), 0);
    EXPECT_EQ(t.pile(Stock, 0), "#2C #3C #4C #9S #9H #9D #8S #8H #8D #7S");
    EXPECT_EQ(t.top(Home, 3), -1);
}

TEST(Redeal, TheWholeWasteGoesBackAsOneGroup)
{
    Table t("Klondike", {{Stock, 0, twentyFour()}}, Rest::Nowhere);
    t.host.autoplay = 0;
    const std::string stock = t.pile(Stock, 0);
    for (int i = 0; i < 24; ++i)
        t.pressStock();
    const std::string waste = t.pile(Waste, 0);
    ASSERT_EQ(t.moves(), 24);
    StockMarkerPress(t.e);
    EXPECT_EQ(t.moves(), 48);
    EXPECT_EQ(t.pile(Stock, 0), stock) << "back in the order it was turned, face down";
    EXPECT_EQ(t.top(Waste, 0), -1);
    EXPECT_EQ(t.e.RedealCount, 1);
    EXPECT_EQ(t.e.Games.StockNum(), 2) << "unlimited redeals keep the marker live";
    for (int i = 25; i <= 48; ++i)
        EXPECT_EQ(t.e.Trans->Entry(i).tMod, tmod::TurnedDown);

    EXPECT_TRUE(t.undo());
    EXPECT_EQ(t.moves(), 24);
    EXPECT_EQ(t.pile(Waste, 0), waste);
    EXPECT_EQ(t.top(Stock, 0), -1);
    EXPECT_TRUE(t.redo());
    EXPECT_EQ(t.moves(), 48);
    EXPECT_EQ(t.pile(Stock, 0), stock);
}

TEST(Redeal, LimitSurvivesUndo)
{
    Table t("Blind Alleys", {{Stock, 0, {"#5S", "#9C", "#QD"}}}, Rest::Nowhere);
    t.host.autoplay = 0;
    for (int i = 0; i < 3; ++i)
        t.pressStock();
    StockMarkerPress(t.e);
    EXPECT_EQ(t.pile(Stock, 0), "#5S #9C #QD");
    EXPECT_EQ(t.e.RedealCount, 1);
    EXPECT_EQ(t.e.Games.StockNum(), 1);
    EXPECT_EQ(t.e.StockMarker.Kind, 15);

    for (int i = 0; i < 3; ++i)
        t.pressStock();
    const int before = t.moves();
    StockMarkerPress(t.e);
    EXPECT_EQ(t.moves(), before);
    EXPECT_EQ(t.pile(Waste, 0), "QD 9C 5S");

    i16 speed = 0;
    t.e.Trans->UndoAll(speed);
    EXPECT_EQ(t.moves(), 0);
    EXPECT_EQ(t.e.RedealCount, 1);
    EXPECT_EQ(t.e.Games.StockNum(), 1);
    for (int i = 0; i < 3; ++i)
        t.pressStock();
    StockMarkerPress(t.e);
    EXPECT_EQ(t.top(Stock, 0), -1) << "undo does not give the redeal back";
    EXPECT_EQ(t.pile(Waste, 0), "QD 9C 5S");
}

TEST(Redeal, AnEmptyWasteStillCountsAndLogsNothing)
{
    Table t("Blind Alleys", {{Stock, 0, {"#5S"}}}, Rest::Nowhere);
    StockMarkerPress(t.e);
    EXPECT_EQ(t.e.RedealCount, 1);
    EXPECT_EQ(t.moves(), 0);
    EXPECT_EQ(t.e.Games.StockNum(), 1);
    t.pressStock();
    StockMarkerPress(t.e);
    EXPECT_EQ(t.pile(Waste, 0), "5S");
}

TEST(Redeal, MarkerWithoutRedealsDoesNothing)
{
    // Unlimited redeals, but the stock marker says there are none.
    Table t("Cone Klondike", {{Stock, 0, {"#5S"}}}, Rest::Nowhere);
    ASSERT_EQ(t.e.Games.StockNum(), 1);
    t.pressStock();
    StockMarkerPress(t.e);
    EXPECT_EQ(t.e.RedealCount, 0);
    EXPECT_EQ(t.pile(Waste, 0), "5S");
    EXPECT_EQ(t.moves(), 1);
}

TEST(Redeal, MarkerShowsWhetherAnythingIsLeft)
{
    Table t("Klondike", {{Stock, 0, {"#KS"}}}, Rest::Nowhere);
    t.host.autoplay = 0;
    RefreshStockMarker(t.e);
    EXPECT_EQ(t.e.StockMarker.Kind, 16);
    t.pressStock();
    RefreshStockMarker(t.e);
    EXPECT_EQ(t.e.StockMarker.Kind, 16);
    t.drag(t.find("KS"), Home, 0);
    ASSERT_EQ(t.top(Waste, 0), -1);
    RefreshStockMarker(t.e); // nothing to turn and nothing to redeal
    EXPECT_EQ(t.e.StockMarker.Kind, 15);
}

} // namespace
} // namespace tess
