#include "app/players.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/cData.h"
#include "stats/cScore.h"

namespace tess
{

namespace
{
bool inSomeSlot(const cData &data, const QString &name)
{
    for (int slot = 1; slot <= kMaxPlayers; ++slot)
        if (data.GetPlayer(static_cast<i16>(slot)) == name)
            return true;
    return false;
}

// A player whose name cannot be a file never had a score file.
QString scoreFileOf(const cScore &score, const QString &name)
{
    return cScore::isFileName(name) ? score.ScoreFile(name) : QString();
}

PlayerResult fileFailed(const QString &path, const QFile &f)
{
    return {PlayerOutcome::FileFailed, path, f.errorString()};
}

// Moves the used slots up over the free ones, keeping their order.
void closeGaps(cData &data)
{
    int to = 1;
    for (int from = 1; from <= kMaxPlayers; ++from) {
        const QString name = data.GetPlayer(static_cast<i16>(from));
        if (name.isEmpty())
            continue;
        if (from != to) {
            data.SetPlayer(static_cast<i16>(to), name, false);
            data.SetPlayer(static_cast<i16>(from), QString(), false);
        }
        ++to;
    }
}
} // namespace

bool isValidPlayerName(const QString &name)
{
    if (!cScore::isFileName(name) || name.size() > kMaxPlayerName)
        return false;
    bool onlyDots = true;
    for (QChar c : name) {
        if (c.category() == QChar::Other_Control || c.unicode() < 0x20)
            return false;
        if (c != QLatin1Char('.'))
            onlyDots = false;
    }
    return !onlyDots;
}

QString playerMessage(const PlayerResult &r)
{
    switch (r.outcome) {
    case PlayerOutcome::Invalid:
        return QStringLiteral("Please Enter a Valid Name");
    case PlayerOutcome::Exists:
        return QStringLiteral("Player Exists !");
    case PlayerOutcome::Current:
        return QStringLiteral("The current player cannot be deleted.");
    case PlayerOutcome::FileTaken:
        return QStringLiteral("A score file of that name is already in the data folder:\n%1\n"
                              "Choose another name; both files are kept as they are.")
            .arg(QDir::toNativeSeparators(r.file));
    case PlayerOutcome::FileFailed:
        return QStringLiteral("The score file\n%1\ncould not be changed (%2).\nThe players are unchanged.")
            .arg(QDir::toNativeSeparators(r.file), r.error);
    case PlayerOutcome::Done:
    case PlayerOutcome::Full:
        break;
    }
    return QString();
}

PlayerResult AddPlayer(cData &data, const QString &name)
{
    if (!isValidPlayerName(name))
        return {PlayerOutcome::Invalid, {}, {}};
    if (inSomeSlot(data, name))
        return {PlayerOutcome::Exists, {}, {}};
    for (int slot = 1; slot <= kMaxPlayers; ++slot) {
        if (data.GetPlayer(static_cast<i16>(slot)).isEmpty()) {
            data.SetPlayer(static_cast<i16>(slot), name, false);
            return {};
        }
    }
    return {PlayerOutcome::Full, {}, {}};
}

PlayerResult RenamePlayer(cData &data, const cScore &score, const QString &oldName, const QString &newName)
{
    if (!isValidPlayerName(newName))
        return {PlayerOutcome::Invalid, {}, {}};
    if (inSomeSlot(data, newName))
        return {PlayerOutcome::Exists, {}, {}};
    const QString from = scoreFileOf(score, oldName);
    const QString to = score.ScoreFile(newName);
    const bool hasFile = !from.isEmpty() && QFile::exists(from);
    // A file of the new name (left from a player removed by hand) is never overwritten or
    // adopted; only on a folder that ignores case may it be the player's own file.
    if (QFile::exists(to) &&
        !(hasFile && QFileInfo(from).canonicalFilePath() == QFileInfo(to).canonicalFilePath()))
        return {PlayerOutcome::FileTaken, to, {}};
    if (hasFile) {
        QFile f(from);
        if (!f.rename(to))
            return fileFailed(from, f);
    }
    const bool wasCurrent = data.CurPlayer() == oldName;
    for (int slot = 1; slot <= kMaxPlayers; ++slot)
        if (data.GetPlayer(static_cast<i16>(slot)) == oldName)
            data.SetPlayer(static_cast<i16>(slot), newName, false);
    if (wasCurrent)
        data.SetCurPlayer(newName);
    return {};
}

PlayerResult DeletePlayer(cData &data, const cScore &score, const QString &name)
{
    if (name == data.CurPlayer())
        return {PlayerOutcome::Current, {}, {}};
    const QString path = scoreFileOf(score, name);
    if (!path.isEmpty() && QFile::exists(path)) {
        QFile f(path);
        if (!f.remove())
            return fileFailed(path, f);
    }
    // A name held twice (a hand-edited store) goes entirely: its file is gone.
    for (int slot = 1; slot <= kMaxPlayers; ++slot)
        if (data.GetPlayer(static_cast<i16>(slot)) == name)
            data.SetPlayer(static_cast<i16>(slot), QString(), false);
    closeGaps(data);
    return {};
}

} // namespace tess
