// The score store: the players' score files and their in-memory table, the top-20 list, the totals,
// the session list, the favourites and the text report.
#pragma once

#include <array>
#include <functional>
#include <vector>

#include <QDate>
#include <QString>
#include <QStringList>

#include "store/scoreLines.h"

namespace tess
{

class cData;

// The two questions ClearStat puts to the user; the windows answer with message boxes.
class ScorePrompt
{
  public:
    virtual ~ScorePrompt() = default;
    // Question icon, Yes and No; true for Yes.
    virtual bool askYesNo(const QString &title, const QString &text) = 0;
    // Information icon.
    virtual void inform(const QString &title, const QString &text) = 0;
};

// A score file OpenAllScore left out, and why.
struct LeftOutFile {
    QString Player;
    QString Path;
    QString Reason;
    bool operator==(const LeftOutFile &) const = default;
};

// File failures throw ScoreFileError, texts a file cannot hold ScoreRefused, sums beyond 32 bits
// OverflowError; the only messages shown are ClearStat's, through the prompt.
class cScore
{
  public:
    static constexpr int kTopSize = 20;
    // The favourites are counted in 16 bits.
    static constexpr int kMaxFavs = INT16_MAX;
    // Positions 1 to 20 at indexes 0 to 19; an empty position holds an empty record.
    using TopList = std::array<ScoreRecord, kTopSize>;

    explicit cScore(cData &data);

    // ---- score files ----
    // Appends the current game of cData to the current player's file.
    void AddScore(i16 won);
    void Sort(const QString &gameName, const QString &playerName, i16 wonOnly);
    // Flags are true when -1; the callers set exactly one.
    void FinSort(i16 byTime, i16 byMoves);
    // Adds the player's records to what is loaded; a missing file adds nothing.
    void OpenScore(const QString &playerName);
    void CloseScore();
    // Loads every player's file. A file that cannot be read, or whose games would carry a total
    // past 32 bits, is left out and named in LeftOut(); the others still load.
    void OpenAllScore();
    // Asks first; with no prompt set nothing is deleted.
    void ClearStat();
    i32 ScoreTop() const { return static_cast<i32>(scores_.size()); }

    // ---- favourites ----
    void ClearFav();
    void OpenFav();
    // ScoreRefused when the file already holds kMaxFavs favourites.
    void AddFav(const QString &gameName, const GameNumber &gameNo);
    i16 FavTop() const { return favTop_; }
    void CloseFav();
    FavRecord GetFav(int index) const;

    // ---- session ----
    void AddSesGame(i16 won);
    i16 SesTop() const { return sesTop_; }
    ScoreRecord GetSesGame(int index) const;
    StatTotals GetSesTotals() const;

    // ---- the loaded table ----
    StatTotals GetTotals() const;
    StatTotals GetGameTotals(const QString &gameName) const;
    StatTotals GetPlayerTotals(const QString &playerName) const;
    // interval "d", "m" or "yyyy"; any other counts nothing and has an empty label.
    // std::invalid_argument when refDateText is no date.
    DateTotals GetDateTotals(const QString &refDateText, const QString &interval) const;
    ScoreRecord GetScore(i32 index) const;
    // The n-th loaded record of the game; an empty record when there are fewer.
    ScoreRecord GetGameScore(const QString &gameName, i32 n) const;
    ScoreRecord GetTop(int position) const;

    // ---- the loaded table, answered as values ----
    // The lists Sort and FinSort would build, returned instead of kept.
    TopList TopByScore(const QString &gameName, const QString &playerName, i16 wonOnly) const;
    TopList TopByKey(i16 byTime, i16 byMoves) const;
    // One calendar period per day (its day, month or year by interval), in one pass over the table.
    std::vector<DateTotals> PeriodTotals(const std::vector<QDate> &days, const QString &interval) const;
    // Totals per game name or per player name, in the order given, in one pass.
    std::vector<StatTotals> GameTotalsOf(const QStringList &gameNames) const;
    std::vector<StatTotals> PlayerTotalsOf(const QStringList &playerNames) const;
    // The game's first `limit` records in load order.
    std::vector<ScoreRecord> GameScores(const QString &gameName, i32 limit) const;
    // The whole table in load order.
    std::vector<ScoreRecord> Records() const { return scores_; }
    // Lines of the loaded files that hold no game (damaged or impossible figures), since the last
    // OpenAllScore or CloseScore.
    i32 SkippedLines() const { return skipped_; }
    // The files the last OpenAllScore left out, in player order; empty after CloseScore.
    std::vector<LeftOutFile> LeftOut() const { return leftOut_; }

    // ---- report ----
    // Replaces fileName with the report of the loaded table; an existing file is kept on failure.
    void WriteReport(const QString &fileName) const;

    void setPrompt(ScorePrompt *prompt) { prompt_ = prompt; }

    // The player's score file in the data folder; ScoreRefused for a name that cannot be one.
    QString ScoreFile(const QString &playerName) const;
    QString FavFile() const;
    // The names of the used player slots, in slot order, each once.
    QStringList Players() const;
    // True when the name can be a file stem inside the data folder.
    static bool isFileName(const QString &playerName);

  private:
    TopList topOf(const std::array<i32, kTopSize> &idx) const;
    // Appends one whole line or nothing; check, when given, sees the file's present content
    // first and may refuse by throwing.
    void appendLine(const QString &path, const QByteArray &line,
                    const std::function<void(const QByteArray &)> &check = {}) const;
    void ensureDataFolder() const;

    cData &data_;
    ScorePrompt *prompt_ = nullptr;
    std::vector<ScoreRecord> scores_;
    i32 skipped_ = 0;
    std::vector<LeftOutFile> leftOut_;
    std::array<ScoreRecord, kTopSize> top_;
    std::vector<FavRecord> favs_;
    i16 favTop_ = 0;
    std::vector<ScoreRecord> sesGames_;
    i16 sesTop_ = 0;
};

} // namespace tess
