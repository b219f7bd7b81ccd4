// The Game Statistics window: the summary, per game, per period and per player, with charts.
#pragma once

#include <functional>

#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>

#include "app/stores.h"
#include "gui/stats/statView.h"

namespace tess
{

class frmGameStat : public QDialog
{
    Q_OBJECT
  public:
    // Loads every score file; the table is emptied again when the window goes.
    explicit frmGameStat(Stores stores, QWidget *parent = nullptr, Clock now = systemClock());
    ~frmGameStat() override;

    QTabWidget *SSTab1 = nullptr;
    QGroupBox *Frame2 = nullptr;
    QTreeWidget *lvGeneral = nullptr;
    StatChart *chGen = nullptr;
    StatChart *chGen1 = nullptr;
    QGroupBox *Frame1 = nullptr;
    QTreeWidget *lvGames = nullptr;
    QComboBox *imcGames = nullptr;
    StatChart *chGames = nullptr;
    StatChart *chGames1 = nullptr;
    QGroupBox *Frame3 = nullptr;
    QTreeWidget *lvDate = nullptr;
    QComboBox *imcDate = nullptr;
    StatChart *chDate = nullptr;
    StatChart *chDate1 = nullptr;
    QGroupBox *Frame4 = nullptr;
    QComboBox *imcPlayer = nullptr;
    QTreeWidget *lvPlayer = nullptr;
    StatChart *chPlayer = nullptr;
    StatChart *chPlayer1 = nullptr;
    QLabel *lblSkipped = nullptr; // lines of the score files that hold no game
    QPushButton *cmdClear = nullptr;
    QPushButton *cmdExport = nullptr;
    QPushButton *cmdClose = nullptr;

    static constexpr int kGameChartRecords = 50;

  public slots:
    void ShowGame(const QString &gameName);
    void ShowDates(const QString &key, const QString &interval);
    void ShowPlayer(const QString &playerName);
    void imcGames_Click();
    void imcDate_Click();
    void imcPlayer_Click();
    void cmdClear_Click();
    void cmdExport_Click();

  private:
    void fillSummary();
    void fillGames();
    void fillDateCombo();
    void fillPlayers();
    void showSkipped();
    void guarded(const std::function<void()> &fn);

    Stores stores_;
    Clock now_;
};

} // namespace tess
