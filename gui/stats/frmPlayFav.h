// Play from Favorites: pick a game and one of its stored numbers, and deal it.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QTreeWidget>

#include "app/startGame.h"

namespace tess
{

struct Shared;

class frmPlayFav : public QDialog
{
    Q_OBJECT
  public:
    // Reads the favourites file; a file that cannot be read throws. start deals the game and
    // shows the reason itself when the number cannot be dealt.
    frmPlayFav(Shared &shared, StartGameFn start, QWidget *parent = nullptr);

    QComboBox *imcGames = nullptr;
    QTreeWidget *lvFav = nullptr;
    QPushButton *cmdPlay = nullptr, *cmdCancel = nullptr;

    void UpdateLVFav(const QString &gameName);
    void Play();

  private:
    Shared &shared_;
    StartGameFn start_;
};

} // namespace tess
