#include "gui/stats/frmHighScore.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QVBoxLayout>

#include "app/stores.h"
#include "gui/stats/exportStat.h"
#include "gui/stats/statView.h"
#include "gui/table/brand.h"
#include "store/appearance.h"

namespace tess
{

namespace
{

// The columns a list may show, by header.
QString cell(const ScoreRecord &e, const QString &column)
{
    if (column == QLatin1String("Player"))
        return e.Player;
    if (column == QLatin1String("Game"))
        return e.GameName;
    if (column == QLatin1String("Score"))
        return QString::number(e.Score);
    if (column == QLatin1String("Time"))
        return durationText(e.Time);
    if (column == QLatin1String("Moves"))
        return QString::number(e.Moves);
    if (column == QLatin1String("Status"))
        return ResultText(e.Won);
    if (column == QLatin1String("Date"))
        return shortDate(e);
    return QString::fromStdString(e.GameNo.display());
}

QStringList headers(std::initializer_list<const char *> names)
{
    QStringList out{QStringLiteral("S No.")};
    for (const char *n : names)
        out << QString::fromLatin1(n);
    return out;
}

// Fills the list with the occupied positions of the top list, the `bold` column in bold.
void fill(QTreeWidget *list, const cScore::TopList &top, int icon, const QString &bold, bool scoreOnly)
{
    list->clear();
    QStringList columns;
    for (int c = 1; c < list->columnCount(); ++c)
        columns << list->headerItem()->text(c);
    for (int p = 1; p <= cScore::kTopSize; ++p) {
        const ScoreRecord &e = top[p - 1];
        // Every loaded record has its player; an empty position has none.
        const bool occupied = scoreOnly ? e.Score > 0 : !e.Player.isEmpty();
        if (!occupied)
            continue;
        QStringList texts{QString::number(p)};
        for (const QString &c : columns)
            texts << cell(e, c);
        QTreeWidgetItem *row = addRow(list, icon, texts);
        const int b = static_cast<int>(columns.indexOf(bold)) + 1;
        if (b > 0) {
            QFont f = row->font(b);
            f.setBold(true);
            row->setFont(b, f);
        }
    }
    list->header()->resizeSections(QHeaderView::ResizeToContents);
}

QGroupBox *frame(const QString &name, QComboBox *combo, QTreeWidget *list, QWidget *parent)
{
    auto *box = new QGroupBox(parent);
    box->setObjectName(name);
    auto *lay = new QVBoxLayout(box);
    auto *row = new QHBoxLayout;
    combo->setParent(box);
    list->setParent(box);
    row->addWidget(combo);
    row->addStretch(1);
    lay->addLayout(row);
    lay->addWidget(list, 1);
    return box;
}

} // namespace

frmHighScore::frmHighScore(Stores stores, QWidget *parent) : QDialog(parent), stores_(stores)
{
    setObjectName(QStringLiteral("frmHighScore"));
    setWindowTitle(QStringLiteral("High Score"));
    setWindowIcon(brand::appIcon());

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    lvTop =
        makeList(QStringLiteral("lvTop"),
                 headers({"Player", "Game", "Score", "Time", "Moves", "Status", "Date", "Game No."}), SSTab1);
    SSTab1->addTab(lvTop, QStringLiteral("Top Games"));

    imcGames = makeCombo(QStringLiteral("imcGames"), this);
    lvGames = makeList(QStringLiteral("lvGames"),
                       headers({"Player", "Score", "Time", "Moves", "Status", "Date", "Game No."}), this);
    Frame1 = frame(QStringLiteral("Frame1"), imcGames, lvGames, SSTab1);
    SSTab1->addTab(Frame1, QStringLiteral("Game-wise"));

    imcPlayer = makeCombo(QStringLiteral("imcPlayer"), this);
    lvPlayer = makeList(QStringLiteral("lvPlayer"),
                        headers({"Game", "Score", "Time", "Moves", "Status", "Date", "Game No."}), this);
    Frame2 = frame(QStringLiteral("Frame2"), imcPlayer, lvPlayer, SSTab1);
    SSTab1->addTab(Frame2, QStringLiteral("Player-wise"));

    imcFin = makeCombo(QStringLiteral("imcFin"), this);
    lvFin = makeList(QStringLiteral("lvFin"),
                     headers({"Player", "Game", "Score", "Time", "Moves", "Date", "Game No."}), this);
    Frame3 = frame(QStringLiteral("Frame3"), imcFin, lvFin, SSTab1);
    SSTab1->addTab(Frame3, QStringLiteral("Finished Games"));

    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    auto *lay = new QVBoxLayout(this);
    lay->addWidget(SSTab1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);
    lay->addLayout(buttons);
    resize(820, 560);

    SSTab1->setCurrentIndex(0);
    const cData &d = *stores_.Data;
    stores_.Score->OpenAllScore();
    ShowLeftOut(parent, stores_, QStringLiteral("The other players' games are shown."));
    ShowTop();

    for (int g = 1; g <= d.TotalGames(); ++g)
        imcGames->addItem(statIcon(1), d.GetGName(static_cast<i16>(g)));
    imcGames->setCurrentIndex(0);
    if (const int cur = imcGames->findText(d.CurGName()); cur >= 0)
        imcGames->setCurrentIndex(cur);
    ShowGameTop(imcGames->currentText());

    const QStringList players = stores_.Score->Players();
    for (qsizetype p = 0; p < players.size(); ++p) {
        imcPlayer->addItem(statIcon(4), players[p]);
        if (players[p] == d.CurPlayer())
            imcPlayer->setCurrentIndex(static_cast<int>(p));
    }
    ShowPlayerTop(d.CurPlayer());

    for (const char *order : {"Score", "Moves", "Time"})
        imcFin->addItem(statIcon(1), QString::fromLatin1(order));
    imcFin->setCurrentIndex(0);
    ShowFinished(imcFin->currentText());

    connect(imcGames, &QComboBox::activated, this, [this] { ShowGameTop(imcGames->currentText()); });
    connect(imcPlayer, &QComboBox::activated, this, [this] { ShowPlayerTop(imcPlayer->currentText()); });
    connect(imcFin, &QComboBox::activated, this, [this] { ShowFinished(imcFin->currentText()); });
}

frmHighScore::~frmHighScore()
{
    if (stores_.Score)
        stores_.Score->CloseScore();
}

void frmHighScore::ShowTop()
{
    fill(lvTop, stores_.Score->TopByScore(QString(), QString(), 0), 1, QStringLiteral("Score"), true);
}

void frmHighScore::ShowGameTop(const QString &gameName)
{
    fill(lvGames, stores_.Score->TopByScore(gameName, QString(), 0), 2, QStringLiteral("Score"), true);
}

void frmHighScore::ShowPlayerTop(const QString &playerName)
{
    fill(lvPlayer, stores_.Score->TopByScore(QString(), playerName, 0), 2, QStringLiteral("Score"), true);
}

void frmHighScore::ShowFinished(const QString &order)
{
    cScore::TopList top;
    if (order == QLatin1String("Moves"))
        top = stores_.Score->TopByKey(0, -1);
    else if (order == QLatin1String("Time"))
        top = stores_.Score->TopByKey(-1, 0);
    else
        top = stores_.Score->TopByScore(QString(), QString(), 1);
    fill(lvFin, top, 2, order, false);
}

} // namespace tess
