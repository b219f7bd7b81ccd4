// Choosing what to play: the Select Game dialog and the Select a Game Number dialog.
#pragma once

#include <functional>

#include <QComboBox>
#include <QDialog>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "app/startGame.h"
#include "model/gameNumber.h"

namespace tess
{

class cData;

// Starts a game of that name with a number drawn the way every random deal is drawn.
using DrawGameFn = std::function<void(const QString &name)>;

// Fills a player list: the used slots in order, the current player selected.
void fillPlayers(QComboBox *list, const cData &data);
// The small picture of a player in every list of players.
QIcon playerIcon();

class frmSelect : public QDialog
{
    Q_OBJECT
  public:
    frmSelect(cData &data, DrawGameFn start, QWidget *parent = nullptr);

    QTreeWidget *TreeView1 = nullptr;
    QComboBox *imcPlayer = nullptr;
    QLabel *lblName = nullptr;
    QLabel *imgPick = nullptr;
    QPushButton *cmdPlay = nullptr, *cmdRules = nullptr, *cmdCancel = nullptr;

    void Play();

  private:
    void showNode(QTreeWidgetItem *node);
    QTreeWidgetItem *root_ = nullptr;
    cData &data_;
    DrawGameFn start_;
};

class frmChoose : public QDialog
{
    Q_OBJECT
  public:
    frmChoose(cData &data, StartGameFn start, QWidget *parent = nullptr);

    QLabel *lblName = nullptr;
    QLabel *lblRange = nullptr;
    QLineEdit *Text1 = nullptr;
    QComboBox *imcGames = nullptr;
    QComboBox *imcPlayer = nullptr;
    QPushButton *cmdSelect = nullptr, *cmdCancel = nullptr;

    void Select();
    // The typed text when it is a number inside the range; nothing otherwise.
    static bool accepts(const QString &text, int rangeIndex);
    // The largest number of the range with thousands separators ("99,999").
    static QString largestText(int rangeIndex);

  private:
    cData &data_;
    StartGameFn start_;
};

} // namespace tess
