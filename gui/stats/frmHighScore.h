// The High Score window: the top twenty overall, per game, per player and of won games.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>

#include "app/stores.h"
#include "store/cScore.h"

namespace tess
{

class frmHighScore : public QDialog
{
    Q_OBJECT
  public:
    explicit frmHighScore(Stores stores, QWidget *parent = nullptr);
    ~frmHighScore() override;

    QTabWidget *SSTab1 = nullptr;
    QTreeWidget *lvTop = nullptr;
    QGroupBox *Frame1 = nullptr;
    QComboBox *imcGames = nullptr;
    QTreeWidget *lvGames = nullptr;
    QGroupBox *Frame2 = nullptr;
    QComboBox *imcPlayer = nullptr;
    QTreeWidget *lvPlayer = nullptr;
    QGroupBox *Frame3 = nullptr;
    QComboBox *imcFin = nullptr;
    QTreeWidget *lvFin = nullptr;
    QPushButton *cmdClose = nullptr;

  public slots:
    void ShowTop();
    void ShowGameTop(const QString &gameName);
    void ShowPlayerTop(const QString &playerName);
    // "Score", "Moves" or "Time".
    void ShowFinished(const QString &order);

  private:
    Stores stores_;
};

} // namespace tess
