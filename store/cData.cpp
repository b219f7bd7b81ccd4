#include "store/cData.h"

#include <algorithm>
#include <optional>
#include <stdexcept>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>

namespace tess
{

const QVector<SettingInfo> &settingTable()
{
    static const QVector<SettingInfo> table = {
        {Setting::Autoplay, "Autoplay", 1},
        {Setting::CustomColor, "CustomColor", 128},
        {Setting::ShowToolbar, "ShowToolbar", 1},
        {Setting::CardSpeed, "CardSpeed", 5},
        {Setting::UndoSpeed, "UndoSpeed", 5},
        {Setting::UndoallSpeed, "UndoallSpeed", 2},
        {Setting::ReplaySpeed, "ReplaySpeed", 7},
        {Setting::SoundStart, "SoundStart", -1},
        {Setting::SoundCardDown, "SoundCardDown", 0},
        {Setting::SoundCardUp, "SoundCardUp", 0},
        {Setting::SoundUndo, "SoundUndo", -1},
        {Setting::SoundRedo, "SoundRedo", -1},
        {Setting::SoundAutoPlay, "SoundAutoPlay", -1},
        {Setting::SoundWin, "SoundWin", -1},
        {Setting::ShowTime, "ShowTime", 1},
        {Setting::ShowScore, "ShowScore", 1},
        {Setting::ShowMoves, "ShowMoves", 1},
        {Setting::BGIndex, "BGIndex", 1007},
        {Setting::RangeIndex, "RangeIndex", 15},
        {Setting::DeckIndex, "DeckIndex", 531},
        {Setting::Fade, "Fade", 1},
        {Setting::FitTable, "FitTable", 1},
        {Setting::WinnableOnly, "WinnableOnly", 0},
        {Setting::DoubleClickHome, "DoubleClickHome", 0},
    };
    return table;
}

const SettingInfo &settingInfo(Setting s)
{
    return settingTable()[static_cast<int>(s)];
}

QString nowText()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString storeFailureMessage(const QString &file, const QString &reason)
{
    return QStringLiteral("The settings could not be saved to\n%1\n(%2).\n\n"
                          "They are kept while the program runs and saved with the next change once the "
                          "file can be written again.")
        .arg(QDir::toNativeSeparators(file), reason);
}

namespace
{

// The text of key in section as the line in the file holds it, for a value the store read as a
// list. Unquoted commas are what make a list; quotes and backslash escapes mean what they mean
// to the store. Empty when the line is not found.
std::optional<QString> lineText(const QString &file, const QString &section, const QString &key)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    std::optional<QString> found;
    bool inSection = false;
    for (const QByteArray &raw : f.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inSection = line == QLatin1Char('[') + section + QLatin1Char(']');
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (!inSection || eq < 0 || line.left(eq).trimmed() != key)
            continue;
        const QString value = line.mid(eq + 1).trimmed();
        QString text;
        bool quoted = false;
        for (qsizetype i = 0; i < value.size(); ++i) {
            const QChar c = value[i];
            if (c == QLatin1Char('"')) {
                quoted = !quoted;
            } else if (c == QLatin1Char('\\') && i + 1 < value.size()) {
                const QChar e = value[++i];
                static const QString from = QStringLiteral("abfnrtv");
                static const QString to = QStringLiteral("\a\b\f\n\r\t\v");
                const qsizetype k = from.indexOf(e);
                text += k >= 0 ? to[k] : e;
            } else {
                text += c;
            }
        }
        found = text; // the last line of a key is the one that counts
    }
    return found;
}

// Why path cannot be written, in the words of the file system where it has some.
QString whyUnwritable(const QString &path)
{
    const QFileInfo info(path);
    QString folder = info.absolutePath();
    while (!QFileInfo::exists(folder) && !QDir(folder).isRoot())
        folder = QFileInfo(folder).absolutePath();
    if (!QFileInfo(folder).isDir())
        return QStringLiteral("%1 is a file, not a folder").arg(QDir::toNativeSeparators(folder));
    if (!QDir().mkpath(info.absolutePath()))
        return QStringLiteral("the folder %1 cannot be made")
            .arg(QDir::toNativeSeparators(info.absolutePath()));
    QSaveFile probe(path);
    if (!probe.open(QIODevice::WriteOnly))
        return probe.errorString();
    probe.cancelWriting();
    QLockFile lock(path + QStringLiteral(".lock"));
    if (!lock.tryLock(0))
        return QStringLiteral("another program holds %1").arg(QDir::toNativeSeparators(lock.fileName()));
    return QStringLiteral("the file system refused the write");
}

} // namespace

cData::cData(const QString &configFile, const QString &dataRoot) : dataRoot_(dataRoot)
{
    QString path = configFile;
    if (path.isEmpty())
        path = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
               QStringLiteral("/Tessaline/Tessaline.conf");
    store_ = std::make_unique<QSettings>(path, QSettings::IniFormat);
}

cData::~cData()
{
    // Windows are gone or going: a last failure has nobody left to tell.
    listener_ = nullptr;
    flush();
}

QString cData::storeFile() const
{
    return store_->fileName();
}

bool cData::sync()
{
    return flush();
}

void cData::setSettingsListener(SettingsListener *listener)
{
    listener_ = listener;
    if (listener_ && !failure_.isEmpty() && !reported_) {
        reported_ = true;
        listener_->storeFailed(storeFile(), failure_);
    }
}

// Called after every change: a write costs one save of the file (well under a millisecond
// here), and the status check after it costs nothing.
bool cData::flush()
{
    store_->sync();
    if (store_->status() != QSettings::NoError) {
        // The store keeps its first error for good, so only a fresh one can tell whether this
        // try worked: it starts from the file as it is and takes every unsaved value again.
        const QString path = store_->fileName();
        store_.reset();
        store_ = std::make_unique<QSettings>(path, QSettings::IniFormat);
        for (auto it = unsaved_.cbegin(); it != unsaved_.cend(); ++it)
            store_->setValue(it.key(), it.value());
        store_->sync();
    }
    // A format error only says the old file was not a settings file; it was written over.
    if (store_->status() != QSettings::AccessError) {
        unsaved_.clear();
        failure_.clear();
        reported_ = false;
        return true;
    }
    if (failure_.isEmpty())
        failure_ = whyUnwritable(store_->fileName());
    if (listener_ && !reported_) {
        reported_ = true;
        listener_->storeFailed(storeFile(), failure_);
    }
    return false;
}

void cData::InitCD(const std::string &prodName, i16 totalGames, const std::string &helpFile)
{
    prodName_ = QString::fromStdString(prodName);
    totalGames_ = totalGames;
    helpFile_ = QString::fromStdString(helpFile);
    gameNames_ = QVector<QString>(totalGames + 1);
}

void cData::SetGame(i16 gid, const std::string &name)
{
    if (gid < 1 || gid >= gameNames_.size())
        throw IndexError("game id out of range: " + std::to_string(gid));
    gameNames_[gid] = QString::fromStdString(name);
}

QString cData::GetGName(i16 gid) const
{
    if (gid < 1 || gid >= gameNames_.size())
        throw IndexError("game id out of range: " + std::to_string(gid));
    return gameNames_[gid];
}

i16 cData::GetGameID(const QString &name) const
{
    for (int i = 1; i < gameNames_.size(); ++i)
        if (gameNames_[i] == name)
            return static_cast<i16>(i);
    return 0;
}

QString cData::readText(const char *section, const QString &key, const QString &def) const
{
    const QString full = QLatin1String(section) + QLatin1Char('/') + key;
    auto it = cache_.constFind(full);
    if (it != cache_.constEnd())
        return *it;
    if (absent_.contains(full))
        return def;
    QVariant v = store_->value(full);
    if (!v.isValid()) {
        absent_.insert(full, true);
        return def;
    }
    QString text;
    if (v.typeId() == QMetaType::QStringList) {
        // An unquoted comma in a hand-edited line reads as a list; every value here is text.
        text = lineText(store_->fileName(), QLatin1String(section), key)
                   .value_or(v.toStringList().join(QStringLiteral(", ")));
        // Held as text from now on, or the next save would write the list back in its own way.
        store_->setValue(full, text);
        unsaved_.insert(full, text);
    } else {
        text = v.toString();
    }
    cache_.insert(full, text);
    return text;
}

bool cData::writeText(const char *section, const QString &key, const QString &value)
{
    const QString full = QLatin1String(section) + QLatin1Char('/') + key;
    auto it = cache_.constFind(full);
    if (it != cache_.constEnd() && *it == value)
        return false;
    cache_.insert(full, value);
    absent_.remove(full);
    store_->setValue(full, value);
    unsaved_.insert(full, value);
    flush();
    return true;
}

void cData::changed(Setting s)
{
    if (listener_)
        listener_->settingChanged(s);
}

i16 cData::get(Setting s) const
{
    if (s == Setting::CustomColor)
        throw std::logic_error("CustomColor holds 24 bits; read it through CustomColor()");
    const SettingInfo &info = settingInfo(s);
    QString text = readText(keys::kData, QLatin1String(info.key), QString());
    bool ok = false;
    int v = text.trimmed().toInt(&ok);
    // Anything unreadable or outside 16 bits falls back to the default.
    if (!ok || v < INT16_MIN || v > INT16_MAX)
        return static_cast<i16>(info.defaultValue);
    switch (s) {
    case Setting::CardSpeed:
    case Setting::UndoSpeed:
    case Setting::UndoallSpeed:
    case Setting::ReplaySpeed:
        return static_cast<i16>(std::clamp(v, 0, kMaxSpeed));
    case Setting::RangeIndex:
        // A range of 0 or less would deal game 1 every time.
        if (v < 1 || v > kMaxRangeIndex)
            return static_cast<i16>(info.defaultValue);
        break;
    default:
        break;
    }
    return static_cast<i16>(v);
}

void cData::set(Setting s, i16 v)
{
    if (s == Setting::CustomColor)
        throw std::logic_error("CustomColor holds 24 bits; write it through SetCustomColor()");
    if (writeText(keys::kData, QLatin1String(settingInfo(s).key), QString::number(v)))
        changed(s);
}

i32 cData::CustomColor() const
{
    const SettingInfo &info = settingInfo(Setting::CustomColor);
    QString text = readText(keys::kData, QLatin1String(info.key), QString());
    bool ok = false;
    qint64 v = text.trimmed().toLongLong(&ok);
    if (!ok || v < INT32_MIN || v > INT32_MAX)
        return info.defaultValue;
    return static_cast<i32>(v);
}

void cData::SetCustomColor(i32 v)
{
    if (writeText(keys::kData, QLatin1String(settingInfo(Setting::CustomColor).key), QString::number(v)))
        changed(Setting::CustomColor);
}

QString cData::LastGName() const
{
    QString def = gameNames_.size() > 1 ? gameNames_[1] : QStringLiteral("Blind Alleys");
    return readText(keys::kData, QLatin1String(keys::kLastGName), def);
}

void cData::SetLastGName(const QString &name)
{
    writeText(keys::kData, QLatin1String(keys::kLastGName), name);
}

void cData::SetCurGName(const QString &name)
{
    curGName_ = name;
    SetLastGName(name);
}

QString cData::CurPlayer() const
{
    return readText(keys::kUsers, QLatin1String(keys::kCurrentPlayer), QString());
}

void cData::SetCurPlayer(const QString &name)
{
    if (writeText(keys::kUsers, QLatin1String(keys::kCurrentPlayer), name) && listener_)
        listener_->playerChanged();
}

i16 cData::TotalPlayers() const
{
    i16 n = 0;
    for (int i = 1; i <= kMaxPlayers; ++i)
        if (!GetPlayer(static_cast<i16>(i)).isEmpty())
            ++n;
    return n;
}

QString cData::GetPlayer(i16 slot) const
{
    return readText(keys::kUsers, QString::number(slot), QString());
}

void cData::SetPlayer(i16 slot, const QString &name, bool makeCurrent)
{
    if (slot < 1 || slot > kMaxPlayers)
        throw IndexError("player slot out of range: " + std::to_string(slot));
    writeText(keys::kUsers, QString::number(slot), name);
    if (makeCurrent)
        SetCurPlayer(name);
}

QStringList cData::PlayerList() const
{
    QStringList names;
    for (int slot = 1; slot <= kMaxPlayers; ++slot) {
        const QString name = GetPlayer(static_cast<i16>(slot));
        if (!name.isEmpty() && !names.contains(name))
            names << name;
    }
    return names;
}

QString cData::GetRecent(i16 pos) const
{
    return readText(keys::kRecent, QString::number(pos), QString());
}

void cData::SetRecent(const QString &gName)
{
    if (gName == GetRecent(1))
        return;
    for (int i = kRecentCount; i >= 2; --i)
        writeText(keys::kRecent, QString::number(i), GetRecent(static_cast<i16>(i - 1)));
    writeText(keys::kRecent, QStringLiteral("1"), gName);
}

i16 cData::RecentCount() const
{
    i16 n = 0;
    for (int i = 1; i <= kRecentCount; ++i)
        if (!GetRecent(static_cast<i16>(i)).isEmpty())
            ++n;
    return n;
}

void cData::ClearRecent()
{
    for (int i = 1; i <= kRecentCount; ++i)
        writeText(keys::kRecent, QString::number(i), QString());
}

QString cData::AppDir() const
{
    QString base = dataRoot_;
    if (base.isEmpty())
        base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return base + QLatin1Char('/') + prodName_ + QLatin1Char('/');
}

void cData::PlaySound(const QString &name)
{
    struct Kind {
        const char *name;
        Setting setting;
    };
    static const Kind kinds[] = {
        {"Start", Setting::SoundStart},       {"CardUp", Setting::SoundCardUp},
        {"CardDown", Setting::SoundCardDown}, {"AutoPlay", Setting::SoundAutoPlay},
        {"Undo", Setting::SoundUndo},         {"Redo", Setting::SoundRedo},
        {"Win", Setting::SoundWin},
    };
    // Redo has no sound of its own; it borrows the undo sound.
    const QString resource = name == QLatin1String("Redo") ? QStringLiteral("UNDO") : name.toUpper();
    for (const Kind &k : kinds) {
        if (name == QLatin1String(k.name) && get(k.setting) == -1) {
            if (sound_)
                sound_->play(resource);
        }
    }
}

void cData::ShowRules(const QString &gName)
{
    if (help_)
        help_->showTopic(helpFile_, GetGameID(gName), true);
}

void cData::ShowContents()
{
    if (help_)
        help_->showTopic(helpFile_, 0, false);
}

} // namespace tess
