// The life of a game inside one run: start, end and record, the score and the clock.
#pragma once

#include <functional>
#include <stdexcept>

#include <QDateTime>
#include <QString>

#include "app/shared.h"

namespace tess
{

// What the session needs from the main window.
class SessionUi
{
  public:
    virtual ~SessionUi() = default;
    virtual void setCaption(const QString &caption) = 0;
    virtual void refreshRecentMenu() = 0;
    // Every card is home: open the game-won dialog (which ends the game itself).
    virtual void showGameWon() = 0;
    // A game is on the table and running.
    virtual void gameStarted() {}
    // The game has ended, won or not: nothing may walk its log any more.
    virtual void gameEnded() {}
};

// A game could not be started or recorded; the text is for the user.
class SessionError : public std::runtime_error
{
  public:
    explicit SessionError(const QString &what) : std::runtime_error(what.toStdString()) {}
};

class Session : public EngineHost
{
  public:
    Session(Shared &shared, SessionUi *ui);

    // The steps of the set-up that need no window: start time, data folder, first player.
    void SetUpSession();
    // Refuses an unknown game or a number that is not a game number before anything changes.
    void StartNewGame(const QString &name, const GameNumber &number);
    // Records the game with the figures of this instant, or, when they were already taken and
    // shown to the player, with exactly those.
    void EndGame(i16 won, bool figuresTaken = false);
    i16 ComputeScore() const;
    i32 ElapsedGameSeconds() const;
    QString Caption() const;
    // The 500 ms refresh of the figures EndGame records.
    void Tick();
    // The figures as they stand this instant, so a game ends with its true count.
    void RefreshFigures();

    bool gameRunning() const override { return shared_.Data->GameRunning; }
    i16 autoplaySetting() const override { return shared_.Data->Autoplay(); }
    void gameWon() override;

    // The clock game time is read from.
    std::function<QDateTime()> clock = &QDateTime::currentDateTime;

  private:
    Shared &shared_;
    SessionUi *ui_;
};

// Parses the start-time text back to a moment; invalid text gives an invalid QDateTime.
QDateTime parseTimeText(const QString &text);

} // namespace tess
