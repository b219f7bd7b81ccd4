// The game session without windows: starting, ending, recording and the score.
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "app/session.h"
#include "play/cTrans.h"
#include "play/deal.h"
#include "support/tempShared.h"

using namespace tess;

namespace
{

struct Fixture : tess::testing::TempShared {
    std::unique_ptr<Session> session;
    Fixture()
    {
        shared.createGameObjects();
        session = std::make_unique<Session>(shared, nullptr);
        session->SetUpSession();
    }
};

std::vector<std::tuple<int, int, int, int>> layout(const Engine &e)
{
    std::vector<std::tuple<int, int, int, int>> out;
    for (int i = 0; i < e.Games.TotalCards(); ++i)
        out.emplace_back(e.Cards[i].Cell, e.Cards[i].Pile, e.Cards[i].Pos, e.Cards[i].FaceMode);
    return out;
}

} // namespace

TEST(Session, SetUpCreatesDataFolderAndFirstPlayer)
{
    Fixture f;
    EXPECT_TRUE(QDir(f.d().AppDir()).exists());
    EXPECT_EQ(f.d().CurPlayer(), "Player1");
    EXPECT_EQ(f.d().GetPlayer(1), "Player1");
    EXPECT_FALSE(f.d().SesStartTime.isEmpty());
    EXPECT_TRUE(parseTimeText(f.d().SesStartTime).isValid());
}

TEST(Session, StartRecordsNothingAndSetsTheCaption)
{
    Fixture f;
    f.session->StartNewGame("Klondike", GameNumber::number(123));
    EXPECT_TRUE(f.d().GameRunning);
    EXPECT_EQ(f.session->Caption(), "Tessaline [Klondike] [Player1] [123]");
    EXPECT_EQ(f.d().LastGName(), "Klondike");
    EXPECT_EQ(f.d().GetRecent(1), "Klondike");
    EXPECT_TRUE(f.scoreLines().isEmpty());
}

TEST(Session, RestartDealsTheSameCardsAndRecordsTheAttemptAsLost)
{
    Fixture f;
    f.session->StartNewGame("Klondike", GameNumber::number(77));
    const auto first = layout(*f.shared.Eng);
    f.session->StartNewGame(f.d().CurGName(), f.d().CurGNo);
    EXPECT_EQ(layout(*f.shared.Eng), first);
    const QStringList lines = f.scoreLines();
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].contains("\"Klondike\",77,")) << lines[0].toStdString();
    EXPECT_TRUE(lines[0].endsWith(",0"));
    EXPECT_EQ(f.d().RecentCount(), 1); // already on top: nothing moved
}

TEST(Session, EndGameRecordsOnceAndClearsTheTable)
{
    Fixture f;
    f.session->StartNewGame("Canister", GameNumber::text("42"));
    f.session->EndGame(0);
    EXPECT_FALSE(f.d().GameRunning);
    EXPECT_EQ(f.shared.Score->SesTop(), 1);
    const QStringList lines = f.scoreLines();
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].contains("\"Canister\",\"42\",")) << lines[0].toStdString();
    for (const CardState &c : f.shared.Eng->Cards) {
        EXPECT_FALSE(c.Visible);
        EXPECT_EQ(c.Cell, 0);
        EXPECT_EQ(c.Pos, 0);
    }
    // The caption still names the game just ended.
    EXPECT_EQ(f.session->Caption(), "Tessaline [Canister] [Player1] [42]");
}

TEST(Session, BadGameOrNumberChangesNothing)
{
    Fixture f;
    f.session->StartNewGame("Klondike", GameNumber::number(5));
    const auto before = layout(*f.shared.Eng);
    EXPECT_THROW(f.session->StartNewGame("Klondyke", GameNumber::number(5)), SessionError);
    EXPECT_THROW(f.session->StartNewGame("Klondike", GameNumber::text("12x")), SessionError);
    EXPECT_TRUE(f.d().GameRunning);
    EXPECT_EQ(layout(*f.shared.Eng), before);
    EXPECT_TRUE(f.scoreLines().isEmpty());
}

TEST(Session, ScoreFollowsTheFormulaAndStaysInSixteenBits)
{
    Fixture f;
    f.session->StartNewGame("Klondike", GameNumber::number(1));
    Engine &e = *f.shared.Eng;
    // Put every card home by hand (not running meanwhile, so no win is declared).
    f.d().GameRunning = false;
    // Top cards only, so every pile stays whole while it empties.
    for (int cell : {Home, Stock, Waste})
        for (int pile = 0; pile < e.Games.Piles(cell); ++pile)
            while (e.Array.GetTop(cell, pile) >= 0) {
                const i16 p = e.Array.GetTopPicID(cell, pile);
                int goal = 0;
                while (e.Array.GetTop(Goal, goal) >= 12)
                    ++goal;
                i32 mod = tmod::Replayed;
                e.Array.MoveCard(p, Goal, static_cast<i16>(goal), e.Array.GetTop(Goal, goal) + 1, mod, 0, 0,
                                 0);
            }
    f.d().GameRunning = true;
    ASSERT_EQ(e.Array.TotalGoalCards(), 52);
    f.d().CurTime = 300;
    f.d().CurMoves = 120;
    EXPECT_EQ(f.session->ComputeScore(), 360);
    f.d().CurTime = 301; // 520 - (100.33 + 60) = 359.67
    EXPECT_EQ(f.session->ComputeScore(), 360);
    f.d().CurTime = 0;
    f.d().CurMoves = 1; // 520 - 0.5: the half goes to the even neighbour
    EXPECT_EQ(f.session->ComputeScore(), 520);
    f.d().CurMoves = 3; // 518.5 -> 518
    EXPECT_EQ(f.session->ComputeScore(), 518);
    f.d().CurTime = 200000;
    EXPECT_EQ(f.session->ComputeScore(), -32768);
    f.d().GameRunning = false;
    EXPECT_EQ(f.session->ComputeScore(), 0);
}

TEST(Session, NewGameNeverRecordsTheFiguresOfTheGameBefore)
{
    Fixture f;
    f.session->StartNewGame("Klondike", GameNumber::number(3));
    f.d().CurTime = 999;
    f.d().CurMoves = 77;
    f.session->StartNewGame("Klondike", GameNumber::number(4));
    EXPECT_EQ(f.d().CurTime, 0);
    EXPECT_EQ(f.d().CurMoves, f.shared.Eng->Trans->GetTransID());
}
