// Keyboard play on the table, and the names a screen reader reads for its piles and cards.
#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

#include <QKeyEvent>
#include <QPainter>

#include "gui/table/cardTable.h"
#include "model/names.h"
#include "play/mFunc.h"
#include "play/mPlay.h"

namespace tess
{

namespace
{
QString capitalised(const std::string &s)
{
    QString q = QString::fromStdString(s);
    if (!q.isEmpty())
        q[0] = q[0].toUpper();
    return q;
}

QString counted(int n, const char *what)
{
    return QStringLiteral("%1 %2%3").arg(n).arg(QLatin1String(what)).arg(n == 1 ? "" : "s");
}
} // namespace

bool CardTable::inGame(PileRef p) const
{
    return p.pile >= 0 && p.pile < e_.Games.Piles(p.cell);
}

std::vector<CardTable::PileRef> CardTable::keyRow(bool top) const
{
    const cGames &g = e_.Games;
    std::vector<PileRef> row;
    if (!top) {
        for (int i = 0; i < g.Piles(Home); ++i)
            row.push_back({Home, i});
        return row;
    }
    for (int cell : {Stock, Waste, Goal, Res})
        for (int i = 0; i < g.Piles(cell); ++i)
            row.push_back({cell, i});
    // Left to right as drawn, whatever order the rules number them in.
    std::stable_sort(row.begin(), row.end(), [&g](PileRef a, PileRef b) {
        const int ax = g.GetCordX(a.cell, a.pile, 0, 0), bx = g.GetCordX(b.cell, b.pile, 0, 0);
        if (ax != bx)
            return ax < bx;
        return g.GetCordY(a.cell, a.pile, 0, 0) < g.GetCordY(b.cell, b.pile, 0, 0);
    });
    return row;
}

TavEmpty *CardTable::markerOf(PileRef p) const
{
    switch (p.cell) {
    case Home:
        return marker(MarkerArray::Home, p.pile);
    case Goal:
        return marker(MarkerArray::Goal, p.pile);
    case Res:
        return marker(MarkerArray::Res, p.pile);
    case Waste:
        return marker(MarkerArray::Waste, p.pile);
    case Stock:
        return marker(MarkerArray::Stock, p.pile);
    default:
        return nullptr;
    }
}

QRect CardTable::pileRect(PileRef p) const
{
    if (!inGame(p))
        return {};
    QRect r;
    const TavEmpty *m = markerOf(p);
    if (m && m->isVisibleTo(this))
        r = m->geometry();
    // Where the cards are drawn now: the piles hear of a card only once it lands.
    for (int id = 0; id < PicCards.size(); ++id) {
        const CardState &s = e_.card(id);
        if (s.Visible && s.Cell == p.cell && s.Pile == p.pile)
            r = r.united(PicCards[id]->geometry());
    }
    return r.isNull() ? placeRect(p.cell, p.pile, 0) : r;
}

QRect CardTable::focusFrame() const
{
    if (!keysUsed_ || !inGame(focus_))
        return {};
    // Outside the cards, where the table shows between the piles.
    const int gap = std::max(4, qRound(cardSize_.width() * 0.06));
    return pileRect(focus_).adjusted(-gap, -gap, gap, gap);
}

void CardTable::updateFrame()
{
    const QRect now = focusFrame();
    if (now == frameShown_)
        return;
    const int pen = std::max(4, qRound(cardSize_.width() * 0.06));
    update(QRegion(frameShown_.adjusted(-pen, -pen, pen, pen)) + QRegion(now.adjusted(-pen, -pen, pen, pen)));
    frameShown_ = now;
}

int CardTable::runStart(PileRef p, int count) const
{
    const int top = e_.Array.GetTop(p.cell, p.pile);
    if (top < 0)
        return -1;
    const int pos = p.cell == Home ? top - (count - 1) : top;
    return pos >= 0 ? e_.Array.GetPicID(p.cell, p.pile, pos) : -1;
}

void CardTable::showChosen(const QVector<int> &ids)
{
    for (int id : chosen_)
        if (!ids.contains(id))
            PicCards[id]->setChosen(false);
    for (int id : ids)
        PicCards[id]->setChosen(true);
    chosen_ = ids;
}

void CardTable::setFocusPile(PileRef p)
{
    if (!inGame(p))
        return;
    focus_ = p;
    // A run is chosen on one pile; cards already picked up stay in hand.
    runLen_ = 1;
    if (!holding())
        showChosen({});
    updateFrame();
}

void CardTable::moveFocus(int key)
{
    const bool inTop = focus_.cell != Home;
    if (key == Qt::Key_Left || key == Qt::Key_Right) {
        const std::vector<PileRef> row = keyRow(inTop);
        auto at = std::find(row.begin(), row.end(), focus_);
        if (at == row.end())
            return;
        if (key == Qt::Key_Left && at != row.begin())
            setFocusPile(*(at - 1));
        else if (key == Qt::Key_Right && at + 1 != row.end())
            setFocusPile(*(at + 1));
        return;
    }
    if ((key == Qt::Key_Up) == inTop)
        return;
    // The pile of the other row whose drawn middle lies nearest.
    const std::vector<PileRef> row = keyRow(!inTop);
    const cGames &g = e_.Games;
    const int x = g.GetCordX(focus_.cell, focus_.pile, 0, 0);
    const PileRef *best = nullptr;
    for (const PileRef &p : row)
        if (!best || std::abs(g.GetCordX(p.cell, p.pile, 0, 0) - x) <
                         std::abs(g.GetCordX(best->cell, best->pile, 0, 0) - x))
            best = &p;
    if (best)
        setFocusPile(*best);
}

void CardTable::chooseRun(int delta)
{
    if (holding() || focus_.cell != Home)
        return;
    const int top = e_.Array.GetTop(Home, focus_.pile);
    int want = std::clamp(runLen_ + delta, 1, std::max(1, top + 1));
    // Longer only as far as the rules let a run be carried from here; what stays chosen is shown.
    const int first = runStart(focus_, want);
    if (want > runLen_ && (first < 0 || !MayPickUp(e_, first)))
        want = runLen_;
    runLen_ = want;
    QVector<int> ids;
    for (int pos = top - runLen_ + 1; pos <= top && top >= 0; ++pos)
        ids.append(e_.Array.GetPicID(Home, focus_.pile, pos));
    showChosen(ids);
}

void CardTable::pickUp(int picId)
{
    const CardState &s = e_.card(picId);
    held_ = picId;
    heldFrom_ = {s.Cell, s.Pile};
    heldPos_ = s.Pos;
    heldCount_ = s.Cell == Home ? e_.Array.GetTop(Home, s.Pile) - s.Pos : 0;
    QVector<int> ids;
    for (int k = 0; k <= heldCount_; ++k)
        ids.append(s.Cell == Home ? e_.Array.GetPicID(Home, s.Pile, s.Pos + k) : picId);
    showChosen(ids);
}

void CardTable::putBack()
{
    held_ = -1;
    runLen_ = 1;
    showChosen({});
}

void CardTable::leaveKeyboard()
{
    putBack();
    keysUsed_ = false;
    updateFrame();
}

QRect CardTable::dropRect(PileRef p) const
{
    // The place a release is tested against: a tableau pile's top card (or its empty slot), the
    // first place of any other pile.
    const int top = e_.Array.GetTop(p.cell, p.pile);
    if (p.cell == Home)
        return placeRect(Home, p.pile, top);
    return placeRect(p.cell, p.pile, p.cell == Goal || p.cell == Res ? 0 : std::max(0, top));
}

void CardTable::carryTo(int picId, const QRect &target)
{
    // The engine's own drag: pressed at the card's corner, carried until its corner lies on the
    // target as drawn, let go. Checks, score, sounds, autoplay and the log are the mouse's.
    const QPoint from = PicCards[picId]->pos();
    const double k = kTwipsPerPixel / scale_;
    const double dx = (target.x() - from.x()) * k, dy = (target.y() - from.y()) * k;
    pressed_ = picId;
    emit cardPressed(picId, 0, 0);
    if (!e_.Drag.Dragging)
        return;
    emit cardDragged(picId, dx, dy);
    emit cardReleased(picId, dx, dy);
}

void CardTable::dropHeld()
{
    const int id = held_;
    const CardState &s = e_.card(id);
    const bool same = s.Cell == heldFrom_.cell && s.Pile == heldFrom_.pile && s.Pos == heldPos_ &&
                      (s.Cell != Home || e_.Array.GetTop(Home, s.Pile) - s.Pos == heldCount_);
    putBack();
    // On its own pile, or moved meanwhile (an undo): back where it is.
    if (!same || focus_ == heldFrom_ || !MayPickUp(e_, id))
        return;
    carryTo(id, dropRect(focus_));
}

void CardTable::activate()
{
    if (holding()) {
        dropHeld();
        updateFrame();
        return;
    }
    if (focus_.cell == Stock) {
        if (e_.Array.GetTop(Stock, 0) < 0) {
            emit stockMarkerClicked();
            updateFrame();
            return;
        }
        const int top = e_.Array.GetTopPicID(Stock, 0);
        if (!MayPickUp(e_, top)) {
            // A click on the stock: the press turns or deals; the release has nothing to drop.
            pressed_ = top;
            emit cardPressed(top, 0, 0);
            emit cardReleased(top, 0, 0);
            updateFrame();
            return;
        }
    }
    const int first = runStart(focus_, runLen_);
    if (first >= 0 && MayPickUp(e_, first))
        pickUp(first);
}

bool CardTable::sendHome(int picId)
{
    const CardState &s = e_.card(picId);
    if (!MayPickUp(e_, picId) || isSpiderTag(e_.Games.Tag()) || s.Cell == Goal ||
        (s.Cell == Home && s.Pos != e_.Array.GetTop(Home, s.Pile)))
        return false;
    for (int i = 0; i < e_.Games.Piles(Goal); ++i) {
        if (!FoundationAccepts(e_, i, picId))
            continue;
        carryTo(picId, dropRect({Goal, i}));
        updateFrame();
        return e_.card(picId).Cell == Goal;
    }
    return false;
}

bool CardTable::handleKey(QKeyEvent *ev)
{
    if (!e_.host().gameRunning() || PicCards.isEmpty())
        return false;
    if (!inGame(focus_))
        focus_ = e_.Games.Piles(Home) > 0 ? PileRef{Home, 0} : PileRef{Stock, 0};
    const int key = ev->key();
    const bool shift = (ev->modifiers() & Qt::ShiftModifier) != 0;
    const Qt::KeyboardModifiers others = ev->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (others != Qt::NoModifier)
        return false;
    const bool wasShown = keysUsed_;
    keysUsed_ = true;
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (!shift)
            moveFocus(key);
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (shift)
            chooseRun(key == Qt::Key_Up ? 1 : -1);
        else
            moveFocus(key);
        break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        activate();
        break;
    case Qt::Key_Escape:
        if (!holding() && chosen_.isEmpty()) {
            keysUsed_ = wasShown;
            return false;
        }
        putBack();
        break;
    case Qt::Key_Home: {
        putBack();
        const int top = runStart(focus_, 1);
        if (top >= 0)
            sendHome(top);
        break;
    }
    default:
        keysUsed_ = wasShown;
        return false;
    }
    updateFrame();
    return true;
}

void CardTable::keyPressEvent(QKeyEvent *ev)
{
    if (!handleKey(ev))
        QWidget::keyPressEvent(ev);
}

void CardTable::mousePressEvent(QMouseEvent *ev)
{
    leaveKeyboard();
    QWidget::mousePressEvent(ev);
}

void CardTable::nameChanged(int cell, int pile)
{
    unnamed_.insert({cell, pile});
    if (namesQueued_)
        return;
    namesQueued_ = true;
    // After the move's events, not at each of its animation steps.
    QMetaObject::invokeMethod(this, &CardTable::refreshNames, Qt::QueuedConnection);
}

void CardTable::nameMarkers()
{
    auto name = [](QVector<TavEmpty *> &arr, int cell) {
        for (int i = 0; i < arr.size(); ++i)
            arr[i]->setAccessibleName(capitalised(pileName(cell, i)));
    };
    name(PicHome, Home);
    name(PicRight, Goal);
    name(PicRes, Res);
    name(PicWaste, Waste);
    if (PicStock)
        PicStock->setAccessibleName(capitalised(pileName(Stock, 0)));
}

void CardTable::refreshNames()
{
    namesQueued_ = false;
    const std::set<std::pair<int, int>> piles = std::move(unnamed_);
    unnamed_.clear();
    // Read from the cards themselves: in the middle of an animated move the piles are told of a card
    // only once it lands, and this may run between.
    std::map<std::pair<int, int>, std::vector<std::pair<int, int>>> members;
    for (int i = 0; i < PicCards.size(); ++i) {
        const CardState &s = e_.card(i);
        if (s.Visible && piles.count({s.Cell, s.Pile}))
            members[{s.Cell, s.Pile}].push_back({s.Pos, i});
    }
    for (const auto &[cell, pile] : piles) {
        TavEmpty *m = markerOf({cell, pile});
        if (!inGame({cell, pile})) {
            if (m)
                m->setAccessibleDescription(QString());
            continue;
        }
        const std::string where = pileName(cell, pile);
        const QString on = cell == Stock || cell == Waste
                               ? QStringLiteral("in the ") + QString::fromStdString(where)
                               : QStringLiteral("on ") + QString::fromStdString(where);
        std::vector<std::pair<int, int>> &cards = members[{cell, pile}];
        std::sort(cards.begin(), cards.end());
        int up = 0, down = 0;
        for (const auto &[pos, id] : cards) {
            const bool faceUp = e_.card(id).FaceMode != kFaceDown;
            (faceUp ? up : down) += 1;
            TavCard *c = PicCards[id];
            c->setAccessibleName(faceUp ? QString::fromStdString(cardTitle(CardAttrsOf(e_, id)))
                                        : QStringLiteral("Face-down card"));
            c->setAccessibleDescription(
                on + (faceUp ? QStringLiteral(", face up") : QStringLiteral(", face down")));
        }
        if (!m)
            continue;
        QStringList parts;
        const int topId = cards.empty() ? -1 : cards.back().second;
        if (topId >= 0 && e_.card(topId).FaceMode != kFaceDown) {
            parts << QString::fromStdString(cardTitle(CardAttrsOf(e_, topId)));
            if (up > 1)
                parts << counted(up, "card") + QStringLiteral(" face up");
        } else if (up > 0) {
            parts << counted(up, "card") + QStringLiteral(" face up");
        }
        if (down > 0)
            parts << counted(down, "card") + QStringLiteral(" face down");
        m->setAccessibleDescription(parts.isEmpty() ? QStringLiteral("Empty")
                                                    : parts.join(QStringLiteral(", ")));
    }
    // A pile that grew or shrank keeps its frame around all of it.
    updateFrame();
    // Cards the keys chose on a pile that changed are no longer what was chosen.
    if (!chosen_.isEmpty()) {
        const PileRef from = holding() ? heldFrom_ : focus_;
        if (piles.count({from.cell, from.pile}))
            putBack();
    }
}

} // namespace tess
