#include "store/scoreLines.h"

#include <array>

#include <QRegularExpression>
#include <QVector>

namespace tess
{

namespace
{

// ---- dates ----

// Reads `count` digits at `pos`; false when any is missing.
bool fixedDigits(const QString &s, qsizetype pos, int count, int &v)
{
    if (pos + count > s.size())
        return false;
    v = 0;
    for (int i = 0; i < count; ++i) {
        const QChar c = s[pos + i];
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        v = v * 10 + (c.unicode() - '0');
    }
    return true;
}

// Reads one or two digits at pos and moves pos past them.
bool shortDigits(const QString &s, qsizetype &pos, int &v)
{
    int n = 0;
    v = 0;
    while (n < 2 && pos < s.size() && s[pos] >= QLatin1Char('0') && s[pos] <= QLatin1Char('9')) {
        v = v * 10 + (s[pos].unicode() - '0');
        ++pos;
        ++n;
    }
    return n > 0;
}

bool expect(const QString &s, qsizetype &pos, char c)
{
    if (pos >= s.size() || s[pos] != QLatin1Char(c))
        return false;
    ++pos;
    return true;
}

std::optional<DateAndTime> makeDate(int y, int mo, int d, int h, int mi, int sec)
{
    if (!QDate::isValid(y, mo, d) || !QTime::isValid(h, mi, sec))
        return std::nullopt;
    return DateAndTime{QDate(y, mo, d), QTime(h, mi, sec)};
}

// "yyyy-MM-dd HH:mm:ss" or "yyyy-MM-dd": the form written now, read without the locale (fast).
std::optional<DateAndTime> parseFixed(const QString &s)
{
    int y, mo, d, h = 0, mi = 0, sec = 0;
    if (s.size() != 10 && s.size() != 19)
        return std::nullopt;
    if (!fixedDigits(s, 0, 4, y) || s[4] != QLatin1Char('-') || !fixedDigits(s, 5, 2, mo) ||
        s[7] != QLatin1Char('-') || !fixedDigits(s, 8, 2, d))
        return std::nullopt;
    if (s.size() == 19) {
        if (s[10] != QLatin1Char(' ') || !fixedDigits(s, 11, 2, h) || s[13] != QLatin1Char(':') ||
            !fixedDigits(s, 14, 2, mi) || s[16] != QLatin1Char(':') || !fixedDigits(s, 17, 2, sec))
            return std::nullopt;
    }
    return makeDate(y, mo, d, h, mi, sec);
}

// "M/d/yyyy h:mm:ss AM" / "PM", or "M/d/yyyy" alone (midnight was written without a time).
std::optional<DateAndTime> parseUs(const QString &s)
{
    qsizetype p = 0;
    int mo, d, y, h = 0, mi = 0, sec = 0;
    if (!shortDigits(s, p, mo) || !expect(s, p, '/') || !shortDigits(s, p, d) || !expect(s, p, '/') ||
        !fixedDigits(s, p, 4, y))
        return std::nullopt;
    p += 4;
    if (p == s.size())
        return makeDate(y, mo, d, 0, 0, 0);
    if (!expect(s, p, ' ') || !shortDigits(s, p, h) || !expect(s, p, ':') || !fixedDigits(s, p, 2, mi))
        return std::nullopt;
    p += 2;
    if (!expect(s, p, ':') || !fixedDigits(s, p, 2, sec))
        return std::nullopt;
    p += 2;
    if (!expect(s, p, ' ') || s.size() != p + 2 || h < 1 || h > 12)
        return std::nullopt;
    const QString ap = s.mid(p).toUpper();
    if (ap == QLatin1String("AM"))
        h = h == 12 ? 0 : h;
    else if (ap == QLatin1String("PM"))
        h = h == 12 ? 12 : h + 12;
    else
        return std::nullopt;
    return makeDate(y, mo, d, h, mi, sec);
}

// One date-time pattern of a locale, ready to try.
struct LocaleForm {
    QString format;
    bool withTime;
    bool twoDigitYear; // Qt reads "yy" as 19yy; the window below moves it
};

// Drops the time-zone letters the locale's long time carries, with the brackets and blanks
// around them ("H:mm:ss (t)"); stored texts never had them.
QString withoutZone(const QString &fmt)
{
    QString out;
    bool quoted = false;
    for (QChar c : fmt) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('t'))
            continue;
        out += c;
    }
    static const QRegularExpression emptyBrackets(QStringLiteral("\\(\\s*\\)|\\[\\s*\\]"));
    out.remove(emptyBrackets);
    return out.simplified();
}

// Length of the first unquoted run of 'y' and where it starts.
std::pair<qsizetype, qsizetype> yearRun(const QString &fmt)
{
    bool quoted = false;
    for (qsizetype i = 0; i < fmt.size(); ++i) {
        if (fmt[i] == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && fmt[i] == QLatin1Char('y')) {
            qsizetype j = i;
            while (j < fmt.size() && fmt[j] == QLatin1Char('y'))
                ++j;
            return {i, j - i};
        }
    }
    return {-1, 0};
}

QVector<LocaleForm> localeForms(const QLocale &locale)
{
    QVector<LocaleForm> forms;
    const QString date = locale.dateFormat(QLocale::ShortFormat);
    const QString time = withoutZone(locale.timeFormat(QLocale::LongFormat));
    auto add = [&](const QString &d) {
        const bool two = yearRun(d).second == 2;
        forms.push_back({d + QLatin1Char(' ') + time, true, two});
        forms.push_back({d, false, two});
    };
    add(date);
    // Short dates often held four-digit years where the locale now has two; try both.
    auto [at, len] = yearRun(date);
    if (len == 2) {
        QString four = date;
        four.replace(at, 2, QStringLiteral("yyyy"));
        add(four);
    }
    return forms;
}

std::optional<DateAndTime> parseLocale(const QString &s, const QLocale &locale,
                                       const QVector<LocaleForm> &forms)
{
    for (const LocaleForm &f : forms) {
        QDate day;
        QTime at(0, 0);
        if (f.withTime) {
            const QDateTime dt = locale.toDateTime(s, f.format);
            if (!dt.isValid())
                continue;
            day = dt.date();
            at = dt.time();
        } else {
            day = locale.toDate(s, f.format);
            if (!day.isValid())
                continue;
        }
        if (f.twoDigitYear) {
            // Two-digit years cover 1930 to 2029.
            const int yy = day.year() - 1900;
            if (yy >= 0 && yy < 30)
                day = QDate(2000 + yy, day.month(), day.day());
            if (!day.isValid())
                continue;
        }
        return DateAndTime{day, at};
    }
    return std::nullopt;
}

std::optional<DateAndTime> parseAny(const QString &text, const QLocale &locale,
                                    const QVector<LocaleForm> &forms)
{
    if (auto d = parseFixed(text))
        return d;
    if (text.isEmpty())
        return std::nullopt;
    // The locale first: where it is day-first, "08/12/2026" is the 8th of December.
    if (auto d = parseLocale(text, locale, forms))
        return d;
    return parseUs(text);
}

// ---- fields ----

struct Field {
    QByteArrayView text;
    bool quoted = false;
};

// NUL, CR and LF are never written; a line holding one is damaged.
bool plainLine(QByteArrayView line)
{
    for (char c : line)
        if (c == '\0' || c == '\r' || c == '\n')
            return false;
    return true;
}

// Splits at commas outside double quotes. A quote inside an unquoted field, text after a closing
// quote, an unclosed quote or a count other than N make the line unreadable.
template <size_t N> bool splitFields(QByteArrayView line, std::array<Field, N> &out)
{
    const qsizetype n = line.size();
    qsizetype i = 0;
    size_t k = 0;
    for (;;) {
        if (k == N)
            return false;
        if (i < n && line[i] == '"') {
            qsizetype close = i + 1;
            while (close < n && line[close] != '"')
                ++close;
            if (close >= n)
                return false;
            out[k++] = {line.sliced(i + 1, close - i - 1), true};
            i = close + 1;
            if (i < n && line[i] != ',')
                return false;
        } else {
            qsizetype j = i;
            while (j < n && line[j] != ',') {
                if (line[j] == '"')
                    return false;
                ++j;
            }
            out[k++] = {line.sliced(i, j - i), false};
            i = j;
        }
        if (i >= n)
            break;
        ++i; // the comma
    }
    return k == N;
}

// A 32-bit decimal: an optional "-" and 1 to 10 digits, nothing else.
std::optional<i32> parseInt32(const Field &f)
{
    if (f.quoted || f.text.isEmpty())
        return std::nullopt;
    qsizetype i = 0;
    const bool negative = f.text[0] == '-';
    if (negative)
        ++i;
    const qsizetype digits = f.text.size() - i;
    if (digits < 1 || digits > 10)
        return std::nullopt;
    long long v = 0;
    for (; i < f.text.size(); ++i) {
        const char c = f.text[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        v = v * 10 + (c - '0');
    }
    if (negative)
        v = -v;
    if (v < INT32_MIN || v > INT32_MAX)
        return std::nullopt;
    return static_cast<i32>(v);
}

// Quoted: the text as typed. Unquoted: up to 15 digits, or nothing for a game without a number.
std::optional<GameNumber> parseGameNo(const Field &f)
{
    if (f.quoted)
        return GameNumber::text(f.text.toByteArray().toStdString());
    if (f.text.isEmpty())
        return GameNumber();
    auto v = parseGameDigits(f.text.toByteArray().toStdString());
    if (!v || f.text.size() > 15 || f.text.contains(' '))
        return std::nullopt;
    return GameNumber::number(*v);
}

void appendQuoted(QByteArray &out, const QString &text)
{
    out += '"';
    out += text.toUtf8();
    out += '"';
}

void appendGameNo(QByteArray &out, const GameNumber &no)
{
    if (no.isText()) {
        out += '"';
        out += QByteArray::fromStdString(no.display());
        out += '"';
    } else {
        out += QByteArray::fromStdString(no.display());
    }
}

} // namespace

std::optional<DateAndTime> parseDateText(const QString &text)
{
    static const QLocale locale = QLocale::system();
    static const QVector<LocaleForm> forms = localeForms(locale);
    return parseAny(text, locale, forms);
}

std::optional<DateAndTime> parseDateText(const QString &text, const QLocale &locale)
{
    return parseAny(text, locale, localeForms(locale));
}

bool possibleFigures(i32 time, i32 moves, i32 score)
{
    return time >= 0 && time <= kMaxGameSeconds && moves >= 0 && moves <= INT16_MAX && score >= INT16_MIN &&
           score <= INT16_MAX;
}

std::optional<ScoreRecord> parseScoreLine(QByteArrayView line)
{
    auto r = readScoreLine(line);
    if (r && !r->Day.isValid())
        return std::nullopt;
    return r;
}

std::optional<ScoreRecord> readScoreLine(QByteArrayView line)
{
    std::array<Field, 7> f;
    if (!plainLine(line) || !splitFields(line, f) || !f[0].quoted || !f[1].quoted)
        return std::nullopt;
    const auto time = parseInt32(f[3]);
    const auto moves = parseInt32(f[4]);
    const auto score = parseInt32(f[5]);
    const auto won = parseInt32(f[6]);
    if (!time || !moves || !score || !won || (*won != 0 && *won != 1))
        return std::nullopt;
    // Beyond these a line is damage; summed, it would overflow every total it joins.
    if (!possibleFigures(*time, *moves, *score))
        return std::nullopt;
    auto no = parseGameNo(f[2]);
    if (!no)
        return std::nullopt;
    ScoreRecord r;
    r.DateText = QString::fromUtf8(f[0].text);
    if (const auto when = parseDateText(r.DateText)) {
        r.Day = when->day;
        r.At = when->at;
    }
    r.GameName = QString::fromUtf8(f[1].text);
    r.GameNo = std::move(*no);
    r.Time = *time;
    r.Moves = *moves;
    r.Score = *score;
    r.Won = static_cast<i16>(*won);
    return r;
}

std::optional<FavRecord> parseFavLine(QByteArrayView line)
{
    std::array<Field, 2> f;
    if (!plainLine(line) || !splitFields(line, f) || !f[0].quoted)
        return std::nullopt;
    auto no = parseGameNo(f[1]);
    if (!no)
        return std::nullopt;
    return FavRecord{QString::fromUtf8(f[0].text), std::move(*no)};
}

void checkFileText(const char *what, const QString &text)
{
    for (QChar c : text) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\r') || c == QLatin1Char('\n') || c.isNull())
            throw ScoreRefused(std::string("the ") + what + " \"" + text.toStdString() +
                               "\" holds a double quote or a line break, which the file cannot store");
    }
}

void checkFileText(const char *what, const GameNumber &no)
{
    if (no.isText())
        checkFileText(what, QString::fromStdString(no.display()));
}

QByteArray formatScoreLine(const ScoreRecord &r)
{
    checkFileText("date", r.DateText);
    checkFileText("game name", r.GameName);
    checkFileText("game number", r.GameNo);
    // A line the reader would skip must never be written as if it were stored.
    if (!parseDateText(r.DateText))
        throw ScoreRefused("\"" + r.DateText.toStdString() + "\" is not a date the score file can hold");
    if (r.Won != 0 && r.Won != 1)
        throw ScoreRefused("the won flag must be 1 or 0, not " + std::to_string(r.Won));
    if (!possibleFigures(r.Time, r.Moves, r.Score))
        throw ScoreRefused("time " + std::to_string(r.Time) + ", moves " + std::to_string(r.Moves) +
                           " and score " + std::to_string(r.Score) + " are figures no game can leave");
    QByteArray out;
    out.reserve(64 + r.GameName.size());
    appendQuoted(out, r.DateText);
    out += ',';
    appendQuoted(out, r.GameName);
    out += ',';
    appendGameNo(out, r.GameNo);
    out += ',';
    out += QByteArray::number(r.Time);
    out += ',';
    out += QByteArray::number(r.Moves);
    out += ',';
    out += QByteArray::number(r.Score);
    out += ',';
    out += QByteArray::number(r.Won);
    out += "\r\n";
    return out;
}

QByteArray formatFavLine(const FavRecord &f)
{
    checkFileText("game name", f.GameName);
    checkFileText("game number", f.GameNo);
    QByteArray out;
    appendQuoted(out, f.GameName);
    out += ',';
    appendGameNo(out, f.GameNo);
    out += "\r\n";
    return out;
}

} // namespace tess
