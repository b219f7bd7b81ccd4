#include "stats/gui/frmPlayFav.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "app/gui/brand.h"
#include "app/shared.h"
#include "stats/gui/favIcons.h"

namespace tess
{

frmPlayFav::frmPlayFav(Shared &shared, StartGameFn start, QWidget *parent)
    : QDialog(parent), shared_(shared), start_(std::move(start))
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

    const cData &d = *shared_.Data;
    shared_.Score->OpenFav();
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
    cmdPlay->setEnabled(false);
    lvFav->clear();
    const cScore &score = *shared_.Score;
    const QIcon icon = favicons::number();
    for (i16 i = 1; i <= score.FavTop(); ++i) {
        const FavRecord f = score.GetFav(i);
        if (f.GameName != gameName)
            continue;
        auto *row = new QTreeWidgetItem(lvFav, QStringList{QString::fromStdString(f.GameNo.display())});
        row->setIcon(0, icon);
        lvFav->setCurrentItem(row);
        cmdPlay->setEnabled(true);
    }
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
