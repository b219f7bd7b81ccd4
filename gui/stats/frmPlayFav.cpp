#include "gui/stats/frmPlayFav.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "app/stores.h"
#include "gui/stats/favIcons.h"
#include "gui/table/brand.h"

namespace tess
{

frmPlayFav::frmPlayFav(Stores stores, StartGameFn start, QWidget *parent)
    : QDialog(parent), stores_(stores), start_(std::move(start))
{
    setObjectName(QStringLiteral("frmPlayFav"));
    setWindowTitle(QStringLiteral("Play from Favorites"));
    setWindowIcon(brand::appIcon());
    setModal(true);

    imcGames = new QComboBox(this);
    imcGames->setObjectName(QStringLiteral("imcGames"));
    lvFav = new QTreeWidget(this);
    lvFav->setObjectName(QStringLiteral("lvFav"));
    lvFav->setHeaderLabels({QStringLiteral("Game Number")});
    lvFav->setRootIsDecorated(false);
    cmdPlay = new QPushButton(QStringLiteral("Play"), this);
    cmdPlay->setObjectName(QStringLiteral("cmdPlay"));
    cmdPlay->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdPlay);
    buttons->addWidget(cmdCancel);
    auto *col = new QVBoxLayout(this);
    col->addWidget(imcGames);
    col->addWidget(lvFav, 1);
    col->addLayout(buttons);
    resize(320, 380);

    const cData &d = *stores_.Data;
    stores_.Score->OpenFav();
    const QIcon icon = favicons::game();
    for (int id = 1; id <= d.TotalGames(); ++id)
        imcGames->addItem(icon, d.GetGName(static_cast<i16>(id)));
    imcGames->setCurrentIndex(0);
    const int current = imcGames->findText(d.CurGName(), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (current >= 0)
        imcGames->setCurrentIndex(current);
    UpdateLVFav(imcGames->currentText());

    connect(imcGames, &QComboBox::currentTextChanged, this, &frmPlayFav::UpdateLVFav);
    connect(cmdPlay, &QPushButton::clicked, this, &frmPlayFav::Play);
    connect(lvFav, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (cmdPlay->isEnabled())
            Play();
    });
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmPlayFav::UpdateLVFav(const QString &gameName)
{
    // The last number is proposed, as the list leaves it.
    QTreeWidgetItem *last = favicons::fillNumbers(lvFav, *stores_.Score, gameName);
    if (last)
        lvFav->setCurrentItem(last);
    cmdPlay->setEnabled(last != nullptr);
}

void frmPlayFav::Play()
{
    QTreeWidgetItem *row = lvFav->currentItem();
    if (!row)
        return;
    const QString name = imcGames->currentText();
    // A number from a favourite is the text it was stored as.
    const GameNumber number = GameNumber::text(row->text(0).toStdString());
    hide();
    start_(name, number);
    accept();
}

} // namespace tess
