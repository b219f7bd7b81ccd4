#include "gui/frmCustomize.h"

#include <QColorDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QVBoxLayout>

#include "app/shared.h"
#include "gui/selectDialogs.h"
#include "gui/stats/exportStat.h"
#include "gui/table/brand.h"
#include "gui/table/pictures.h"
#include "gui/table/tavCard.h"
#include "store/appearance.h"

namespace tess
{

namespace
{

constexpr int kTagRole = Qt::UserRole;
constexpr int kKeyRole = Qt::UserRole + 1;
constexpr int kSliderMax = 50;

// The sound list, in its order, with the setting each item stands for.
struct SoundItem {
    const char *text;
    Setting setting;
};
constexpr std::array<SoundItem, 7> kSounds = {{
    {"Initial Shuffle", Setting::SoundStart},
    {"Card Up", Setting::SoundCardUp},
    {"Card Down", Setting::SoundCardDown},
    {"Autoplay Move", Setting::SoundAutoPlay},
    {"Undo", Setting::SoundUndo},
    {"Redo", Setting::SoundRedo},
    {"Game Won", Setting::SoundWin},
}};

constexpr std::array<const char *, 4> kSliderTitles = {"Card Moving Speed", "Undo/Redo Speed",
                                                       "Undoall/Redoall Speed", "Replay Speed"};
constexpr std::array<Setting, 4> kSpeeds = {Setting::CardSpeed, Setting::UndoSpeed, Setting::UndoallSpeed,
                                            Setting::ReplaySpeed};

QColor qColorOf(i32 packed)
{
    if (packed < 0 || packed > kMaxColorValue)
        return QColor(128, 0, 0);
    return QColor(ColorComponent(packed, 1), ColorComponent(packed, 2), ColorComponent(packed, 3));
}

i32 packedOf(const QColor &c)
{
    return c.red() + 256 * c.green() + 65536 * c.blue();
}

// Tree pictures: a folder for a group, a swatch of the picture for a choice.
QIcon folderIcon()
{
    QImage img(16, 16, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(150, 110, 30));
    p.setBrush(QColor(235, 190, 80));
    p.drawRoundedRect(QRectF(1.5, 3.5, 13, 10), 1.5, 1.5);
    p.setBrush(QColor(250, 215, 120));
    p.drawRoundedRect(QRectF(1.5, 6.5, 13, 7), 1.5, 1.5);
    return QIcon(QPixmap::fromImage(img));
}

QIcon swatchIcon(const QImage &picture, const QColor &fill = QColor())
{
    QImage img(16, 16, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    const QRectF box(1.5, 1.5, 13, 13);
    if (!picture.isNull())
        p.drawImage(box, picture);
    else
        p.fillRect(box, fill);
    p.setPen(QColor(60, 60, 60));
    p.drawRect(box);
    return QIcon(QPixmap::fromImage(img));
}

QTreeWidgetItem *addNode(QTreeWidgetItem *parent, const QString &text, const QIcon &icon, int tag = 0,
                         const QString &key = QString())
{
    auto *node = new QTreeWidgetItem(parent, QStringList{text});
    node->setIcon(0, icon);
    if (tag != 0)
        node->setData(0, kTagRole, tag);
    if (!key.isEmpty())
        node->setData(0, kKeyRole, key);
    return node;
}

// "Wood 03": the group name, " 0" and the number.
QString childText(const PictureGroup &g, int k)
{
    return QString::fromLatin1(g.name) + QStringLiteral(" 0") + QString::number(k);
}

void selectNode(QTreeWidget *tree, QTreeWidgetItem *node)
{
    if (!node)
        return;
    for (QTreeWidgetItem *p = node->parent(); p; p = p->parent())
        p->setExpanded(true);
    tree->setCurrentItem(node);
    tree->scrollToItem(node);
}

} // namespace

PictureBox::PictureBox(const QSize &size, QWidget *parent) : QWidget(parent)
{
    setFixedSize(size);
    img_ = QImage(size, QImage::Format_RGB32);
    img_.fill(Qt::black);
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawImage(QPoint(0, 0), img_);
}

frmCustomize::frmCustomize(Shared &shared, QWidget *parent) : QDialog(parent), shared_(shared)
{
    setObjectName(QStringLiteral("frmCustomize"));
    setWindowTitle(QStringLiteral("Customize"));
    setWindowIcon(brand::appIcon());
    setModal(true);

    const cData &d = *shared_.Data;
    bg_ = d.BGIndex();
    fade_ = d.Fade();
    color_ = d.CustomColor();
    deck_ = d.DeckIndex();

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    SSTab1->addTab(generalTab(), QStringLiteral("General"));
    SSTab1->addTab(backgroundTab(), QStringLiteral("Background"));
    SSTab1->addTab(deckTab(), QStringLiteral("Decks"));
    SSTab1->addTab(soundTab(), QStringLiteral("&Animation && Sounds"));
    SSTab1->setCurrentIndex(0);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(cmdOK, &QPushButton::clicked, this, &frmCustomize::OK);
    connect(cmdCancel, &QPushButton::clicked, this, &frmCustomize::Cancel);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto *main = new QVBoxLayout(this);
    main->addWidget(SSTab1);
    main->addLayout(buttons);
    resize(560, 460);

    paintPreviews();
    PicDeck->DeckPic(DeckPic(deck_, devicePixelRatioF()));
    if (d.RecentCount() == 0)
        cmdClearRecent->setEnabled(false);
}

QWidget *frmCustomize::generalTab()
{
    cData &d = *shared_.Data;
    auto *tab = new QWidget;

    auto *recent = new QGroupBox(QStringLiteral("Recent List"), tab);
    cmdClearRecent = new QPushButton(QStringLiteral("Clear"), recent);
    cmdClearRecent->setObjectName(QStringLiteral("cmdClearRecent"));
    connect(cmdClearRecent, &QPushButton::clicked, this, &frmCustomize::ClearRecent);
    auto *recentRow = new QHBoxLayout(recent);
    recentRow->addWidget(cmdClearRecent);
    recentRow->addWidget(new QLabel(QStringLiteral("Clear  Recent Games List"), recent), 1);

    auto *range = new QGroupBox(QStringLiteral("Random Range"), tab);
    imcRange = new QComboBox(range);
    imcRange->setObjectName(QStringLiteral("imcRange"));
    const QIcon rangeIcon = brand::toolIcon(QStringLiteral("New"));
    for (int i = 1; i <= 15; ++i)
        imcRange->addItem(rangeIcon, frmChoose::largestText(i));
    imcRange->setCurrentIndex(std::clamp<int>(d.RangeIndex(), 1, 15) - 1);
    // Stored at once; Cancel does not take it back.
    connect(imcRange, &QComboBox::activated, this,
            [this](int index) { shared_.Data->set(Setting::RangeIndex, static_cast<i16>(index + 1)); });
    auto *rangeRow = new QHBoxLayout(range);
    rangeRow->addWidget(new QLabel(QStringLiteral("Random Range Selection between 0 and "), range));
    rangeRow->addWidget(imcRange, 1);

    auto showBox = [&](QCheckBox *&box, const char *name, const char *text, i16 value, Setting s) {
        box = new QCheckBox(QString::fromLatin1(text), tab);
        box->setObjectName(QString::fromLatin1(name));
        box->setChecked(value == 1);
        connect(box, &QCheckBox::clicked, this, [this, s](bool on) { shared_.Data->set(s, on ? 1 : 0); });
    };
    showBox(chkTime, "chkTime", "Show Time", d.ShowTime(), Setting::ShowTime);
    showBox(chkScore, "chkScore", "Show Score", d.ShowScore(), Setting::ShowScore);
    showBox(chkMoves, "chkMoves", "Show Moves", d.ShowMoves(), Setting::ShowMoves);

    auto *stats = new QGroupBox(QStringLiteral("Game Statistics"), tab);
    cmdExportStat = new QPushButton(QStringLiteral("Export Statistics"), stats);
    cmdExportStat->setObjectName(QStringLiteral("cmdExportStat"));
    cmdClearStat = new QPushButton(QStringLiteral("Clear Statistics"), stats);
    cmdClearStat->setObjectName(QStringLiteral("cmdClearStat"));
    connect(cmdExportStat, &QPushButton::clicked, this, [this] { ExportStat(this, shared_); });
    connect(cmdClearStat, &QPushButton::clicked, this, [this] { ClearStat(this, shared_); });
    auto *statRow = new QHBoxLayout(stats);
    statRow->addWidget(cmdExportStat);
    statRow->addWidget(cmdClearStat);
    statRow->addStretch();

    auto *col = new QVBoxLayout(tab);
    col->addWidget(recent);
    col->addWidget(range);
    col->addWidget(chkTime);
    col->addWidget(chkScore);
    col->addWidget(chkMoves);
    col->addWidget(stats);
    col->addStretch();
    return tab;
}

QWidget *frmCustomize::backgroundTab()
{
    auto *tab = new QWidget;
    tvBGround = new QTreeWidget(tab);
    tvBGround->setObjectName(QStringLiteral("tvBGround"));
    tvBGround->setHeaderHidden(true);
    Picture1 = new PictureBox(QSize(200, 150), tab);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    cmdCustom = new QPushButton(QStringLiteral("Colors.."), tab);
    cmdCustom->setObjectName(QStringLiteral("cmdCustom"));
    chkFade = new QCheckBox(QStringLiteral("Fade Background"), tab);
    chkFade->setObjectName(QStringLiteral("chkFade"));

    cmdCustom->setEnabled(bg_ == kCustomColorIndex);
    chkFade->setEnabled(bg_ >= kCustomColorIndex);
    chkFade->setChecked(fade_ == 1);
    buildBackgroundTree();

    connect(tvBGround, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *node) { BackgroundNode(node); });
    connect(chkFade, &QCheckBox::clicked, this, [this](bool on) {
        fade_ = on ? 1 : 0;
        paintPreviews();
    });
    connect(cmdCustom, &QPushButton::clicked, this, &frmCustomize::ChooseColor);

    auto *side = new QVBoxLayout;
    side->addWidget(Picture1);
    side->addWidget(cmdCustom);
    side->addWidget(chkFade);
    side->addStretch();
    auto *row = new QHBoxLayout(tab);
    row->addWidget(tvBGround, 1);
    row->addLayout(side);
    return tab;
}

void frmCustomize::buildBackgroundTree()
{
    const QIcon folder = folderIcon();
    auto *root = new QTreeWidgetItem(tvBGround, QStringList{QStringLiteral("Backgrounds")});
    root->setIcon(0, folder);
    root->setData(0, kKeyRole, QStringLiteral("main"));
    QTreeWidgetItem *colors = addNode(root, QStringLiteral("Colors"), folder, 0, QStringLiteral("c"));
    addNode(colors, QStringLiteral("Custom Color"), swatchIcon(QImage(), qColorOf(color_)), kCustomColorIndex,
            QStringLiteral("custom"));
    for (int id = kFirstNamedColor; id <= 1020; ++id) {
        const NamedColor c = *GetCol(static_cast<i16>(id));
        addNode(colors, c.name, swatchIcon(QImage(), qColorOf(c.color)), id);
    }
    for (const PictureGroup &g : textureGroups()) {
        QTreeWidgetItem *group = addNode(root, QString::fromLatin1(g.name), folder);
        for (int k = 1; k <= g.count; ++k)
            addNode(group, childText(g, k), QIcon(), g.base + k);
    }
    connect(tvBGround, &QTreeWidget::itemExpanded, this, &frmCustomize::drawSwatches);
    root->setExpanded(true);
    selectNode(tvBGround, nodeOf(tvBGround, bg_));
}

QWidget *frmCustomize::deckTab()
{
    auto *tab = new QWidget;
    tvDeck = new QTreeWidget(tab);
    tvDeck->setObjectName(QStringLiteral("tvDeck"));
    tvDeck->setHeaderHidden(true);
    picDeckBack = new PictureBox(QSize(131, 156), tab);
    picDeckBack->setObjectName(QStringLiteral("picDeckBack"));
    PicDeck = new TavCard(0, picDeckBack);
    PicDeck->setObjectName(QStringLiteral("PicDeck"));
    PicDeck->move(30, 30);
    PicDeck->show();
    buildDeckTree();
    connect(tvDeck, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *node) { DeckNode(node); });

    auto *side = new QVBoxLayout;
    side->addWidget(picDeckBack);
    side->addStretch();
    auto *row = new QHBoxLayout(tab);
    row->addWidget(tvDeck, 1);
    row->addLayout(side);
    return tab;
}

void frmCustomize::buildDeckTree()
{
    const QIcon folder = folderIcon();
    auto *root = new QTreeWidgetItem(tvDeck, QStringList{QStringLiteral("Decks")});
    root->setIcon(0, folder);
    root->setData(0, kKeyRole, QStringLiteral("main"));
    for (const PictureGroup &g : offeredDeckGroups()) {
        QTreeWidgetItem *group = addNode(root, QString::fromLatin1(g.name), folder);
        for (int k = 1; k <= g.count; ++k)
            addNode(group, childText(g, k), QIcon(), g.base + k);
    }
    connect(tvDeck, &QTreeWidget::itemExpanded, this, &frmCustomize::drawSwatches);
    root->setExpanded(true);
    selectNode(tvDeck, nodeOf(tvDeck, deck_));
}

QWidget *frmCustomize::soundTab()
{
    const cData &d = *shared_.Data;
    auto *tab = new QWidget;
    auto *grid = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        auto *s = new QSlider(Qt::Horizontal, tab);
        s->setObjectName(QStringLiteral("Slider%1").arg(i + 1));
        s->setRange(0, kSliderMax);
        s->setSingleStep(1);
        s->setPageStep(5);
        s->setTickPosition(QSlider::TicksBelow);
        s->setTickInterval(5);
        // The slider runs from slow to fast; the setting holds the delay.
        s->setValue(kSliderMax - d.get(kSpeeds[i]));
        Slider[i] = s;
        grid->addWidget(new QLabel(QString::fromLatin1(kSliderTitles[i]), tab), i, 0);
        grid->addWidget(s, i, 1);
    }

    lvSound = new QTreeWidget(tab);
    lvSound->setObjectName(QStringLiteral("lvSound"));
    lvSound->setHeaderLabels({QStringLiteral("Select Sound")});
    lvSound->setRootIsDecorated(false);
    for (const SoundItem &s : kSounds) {
        auto *item = new QTreeWidgetItem(lvSound, QStringList{QString::fromLatin1(s.text)});
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, d.get(s.setting) == -1 ? Qt::Checked : Qt::Unchecked);
    }

    auto *col = new QVBoxLayout(tab);
    col->addLayout(grid);
    col->addWidget(lvSound, 1);
    return tab;
}

void frmCustomize::drawSwatches(QTreeWidgetItem *group)
{
    // Each picture is drawn on first sight: drawing all of them would hold up the opening.
    for (int i = 0; i < group->childCount(); ++i) {
        QTreeWidgetItem *node = group->child(i);
        const int tag = tagOf(node);
        if (node->icon(0).isNull() && (isTextureId(tag) || isDeckId(tag)))
            node->setIcon(0, swatchIcon(GetPic(tag, 1)));
    }
}

void frmCustomize::paintPreviews()
{
    SetBG(bg_, Picture1->image(), fade_, color_);
    Picture1->update();
    SetBG(bg_, picDeckBack->image(), fade_, color_);
    picDeckBack->update();
}

int frmCustomize::tagOf(const QTreeWidgetItem *node)
{
    return node ? node->data(0, kTagRole).toInt() : 0;
}

QTreeWidgetItem *frmCustomize::nodeOf(QTreeWidget *tree, int tag)
{
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        if (tagOf(*it) == tag)
            return *it;
    return nullptr;
}

void frmCustomize::BackgroundNode(QTreeWidgetItem *node)
{
    cmdCustom->setEnabled(false);
    chkFade->setEnabled(false);
    const int tag = tagOf(node);
    if (tag == 0)
        return;
    bg_ = static_cast<i16>(tag);
    paintPreviews();
    cmdCustom->setEnabled(tag == kCustomColorIndex);
    chkFade->setEnabled(tag >= kCustomColorIndex);
}

void frmCustomize::DeckNode(QTreeWidgetItem *node)
{
    const int tag = tagOf(node);
    if (tag == 0)
        return;
    PicDeck->DeckPic(GetPic(tag, devicePixelRatioF()));
    deck_ = static_cast<i16>(tag);
}

void frmCustomize::ChooseColor()
{
    QColorDialog cd1(qColorOf(color_), this);
    cd1.setObjectName(QStringLiteral("cd1"));
    if (cd1.exec() == QDialog::Accepted && cd1.selectedColor().isValid()) {
        color_ = packedOf(cd1.selectedColor());
        if (QTreeWidgetItem *custom = nodeOf(tvBGround, kCustomColorIndex))
            custom->setIcon(0, swatchIcon(QImage(), qColorOf(color_)));
    }
    paintPreviews();
}

void frmCustomize::ClearRecent()
{
    cData &d = *shared_.Data;
    if (QMessageBox::question(this, d.ProdName(),
                              QStringLiteral("Are you sure you want to clear the Recent Games List ?"),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    d.ClearRecent();
    cmdClearRecent->setEnabled(false);
    QMessageBox::information(this, d.ProdName(), QStringLiteral("Recent Games List has been Cleared."));
}

void frmCustomize::OK()
{
    cData &d = *shared_.Data;
    for (int i = 0; i < 4; ++i)
        d.set(kSpeeds[i], static_cast<i16>(kSliderMax - Slider[i]->value()));
    for (int i = 0; i < static_cast<int>(kSounds.size()); ++i)
        d.set(kSounds[i].setting, lvSound->topLevelItem(i)->checkState(0) == Qt::Checked ? -1 : 0);
    // The window that owns the table hears of these and repaints the table and the backs.
    d.set(Setting::BGIndex, bg_);
    d.set(Setting::Fade, fade_);
    d.SetCustomColor(color_);
    d.set(Setting::DeckIndex, deck_);
    accept();
}

void frmCustomize::Cancel()
{
    reject();
}

} // namespace tess
