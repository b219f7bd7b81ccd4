// The game-won dialog: the figures, a small chart, the win sound, and what next.
#pragma once

#include <functional>

#include <QBarSet>
#include <QChartView>
#include <QDialog>
#include <QGroupBox>
#include <QListWidget>
#include <QToolBar>

namespace tess
{

class cData;

class frmFinish : public QDialog
{
    Q_OBJECT
  public:
    // Loading fills the dialog from the current figures, plays "Win" and records the game
    // through endGame (the won game's EndGame, with exactly the figures shown).
    frmFinish(cData &data, std::function<void()> endGame, QWidget *parent = nullptr);

    QGroupBox *Frame1 = nullptr;
    QListWidget *ListView1 = nullptr;
    QChartView *chFin = nullptr;
    QBarSet *chartRow = nullptr; // the one data row: score, moves, time
    QToolBar *Toolbar1 = nullptr;

    // The key of the button that closed the dialog ("New", "Select", "Restart", "Close").
    QString chosen() const { return chosen_; }
    QAction *button(const QString &key) const;

    // "Statistics" and "Highscore" open these over the dialog, which stays open.
    std::function<void(QWidget *owner)> openStatistics;
    std::function<void(QWidget *owner)> openHighScore;

  protected:
    void closeEvent(QCloseEvent *ev) override;

  private:
    void onButton(const QString &key);
    QString chosen_ = QStringLiteral("Close");
};

} // namespace tess
