// Play from Favorites: pick a game and one of its stored numbers, and deal it.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QTreeWidget>

#include "app/startGame.h"
#include "app/stores.h"

namespace tess
{

class frmPlayFav : public QDialog
{
    Q_OBJECT
  public:
    // Reads the favourites file; a file that cannot be read throws. start deals the game and
    // shows the reason itself when the number cannot be dealt.
    frmPlayFav(Stores stores, StartGameFn start, QWidget *parent = nullptr);

    QComboBox *imcGames = nullptr;
    QTreeWidget *lvFav = nullptr;
    QPushButton *cmdPlay = nullptr, *cmdCancel = nullptr;

    void UpdateLVFav(const QString &gameName);
    void Play();

  private:
    Stores stores_;
    StartGameFn start_;
};

} // namespace tess
