#include "gui/frmPlayers.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "app/players.h"
#include "gui/selectDialogs.h"
#include "gui/table/brand.h"
#include "store/cData.h"

namespace tess
{

frmPlayers::frmPlayers(cData &data, const cScore &score, QWidget *parent)
    : QDialog(parent), data_(data), score_(score)
{
    setObjectName(QStringLiteral("frmPlayers"));
    setWindowTitle(QStringLiteral("Players"));
    setWindowIcon(brand::appIcon());
    setModal(true);

    lvPlayer = new QListWidget(this);
    lvPlayer->setObjectName(QStringLiteral("lvPlayer"));
    lvPlayer->setIconSize(QSize(20, 20));
    auto button = [this](QPushButton *&b, const char *name, const char *caption) {
        b = new QPushButton(QString::fromLatin1(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
    };
    button(cmdAdd, "cmdAdd", "New");
    button(cmdEdit, "cmdEdit", "Edit");
    button(cmdDelete, "cmdDelete", "Delete");
    button(cmdSelect, "cmdSelect", "Select");
    button(cmdCancel, "cmdCancel", "Cancel");
    connect(lvPlayer, &QListWidget::itemClicked, this, &frmPlayers::onItemClick);
    connect(lvPlayer, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem *item) { onItemClick(item); });
    connect(cmdAdd, &QPushButton::clicked, this, &frmPlayers::onNew);
    connect(cmdEdit, &QPushButton::clicked, this, &frmPlayers::onEdit);
    connect(cmdDelete, &QPushButton::clicked, this, &frmPlayers::onDelete);
    connect(cmdSelect, &QPushButton::clicked, this, &frmPlayers::onSelect);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *lay = new QHBoxLayout(this);
    lay->addWidget(lvPlayer, 1);
    auto *col = new QVBoxLayout;
    for (QPushButton *b : {cmdAdd, cmdEdit, cmdDelete, cmdSelect, cmdCancel})
        col->addWidget(b);
    col->addStretch(1);
    lay->addLayout(col);
    resize(380, 300);

    FillList();
}

void frmPlayers::FillList()
{
    lvPlayer->blockSignals(true);
    lvPlayer->clear();
    const QIcon icon = playerIcon();
    const QString current = data_.CurPlayer();
    for (const QString &name : data_.PlayerList()) {
        auto *item = new QListWidgetItem(icon, name, lvPlayer);
        if (name == current)
            lvPlayer->setCurrentItem(item);
    }
    lvPlayer->blockSignals(false);
    // Nothing but the current player can be selected here: Delete stays off.
    cmdDelete->setEnabled(false);
}

QString frmPlayers::selectedName() const
{
    const QListWidgetItem *item = lvPlayer->currentItem();
    return item ? item->text() : QString();
}

void frmPlayers::onItemClick(QListWidgetItem *item)
{
    cmdDelete->setEnabled(item && item->text() != data_.CurPlayer());
}

QMessageBox *frmPlayers::say(QMessageBox::Icon icon, const QString &text,
                             QMessageBox::StandardButtons buttons)
{
    auto *box = new QMessageBox(icon, data_.ProdName(), text, buttons, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    // The only question here deletes a player: Enter and Escape both answer No.
    if (buttons & QMessageBox::No) {
        box->setDefaultButton(QMessageBox::No);
        box->setEscapeButton(QMessageBox::No);
    }
    message_ = box;
    box->open();
    return box;
}

dlGInput *frmPlayers::AskPlayerName(const QString &prompt, const QString &initial)
{
    auto *dlg = new dlGInput(data_, score_, this);
    dlg->setAttribute(Qt::WA_DeleteOnClose);
    dlg->setUp(prompt, initial);
    connect(dlg, &QDialog::finished, this, &frmPlayers::FillList);
    input_ = dlg;
    dlg->open();
    return dlg;
}

void frmPlayers::onNew()
{
    if (data_.TotalPlayers() >= kMaxPlayers) {
        say(QMessageBox::Information, QStringLiteral("Maximum 20 Players Only!"), QMessageBox::Ok);
        return;
    }
    AskPlayerName(QStringLiteral("Add Player"), QString());
}

void frmPlayers::onEdit()
{
    const QString name = selectedName();
    if (!name.isEmpty())
        AskPlayerName(QStringLiteral("Edit Player"), name);
}

void frmPlayers::onDelete()
{
    const QString name = selectedName();
    if (name.isEmpty() || name == data_.CurPlayer())
        return;
    QMessageBox *box =
        say(QMessageBox::Critical, QStringLiteral("Are you sure you want to delete this player"),
            QMessageBox::Yes | QMessageBox::No);
    connect(box, &QMessageBox::finished, this, [this, box, name] {
        if (box->clickedButton() != box->button(QMessageBox::Yes))
            return;
        const PlayerResult r = DeletePlayer(data_, score_, name);
        FillList();
        if (!r.ok())
            QMetaObject::invokeMethod(
                this, [this, r] { say(QMessageBox::Critical, playerMessage(r), QMessageBox::Ok); },
                Qt::QueuedConnection);
    });
}

void frmPlayers::onSelect()
{
    const QString name = selectedName();
    if (name.isEmpty())
        return;
    data_.SetCurPlayer(name);
    accept();
}

} // namespace tess
