// Reading and writing single lines of the score and favourites files, and the date forms.
#include <vector>

#include <gtest/gtest.h>

#include "store/scoreLines.h"

namespace tess
{
namespace
{

ScoreRecord record(const char *date, const char *game, GameNumber no, i32 time, i32 moves, i32 score, i16 won)
{
    ScoreRecord r;
    r.DateText = QString::fromUtf8(date);
    r.GameName = QString::fromUtf8(game);
    r.GameNo = std::move(no);
    r.Time = time;
    r.Moves = moves;
    r.Score = score;
    r.Won = won;
    return r;
}

TEST(ScoreLine, WritesTheFieldsInOrderAndReadsThemBack)
{
    ScoreRecord r = record("2026-03-08 14:05:09", "Klondike", GameNumber::number(123), 312, 87, 45, 1);
    const QByteArray line = formatScoreLine(r);
    EXPECT_EQ(line, QByteArray("\"2026-03-08 14:05:09\",\"Klondike\",123,312,87,45,1\r\n"));

    auto back = parseScoreLine(line.chopped(2));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->DateText, r.DateText);
    EXPECT_EQ(back->GameName, r.GameName);
    EXPECT_EQ(back->GameNo, r.GameNo);
    EXPECT_FALSE(back->GameNo.isText());
    EXPECT_EQ(back->Time, 312);
    EXPECT_EQ(back->Moves, 87);
    EXPECT_EQ(back->Score, 45);
    EXPECT_EQ(back->Won, 1);
    EXPECT_EQ(back->Day, QDate(2026, 3, 8));
    EXPECT_EQ(back->At, QTime(14, 5, 9));
    EXPECT_TRUE(back->Player.isEmpty());
}

TEST(ScoreLine, TextNumbersNegativeScoresAndNonAsciiRoundTrip)
{
    const std::vector<ScoreRecord> cases = {
        record("2026-03-08 14:05:09", "Klondike", GameNumber::text("123"), 5, 6, -40, 0),
        record("2026-03-08 14:05:09", "Zoë's Ça, va", GameNumber::text("a, b"), 0, 0, 0, 0),
        record("2026-03-08 14:05:09", "", GameNumber(), 1, 1, 1, 1),
        record("2026-03-08 14:05:09", "Westcliff", GameNumber::number(999999999999999LL), kMaxGameSeconds,
               INT16_MAX, INT16_MIN, 1),
    };
    for (const ScoreRecord &r : cases) {
        const QByteArray line = formatScoreLine(r);
        auto back = parseScoreLine(line.chopped(2));
        ASSERT_TRUE(back) << line.constData();
        EXPECT_EQ(back->GameName, r.GameName);
        EXPECT_EQ(back->GameNo, r.GameNo) << line.constData();
        EXPECT_EQ(back->Time, r.Time);
        EXPECT_EQ(back->Moves, r.Moves);
        EXPECT_EQ(back->Score, r.Score);
        EXPECT_EQ(back->Won, r.Won);
    }
    EXPECT_EQ(formatScoreLine(cases[0]),
              QByteArray("\"2026-03-08 14:05:09\",\"Klondike\",\"123\",5,6,-40,0\r\n"));
    EXPECT_EQ(formatScoreLine(cases[2]), QByteArray("\"2026-03-08 14:05:09\",\"\",,1,1,1,1\r\n"));
}

TEST(ScoreLine, UnreadableLinesAreRefusedWhole)
{
    const char *bad[] = {
        "",
        "\"2026-03-08 14:05:09\",\"Klondike\",123,312,87,45",          // a field missing
        "\"2026-03-08 14:05:09\",\"Klondike\",123,312,87,45,1,1",      // one too many
        "\"2026-03-08 14:05:09\",\"Klondike\",123,312,87,45,",         // empty won
        "\"2026-03-08 14:05:09\",\"Klondike\",123,31x,87,45,1",        // not a number
        "\"2026-03-08 14:05:09\",\"Klondike\",123,2147483648,87,45,1", // beyond 32 bits
        "\"2026-03-08 14:05:09\",\"Klondike\",123,312,-2147483649,45,1",
        "\"2026-03-08 14:05:09\",\"Klondike\",123,312,87,45,2", // won is 1 or 0
        "\"2026-03-08 14:05:09\",\"Klondike\",123,312,87,45,-1",
        "\"2026-03-08 14:05:09\",\"Klondike\",123,312,87,+45,1",
        "\"2026-03-08 14:05:09\",\"Klondike\",123,312, 87,45,1",
        "\"2026-03-08 14:05:09\",\"Klondike\",123,\"312\",87,45,1", // a quoted number
        "\"2026-13-08 14:05:09\",\"Klondike\",123,312,87,45,1",     // no such month
        "\"yesterday\",\"Klondike\",123,312,87,45,1",
        "\"2026-03-08 14:05:09\",\"Klon\"dike\",123,312,87,45,1", // stray quote in a text
        "\"2026-03-08 14:05:09\",Klon\"dike,123,312,87,45,1",
        "\"2026-03-08 14:05:09\",\"Klondike,123,312,87,45,1", // unclosed quote
        "\"2026-03-08 14:05:09\",Klondike,123,312,87,45,1",   // texts are quoted
        "2026-03-08 14:05:09,\"Klondike\",123,312,87,45,1",
        "\"2026-03-08 14:05:09\",\"Klondike\",1234567890123456,312,87,45,1", // 16 digits
        "\"2026-03-08 14:05:09\",\"Klondike\",-5,312,87,45,1",
        "\"2026-03-08 14:05:09\",\"Klondike\",12a,312,87,45,1",
    };
    for (const char *line : bad)
        EXPECT_FALSE(parseScoreLine(QByteArray(line))) << line;
    // NUL (a block zeroed by a crash) and line ends inside a text are damage too.
    for (char c : {'\0', '\r', '\n'}) {
        QByteArray damaged("\"2026-03-08 14:05:09\",\"Klondike\",123,312,87,45,1");
        damaged[24] = c;
        EXPECT_FALSE(parseScoreLine(damaged)) << int(c);
        EXPECT_FALSE(parseFavLine(damaged.mid(22, 12))) << int(c);
    }
}

TEST(ScoreLine, FiguresNoGameCanLeaveAreRefusedBothWays)
{
    const ScoreRecord good = record("2026-03-08 14:05:09", "Klondike", GameNumber::number(1), 1, 1, 1, 1);
    const struct {
        i32 time, moves, score;
    } bad[] = {{-1, 1, 1},           {kMaxGameSeconds + 1, 1, 1}, {INT32_MAX, 1, 1},
               {1, -1, 1},           {1, INT16_MAX + 1, 1},       {1, 1, INT16_MAX + 1},
               {1, 1, INT16_MIN - 1}};
    for (const auto &b : bad) {
        ScoreRecord r = good;
        r.Time = b.time;
        r.Moves = b.moves;
        r.Score = b.score;
        EXPECT_THROW(formatScoreLine(r), ScoreRefused) << b.time << " " << b.moves << " " << b.score;
        const QByteArray line = "\"2026-03-08 14:05:09\",\"Klondike\",1," + QByteArray::number(b.time) + "," +
                                QByteArray::number(b.moves) + "," + QByteArray::number(b.score) + ",1";
        EXPECT_FALSE(readScoreLine(line)) << line.constData();
    }
}

TEST(ScoreLine, AnUnreadableDateKeepsTheGameForTheLoaderOnly)
{
    const QByteArray line("\"31/31/2026 1:00:00 PM\",\"Klondike\",1,60,2,3,1");
    EXPECT_FALSE(parseScoreLine(line));
    auto r = readScoreLine(line);
    ASSERT_TRUE(r);
    EXPECT_FALSE(r->Day.isValid());
    EXPECT_EQ(r->DateText, "31/31/2026 1:00:00 PM");
    EXPECT_EQ(r->Time, 60);
    // Anything else wrong with the line still refuses it.
    EXPECT_FALSE(readScoreLine(QByteArray("\"someday\",\"Klondike\",1,60,2,3,2")));
}

TEST(ScoreLine, TextsThatWouldBreakTheLineAreRefused)
{
    const ScoreRecord good = record("2026-03-08 14:05:09", "Klondike", GameNumber::number(1), 1, 1, 1, 1);
    for (const char *bad : {"Klon\"dike", "Klon\rdike", "Klon\ndike"}) {
        ScoreRecord r = good;
        r.GameName = QString::fromUtf8(bad);
        EXPECT_THROW(formatScoreLine(r), ScoreRefused);
        r = good;
        r.GameNo = GameNumber::text(bad);
        EXPECT_THROW(formatScoreLine(r), ScoreRefused);
        EXPECT_THROW(formatFavLine({QStringLiteral("Klondike"), GameNumber::text(bad)}), ScoreRefused);
        EXPECT_THROW(formatFavLine({QString::fromUtf8(bad), GameNumber::number(1)}), ScoreRefused);
    }
    ScoreRecord r = good;
    r.DateText = QStringLiteral("soon");
    EXPECT_THROW(formatScoreLine(r), ScoreRefused);
    r = good;
    r.Won = -1;
    EXPECT_THROW(formatScoreLine(r), ScoreRefused);
}

TEST(ScoreFavLine, QuotedNumbersAreTextUnquotedAreNumbers)
{
    auto n = parseFavLine(QByteArray("\"Klondike\",123"));
    ASSERT_TRUE(n);
    EXPECT_EQ(n->GameName, QStringLiteral("Klondike"));
    EXPECT_EQ(n->GameNo, GameNumber::number(123));
    auto t = parseFavLine(QByteArray("\"Klondike\",\"123\""));
    ASSERT_TRUE(t);
    EXPECT_EQ(t->GameNo, GameNumber::text("123"));

    EXPECT_EQ(formatFavLine(*n), QByteArray("\"Klondike\",123\r\n"));
    EXPECT_EQ(formatFavLine(*t), QByteArray("\"Klondike\",\"123\"\r\n"));

    for (const char *bad : {"\"Klondike\"", "\"Klondike\",1,2", "Klondike,1", "\"Klondike\",1\"2\"",
                            "\"Klon\"dike\",1", "\"Klondike\",x1", ""})
        EXPECT_FALSE(parseFavLine(QByteArray(bad))) << bad;
}

TEST(ScoreLineSplitter, AnyLineEndEndsALineAndEmptyLinesAreSkipped)
{
    std::vector<QByteArray> lines;
    forEachLine(QByteArrayView("a\r\nb\nc\rd\r\n\r\n\ne"),
                [&](QByteArrayView l) { lines.push_back(l.toByteArray()); });
    EXPECT_EQ(lines, (std::vector<QByteArray>{"a", "b", "c", "d", "e"}));
}

TEST(ScoreDateText, TheWrittenFormAndTheOlderGeneralDateForms)
{
    struct Case {
        const char *text;
        QDate day;
        QTime at;
    };
    const Case good[] = {
        {"2026-03-08 14:05:09", QDate(2026, 3, 8), QTime(14, 5, 9)},
        {"2026-03-08", QDate(2026, 3, 8), QTime(0, 0)},
        {"12/8/2026 1:45:36 PM", QDate(2026, 12, 8), QTime(13, 45, 36)},
        {"12/08/2026 01:45:36 pm", QDate(2026, 12, 8), QTime(13, 45, 36)},
        {"1/31/2026 12:00:05 AM", QDate(2026, 1, 31), QTime(0, 0, 5)},
        {"1/31/2026 12:00:05 PM", QDate(2026, 1, 31), QTime(12, 0, 5)},
        {"2/29/2024", QDate(2024, 2, 29), QTime(0, 0)},
    };
    for (const Case &c : good) {
        auto d = parseDateText(QString::fromLatin1(c.text));
        ASSERT_TRUE(d) << c.text;
        EXPECT_EQ(d->day, c.day) << c.text;
        EXPECT_EQ(d->at, c.at) << c.text;
    }
    for (const char *bad : {"", "2/30/2026", "2/29/2025 1:00:00 PM", "12/8/2026 13:45:36 PM",
                            "12/8/2026 0:45:36 AM", "2026-03-08T14:05:09", "2026-03-08 24:00:00"})
        EXPECT_FALSE(parseDateText(QString::fromLatin1(bad))) << bad;
}

TEST(ScoreDateText, LinesAsEachLocaleWritesThemReadBack)
{
    // Short date, a blank, long time, as written under each locale; a midnight has no time.
    const struct {
        QLocale locale;
        std::vector<const char *> texts;
    } cases[] = {
        {QLocale(QLocale::English, QLocale::UnitedStates), {"12/8/2025 3:04:05 PM", "12/8/25 3:04:05 PM"}},
        {QLocale(QLocale::English, QLocale::UnitedKingdom), {"08/12/2025 15:04:05"}},
        {QLocale(QLocale::German, QLocale::Germany), {"08.12.2025 15:04:05", "08.12.25 15:04:05"}},
        {QLocale(QLocale::Spanish, QLocale::Spain),
         {"8/12/2025 15:04:05", "08/12/2025 15:04:05", "8/12/25 15:04:05"}},
        {QLocale(QLocale::French, QLocale::France), {"08/12/2025 15:04:05"}},
    };
    for (const auto &c : cases) {
        for (const char *t : c.texts) {
            auto d = parseDateText(QString::fromLatin1(t), c.locale);
            ASSERT_TRUE(d) << c.locale.name().toStdString() << " " << t;
            EXPECT_EQ(d->day, QDate(2025, 12, 8)) << c.locale.name().toStdString() << " " << t;
            EXPECT_EQ(d->at, QTime(15, 4, 5)) << c.locale.name().toStdString() << " " << t;
        }
    }
    for (const auto &[locale, midnight] :
         {std::pair{QLocale(QLocale::Spanish, QLocale::Spain), "8/12/2025"},
          std::pair{QLocale(QLocale::French, QLocale::France), "08/12/2025"}}) {
        auto d = parseDateText(QString::fromLatin1(midnight), locale);
        ASSERT_TRUE(d) << midnight;
        EXPECT_EQ(d->day, QDate(2025, 12, 8));
        EXPECT_EQ(d->at, QTime(0, 0));
    }
}

TEST(ScoreDateText, DayFirstLocales)
{
    // Day-first locales, with two- and four-digit years.
    const QLocale de(QLocale::German, QLocale::Germany);
    for (const char *t : {"08.12.26 13:45:36", "08.12.2026 13:45:36"}) {
        auto g = parseDateText(QString::fromLatin1(t), de);
        ASSERT_TRUE(g) << t;
        EXPECT_EQ(g->day, QDate(2026, 12, 8)) << t;
        EXPECT_EQ(g->at, QTime(13, 45, 36)) << t;
    }
    auto old = parseDateText(QStringLiteral("08.12.95"), de);
    ASSERT_TRUE(old);
    EXPECT_EQ(old->day, QDate(1995, 12, 8));

    const QLocale gb(QLocale::English, QLocale::UnitedKingdom);
    auto uk = parseDateText(QStringLiteral("08/12/2026 13:45:36"), gb);
    ASSERT_TRUE(uk);
    EXPECT_EQ(uk->day, QDate(2026, 12, 8));
    // The locale wins over the month-first form where both could read a date-only text.
    auto ukDay = parseDateText(QStringLiteral("08/12/2026"), gb);
    ASSERT_TRUE(ukDay);
    EXPECT_EQ(ukDay->day, QDate(2026, 12, 8));
}

} // namespace
} // namespace tess
