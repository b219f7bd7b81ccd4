// Organize Favorites: the favourites of each game, and clearing them all.
#pragma once

#include <QDialog>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include "app/stores.h"

namespace tess
{

class frmOrgFav : public QDialog
{
    Q_OBJECT
  public:
    // Reads the favourites file; a file that cannot be read throws.
    explicit frmOrgFav(Stores stores, QWidget *parent = nullptr);

    QTreeWidget *lvGames = nullptr;
    QTreeWidget *lvFav = nullptr;
    QPushButton *cmdClear = nullptr, *cmdClose = nullptr;
    QTimer Timer1;

    void UpdateLVFav(const QString &gameName);
    // Deletes the favourites of every game.
    void Clear();
    // The timer's work: the button follows whether any favourite is left.
    void Tick();

  private:
    Stores stores_;
};

} // namespace tess
