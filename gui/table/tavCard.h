// The two small controls of the table: a card and a pile marker.
#pragma once

#include <QImage>
#include <QWidget>

#include "model/numeric.h"

namespace tess
{

class TavCard : public QWidget
{
    Q_OBJECT
  public:
    TavCard(int index, QWidget *parent);

    int index() const { return index_; }
    i16 Suit() const { return suit_; }
    i16 Num() const { return num_; }
    i16 Suitpile() const { return suitpile_; }
    i32 Color() const { return (suit_ == 0 || suit_ == 2) ? 1 : 2; }
    i16 Cell() const { return cell_; }
    i16 Pile() const { return pile_; }
    i16 Pos() const { return pos_; }
    i32 FaceMode() const { return faceMode_; }
    i16 Selected() const { return selected_; }

    void SetValue(i16 suit, i16 num, i16 suitpile);
    void SetLoc(i16 cell, i16 pile, i16 pos);
    void setFaceMode(i32 mode);
    void setSelected(i16 selected);
    // Chosen by the keyboard to be carried: tinted, over whatever face it shows.
    void setChosen(bool on);
    bool chosen() const { return chosen_; }
    void DeckPic(const QImage &pic);
    void MainPic(const QImage &pic);
    void Refreshcard();

    // Logical pixels per design pixel: the table's scale, which maps mouse positions
    // back to twips.
    void setScale(double scale) { scale_ = scale > 0 ? scale : 1; }
    double scale() const { return scale_; }

    // What the control shows now, and how often it was drawn again (for tests).
    const QImage &shownPicture() const { return shown_; }
    int redrawCount() const { return redraws_; }
    bool hasFace() const { return !face_.isNull(); }

  signals:
    void MouseDown(int index, double x, double y);
    void MouseMove(int index, double x, double y);
    void MouseUp(int index, double x, double y);
    void DblClick(int index);

  protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *ev) override;
    void mouseMoveEvent(QMouseEvent *ev) override;
    void mouseReleaseEvent(QMouseEvent *ev) override;
    void mouseDoubleClickEvent(QMouseEvent *ev) override;

  private:
    int index_;
    i16 suit_ = 0, num_ = 0, suitpile_ = 0;
    i16 cell_ = 0, pile_ = 0, pos_ = 0;
    i32 faceMode_ = 1;
    i16 selected_ = 0;
    bool chosen_ = false;
    QImage back_, face_, shown_;
    int redraws_ = 0;
    double scale_ = 1;
};

class TavEmpty : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int Mode READ Mode WRITE setMode)
  public:
    explicit TavEmpty(QWidget *parent);
    int Mode() const { return mode_; }
    void setMode(int mode);
    void Pic(const QImage &pic);
    void Refreshcard();
    const QImage &picture() const { return pic_; }
    int kind = -1; // which marker picture it shows

  signals:
    void Click();

  protected:
    void paintEvent(QPaintEvent *) override;
    void mouseReleaseEvent(QMouseEvent *ev) override;

  private:
    int mode_ = 0;
    QImage pic_;
};

} // namespace tess
