// The Log Statistics window: every recorded game, filtered by player, game and period.
#pragma once

#include <vector>

#include <QAbstractTableModel>
#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QTreeView>

#include "app/stores.h"
#include "gui/stats/statView.h"

namespace tess
{

// The rows of the log: the shown records of the window's table, formatted only when drawn.
class LogModel : public QAbstractTableModel
{
    Q_OBJECT
  public:
    // `records` outlives the model; `shown` indexes it.
    LogModel(const std::vector<ScoreRecord> &records, QObject *parent = nullptr);
    void setRows(std::vector<i32> shown);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    const std::vector<ScoreRecord> &records_;
    std::vector<i32> shown_;
    QIcon icon_;
};

// The period keys: "t", "3d", "7d", "30d", "3m", "5m"; an empty key is "Show All".
// A record with no readable date, or dated after today, is in no period.
bool inPeriod(const ScoreRecord &r, const QString &key, const QDate &today);

class frmLogStat : public QDialog
{
    Q_OBJECT
  public:
    explicit frmLogStat(Stores stores, QWidget *parent = nullptr, Clock now = systemClock());
    ~frmLogStat() override;

    QComboBox *imcPlayer = nullptr;
    QComboBox *imcGames = nullptr;
    QComboBox *imcDate = nullptr;
    QTreeView *lvLog = nullptr;
    LogModel *logRows = nullptr;
    QPushButton *cmdClose = nullptr;

  public slots:
    void FillLog();

  private:
    Stores stores_;
    Clock now_;
    std::vector<ScoreRecord> records_; // the table as loaded, in load order
};

} // namespace tess
