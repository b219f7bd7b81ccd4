// The text report: its sections, the 14-column print fields and the number items.
#include "tests/store/scoreFixture.h"

namespace tess::test
{
namespace
{

QString sp(int n)
{
    return QString(n, QLatin1Char(' '));
}

class ScoreReport : public ScoreFixture
{
  protected:
    // The report's lines without their CR LF; fails the test when a line end is not CR LF.
    QStringList write()
    {
        const QString path = tmp.filePath("report.txt");
        score.WriteReport(path);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray all = f.readAll();
        EXPECT_TRUE(all.endsWith("\r\n"));
        EXPECT_EQ(all.count('\n'), all.count("\r\n"));
        QStringList lines = QString::fromUtf8(all).split(QStringLiteral("\r\n"));
        lines.removeLast();
        return lines;
    }
};

TEST_F(ScoreReport, WithoutScoreFilesEveryHeadingAndAZeroLinePerPlayerAndGame)
{
    data.SetPlayer(1, QStringLiteral("Ann"), true);
    score.OpenAllScore();
    const QString before = nowText();
    const QStringList l = write();
    const QString after = nowText();
    ASSERT_EQ(l.size(), 24 + 33 + 5);

    const QString zeros =
        " 0 " + sp(11) + " 0 " + sp(11) + " 0 " + sp(11) + "0:00:00" + sp(7) + " 0 " + sp(11) + " 0 ";
    const QStringList head = {
        "Tessaline Score Board",
        " ",
        "*************************",
        " ",
        "Created By" + sp(4) + "Ann",
        l[5], // the date, checked below
        " ",
        QString(34, QLatin1Char('-')),
        " ",
        "General Statistics",
        "------------------",
        "Played" + sp(8) + "Won" + sp(11) + "Lost" + sp(10) + "Time" + sp(10) + "Moves" + sp(9) + "Score",
        zeros,
        " ",
        " ",
        "Player Statistics",
        "-----------------",
        "Player" + sp(8) + "Played" + sp(8) + "Won" + sp(11) + "Lost" + sp(10) + "Time" + sp(10) + "Moves" +
            sp(9) + "Score",
        "Ann" + sp(11) + zeros,
        " ",
        " ",
        "Games Statistics",
        "----------------",
        "Game" + sp(21) + "Played" + sp(11) + "Won" + sp(11) + "Time" + sp(10) + "Moves" + sp(9) + "Score",
    };
    EXPECT_EQ(l.mid(0, head.size()), head);

    ASSERT_TRUE(l[5].startsWith("Created Date  "));
    const QString date = l[5].mid(14);
    EXPECT_GE(date, before);
    EXPECT_LE(date, after);

    // A played count of one digit fills its field exactly: one empty field keeps the won count
    // under its heading.
    const QString gameZeros = " 0 " + sp(14) + " 0 " + sp(11) + "0:00:00" + sp(7) + " 0 " + sp(11) + " 0 ";
    EXPECT_EQ(l[24], "Blind Alleys" + sp(13) + gameZeros);
    for (int id = 1; id <= 33; ++id) {
        const QString g = data.GetGName(static_cast<i16>(id));
        EXPECT_EQ(l[23 + id], g + sp(25 - g.size()) + gameZeros) << id;
    }
    EXPECT_TRUE(l.contains("Double Klondike Freecell " + gameZeros));

    const QStringList tail = {
        " ",
        " ",
        "Full Statistics",
        "--------------",
        "Date" + sp(10) + "Game" + sp(10) + "Player" + sp(8) + "Status" + sp(8) + "Score" + sp(9) + "Moves" +
            sp(9) + "Time" + sp(10) + "Game No",
    };
    EXPECT_EQ(l.mid(57), tail);
}

TEST_F(ScoreReport, RecordsNamesNegativeScoresAndGameNumbers)
{
    data.SetPlayer(1, QStringLiteral("Ann"), true);
    data.SetPlayer(2, QStringLiteral("Alexandrina X"), false);  // 13 characters
    data.SetPlayer(4, QStringLiteral("Bartholomew Xy"), false); // 14: fills its field, one stays empty
    writeFile("Ann.sre", "\"2026-03-08 14:05:09\",\"Double Klondike Freecell\",123,312,87,-45,1\r\n"
                         "\"12/8/2026 1:45:36 PM\",\"Klondike\",\"abc\",5,6,7,0\r\n");
    writeFile("Alexandrina X.sre", "\"2026-01-02 03:04:05\",\"Canister\",9,3600,100,1234,1\r\n");
    score.OpenAllScore();
    const QStringList l = write();
    ASSERT_EQ(l.size(), 24 + 2 + 33 + 5 + 3);

    EXPECT_EQ(l[12], " 3 " + sp(11) + " 2 " + sp(11) + " 1 " + sp(11) + "1:05:17" + sp(7) + " 193 " + sp(9) +
                         " 1196 ");
    EXPECT_EQ(l[18], "Ann" + sp(11) + " 2 " + sp(11) + " 1 " + sp(11) + " 1 " + sp(11) + "0:05:17" + sp(7) +
                         " 93 " + sp(10) + "-38 ");
    EXPECT_EQ(l[19], "Alexandrina X" + sp(1) + " 1 " + sp(11) + " 1 " + sp(11) + " 0 " + sp(11) + "1:00:00" +
                         sp(7) + " 100 " + sp(9) + " 1234 ");
    EXPECT_EQ(l[20], "Bartholomew Xy" + sp(14) + " 0 " + sp(11) + " 0 " + sp(11) + " 0 " + sp(11) +
                         "0:00:00" + sp(7) + " 0 " + sp(11) + " 0 ");
    EXPECT_TRUE(l.contains("Double Klondike Freecell " + QString(" 1 ") + sp(14) + " 1 " + sp(11) +
                           "0:05:12" + sp(7) + " 87 " + sp(10) + "-45 "));

    const QLocale sys = QLocale::system();
    auto date = [&](QDate d) {
        const QString s = sys.toString(d, QLocale::ShortFormat);
        return s + sp((14 - s.size() % 14) % 14);
    };
    const QStringList full = l.mid(l.size() - 3);
    EXPECT_EQ(full[0], date({2026, 3, 8}) + "Double Klond" + sp(2) + "Ann" + sp(11) + "Won" + sp(11) +
                           "-45 " + sp(10) + " 87 " + sp(10) + "0:05:12" + sp(5) + " 123 ");
    EXPECT_EQ(full[1], date({2026, 12, 8}) + "Klondike" + sp(6) + "Ann" + sp(11) + "Lost" + sp(10) + " 7 " +
                           sp(11) + " 6 " + sp(11) + "0:00:05" + sp(5) + "abc");
    EXPECT_EQ(full[2], date({2026, 1, 2}) + "Canister" + sp(6) + "Alexandrina " + sp(2) + "Won" + sp(11) +
                           " 1234 " + sp(8) + " 100 " + sp(9) + "1:00:00" + sp(5) + " 9 ");
}

TEST_F(ScoreReport, ARecordWhoseDateCannotBeReadKeepsEveryColumnInPlace)
{
    data.SetPlayer(1, QStringLiteral("Ann"), true);
    writeFile("Ann.sre", "\"31/31/2026 1:00:00 PM\",\"Westcliff\",77,61,2,3,1\r\n");
    score.OpenAllScore();
    const QStringList l = write();
    ASSERT_EQ(l.size(), 24 + 33 + 5 + 1);
    // The empty date fills its field like any other item.
    EXPECT_EQ(l.last(), sp(14) + "Westcliff" + sp(5) + "Ann" + sp(11) + "Won" + sp(11) + " 3 " + sp(11) +
                            " 2 " + sp(11) + "0:01:01" + sp(5) + " 77 ");
    EXPECT_EQ(l[l.size() - 2].indexOf("Game"), l.last().indexOf("Westcliff"));
}

TEST_F(ScoreReport, ReplacesAnOldReportAndReportsAFileItCannotWrite)
{
    const QString path = tmp.filePath("report.txt");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(10000, 'x'));
    }
    score.WriteReport(path);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("Tessaline Score Board\r\n"));
    EXPECT_LT(f.size(), 10000);

    EXPECT_THROW(score.WriteReport(tmp.filePath("no/such/folder/report.txt")), ScoreFileError);
    EXPECT_THROW(score.WriteReport(tmp.path()), ScoreFileError);
}

} // namespace
} // namespace tess::test
