#include "gui/stats/statView.h"

#include <algorithm>
#include <cmath>

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QHeaderView>
#include <QLegend>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QValueAxis>

#include "gui/table/artKit.h"
#include "model/numeric.h"
#include "play/mFunc.h"

namespace tess
{

Clock systemClock()
{
    return [] { return QDateTime::currentDateTime(); };
}

namespace
{

const QColor kColumnColours[] = {QColor(46, 125, 80), QColor(52, 101, 164), QColor(196, 120, 24),
                                 QColor(150, 60, 60)};

} // namespace

StatChart::StatChart(const QString &objectName, QWidget *parent) : QChartView(parent)
{
    setObjectName(objectName);
    setRenderHint(QPainter::Antialiasing);
    setMinimumSize(240, 170);
    setTable({}, {});
}

void StatChart::setTable(const ChartTable &rows, const QStringList &columnLabels,
                         const QStringList &rowLabels, int firstRow)
{
    rows_ = rows;
    labels_ = columnLabels;
    auto *chart = new QChart;
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(2, 2, 2, 2));
    auto *series = new QBarSeries;
    double top = 0;
    auto shown = [&](const std::optional<double> &v) {
        const double h = std::max(0.0, v.value_or(0.0));
        top = std::max(top, h);
        return h;
    };
    const bool oneRow = rows.size() == 1;
    if (oneRow) {
        auto *set = new QBarSet(QString());
        set->setColor(kColumnColours[0]);
        set->setLabelColor(Qt::black);
        for (const auto &cell : rows[0])
            *set << shown(cell);
        series->append(set);
        chart->legend()->hide();
    } else {
        for (qsizetype c = 0; c < columnLabels.size(); ++c) {
            auto *set = new QBarSet(columnLabels[c]);
            set->setColor(kColumnColours[c % std::size(kColumnColours)]);
            for (const auto &row : rows)
                *set << shown(c < static_cast<qsizetype>(row.size()) ? row[c] : std::nullopt);
            series->append(set);
        }
        chart->legend()->setAlignment(Qt::AlignBottom);
    }
    chart->addSeries(series);
    if (oneRow) {
        series->setLabelsVisible(true);
        series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
        series->setLabelsPrecision(12);
    }
    const auto rowLabel = [&](size_t r) {
        return r < static_cast<size_t>(rowLabels.size()) ? rowLabels[r]
                                                         : QString::number(firstRow + static_cast<int>(r));
    };
    QAbstractAxis *axisX = nullptr;
    constexpr size_t kNamedRows = 12;
    if (oneRow || rows.size() <= kNamedRows) {
        auto *cats = new QBarCategoryAxis;
        if (oneRow)
            cats->append(columnLabels);
        else
            for (size_t r = 0; r < rows.size(); ++r)
                cats->append(rowLabel(r));
        // Past a few groups the names would be cut: upright, each keeps its whole text.
        if (rows.size() > 6)
            cats->setLabelsAngle(-90);
        axisX = cats;
    } else {
        // Too many rows to name each: every few rows is named, at its bar group.
        auto *cats = new QCategoryAxis;
        cats->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
        cats->setRange(-0.5, static_cast<double>(rows.size()) - 0.5);
        const size_t step = (rows.size() + 9) / 10;
        for (size_t r = 0; r < rows.size(); r += step)
            cats->append(rowLabel(r), static_cast<double>(r));
        cats->setGridLineVisible(false);
        axisX = cats;
    }
    QFont small = axisX->labelsFont();
    small.setPointSizeF(std::max(6.0, small.pointSizeF() - 1));
    axisX->setLabelsFont(small);
    chart->addAxis(axisX, Qt::AlignBottom);
    series->attachAxis(axisX);
    auto *axisY = new QValueAxis;
    axisY->setLabelFormat(QStringLiteral("%d"));
    axisY->setLabelsFont(small);
    // Room above the tallest bar for its value.
    axisY->setRange(0, std::max(4.0, top * 1.15));
    axisY->applyNiceNumbers();
    axisY->setTickCount(std::min(axisY->tickCount(), 6));
    chart->addAxis(axisY, Qt::AlignLeft);
    series->attachAxis(axisY);
    QChart *old = this->chart();
    setChart(chart);
    delete old;
}

QIcon statIcon(int index)
{
    return QIcon(QPixmap::fromImage(art::listIcon([index](QPainter &p) {
        switch (index) {
        case 1: // three rising bars
            p.fillRect(QRectF(2, 9, 3, 5), QColor(46, 125, 80));
            p.fillRect(QRectF(6.5, 5, 3, 9), QColor(52, 101, 164));
            p.fillRect(QRectF(11, 2, 3, 12), QColor(196, 120, 24));
            break;
        case 2: { // a card with a red pip
            p.setPen(QColor(90, 90, 90));
            p.setBrush(Qt::white);
            p.drawRoundedRect(QRectF(3.5, 1.5, 9, 13), 1.5, 1.5);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(190, 30, 30));
            p.drawEllipse(QPointF(8, 8), 2.2, 2.2);
            break;
        }
        case 3: { // two fanned cards
            p.setPen(QColor(90, 90, 90));
            p.setBrush(QColor(52, 101, 164));
            p.drawRoundedRect(QRectF(1.5, 2.5, 8, 11), 1.5, 1.5);
            p.setBrush(Qt::white);
            p.drawRoundedRect(QRectF(6.5, 2.5, 8, 11), 1.5, 1.5);
            break;
        }
        default: { // a head and shoulders
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(70, 90, 120));
            p.drawEllipse(QPointF(8, 5), 3, 3);
            QPainterPath body;
            body.moveTo(2, 15);
            body.cubicTo(2, 8.5, 14, 8.5, 14, 15);
            p.drawPath(body);
            break;
        }
        }
    })));
}

QString durationText(i32 seconds)
{
    return QString::fromStdString(FormatGameTime(seconds));
}

double round2(double value)
{
    return static_cast<double>(roundHalfEven(value * 100.0)) / 100.0;
}

QString roundedText(double value)
{
    return QLocale::system().toString(value, 'g', 15);
}

QString shortDate(const ScoreRecord &r)
{
    if (!r.Day.isValid())
        return r.DateText;
    return QLocale::system().toString(r.Day, QLocale::ShortFormat);
}

QTreeWidget *makeList(const QString &objectName, const QStringList &headers, QWidget *parent)
{
    auto *list = new QTreeWidget(parent);
    list->setObjectName(objectName);
    list->setHeaderLabels(headers);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSortingEnabled(false);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setAlternatingRowColors(true);
    list->header()->setStretchLastSection(false);
    list->header()->setSectionsMovable(false);
    return list;
}

QTreeWidgetItem *addRow(QTreeWidget *list, int icon, const QStringList &texts)
{
    auto *item = new QTreeWidgetItem(texts);
    item->setIcon(0, statIcon(icon));
    for (int c = 1; c < texts.size(); ++c)
        if (!texts[c].isEmpty() && (texts[c][0].isDigit() || texts[c][0] == QLatin1Char('-')))
            item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    list->addTopLevelItem(item);
    return item;
}

void fitColumns(QTreeView *list)
{
    QHeaderView *header = list->header();
    header->setStretchLastSection(true);
    header->resizeSections(QHeaderView::ResizeToContents);
}

QComboBox *makeCombo(const QString &objectName, QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(objectName);
    combo->setMaxVisibleItems(20);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return combo;
}

} // namespace tess
