#include "gui/selectDialogs.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QPainter>
#include <QVBoxLayout>

#include "gui/table/artKit.h"
#include "gui/table/brand.h"
#include "gui/table/previews.h"
#include "play/mFunc.h"
#include "store/cData.h"

namespace tess
{

namespace
{

// Small list pictures: a game leaf, the catalogue root, a player.
QIcon listIcon(int which)
{
    return brand::toolIcon(which == 3   ? QStringLiteral("Highscore")
                           : which == 4 ? QStringLiteral("Select")
                                        : QStringLiteral("New"));
}

} // namespace

QIcon playerIcon()
{
    const QImage img = art::listIcon(
        [](QPainter &p) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(60, 110, 170));
            p.drawEllipse(QRectF(6, 2, 8, 8));
            p.drawRoundedRect(QRectF(3, 11, 14, 8), 4, 4);
        },
        20);
    return QIcon(QPixmap::fromImage(img));
}

void fillPlayers(QComboBox *list, const cData &data)
{
    list->clear();
    const QIcon icon = playerIcon();
    for (const QString &name : data.PlayerList())
        list->addItem(icon, name);
    if (list->count() > 0)
        list->setCurrentIndex(0);
    const int current = list->findText(data.CurPlayer(), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (current >= 0)
        list->setCurrentIndex(current);
}

frmSelect::frmSelect(cData &data, DrawGameFn start, QWidget *parent)
    : QDialog(parent), data_(data), start_(std::move(start))
{
    setObjectName(QStringLiteral("frmSelect"));
    setWindowTitle(data.ProdName());
    setWindowIcon(brand::appIcon());
    setAttribute(Qt::WA_DeleteOnClose, false);

    TreeView1 = new QTreeWidget(this);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setHeaderHidden(true);
    TreeView1->setMinimumWidth(230);
    root_ = new QTreeWidgetItem(TreeView1, QStringList(QStringLiteral("Games")));
    root_->setData(0, Qt::UserRole + 1, QStringLiteral("m"));
    root_->setIcon(0, listIcon(4));
    QTreeWidgetItem *first = nullptr, *last = nullptr;
    for (int id = 1; id <= data.TotalGames(); ++id) {
        auto *node = new QTreeWidgetItem(root_, QStringList(data.GetGName(static_cast<i16>(id))));
        node->setData(0, Qt::UserRole, id);
        node->setIcon(0, listIcon(5));
        if (!first)
            first = node;
        if (node->text(0) == data.LastGName())
            last = node;
    }
    TreeView1->expandAll();

    imcPlayer = new QComboBox(this);
    imcPlayer->setObjectName(QStringLiteral("imcPlayer"));
    fillPlayers(imcPlayer, data);
    lblName = new QLabel(this);
    lblName->setObjectName(QStringLiteral("lblName"));
    QFont f = lblName->font();
    f.setPointSizeF(f.pointSizeF() * 1.5);
    f.setBold(true);
    lblName->setFont(f);
    imgPick = new QLabel(this);
    imgPick->setObjectName(QStringLiteral("imgPick"));
    imgPick->setFixedSize(262, 192);
    imgPick->setFrameShape(QFrame::StyledPanel);
    imgPick->setAlignment(Qt::AlignCenter);
    auto *words = new QLabel(this);
    words->setObjectName(QStringLiteral("imgWords"));
    words->setPixmap(QPixmap::fromImage(brand::wordMark(devicePixelRatioF()))
                         .scaledToHeight(qRound(60 * devicePixelRatioF()), Qt::SmoothTransformation));
    words->setAlignment(Qt::AlignCenter);

    cmdPlay = new QPushButton(QStringLiteral("Play"), this);
    cmdPlay->setObjectName(QStringLiteral("cmdPlay"));
    cmdPlay->setDefault(true);
    cmdRules = new QPushButton(QStringLiteral("Rules"), this);
    cmdRules->setObjectName(QStringLiteral("cmdRules"));
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    auto *right = new QVBoxLayout;
    right->addWidget(words);
    right->addWidget(lblName);
    right->addWidget(imgPick);
    auto *playerRow = new QHBoxLayout;
    playerRow->addWidget(new QLabel(QStringLiteral("Player :"), this));
    playerRow->addWidget(imcPlayer, 1);
    right->addLayout(playerRow);
    right->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdPlay);
    buttons->addWidget(cmdRules);
    buttons->addWidget(cmdCancel);
    right->addLayout(buttons);
    auto *lay = new QHBoxLayout(this);
    lay->addWidget(TreeView1);
    lay->addLayout(right);

    TreeView1->setCurrentItem(last ? last : first);
    showNode(TreeView1->currentItem());
    connect(TreeView1, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *node) { showNode(node); });
    connect(TreeView1, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem *node) {
        if (node != root_)
            Play();
    });
    connect(cmdPlay, &QPushButton::clicked, this, &frmSelect::Play);
    connect(cmdRules, &QPushButton::clicked, this, [this] {
        if (TreeView1->currentItem() && TreeView1->currentItem() != root_)
            data_.ShowRules(TreeView1->currentItem()->text(0));
    });
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmSelect::showNode(QTreeWidgetItem *node)
{
    // The root names no game: the preview keeps the last game shown, and Play waits.
    const bool game = node && node != root_;
    cmdPlay->setEnabled(game);
    cmdRules->setEnabled(game);
    if (!game)
        return;
    lblName->setText(node->text(0));
    imgPick->setPixmap(QPixmap::fromImage(
        gamePreview(node->data(0, Qt::UserRole).toInt(), data_, 258, devicePixelRatioF())));
}

void frmSelect::Play()
{
    QTreeWidgetItem *node = TreeView1->currentItem();
    if (!node || node == root_)
        return;
    hide();
    data_.SetCurPlayer(imcPlayer->currentText());
    const QString name = node->text(0);
    accept();
    start_(name);
}

frmChoose::frmChoose(cData &data, StartGameFn start, QWidget *parent)
    : QDialog(parent), data_(data), start_(std::move(start))
{
    setObjectName(QStringLiteral("frmChoose"));
    setWindowTitle(QStringLiteral("Select a Game Number"));
    setWindowIcon(brand::appIcon());
    lblName = new QLabel(QStringLiteral("Enter a Game Number between"), this);
    lblName->setObjectName(QStringLiteral("lblName"));
    lblRange = new QLabel(QStringLiteral("0 and ") + largestText(data.RangeIndex()), this);
    lblRange->setObjectName(QStringLiteral("lblRange"));
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setText(QString::number(RandomGameNumber(data.RangeIndex())));
    Text1->selectAll();
    imcGames = new QComboBox(this);
    imcGames->setObjectName(QStringLiteral("imcGames"));
    for (int id = 1; id <= data.TotalGames(); ++id)
        imcGames->addItem(listIcon(1), data.GetGName(static_cast<i16>(id)));
    imcGames->setCurrentIndex(0);
    const int current = imcGames->findText(data.CurGName(), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (current >= 0)
        imcGames->setCurrentIndex(current);
    imcPlayer = new QComboBox(this);
    imcPlayer->setObjectName(QStringLiteral("imcPlayer"));
    fillPlayers(imcPlayer, data);
    cmdSelect = new QPushButton(QStringLiteral("Select"), this);
    cmdSelect->setObjectName(QStringLiteral("cmdSelect"));
    cmdSelect->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    auto *lay = new QVBoxLayout(this);
    auto *numberRow = new QHBoxLayout;
    numberRow->addWidget(lblName);
    numberRow->addWidget(lblRange);
    numberRow->addStretch();
    lay->addLayout(numberRow);
    lay->addWidget(Text1);
    auto *gameRow = new QHBoxLayout;
    gameRow->addWidget(new QLabel(QStringLiteral("Game :"), this));
    gameRow->addWidget(imcGames, 1);
    lay->addLayout(gameRow);
    auto *playerRow = new QHBoxLayout;
    playerRow->addWidget(new QLabel(QStringLiteral("Player :"), this));
    playerRow->addWidget(imcPlayer, 1);
    lay->addLayout(playerRow);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdSelect);
    buttons->addWidget(cmdCancel);
    lay->addLayout(buttons);
    setMinimumWidth(420);

    connect(cmdSelect, &QPushButton::clicked, this, &frmChoose::Select);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString frmChoose::largestText(int rangeIndex)
{
    QString digits(std::clamp(rangeIndex, 1, 15), QLatin1Char('9'));
    for (int i = digits.size() - 3; i > 0; i -= 3)
        digits.insert(i, QLatin1Char(','));
    return digits;
}

bool frmChoose::accepts(const QString &text, int rangeIndex)
{
    // Compared exactly: a single-precision test would refuse valid 15-digit numbers.
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > 15)
        return false;
    for (QChar c : t)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    const long long value = t.toLongLong();
    long long limit = 1;
    for (int i = 0; i < std::clamp(rangeIndex, 1, 15); ++i)
        limit *= 10;
    // The largest number of the range is itself refused, as the message says.
    return value > 0 && value < limit - 1;
}

void frmChoose::Select()
{
    if (!accepts(Text1->text(), data_.RangeIndex())) {
        QMessageBox::information(this, data_.ProdName(),
                                 QStringLiteral("Please enter a number between 0 and ") +
                                     largestText(data_.RangeIndex()));
        Text1->setText(QStringLiteral("0"));
        Text1->setFocus();
        return;
    }
    hide();
    data_.SetCurPlayer(imcPlayer->currentText());
    const QString name = imcGames->currentText();
    const QString number = Text1->text().trimmed();
    accept();
    start_(name, GameNumber::text(number.toStdString()));
}

} // namespace tess
