#include "app/gui/cardTable.h"

#include <algorithm>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPaintEvent>
#include <QPainter>
#include <QThread>

#include "app/cData.h"
#include "app/gui/pictures.h"
#include "model/cards.h"

namespace tess
{

namespace
{
constexpr int kTablePxW = kTableWidth / kTwipsPerPixel;  // 1032
constexpr int kStripMinWidth = 64;                       // device pixels of kept background
constexpr int kTablePxH = kTableHeight / kTwipsPerPixel; // 747

int px(double twips)
{
    return static_cast<int>(roundHalfEven(twips / kTwipsPerPixel));
}
} // namespace

CardTable::CardTable(Engine &engine, cData &data, QWidget *parent) : QWidget(parent), e_(engine), data_(data)
{
    setObjectName(QStringLiteral("PicBack"));
    setFixedSize(kTablePxW, kTablePxH);
    setAttribute(Qt::WA_OpaquePaintEvent);
    bg_ = QImage(kStripMinWidth, kTablePxH, QImage::Format_RGB32);
    bg_.fill(Qt::darkGreen);
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
    for (int i = 0; i < kMaxCards; ++i) {
        auto *c = new TavCard(i, this);
        connect(c, &TavCard::MouseDown, this, &CardTable::cardPressed);
        connect(c, &TavCard::MouseMove, this, &CardTable::cardDragged);
        connect(c, &TavCard::MouseUp, this, &CardTable::cardReleased);
        PicCards.append(c);
    }
    SetDeckBacks();
}

void CardTable::SetDeckBacks()
{
    const QImage back = DeckPic(data_.DeckIndex(), devicePixelRatioF());
    for (TavCard *c : PicCards)
        c->DeckPic(back);
}

void CardTable::SetBG(int ind, int fade, i32 customColor)
{
    const qreal dpr = devicePixelRatioF();
    // Every background repeats across: textures tile from the left edge and gradients change
    // only downwards. One strip a whole number of tiles wide is kept instead of the table.
    const int period = BackgroundPeriod(ind, dpr);
    const int width = std::min(qRound(kTablePxW * dpr), (kStripMinWidth + period - 1) / period * period);
    bg_ = QImage(width, qRound(kTablePxH * dpr), QImage::Format_RGB32);
    bg_.setDevicePixelRatio(dpr);
    tess::SetBG(ind, bg_, fade, customColor);
    update();
}

void CardTable::paintEvent(QPaintEvent *ev)
{
    QPainter p(this);
    const qreal step = bg_.width() / bg_.devicePixelRatio();
    const QRect area = ev->rect();
    for (int i = static_cast<int>(area.left() / step); i * step <= area.right(); ++i)
        p.drawImage(QPointF(i * step, 0), bg_);
}

QImage CardTable::faceImage(int pic) const
{
    return MainPic(pic, devicePixelRatioF());
}

void CardTable::cardMoved(int picId, double left, double top)
{
    const CardState &s = e_.card(picId);
    TavCard *c = PicCards[picId];
    c->move(px(left), px(top));
    c->SetLoc(s.Cell, s.Pile, s.Pos);
}

void CardTable::cardRaised(int picId)
{
    PicCards[picId]->raise();
}

void CardTable::cardShown(int picId, bool visible)
{
    PicCards[picId]->setVisible(visible);
}

void CardTable::cardFaceChanged(int picId)
{
    const CardState &s = e_.card(picId);
    TavCard *c = PicCards[picId];
    if (s.Suit != c->Suit() || s.Num != c->Num() || s.Suitpile != c->Suitpile())
        c->SetValue(s.Suit, s.Num, s.Suitpile);
    // A face is drawn when first shown: cards dealt face down never cost a picture.
    if (s.FaceMode != 1 && s.FacePic != facePics_[picId] && s.FacePic >= 1 && s.FacePic <= 52) {
        facePics_[picId] = s.FacePic;
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
    m->move(px(left), px(top));
    m->show();
}

void CardTable::markerKindChanged(MarkerArray array, int index, int kind)
{
    TavEmpty *m = marker(array, index);
    if (!m || m->kind == kind)
        return;
    m->kind = kind;
    m->Pic(RightPic(kind, devicePixelRatioF()));
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
    update();
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
    QWidget::repaint();
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
