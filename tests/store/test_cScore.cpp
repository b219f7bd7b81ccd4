// The score store: appending, loading, the top lists, the totals, clearing, favourites and the session.
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <future>
#include <set>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include <QDirIterator>
#include <QHash>

#include "tests/store/scoreFixture.h"

namespace tess::test
{
namespace
{

QByteArray line(const char *date, const char *game, const char *no, i32 time, i32 moves, i32 score, int won)
{
    return QByteArray("\"") + date + "\",\"" + game + "\"," + no + "," + QByteArray::number(time) + "," +
           QByteArray::number(moves) + "," + QByteArray::number(score) + "," + QByteArray::number(won) +
           "\r\n";
}

// The score of each top position, 0 for an empty one, cut after the last filled position.
std::vector<i32> topScores(const cScore &s)
{
    std::vector<i32> out;
    for (int p = 1; p <= cScore::kTopSize; ++p)
        out.push_back(s.GetTop(p).Score);
    while (!out.empty() && out.back() == 0)
        out.pop_back();
    return out;
}

class RecordingPrompt : public ScorePrompt
{
  public:
    explicit RecordingPrompt(bool answer) : answer_(answer) {}
    bool askYesNo(const QString &title, const QString &text) override
    {
        asked << title + QLatin1Char('|') + text;
        return answer_;
    }
    void inform(const QString &title, const QString &text) override
    {
        told << title + QLatin1Char('|') + text;
    }
    QStringList asked;
    QStringList told;

  private:
    bool answer_;
};

using ScoreFiles = ScoreFixture;

TEST_F(ScoreFiles, FirstGameCreatesTheFolderAndFileTheNextAppends)
{
    data.SetPlayer(1, QStringLiteral("Ann"), true);
    ASSERT_FALSE(QDir(dir()).exists());
    setGame(QStringLiteral("Klondike"), GameNumber::number(123), 312, 87, 45);
    const QString before = nowText();
    score.AddScore(1);
    const QString after = nowText();
    const QList<QByteArray> one = readFile("Ann.sre").split('\n');
    ASSERT_EQ(one.size(), 2); // one line and the empty rest after its end
    EXPECT_TRUE(one[0].endsWith("\",\"Klondike\",123,312,87,45,1\r")) << one[0].constData();
    const QString date = QString::fromUtf8(one[0].mid(1, 19));
    EXPECT_GE(date, before);
    EXPECT_LE(date, after);

    setGame(QStringLiteral("Canister"), GameNumber::text("77"), 9, 3, -12);
    score.AddScore(0);
    const QByteArray two = readFile("Ann.sre");
    EXPECT_EQ(two.count("\r\n"), 2);
    EXPECT_TRUE(two.endsWith("\",\"Canister\",\"77\",9,3,-12,0\r\n")) << two.constData();

    score.OpenScore(QStringLiteral("Ann"));
    ASSERT_EQ(score.ScoreTop(), 2);
    EXPECT_EQ(score.GetScore(2).GameNo, GameNumber::text("77"));
    EXPECT_EQ(score.GetScore(2).Player, QStringLiteral("Ann"));
}

TEST_F(ScoreFiles, AnAppendEndsALineLeftOpenByACrash)
{
    data.SetPlayer(1, QStringLiteral("Ann"), true);
    setGame(QStringLiteral("Klondike"), GameNumber::number(5), 10, 11, 12);
    // A whole record without its line end, then one cut in the middle.
    writeFile("Ann.sre", line("2026-01-02 03:04:05", "Klondike", "1", 1, 2, 3, 1).chopped(2));
    score.AddScore(1);
    writeFile("Bob.sre", "\"2026-01-02 03:04:05\",\"Klondike\",1,1\r");
    data.SetPlayer(2, QStringLiteral("Bob"), true);
    score.AddScore(0);

    score.OpenAllScore();
    ASSERT_EQ(score.ScoreTop(), 3);
    EXPECT_EQ(score.GetScore(1).Time, 1);
    EXPECT_EQ(score.GetScore(2).Time, 10);
    EXPECT_EQ(score.GetScore(3).Player, QStringLiteral("Bob"));
    EXPECT_EQ(score.GetScore(3).Won, 0);
    EXPECT_EQ(readFile("Bob.sre").count("\r\n"), 2);
}

// Runs fn in a child process; what it returns comes back as the child's exit status.
int inChild(const std::function<int()> &fn)
{
    const pid_t pid = fork();
    if (pid == 0)
        _exit(fn());
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

TEST_F(ScoreFiles, TwoProcessesAppendingAtOnceLoseNoLineAndTearNone)
{
    data.SetPlayer(1, QStringLiteral("Ann"), true);
    writeFile("fav.dat", QByteArray());
    constexpr int kEach = 3000;
    // Both children wait at the gate until the parent closes it, so their appends overlap.
    int gate[2];
    ASSERT_EQ(pipe(gate), 0);
    std::vector<pid_t> children;
    for (int k = 1; k <= 2; ++k) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            close(gate[1]);
            char c;
            (void)!read(gate[0], &c, 1);
            int failed = 0;
            for (int i = 0; i < kEach; ++i) {
                try {
                    setGame(QStringLiteral("Klondike"), GameNumber::number(k * 100000 + i), 1, 2, 3);
                    score.AddScore(1);
                    score.AddFav(QStringLiteral("Klondike"), GameNumber::number(k * 100000 + i));
                } catch (const std::exception &) {
                    ++failed;
                }
            }
            _exit(failed == 0 ? 0 : 1);
        }
        children.push_back(pid);
    }
    close(gate[0]);
    close(gate[1]);
    for (pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "an append reported a failure";
    }

    // Every line whole, each game exactly once.
    auto check = [&](const QByteArray &all, auto parse, const char *what) {
        std::set<long long> seen;
        int lines = 0;
        forEachLine(QByteArrayView(all), [&](QByteArrayView l) {
            ++lines;
            const auto r = parse(l);
            ASSERT_TRUE(r.has_value()) << what << ": torn line " << l.toByteArray().constData();
            EXPECT_TRUE(seen.insert(r->GameNo.value()).second) << what;
        });
        EXPECT_EQ(lines, 2 * kEach) << what;
        EXPECT_EQ(all.count("\r\n"), 2 * kEach) << what;
        EXPECT_EQ(seen.size(), size_t(2 * kEach)) << what;
    };
    check(
        readFile("Ann.sre"), [](QByteArrayView l) { return parseScoreLine(l); }, "score file");
    check(
        readFile("fav.dat"), [](QByteArrayView l) { return parseFavLine(l); }, "favourites");
}

TEST_F(ScoreFiles, AFailedAppendLeavesTheFileAsItWasAndSaysWhy)
{
    data.SetPlayer(1, QStringLiteral("Ann"), true);
    const QByteArray before = line("2026-01-02 03:04:05", "Klondike", "1", 1, 2, 3, 1) +
                              line("2026-01-02 03:05:05", "Canister", "\"2\"", 4, 5, -6, 0);
    writeFile("Ann.sre", before);
    writeFile("fav.dat", "\"Klondike\",1\r\n");
    setGame(QStringLiteral("Klondike"), GameNumber::number(123456789), 312, 87, 45);
    // A file size limit a few bytes above each file stands in for a full disk: the write stops
    // part way with the system's own error.
    int msg[2];
    ASSERT_EQ(pipe(msg), 0);
    const int status = inChild([&] {
        close(msg[0]);
        signal(SIGXFSZ, SIG_IGN);
        int failed = 0;
        for (const char *file : {"Ann.sre", "fav.dat"}) {
            const rlimit lim{rlim_t(readFile(file).size() + 7), RLIM_INFINITY};
            setrlimit(RLIMIT_FSIZE, &lim);
            try {
                if (std::strcmp(file, "fav.dat") == 0)
                    score.AddFav(QStringLiteral("Westcliff"), GameNumber::text("987654321"));
                else
                    score.AddScore(1);
            } catch (const ScoreFileError &ex) {
                ++failed;
                const std::string text = std::string(ex.what()) + "\n";
                (void)!write(msg[1], text.data(), text.size());
            }
        }
        return failed;
    });
    close(msg[1]);
    std::string told;
    char buf[512];
    for (ssize_t n; (n = read(msg[0], buf, sizeof buf)) > 0;)
        told.append(buf, size_t(n));
    close(msg[0]);
    EXPECT_EQ(status, 2) << told;
    EXPECT_EQ(readFile("Ann.sre"), before);
    EXPECT_EQ(readFile("fav.dat"), QByteArray("\"Klondike\",1\r\n"));
    const std::string reason = std::strerror(EFBIG);
    EXPECT_NE(told.find("Ann.sre\": " + reason), std::string::npos) << told;
    EXPECT_NE(told.find("fav.dat\": " + reason), std::string::npos) << told;
}

TEST_F(ScoreFiles, RefusedNamesWriteNothingAnywhere)
{
    setGame(QStringLiteral("Klondike"), GameNumber::number(5), 10, 11, 12);
    for (const char *name : {"", ".", "..", "../evil", "a/b", "a\\b", "Ann\"", "An\nn"}) {
        data.SetCurPlayer(QString::fromUtf8(name));
        EXPECT_THROW(score.AddScore(1), ScoreRefused) << name;
        EXPECT_THROW(score.OpenScore(QString::fromUtf8(name)), ScoreRefused) << name;
    }
    data.SetCurPlayer(QStringLiteral("Ann"));
    for (const char *game : {"Klon\"dike", "Klon\r\ndike"}) {
        setGame(QString::fromUtf8(game), GameNumber::number(5), 10, 11, 12);
        EXPECT_THROW(score.AddScore(1), ScoreRefused);
    }
    setGame(QStringLiteral("Klondike"), GameNumber::text("5\""), 10, 11, 12);
    EXPECT_THROW(score.AddScore(1), ScoreRefused);
    setGame(QStringLiteral("Klondike"), GameNumber::number(5), 10, 11, 12);
    EXPECT_THROW(score.AddScore(2), ScoreRefused);

    QDirIterator it(tmp.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString f = it.next();
        EXPECT_FALSE(f.endsWith(QLatin1String(".sre"))) << f.toStdString();
    }
}

TEST_F(ScoreFiles, NonAsciiNamesRoundTrip)
{
    data.SetPlayer(1, QStringLiteral("Zoë"), true);
    setGame(QStringLiteral("Ça Patience"), GameNumber::text("№7"), 1, 2, 3);
    score.AddScore(1);
    score.OpenAllScore();
    ASSERT_EQ(score.ScoreTop(), 1);
    EXPECT_EQ(score.GetScore(1).Player, QStringLiteral("Zoë"));
    EXPECT_EQ(score.GetScore(1).GameName, QStringLiteral("Ça Patience"));
    EXPECT_EQ(score.GetScore(1).GameNo, GameNumber::text("№7"));
}

TEST_F(ScoreFiles, LoadsPlayersInSlotOrderAndRestartsOnEveryOpenAll)
{
    // Nothing to read is no error, not even without the data folder.
    data.SetPlayer(1, QStringLiteral("Ann"), true);
    score.OpenAllScore();
    EXPECT_EQ(score.ScoreTop(), 0);

    // Slot 7 after a free slot still counts.
    data.SetPlayer(7, QStringLiteral("Bob"), false);
    writeFile("Bob.sre", line("2026-01-01 10:00:00", "Klondike", "1", 1, 1, 1, 1) +
                             line("2026-01-01 11:00:00", "Canister", "2", 2, 2, 2, 0));
    writeFile("Ann.sre", line("2026-02-01 10:00:00", "Westcliff", "3", 3, 3, 3, 1));
    writeFile("Gone.sre", line("2026-02-01 10:00:00", "Westcliff", "3", 3, 3, 3, 1));
    score.OpenAllScore();
    score.OpenAllScore();
    ASSERT_EQ(score.ScoreTop(), 3);
    EXPECT_EQ(score.GetScore(1).Player, QStringLiteral("Ann"));
    EXPECT_EQ(score.GetScore(1).GameName, QStringLiteral("Westcliff"));
    EXPECT_EQ(score.GetScore(2).Player, QStringLiteral("Bob"));
    EXPECT_EQ(score.GetScore(2).GameName, QStringLiteral("Klondike"));
    EXPECT_EQ(score.GetScore(3).GameName, QStringLiteral("Canister"));

    // OpenScore adds to what is loaded.
    score.OpenScore(QStringLiteral("Gone"));
    EXPECT_EQ(score.ScoreTop(), 4);
    score.CloseScore();
    EXPECT_EQ(score.ScoreTop(), 0);
    EXPECT_THROW(score.GetScore(1), IndexError);
}

TEST_F(ScoreFiles, MixedOldNewAndBrokenLinesLoadEveryGoodRecordExactly)
{
    // 30 November 2025, 22:10:00 as the machine's locale writes it; month-first elsewhere.
    const QHash<QString, QString> written = {{"en_GB", "30/11/2025 22:10:00"},
                                             {"de_DE", "30.11.2025 22:10:00"},
                                             {"es_ES", "30/11/2025 22:10:00"},
                                             {"fr_FR", "30/11/2025 22:10:00"}};
    const QString localeDate = written.value(QLocale::system().name(), "11/30/2025 10:10:00 PM");
    QByteArray file;
    file += line("12/8/2026 1:45:36 PM", "Agnes", "12", 31, 8, 4, 1);
    file += "\"2026-03-08 14:05:09\",\"Klondike\",123,312,87\r\n"; // cut short
    file += line("2026-03-08 14:05:09", "Canister", "\"9\"", 20, 30, -4, 0);
    file += "\r\n";                                                 // empty
    file += "\"2026-03-08 14:05:09\",\"Can\"ister\",1,2,3,4,1\r\n"; // stray quote
    file += line("1/1/2026", "Westcliff", "77", 1, 2, 3, 1);        // date only
    file += line("31/31/2026 1:00:00 PM", "Westcliff", "77", 1, 2, 3, 1);
    file += line("2026-03-08 14:05:09", "Westcliff", "77", 1, 2, 3, 7); // won 7
    file += line(localeDate.toUtf8().constData(), "Agnes", "5", 7, 8, 9, 1);
    file += "\"2026-03-09 00:00:01\",\"Agnes\",6,1,1,1,1"; // last line without its end
    writeFile("Ann.sre", file);

    score.OpenScore(QStringLiteral("Ann"));
    // A date that cannot be read keeps its game: it is only in no period.
    ASSERT_EQ(score.ScoreTop(), 6);
    EXPECT_EQ(score.SkippedLines(), 3);
    struct Want {
        const char *date;
        QDate day;
        QTime at;
        const char *game;
        GameNumber no;
        i32 time, moves, score;
        i16 won;
    };
    const Want want[] = {
        {"12/8/2026 1:45:36 PM", {2026, 12, 8}, {13, 45, 36}, "Agnes", GameNumber::number(12), 31, 8, 4, 1},
        {"2026-03-08 14:05:09", {2026, 3, 8}, {14, 5, 9}, "Canister", GameNumber::text("9"), 20, 30, -4, 0},
        {"1/1/2026", {2026, 1, 1}, {0, 0}, "Westcliff", GameNumber::number(77), 1, 2, 3, 1},
        {"31/31/2026 1:00:00 PM", {}, {}, "Westcliff", GameNumber::number(77), 1, 2, 3, 1},
        {nullptr, {2025, 11, 30}, {22, 10}, "Agnes", GameNumber::number(5), 7, 8, 9, 1},
        {"2026-03-09 00:00:01", {2026, 3, 9}, {0, 0, 1}, "Agnes", GameNumber::number(6), 1, 1, 1, 1},
    };
    for (int i = 0; i < 6; ++i) {
        const ScoreRecord r = score.GetScore(i + 1);
        const Want &w = want[i];
        EXPECT_EQ(r.DateText, w.date ? QString::fromUtf8(w.date) : localeDate) << i;
        EXPECT_EQ(r.Day, w.day) << i;
        EXPECT_EQ(r.At, w.at) << i;
        EXPECT_EQ(r.GameName, QString::fromUtf8(w.game)) << i;
        EXPECT_EQ(r.GameNo, w.no) << i;
        EXPECT_EQ(r.Time, w.time) << i;
        EXPECT_EQ(r.Moves, w.moves) << i;
        EXPECT_EQ(r.Score, w.score) << i;
        EXPECT_EQ(r.Won, w.won) << i;
        EXPECT_EQ(r.Player, QStringLiteral("Ann")) << i;
    }
}

TEST_F(ScoreFiles, AFileThatCannotBeReadIsAnError)
{
    QDir().mkpath(dir() + "Ann.sre");
    EXPECT_THROW(score.OpenScore(QStringLiteral("Ann")), ScoreFileError);
    data.SetCurPlayer(QStringLiteral("Ann"));
    setGame(QStringLiteral("Klondike"), GameNumber::number(5), 10, 11, 12);
    EXPECT_THROW(score.AddScore(1), ScoreFileError);
}

TEST_F(ScoreFiles, OneBadFileIsLeftOutAndNamedTheOthersStillLoad)
{
    const QStringList players = {"Ann", "Big", "Cy", "Dee", "Eve"};
    for (qsizetype i = 0; i < players.size(); ++i)
        data.SetPlayer(static_cast<i16>(i + 1), players[i], i == 0);
    QDir().mkpath(dir() + "Ann.sre");
    // 68 games at the longest time a line may hold: each line possible, their sum past 32 bits.
    auto longGames = [](int n) {
        QByteArray file;
        for (int i = 0; i < n; ++i)
            file += line("2026-01-01 10:00:00", "Klondike", "1", kMaxGameSeconds, 1, 1, 1);
        return file;
    };
    writeFile("Big.sre", longGames(68));
    writeFile("Cy.sre", line("2026-01-01 10:00:00", "Canister", "1", 60, 2, -3, 0) + "damaged\r\n");
    // Each fits alone; the second would carry the sum over the first past 32 bits.
    writeFile("Dee.sre", longGames(40));
    writeFile("Eve.sre", longGames(40));

    for (int round = 0; round < 2; ++round) {
        ASSERT_NO_THROW(score.OpenAllScore());
        EXPECT_EQ(score.ScoreTop(), 41);
        EXPECT_EQ(score.SkippedLines(), 1);
        const std::vector<LeftOutFile> out = score.LeftOut();
        ASSERT_EQ(out.size(), 3u);
        EXPECT_EQ(out[0].Player, "Ann");
        EXPECT_EQ(out[0].Path, dir() + "Ann.sre");
        EXPECT_TRUE(out[0].Reason.contains("folder")) << out[0].Reason.toStdString();
        EXPECT_EQ(out[1].Player, "Big");
        EXPECT_TRUE(out[1].Reason.contains("2147483647")) << out[1].Reason.toStdString();
        EXPECT_EQ(out[2].Player, "Eve");
        EXPECT_EQ(out[2].Reason, out[1].Reason);
        EXPECT_EQ(score.GetTotals(), (StatTotals{41, 40, 1, 37, 42, 40 * kMaxGameSeconds + 60}));
        EXPECT_EQ(score.GetPlayerTotals("Big"), StatTotals{});
    }
    score.CloseScore();
    EXPECT_TRUE(score.LeftOut().empty());
}

// Runs fn on a thread and gives what it threw, or "" when it returned. A reader stuck waiting
// for a writer on the pipe at `fifo` is let go, and the run counts as hung.
std::string notHanging(const std::function<void()> &fn, const QString &fifo, bool *hung)
{
    auto done = std::async(std::launch::async, [&]() -> std::string {
        try {
            fn();
        } catch (const std::exception &ex) {
            return ex.what();
        }
        return {};
    });
    *hung = done.wait_for(std::chrono::seconds(20)) != std::future_status::ready;
    if (*hung) {
        const int w = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
        if (w >= 0)
            ::close(w);
    }
    return done.get();
}

TEST_F(ScoreFiles, OnlyPlainFilesUpTo256MBAreReadAndARefusedOneIsNamed)
{
    const QStringList players = {"Ann", "Bob", "Cy", "Dee"};
    for (qsizetype i = 0; i < players.size(); ++i)
        data.SetPlayer(static_cast<i16>(i + 1), players[i], i == 0);
    writeFile("Dee.sre", line("2026-01-01 10:00:00", "Canister", "1", 60, 2, 3, 0));
    ASSERT_EQ(mkfifo(QFile::encodeName(dir() + "Ann.sre").constData(), 0600), 0);
    ASSERT_TRUE(QFile::link("/dev/zero", dir() + "Bob.sre"));
    {
        // Sparse: it takes no room on the disk.
        QFile big(dir() + "Cy.sre");
        ASSERT_TRUE(big.open(QIODevice::WriteOnly));
        ASSERT_TRUE(big.resize(257LL * 1024 * 1024));
    }
    bool hung = false;
    const std::string thrown = notHanging([&] { score.OpenAllScore(); }, dir() + "Ann.sre", &hung);
    EXPECT_FALSE(hung) << "a named pipe was opened for reading";
    EXPECT_EQ(thrown, "");
    EXPECT_EQ(score.ScoreTop(), 1);
    const std::vector<LeftOutFile> out = score.LeftOut();
    ASSERT_EQ(out.size(), 3u);
    EXPECT_TRUE(out[0].Reason.contains("named pipe")) << out[0].Reason.toStdString();
    EXPECT_TRUE(out[1].Reason.contains("device")) << out[1].Reason.toStdString();
    EXPECT_EQ(out[2].Player, "Cy");
    EXPECT_TRUE(out[2].Reason.contains("256 MB")) << out[2].Reason.toStdString();
    // Nothing is appended to them either.
    data.SetCurPlayer("Bob");
    setGame(QStringLiteral("Klondike"), GameNumber::number(5), 10, 11, 12);
    EXPECT_THROW(score.AddScore(1), ScoreFileError);

    // The favourites file the same way, named in the error.
    ASSERT_EQ(mkfifo(QFile::encodeName(dir() + "fav.dat").constData(), 0600), 0);
    const std::string fifo = notHanging([&] { score.OpenFav(); }, dir() + "fav.dat", &hung);
    EXPECT_FALSE(hung) << "a named pipe was opened for reading";
    EXPECT_NE(fifo.find("fav.dat\": it is a named pipe"), std::string::npos) << fifo;
    EXPECT_THROW(score.AddFav(QStringLiteral("Klondike"), GameNumber::number(1)), ScoreFileError);
    QFile::remove(dir() + "fav.dat");
    ASSERT_TRUE(QFile::link("/dev/zero", dir() + "fav.dat"));
    const std::string device = notHanging([&] { score.OpenFav(); }, QString(), &hung);
    EXPECT_NE(device.find("fav.dat\": it is a device"), std::string::npos) << device;
}

using ScoreTopList = ScoreFixture;

TEST_F(ScoreTopList, SortKeepsTheTwentyHighestAndNeverZeroOrBelow)
{
    QByteArray file;
    for (int i = 1; i <= 25; ++i)
        file += line("2026-01-01 10:00:00", "Klondike", "1", i, i, (i * 7) % 26 * 10, 1); // 10..250 mixed
    file += line("2026-01-01 10:00:00", "Klondike", "1", 1, 1, 0, 1);
    file += line("2026-01-01 10:00:00", "Klondike", "1", 1, 1, -30, 1);
    writeFile("Ann.sre", file);
    score.OpenScore(QStringLiteral("Ann"));
    score.Sort(QString(), QString(), 0);
    std::vector<i32> want;
    for (int s = 250; s >= 60; s -= 10)
        want.push_back(s);
    EXPECT_EQ(topScores(score), want);

    // Fewer counted records than places: the rest stays empty.
    writeFile("Bob.sre", line("2026-01-01 10:00:00", "Canister", "1", 1, 1, 5, 1) +
                             line("2026-01-01 10:00:00", "Canister", "1", 1, 1, -5, 1));
    score.CloseScore();
    score.OpenScore(QStringLiteral("Bob"));
    score.Sort(QString(), QString(), 0);
    EXPECT_EQ(topScores(score), std::vector<i32>{5});
    EXPECT_TRUE(score.GetTop(2).GameName.isEmpty());
    EXPECT_THROW(score.GetTop(0), IndexError);
    EXPECT_THROW(score.GetTop(21), IndexError);
}

TEST_F(ScoreTopList, SortPutsTheLaterLoadedOfEqualScoresFirstAndFilters)
{
    writeFile("Ann.sre", line("2026-01-01 10:00:00", "Klondike", "1", 1, 1, 50, 1) +
                             line("2026-01-01 10:00:00", "Canister", "2", 1, 1, 70, 0));
    writeFile("Bob.sre", line("2026-01-01 10:00:00", "Klondike", "3", 1, 1, 50, 0) +
                             line("2026-01-01 10:00:00", "Klondike", "4", 1, 1, 60, 1));
    data.SetPlayer(1, QStringLiteral("Ann"), true);
    data.SetPlayer(2, QStringLiteral("Bob"), false);
    score.OpenAllScore();

    auto order = [&] {
        std::vector<std::string> out;
        for (int p = 1; p <= cScore::kTopSize && score.GetTop(p).Score > 0; ++p)
            out.push_back(score.GetTop(p).GameNo.display());
        return out;
    };
    score.Sort(QString(), QString(), 0);
    EXPECT_EQ(order(), (std::vector<std::string>{"2", "4", "3", "1"}));
    score.Sort(QString(), QString(), 1);
    EXPECT_EQ(order(), (std::vector<std::string>{"4", "1"}));
    score.Sort(QStringLiteral("Klondike"), QString(), 0);
    EXPECT_EQ(order(), (std::vector<std::string>{"4", "3", "1"}));
    score.Sort(QStringLiteral("Klondike"), QStringLiteral("Ann"), 0);
    EXPECT_EQ(order(), (std::vector<std::string>{"1"}));
    score.Sort(QStringLiteral("klondike"), QString(), 0);
    EXPECT_TRUE(order().empty());

    // The list outlives a reload until the next sort or CloseScore.
    score.Sort(QString(), QString(), 0);
    score.OpenAllScore();
    EXPECT_EQ(score.GetTop(1).GameNo.display(), "2");
    score.CloseScore();
    EXPECT_EQ(score.GetTop(1).Score, 0);
}

TEST_F(ScoreTopList, FinSortByTimeAndByMovesLeavesOutKeyZeroAndLostGames)
{
    QByteArray file;
    file += line("2026-01-01 10:00:00", "Klondike", "1", 300, 90, 1, 1);
    file += line("2026-01-01 10:00:00", "Klondike", "2", 0, 80, 1, 1);  // no time
    file += line("2026-01-01 10:00:00", "Klondike", "3", 100, 0, 1, 1); // no moves
    file += line("2026-01-01 10:00:00", "Klondike", "4", 50, 10, 1, 0); // lost
    file += line("2026-01-01 10:00:00", "Klondike", "5", 200, 90, 1, 1);
    file += line("2026-01-01 10:00:00", "Klondike", "6", 200, 70, 1, 1);
    file += line("2026-01-01 10:00:00", "Klondike", "7", -5, -5, 1, 1); // damaged
    writeFile("Ann.sre", file);
    score.OpenScore(QStringLiteral("Ann"));

    auto order = [&] {
        std::vector<std::string> out;
        for (int p = 1; p <= cScore::kTopSize && !score.GetTop(p).GameName.isEmpty(); ++p)
            out.push_back(score.GetTop(p).GameNo.display());
        return out;
    };
    score.FinSort(-1, 0);
    EXPECT_EQ(order(), (std::vector<std::string>{"3", "6", "5", "1"}));
    score.FinSort(0, -1);
    EXPECT_EQ(order(), (std::vector<std::string>{"6", "2", "5", "1"}));
    score.FinSort(0, 0);
    EXPECT_TRUE(order().empty());
}

TEST_F(ScoreTopList, FinSortKeepsTheTwentyShortest)
{
    QByteArray file;
    for (int i = 30; i >= 1; --i)
        file += line("2026-01-01 10:00:00", "Klondike", "1", i * 10, i, 1, 1);
    writeFile("Ann.sre", file);
    score.OpenScore(QStringLiteral("Ann"));
    score.FinSort(-1, 0);
    for (int p = 1; p <= 20; ++p)
        EXPECT_EQ(score.GetTop(p).Time, p * 10) << p;
}

using ScoreTotals = ScoreFixture;

TEST_F(ScoreTotals, OverNothingAllZeroOtherwiseSums)
{
    EXPECT_EQ(score.GetTotals(), StatTotals{});
    EXPECT_EQ(score.GetSesTotals(), StatTotals{});
    writeFile("Ann.sre", line("2026-01-01 10:00:00", "Klondike", "1", 100, 10, 5, 1) +
                             line("2026-01-01 10:00:00", "Canister", "1", 200, 20, -8, 0) +
                             line("2026-01-01 10:00:00", "Klondike", "1", 300, 30, 7, 0));
    writeFile("Bob.sre", line("2026-01-01 10:00:00", "Klondike", "1", 1, 2, 3, 1));
    score.OpenScore(QStringLiteral("Ann"));
    score.OpenScore(QStringLiteral("Bob"));
    EXPECT_EQ(score.GetTotals(), (StatTotals{4, 2, 2, 7, 62, 601}));
    EXPECT_EQ(score.GetGameTotals(QStringLiteral("Klondike")), (StatTotals{3, 2, 1, 15, 42, 401}));
    EXPECT_EQ(score.GetGameTotals(QStringLiteral("Westcliff")), StatTotals{});
    EXPECT_EQ(score.GetPlayerTotals(QStringLiteral("Ann")), (StatTotals{3, 1, 2, 4, 60, 600}));
    EXPECT_EQ(score.GetPlayerTotals(QStringLiteral("ann")), StatTotals{});

    EXPECT_EQ(score.GetGameScore(QStringLiteral("Klondike"), 2).Time, 300);
    EXPECT_EQ(score.GetGameScore(QStringLiteral("Klondike"), 3).Player, QStringLiteral("Bob"));
    EXPECT_TRUE(score.GetGameScore(QStringLiteral("Klondike"), 4).GameName.isEmpty());
}

TEST_F(ScoreTotals, SumsBeyondThirtyTwoBitsAreAnError)
{
    // Seventy games of nearly a year each: every line possible, their sum is not.
    QByteArray file;
    for (int i = 0; i < 70; ++i)
        file += line("2026-01-01 10:00:00", "Klondike", "1", kMaxGameSeconds, 1, 1, 1);
    writeFile("Ann.sre", file);
    score.OpenScore(QStringLiteral("Ann"));
    ASSERT_EQ(score.ScoreTop(), 70);
    EXPECT_THROW(score.GetTotals(), OverflowError);
    EXPECT_THROW(score.PeriodTotals({QDate(2026, 1, 1)}, QStringLiteral("yyyy")), OverflowError);
}

TEST_F(ScoreTotals, ALineNoGameCouldWriteIsSkippedAndCounted)
{
    // Two such lines used to overflow every total, so no statistics could be shown at all.
    writeFile("Ann.sre", line("2026-01-01 10:00:00", "Klondike", "1", 2147483647, 1, 1, 1) +
                             line("2026-01-01 10:00:00", "Klondike", "1", 60, 2, 3, 1) +
                             line("2026-01-01 10:00:00", "Klondike", "1", 2147483647, 1, 1, 1));
    writeFile("Bob.sre", line("2026-01-02 10:00:00", "Canister", "1", 30, 4, -5, 0));
    data.SetPlayer(1, QStringLiteral("Ann"), true);
    data.SetPlayer(2, QStringLiteral("Bob"), false);
    score.OpenAllScore();
    EXPECT_EQ(score.SkippedLines(), 2);
    EXPECT_EQ(score.GetTotals(), (StatTotals{2, 1, 1, -2, 6, 90}));
    score.OpenAllScore();
    EXPECT_EQ(score.SkippedLines(), 2); // counted afresh, not added up
    score.CloseScore();
    EXPECT_EQ(score.SkippedLines(), 0);
}

TEST_F(ScoreTotals, ValueAnswersMatchTheOneRecordEntryPoints)
{
    writeFile("Ann.sre", line("2026-01-31 10:00:00", "Klondike", "1", 10, 1, 5, 1) +
                             line("2026-02-01 10:00:00", "Canister", "1", 20, 2, 7, 0) +
                             line("2025-02-11 10:00:00", "Klondike", "1", 30, 3, -9, 1) +
                             line("2026-02-28 10:00:00", "Klondike", "1", 40, 4, 1, 0));
    writeFile("Bob.sre", line("2026-02-01 09:00:00", "Klondike", "1", 50, 5, 2, 1));
    data.SetPlayer(1, QStringLiteral("Ann"), true);
    data.SetPlayer(2, QStringLiteral("Bob"), false);
    score.OpenAllScore();
    const std::vector<QDate> days = {QDate(2026, 1, 31), QDate(2026, 2, 1), QDate(2026, 2, 15),
                                     QDate(2026, 2, 1)};
    for (const char *interval : {"d", "m", "yyyy", "w"}) {
        const auto all = score.PeriodTotals(days, QString::fromLatin1(interval));
        ASSERT_EQ(all.size(), days.size());
        for (size_t i = 0; i < days.size(); ++i) {
            const DateTotals one = score.GetDateTotals(days[i].toString("yyyy-MM-dd") + " 12:00:00",
                                                       QString::fromLatin1(interval));
            EXPECT_EQ(all[i].Label, one.Label) << interval << i;
            EXPECT_EQ(
                (StatTotals{all[i].Played, all[i].Won, all[i].Lost, all[i].Score, all[i].Moves, all[i].Time}),
                (StatTotals{one.Played, one.Won, one.Lost, one.Score, one.Moves, one.Time}))
                << interval << i;
        }
    }
    EXPECT_EQ(score.PeriodTotals(days, "m")[1].Played, 3);
    const QStringList names = {"Klondike", "Westcliff", "Canister", "Klondike"};
    const auto games = score.GameTotalsOf(names);
    for (qsizetype i = 0; i < names.size(); ++i)
        EXPECT_EQ(games[i], score.GetGameTotals(names[i])) << i;
    const auto players = score.PlayerTotalsOf({"Bob", "Ann", "Cy"});
    EXPECT_EQ(players[0], score.GetPlayerTotals("Bob"));
    EXPECT_EQ(players[1], score.GetPlayerTotals("Ann"));
    EXPECT_EQ(players[2], StatTotals{});
    const auto klondike = score.GameScores("Klondike", 3);
    ASSERT_EQ(klondike.size(), 3u);
    for (int n = 1; n <= 3; ++n)
        EXPECT_EQ(klondike[n - 1], score.GetGameScore("Klondike", n)) << n;

    // The top lists come back to the caller and leave the kept one alone.
    score.Sort(QString(), QString(), 0);
    const cScore::TopList byMoves = score.TopByKey(0, -1);
    EXPECT_EQ(byMoves[0].Moves, 1);
    EXPECT_EQ(byMoves[1].Moves, 3);
    EXPECT_EQ(score.GetTop(1).Score, 7);
    score.FinSort(0, -1);
    for (int p = 1; p <= cScore::kTopSize; ++p)
        EXPECT_EQ(score.GetTop(p), byMoves[p - 1]) << p;
}

TEST_F(ScoreTotals, DateTotalsByDayMonthAndYearAcrossBoundaries)
{
    writeFile("Ann.sre", line("2025-12-31 23:59:59", "Klondike", "1", 1, 1, 1, 1) +
                             line("2026-01-01 00:00:00", "Klondike", "1", 2, 2, 2, 0) +
                             line("2026-01-31 23:59:59", "Klondike", "1", 4, 4, 4, 1) +
                             line("2026-02-01 00:00:01", "Klondike", "1", 8, 8, 8, 1) +
                             line("1/31/2025 3:00:00 PM", "Klondike", "1", 16, 16, 16, 1) +
                             line("2026-12-31 12:00:00", "Klondike", "1", 32, 32, 32, 0));
    score.OpenScore(QStringLiteral("Ann"));
    const QLocale sys = QLocale::system();
    const QString jan = sys.monthName(1, QLocale::ShortFormat);

    DateTotals d = score.GetDateTotals(QStringLiteral("2026-01-31 08:00:00"), QStringLiteral("d"));
    EXPECT_EQ(d.Played, 1);
    EXPECT_EQ(d.Time, 4);
    EXPECT_EQ(d.Label, jan + QStringLiteral(" 31"));

    DateTotals m = score.GetDateTotals(QStringLiteral("2026-01-15 08:00:00"), QStringLiteral("m"));
    EXPECT_EQ(m.Played, 2); // the 1st and the 31st, not the same day a year before
    EXPECT_EQ(m.Won, 1);
    EXPECT_EQ(m.Lost, 1);
    EXPECT_EQ(m.Score, 6);
    EXPECT_EQ(m.Label, jan + QStringLiteral(" 26"));

    DateTotals y = score.GetDateTotals(QStringLiteral("1/1/2026 9:00:00 AM"), QStringLiteral("yyyy"));
    EXPECT_EQ(y.Played, 4);
    EXPECT_EQ(y.Moves, 2 + 4 + 8 + 32);
    EXPECT_EQ(y.Label, QStringLiteral("2026"));

    DateTotals old = score.GetDateTotals(QStringLiteral("2025-06-01 00:00:00"), QStringLiteral("yyyy"));
    EXPECT_EQ(old.Played, 2);
    EXPECT_EQ(old.Time, 17);

    DateTotals other = score.GetDateTotals(QStringLiteral("2026-01-15 08:00:00"), QStringLiteral("w"));
    EXPECT_EQ(other.Played, 0);
    EXPECT_TRUE(other.Label.isEmpty());
    EXPECT_THROW(score.GetDateTotals(QStringLiteral("someday"), QStringLiteral("d")), std::invalid_argument);
}

using ScoreClearing = ScoreFixture;

TEST_F(ScoreClearing, NoOrNobodyToAskDeletesNothing)
{
    data.SetPlayer(1, QStringLiteral("Ann"), true);
    writeFile("Ann.sre", line("2026-01-01 10:00:00", "Klondike", "1", 1, 1, 1, 1));
    score.ClearStat();
    EXPECT_TRUE(exists("Ann.sre"));

    RecordingPrompt no(false);
    score.setPrompt(&no);
    score.ClearStat();
    EXPECT_TRUE(exists("Ann.sre"));
    ASSERT_EQ(no.asked.size(), 1);
    EXPECT_EQ(no.asked[0],
              QStringLiteral("Tessaline|Are you sure you want to clear the Statistics, High Score "
                             "and Log for all Players and all Games ?"));
    EXPECT_TRUE(no.told.isEmpty());
}

TEST_F(ScoreClearing, YesDeletesThePlayersFilesOnlyAndKeepsWhatIsLoaded)
{
    data.SetPlayer(1, QStringLiteral("Ann"), true);
    data.SetPlayer(5, QStringLiteral("Bob"), false);
    writeFile("Ann.sre", line("2026-01-01 10:00:00", "Klondike", "1", 1, 1, 1, 1));
    writeFile("Bob.sre", line("2026-01-01 10:00:00", "Klondike", "1", 1, 1, 1, 1));
    writeFile("Gone.sre", line("2026-01-01 10:00:00", "Klondike", "1", 1, 1, 1, 1));
    writeFile("fav.dat", "\"Klondike\",1\r\n");
    score.OpenAllScore();
    setGame(QStringLiteral("Klondike"), GameNumber::number(5), 10, 11, 12);
    score.AddSesGame(1);

    RecordingPrompt yes(true);
    score.setPrompt(&yes);
    score.ClearStat();
    EXPECT_FALSE(exists("Ann.sre"));
    EXPECT_FALSE(exists("Bob.sre"));
    EXPECT_TRUE(exists("Gone.sre"));
    EXPECT_TRUE(exists("fav.dat"));
    EXPECT_EQ(score.ScoreTop(), 2);
    EXPECT_EQ(score.SesTop(), 1);
    EXPECT_EQ(yes.told,
              QStringList{QStringLiteral("Tessaline|Statistics, High Score and Log have been Cleared.")});
}

TEST_F(ScoreClearing, AFileThatWillNotGoIsReportedNotAnnouncedAsCleared)
{
    data.SetPlayer(1, QStringLiteral("Ann"), true);
    QDir().mkpath(dir() + "Ann.sre/stuck");
    RecordingPrompt yes(true);
    score.setPrompt(&yes);
    EXPECT_THROW(score.ClearStat(), ScoreFileError);
    EXPECT_TRUE(yes.told.isEmpty());
}

using ScoreFavourites = ScoreFixture;

TEST_F(ScoreFavourites, DuplicatesAndTextNumbersKeepTheirFormAndOrder)
{
    score.OpenFav();
    EXPECT_EQ(score.FavTop(), 0);
    score.AddFav(QStringLiteral("Klondike"), GameNumber::number(123));
    score.AddFav(QStringLiteral("Klondike"), GameNumber::number(123));
    score.AddFav(QStringLiteral("Canister"), GameNumber::text("123"));
    score.AddFav(QStringLiteral("Not A Game"), GameNumber::text("x 1"));
    EXPECT_EQ(readFile("fav.dat"),
              QByteArray("\"Klondike\",123\r\n\"Klondike\",123\r\n\"Canister\",\"123\"\r\n"
                         "\"Not A Game\",\"x 1\"\r\n"));
    EXPECT_EQ(score.FavTop(), 0); // read only by OpenFav
    score.OpenFav();
    ASSERT_EQ(score.FavTop(), 4);
    EXPECT_EQ(score.GetFav(1), (FavRecord{QStringLiteral("Klondike"), GameNumber::number(123)}));
    EXPECT_EQ(score.GetFav(2), score.GetFav(1));
    EXPECT_EQ(score.GetFav(3), (FavRecord{QStringLiteral("Canister"), GameNumber::text("123")}));
    EXPECT_EQ(score.GetFav(4).GameName, QStringLiteral("Not A Game"));
    EXPECT_THROW(score.GetFav(5), IndexError);

    score.OpenFav(); // reloading does not add up
    EXPECT_EQ(score.FavTop(), 4);
    score.CloseFav();
    EXPECT_EQ(score.FavTop(), 0);
}

TEST_F(ScoreFavourites, BrokenLinesAreSkippedClearDeletesTheFileAndRefusals)
{
    writeFile("fav.dat", "\"Klondike\",1\r\n\"Klon\"dike\",2\r\nnonsense\r\n\"Canister\",\"3\"");
    score.OpenFav();
    ASSERT_EQ(score.FavTop(), 2);
    EXPECT_EQ(score.GetFav(2).GameNo, GameNumber::text("3"));

    score.ClearFav();
    EXPECT_FALSE(exists("fav.dat"));
    EXPECT_EQ(score.FavTop(), 2); // until the next OpenFav
    score.OpenFav();
    EXPECT_EQ(score.FavTop(), 0);
    score.ClearFav(); // no file is no error

    EXPECT_THROW(score.AddFav(QStringLiteral("Klon\"dike"), GameNumber::number(1)), ScoreRefused);
    EXPECT_THROW(score.AddFav(QStringLiteral("Klondike"), GameNumber::text("1\n2")), ScoreRefused);
    EXPECT_FALSE(exists("fav.dat"));
}

TEST_F(ScoreFavourites, The32768thIsRefusedSayingTheLimitAndNothingIsAdded)
{
    QByteArray file;
    for (int i = 1; i < 32767; ++i)
        file += "\"Klondike\"," + QByteArray::number(i) + "\r\n";
    file += "not a favourite\r\n";
    writeFile("fav.dat", file);
    score.AddFav(QStringLiteral("Canister"), GameNumber::number(32767));
    file += "\"Canister\",32767\r\n";
    ASSERT_EQ(readFile("fav.dat"), file);
    try {
        score.AddFav(QStringLiteral("Canister"), GameNumber::number(32768));
        ADD_FAILURE() << "the 32768th favourite was added";
    } catch (const ScoreRefused &ex) {
        EXPECT_NE(std::string(ex.what()).find("32767"), std::string::npos) << ex.what();
    }
    EXPECT_EQ(readFile("fav.dat"), file);
    score.OpenFav();
    ASSERT_EQ(score.FavTop(), 32767);
    EXPECT_EQ(score.GetFav(32767).GameNo, GameNumber::number(32767));
}

using ScoreSession = ScoreFixture;

TEST_F(ScoreSession, EntriesKeepTheirPlayerAndHaveNoDate)
{
    data.SetPlayer(1, QStringLiteral("Ann"), true);
    setGame(QStringLiteral("Klondike"), GameNumber::number(5), 100, 11, 12);
    score.AddSesGame(1);
    data.SetPlayer(2, QStringLiteral("Bob"), true);
    setGame(QStringLiteral("Canister"), GameNumber::text("6"), 50, 3, -4);
    score.AddSesGame(0);

    ASSERT_EQ(score.SesTop(), 2);
    const ScoreRecord a = score.GetSesGame(1);
    EXPECT_EQ(a.Player, QStringLiteral("Ann"));
    EXPECT_EQ(a.GameName, QStringLiteral("Klondike"));
    EXPECT_TRUE(a.DateText.isEmpty());
    const ScoreRecord b = score.GetSesGame(2);
    EXPECT_EQ(b.Player, QStringLiteral("Bob"));
    EXPECT_EQ(b.GameNo, GameNumber::text("6"));
    EXPECT_EQ(b.Score, -4);
    EXPECT_EQ(score.GetSesTotals(), (StatTotals{2, 1, 1, 8, 14, 150}));
    EXPECT_THROW(score.GetSesGame(3), IndexError);
    EXPECT_FALSE(exists("Ann.sre")); // the session is never written
}

} // namespace
} // namespace tess::test
