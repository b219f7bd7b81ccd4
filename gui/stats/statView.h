// What the statistics windows share: the bar chart, the small icons, list and text helpers.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include <QChartView>
#include <QComboBox>
#include <QDateTime>
#include <QIcon>
#include <QStringList>
#include <QTreeWidget>

#include "store/scoreLines.h"

namespace tess
{

// The present moment; the windows take one so that their periods can be tested on any day.
using Clock = std::function<QDateTime()>;
Clock systemClock();

// Rows by columns of number-or-empty cells.
using ChartTable = std::vector<std::vector<std::optional<double>>>;

// A bar chart given a table and a label per column. A one-row table gives one bar per column,
// labelled on the axis; more rows give one bar group per row with the columns in the legend.
// A negative value stands as a zero-height bar: the lists beside the chart show the true figure.
class StatChart : public QChartView
{
    Q_OBJECT
  public:
    explicit StatChart(const QString &objectName, QWidget *parent = nullptr);

    // rowLabels name the rows on the axis; without them rows are numbered from firstRow.
    void setTable(const ChartTable &rows, const QStringList &columnLabels, const QStringList &rowLabels = {},
                  int firstRow = 1);
    const ChartTable &table() const { return rows_; }
    const QStringList &columnLabels() const { return labels_; }

  private:
    ChartTable rows_;
    QStringList labels_;
};

// The windows' small icons: 1 summary, games and periods; 2 recorded games; 3 game and period
// rows; 4 players.
QIcon statIcon(int index);

// The seconds-to-"h:mm:ss" text.
QString durationText(i32 seconds);
// A rounded value as shown: at most 15 significant digits, no trailing zeros, the user's
// decimal separator.
QString roundedText(double value);
// A value rounded to two decimals, halves to even.
double round2(double value);
// The record's date alone in the user's short form; the stored text when it is no date.
QString shortDate(const ScoreRecord &r);

// A report-style list with the given headers, no sorting, whole-row selection.
QTreeWidget *makeList(const QString &objectName, const QStringList &headers, QWidget *parent);
// A row: icon, text and the sub-items after it.
QTreeWidgetItem *addRow(QTreeWidget *list, int icon, const QStringList &texts);
// Each column as wide as its header and its texts, the last one stretched to the list's edge.
void fitColumns(QTreeView *list);
QComboBox *makeCombo(const QString &objectName, QWidget *parent);

} // namespace tess
