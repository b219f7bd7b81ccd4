// The Customize dialog: general options, table background, card back, speeds and sounds.
// Range and the three show options are stored as they are clicked; background, fade, custom
// colour, deck, speeds and sounds only by OK.
#pragma once

#include <array>

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QImage>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTreeWidget>

#include "model/numeric.h"

namespace tess
{

struct Shared;
class TavCard;

// A picture box that keeps what was painted into it.
class PictureBox : public QWidget
{
    Q_OBJECT
  public:
    PictureBox(const QSize &size, QWidget *parent);
    QImage &image() { return img_; }
    const QImage &image() const { return img_; }

  protected:
    void paintEvent(QPaintEvent *) override;

  private:
    QImage img_;
};

class frmCustomize : public QDialog
{
    Q_OBJECT
  public:
    explicit frmCustomize(Shared &shared, QWidget *parent = nullptr);

    QTabWidget *SSTab1 = nullptr;
    // General
    QPushButton *cmdClearRecent = nullptr;
    QComboBox *imcRange = nullptr;
    QCheckBox *chkTime = nullptr, *chkScore = nullptr, *chkMoves = nullptr;
    QPushButton *cmdExportStat = nullptr, *cmdClearStat = nullptr;
    // Background
    QTreeWidget *tvBGround = nullptr;
    PictureBox *Picture1 = nullptr;
    QPushButton *cmdCustom = nullptr;
    QCheckBox *chkFade = nullptr;
    // Decks
    QTreeWidget *tvDeck = nullptr;
    PictureBox *picDeckBack = nullptr;
    TavCard *PicDeck = nullptr;
    // Animation and sounds
    std::array<QSlider *, 4> Slider{}; // Slider1 .. Slider4
    QTreeWidget *lvSound = nullptr;
    QPushButton *cmdOK = nullptr, *cmdCancel = nullptr;

    // The values that only OK stores.
    i16 pendingBG() const { return bg_; }
    i16 pendingFade() const { return fade_; }
    i32 pendingColor() const { return color_; }
    i16 pendingDeck() const { return deck_; }

    // Handlers, as the controls call them.
    void OK();
    void Cancel();
    void ClearRecent();
    void ChooseColor();
    void BackgroundNode(QTreeWidgetItem *node);
    void DeckNode(QTreeWidgetItem *node);

    // The node whose tag is the given index, or null.
    static QTreeWidgetItem *nodeOf(QTreeWidget *tree, int tag);
    static int tagOf(const QTreeWidgetItem *node);

  private:
    QWidget *generalTab();
    QWidget *backgroundTab();
    QWidget *deckTab();
    QWidget *soundTab();
    void buildBackgroundTree();
    void buildDeckTree();
    void paintPreviews();
    void drawSwatches(QTreeWidgetItem *group);

    Shared &shared_;
    i16 bg_ = 0;
    i16 fade_ = 0;
    i32 color_ = 0;
    i16 deck_ = 0;
};

} // namespace tess
