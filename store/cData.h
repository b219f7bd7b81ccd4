// The application-data object: product facts, the game-name table, the current game,
// and every persistent setting (INI store, written through an in-memory cache).
#pragma once

#include <memory>

#include <QHash>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QVector>

#include "model/catalogue.h"
#include "model/gameNumber.h"

namespace tess
{

// Every stored key, named once; users' files hold these names forever.
enum class Setting {
    Autoplay,
    CustomColor,
    ShowToolbar,
    CardSpeed,
    UndoSpeed,
    UndoallSpeed,
    ReplaySpeed,
    SoundStart,
    SoundCardDown,
    SoundCardUp,
    SoundUndo,
    SoundRedo,
    SoundAutoPlay,
    SoundWin,
    ShowTime,
    ShowScore,
    ShowMoves,
    BGIndex,
    RangeIndex,
    DeckIndex,
    Fade,
    FitTable,
    WinnableOnly,
    DoubleClickHome,
};

struct SettingInfo {
    Setting id;
    const char *key;
    int defaultValue;
};
const QVector<SettingInfo> &settingTable();
const SettingInfo &settingInfo(Setting s);

namespace keys
{
inline constexpr const char *kData = "Data";
inline constexpr const char *kUsers = "Users";
inline constexpr const char *kRecent = "Recent";
inline constexpr const char *kLastGName = "LastGName";
inline constexpr const char *kCurrentPlayer = "100";
} // namespace keys

constexpr int kMaxPlayers = 20;
constexpr int kRecentCount = 5;
// Animation speeds are step counts between 0 and the Customize sliders' end; a hand-edited
// store could otherwise stall input for minutes a card.
constexpr int kMaxSpeed = 50;
// Random and typed game numbers lie below 10 to this power at most.
constexpr int kMaxRangeIndex = 15;

// Where sounds go; the windows supply a real player, tests a recorder.
class SoundSink
{
  public:
    virtual ~SoundSink() = default;
    // resource is the upper-case WAVE name, e.g. "UNDO"; called only when the sound is on.
    virtual void play(const QString &resource) = 0;
};

// Where help requests go: context 0 = contents page, otherwise a game's rules page.
class HelpSink
{
  public:
    virtual ~HelpSink() = default;
    virtual void showTopic(const QString &helpFile, int context, bool popup) = 0;
};

// Who hears of a setting whose stored value changed; the window that owns the table
// repaints what depends on it, so no dialog needs to know that window.
class SettingsListener
{
  public:
    virtual ~SettingsListener() = default;
    virtual void settingChanged(Setting s) = 0;
    // The current player's name: chosen anew or renamed.
    virtual void playerChanged() {}
    // The store file could not be written; told once until a write succeeds again. What was
    // set meanwhile is kept in memory and written with the next write that succeeds.
    virtual void storeFailed(const QString &file, const QString &reason)
    {
        (void)file;
        (void)reason;
    }
};

class cData : public GameRegistry
{
  public:
    // Both paths may be empty: the user's config file and data folder are used then.
    explicit cData(const QString &configFile = QString(), const QString &dataRoot = QString());
    ~cData() override;

    // Product facts and the game-name table.
    void InitCD(const std::string &prodName, i16 totalGames, const std::string &helpFile) override;
    void SetGame(i16 gid, const std::string &name) override;
    QString ProdName() const { return prodName_; }
    i16 TotalGames() const { return totalGames_; }
    QString HelpFile() const { return helpFile_; }
    QString GetGName(i16 gid) const;
    i16 GetGameID(const QString &name) const;

    // Persistent settings of section "Data". The generic pair holds 16 bits, too few for
    // the colour: it refuses CustomColor (std::logic_error), which has its own pair.
    i16 get(Setting s) const;
    void set(Setting s, i16 v);
    i32 CustomColor() const;
    void SetCustomColor(i32 v);
    QString LastGName() const;
    void SetLastGName(const QString &name);

    i16 Autoplay() const { return get(Setting::Autoplay); }
    void SetAutoplay(i16 v) { set(Setting::Autoplay, v); }
    i16 ShowToolbar() const { return get(Setting::ShowToolbar); }
    void SetShowToolbar(i16 v) { set(Setting::ShowToolbar, v); }
    // 1 scales the table to the play area; 0 keeps it at its design size.
    i16 FitTable() const { return get(Setting::FitTable); }
    void SetFitTable(i16 v) { set(Setting::FitTable, v); }
    // 1: a double click on a card that may go to a foundation sends it there.
    i16 DoubleClickHome() const { return get(Setting::DoubleClickHome); }
    void SetDoubleClickHome(i16 v) { set(Setting::DoubleClickHome, v); }
    i16 CardSpeed() const { return get(Setting::CardSpeed); }
    i16 UndoSpeed() const { return get(Setting::UndoSpeed); }
    i16 UndoallSpeed() const { return get(Setting::UndoallSpeed); }
    i16 ReplaySpeed() const { return get(Setting::ReplaySpeed); }
    i16 ShowTime() const { return get(Setting::ShowTime); }
    i16 ShowScore() const { return get(Setting::ShowScore); }
    i16 ShowMoves() const { return get(Setting::ShowMoves); }
    i16 BGIndex() const { return get(Setting::BGIndex); }
    i16 RangeIndex() const { return get(Setting::RangeIndex); }
    i16 DeckIndex() const { return get(Setting::DeckIndex); }
    i16 Fade() const { return get(Setting::Fade); }
    // New Game deals only numbers the solver proves winnable.
    i16 WinnableOnly() const { return get(Setting::WinnableOnly); }
    void SetWinnableOnly(i16 v) { set(Setting::WinnableOnly, v); }

    // Players and the recent list.
    QString CurPlayer() const;
    void SetCurPlayer(const QString &name);
    i16 TotalPlayers() const;
    QString GetPlayer(i16 slot) const;
    // IndexError for a slot outside 1..20: nothing is written.
    void SetPlayer(i16 slot, const QString &name, bool makeCurrent);
    // The players as every window and the score store list them: the used slots in slot
    // order, each name once. Free slots may lie between used ones.
    QStringList PlayerList() const;
    QString GetRecent(i16 pos) const;
    void SetRecent(const QString &gName);
    i16 RecentCount() const;
    void ClearRecent();

    // The data folder, recomputed on every read; ends with a separator.
    QString AppDir() const;

    // The current game (not persisted).
    bool GameRunning = false;
    GameNumber CurGNo;
    i32 CurTime = 0;
    i16 CurMoves = 0;
    i16 CurScore = 0;
    QString SesStartTime;
    QString GameStartTime;
    QString CurGName() const { return curGName_; }
    void SetCurGName(const QString &name);

    // Sounds and help: the rules here, the output through the sinks.
    void setSoundSink(SoundSink *sink) { sound_ = sink; }
    void setHelpSink(HelpSink *sink) { help_ = sink; }
    // Told after a stored setting of section "Data" took a different value, and of a store
    // that cannot be written (at once, when that began before it listened).
    void setSettingsListener(SettingsListener *listener);
    void PlaySound(const QString &name);
    void ShowRules(const QString &gName);
    void ShowContents();

    // The store file itself, for the program's messages.
    QString storeFile() const;
    // Writes everything set so far to the store file; false when it could not be written.
    bool sync();
    // Why the store file cannot be written; empty while it can.
    QString storeFailure() const { return failure_; }

  private:
    QString readText(const char *section, const QString &key, const QString &def) const;
    // True when the stored text changed.
    bool writeText(const char *section, const QString &key, const QString &value);
    void changed(Setting s);
    bool flush();

    std::unique_ptr<QSettings> store_;
    mutable QHash<QString, QString> cache_;   // "Section/Key" -> stored text
    mutable QHash<QString, bool> absent_;     // keys known to be missing from the store
    mutable QHash<QString, QString> unsaved_; // set, not yet in the file
    QString failure_;
    bool reported_ = false;
    QString dataRoot_;
    QString prodName_ = QStringLiteral("Tessaline");
    i16 totalGames_ = 0;
    QString helpFile_;
    QVector<QString> gameNames_;
    QString curGName_;
    SoundSink *sound_ = nullptr;
    HelpSink *help_ = nullptr;
    SettingsListener *listener_ = nullptr;
};

// Current date and time as the text the start times and score files hold.
QString nowText();

// What the player reads when the store file cannot be written.
QString storeFailureMessage(const QString &file, const QString &reason);

} // namespace tess
