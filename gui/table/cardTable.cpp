#include "gui/table/cardTable.h"

#include <algorithm>
#include <cmath>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPaintEvent>
#include <QPainter>
#include <QThread>
#include <QtMath>

#include "gui/table/pictures.h"
#include "model/cGames.h"
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
// Room kept below a fanned pile's first card, in places: a long run before the fan closes up.
constexpr int kFanRoom = 9;
// Space kept around the piles, in card widths.
constexpr double kBoxMargin = 0.12;
// The closest a fan is drawn: face-up cards keep their corner index readable (twips of the
// design card), face-down ones a sliver of their back (screen pixels).
constexpr double kReadableStep = 180;
constexpr double kBackSliverPx = 3;
// A fitted table has room to show more of each face-down back than the design's few pixels:
// a player counts the cards still to turn at a glance (twips of the design card).
constexpr double kFittedBackStep = kCardHeight * 0.16;
// The shadow of carried cards: how far it falls and how soft it is, in card widths.
constexpr double kShadowFall = 0.05;
constexpr double kShadowBlur = 0.07;
} // namespace

CardTable::CardTable(Engine &engine, cData &data, QWidget *parent) : QWidget(parent), e_(engine), data_(data)
{
    setObjectName(QStringLiteral("PicBack"));
    setFixedSize(kTablePxW, kTablePxH);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The keys play on the table itself.
    setFocusPolicy(Qt::StrongFocus);
    cardSize_ = QSize(kCardPxW, kCardPxH);
    bg_ = QImage(kStripMinWidth, kTablePxH, QImage::Format_RGB32);
    bg_.fill(Qt::darkGreen);
    tmrCrisp_.setSingleShot(true);
    tmrCrisp_.setInterval(kCrispDelayMs);
    connect(&tmrCrisp_, &QTimer::timeout, this, &CardTable::refreshPictures);
}

double CardTable::scaleFor(QSize area, QRectF box)
{
    const double s = std::min(area.width() / (box.width() / kTwipsPerPixel),
                              area.height() / (box.height() / kTwipsPerPixel));
    return std::max(s, kMinScale);
}

QRectF CardTable::pileBox() const
{
    const cGames &g = e_.Games;
    QRectF box;
    auto take = [&](int cell, int pile, int pos) {
        const QRectF card(g.GetCordX(cell, pile, pos, 0), g.GetCordY(cell, pile, pos, 0), kCardWidth,
                          kCardHeight);
        box = box.isNull() ? card : box.united(card);
    };
    for (int cell : {Home, Goal, Res}) {
        for (int pile = 0; pile < g.Piles(cell); ++pile) {
            take(cell, pile, 0);
            // A fanned pile keeps room for a run below (or beside) its first card; a longer
            // one is drawn closer together.
            if (g.GetCordX(cell, pile, 1, 0) != g.GetCordX(cell, pile, 0, 0) ||
                g.GetCordY(cell, pile, 1, 0) != g.GetCordY(cell, pile, 0, 0))
                take(cell, pile, kFanRoom);
        }
    }
    // The stock and the waste stack up and to the left as they grow.
    for (int cell : {Stock, Waste}) {
        if (g.Piles(cell) > 0) {
            take(cell, 0, 0);
            take(cell, 0, std::max<int>(0, g.TotalCards() - 1));
        }
    }
    if (box.isNull())
        return QRectF(0, 0, kTableWidth, kTableHeight);
    const double m = kCardWidth * kBoxMargin;
    return box.adjusted(-m, -m, m, m);
}

QPoint CardTable::toWidget(double leftTwips, double topTwips) const
{
    return QPoint(origin_.x() + static_cast<int>(roundHalfEven(leftTwips / kTwipsPerPixel * scale_)),
                  origin_.y() + static_cast<int>(roundHalfEven(topTwips / kTwipsPerPixel * scale_)));
}

PlaceShift CardTable::shownShift(int cell, int pile, int pos) const
{
    if (cell < 0 || cell >= static_cast<int>(shifts_.size()) || pile < 0 || pos < 0)
        return {};
    const auto &piles = shifts_[static_cast<size_t>(cell)];
    if (pile >= static_cast<int>(piles.size()) ||
        pos >= static_cast<int>(piles[static_cast<size_t>(pile)].size()))
        return {};
    return piles[static_cast<size_t>(pile)][static_cast<size_t>(pos)];
}

QRect CardTable::placeRect(int cell, int pile, int pos) const
{
    const PlaceShift d = shownShift(cell, pile, pos);
    // A face-down card lies where it was put, before the cards above it.
    const int closed = cell == Home ? std::min<int>(pos, e_.Array.ClosedCards(pile)) : 0;
    const cGames &g = e_.Games;
    return QRect(
        toWidget(g.GetCordX(cell, pile, pos, closed) + d.x, g.GetCordY(cell, pile, pos, closed) + d.y),
        cardSize_);
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
    const QRectF box = fit_ ? pileBox() : QRectF(0, 0, kTableWidth, kTableHeight);
    if (fit_)
        box_ = box;
    scale_ = fit_ ? scaleFor(size(), box) : 1.0;
    const double k = scale_ / kTwipsPerPixel;
    // Centred across, but held to the top: height to spare is room for the fans to run down.
    origin_ = fit_ ? QPoint(qRound((width() - box.width() * k) / 2 - box.left() * k), qRound(-box.top() * k))
                   : QPoint(0, 0);
    // Cards keep the design proportions in whole pixels, never wider than their slot.
    const int w = std::max(1, static_cast<int>(std::floor(kCardPxW * scale_ + 1e-9)));
    cardSize_ = QSize(w, qRound(kCardPxH * w / static_cast<double>(kCardPxW)));
    // A corner drawn at most here keeps the whole card on the table (toWidget rounds by half a pixel).
    limit_ = QPointF((width() - origin_.x() - cardSize_.width() - 0.5) / k,
                     (height() - origin_.y() - cardSize_.height() - 0.5) / k);
    for (TavCard *c : PicCards) {
        c->setScale(scale_);
        c->setFixedSize(cardSize_);
    }
    arrangeFans();
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

std::array<std::vector<std::vector<char>>, 5> CardTable::pileFaces() const
{
    // Which places are filled, and face down, from the cards themselves: the pile array is
    // updated only after a card reports its new place.
    std::array<std::vector<std::vector<char>>, 5> down;
    for (int i = 0; i < kMaxCards; ++i) {
        const CardState &s = e_.card(i);
        if (!s.Visible || (s.Cell != Home && s.Cell != Goal && s.Cell != Res) || s.Pile < 0 || s.Pos < 0)
            continue;
        auto &piles = down[static_cast<size_t>(s.Cell)];
        if (piles.size() <= static_cast<size_t>(s.Pile))
            piles.resize(static_cast<size_t>(s.Pile) + 1);
        auto &pile = piles[static_cast<size_t>(s.Pile)];
        if (pile.size() <= static_cast<size_t>(s.Pos))
            pile.resize(static_cast<size_t>(s.Pos) + 1, 0);
        pile[static_cast<size_t>(s.Pos)] = s.FaceMode == kFaceDown ? 1 : 0;
    }
    return down;
}

std::vector<PlaceShift> CardTable::fanShifts(int cell, int p, const std::vector<char> &faces) const
{
    const int n = static_cast<int>(faces.size());
    if (n < 2)
        return {};
    const cGames &g = e_.Games;
    const double px = kTwipsPerPixel / scale_;
    const int closed = cell == Home ? static_cast<int>(std::count(faces.begin(), faces.end(), 1)) : 0;
    // A face-down card lies where it was put, before the cards above it.
    auto at = [&](int pos) {
        const int c = std::min(pos, closed);
        return QPointF(g.GetCordX(cell, p, pos, c), g.GetCordY(cell, p, pos, c));
    };
    const QPointF first = at(0), last = at(n - 1);
    const bool down = std::abs(last.y() - first.y()) >= std::abs(last.x() - first.x());
    auto along = [down](QPointF v) { return down ? v.y() : v.x(); };
    if (along(last) <= along(first))
        return {};
    // Steps between neighbours, backs opened up in a falling fan, and how far each may close:
    // face-down ones first, then face-up ones down to a readable corner, and only then all alike.
    std::vector<double> step(static_cast<size_t>(n), 0), slackDown(step), slackUp(step);
    double sumDown = 0, sumUp = 0, sumAll = 0;
    for (int i = 1; i < n; ++i) {
        const auto u = static_cast<size_t>(i);
        step[u] = std::max(0.0, along(at(i)) - along(at(i - 1)));
        if (down && faces[u - 1] && step[u] > 0)
            step[u] = std::max(step[u], kFittedBackStep);
        sumAll += step[u];
    }
    const double opened = along(first) + sumAll - along(last);
    const double excess = along(first) + sumAll - (down ? limit_.y() : limit_.x());
    if (excess <= 0 && opened <= 0)
        return {};
    for (int i = 1; i < n; ++i) {
        const auto u = static_cast<size_t>(i);
        if (faces[u - 1])
            sumDown += slackDown[u] = std::max(0.0, step[u] - kBackSliverPx * px);
        else
            sumUp += slackUp[u] = std::max(0.0, step[u] - kReadableStep);
    }
    const double fromDown = std::clamp(excess, 0.0, sumDown);
    const double fromUp = std::clamp(excess - fromDown, 0.0, sumUp);
    const double rest = std::max(0.0, excess - fromDown - fromUp);
    const double left = sumAll - fromDown - fromUp;
    const double restShare = rest > 0 && left > 0 ? rest / left : 0;
    std::vector<PlaceShift> shift(static_cast<size_t>(n));
    double shown = along(first);
    for (int i = 1; i < n; ++i) {
        const auto u = static_cast<size_t>(i);
        double s = step[u];
        if (sumDown > 0)
            s -= slackDown[u] * fromDown / sumDown;
        if (sumUp > 0)
            s -= slackUp[u] * fromUp / sumUp;
        s -= s * std::min(1.0, restShare);
        shown += s;
        (down ? shift[u].y : shift[u].x) = shown - along(at(i));
    }
    return shift;
}

void CardTable::arrangeFans()
{
    for (auto &piles : shifts_)
        piles.clear();
    if (fit_) {
        const auto faces = pileFaces();
        for (int cell : {Home, Goal, Res}) {
            const auto &piles = faces[static_cast<size_t>(cell)];
            auto &out = shifts_[static_cast<size_t>(cell)];
            out.resize(piles.size());
            for (size_t pile = 0; pile < piles.size(); ++pile)
                out[pile] = fanShifts(cell, static_cast<int>(pile), piles[pile]);
        }
    }
    for (int i = 0; i < PicCards.size(); ++i)
        placeCard(i);
}

PlaceShift CardTable::landingShift(int cell, int pile, int pos) const
{
    if (!fit_ || (cell != Home && cell != Goal && cell != Res) || pile < 0 || pos < 0)
        return shownShift(cell, pile, pos);
    // The pile as it will stand with the card come to rest on it, face up.
    const auto all = pileFaces();
    const auto &piles = all[static_cast<size_t>(cell)];
    std::vector<char> faces =
        static_cast<size_t>(pile) < piles.size() ? piles[static_cast<size_t>(pile)] : std::vector<char>{};
    faces.resize(static_cast<size_t>(pos) + 1, 0);
    faces[static_cast<size_t>(pos)] = 0;
    const std::vector<PlaceShift> shift = fanShifts(cell, pile, faces);
    return static_cast<size_t>(pos) < shift.size() ? shift[static_cast<size_t>(pos)] : PlaceShift{};
}

QRect CardTable::dirtyRect(const QRect &card) const
{
    // A carried card's shadow falls below and to the right.
    const int m = qCeil(cardSize_.width() * (kShadowBlur + kShadowFall)) + 1;
    return card.adjusted(-m, -m, m, m);
}

void CardTable::placeCard(int picId)
{
    TavCard *c = PicCards[picId];
    const PlaceShift d = shownShift(c->Cell(), c->Pile(), c->Pos());
    const QPointF at = cardTwips_[picId];
    const QPoint to = toWidget(at.x() + d.x, at.y() + d.y);
    if (to == c->pos())
        return;
    if (c->isVisible())
        moved_ += dirtyRect(c->geometry());
    c->move(to);
    if (c->isVisible())
        moved_ += dirtyRect(c->geometry());
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
    connect(PicStock, &TavEmpty::Click, this, &CardTable::leaveKeyboard);
    connect(PicStock, &TavEmpty::Click, this, &CardTable::stockMarkerClicked);
    nameMarkers();

    facePics_.fill(0, kMaxCards);
    faceRatios_.fill(0, kMaxCards);
    cardTwips_.fill(QPointF(), kMaxCards);
    for (int i = 0; i < kMaxCards; ++i) {
        auto *c = new TavCard(i, this);
        // Noted before the play code hears of it: with the engine's drag it tells what is carried.
        connect(c, &TavCard::MouseDown, this, [this](int index) { pressed_ = index; });
        connect(c, &TavCard::MouseUp, this, [this] {
            QRegion shadows;
            for (int id : carriedCards())
                shadows += dirtyRect(PicCards[id]->geometry());
            update(shadows);
        });
        connect(c, &TavCard::MouseDown, this, [this](int index, double x, double y) {
            leaveKeyboard();
            if (std::exchange(swallowPress_, false))
                return;
            emit cardPressed(index, x, y);
        });
        connect(c, &TavCard::DblClick, this, [this](int index) {
            // The press that comes with the double click would pick the card up off its foundation.
            if (dblClickHome_ && sendHome(index))
                swallowPress_ = true;
        });
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

QVector<int> CardTable::carriedCards() const
{
    QVector<int> ids;
    if (!e_.Drag.Dragging || pressed_ < 0 || pressed_ >= PicCards.size())
        return ids;
    ids.append(pressed_);
    const CardState &s = e_.card(pressed_);
    for (int k = 1; s.Cell == Home && k <= e_.Drag.DragCount; ++k) {
        const int id = e_.Array.GetPicID(Home, s.Pile, s.Pos + k);
        if (id >= 0)
            ids.append(id);
    }
    return ids;
}

const QImage &CardTable::shadow()
{
    const qreal dpr = devicePixelRatioF();
    const int blur = qCeil(cardSize_.width() * kShadowBlur * dpr);
    const QSize want(qRound(cardSize_.width() * dpr) + 2 * blur, qRound(cardSize_.height() * dpr) + 2 * blur);
    if (shadow_.size() == want && shadow_.devicePixelRatio() == dpr)
        return shadow_;
    // Drawn once per card size: a card's outline in translucent black, softened by three box
    // blurs (close to a Gaussian), kept as alpha only.
    QImage a(want, QImage::Format_Alpha8);
    a.fill(0);
    {
        QPainter p(&a);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 110));
        const qreal r = cardSize_.width() * dpr * 0.06;
        p.drawRoundedRect(QRectF(blur, blur, want.width() - 2 * blur, want.height() - 2 * blur), r, r);
    }
    const int radius = std::max(1, blur / 3);
    std::vector<int> line;
    auto pass = [&](bool across) {
        const int len = across ? a.width() : a.height();
        const int lines = across ? a.height() : a.width();
        line.resize(static_cast<size_t>(len));
        for (int l = 0; l < lines; ++l) {
            auto px = [&](int i) -> uchar & { return across ? a.scanLine(l)[i] : a.scanLine(i)[l]; };
            for (int i = 0; i < len; ++i)
                line[static_cast<size_t>(i)] = px(i);
            int sum = 0;
            for (int i = -radius; i <= radius; ++i)
                sum += i >= 0 && i < len ? line[static_cast<size_t>(i)] : 0;
            for (int i = 0; i < len; ++i) {
                px(i) = static_cast<uchar>(sum / (2 * radius + 1));
                const int out = i - radius, in = i + radius + 1;
                sum += (in < len ? line[static_cast<size_t>(in)] : 0) -
                       (out >= 0 ? line[static_cast<size_t>(out)] : 0);
            }
        }
    };
    for (int k = 0; k < 3; ++k) {
        pass(true);
        pass(false);
    }
    shadow_ = QImage(want, QImage::Format_ARGB32_Premultiplied);
    shadow_.fill(Qt::transparent);
    for (int y = 0; y < want.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(shadow_.scanLine(y));
        const uchar *alpha = a.constScanLine(y);
        for (int x = 0; x < want.width(); ++x)
            row[x] = qRgba(0, 0, 0, alpha[x]);
    }
    shadow_.setDevicePixelRatio(dpr);
    return shadow_;
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
    // Carried cards lie above the table: their shadow falls on it, under every card.
    const QVector<int> carried = carriedCards();
    if (!carried.isEmpty()) {
        const QImage &sh = shadow();
        const qreal blur = (sh.width() / sh.devicePixelRatio() - cardSize_.width()) / 2;
        const qreal fall = cardSize_.width() * kShadowFall;
        for (int id : carried) {
            const TavCard *c = PicCards[id];
            if (c->isVisible())
                p.drawImage(QPointF(c->x() - blur + fall, c->y() - blur + fall), sh);
        }
    }
    const QRect frame = focusFrame();
    if (!frame.isNull()) {
        // Dark under light, so it shows on every background; as thick as the cards are large.
        p.setRenderHint(QPainter::Antialiasing);
        const qreal pen = std::max(2.0, cardSize_.width() * 0.03);
        const qreal r = cardSize_.width() * 0.08;
        const QRectF f = QRectF(frame).adjusted(pen / 2, pen / 2, -pen / 2, -pen / 2);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0, 0, 0, 190), pen * 3));
        p.drawRoundedRect(f, r, r);
        p.setPen(QPen(QColor(255, 214, 40), pen));
        p.drawRoundedRect(f, r, r);
        p.setRenderHint(QPainter::Antialiasing, false);
    }
    if (hint_.isEmpty())
        return;
    QFont f = font();
    f.setPixelSize(std::max(12, qRound(20 * scale_)));
    f.setBold(true);
    p.setFont(f);
    const QRect shown = rect();
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
    const bool relocated = s.Cell != c->Cell() || s.Pile != c->Pile() || s.Pos != c->Pos();
    if (relocated) {
        if (c->isVisibleTo(this))
            nameChanged(c->Cell(), c->Pile());
        nameChanged(s.Cell, s.Pile);
    }
    const bool framed = keysUsed_ && ((c->Cell() == focus_.cell && c->Pile() == focus_.pile) ||
                                      (s.Cell == focus_.cell && s.Pile == focus_.pile));
    c->SetLoc(s.Cell, s.Pile, s.Pos);
    // A pile that changed may have to close up or may open again: all of it is placed anew.
    if (relocated && fit_)
        arrangeFans();
    else
        placeCard(picId);
    // The frame follows the cards of its pile, up to where the last one lands.
    if (framed)
        updateFrame();
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
    const bool changed = c->isVisibleTo(this) != visible;
    c->setVisible(visible);
    if (changed)
        nameChanged(c->Cell(), c->Pile());
    // Only a card that appears or goes can change how a fan closes up.
    if (fit_ && changed)
        arrangeFans();
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
    const bool turned = s.FaceMode != c->FaceMode();
    if (turned)
        nameChanged(s.Cell, s.Pile);
    c->setFaceMode(s.FaceMode);
    c->setSelected(s.Selected);
    c->SetLoc(s.Cell, s.Pile, s.Pos);
    // Face-down cards are the first to close up in a long fan.
    if (turned && fit_)
        arrangeFans();
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
    static constexpr int cells[] = {Home, Goal, Res, Waste, Stock};
    nameChanged(cells[static_cast<int>(array)], index);
    // A new game fills the window with its own piles.
    if (fit_ && pileBox() != box_) {
        box_ = pileBox();
        layOut();
    }
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
    for (auto &piles : shifts_)
        piles.clear();
    for (auto *arr : {&PicHome, &PicRight, &PicRes, &PicWaste})
        for (TavEmpty *m : *arr)
            m->hide();
    if (PicStock)
        PicStock->hide();
    // A new deal starts the keys on the first tableau pile, with nothing in hand.
    putBack();
    focus_ = PileRef{};
    updateFrame();
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
