#include "app/session.h"

#include <algorithm>

#include <QDateTime>
#include <QDir>

#include "play/cTrans.h"

namespace tess
{

QDateTime parseTimeText(const QString &text)
{
    return QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

Session::Session(Shared &shared, SessionUi *ui) : shared_(shared), ui_(ui)
{
    shared_.Eng->setHost(this);
}

void Session::SetUpSession()
{
    cData &d = *shared_.Data;
    d.SesStartTime = nowText();
    // Parents too: a fresh account may lack the whole data folder chain.
    QDir().mkpath(d.AppDir());
    if (d.TotalPlayers() == 0)
        d.SetPlayer(1, QStringLiteral("Player1"), true);
}

QString Session::Caption() const
{
    const cData &d = *shared_.Data;
    return d.ProdName() + QStringLiteral(" [") + d.CurGName() + QStringLiteral("] [") + d.CurPlayer() +
           QStringLiteral("] [") + QString::fromStdString(d.CurGNo.display()) + QStringLiteral("]");
}

void Session::StartNewGame(const QString &name, const GameNumber &number)
{
    cData &d = *shared_.Data;
    Engine &e = *shared_.Eng;
    if (catalogue::GameId(name.toStdString()) == 0)
        throw SessionError(QStringLiteral("\"%1\" is not a game of this program.").arg(name));
    const auto value = number.tryValue();
    if (!value)
        throw SessionError(
            QStringLiteral("\"%1\" is not a game number.").arg(QString::fromStdString(number.display())));

    if (d.GameRunning)
        EndGame(0);
    d.SetRecent(name);
    if (ui_)
        ui_->refreshRecentMenu();
    d.CurGNo = number;
    d.SetCurGName(name);
    if (ui_)
        ui_->setCaption(Caption());
    e.NewGame(name.toStdString(), *value);
    d.GameRunning = true;
    d.GameStartTime = nowText();
    // The figures of the game before must never be recorded for this one.
    d.CurTime = 0;
    d.CurMoves = e.Trans->GetTransID();
    d.CurScore = ComputeScore();
    if (ui_)
        ui_->gameStarted();
}

void Session::RefreshFigures()
{
    cData &d = *shared_.Data;
    if (!d.GameRunning)
        return;
    d.CurTime = ElapsedGameSeconds();
    d.CurMoves = shared_.Eng->Trans->GetTransID();
    d.CurScore = ComputeScore();
}

void Session::EndGame(i16 won, bool figuresTaken)
{
    cData &d = *shared_.Data;
    // The last tick may be half a second old: a win's cascade of moves would go unrecorded.
    if (!figuresTaken)
        RefreshFigures();
    QString failure;
    try {
        shared_.Score->AddScore(won);
    } catch (const std::exception &ex) {
        failure = QString::fromStdString(ex.what());
    }
    shared_.Score->AddSesGame(won);
    d.GameRunning = false;
    if (ui_)
        ui_->gameEnded();
    shared_.Eng->HideAll();
    if (!failure.isEmpty())
        throw SessionError(
            QStringLiteral("The game could not be written to the score file: %1").arg(failure));
}

i16 Session::ComputeScore() const
{
    const cData &d = *shared_.Data;
    if (!d.GameRunning)
        return 0;
    const double score = 10.0 * shared_.Eng->Array.TotalGoalCards() -
                         (static_cast<double>(d.CurTime) / 3.0 + d.CurMoves / 2.0);
    // A day-long game would leave 16 bits: hold the nearest value that fits.
    const long long rounded = roundHalfEven(score);
    return static_cast<i16>(std::clamp<long long>(rounded, INT16_MIN, INT16_MAX));
}

i32 Session::ElapsedGameSeconds() const
{
    const cData &d = *shared_.Data;
    if (!d.GameRunning)
        return 0;
    const QDateTime start = parseTimeText(d.GameStartTime);
    if (!start.isValid())
        return 0;
    return static_cast<i32>(std::max<qint64>(0, start.secsTo(clock())));
}

void Session::Tick()
{
    cData &d = *shared_.Data;
    if (!d.GameRunning)
        return;
    d.CurScore = ComputeScore();
    d.CurTime = ElapsedGameSeconds();
    d.CurMoves = shared_.Eng->Trans->GetTransID();
}

void Session::gameWon()
{
    if (ui_)
        ui_->showGameWon();
    else
        EndGame(1);
}

} // namespace tess
