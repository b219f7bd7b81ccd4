// The game history: one row per logged move, the current one marked, the undone ones dimmed.
#pragma once

#include <QDialog>
#include <QImage>
#include <QPushButton>
#include <QTreeWidget>

#include "play/engine.h"

namespace tess
{

class frmHistory : public QDialog, public LogListener
{
    Q_OBJECT
  public:
    explicit frmHistory(Engine &engine, QWidget *parent = nullptr);
    ~frmHistory() override;

    // Fills lvHistory from the log as it stands.
    void CreateLV();
    // A replay may walk the log while the window is open.
    void logChanged() override { CreateLV(); }
    void engineGone() override { e_ = nullptr; }

    QTreeWidget *lvHistory = nullptr;
    QPushButton *cmdClose = nullptr;
    QImage ImageList1; // the row picture

  private:
    Engine *e_;
};

// "Tableau (Pile 2, Card 1)": piles and positions counted from 1.
QString PlaceText(int cell, int pile, int pos);

} // namespace tess
