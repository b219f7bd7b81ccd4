// Card backs: a thin white rim round a patterned panel, one pattern per id. The rim is
// kept narrow so that the few pixels of a face-down card showing in a stacked pile are
// already pattern, not white.
#include <cmath>
#include <functional>

#include <QLinearGradient>
#include <QRadialGradient>

#include "gui/table/artKit.h"
#include "gui/table/artPainters.h"
#include "store/appearance.h"

namespace tess::art
{

namespace
{

const QRectF kPanel(1.5, 1.5, 68, 93);
const QPointF kMid(35.5, 48);

QPainterPath panelPath()
{
    QPainterPath p;
    p.addRoundedRect(kPanel, 4.5, 4.5);
    return p;
}

QPainterPath petal(QPointF c, double angle, double len, double width)
{
    QPainterPath p;
    p.moveTo(0, 0);
    p.cubicTo(width, -len * 0.3, width * 0.8, -len * 0.9, 0, -len);
    p.cubicTo(-width * 0.8, -len * 0.9, -width, -len * 0.3, 0, 0);
    QTransform t;
    t.translate(c.x(), c.y());
    t.rotate(angle);
    return t.map(p);
}

void flower(QPainter &p, QPointF c, double r, int petals, const QColor &petalColor, const QColor &heart,
            double turn = 0, double width = 0.45)
{
    p.setPen(QPen(petalColor.darker(130), r * 0.06));
    p.setBrush(petalColor);
    for (int i = 0; i < petals; ++i)
        p.drawPath(petal(c, turn + i * 360.0 / petals, r, r * width));
    p.setPen(Qt::NoPen);
    QRadialGradient g(c, r * 0.35);
    g.setColorAt(0, heart.lighter(130));
    g.setColorAt(1, heart.darker(120));
    p.setBrush(g);
    p.drawEllipse(c, r * 0.3, r * 0.3);
}

void leaf(QPainter &p, QPointF c, double angle, double len, const QColor &color)
{
    p.setPen(QPen(color.darker(140), 0.4));
    p.setBrush(color);
    p.drawPath(petal(c, angle, len, len * 0.32));
    QTransform t;
    t.translate(c.x(), c.y());
    t.rotate(angle);
    p.setPen(QPen(color.lighter(140), 0.35));
    p.drawLine(t.map(QPointF(0, -len * 0.1)), t.map(QPointF(0, -len * 0.85)));
}

// Offsets of a staggered grid covering the panel.
template <typename F> void staggered(double dx, double dy, F f)
{
    int row = 0;
    for (double y = kPanel.top() - dy; y < kPanel.bottom() + dy; y += dy, ++row)
        for (double x = kPanel.left() - dx + (row % 2) * dx / 2; x < kPanel.right() + dx; x += dx)
            f(QPointF(x, y), row);
}

void vGradient(QPainter &p, const QColor &top, const QColor &bottom, double y0 = 4, double y1 = 92)
{
    QLinearGradient g(0, y0, 0, y1);
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(kPanel, g);
}

// --- Flowers ---

void roses(QPainter &p)
{
    vGradient(p, QColor(128, 22, 56), QColor(92, 12, 40));
    staggered(16, 14, [&](QPointF c, int row) {
        leaf(p, c + QPointF(4, 3), 120 + row * 7, 5.5, QColor(70, 140, 70));
        leaf(p, c + QPointF(-4, 3), -120 - row * 7, 5.5, QColor(70, 140, 70));
        flower(p, c, 4.6, 5, QColor(246, 150, 180), QColor(236, 200, 80), row * 13.0, 0.6);
    });
}

void daisies(QPainter &p)
{
    vGradient(p, QColor(60, 110, 200), QColor(34, 70, 150));
    Rng rng(502);
    // A jittered grid spreads the flowers evenly without looking planted in rows.
    for (int row = 0; row < 7; ++row) {
        for (int col = 0; col < 5; ++col) {
            const QPointF c(2 + col * 16 + (row % 2) * 8 + rng.range(-3, 3), 2 + row * 15 + rng.range(-3, 3));
            const double r = rng.range(4.5, 7.5);
            flower(p, c, r, 12, QColor(252, 252, 246), QColor(246, 190, 40), rng.range(0, 30), 0.28);
        }
    }
}

void tulips(QPainter &p)
{
    vGradient(p, QColor(252, 244, 222), QColor(240, 226, 196));
    const QColor heads[3] = {QColor(220, 40, 60), QColor(245, 150, 30), QColor(238, 200, 40)};
    int n = 0;
    for (double y = 18; y < 100; y += 22) {
        for (double x = 10 + (static_cast<int>(y) / 22 % 2) * 8; x < 70; x += 16, ++n) {
            p.setPen(QPen(QColor(50, 120, 60), 1.0, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(x, y), QPointF(x, y + 12));
            leaf(p, QPointF(x, y + 12), -28, 8, QColor(70, 150, 80));
            leaf(p, QPointF(x, y + 12), 28, 7, QColor(70, 150, 80));
            QPainterPath cup;
            cup.moveTo(x - 4, y - 7);
            cup.lineTo(x - 2, y - 4);
            cup.lineTo(x, y - 8);
            cup.lineTo(x + 2, y - 4);
            cup.lineTo(x + 4, y - 7);
            cup.cubicTo(x + 4.5, y - 2, x + 3, y + 1, x, y + 1);
            cup.cubicTo(x - 3, y + 1, x - 4.5, y - 2, x - 4, y - 7);
            const QColor h = heads[n % 3];
            QLinearGradient g(x - 4, 0, x + 4, 0);
            g.setColorAt(0, h.darker(115));
            g.setColorAt(0.5, h.lighter(115));
            g.setColorAt(1, h.darker(125));
            p.setPen(QPen(h.darker(150), 0.4));
            p.setBrush(g);
            p.drawPath(cup);
        }
    }
}

// --- Garden ---

void trellis(QPainter &p)
{
    vGradient(p, QColor(214, 236, 200), QColor(184, 214, 168));
    const QColor wood(150, 110, 70);
    p.setPen(QPen(wood, 2.2));
    for (double d = -100; d < 100; d += 12) {
        p.drawLine(QPointF(d, 0), QPointF(d + 100, 100));
        p.drawLine(QPointF(71 - d, 0), QPointF(71 - d - 100, 100));
    }
    p.setPen(QPen(wood.lighter(130), 0.6));
    for (double d = -100; d < 100; d += 12)
        p.drawLine(QPointF(d - 0.6, 0), QPointF(d + 99.4, 100));
    // A vine winding up the middle, with leaves and blossoms.
    QPainterPath vine;
    vine.moveTo(35.5, 96);
    for (double y = 96; y > 0; y -= 12)
        vine.cubicTo(46, y - 3, 46, y - 9, 35.5, y - 12 + 0.01);
    p.setPen(QPen(QColor(70, 110, 50), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(vine);
    Rng rng(511);
    for (int i = 0; i < 22; ++i) {
        const double t = i / 22.0;
        const QPointF at = vine.pointAtPercent(t);
        leaf(p, at, rng.range(-150, 150), rng.range(4, 6.5), QColor(80, 150, 60));
        if (i % 3 == 1)
            flower(p, at + QPointF(rng.range(-6, 6), rng.range(-3, 3)), 3.4, 6, QColor(150, 90, 200),
                   QColor(250, 230, 120));
    }
}

void gardenScene(QPainter &p)
{
    // Sky, sun, hills, a hedge, a tree and a flower bed.
    vGradient(p, QColor(110, 170, 235), QColor(200, 230, 250), 4, 50);
    QRadialGradient sun(52, 18, 9);
    sun.setColorAt(0, QColor(255, 250, 200));
    sun.setColorAt(0.5, QColor(255, 230, 120));
    sun.setColorAt(1, QColor(255, 230, 120, 0));
    p.fillRect(kPanel, sun);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 220));
    for (QPointF c : {QPointF(16, 16), QPointF(21, 14), QPointF(26, 16.5)})
        p.drawEllipse(c, 5, 3);
    QPainterPath hill;
    hill.moveTo(0, 52);
    hill.cubicTo(20, 40, 40, 44, 71, 48);
    hill.lineTo(71, 96);
    hill.lineTo(0, 96);
    p.setBrush(QColor(120, 180, 90));
    p.drawPath(hill);
    QPainterPath hill2;
    hill2.moveTo(0, 60);
    hill2.cubicTo(30, 52, 50, 58, 71, 54);
    hill2.lineTo(71, 96);
    hill2.lineTo(0, 96);
    p.setBrush(QColor(86, 150, 70));
    p.drawPath(hill2);
    // Tree.
    p.setBrush(QColor(110, 76, 44));
    p.drawRect(QRectF(17, 40, 3, 18));
    p.setBrush(QColor(50, 120, 50));
    for (QPointF c : {QPointF(18.5, 34), QPointF(13.5, 39), QPointF(23.5, 39), QPointF(18.5, 41)})
        p.drawEllipse(c, 6.5, 6);
    p.setBrush(QColor(70, 145, 64));
    p.drawEllipse(QPointF(16.5, 33), 3.5, 3);
    // Path curving to the front.
    QPainterPath path;
    path.moveTo(44, 58);
    path.cubicTo(40, 70, 56, 78, 50, 96);
    path.lineTo(66, 96);
    path.cubicTo(68, 78, 48, 70, 47, 58);
    path.closeSubpath();
    p.setBrush(QColor(222, 200, 150));
    p.drawPath(path);
    // Hedge and fence.
    p.setBrush(QColor(40, 100, 50));
    for (double x = 0; x < 40; x += 6)
        p.drawEllipse(QPointF(x + 2, 62), 4.2, 4);
    p.setPen(QPen(QColor(250, 250, 245), 1.0));
    for (double x = 54; x < 72; x += 3.5)
        p.drawLine(QPointF(x, 54), QPointF(x, 61));
    p.drawLine(QPointF(52, 57), QPointF(72, 56));
    // Flower bed along the bottom.
    Rng rng(512);
    const QColor blooms[4] = {QColor(240, 80, 90), QColor(250, 210, 60), QColor(200, 120, 220),
                              QColor(255, 255, 255)};
    for (int i = 0; i < 60; ++i) {
        const QPointF c(rng.range(0, 44), rng.range(70, 94));
        if (c.x() > 38 && c.y() < 80)
            continue;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 130, 60));
        p.drawEllipse(c + QPointF(0, 1.2), 1.6, 1.0);
        p.setBrush(blooms[rng.below(4)]);
        p.drawEllipse(c, 1.3, 1.3);
    }
}

// --- Geometry ---

void argyle(QPainter &p)
{
    p.fillRect(kPanel, QColor(30, 48, 110));
    const double w = 15.75, h = 22;
    p.setPen(Qt::NoPen);
    for (int row = -1; row < 10; ++row) {
        for (int col = -1; col < 6; ++col) {
            const double cx = 4 + col * w + (row % 2 ? w / 2 : 0);
            const double cy = 4 + row * h / 2;
            QPolygonF d;
            d << QPointF(cx, cy - h / 2) << QPointF(cx + w / 2, cy) << QPointF(cx, cy + h / 2)
              << QPointF(cx - w / 2, cy);
            p.setBrush((row & 1) ? QColor(70, 120, 200) : QColor(44, 80, 160));
            p.drawPolygon(d);
        }
    }
    p.setPen(QPen(QColor(240, 200, 90), 0.6, Qt::DashLine));
    for (double d = -200; d < 200; d += w) {
        p.drawLine(QPointF(4 + d, 4), QPointF(4 + d + w / 2 * 20, 4 + h / 2 * 20));
        p.drawLine(QPointF(4 + d, 4), QPointF(4 + d - w / 2 * 20, 4 + h / 2 * 20));
    }
}

void honeycomb(QPainter &p)
{
    p.fillRect(kPanel, QColor(16, 96, 100));
    const double r = 6.2;
    const double w = std::sqrt(3.0) * r;
    for (int row = -1; row < 12; ++row) {
        for (int col = -1; col < 7; ++col) {
            const QPointF c(kMid.x() + (col - 3) * w + (row % 2 ? w / 2 : 0), kMid.y() + (row - 5) * 1.5 * r);
            QPolygonF hex;
            for (int i = 0; i < 6; ++i) {
                const double a = (60 * i + 30) * M_PI / 180;
                hex << QPointF(c.x() + (r - 0.7) * std::cos(a), c.y() + (r - 0.7) * std::sin(a));
            }
            const double dist = std::hypot(c.x() - kMid.x(), (c.y() - kMid.y()) * 0.75);
            const double t = clamp01(dist / 36);
            QRadialGradient g(c - QPointF(1.5, 2), r * 1.3);
            const QColor base = mix(QColor(250, 200, 70), QColor(30, 140, 140), t);
            g.setColorAt(0, base.lighter(125));
            g.setColorAt(1, base.darker(115));
            p.setPen(QPen(QColor(8, 60, 64), 0.6));
            p.setBrush(g);
            p.drawPolygon(hex);
        }
    }
}

void rosette(QPainter &p)
{
    QRadialGradient bg(kMid, 50);
    bg.setColorAt(0, QColor(150, 24, 40));
    bg.setColorAt(1, QColor(80, 8, 20));
    p.fillRect(kPanel, bg);
    // Guilloche: rings of turned ellipses, the engraver's lathe pattern.
    p.setBrush(Qt::NoBrush);
    for (int ring = 0; ring < 3; ++ring) {
        const double rx = 24 - ring * 7, ry = 9 - ring * 2.5;
        p.setPen(QPen(ring == 1 ? QColor(255, 220, 140, 200) : QColor(250, 240, 220, 170), 0.45));
        const int n = 36 - ring * 8;
        for (int i = 0; i < n; ++i) {
            p.save();
            p.translate(kMid);
            p.rotate(i * 180.0 / n);
            p.drawEllipse(QPointF(0, 0), rx, ry);
            p.restore();
        }
    }
    // Corner rosettes.
    for (QPointF c : {QPointF(12, 12), QPointF(59, 12), QPointF(12, 84), QPointF(59, 84)}) {
        p.setPen(QPen(QColor(250, 230, 190, 170), 0.4));
        for (int i = 0; i < 12; ++i) {
            p.save();
            p.translate(c);
            p.rotate(i * 15);
            p.drawEllipse(QPointF(0, 0), 6, 2.2);
            p.restore();
        }
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 210, 110));
    p.drawEllipse(kMid, 2.2, 2.2);
}

// --- Misc ---

void suitMedallion(QPainter &p, const QColor &field, const QColor &ink)
{
    const double rx = 17, ry = 23;
    p.setPen(QPen(ink, 1.2));
    p.setBrush(field);
    p.drawEllipse(kMid, rx, ry);
    p.setPen(QPen(ink, 0.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(kMid, rx - 2.2, ry - 2.2);
    const QPointF at[4] = {{kMid.x(), kMid.y() - 9.5},
                           {kMid.x() - 7.5, kMid.y()},
                           {kMid.x() + 7.5, kMid.y()},
                           {kMid.x(), kMid.y() + 9.5}};
    const int order[4] = {1, 0, 2, 3};
    for (int i = 0; i < 4; ++i)
        drawSuit(p, order[i], at[i], order[i] == 2 ? 6.4 : 7.2, 7.8, ink);
}

void classicBlue(QPainter &p)
{
    const QColor deep(22, 52, 138);
    p.fillRect(kPanel, deep);
    // Fine cross-hatching, denser toward the middle through two layers.
    p.setPen(QPen(QColor(150, 190, 255, 110), 0.45));
    for (double d = -100; d < 100; d += 2.6) {
        p.drawLine(QPointF(d, 0), QPointF(d + 100, 100));
        p.drawLine(QPointF(71 - d, 0), QPointF(71 - d - 100, 100));
    }
    // Diamond lattice of small dots at the crossings of a coarser grid.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(210, 226, 255, 170));
    for (double y = 4; y < 93; y += 7.8)
        for (double x = 4 + (static_cast<int>((y - 4) / 7.8) % 2) * 3.9; x < 68; x += 7.8)
            p.drawEllipse(QPointF(x, y), 0.7, 0.7);
    // Double border inside the panel.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(230, 238, 255), 1.0));
    p.drawRoundedRect(kPanel.adjusted(2.5, 2.5, -2.5, -2.5), 2, 2);
    p.setPen(QPen(QColor(230, 238, 255, 150), 0.5));
    p.drawRoundedRect(kPanel.adjusted(4.3, 4.3, -4.3, -4.3), 1.5, 1.5);
    // Corner fleurons.
    for (int i = 0; i < 4; ++i) {
        const QPointF c(i % 2 ? 59 : 12, i / 2 ? 84 : 12);
        drawSuit(p, 2, c, 4, 5.5, QColor(230, 238, 255));
    }
    suitMedallion(p, QColor(240, 244, 255), deep);
}

void classicRed(QPainter &p)
{
    const QColor deep(150, 20, 34);
    p.fillRect(kPanel, deep);
    // Quatrefoil tiles: circles on a square grid leave four-lobed shapes between them.
    p.setPen(QPen(QColor(255, 210, 200, 120), 0.5));
    p.setBrush(Qt::NoBrush);
    for (double y = 4; y < 100; y += 7)
        for (double x = 0.5; x < 75; x += 7)
            p.drawEllipse(QPointF(x, y), 3.5, 3.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 220, 170, 150));
    for (double y = 7.5; y < 100; y += 7)
        for (double x = 4; x < 75; x += 7)
            p.drawEllipse(QPointF(x, y), 0.8, 0.8);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 232, 200), 1.0));
    p.drawRoundedRect(kPanel.adjusted(2.5, 2.5, -2.5, -2.5), 2, 2);
    // A diamond cartouche in the middle.
    QPolygonF d;
    d << QPointF(kMid.x(), kMid.y() - 30) << QPointF(kMid.x() + 22, kMid.y())
      << QPointF(kMid.x(), kMid.y() + 30) << QPointF(kMid.x() - 22, kMid.y());
    p.setPen(QPen(QColor(255, 232, 200), 1.2));
    p.setBrush(QColor(120, 12, 26));
    p.drawPolygon(d);
    QPolygonF d2;
    for (const QPointF &q : d)
        d2 << kMid + (q - kMid) * 0.86;
    p.setPen(QPen(QColor(255, 232, 200, 160), 0.5));
    p.drawPolygon(d2);
    flower(p, kMid, 9, 8, QColor(250, 200, 120), QColor(150, 20, 34), 22.5, 0.42);
    flower(p, kMid, 5, 8, QColor(255, 236, 200), QColor(200, 120, 40), 0, 0.5);
}

void tartan(QPainter &p)
{
    p.fillRect(kPanel, QColor(22, 80, 52));
    // Warp and weft bands; where they cross the colours darken, as woven cloth does.
    struct Band {
        double at, width;
        QColor color;
    };
    const Band bands[] = {{0, 9, QColor(20, 30, 80, 170)},  {14, 2, QColor(240, 210, 60, 200)},
                          {20, 9, QColor(20, 30, 80, 170)}, {32, 1.2, QColor(250, 250, 250, 170)},
                          {38, 6, QColor(10, 40, 26, 150)}, {47, 2, QColor(240, 210, 60, 200)}};
    const double repeat = 52;
    for (int dir = 0; dir < 2; ++dir) {
        for (double base = -repeat; base < 110; base += repeat) {
            for (const Band &b : bands) {
                p.setPen(Qt::NoPen);
                p.setBrush(b.color);
                if (dir == 0)
                    p.drawRect(QRectF(base + b.at, 0, b.width, 100));
                else
                    p.drawRect(QRectF(0, base + b.at + 6, 80, b.width));
            }
        }
    }
    // Twill: fine diagonal lines give the cloth its weave.
    p.setPen(QPen(QColor(0, 0, 0, 40), 0.5));
    for (double d = -100; d < 100; d += 1.6)
        p.drawLine(QPointF(d, 0), QPointF(d + 100, 100));
}

// --- Nature ---

void mountains(QPainter &p)
{
    QLinearGradient sky(0, 4, 0, 60);
    sky.setColorAt(0, QColor(60, 40, 120));
    sky.setColorAt(0.55, QColor(230, 110, 90));
    sky.setColorAt(1, QColor(255, 200, 110));
    p.fillRect(kPanel, sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 236, 170));
    p.drawEllipse(QPointF(46, 50), 7, 7);
    auto ridge = [&](std::initializer_list<QPointF> pts, const QColor &c) {
        QPainterPath r;
        r.moveTo(0, 100);
        for (const QPointF &q : pts)
            r.lineTo(q);
        r.lineTo(71, 100);
        r.closeSubpath();
        p.setBrush(c);
        p.drawPath(r);
    };
    ridge({{0, 52}, {12, 36}, {19, 42}, {30, 26}, {42, 44}, {52, 38}, {71, 54}}, QColor(96, 70, 130));
    // Snow on the high peak.
    QPainterPath snow;
    snow.moveTo(30, 26);
    snow.lineTo(35.2, 33.5);
    snow.lineTo(32, 32);
    snow.lineTo(29, 35);
    snow.lineTo(26.5, 31);
    snow.closeSubpath();
    p.setBrush(QColor(250, 240, 250));
    p.drawPath(snow);
    ridge({{0, 62}, {10, 54}, {22, 60}, {36, 50}, {50, 58}, {60, 52}, {71, 60}}, QColor(60, 44, 96));
    // A still lake mirrors the sky.
    QLinearGradient lake(0, 64, 0, 96);
    lake.setColorAt(0, QColor(255, 190, 120));
    lake.setColorAt(1, QColor(70, 50, 110));
    p.setBrush(lake);
    p.drawRect(QRectF(0, 64, 71, 36));
    p.setBrush(QColor(40, 30, 70));
    QPainterPath shore;
    shore.moveTo(0, 64);
    shore.lineTo(71, 64);
    shore.lineTo(71, 66);
    shore.cubicTo(50, 65, 30, 68, 0, 66.5);
    shore.closeSubpath();
    p.drawPath(shore);
    p.setPen(QPen(QColor(255, 240, 200, 150), 0.6));
    for (double y = 70; y < 92; y += 4.5)
        p.drawLine(QPointF(40 - (y - 66) * 0.4, y), QPointF(52 + (y - 66) * 0.4, y));
}

void waves(QPainter &p)
{
    vGradient(p, QColor(180, 220, 240), QColor(10, 40, 100));
    // Rows of curling waves, each row darker and further forward.
    for (int row = 0; row < 8; ++row) {
        const double y = 12 + row * 11.5;
        const QColor water = mix(QColor(90, 160, 210), QColor(14, 50, 120), row / 7.0);
        QPainterPath w;
        w.moveTo(-10, 100);
        const double step = 18;
        double x = -10 + (row % 2) * step / 2;
        w.lineTo(x, y);
        for (; x < 80; x += step) {
            w.cubicTo(x + 4, y - 9, x + 13, y - 9, x + 14, y - 3);
            w.cubicTo(x + 12, y - 6, x + 8, y - 5, x + 9, y - 1);
            w.cubicTo(x + 11, y + 1, x + 15, y, x + step, y);
        }
        w.lineTo(90, 100);
        w.closeSubpath();
        p.setPen(QPen(QColor(240, 250, 255, 220), 0.8));
        p.setBrush(water);
        p.drawPath(w);
    }
}

void pines(QPainter &p)
{
    vGradient(p, QColor(206, 228, 232), QColor(160, 196, 204));
    p.setPen(Qt::NoPen);
    auto tree = [&](double x, double base, double h) {
        for (int tier = 0; tier < 4; ++tier) {
            const double top = base - h + tier * h * 0.2;
            const double bottom = base - (3 - tier) * h * 0.14;
            const double half = h * (0.1 + tier * 0.05);
            QPolygonF t;
            t << QPointF(x, top) << QPointF(x + half, bottom) << QPointF(x - half, bottom);
            p.drawPolygon(t);
        }
    };
    Rng rng(543);
    const QColor layers[3] = {QColor(128, 166, 160), QColor(58, 114, 86), QColor(20, 64, 44)};
    // Far rows stand close and small, near rows sparse and tall.
    const double bases[3] = {46, 64, 84};
    for (int l = 0; l < 3; ++l) {
        const double base = bases[l];
        p.setBrush(layers[l]);
        for (double x = -4 + rng.range(0, 6); x < 78; x += rng.range(5 + 2.5 * l, 8 + 3.5 * l))
            tree(x, base + rng.range(-1, 1), rng.range(16, 22) + l * 8);
        p.drawRect(QRectF(0, base - 1.5, 71, 100));
        // Mist settles between the rows of trees.
        QLinearGradient mist(0, base - 8, 0, base + 2);
        mist.setColorAt(0, QColor(220, 236, 240, 0));
        mist.setColorAt(1, QColor(220, 236, 240, l < 2 ? 150 : 0));
        p.fillRect(QRectF(0, base - 8, 71, 10), mist);
    }
}

void autumn(QPainter &p)
{
    vGradient(p, QColor(110, 70, 40), QColor(70, 40, 22));
    Rng rng(544);
    const QColor hues[4] = {QColor(220, 80, 30), QColor(240, 170, 40), QColor(190, 40, 30),
                            QColor(200, 130, 50)};
    for (int i = 0; i < 30; ++i) {
        const QPointF c(1 + (i % 5) * 17 + ((i / 5) % 2) * 8 + rng.range(-4, 4),
                        2 + (i / 5) * 17 + rng.range(-4, 4));
        const double s = rng.range(5, 9);
        const QColor col = hues[rng.below(4)];
        p.save();
        p.translate(c);
        p.rotate(rng.range(0, 360));
        // A five-lobed leaf: lobes as petals of varied length, with a stalk and veins.
        p.setPen(QPen(col.darker(140), 0.4));
        p.setBrush(col);
        const double lobes[5] = {1.0, 0.8, 0.8, 0.55, 0.55};
        const double angles[5] = {0, -48, 48, -100, 100};
        QPainterPath shape;
        for (int k = 0; k < 5; ++k)
            shape = shape.united(petal(QPointF(0, 0), angles[k], s * lobes[k], s * lobes[k] * 0.42));
        p.drawPath(shape);
        p.setPen(QPen(col.darker(150), 0.4));
        for (int k = 0; k < 5; ++k) {
            QTransform t;
            t.rotate(angles[k]);
            p.drawLine(QPointF(0, 0), t.map(QPointF(0, -s * lobes[k] * 0.8)));
        }
        p.drawLine(QPointF(0, 0), QPointF(0, s * 0.4));
        p.restore();
    }
}

void nightSky(QPainter &p)
{
    vGradient(p, QColor(8, 12, 40), QColor(30, 50, 100));
    Rng rng(545);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 70; ++i) {
        const double b = rng.range(0.3, 1);
        p.setBrush(QColor(255, 255, 240, static_cast<int>(255 * b)));
        const double r = rng.unit() < 0.1 ? 0.8 : 0.4;
        p.drawEllipse(QPointF(rng.range(4, 67), rng.range(4, 70)), r, r);
    }
    // Crescent moon: a disc with a second disc taken out of it.
    QPainterPath moon;
    moon.addEllipse(QPointF(48, 24), 9, 9);
    QPainterPath bite;
    bite.addEllipse(QPointF(52.5, 21), 8, 8);
    QRadialGradient glow(QPointF(46, 25), 18);
    glow.setColorAt(0, QColor(255, 250, 210, 90));
    glow.setColorAt(1, QColor(255, 250, 210, 0));
    p.fillRect(kPanel, glow);
    p.fillPath(moon.subtracted(bite), QColor(255, 246, 200));
    // Hills in silhouette with a lit window.
    QPainterPath hills;
    hills.moveTo(0, 74);
    hills.cubicTo(18, 64, 30, 70, 44, 72);
    hills.cubicTo(56, 73, 64, 68, 71, 70);
    hills.lineTo(71, 96);
    hills.lineTo(0, 96);
    hills.closeSubpath();
    p.fillPath(hills, QColor(12, 20, 30));
    p.fillRect(QRectF(20, 64, 8, 6), QColor(12, 20, 30));
    QPolygonF roof;
    roof << QPointF(19, 64.5) << QPointF(24, 60) << QPointF(29, 64.5);
    p.setBrush(QColor(12, 20, 30));
    p.drawPolygon(roof);
    p.fillRect(QRectF(22, 65.5, 1.8, 1.8), QColor(255, 210, 100));
}

using BackPainter = void (*)(QPainter &);

BackPainter painterFor(int id)
{
    switch (id) {
    case 501:
        return roses;
    case 502:
        return daisies;
    case 503:
        return tulips;
    case 511:
        return trellis;
    case 512:
        return gardenScene;
    case 521:
        return argyle;
    case 522:
        return honeycomb;
    case 523:
        return rosette;
    case 531:
        return classicBlue;
    case 532:
        return classicRed;
    case 533:
        return tartan;
    case 541:
        return mountains;
    case 542:
        return waves;
    case 543:
        return pines;
    case 544:
        return autumn;
    case 545:
        return nightSky;
    default:
        return nullptr;
    }
}

} // namespace

QImage paintBack(int id, qreal dpr)
{
    const BackPainter paint = painterFor(id);
    if (!paint)
        return QImage();
    QImage img = canvas(kCardW, kCardH, dpr);
    QPainter p(&img);
    preparePainter(p);
    p.fillPath(cardOutline(0.5), QColor(255, 255, 255));
    p.save();
    p.setClipPath(panelPath());
    paint(p);
    p.restore();
    p.setPen(QPen(QColor(0, 0, 0, 70), 0.6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(panelPath());
    p.setPen(QPen(QColor(72, 72, 78), 1.0));
    p.drawPath(cardOutline(0.5));
    return img;
}

} // namespace tess::art
