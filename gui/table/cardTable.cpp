#include "gui/table/cardTable.h"

#include <algorithm>
#include <cmath>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPaintEvent>
#include <QPainter>
#include <QThread>

#include "gui/table/pictures.h"
#include "model/cards.h"
#include "store/cData.h"

namespace tess
{

namespace
{
constexpr int kTablePxW = kTableWidth / kTwipsPerPixel;  // 1032
constexpr int kStripMinWidth = 64;                       // device pixels of kept background
constexpr int kTablePxH = kTableHeight / kTwipsPerPixel; // 747
constexpr int kCardPxW = kCardWidth / kTwipsPerPixel;
constexpr int kCardPxH = kCardHeight / kTwipsPerPixel;
// Below this the cards are too small to tell apart; the window scrolls nothing then,
// but a table this small only arises in a window nobody plays in.
constexpr double kMinScale = 0.2;
// How long the stretched pictures may stand in after the last resize step.
constexpr int kCrispDelayMs = 120;
} // namespace

CardTable::CardTable(Engine &engine, cData &data, QWidget *parent) : QWidget(parent), e_(engine), data_(data)
{
    setObjectName(QStringLiteral("PicBack"));
    setFixedSize(kTablePxW, kTablePxH);
    setAttribute(Qt::WA_OpaquePaintEvent);
    cardSize_ = QSize(kCardPxW, kCardPxH);
    bg_ = QImage(kStripMinWidth, kTablePxH, QImage::Format_RGB32);
    bg_.fill(Qt::darkGreen);
    tmrCrisp_.setSingleShot(true);
    tmrCrisp_.setInterval(kCrispDelayMs);
    connect(&tmrCrisp_, &QTimer::timeout, this, &CardTable::refreshPictures);
}

double CardTable::scaleFor(QSize area)
{
    const double s = std::min(area.width() / static_cast<double>(kTablePxW),
                              area.height() / static_cast<double>(kTablePxH));
    return std::max(s, kMinScale);
}

QPoint CardTable::toWidget(double leftTwips, double topTwips) const
{
    return QPoint(origin_.x() + static_cast<int>(roundHalfEven(leftTwips / kTwipsPerPixel * scale_)),
                  origin_.y() + static_cast<int>(roundHalfEven(topTwips / kTwipsPerPixel * scale_)));
}

qreal CardTable::pictureRatio() const
{
    return cardPictureRatio(cardSize_.width(), devicePixelRatioF());
}

void CardTable::setFit(bool on)
{
    if (on == fit_)
        return;
    fit_ = on;
    if (on) {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else {
        setFixedSize(kTablePxW, kTablePxH);
    }
    layOut();
}

void CardTable::resizeEvent(QResizeEvent *)
{
    layOut();
}

void CardTable::layOut()
{
    scale_ = fit_ ? scaleFor(size()) : 1.0;
    origin_ =
        fit_ ? QPoint(qRound((width() - kTablePxW * scale_) / 2), qRound((height() - kTablePxH * scale_) / 2))
             : QPoint(0, 0);
    // Cards keep the design proportions in whole pixels, never wider than their slot.
    const int w = std::max(1, static_cast<int>(std::floor(kCardPxW * scale_ + 1e-9)));
    cardSize_ = QSize(w, qRound(kCardPxH * w / static_cast<double>(kCardPxW)));
    for (int i = 0; i < PicCards.size(); ++i) {
        TavCard *c = PicCards[i];
        c->setScale(scale_);
        c->setFixedSize(cardSize_);
        c->move(toWidget(cardTwips_[i].x(), cardTwips_[i].y()));
    }
    for (auto &[m, at] : markerTwips_) {
        auto *w = const_cast<TavEmpty *>(m);
        w->setFixedSize(cardSize_);
        w->move(toWidget(at.x(), at.y()));
    }
    // Drawing every picture afresh takes longer than one frame: while the window is being
    // resized the old ones stand in, stretched.
    if (!isVisible() || shownRatio_ == 0) {
        refreshPictures();
    } else {
        // The background is cheap to draw at any size with tiles already drawn.
        tmrCrisp_.start();
    }
    update();
}

void CardTable::refreshPictures()
{
    tmrCrisp_.stop();
    const qreal r = pictureRatio();
    if (r != shownRatio_) {
        shownRatio_ = r;
        const QImage back = DeckPic(data_.DeckIndex(), r);
        for (TavCard *c : PicCards)
            c->DeckPic(back);
        for (auto &[m, at] : markerTwips_) {
            auto *w = const_cast<TavEmpty *>(m);
            if (w->kind >= 0)
                w->Pic(RightPic(w->kind, r));
        }
    }
    // Faces are drawn for the cards that show them; the others on turning up.
    for (int i = 0; i < PicCards.size(); ++i) {
        TavCard *c = PicCards[i];
        if (faceRatios_[i] != r && facePics_[i] >= 1 && !c->isHidden() && c->FaceMode() != 1) {
            faceRatios_[i] = r;
            c->MainPic(faceImage(facePics_[i]));
        }
    }
    paintBackground(r);
    update();
}

void CardTable::setHint(const QString &text)
{
    if (text == hint_)
        return;
    hint_ = text;
    update();
}

void CardTable::CreateCardControls()
{
    // Markers first, so every card created after them lies in front.
    auto makeMarkers = [this](QVector<TavEmpty *> &arr, int count, const QString &name) {
        for (int i = 0; i < count; ++i) {
            auto *m = new TavEmpty(this);
            m->setObjectName(QStringLiteral("%1_%2").arg(name).arg(i));
            arr.append(m);
        }
    };
    makeMarkers(PicHome, 18, QStringLiteral("PicHome"));
    makeMarkers(PicRight, 8, QStringLiteral("PicRight"));
    makeMarkers(PicRes, 10, QStringLiteral("PicRes"));
    makeMarkers(PicWaste, 1, QStringLiteral("PicWaste"));
    PicStock = new TavEmpty(this);
    PicStock->setObjectName(QStringLiteral("PicStock"));
    connect(PicStock, &TavEmpty::Click, this, &CardTable::stockMarkerClicked);

    facePics_.fill(0, kMaxCards);
    faceRatios_.fill(0, kMaxCards);
    cardTwips_.fill(QPointF(), kMaxCards);
    for (int i = 0; i < kMaxCards; ++i) {
        auto *c = new TavCard(i, this);
        connect(c, &TavCard::MouseDown, this, &CardTable::cardPressed);
        connect(c, &TavCard::MouseMove, this, &CardTable::cardDragged);
        connect(c, &TavCard::MouseUp, this, &CardTable::cardReleased);
        PicCards.append(c);
    }
    shownRatio_ = 0;
    layOut();
}

void CardTable::SetDeckBacks()
{
    const QImage back = DeckPic(data_.DeckIndex(), pictureRatio());
    for (TavCard *c : PicCards)
        c->DeckPic(back);
}

void CardTable::SetBG(int ind, int fade, i32 customColor)
{
    bgInd_ = ind;
    bgFade_ = fade;
    bgColor_ = customColor;
    paintBackground(pictureRatio());
    update();
}

void CardTable::paintBackground(qreal tileRatio)
{
    const qreal dpr = devicePixelRatioF();
    // Textures grow with the table, in the same whole-pixel steps as the cards.
    const qreal tileScale = fit_ && tileRatio > 0 ? tileRatio / dpr : 1.0;
    // Every background repeats across: textures tile from the left edge and gradients change
    // only downwards. One strip a whole number of tiles wide is kept instead of the table.
    const int full = qRound(width() * dpr);
    const int period = BackgroundPeriod(bgInd_, dpr * tileScale);
    const int strip = std::min(full, (kStripMinWidth + period - 1) / period * period);
    bg_ = QImage(std::max(1, strip), qRound(height() * dpr), QImage::Format_RGB32);
    bg_.setDevicePixelRatio(dpr);
    tess::SetBG(bgInd_, bg_, bgFade_, bgColor_, tileScale);
}

void CardTable::paintEvent(QPaintEvent *ev)
{
    QPainter p(this);
    const qreal dpr = bg_.devicePixelRatio();
    const qreal step = bg_.width() / dpr;
    // Mid-resize the old strip stands in, stretched downwards, until it is redrawn.
    const qreal h = height();
    const QRect area = ev->rect();
    for (int i = static_cast<int>(area.left() / step); i * step <= area.right(); ++i)
        p.drawImage(QRectF(i * step, 0, step, h), bg_);
    if (hint_.isEmpty())
        return;
    QFont f = font();
    f.setPixelSize(std::max(12, qRound(20 * scale_)));
    f.setBold(true);
    p.setFont(f);
    const QRect table(origin_, QSize(qRound(kTablePxW * scale_), qRound(kTablePxH * scale_)));
    const QRect shown = table.intersected(rect());
    p.setPen(QColor(0, 0, 0, 150));
    p.drawText(shown.translated(1, 1), Qt::AlignCenter | Qt::TextWordWrap, hint_);
    p.setPen(QColor(250, 250, 240));
    p.drawText(shown, Qt::AlignCenter | Qt::TextWordWrap, hint_);
}

QImage CardTable::faceImage(int pic) const
{
    return MainPic(pic, pictureRatio());
}

void CardTable::cardMoved(int picId, double left, double top)
{
    const CardState &s = e_.card(picId);
    TavCard *c = PicCards[picId];
    cardTwips_[picId] = QPointF(left, top);
    if (c->isVisible())
        moved_ += c->geometry();
    c->move(toWidget(left, top));
    if (c->isVisible())
        moved_ += c->geometry();
    c->SetLoc(s.Cell, s.Pile, s.Pos);
}

void CardTable::cardRaised(int picId)
{
    PicCards[picId]->raise();
}

void CardTable::cardShown(int picId, bool visible)
{
    TavCard *c = PicCards[picId];
    // A face kept hidden through a resize is drawn for the present size before it shows.
    const qreal r = pictureRatio();
    if (visible && c->FaceMode() != 1 && facePics_[picId] >= 1 && faceRatios_[picId] != r) {
        faceRatios_[picId] = r;
        c->MainPic(faceImage(facePics_[picId]));
    }
    c->setVisible(visible);
}

void CardTable::cardFaceChanged(int picId)
{
    const CardState &s = e_.card(picId);
    TavCard *c = PicCards[picId];
    if (s.Suit != c->Suit() || s.Num != c->Num() || s.Suitpile != c->Suitpile())
        c->SetValue(s.Suit, s.Num, s.Suitpile);
    const qreal r = pictureRatio();
    // A face is drawn when first shown: cards dealt face down never cost a picture.
    if (s.FaceMode != 1 && (s.FacePic != facePics_[picId] || faceRatios_[picId] != r) && s.FacePic >= 1 &&
        s.FacePic <= 52) {
        facePics_[picId] = s.FacePic;
        faceRatios_[picId] = r;
        c->MainPic(faceImage(s.FacePic));
    }
    c->setFaceMode(s.FaceMode);
    c->setSelected(s.Selected);
    c->SetLoc(s.Cell, s.Pile, s.Pos);
}

TavEmpty *CardTable::marker(MarkerArray array, int index) const
{
    switch (array) {
    case MarkerArray::Home:
        return PicHome.value(index);
    case MarkerArray::Goal:
        return PicRight.value(index);
    case MarkerArray::Res:
        return PicRes.value(index);
    case MarkerArray::Waste:
        return PicWaste.value(index);
    case MarkerArray::Stock:
        return PicStock;
    }
    return nullptr;
}

void CardTable::markerPlaced(MarkerArray array, int index, int kind, i16 left, i16 top)
{
    TavEmpty *m = marker(array, index);
    if (!m)
        return;
    markerKindChanged(array, index, kind);
    markerTwips_[m] = QPoint(left, top);
    m->setFixedSize(cardSize_);
    m->move(toWidget(left, top));
    m->show();
}

void CardTable::markerKindChanged(MarkerArray array, int index, int kind)
{
    TavEmpty *m = marker(array, index);
    if (!m || m->kind == kind)
        return;
    m->kind = kind;
    m->Pic(RightPic(kind, pictureRatio()));
}

void CardTable::allHidden()
{
    for (int i = 0; i < PicCards.size(); ++i) {
        PicCards[i]->hide();
        PicCards[i]->SetLoc(0, 0, 0);
        PicCards[i]->SetValue(0, 0, 0);
    }
    for (auto *arr : {&PicHome, &PicRight, &PicRes, &PicWaste})
        for (TavEmpty *m : *arr)
            m->hide();
    if (PicStock)
        PicStock->hide();
}

void CardTable::repaint()
{
    // Only where cards moved: on a large table a whole redraw per mouse move costs more
    // than a frame.
    update(moved_);
    moved_ = QRegion();
}

bool CardTable::animates() const
{
    return animated_ && isVisible();
}

void CardTable::animationStep()
{
    // Draw this step now, then hold it briefly; user input waits until the move is over.
    QElapsedTimer t;
    t.start();
    QWidget::repaint(moved_);
    moved_ = QRegion();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    const qint64 left = stepMillis - t.elapsed();
    if (left > 0)
        QThread::msleep(static_cast<unsigned long>(left));
}

void CardTable::processEvents()
{
    if (!isVisible())
        return;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void CardTable::playSound(const std::string &name)
{
    data_.PlaySound(QString::fromStdString(name));
}

} // namespace tess
