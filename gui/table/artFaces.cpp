// Card faces and pile markers.
#include <cmath>

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QRadialGradient>

#include "gui/table/artKit.h"
#include "gui/table/artPainters.h"

namespace tess::art
{

namespace
{

const char *const kRankText[13] = {"A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};

const QColor kPaper(255, 255, 255);
const QColor kEdge(72, 72, 78);

QFont cardFont(qreal pixelSize, bool condensed = true)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(qMax(1, qRound(pixelSize)));
    f.setBold(true);
    if (condensed)
        f.setStretch(QFont::Condensed);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

// Text centred on x with its baseline at y, squeezed to maxWidth when wider.
void drawCentredText(QPainter &p, const QString &text, const QFont &font, qreal x, qreal baseline,
                     qreal maxWidth = 1e9)
{
    QFontMetricsF fm(font, p.device());
    const qreal w = fm.horizontalAdvance(text);
    p.setFont(font);
    if (w > maxWidth) {
        p.save();
        p.translate(x, baseline);
        p.scale(maxWidth / w, 1);
        p.drawText(QPointF(-w / 2, 0), text);
        p.restore();
    } else {
        p.drawText(QPointF(x - w / 2, baseline), text);
    }
}

void paintBlank(QPainter &p)
{
    p.fillPath(cardOutline(0.5), kPaper);
    p.setPen(QPen(kEdge, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(cardOutline(0.5));
}

// Rank with the small suit beside it in the top-left corner (the caller mirrors it to the
// bottom right). Side by side, both stay readable in a pile fanned 250 twips apart.
void paintIndex(QPainter &p, int suit, int rank)
{
    p.setPen(suitColor(suit));
    const QFont f = cardFont(rank == 9 ? 12 : 13);
    drawCentredText(p, QString::fromLatin1(kRankText[rank]), f, 6.9, 12.5, 11.0);
    const QPointF c(17.8, 8.2);
    drawSuit(p, suit, c, suit == 2 ? 6.6 : 7.4, 8.0, suitBrush(suit, c, 8.0));
}

// Pip centres for the spot cards, as (column 0..2, row 0..1) on the pip field.
struct Spot {
    double col, row;
};

const std::vector<Spot> &spotLayout(int rank)
{
    static const std::vector<Spot> layouts[10] = {
        {{1, 0.5}},
        {{1, 0}, {1, 1}},
        {{1, 0}, {1, 0.5}, {1, 1}},
        {{0, 0}, {2, 0}, {0, 1}, {2, 1}},
        {{0, 0}, {2, 0}, {1, 0.5}, {0, 1}, {2, 1}},
        {{0, 0}, {2, 0}, {0, 0.5}, {2, 0.5}, {0, 1}, {2, 1}},
        {{0, 0}, {2, 0}, {1, 0.25}, {0, 0.5}, {2, 0.5}, {0, 1}, {2, 1}},
        {{0, 0}, {2, 0}, {1, 0.25}, {0, 0.5}, {2, 0.5}, {1, 0.75}, {0, 1}, {2, 1}},
        {{0, 0}, {2, 0}, {0, 1.0 / 3}, {2, 1.0 / 3}, {1, 0.5}, {0, 2.0 / 3}, {2, 2.0 / 3}, {0, 1}, {2, 1}},
        {{0, 0},
         {2, 0},
         {1, 1.0 / 6},
         {0, 1.0 / 3},
         {2, 1.0 / 3},
         {0, 2.0 / 3},
         {2, 2.0 / 3},
         {1, 5.0 / 6},
         {0, 1},
         {2, 1}},
    };
    return layouts[rank];
}

void paintSpots(QPainter &p, int suit, int rank)
{
    const double colX[3] = {23.5, 35.5, 47.5};
    const double top = 20, bottom = 76;
    const double w = suit == 2 ? 10.2 : 11.2;
    const double h = 12.2;
    for (const Spot &s : spotLayout(rank)) {
        const QPointF c(colX[static_cast<int>(s.col)], top + (bottom - top) * s.row);
        // Pips below the middle stand on their heads, as on every traditional deck.
        const bool flipped = c.y() > 48.01;
        drawSuit(p, suit, c, w, h, suitBrush(suit, c, flipped ? -h : h), flipped);
    }
}

void paintAce(QPainter &p, int suit)
{
    const QPointF c(35.5, 48);
    if (suit != 1) {
        const double h = 30;
        drawSuit(p, suit, c, suit == 2 ? 28 : 29, h, suitBrush(suit, c, h));
        return;
    }
    // The ace of spades carries the deck's flourish: a ringed medallion and a large spade
    // with an inner line.
    const QColor ink(24, 24, 30);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(24, 24, 30, 160), 0.8));
    p.drawEllipse(c, 25.5, 25.5);
    p.setPen(QPen(QColor(24, 24, 30, 90), 0.6));
    p.drawEllipse(c, 23.5, 23.5);
    // Beads around the ring.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(24, 24, 30, 170));
    for (int i = 0; i < 24; ++i) {
        const double a = i * M_PI / 12;
        p.drawEllipse(QPointF(c.x() + 24.5 * std::cos(a), c.y() + 24.5 * std::sin(a)), 0.7, 0.7);
    }
    // Diamonds at the four points of the ring.
    for (int i = 0; i < 4; ++i) {
        const double a = i * M_PI / 2;
        drawSuit(p, 2, QPointF(c.x() + 24.5 * std::cos(a), c.y() + 24.5 * std::sin(a)), 3.4, 4.2, ink);
    }
    const QPointF sc(35.5, 47);
    const double w = 33, h = 35;
    drawSuit(p, 1, sc, w, h, suitBrush(1, sc, h));
    // The inner line follows the outline a little inside it.
    QTransform t;
    t.translate(sc.x(), sc.y() + 0.6);
    t.scale(w * 0.78, h * 0.78);
    p.setPen(QPen(QColor(255, 255, 255, 200), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawPath(t.map(suitPath(1)));
    // A small star at the heart of the spade.
    QPainterPath star;
    for (int i = 0; i < 8; ++i) {
        const double a = -M_PI / 2 + i * M_PI / 4;
        const double r = (i % 2 == 0) ? 4.2 : 1.6;
        const QPointF q(sc.x() + r * std::cos(a), sc.y() + 1 + r * std::sin(a));
        if (i == 0)
            star.moveTo(q);
        else
            star.lineTo(q);
    }
    star.closeSubpath();
    p.fillPath(star, QColor(255, 255, 255, 220));
}

// Colours of one court card's costume; black suits carry no red at all.
struct Costume {
    QColor robe, robeDark, trim, accent, hair, skin, outline;
};

Costume costumeFor(int suit, int rank)
{
    Costume c;
    c.skin = QColor(247, 217, 186);
    c.outline = QColor(40, 32, 30);
    c.trim = QColor(238, 188, 52);
    switch (suit) {
    case 0: // hearts
        c.robe = QColor(196, 28, 44);
        c.accent = QColor(38, 74, 160);
        break;
    case 2: // diamonds
        c.robe = QColor(214, 92, 24);
        c.accent = QColor(150, 24, 60);
        break;
    case 1: // spades
        c.robe = QColor(34, 58, 140);
        c.accent = QColor(30, 30, 36);
        break;
    default: // clubs
        c.robe = QColor(26, 112, 66);
        c.accent = QColor(34, 58, 140);
        break;
    }
    c.robeDark = c.robe.darker(140);
    c.hair = rank == 12 ? QColor(236, 236, 232) : (rank == 11 ? QColor(196, 140, 58) : QColor(112, 72, 36));
    return c;
}

void paintHead(QPainter &p, const Costume &c, double cx, double cy)
{
    p.setPen(QPen(c.outline, 0.6));
    p.setBrush(c.skin);
    p.drawEllipse(QPointF(cx, cy), 5.0, 6.0);
    p.setPen(Qt::NoPen);
    p.setBrush(c.outline);
    p.drawEllipse(QPointF(cx - 2.0, cy - 0.6), 0.65, 0.75);
    p.drawEllipse(QPointF(cx + 2.0, cy - 0.6), 0.65, 0.75);
    // Brows and nose.
    p.setPen(QPen(c.outline, 0.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(cx - 3.0, cy - 2.2), QPointF(cx - 1.1, cy - 2.0));
    p.drawLine(QPointF(cx + 1.1, cy - 2.0), QPointF(cx + 3.0, cy - 2.2));
    p.drawLine(QPointF(cx, cy - 0.6), QPointF(cx - 0.5, cy + 1.6));
}

// Half a court figure, from the frame's top edge to the waist on the middle line; its
// twin is the same turned over.
void paintCourtHalf(QPainter &p, int suit, int rank)
{
    const Costume c = costumeFor(suit, rank);
    const double cx = 35.5;
    const double faceY = 24.5;
    const QPen line(c.outline, 0.55);
    p.save();
    p.setClipRect(QRectF(7, 10, 57, 38));

    // Long hair (queen) or curls (jack, king) behind the head.
    p.setPen(line);
    p.setBrush(c.hair);
    if (rank == 11) {
        QPainterPath hair;
        hair.moveTo(cx - 5.5, faceY - 3);
        hair.cubicTo(cx - 9.5, faceY + 1, cx - 9.5, faceY + 8, cx - 9, faceY + 11);
        hair.lineTo(cx + 9, faceY + 11);
        hair.cubicTo(cx + 9.5, faceY + 8, cx + 9.5, faceY + 1, cx + 5.5, faceY - 3);
        hair.closeSubpath();
        p.drawPath(hair);
    } else {
        p.drawEllipse(QPointF(cx - 4.7, faceY + 2.2), 2.3, 3.4);
        p.drawEllipse(QPointF(cx + 4.7, faceY + 2.2), 2.3, 3.4);
    }

    // Torso from the shoulders to the waist, a little narrower at the waist.
    QPainterPath torso;
    torso.moveTo(cx - 13.5, 38);
    torso.cubicTo(cx - 13.5, 35, cx - 11, 33.2, cx - 7, 33.2);
    torso.lineTo(cx + 7, 33.2);
    torso.cubicTo(cx + 11, 33.2, cx + 13.5, 35, cx + 13.5, 38);
    torso.lineTo(cx + 11.5, 48.5);
    torso.lineTo(cx - 11.5, 48.5);
    torso.closeSubpath();
    QLinearGradient rg(cx - 13.5, 0, cx + 13.5, 0);
    rg.setColorAt(0, c.robeDark);
    rg.setColorAt(0.4, c.robe);
    rg.setColorAt(1, c.robeDark);
    p.setPen(line);
    p.setBrush(rg);
    p.drawPath(torso);
    // Embroidered front panel and the belt at the waist.
    p.setPen(Qt::NoPen);
    p.setBrush(c.trim);
    p.drawRect(QRectF(cx - 1.5, 34, 3.0, 12));
    p.setBrush(c.accent);
    for (double y = 36.5; y < 46; y += 3.5)
        p.drawEllipse(QPointF(cx, y), 0.8, 0.8);
    p.setPen(QPen(c.outline, 0.4));
    p.setBrush(c.trim);
    p.drawRect(QRectF(cx - 11.8, 46.3, 23.6, 2.2));

    // Sleeves, ending in cuffs and hands just above the belt.
    auto sleeve = [&](double side) {
        QPainterPath s;
        s.moveTo(cx + side * 13.5, 37.5);
        s.cubicTo(cx + side * 15.5, 40, cx + side * 14, 43.5, cx + side * 10.5, 44.5);
        s.lineTo(cx + side * 9.5, 41.5);
        s.cubicTo(cx + side * 11, 40.5, cx + side * 11.5, 39.5, cx + side * 10.8, 36.5);
        s.closeSubpath();
        p.setPen(line);
        p.setBrush(c.robeDark);
        p.drawPath(s);
        p.setBrush(c.trim);
        p.drawEllipse(QPointF(cx + side * 10.2, 43.0), 1.2, 1.9);
        p.setBrush(c.skin);
        p.drawEllipse(QPointF(cx + side * 8.6, 43.2), 1.6, 1.6);
    };
    sleeve(-1);
    sleeve(1);

    if (rank == 12) {
        // Ermine collar: white with black tails.
        QPainterPath collar;
        collar.moveTo(cx - 12.5, 36);
        collar.cubicTo(cx - 8, 39.8, cx + 8, 39.8, cx + 12.5, 36);
        collar.cubicTo(cx + 11, 33.3, cx + 9, 32.6, cx + 7, 32.6);
        collar.lineTo(cx - 7, 32.6);
        collar.cubicTo(cx - 9, 32.6, cx - 11, 33.3, cx - 12.5, 36);
        collar.closeSubpath();
        p.setPen(line);
        p.setBrush(QColor(250, 250, 246));
        p.drawPath(collar);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(20, 20, 24));
        for (int i = -2; i <= 2; ++i)
            p.drawRect(QRectF(cx + i * 4.3 - 0.45, 35.2 - std::abs(i) * 0.5, 0.9, 1.7));
    } else if (rank == 11) {
        // Square neckline with a string of pearls.
        p.setPen(line);
        p.setBrush(c.skin);
        QPainterPath neck;
        neck.moveTo(cx - 5, 33.2);
        neck.lineTo(cx - 4, 37.5);
        neck.lineTo(cx + 4, 37.5);
        neck.lineTo(cx + 5, 33.2);
        p.drawPath(neck);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(252, 250, 240));
        for (int i = -3; i <= 3; ++i)
            p.drawEllipse(QPointF(cx + i * 1.3, 35.4 + 0.11 * i * i), 0.6, 0.6);
    } else {
        // A sash across the tunic and puffed shoulders.
        QPainterPath sash;
        sash.moveTo(cx - 12, 35.5);
        sash.lineTo(cx - 8.5, 33.4);
        sash.lineTo(cx + 11.8, 45.8);
        sash.lineTo(cx + 8, 46.3);
        sash.closeSubpath();
        p.setPen(QPen(c.outline, 0.4));
        p.setBrush(c.accent);
        p.drawPath(sash);
        p.setPen(line);
        p.setBrush(c.trim);
        p.drawEllipse(QPointF(cx - 9.5, 34.4), 4, 1.7);
        p.drawEllipse(QPointF(cx + 9.5, 34.4), 4, 1.7);
    }

    paintHead(p, c, cx, faceY);

    if (rank == 12) {
        // A full beard and moustache.
        QPainterPath beard;
        beard.moveTo(cx - 5, faceY + 0.5);
        beard.cubicTo(cx - 5, faceY + 8, cx - 2, faceY + 10, cx, faceY + 10);
        beard.cubicTo(cx + 2, faceY + 10, cx + 5, faceY + 8, cx + 5, faceY + 0.5);
        beard.cubicTo(cx + 3, faceY + 3.5, cx - 3, faceY + 3.5, cx - 5, faceY + 0.5);
        beard.closeSubpath();
        p.setPen(line);
        p.setBrush(c.hair);
        p.drawPath(beard);
        p.setPen(QPen(QColor(150, 150, 150), 0.7, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(cx - 2.8, faceY + 3.1), QPointF(cx - 0.2, faceY + 2.5));
        p.drawLine(QPointF(cx + 0.2, faceY + 2.5), QPointF(cx + 2.8, faceY + 3.1));
    } else {
        p.setPen(QPen(QColor(176, 100, 90), 0.7, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(cx - 1.3, faceY + 3.0), QPointF(cx + 1.3, faceY + 3.0));
    }

    // Headgear: the king's crown, the queen's coronet, the jack's plumed cap.
    const QPen goldLine(QColor(120, 84, 18), 0.5);
    p.setPen(goldLine);
    p.setBrush(c.trim);
    if (rank == 12) {
        QPainterPath crown;
        crown.moveTo(cx - 6.5, faceY - 4.3);
        crown.lineTo(cx - 7.3, faceY - 11.5);
        crown.lineTo(cx - 3.6, faceY - 7.8);
        crown.lineTo(cx, faceY - 13);
        crown.lineTo(cx + 3.6, faceY - 7.8);
        crown.lineTo(cx + 7.3, faceY - 11.5);
        crown.lineTo(cx + 6.5, faceY - 4.3);
        crown.closeSubpath();
        p.drawPath(crown);
        p.setPen(Qt::NoPen);
        p.setBrush(c.accent);
        p.drawEllipse(QPointF(cx, faceY - 6.2), 1.1, 1.1);
        p.setBrush(QColor(252, 250, 240));
        for (double x : {-7.3, 0.0, 7.3})
            p.drawEllipse(QPointF(cx + x, faceY - (x == 0 ? 13 : 11.5)), 0.9, 0.9);
    } else if (rank == 11) {
        QPainterPath coronet;
        coronet.moveTo(cx - 5.5, faceY - 4.6);
        coronet.lineTo(cx - 5, faceY - 8.3);
        coronet.quadTo(cx, faceY - 10.3, cx + 5, faceY - 8.3);
        coronet.lineTo(cx + 5.5, faceY - 4.6);
        coronet.closeSubpath();
        p.drawPath(coronet);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(252, 250, 240));
        for (int i = -2; i <= 2; ++i)
            p.drawEllipse(QPointF(cx + i * 2.4, faceY - 9.4 + 0.25 * i * i), 0.95, 0.95);
        p.setBrush(c.accent);
        p.drawEllipse(QPointF(cx, faceY - 6.4), 0.9, 1.1);
    } else {
        // Feather first, so the cap overlaps its quill.
        QPainterPath plume;
        plume.moveTo(cx - 2, faceY - 7);
        plume.cubicTo(cx - 5, faceY - 12, cx - 9, faceY - 13.5, cx - 11.5, faceY - 12.5);
        plume.cubicTo(cx - 8, faceY - 11, cx - 6, faceY - 8.5, cx - 5, faceY - 5.5);
        plume.closeSubpath();
        p.setPen(QPen(c.outline, 0.4));
        p.setBrush(c.accent.lighter(160));
        p.drawPath(plume);
        QPainterPath cap;
        cap.moveTo(cx - 7.5, faceY - 3.4);
        cap.cubicTo(cx - 8.5, faceY - 10.5, cx + 9.5, faceY - 10, cx + 8.5, faceY - 3.8);
        cap.cubicTo(cx + 4, faceY - 5, cx - 4, faceY - 5, cx - 7.5, faceY - 3.4);
        cap.closeSubpath();
        p.setBrush(c.robe);
        p.drawPath(cap);
        p.setPen(QPen(c.trim, 1.0));
        p.drawLine(QPointF(cx - 6.8, faceY - 4.4), QPointF(cx + 7.6, faceY - 4.6));
    }

    // What each holds.
    if (rank == 12) {
        if (isRedSuit(suit)) {
            // Sceptre across the chest, from the left hand past the head.
            p.setPen(QPen(QColor(120, 84, 18), 1.5, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(cx - 8.6, 43.2), QPointF(cx + 11.5, 16));
            p.setPen(goldLine);
            p.setBrush(c.trim);
            p.drawEllipse(QPointF(cx + 12.6, 14.4), 2.3, 2.3);
            p.drawLine(QPointF(cx + 13.6, 12.2), QPointF(cx + 14.6, 10.4));
            p.setBrush(c.skin);
            p.setPen(line);
            p.drawEllipse(QPointF(cx - 8.6, 43.2), 1.6, 1.6);
        } else {
            // Sword raised upright in the right hand.
            p.setPen(QPen(QColor(70, 72, 80), 0.5));
            p.setBrush(QColor(214, 218, 226));
            QPainterPath blade;
            blade.moveTo(cx + 12.2, 39);
            blade.lineTo(cx + 13.8, 39);
            blade.lineTo(cx + 13.8, 15);
            blade.lineTo(cx + 13, 12);
            blade.lineTo(cx + 12.2, 15);
            blade.closeSubpath();
            p.drawPath(blade);
            p.setBrush(c.trim);
            p.drawRect(QRectF(cx + 9.5, 39, 7, 1.6));
            p.drawRect(QRectF(cx + 12.3, 40.6, 1.4, 3));
        }
    } else if (rank == 11) {
        // A flower held at the chest.
        p.setPen(QPen(QColor(46, 110, 50), 0.9, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(cx + 8.6, 43), QPointF(cx + 12.5, 26.5));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 140, 60));
        p.drawEllipse(QPointF(cx + 11.3, 34), 2.0, 0.9);
        const QColor petal = isRedSuit(suit) ? QColor(222, 40, 80) : QColor(90, 130, 220);
        p.setBrush(petal);
        for (int i = 0; i < 5; ++i) {
            const double a = -M_PI / 2 + i * 2 * M_PI / 5;
            p.drawEllipse(QPointF(cx + 12.8 + 2.1 * std::cos(a), 24.5 + 2.1 * std::sin(a)), 1.6, 1.6);
        }
        p.setBrush(c.trim);
        p.drawEllipse(QPointF(cx + 12.8, 24.5), 1.1, 1.1);
        p.setBrush(c.skin);
        p.setPen(line);
        p.drawEllipse(QPointF(cx + 8.6, 43.2), 1.6, 1.6);
    } else {
        // A halberd upright in the right hand.
        p.setPen(QPen(QColor(110, 74, 40), 1.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(cx + 14, 47.5), QPointF(cx + 14, 17));
        p.setPen(QPen(QColor(70, 72, 80), 0.5));
        p.setBrush(QColor(214, 218, 226));
        QPainterPath head;
        head.moveTo(cx + 14, 11.5);
        head.lineTo(cx + 15.1, 16);
        head.lineTo(cx + 18.5, 15.2);
        head.quadTo(cx + 19.4, 18.5, cx + 18.5, 21.8);
        head.lineTo(cx + 15.1, 20.6);
        head.lineTo(cx + 12.9, 20.6);
        head.lineTo(cx + 11.2, 18.8);
        head.lineTo(cx + 12.9, 16);
        head.closeSubpath();
        p.drawPath(head);
        p.setBrush(c.skin);
        p.setPen(line);
        p.drawEllipse(QPointF(cx + 13.6, 41.5), 1.6, 1.6);
    }
    p.restore();

    // The suit in the frame's corner beside the head.
    const QPointF pc(20.0, 15.2);
    drawSuit(p, suit, pc, 7.0, 7.6, suitBrush(suit, pc, 7.6));
}

void paintCourt(QPainter &p, qreal dpr, int suit, int rank)
{
    const QRectF frame(10.5, 15.5, 50, 65);
    // A faint tint of the suit colour behind the figure.
    const QColor tint = isRedSuit(suit) ? QColor(253, 244, 232) : QColor(240, 244, 250);
    p.fillRect(frame, tint);
    // A fine lattice behind the figure, like the printed ground of old court cards.
    p.save();
    p.setClipRect(frame);
    const QColor ink = suitColor(suit);
    p.setPen(QPen(QColor(ink.red(), ink.green(), ink.blue(), 28), 0.5));
    for (double d = -80; d < 80; d += 4) {
        p.drawLine(QPointF(10 + d, 15), QPointF(10 + d + 66, 81));
        p.drawLine(QPointF(61 - d, 15), QPointF(61 - d - 66, 81));
    }
    p.restore();
    drawSymmetric(p, dpr, QRect(10, 15, 51, 33), [&](QPainter &lp) {
        // The figure is drawn on a 38-pixel half and shrunk into the frame's.
        lp.translate(35.5, 48);
        lp.scale(0.86, 0.86);
        lp.translate(-35.5, -48);
        paintCourtHalf(lp, suit, rank);
    });
    p.setPen(QPen(suitColor(suit), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(frame);
    p.setPen(QPen(QColor(suitColor(suit).red(), suitColor(suit).green(), suitColor(suit).blue(), 120), 0.6));
    p.drawLine(QPointF(11, 48), QPointF(60, 48));
}

// "Grey card" of the markers: a translucent slot the table shows through.
void paintSlot(QPainter &p)
{
    p.fillPath(cardOutline(0.5), QColor(255, 255, 255, 34));
    p.setPen(QPen(QColor(255, 255, 255, 150), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(cardOutline(0.5));
    p.setPen(QPen(QColor(255, 255, 255, 60), 1.0));
    p.drawPath(cardOutline(3.5, 4.5));
}

const QColor kMarkInk(255, 255, 255, 150);

// The four suits gathered round a point: the emblem of "any suit", filled as one shape
// so that the translucent ink is even.
void paintEmblem(QPainter &p, QPointF c, double size)
{
    const double d = size * 0.72;
    const double s = size * 0.82;
    const QPointF at[4] = {{c.x(), c.y() - d}, {c.x() - d, c.y()}, {c.x() + d, c.y()}, {c.x(), c.y() + d}};
    const int order[4] = {1, 0, 2, 3}; // spade above, heart and diamond beside, club below
    QPainterPath all;
    for (int i = 0; i < 4; ++i) {
        QTransform t;
        t.translate(at[i].x(), at[i].y());
        t.scale(s, s);
        all = all.united(t.map(suitPath(order[i])));
    }
    p.fillPath(all, kMarkInk);
}

void paintArrows(QPainter &p, const QString &word)
{
    const QPointF c(35.5, 40);
    const double r = 15;
    const QPen pen(kMarkInk.lighter(100), 3.2, Qt::SolidLine, Qt::FlatCap);
    for (int half = 0; half < 2; ++half) {
        // Each arrow runs 140 degrees, clockwise, and ends in a head.
        const double start = 200 + half * 180; // degrees, screen angles grow clockwise
        const double span = 130;
        QPainterPath arc;
        const QRectF box(c.x() - r, c.y() - r, 2 * r, 2 * r);
        arc.arcMoveTo(box, -start);
        arc.arcTo(box, -start, -span);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawPath(arc);
        const double endA = (start + span) * M_PI / 180;
        const QPointF tip(c.x() + r * std::cos(endA), c.y() + r * std::sin(endA));
        // Tangent of a clockwise turn on screen.
        const QPointF dir(-std::sin(endA), std::cos(endA));
        const QPointF normal(std::cos(endA), std::sin(endA));
        QPainterPath head;
        head.moveTo(tip + dir * 6.5);
        head.lineTo(tip + normal * 5.0);
        head.lineTo(tip - normal * 5.0);
        head.closeSubpath();
        p.fillPath(head, kMarkInk);
    }
    p.setPen(kMarkInk);
    drawCentredText(p, word, cardFont(12.5), 35.5, 79, 60);
}

void paintStop(QPainter &p)
{
    const QPointF c(35.5, 46);
    auto octagon = [&](double r) {
        QPolygonF poly;
        for (int i = 0; i < 8; ++i) {
            const double a = (22.5 + 45 * i) * M_PI / 180;
            poly << QPointF(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
        }
        return poly;
    };
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 250, 250));
    p.drawPolygon(octagon(25));
    QRadialGradient g(c.x() - 6, c.y() - 8, 30);
    g.setColorAt(0, QColor(230, 40, 44));
    g.setColorAt(1, QColor(176, 16, 22));
    p.setBrush(g);
    p.drawPolygon(octagon(22.5));
    p.setPen(QColor(255, 255, 255));
    drawCentredText(p, QStringLiteral("STOP"), cardFont(13.5, false), c.x(), c.y() + 5, 36);
}

} // namespace

QImage paintFace(int index, qreal dpr)
{
    if (index < 1 || index > 52)
        return QImage();
    const int suit = (index - 1) / 13;
    const int rank = (index - 1) % 13;
    QImage img = canvas(kCardW, kCardH, dpr);
    QPainter p(&img);
    preparePainter(p);
    paintBlank(p);
    if (rank >= 10)
        paintCourt(p, dpr, suit, rank);
    else if (rank == 0)
        paintAce(p, suit);
    else
        paintSpots(p, suit, rank);
    drawSymmetric(p, dpr, QRect(0, 0, 24, 16), [&](QPainter &lp) { paintIndex(lp, suit, rank); });
    return img;
}

QImage paintMarker(int kind, qreal dpr)
{
    if (kind < 0 || kind > 17)
        return QImage();
    QImage img = canvas(kCardW, kCardH, dpr);
    QPainter p(&img);
    preparePainter(p);
    paintSlot(p);
    if (kind <= 12) {
        p.setPen(kMarkInk);
        drawCentredText(p, QString::fromLatin1(kRankText[kind]), cardFont(26), 35.5, 39, 50);
        paintEmblem(p, QPointF(35.5, 66), 10);
    } else if (kind == 13) {
        paintEmblem(p, QPointF(35.5, 48), 14);
    } else if (kind == 15) {
        paintStop(p);
    } else if (kind == 16) {
        paintArrows(p, QStringLiteral("Redeal"));
    } else if (kind == 17) {
        paintArrows(p, QStringLiteral("Refill"));
    }
    return img;
}

} // namespace tess::art
