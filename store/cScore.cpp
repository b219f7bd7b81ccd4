#include "store/cScore.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QHash>
#include <QLocale>
#include <QSaveFile>

#include "play/mFunc.h"
#include "store/appearance.h"
#include "store/cData.h"

namespace tess
{

namespace
{

const char *const kClearQuestion =
    "Are you sure you want to clear the Statistics, High Score and Log for all Players and all Games ?";
const char *const kClearedNotice = "Statistics, High Score and Log have been Cleared.";

// Larger files are refused rather than read into memory.
constexpr qint64 kMaxFileBytes = 256LL * 1024 * 1024;

std::string pathText(const QString &path)
{
    return "\"" + QDir::toNativeSeparators(path).toStdString() + "\"";
}

// Sums stay in 32 bits; leaving them is an error, never a wrap.
i32 add32(i32 sum, long long v)
{
    const long long s = static_cast<long long>(sum) + v;
    if (s < INT32_MIN || s > INT32_MAX)
        throw OverflowError("32-bit overflow in the statistics totals");
    return static_cast<i32>(s);
}

void addTo(StatTotals &t, const ScoreRecord &r)
{
    t.Played = add32(t.Played, 1);
    if (r.Won == 1)
        ++t.Won;
    t.Score = add32(t.Score, r.Score);
    t.Moves = add32(t.Moves, r.Moves);
    t.Time = add32(t.Time, r.Time);
}

template <class Pred> StatTotals totalsOf(const std::vector<ScoreRecord> &records, Pred keep)
{
    StatTotals t;
    for (const ScoreRecord &r : records) {
        if (keep(r))
            addTo(t, r);
    }
    t.Lost = t.Played - t.Won;
    return t;
}

// Totals per name in one pass; `nameOf` picks the record's name field.
template <class NameOf>
std::vector<StatTotals> totalsBy(const std::vector<ScoreRecord> &records, const QStringList &names,
                                 NameOf nameOf)
{
    std::vector<StatTotals> out(names.size());
    QHash<QString, qsizetype> slot;
    for (qsizetype i = names.size() - 1; i >= 0; --i)
        slot.insert(names[i], i);
    for (const ScoreRecord &r : records) {
        const auto it = slot.constFind(nameOf(r));
        if (it != slot.constEnd())
            addTo(out[*it], r);
    }
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (slot.value(names[i]) != i)
            out[i] = out[slot.value(names[i])]; // a name given twice
        out[i].Lost = out[i].Played - out[i].Won;
    }
    return out;
}

// Moves positions p..18 one down (the last falls off) and puts `value` at p.
template <class T, size_t N> void insertAt(std::array<T, N> &a, size_t p, T value)
{
    std::move_backward(a.begin() + p, a.end() - 1, a.end());
    a[p] = value;
}

// The system's own words for an error number.
std::string reason(int err)
{
    return std::strerror(err);
}

// A descriptor that closes itself; closing also drops its lock.
class Fd
{
  public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    int get() const { return fd_; }
    // Closes now and gives the error close reports, 0 when none.
    int close()
    {
        const int r = ::close(fd_);
        fd_ = -1;
        return r == 0 ? 0 : errno;
    }

  private:
    int fd_;
};

// Why a file is no score or favourites file to read or append to: only plain files, and
// none so large that reading it would exhaust memory. Empty when it is one.
std::string refusal(const struct stat &st)
{
    if (S_ISREG(st.st_mode))
        return st.st_size > kMaxFileBytes ? "it is larger than 256 MB" : std::string();
    if (S_ISDIR(st.st_mode))
        return "it is a folder, not a plain file";
    if (S_ISFIFO(st.st_mode))
        return "it is a named pipe, not a plain file";
    if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode))
        return "it is a device, not a plain file";
    if (S_ISSOCK(st.st_mode))
        return "it is a socket, not a plain file";
    return "it is not a plain file";
}

// Reads what fd holds from where it stands, at most kMaxFileBytes. Empty when all went well,
// else why not.
std::string readAll(int fd, QByteArray &out, qint64 expected)
{
    out.clear();
    out.reserve(expected);
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return reason(errno);
        if (n == 0)
            return std::string();
        if (out.size() + n > kMaxFileBytes)
            return "it is larger than 256 MB";
        out.append(buf, n);
    }
}

// Reads a whole plain file; empty when all went well, else why not. A named pipe is never
// opened for reading, which would wait for a writer, and a device is never read.
std::string readRegular(const QString &path, QByteArray &out)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat st;
    if (::stat(name.constData(), &st) != 0)
        return reason(errno);
    if (std::string why = refusal(st); !why.empty())
        return why;
    // Non-blocking, in case something else took the file's place since the look above.
    Fd fd(::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0)
        return reason(errno);
    if (::fstat(fd.get(), &st) != 0)
        return reason(errno);
    if (std::string why = refusal(st); !why.empty())
        return why;
    return readAll(fd.get(), out, st.st_size);
}

QByteArray readWhole(const QString &path)
{
    QByteArray all;
    if (const std::string why = readRegular(path, all); !why.empty())
        throw ScoreFileError("cannot read " + pathText(path) + ": " + why);
    return all;
}

// One line of the report. Items of the comma kind start at the next 14-column field; an item
// that filled its field exactly is followed by one empty field, so a one-digit played count in
// the games section keeps the won count under its heading.
class PrintLine
{
  public:
    static constexpr qsizetype kField = 14;

    PrintLine() = default;
    // The first item; an empty one still takes its field, so the next items keep their columns.
    explicit PrintLine(const QString &first) : line_(first), started_(true) {}
    PrintLine &next(const QString &item)
    {
        const qsizetype rem = line_.size() % kField;
        if (started_)
            line_ += QString(kField - rem, QLatin1Char(' '));
        line_ += item;
        started_ = true;
        return *this;
    }
    PrintLine &then(const QString &item)
    {
        line_ += item;
        started_ = true;
        return *this;
    }
    const QString &text() const { return line_; }

  private:
    QString line_;
    bool started_ = false;
};

// A heading line: its titles one field after another.
QString headings(const QString &first, std::initializer_list<const char *> rest)
{
    PrintLine line(first);
    for (const char *title : rest)
        line.next(QLatin1String(title));
    return line.text();
}

// A number with its sign place and a trailing blank: " 12 ", "-5 ".
QString num(long long v)
{
    return (v < 0 ? QStringLiteral("-") : QStringLiteral(" ")) + QString::number(v < 0 ? -v : v) +
           QLatin1Char(' ');
}

QString duration(i32 seconds)
{
    return QString::fromStdString(FormatGameTime(seconds));
}

QString gameNoItem(const GameNumber &no)
{
    if (!no.isText() && !no.empty())
        return num(no.value());
    return QString::fromStdString(no.display());
}

PrintLine totalsLine(PrintLine line, const StatTotals &t)
{
    return line.next(num(t.Played))
        .next(num(t.Won))
        .next(num(t.Lost))
        .next(duration(t.Time))
        .next(num(t.Moves))
        .next(num(t.Score));
}

} // namespace

cScore::cScore(cData &data) : data_(data) {}

// ---- paths ----

bool cScore::isFileName(const QString &playerName)
{
    if (playerName.isEmpty() || playerName == QLatin1String(".") || playerName == QLatin1String(".."))
        return false;
    for (QChar c : playerName) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char('"') ||
            c == QLatin1Char('\r') || c == QLatin1Char('\n') || c.isNull())
            return false;
    }
    return true;
}

QString cScore::ScoreFile(const QString &playerName) const
{
    if (!isFileName(playerName))
        throw ScoreRefused("the player name \"" + playerName.toStdString() +
                           "\" cannot name a score file (empty, \".\", \"..\", a path separator, a "
                           "double quote or a line break)");
    return data_.AppDir() + playerName + QStringLiteral(".sre");
}

QString cScore::FavFile() const
{
    return data_.AppDir() + QStringLiteral("fav.dat");
}

QStringList cScore::Players() const
{
    return data_.PlayerList();
}

void cScore::ensureDataFolder() const
{
    const QString dir = data_.AppDir();
    if (!QDir().mkpath(dir))
        throw ScoreFileError("cannot create the data folder " + pathText(dir));
}

void cScore::appendLine(const QString &path, const QByteArray &line,
                        const std::function<void(const QByteArray &)> &check) const
{
    const QByteArray name = QFile::encodeName(path);
    // In append mode every write lands at the end of the file as it is at that moment, so
    // another copy of the program appending at the same time never writes over this line.
    Fd fd(::open(name.constData(), O_RDWR | O_APPEND | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666));
    if (fd.get() < 0)
        throw ScoreFileError("cannot open " + pathText(path) + ": " + reason(errno));
    // The lock keeps the line-end repair and the cut-back after a failure to this append's own
    // bytes; appends still stay whole on a file system without locks.
    while (::flock(fd.get(), LOCK_EX) != 0 && errno == EINTR) {
    }
    struct stat st;
    if (::fstat(fd.get(), &st) != 0)
        throw ScoreFileError("cannot read " + pathText(path) + ": " + reason(errno));
    if (const std::string why = refusal(st); !why.empty())
        throw ScoreFileError("cannot append to " + pathText(path) + ": " + why);
    const off_t size = st.st_size;
    if (check) {
        QByteArray all;
        if (const std::string why = readAll(fd.get(), all, size); !why.empty())
            throw ScoreFileError("cannot read " + pathText(path) + ": " + why);
        check(all);
    }
    QByteArray out;
    if (size > 0) {
        // A crash mid-write can leave the last line open; end it so the new record stays whole.
        char last = 0;
        if (::pread(fd.get(), &last, 1, size - 1) != 1)
            throw ScoreFileError("cannot read " + pathText(path) + ": " + reason(errno));
        if (last == '\r')
            out = "\n";
        else if (last != '\n')
            out = "\r\n";
    }
    out += line;
    // One write for the repair and the record; the loop only finishes one the system cut short.
    qsizetype done = 0;
    while (done < out.size()) {
        const ssize_t n = ::write(fd.get(), out.constData() + done, size_t(out.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const int err = n < 0 ? errno : EIO;
            // A record cut short would stay in the file for good: the file goes back to what it was.
            std::string msg = "cannot write " + pathText(path) + ": " + reason(err);
            if (::ftruncate(fd.get(), size) != 0)
                msg += "; the part written could not be taken back: " + reason(errno);
            throw ScoreFileError(msg);
        }
        done += n;
    }
    if (const int err = fd.close())
        throw ScoreFileError("cannot write " + pathText(path) + ": " + reason(err));
}

// ---- score files ----

namespace
{
// The game that just ended, as the score file and the session keep it.
ScoreRecord endedGame(const cData &d, i16 won)
{
    ScoreRecord r;
    r.GameName = d.CurGName();
    r.GameNo = d.CurGNo;
    r.Time = d.CurTime;
    r.Moves = d.CurMoves;
    r.Score = d.CurScore;
    r.Won = won;
    return r;
}
} // namespace

void cScore::AddScore(i16 won)
{
    const QString path = ScoreFile(data_.CurPlayer());
    ScoreRecord r = endedGame(data_, won);
    r.DateText = nowText();
    const QByteArray line = formatScoreLine(r); // refuses before anything touches the disk
    ensureDataFolder();
    appendLine(path, line);
}

namespace
{

// The player's records and the count of lines that hold no game; empty when the file was read,
// else why not.
std::string loadScores(const QString &path, const QString &playerName, std::vector<ScoreRecord> &out,
                       i32 &skipped)
{
    QByteArray all;
    if (std::string why = readRegular(path, all); !why.empty())
        return why;
    // Unreadable lines are skipped one by one and counted; the rest of the file still loads.
    forEachLine(QByteArrayView(all), [&](QByteArrayView line) {
        if (auto r = readScoreLine(line)) {
            r->Player = playerName;
            out.push_back(std::move(*r));
        } else {
            ++skipped;
        }
    });
    return std::string();
}

// Running sums of the loaded table. Scores count by their size, so that every total over any
// part of the table stays within 32 bits when these do.
struct TableSums {
    long long played = 0, time = 0, moves = 0, score = 0;
    bool add(const ScoreRecord &r)
    {
        ++played;
        time += r.Time;
        moves += r.Moves;
        score += r.Score < 0 ? -static_cast<long long>(r.Score) : r.Score;
        return played <= INT32_MAX && time <= INT32_MAX && moves <= INT32_MAX && score <= INT32_MAX;
    }
};

} // namespace

void cScore::OpenScore(const QString &playerName)
{
    const QString path = ScoreFile(playerName);
    if (!QFile::exists(path))
        return;
    std::vector<ScoreRecord> records;
    i32 skipped = 0;
    if (const std::string why = loadScores(path, playerName, records, skipped); !why.empty())
        throw ScoreFileError("cannot read " + pathText(path) + ": " + why);
    scores_.insert(scores_.end(), std::make_move_iterator(records.begin()),
                   std::make_move_iterator(records.end()));
    skipped_ += skipped;
}

void cScore::OpenAllScore()
{
    scores_.clear();
    skipped_ = 0;
    leftOut_.clear();
    TableSums sums;
    for (const QString &name : Players()) {
        // A name that cannot be a file never got a score file.
        if (!isFileName(name))
            continue;
        const QString path = ScoreFile(name);
        if (!QFile::exists(path))
            continue;
        // One bad file must not hide every other player's games.
        std::vector<ScoreRecord> records;
        i32 skipped = 0;
        if (const std::string why = loadScores(path, name, records, skipped); !why.empty()) {
            leftOut_.push_back({name, path, QString::fromStdString(why)});
            continue;
        }
        TableSums with = sums;
        const bool fits =
            std::all_of(records.begin(), records.end(), [&](const ScoreRecord &r) { return with.add(r); });
        if (!fits) {
            leftOut_.push_back({name, path,
                                QStringLiteral("its games would carry the totals past 2147483647, the "
                                               "largest the statistics can count")});
            continue;
        }
        sums = with;
        scores_.insert(scores_.end(), std::make_move_iterator(records.begin()),
                       std::make_move_iterator(records.end()));
        skipped_ += skipped;
    }
}

void cScore::CloseScore()
{
    scores_ = {};
    skipped_ = 0;
    leftOut_.clear();
    top_.fill(ScoreRecord());
}

cScore::TopList cScore::topOf(const std::array<i32, kTopSize> &idx) const
{
    TopList top;
    for (int p = 0; p < kTopSize; ++p)
        if (idx[p] >= 0)
            top[p] = scores_[idx[p]];
    return top;
}

void cScore::Sort(const QString &gameName, const QString &playerName, i16 wonOnly)
{
    top_ = TopByScore(gameName, playerName, wonOnly);
}

void cScore::FinSort(i16 byTime, i16 byMoves)
{
    top_ = TopByKey(byTime, byMoves);
}

cScore::TopList cScore::TopByScore(const QString &gameName, const QString &playerName, i16 wonOnly) const
{
    std::array<i32, kTopSize> idx;
    std::array<i32, kTopSize> key; // score per position, 0 when empty
    idx.fill(-1);
    key.fill(0);
    for (size_t i = 0; i < scores_.size(); ++i) {
        const ScoreRecord &r = scores_[i];
        if (r.Score <= 0 || r.Score < key[kTopSize - 1])
            continue;
        if (wonOnly == 1 && r.Won == 0)
            continue;
        if (!gameName.isEmpty() && gameName != r.GameName)
            continue;
        if (!playerName.isEmpty() && playerName != r.Player)
            continue;
        // ">=" puts the later-loaded of equal scores first.
        for (size_t p = 0; p < kTopSize; ++p) {
            if (r.Score >= key[p]) {
                insertAt(idx, p, static_cast<i32>(i));
                insertAt(key, p, r.Score);
                break;
            }
        }
    }
    return topOf(idx);
}

cScore::TopList cScore::TopByKey(i16 byTime, i16 byMoves) const
{
    std::array<i32, kTopSize> idx;
    std::array<i32, kTopSize> key; // time or moves per position, 0 when empty
    idx.fill(-1);
    key.fill(0);
    for (size_t i = 0; i < scores_.size(); ++i) {
        const ScoreRecord &r = scores_[i];
        i32 k = 0;
        if (byTime == -1)
            k = r.Time;
        if (byMoves == -1)
            k = r.Moves;
        // A key of 0 marks an empty place, so such games never enter; nor do negative keys,
        // which only a damaged file holds.
        if (r.Won != 1 || k < 1)
            continue;
        if (key[kTopSize - 1] != 0 && key[kTopSize - 1] < k)
            continue;
        for (size_t p = 0; p < kTopSize; ++p) {
            if (key[p] == 0 || key[p] >= k) {
                insertAt(idx, p, static_cast<i32>(i));
                insertAt(key, p, k);
                break;
            }
        }
    }
    return topOf(idx);
}

void cScore::ClearStat()
{
    // Without someone to ask, nothing is deleted.
    if (!prompt_)
        return;
    const QString title = data_.ProdName();
    if (!prompt_->askYesNo(title, QString::fromLatin1(kClearQuestion)))
        return;
    QStringList failed;
    for (const QString &name : Players()) {
        if (!isFileName(name))
            continue;
        QFile f(ScoreFile(name));
        if (f.exists() && !f.remove())
            failed << name;
    }
    if (!failed.isEmpty())
        throw ScoreFileError("could not delete the score files of " +
                             failed.join(QStringLiteral(", ")).toStdString());
    prompt_->inform(title, QString::fromLatin1(kClearedNotice));
}

// ---- the loaded table ----

StatTotals cScore::GetTotals() const
{
    return totalsOf(scores_, [](const ScoreRecord &) { return true; });
}

StatTotals cScore::GetGameTotals(const QString &gameName) const
{
    return totalsOf(scores_, [&](const ScoreRecord &r) { return r.GameName == gameName; });
}

StatTotals cScore::GetPlayerTotals(const QString &playerName) const
{
    return totalsOf(scores_, [&](const ScoreRecord &r) { return r.Player == playerName; });
}

DateTotals cScore::GetDateTotals(const QString &refDateText, const QString &interval) const
{
    const auto ref = parseDateText(refDateText);
    if (!ref)
        throw std::invalid_argument("\"" + refDateText.toStdString() + "\" is not a date");
    return PeriodTotals({ref->day}, interval).front();
}

std::vector<DateTotals> cScore::PeriodTotals(const std::vector<QDate> &days, const QString &interval) const
{
    std::vector<DateTotals> out(days.size());
    // A period's key: the day's number, the month counted from year 0, or the year.
    std::function<qint64(const QDate &)> key;
    QString format;
    if (interval == QLatin1String("d")) {
        key = [](const QDate &d) { return d.toJulianDay(); };
        format = QStringLiteral("MMM dd");
    } else if (interval == QLatin1String("m")) {
        key = [](const QDate &d) { return qint64(d.year()) * 12 + d.month() - 1; };
        format = QStringLiteral("MMM yy");
    } else if (interval == QLatin1String("yyyy")) {
        key = [](const QDate &d) { return qint64(d.year()); };
        format = QStringLiteral("yyyy");
    } else {
        return out;
    }
    const QLocale locale = QLocale::system();
    QHash<qint64, size_t> slot; // key -> first period with it
    for (size_t i = 0; i < days.size(); ++i) {
        out[i].Label = locale.toString(days[i], format);
        if (days[i].isValid())
            slot.insert(key(days[i]), i);
    }
    std::vector<StatTotals> sums(days.size());
    for (const ScoreRecord &r : scores_) {
        if (!r.Day.isValid())
            continue;
        const auto it = slot.constFind(key(r.Day));
        if (it == slot.constEnd())
            continue;
        addTo(sums[*it], r);
    }
    for (size_t i = 0; i < days.size(); ++i) {
        // Two days of the same period share its totals.
        const StatTotals &t = days[i].isValid() ? sums[slot.value(key(days[i]))] : StatTotals{};
        out[i].Played = t.Played;
        out[i].Won = t.Won;
        out[i].Lost = t.Played - t.Won;
        out[i].Score = t.Score;
        out[i].Moves = t.Moves;
        out[i].Time = t.Time;
    }
    return out;
}

std::vector<StatTotals> cScore::GameTotalsOf(const QStringList &gameNames) const
{
    return totalsBy(scores_, gameNames, [](const ScoreRecord &r) -> const QString & { return r.GameName; });
}

std::vector<StatTotals> cScore::PlayerTotalsOf(const QStringList &playerNames) const
{
    return totalsBy(scores_, playerNames, [](const ScoreRecord &r) -> const QString & { return r.Player; });
}

std::vector<ScoreRecord> cScore::GameScores(const QString &gameName, i32 limit) const
{
    std::vector<ScoreRecord> out;
    for (const ScoreRecord &r : scores_) {
        if (static_cast<i32>(out.size()) >= limit)
            break;
        if (r.GameName == gameName)
            out.push_back(r);
    }
    return out;
}

ScoreRecord cScore::GetScore(i32 index) const
{
    if (index < 1 || index > ScoreTop())
        throw IndexError("score index out of range: " + std::to_string(index));
    return scores_[index - 1];
}

ScoreRecord cScore::GetGameScore(const QString &gameName, i32 n) const
{
    i32 seen = 0;
    for (const ScoreRecord &r : scores_) {
        if (r.GameName == gameName && ++seen == n)
            return r;
    }
    return ScoreRecord();
}

ScoreRecord cScore::GetTop(int position) const
{
    if (position < 1 || position > kTopSize)
        throw IndexError("top-list position out of range: " + std::to_string(position));
    return top_[position - 1];
}

// ---- favourites ----

void cScore::OpenFav()
{
    favTop_ = 0;
    favs_.clear();
    const QString path = FavFile();
    if (!QFile::exists(path))
        return;
    const QByteArray all = readWhole(path);
    forEachLine(QByteArrayView(all), [&](QByteArrayView line) {
        if (auto f = parseFavLine(line))
            favs_.push_back(std::move(*f));
    });
    if (favs_.size() > size_t(kMaxFavs)) {
        favs_.clear();
        throw ScoreFileError(pathText(path) + " holds more than " + std::to_string(kMaxFavs) +
                             " favourites, the most the Favorites can list");
    }
    favTop_ = static_cast<i16>(favs_.size());
}

void cScore::AddFav(const QString &gameName, const GameNumber &gameNo)
{
    const QByteArray line = formatFavLine({gameName, gameNo});
    ensureDataFolder();
    // Counted under the append's lock, so that two copies of the program cannot both add the last.
    appendLine(FavFile(), line, [](const QByteArray &all) {
        int count = 0;
        forEachLine(QByteArrayView(all), [&](QByteArrayView l) { count += parseFavLine(l) ? 1 : 0; });
        if (count >= kMaxFavs)
            throw ScoreRefused("the Favorites already hold " + std::to_string(kMaxFavs) +
                               " games, the most they can hold; this one was not added");
    });
}

void cScore::ClearFav()
{
    QFile f(FavFile());
    if (f.exists() && !f.remove())
        throw ScoreFileError("cannot delete " + pathText(f.fileName()) + ": " +
                             f.errorString().toStdString());
}

void cScore::CloseFav()
{
    favs_.clear();
    favTop_ = 0;
}

FavRecord cScore::GetFav(int index) const
{
    if (index < 1 || index > favTop_)
        throw IndexError("favourite index out of range: " + std::to_string(index));
    return favs_[index - 1];
}

// ---- session ----

void cScore::AddSesGame(i16 won)
{
    const i16 top = checked16(sesTop_ + 1);
    ScoreRecord r = endedGame(data_, won);
    r.Player = data_.CurPlayer();
    sesGames_.push_back(std::move(r));
    sesTop_ = top;
}

ScoreRecord cScore::GetSesGame(int index) const
{
    if (index < 1 || index > sesTop_)
        throw IndexError("session index out of range: " + std::to_string(index));
    return sesGames_[index - 1];
}

StatTotals cScore::GetSesTotals() const
{
    return totalsOf(sesGames_, [](const ScoreRecord &) { return true; });
}

// ---- report ----

void cScore::WriteReport(const QString &fileName) const
{
    QStringList lines;
    const QString blank = QStringLiteral(" ");
    lines << data_.ProdName() + QStringLiteral(" Score Board") << blank << QString(25, QLatin1Char('*'))
          << blank;
    lines << PrintLine(QStringLiteral("Created By")).next(data_.CurPlayer()).text();
    lines << PrintLine(QStringLiteral("Created Date")).next(nowText()).text();
    lines << blank << QString(34, QLatin1Char('-')) << blank;

    lines << QStringLiteral("General Statistics") << QString(18, QLatin1Char('-'));
    lines << headings(QStringLiteral("Played"), {"Won", "Lost", "Time", "Moves", "Score"});
    lines << totalsLine(PrintLine(), GetTotals()).text();
    lines << blank << blank;

    lines << QStringLiteral("Player Statistics") << QString(17, QLatin1Char('-'));
    lines << headings(QStringLiteral("Player"), {"Played", "Won", "Lost", "Time", "Moves", "Score"});
    for (const QString &name : Players())
        lines << totalsLine(PrintLine(name), GetPlayerTotals(name)).text();
    lines << blank << blank;

    lines << QStringLiteral("Games Statistics") << QString(16, QLatin1Char('-'));
    lines << headings(QStringLiteral("Game") + QString(21, QLatin1Char(' ')) + QStringLiteral("Played"),
                      {"Won", "Time", "Moves", "Score"});
    for (int id = 1; id <= data_.TotalGames(); ++id) {
        const QString g = data_.GetGName(static_cast<i16>(id));
        const StatTotals t = GetGameTotals(g);
        lines << PrintLine(g + QString(std::max<qsizetype>(0, 25 - g.size()), QLatin1Char(' ')))
                     .then(num(t.Played))
                     .next(num(t.Won))
                     .next(duration(t.Time))
                     .next(num(t.Moves))
                     .next(num(t.Score))
                     .text();
    }
    lines << blank << blank;

    lines << QStringLiteral("Full Statistics") << QString(14, QLatin1Char('-'));
    lines << headings(QStringLiteral("Date"),
                      {"Game", "Player", "Status", "Score", "Moves", "Time", "Game No"});
    const QLocale locale = QLocale::system();
    for (const ScoreRecord &r : scores_) {
        lines << PrintLine(locale.toString(r.Day, QLocale::ShortFormat))
                     .next(r.GameName.left(12))
                     .next(r.Player.left(12))
                     .next(ResultText(r.Won))
                     .next(num(r.Score))
                     .next(num(r.Moves))
                     .next(duration(r.Time) + QString(5, QLatin1Char(' ')) + gameNoItem(r.GameNo))
                     .text();
    }

    QByteArray out;
    for (const QString &l : lines) {
        out += l.toUtf8();
        out += "\r\n";
    }
    // The old report stays until the new one is whole.
    QSaveFile f(fileName);
    if (!f.open(QIODevice::WriteOnly) || f.write(out) != out.size() || !f.commit())
        throw ScoreFileError("cannot write the report " + pathText(fileName) + ": " +
                             f.errorString().toStdString());
}

} // namespace tess
