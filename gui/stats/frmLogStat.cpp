#include "gui/stats/frmLogStat.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QVBoxLayout>

#include "app/stores.h"
#include "gui/stats/exportStat.h"
#include "gui/table/brand.h"
#include "store/appearance.h"

namespace tess
{

namespace
{

const char *const kColumns[] = {"S No.", "Player", "Game", "Score",      "Time",
                                "Moves", "Status", "Date", "Game Number"};
constexpr int kColumnCount = 9;

} // namespace

LogModel::LogModel(const std::vector<ScoreRecord> &records, QObject *parent)
    : QAbstractTableModel(parent), records_(records), icon_(statIcon(2))
{
}

void LogModel::setRows(std::vector<i32> shown)
{
    beginResetModel();
    shown_ = std::move(shown);
    endResetModel();
}

int LogModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

int LogModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant LogModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= static_cast<int>(shown_.size()))
        return {};
    const ScoreRecord &r = records_[shown_[index.row()]];
    if (role == Qt::DecorationRole && index.column() == 0)
        return icon_;
    if (role == Qt::TextAlignmentRole && (index.column() == 0 || index.column() == 3 || index.column() == 5))
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case 0:
        return QString::number(index.row() + 1); // row numbers run 1 to the shown count
    case 1:
        return r.Player;
    case 2:
        return r.GameName;
    case 3:
        return QString::number(r.Score);
    case 4:
        return durationText(r.Time);
    case 5:
        return QString::number(r.Moves);
    case 6:
        return ResultText(r.Won);
    case 7:
        return shortDate(r);
    default:
        return QString::fromStdString(r.GameNo.display());
    }
}

QVariant LogModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < kColumnCount)
        return QString::fromLatin1(kColumns[section]);
    return {};
}

bool inPeriod(const ScoreRecord &r, const QString &key, const QDate &today)
{
    if (key.isEmpty())
        return true;
    if (!r.Day.isValid())
        return false;
    const qint64 d = r.Day.daysTo(today);
    if (d < 0)
        return false;
    const int m = (today.year() - r.Day.year()) * 12 + today.month() - r.Day.month();
    if (key == QLatin1String("t"))
        return d == 0;
    if (key == QLatin1String("3d"))
        return d <= 3;
    if (key == QLatin1String("7d"))
        return d <= 7;
    if (key == QLatin1String("30d"))
        return d <= 30;
    if (key == QLatin1String("3m"))
        return m <= 3;
    if (key == QLatin1String("5m"))
        return m <= 5;
    return false;
}

frmLogStat::frmLogStat(Stores stores, QWidget *parent, Clock now)
    : QDialog(parent), stores_(stores), now_(std::move(now))
{
    setObjectName(QStringLiteral("frmLogStat"));
    setWindowTitle(QStringLiteral("Log Statistics"));
    setWindowIcon(brand::appIcon());

    imcPlayer = makeCombo(QStringLiteral("imcPlayer"), this);
    imcGames = makeCombo(QStringLiteral("imcGames"), this);
    imcDate = makeCombo(QStringLiteral("imcDate"), this);
    lvLog = new QTreeView(this);
    lvLog->setObjectName(QStringLiteral("lvLog"));
    lvLog->setRootIsDecorated(false);
    lvLog->setUniformRowHeights(true);
    lvLog->setAlternatingRowColors(true);
    lvLog->setSortingEnabled(false);
    logRows = new LogModel(records_, this);
    lvLog->setModel(logRows);
    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);

    auto *filters = new QHBoxLayout;
    filters->addWidget(imcPlayer);
    filters->addWidget(imcGames);
    filters->addWidget(imcDate);
    filters->addStretch(1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);
    auto *lay = new QVBoxLayout(this);
    lay->addLayout(filters);
    lay->addWidget(lvLog, 1);
    lay->addLayout(buttons);
    resize(860, 560);

    const cData &d = *stores_.Data;
    stores_.Score->OpenAllScore();
    ShowLeftOut(parent, stores_, QStringLiteral("The other players' games are shown."));
    records_ = stores_.Score->Records();
    imcGames->addItem(statIcon(1), QStringLiteral("All Games"));
    for (int g = 1; g <= d.TotalGames(); ++g)
        imcGames->addItem(statIcon(1), d.GetGName(static_cast<i16>(g)));
    imcPlayer->addItem(statIcon(4), QStringLiteral("All Players"));
    for (const QString &p : stores_.Score->Players())
        imcPlayer->addItem(statIcon(4), p);
    const struct {
        const char *key, *text;
    } periods[] = {{"t", "Show Today"},     {"3d", "Last 3 Days"},   {"7d", "Last 7 Days"},
                   {"30d", "Last 30 Days"}, {"3m", "Last 3 Months"}, {"5m", "Last 5 Months"},
                   {"", "Show All"}};
    for (const auto &p : periods)
        imcDate->addItem(statIcon(1), QString::fromLatin1(p.text), QString::fromLatin1(p.key));
    imcGames->setCurrentIndex(0);
    imcPlayer->setCurrentIndex(0);
    imcDate->setCurrentIndex(imcDate->count() - 1);
    FillLog();
    for (QComboBox *c : {imcPlayer, imcGames, imcDate})
        connect(c, &QComboBox::activated, this, &frmLogStat::FillLog);
}

frmLogStat::~frmLogStat()
{
    // The rows point into records_, which goes before the children do.
    lvLog->setModel(nullptr);
    delete logRows;
    if (stores_.Score)
        stores_.Score->CloseScore();
}

void frmLogStat::FillLog()
{
    const bool allPlayers = imcPlayer->currentIndex() <= 0;
    const bool allGames = imcGames->currentIndex() <= 0;
    const QString player = imcPlayer->currentText();
    const QString game = imcGames->currentText();
    const QString period = imcDate->currentData().toString();
    const QDate today = now_().date();
    std::vector<i32> shown;
    shown.reserve(records_.size());
    for (size_t i = 0; i < records_.size(); ++i) {
        const ScoreRecord &r = records_[i];
        if (!allPlayers && r.Player != player)
            continue;
        if (!allGames && r.GameName != game)
            continue;
        if (!inPeriod(r, period, today))
            continue;
        shown.push_back(static_cast<i32>(i));
    }
    logRows->setRows(std::move(shown));
    fitColumns(lvLog);
}

} // namespace tess
