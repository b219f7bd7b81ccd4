#include "gui/stats/frmOrgFav.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QVBoxLayout>

#include "app/stores.h"
#include "gui/stats/favIcons.h"
#include "gui/table/brand.h"

namespace tess
{

frmOrgFav::frmOrgFav(Stores stores, QWidget *parent) : QDialog(parent), stores_(stores)
{
    setObjectName(QStringLiteral("frmOrgFav"));
    setWindowTitle(QStringLiteral("Organize Favorites"));
    setWindowIcon(brand::appIcon());
    setModal(true);

    lvGames = new QTreeWidget(this);
    lvGames->setObjectName(QStringLiteral("lvGames"));
    lvGames->setHeaderLabels({QStringLiteral("Game")});
    lvGames->setRootIsDecorated(false);
    lvFav = new QTreeWidget(this);
    lvFav->setObjectName(QStringLiteral("lvFav"));
    lvFav->setHeaderLabels({QStringLiteral("Game Number")});
    lvFav->setRootIsDecorated(false);
    cmdClear = new QPushButton(QStringLiteral("Clear Favorites"), this);
    cmdClear->setObjectName(QStringLiteral("cmdClear"));
    // Enter closes the window; clearing takes a click of its own.
    cmdClear->setAutoDefault(false);
    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setDefault(true);
    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setInterval(500);

    auto *lists = new QHBoxLayout;
    lists->addWidget(lvGames, 3);
    lists->addWidget(lvFav, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdClear);
    buttons->addStretch();
    buttons->addWidget(cmdClose);
    auto *col = new QVBoxLayout(this);
    col->addLayout(lists);
    col->addLayout(buttons);
    resize(460, 400);

    const cData &d = *stores_.Data;
    stores_.Score->OpenFav();
    const QIcon icon = favicons::game();
    QTreeWidgetItem *chosen = nullptr;
    for (int id = 1; id <= d.TotalGames(); ++id) {
        auto *row = new QTreeWidgetItem(lvGames, QStringList{d.GetGName(static_cast<i16>(id))});
        row->setIcon(0, icon);
        if (id == 1 || row->text(0) == d.CurGName())
            chosen = row;
    }
    if (chosen) {
        lvGames->setCurrentItem(chosen);
        lvGames->scrollToItem(chosen);
        UpdateLVFav(chosen->text(0));
    }

    connect(lvGames, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *row) {
        if (row)
            UpdateLVFav(row->text(0));
    });
    connect(cmdClear, &QPushButton::clicked, this, &frmOrgFav::Clear);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(&Timer1, &QTimer::timeout, this, &frmOrgFav::Tick);
    Tick();
    Timer1.start();
}

void frmOrgFav::UpdateLVFav(const QString &gameName)
{
    favicons::fillNumbers(lvFav, *stores_.Score, gameName);
}

void frmOrgFav::Clear()
{
    cScore &score = *stores_.Score;
    try {
        score.ClearFav();
        score.OpenFav();
    } catch (const std::exception &ex) {
        QMessageBox::critical(this, stores_.Data->ProdName(), QString::fromStdString(ex.what()));
        return;
    }
    lvFav->clear();
}

void frmOrgFav::Tick()
{
    // A file of nothing but unreadable lines lists no favourite and can still be cleared.
    cmdClear->setEnabled(stores_.Score->FavTop() >= 1 || QFileInfo::exists(stores_.Score->FavFile()));
}

} // namespace tess
