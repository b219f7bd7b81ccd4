// The records of the score and favourites files and the one place that reads and writes their lines.
#pragma once

#include <optional>
#include <stdexcept>

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QTime>

#include "model/gameNumber.h"
#include "model/numeric.h"

namespace tess
{

// A text that would break a line of a file, or a player name that would leave the data folder.
class ScoreRefused : public std::invalid_argument
{
  public:
    explicit ScoreRefused(const std::string &what) : std::invalid_argument(what) {}
};

// A score, favourites or report file that could not be read, written or deleted.
class ScoreFileError : public std::runtime_error
{
  public:
    explicit ScoreFileError(const std::string &what) : std::runtime_error(what) {}
};

// One game result.
struct ScoreRecord {
    QString DateText; // as written or read; shown as is
    QString GameName;
    GameNumber GameNo;
    i32 Time = 0;
    i32 Moves = 0;
    i32 Score = 0;
    i16 Won = 0;
    QString Player; // from the file's name, never stored in the line
    // DateText read as a local date and time; invalid for session entries and empty records.
    QDate Day;
    QTime At;

    QDateTime when() const { return QDateTime(Day, At.isValid() ? At : QTime(0, 0)); }
    bool operator==(const ScoreRecord &) const = default;
};

struct FavRecord {
    QString GameName;
    GameNumber GameNo;
    bool operator==(const FavRecord &) const = default;
};

struct StatTotals {
    i32 Played = 0;
    i32 Won = 0;
    i32 Lost = 0;
    i32 Score = 0;
    i32 Moves = 0;
    i32 Time = 0;
    bool operator==(const StatTotals &) const = default;
};

struct DateTotals {
    i32 Played = 0;
    i32 Won = 0;
    i32 Lost = 0;
    QString Label;
    i32 Score = 0;
    i32 Moves = 0;
    i32 Time = 0;
};

struct DateAndTime {
    QDate day;
    QTime at; // 00:00:00 for a date written without a time
};

// The forms a DateText may hold: "yyyy-MM-dd HH:mm:ss" (what is written now), the locale's short
// date and long time, and "M/d/yyyy h:mm:ss AM"; each also without the time.
std::optional<DateAndTime> parseDateText(const QString &text);
std::optional<DateAndTime> parseDateText(const QString &text, const QLocale &locale);

// The figures a game can leave: its time is read from a clock within one run of the program
// (a year is taken as the most), moves and score come from 16-bit counters.
inline constexpr i32 kMaxGameSeconds = 366 * 24 * 3600;
bool possibleFigures(i32 time, i32 moves, i32 score);

// A line without its line end; nullopt for anything that is not a whole, valid record.
std::optional<ScoreRecord> parseScoreLine(QByteArrayView line);
// As parseScoreLine, but a date that cannot be read leaves Day and At invalid instead of
// refusing the line: such a record still counts, it only belongs to no period.
std::optional<ScoreRecord> readScoreLine(QByteArrayView line);
std::optional<FavRecord> parseFavLine(QByteArrayView line);
inline std::optional<ScoreRecord> parseScoreLine(const QByteArray &line)
{
    return parseScoreLine(QByteArrayView(line));
}
inline std::optional<FavRecord> parseFavLine(const QByteArray &line)
{
    return parseFavLine(QByteArrayView(line));
}

// Whole lines with CR LF; throw ScoreRefused for a text the line could not hold.
QByteArray formatScoreLine(const ScoreRecord &r);
QByteArray formatFavLine(const FavRecord &f);

// Refuses a text holding a double quote, CR, LF or NUL; `what` names it in the message.
void checkFileText(const char *what, const QString &text);
void checkFileText(const char *what, const GameNumber &no);

// Calls fn(line) for every non-empty line; CR LF, LF and a lone CR all end a line.
template <class Fn> void forEachLine(QByteArrayView data, Fn &&fn)
{
    const char *p = data.data();
    const char *end = p + data.size();
    while (p < end) {
        const char *q = p;
        while (q < end && *q != '\r' && *q != '\n')
            ++q;
        if (q > p)
            fn(QByteArrayView(p, q - p));
        p = q + 1;
    }
}

} // namespace tess
