#include "gui/frmFinish.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCloseEvent>
#include <QVBoxLayout>
#include <QValueAxis>

#include "gui/table/brand.h"
#include "play/mFunc.h"
#include "store/cData.h"

namespace tess
{

frmFinish::frmFinish(cData &data, std::function<void()> endGame, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmFinish"));
    setWindowTitle(QStringLiteral("Congrats"));
    setWindowIcon(brand::appIcon());

    Frame1 = new QGroupBox(data.CurGName(), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    ListView1 = new QListWidget(Frame1);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setFixedWidth(190);
    const QString number = QString::fromStdString(data.CurGNo.display());
    ListView1->addItem(QStringLiteral(" Game : ") + number);
    ListView1->addItem(QStringLiteral(" Player : ") + data.CurPlayer());
    ListView1->addItem(QStringLiteral(" Time : ") + QString::fromStdString(FormatGameTime(data.CurTime)));
    ListView1->addItem(QStringLiteral(" Moves : ") + QString::number(data.CurMoves));
    ListView1->addItem(QStringLiteral(" Score : ") + QString::number(data.CurScore));

    // A negative score stands as an empty bar; the list line keeps the true figure.
    chartRow = new QBarSet(data.CurGName());
    *chartRow << std::max<int>(0, data.CurScore) << data.CurMoves << data.CurTime;
    chartRow->setColor(QColor(46, 125, 80));
    auto *series = new QBarSeries;
    series->append(chartRow);
    series->setLabelsVisible(true);
    series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    auto *chart = new QChart;
    chart->addSeries(series);
    auto *axisX = new QBarCategoryAxis;
    axisX->append({QStringLiteral("Score"), QStringLiteral("Moves"), QStringLiteral("Time")});
    chart->addAxis(axisX, Qt::AlignBottom);
    series->attachAxis(axisX);
    auto *axisY = new QValueAxis;
    axisY->setRange(0, std::max({10.0, chartRow->at(0), chartRow->at(1), chartRow->at(2)}) * 1.15);
    axisY->setLabelFormat(QStringLiteral("%d"));
    axisY->applyNiceNumbers();
    chart->addAxis(axisY, Qt::AlignLeft);
    series->attachAxis(axisY);
    chart->legend()->hide();
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chFin = new QChartView(chart, Frame1);
    chFin->setObjectName(QStringLiteral("chFin"));
    chFin->setRenderHint(QPainter::Antialiasing);
    chFin->setMinimumSize(300, 200);
    auto *frameLay = new QHBoxLayout(Frame1);
    frameLay->addWidget(ListView1);
    frameLay->addWidget(chFin, 1);

    Toolbar1 = new QToolBar(this);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    Toolbar1->setIconSize(QSize(24, 24));
    const struct {
        const char *caption, *key;
    } buttons[] = {{"New Game", "New"},          {"Select Game", "Select"},   {"Restart Game", "Restart"},
                   {"Statistics", "Statistics"}, {"High Score", "Highscore"}, {"Close", "Close"}};
    for (const auto &b : buttons) {
        const QString key = QString::fromUtf8(b.key);
        QAction *a = Toolbar1->addAction(brand::toolIcon(key), QString::fromUtf8(b.caption));
        a->setObjectName(key);
        connect(a, &QAction::triggered, this, [this, key] { onButton(key); });
    }

    auto *lay = new QVBoxLayout(this);
    lay->addWidget(Toolbar1);
    lay->addWidget(Frame1, 1);
    resize(560, 320);

    data.PlaySound(QStringLiteral("Win"));
    // Recorded last: everything shown above is the won game's.
    if (endGame)
        endGame();
}

QAction *frmFinish::button(const QString &key) const
{
    return Toolbar1->findChild<QAction *>(key);
}

void frmFinish::onButton(const QString &key)
{
    if (key == QLatin1String("Statistics") || key == QLatin1String("Highscore")) {
        const auto &open = key == QLatin1String("Statistics") ? openStatistics : openHighScore;
        if (open)
            open(this);
        return;
    }
    chosen_ = key;
    accept();
}

void frmFinish::closeEvent(QCloseEvent *ev)
{
    chosen_ = QStringLiteral("Close");
    QDialog::closeEvent(ev);
}

} // namespace tess
