// Every change of place goes through MoveCard: what it turns, logs, animates and refuses.
#include <gtest/gtest.h>

#include "tests/play/fixtures.h"

namespace tess
{
namespace
{

using fixture::PileSpec;
using fixture::suitRun;
using fixture::Table;

bool move(Table &t, int picId, int cell, int pile, int pos, i32 &mod, int speed = 0, int carried = 0)
{
    return t.e.Array.MoveCard(static_cast<i16>(picId), static_cast<i16>(cell), static_cast<i16>(pile),
                              static_cast<i16>(pos), mod, static_cast<i16>(speed), static_cast<i16>(carried),
                              0);
}

TEST(MoveCard, FullFoundationIsLeftAloneOutsideSpiderGames)
{
    Table t("Klondike", {{Goal, 0, suitRun('H')}, {Home, 0, {"QS"}}});
    t.host.autoplay = 0;
    const int qs = t.find("QS");
    i32 mod = tmod::Plain;
    EXPECT_FALSE(move(t, qs, Goal, 0, 13, mod));
    EXPECT_EQ(t.top(Goal, 0), 12);
    EXPECT_EQ(t.pile(Home, 0), "QS");
    EXPECT_EQ(t.e.card(qs).Cell, Home);
    EXPECT_EQ(t.moves(), 0);
    EXPECT_EQ(t.e.Trans->GetTransLast(), 0);

    Table s("Spiderette", {{Goal, 0, suitRun('H')}, {Home, 0, {"QS"}}});
    const int sqs = s.find("QS");
    EXPECT_TRUE(move(s, sqs, Goal, 0, 13, mod));
    EXPECT_EQ(s.top(Goal, 0), 13);
    EXPECT_EQ(s.id(Goal, 0, 13), sqs);
    EXPECT_EQ(s.top(Home, 0), -1);
    EXPECT_EQ(s.moves(), 1);
}

TEST(MoveCard, UncoveredCardTurnsUpAndTheMoveSaysSo)
{
    Table t("Klondike", {{Home, 0, {"#5C", "#9D", "KS"}}});
    t.host.autoplay = 0;
    const int ks = t.find("KS"), nd = t.find("9D"), fc = t.find("5C");
    i32 mod = tmod::Plain;
    ASSERT_TRUE(move(t, ks, Home, 1, 0, mod));
    EXPECT_EQ(mod, tmod::Uncovered); // the caller's variable is changed too
    EXPECT_EQ(t.pile(Home, 0), "#5C 9D");
    EXPECT_EQ(t.pile(Home, 1), "KS");
    ASSERT_EQ(t.moves(), 1);
    const TransRecord &r = t.e.Trans->Entry(1);
    EXPECT_EQ(r.PicID, ks);
    EXPECT_EQ(r.tMod, tmod::Uncovered);
    EXPECT_EQ(r.SrcCell, Home);
    EXPECT_EQ(r.SrcPile, 0);
    EXPECT_EQ(r.SrcPos, 2);
    EXPECT_EQ(r.DCell, Home);
    EXPECT_EQ(r.DPile, 1);
    EXPECT_EQ(r.DPos, 0);
    EXPECT_EQ(r.Multi, 0);
    EXPECT_EQ(t.e.card(nd).FaceMode, 0);
    EXPECT_EQ(t.e.card(fc).FaceMode, 1);
    EXPECT_EQ(t.e.Array.ClosedCards(0), 1);
}

TEST(MoveCard, BottomOrFaceUpNeighbourTurnsNothing)
{
    Table t("Klondike", {{Home, 0, {"KS"}}, {Home, 1, {"#5C", "QH"}}, {Home, 2, {"9D", "8S"}}});
    t.host.autoplay = 0;
    i32 mod = tmod::Plain;
    ASSERT_TRUE(move(t, t.find("KS"), Home, 3, 0, mod));
    EXPECT_EQ(mod, tmod::Plain);
    EXPECT_EQ(t.pile(Home, 1), "#5C QH");
    EXPECT_EQ(t.top(Home, 0), -1);
    ASSERT_TRUE(move(t, t.find("8S"), Home, 4, 0, mod));
    EXPECT_EQ(mod, tmod::Plain);
    EXPECT_EQ(t.e.Trans->Entry(1).tMod, tmod::Plain);
    EXPECT_EQ(t.e.Trans->Entry(2).tMod, tmod::Plain);
}

TEST(MoveCard, RunOfFourIsOneEntryAndOnlyItsFirstCardIsAnimated)
{
    Table t("Klondike", {{Home, 0, {"#2C", "KS", "QH", "JC", "10D"}}});
    t.host.autoplay = 0;
    t.view.animating = true;
    const int ks = t.find("KS");
    i32 mod = tmod::Plain;
    ASSERT_TRUE(move(t, ks, Home, 1, 0, mod, 3, 3));
    EXPECT_EQ(t.pile(Home, 1), "KS QH JC 10D");
    EXPECT_EQ(t.top(Home, 1), 3);
    EXPECT_EQ(t.pile(Home, 0), "2C");
    ASSERT_EQ(t.moves(), 1);
    EXPECT_EQ(t.e.Trans->Entry(1).mCards, 3);
    EXPECT_EQ(t.e.Trans->Entry(1).tMod, tmod::Uncovered);
    ASSERT_EQ(t.view.steps.size(), 3u);
    for (const auto &step : t.view.steps)
        EXPECT_EQ(step.picId, ks) << "only the first card of a run is animated";
    for (int pos = 0; pos <= 3; ++pos) {
        const CardState &c = t.e.card(t.id(Home, 1, pos));
        EXPECT_EQ(c.Left, t.e.Array.CordX(Home, 1, pos));
        EXPECT_EQ(c.Top, t.e.Array.CordY(Home, 1, pos));
        EXPECT_EQ(c.Pos, pos);
    }
}

TEST(MoveCard, SpeedFivePassesFivePositionsThenLandsExactly)
{
    Table t("Klondike", {{Home, 0, {"KS"}}});
    t.host.autoplay = 0;
    t.view.animating = true;
    const int ks = t.find("KS");
    const double l = t.e.card(ks).Left, top = t.e.card(ks).Top;
    const double x = t.e.Array.CordX(Home, 5, 0), y = t.e.Array.CordY(Home, 5, 0);
    i32 mod = tmod::Plain;
    ASSERT_TRUE(move(t, ks, Home, 5, 0, mod, 5));
    const auto &steps = t.view.steps;
    ASSERT_EQ(steps.size(), 5u);
    for (int i = 1; i <= 5; ++i) {
        const auto &s = steps[static_cast<size_t>(i - 1)];
        EXPECT_EQ(s.picId, ks);
        EXPECT_DOUBLE_EQ(s.left, l + (x - l) * i / 5) << i;
        EXPECT_DOUBLE_EQ(s.top, top + (y - top) * i / 5) << i;
    }
    EXPECT_NE(steps.front().left, x);
    EXPECT_EQ(t.view.moves[ks].back(), std::make_pair(x, y));
    EXPECT_EQ(t.e.card(ks).Left, x);
    EXPECT_EQ(t.e.card(ks).Top, y);

    // A view that draws nothing gets no steps at all.
    Table quiet("Klondike", {{Home, 0, {"KS"}}});
    quiet.host.autoplay = 0;
    const int qks = quiet.find("KS");
    ASSERT_TRUE(move(quiet, qks, Home, 5, 0, mod, 5));
    EXPECT_TRUE(quiet.view.steps.empty());
    for (const auto &pos : quiet.view.moves[qks])
        EXPECT_EQ(pos, std::make_pair(x, y)) << "no stop on the way";
}

TEST(MoveCard, IndexErrorsReachTheCaller)
{
    Table t("Klondike", {{Home, 0, {"KS", "QH"}}});
    t.host.autoplay = 0;
    const int qh = t.find("QH");
    i32 mod = tmod::Plain;
    EXPECT_THROW(move(t, qh, Home, 21, 0, mod), IndexError);
    EXPECT_THROW(move(t, qh, Home, 1, 53, mod), IndexError);
    EXPECT_THROW(move(t, t.find("KS"), Home, 1, 52, mod, 0, 1), IndexError); // the carried card would not fit
    EXPECT_THROW(move(t, qh, 5, 0, 0, mod), IndexError);
    // Refused before anything changed.
    EXPECT_EQ(t.pile(Home, 0), "KS QH");
    EXPECT_EQ(t.moves(), 0);

    EXPECT_THROW(t.e.Array.GetTopPicID(Home, 1), IndexError); // an empty pile has no top card
    EXPECT_EQ(t.e.Array.GetTop(Home, 1), -1);
    EXPECT_THROW(t.e.Array.GetTop(Home, 21), IndexError);
    EXPECT_THROW(t.e.Array.GetPicID(Home, 0, 53), IndexError);
    EXPECT_THROW(t.e.Array.GetPicID(Home, 0, -1), IndexError);
    EXPECT_THROW(t.e.card(104), IndexError);
}

TEST(MoveCard, TurnToWasteIsLoggedFaceUp)
{
    Table t("Klondike", {{Stock, 0, {"#3D", "#9C"}}}, fixture::Rest::Nowhere);
    t.host.autoplay = 0;
    const int nc = t.find("9C");
    ASSERT_TRUE(t.e.Array.AddtoWaste(static_cast<i16>(nc)));
    EXPECT_EQ(t.pile(Waste, 0), "9C");
    EXPECT_EQ(t.pile(Stock, 0), "#3D");
    ASSERT_EQ(t.moves(), 1);
    EXPECT_EQ(t.e.Trans->Entry(1).tMod, tmod::TurnedUp);
    EXPECT_EQ(t.e.Trans->Entry(1).SrcCell, Stock);
}

TEST(MoveCard, PileCounts)
{
    Table t(
        "Double Klondike",
        {{Goal, 0, suitRun('H', 4)}, {Goal, 5, suitRun('S', 12)}, {Home, 2, {"#5C", "#9D", "#KS", "QH"}}});
    EXPECT_EQ(t.e.Array.TotalGoalCards(), 5 + 13);
    EXPECT_EQ(t.e.Array.ClosedCards(2), 3);
    EXPECT_EQ(t.e.Array.ClosedCards(3), 0);
}

TEST(MoveCard, HideAllForgetsEveryCardsPlace)
{
    Engine e;
    e.NewGame("Raglan", 12);
    e.HideAll();
    for (int p = 0; p < kMaxCards; ++p) {
        const CardState &c = e.card(p);
        EXPECT_EQ(c.Cell, 0);
        EXPECT_EQ(c.Pile, 0);
        EXPECT_EQ(c.Pos, 0);
        EXPECT_EQ(c.Num, 0);
        EXPECT_FALSE(c.Visible);
    }
    for (const MarkerState &m : e.HomeMarkers)
        EXPECT_FALSE(m.Visible);
    EXPECT_FALSE(e.ResMarkers[0].Visible);
    EXPECT_FALSE(e.GoalMarkers[0].Visible);
}

} // namespace
} // namespace tess
