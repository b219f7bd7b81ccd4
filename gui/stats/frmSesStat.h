// The Session Statistics window: the games of this run, their totals and charts, and the
// figures of the game in progress, refreshed twice a second.
#pragma once

#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>

#include "app/stores.h"
#include "gui/stats/statView.h"

namespace tess
{

class frmSesStat : public QDialog
{
    Q_OBJECT
  public:
    explicit frmSesStat(Stores stores, QWidget *parent = nullptr, Clock now = systemClock());

    QTabWidget *SSTab1 = nullptr;
    QGroupBox *Frame1 = nullptr;
    QLabel *lblSesStarted = nullptr;
    QLabel *lblSesPlayed = nullptr;
    QLabel *lblSesWon = nullptr;
    QLabel *lblSesLost = nullptr;
    QLabel *lblsesScore = nullptr;
    QLabel *lblSesMoves = nullptr;
    QLabel *lblSesElapsedTime = nullptr;
    QGroupBox *Frame2 = nullptr;
    QLabel *lblGameStarted = nullptr;
    QLabel *lblGameName = nullptr;
    QLabel *lblGameNo = nullptr;
    QLabel *lblGameScore = nullptr;
    QLabel *lblGameMoves = nullptr;
    QLabel *lblGameTime = nullptr;
    QLabel *lblPlayer = nullptr;
    QTreeWidget *lvSession = nullptr;
    QGroupBox *Frame3 = nullptr;
    QPushButton *cmdRefresh = nullptr;
    QTreeWidget *lvSesChart = nullptr;
    StatChart *chChart = nullptr;
    StatChart *chSummary = nullptr;
    QPushButton *cmdClose = nullptr;
    QTimer Timer1;

    // Score, Moves, Time of each session game, and a last row for the game in progress
    // (empty without one).
    ChartTable ChartRows;

    static const QColor kRunningColour;

  public slots:
    void Timer1_Timer();
    void cmdRefresh_Click();

  private:
    QString elapsedText() const;
    void giveChart();

    Stores stores_;
    Clock now_;
};

} // namespace tess
