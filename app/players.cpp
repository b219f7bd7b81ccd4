#include "app/players.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "store/cData.h"
#include "store/cScore.h"

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

PlayerResult storeFailed(const cData &data)
{
    return {PlayerOutcome::StoreFailed, data.storeFile(), data.storeFailure()};
}

QStringList slotsOf(const cData &data)
{
    QStringList names;
    for (int slot = 1; slot <= kMaxPlayers; ++slot)
        names << data.GetPlayer(static_cast<i16>(slot));
    return names;
}

// Puts the slots and the current player back as they were before a change that failed.
void restore(cData &data, const QStringList &names, const QString &current)
{
    for (int slot = 1; slot <= kMaxPlayers; ++slot)
        data.SetPlayer(static_cast<i16>(slot), names[slot - 1], false);
    data.SetCurPlayer(current);
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
    case PlayerOutcome::StoreFailed:
        return QStringLiteral("The settings file\n%1\ncould not be written (%2).\nThe players are unchanged.")
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
            if (!data.sync()) {
                data.SetPlayer(static_cast<i16>(slot), QString(), false);
                return storeFailed(data);
            }
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
    const QStringList before = slotsOf(data);
    const QString current = data.CurPlayer();
    for (int slot = 1; slot <= kMaxPlayers; ++slot)
        if (before[slot - 1] == oldName)
            data.SetPlayer(static_cast<i16>(slot), newName, false);
    if (current == oldName)
        data.SetCurPlayer(newName);
    if (!data.sync()) {
        // The file under the new name would belong to nobody, and the name back would be
        // refused as taken: the player would lose every recorded game.
        restore(data, before, current);
        if (hasFile)
            QFile::rename(to, from);
        return storeFailed(data);
    }
    return {};
}

PlayerResult DeletePlayer(cData &data, const cScore &score, const QString &name)
{
    if (name == data.CurPlayer())
        return {PlayerOutcome::Current, {}, {}};
    const QString path = scoreFileOf(score, name);
    // The file is set aside until the slots are stored: a removal could not be taken back.
    // A crash between the steps leaves the aside file, which no player's name reaches.
    const QString aside = path + QStringLiteral(".removing");
    const bool hasFile = !path.isEmpty() && QFile::exists(path);
    if (hasFile) {
        QFile::remove(aside);
        QFile f(path);
        if (!f.rename(aside))
            return fileFailed(path, f);
    }
    const QStringList before = slotsOf(data);
    const QString current = data.CurPlayer();
    // A name held twice (a hand-edited store) goes entirely: its file is gone.
    for (int slot = 1; slot <= kMaxPlayers; ++slot)
        if (before[slot - 1] == name)
            data.SetPlayer(static_cast<i16>(slot), QString(), false);
    closeGaps(data);
    if (!data.sync()) {
        restore(data, before, current);
        if (hasFile)
            QFile::rename(aside, path);
        return storeFailed(data);
    }
    if (hasFile)
        QFile::remove(aside);
    return {};
}

} // namespace tess
