#include "gui/table/tavCard.h"

#include <algorithm>

#include <QMouseEvent>
#include <QPainter>

#include "model/cards.h"

namespace tess
{

namespace
{
constexpr int kW = kCardWidth / kTwipsPerPixel;
constexpr int kH = kCardHeight / kTwipsPerPixel;

// Both controls show one picture over the whole control; its clear corners let the table through.
// A picture drawn for this size is copied pixel for pixel; any other (one from before a
// resize, until the table draws it afresh) is stretched over the control.
void drawPicture(QWidget *w, const QImage &pic)
{
    if (pic.isNull())
        return;
    QPainter p(w);
    const qreal dpr = w->devicePixelRatioF();
    const QSizeF logical(pic.width() / dpr, pic.height() / dpr);
    if (qAbs(logical.width() - w->width()) < 1 && qAbs(logical.height() - w->height()) < 1) {
        p.drawImage(QRectF(QPointF(0, 0), logical), pic);
        return;
    }
    // Plain sampling: this stands in only for the moments of a resize, where speed counts.
    p.drawImage(w->rect(), pic);
}
} // namespace

TavCard::TavCard(int index, QWidget *parent) : QWidget(parent), index_(index)
{
    setObjectName(QStringLiteral("PicCards_%1").arg(index));
    setFixedSize(kW, kH);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    hide();
}

void TavCard::SetValue(i16 suit, i16 num, i16 suitpile)
{
    suit_ = suit;
    num_ = num;
    suitpile_ = suitpile;
    Refreshcard();
}

void TavCard::SetLoc(i16 cell, i16 pile, i16 pos)
{
    cell_ = cell;
    pile_ = pile;
    pos_ = pos;
}

void TavCard::setFaceMode(i32 mode)
{
    if (mode == faceMode_)
        return;
    faceMode_ = mode;
    Refreshcard();
}

void TavCard::setSelected(i16 selected)
{
    if (selected == selected_)
        return;
    selected_ = selected;
    Refreshcard();
}

void TavCard::setChosen(bool on)
{
    if (on == chosen_)
        return;
    chosen_ = on;
    update();
}

void TavCard::DeckPic(const QImage &pic)
{
    if (pic.isNull())
        return;
    back_ = pic;
    Refreshcard();
}

void TavCard::MainPic(const QImage &pic)
{
    if (pic.isNull())
        return;
    face_ = pic;
    Refreshcard();
}

void TavCard::Refreshcard()
{
    ++redraws_;
    if (faceMode_ == 1) {
        shown_ = back_;
    } else {
        shown_ = face_;
        // Negative colours mark a selected face; the rounded corners stay clear.
        if (selected_ == -1 && !shown_.isNull()) {
            shown_ = shown_.convertToFormat(QImage::Format_ARGB32);
            shown_.invertPixels(QImage::InvertRgb);
        }
    }
    update();
}

void TavCard::paintEvent(QPaintEvent *)
{
    drawPicture(this, shown_);
    if (!chosen_)
        return;
    // A blue wash and rim: unlike the hint's negative colours, and seen on a back as on a face.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal rim = std::max(2.0, width() * 0.045);
    const qreal r = width() * 0.06;
    const QRectF inside = QRectF(rect()).adjusted(rim / 2, rim / 2, -rim / 2, -rim / 2);
    p.setPen(QPen(QColor(20, 90, 220), rim));
    p.setBrush(QColor(70, 150, 255, 80));
    p.drawRoundedRect(inside, r, r);
}

// Positions go to the play code in twips, relative to this card.
void TavCard::mousePressEvent(QMouseEvent *ev)
{
    const double k = kTwipsPerPixel / scale_;
    emit MouseDown(index_, ev->position().x() * k, ev->position().y() * k);
}

void TavCard::mouseMoveEvent(QMouseEvent *ev)
{
    const double k = kTwipsPerPixel / scale_;
    emit MouseMove(index_, ev->position().x() * k, ev->position().y() * k);
}

void TavCard::mouseReleaseEvent(QMouseEvent *ev)
{
    const double k = kTwipsPerPixel / scale_;
    emit MouseUp(index_, ev->position().x() * k, ev->position().y() * k);
}

void TavCard::mouseDoubleClickEvent(QMouseEvent *ev)
{
    // A double click counts as a second press; it has no action of its own.
    emit DblClick(index_);
    mousePressEvent(ev);
}

TavEmpty::TavEmpty(QWidget *parent) : QWidget(parent)
{
    setFixedSize(kW, kH);
    hide();
}

void TavEmpty::setMode(int mode)
{
    mode_ = mode;
    Refreshcard();
}

void TavEmpty::Pic(const QImage &pic)
{
    if (pic.isNull())
        return;
    pic_ = pic;
    Refreshcard();
}

void TavEmpty::Refreshcard()
{
    update();
}

void TavEmpty::paintEvent(QPaintEvent *)
{
    drawPicture(this, pic_);
}

void TavEmpty::mouseReleaseEvent(QMouseEvent *ev)
{
    if (rect().contains(ev->position().toPoint()))
        emit Click();
}

} // namespace tess
