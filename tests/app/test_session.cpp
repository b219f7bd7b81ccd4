// The game session without windows: starting, ending, recording and the score; one running
// copy per data folder.
#include <iostream>
#include <string>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "app/dataLock.h"
#include "app/session.h"
#include "play/cTrans.h"
#include "play/deal.h"
#include "tests/support/tempShared.h"

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

// The first copy is a process of its own, holding the folder as the program does; the test is
// the second copy. Killing the first leaves its lock behind, as a crash would.
TEST(DataFolder, ASecondCopyIsRefusedWhileTheFirstRunsAndTakesOverAfterItsCrash)
{
    if (const QString held = qEnvironmentVariable("TESS_HOLD_DATA_FOLDER"); !held.isEmpty()) {
        DataFolderLock first(held);
        std::cout << (first.state() == DataFolderLock::State::Held ? "held" : "refused") << std::endl;
        std::string line;
        std::getline(std::cin, line); // until killed
        return;
    }
    QTemporaryDir dir;
    const QString folder = dir.filePath("data/Tessaline/");
    QProcess first;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TESS_HOLD_DATA_FOLDER", folder);
    first.setProcessEnvironment(env);
    first.start(QFile::symLinkTarget("/proc/self/exe"),
                {"--gtest_filter=DataFolder.ASecondCopyIsRefusedWhileTheFirstRunsAndTakesOverAfterItsCrash"});
    ASSERT_TRUE(first.waitForStarted(10000));
    QByteArray said;
    while (!said.contains("held") && !said.contains("refused") && first.waitForReadyRead(20000))
        said += first.readAllStandardOutput();
    ASSERT_TRUE(said.contains("held")) << said.toStdString();
    const QString lockFile = folder + kLockFileName;
    ASSERT_TRUE(QFile::exists(lockFile));
    QFile f(lockFile);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray owner = f.readAll();
    f.close();
    {
        DataFolderLock second(folder);
        EXPECT_EQ(second.state(), DataFolderLock::State::InUse);
        EXPECT_EQ(second.folder(), folder);
    }
    // However old the lock, a live first copy keeps its folder.
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addDays(-3), QFileDevice::FileModificationTime));
    f.close();
    {
        DataFolderLock second(folder);
        EXPECT_EQ(second.state(), DataFolderLock::State::InUse);
    }
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), owner); // the refused copy left the lock alone
    f.close();

    first.kill();
    ASSERT_TRUE(first.waitForFinished(10000));
    ASSERT_TRUE(QFile::exists(lockFile));
    {
        DataFolderLock next(folder);
        EXPECT_EQ(next.state(), DataFolderLock::State::Held);
        // Two holders in one process meet the same guard.
        DataFolderLock again(folder);
        EXPECT_EQ(again.state(), DataFolderLock::State::InUse);
    }
    EXPECT_FALSE(QFile::exists(lockFile)); // given back on leaving
    EXPECT_TRUE(secondCopyMessage("Tessaline", folder).contains(QDir::toNativeSeparators(folder)));
}
